#!/usr/bin/env bash
# Starts or stops what the Windows tests run in:
#   wine-session.sh start STATE_DIR [DPI [LOCALE]]
#                                     an Xvfb display of our own and the
#                                     prefix, its screen at DPI dots per inch
#                                     (96 when not given; exit code 77 where
#                                     Wine cannot run here), and Wine's system
#                                     locale LOCALE (ja_JP.UTF-8) where given
#   wine-session.sh stop STATE_DIR    the prefix's wineserver and that Xvfb
# Only what this script started is ended, by its own process id.
set -euo pipefail
action=$1
state_dir=$2
mkdir -p "$state_dir"

case $action in
  start)
    # shellcheck source=tools/wine-env.sh
    source "$(dirname "$0")/wine-env.sh" "$state_dir"
    if ! quellix_wine_can_run; then
      quellix_wine_skip_reason
      exit "$quellix_wine_skip"
    fi
    rm -f "$state_dir/display"
    # The server picks a display no other server holds and writes its number
    # to descriptor 3 once it listens there: no other server can take the
    # display between a look and a start.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
      3>"$state_dir/display.number" >"$state_dir/xvfb.log" 2>&1 &
    echo $! >"$state_dir/xvfb.pid"
    for _ in $(seq 100); do
      [[ -s "$state_dir/display.number" ]] && break
      kill -0 "$(cat "$state_dir/xvfb.pid")" 2>/dev/null || break
      sleep 0.1
    done
    if [[ -s "$state_dir/display.number" ]]; then
      echo ":$(tr -d '[:space:]' <"$state_dir/display.number")" >"$state_dir/display"
    else
      kill "$(cat "$state_dir/xvfb.pid")" 2>/dev/null || true
    fi
    rm -f "$state_dir/display.number"
    [[ -f "$state_dir/display" ]] || { echo "no X display could be started" >&2; exit 1; }
    rm -f "$state_dir/locale.name"
    if [[ -n ${4:-} ]]; then
      # The locale is made in the state folder, and only this session's Wine
      # reads it (tools/wine-env.sh): the machine's own locales stay as they
      # are. Wine takes its system code page from it when the prefix is made.
      locale_name=$4
      if [[ ! -f "$state_dir/locale/$locale_name/LC_CTYPE" ]]; then
        mkdir -p "$state_dir/locale"
        localedef -i "${locale_name%%.*}" -f "${locale_name#*.}" "$state_dir/locale/$locale_name"
      fi
      echo "$locale_name" >"$state_dir/locale.name"
    fi
    # shellcheck source=tools/wine-env.sh
    source "$(dirname "$0")/wine-env.sh" "$state_dir"
    quellix_wine_ensure_prefix
    if [[ -n ${3:-} ]]; then
      # The screen's scale, where Windows' display settings keep it (the
      # desktop's and the font engine's); Wine reads it when its server starts.
      # Written into the registry files once no server holds them: starting
      # Wine for "wine reg add" would cost minutes where it runs emulated.
      wineserver -w
      dpi_value="\"LogPixels\"=dword:$(printf '%08x' "$3")"
      for key in 'Control Panel\\Desktop' 'Software\\Wine\\Fonts'; do
        printf '%s\n' "" "[$key] $(date +%s)" "$dpi_value" >>"$WINEPREFIX/user.reg"
      done
      key='System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts'
      printf '%s\n' "" "[$key] $(date +%s)" "$dpi_value" >>"$WINEPREFIX/system.reg"
    fi
    echo "Wine prefix $WINEPREFIX on display $DISPLAY${3:+ at $3 DPI}${4:+ in $4}"
    ;;
  stop)
    # shellcheck source=tools/wine-env.sh
    source "$(dirname "$0")/wine-env.sh" "$state_dir"
    [[ -d "$WINEPREFIX" ]] && wineserver -k 2>/dev/null || true
    if [[ -f "$state_dir/xvfb.pid" ]]; then
      kill "$(cat "$state_dir/xvfb.pid")" 2>/dev/null || true
      rm -f "$state_dir/xvfb.pid" "$state_dir/display"
    fi
    ;;
  *)
    echo "usage: $0 start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
