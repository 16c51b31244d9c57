#!/usr/bin/env bash
# The test command, as CI runs it. Sets up, then:
#   format  the tracked .cpp and .h files against .clang-format (clang-format 14);
#   ci      builds the `ci` preset (every warning an error) and runs every test
#           (window tests run on Qt's offscreen platform);
#   asan    builds the `asan` preset and runs the whole suite again under the
#           address and undefined-behaviour sanitizers, leak checks on;
#   fuzz    runs each fuzz target of fuzz/ for a fixed number of runs from its
#           seed corpus when clang is installed (setup.sh installs it).
# Each phase ends with its time in seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

started=$SECONDS
phase_done() {
    echo "== $1: $((SECONDS - started)) s"
    started=$SECONDS
}

clang_format=$(command -v clang-format-14 || command -v clang-format)
git ls-files -z '*.cpp' '*.h' | xargs -0 "$clang_format" --dry-run -Werror
phase_done format

cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
phase_done ci

# The test preset sets the sanitizers' options (leaks inside fontconfig are
# suppressed by scripts/lsan.supp).
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
phase_done asan

bash scripts/fuzz.sh --runs 50000
phase_done fuzz
