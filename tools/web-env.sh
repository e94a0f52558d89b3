# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Sourced by the web build scripts: makes Debian's emscripten look like the
# emsdk layout that Qt's CMake support expects, and finds the Node modules that
# Debian packages apart from Node itself.
emscripten_root=/usr/share/emscripten
[ -e "$emscripten_root/emcc.py" ] && command -v emcc >/dev/null || {
    echo "web: Debian's emscripten is missing (run tools/deps.sh web)" >&2
    exit 1
}
# Qt reads EMSCRIPTEN_ROOT from $EMSDK/.emscripten and runs emcc from
# $EMSDK/<that root>; Debian keeps emcc.py there and the commands in /usr/bin.
EMSDK=${XDG_CACHE_HOME:-$HOME/.cache}/fieldcalc/emsdk-debian
root=$EMSDK/upstream/emscripten
if [ ! -x "$root/emcc" ]; then
    mkdir -p "$root"
    for entry in "$emscripten_root"/* "$emscripten_root"/.emscripten; do
        ln -sfn "$entry" "$root/"
    done
    for tool in emcc em++ emar emranlib emcmake emconfigure emmake em-config; do
        ln -sfn "/usr/bin/$tool" "$root/$tool"
    done
    echo "EMSCRIPTEN_ROOT = '/upstream/emscripten'" >"$EMSDK/.emscripten"
fi
export EMSDK EMSCRIPTEN=$emscripten_root
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
