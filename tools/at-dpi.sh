#!/usr/bin/env bash
# Runs a command against a private copy of the project's Wine prefix whose
# screen is set to DPI (96 = 100 %, 144 = 150 %, 192 = 200 %):
#     tools/at-dpi.sh DPI command [args...]
# Wine reads the system DPI from HKCU\Control Panel\Desktop\LogPixels when
# its server starts; NOCTIL_TEST_DPI tells the tests which one to expect.
set -euo pipefail
dpi=$1; shift
[[ $dpi =~ ^[0-9]+$ ]] || { echo "at-dpi: not a DPI: $dpi" >&2; exit 2; }
source "$(dirname "${BASH_SOURCE[0]}")/private-prefix.sh"
"$noctil_wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
export NOCTIL_TEST_DPI=$dpi
"$@"
