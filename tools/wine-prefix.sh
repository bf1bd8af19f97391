#!/usr/bin/env bash
# Creates the project's Wine prefix once: Japanese locale, no crash dialog,
# no desktop menu entries, the Japanese system fonts stood in for by the IPA
# fonts, Wine's symbol font for the caption buttons. Quick when the prefix
# already exists; a prefix made by an older version of this script (an older
# ready mark) gets the settings added. Each step checks its result: a prefix
# that Wine could not make stops here, saying why, not at the next Wine call.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/.noctil-ready-4" ] && exit 0
mkdir -p "$WINEPREFIX"
log=$(mktemp)
trap 'rm -f "$log" ${reg:+"$reg"}' EXIT
# Runs one step; on failure names it, its status and the last of its output.
step() {
  local what=$1 status=0
  shift
  "$@" >"$log" 2>&1 </dev/null || status=$?
  if [ $status -ne 0 ]; then
    echo "wine-prefix: $what failed (status $status) for $WINEPREFIX with $noctil_wine:" >&2
    tail -n 5 "$log" | sed 's/^/  /' >&2
    [ $status -eq 126 ] && echo "  (status 126: the system refused to run the loader; tools/wine-arch.sh --say tells why)" >&2
    exit 1
  fi
}
step "making the prefix (wineboot -i)" "$noctil_wine" wineboot -i
step "waiting for the prefix's server" wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "wine-prefix: wineboot made no registry in $WINEPREFIX" >&2; exit 1; }
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
step "writing the settings (regedit)" "$noctil_wine" regedit "$reg"
step "waiting for the prefix's server" wineserver -w
# Marlett draws the caption buttons (without it they come out as letters);
# this Wine reads it from the prefix's Fonts folder, not from the package's.
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
touch "$WINEPREFIX/.noctil-ready-4"
