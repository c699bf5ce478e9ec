#!/usr/bin/env bash
# Checks built Windows images for what Wine would not notice:
#   - the process-status calls come from psapi.dll, and nothing named K32* from
#     kernel32.dll (those exports do not exist on Windows XP);
#   - ASLR (DYNAMIC_BASE, with the relocations it needs to move the image),
#     DEP (NX_COMPAT) and terminal-server awareness; high-entropy ASLR exists
#     only for 64-bit images, so a 32-bit one cannot carry it;
#   - an embedded manifest, where there is one (quellix.exe must have one),
#     asks for no elevation: asInvoker, without uiAccess; and names the
#     image's own architecture (x86 for a 32-bit image, amd64 for a 64-bit
#     one) wherever it names one: with another, Windows and Wine silently
#     give the image the old common controls;
#   - no DLL beyond the system's (the C++ runtime is linked in statically).
# Usage: check-image.sh IMAGE.exe...   Each image that imports from psapi.dll
# must import the three calls the process scan makes; quellix.exe must.
set -uo pipefail
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
system_dlls='^(kernel32|user32|gdi32|shell32|psapi|msvcrt|advapi32|comctl32|ole32|oleaut32|uxtheme|ws2_32|shlwapi|comdlg32)\.dll$'
failures=0        # over all images
image_failures=0  # of the image being checked

fail() {
  echo "FAIL $1: $2"
  failures=$((failures + 1))
  image_failures=$((image_failures + 1))
}

for image in "$@"; do
  image_failures=0
  headers=$("$objdump" -p "$image") || { fail "$image" "objdump cannot read it"; continue; }
  name=$(basename "$image")

  for flag in DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE; do
    grep -qw "$flag" <<<"$headers" || fail "$name" "DllCharacteristics lack $flag"
  done

  grep -qE '^\s+[0-9]+\s+\.reloc\s' < <("$objdump" -h "$image") ||
    fail "$name" "has no .reloc section: ASLR cannot move it"

  levels=$(grep -a -o 'requestedExecutionLevel[^>]*' "$image" | tr '\n' ' ')
  if [[ -n $levels ]]; then
    [[ $levels == *'level="asInvoker"'* && $levels != *'uiAccess="true"'* &&
      $levels != *requireAdministrator* && $levels != *highestAvailable* ]] ||
      fail "$name" "its manifest asks for more than asInvoker: $levels"
  elif [[ $name == quellix.exe ]]; then
    fail "$name" "carries no manifest with a requested execution level"
  fi

  case $(sed -n 's/.*file format //p' <<<"$headers" | head -n 1) in
    pei-i386) own_architecture=x86 ;;
    pei-x86-64) own_architecture=amd64 ;;
    *) own_architecture=unknown ;;
  esac
  architectures=$(grep -a -o 'processorArchitecture="[^"]*"' "$image" | sed 's/.*="\(.*\)"/\1/' |
    sort -u | tr '\n' ' ')
  for architecture in $architectures; do
    [[ $architecture == "$own_architecture" || $architecture == '*' ]] ||
      fail "$name" "its manifest names $architecture, the image is $own_architecture"
  done

  if grep -qE '^\s+[0-9a-f]+\s+[0-9]+\s+K32' <<<"$headers"; then
    fail "$name" "imports K32* functions: $(grep -oE 'K32[A-Za-z]+' <<<"$headers" | sort -u | tr '\n' ' ')"
  fi

  while read -r dll; do
    lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
    [[ $lower =~ $system_dlls ]] || fail "$name" "needs $dll, which Windows does not ship"
  done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")

  psapi=$(sed -n '/DLL Name: [Pp][Ss][Aa][Pp][Ii]\.[Dd][Ll][Ll]/,/^\s*$/p' <<<"$headers")
  if [[ -n $psapi ]]; then
    for call in EnumProcesses EnumProcessModules GetModuleBaseNameA; do
      grep -qw "$call" <<<"$psapi" || fail "$name" "does not import $call from psapi.dll"
    done
  elif [[ $name == quellix.exe ]]; then
    fail "$name" "imports nothing from psapi.dll"
  fi

  ((image_failures == 0)) && echo "ok   $name: ${psapi:+psapi imports, }no K32*, DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE, relocations, system DLLs only${levels:+, asInvoker}${architectures:+, manifest for $own_architecture}"
done

((failures == 0)) || { echo "$failures problem(s) found"; exit 1; }
