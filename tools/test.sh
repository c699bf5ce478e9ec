#!/usr/bin/env bash
# Sets up a fresh machine, builds both builds and runs every test:
#   the native build (portable code on the simulated platform, with sanitizers),
#   the fuzz build (libFuzzer over the parsers, bounded runs) where configured,
#   the Windows build (MinGW-w64 i686), whose tests run under Wine on Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

for preset in native fuzz windows; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset tests"
  ctest --preset "$preset"
done
