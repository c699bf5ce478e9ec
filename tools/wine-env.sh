# Sourced: sets up the environment for one Wine state folder (argument 1).
# Every test run has its own prefix under the build folder, so nothing a test
# does touches the user's own Wine.
quellix_wine_state=$(mkdir -p "$1" && cd "$1" && pwd)
export WINEPREFIX="$quellix_wine_state/prefix"
export WINEDEBUG=-all
# No Mono or Gecko installers popping up in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The build's Wine: the i686 build's tests run under 32-bit Wine; an x86_64
# build, made for hosts that run no 32-bit programs, under 64-bit Wine, whose
# own programs then come first on the PATH.
export WINEARCH=win32
quellix_wine_arch_file="$(dirname "$quellix_wine_state")/wine-arch"
if [[ -f $quellix_wine_arch_file ]]; then
  WINEARCH=$(cat "$quellix_wine_arch_file")
fi
if [[ $WINEARCH == win64 ]]; then
  PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64:$PATH"
fi
# A system locale of the session's own (tools/wine-session.sh), for Wine alone.
if [[ -f "$quellix_wine_state/locale.name" ]]; then
  export LOCPATH="$quellix_wine_state/locale"
  LANG=$(cat "$quellix_wine_state/locale.name")
  export LANG LC_ALL=$LANG
fi
if [[ -f "$quellix_wine_state/display" ]]; then
  DISPLAY=$(cat "$quellix_wine_state/display")
  export DISPLAY
fi

# shellcheck source=tools/host.sh
source "$(dirname "${BASH_SOURCE[0]}")/host.sh"
# Whether this build's Wine can run on this host: 32-bit Wine is a 32-bit Linux
# program.
quellix_wine_can_run() {
  if [[ $WINEARCH == win64 ]]; then
    [[ -x /usr/lib/wine/wine64 ]]
  else
    quellix_host_runs_32bit_wine
  fi
}
# The exit code that tells ctest a test was skipped, and the reason it prints.
quellix_wine_skip=77
quellix_wine_skip_reason() {
  echo "SKIPPED: this host runs no 32-bit Wine (no 32-bit Linux programs, or 32-bit" \
    "Wine not installed), so it cannot run the Windows programs here" >&2
}

# Creates the prefix once; concurrent callers wait for the first.
quellix_wine_ensure_prefix() {
  (
    flock 9
    if [[ ! -f "$WINEPREFIX/.quellix-ready" ]]; then
      wineboot -i >/dev/null 2>&1
      wineserver -w
      # Programs started with a plain "wine prog.exe" join the virtual desktop
      # named shell, whose taskbar has a notification area.
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 800x600 /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.quellix-ready"
    fi
  ) 9>"$quellix_wine_state/prefix.lock"
}
