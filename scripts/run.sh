#!/usr/bin/env bash
# Sets up, builds the game and its picture sheets, and starts it in its working folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tarq graph
cd build/release/game
exec ./tarq
