#include "clock/skin.h"

#include "runtime/services/convert.h"
#include "runtime/system/gdi.h"

#include <algorithm>
#include <vector>

namespace tavrin {

using namespace rt;

HRGN RegionFromSkin(PictureBox& pic) {
    const std::int32_t dc = pic.hDC();
    const qint64 width = RoundToEven(pic.ScaleWidth());
    const qint64 height = RoundToEven(pic.ScaleHeight());
    const std::uint32_t key = GetPixel(dc, 0, 0);

    HRGN result = 0;
    if (height < 1)
        return result;

    auto closeRun = [&](int left, int y, int right) {
        const HRGN r = CreateRectRgn(left, y, right, y + 1);
        if (result == 0) {
            result = r;
        } else {
            CombineRgn(result, result, r, RGN_OR);
            DeleteObject(r);
        }
    };

    // Read a row at a time: the same pixels as one GetPixel each, without
    // a round of look-ups per pixel.
    std::vector<std::uint32_t> row(std::size_t(std::max<qint64>(width, 0)));
    for (int y = 0; y < height; ++y) {
        bool open = false;
        int start = 0;
        GetPixelRow(dc, y, row);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = row[std::size_t(x)];
            if (c == key) {
                if (open) {
                    closeRun(start, y, x);
                    open = false;
                }
            } else if (!open) {
                open = true;
                start = x;
            }
        }
        if (open)
            closeRun(start, y, int(width));
    }
    return result;
}

void SetUpSkinnedWindow(Form& window, PictureBox& mainBox, PictureBox& sourceBox) {
    mainBox.ScaleMode(vbPixels);
    mainBox.AutoRedraw(true);
    mainBox.AutoSize(true);
    mainBox.BorderStyle(0);
    window.BorderStyle(0);
    Reshape(window, mainBox, sourceBox);
}

void Reshape(Form& window, PictureBox& mainBox, PictureBox& sourceBox) {
    mainBox.Picture(sourceBox.Picture());
    window.Width(mainBox.Width());
    window.Height(mainBox.Height());
    SetWindowRgn(window.hWnd(), RegionFromSkin(mainBox), true);
}

} // namespace tavrin
