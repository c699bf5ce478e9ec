#!/usr/bin/env bash
# quellix.exe against a minimal tray program built the same way, side by side
# under Wine in a virtual desktop of its own:
#   - the size of the image, stripped as both are linked (goal: quellix.exe at
#     most 256 KiB);
#   - start-up until the tray icon is registered with the shell (goal: ratio at
#     most 1.10);
#   - start-up until the program answers a message, its loop running (a
#     program may finish setting up its hidden window after its
#     icon is registered; this counts that too; goal: ratio at most 1.10);
#   - private bytes once started (goal: ratio at most 1.10: until its window is
#     first shown, the program costs what an empty tray program costs);
#   - the first show: from choosing the tray item About until the window has
#     painted, and the private bytes then, against a minimal program whose
#     About shows a window with one themed button (quellix_minimal_window);
#   - the tray item Quellix: how long until the server process has gone, and how long
#     the program then still takes before it answers again (which holds the
#     one-second wait: more than 1,000 ms means the server was gone before the
#     wait began).
# This script starts the programs and writes down what they gave, round by
# round, in BUILD/bench-tray/figures.txt; bench/tray_report.py decides from
# those figures which rounds to run again and prints the report, which
# `python3 bench/tray_report.py report FIGURES` prints again. bench/README.md
# says how the rounds are paired and what the figures mean.
# Usage: bench/tray_bench.sh [ROUNDS [QUELLIX.exe MINIMAL.exe [MINIMAL_WINDOW.exe]]]
#   after `cmake --build --preset windows`; the images default to the
#   build's, and may be others (a release's quellix.exe, an older build).
#   On a host that runs no 32-bit programs, and so no 32-bit Wine, it measures
#   the 64-bit test build under 64-bit Wine instead (not the shipped image),
#   and says so; QUELLIX_BUILD names another build folder.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
rounds=${1:-7}
build=${QUELLIX_BUILD:-build/windows}
# shellcheck source=tools/host.sh
source tools/host.sh
if [[ -z ${QUELLIX_BUILD:-} ]] && ! quellix_host_runs_32bit_wine; then
  build=build/windows64
  echo "This host runs no 32-bit Wine: measuring the 64-bit test build ($build)," \
    "after \`cmake --build --preset windows64\`, not the shipped image." >&2
fi
state=$build/bench-tray
quellix=${2:-$build/quellix.exe}
minimal=${3:-$build/quellix_minimal_tray.exe}
minimal_window=${4:-$build/quellix_minimal_window.exe}
probe=$build/tests/e2e/quellix_probe.exe
sleeper=$build/tests/windows/quellix_sleeper.exe

tools/wine-session.sh start "$state" >/dev/null ||
  { echo "tray_bench: the Wine session did not start" >&2; exit 1; }
trap 'tools/wine-session.sh stop "$state" >/dev/null' EXIT
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh "$state"
# shellcheck source=tools/wine-desktop.sh
source tools/wine-desktop.sh
wine "$probe" visible >/dev/null 2>&1  # the desktop comes up
sleep 3

# Starts a program through the probe, which times it, reads its private bytes
# once it has settled, closes it and waits until it has gone. Prints the
# milliseconds until its icon was registered and until it answered, the
# bytes, and the milliseconds stolen from this machine while it started.
measure() {
  local program=$1 class=$2 registered answered stolen bytes
  # Into a file: the program inherits the probe's output, and a pipe would
  # stay open for as long as the program runs.
  wine "$probe" start-up "$(winepath -w "$program")" "$class" >"$state/start-up.txt" 2>/dev/null
  read -r registered answered stolen < <(tr -d '\r' <"$state/start-up.txt")
  sleep 1
  bytes=$(wine "$probe" memory "$class" 2>/dev/null | tr -d '\r')
  wine "$probe" close "$class" >/dev/null 2>&1
  within 20 bash -c "! wine '$probe' memory '$class' >/dev/null 2>&1"
  within 10 icon_absent
  echo "${registered:-0} ${answered:-0} ${bytes:-0} ${stolen:-0}"
}

# Starts a program, opens its window from the tray item About, and prints the
# milliseconds until the window had painted, the private bytes once it has
# settled, and the milliseconds stolen while it was shown; then closes it and
# waits until it has gone.
measure_first_show() {
  local program=$1 class=$2 shown stolen bytes
  wine "$program" >/dev/null 2>&1 &
  within 30 bash -c "wine '$probe' memory '$class' >/dev/null 2>&1" && within 10 icon_shown
  sleep 1
  read -r shown stolen < <(wine "$probe" first-show "$class" 2>/dev/null | tr -d '\r')
  sleep 1
  bytes=$(wine "$probe" memory "$class" 2>/dev/null | tr -d '\r')
  wine "$probe" close "$class" >/dev/null 2>&1
  within 20 bash -c "! wine '$probe' memory '$class' >/dev/null 2>&1"
  within 10 icon_absent
  wait
  echo "${shown:-0} ${bytes:-0} ${stolen:-0}"
}

# What was measured goes into a file, and bench/tray_report.py decides from it
# which rounds count and makes the report; the file stays for a report made
# again.
figures=$state/figures.txt
echo "rounds $rounds" >"$figures"

# Runs rounds of one kind, start-up or first-show, each timing quellix.exe and
# a yardstick program (path, window class) with the given measuring function,
# for as long as the report script wants more rounds. It tells how each round
# went, and wants another in place of one in which the host took CPU time
# from a timed step. Which program goes first alternates from round to round:
# the one that starts right after the other has closed finds Wine's caches
# warmer, or its server still busy, and that must weigh on both alike.
run_rounds() {
  local kind=$1 measure=$2 yardstick=$3 yardstick_class=$4 attempt quellix_figures minimal_figures
  for ((attempt = 1; $(python3 bench/tray_report.py wanted "$figures" "$kind") > 0; attempt++)); do
    if ((attempt % 2)); then
      quellix_figures=$("$measure" "$quellix" QuellixMainWindow)
      minimal_figures=$("$measure" "$yardstick" "$yardstick_class")
    else
      minimal_figures=$("$measure" "$yardstick" "$yardstick_class")
      quellix_figures=$("$measure" "$quellix" QuellixMainWindow)
    fi
    printf '%s %s %s %s\n' "$kind" "$attempt" quellix "$quellix_figures" \
      "$kind" "$attempt" minimal "$minimal_figures" >>"$figures"
  done
}
run_rounds start-up measure "$minimal" MinimalTray
run_rounds first-show measure_first_show "$minimal_window" MinimalWindow
printf 'size %s %s\n' quellix "$(stat -c %s "$quellix")" minimal "$(stat -c %s "$minimal")" >>"$figures"

cp "$sleeper" "$state/C60SRVX.EXE"
wine "$quellix" >/dev/null 2>&1 &
qpid=$!
within 30 icon_shown
echo "kill $(wine "$probe" kill-timing "$(winepath -w "$state/C60SRVX.EXE")" 2>/dev/null | tr -d '\r')" \
  >>"$figures"
wine "$probe" close QuellixMainWindow >/dev/null 2>&1
wait "$qpid" 2>/dev/null

python3 bench/tray_report.py report "$figures"
