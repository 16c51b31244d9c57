#!/usr/bin/env bash
# Sets up, builds everything and runs every test (window tests run on Qt's
# offscreen platform), then each fuzz target of fuzz/ for a fixed number of
# runs from its seed corpus when clang is installed (setup.sh installs it).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev
bash scripts/fuzz.sh --runs 50000
