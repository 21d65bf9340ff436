#pragma once
// The few window-manager conversations Qt has no API for: taskbar and pager
// entries and "always on top", changed in place through EWMH _NET_WM_STATE.
// Off X11 (offscreen tests, a missing display) every call does nothing.
class QWidget;

namespace tavrin::qt::x11 {

bool available();

// Before mapping these go straight into the window's _NET_WM_STATE property;
// once it is mapped they ask the window manager with a client message.
void setSkipTaskbarAndPager(QWidget& window, bool skip);
void setAbove(QWidget& window, bool above);
// Both at once, into the property of a window about to be mapped.
void setStatesBeforeMap(QWidget& window, bool skipTaskbarAndPager, bool above);

// Sends what is queued to the X server now (shape masks must not wait for idle).
void flush();

} // namespace tavrin::qt::x11
