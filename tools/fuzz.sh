#!/usr/bin/env bash
# Builds the libFuzzer targets in tests/fuzz/ natively with clang and runs each
# for a while (default 30 s): tools/fuzz.sh [seconds] [target-name-filter]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
filter=${2:-}
out=build/fuzz
mkdir -p "$out"
pure=$(for area in core netwatch winwatch power settings ui; do
  sed -n "s/^set(${area^^}_PURE\(.*\))/\1/p" $area/sources.cmake; done | tr ' ' '\n' | grep '\.cpp$' || true)
for src in tests/fuzz/fuzz_*.cpp; do
  name=$(basename "$src" .cpp)
  [[ -n "$filter" && "$name" != *"$filter"* ]] && continue
  clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I. "$src" $pure -o "$out/$name"
  mkdir -p "$out/$name.corpus"
  "$out/$name" -max_total_time="$seconds" -print_final_stats=1 "$out/$name.corpus" 2>&1 | tail -3
done
