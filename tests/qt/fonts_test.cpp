// The stand-in fonts keep the designed texts inside their boxes.
#include "hosts/qt/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <gtest/gtest.h>

namespace tavrin::qt {
namespace {

rt::Font formFont(const char* name, double size, bool bold = false) {
    rt::Font f;
    f.Name = QString::fromLatin1(name);
    f.Size = size;
    f.Bold = bold;
    return f;
}

TEST(FontMapping, FormFontsBecomeInstalledFamilies) {
    const QStringList installed = QFontDatabase::families();
    for (const char* name : {"MS Sans Serif", "Trebuchet MS", "MS Serif", "Arial"}) {
        const QString family = mappedFamily(QString::fromLatin1(name));
        EXPECT_TRUE(installed.contains(family, Qt::CaseInsensitive)) << name << " -> " << family.toStdString();
        EXPECT_EQ(QFontInfo(mappedFont(formFont(name, 10), 96)).family(), family) << name;
    }
    EXPECT_EQ(mappedFamily("ms sans serif"), mappedFamily("MS Sans Serif"));
}

TEST(FontMapping, PointsBecomePixelsAtTheGivenDpi) {
    EXPECT_EQ(mappedFont(formFont("MS Sans Serif", 8.25), 96).pixelSize(), 11);
    EXPECT_EQ(mappedFont(formFont("Arial", 12), 120).pixelSize(), 20);
    EXPECT_TRUE(mappedFont(formFont("Arial", 12, true), 96).bold());
}

TEST(FontMapping, ClockTimeFitsItsLabelAtEveryDpi) {
    // The clock's label is 1575 twips wide: 105 pixels at 96 dpi.
    for (double dpi : {96.0, 120.0, 144.0}) {
        const QFont f = mappedFont(formFont("Trebuchet MS", 12, true), dpi);
        const int box = int(1575 * dpi / 1440);
        EXPECT_LE(QFontMetrics(f).horizontalAdvance("12:59:59 PM"), box) << dpi << " dpi";
        EXPECT_GE(f.pixelSize(), int(12 * dpi / 72 * 0.8)) << "shrunk no further than needed";
    }
}

TEST(FontMapping, ShrinkingStopsWhereTheTextFits) {
    const QFont f = mappedFont(formFont("MS Sans Serif", 8.25), 96);
    const QString caption = "Show seconds in the tray";
    const int wide = QFontMetrics(f).horizontalAdvance(caption);
    EXPECT_EQ(shrunkToFit(f, caption, wide).pixelSize(), f.pixelSize());
    const QFont smaller = shrunkToFit(f, caption, wide - 10);
    EXPECT_LT(smaller.pixelSize(), f.pixelSize());
    EXPECT_LE(QFontMetrics(smaller).horizontalAdvance(caption), wide - 10);
    EXPECT_GE(shrunkToFit(f, caption, 1).pixelSize(), f.pixelSize() * 3 / 4) << "never unreadably small";
}

TEST(FontMapping, MnemonicsAreNotMeasured) {
    EXPECT_EQ(withoutMnemonics("&Dual Time"), "Dual Time");
    EXPECT_EQ(withoutMnemonics("Save && E&xit"), "Save & Exit");
    EXPECT_EQ(withoutMnemonics("trailing&"), "trailing&");
}

} // namespace
} // namespace tavrin::qt
