#!/usr/bin/env bash
# Creates the project's Wine prefix once: Japanese locale, no crash dialog,
# no desktop menu entries. Quick when the prefix already exists.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/.noctil-ready-2" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"=""
"mscoree"=""
"mshtml"=""

; Tests run on a bare X server without a window manager; for managed windows
; Wine would wait two seconds at every unmap for a manager that never answers.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
wine regedit "$reg" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
touch "$WINEPREFIX/.noctil-ready-2"
