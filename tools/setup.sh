#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Quellix needs.
# Idempotent: when everything is already there it checks and returns in a second.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format
  googletest
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth x11-utils xdotool imagemagick
  python3 git
  locales fonts-vlgothic  # a Japanese locale for Wine and a font with its script
)

# Prints those of the given packages that are not installed.
missing_of() {
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      echo "$p"
    fi
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")

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

# The sanitizer and libFuzzer runtimes must be those of the clang that is
# installed, whichever version the system's clang is: Debian names the package
# after its major version.
clang_version=$(clang -dumpversion)
mapfile -t missing < <(missing_of "libclang-rt-${clang_version%%.*}-dev")
if ((${#missing[@]} > 0)); then
  install_packages "${missing[@]}"
fi

# Wine for 32-bit Windows programs is itself a 32-bit Linux program. Some hosts
# run none (their kernel or hypervisor offers no 32-bit mode); there the i686
# build's Wine tests report themselves skipped, and tools/test.sh runs them as a
# 64-bit build under 64-bit Wine instead.
# shellcheck source=tools/host.sh
source "$(dirname "${BASH_SOURCE[0]}")/host.sh"
if ! quellix_host_runs_32bit; then
  echo "setup: this host cannot run 32-bit programs, so 32-bit Wine cannot run here;" \
    "the Windows tests will run as a 64-bit build under 64-bit Wine" >&2
fi
