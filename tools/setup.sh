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
  openssl osslsigncode  # signing the release with Authenticode, and its test
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

# A mirror in the middle of a sync serves an index whose size its release file
# does not give; apt then leaves that index out and still exits 0, and the
# i386 libraries Wine needs no longer match their amd64 twins. Such an index
# is asked for again, a few times, before the install goes ahead on what apt
# has.
update_messages=""
update_package_lists() {
  local attempt
  for attempt in 1 2 3; do
    update_messages=$("${sudo_cmd[@]}" apt-get update -qq 2>&1) || true
    if ! grep -q '^E: ' <<<"$update_messages"; then return 0; fi
    echo "setup: apt-get update, attempt $attempt: some package lists failed to download" >&2
    grep '^E: Failed to fetch' <<<"$update_messages" >&2 || true
    if ((attempt < 3)); then sleep $((attempt * 15)); fi
  done
  echo "setup: going on with the package lists apt has" >&2
}

lists_updated=false
install_packages() {
  echo "setup: installing $*"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  if ! $lists_updated; then
    update_package_lists
    lists_updated=true
  fi
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$@"
}

# 32-bit Wine brings the i386 twin of every library it uses, each of which must
# be the very version of its amd64 one. When a suite's i386 list did not
# arrive, its newer amd64 versions have no twin; then the packages are
# installed from the suites that did arrive, so that each amd64 library comes
# at the version its twin has (tools/apt_sources_without.py). Nothing already
# installed is removed for it.
install_from_whole_lists() {
  local alternate sources status=0
  alternate=$(mktemp -d)
  chmod 755 "$alternate" # apt fetches as its own unprivileged user
  if ! python3 "$(dirname "${BASH_SOURCE[0]}")/apt_sources_without.py" "$alternate/sources" \
    <<<"$update_messages" >"$alternate/left-out"; then
    rm -rf "$alternate"
    return 1
  fi
  echo "setup: installing $* without the suites whose lists failed:" \
    "$(paste -sd, "$alternate/left-out")" >&2
  mkdir -p "$alternate/lists/partial"
  sources=(-o "Dir::Etc::SourceParts=$alternate/sources" -o Dir::Etc::SourceList=/dev/null
    -o "Dir::State::Lists=$alternate/lists" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=)
  "${sudo_cmd[@]}" apt-get "${sources[@]}" update -qq && "${sudo_cmd[@]}" apt-get "${sources[@]}" \
    install -y -qq --no-install-recommends --no-remove "$@" || status=$?
  rm -rf "$alternate"
  return $status
}

# Without 32-bit Wine the host is one that runs no 32-bit Wine: everything
# else is installed, and the 64-bit build's Wine tests stand in (tools/test.sh).
if ((${#missing[@]} > 0)) && ! install_packages "${missing[@]}"; then
  mapfile -t others < <(printf '%s\n' "${missing[@]}" | grep -vx 'wine32:i386')
  if ((${#others[@]} == ${#missing[@]})); then exit 1; fi
  if ! install_from_whole_lists "${missing[@]}"; then
    echo "setup: 32-bit Wine (wine32:i386) could not be installed; installing the rest" >&2
    if ((${#others[@]} > 0)); then install_packages "${others[@]}"; fi
  fi
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
# run none (their kernel or hypervisor offers no 32-bit mode, or 32-bit Wine
# could not be installed); there the i686 build's Wine tests report themselves
# skipped, and tools/test.sh runs them as a 64-bit build under 64-bit Wine.
# shellcheck source=tools/host.sh
source "$(dirname "${BASH_SOURCE[0]}")/host.sh"
if ! quellix_host_runs_32bit_wine; then
  echo "setup: this host cannot run 32-bit Wine;" \
    "the Windows tests will run as a 64-bit build under 64-bit Wine" >&2
fi
