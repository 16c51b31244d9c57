#!/usr/bin/env bash
# Sets up, builds everything and runs every test (window tests run on Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev
