#!/usr/bin/env bash
# Sets up, builds the game, its picture sheets and sounds, and starts it in its working folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tarq graph sounds
cd build/release/game
exec ./tarq
