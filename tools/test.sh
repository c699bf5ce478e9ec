#!/usr/bin/env bash
# Sets up a fresh machine, builds both builds and runs every test:
#   the native build (portable code on the simulated platform, with sanitizers),
#   the fuzz build (libFuzzer over the parsers, bounded runs) where configured,
#   the Windows build (MinGW-w64 i686), whose tests run under Wine on Xvfb,
#   and beside it a 64-bit build of the same sources under 64-bit Wine, which
#   stands in for it on a host that runs no 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

# The native and fuzz builds run their tests one after the other. The Windows
# builds then run theirs side by side: most of their time is spent waiting on
# Wine and on the X server, and each build has a Wine prefix and an X display
# of its own.
for preset in native fuzz; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset tests"
  ctest --preset "$preset"
done

# The i686 build is what ships. The x86_64 build is the same sources with the
# same controls and manifest meaning (its own architecture's common controls
# 6): on a host that runs no 32-bit programs, where the i686 build's Wine tests
# skip, its tests stand in for them; elsewhere they show both builds alike.
# shellcheck source=tools/host.sh
source tools/host.sh
if ! quellix_host_runs_32bit_wine; then
  echo "== this host runs no 32-bit Wine: the i686 build's Wine tests skip," \
    "and the x86_64 build's stand in for them"
fi
for preset in windows windows64; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
echo "== windows and windows64 tests, side by side (windows64 printed after windows)"
log64=build/windows64/ctest.log
ctest --preset windows64 >"$log64" 2>&1 &
pid64=$!
status=0
ctest --preset windows || status=$?
status64=0
wait "$pid64" || status64=$?
echo "== windows64 tests"
cat "$log64"
[[ $status -eq 0 && $status64 -eq 0 ]]
