#!/usr/bin/env bash
# Side by side on one Xvfb desktop (openbox, a tray, a session bus): tavrin
# against `xclock -digital -update 1`, and against qt_floor, the least a Qt
# Widgets clock can be (a label showing the time), for Qt's own share.
# Starts each program STARTS times, interleaved (after one unmeasured warm-up
# start each), and prints the time from start to the first mapped window
# (median, lowest, highest, and each median over xclock's); then runs them
# together and prints the resident memory 3 s after start, the peak, and the
# CPU each used over REST_SECONDS at rest.
#   bench/desktop_bench.sh [build-dir]   (default build/default)
set -u
cd "$(dirname "$0")/.."
BUILD=${1:-build/default}
TAVRIN=$BUILD/hosts/qt/tavrin
MAPWAIT=$BUILD/bench/mapwait
FLOOR=$BUILD/bench/qt_floor
REST=${REST_SECONDS:-60}
STARTS=${STARTS:-9}
command -v xclock >/dev/null || { echo "needs xclock (apt-get install x11-apps)"; exit 2; }
[ -x "$TAVRIN" ] && [ -x "$MAPWAIT" ] && [ -x "$FLOOR" ] || { echo "build first: ./dev test"; exit 2; }

source bench/desktop.sh
start_desktop 140
CONFIG=$(mktemp -d)
LAST_PID=
trap 'kill $XVFB $WM $TRAY $BUS ${T:-} ${X:-} ${F:-} ${LAST_PID:-} 2>/dev/null; rm -rf "$CONFIG"' EXIT

kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }
mb() { echo "scale=1; $1 / 1024" | bc; }

# Milliseconds from the start of a command to the first window it maps, left
# in MAP_MS, and the command's process id, left in LAST_PID. Called in this
# shell, never in a $(...) subshell, which would lose LAST_PID and leave the
# program running through the rest of the bench.
first_map() { # command...
  local fifo start mapped
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
  MAP_MS=$(echo "scale=1; ($mapped - $start) / 1000000" | bc)
}

stop() { kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; LAST_PID=; }

run_tavrin() { XDG_CONFIG_HOME=$CONFIG QT_QPA_PLATFORM=xcb exec "$TAVRIN"; }
run_xclock() { exec xclock -digital -update 1; }
run_floor() { exec "$FLOOR"; }

# median lowest highest of the numbers given
stats() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {m = NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2; printf "%.1f %.1f %.1f", m, v[1], v[NR]}'; }

kinds=(run_tavrin run_floor run_xclock)
names=(tavrin qt_floor xclock)
for kind in "${kinds[@]}"; do first_map $kind; sleep 0.5; stop "$LAST_PID"; done
declare -A maps
for _ in $(seq "$STARTS"); do
  for kind in "${kinds[@]}"; do first_map $kind; maps[$kind]+="$MAP_MS "; sleep 0.5; stop "$LAST_PID"; sleep 0.2; done
done
read -r xmed _ <<<"$(stats ${maps[run_xclock]})"

first_map run_tavrin; T=$LAST_PID
first_map run_floor; F=$LAST_PID
first_map run_xclock; X=$LAST_PID
pids=($T $F $X)
sleep 3
rss=() cpu0=()
for p in "${pids[@]}"; do rss+=("$(kb $p VmRSS)"); cpu0+=("$(cpu_ns $p)"); done
sleep "$REST"

echo "first map over $STARTS interleaved starts (ms): median (lowest-highest), median over xclock's"
for i in 0 1 2; do
  read -r med lo hi <<<"$(stats ${maps[${kinds[$i]}]})"
  printf '  %-8s %6s (%s-%s)  %sx\n' "${names[$i]}" "$med" "$lo" "$hi" "$(echo "scale=2; $med / $xmed" | bc)"
done
printf '%-10s %12s %12s %16s\n' "" "RSS 3 s MB" "peak RSS MB" "CPU ${REST}s (ms)"
for i in 0 1 2; do
  p=${pids[$i]}
  printf '%-10s %12s %12s %16.1f\n' "${names[$i]}" "$(mb "${rss[$i]}")" "$(mb "$(kb $p VmHWM)")" \
    "$(echo "($(cpu_ns $p) - ${cpu0[$i]}) / 1000000" | bc -l)"
done
