// Self-check of the written pictures, above all the outlines windows are cut from.
#include "skingen.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace skingen {

namespace {

struct Checker {
    QString dir;
    int faults = 0;

    void fail(const QString& file, const QString& what)
    {
        std::fprintf(stderr, "FAIL %s: %s\n", qPrintable(file), qPrintable(what));
        ++faults;
    }

    // PNG colour type from the IHDR chunk: 2 is RGB, 6 is RGBA.
    int pngColourType(const QString& file)
    {
        QFile f(QDir(dir).filePath(file));
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray head = f.read(26);
        if (head.size() < 26 || !head.startsWith("\x89PNG") || head.mid(12, 4) != "IHDR")
            return -1;
        if (head.at(24) != 8)
            return -2;  // only 8 bits per channel are expected
        return head.at(25);
    }

    QImage load(const QString& file, int w, int h, int colourType)
    {
        QImage img(QDir(dir).filePath(file));
        if (img.isNull()) {
            fail(file, QStringLiteral("missing or unreadable"));
            return {};
        }
        if (img.width() != w || img.height() != h)
            fail(file, QStringLiteral("size %1x%2, want %3x%4")
                           .arg(img.width()).arg(img.height()).arg(w).arg(h));
        const int type = pngColourType(file);
        if (type != colourType)
            fail(file, QStringLiteral("PNG colour type %1, want %2").arg(type).arg(colourType));
        return img;
    }

    // Returns the opaque span of every row (empty when the row is all key).
    Outline skin(const QString& file, int w, int h, int wantRows)
    {
        const QImage img = load(file, w, h, 2);
        if (img.isNull() || img.width() != w || img.height() != h)
            return {};
        if (img.pixel(0, 0) != kKey)
            fail(file, QStringLiteral("pixel (0,0) is not white"));
        for (int x = 0; x < w; ++x)
            if (img.pixel(x, 0) != kKey || img.pixel(x, h - 1) != kKey)
                fail(file, QStringLiteral("top/bottom border not white at x=%1").arg(x));
        for (int y = 0; y < h; ++y)
            if (img.pixel(0, y) != kKey || img.pixel(w - 1, y) != kKey)
                fail(file, QStringLiteral("left/right border not white at y=%1").arg(y));

        Outline rows(static_cast<size_t>(h));
        int opaqueRows = 0;
        for (int y = 0; y < h; ++y) {
            int runs = 0;
            bool inRun = false;
            for (int x = 0; x < w; ++x) {
                const bool opaque = img.pixel(x, y) != kKey;
                if (opaque && !inRun) {
                    ++runs;
                    rows[static_cast<size_t>(y)].x0 = x;
                }
                if (opaque)
                    rows[static_cast<size_t>(y)].x1 = x;
                inRun = opaque;
            }
            if (runs > 1)
                fail(file, QStringLiteral("row %1 has %2 opaque runs").arg(y).arg(runs));
            if (runs > 0)
                ++opaqueRows;
        }
        if (opaqueRows != wantRows)
            fail(file, QStringLiteral("%1 opaque rows, want %2").arg(opaqueRows).arg(wantRows));
        return rows;
    }

    // Faces and the options dialog: rows 1..h-2, full width 1..w-2 away from the corners.
    void roundedSkin(const QString& file, int w, int h, int wantRows)
    {
        const Outline rows = skin(file, w, h, wantRows);
        if (rows.empty())
            return;
        const Span first = rows[1];
        const Span last = rows[static_cast<size_t>(h - 2)];
        const Span middle = rows[static_cast<size_t>(h / 2)];
        if (first.empty() || last.empty())
            fail(file, QStringLiteral("row 1 or row h-2 is empty"));
        if (middle.x0 != 1 || middle.x1 != w - 2)
            fail(file, QStringLiteral("middle row spans %1..%2").arg(middle.x0).arg(middle.x1));
        // Rounded: the rows at the very top and bottom must be shorter.
        if (first.x0 <= 1 || first.x1 >= w - 2 || last.x0 <= 1 || last.x1 >= w - 2)
            fail(file, QStringLiteral("corners are not rounded"));
    }

    void padSkin()
    {
        const QString file = QStringLiteral("padskin.png");
        const Outline rows = skin(file, 362, 269, 263);
        if (rows.empty())
            return;
        const int cut[5] = {5, 3, 2, 1, 1};
        for (int y = 1; y <= 263; ++y) {
            int in = 0;
            if (y - 1 < 5)
                in = cut[y - 1];
            if (263 - y < 5)
                in = cut[263 - y];
            const Span s = rows[static_cast<size_t>(y)];
            if (s.x0 != 1 + in || s.x1 != 357 - in)
                fail(file, QStringLiteral("row %1 spans %2..%3, want %4..%5")
                               .arg(y).arg(s.x0).arg(s.x1).arg(1 + in).arg(357 - in));
        }
        const QImage img(QDir(dir).filePath(file));
        for (int y = 1; y <= 34; ++y)
            for (int x = rows[static_cast<size_t>(y)].x0; x <= rows[static_cast<size_t>(y)].x1; ++x)
                if (img.pixel(x, y) != qRgb(0, 0, 0))
                    fail(file, QStringLiteral("toolbar band not black at %1,%2").arg(x).arg(y));
        if (img.pixel(100, 150) != qRgb(192, 192, 255) || img.pixel(1, 150) != qRgb(0, 0, 0) ||
            img.pixel(357, 150) != qRgb(0, 0, 0) || img.pixel(100, 263) != qRgb(0, 0, 0))
            fail(file, QStringLiteral("paper colour or black edge wrong"));
    }

    void picture(const QString& file, int w, int h, bool alpha)
    {
        const QImage img = load(file, w, h, alpha ? 6 : 2);
        if (img.isNull() || !alpha)
            return;
        if (qAlpha(img.pixel(0, 0)) != 0 || qAlpha(img.pixel(w - 1, h - 1)) != 0)
            fail(file, QStringLiteral("corners are not transparent"));
    }
};

}  // namespace

int checkDir(const QString& dir)
{
    Checker c{dir};
    c.roundedSkin(QStringLiteral("skin1A.png"), 159, 40, 38);
    c.roundedSkin(QStringLiteral("skin1B.png"), 304, 40, 38);
    c.roundedSkin(QStringLiteral("skin2A.png"), 160, 43, 41);
    c.roundedSkin(QStringLiteral("skin2B.png"), 304, 43, 41);
    c.roundedSkin(QStringLiteral("optskin.png"), 371, 386, 384);
    c.padSkin();

    c.picture(QStringLiteral("reminder.png"), 396, 194, false);
    const QImage reminder(QDir(dir).filePath(QStringLiteral("reminder.png")));
    if (!reminder.isNull() && reminder.pixel(0, 0) != qRgb(54, 54, 54))
        c.fail(QStringLiteral("reminder.png"), QStringLiteral("top-left pixel is not 54,54,54"));
    c.picture(QStringLiteral("trayicon1.png"), 32, 32, true);
    c.picture(QStringLiteral("trayicon2.png"), 32, 32, true);
    c.picture(QStringLiteral("bulb32.png"), 32, 32, true);
    c.picture(QStringLiteral("bulb16.png"), 16, 16, true);
    c.picture(QStringLiteral("speaker.png"), 16, 16, true);
    for (const char* name : {"padnew.png", "padopen.png", "padsave.png", "padsaveas.png"})
        c.picture(QString::fromLatin1(name), 18, 18, false);
    c.picture(QStringLiteral("padmin.png"), 21, 21, true);

    if (c.faults == 0)
        std::printf("skingen: all pictures in %s check out\n", qPrintable(dir));
    return c.faults;
}

}  // namespace skingen
