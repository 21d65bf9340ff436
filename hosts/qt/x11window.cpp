#include "hosts/qt/x11window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

// Xlib last: its macros (None, Bool, KeyPress...) clash with Qt names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace tavrin::qt::x11 {
namespace {

QNativeInterface::QX11Application* native() {
    return qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}

Display* display() {
    auto* x = native();
    return x ? x->display() : nullptr;
}

// Every atom this file uses, interned together the first time one is asked
// for: one round trip to the server instead of one each.
Atom atom(Display* dpy, const char* name) {
    static const char* const names[] = {"_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER",
                                        "_NET_WM_STATE_ABOVE"};
    static Display* internedFor = nullptr;
    static Atom atoms[std::size(names)] = {};
    if (internedFor != dpy) {
        Atom fresh[std::size(names)] = {};
        if (XInternAtoms(dpy, const_cast<char**>(names), int(std::size(names)), False, fresh) != 0) {
            std::copy(std::begin(fresh), std::end(fresh), std::begin(atoms));
            internedFor = dpy;
        }
    }
    for (std::size_t i = 0; i < std::size(names); ++i)
        if (internedFor == dpy && std::strcmp(names[i], name) == 0)
            return atoms[i];
    return XInternAtom(dpy, name, False);
}

// Sets some states and clears others in one read and one write.
void setStateProperty(Display* dpy, Window w, const std::vector<Atom>& set, const std::vector<Atom>& clear) {
    const Atom netWmState = atom(dpy, "_NET_WM_STATE");
    std::vector<Atom> atoms;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, w, netWmState, 0, 1024, False, XA_ATOM, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        if (type == XA_ATOM && format == 32) {
            const auto* list = reinterpret_cast<const Atom*>(data);
            atoms.assign(list, list + count);
        }
        XFree(data);
    }
    for (const std::vector<Atom>* states : {&set, &clear})
        for (Atom s : *states)
            atoms.erase(std::remove(atoms.begin(), atoms.end(), s), atoms.end());
    atoms.insert(atoms.end(), set.begin(), set.end());
    XChangeProperty(dpy, w, netWmState, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(atoms.data()),
                    int(atoms.size()));
}

void sendStateMessage(Display* dpy, Window w, Atom first, Atom second, bool on) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = atom(dpy, "_NET_WM_STATE");
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = on ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
    ev.xclient.data.l[1] = long(first);
    ev.xclient.data.l[2] = long(second);
    ev.xclient.data.l[3] = 1; // from an ordinary application
    XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
}

void changeStates(QWidget& window, const char* first, const char* second, bool on) {
    Display* dpy = display();
    if (!dpy)
        return;
    const Window w = Window(window.winId());
    const Atom a = atom(dpy, first);
    const Atom b = second ? atom(dpy, second) : 0;
    if (window.isVisible()) {
        sendStateMessage(dpy, w, a, b, on);
    } else {
        std::vector<Atom> states{a};
        if (b)
            states.push_back(b);
        setStateProperty(dpy, w, on ? states : std::vector<Atom>{}, on ? std::vector<Atom>{} : states);
    }
    flush();
}

} // namespace

bool available() { return display() != nullptr; }

void setSkipTaskbarAndPager(QWidget& window, bool skip) {
    changeStates(window, "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", skip);
}

void setAbove(QWidget& window, bool above) { changeStates(window, "_NET_WM_STATE_ABOVE", nullptr, above); }

void setStatesBeforeMap(QWidget& window, bool skipTaskbarAndPager, bool above) {
    if (window.isVisible()) {
        setSkipTaskbarAndPager(window, skipTaskbarAndPager);
        setAbove(window, above);
        return;
    }
    Display* dpy = display();
    if (!dpy)
        return;
    std::vector<Atom> set, clear;
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"})
        (skipTaskbarAndPager ? set : clear).push_back(atom(dpy, name));
    (above ? set : clear).push_back(atom(dpy, "_NET_WM_STATE_ABOVE"));
    setStateProperty(dpy, Window(window.winId()), set, clear);
}

std::optional<QPoint> placeOnScreen(QWidget& window) {
    Display* dpy = display();
    if (!dpy)
        return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(dpy, Window(window.winId()), DefaultRootWindow(dpy), 0, 0, &x, &y, &child))
        return std::nullopt;
    // Device pixels to Qt's, as Qt scales a screen: about its top-left corner.
    const QScreen* screen = window.screen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    return origin + ((QPoint(x, y) - origin) / ratio);
}

void flush() {
    auto* x = native();
    if (!x)
        return;
    if (Display* dpy = x->display())
        XFlush(dpy);
    if (xcb_connection_t* c = x->connection())
        xcb_flush(c);
}

} // namespace tavrin::qt::x11
