#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (the `fuzz` preset: clang, libFuzzer,
# address and undefined-behaviour sanitizers) and runs each one on one core.
#
#   bash scripts/fuzz.sh --runs N      short form, for CI: each target N runs from
#                                      its seed corpus, with a fixed random seed;
#                                      passes without running when clang is missing
#   bash scripts/fuzz.sh --minutes N   long form: each target N minutes, growing
#                                      its corpus in build/fuzz/fuzz/<name>/corpus
#
# FUZZ_TARGETS="bmp" runs only the named targets; arguments after `--` go to
# libFuzzer. A fault stops that target, its input is kept in
# build/fuzz/fuzz/<name>/findings/ and the script fails at the end. Each run
# ends with libFuzzer's figures (stat::number_of_executed_units, ...).
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
    echo "usage: $0 --runs N | --minutes N [-- libFuzzer flags]" >&2
    exit 2
}
[[ $# -ge 2 && ($1 == --runs || $1 == --minutes) && $2 =~ ^[0-9]+$ ]] || usage
mode=$1 count=$2
shift 2
[[ ${1:-} == -- ]] && shift

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is not installed (Debian package clang); nothing fuzzed"
    [[ $mode == --runs ]] && exit 0
    exit 1
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Every folder of fuzz/ with a Target.cpp is a target.
targets=${FUZZ_TARGETS:-$(for t in fuzz/*/Target.cpp; do basename "$(dirname "$t")"; done)}
out=build/fuzz/fuzz
failed=()
for name in $targets; do
    dir=$out/$name
    mkdir -p "$dir/corpus" "$dir/findings"
    # Allocation caps well below the 2 GB default: the loaders cap what they
    # allocate, so hitting these is a finding, not the fuzzer's own limit.
    flags=(-rss_limit_mb=1024 -malloc_limit_mb=64 -timeout=10 -max_len=65536
           -artifact_prefix="$dir/findings/" -print_final_stats=1)
    if [[ $mode == --runs ]]; then
        # A scratch corpus, so the short form does the same every time.
        scratch=$(mktemp -d)
        flags+=(-runs="$count" -seed=1 "$scratch" "$dir/seeds")
    else
        scratch=
        flags+=(-max_total_time=$((count * 60)) "$dir/corpus" "$dir/seeds")
    fi
    echo "== fuzz_$name"
    if ! "$out/fuzz_$name" "${flags[@]}" "$@"; then failed+=("$name"); fi
    [[ -n $scratch ]] && rm -rf "$scratch"
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "fuzz: faults in ${failed[*]}; inputs in $out/<name>/findings/" >&2
    exit 1
fi
echo "fuzz: no faults"
