# Using the clock: the drag, hiding and restoring, the names, the popup
# menu's commands and the about box. Sourced by run.sh, on its desktop.

# --- the drag ---------------------------------------------------------------
start_clock drag "$(printf '[Options]\nmytop=3000\nmyleft=4500')"
if [ -n "$WIN" ]; then
  at_clock 30 35
  xdotool mousedown 1
  for step in $(seq 1 10); do xdotool mousemove_relative -- 12 6; sleep 0.03; done
  sleep 1 # the window closes most of the gap to the pointer
  xdotool mouseup 1
  read -r X Y _ _ <<<"$(geometry)"
  near "$X" 420 12 && near "$Y" 260 12
  check "drag: the clock follows the pointer 120,60 pixels" $? "ended at $X,$Y from 300,200"
  xdotool mousemove_relative -- 40 40
  sleep 0.5
  read -r X2 Y2 _ _ <<<"$(geometry)"
  [ "$X2 $Y2" = "$X $Y" ]; check "drag: the release ends it" $? "moved on to $X2,$Y2"
fi
stop_clock
if [ -n "$WIN" ]; then
  grep -qx "myleft=$((X2 * 15))" "$CONFIG/tavrin/settings.ini" && grep -qx "mytop=$((Y2 * 15))" "$CONFIG/tavrin/settings.ini"
  check "drag: the place stored is the window's, in whole pixels" $? "$(cat "$CONFIG/tavrin/settings.ini") (window at $X2,$Y2)"
fi

# --- hide with a double-click, back from the icon's menu ----------------------
start_clock hide "$(printf '[Options]\nmytop=3000\nmyleft=4500')"
if [ -n "$WIN" ]; then
  double_click_clock 30 35
  ! clock_shown; check "double-click: the clock hides" $? "still shown"
  tray_has_icon; check "double-click: the icon stays" $? "no icon"
  read -r IX IY <<<"$(tray_icon_centre)"
  xdotool mousemove "$IX" "$IY" click --repeat 2 --delay 80 1
  sleep 0.8
  [ -n "$(visible_named '^Text Pad$')" ]; check "the icon's double-click opens DeskPad" $? "no DeskPad"
  ! clock_shown; check "the icon's double-click leaves the clock hidden" $? "shown"
  menu_on_icon $MINIMIZE # it reads "Restore" now
  clock_shown; check "the icon's menu: Restore brings the clock back" $? "not shown"
  read -r X Y _ _ <<<"$(geometry)"
  [ "$X $Y" = "300 200" ]; check "restore: at the same place" $? "at $X,$Y"
  # The double-click's drag is over: the pointer alone no longer moves it.
  at_clock 60 20
  xdotool mousemove_relative -- 50 30
  sleep 0.4
  read -r X Y _ _ <<<"$(geometry)"
  [ "$X $Y" = "300 200" ]; check "restore: the clock does not follow a pointer with no button held" $? "at $X,$Y"
  shot restored
  open_icon_menu
fi
stop_clock TERM "the icon's menu"

# --- a name opens the options; the skins and always on top from the menu ------
start_clock menu "$(printf '[Options]\nmytop=3000\nmyleft=4500')"
if [ -n "$WIN" ]; then
  double_click_clock 30 20
  OPTWIN=$(visible_named '^Form1$')
  [ -n "$OPTWIN" ]; check "double-click on a name opens the options" $? "no options window"
  clock_shown; check "the clock stays as it was" $? "hidden"
  if [ -n "$OPTWIN" ]; then
    read -r OX OY _ _ <<<"$(WIN=$OPTWIN geometry)"
    xdotool mousemove $((OX + 70)) $((OY + 148)) click 1 # "&Dual Time"
    sleep 0.5
    read -r X Y W H <<<"$(geometry)"
    [ "$X $Y $W $H" = "300 200 304 40" ]; check "the options' Dual Time: the wide face in place" $? "got ${W}x${H} at $X,$Y"
    # Closed by the window manager it only hides, as by its "X": its
    # controls hold the live settings (Dual Time, which Skin2 below keeps).
    wmctrl -i -c "$OPTWIN"
    sleep 0.4
    [ -z "$(visible_named '^Form1$')" ]; check "the window manager's close hides the options" $? "still shown"
  fi

  menu_on_clock $SKIN right 2
  read -r X Y W H <<<"$(geometry)"
  [ "$X $Y $W $H" = "300 200 304 43" ]; check "Skin2: its wide face, the top-left corner kept" $? "got ${W}x${H} at $X,$Y"
  SHAPE=$("$XSHAPE" "$WIN")
  echo "$SHAPE" | grep -q "rows 1-41"; check "Skin2: shaped to its face" $? "$SHAPE"
  grep -qx "skin2=True" "$CONFIG/tavrin/settings.ini"; check "Skin2: stored" $? "$(cat "$CONFIG/tavrin/settings.ini")"
  shot skin2-from-menu
  menu_on_clock $SKIN right 1
  read -r X Y W H <<<"$(geometry)"
  [ "$X $Y $W $H" = "300 200 304 40" ]; check "Skin1: back to 304 x 40 in place" $? "got ${W}x${H} at $X,$Y"

  menu_on_clock $ONTOP
  net_state | grep -q _NET_WM_STATE_ABOVE; check "Always on top: above all other windows" $? "$(net_state)"
  menu_on_clock $ONTOP
  net_state | grep -q _NET_WM_STATE_ABOVE; check "Always on top again: back among them" $((1 - $?)) "$(net_state)"
  grep -qx "mtop=False" "$CONFIG/tavrin/settings.ini"; check "Always on top: stored" $? "$(cat "$CONFIG/tavrin/settings.ini")"
  menu_on_clock $OPTIONS
fi
stop_clock INT "the options dialog"

# --- a dense screen (192 dpi) with Qt's scaling off: each window keeps its
# picture's size and every control its place on it ----------------------------
QT_ENABLE_HIGHDPI_SCALING=0 QT_FONT_DPI=192 start_clock dense "$(printf '[Options]\nmytop=3000\nmyleft=4500')"
if [ -n "$WIN" ]; then
  read -r X Y W H <<<"$(geometry)"
  [ "$X $Y $W $H" = "300 200 159 40" ]; check "192 dpi, no scaling: the clock is 159 x 40 at its place" $? "got ${W}x${H} at $X,$Y"
  double_click_clock 30 20
  OPTWIN=$(visible_named '^Form1$')
  read -r OX OY OW OH <<<"$([ -n "$OPTWIN" ] && WIN=$OPTWIN geometry)"
  [ "$OW $OH" = "371 386" ]; check "192 dpi, no scaling: a name opens the options, 371 x 386" $? "got '$OPTWIN' ${OW}x${OH}"
  shot dense-options
  [ -n "$OPTWIN" ] && xdotool mousemove $((OX + 320)) $((OY + 356)) click 1 && sleep 0.5 # "OK"
  [ -n "$OPTWIN" ] && [ -z "$(visible_named '^Form1$')" ]; check "192 dpi, no scaling: the options' OK closes them" $? "not closed"
fi
stop_clock

# --- the about box and Exit ----------------------------------------------------
start_clock about ""
if [ -n "$WIN" ]; then
  menu_on_clock $ABOUT
  ABOUTWIN=$(visible_named '^About$')
  [ -n "$ABOUTWIN" ]; check "About: the box opens" $? "no window named About"
  if [ -n "$ABOUTWIN" ]; then
    read -r AX AY AW AH <<<"$(WIN=$ABOUTWIN geometry)"
    [ "$AW $AH" = "253 197" ] && near "$AX" 513 1 && near "$AY" 301 1
    check "About: 253 x 197, centred" $? "got ${AW}x${AH} at $AX,$AY"
    shot about
    xdotool mousemove $((AX + 120)) $((AY + 172)) click 1
    sleep 0.5
    [ -z "$(visible_named '^About$')" ]; check "About: OK closes it" $? "still open"
  fi

  menu_on_clock $ABOUT
  menu_on_icon $EXIT
  sleep 0.5
  ! clock_shown; check "Exit on the icon's menu with the about box open: the clock goes" $? "still shown"
  ! tray_has_icon; check "Exit on the icon's menu: the icon goes" $? "still in the tray"
  ABOUTWIN=$(visible_named '^About$')
  [ -n "$ABOUTWIN" ]; check "Exit with the about box open: the box stays" $? "gone"
  kill -0 "$APP" 2>/dev/null; check "Exit with the about box open: the program runs on" $? "ended"
  grep -qx "mytop=2520" "$CONFIG/tavrin/settings.ini"; check "Exit: the place is stored" $? "$(cat "$CONFIG/tavrin/settings.ini" 2>/dev/null)"
  if [ -n "$ABOUTWIN" ]; then
    read -r AX AY _ _ <<<"$(WIN=$ABOUTWIN geometry)"
    xdotool mousemove $((AX + 120)) $((AY + 172)) click 1
    clock_ended "the about box's OK after Exit"
  fi
fi
stop_clock

start_clock about-signal ""
[ -n "$WIN" ] && menu_on_clock $ABOUT
stop_clock HUP "the about box"
