#!/usr/bin/env bash
# Runs the shared mutation check (../shared/mutate, or $NOCTIL_MUTATE) over
# this tree's product folders, the ones tools/check_layers.py names: the
# shared tool keeps its own list of folders, which may name older ones.
# Arguments go to the tool as they are (--build, -n, --seed, --files, ...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tool=${NOCTIL_MUTATE:-$root/../shared/mutate}
[ -r "$tool" ] || { echo "mutate.sh: no mutation tool at $tool" >&2; exit 2; }
folders=$(python3 -c 'import sys; sys.path.insert(0, sys.argv[1]); import check_layers as c
print(", ".join(repr(f) for _, fs in c.LAYERS for f in fs if f != "resources"))' "$root/tools")
copy=$(mktemp "${TMPDIR:-/tmp}/mutate.XXXXXX")
trap 'rm -f "$copy"' EXIT
sed "s/^PRODUCT_DIRS = .*/PRODUCT_DIRS = ($folders)/" "$tool" >"$copy"
grep -q "^PRODUCT_DIRS = ($folders)" "$copy" || { echo "mutate.sh: $tool has no PRODUCT_DIRS line to set" >&2; exit 2; }
cd "$root"
python3 "$copy" "$@"
