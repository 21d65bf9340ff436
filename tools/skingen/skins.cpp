// The region-cut window skins: clock faces, options dialog, DeskPad.
#include "skingen.h"

#include <functional>

namespace skingen {

Outline roundedOutline(int h, int left, int top, int right, int bottom,
                       const std::vector<int>& cut)
{
    Outline rows(static_cast<size_t>(h));
    for (int y = top; y <= bottom; ++y) {
        int in = 0;
        const int fromTop = y - top;
        const int fromBottom = bottom - y;
        const int n = static_cast<int>(cut.size());
        if (fromTop < n)
            in = std::max(in, cut[static_cast<size_t>(fromTop)]);
        if (fromBottom < n)
            in = std::max(in, cut[static_cast<size_t>(fromBottom)]);
        rows[static_cast<size_t>(y)] = {left + in, right - in};
    }
    return rows;
}

float roundBoxDistance(float px, float py, float x0, float y0, float x1, float y1, float r)
{
    const float cx = (x0 + x1) * 0.5f;
    const float cy = (y0 + y1) * 0.5f;
    const float qx = std::abs(px - cx) - ((x1 - x0) * 0.5f - r);
    const float qy = std::abs(py - cy) - ((y1 - y0) * 0.5f - r);
    const float ox = std::max(qx, 0.0f);
    const float oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

float grain(int x, int y, unsigned seed)
{
    unsigned v = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u +
                 seed * 2246822519u;
    v = (v ^ (v >> 13)) * 1274126177u;
    v ^= v >> 16;
    return float(v & 0xFFFF) / 32767.5f - 1.0f;
}

namespace {

bool inside(const Outline& o, int x, int y)
{
    if (y < 0 || y >= static_cast<int>(o.size()))
        return false;
    return o[static_cast<size_t>(y)].contains(x);
}

// A pixel of the shape touching the outside along a side: the 1 px outline.
bool onEdge(const Outline& o, int x, int y)
{
    return inside(o, x, y) && (!inside(o, x - 1, y) || !inside(o, x + 1, y) ||
                               !inside(o, x, y - 1) || !inside(o, x, y + 1));
}

QRgb toPixel(Rgb c)
{
    auto ch = [](float v) { return static_cast<int>(std::lround(clamp01(v) * 255.0f)); };
    QRgb p = qRgb(ch(c.r), ch(c.g), ch(c.b));
    // White inside the shape would punch a hole in the window.
    if (p == kKey)
        p = qRgb(254, 254, 254);
    return p;
}

using Shader = std::function<Rgb(float x, float y, int px, int py)>;

// Supersamples the shader inside the outline; everything outside is the key.
QImage render(int w, int h, const Outline& o, const Shader& shade, Rgb edge, int ss = 4)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kKey);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!inside(o, x, y))
                continue;
            Rgb acc;
            for (int sy = 0; sy < ss; ++sy)
                for (int sx = 0; sx < ss; ++sx)
                    acc = acc + shade(float(x) + (float(sx) + 0.5f) / float(ss),
                                      float(y) + (float(sy) + 0.5f) / float(ss), x, y);
            Rgb c = acc * (1.0f / float(ss * ss));
            if (onEdge(o, x, y))
                c = edge;
            img.setPixel(x, y, toPixel(c));
        }
    }
    return img;
}

struct Vec {
    float x, y;
};

// Outward normal of a distance field by central differences.
template <typename F>
Vec normalOf(F&& dist, float x, float y)
{
    const float e = 0.25f;
    float gx = dist(x + e, y) - dist(x - e, y);
    float gy = dist(x, y + e) - dist(x, y - e);
    const float len = std::sqrt(gx * gx + gy * gy);
    if (len < 1e-6f)
        return {0, 0};
    return {gx / len, gy / len};
}

// Light falls from the upper left, as on every desktop widget.
constexpr Vec kToLight{-0.37f, -0.93f};

float facing(Vec n) { return n.x * kToLight.x + n.y * kToLight.y; }

Rgb lit(Rgb base, Rgb light, Rgb dark, float k)
{
    return k >= 0 ? mix(base, light, k) : mix(base, dark, -k);
}

struct FaceLook {
    std::vector<int> cut;
    float radius;       // rounding the bevel follows; matches the cut rows
    Rgb edge;           // 1 px outline
    Rgb rimBase, rimLight, rimDark;
    float rimWidth;
    Rgb bodyTop, bodyBottom;
    float bodyGrain;
    Rgb wellTop, wellBottom;        // recessed panels behind the texts
    Rgb wellShade, wellLip;         // inner shadow at the top, catch light below
    float wellRadius;
    float wellInset;                // body margin around the panels
    Rgb accent;                     // thin line round the panels
    float accentStrength;
    float gloss;                    // faint glass sheen on the panels
    unsigned seed;
};

FaceLook graphite()
{
    FaceLook l;
    l.cut = {4, 2, 1, 1};
    l.radius = 4.5f;
    l.edge = hex(0x050806);
    l.rimBase = hex(0x3A403C);
    l.rimLight = hex(0xA2DCAC);
    l.rimDark = hex(0x0C100D);
    l.rimWidth = 2.6f;
    l.bodyTop = hex(0x383C3B);
    l.bodyBottom = hex(0x1A1D1C);
    l.bodyGrain = 0.010f;
    l.wellTop = hex(0x060807);
    l.wellBottom = hex(0x0C100D);
    l.wellShade = hex(0x000000);
    l.wellLip = hex(0x4C5E50);
    l.wellRadius = 2.5f;
    l.wellInset = 5.0f;
    l.accent = hex(0x2E8A44);
    l.accentStrength = 0.40f;
    l.gloss = 0.030f;
    l.seed = 1;
    return l;
}

FaceLook indigo()
{
    FaceLook l;
    l.cut = {5, 3, 2, 1, 1};
    l.radius = 6.0f;
    l.edge = hex(0x05060F);
    l.rimBase = hex(0x7A8096);
    l.rimLight = hex(0xF0F2F8);
    l.rimDark = hex(0x262A3C);
    l.rimWidth = 3.2f;
    l.bodyTop = hex(0x2A2F5E);
    l.bodyBottom = hex(0x11143A);
    l.bodyGrain = 0.006f;
    l.wellTop = hex(0x03040E);
    l.wellBottom = hex(0x080A1C);
    l.wellShade = hex(0x000000);
    l.wellLip = hex(0x8A90B0);
    l.wellRadius = 4.5f;
    l.wellInset = 6.0f;
    l.accent = hex(0x9AA2C8);
    l.accentStrength = 0.30f;
    l.gloss = 0.040f;
    l.seed = 2;
    return l;
}

struct Box {
    float x0, y0, x1, y1;
};

}  // namespace

QImage clockFace(int w, int h, int style)
{
    const FaceLook l = style == 1 ? graphite() : indigo();
    const Outline o = roundedOutline(h, 1, 1, w - 2, h - 2, l.cut);

    // Outer shape in continuous coordinates: columns 1..w-2 cover [1, w-1).
    const Box outer{1.0f, 1.0f, float(w - 1), float(h - 1)};
    auto outerDist = [&](float x, float y) {
        return roundBoxDistance(x, y, outer.x0, outer.y0, outer.x1, outer.y1, l.radius);
    };

    // Recessed panels behind the clock texts: one, or one per half on the wide face.
    std::vector<Box> wells;
    const float m = l.wellInset;
    const bool wide = w > 200;
    if (wide) {
        const float mid = float(w) * 0.5f;
        wells.push_back({m, m, mid - 2.0f, float(h) - m});
        wells.push_back({mid + 2.0f, m, float(w) - m, float(h) - m});
    } else {
        wells.push_back({m, m, float(w) - m, float(h) - m});
    }

    auto shade = [&](float x, float y, int px, int py) -> Rgb {
        const float t = clamp01((y - outer.y0) / (outer.y1 - outer.y0));
        Rgb body = mix(l.bodyTop, l.bodyBottom, t);
        body = body + Rgb{1, 1, 1} * (l.bodyGrain * grain(px, py, l.seed));

        // Raised rim round the whole face.
        const float depth = -outerDist(x, y);
        if (depth < l.rimWidth) {
            const Vec n = normalOf(outerDist, x, y);
            const float k = facing(n);
            const Rgb rim = lit(l.rimBase, l.rimLight, l.rimDark, k);
            // Crisp towards the outside, melting into the body inside.
            return mix(rim, body, smooth(l.rimWidth * 0.45f, l.rimWidth, std::max(depth, 0.0f)));
        }

        for (const Box& b : wells) {
            auto wd = [&](float qx, float qy) {
                return roundBoxDistance(qx, qy, b.x0, b.y0, b.x1, b.y1, l.wellRadius);
            };
            const float d = wd(x, y);
            if (d > 1.6f)
                continue;
            const Vec n = normalOf(wd, x, y);
            const float k = facing(n);
            if (d >= 0) {
                // Just outside the recess: the lower lip catches the light.
                const float lip = (1.0f - smooth(0.0f, 1.6f, d)) * clamp01(-k);
                Rgb c = mix(body, l.wellLip, lip * 0.85f);
                const float acc = (1.0f - smooth(0.0f, 1.0f, d)) * l.accentStrength;
                return mix(c, l.accent, acc);
            }
            const float u = -d;
            const float wt = clamp01((y - b.y0) / (b.y1 - b.y0));
            Rgb c = mix(l.wellTop, l.wellBottom, wt);
            // Glass sheen over the upper part, fading out well above the text middle.
            c = c + Rgb{0.8f, 0.9f, 1.0f} * (l.gloss * (1.0f - smooth(0.05f, 0.42f, wt)));
            // Inner wall: dark where it faces the light, a hint of light opposite.
            const float wall = 1.0f - smooth(0.0f, 2.2f, u);
            if (k > 0)
                c = mix(c, l.wellShade, wall * k);
            else
                c = mix(c, l.wellLip, wall * -k * 0.35f);
            return c;
        }
        return body;
    };

    return render(w, h, o, shade, l.edge);
}

QImage optionsSkin()
{
    const int w = 371, h = 386;
    const Outline o = roundedOutline(h, 1, 1, w - 2, h - 2, {5, 3, 2, 1, 1});
    auto outerDist = [&](float x, float y) {
        return roundBoxDistance(x, y, 1.0f, 1.0f, float(w - 1), float(h - 1), 6.0f);
    };
    const Rgb frameTop = hex(0x4A4C50);
    const Rgb frameBottom = hex(0x34363A);
    const Rgb light = hex(0xB4B8C0);
    const Rgb dark = hex(0x101114);
    // The black field starts past the 1 px edge and a ten pixel frame.
    const float field = 12.0f;
    auto fieldDist = [&](float x, float y) {
        return roundBoxDistance(x, y, field, field, float(w) - field, float(h) - field, 3.0f);
    };

    auto shade = [&](float x, float y, int px, int py) -> Rgb {
        const float fd = fieldDist(x, y);
        if (fd < 0)
            return {0, 0, 0};
        const float t = clamp01(y / float(h));
        Rgb frame = mix(frameTop, frameBottom, t);
        frame = frame + Rgb{1, 1, 1} * (0.008f * grain(px, py, 7));
        const float depth = -outerDist(x, y);
        if (depth < 2.6f) {
            // Raised outer bevel.
            const Rgb rim = lit(frame, light, dark, facing(normalOf(outerDist, x, y)));
            return mix(rim, frame, smooth(1.2f, 2.6f, std::max(depth, 0.0f)));
        }
        if (fd < 2.0f) {
            // Step down into the black field: the wall facing the light is in shadow.
            const float k = facing(normalOf(fieldDist, x, y));
            const Rgb wall = lit(frame, dark, light * 0.75f, k);
            return mix(wall, frame, smooth(0.6f, 2.0f, fd));
        }
        return frame;
    };
    return render(w, h, o, shade, hex(0x0A0A0C));
}

QImage padSkin()
{
    const int w = 362, h = 269;
    const Outline o = roundedOutline(h, 1, 1, 357, 263, {5, 3, 2, 1, 1});
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kKey);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb paper = qRgb(192, 192, 255);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!inside(o, x, y))
                continue;
            const bool band = y <= 34;
            img.setPixel(x, y, band || onEdge(o, x, y) ? black : paper);
        }
    }
    return img;
}

QImage reminderPanel()
{
    const int w = 396, h = 194;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(qRgb(0, 0, 0));

    // Rings from the outside in: each is a frame one pixel wide.
    auto ring = [&](int i, QRgb topLeft, QRgb bottomRight) {
        for (int x = i; x < w - i; ++x) {
            img.setPixel(x, i, topLeft);
            img.setPixel(x, h - 1 - i, bottomRight);
        }
        for (int y = i; y < h - i; ++y) {
            img.setPixel(i, y, topLeft);
            img.setPixel(w - 1 - i, y, bottomRight);
        }
        // The corner pixels where light meets shadow take the middle tone.
        const QRgb midTone = qRgb((qRed(topLeft) + qRed(bottomRight)) / 2,
                                  (qGreen(topLeft) + qGreen(bottomRight)) / 2,
                                  (qBlue(topLeft) + qBlue(bottomRight)) / 2);
        img.setPixel(w - 1 - i, i, midTone);
        img.setPixel(i, h - 1 - i, midTone);
    };
    const QRgb outline = qRgb(54, 54, 54);
    ring(0, outline, outline);
    ring(1, qRgb(214, 216, 222), qRgb(84, 86, 92));
    ring(2, qRgb(178, 180, 186), qRgb(110, 112, 118));
    for (int i = 3; i <= 5; ++i)
        ring(i, qRgb(146, 148, 154), qRgb(146, 148, 154));
    ring(6, qRgb(96, 98, 104), qRgb(196, 198, 204));
    ring(7, qRgb(40, 41, 44), qRgb(120, 122, 128));
    // A faint hairline inside the field keeps the black from looking like a hole.
    for (int x = 13; x < w - 13; ++x) {
        img.setPixel(x, 13, qRgb(30, 31, 34));
        img.setPixel(x, h - 14, qRgb(30, 31, 34));
    }
    for (int y = 13; y < h - 13; ++y) {
        img.setPixel(13, y, qRgb(30, 31, 34));
        img.setPixel(w - 14, y, qRgb(30, 31, 34));
    }
    return img;
}

}  // namespace skingen
