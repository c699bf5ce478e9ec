# Sourced: what the end-to-end test and the tray benchmark look at on Wine's
# virtual desktop (800 x 600, taskbar at the bottom) of the current DISPLAY.

# A process of ours that has ended stays a zombie until waited for.
running() { [[ -r /proc/$1/stat ]] && [[ $(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) != Z ]]; }

# Waits up to $1 seconds for the command that follows to succeed.
within() {
  local seconds=$1
  shift
  for _ in $(seq $((seconds * 5))); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# The centre of the green tray icon in the taskbar, as "x y"; empty when none.
tray_icon() {
  import -window root -crop 260x20+540+580 +repage -depth 8 txt:- 2>/dev/null |
    awk -F'[ ,:()]+' '/^[0-9]/ {
      # x, y, then the red, green and blue of the pixel
      if ($4 > 120 && $3 < 110 && $5 < 110) { sx += $1; sy += $2; n++ }
    }
    END { if (n > 3) printf "%d %d\n", 540 + sx / n, 580 + sy / n }'
}
icon_shown() { [[ -n $(tray_icon) ]]; }
icon_absent() { [[ -z $(tray_icon) ]]; }

