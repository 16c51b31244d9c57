#!/usr/bin/env bash
# The long autogame: builds tarq_autogame under the `asan` preset (address and
# undefined-behaviour sanitizers) and plays SEEDS seeds of ACTIONS actions
# each, the invariant checker after every action.
#
#   bash scripts/autogame.sh [SEEDS [ACTIONS [FIRST_SEED]]]   (default 10 30000 1)
#
# Ends with the figures (actions, actions per second, faults). A fault prints
# its seed and action number and the command that replays it; the script
# then fails. The short form runs in ctest (test `autogame`).
set -euo pipefail
cd "$(dirname "$0")/.."

seeds=${1:-10} actions=${2:-30000} first=${3:-1}
for n in "$seeds" "$actions" "$first"; do
    [[ $n =~ ^[0-9]+$ ]] || { echo "usage: $0 [SEEDS [ACTIONS [FIRST_SEED]]]" >&2; exit 2; }
done

cmake --preset asan >/dev/null
cmake --build --preset asan --target tarq_autogame
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
exec build/asan/tests/tarq_autogame "$first" "$actions" --seeds "$seeds" --hash-every 5000
