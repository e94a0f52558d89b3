#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Installs the Debian packages that building, running or testing needs, and only
# those that are missing, so a second run costs nothing.
#   tools/deps.sh run    build tools, Qt 5 and a CJK font
#   tools/deps.sh test   the above, plus an X server, window tools and packaging tools
#   tools/deps.sh bench  the run set, plus Google Benchmark, an X server and valgrind
#   tools/deps.sh package  what dpkg-buildpackage, lintian and the install check need
#   tools/deps.sh qt6    Qt 6 (build with -DFIELDCALC_QT_MAJOR=6)
#   tools/deps.sh windows  the MinGW cross compiler, Qt's source, Wine and NSIS
#   tools/deps.sh web    emscripten, Qt 6's source and host tools, and a headless browser
# Several sets may be named at once: tools/deps.sh test qt6
set -euo pipefail

run_packages=(
    build-essential cmake # compiler and build system
    qtbase5-dev           # Qt 5 Widgets, QtTest and the offscreen platform
    fonts-wqy-microhei    # glyphs for the Chinese texts
)
test_packages=(
    xvfb xauth          # a real X server without a display
    xdotool x11-utils   # drive the window, read its properties (xprop)
    xclip               # read what the window put on the clipboard
    x11-xserver-utils   # xrdb, to set the display scale (Xft.dpi)
    openbox wmctrl      # a light window manager, and requests to it (close, maximize)
    imagemagick         # screenshots of the window, compared across scales
    desktop-file-utils  # desktop-file-validate
    appstream man-db    # appstreamcli validate, man --warnings
    clang libclang-rt-dev # libFuzzer and the sanitizers' runtimes (the release's clang)
    clang-tidy cppcheck # static analysis
    ccache              # CI's rebuilds of a fresh clone, from a cache
    qtwayland5 weston wl-clipboard # the program as a native Wayland client, in headless weston
)
bench_packages=(
    libbenchmark-dev  # the in-process benchmarks
    xvfb xauth xdotool # start-up and idle in a real X server
    python3           # bench/startup.py
    valgrind          # callgrind, to see where start-up goes
)

package_packages=(
    debhelper dpkg-dev           # dpkg-buildpackage and dh
    cmake qtbase5-dev fonts-wqy-microhei # the Build-Depends of debian/control
    lintian devscripts           # lintian, hardening-check
    reuse                        # reuse lint
    desktop-file-utils appstream man-db
    xvfb xauth xdotool           # start the installed program
)

windows_packages=(
    g++-mingw-w64-x86-64-posix # the cross compiler, posix thread model, for Qt and the program
    binutils-mingw-w64-x86-64  # windres and objdump for Windows files
    dpkg-dev xz-utils perl python3 # apt-get source and Qt's configure
    wine wine64                # run the .exe files and the tests
    nsis zip                   # the installer and the portable zip
    xvfb xauth xdotool x11-utils xclip imagemagick openbox # the end-to-end test's display and window manager
    fonts-wqy-microhei         # the CJK font Wine finds through fontconfig
    locales                    # zh_CN.UTF-8, for Wine's Chinese code page (936)
)

web_packages=(
    emscripten ninja-build       # the WebAssembly compiler, and the generator Qt 6 builds with
    qt6-base-dev                 # moc, uic and rcc of the same Qt version as the source
    dpkg-dev xz-utils            # apt-get source
    python3-fonttools            # pyftsubset: the CJK font cut down to the program's characters
    fonts-wqy-microhei zip
    chromium chromium-driver python3-selenium # the page in a headless browser
    imagemagick                  # its screenshot compared with the X11 one
)

qt6_packages=(
    qt6-base-dev       # Qt 6 Widgets, QtTest, uic, and the offscreen and xcb platforms
    qt6-wayland        # Qt 6's Wayland platform
)

[ $# -gt 0 ] || set -- usage
wanted=()
for set in "$@"; do
    case "$set" in
    run) wanted+=("${run_packages[@]}") ;;
    test) wanted+=("${run_packages[@]}" "${test_packages[@]}") ;;
    bench) wanted+=("${run_packages[@]}" "${bench_packages[@]}") ;;
    package) wanted+=("${run_packages[@]}" "${package_packages[@]}") ;;
    qt6) wanted+=("${run_packages[@]}" "${qt6_packages[@]}") ;;
    windows) wanted+=("${run_packages[@]}" "${windows_packages[@]}") ;;
    web) wanted+=("${run_packages[@]}" "${web_packages[@]}") ;;
    *)
        echo "usage: $0 run|test|bench|package|qt6|windows|web ..." >&2
        exit 2
        ;;
    esac
done

# Qt for Windows and for the web is built from Debian's own Qt source: apt-get
# source needs a deb-src entry beside the deb one.
if printf '%s\n' "$@" | grep -qxE 'windows|web'; then
    src_list=/etc/apt/sources.list.d/fieldcalc-deb-src.sources
    if [ ! -e "$src_list" ] && [ -e /etc/apt/sources.list.d/debian.sources ] &&
        ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
        ! grep -qs '^deb-src' /etc/apt/sources.list; then
        sudo_src=()
        [ "$(id -u)" -eq 0 ] || sudo_src=(sudo)
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            "${sudo_src[@]}" tee "$src_list" >/dev/null
        "${sudo_src[@]}" apt-get update -qq
    fi
fi

missing=()
for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$pkg")
done
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Windows tests also run Wine under a Chinese locale, for code page 936.
if printf '%s\n' "$@" | grep -qx windows && ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    "${sudo[@]}" localedef -i zh_CN -c -f UTF-8 -A /usr/share/locale/locale.alias zh_CN.UTF-8
fi
