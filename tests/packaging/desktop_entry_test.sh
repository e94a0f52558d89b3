#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# The menu entry is valid and starts this program under its window title.
set -euo pipefail
entry=$1
desktop-file-validate "$entry"
expect() {
    grep -qxF "$1" "$entry" || { echo "FAIL: $entry lacks the line: $1" >&2; exit 1; }
}
expect 'Type=Application'
expect 'Exec=fieldcalc'
expect 'Icon=fieldcalc'
expect 'Name=ZK光机幅面粗略计算'
expect 'Name[zh_CN]=ZK光机幅面粗略计算'
for key in GenericName 'GenericName\[zh_CN\]' Comment 'Comment\[zh_CN\]' Categories; do
    grep -qE "^$key=.+" "$entry" || { echo "FAIL: no $key" >&2; exit 1; }
done
echo "PASS: desktop entry"
