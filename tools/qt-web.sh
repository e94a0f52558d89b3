#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Builds a static Qt 6 for WebAssembly from Debian's qt6-base source with Debian's
# emscripten, once, into a cache folder outside the source tree, and prints its
# prefix. Later runs find it and only print it. Debian's own Qt 6 of the same
# version supplies the host tools (moc, uic, rcc).
#   FIELDCALC_QT_WEB  the prefix to use instead (built there if it is empty)
#   XDG_CACHE_HOME    where the cache lives (default ~/.cache)
# Needs: tools/deps.sh web. About 12 minutes on 2 cores.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/web-env.sh
. "$here/web-env.sh"

configure_options=(
    -platform wasm-emscripten -static -release -optimize-size
    -qt-host-path /usr -nomake examples -nomake tests
    # What the program does not use.
    -no-feature-network -no-feature-sql -no-feature-concurrent -no-feature-testlib
)
cmake_options=(-DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)

src_version=$(apt-cache showsrc qt6-base 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -1)
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
[ -n "$src_version" ] || {
    echo "qt-web: no qt6-base source package (run tools/deps.sh web)" >&2
    exit 1
}
# The host tools must be the same Qt as the source.
[ "${host_version%%+*}" = "${src_version%%+*}" ] || {
    echo "qt-web: qt6-base source $src_version does not match the host Qt $host_version" >&2
    exit 1
}
emcc_version=$(cat "$EMSCRIPTEN/emscripten-version.txt" 2>/dev/null | tr -d '"')
key=$(printf '%s\n' "$src_version" "$emcc_version" "${configure_options[@]}" "${cmake_options[@]}" |
    sha256sum | cut -c1-12)
upstream=${src_version%%+*}
prefix=${FIELDCALC_QT_WEB:-${XDG_CACHE_HOME:-$HOME/.cache}/fieldcalc/qt-$upstream-wasm-static-$key}
stamp=$prefix/.fieldcalc-built

# One build per prefix at a time: a second caller (CI starts this one early, in
# the background) waits for the first and takes its result.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9

if [ -e "$stamp" ] || [ -x "$prefix/bin/qt-cmake" -a -n "${FIELDCALC_QT_WEB:-}" ]; then
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/fieldcalc-qt-web.XXXXXX")
trap 'rm -rf "$work"' EXIT
log=$work/build.log
echo "qt-web: building Qt $src_version for WebAssembly into $prefix (log: $log)" >&2
(
    cd "$work"
    apt-get source --download-only -qq "qt6-base=$src_version" >/dev/null 2>&1
    dpkg-source --skip-patches -x ./*.dsc src >/dev/null
    cd src
    # Debian's upstream fixes (security fixes among them) apply; the patches
    # after "Debian specific" are about Linux packaging and are left out.
    sed -n '1,/^# Debian specific/{/^[^#]/p}' debian/patches/series |
        while read -r patch; do [ -z "$patch" ] || patch -p1 -s <"debian/patches/$patch"; done
    mkdir ../build && cd ../build
    ../src/configure -prefix "$prefix" "${configure_options[@]}" -- "${cmake_options[@]}"
    cmake --build . --parallel "$(nproc)"
    cmake --install .
) >"$log" 2>&1 || {
    tail -40 "$log" >&2
    echo "qt-web: the build failed" >&2
    exit 1
}
touch "$stamp"
echo "$prefix"
