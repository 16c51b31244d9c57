#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree a desktop
# sees (the files; the desktop entry, metainfo and MIME type validated by
# Debian's own tools), then runs the installed game with a home of its own:
# its command line with no display, and where it finds its sheets and puts
# its cache.
# usage: install_test.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/usr
fail() { echo "FAIL: $*" >&2; exit 1; }

bindir=$(sed -n 's/^CMAKE_INSTALL_BINDIR:PATH=//p' "$build/CMakeCache.txt")
cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"
for f in "$bindir/tarq" share/tarq/graph/Terrain0.bmp share/tarq/graph/s00.bmp share/tarq/graph/units/U01.bmp share/tarq/sounds/click.wav \
         "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" "share/mime/packages/$id.xml" \
         share/doc/tarq/copyright share/doc/tarq/changelog.Debian.gz share/man/man6/tarq.6.gz; do
  [ -f "$f" ] || fail "$f not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  for f in apps/tarq.png mimetypes/application-x-tarq-save.png; do
    [ -f "share/icons/hicolor/${size}x$size/$f" ] || fail "icon ${size}x$size/$f not installed"
  done
done
[ ! -e share/tarq/graph/tempgraph ] || fail "the build's graphics cache was installed"

desktop-file-validate "share/applications/$id.desktop"
# The window's class on X11 is the application's name, tarq.
grep -qx 'StartupWMClass=tarq' "share/applications/$id.desktop" || fail "no StartupWMClass"
appstreamcli validate --no-net "share/metainfo/$id.metainfo.xml" >/dev/null
update-mime-database share/mime 2>/dev/null
grep -qx 'application/x-tarq-save:\*\.tarq' <(cut -d: -f2- share/mime/globs2) || fail "*.tarq not mapped"
grep -qx 'application/x-tarq-save:application-x-tarq-save' share/mime/icons || fail "saved-game icon not mapped"
grep -aq '^\[50:application/x-tarq-save\]' share/mime/magic || fail "game-file magic not compiled"

export HOME=$tmp/home QT_QPA_PLATFORM=offscreen XDG_CACHE_HOME=$tmp/home/cache XDG_CONFIG_HOME=$tmp/home/config \
       XDG_DATA_HOME=$tmp/home/data XDG_RUNTIME_DIR=$tmp/home/run
mkdir -p "$XDG_RUNTIME_DIR" "$tmp/work" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$tmp/work"
tarq=$prefix/$bindir/tarq
# No display at all (over ssh, say): these commands need none.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=)
[ "$("${nodisplay[@]}" "$tarq" --version)" = "tarq $version" ] || fail "--version"
for help in --help -h --help-all; do
  "${nodisplay[@]}" "$tarq" $help | grep -q -- '--prepare-graphics' || fail "$help"
done
status=0
"${nodisplay[@]}" "$tarq" one.tarq two.tarq 2>/dev/null || status=$?
[ $status -eq 1 ] || fail "two files: exit status $status, not 1"
# No graph/ in the working folder: the installed sheets, the cache in the user's folder.
[ "$("${nodisplay[@]}" "$tarq" --prepare-graphics)" = "$XDG_CACHE_HOME/tarq/tempgraph" ] ||
  fail "cache not in the user's folder"
[ -f "$XDG_CACHE_HOME/tarq/tempgraph/GS00.bmp" ] || fail "cache not prepared"
[ ! -e "$prefix/share/tarq/graph/tempgraph" ] || fail "cache written into the installed data folder"
# graph/ in the working folder comes first, with its cache beside it.
cp -r "$prefix/share/tarq/graph" graph
[ "$("$tarq" --prepare-graphics)" = "$PWD/graph/tempgraph" ] || fail "working folder's graph/ not preferred"
echo "install: ok"
