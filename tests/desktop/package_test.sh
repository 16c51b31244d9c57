#!/usr/bin/env bash
# Builds the Debian package of a build tree with CPack and checks what it
# holds and what it depends on; prints the package's path and size.
# usage: package_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$(cd "$1" && pwd) id=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$build/packages"
cpack --config "$build/CPackConfig.cmake" -B "$build/packages" >/dev/null
debs=("$build"/packages/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single .deb in $build/packages"
deb=${debs[0]}

listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/tarq ./usr/share/tarq/graph/Terrain0.bmp ./usr/share/tarq/graph/units/U01.bmp ./usr/share/tarq/sounds/click.wav \
         "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
         "./usr/share/mime/packages/$id.xml" ./usr/share/icons/hicolor/48x48/apps/tarq.png \
         ./usr/share/icons/hicolor/256x256/mimetypes/application-x-tarq-save.png; do
  grep -qxF "$f" <<<"$listing" || fail "$f not in the package"
done
# Dependencies computed from the binary name the Qt libraries it links.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks libqt6widgets6"
echo "package: $deb ($(du -h "$deb" | cut -f1), $(stat -c %s "$deb") bytes)"
