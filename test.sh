#!/usr/bin/env bash
# Sets up this machine (Debian 12), builds everything and runs every test:
# native logic tests, Win32 tests under Wine, end-to-end and packaging tests.
# The Win32 layers run on the i686 build where this machine runs 32-bit
# programs, else on an x86_64 build of the same sources (build/x64);
# NOCTIL_WINE_ARCH=i686 or x86_64 forces the choice.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
NOCTIL_WINE_ARCH=$(tools/wine-arch.sh)
export NOCTIL_WINE_ARCH
tools/wine-prefix.sh
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
      -DNOCTIL_WINE_ARCH="$NOCTIL_WINE_ARCH" >/dev/null
cmake --build build -j"$(nproc)"
status=0
tools/with-display.sh ctest --test-dir build --output-on-failure -j"$(nproc)" "$@" || status=$?
# CTest names the tests it skipped but not why; each says why in its output.
grep -h '^skipped: ' build/Testing/Temporary/LastTest.log 2>/dev/null || true
exit $status
