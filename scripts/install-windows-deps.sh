#!/usr/bin/env bash
# Installs the Windows cross toolchains (mingw-w64, posix threads) and Wine (64- and 32-bit),
# and lets this machine start 32-bit programs: natively when the kernel can, otherwise
# through qemu-user registered for i386 ELF files (binfmt_misc, machine-wide until reboot).
# Safe to run again.
set -euo pipefail

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386)
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update -qq
  $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${packages[@]}"
fi

# --- 32-bit programs ---
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || $SUDO mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
if [ -e "$binfmt/qemu-i386" ] && grep -qx enabled "$binfmt/qemu-i386"; then
  exit 0
fi
# The i386 dynamic loader is itself a 32-bit program: if it starts, the kernel runs i386.
if /lib/ld-linux.so.2 --help >/dev/null 2>&1; then
  exit 0
fi
installed qemu-user || $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends qemu-user
[ -e "$binfmt/register" ] || { echo "binfmt_misc is not available: cannot run 32-bit programs" >&2; exit 1; }
# Match i386 executables and shared objects (ELF class 32, little-endian, machine 3).
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
echo ":qemu-i386:M::${magic}:${mask}:/usr/bin/qemu-i386:F" | $SUDO tee "$binfmt/register" >/dev/null
/lib/ld-linux.so.2 --help >/dev/null 2>&1 || { echo "i386 emulation did not start" >&2; exit 1; }
