#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test, when any
# is missing; given package names, installs those instead (scripts/package.sh).
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev qtkeychain-qt6-dev zlib1g-dev libsodium-dev pkgconf libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2
          qt6-translations-l10n desktop-file-utils appstream shared-mime-info dpkg-dev file
          apache2 apache2-utils  # the WebDAV server of the network tests and its htpasswd
          clang libclang-rt-dev  # clang and libFuzzer for the fuzz targets (scripts/fuzz.sh)
          clang-format)          # the layout check of scripts/test.sh
[ $# -gt 0 ] && packages=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi
