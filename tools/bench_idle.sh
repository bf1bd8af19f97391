#!/usr/bin/env bash
# Prints the idle cost table (tools/bench_idle.py): noctil.exe's CPU time and
# private memory with each display, next to the idle floor. Build first.
# Usage: tools/bench_idle.sh [--dpi DPI] [seconds per case, default 60]
# With --dpi (96 = 100 %, 144 = 150 %, 192 = 200 %) the program and the floor
# both run on a screen of that DPI, in a private copy of the prefix set to it
# (tools/at-dpi.sh); without it, at the prefix's own.
set -euo pipefail
cd "$(dirname "$0")/.."
at_dpi=()
if [ "${1:-}" = --dpi ]; then
  [ $# -ge 2 ] || { echo "bench_idle: --dpi wants a DPI" >&2; exit 2; }
  at_dpi=(tools/at-dpi.sh "$2"); shift 2
fi
source tools/wine-env.sh
echo "build: $NOCTIL_WINE_TREE ($NOCTIL_WINE_ARCH)${at_dpi:+, at ${at_dpi[1]} DPI}"
"${at_dpi[@]}" tools/with-display.sh tools/netns-run.sh python3 tools/bench_idle.py "$@"
