#!/usr/bin/env bash
# Round trip to 127.0.0.1: the program's own ping (raw socket and the system's
# echo service, 5 runs each, under Wine) next to the system's ping -c 5, in
# one private network namespace. Build first (./test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
command -v ping >/dev/null || apt-get install -y -qq iputils-ping >/dev/null
tools/with-display.sh tools/netns-run.sh bash -c '
  echo "== noctil (Wine):"
  tools/wine-run "$NOCTIL_WINE_TREE"/tests/wine_netwatch.exe --gtest_filter=*OneExchange* --gtest_repeat=5 |
    grep "info round trip to 127" | sed "s/^info //"
  echo "== system ping -c 5 127.0.0.1:"
  ping -c 5 127.0.0.1 | tail -2'
