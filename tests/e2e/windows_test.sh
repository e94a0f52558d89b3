#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# End-to-end check of what a Windows user downloads, under Wine in Xvfb with a
# window manager, in a fresh prefix: the silent per-user install (files, Start-menu
# shortcut, uninstall entry), the installed window at 96 and 144 dpi, real key
# presses, the results through Ctrl+Shift+C on the clipboard, a screenshot against
# the Linux one, closing from the title bar, the command line, and a silent
# uninstall that leaves nothing behind.
# usage: windows_test.sh fieldcalc-VERSION-setup.exe linux-screenshot.png [screenshot-out.png]
set -euo pipefail

setup=$(realpath "$1")
reference=$(realpath "$2")
shot_out=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../windows/wine-env.sh
. "$here/../windows/wine-env.sh"
# The Unix locale sets Windows' code pages: C.UTF-8 gives 1252 (Western), and
# zh_CN.UTF-8 gives 936, as on Chinese Windows.
export LC_ALL=${FIELDCALC_WINE_LOCALE:-C.UTF-8}
title='ZK光机幅面粗略计算'
app_id=io.github.fieldcalc.fieldcalc
# shellcheck source=lib.sh
. "$here/lib.sh"
prefix=$(dirname "$setup")/wine-e2e-$LC_ALL
rm -rf "$prefix"
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; cleanup' EXIT

start_xvfb
start_openbox

echo "# a fresh prefix"
wine_prefix_ready "$prefix"
user=$(wine_step 60 wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r\n')
home="$prefix/drive_c/users/$user"
installed="$home/AppData/Local/Programs/fieldcalc"
shortcut="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$title.lnk"
key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app_id"

echo "# silent per-user install"
wine_step 120 wine "$setup" /S || fail "installer exited with $?"
wine_step 60 wineserver -w
for file in fieldcalc.exe fieldcalc-cli.exe LICENSE README.txt uninstall.exe; do
    [ -f "$installed/$file" ] || fail "not installed: $installed/$file"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
entry=$(wine_step 60 wine reg query "$key" 2>/dev/null | tr -d '\r')
for value in DisplayName DisplayVersion Publisher DisplayIcon UninstallString QuietUninstallString; do
    grep -q "^ *$value " <<<"$entry" || fail "uninstall entry lacks $value: $entry"
done
grep -q 'QuietUninstallString.*uninstall.exe" /S' <<<"$entry" || fail "no silent uninstall: $entry"

echo "# the command line: the Linux text byte for byte, and a refusal"
wine_step 60 wine "$installed/fieldcalc-cli.exe" M64 500 >"$work/cli.out" 2>>"$work/program.log" ||
    fail "fieldcalc-cli.exe M64 500 exited with $?"
printf '%s\n' '光机选择: M64' '镜头大小:' '工作距离: 500 MM' '光机幅面长: 422.308 MM' \
    '光机幅面宽: 234.615 MM' '扫描幅面长: 260 MM' '扫描幅面宽: 212.308 MM' '景深: ±106.429 MM' \
    >"$work/cli.expected"
cmp "$work/cli.out" "$work/cli.expected" || fail "fieldcalc-cli.exe printed $(od -c "$work/cli.out" | head)"
code=0
wine_step 60 wine "$installed/fieldcalc-cli.exe" M64 50 >/dev/null 2>"$work/cli.err" || code=$?
[ "$code" -eq 1 ] || fail "refusal exited with $code"
grep -q '^M64输入工作距离不能小于80MM!' "$work/cli.err" || fail "refusal said $(cat "$work/cli.err")"

echo "# the command line in a console (a pty), whatever its code page"
# What the terminal shows, without Wine's console control sequences and CRs.
in_console() {
    wine_step 60 script -qec "$(printf '%q ' wine "$@")" /dev/null </dev/null |
        sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\x1b\][^\x07]*\x07//g' | tr -d '\r'
}
code_page=$(in_console cmd /c chcp | grep -o '[0-9]\+' | tail -n 1)
echo "console code page $code_page"
case "$LC_ALL" in zh_CN*) [ "$code_page" = 936 ] || fail "console code page $code_page, not 936" ;; esac
console=$(in_console "$installed/fieldcalc-cli.exe" M64 500)
for line in '光机幅面长: 422.308 MM' '景深: ±106.429 MM'; do
    grep -qxF "$line" <<<"$console" || fail "the console shows '$console', not '$line'"
done
code=0
console=$(in_console "$installed/fieldcalc-cli.exe" M61 50) || code=$?
[ "$code" -eq 1 ] || fail "the refusal in the console exited with $code"
grep -qF 'm61输入工作距离不能小于70MM!' <<<"$console" || fail "the console shows the refusal as '$console'"
console=$(in_console "$installed/fieldcalc-cli.exe" --help)
grep -q '^Usage: .*fieldcalc-cli' <<<"$console" || fail "--help in the console: '$console'"

find_window() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }
has_window() { [ -n "$(find_window "$1")" ]; }
# Wine's windows report their geometry through xwininfo; xdotool's is off by the
# title bar.
size_of() { xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
snapshot() {
    import -window "$window" "$work/raw.png" &&
        convert "$work/raw.png" -resize '797x497!' -fill black -draw 'rectangle 300,462 796,496' "$1"
}
settled_snapshot() {
    snapshot "$work/previous.png" && snapshot "$1" &&
        below "$(difference "$work/previous.png" "$1")" 0.01
}
convert "$reference" -fill black -draw 'rectangle 300,462 796,496' "$work/linux.png"

start_program() {
    wine "$installed/fieldcalc.exe" 2>>"$work/program.log" &
    app=$!
    pids+=("$app")
    wait_for 30 has_window "$title" || fail "window '$title' did not appear"
    window=$(find_window "$title")
}

# close_from_title_bar: a click on the close button at the right of the title bar.
close_from_title_bar() {
    local x y w h left right top
    read -r x y < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
    read -r w h < <(size_of "$window" | tr x ' ')
    extents() { xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ','; }
    wait_for 10 bash -c "$(declare -f extents); window=$window; [ -n \"\$(extents)\" ]" ||
        fail "no frame extents on $(xprop -id "$window" WM_NAME) ($(cat "$work/openbox.log"))"
    read -r left right top _ < <(extents)
    ((top > 0)) || fail "no title bar"
    xdotool mousemove $((x + w + right - top / 2 - 2)) $((y - top / 2)) click 1
    code=0
    wait_for 15 bash -c "! kill -0 $app" || fail "still running after a click on close"
    wait "$app" || code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after closing from the title bar"
}

for scale in "96 797x497" "144 1196x746"; do
    read -r dpi size <<<"$scale"
    echo "# $dpi dpi: the window at $size"
    wine_set_dpi "$dpi"
    start_program
    wait_for 10 bash -c "[ \"\$(xwininfo -id $window | awk '/Width:/ { w = \$2 } /Height:/ { h = \$2 } END { print w \"x\" h }')\" = $size ]" ||
        fail "window is $(size_of "$window"), not $size"

    if [ "$dpi" = 96 ]; then
        wait_for 10 settled_snapshot "$work/empty-96.png" || fail "window did not settle"
        echo "# M64 and 500 by real key presses, Enter, Ctrl+Shift+C"
        xdotool windowactivate --sync "$window" 2>/dev/null || true
        # lineEdit_2 lies at 370,110 .. 561,161; the chooser is two Shift+Tabs back.
        xdotool mousemove --window "$window" 465 135 click 1
        sleep 0.3
        xdotool key --delay 100 shift+Tab shift+Tab Down Down Tab Tab
        xdotool type --delay 100 500
        xdotool key Return
        echo -n unset | xclip -selection clipboard
        copied() { xclip -selection clipboard -o 2>/dev/null | grep -q '^景深: ±106.429 MM'; }
        xdotool key ctrl+shift+c
        wait_for 10 copied || fail "Ctrl+Shift+C copied '$(xclip -selection clipboard -o 2>/dev/null)'"
        clip=$(xclip -selection clipboard -o | tr -d '\r')
        for figure in '光机选择: M64' '光机幅面长: 422.308 MM' '光机幅面宽: 234.615 MM' \
            '扫描幅面长: 260 MM' '扫描幅面宽: 212.308 MM' '景深: ±106.429 MM'; do
            grep -qxF "$figure" <<<"$clip" || fail "clipboard lacks '$figure': $clip"
        done
        wait_for 10 settled_snapshot "$work/windows.png" || fail "window did not settle"
        if [ -n "$shot_out" ]; then import -window "$window" "$shot_out"; fi
        # The native style frames the group boxes and Wine draws the CJK font without
        # synthetic bold; the layout, texts and colours may not differ.
        rmse=$(difference "$work/linux.png" "$work/windows.png")
        echo "RMSE against the Linux window: $rmse"
        below "$rmse" 0.25 || fail "differs from the Linux window by $rmse (RMSE)"
        echo "# a refused distance: the notice, closed with Enter"
        xdotool mousemove --window "$window" 465 135 click 1
        xdotool key ctrl+a BackSpace
        xdotool type --delay 100 50
        xdotool key Return
        wait_for 10 has_window '提示' || fail "no notice '提示'"
        xdotool windowactivate --sync "$(find_window '提示')" 2>/dev/null || true
        xdotool key Return
        wait_for 10 bash -c "! xdotool search --onlyvisible --name '^提示\$' >/dev/null" ||
            fail "the notice did not close with Enter"
    else
        # The 96 dpi window, one and a half times as large: nothing clipped or shifted
        # (the fonts are hinted for their size, hence a wider margin than on X11).
        match() { settled_snapshot "$work/scaled.png" && below "$(difference "$work/empty-96.png" "$work/scaled.png")" 0.15; }
        wait_for 10 match ||
            fail "differs from the 96 dpi window by $(difference "$work/empty-96.png" "$work/scaled.png") (RMSE)"
        echo "RMSE against 96 dpi: $(difference "$work/empty-96.png" "$work/scaled.png")"
    fi
    close_from_title_bar
done

echo "# silent uninstall leaves nothing behind"
wine_step 120 wine "$installed/uninstall.exe" /S || fail "uninstaller exited with $?"
wine_step 60 wineserver -w # the uninstaller finishes from a copy of itself
[ ! -e "$installed" ] || fail "left behind: $(ls -A "$installed")"
[ ! -e "$shortcut" ] || fail "shortcut left behind"
if wine_step 60 wine reg query "$key" >/dev/null 2>&1; then fail "uninstall entry left behind"; fi

echo "PASS: windows end-to-end"
