#!/usr/bin/env bash
# Remakes the screenshots in docs/ from the real program (the recording build,
# so nothing can shut down) under Wine, on a private virtual display and in a
# private copy of the project's Wine prefix, so tests running meanwhile are
# not disturbed. Build first (./test.sh or ./run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/wine-prefix.sh
source tools/wine-env.sh
base=$WINEPREFIX
prefix=$(mktemp -d /tmp/noctil-shots-prefix-XXXXXX)
finish() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  rm -rf "$prefix"
}
trap finish EXIT
# Linked, not copied; the registry files, which the server rewrites, are copies.
cp -al "$base/." "$prefix/"
for f in "$base"/*.reg "$base"/.update-timestamp; do cp --remove-destination "$f" "$prefix/"; done
NOCTIL_WINEPREFIX=$prefix env -u DISPLAY tools/with-display.sh \
  python3 tools/make_screenshots.py --build build --root .
