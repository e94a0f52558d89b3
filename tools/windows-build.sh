#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Builds fieldcalc for 64-bit Windows into build-windows/: both programs, the
# portable fieldcalc-VERSION-windows-x64.zip and the per-user installer
# fieldcalc-VERSION-setup.exe. The static Qt comes from tools/qt-windows.sh
# (built once, about 35 minutes, then reused). Needs: tools/deps.sh windows.
set -euo pipefail
cd "$(dirname "$0")/.."

FIELDCALC_QT_WINDOWS=$(bash tools/qt-windows.sh)
export FIELDCALC_QT_WINDOWS

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"

build=build-windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=fieldcalc-$version-windows-x64
stage=$build/stage/$name
rm -rf "$build/stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null

# Portable: one folder with both programs, the licence and a README.
rm -f "$build/$name.zip"
(cd "$build/stage" && TZ=UTC zip -qrX "../$name.zip" "$name")

makensis -V2 -DVERSION="$version" -DSTAGE="$(pwd)/$stage" \
    -DICON="$(pwd)/packaging/windows/fieldcalc.ico" \
    -DOUTFILE="$(pwd)/$build/fieldcalc-$version-setup.exe" packaging/windows/installer.nsi

ls -l "$stage"/*.exe "$build/$name.zip" \
    "$build/fieldcalc-$version-setup.exe" | awk '{print $5, $9}'
