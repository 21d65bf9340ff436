// Reads a window's bounding shape from the X server and prints what the
// end-to-end tests check: the rows and columns it covers, and rows left out
// in between.
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: xshape WINDOW-ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xshape: cannot open the display\n");
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    int count = 0;
    int ordering = 0;
    XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
    if (!rects || count == 0) {
        std::printf("rects 0\n");
        return 0;
    }
    int minX = 1 << 30, minY = 1 << 30, maxX = -(1 << 30), maxY = -(1 << 30);
    std::set<int> rows;
    for (int i = 0; i < count; ++i) {
        const XRectangle& r = rects[i];
        minX = std::min(minX, int(r.x));
        minY = std::min(minY, int(r.y));
        maxX = std::max(maxX, r.x + r.width - 1);
        maxY = std::max(maxY, r.y + r.height - 1);
        for (int y = r.y; y < r.y + r.height; ++y)
            rows.insert(y);
    }
    const int gaps = (maxY - minY + 1) - int(rows.size());
    std::printf("rects %d rows %d-%d cols %d-%d gaps %d\n", count, minY, maxY, minX, maxX, gaps);
    XFree(rects);
    XCloseDisplay(display);
    return 0;
}
