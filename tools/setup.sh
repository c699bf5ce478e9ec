#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Quellix needs.
# Idempotent: when everything is already there it checks and returns in a second.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  googletest
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xauth x11-utils xdotool imagemagick
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive

install_packages() {
  echo "setup: installing $*"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$@"
}

if ((${#missing[@]} > 0)); then
  install_packages "${missing[@]}"
fi

# Wine for 32-bit Windows programs is itself a 32-bit Linux program. Some hosts
# run none: their kernel or hypervisor offers no 32-bit mode. There the kernel
# is told to hand 32-bit programs to qemu's user-mode emulator, which works,
# only slower. The registration lasts until the host restarts.
runs_32bit() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
if ! runs_32bit; then
  dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q "install ok installed" ||
    install_packages qemu-user-static
  binfmt=/proc/sys/fs/binfmt_misc
  mountpoint -q "$binfmt" || "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$binfmt"
  if [[ ! -e $binfmt/qemu-i386 ]]; then
    # 32-bit little-endian x86 ELF executables and shared objects; F: the
    # emulator is opened now, so it serves in every mount namespace.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" |
      "${sudo_cmd[@]}" tee "$binfmt/register" >/dev/null
  fi
  runs_32bit || { echo "setup: this host cannot run 32-bit programs, not even emulated" >&2; exit 1; }
  echo "setup: 32-bit programs (Wine) run under qemu's emulator on this host"
fi
