#!/usr/bin/env bash
# Sets up a fresh machine, builds both builds and runs every test:
#   the native build (portable code on the simulated platform, with sanitizers),
#   the fuzz build (libFuzzer over the parsers, bounded runs) where configured,
#   the Windows build (MinGW-w64 i686), whose tests run under Wine on Xvfb;
#   on a host without 32-bit programs, also a 64-bit Windows build whose tests
#   run under 64-bit Wine; on a host with them, of that build only quellix.exe
#   and the check of its image (its manifest must name amd64).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

presets=(native fuzz windows)
# A host that runs no 32-bit programs cannot run 32-bit Wine: the i686 build's
# Wine tests skip there, and the same tests run as a 64-bit build under 64-bit
# Wine. (What ships, and what the image checks look at, is the i686 build.)
# shellcheck source=tools/host.sh
source tools/host.sh
if ! quellix_host_runs_32bit; then
  presets+=(windows64)
fi

for preset in "${presets[@]}"; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset tests"
  ctest --preset "$preset"
done

if quellix_host_runs_32bit; then
  # The 64-bit build's tests stand in for the shipped image's where those
  # cannot run; here those ran themselves, and the stand-in's would add
  # minutes. What the 64-bit build fills in for itself is its manifest: its
  # image alone is built and checked, in well under a minute.
  echo "== windows64 image check (quellix.exe only: this host ran the shipped image's tests)"
  cmake --preset windows64 >/dev/null
  cmake --build --preset windows64 --target quellix
  OBJDUMP=x86_64-w64-mingw32-objdump tools/check-image.sh build/windows64/quellix.exe
fi
