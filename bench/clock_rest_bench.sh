#!/usr/bin/env bash
# The running clock at rest, side by side with `xclock -digital -update 1` on
# one Xvfb desktop: CPU over REST_SECONDS, wake-ups a second, CPU per
# wake-up and resident memory, for tavrin in each display mode (its icon
# alternating in a notification area), then tavrin with its reminder open
# and beeping (tones to a file through ALSA) against xclock again.
#   bench/clock_rest_bench.sh [build-dir]   (default build/default)
set -u
cd "$(dirname "$0")/.."
BUILD=${1:-build/default}
TAVRIN=$(readlink -f "$BUILD/hosts/qt/tavrin")
REST=${REST_SECONDS:-60}
command -v xclock >/dev/null || { echo "needs xclock (apt-get install x11-apps)"; exit 2; }
[ -x "$TAVRIN" ] || { echo "build first: ./dev test"; exit 2; }

source bench/desktop.sh
start_desktop 181
WORK=$(mktemp -d)
trap 'kill $XVFB $WM $TRAY $BUS ${T:-} ${X:-} 2>/dev/null; rm -rf "$WORK"' EXIT

# CPU time (ns) and times scheduled in (wake-ups) of every thread of a process.
sched() { local c=0 w=0 t a b; for t in /proc/"$1"/task/*/schedstat; do read -r a _ b <"$t"; c=$((c + a)); w=$((w + b)); done; echo "$c $w"; }
rss_mb() { awk '$1 == "VmRSS:" {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }

# Starts tavrin with the given settings in a home of its own.
start_tavrin() { # name, settings
  local home="$WORK/$1"
  mkdir -p "$home/.config/tavrin"
  printf '%s\n' "$2" >"$home/.config/tavrin/settings.ini"
  printf 'pcm.!default { type file slave.pcm "null" file "%s/tones.raw" format "raw" }\n' "$home" >"$home/.asoundrc"
  HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=xcb "$TAVRIN" >/dev/null 2>&1 &
  T=$!
}

# Measures tavrin ($T) and xclock ($X) over the same REST seconds; prints a row each.
measure() { # label
  read -r tc0 tw0 <<<"$(sched "$T")"; read -r xc0 xw0 <<<"$(sched "$X")"
  sleep "$REST"
  read -r tc1 tw1 <<<"$(sched "$T")"; read -r xc1 xw1 <<<"$(sched "$X")"
  row "$1" $((tc1 - tc0)) $((tw1 - tw0)) "$(rss_mb "$T")"
  row "  xclock" $((xc1 - xc0)) $((xw1 - xw0)) "$(rss_mb "$X")"
  echo "  ratio $(echo "scale=2; ($tc1 - $tc0) / ($xc1 - $xc0)" | bc)"
}
row() { # label cpu_ns wakeups rss
  printf '%-22s %10.1f %10.1f %12.1f %8s\n' "$1" "$(echo "$2 / 1000000" | bc -l)" "$(echo "$3 / $REST" | bc -l)" \
    "$(echo "$2 / 1000 / ($3 + ($3 == 0))" | bc -l)" "$4"
}

xclock -digital -update 1 >/dev/null 2>&1 & X=$!
printf '%-22s %10s %10s %12s %8s\n' "over ${REST} s" "CPU ms" "wakeups/s" "us/wakeup" "RSS MB"
for mode in dopt zopt bopt; do
  start_tavrin "$mode" "$(printf '[Options]\n%s=True\nzh=5' "$mode")"
  sleep 3
  measure "tavrin $mode"
  kill "$T"; wait "$T" 2>/dev/null
done

# The reminder, beeping: the alarm two seconds after start.
at=$(date -d '+3 seconds' '+%-I %M %S %p')
read -r h m s ap <<<"$at"
start_tavrin reminder "$(printf '[Alarm]\nacopt=True\nhrs=%s\nmin=%s\nsec=%s\nam=%s\nsnd=1\nmsg=Bench' "$h" "$m" "$s" "$ap")"
sleep 5
measure "tavrin reminder"
echo "  tones written: $(( $(stat -c %s "$WORK/reminder/tones.raw" 2>/dev/null || echo 0) / 2 / 44100 * 10 )) x 100 ms"

# While the patterns hold the program, the clock must still change its
# text once a second: sample the left clock's pixels and time each change.
WIN=$(xdotool search --onlyvisible --name '^Tavrin$' | head -n 1)
changes=() last="" end=$(( $(date +%s%N) + 15000000000 ))
while [ "$(date +%s%N)" -lt "$end" ]; do
  now=$(date +%s%N)
  px=$(import -window "$WIN" -crop 105x25+50+10 +repage rgb:- 2>/dev/null | md5sum)
  [ -n "$last" ] && [ "$px" != "$last" ] && changes+=("$now")
  last=$px
done
gaps=()
for ((i = 1; i < ${#changes[@]}; i++)); do gaps+=($(( (changes[i] - changes[i - 1]) / 1000000 ))); done
echo "  clock text changes while beeping: ${#changes[@]} in 15 s, ms apart: $(printf '%s\n' "${gaps[@]}" | sort -n | sed -n '1p;$p' | paste -sd-)"
