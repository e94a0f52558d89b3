#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Runs one cross-built test program under Wine, for ctest (the toolchain's
# CMAKE_CROSSCOMPILING_EMULATOR). The prefix is the build folder's own, made on
# first use; FIELDCALC_WINEPREFIX may name another.
#   wine-run.sh program.exe [arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"

program=$1
shift
prefix=${FIELDCALC_WINEPREFIX:-$(cd "$(dirname "$program")/.." && pwd)/wine-tests}
# Several tests may start at once: one of them makes the prefix.
exec 9>"$prefix.lock"
flock 9
wine_prefix_ready "$prefix"
flock -u 9

# A QtTest program's log does not reach a Unix stream from Wine: let it write a
# file, and show that.
log=
case "$(basename "$program")" in
tst_*)
    log=$(mktemp)
    set -- "$@" -o "$(winepath -w "$log" 2>/dev/null),txt"
    ;;
esac
# The suites' windows need an X display for Wine to draw into, and a window
# manager: without one, Wine's windows now and then never report being shown.
own_display() {
    local work=$1
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    echo $! >"$work/pids"
    for ((i = 0; i < 100; i++)); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")"
    openbox --sm-disable >/dev/null 2>&1 &
    echo $! >>"$work/pids"
    for ((i = 0; i < 100; i++)); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
        sleep 0.1
    done
}
fresh_wineserver() {
    wineserver -k 2>/dev/null || true
    wineserver -w
}
# Wine's desktop process stays with the display it started on: a display of our
# own gets a Wine server of its own.
if [ -z "${DISPLAY:-}" ]; then
    x_work=$(mktemp -d)
    trap 'wineserver -k 2>/dev/null; kill $(cat "$x_work/pids") 2>/dev/null; rm -rf "$x_work"' EXIT
    fresh_wineserver
    own_display "$x_work"
fi
# Each try ends well before ctest's limit, so that a hang still shows its log.
# Now and then, on a loaded machine, Wine hangs before a suite has started: a
# suite that never wrote its first line gets a second try. One that started is
# judged by what it did.
limit=100
timed_out() { [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; }
for try in 1 2; do
    status=0
    timeout --kill-after=10 "$limit" wine "$program" "$@" || status=$?
    timed_out && [ -n "$log" ] && [ ! -s "$log" ] && [ "$try" = 1 ] || break
    echo "wine-run: Wine did not start $(basename "$program") within $limit s; once more" >&2
    fresh_wineserver
done
! timed_out || echo "wine-run: $(basename "$program") still ran after $limit s" >&2
if [ -n "$log" ]; then
    cat "$log"
    rm -f "$log"
fi
exit "$status"
