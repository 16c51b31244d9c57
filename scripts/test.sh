#!/usr/bin/env bash
# The test command, as CI runs it. Sets up, then:
#   format  checks every tracked .cpp and .h file against .clang-format;
#   ci      builds the `ci` preset (the address and undefined-behaviour
#           sanitizers, every warning an error) and runs the whole suite under
#           them, leak checks on (window tests run on Qt's offscreen platform);
#   fuzz    runs each fuzz target of fuzz/ from its seed corpus for a fixed
#           number of runs or half a minute, whichever ends first, when clang is
#           installed (setup.sh installs it).
# Each phase ends with its time in seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

started=$SECONDS
phase_done() {
    echo "== $1: $((SECONDS - started)) s"
    started=$SECONDS
}

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
phase_done format

# The test preset sets the sanitizers' options (leaks inside fontconfig are
# suppressed by scripts/lsan.supp).
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci --parallel 2
phase_done ci

bash scripts/fuzz.sh --runs 50000 -- -max_total_time=30
phase_done fuzz
