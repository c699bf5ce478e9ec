#!/usr/bin/env bash
# Sets up a fresh machine, builds quellix.exe and starts it under Wine in a
# virtual desktop with a taskbar, where its tray icon lives. On your X display
# when there is one; otherwise on an Xvfb display of its own, of which it saves
# screenshots so you can see what runs. On a host that runs no 32-bit
# programs, and so no 32-bit Wine, it builds and runs the 64-bit test build of
# the same sources under 64-bit Wine instead, and says so.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
preset=windows
# shellcheck source=tools/host.sh
source tools/host.sh
if ! quellix_host_runs_32bit_wine; then
  preset=windows64
  echo "This host runs no 32-bit Wine: building and running the" \
    "64-bit test build (build/windows64) under 64-bit Wine, not the shipped quellix.exe."
fi
build=build/$preset
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target quellix

state=$build/run
if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  mkdir -p "$state"
  echo "$DISPLAY" >"$state/display"
  own_display=false
else
  rm -f "$state/display"
  tools/wine-session.sh start "$state" >/dev/null
  own_display=true
fi
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh "$state"
quellix_wine_ensure_prefix

wine "$build/quellix.exe" &
pid=$!
stop() {
  kill "$pid" 2>/dev/null || true
  if $own_display; then tools/wine-session.sh stop "$state" >/dev/null; else wineserver -k || true; fi
}
trap stop EXIT INT TERM

echo "Quellix runs (process $pid) on display $DISPLAY. Its icon is in the taskbar's"
echo "notification area, bottom right of the virtual desktop: click it for the menu."
if $own_display; then
  sleep 6
  import -window root "$state/screenshot.png"
  echo "No X display here, so it runs on its own Xvfb display. A screenshot of it:"
  echo "  $state/screenshot.png"
  echo "Drive it with xdotool on that display, e.g.:"
  echo "  DISPLAY=$DISPLAY xdotool mousemove 789 589 click 1"
  echo "Press Ctrl+C to end it."
fi
wait "$pid" || true
