#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# End-to-end check of the program as a native Wayland client, beside the same
# program on X11 as the reference:
#  - in headless weston at output scale 1 and 2: the app id and title as the
#    compositor sees them, a screenshot against the X11 window at the same scale,
#    and peak memory within 1.1 times that on X11;
#  - in weston nested in Xvfb (the headless backend has no seat for input): real
#    key presses, Ctrl+Shift+C to the Wayland clipboard, and the close button's
#    exit code 0.
# usage: wayland_test.sh path/to/fieldcalc
set -euo pipefail

program=$1
title='ZK光机幅面粗略计算'
app_id=io.github.fieldcalc.fieldcalc
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

# The session around the test must not leak in.
while read -r name; do unset "$name"; done < <(env | sed -n 's/^\(QT_[A-Z_]*\|WAYLAND_[A-Z_]*\|XDG_[A-Z_]*\|DISPLAY\|LANG\|LANGUAGE\|LC_[A-Z]*\)=.*/\1/p')
export LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

peak_kb() { sed -n 's/^VmHWM:\s*\([0-9]*\) kB/\1/p' "/proc/$1/status"; }
# The clock ticks; mask it, as the X11 test does.
mask_clock() { convert "$1" -resize '797x497!' -fill black -draw 'rectangle 300,462 796,496' "$2"; }

# A black desktop without a panel, so the window is the only thing to find.
cat >"$work/weston.ini" <<'INI'
[core]
idle-time=0
[shell]
background-color=0xff000000
panel-position=none
locking=false
animation=none
startup-animation=none
INI

# start_weston NAME ARGS...: a compositor on a private socket, with the debug
# protocol for the screenshooter and the protocol log.
start_weston() {
    local name=$1
    shift
    weston --socket="$name" --config="$work/weston.ini" --debug --idle-time=0 "$@" \
        >"$work/$name.log" 2>&1 &
    pids+=($!)
    wait_for 10 test -S "$XDG_RUNTIME_DIR/$name" || fail "weston ($name) did not start"
    export WAYLAND_DISPLAY=$name
}

# Under a sanitizer build, leave out leak checking: Qt 6's Wayland clipboard keeps
# the last copied text past exit, which is Qt's and not the program's.
start_on_wayland() {
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" QT_QPA_PLATFORM=wayland \
        "$program" 2>>"$work/program.log" &
    app=$!
    pids+=("$app")
}

# The window in a screenshot of the whole output: everything that is not black.
# Where there is a seat, the pointer starts in the top left corner: mask it.
cursor_mask=(-fill black -draw 'rectangle 0,0 0,0')
whole_output() {
    rm -f "$work"/wayland-screenshot*.png
    (cd "$work" && weston-screenshooter) >/dev/null 2>&1 || return 1
    local shot
    shot=$(ls "$work"/wayland-screenshot*.png 2>/dev/null | head -n 1)
    [ -n "$shot" ] && convert "$shot" "${cursor_mask[@]}" "$1"
}
# A black border first, so the trim starts from black wherever the window lies.
window_box() {
    local image=$1
    shift
    convert "$image" -bordercolor black -border 1 -trim "$@"
}
screenshot_window() { whole_output "$work/output.png" && window_box "$work/output.png" +repage "$1"; }
window_of_size() { screenshot_window "$1" && [ "$(identify -format %wx%h "$1")" = "$2" ]; }
# Settled: two screenshots alike but for the clock, which ticks between them.
window_settled() {
    window_of_size "$work/previous.png" "$2" && window_of_size "$1" "$2" &&
        mask_clock "$work/previous.png" "$work/previous-masked.png" && mask_clock "$1" "$work/masked.png" &&
        below "$(difference "$work/previous-masked.png" "$work/masked.png")" 0.01
}

echo "# the X11 reference: screenshots at scale 1 and 2, and peak memory"
start_xvfb
declare -A x11_peak
for scale in 1 2; do
    echo "Xft.dpi: $((96 * scale))" | xrdb -merge
    QT_QPA_PLATFORM=xcb "$program" 2>>"$work/program.log" &
    x11=$!
    pids+=("$x11")
    wait_for 15 bash -c "xdotool search --onlyvisible --name '^$title\$'" || fail "no X11 window"
    window=$(xdotool search --onlyvisible --name "^$title\$" | head -n 1)
    x11_settled() {
        import -window "$window" "$work/x.png" && mask_clock "$work/x.png" "$work/x11-$scale.png" &&
            import -window "$window" "$work/x.png" && mask_clock "$work/x.png" "$work/x11-again.png" &&
            below "$(difference "$work/x11-$scale.png" "$work/x11-again.png")" 0.01
    }
    wait_for 10 x11_settled || fail "X11 window did not settle"
    x11_peak[$scale]=$(peak_kb "$x11")
    kill "$x11"
    wait "$x11" 2>/dev/null || true
done
unset DISPLAY

for scale in 1 2; do
    size="$((797 * scale))x$((497 * scale))"
    echo "# headless weston at output scale $scale: the window at $size"
    start_weston "fieldcalc-headless-$scale" --backend=headless-backend.so --use-pixman \
        --width=1280 --height=800 --scale="$scale"
    weston-debug proto >"$work/proto-$scale.log" 2>&1 &
    pids+=($!)
    start_on_wayland
    wait_for 20 window_settled "$work/wayland.png" "$size" ||
        fail "no settled $size window on Wayland ($(identify -format %wx%h "$work/wayland.png" 2>/dev/null))"
    mask_clock "$work/wayland.png" "$work/wayland-masked.png"
    rmse=$(difference "$work/x11-$scale.png" "$work/wayland-masked.png")
    echo "RMSE against X11 at scale $scale: $rmse"
    below "$rmse" 0.05 || fail "differs from the X11 window by $rmse (RMSE)"

    grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"$app_id\")" "$work/proto-$scale.log" ||
        fail "compositor saw no app id $app_id"
    grep -q "xdg_toplevel@[0-9]*\.set_title(\"$title\")" "$work/proto-$scale.log" ||
        fail "compositor saw no title $title"
    # The fixed size, as the compositor is told it: minimum and maximum alike.
    min=$(grep -o 'xdg_toplevel@[0-9]*\.set_min_size([0-9, ]*)' "$work/proto-$scale.log" | tail -n 1 | grep -o '(.*)')
    max=$(grep -o 'xdg_toplevel@[0-9]*\.set_max_size([0-9, ]*)' "$work/proto-$scale.log" | tail -n 1 | grep -o '(.*)')
    [ -n "$min" ] && [ "$min" = "$max" ] || fail "not a fixed size: min $min, max $max"

    # Within 1.1 times X11's, frames aside. An X11 window paints into one shared
    # image; a Wayland one into as many buffers as the compositor still holds when
    # the clock next ticks, which is a matter of timing. So the frames beyond the
    # first do not count, and neither may any graphics driver be mapped.
    peak=$(peak_kb "$app")
    frame=$((scale * scale * 797 * 497 * 4 / 1024))
    frames=$(awk '/^[0-9a-f]+-/ { shm = /wayland-shm/ } shm && /^Rss:/ { sum += $2 } END { print sum + 0 }' \
        "/proc/$app/smaps")
    extra=$((frames > frame ? frames - frame : 0))
    echo "peak RSS: Wayland ${peak} kB (${frames} kB of it frames), X11 ${x11_peak[$scale]} kB"
    awk -v w="$peak" -v x="${x11_peak[$scale]}" -v f="$extra" 'BEGIN { exit !(w - f <= 1.1 * x) }' ||
        fail "peak RSS on Wayland ${peak} kB less ${extra} kB of extra frames is over 1.1 times X11's ${x11_peak[$scale]} kB"
    ! grep -E 'libEGL_mesa|libGLX_mesa|_dri\.so|libgbm|libLLVM' "/proc/$app/maps" || fail "a graphics driver is loaded"
    kill "$app"
    wait "$app" 2>/dev/null || true
done

echo "# weston nested in Xvfb: key presses, the clipboard and the close button"
export DISPLAY=":$(cat "$work/display")"
start_weston fieldcalc-nested --backend=x11-backend.so --use-pixman --width=1280 --height=800
outer=$(xwininfo -root -tree | awk '/"Weston Compositor/ { print $1; exit }')
[ -n "$outer" ] || fail "no weston window on the X server"
# Weston reads keys from the X server only once the pointer has entered its
# window: enter it now, long before the first key.
xdotool mousemove --window "$outer" 5 5
cursor_mask=(-fill black -draw 'rectangle 0,0 40,40')
start_on_wayland
wait_for 30 window_of_size "$work/nested.png" 797x497 || {
    tail -5 "$work/fieldcalc-nested.log" >&2
    fail "no 797x497 window in nested weston ($(identify -format %wx%h "$work/nested.png" 2>/dev/null))"
}
# Where weston put the window: the offset of the trimmed screenshot.
whole_output "$work/output.png" || fail "no screenshot"
read -r x y < <(window_box "$work/output.png" info: | sed -n 's/.* [0-9]*x[0-9]*+\([0-9]*\)+\([0-9]*\) .*/\1 \2/p')
# ... less the border
x=$((x - 1))
y=$((y - 1))
# Letters, digits, Tab and Return only: Xvfb's keycodes for the arrows are not the
# ones weston reads. lineEdit lies at 60,110 .. 241,161 in the window.
xdotool mousemove --window "$outer" $((x + 150)) $((y + 135)) click 1
xdotool type --delay 100 6
xdotool key Tab
xdotool type --delay 100 1000
xdotool key Return ctrl+shift+c
copied() { timeout 2 wl-paste -n 2>/dev/null | grep -q '^光机幅面宽: 670 MM'; }
wait_for 10 copied || fail "clipboard holds '$(timeout 2 wl-paste -n 2>&1)'"
[ "$(timeout 2 wl-paste -n)" = "$(printf '%s\n' '光机选择: R91' '镜头大小: 6' '工作距离: 1000 MM' \
    '光机幅面长: 1215 MM' '光机幅面宽: 670 MM' '扫描幅面长: R91无扫描幅面' '扫描幅面宽: R91无扫描幅面' \
    '景深: 无R91景深')" ] || fail "clipboard holds '$(timeout 2 wl-paste -n)'"
# pushButton_2 lies at 630,320 .. 771,391. Now and then nested weston takes the
# first press after the clipboard reads as a move only: press again, three times
# at most, until the program has gone.
xdotool mousemove --window "$outer" $((x + 700)) $((y + 355))
for _ in 1 2 3; do
    xdotool click 1
    wait_for 5 bash -c "! kill -0 $app" && break
done
! kill -0 "$app" 2>/dev/null || fail "still running after the close button"
code=0
wait "$app" || code=$?
[ "$code" -eq 0 ] || fail "exit code $code after the close button"

echo "PASS: wayland end-to-end"
