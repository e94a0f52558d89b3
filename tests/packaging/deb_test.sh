#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Checks the control fields and the file list of the Debian package built by
# dpkg-buildpackage.
# usage: deb_test.sh path/to/fieldcalc_VERSION_ARCH.deb VERSION
set -euo pipefail
deb=$1
version=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(basename "$deb")" = "fieldcalc_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "$(basename "$deb") is not fieldcalc_${version}_<arch>.deb"
[ "$(field Package)" = fieldcalc ] || fail "package name"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), the project $version"
for name in Maintainer Section Priority Description; do
    [ -n "$(field "$name")" ] || fail "no $name"
done
[ "$(field Description | wc -l)" -ge 2 ] || fail "no long description"
depends=$(field Depends)
grep -qF 'fonts-wqy-microhei | fonts-noto-cjk' <<<"$depends" || fail "no CJK font in Depends: $depends"
grep -Eq 'libqt[56]widgets[56]' <<<"$depends" || fail "shared-library dependencies missing: $depends"

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
expected=$(sort <<'LIST'
./usr/bin/fieldcalc
./usr/bin/fieldcalc-cli
./usr/share/applications/io.github.fieldcalc.fieldcalc.desktop
./usr/share/doc/fieldcalc/changelog.gz
./usr/share/doc/fieldcalc/copyright
./usr/share/icons/hicolor/128x128/apps/fieldcalc.png
./usr/share/icons/hicolor/256x256/apps/fieldcalc.png
./usr/share/icons/hicolor/48x48/apps/fieldcalc.png
./usr/share/icons/hicolor/scalable/apps/fieldcalc.svg
./usr/share/man/man1/fieldcalc-cli.1.gz
./usr/share/man/man1/fieldcalc.1.gz
./usr/share/metainfo/io.github.fieldcalc.fieldcalc.metainfo.xml
LIST
)
[ "$files" = "$expected" ] || fail "file list differs:"$'\n'"$(diff <(echo "$expected") <(echo "$files"))"
echo "PASS: $(basename "$deb")"
