#pragma once
#include <cstdint>
#include <span>

namespace rt {

// The colour of one pixel of a device context as &H00BBGGRR&; CLR_INVALID
// (0xFFFFFFFF) outside it or for an unknown context.
std::uint32_t GetPixel(std::int32_t hDC, int x, int y);

// Pixels x = 0 .. out.size() - 1 of row y, each as GetPixel gives it: a
// whole row for the price of one call.
void GetPixelRow(std::int32_t hDC, int y, std::span<std::uint32_t> out);

// Pixels read with GetPixel or GetPixelRow since the program started.
std::uint64_t pixelsRead();

} // namespace rt
