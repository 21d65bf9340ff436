#!/usr/bin/env bash
# Using the clock on one Xvfb desktop (openbox, trayer):
#  1. two clocks side by side, one at rest and one with the about box open:
#     the CPU each uses over REST_SECONDS, as a share of one core;
#  2. a drag of the clock across the screen, one pointer step at a time: how
#     far the window is behind the pointer after each step (it trails by
#     design and closes the gap over the following moves), how often it went
#     backwards (a move handled twice or an old place taken back), and where
#     it ends.
#   bench/use_bench.sh [build-dir]   (default build/default)
set -u
cd "$(dirname "$0")/.."
BUILD=${1:-build/default}
TAVRIN=$(readlink -f "$BUILD/hosts/qt/tavrin")
REST=${REST_SECONDS:-60}
STEPS=${DRAG_STEPS:-60}
PAUSE=${DRAG_PAUSE:-0.02}
[ -x "$TAVRIN" ] || { echo "build first: ./dev test"; exit 2; }

source bench/desktop.sh
start_desktop 181
WORK=$(mktemp -d)
trap 'kill $XVFB $WM $TRAY $BUS ${REST_PID:-} ${ABOUT_PID:-} ${DRAG_PID:-} 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT

clock_at() { # name top-twips left-twips; prints the pid
  mkdir -p "$WORK/$1/tavrin"
  printf '[Options]\nmytop=%s\nmyleft=%s\n' "$2" "$3" >"$WORK/$1/tavrin/settings.ini"
  XDG_CONFIG_HOME="$WORK/$1" QT_QPA_PLATFORM=xcb "$TAVRIN" >/dev/null 2>&1 &
  echo $!
}

window_of() { # pid
  local w
  for _ in $(seq 200); do
    w=$(xdotool search --all --onlyvisible --pid "$1" --name '^Tavrin$' 2>/dev/null | head -n 1)
    [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.025
  done
}

place() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}'; }

# --- 1. the about box against the clock at rest ----------------------------------
REST_PID=$(clock_at rest 1500 1500)
ABOUT_PID=$(clock_at about 6000 1500)
window_of "$REST_PID" >/dev/null
W=$(window_of "$ABOUT_PID")
read -r X Y <<<"$(place "$W")"
xdotool mousemove $((X + 30)) $((Y + 35)) click 3
sleep 0.4
for _ in 1 2 3 4 5 6; do xdotool key Down; done
xdotool key Return
sleep 1
[ -n "$(xdotool search --all --onlyvisible --pid "$ABOUT_PID" --name '^About$' 2>/dev/null)" ] || echo "warning: no about box"
xdotool mousemove 1000 100
sleep 2
r0=$(cpu_ns "$REST_PID"); a0=$(cpu_ns "$ABOUT_PID")
sleep "$REST"
r1=$(cpu_ns "$REST_PID"); a1=$(cpu_ns "$ABOUT_PID")
share() { echo "scale=2; ($2 - $1) / ($REST * 10000000)" | bc; }
echo "CPU over ${REST} s, % of one core:"
printf '  clock at rest        %6s\n  about box open       %6s\n  ratio                %6s\n' \
  "$(share "$r0" "$r1")" "$(share "$a0" "$a1")" \
  "$(echo "scale=1; ($a1 - $a0) / ($r1 - $r0)" | bc)"
kill "$REST_PID" "$ABOUT_PID" 2>/dev/null
wait "$REST_PID" "$ABOUT_PID" 2>/dev/null
REST_PID= ABOUT_PID=

# --- 2. a drag across the screen --------------------------------------------------
DRAG_PID=$(clock_at drag 1500 1500)
W=$(window_of "$DRAG_PID")
read -r X0 Y0 <<<"$(place "$W")"
xdotool mousemove $((X0 + 30)) $((Y0 + 35)) mousedown 1
back=0 worst=0 prev=$X0
for _ in $(seq "$STEPS"); do
  xdotool mousemove_relative -- 15 5
  sleep "$PAUSE"
  read -r X Y <<<"$(place "$W")"
  [ "$X" -lt "$prev" ] && back=$((back + 1))
  prev=$X
  read -r PX _ <<<"$(xdotool getmouselocation --shell | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}')"
  lag=$((PX - 30 - X))
  [ "$lag" -gt "$worst" ] && worst=$lag
done
sleep 1
read -r X Y <<<"$(place "$W")"
xdotool mouseup 1
read -r PX PY <<<"$(xdotool getmouselocation --shell | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}')"
echo "drag of $STEPS steps of 15,5 pixels, $PAUSE s apart:"
printf '  steps backwards      %6s\n  largest lag (px)     %6s\n  gap at rest (px)     %6s,%s\n' \
  "$back" "$worst" "$((PX - 30 - X))" "$((PY - 35 - Y))"
