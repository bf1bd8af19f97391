#!/usr/bin/env bash
# Sets up this machine (Debian 12), builds the programs and the help file and
# writes the release package dist/noctil-<version>.zip with its SHA-256 list
# dist/noctil-<version>.sha256.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target noctil_package
rm -rf dist
cp -r build/dist dist
ls -l dist
