#!/usr/bin/env bash
# Makes (setup) or removes (cleanup) a copy of a Win32 test program that Wine
# reports as Windows 98, through the per-application version key of the
# prefix. A copy under its own name keeps the key away from every other run.
#   win98_copy.sh setup SOURCE.exe COPY.exe
#   win98_copy.sh cleanup COPY.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../tools/wine-run"
case "$1" in
setup)
  cp -f "$2" "$3"
  key="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$3")"
  "$wine_run" reg add "$key" /v Version /d win98 /f >/dev/null
  ;;
cleanup)
  key="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$2")"
  "$wine_run" reg delete "$key" /f >/dev/null 2>&1 || true
  rm -f "$2"
  ;;
*)
  echo "usage: $0 setup SOURCE COPY | cleanup COPY" >&2
  exit 2
  ;;
esac
