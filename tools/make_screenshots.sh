#!/usr/bin/env bash
# Remakes the screenshots in docs/ from the real program (the recording build,
# so nothing can shut down) under Wine, on a private virtual display and in a
# private copy of the project's Wine prefix, so tests running meanwhile are
# not disturbed. Build first (./test.sh or ./run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/wine-prefix.sh
source tools/private-prefix.sh
env -u DISPLAY tools/with-display.sh python3 tools/make_screenshots.py --build "$NOCTIL_WINE_TREE" --root .
