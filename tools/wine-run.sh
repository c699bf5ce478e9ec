#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own Wine state folder:
#   wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
# The folder holds the prefix and, when tools/wine-session.sh started one, the
# X display to use. Wine's own chatter is silenced; the program's exit code is
# the script's.
set -euo pipefail
state_dir=$1
shift
# shellcheck source=tools/wine-env.sh
source "$(dirname "$0")/wine-env.sh" "$state_dir"
quellix_wine_ensure_prefix
exec wine "$@"
