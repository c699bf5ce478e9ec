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

# On a virtual machine the hypervisor can take the CPUs away from this machine
# for a while (the kernel counts that time as stolen), and a start-up is then
# longer by a spell that has nothing to do with the program. The probe prints
# the milliseconds stolen while it timed; a round in which more than one tick
# of the kernel's (10 ms) was stolen is left out and another run in its place.
steal_limit=10

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

# The median of the values read, then those that bound their middle half
# (nearest rank). A round in which a program gave no measurement reads 0 and
# is left out.
middle() {
  awk '$1 > 0' | sort -n | awk '{ v[NR] = $1 } END {
    if (NR) print v[int((NR + 1) / 2)], v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)] }'
}
median() { middle | awk '{ print $1 }'; }
# The median of each round's own ratio: the two programs start one after the
# other in a round, so a slower spell of the host weighs on both alike. Beside
# it, the ratios that bound the middle half of the rounds: where a single start
# can take twice as long as the next, that spread says how far the median can
# be trusted.
median_ratio() {
  local -n numerators=$1 denominators=$2
  for i in "${!numerators[@]}"; do
    ((numerators[i] > 0 && denominators[i] > 0)) || continue  # a round that failed
    awk "BEGIN { printf \"%.4f\\n\", ${numerators[i]} / ${denominators[i]} }"
  done | middle | awk '{ printf "%.2f, the middle half of the rounds %.2f to %.2f", $1, $2, $3 }'
}

# Whether the host took so much time from a round's two timed steps (their
# stolen milliseconds are the arguments) that the round must be run again.
disturbed() {
  (($1 > steal_limit || $2 > steal_limit)) || return 1
  ((left_out += 1))
  echo "  (run again: the host took $1 and $2 ms of CPU time from this machine)" >&2
}
left_out=0

quellix_times=() minimal_times=() quellix_bytes=() minimal_bytes=()
quellix_ready=() minimal_ready=()
# Which program goes first alternates from round to round: the one that starts
# right after the other has closed finds Wine's caches warmer, or its server
# still busy, and that must weigh on both alike. A disturbed round is run
# again, up to three times as many rounds as were asked for in all.
for ((attempt = 1; ${#quellix_times[@]} < rounds && attempt <= 3 * rounds; attempt++)); do
  if ((attempt % 2)); then
    read -r t r b qs <<<"$(measure "$quellix" QuellixMainWindow)"
    read -r mt mr mb ms <<<"$(measure "$minimal" MinimalTray)"
  else
    read -r mt mr mb ms <<<"$(measure "$minimal" MinimalTray)"
    read -r t r b qs <<<"$(measure "$quellix" QuellixMainWindow)"
  fi
  echo "round $attempt: icon quellix $t ms, minimal $mt ms;" \
    "answering quellix $r ms, minimal $mr ms" >&2
  disturbed "$qs" "$ms" && continue
  quellix_times+=("$t") quellix_ready+=("$r") quellix_bytes+=("$b")
  minimal_times+=("$mt") minimal_ready+=("$mr") minimal_bytes+=("$mb")
done
quellix_shown=() minimal_shown=() quellix_shown_bytes=() minimal_shown_bytes=()
for ((attempt = 1; ${#quellix_shown[@]} < rounds && attempt <= 3 * rounds; attempt++)); do
  if ((attempt % 2)); then
    read -r t b qs <<<"$(measure_first_show "$quellix" QuellixMainWindow)"
    read -r mt mb ms <<<"$(measure_first_show "$minimal_window" MinimalWindow)"
  else
    read -r mt mb ms <<<"$(measure_first_show "$minimal_window" MinimalWindow)"
    read -r t b qs <<<"$(measure_first_show "$quellix" QuellixMainWindow)"
  fi
  echo "round $attempt: first show quellix $t ms, minimal $mt ms;" \
    "bytes then quellix $b, minimal $mb" >&2
  disturbed "$qs" "$ms" && continue
  quellix_shown+=("$t") quellix_shown_bytes+=("$b")
  minimal_shown+=("$mt") minimal_shown_bytes+=("$mb")
done
# A program that did not start under Wine reads as 0. Such rounds are left out
# of a figure and counted; a figure that lost half of its rounds is no figure.
failed=0
for series in quellix_times minimal_times quellix_ready minimal_ready quellix_bytes minimal_bytes \
  quellix_shown minimal_shown quellix_shown_bytes minimal_shown_bytes; do
  declare -n values=$series
  lost=0
  for value in "${values[@]}"; do ((value > 0)) || ((lost += 1)); done
  kept=${#values[@]}
  unset -n values
  if ((lost * 2 >= kept)); then
    echo "tray_bench: $lost of $kept rounds gave no measurement under Wine ($series)" >&2
    exit 1
  fi
  ((failed += lost))
done

qs=$(stat -c %s "$quellix")
ms=$(stat -c %s "$minimal")
echo "Size of the image (stripped):"
echo "  quellix.exe $qs bytes ($(awk "BEGIN { printf \"%.1f\", $qs / 1024 }") KiB, goal at most 256 KiB) against the minimal tray program $ms bytes: ratio $(awk "BEGIN { printf \"%.2f\", $qs / $ms }")"
qt=$(printf '%s\n' "${quellix_times[@]}" | median)
mt=$(printf '%s\n' "${minimal_times[@]}" | median)
qb=$(printf '%s\n' "${quellix_bytes[@]}" | median)
mb=$(printf '%s\n' "${minimal_bytes[@]}" | median)
qr=$(printf '%s\n' "${quellix_ready[@]}" | median)
mr=$(printf '%s\n' "${minimal_ready[@]}" | median)
qf=$(printf '%s\n' "${quellix_shown[@]}" | median)
mf=$(printf '%s\n' "${minimal_shown[@]}" | median)
qfb=$(printf '%s\n' "${quellix_shown_bytes[@]}" | median)
mfb=$(printf '%s\n' "${minimal_shown_bytes[@]}" | median)

cp "$sleeper" "$state/C60SRVX.EXE"
wine "$quellix" >/dev/null 2>&1 &
qpid=$!
within 30 icon_shown
read -r gone answering <<<"$(wine "$probe" kill-timing "$(winepath -w "$state/C60SRVX.EXE")" 2>/dev/null | tr -d '\r')"
wine "$probe" close QuellixMainWindow >/dev/null 2>&1
wait "$qpid" 2>/dev/null

((failed == 0)) || echo "Left out: $failed measurements of failed rounds, which gave nothing under Wine"
((left_out == 0)) || echo "Run again: $left_out rounds in which the host took more than" \
  "$steal_limit ms of CPU time from this machine while a program was timed"
for series in quellix_times quellix_shown; do
  declare -n values=$series
  ((${#values[@]} == rounds)) ||
    echo "Only ${#values[@]} of the $rounds rounds asked for were undisturbed ($series)"
  unset -n values
done
echo "Start-up until the tray icon is registered (medians of ${#quellix_times[@]} rounds, timed by the probe that starts it;"
echo "  the ratio is the median of the rounds' own ratios):"
echo "  quellix.exe $qt ms against the minimal tray program $mt ms: ratio $(median_ratio quellix_times minimal_times) (goal at most 1.10)"
echo "Start-up until the program answers a message (medians of ${#quellix_ready[@]} rounds):"
echo "  quellix.exe $qr ms against the minimal tray program $mr ms: ratio $(median_ratio quellix_ready minimal_ready) (goal at most 1.10)"
echo "Private bytes after start (medians):"
echo "  quellix.exe $qb against $mb: ratio $(median_ratio quellix_bytes minimal_bytes) (goal at most 1.10)"
echo "First show, from the tray item About until the window has painted (medians of ${#quellix_shown[@]} rounds):"
echo "  quellix.exe $qf ms against the minimal window program $mf ms: ratio $(median_ratio quellix_shown minimal_shown)"
echo "Private bytes after the first show (medians):"
echo "  quellix.exe $qfb against $mfb: ratio $(median_ratio quellix_shown_bytes minimal_shown_bytes)"
echo "The tray item Quellix: the server gone after ${gone:-?} ms; the program answered again ${answering:-?} ms later"
echo "  (over 1000 ms: the server was gone before the one-second wait began)"
