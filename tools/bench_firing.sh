#!/usr/bin/env bash
# Measures the firing latency: from a trigger's deadline to its confirmation
# dialog being visible, through the real tick under Wine. Prints each run and
# the range. Usage: tools/bench_firing.sh [runs] (after ./test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
runs=${1:-5}
exe=$NOCTIL_WINE_TREE/tests/wine_power.exe
[ -f "$exe" ] || { echo "build first: ./test.sh" >&2; exit 1; }
tools/with-display.sh bash -c '
  for i in $(seq "$1"); do
    tools/wine-run "$2" --gtest_filter=FiringTest.LatencyFromTheDeadlineToTheVisibleConfirmation 2>/dev/null \
      | sed -n "s/.*INFO *\] \(.*\): confirmation visible \(-\?[0-9]*\) ms.*/\1 \2/p"
  done' bench "$runs" "$exe" | awk '
  { print "  " $0; n=$NF; k=$1; if (k=="clock") k="clock time";
    if (!(k in min) || n < min[k]) min[k]=n; if (!(k in max) || n > max[k]) max[k]=n }
  END { for (k in min) printf "%s: %d..%d ms from the deadline to the visible confirmation\n", k, min[k], max[k] }'
