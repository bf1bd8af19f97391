#!/usr/bin/env bash
# Runs a command with an X display: the current one, or a private Xvfb that
# ends with the command.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r num <"$fifo" || true; rm -f "$fifo"
if [ -z "$num" ]; then
  echo "with-display: Xvfb did not start (is the package xvfb installed?)" >&2
  exit 1
fi
export DISPLAY=":$num"
# Wine's desktop process belongs to this display: end the prefix's session with it.
source "$(dirname "$0")/wine-env.sh"
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
"$@"
