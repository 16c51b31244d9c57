#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree a desktop
# sees: the files, the desktop entry, metainfo and MIME type validated by
# Debian's own tools.
# usage: install_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/usr
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"
for f in bin/tarq share/tarq/graph/Terrain0.bmp share/tarq/graph/s00.bmp share/tarq/graph/units/U01.bmp \
         "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" "share/mime/packages/$id.xml"; do
  [ -f "$f" ] || fail "$f not installed"
done
for size in 48 64 128 256; do
  for f in apps/tarq.png mimetypes/application-x-tarq-save.png; do
    [ -f "share/icons/hicolor/${size}x$size/$f" ] || fail "icon ${size}x$size/$f not installed"
  done
done
[ ! -e share/tarq/graph/tempgraph ] || fail "the build's graphics cache was installed"

desktop-file-validate "share/applications/$id.desktop"
appstreamcli validate --no-net "share/metainfo/$id.metainfo.xml" >/dev/null
update-mime-database share/mime 2>/dev/null
grep -qx 'application/x-tarq-save:\*\.tarq' <(cut -d: -f2- share/mime/globs2) || fail "*.tarq not mapped"
grep -qx 'application/x-tarq-save:application-x-tarq-save' share/mime/icons || fail "saved-game icon not mapped"
echo "install: ok"
