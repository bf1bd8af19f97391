# Sourced by scripts that run Wine programs apart from the project's prefix:
# makes a private copy of it in $prefix and points the Wine wrappers there;
# the copy's server is ended and the copy removed when the script exits.
# Linked, not copied (1.3 GB); the registry files, which the server rewrites,
# and the update stamp are real copies.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
base=$WINEPREFIX
prefix=$(mktemp -d /tmp/noctil-private-prefix-XXXXXX)
finish() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  rm -rf "$prefix"
}
trap finish EXIT
cp -al "$base/." "$prefix/"
for f in "$base"/*.reg; do cp --remove-destination "$f" "$prefix/"; done
rm -f "$prefix/.update-timestamp"; cp "$base/.update-timestamp" "$prefix/" 2>/dev/null || true
export NOCTIL_WINEPREFIX=$prefix WINEPREFIX=$prefix
