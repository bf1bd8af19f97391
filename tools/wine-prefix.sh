#!/usr/bin/env bash
# Creates the project's Wine prefix once: Japanese locale, no crash dialog,
# no desktop menu entries, the Japanese system fonts stood in for by the IPA
# fonts, Wine's symbol font for the caption buttons. Quick when the prefix
# already exists; a prefix made by an older version of this script (an older
# ready mark) gets the settings added.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/.noctil-ready-4" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
reg=$(mktemp --suffix=.reg)
# regedit reads names beyond ASCII only from a UTF-16 file (CRLF lines).
sed 's/$/\r/' <<'REG' | iconv -f UTF-8 -t UTF-16 > "$reg"
Windows Registry Editor Version 5.00

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

; Dialogs ask for the proportional ＭＳ Ｐゴシック and the face for the
; fixed-pitch ＭＳ ゴシック; without these Wine gives both a fixed-pitch face and
; labels that fit on Windows are cut off.
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
REG
wine regedit "$reg" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
# Marlett draws the caption buttons (without it they come out as letters);
# this Wine reads it from the prefix's Fonts folder, not from the package's.
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
touch "$WINEPREFIX/.noctil-ready-4"
