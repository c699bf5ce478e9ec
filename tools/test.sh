#!/usr/bin/env bash
# Sets up a fresh machine, builds both builds and runs every test:
#   the native build (portable code on the simulated platform, with sanitizers),
#   the fuzz build (libFuzzer over the parsers, bounded runs) where configured,
#   the Windows build (MinGW-w64 i686), whose tests run under Wine on Xvfb;
#   on a host without 32-bit programs, also a 64-bit Windows build whose tests
#   run under 64-bit Wine.
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
