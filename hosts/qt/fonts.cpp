#include "hosts/qt/fonts.h"

#include "runtime/forms/runtime.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace tavrin::qt {
namespace {

// First installed candidate wins. Liberation Sans keeps Arial's metrics, and
// its vertical metrics sit the clock's digits where Trebuchet put them.
struct Face {
    const char* formName;
    const char* candidates[3];
};
constexpr Face kFaces[] = {
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans", "Noto Sans"}},
    {"Arial", {"Liberation Sans", "DejaVu Sans", "Noto Sans"}},
    {"Trebuchet MS", {"Liberation Sans", "Noto Sans", "DejaVu Sans"}},
    {"MS Serif", {"Liberation Serif", "DejaVu Serif", "Noto Serif"}},
};

// Texts the windows were laid out around, with the width their box has.
// A family that runs wider than the original is scaled down until each fits.
struct Fit {
    const char* formName;
    double points;
    bool bold;
    const char* text;
    int widthTwips;
};
constexpr Fit kFits[] = {
    {"Trebuchet MS", 12, true, "12:59:59 PM", 1575},
};

// The forms' own scale, in which their controls are laid out on the pictures:
// a font sized at the screen's density would outgrow its box wherever the
// pictures are not scaled with it.
double formsDpi() { return 1440.0 / rt::Screen.TwipsPerPixelY(); }

double pixelsFor(double points, double dpi) { return points * dpi / 72.0; }

// How much a form font's size is scaled at this DPI (1 when it fits as is).
double scaleFor(const QString& formName, double dpi) {
    static QHash<QString, double> cache;
    const QString key = formName.toLower() + QLatin1Char('@') + QString::number(dpi);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    double scale = 1.0;
    for (const Fit& fit : kFits) {
        if (formName.compare(QLatin1String(fit.formName), Qt::CaseInsensitive) != 0)
            continue;
        const double px = pixelsFor(fit.points, dpi);
        QFont f(mappedFamily(formName));
        f.setBold(fit.bold);
        const int box = int(std::floor(fit.widthTwips * dpi / 1440.0));
        int size = int(std::lround(px));
        for (; size > 1; --size) {
            f.setPixelSize(size);
            if (QFontMetrics(f).horizontalAdvance(QLatin1String(fit.text)) <= box)
                break;
        }
        scale = std::min(scale, size / px);
    }
    cache.insert(key, scale);
    return scale;
}

} // namespace

QString mappedFamily(const QString& formFontName) {
    static QHash<QString, QString> cache;
    const QString key = formFontName.toLower();
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QString family = formFontName;
    for (const Face& face : kFaces) {
        if (key != QString::fromLatin1(face.formName).toLower())
            continue;
        const QStringList installed = QFontDatabase::families();
        for (const char* candidate : face.candidates) {
            if (installed.contains(QLatin1String(candidate), Qt::CaseInsensitive)) {
                family = QLatin1String(candidate);
                break;
            }
        }
        break;
    }
    cache.insert(key, family);
    return family;
}

QFont mappedFont(const rt::Font& font) { return mappedFont(font, formsDpi()); }

QFont mappedFont(const rt::Font& font, double dpi) {
    QFont f(mappedFamily(font.Name));
    const double px = pixelsFor(font.Size, dpi) * scaleFor(font.Name, dpi);
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    return f;
}

QString withoutMnemonics(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

QFont shrunkToFit(const QFont& font, const QString& text, int widthPx) {
    return shrunkUntil(font, [&](const QFont& f) { return QFontMetrics(f).horizontalAdvance(text) <= widthPx; });
}

QFont shrunkUntil(const QFont& font, const std::function<bool(const QFont&)>& fits) {
    QFont f = font;
    const int original = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
    const int floor = std::max(1, (original * 3 + 3) / 4);
    for (int size = original; size >= floor; --size) {
        f.setPixelSize(size);
        if (fits(f))
            break;
    }
    return f;
}

} // namespace tavrin::qt
