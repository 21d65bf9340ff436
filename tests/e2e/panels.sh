# Other desktops: a session without a bus, StatusNotifierItem panels
# (xfce4-panel and lxqt-panel, each on its own session bus) and fluxbox's
# placement. Sourced by run.sh after the other cases, since it changes the
# panel and the window manager.

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

# --- StatusNotifierItem panels ---------------------------------------------------
# Each panel runs on a session bus of its own; what the bus starts for the
# panel (xfce's settings daemon) has the bus's environment, so both read the
# panel set up in the folder, not the user's own.
start_sni_panel() { # settings folder, command... (its log takes the command's name)
  local home=$1
  shift
  eval "$(XDG_CONFIG_HOME="$home" HOME="$home" dbus-launch --sh-syntax)"
  PIDS+=("$DBUS_SESSION_BUS_PID")
  NO_AT_BRIDGE=1 XDG_CONFIG_HOME="$home" HOME="$home" "$@" >"$WORK/$1.log" 2>&1 &
  PANEL=$!
  PIDS+=($PANEL)
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
      string:org.kde.StatusNotifierWatcher 2>/dev/null | grep -q true && break
    sleep 0.1
  done
  sleep 1
}

# What the bus started for the panel goes with it.
end_sni_panel() {
  end_child "$PANEL"
  for p in $(ps -o pid= --ppid "$DBUS_SESSION_BUS_PID"); do kill "$p" 2>/dev/null; done
  kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
  unset DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID
}

# The panel draws the icon's menu itself: keys pick from it as from ours.
menu_on_sni_icon() { # downs
  xdotool mousemove "$SNI_X" "$SNI_Y" click 3
  sleep 0.6
  pick_item "$@"
}

# The clock at 300,200 with its icon at SNI_X, SNI_Y on the panel named.
sni_icon_steps() { # panel
  menu_on_sni_icon $MINIMIZE
  ! clock_shown; check "$1: the right button on the icon opens the clock's menu (Minimize)" $? "still shown"
  shot "$1-hidden"
  clock_shown && double_click_clock 30 35 # Restore is tried on a hidden clock all the same
  menu_on_sni_icon $MINIMIZE # it reads "Restore" now
  X="" Y=""
  clock_shown && read -r X Y _ _ <<<"$(geometry)"
  [ "$X $Y" = "300 200" ]; check "$1: Restore on the icon's menu brings the clock back at its place" $? "at '$X,$Y'"
  xdotool mousemove "$SNI_X" "$SNI_Y" click --repeat 2 --delay 80 1
  sleep 0.8
  PAD=$(visible_named '^Text Pad$')
  [ -n "$PAD" ]; check "$1: a double-click on the icon opens DeskPad" $? "no DeskPad"
}

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

end_child "$TRAY" # the panels below are the notification area now

if command -v xfce4-panel >/dev/null && command -v dbus-launch >/dev/null; then
  xfce_panel_config "$WORK/xfce"
  start_sni_panel "$WORK/xfce" xfce4-panel
  start_clock sni "$(printf '[Options]\nmytop=3000\nmyleft=4500')"
  if [ -n "$WIN" ]; then
    ITEMS=$(dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
      org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
      string:RegisteredStatusNotifierItems 2>/dev/null | grep -c StatusNotifierItem)
    [ "$ITEMS" -ge 1 ]; check "xfce4-panel: the icon is registered as a StatusNotifierItem" $? "none registered"
    # The panel fills the bottom edge; its first item sits at its left end.
    read -r _ PY _ PH <<<"$(WIN=$(xdotool search --onlyvisible --name '^xfce4-panel$' | while read -r w; do
      xwininfo -id "$w" | grep -q 'Width: 1280' && echo "$w" && break; done) geometry)"
    SNI_X=12 SNI_Y=$((PY + PH / 2))
    sni_icon_steps xfce4-panel
    if [ -n "$PAD" ]; then
      at_pad 52 17 # the open folder
      xdotool click 1
      sleep 1
      menu_on_sni_icon $EXIT
      clock_ended "Exit on the panel's menu with DeskPad's file dialog open"
    fi
  fi
  stop_clock
  end_sni_panel
fi

# lxqt-panel closes the icon's menu when its items are made anew while it is open.
if command -v lxqt-panel >/dev/null && command -v dbus-launch >/dev/null; then
  mkdir -p "$WORK/lxqt/lxqt"
  printf '[General]\npanels=panel1\n[panel1]\nplugins=sni\nposition=Bottom\npanelSize=32\n[sni]\ntype=statusnotifier\n' \
    >"$WORK/lxqt/lxqt/panel.conf"
  start_sni_panel "$WORK/lxqt" lxqt-panel
  start_clock lxqt "$(printf '[Options]\nmytop=3000\nmyleft=4500')"
  if [ -n "$WIN" ]; then
    # A 32 px panel along the bottom edge, its one item at its left end.
    SNI_X=14 SNI_Y=784
    sni_icon_steps lxqt-panel
  fi
  stop_clock
  end_sni_panel
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
