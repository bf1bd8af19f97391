#!/usr/bin/env bash
# Sets up this machine (Debian 12), builds noctil.exe and starts it under Wine:
# the i686 build we ship, or where this machine runs no 32-bit programs the
# x86_64 build of the same sources (tools/wine-arch.sh; NOCTIL_WINE_ARCH
# forces the choice). Without a display it runs on a virtual one and saves a
# screenshot to build/screenshot.png after a few seconds.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh >/dev/null
NOCTIL_WINE_ARCH=$(tools/wine-arch.sh)
export NOCTIL_WINE_ARCH
tools/wine-prefix.sh
if [ "$NOCTIL_WINE_ARCH" = x86_64 ]; then
  echo "This machine runs no 32-bit programs: starting the x86_64 build of the same sources (build/x64)."
  tree=build/x64
  cmake -S . -B $tree -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
        -DNOCTIL_TESTS=programs >/dev/null
else
  tree=build
  cmake -S . -B $tree -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build $tree -j"$(nproc)" --target noctil noctillink
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec tools/wine-run $tree/bin/noctil.exe "$@"
fi
tools/with-display.sh bash -c '
  tools/wine-run "$0"/bin/noctil.exe "$@" & pid=$!
  sleep "${NOCTIL_SHOT_DELAY:-8}"
  import -window root build/screenshot.png && echo "screenshot: build/screenshot.png"
  kill $pid 2>/dev/null || true' $tree "$@"
