// Waits until a window with the given name is viewable on the X server and
// prints the milliseconds since the given start (CLOCK_REALTIME, ns).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

long long nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

bool viewableNamed(Display* d, Window w, const char* name) {
    char* wmName = nullptr;
    if (XFetchName(d, w, &wmName) && wmName) {
        const bool same = std::strcmp(wmName, name) == 0;
        XFree(wmName);
        XWindowAttributes a;
        if (same && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable)
            return true;
    }
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n))
        return false;
    bool found = false;
    for (unsigned i = 0; i < n && !found; ++i)
        found = viewableNamed(d, children[i], name);
    if (children)
        XFree(children);
    return found;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mapwait NAME START_NS\n");
        return 2;
    }
    const long long start = std::atoll(argv[2]);
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return 2;
    for (int i = 0; i < 20000; ++i) {
        if (viewableNamed(d, DefaultRootWindow(d), argv[1])) {
            std::printf("%.1f\n", double(nowNs() - start) / 1e6);
            return 0;
        }
        usleep(500);
    }
    std::printf("timeout\n");
    return 1;
}
