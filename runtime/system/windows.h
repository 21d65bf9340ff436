#pragma once
#include <cstdint>

namespace rt {

constexpr std::int32_t HWND_TOPMOST = -1;
constexpr std::int32_t HWND_NOTOPMOST = -2;
constexpr unsigned SWP_NOSIZE = 1;
constexpr unsigned SWP_NOMOVE = 2;

// Puts a window above all others (HWND_TOPMOST) or back among them
// (HWND_NOTOPMOST); moves and sizes it unless SWP_NOMOVE / SWP_NOSIZE say not to.
bool SetWindowPos(std::int32_t hWnd, std::int32_t insertAfter, int x, int y, int cx, int cy, unsigned flags);

} // namespace rt
