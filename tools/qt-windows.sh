#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Builds a static Qt 5 for 64-bit Windows from Debian's qtbase source with the
# MinGW-w64 cross compiler (posix threads), once, into a cache folder outside the
# source tree, and prints its prefix. Later runs find it and only print it.
#   FIELDCALC_QT_WINDOWS  the prefix to use instead (built there if it is empty)
#   XDG_CACHE_HOME        where the cache lives (default ~/.cache)
# Needs: tools/deps.sh windows. About 35 minutes on 2 cores.
set -euo pipefail

cross=x86_64-w64-mingw32-
configure_options=(
    -xplatform win32-g++ -device-option CROSS_COMPILE="$cross"
    -static -release -opensource -confirm-license
    -nomake examples -nomake tests -no-pch
    -no-opengl -no-dbus -no-icu
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
    # Debian's repacked source leaves out the wintab headers.
    -no-feature-tabletevent
    # What the program does not use.
    -no-feature-network -no-feature-sql -no-feature-concurrent
)

# Debian's version of the source, without asking the network when it is known.
src_version=$(apt-cache showsrc qtbase-opensource-src 2>/dev/null |
    sed -n 's/^Version: //p' | sort -V | tail -1)
[ -n "$src_version" ] || {
    echo "qt-windows: no qtbase-opensource-src source package (run tools/deps.sh windows)" >&2
    exit 1
}
key=$(printf '%s\n' "$src_version" "${configure_options[@]}" | sha256sum | cut -c1-12)
upstream=${src_version%%+*}
prefix=${FIELDCALC_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/fieldcalc/qt-$upstream-mingw64-static-$key}
stamp=$prefix/.fieldcalc-built

# One build per prefix at a time: a second caller (CI starts this one early, in
# the background) waits for the first and takes its result.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9

if [ -e "$stamp" ] || [ -x "$prefix/bin/qmake" -a -n "${FIELDCALC_QT_WINDOWS:-}" ]; then
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/fieldcalc-qt-windows.XXXXXX")
trap 'rm -rf "$work"' EXIT
log=$work/build.log
echo "qt-windows: building Qt $src_version for Windows into $prefix (log: $log)" >&2
(
    cd "$work"
    apt-get source --download-only -qq "qtbase-opensource-src=$src_version" >/dev/null 2>&1
    dpkg-source --skip-patches -x ./*.dsc src >/dev/null
    cd src
    # Debian's upstream backports (security fixes among them) apply; its own
    # distribution patches are about Linux packaging and are left out.
    sed -n '/^# Backported/,/^$/{/^[^#]/p}' debian/patches/series |
        while read -r patch; do patch -p1 -s <"debian/patches/$patch"; done
    mkdir ../build && cd ../build
    ../src/configure -prefix "$prefix" "${configure_options[@]}"
    make -j"$(nproc)"
    make install
) >"$log" 2>&1 || {
    tail -40 "$log" >&2
    echo "qt-windows: the build failed" >&2
    exit 1
}
touch "$stamp"
echo "$prefix"
