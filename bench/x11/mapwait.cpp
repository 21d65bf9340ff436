// Prints the wall-clock time (ns, CLOCK_REALTIME) at which the next window is
// mapped on the screen. It says "ready" once it is listening, so that a
// script can start the program under test only then.
#include <X11/Xlib.h>

#include <cstdio>
#include <ctime>

int main() {
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return 2;
    // Top-level windows, and the frames a window manager puts around them,
    // are children of the root: their maps are reported here.
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify && !e.xmap.override_redirect) {
            timespec ts{};
            clock_gettime(CLOCK_REALTIME, &ts);
            std::printf("%lld\n", ts.tv_sec * 1000000000LL + ts.tv_nsec);
            return 0;
        }
    }
}
