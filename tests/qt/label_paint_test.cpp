// A label paints its caption exactly as Qt's own text drawing would with the
// fitted font, however its text, font, box and alignment change between
// paints: the laid-out caption it keeps from one paint to the next must
// never outlive what it was laid out for.
#include "hosts/qt/fonts.h"
#include "hosts/qt/widgets.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <utility>
#include <gtest/gtest.h>

namespace tavrin::qt::test {
namespace {

rt::Font formFont(const char* name, double points, bool bold) {
    rt::Font f;
    f.Name = name;
    f.Size = points;
    f.Bold = bold;
    return f;
}

QImage painted(LabelWidget& label) {
    QImage image(label.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren); // over white, as the reference
    return image;
}

// What the label must look like: its caption drawn by Qt from scratch,
// shrunk to the box when the box has room for one line only.
QImage expected(const LabelWidget& label, const rt::Font& font, int alignment) {
    QImage image(label.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QFont designed = mappedFont(font);
    const bool oneLine = label.height() < 2 * QFontMetrics(designed).lineSpacing();
    p.setFont(oneLine ? shrunkToFit(designed, withoutMnemonics(label.text()), label.width()) : designed);
    p.setPen(Qt::black);
    const int horizontal = alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    p.drawText(label.rect(), horizontal | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, label.text());
    return image;
}

struct LabelPaint : ::testing::Test {
    LabelWidget label{nullptr};
    void SetUp() override {
        label.setColors(Qt::black, Qt::white, false);
        label.resize(105, 25);
    }
    void expectExact(const rt::Font& font, int alignment, const char* step) {
        const QImage got = painted(label);
        EXPECT_EQ(got, expected(label, font, alignment)) << step << ": \"" << label.text().toStdString() << "\"";
    }
};

TEST_F(LabelPaint, EachAlignmentAndFontDrawsAsQtDraws) {
    const rt::Font fonts[] = {formFont("Trebuchet MS", 12, true), formFont("MS Sans Serif", 8, false),
                              formFont("Arial", 14, true)};
    const char* texts[] = {"12:59:59 PM", "1:05:07 AM", "Tuesday", "&Alarm", "two words", "WWWWWWWWWWWW"};
    for (const rt::Font& font : fonts) {
        label.setFormFont(font);
        for (int alignment : {0, 1, 2}) {
            label.setAlignment(alignment);
            for (const char* text : texts) {
                label.setText(QString::fromLatin1(text));
                expectExact(font, alignment, "as set");
            }
        }
    }
}

TEST_F(LabelPaint, ChangesBetweenPaintsAreNeverPaintedStale) {
    rt::Font font = formFont("Trebuchet MS", 12, true);
    label.setFormFont(font);
    label.setAlignment(2);
    label.setText(QStringLiteral("1:00:00 AM"));
    expectExact(font, 2, "first paint");
    const int roomy = label.fittedFont().pixelSize();

    label.setText(QStringLiteral("12:00:00 AM 12:00"));
    expectExact(font, 2, "a longer text is fitted again");
    EXPECT_LT(label.fittedFont().pixelSize(), roomy);

    label.setText(QStringLiteral("1:00:01 AM"));
    expectExact(font, 2, "a shorter one takes the full size back");
    EXPECT_EQ(label.fittedFont().pixelSize(), roomy);

    font.Size = 9;
    label.setFormFont(font);
    expectExact(font, 2, "a new font");
    EXPECT_LT(label.fittedFont().pixelSize(), roomy);

    label.resize(60, 25);
    expectExact(font, 2, "a narrower box");
    label.setAlignment(1);
    expectExact(font, 1, "another alignment");
}

// A caption changing from one text to the next repaints only the part that
// changed: every pixel in which the two paintings differ must lie in it.
TEST_F(LabelPaint, APartRepaintCoversEveryChangedPixel) {
    struct Change {
        const char* from;
        const char* to;
        bool tick; // a clock's next second: its start stays where it was
    };
    const Change changes[] = {{"12:59:58 PM", "12:59:59 PM", true}, {"1:00:09 AM", "1:00:10 AM", true},
                              {"12:59:59 PM", "1:00:00 PM", false}, {"1:11:11 AM", "1:11:17 AM", false},
                              {"Tuesday", "Tue", false},           {"Tue", "Tuesday", false},
                              {"Wave", "WAVE", false},             {"11:11:11 AM", "11:11:11 PM", false},
                              {"ff", "fi", false}};
    for (const rt::Font& font : {formFont("Trebuchet MS", 12, true), formFont("MS Serif", 12, false)}) {
        label.setFormFont(font);
        rt::Font italic = font;
        italic.Italic = true;
        for (const rt::Font& f : {font, italic}) {
            label.setFormFont(f);
            for (int alignment : {0, 1, 2}) {
                label.setAlignment(alignment);
                for (const auto& [from, to, tick] : changes) {
                    label.setText(QString::fromLatin1(from));
                    const QImage before = painted(label);
                    const auto a = oneLineLayout(label.text(), label.fittedFont());
                    label.setText(QString::fromLatin1(to));
                    const QImage after = painted(label);
                    const auto b = oneLineLayout(label.text(), label.fittedFont());
                    const QRect part = a->font() == b->font()
                                           ? LabelWidget::changedPart(*a, *b, alignment, label.size())
                                           : label.rect();
                    int outside = 0;
                    for (int y = 0; y < before.height(); ++y)
                        for (int x = 0; x < before.width(); ++x)
                            outside += before.pixel(x, y) != after.pixel(x, y) && !part.contains(x, y);
                    EXPECT_EQ(outside, 0) << from << " -> " << to << " aligned " << alignment;
                    if (tick && !f.Italic) {
                        EXPECT_LT(part.width(), label.width()) << from << " -> " << to << ": only the end repaints";
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace tavrin::qt::test
