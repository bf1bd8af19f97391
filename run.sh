#!/usr/bin/env bash
# Sets up this machine (Debian 12), builds noctil.exe and starts it under Wine.
# Without a display it runs on a virtual one and saves a screenshot to
# build/screenshot.png after a few seconds.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/wine-prefix.sh
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target noctil noctillink
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec tools/wine-run build/bin/noctil.exe "$@"
fi
tools/with-display.sh bash -c '
  tools/wine-run build/bin/noctil.exe "$@" & pid=$!
  sleep "${NOCTIL_SHOT_DELAY:-8}"
  import -window root build/screenshot.png && echo "screenshot: build/screenshot.png"
  kill $pid 2>/dev/null || true' run "$@"
