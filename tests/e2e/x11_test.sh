#!/usr/bin/env bash
# End-to-end check of the real program in a real X server with a window manager:
# window size and hints, a notice from real key presses, and both ways of closing.
# usage: x11_test.sh path/to/fieldcalc
set -euo pipefail

program=$1
title='ZK光机幅面粗略计算'
work=$(mktemp -d)
pids=()

cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    [ -s "$work/program.log" ] && tail -n 40 "$work/program.log" >&2; rm -rf "$work"
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

find_window() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }
has_window() { [ -n "$(find_window "$1")" ]; }

# Exit status of a started program once it ends, or failure after SECONDS.
exit_code_within() {
    local pid=$1 seconds=$2
    wait_for "$seconds" bash -c "! kill -0 $pid" || return 1
    wait "$pid"
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

openbox --sm-disable 2>"$work/openbox.log" &
pids+=($!)
wait_for 10 xprop -root _NET_SUPPORTING_WM_CHECK || fail "no window manager"
wait_for 10 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window" ||
    fail "window manager not ready"
# Openbox sets its check window before it has finished taking over the screen; a
# client mapped in that gap can stay unmanaged.
sleep 1

start_program() {
    "$program" 2>>"$work/program.log" &
    app=$!
    pids+=("$app")
    wait_for 15 has_window "$title" || fail "main window did not appear"
    window=$(find_window "$title")
}

echo "# window size and hints"
start_program
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "797x497" ] || fail "window is $geometry, not 797x497"
read -r flags functions decorations _ < <(xprop -id "$window" _MOTIF_WM_HINTS |
    sed -n 's/.*= //p' | tr -d ',')
echo "_MOTIF_WM_HINTS flags=$flags functions=$functions decorations=$decorations"
# Motif bits: functions 1 all, 8 minimize, 16 maximize; decorations 1 all, 32 minimize, 64 maximize
((flags & 1)) || fail "no function hints"
((flags & 2)) || fail "no decoration hints"
((!(functions & (1 | 8 | 16)))) || fail "functions $functions offer minimize or maximize"
((!(decorations & (1 | 32 | 64)))) || fail "decorations $decorations offer minimize or maximize"

echo "# Enter in the empty distance field shows a notice"
# lineEdit_2 lies at 370,110 .. 561,161 in the window
xdotool mousemove --window "$window" 465 135 click 1
sleep 0.3
xdotool key --window "$window" Return
wait_for 10 has_window '提示' || fail "no notice window"
notice=$(find_window '提示')
[ "$notice" != "$window" ] || fail "notice is not a window of its own"
xdotool windowactivate --sync "$notice" 2>/dev/null || true
xdotool key Return
wait_for 10 bash -c "[ -z \"\$(xdotool search --onlyvisible --name '^提示\$')\" ]" ||
    fail "notice did not close on Enter"
kill -0 "$app" || fail "program ended after the notice"

echo "# the close button ends the program with 0"
# pushButton_2 lies at 630,320 .. 771,391
xdotool mousemove --window "$window" 700 355 click 1
code=0
exit_code_within "$app" 10 || code=$?
[ "$code" -eq 0 ] || fail "exit code $code after the close button"

echo "# closing from the title bar ends the program with 0"
start_program
read -r left right top _ < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',')
x=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
y=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')
# Openbox puts the close button last in the title bar, about 11 px from the frame's edge.
xdotool mousemove $((x + 797 + right - 11)) $((y - top / 2)) click 1
code=0
exit_code_within "$app" 10 || code=$?
[ "$code" -eq 0 ] || fail "exit code $code after closing from the title bar"

echo "PASS: x11 end-to-end"
