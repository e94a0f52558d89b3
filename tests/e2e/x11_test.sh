#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# End-to-end check of the real program in a real X server with a window manager:
# the title under a POSIX locale, the size at several display scales, a window that
# cannot be resized, a notice from real key presses, and both ways of closing.
# usage: x11_test.sh path/to/fieldcalc path/to/desktop-entry
set -euo pipefail

program=$1
entry=$2
title='ZK光机幅面粗略计算'
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

# The session around the test must not leak in: a Wayland or KDE shell exports its
# platform, a laptop its scale. The program runs under the POSIX locale, as in a
# minimal container; the tools here read the title as UTF-8.
while read -r name; do unset "$name"; done < <(env | sed -n 's/^\(QT_[A-Z_]*\|WAYLAND_[A-Z_]*\|XDG_SESSION_TYPE\|LANG\|LANGUAGE\|LC_[A-Z]*\)=.*/\1/p')
export QT_QPA_PLATFORM=xcb
export LC_ALL=C.UTF-8

find_window() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }
has_window() { [ -n "$(find_window "$1")" ]; }
size_of() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

# Exit status of a started program once it ends, or failure after SECONDS.
exit_code_within() {
    local pid=$1 seconds=$2
    wait_for "$seconds" bash -c "! kill -0 $pid" || return 1
    wait "$pid"
}

start_xvfb
start_openbox
# Openbox sets its check window before it has finished taking over the screen; a
# client mapped in that gap can stay unmanaged.
sleep 1

# start_program [VAR=VALUE...]: the program in the POSIX locale, plus the variables.
start_program() {
    env -u LC_ALL "$@" "$program" 2>>"$work/program.log" &
    app=$!
    pids+=("$app")
    wait_for 15 has_window "$title" || fail "main window did not appear"
    window=$(find_window "$title")
}

# A screenshot scaled to 797x497 with the ticking clock masked out.
snapshot() {
    import -window "$window" "$work/raw.png" &&
        convert "$work/raw.png" -resize '797x497!' -fill black -draw 'rectangle 300,462 796,496' "$1"
}
# Two snapshots in a row that agree: the window has finished painting (only the
# text cursor still blinks).
settled_snapshot() {
    snapshot "$work/previous.png" && snapshot "$1" &&
        below "$(difference "$work/previous.png" "$1")" 0.01
}

echo "# title under a POSIX locale, size and hints at 100 %"
echo 'Xft.dpi: 96' | xrdb -merge
start_program
for property in WM_NAME _NET_WM_NAME; do
    value=$(xprop -id "$window" "$property" | sed -n 's/^[^=]*= "\(.*\)"$/\1/p')
    [ "$value" = "$title" ] || fail "$property is '$value'"
done
[ "$(size_of "$window")" = "797x497" ] || fail "window is $(size_of "$window"), not 797x497"
# A desktop matches the window to its menu entry by the entry's StartupWMClass.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
xprop -id "$window" WM_CLASS | grep -qF "\"$wm_class\"" ||
    fail "WM_CLASS $(xprop -id "$window" WM_CLASS) does not name $wm_class"
# Title bar and task bar take the icon from the window, in every size it ships in.
icons=$(xprop -id "$window" -len 1000000 _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]* x [0-9]*\)).*/\1/p' | tr '\n' ,)
[ "$icons" = "48 x 48,128 x 128,256 x 256," ] || fail "window icons: $icons"
wait_for 10 settled_snapshot "$work/100.png" || fail "window did not settle"
read -r flags functions decorations _ < <(xprop -id "$window" _MOTIF_WM_HINTS |
    sed -n 's/.*= //p' | tr -d ',')
echo "_MOTIF_WM_HINTS flags=$flags functions=$functions decorations=$decorations"
# Motif bits: functions 1 all, 8 minimize, 16 maximize; decorations 1 all, 32 minimize, 64 maximize
((flags & 1)) || fail "no function hints"
((flags & 2)) || fail "no decoration hints"
((!(functions & (1 | 8 | 16)))) || fail "functions $functions offer minimize or maximize"
((!(decorations & (1 | 32 | 64)))) || fail "decorations $decorations offer minimize or maximize"

echo "# the window manager can neither resize nor maximize it, and it keeps title and close"
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -q _NET_WM_ACTION_CLOSE <<<"$actions" || fail "no close action: $actions"
read -r _ _ top _ < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',')
((top > 0)) || fail "no title bar"
xdotool windowsize "$window" 400 300
wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
# The window manager handles requests in order: once "above" is set, the resize and
# the maximize have been answered.
wmctrl -i -r "$window" -b add,above
wait_for 5 bash -c "xprop -id $window _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" ||
    fail "window manager did not answer"
[ "$(size_of "$window")" = "797x497" ] || fail "window was resized to $(size_of "$window")"
if xprop -id "$window" _NET_WM_STATE | grep -q MAXIMIZED; then fail "window was maximized"; fi

echo "# the results reach the clipboard: context menu over a disabled result, and Ctrl+Shift+C"
copied() { [ "$(xclip -selection clipboard -o 2>/dev/null)" = "$1" ]; }
empty_window=$'光机选择: R91\n镜头大小:\n工作距离:\n光机幅面长:\n光机幅面宽:\n扫描幅面长:\n扫描幅面宽:\n景深:'
echo -n unset | xclip -selection clipboard
# lineEdit_3, disabled, lies at 60,220 .. 241,271 in the window
# A popup menu is an override-redirect window of the program's own.
has_menu() {
    for w in $(xdotool search --onlyvisible --class fieldcalc); do
        xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && return 0
    done
    return 1
}
xdotool mousemove --window "$window" 150 245 click 3
wait_for 5 has_menu || fail "no context menu over a result field"
xdotool key Down Return
wait_for 5 copied "$empty_window" || fail "context menu copied '$(xclip -selection clipboard -o)'"
echo -n unset | xclip -selection clipboard
xdotool key --window "$window" ctrl+shift+c
wait_for 5 copied "$empty_window" || fail "Ctrl+Shift+C copied '$(xclip -selection clipboard -o)'"

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

# At any scale the window is the 100 % window scaled up: nothing clipped or shifted.
scales=(
    "125% 120 1.25"
    "150% 144 1.5"
    "200% 192 2"
    "QT_SCALE_FACTOR 96 1.5 QT_SCALE_FACTOR=1.5"
)
for scale in "${scales[@]}"; do
    read -r label dpi factor variables <<<"$scale"
    echo "# $label: the 100 % window, scaled by $factor"
    echo "Xft.dpi: $dpi" | xrdb -merge
    # shellcheck disable=SC2086 # one VAR=VALUE word, or none
    start_program $variables
    expected=$(awk -v f="$factor" 'BEGIN { printf "%dx%d", int(797 * f + 0.5), int(497 * f + 0.5) }')
    wait_for 5 bash -c "[ \"\$(xdotool getwindowgeometry $window | sed -n 's/.*Geometry: //p')\" = $expected ]" ||
        fail "window is $(size_of "$window"), not $expected"
    match() { settled_snapshot "$work/scaled.png" && below "$(difference "$work/100.png" "$work/scaled.png")" 0.1; }
    wait_for 10 match ||
        fail "differs from the 100 % window by $(difference "$work/100.png" "$work/scaled.png") (RMSE)"
    echo "RMSE against 100 %: $(difference "$work/100.png" "$work/scaled.png")"

    # Closing from the title bar is the window manager's close request.
    wmctrl -i -c "$window"
    code=0
    exit_code_within "$app" 10 || code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after closing from the title bar"
done

echo "PASS: x11 end-to-end"
