# The running clock on the desktop: its display modes with their clocks
# ticking, and the alarm's reminder with its tones. Sourced by run.sh, whose
# helpers (start_clock, stop_clock, check, geometry, net_state, shot) it uses.

# Pixels of one area of a window, as text, for comparing two moments.
area() { # window, WxH+X+Y
  import -window "$1" -crop "$2" +repage rgb:- 2>/dev/null | md5sum | cut -d' ' -f1
}

# Whether the clock in the given area of the clock window changes over a
# second and a bit, i.e. runs.
runs() { # WxH+X+Y
  local before after
  before=$(area "$WIN" "$1")
  sleep 1.2
  after=$(area "$WIN" "$1")
  [ -n "$before" ] && [ "$before" != "$after" ]
}

LEFT_CLOCK=105x25+50+10
RIGHT_CLOCK=113x25+152+10

for mode in dopt zopt bopt; do
  start_clock "mode-$mode" "$(printf '[Options]\n%s=True\nzh=5\ntime1=SYS\ntime2=ZON' "$mode")"
  if [ -z "$WIN" ]; then
    check "stored $mode: the clock window appears" 1 "no window"
    stop_clock
    continue
  fi
  read -r _ _ W H <<<"$(geometry)"
  if [ "$mode" = bopt ]; then
    [ "$W $H" = "304 40" ]; check "stored dual mode: the wide face" $? "got ${W}x${H}"
    runs "$LEFT_CLOCK"; check "stored dual mode: the left clock runs" $? "its pixels did not change"
    runs "$RIGHT_CLOCK"; check "stored dual mode: the right clock runs" $? "its pixels did not change"
  else
    [ "$W $H" = "159 40" ]; check "stored $mode: the narrow face" $? "got ${W}x${H}"
    runs "$LEFT_CLOCK"; check "stored $mode: the clock runs" $? "its pixels did not change"
  fi
  shot "mode-$mode"
  stop_clock
done

# An alarm stored for a few seconds after the start, with sound; the sound
# device is a file, so the tones can be counted.
REM_HOME="$WORK/home-reminder"
mkdir -p "$REM_HOME"
TONES="$REM_HOME/tones.raw"
printf 'pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n' "$TONES" >"$REM_HOME/.asoundrc"
read -r AH AM AS AP <<<"$(LC_ALL=C date -d '+6 seconds' '+%-I %M %S %p')"
HOME="$REM_HOME" start_clock reminder \
  "$(printf '[Alarm]\nacopt=True\nhrs=%s\nmin=%s\nsec=%s\nam=%s\nsnd=1\nmsg=<b>Tea</b> time' "$AH" "$AM" "$AS" "$AP")"
REM=$(wait_window '^Reminder$' 240 0.05)
[ -n "$REM" ]; check "alarm: the reminder opens at the alarm's second" $? "no reminder window"
if [ -n "$REM" ]; then
  sleep 3.5 # three patterns
  read -r X Y W H <<<"$(WIN=$REM geometry)"
  [ "$X $Y $W $H" = "442 303 396 194" ]; check "alarm: the reminder is centred, 396 x 194" $? "got ${W}x${H} at $X,$Y"
  WIN=$REM net_state | grep -q _NET_WM_STATE_ABOVE; check "alarm: the reminder is above all windows" $? "$(WIN=$REM net_state)"
  WIN=$REM net_state | grep -q _NET_WM_STATE_SKIP_TASKBAR; check "alarm: the reminder has no taskbar entry" $? "$(WIN=$REM net_state)"
  shot reminder

  # Tones of 100 ms at 44100 frames a second, 16 bits: count them and their pitch.
  read -r FRAMES CROSSINGS <<<"$(od -An -v -t d2 -w2 "$TONES" 2>/dev/null |
    awk '{s = $1; if ((s > 0 && p < 0) || (s < 0 && p > 0)) c++; if (s != 0) p = s; n++} END {print n + 0, c + 0}')"
  NTONES=$((FRAMES / 4410))
  [ "$NTONES" -ge 8 ] && [ $((NTONES % 4)) -eq 0 ] && [ $((FRAMES % 4410)) -eq 0 ]
  check "alarm: whole patterns of four 100 ms tones reach the sound device" $? "$FRAMES frames, $NTONES tones"
  FREQ=$((FRAMES > 0 ? CROSSINGS * 44100 / 2 / (FRAMES > 0 ? FRAMES : 1) : 0))
  [ "$FREQ" -ge 2950 ] && [ "$FREQ" -le 3050 ]; check "alarm: the tones are 3000 Hz" $? "about $FREQ Hz"

  xdotool mousemove --window "$REM" 356 152 click 1
  sleep 0.8
  xdotool search --onlyvisible --name '^Reminder$' >/dev/null 2>&1
  check "alarm: OK closes the reminder" $((1 - $?)) "still open"
  SIZE1=$(stat -c %s "$TONES"); sleep 2; SIZE2=$(stat -c %s "$TONES")
  [ "$SIZE1" = "$SIZE2" ]; check "alarm: OK silences it" $? "the device got $((SIZE2 - SIZE1)) more bytes"
  kill -0 "$APP" 2>/dev/null; check "alarm: the clock runs on" $? "the program ended"
fi
stop_clock

# "Exit" leaves a beeping reminder on the screen; the end of the session
# then ends it too.
read -r AH AM AS AP <<<"$(LC_ALL=C date -d '+4 seconds' '+%-I %M %S %p')"
HOME="$REM_HOME" start_clock reminder-exit \
  "$(printf '[Alarm]\nacopt=True\nhrs=%s\nmin=%s\nsec=%s\nam=%s\nsnd=1\nmsg=Go' "$AH" "$AM" "$AS" "$AP")"
REM=$(wait_window '^Reminder$' 160 0.05)
if [ -n "$REM" ]; then
  menu_on_icon $EXIT
  ! clock_shown && [ -n "$(visible_named '^Reminder$')" ]
  check "Exit on the icon's menu with the reminder beeping: the clock goes, the reminder stays" $? "$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' ' ')"
else
  check "alarm again: the reminder opens" 1 "no reminder window"
fi
stop_clock HUP "the reminder"

# The X server goes away under a running clock: the program ends without a
# crash.
for n in $(seq $((DISPLAY_NUM + 1)) $((DISPLAY_NUM + 40))); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { GONE_NUM=$n; break; }
done
Xvfb ":$GONE_NUM" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
GONE_X=$!
for _ in $(seq 100); do DISPLAY=":$GONE_NUM" xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
mkdir -p "$WORK/config-gone"
DISPLAY=":$GONE_NUM" XDG_CONFIG_HOME="$WORK/config-gone" "$TAVRIN" >"$WORK/gone.log" 2>&1 &
GONE_APP=$!
sleep 2
kill "$GONE_X"; wait "$GONE_X" 2>/dev/null
wait_ended "$GONE_APP"
wait "$GONE_APP" 2>/dev/null
GONE_CODE=$?
[ "$GONE_CODE" -lt 128 ]; check "the X server going away ends the clock without a crash" $? "exit code $GONE_CODE"
