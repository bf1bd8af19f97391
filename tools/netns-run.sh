#!/usr/bin/env bash
# Runs a command in a private network namespace (loopback only: nothing it
# sends can reach another host) with a Wine prefix of its own, whose server
# starts inside the namespace. With --silent, loopback there does not answer
# echo requests: a host that never replies.
set -euo pipefail
silent=0
if [ "${1:-}" = --silent ]; then silent=1; shift; fi
source "$(dirname "$0")/wine-env.sh"
base=$WINEPREFIX
prefix=$(mktemp -d /tmp/noctil-netns-prefix-XXXXXX)
finish() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  rm -rf "$prefix"
}
trap finish EXIT
# Linked, not copied (1.3 GB); the registry files, which the server rewrites,
# are real copies.
cp -al "$base/." "$prefix/"
for f in "$base"/*.reg; do cp --remove-destination "$f" "$prefix/"; done
rm -f "$prefix/.update-timestamp"; cp "$base/.update-timestamp" "$prefix/" 2>/dev/null || true
export NOCTIL_WINEPREFIX=$prefix WINEPREFIX=$prefix NOCTIL_NETNS_SILENT=$silent
unshare --net bash -c '
  ip link set lo up
  echo "$NOCTIL_NETNS_SILENT" > /proc/sys/net/ipv4/icmp_echo_ignore_all
  "$@"' netns "$@"
