#!/usr/bin/env bash
# Sets up, builds the game in release form (no tests or benchmarks) and makes
# its Debian package in build/package/packages, checked before it is named.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset package >/dev/null
cmake --build --preset package
bash tests/desktop/package_test.sh build/package "$(sed -n 's/^TARQ_APP_ID:STRING=//p' build/package/CMakeCache.txt)"
