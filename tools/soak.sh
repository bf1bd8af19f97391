#!/usr/bin/env bash
# The long soak: the test build of noctil.exe with each display running while
# its menu and every dialog open and close ROUNDS times (300 by default) after
# a warm-up; prints its GDI objects, windows, menus and private memory per
# phase at six checkpoints. In a private network namespace. Build first
# (./test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
rounds=${1:-300}
tools/wine-prefix.sh
exec tools/with-display.sh tools/netns-run.sh python3 tests/e2e/soak.py --build "$NOCTIL_WINE_TREE" --root . \
  --rounds "$rounds" --checkpoints 6
