#!/usr/bin/env bash
# The 16-bit task path of the real quellix.exe under Wine, which has no virtual
# DOS machine: a stand-in vdmdbg.dll in the prefix's system folder makes every
# NTVDM.EXE a VDM with the 16-bit tasks this script describes, and records each
# task it is asked to end (tests/vdmdbg_standin).
#   quellix_vdm_e2e.sh STATE_DIR QUELLIX.exe PROBE.exe SLEEPER.exe STANDIN.dll SHOTS_DIR
# A copy of the stand-in is also planted beside (a copy of) quellix.exe: the
# program must load the system's one, never one from its own folder.
set -uo pipefail
state=$1 quellix=$2 probe=$3 sleeper=$4 standin=$5 shots=$6

# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

system="$WINEPREFIX/drive_c/windows/system32"
app="$state/app"
mkdir -p "$app"
rm -f "$app"/* "$system"/vdmdbg-*.txt
cp "$quellix" "$app/quellix.exe"
quellix="$app/quellix.exe"
cp "$standin" "$system/vdmdbg.dll"
cp "$standin" "$app/vdmdbg.dll"
# The native vdmdbg.dll, not Wine's own.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;vdmdbg=n"

tasks="$system/vdmdbg-tasks.txt"
calls="$system/vdmdbg-calls.txt"
describe_tasks() { printf '%s\r\n' "$@" >"$tasks"; }
# The tasks the program has asked to end so far, one "FOLDER TASK16" a line.
ended_tasks() { sed -n 's/^end \(.*\)\r$/\1/p' "$calls" 2>/dev/null; }
ended_since() { ended_tasks | tail -n +$(($1 + 1)); }
asked_to_end() {  # expected lines since the count $1 of earlier ones
  local since=$1
  shift
  [[ $(ended_since "$since") == "$(printf '%s\n' "$@" | sed '/^$/d')" ]]
}

wine "$probe" visible >/dev/null 2>&1  # brings the desktop and its taskbar up
check "the virtual desktop is up" within 20 desktop_up
start_quellix
check "the program starts with its tray icon" within 15 icon_shown

# ---- Quellix: the server and the IDE's task, nothing else -------------------------
describe_tasks 'vdm-a 4660 301 C:\CLARION6\BIN\C60EE.EXE' \
  'vdm-a 4661 302 C:\WINDOWS\CLOCK.EXE' 'vdm-a 4662 303 C:\TOOLS\EDIT.EXE'
server=$(start_dummy C60SRVX.EXE)
vdm_a=$(start_dummy NTVDM.EXE vdm-a)
tray_item Quellix
check "Quellix ends the server" within 5 gone "$server"
check "Quellix ends exactly the IDE's task, in its VDM" within 5 asked_to_end 0 "vdm-a 4660"
check "NTVDM.EXE keeps running" running "$vdm_a"

# ---- Loading: the system's vdmdbg.dll, never one beside the program ----------------
loaded() { grep -q '^loaded' "$1" 2>/dev/null; }
never_loaded() { ! loaded "$1"; }
check "the vdmdbg.dll in the system folder is loaded" loaded "$calls"
check "the vdmdbg.dll planted beside quellix.exe is never loaded" never_loaded "$app/vdmdbg-calls.txt"

# ---- Quellix + NTVDM: the whole VDM, no task ------------------------------------------
before=$(ended_tasks | wc -l)
server=$(start_dummy C60SRVX.EXE)
tray_item QuellixNtvdm
check "Quellix + NTVDM ends the server" within 5 gone "$server"
check "Quellix + NTVDM ends NTVDM.EXE" within 5 gone "$vdm_a"
check "Quellix + NTVDM asks for no task to end" asked_to_end "$before"

# ---- Two VDMs: the handle goes to the one that hosts the task --------------------------
# Once in the VDM the program sees first and once in the other, so that a
# program that always picks one of them fails one of the two.
vdm_a=$(start_dummy NTVDM.EXE vdm-a)
vdm_b=$(start_dummy NTVDM.EXE vdm-b)
for host in vdm-b vdm-a; do
  other=$([[ $host == vdm-a ]] && echo vdm-b || echo vdm-a)
  handle=$([[ $host == vdm-b ]] && echo 4670 || echo 4680)
  describe_tasks "$other 4671 311 C:\\WINDOWS\\CLOCK.EXE" "$host $handle 312 C:\\C60\\BIN\\C60EE.EXE" \
    "$host 4672 313 C:\\TOOLS\\EDIT.EXE"
  before=$(ended_tasks | wc -l)
  server=$(start_dummy C60SRVX.EXE)
  tray_item Quellix
  check "with two VDMs Quellix ends the server" within 5 gone "$server"
  check "with two VDMs the IDE's handle goes to $host, which hosts it" \
    within 5 asked_to_end "$before" "$host $handle"
done
both_running() { running "$vdm_a" && running "$vdm_b"; }
check "both VDMs keep running" both_running

# ---- The Processes page with the task rows ----------------------------------------------
# Values that show the number grouping, the widest cells and a file name
# without a folder, for the eye; task_rows_check.py checks the layout.
describe_tasks 'vdm-a 1024 7 C:\CLARION6\BIN\C60EE.EXE' \
  'vdm-a 65535 2147483647 c:\tools\edit.exe' 'vdm-b 5 99999 CLOCK.EXE'
tray_item About
check "About shows the window" within 5 shown
click_window 200 10  # the Processes page, with a fresh scan
click_window 100 30  # into the list
xdotool key End      # its last rows: the VDMs started last
sleep 0.8
window_crop processes-tasks 0 0 288 128
window_crop task-rows 0 23 288 83  # the list, with a margin
# vdm-a shows two tasks, vdm-b one; the VDMs were started last, so their rows
# are the list's last ones.
check "the Processes page shows each VDM's task rows below its row, with its number" \
  "$(dirname "$0")/task_rows_check.py" "$shots/task-rows.png" 2 1
click_window 200 10
click_window 200 10  # back to the About page, where Close is
click_window 250 76
check "Close hides the window again" within 5 hidden
check "the planted vdmdbg.dll was still never loaded" never_loaded "$app/vdmdbg-calls.txt"

tray_item Exit
check "Exit ends the program with exit code 0" ended_with_zero

summary
