#!/usr/bin/env bash
# The real quellix.exe in Wine's virtual desktop on an Xvfb display of its own,
# driven the way a user drives it: real clicks on the tray icon and its menu.
#   quellix_e2e.sh STATE_DIR QUELLIX.exe PROBE.exe SLEEPER.exe SHOTS_DIR [FRONT_WINDOW.exe]
# Dummy processes named like the Clarion executables stand in for the IDE, and
# FRONT_WINDOW.exe (tests/e2e/front_window.cpp; beside the probe when not given)
# for its maximized window in front.
# Only processes this script started are ended, by their own ids.
set -uo pipefail
state=$1 quellix=$2 probe=$3 sleeper=$4 shots=$5
front_window=${6:-$(dirname "$probe")/quellix_front_window.exe}

# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

# ---- Start-up -----------------------------------------------------------------
wine "$probe" visible >/dev/null 2>&1  # brings the desktop and its taskbar up
check "the virtual desktop is up" within 20 desktop_up
sleep 1
start_quellix
flashes=0
for i in $(seq 40); do
  import -window root "$state/start-$i.png"
  [[ $(black_on_desktop "$state/start-$i.png") -gt 0 ]] && flashes=$((flashes + 1))
  icon_shown && break
  sleep 0.1
done
shot start
check "at start the tray icon is there" within 10 icon_shown
check "at start no window of the program was seen ($flashes of $i screenshots showed one)" test "$flashes" -eq 0
check "at start the window is hidden" hidden
read -r ix iy <<<"$(tray_icon)"
import -window root -crop 200x30+$((ix - 180))+$((iy - 35)) +repage "$shots/tip-before.png"
xdotool mousemove "$ix" "$iy"
sleep 2
import -window root -crop 200x30+$((ix - 180))+$((iy - 35)) +repage "$shots/tip.png"
shot tip-desktop
check "hovering the icon shows its tip" differ "$shots/tip-before.png" "$shots/tip.png"
xdotool mousemove 400 300
sleep 1

wine "$quellix" >/dev/null 2>&1 &
second=$!
started+=("$second")
check "a second copy ends at once" within 10 gone "$second"
wait "$second"
check "a second copy exits with 0" test $? -eq 0
first_copy_unchanged() { running "$quellix_pid" && hidden && icon_shown; }
check "the first copy still runs, hidden, with its icon" first_copy_unchanged

# ---- Killing ---------------------------------------------------------------------
server=$(start_dummy C60SRVX.EXE)
vdm=$(start_dummy NTVDM.EXE)
tray_item QuellixNtvdm
shot kill-with-vdm
check "Quellix + NTVDM ends the server" within 5 gone "$server"
check "Quellix + NTVDM ends NTVDM.EXE" within 5 gone "$vdm"
check "the window stays hidden throughout" hidden

server=$(start_dummy C60SRVX.EXE)
vdm=$(start_dummy NTVDM.EXE)
tray_item Quellix
check "Quellix ends the server" within 5 gone "$server"
sleep 1
check "Quellix leaves NTVDM.EXE running (no 16-bit task here)" running "$vdm"

tray_item Cancel
check "Cancel this menu changes nothing" hidden

# ---- The window ------------------------------------------------------------------
tray_item About
shot about
check "About shows the window" within 5 shown
check "the tray icon is gone while the window is shown" within 5 icon_absent
window_crop title-about 0 0 288 20
click_window 200 10
window_crop title-processes 0 0 288 20
shot processes
check "the title strip shows the Processes page with a fresh count" differ "$shots/title-about.png" "$shots/title-processes.png"
click_window 200 10
shot version
click_window 178 83  # the button of Clarion 5.5 EE
shot version-c55ee
click_window 200 10
window_crop title-about-again 0 0 288 20
check "a third click on the title strip shows the About page again" same_image "$shots/title-about.png" "$shots/title-about-again.png"

window_crop web-at-rest 5 61 127 10
hover_window 20 64
window_crop web-hovered 5 61 127 10
hover_window 200 110
window_crop web-left 5 61 127 10
check "hovering the web-site text underlines it" differ "$shots/web-at-rest.png" "$shots/web-hovered.png"
check "leaving it shows it as before" same_image "$shots/web-at-rest.png" "$shots/web-left.png"

xdotool key Escape
sleep 0.5
xdotool key alt+F4
sleep 1
check "Esc and Alt+F4 leave the window shown" shown
check "the program runs on after Esc and Alt+F4" running "$quellix_pid"

click_window 250 76  # Close
shot closed
check "Close hides the window" within 5 hidden
check "Close puts the icon back" within 5 icon_shown

# The tray item Quellix after an edition was chosen ($1): it ends that
# edition's server ($2) and leaves another edition's ($3) running.
check_kill_ends_only() {
  local server other
  server=$(start_dummy "$2")
  other=$(start_dummy "$3")
  tray_item Quellix
  check "after choosing $1 the kill ends $2" within 5 gone "$server"
  check "and leaves $3 running" running "$other"
  kill "$other" 2>/dev/null
}
check_kill_ends_only "Clarion 5.5 EE" C55SRVX.EXE C60SRVX.EXE

# ---- The keyboard ----------------------------------------------------------------
# The window worked by keyboard alone, keys typed on the X display: the pages
# in turn, another edition picked with the arrows, Close pressed with Enter.
title_changed_from() { window_crop title-now 0 0 288 20 && differ "$shots/$1.png" "$shots/title-now.png"; }
tray_item About
check "About shows the window again" within 5 shown
window_crop title-keys-about 0 0 288 20
xdotool key ctrl+Tab
check "Ctrl+Tab shows the Processes page" within 5 title_changed_from title-keys-about
window_crop title-keys-processes 0 0 288 20
xdotool key ctrl+Next
check "Ctrl+Page Down shows the Version page" within 5 title_changed_from title-keys-processes
window_crop version-keys-before 21 34 245 86
xdotool key Down Down  # from Clarion 5.5 EE to 6.x PE, then 6.x EE
window_crop version-keys-after 21 34 245 86
check "the arrows pick another edition" differ "$shots/version-keys-before.png" "$shots/version-keys-after.png"
xdotool key ctrl+Tab
check "Ctrl+Tab shows the About page again" within 5 title_changed_from title-keys-processes
shot keys-about
# The page gives back its focus, on Close, clicked last time: round once.
xdotool key Tab Tab Tab Return
check "Tab round the About page to Close and Enter hide the window" within 5 hidden
check_kill_ends_only "Clarion 6.x EE by keys" C60SRVX.EXE C55SRVX.EXE

# ---- Another program in front ------------------------------------------------------
# The user's hung IDE: another program's maximized window, opened after Quellix,
# holds the foreground and the keyboard.
wine "$front_window" >/dev/null 2>&1 &
front=$!
started+=("$front")
check "another program's maximized window takes the foreground" within 10 foreground QuellixTestFrontWindow
server=$(start_dummy C60SRVX.EXE)
tray_item Quellix
check "a kill from the tray behind it ends the server" within 5 gone "$server"
check "and the program is back in its loop" wine "$probe" answers
check "the other program's window keeps the keyboard" foreground QuellixTestFrontWindow
check "Quellix's window stays hidden" hidden
tray_item About
sleep 1
shot about-over-maximized
check "About makes Quellix's window the foreground window" within 5 foreground
check "the window seen at the centre of Quellix's window is Quellix's" wine "$probe" on-top
check "the screenshot shows Quellix's window there, not the other one" \
  black_in_window "$shots/about-over-maximized.png"
click_window 250 76  # Close
check "Close hides the window in front of the other program" within 5 hidden
check "and puts the icon back" within 5 icon_shown
kill "$front"
check "the other program has ended" within 10 gone "$front"

# ---- A restarted taskbar ------------------------------------------------------------
wine "$probe" forget-icon >/dev/null 2>&1
check "the shell has forgotten the icon" within 5 icon_absent
wine "$probe" taskbar-created >/dev/null 2>&1
check "TaskbarCreated brings the icon back" within 5 icon_shown
shot taskbar-created

# ---- Ending --------------------------------------------------------------------------
tray_item Exit
check "Exit ends the program with exit code 0" ended_with_zero
check "no dead icon stays in the tray" within 5 icon_absent

start_quellix
within 10 icon_shown
tray_item About
within 5 shown
click_window 200 10  # the Processes page, where Quit is
click_window 263 116
check "Quit ends the program with exit code 0" ended_with_zero

start_quellix
within 10 icon_shown
wine "$probe" end-session >/dev/null 2>&1
check "the program lets the session end" test $? -eq 0
check "the end of the session ends the program with exit code 0" ended_with_zero

summary
