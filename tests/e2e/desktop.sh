# The shared desktop of the end-to-end tests: a real X server (Xvfb), a
# window manager (openbox), a notification area (trayer), and the helpers
# that start the clock and read it back. Sourced by run.sh with
#   TAVRIN XSHAPE ARTEFACTS
set -u
TAVRIN=$(readlink -f "$1")
XSHAPE=$(readlink -f "$2")
ART=$3
mkdir -p "$ART"
WORK=$(mktemp -d)
PASS=0
FAIL=0
PIDS=()

cleanup() {
  [ -n "${APP:-}" ] && kill "$APP" 2>/dev/null
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# --- the desktop ------------------------------------------------------------
for n in $(seq 90 130); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { DISPLAY_NUM=$n; break; }
done
export DISPLAY=":$DISPLAY_NUM"
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
xdpyinfo >/dev/null 2>&1 || { echo "e2e: Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }
xsetroot -solid '#3a6ea5'
openbox >"$WORK/openbox.log" 2>&1 &
WM=$!
PIDS+=($WM)
start_tray() {
  trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 --SetDockType true \
    --transparent false --tint 0x202020 >"$WORK/trayer.log" 2>&1 &
  TRAY=$!
  PIDS+=($TRAY)
  for _ in $(seq 100); do xdotool search --class trayer >/dev/null 2>&1 && break; sleep 0.05; done
  sleep 0.5
}
start_tray

unset WAYLAND_DISPLAY
# No session bus unless a case starts one: the clock must not find the
# panel of the desktop the tests run from.
unset DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID
export QT_QPA_PLATFORM=xcb
# For a sanitizer build: leaks of the system's own libraries are not ours.
export LSAN_OPTIONS="suppressions=$(dirname "$(readlink -f "$0")")/lsan.supp:print_suppressions=0"

# --- helpers ----------------------------------------------------------------
check() { # name, condition result (0 ok), detail
  if [ "$2" -eq 0 ]; then
    PASS=$((PASS + 1)); echo "ok   $1"
  else
    FAIL=$((FAIL + 1)); echo "FAIL $1: $3"
  fi
}

# The first shown window whose name matches, waiting for it; empty if none comes.
wait_window() { # name-pattern tries pause
  local w
  for _ in $(seq "$2"); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$w" ] && { echo "$w"; return; }
    sleep "$3"
  done
}

# Starts the clock with a settings file (may be empty) and waits for its window.
start_clock() { # name, settings text
  CASE=$1
  CONFIG="$WORK/config-$1"
  mkdir -p "$CONFIG/tavrin"
  [ -n "$2" ] && printf '%s\n' "$2" >"$CONFIG/tavrin/settings.ini"
  XDG_CONFIG_HOME="$CONFIG" "$TAVRIN" >"$WORK/$1.log" 2>&1 &
  APP=$!
  WIN=$(wait_window '^Tavrin$' 200 0.025)
  sleep 0.4 # let the window manager settle the window
}

wait_ended() { # pid: up to 5 s for the process to end
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
}

# Asks a child of this shell to end and reaps it; one that has not ended
# after 5 s is killed, so that a hang fails a check instead of the suite.
# The child's exit code is left in ENDED_CODE.
end_child() { # pid
  kill -TERM "$1" 2>/dev/null
  wait_ended "$1"
  kill -0 "$1" 2>/dev/null && { echo "still running 5 s after SIGTERM: $1, killed" >&2; kill -KILL "$1" 2>/dev/null; }
  wait "$1" 2>/dev/null
  ENDED_CODE=$?
}

# Every way out (a menu's Exit, a signal, the window manager's close) ends
# the program with status 0 within 3 s: a crash as its last window goes, or
# a process left behind, is a failure. Reaps it; a hung one is killed.
clock_ended() { # how it was ended
  local t0 ms
  [ -n "$APP" ] || return
  t0=$(date +%s%N)
  wait_ended "$APP"
  ms=$((($(date +%s%N) - t0) / 1000000))
  kill -0 "$APP" 2>/dev/null && kill -KILL "$APP" 2>/dev/null
  wait "$APP" 2>/dev/null
  EXIT_CODE=$?
  [ "$EXIT_CODE" -eq 0 ] && [ "$ms" -le 3000 ]
  check "$CASE: $1 ends the program with status 0 within 3 s" $? "status $EXIT_CODE after $ms ms"
  APP=""
}

stop_clock() { # [signal (TERM unless named), what is open]
  [ -n "$APP" ] && kill -"${1:-TERM}" "$APP" 2>/dev/null
  clock_ended "SIG${1:-TERM}${2:+ with $2 open}"
}

geometry() { # prints "x y w h" of the window on the screen
  xwininfo -id "$WIN" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

net_state() { xprop -id "$WIN" _NET_WM_STATE 2>/dev/null; }

tray_has_icon() { # one of trayer's windows (its panel) holds an embedded window of ours
  local t
  for t in $(xdotool search --class trayer); do
    xwininfo -tree -id "$t" 2>/dev/null | grep -q '"tavrin"' && return 0
  done
  return 1
}

shot() { import -window root "$ART/$1.png" 2>/dev/null; }

# --- using the clock's menus and icon ----------------------------------------

# A point on the clock, in its window's pixels.
at_clock() { # x y
  read -r CX CY _ _ <<<"$(geometry)"
  xdotool mousemove $((CX + $1)) $((CY + $2))
}

# Opens the popup menu on the clock face and picks an item by keys: the
# number of Downs, then "right N" for a submenu's Nth item (opening a
# submenu makes its first item the current one).
menu_on_clock() { # downs [right downs]
  at_clock 30 35
  xdotool click 3
  sleep 0.6
  pick_item "$@"
}

pick_item() {
  local i
  for ((i = 0; i < $1; i++)); do xdotool key Down; done
  if [ "${2:-}" = right ]; then
    xdotool key Right
    for ((i = 1; i < $3; i++)); do xdotool key Down; done
  fi
  xdotool key Return
  sleep 0.5
}

# The items, in menu order.
MINIMIZE=1 OPTIONS=2 SKIN=3 ONTOP=4 ABOUT=6 EXIT=7

visible_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
double_click_clock() { # x y
  at_clock "$1" "$2"
  xdotool click --repeat 2 --delay 60 1
  sleep 0.6
}
clock_shown() { [ -n "$(visible_named '^Tavrin$')" ]; }

# The icon's embedded window in trayer, as "x y" of its centre.
tray_icon_centre() {
  local t icon x y w h
  for t in $(xdotool search --class trayer); do
    icon=$(xwininfo -tree -id "$t" 2>/dev/null | awk '/"tavrin"/{print $1; exit}')
    [ -n "$icon" ] && break
  done
  [ -n "$icon" ] || return 1
  read -r x y w h <<<"$(WIN=$icon geometry)"
  echo $((x + w / 2)) $((y + h / 2))
}

near() { local d=$(($1 - $2)); [ "${d#-}" -le "$3" ]; } # a b tolerance

open_icon_menu() {
  read -r IX IY <<<"$(tray_icon_centre)"
  xdotool mousemove "$IX" "$IY" click 3
  sleep 0.6
}
menu_on_icon() { # downs [right downs]
  open_icon_menu
  pick_item "$@"
}
