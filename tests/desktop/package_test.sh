#!/usr/bin/env bash
# Builds the Debian package of a build tree with CPack and checks what it
# holds and what it depends on, the files Debian asks for, the hardening of
# the binary, and lintian; prints the package's path and size.
# usage: package_test.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$(cd "$1" && pwd) id=$2 version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$build/packages"
cpack --config "$build/CPackConfig.cmake" -B "$build/packages" >/dev/null
debs=("$build"/packages/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single .deb in $build/packages"
deb=${debs[0]}

listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/games/tarq ./usr/share/tarq/graph/Terrain0.bmp ./usr/share/tarq/graph/units/U01.bmp ./usr/share/tarq/sounds/click.wav \
         "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
         "./usr/share/mime/packages/$id.xml" ./usr/share/doc/tarq/copyright ./usr/share/doc/tarq/changelog.Debian.gz \
         ./usr/share/man/man6/tarq.6.gz ./usr/share/man/ru/man6/tarq.6.gz; do
  grep -qxF "$f" <<<"$listing" || fail "$f not in the package"
done
! grep -q '^\./usr/bin/' <<<"$listing" || fail "a binary outside /usr/games"
# Dependencies computed from the binary name the Qt libraries it links.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks libqt6widgets6"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version), not $version"
dpkg-deb -f "$deb" Maintainer | grep -qE '^[^<]+ <[^@ ]+@[^@ ]+\.[^@ ]+>$' || fail "no maintainer address"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
doc=$root/usr/share/doc/tarq
head -1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright not in the machine-readable format"
gzip -dc "$doc/changelog.Debian.gz" >"$tmp/changelog"
[ "$(dpkg-parsechangelog -l "$tmp/changelog" -S Version)" = "$version" ] || fail "changelog's version is not $version"

for size in 16 22 24 32 48 64 128 256; do
  for f in apps/tarq.png mimetypes/application-x-tarq-save.png; do
    file "$root/usr/share/icons/hicolor/${size}x$size/$f" | grep -q "PNG image data, $size x $size," ||
      fail "icon ${size}x$size/$f"
  done
done

# Compressed with gzip -9n: compressing the contents again gives the same bytes.
for f in "$doc/changelog.Debian.gz" "$root/usr/share/man/man6/tarq.6.gz" "$root/usr/share/man/ru/man6/tarq.6.gz"; do
  cmp -s "$f" <(gzip -dc "$f" | gzip -9n) || fail "${f#"$root"} not compressed with gzip -9n"
done
# The manual page names every option of --help; the binary answers with no display.
tarq=$root/usr/games/tarq
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=)
options=$("${nodisplay[@]}" "$tarq" --help | grep -oE -- '--[a-z-]+' | sort -u)
[ -n "$options" ] || fail "--help lists no options"
for page in man6/tarq.6.gz ru/man6/tarq.6.gz; do
  for option in $options; do
    gzip -dc "$root/usr/share/man/$page" | sed 's/\\-/-/g' | grep -qF -- "$option" || fail "$page lacks $option"
  done
done

# From /usr/games the game finds its sheets in /usr/share/tarq and keeps the cache in the user's folder.
mkdir -p "$tmp/work"
cache=$(cd "$tmp/work" && HOME=$tmp/home XDG_CACHE_HOME=$tmp/cache XDG_RUNTIME_DIR= "${nodisplay[@]}" "$tarq" --prepare-graphics)
[ "$cache" = "$tmp/cache/tarq/tempgraph" ] && [ -f "$cache/GS00.bmp" ] || fail "the packaged game does not find its sheets"

# Debian's hardening: position independent, full RELRO (read-only relocations
# bound at start), the stack protector, fortified library calls.
elf=$(readelf -hld --dyn-syms -W "$tarq")
grep -qE 'Type: +DYN' <<<"$elf" || fail "not position independent"
grep -q 'GNU_RELRO' <<<"$elf" || fail "no RELRO"
grep -qE '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' <<<"$elf" || fail "no BIND_NOW"
grep -qE '\(FLAGS_1\).*PIE' <<<"$elf" || fail "not a PIE"
grep -q '__stack_chk_fail' <<<"$elf" || fail "no stack protector"
grep -qE '__[a-z]+_chk\b' <<<"$(grep -v __stack_chk_fail <<<"$elf")" || fail "no fortified functions"

command -v lintian >/dev/null || fail "lintian is not installed (scripts/package.sh installs it)"
lintian --fail-on error "$deb" || fail "lintian reports errors"
echo "package: $deb ($(du -h "$deb" | cut -f1), $(stat -c %s "$deb") bytes)"
