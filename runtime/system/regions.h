#pragma once
// Window regions as the program builds them: numbered handles of rectangle
// unions that it creates, merges, frees, or hands over to a window.
#include <QRegion>
#include <cstddef>
#include <cstdint>

namespace rt {

using HRGN = std::int32_t;

constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// Results of CombineRgn.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// A rectangle covering columns left..right-1 of rows top..bottom-1.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode);
// Frees a region the program still owns; false for an unknown handle.
bool DeleteObject(HRGN region);
// Gives the window the region (0: none) and frees the one it had; the
// window owns the region from then on. Returns 0 when the window or region is unknown.
int SetWindowRgn(std::int32_t hWnd, HRGN region, bool redraw);

// Regions the program owns now (not yet deleted nor given to a window).
std::size_t liveRegionCount();
// Rectangles made by CreateRectRgn since the program started.
std::size_t regionsCreated();
// The region behind a handle, or null.
const QRegion* regionOf(HRGN region);

} // namespace rt
