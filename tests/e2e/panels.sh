# Other desktops: a session without a bus, a StatusNotifierItem panel
# (xfce4-panel on its own session bus) and fluxbox's placement. Sourced by
# run.sh after the other cases, since it changes the panel and the window
# manager.

# --- no session bus: the program starts none of its own -------------------------
# A bus launched for this desktop carries its display.
buses_of_this_display() {
  local p
  for p in $(pgrep -x dbus-launch); do
    { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && echo "$p"
  done
}
if command -v dbus-launch >/dev/null; then
  start_clock no-bus ""
  stop_clock
  sleep 0.3
  LEFT_BEHIND=$(buses_of_this_display)
  [ -z "$LEFT_BEHIND" ]; check "no session bus: no dbus-launch is left behind" $? "left: $LEFT_BEHIND"
fi

# --- a StatusNotifierItem panel ----------------------------------------------------
xfce_panel_config() { # folder
  mkdir -p "$1/xfce4/xfconf/xfce-perchannel-xml"
  cat >"$1/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
}

# The panel's menu is a GTK one: keys pick from it as from ours.
menu_on_sni_icon() { # downs
  xdotool mousemove "$SNI_X" "$SNI_Y" click 3
  sleep 0.6
  pick_item "$@"
}

if command -v xfce4-panel >/dev/null && command -v dbus-launch >/dev/null; then
  end_child "$TRAY"
  XFCE_HOME="$WORK/xfce"
  xfce_panel_config "$XFCE_HOME"
  # The panel's settings daemon is started by the bus, with the bus's
  # environment: both read the panel set up above, not the user's own.
  eval "$(XDG_CONFIG_HOME="$XFCE_HOME" HOME="$XFCE_HOME" dbus-launch --sh-syntax)"
  PIDS+=("$DBUS_SESSION_BUS_PID")
  NO_AT_BRIDGE=1 XDG_CONFIG_HOME="$XFCE_HOME" HOME="$XFCE_HOME" xfce4-panel >"$WORK/xfce4-panel.log" 2>&1 &
  PANEL=$!
  PIDS+=($PANEL)
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
      string:org.kde.StatusNotifierWatcher 2>/dev/null | grep -q true && break
    sleep 0.1
  done
  sleep 1

  start_clock sni "$(printf '[Options]\nmytop=3000\nmyleft=4500')"
  if [ -n "$WIN" ]; then
    ITEMS=$(dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
      org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
      string:RegisteredStatusNotifierItems 2>/dev/null | grep -c StatusNotifierItem)
    [ "$ITEMS" -ge 1 ]; check "StatusNotifierItem panel: the icon is registered as an item" $? "none registered"
    # The panel fills the bottom edge; its first item sits at its left end.
    read -r _ PY _ PH <<<"$(WIN=$(xdotool search --onlyvisible --name '^xfce4-panel$' | while read -r w; do
      xwininfo -id "$w" | grep -q 'Width: 1280' && echo "$w" && break; done) geometry)"
    SNI_X=12 SNI_Y=$((PY + PH / 2))
    menu_on_sni_icon $MINIMIZE
    ! clock_shown; check "StatusNotifierItem panel: the right button opens the clock's menu (Minimize)" $? "still shown"
    shot sni-hidden
    menu_on_sni_icon $MINIMIZE # it reads "Restore" now
    clock_shown; check "StatusNotifierItem panel: Restore from the panel's menu" $? "not shown"
    read -r X Y _ _ <<<"$(geometry)"
    [ "$X $Y" = "300 200" ]; check "StatusNotifierItem panel: back at the same place" $? "at $X,$Y"
    xdotool mousemove "$SNI_X" "$SNI_Y" click --repeat 2 --delay 80 1
    sleep 0.8
    PAD=$(visible_named '^Text Pad$')
    [ -n "$PAD" ]; check "StatusNotifierItem panel: a double-click on the icon opens DeskPad" $? "no DeskPad"
    if [ -n "$PAD" ]; then
      at_pad 52 17 # the open folder
      xdotool click 1
      sleep 1
      menu_on_sni_icon $EXIT
      clock_ended "Exit on the panel's menu with DeskPad's file dialog open"
    fi
  fi
  stop_clock
  # What the bus started for the panel (its settings daemon) goes with it.
  end_child "$PANEL"
  for p in $(ps -o pid= --ppid "$DBUS_SESSION_BUS_PID"); do kill "$p" 2>/dev/null; done
  kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
  unset DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID
fi

# --- fluxbox keeps the stored place, near the edges too --------------------------
if command -v fluxbox >/dev/null; then
  end_child "$WM"
  HOME="$WORK/fluxbox-home" fluxbox >"$WORK/fluxbox.log" 2>&1 &
  WM=$!
  PIDS+=($WM)
  sleep 1.5
  for place in "75 150 10 5" "255 1500 100 17" "1500 -15 -1 100"; do
    read -r TOP LEFT PX PY <<<"$place"
    start_clock "fluxbox-$PX-$PY" "$(printf '[Options]\nmytop=%s\nmyleft=%s' "$TOP" "$LEFT")"
    if [ -n "$WIN" ]; then
      read -r X Y _ _ <<<"$(geometry)"
      [ "$X $Y" = "$PX $PY" ]; check "fluxbox: a clock stored at $PX,$PY opens there" $? "at $X,$Y"
      menu_on_clock $EXIT
      clock_ended "Exit on the clock's menu"
      grep -qx "mytop=$TOP" "$CONFIG/tavrin/settings.ini" && grep -qx "myleft=$LEFT" "$CONFIG/tavrin/settings.ini"
      check "fluxbox: Exit keeps $PX,$PY stored" $? "$(cat "$CONFIG/tavrin/settings.ini")"
    fi
    stop_clock
  done
fi
