#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Builds the Debian package the Debian way from a clean copy of the source,
# lints it, checks its contents, then installs, starts and purges it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh package
version=$(sed -n '/^project(fieldcalc/,/)/s/^ *VERSION *\([0-9.]*\).*/\1/p' CMakeLists.txt)

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# What git would check out, plus files not yet committed; never the build folders.
mkdir "$out/fieldcalc-$version"
git ls-files -z --cached --others --exclude-standard |
    tar --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$out/fieldcalc-$version"

(cd "$out/fieldcalc-$version" && dpkg-buildpackage -us -uc -b) >"$out/build.log" 2>&1 ||
    { tail -n 60 "$out/build.log" >&2; exit 1; }
grep -E '^[0-9]+% tests passed' "$out/build.log"

lintian --pedantic -I --fail-on error,warning "$out"/fieldcalc_"$version"_*.changes
bash tests/packaging/deb_test.sh "$out/fieldcalc_${version}_$(dpkg --print-architecture).deb" "$version"
bash .ci/package-smoke.sh "$out/fieldcalc_${version}_$(dpkg --print-architecture).deb"
