# DeskPad: opened from the icon, a file opened through the file dialog,
# edited and saved with Ctrl+S byte for byte, hidden with Ctrl+M and opened
# again in place, the word-wrap choice stored, the program ended with its
# dialogs open. Sourced by run.sh, on its desktop.

pad_geometry() { WIN=$PAD geometry; }

open_pad_from_icon() {
  read -r IX IY <<<"$(tray_icon_centre)"
  xdotool mousemove "$IX" "$IY" click --repeat 2 --delay 80 1
  sleep 0.8
  PAD=$(visible_named '^Text Pad$')
}

at_pad() { # x y, in DeskPad's pixels
  read -r PX PY _ _ <<<"$(pad_geometry)"
  xdotool mousemove $((PX + $1)) $((PY + $2))
}

start_clock deskpad ""
if [ -n "$WIN" ]; then
  # An 8-bit file (not UTF-8) with mixed line ends, no final line end.
  printf 'first\r\nsecond\nthird\r\351 \240\200end' >"$WORK/pad.txt"
  cp "$WORK/pad.txt" "$WORK/pad.orig"
  open_pad_from_icon
  [ -n "$PAD" ]; check "DeskPad: the icon's double-click opens it" $? "no window named Text Pad"
  if [ -n "$PAD" ]; then
    read -r PX PY PW PH <<<"$(pad_geometry)"
    [ "$PX $PY $PW $PH" = "655 455 362 269" ]; check "DeskPad: 362 x 269 at 655,455" $? "got ${PW}x${PH} at $PX,$PY"
    FOCUS=$(xdotool getwindowfocus 2>/dev/null)
    [ "$FOCUS" = "$PAD" ]; check "DeskPad: it takes the keyboard focus" $? "focus on $FOCUS, DeskPad is $PAD"
    at_pad 52 17 # the open folder
    xdotool click 1
    sleep 1
    xdotool key ctrl+a
    xdotool type --delay 5 "$WORK/pad.txt"
    xdotool key Return
    sleep 0.8
    shot deskpad-open
    FOCUS=$(xdotool getwindowfocus 2>/dev/null)
    [ "$FOCUS" = "$PAD" ]; check "DeskPad: the focus comes back from the file dialog" $? "focus on $FOCUS ($(xdotool getwindowname "$FOCUS" 2>/dev/null)), DeskPad is $PAD"
    xdotool key ctrl+Home
    xdotool type X
    xdotool key shift+KP_Enter
    xdotool key ctrl+s
    sleep 0.5
    { printf 'X\r\n'; cat "$WORK/pad.orig"; } >"$WORK/pad.expected"
    cmp -s "$WORK/pad.txt" "$WORK/pad.expected"
    check "DeskPad: open, type a letter and Shift+Enter, Ctrl+S adds exactly those bytes" $? "$(od -c "$WORK/pad.txt" | head -3)"

    xdotool windowmove "$PAD" 500 350
    sleep 0.4
    read -r PX PY _ _ <<<"$(pad_geometry)"
    xdotool key ctrl+m
    sleep 0.4
    [ -z "$(visible_named '^Text Pad$')" ]; check "DeskPad: Ctrl+M hides it" $? "still shown"
    open_pad_from_icon
    read -r QX QY _ _ <<<"$(pad_geometry)"
    [ -n "$PAD" ] && [ "$QX $QY" = "$PX $PY" ]; check "DeskPad: opened again in place" $? "at $QX,$QY, was $PX,$PY"

    # The window manager's close only hides it: the text and its file stay.
    wmctrl -i -c "$PAD"
    sleep 0.4
    open_pad_from_icon
    xdotool key ctrl+Home
    xdotool type Y
    xdotool key ctrl+s
    sleep 0.5
    { printf 'Y'; cat "$WORK/pad.expected"; } >"$WORK/pad.expected-y"
    mv "$WORK/pad.expected-y" "$WORK/pad.expected"
    cmp -s "$WORK/pad.txt" "$WORK/pad.expected"
    check "DeskPad: closed by the window manager, it opens again with its text and file" $? "$(od -c "$WORK/pad.txt" | head -2)"

    at_pad 100 120 # in the text: its menu, closed by Escape, then a middle click
    xdotool click 3
    sleep 0.5
    xdotool key Escape
    xdotool click 2
    sleep 0.3
    at_pad 250 16 # then over the bare skin with no button held
    xdotool mousemove_relative 40 30
    sleep 0.5
    read -r QX QY _ _ <<<"$(pad_geometry)"
    [ "$QX $QY" = "$PX $PY" ]; check "DeskPad: a right or middle click in the text starts no drag" $? "moved to $QX,$QY from $PX,$PY"

    at_pad 140 16 # the Wrap box
    xdotool click 1
    sleep 0.5
    grep -qx "padwrap=1" "$CONFIG/tavrin/settings.ini"; check "DeskPad: Wrap is stored" $? "$(cat "$CONFIG/tavrin/settings.ini")"
    cmp -s "$WORK/pad.txt" "$WORK/pad.expected"; check "DeskPad: the file is untouched by hiding and wrapping" $? "changed"

    at_pad 52 17 # the open folder
    xdotool click 1
    sleep 1
  fi
fi
stop_clock TERM "DeskPad's file dialog"

# A file DeskPad cannot read: its message stays up until the program ends.
start_clock deskpad-message ""
if [ -n "$WIN" ]; then
  mkfifo "$WORK/fifo.txt"
  open_pad_from_icon
  at_pad 52 17
  xdotool click 1
  sleep 1
  xdotool key ctrl+a
  xdotool type --delay 5 "$WORK/fifo.txt"
  xdotool key Return
  sleep 0.8
  [ -n "$(visible_named '^DeskPad$')" ]; check "DeskPad: a FIFO is refused with a message" $? "no message box"
fi
stop_clock HUP "DeskPad's message box"
