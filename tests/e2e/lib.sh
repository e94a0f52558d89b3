# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT
# shellcheck shell=bash

# Shared by the end-to-end tests: a scratch folder, the background processes to
# stop at the end, bounded waits, and screenshot comparisons.

work=$(mktemp -d)
pids=()

cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    [ -s "$work/program.log" ] && tail -n 40 "$work/program.log" >&2
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_for SECONDS COMMAND...: retry COMMAND every 0.1 s until it succeeds.
wait_for() {
    local tries=$(($1 * 10))
    shift
    for ((i = 0; i < tries; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Root mean square difference of two images, 0 to 1.
difference() { { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\))/\1/p'; }
below() { awk -v d="$1" -v limit="$2" 'BEGIN { exit !(d != "" && d < limit) }'; }

# start_xvfb: a private X server (kept for X resources such as Xft.dpi); sets DISPLAY.
start_xvfb() {
    Xvfb -displayfd 3 -noreset -screen 0 1920x1200x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
}

start_openbox() {
    openbox --sm-disable 2>"$work/openbox.log" &
    pids+=($!)
    wait_for 10 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window" ||
        fail "no window manager"
}
