#include "runtime/system/gdi.h"

#include "runtime/forms/picturebox.h"

#include <algorithm>

namespace rt {

namespace {
std::uint64_t reads = 0;
}

std::uint64_t pixelsRead() { return reads; }

std::uint32_t GetPixel(std::int32_t hDC, int x, int y) {
    ++reads;
    PictureBox* box = PictureBox::fromDC(hDC);
    return box ? box->pixel(x, y) : CLR_INVALID;
}

void GetPixelRow(std::int32_t hDC, int y, std::span<std::uint32_t> out) {
    reads += out.size();
    if (PictureBox* box = PictureBox::fromDC(hDC))
        box->pixelRow(y, out);
    else
        std::fill(out.begin(), out.end(), CLR_INVALID);
}

} // namespace rt
