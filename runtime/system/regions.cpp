#include "runtime/system/regions.h"

#include "runtime/forms/form.h"
#include "runtime/forms/handles.h"

namespace rt {
namespace {

HandleTable<QRegion>& regions() {
    static HandleTable<QRegion> table(0x40000);
    return table;
}

std::size_t created = 0;

int typeOf(const QRegion& r) {
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    // Edges given the wrong way round still describe the same rectangle.
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    ++created;
    return regions().add(QRegion(left, top, right - left, bottom - top));
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
    QRegion* dest = regions().find(destination);
    QRegion* a = regions().find(source1);
    QRegion* b = mode == RGN_COPY ? a : regions().find(source2);
    if (!dest || !a || !b)
        return RGN_ERROR;
    QRegion result;
    switch (mode) {
    case RGN_AND: result = *a & *b; break;
    case RGN_OR: result = *a | *b; break;
    case RGN_XOR: result = *a ^ *b; break;
    case RGN_DIFF: result = *a - *b; break;
    case RGN_COPY: result = *a; break;
    default: return RGN_ERROR;
    }
    *dest = result;
    return typeOf(*dest);
}

bool DeleteObject(HRGN region) { return regions().remove(region); }

int SetWindowRgn(std::int32_t hWnd, HRGN region, bool redraw) {
    (void)redraw; // a host always repaints a reshaped window
    Form* window = Form::fromHandle(hWnd);
    if (!window)
        return 0;
    if (region == 0) {
        window->setRegion(std::nullopt);
        return 1;
    }
    QRegion* r = regions().find(region);
    if (!r)
        return 0;
    QRegion taken = std::move(*r);
    regions().remove(region);
    window->setRegion(std::move(taken));
    return 1;
}

std::size_t liveRegionCount() { return regions().size(); }

std::size_t regionsCreated() { return created; }

const QRegion* regionOf(HRGN region) { return regions().find(region); }

} // namespace rt
