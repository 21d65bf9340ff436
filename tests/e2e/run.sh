#!/usr/bin/env bash
# End-to-end tests: the real executable on a real X server (Xvfb) with a
# window manager (openbox) and a notification area (trayer), read back with
# xwininfo, xprop and the window's X shape. Screenshots go to the artefacts
# folder. Each feature's cases are a file of their own over one desktop.
#   run.sh TAVRIN XSHAPE ARTEFACTS
HERE=$(dirname "$(readlink -f "$0")")
source "$HERE/desktop.sh"

# --- cases --------------------------------------------------------------------

# First run: the designed place and face, cut to the face's outline.
start_clock first-run ""
[ -n "$WIN" ]; check "first run: the clock window appears" $? "no window named Tavrin"
if [ -n "$WIN" ]; then
  read -r X Y W H <<<"$(geometry)"
  [ "$X $Y $W $H" = "464 168 159 40" ]; check "first run: 159 x 40 at 464,168" $? "got ${W}x${H} at $X,$Y"
  SHAPE=$("$XSHAPE" "$WIN")
  echo "$SHAPE" | grep -q "rows 1-38 cols 1-157 gaps 0"
  check "first run: shape covers rows 1-38, leaves out rows 0 and 39 and columns 0 and 158" $? "$SHAPE"
  net_state | grep -q _NET_WM_STATE_SKIP_TASKBAR; check "first run: no taskbar entry" $? "$(net_state)"
  net_state | grep -q _NET_WM_STATE_SKIP_PAGER; check "first run: no pager entry" $? "$(net_state)"
  net_state | grep -q _NET_WM_STATE_ABOVE; check "first run: not above other windows" $((1 - $?)) "$(net_state)"
  sleep 0.5
  tray_has_icon; check "first run: the icon is in the notification area" $? "trayer holds no tavrin window"
  shot first-run
fi
stop_clock

# SIGTERM stores the window's last place and removes the icon.
start_clock sigterm ""
if [ -n "$WIN" ]; then
  xdotool windowmove "$WIN" 300 200
  sleep 0.4
  read -r X Y _ _ <<<"$(geometry)"
  stop_clock
  INI="$CONFIG/tavrin/settings.ini"
  grep -qx "mytop=$((Y * 15))" "$INI" && grep -qx "myleft=$((X * 15))" "$INI"
  check "SIGTERM: mytop and myleft hold the last place" $? "$(cat "$INI" 2>/dev/null) (window was at $X,$Y)"
  sleep 0.3
  tray_has_icon; check "SIGTERM: the icon is gone" $((1 - $?)) "trayer still holds a tavrin window"
else
  check "SIGTERM: the clock window appears" 1 "no window"
  stop_clock
fi

# The window manager's close takes the path of Exit.
start_clock wm-close ""
if [ -n "$WIN" ]; then
  xdotool windowmove "$WIN" 150 120
  sleep 0.4
  wmctrl -i -c "$WIN"
  clock_ended "the window manager's close"
  grep -qx "mytop=1800" "$CONFIG/tavrin/settings.ini" && grep -qx "myleft=2250" "$CONFIG/tavrin/settings.ini"
  check "window manager close: the place is stored" $? "$(cat "$CONFIG/tavrin/settings.ini" 2>/dev/null)"
fi
stop_clock

# A stored place, negative ones too.
start_clock stored-place "$(printf '[Options]\nmytop=-150\nmyleft=4500')"
if [ -n "$WIN" ]; then
  read -r X Y W H <<<"$(geometry)"
  [ "$X $Y" = "300 -10" ]; check "stored place: the clock opens at 300,-10" $? "got $X,$Y"
fi
stop_clock

# A place no monitor shows (a monitor since unplugged): the designed place,
# and that is what the next start finds.
start_clock off-screen "$(printf '[Options]\nmytop=1000000\nmyleft=3E+38')"
if [ -n "$WIN" ]; then
  read -r X Y W H <<<"$(geometry)"
  [ "$X $Y" = "464 168" ]; check "stored place off every monitor: the clock opens at 464,168" $? "got $X,$Y"
  stop_clock
  grep -qx "mytop=2520" "$CONFIG/tavrin/settings.ini" && grep -qx "myleft=6960" "$CONFIG/tavrin/settings.ini"
  check "stored place off every monitor: the designed place is stored back" $? "$(cat "$CONFIG/tavrin/settings.ini")"
else
  check "stored place off every monitor: the clock window appears" 1 "no window"
  stop_clock
fi

# A session that asks programs to use Wayland, or sets the variable empty:
# the clock still runs on X11, where it can place itself.
for PLATFORM in wayland ""; do
  QT_QPA_PLATFORM=$PLATFORM WAYLAND_DISPLAY=wayland-e2e start_clock "platform-$PLATFORM" \
    "$(printf '[Options]\nmytop=1500\nmyleft=3000')"
  if [ -n "$WIN" ]; then
    read -r X Y W H <<<"$(geometry)"
    [ "$X $Y" = "200 100" ]; check "QT_QPA_PLATFORM='$PLATFORM': the clock opens on X at its place" $? "got $X,$Y"
  else
    check "QT_QPA_PLATFORM='$PLATFORM': the clock window appears" 1 "$(head -c 300 "$WORK/platform-$PLATFORM.log")"
  fi
  stop_clock
done

# Dual mode with skin 2: the wide face of skin 2.
start_clock dual-skin2 "$(printf '[Options]\nbopt=True\nskin2=True')"
if [ -n "$WIN" ]; then
  read -r X Y W H <<<"$(geometry)"
  [ "$W $H" = "304 43" ]; check "dual mode, skin 2: 304 x 43" $? "got ${W}x${H}"
  SHAPE=$("$XSHAPE" "$WIN")
  echo "$SHAPE" | grep -q "rows 1-41 cols 1-302 gaps 0"; check "dual mode, skin 2: shape rows 1-41" $? "$SHAPE"
  shot dual-skin2
fi
stop_clock

start_clock skin2-narrow "$(printf '[Options]\nskin2=True')"
[ -n "$WIN" ] && shot skin2-narrow
stop_clock
start_clock skin1-wide "$(printf '[Options]\nbopt=True')"
[ -n "$WIN" ] && shot skin1-wide
stop_clock

# Always on top.
start_clock on-top "$(printf '[Options]\nmtop=True')"
if [ -n "$WIN" ]; then
  net_state | grep -q _NET_WM_STATE_ABOVE; check "stored mtop: above all other windows" $? "$(net_state)"
fi
stop_clock

# A panel that starts after the clock (as at the start of a session) still
# gets the icon.
end_child "$TRAY"
start_clock late-tray ""
start_tray
sleep 1
tray_has_icon; check "a notification area started after the clock gets the icon" $? "trayer holds no tavrin window"
stop_clock

source "$HERE/running_clock.sh"
source "$HERE/using.sh"
source "$HERE/deskpad.sh"
source "$HERE/panels.sh"

echo "$PASS passed, $FAIL failed"
[ "$FAIL" -eq 0 ]
