#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own Wine state folder:
#   wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
# The folder holds the prefix and, when tools/wine-session.sh started one, the
# X display to use. Wine's own chatter is silenced; the program's exit code is
# the script's, or 77 (skipped) on a host where 32-bit Wine cannot run.
set -euo pipefail
state_dir=$1
shift
# shellcheck source=tools/wine-env.sh
source "$(dirname "$0")/wine-env.sh" "$state_dir"
if ! quellix_wine_can_run; then
  quellix_wine_skip_reason
  exit "$quellix_wine_skip"
fi
quellix_wine_ensure_prefix
exec wine "$@"
