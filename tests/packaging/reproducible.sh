#!/usr/bin/env bash
# Builds the release package once more from nothing, in a build tree of its
# own, and compares it byte for byte with the one the main build made: the
# same sources must give the same zip. On a difference the SHA-256 lists say
# which files differ.
set -euo pipefail
root=$1 made=$2  # the source tree; the main build's dist directory
work=$(mktemp -d /tmp/noctil-again-XXXXXX)
trap 'rm -rf "$work"' EXIT
cmake -S "$root" -B "$work" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DNOCTIL_TESTS=OFF >/dev/null
cmake --build "$work" -j"$(nproc)" --target noctil_package >/dev/null
status=0
for f in "$made"/*; do
  cmp "$f" "$work/dist/$(basename "$f")" || status=1
done
[ $status -eq 0 ] || diff "$made"/*.sha256 "$work"/dist/*.sha256 || true
[ $status -eq 0 ] && echo "reproducible: the second build gives identical" $(cd "$made" && ls)
exit $status
