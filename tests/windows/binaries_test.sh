#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# The Windows programs as a user gets them: they import only Windows' own DLLs
# (no compiler runtime, no Qt DLL to ship beside them), the window links the
# native style (without it Qt falls back to the Windows 95 look), and each
# carries its version, description and manifest.
# usage: binaries_test.sh fieldcalc.exe fieldcalc-cli.exe
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# DLLs that every supported Windows has in System32.
system_dlls='^(advapi32|comdlg32|dwmapi|gdi32|imm32|kernel32|msvcrt|netapi32|ole32|oleaut32|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|wtsapi32|ws2_32|mpr|crypt32|setupapi|winspool\.drv|d3d9|dxgi)(\.dll)?$'

wanted_subsystem=("Windows GUI" "Windows CUI") # no console window for the calculator
n=0
for exe in "$@"; do
    imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    [ -n "$imports" ] || fail "$exe: no imports read"
    echo "$(basename "$exe") imports: $(echo $imports)"
    foreign=$(grep -Ev "$system_dlls" <<<"$imports" || true)
    [ -z "$foreign" ] || fail "$exe imports DLLs that Windows does not have: $foreign"
    subsystem=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^Subsystem\s*//p')
    [[ $subsystem == *"${wanted_subsystem[$n]}"* ]] ||
        fail "$exe: subsystem $subsystem, not ${wanted_subsystem[$n]}"
    n=$((n + 1))
done

python3 - "$1" "$2" <<'PY' || fail "resources"
import sys
gui, cli = (open(p, 'rb').read() for p in sys.argv[1:3])
def has(data, text, encoding):
    return text.encode(encoding) in data
checks = [
    (gui, 'QWindowsVistaStylePlugin', 'ascii', 'the native style'),
    (gui, 'QWindowsIntegrationPlugin', 'ascii', 'the Windows platform'),
    (gui, 'ZK光机幅面粗略计算', 'utf-16-le', 'its description, not garbled'),
    (cli, 'fieldcalc-cli.exe', 'utf-16-le', 'its original file name'),
]
for exe in (gui, cli):
    checks += [(exe, 'FileVersion', 'utf-16-le', 'a version resource'),
               (exe, 'level="asInvoker"', 'utf-8', 'a manifest without elevation'),
               (exe, '<activeCodePage', 'utf-8', 'UTF-8 as its code page')]
failed = [what for data, text, encoding, what in checks if not has(data, text, encoding)]
for what in failed:
    print('missing:', what, file=sys.stderr)
sys.exit(1 if failed else 0)
PY
echo "ok"
