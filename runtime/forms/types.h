#pragma once
#include <QString>
#include <cstdint>

namespace rt {

// Colours as the program writes them: &H00BBGGRR&.
using Color = std::uint32_t;

constexpr Color RGB(int r, int g, int b) {
    return Color(r & 0xFF) | (Color(g & 0xFF) << 8) | (Color(b & 0xFF) << 16);
}
constexpr int RedOf(Color c) { return int(c & 0xFF); }
constexpr int GreenOf(Color c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return int((c >> 16) & 0xFF); }

constexpr Color vbBlack = 0x000000;
constexpr Color vbWhite = 0xFFFFFF;
constexpr Color vbButtonFace = 0x80000000u | 15;   // system colours: resolved by the host
constexpr Color vbWindowBackground = 0x80000000u | 5;
constexpr Color vbWindowText = 0x80000000u | 8;
constexpr bool IsSystemColor(Color c) { return (c & 0x80000000u) != 0; }

struct Font {
    QString Name = "MS Sans Serif";
    double Size = 8.25; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const Font&) const = default;
};

// Mouse buttons and shift mask of mouse and key events.
constexpr int vbLeftButton = 1;
constexpr int vbRightButton = 2;
constexpr int vbMiddleButton = 4;
constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

// Window states.
constexpr int vbNormal = 0;
constexpr int vbMinimized = 1;
constexpr int vbMaximized = 2;

// Scale modes.
constexpr int vbUser = 0;
constexpr int vbTwips = 1;
constexpr int vbPixels = 3;

// Check box states.
constexpr int vbUnchecked = 0;
constexpr int vbChecked = 1;
constexpr int vbGrayed = 2;

// Text alignment of labels.
constexpr int vbLeftJustify = 0;
constexpr int vbRightJustify = 1;
constexpr int vbCenter = 2;

// Start-up position of forms.
constexpr int vbStartUpManual = 0;
constexpr int vbStartUpScreen = 2;

} // namespace rt
