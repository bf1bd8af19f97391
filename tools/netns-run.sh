#!/usr/bin/env bash
# Runs a command in a private network namespace (loopback only: nothing it
# sends can reach another host) with a Wine prefix of its own, whose server
# starts inside the namespace. With --silent, loopback there does not answer
# echo requests: a host that never replies.
set -euo pipefail
silent=0
if [ "${1:-}" = --silent ]; then silent=1; shift; fi
source "$(dirname "$0")/private-prefix.sh"
export NOCTIL_NETNS_SILENT=$silent
unshare --net bash -c '
  ip link set lo up
  echo "$NOCTIL_NETNS_SILENT" > /proc/sys/net/ipv4/icmp_echo_ignore_all
  "$@"' netns "$@"
