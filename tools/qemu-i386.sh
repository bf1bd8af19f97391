#!/usr/bin/env bash
# Runs a command in which 32-bit (i386) Linux programs start, the 32-bit Wine
# loader among them, on a machine whose kernel refuses them: qemu's user-mode
# emulator is registered for i386 ELF files in a binfmt_misc of a private user
# and mount namespace (Linux 6.7 and later), so nothing outside the command
# sees it. Where the kernel runs them itself, the command runs as it is.
# Exit status 77 with the reason on stdout when neither can be had here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "$(NOCTIL_WINE_ARCH='' "$here/wine-arch.sh")" = i686 ]; then
  exec "$@"
fi
qemu=$(command -v qemu-i386 || true)
if [ -z "$qemu" ]; then
  echo "skipped: qemu-i386 (package qemu-user) is not installed"
  exit 77
fi
# ELF, 32-bit, little-endian, version 1, executable or shared object, i386.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
export NOCTIL_QEMU_RULE=":qemu-i386:M::$magic:$mask:$qemu:OCF"
if ! unshare --user --map-root-user --mount true 2>/dev/null; then
  echo "skipped: no private user and mount namespace can be made here (unshare)"
  exit 77
fi
exec unshare --user --map-root-user --mount bash -c '
  if ! mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null ||
     ! echo "$NOCTIL_QEMU_RULE" > /proc/sys/fs/binfmt_misc/register 2>/dev/null; then
    echo "skipped: this kernel has no binfmt_misc of its own for a user namespace (Linux 6.7 or later)"
    exit 77
  fi
  unset NOCTIL_QEMU_RULE
  exec "$@"' qemu-i386 "$@"
