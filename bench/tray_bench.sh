#!/usr/bin/env bash
# quellix.exe against a minimal tray program built the same way, side by side
# under Wine in a virtual desktop of its own:
#   - start-up until the tray icon shows in the taskbar (goal: ratio at most 1.10);
#   - private bytes once started;
#   - a kill press: how long until the server process has gone, and how long
#     the program then still takes before it answers again (which holds the
#     one-second wait: more than 1,000 ms means the server was gone before the
#     wait began).
# Usage: bench/tray_bench.sh [ROUNDS]   after `cmake --build --preset windows`
set -uo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-7}
build=build/windows
state=$build/bench-tray
quellix=$build/quellix.exe
minimal=$build/quellix_minimal_tray.exe
probe=$build/tests/e2e/quellix_probe.exe
sleeper=$build/tests/windows/quellix_sleeper.exe

tools/wine-session.sh start "$state" >/dev/null
trap 'tools/wine-session.sh stop "$state" >/dev/null' EXIT
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh "$state"
# shellcheck source=tools/wine-desktop.sh
source tools/wine-desktop.sh
wine "$probe" visible >/dev/null 2>&1  # the desktop comes up
sleep 3

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Starts a program, waits for its icon, measures, closes it. Prints the
# milliseconds to the icon and the private bytes.
measure() {
  local program=$1 class=$2 started shown bytes pid
  started=$(now_ms)
  wine "$program" >/dev/null 2>&1 &
  pid=$!
  # Polled as fast as a screenshot can be taken, a few tens of milliseconds.
  until icon_shown; do
    (($(now_ms) - started < 30000)) || { echo "no icon from $program" >&2; kill "$pid"; return 1; }
  done
  shown=$(now_ms)
  sleep 1
  bytes=$(wine "$probe" memory "$class" 2>/dev/null | tr -d '\r')
  wine "$probe" close "$class" >/dev/null 2>&1
  within 20 bash -c "! kill -0 $pid 2>/dev/null" || kill "$pid"
  wait "$pid" 2>/dev/null
  within 10 icon_absent
  echo "$((shown - started)) ${bytes:-0}"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

quellix_times=() minimal_times=() quellix_bytes=() minimal_bytes=()
for round in $(seq "$rounds"); do
  read -r t b <<<"$(measure "$quellix" QuellixMainWindow)"
  quellix_times+=("$t")
  quellix_bytes+=("$b")
  read -r t b <<<"$(measure "$minimal" MinimalTray)"
  minimal_times+=("$t")
  minimal_bytes+=("$b")
  echo "round $round: quellix ${quellix_times[-1]} ms, minimal ${minimal_times[-1]} ms" >&2
done
qt=$(printf '%s\n' "${quellix_times[@]}" | median)
mt=$(printf '%s\n' "${minimal_times[@]}" | median)
qb=$(printf '%s\n' "${quellix_bytes[@]}" | median)
mb=$(printf '%s\n' "${minimal_bytes[@]}" | median)

cp "$sleeper" "$state/C60SRVX.EXE"
wine "$quellix" >/dev/null 2>&1 &
qpid=$!
within 30 icon_shown
read -r gone answering <<<"$(wine "$probe" kill-timing "$(winepath -w "$state/C60SRVX.EXE")" 2>/dev/null | tr -d '\r')"
wine "$probe" close QuellixMainWindow >/dev/null 2>&1
wait "$qpid" 2>/dev/null

echo "Start-up until the tray icon shows (median of $rounds, screenshots polled without pause):"
echo "  quellix.exe $qt ms against the minimal tray program $mt ms: ratio $(awk "BEGIN { printf \"%.2f\", $qt / $mt }") (goal at most 1.10)"
echo "Private bytes after start (median):"
echo "  quellix.exe $qb against $mb: ratio $(awk "BEGIN { printf \"%.2f\", $qb / $mb }")"
echo "A kill press: the server gone after ${gone:-?} ms; the program answered again ${answering:-?} ms later"
echo "  (over 1000 ms: the server was gone before the one-second wait began)"
