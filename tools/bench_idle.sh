#!/usr/bin/env bash
# Prints the idle cost table (tools/bench_idle.py): noctil.exe's CPU time and
# private memory with each display, next to the idle floor. Build first.
# Usage: tools/bench_idle.sh [seconds per case, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
echo "build: $NOCTIL_WINE_TREE ($NOCTIL_WINE_ARCH)"
tools/with-display.sh tools/netns-run.sh python3 tools/bench_idle.py "$@"
