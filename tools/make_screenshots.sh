#!/usr/bin/env bash
# Remakes the screenshots in docs/ from the real program (the recording build,
# so nothing can shut down) under Wine, on a private virtual display and in a
# private copy of the project's Wine prefix, so tests running meanwhile are
# not disturbed; then the window and the about box at 150 % and 200 %, each
# scale in a private copy of its own whose screen is set to that DPI. Build
# first (./test.sh or ./run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/wine-prefix.sh
source tools/wine-env.sh
shots=(python3 tools/make_screenshots.py --build "$NOCTIL_WINE_TREE" --root .)
(
  source tools/private-prefix.sh
  env -u DISPLAY tools/with-display.sh "${shots[@]}"
)
for dpi in 144 192; do
  env -u DISPLAY tools/at-dpi.sh "$dpi" tools/with-display.sh "${shots[@]}" --dpi "$dpi"
done
