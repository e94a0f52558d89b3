#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# The software centres' metadata and the manual page are valid, name the same
# application, and carry the project's version.
# usage: metadata_test.sh SOURCE_DIR VERSION path/to/fieldcalc-cli
set -euo pipefail
source_dir=$1
version=$2
cli=$3
id=io.github.fieldcalc.fieldcalc
metainfo=$source_dir/packaging/$id.metainfo.xml

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

report=$(appstreamcli validate --no-net "$metainfo") || fail "metainfo does not validate:"$'\n'"$report"
# AppStream 1.0 knows every tag we use, so any note it makes is about us; 0.16 does
# not know <developer> yet and only mentions it.
as_version=$(appstreamcli --version | sed -n 's/^AppStream version: *//p')
if [ "$(printf '%s\n' 1.0 "$as_version" | sort -V | head -1)" = 1.0 ] &&
    grep -E '^[EWI]:' <<<"$report"; then
    fail "appstreamcli $as_version has notes on the metainfo"
fi

for page in fieldcalc.1 fieldcalc-cli.1; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l \
        "$source_dir/packaging/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page warnings:"$'\n'"$warnings"
done
for binary in fieldcalc fieldcalc-cli; do
    grep -qF "<binary>$binary</binary>" "$metainfo" || fail "metainfo does not provide $binary"
done

# One application id: metainfo, its launchable, the desktop entry and the window;
# the developer id and the homepage are the id's own.
grep -qF "<developer id=\"${id%.*}\">" "$metainfo" || fail "developer id is not ${id%.*}"
grep -qF '<url type="homepage">https://github.com/fieldcalc/fieldcalc</url>' "$metainfo" ||
    fail "homepage does not match $id"
grep -qF "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch $id.desktop"
[ -f "$source_dir/packaging/$id.desktop" ] || fail "no desktop entry $id.desktop"
grep -qF "setDesktopFileName(QStringLiteral(\"$id\"))" "$source_dir/app/main.cpp" ||
    fail "the window does not name its desktop file $id"

# One version: the CMake project's, everywhere else too.
changelog=$(sed -n '1s/^fieldcalc (\([^)]*\)).*/\1/p' "$source_dir/debian/changelog")
release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
manual=$(sed -n 's/^\.TH FIELDCALC 1 [^ ]* "fieldcalc \([^"]*\)".*/\1/p' "$source_dir/packaging/fieldcalc.1")
cli_manual=$(sed -n 's/^\.TH FIELDCALC-CLI 1 [^ ]* "fieldcalc \([^"]*\)".*/\1/p' \
    "$source_dir/packaging/fieldcalc-cli.1")
cli_version=$("$cli" --version | sed -n 's/^fieldcalc-cli //p')
for found in "debian/changelog:$changelog" "metainfo release:$release" "man page:$manual" \
    "fieldcalc-cli man page:$cli_manual" "fieldcalc-cli --version:$cli_version"; do
    [ "${found#*:}" = "$version" ] || fail "${found%%:*} says '${found#*:}', the project $version"
done
echo "PASS: metadata and manual page, version $version"
