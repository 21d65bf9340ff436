# Sourced by the desktop benchmarks: one Xvfb desktop with a window manager,
# a notification area and a session bus, on the first free display from the
# given one. Sets XVFB, WM, TRAY and BUS (empty when a bus was there).
# Also cpu_ns, the CPU time of a process.
start_desktop() { # first display number to try
  local n
  for n in $(seq "$1" $(($1 + 40))); do [ -e "/tmp/.X11-unix/X$n" ] || { export DISPLAY=":$n"; break; }; done
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & XVFB=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
  # A desktop session has a message bus; without one Qt would start a private
  # bus of its own at every start (autolaunch), which no real desktop pays.
  BUS=
  if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-daemon >/dev/null; then
    { read -r DBUS_SESSION_BUS_ADDRESS; read -r BUS; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS
  fi
  openbox >/dev/null 2>&1 & WM=$!
  trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 >/dev/null 2>&1 & TRAY=$!
  sleep 1
}

# CPU time of every thread of a process, in ns (schedstat, finer than clock ticks).
cpu_ns() { local s=0 t; for t in /proc/"$1"/task/*/schedstat; do s=$((s + $(cut -d' ' -f1 "$t"))); done; echo "$s"; }
