#!/usr/bin/env bash
# Sets up a fresh machine, builds quellix.exe and starts it under Wine in a
# virtual desktop with a taskbar, where its tray icon lives. On your X display
# when there is one; otherwise on an Xvfb display of its own, of which it saves
# screenshots so you can see what runs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target quellix

state=build/windows/run
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

wine build/windows/quellix.exe &
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
