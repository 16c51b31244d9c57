#!/usr/bin/env bash
# The long checks: the window monkey and the autogame under the `asan` preset
# (address and undefined-behaviour sanitizers, leak checks on), and each fuzz
# target for a number of minutes. The short forms of all three run in ctest.
#
#   bash scripts/long-checks.sh [monkey] [autogame] [fuzz]   (all three when none is named)
#
# Sizes, from the environment:
#   MONKEY_SEEDS=10 MONKEY_EVENTS=5000     the window monkey (seeds 1..N)
#   AUTOGAME_SEEDS=10 AUTOGAME_ACTIONS=30000
#   FUZZ_MINUTES=30                        per fuzz target
#
# Each part ends with its figures; a fault prints its seed and event (or
# action) number and the command that replays it, or keeps the fuzz input.
# The script fails when any part found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."

parts=("$@")
[[ ${#parts[@]} -gt 0 ]] || parts=(monkey autogame fuzz)
for part in "${parts[@]}"; do
    [[ $part == monkey || $part == autogame || $part == fuzz ]] ||
        { echo "usage: $0 [monkey] [autogame] [fuzz]" >&2; exit 2; }
done

# Leaks reported inside fontconfig (Qt's font lookup keeps its caches for the
# process's life) are not ours; every other leak fails the run.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

failed=()
for part in "${parts[@]}"; do
    echo "== $part"
    case $part in
    monkey)
        cmake --preset asan >/dev/null
        cmake --build --preset asan --target tarq_monkey
        QT_QPA_PLATFORM=offscreen build/asan/tests/tarq_monkey 1 "${MONKEY_EVENTS:-5000}" \
            --seeds "${MONKEY_SEEDS:-10}" || failed+=(monkey)
        ;;
    autogame)
        bash scripts/autogame.sh "${AUTOGAME_SEEDS:-10}" "${AUTOGAME_ACTIONS:-30000}" || failed+=(autogame)
        ;;
    fuzz)
        bash scripts/fuzz.sh --minutes "${FUZZ_MINUTES:-30}" || failed+=(fuzz)
        ;;
    esac
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "long checks: faults in ${failed[*]}" >&2
    exit 1
fi
echo "long checks: no faults"
