#!/usr/bin/env bash
# Compiles the help project in resources/help into OUTDIR/noctilhelp.chm.
# The sources are UTF-8; the help viewer reads pages in the code page their
# meta tag names (Shift_JIS) and the table of contents and index in the
# project's language code page (0x411), so every text file is converted to
# CP932 in a scratch directory before chmcmd runs. Quiet unless it fails.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
outdir=$1
here=$(cd "$(dirname "$0")" && pwd)
src=$here/../resources/help
project=noctilhelp.hhp

command -v chmcmd >/dev/null 2>&1 || { echo "build_help: chmcmd not found (Debian package fp-utils)" >&2; exit 1; }
command -v iconv >/dev/null 2>&1 || { echo "build_help: iconv not found" >&2; exit 1; }
[ -f "$src/$project" ] || { echo "build_help: $src/$project missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for f in "$src"/*; do
  [ -f "$f" ] || continue
  name=$(basename "$f")
  case "$name" in
    *.htm|*.html|*.hhc|*.hhk|*.hhp)
      # iconv fails on a character CP932 lacks, which is what we want.
      if ! iconv -f UTF-8 -t CP932 "$f" > "$work/$name"; then
        echo "build_help: $name has text that CP932 cannot hold" >&2
        exit 1
      fi
      ;;
    *.md|*.txt) ;;  # notes for the maintainers, not part of the help
    *) cp "$f" "$work/$name" ;;
  esac
  case "$name" in
    *.htm|*.html)
      grep -q 'content="text/html; charset=Shift_JIS"' "$f" || {
        echo "build_help: $name lacks the Shift_JIS meta tag" >&2; exit 1; }
      ;;
  esac
done

# chmcmd exits 0 on missing files and broken links, so judge by its output.
log=$work/chmcmd.log
status=0
(cd "$work" && chmcmd "$project") >"$log" 2>&1 || status=$?
if [ $status -ne 0 ] || grep -qiE 'warning|error|exception|can.t find' "$log" \
   || [ ! -s "$work/noctilhelp.chm" ]; then
  echo "build_help: chmcmd failed (exit $status):" >&2
  cat "$log" >&2
  exit 1
fi

# The same sources give the same file: no compile time in it.
python3 "$here/clear_chm_time.py" "$work/noctilhelp.chm"
mkdir -p "$outdir"
cp "$work/noctilhelp.chm" "$outdir/noctilhelp.chm"
