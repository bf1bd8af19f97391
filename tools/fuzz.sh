#!/usr/bin/env bash
# Builds the libFuzzer targets in tests/fuzz/ natively with clang and runs each
# for a while (default 30 s), starting from its corpus and the seed and
# regression inputs in tests/fuzz/inputs/<target>/:
#   tools/fuzz.sh [seconds] [target-name-filter]
# A finding lands in build/fuzz/<target>-crash-*; once it is fixed, keep the
# input under tests/fuzz/inputs/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
filter=${2:-}
out=build/fuzz
status=0
cmake -S tests/fuzz -B "$out" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$out" -j"$(nproc)" >/dev/null
for src in tests/fuzz/fuzz_*.cpp; do
  name=$(basename "$src" .cpp)
  [[ -n "$filter" && "$name" != *"$filter"* ]] && continue
  kept=tests/fuzz/inputs/$name
  [ -d "$kept" ] || kept=
  mkdir -p "$out/$name.corpus"
  echo "== $name"
  "$out/$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$name-" \
    "$out/$name.corpus" $kept 2>&1 | grep -E 'executed_units|new_units|ERROR|SUMMARY|artifact' || status=1
done
exit $status
