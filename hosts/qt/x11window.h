#pragma once
// The few window-manager conversations Qt has no API for: taskbar and pager
// entries and "always on top", changed in place through EWMH _NET_WM_STATE,
// and where a window really is. Off X11 (offscreen tests, a missing display)
// every call does nothing.
#include <QPoint>

#include <optional>

class QWidget;

namespace tavrin::qt::x11 {

bool available();

// Before mapping these go straight into the window's _NET_WM_STATE property;
// once it is mapped they ask the window manager with a client message.
void setSkipTaskbarAndPager(QWidget& window, bool skip);
void setAbove(QWidget& window, bool above);
// Both at once, into the property of a window about to be mapped.
void setStatesBeforeMap(QWidget& window, bool skipTaskbarAndPager, bool above);

// Where the window's top-left corner is on its screen now, by the X server's
// account, in Qt's pixels; none off X11. Qt itself only learns of moves the
// window manager reports, and one that refuses a move may report nothing.
std::optional<QPoint> placeOnScreen(QWidget& window);

// Sends what is queued to the X server now (shape masks must not wait for idle).
void flush();

} // namespace tavrin::qt::x11
