#!/usr/bin/env bash
# Side by side on one Xvfb desktop: tavrin against `xclock -digital -update 1`.
# Prints the CPU each used over 60 s at rest, peak and steady resident memory,
# and the time from start to the first mapped window.
#   bench/desktop_bench.sh [build-dir]   (default build/default)
set -u
cd "$(dirname "$0")/.."
BUILD=${1:-build/default}
TAVRIN=$BUILD/hosts/qt/tavrin
MAPWAIT=$BUILD/bench/mapwait
REST=${REST_SECONDS:-60}
command -v xclock >/dev/null || { echo "needs xclock (apt-get install x11-apps)"; exit 2; }
[ -x "$TAVRIN" ] && [ -x "$MAPWAIT" ] || { echo "build first: ./dev test"; exit 2; }

for n in $(seq 140 180); do [ -e "/tmp/.X11-unix/X$n" ] || { export DISPLAY=":$n"; break; }; done
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & XVFB=$!
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 & WM=$!
trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 >/dev/null 2>&1 & TRAY=$!
sleep 1
CONFIG=$(mktemp -d)
trap 'kill $XVFB $WM $TRAY ${T:-} ${X:-} 2>/dev/null; rm -rf "$CONFIG"' EXIT

# CPU time of every thread of a process, in ns (schedstat, finer than clock ticks).
cpu_ns() { local s=0 t; for t in /proc/"$1"/task/*/schedstat; do s=$((s + $(cut -d' ' -f1 "$t"))); done; echo "$s"; }
kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }

# Milliseconds from the start of a command to the first window it maps.
first_map() { # command...
  local fifo out start mapped
  fifo=$(mktemp -u); mkfifo "$fifo"
  "$MAPWAIT" >"$fifo" & local waiter=$!
  exec 9<"$fifo"
  read -r _ <&9 # ready
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  LAST_PID=$!
  read -r mapped <&9
  exec 9<&-
  rm -f "$fifo"
  wait "$waiter" 2>/dev/null
  echo "scale=1; ($mapped - $start) / 1000000" | bc
}

tmap=$(XDG_CONFIG_HOME=$CONFIG QT_QPA_PLATFORM=xcb first_map "$TAVRIN"); T=$(pgrep -n -f "$TAVRIN")
sleep 1
xmap=$(first_map xclock -digital -update 1); X=$(pgrep -n -x xclock)
sleep 3 # past start-up
t0=$(cpu_ns $T); x0=$(cpu_ns $X)
sleep "$REST"
t1=$(cpu_ns $T); x1=$(cpu_ns $X)
printf '%-8s %14s %12s %12s %14s\n' "" "CPU ${REST}s (ms)" "peak RSS MB" "RSS MB" "first map (ms)"
printf '%-8s %14.1f %12.1f %12.1f %14s\n' tavrin "$(echo "($t1 - $t0) / 1000000" | bc -l)" "$(echo "$(kb $T VmHWM)/1024" | bc -l)" "$(echo "$(kb $T VmRSS)/1024" | bc -l)" "$tmap"
printf '%-8s %14.1f %12.1f %12.1f %14s\n' xclock "$(echo "($x1 - $x0) / 1000000" | bc -l)" "$(echo "$(kb $X VmHWM)/1024" | bc -l)" "$(echo "$(kb $X VmRSS)/1024" | bc -l)" "$xmap"
