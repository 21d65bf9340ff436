#pragma once
#include <cstdint>

namespace rt {

// The colour of one pixel of a device context as &H00BBGGRR&; CLR_INVALID
// (0xFFFFFFFF) outside it or for an unknown context.
std::uint32_t GetPixel(std::int32_t hDC, int x, int y);

// Pixels read with GetPixel since the program started.
std::uint64_t pixelsRead();

} // namespace rt
