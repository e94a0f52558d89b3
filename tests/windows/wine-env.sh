# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT
# shellcheck shell=bash

# Sourced by the Windows tests: a Wine that never stops to ask. The session
# around them must not leak in (a Wayland session, a scale, a locale); no Mono
# or Gecko installer prompt, no debug chatter, no crash dialog.
#   wine_prefix_ready PREFIX  creates PREFIX once, with a CJK font replacement

while read -r name; do unset "$name"; done < <(env | sed -n 's/^\(QT_[A-Z_]*\|WAYLAND_[A-Z_]*\|XDG_SESSION_TYPE\|LANG\|LANGUAGE\|LC_[A-Z]*\)=.*/\1/p')
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# timeout for every Wine step, so nothing can hang the run.
wine_step() {
    local seconds=$1
    shift
    timeout --kill-after=10 "$seconds" "$@"
}

wine_prefix_ready() {
    export WINEPREFIX=$1
    [ -e "$WINEPREFIX/.fieldcalc-ready" ] && return 0
    mkdir -p "$WINEPREFIX"
    wine_step 300 wineboot -i >/dev/null 2>&1
    wine_step 120 wineserver -w
    # Qt asks Windows for its CJK fallback fonts by name; Wine answers from the
    # host's fonts through fontconfig once told which one stands in for them.
    local font="WenQuanYi Micro Hei" reg="$WINEPREFIX/fieldcalc-fonts.reg"
    {
        printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for name in "Microsoft YaHei" "Microsoft YaHei UI" "SimSun" "NSimSun" "SimHei" \
            "MingLiU" "PMingLiU" "Microsoft JhengHei" "MS Gothic" "Meiryo" "Malgun Gothic"; do
            printf '"%s"="%s"\r\n' "$name" "$font"
        done
        # A crash shows on standard error instead of a dialog that waits for a click.
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n'
    } >"$reg"
    wine_step 60 wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    wine_step 60 wineserver -w
    touch "$WINEPREFIX/.fieldcalc-ready"
}

# wine_set_dpi DPI: the display scale Windows programs see (LogPixels).
wine_set_dpi() {
    wine_step 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wine_step 60 wineserver -w
}
