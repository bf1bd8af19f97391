#!/usr/bin/env bash
# Installs what building and testing Noctil needs on Debian 12, then says in
# one line which build the Win32 tests will run on (tools/wine-arch.sh): this
# machine may refuse 32-bit programs although 32-bit Wine installs. Idempotent
# and quick when everything is already present: then it asks apt nothing.
#
# A mirror out of step is not fatal. A package list that fails to update is
# named and the lists at hand are used; fetches are retried; an install that
# apt cannot resolve (a library whose newer version the security suite has for
# one architecture only) is tried once more with the release's own suite
# preferred. What still fails stops the setup with apt's reason; a second run
# picks up where it stopped.
# NOCTIL_OS_RELEASE stands in for /etc/os-release in its tests.
set -euo pipefail

say() { echo "setup: $*"; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
apt_opts=(-o Acquire::Retries=3 -o DPkg::Lock::Timeout=120)

# "E: Failed to fetch http://host/debian-security/dists/bookworm-security/main/
# binary-i386/Packages.xz  File has unexpected size ..." -> the list and why.
failed_lists() {
  sed -n -e 's/ *\[IP: [^]]*\]$//' \
         -e 's#^[EW]: Failed to fetch [^ ]*/dists/\([^ ]*\)/[^/ ]*  *\(.*\)$#\1 (\2)#p' "$1" | sort -u
}
apt_errors() { grep '^E: ' "$1" | sed 's/^E: //' | grep -v '^Failed to fetch\|^Some index files' || true; }

release_suite() {
  local file=${NOCTIL_OS_RELEASE:-/etc/os-release}
  [ -r "$file" ] && sed -n 's/^VERSION_CODENAME=["'\'']\{0,1\}\([^"'\'']*\).*/\1/p' "$file" | head -n1
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

pkgs=(cmake make g++ googletest
      g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
      g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
      wine wine32:i386 wine64 qemu-user
      xvfb xdotool x11-utils imagemagick locales fonts-ipafont-gothic fonts-wine
      fp-utils python3 file iproute2 util-linux tzdata clang libclang-rt-14-dev)
need=()
for p in "${pkgs[@]}"; do
  have_pkg "$p" || need+=("$p")
done
# The image may carry a stand-in `convert`; the real ImageMagick one lives in /usr/bin.
[ -x /usr/bin/convert ] || need+=(imagemagick)

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  stale=""
  if ! apt-get update -qq "${apt_opts[@]}" >"$log" 2>&1; then
    stale=$(failed_lists "$log" | paste -sd ';' | sed 's/;/; /g')
    [ -n "$stale" ] || stale=$(apt_errors "$log" | head -n1)
    say "the package list ${stale:-(apt gave no reason)} did not update; going on with the lists at hand"
  fi
  # An install that an earlier run left unpacked but not configured.
  dpkg --configure -a >/dev/null 2>&1 || true
  apt_install() { apt-get install -y -qq --no-install-recommends "${apt_opts[@]}" "$@" "${need[@]}" >"$log" 2>&1; }
  if ! apt_install; then
    reason=$(apt_errors "$log" | head -n1)
    suite=$(release_suite || true)
    if [ -n "$suite" ]; then
      say "apt could not install from all suites (${reason:-no reason given}); trying once more with the release's own suite, $suite, preferred"
      apt_install -t "$suite" || suite=""
    fi
    if [ -z "$suite" ]; then
      {
        say "could not install: ${need[*]}"
        apt_errors "$log" | sed 's/^/setup:   apt: /'
        grep -E '^ [^ ].* : (Depends|Breaks|Conflicts|PreDepends)' "$log" | head -n5 | sed 's/^ */setup:   /' || true
        [ -z "$stale" ] || say "  the package list $stale did not update"
        say "  try: run it again later (a mirror may be mid-sync); or apt-get update, then apt-get install -t <suite> with the packages above, and read what apt says"
      } >&2
      exit 1
    fi
  fi
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

"$(dirname "$0")/wine-arch.sh" --say
