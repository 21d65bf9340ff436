// Small pictures: notification icons, bulbs, speaker, DeskPad buttons.
#include "skingen.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <numbers>
#include <utility>

namespace skingen {

namespace {

QImage transparent(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage onBlack(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(qRgb(0, 0, 0));
    return img;
}

QColor rgb(unsigned v, int alpha = 255)
{
    return QColor(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF), alpha);
}

QLinearGradient vertical(qreal y0, qreal y1, QColor a, QColor b)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

// The diskette shared by "save" and "save as".
void drawDiskette(QPainter& p, bool saveAs)
{
    // Body with the clipped top-right corner.
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(14.5, 1.5);
    body.lineTo(16.5, 3.5);
    body.lineTo(16.5, 16.5);
    body.lineTo(1.5, 16.5);
    body.closeSubpath();
    p.setPen(QPen(rgb(0x0A1E52), 1));
    p.setBrush(vertical(1, 17, rgb(0x4F7FE8), rgb(0x1C3F9E)));
    p.drawPath(body);

    // Metal shutter with its window.
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(2, 7, rgb(0xE8EAF0), rgb(0xA0A6B4)));
    p.drawRect(QRectF(4, 2, 9, 5));
    p.setBrush(rgb(0x2A3550));
    p.drawRect(QRectF(10, 3, 2, 3));

    // Paper label.
    p.setBrush(rgb(0xF4F4F0));
    p.drawRect(QRectF(3, 9, 12, 7));
    const QColor ink = saveAs ? rgb(0xE0201C) : rgb(0x9098A8);
    p.setBrush(ink);
    p.drawRect(QRectF(4, 11, 10, 1));
    p.drawRect(QRectF(4, 13, saveAs ? 6 : 8, 1));
    if (saveAs) {
        // A red pencil across the label, "under a new name"; drawn pixel by pixel
        // because antialiasing turns a diagonal this small into mush.
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int i = 0; i < 5; ++i) {
            p.setBrush(rgb(0xFF3A2E));
            p.drawRect(QRect(16 - i, 9 + i, 1, 1));
            p.setBrush(rgb(0xA01810));
            p.drawRect(QRect(17 - i, 9 + i, 1, 1));
        }
        p.setBrush(rgb(0xF0C890));
        p.drawRect(QRect(11, 14, 1, 1));
        p.drawRect(QRect(12, 14, 1, 1));
        p.setBrush(rgb(0x303030));
        p.drawRect(QRect(10, 15, 1, 1));
    }
}

// Glass: a globe narrowing into the neck, lit from the upper left.
QPainterPath bulbGlass(QPointF centre, qreal r, qreal neckTop, qreal neckBottom, qreal neckHalf)
{
    QPainterPath glass;
    glass.addEllipse(centre, r, r);
    QPainterPath neck;
    const qreal cx = centre.x();
    neck.moveTo(cx - r * 0.72, neckTop);
    neck.cubicTo(cx - neckHalf, neckTop + (neckBottom - neckTop) * 0.4, cx - neckHalf,
                 neckBottom - 1.0, cx - neckHalf, neckBottom);
    neck.lineTo(cx + neckHalf, neckBottom);
    neck.cubicTo(cx + neckHalf, neckBottom - 1.0, cx + neckHalf,
                 neckTop + (neckBottom - neckTop) * 0.4, cx + r * 0.72, neckTop);
    neck.closeSubpath();
    return glass.united(neck);
}

QRadialGradient lampGlow(QPointF hot, qreal r)
{
    QRadialGradient lamp(hot, r, hot);
    lamp.setColorAt(0.0, rgb(0xFFFFF4));
    lamp.setColorAt(0.35, rgb(0xFFF07A));
    lamp.setColorAt(0.8, rgb(0xFFCC1A));
    lamp.setColorAt(1.0, rgb(0xE89A00));
    return lamp;
}

QImage bigBulb()
{
    QImage img = transparent(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(16, 12.5);

    // A tight halo: wide ones turn muddy olive over a black panel.
    QRadialGradient halo(centre, 12.5);
    halo.setColorAt(0.0, rgb(0xFFF4A0, 190));
    halo.setColorAt(0.62, rgb(0xFFE050, 120));
    halo.setColorAt(1.0, rgb(0xFFD000, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, 12.5, 12.5);

    // Rays fanning out over the top half.
    QPen ray(rgb(0xFFD82A), 1.8);
    ray.setCapStyle(Qt::RoundCap);
    p.setPen(ray);
    for (int i = 0; i < 7; ++i) {
        const double a = std::numbers::pi * (1.0 + double(i) / 6.0);
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(centre + dir * 11.2, centre + dir * 14.8);
    }

    p.setPen(QPen(rgb(0x8A5400), 1.0));
    p.setBrush(lampGlow(QPointF(13.5, 9.5), 11.0));
    p.drawPath(bulbGlass(centre, 8.0, 17.0, 21.5, 4.0));

    // Filament, faint so the glass still reads as glowing.
    QPen wire(rgb(0xE07A00, 200), 0.9);
    wire.setCapStyle(Qt::RoundCap);
    wire.setJoinStyle(Qt::RoundJoin);
    p.setPen(wire);
    p.setBrush(Qt::NoBrush);
    QPainterPath f;
    f.moveTo(14.0, 21.0);
    f.lineTo(14.5, 15.0);
    f.lineTo(15.25, 13.5);
    f.lineTo(16.0, 15.0);
    f.lineTo(16.75, 13.5);
    f.lineTo(17.5, 15.0);
    f.lineTo(18.0, 21.0);
    p.drawPath(f);
    QPen shine(rgb(0xFFFFFF, 220), 1.4);
    shine.setCapStyle(Qt::RoundCap);
    p.setPen(shine);
    p.drawArc(QRectF(10.5, 7.0, 11, 11), 105 * 16, 55 * 16);

    // Blue screw base with two threads and a contact tip.
    QLinearGradient across(11.5, 0, 20.5, 0);
    across.setColorAt(0.0, rgb(0x2450D0));
    across.setColorAt(0.35, rgb(0x8AB0FF));
    across.setColorAt(1.0, rgb(0x183AA0));
    p.setPen(QPen(rgb(0x0A1C5A), 1.0));
    p.setBrush(across);
    p.drawRoundedRect(QRectF(11.5, 21.5, 9, 6.5), 1.2, 1.2);
    p.setPen(QPen(rgb(0x0E2A80), 1.0));
    p.drawLine(QPointF(12.0, 23.7), QPointF(20.0, 23.0));
    p.drawLine(QPointF(12.0, 25.9), QPointF(20.0, 25.2));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0x14307C));
    p.drawRoundedRect(QRectF(13.5, 27.5, 5, 2.5), 1.2, 1.2);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

// At 16 px the bulb is centred on a pixel column and the rays are single
// pixels; scaling the big one down only gives a yellow smudge.
QImage smallBulb()
{
    QImage img = transparent(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(7.5, 6.5);

    p.setPen(QPen(rgb(0x8A5400), 1.0));
    p.setBrush(lampGlow(QPointF(6.5, 5.0), 5.5));
    p.drawPath(bulbGlass(centre, 4.0, 8.8, 10.5, 2.0));

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xFFFFF0));
    p.drawRect(QRect(5, 4, 2, 1));
    p.drawRect(QRect(5, 5, 1, 1));

    // Rays: up, sideways and the two diagonals.
    const QColor rayOuter = rgb(0xFFE040);
    const QColor rayInner = rgb(0xFFB810);
    const int rays[][4] = {{7, 0, 7, 1}, {0, 6, 1, 6}, {14, 6, 13, 6}, {2, 1, 3, 2}, {12, 1, 11, 2}};
    for (const auto& r : rays) {
        p.setBrush(rayOuter);
        p.drawRect(QRect(r[0], r[1], 1, 1));
        p.setBrush(rayInner);
        p.drawRect(QRect(r[2], r[3], 1, 1));
    }

    // Base: three blue rows with a lighter thread, then the tip.
    p.setBrush(rgb(0x0A1C5A));
    p.drawRect(QRect(5, 10, 5, 4));
    p.setBrush(rgb(0x3A6AF0));
    p.drawRect(QRect(5, 10, 5, 1));
    p.drawRect(QRect(5, 12, 5, 1));
    p.setBrush(rgb(0x9CC0FF));
    p.drawRect(QRect(6, 10, 1, 1));
    p.drawRect(QRect(6, 12, 1, 1));
    p.setBrush(rgb(0x14307C));
    p.drawRect(QRect(6, 14, 3, 1));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QImage trayIcon(bool alarmBars)
{
    QImage img = transparent(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Face: a rounded blue-violet square with a darker rim and a light top edge.
    const QRectF face(0.5, 0.5, 31, 31);
    p.setPen(QPen(rgb(0x120C3A), 1));
    p.setBrush(vertical(0, 32, rgb(0x5446C8), rgb(0x241A78)));
    p.drawRoundedRect(face, 6, 6);
    p.setPen(QPen(vertical(1, 31, rgb(0xB8B0FF, 150), rgb(0xB8B0FF, 0)), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    if (alarmBars) {
        // Four bars at the quarter hours, bold enough to survive downscaling.
        p.setBrush(rgb(0xFFF1A8));
        for (const QRect& r : {QRect(14, 3, 4, 8), QRect(21, 14, 8, 4), QRect(14, 21, 4, 8),
                               QRect(3, 14, 8, 4)})
            p.drawRect(r);
    } else {
        // Twelve hour marks snapped to whole pixels so they stay crisp; rounding
        // away from the centre keeps opposite marks mirror images of each other.
        auto snap = [](double d) { return int(std::copysign(std::round(std::abs(d)), d)); };
        p.setBrush(rgb(0xDCD8FF));
        for (int i = 0; i < 12; ++i) {
            const double a = double(i) * std::numbers::pi / 6.0;
            const int cx = 16 + snap(11.0 * std::sin(a));
            const int cy = 16 - snap(11.0 * std::cos(a));
            p.drawRect(QRect(cx - 1, cy - 1, 2, 2));
        }
    }

    // Lighter centre square with a bevel.
    p.setBrush(rgb(0x140C48));
    p.drawRect(QRect(11, 11, 10, 10));
    p.setBrush(rgb(0xA89EFF));
    p.drawRect(QRect(12, 12, 8, 8));
    p.setBrush(rgb(0xD4CEFF));
    p.drawRect(QRect(12, 12, 8, 1));
    p.drawRect(QRect(12, 12, 1, 8));
    p.setBrush(rgb(0x7C70E0));
    p.drawRect(QRect(13, 19, 7, 1));
    p.drawRect(QRect(19, 13, 1, 7));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage bulb(int size)
{
    return size < 24 ? smallBulb() : bigBulb();
}

QImage speaker()
{
    // Drawn pixel by pixel: at 16 px antialiased arcs come out as blue fog.
    QImage img = transparent(16, 16);
    auto rows = [](int x) -> std::pair<int, int> {
        if (x >= 1 && x <= 3)
            return {5, 10};  // magnet box
        if (x >= 4 && x <= 8)
            return {std::max(1, 8 - x), std::min(14, 7 + x)};  // cone
        return {1, 0};
    };
    auto inShape = [&](int x, int y) {
        const auto [top, bottom] = rows(x);
        return y >= top && y <= bottom;
    };
    const Rgb topShade = hex(0xF4F6FA);
    const Rgb bottomShade = hex(0x8A90A2);
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < 16; ++y) {
            if (!inShape(x, y))
                continue;
            const bool edge = !inShape(x - 1, y) || !inShape(x + 1, y) || !inShape(x, y - 1) ||
                              !inShape(x, y + 1);
            QColor c;
            if (edge)
                c = rgb(0x1A1C24);
            else if (x == 3)
                c = rgb(0x5A6070);  // where the box meets the cone
            else {
                const Rgb s = mix(topShade, bottomShade, float(y - 1) / 13.0f);
                c = QColor::fromRgbF(s.r, s.g, s.b);
            }
            img.setPixelColor(x, y, c);
        }
    }
    // Two sound waves, symmetric about the middle row pair.
    const QColor wave = rgb(0x5AB0FF);
    for (const auto& [x, y] : {std::pair{10, 6}, {11, 7}, {11, 8}, {10, 9}})
        img.setPixelColor(x, y, wave);
    for (const auto& [x, y] : {std::pair{12, 3}, {13, 4}, {14, 5}, {14, 6}, {14, 7}, {14, 8},
                               {14, 9}, {14, 10}, {13, 11}, {12, 12}})
        img.setPixelColor(x, y, wave);
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage padNew()
{
    QImage img = onBlack(18, 18);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath sheet;
    sheet.moveTo(3.5, 1.5);
    sheet.lineTo(10.5, 1.5);
    sheet.lineTo(14.5, 5.5);
    sheet.lineTo(14.5, 16.5);
    sheet.lineTo(3.5, 16.5);
    sheet.closeSubpath();
    p.setPen(QPen(rgb(0x8A8E98), 1.0));
    p.setBrush(rgb(0xFAFAFA));
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(10.5, 1.5);
    fold.lineTo(10.5, 5.5);
    fold.lineTo(14.5, 5.5);
    fold.closeSubpath();
    p.setBrush(vertical(1, 6, rgb(0xE4E6EC), rgb(0xB0B4C0)));
    p.drawPath(fold);
    p.end();
    return img;
}

QImage padOpen()
{
    QImage img = onBlack(18, 18);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Back of the folder with its tab.
    QPainterPath back;
    back.moveTo(1.5, 15.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(6.0, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(13.5, 5.0);
    back.lineTo(13.5, 7.5);
    back.lineTo(1.5, 15.5);
    p.setPen(QPen(rgb(0x6A4800), 1.0));
    p.setBrush(vertical(3, 15, rgb(0xE0A820), rgb(0xB07A00)));
    p.drawPath(back);
    // Front flap tipped open.
    QPainterPath front;
    front.moveTo(1.5, 15.5);
    front.lineTo(4.5, 7.5);
    front.lineTo(16.5, 7.5);
    front.lineTo(13.5, 15.5);
    front.closeSubpath();
    p.setBrush(vertical(7, 16, rgb(0xFFE680), rgb(0xF0B818)));
    p.drawPath(front);
    p.end();
    return img;
}

QImage padSave(bool saveAs)
{
    QImage img = onBlack(18, 18);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawDiskette(p, saveAs);
    p.end();
    return img;
}

QImage padMin()
{
    QImage img = transparent(21, 21);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(8.0, 7.0), 13.0);
    g.setColorAt(0.0, rgb(0xF2F2FF));
    g.setColorAt(0.6, rgb(0xC8C8FF));
    g.setColorAt(1.0, rgb(0x9898E0));
    p.setPen(QPen(rgb(0x4A4A8C), 1.0));
    p.setBrush(g);
    p.drawEllipse(QRectF(0.5, 0.5, 20, 20));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0x24244C));
    p.drawRect(QRect(6, 13, 9, 3));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace skingen
