#!/usr/bin/env bash
# Builds the Debian package from a configured build folder and checks its
# control fields and file list.
# usage: deb_test.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; exit 1; }
debs=("$out"/fieldcalc_*_"$(dpkg --print-architecture)".deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no fieldcalc_<version>_<arch>.deb in $out" >&2; exit 1; }
deb=${debs[0]}

fail() { echo "FAIL: $*" >&2; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = fieldcalc ] || fail "package name"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Section)" ] || fail "no section"
[ -n "$(field Description)" ] || fail "no description"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -ge 2 ] || fail "no long description"
depends=$(field Depends)
grep -qF 'fonts-wqy-microhei | fonts-noto-cjk' <<<"$depends" || fail "no CJK font in Depends: $depends"
grep -q 'libqt5widgets5' <<<"$depends" || fail "shared-library dependencies missing: $depends"

files=$(dpkg-deb -c "$deb" | awk '{print $NF}' | grep -v '/$' | sort)
expected=$(sort <<'LIST'
./usr/bin/fieldcalc
./usr/share/applications/fieldcalc.desktop
./usr/share/icons/hicolor/128x128/apps/fieldcalc.png
./usr/share/icons/hicolor/256x256/apps/fieldcalc.png
./usr/share/icons/hicolor/48x48/apps/fieldcalc.png
./usr/share/icons/hicolor/scalable/apps/fieldcalc.svg
LIST
)
[ "$files" = "$expected" ] || fail "file list differs:"$'\n'"$(diff <(echo "$expected") <(echo "$files"))"
echo "PASS: $(basename "$deb")"
