# shellcheck shell=bash disable=SC2154 # the caller sets state, quellix, probe, sleeper, shots
# Sourced by the end-to-end scripts: the Wine session on an Xvfb display of its
# own, the checks and their tally, and the ways a user drives the program (real
# clicks on the tray icon, its menu and the window). The caller sets state,
# quellix, probe, sleeper and shots first; sourcing starts the session, and the
# script's exit ends it.
# Only processes started here are ended, by their own ids.
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)

started=()  # Linux ids of everything started here
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  "$tools/wine-session.sh" stop "$state" >/dev/null
}
# Set first: a session that fails half-way still has its display ended.
trap cleanup EXIT
"$tools/wine-session.sh" start "$state" >/dev/null
session=$?
((session == 77)) && exit 77 # Wine cannot run on this host; the reason is printed
((session == 0)) || { echo "FAIL no Wine session"; exit 1; }
# shellcheck source=tools/wine-env.sh
source "$tools/wine-env.sh" "$state"
# shellcheck source=tools/wine-desktop.sh
source "$tools/wine-desktop.sh"
mkdir -p "$shots" "$state/dummies"
rm -f "$shots"/*.png "$state"/start-*.png

passed=0
failed=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
    passed=$((passed + 1))
  else
    echo "FAIL $what"
    failed=$((failed + 1))
  fi
}

shot() { import -window root "$shots/$1.png"; }
gone() { ! running "$1"; }
hidden() { wine "$probe" visible >/dev/null 2>&1; [[ $? -eq 1 ]]; }
shown() { wine "$probe" visible >/dev/null 2>&1; }

# Black pixels on the desktop, above the taskbar: the program's window shows
# black, nothing else on this desktop does. A screenshot taken while the
# desktop itself is not drawn (its corner black too) shows nothing and counts 0.
black_on_desktop() {
  convert "$1" -crop 800x578+0+0 +repage -fill white +opaque black \
    -format '%[fx:p{5,5}.r+p{5,5}.g+p{5,5}.b == 0 ? 0 : round((1-mean)*w*h)]' info:
}

# Whether the window (of class $1, the program's by default) is the foreground one.
foreground() { wine "$probe" foreground ${1:+"$1"} >/dev/null 2>&1; }

# Whether most of the shown window's client area is black in the screenshot $1:
# the program's window is black, the other program's navy blue.
black_in_window() {
  local left top width height
  read -r left top width height <<<"$(client_area)"
  [[ -n ${height:-} ]] || return 1
  [[ $(convert "$1" -crop "${width}x${height}+${left}+${top}" +repage -fill white +opaque black \
    -format '%[fx:(1-mean) > 0.5]' info:) == 1 ]]
}

# The top of the open tray menu: the first light row above the taskbar in a
# column inside the menu; empty when no menu is open.
menu_top() {
  import -window root "$state/screen.png" 2>/dev/null
  convert "$state/screen.png" -crop 1x290+740+290 +repage -depth 8 txt:- 2>/dev/null |
    awk -F'[ ,:()]+' '/^[0-9]/ { if ($3 > 200 && $4 > 200 && $5 > 200) { print 290 + $2; exit } }'
}

# Opens the tray menu with a real click and prints the menu's top.
open_tray_menu() {
  local x y top
  read -r x y <<<"$(tray_icon)"
  [[ -n ${x:-} ]] || return 1
  # Wine must see the pointer arrive before the click is over the icon.
  xdotool mousemove "$x" "$y"
  sleep 0.5
  xdotool click 1
  for _ in $(seq 10); do
    sleep 0.3
    top=$(menu_top)
    [[ -n $top ]] && break
  done
  echo "$top"
}

# Clicks a tray menu item: About, Quellix, QuellixNtvdm, Cancel or Exit.
tray_item() {
  local top offset
  top=$(open_tray_menu) || return 1
  import -window root "$shots/menu-$1.png"
  [[ -n $top ]] || { echo "no tray menu found" >&2; return 1; }
  case $1 in
    About) offset=12 ;;
    Quellix) offset=37 ;;
    QuellixNtvdm) offset=55 ;;
    Cancel) offset=81 ;;
    Exit) offset=99 ;;
  esac
  xdotool mousemove 740 $((top + offset))
  sleep 0.3
  xdotool click 1
  sleep 1
}

# The shown window's client area on the screen: left top width height.
client_area() { wine "$probe" client 2>/dev/null | tr -d '\r'; }

# Clicks at dialog units (x, y) of the shown window's client area.
click_window() {
  local left top width height
  read -r left top width height <<<"$(client_area)"
  xdotool mousemove $((left + $1 * width / 288)) $((top + $2 * height / 128))
  sleep 0.3
  xdotool click 1
  sleep 0.8
}
hover_window() {
  local left top width height
  read -r left top width height <<<"$(client_area)"
  xdotool mousemove $((left + $1 * width / 288)) $((top + $2 * height / 128))
  sleep 0.8
}
window_crop() {  # name x y w h, in dialog units
  local left top width height
  read -r left top width height <<<"$(client_area)"
  import -window root -crop "$(($4 * width / 288))x$(($5 * height / 128))+$((left + $2 * width / 288))+$((top + $3 * height / 128))" +repage "$shots/$1.png"
}
same_image() { [[ $(compare -metric AE "$1" "$2" null: 2>&1) == 0 ]]; }
differ() { ! same_image "$1" "$2"; }

start_dummy() {  # name [folder under dummies/]; prints the Linux id
  mkdir -p "$state/dummies/${2:-.}"
  cp "$sleeper" "$state/dummies/${2:-.}/$1"
  wine "$state/dummies/${2:-.}/$1" >/dev/null 2>&1 &
  local pid=$!
  started+=("$pid")
  sleep 1.5
  echo "$pid"
}

start_quellix() {
  wine "$quellix" >/dev/null 2>&1 &
  quellix_pid=$!
  started+=("$quellix_pid")
}

exit_code_of_quellix() {
  local code
  for _ in $(seq 50); do running "$quellix_pid" || break; sleep 0.2; done
  running "$quellix_pid" && return 99
  wait "$quellix_pid"
  code=$?
  return $code
}
ended_with_zero() { exit_code_of_quellix; }

# Wine's virtual desktop is drawn (its middle is not black).
desktop_up() {
  [[ $(import -window root -crop 1x1+400+300 +repage -depth 8 txt:- 2>/dev/null |
    awk -F'[ ,:()]+' '/^[0-9]/ { print ($3 + $4 + $5 > 0) }') == 1 ]]
}

# The results so far; fails when any check failed.
summary() {
  echo "screenshots in $shots"
  echo "$passed passed, $failed failed"
  [[ $failed -eq 0 ]]
}
