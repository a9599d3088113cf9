#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop and a package need.
# Usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR
set -eu
cmake=$1 build=$2 source=$3
prefix=$(mktemp -d /tmp/fennix-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

id=org.fennix.fennix
for f in bin/fennix bin/fennix-sim bin/fennix-list; do
  [ -x "$prefix/$f" ] || fail "$f is missing or not executable"
done
for f in share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg share/doc/fennix/README.md share/man/man1/fennix-list.1; do
  [ -s "$prefix/$f" ] || fail "$f is missing"
done
for size in 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -s "$png" ] || fail "the ${size} px icon is missing"
  # Width and height stand big-endian at bytes 16..23 of a PNG.
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
  [ "$dims" = "${size}x${size}" ] || fail "the ${size} px icon is $dims"
done
if [ -d "$source/resources/help" ]; then
  [ -n "$(ls -A "$prefix/share/fennix/help")" ] || fail "the help files are missing"
fi

# The desktop entry starts what was installed and names the installed icon.
grep -qx "Exec=fennix" "$prefix/share/applications/$id.desktop" || fail "Exec is not fennix"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "Icon is not $id"
grep -q "^Name\[ja\]=" "$prefix/share/applications/$id.desktop" || fail "no Japanese name"
grep -q "^Categories=.*HamRadio;" "$prefix/share/applications/$id.desktop" || fail "not HamRadio"

if ! command -v desktop-file-validate >/dev/null || ! command -v appstreamcli >/dev/null; then
  echo "desktop-file-validate or appstreamcli is not installed: validators skipped"
  exit 77
fi
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml"
echo "installed and valid"
