#!/usr/bin/env bash
# Sets up this machine (Debian 12), builds everything and runs every test:
# native logic tests, Win32 tests under Wine, end-to-end and packaging tests.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/wine-prefix.sh
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
tools/with-display.sh ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"
