// skingen: draws every picture tavrin shows and writes them as PNG files.
#pragma once

#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

namespace skingen {

// White is the key colour: the window shapes are cut from it.
inline constexpr QRgb kKey = 0xFFFFFFFFu;

// One row of a window shape: opaque from x0 to x1 inclusive, empty when x0 > x1.
struct Span {
    int x0 = 1;
    int x1 = 0;
    [[nodiscard]] bool empty() const { return x0 > x1; }
    [[nodiscard]] bool contains(int x) const { return x >= x0 && x <= x1; }
};
using Outline = std::vector<Span>;

// Shape of an image h rows high: the rectangle (left, top)-(right, bottom) inclusive,
// its rows next to the top and bottom edges shortened at both ends by cut[0], cut[1], ...
Outline roundedOutline(int h, int left, int top, int right, int bottom,
                       const std::vector<int>& cut);

// Colour with channels in 0..1, so blending and lighting stay simple.
struct Rgb {
    float r = 0, g = 0, b = 0;
};
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }
inline Rgb hex(unsigned v)
{
    return {float((v >> 16) & 0xFF) / 255.0f, float((v >> 8) & 0xFF) / 255.0f,
            float(v & 0xFF) / 255.0f};
}
inline float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float smooth(float e0, float e1, float x)
{
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

// Signed distance to a rounded box with edges x0..x1, y0..y1 (continuous
// coordinates, pixel (i,j) covers [i,i+1) x [j,j+1)); negative inside.
float roundBoxDistance(float px, float py, float x0, float y0, float x1, float y1, float r);

// Cheap repeatable per-pixel noise in -1..1 for surface grain.
float grain(int x, int y, unsigned seed);

// Window skins (RGB, white key).
QImage clockFace(int w, int h, int style);
QImage optionsSkin();
QImage padSkin();

// Other pictures.
QImage reminderPanel();
QImage trayIcon(bool alarmBars);
QImage bulb(int size);
QImage speaker();
QImage padNew();
QImage padOpen();
QImage padSave(bool saveAs);
QImage padMin();

// Verifies the skins in dir; prints what is wrong and returns the number of faults.
int checkDir(const QString& dir);

}  // namespace skingen
