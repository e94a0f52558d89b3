#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Builds the calculator as a web page with Qt for WebAssembly (tools/qt-web.sh,
# built once and cached) and leaves in build-web/:
#   fieldcalc-VERSION-web/      index.html and what it loads, to serve as it is
#   fieldcalc-VERSION-web.zip   the same folder, zipped
#   fieldcalc-VERSION.html      the whole page in one file, which opens from disk
#   bare-web/                   an empty window of the same Qt, for bench/web_page.py
#                               (built once, then kept in ~/.cache/fieldcalc/)
# Needs: tools/deps.sh web.
set -euo pipefail
cd "$(dirname "$0")/.."
qt=$(bash tools/qt-web.sh)
# shellcheck source=tools/web-env.sh
. tools/web-env.sh
version=$(sed -n '/^project(fieldcalc/,/)/s/^ *VERSION *\([0-9.]*\).*/\1/p' CMakeLists.txt)
out=build-web
build=$out/build

mkdir -p "$out"
"$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DBUILD_TESTING=OFF -DFIELDCALC_QT_MAJOR=6 -DFIELDCALC_WERROR=ON \
    >"$out/configure.log" 2>&1 ||
    { cat "$out/configure.log" >&2; exit 1; }
# The bare window that bench/web_page.py measures the page against changes only
# with its own source and the Qt, and its link alone takes minutes: it is kept
# beside the Qt build and reused.
bare_key=$( (cat bench/web/bare.cpp bench/web/CMakeLists.txt && echo "$qt") | sha256sum | cut -c1-12)
bare_cache=${XDG_CACHE_HOME:-$HOME/.cache}/fieldcalc/web-bare-$bare_key
if [ -e "$bare_cache/bare.wasm" ]; then
    cmake --build "$build" --parallel "$(nproc)" --target fieldcalc
else
    cmake --build "$build" --parallel "$(nproc)"
    rm -rf "$bare_cache.new" && mkdir -p "$bare_cache.new"
    cp "$build/bench/web/bare.js" "$build/bench/web/bare.wasm" "$build/bench/web/qtloader.js" \
        "$bare_cache.new/"
    rm -rf "$bare_cache" && mv "$bare_cache.new" "$bare_cache"
fi

page=$out/fieldcalc-$version-web
rm -rf "$page" && mkdir -p "$page"
cp packaging/web/index.html "$page/index.html"
cp "$build/app/fieldcalc.js" "$build/app/fieldcalc.wasm" "$build/app/qtloader.js" "$page/"
cp LICENSE "$page/LICENSE"
# The subset of WenQuanYi Micro Hei inside fieldcalc.wasm keeps its own licence.
cp /usr/share/doc/fonts-wqy-microhei/copyright "$page/LICENSE.font"
rm -f "$out/fieldcalc-$version-web.zip"
(cd "$out" && zip -qr "fieldcalc-$version-web.zip" "fieldcalc-$version-web")
# The bare window that bench/web_page.py measures the page against.
rm -rf "$out/bare-web" && mkdir "$out/bare-web"
sed "s/loadEmscriptenModule('fieldcalc')/loadEmscriptenModule('bare')/" packaging/web/index.html \
    >"$out/bare-web/index.html"
cp "$bare_cache/bare.js" "$bare_cache/bare.wasm" "$bare_cache/qtloader.js" "$out/bare-web/"
/usr/bin/python3 packaging/web/single-file.py "$page" "$out/fieldcalc-$version.html"
ls -l "$page" "$out"/fieldcalc-"$version"-web.zip "$out/fieldcalc-$version.html"
