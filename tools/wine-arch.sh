#!/usr/bin/env bash
# Which build the Wine and end-to-end tests (and ./run.sh) use: i686, the one
# we ship, where this machine runs 32-bit programs; x86_64 under 64-bit Wine
# where it does not. Found out by running one, the 32-bit Wine loader: a kernel
# may refuse them whatever its version says, and installing 32-bit Wine
# succeeds either way.
#   wine-arch.sh         prints i686 or x86_64
#   wine-arch.sh --say   prints one line saying which, and why
# NOCTIL_WINE_ARCH=i686 or x86_64 forces the choice. NOCTIL_WINE32_LOADER and
# NOCTIL_BINFMT_DIR stand in for the loader and binfmt_misc in its tests.
set -uo pipefail
export LC_ALL=C # the line it prints is English, the loader's refusal too
loader32=${NOCTIL_WINE32_LOADER:-/usr/lib/wine/wine}
binfmt=${NOCTIL_BINFMT_DIR:-/proc/sys/fs/binfmt_misc}

# An enabled binfmt_misc handler for i386 ELF files (qemu-user, say) runs them
# about fifty times slower than the processor would: not fit for the suite.
i386_emulator() {
  local entry magic
  for entry in "$binfmt"/*; do
    [ -f "$entry" ] && grep -qx enabled "$entry" 2>/dev/null || continue
    magic=$(sed -n 's/^magic //p' "$entry")
    # ELF, 32-bit class (01) at byte 4, machine i386 (03 00) at byte 18.
    if [ "${magic:0:8}" = 7f454c46 ] && [ "${magic:8:2}" = 01 ] && [ "${magic:36:4}" = 0300 ]; then
      basename "$entry"
      return 0
    fi
  done
  return 1
}

decide() {
  local out status emulator
  case "${NOCTIL_WINE_ARCH:-}" in
    i686|x86_64) echo "$NOCTIL_WINE_ARCH forced by NOCTIL_WINE_ARCH"; return ;;
    "") ;;
    *) echo "error NOCTIL_WINE_ARCH must be i686 or x86_64, not '$NOCTIL_WINE_ARCH'"; return ;;
  esac
  if [ ! -e "$loader32" ]; then
    echo "x86_64 32-bit Wine ($loader32) is not installed"
    return
  fi
  out=$("$loader32" --version 2>&1 </dev/null)
  status=$?
  out=${out%%$'\n'*}
  if [ $status -ne 0 ]; then
    echo "x86_64 this machine runs no 32-bit programs ($loader32: ${out##*: }, status $status)"
  elif emulator=$(i386_emulator); then
    echo "x86_64 32-bit programs run here only through the emulator $emulator"
  else
    echo "i686 this machine runs 32-bit programs ($loader32 --version: $out)"
  fi
}

read -r arch why <<<"$(decide)"
if [ "$arch" = error ]; then
  echo "wine-arch: $why" >&2
  exit 2
fi
if [ "${1:-}" = --say ]; then
  case $arch in
    i686) echo "Win32 tests on the i686 build (the one we ship): $why." ;;
    x86_64) echo "Win32 tests on the x86_64 build under 64-bit Wine: $why." ;;
  esac
else
  echo "$arch"
fi
