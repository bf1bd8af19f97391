#!/usr/bin/env bash
# Installs what building and testing Noctil needs on Debian 12, then says in
# one line which build the Win32 tests will run on (tools/wine-arch.sh): this
# machine may refuse 32-bit programs although 32-bit Wine installs. Idempotent
# and quick when everything is already present.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=0
fi

pkgs=(cmake make g++ googletest
      g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
      g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
      wine wine32:i386 wine64 qemu-user
      xvfb xdotool x11-utils imagemagick locales fonts-ipafont-gothic fonts-wine
      fp-utils python3 file iproute2 util-linux tzdata clang libclang-rt-14-dev)
for p in "${pkgs[@]}"; do
  have_pkg "$p" || need+=("$p")
done
# The image may carry a stand-in `convert`; the real ImageMagick one lives in /usr/bin.
[ -x /usr/bin/convert ] || need+=(imagemagick)

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

"$(dirname "$0")/wine-arch.sh" --say
