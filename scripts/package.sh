#!/usr/bin/env bash
# Builds the game in release form with Debian's hardening flags (the package
# preset: no tests or benchmarks) and makes its Debian package in
# build/package/packages, checked (contents, hardening, lintian) before it is named.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only what packaging needs: the compiler, Qt and libsodium for the game and its
# pictures, dpkg-shlibdeps and file for CPack, lintian for the check.
bash scripts/setup.sh cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev qtkeychain-qt6-dev zlib1g-dev libsodium-dev pkgconf dpkg-dev file lintian
cmake --preset package >/dev/null
cmake --build --preset package
ctest --preset package --verbose
