// A window hidden to the notification area takes a new size and outline while
// hidden and shows them when it is brought back; a label shows its text as
// typed, never as markup (nor, where it shows the user's text, access keys).
#include "support.h"

#include "hosts/qt/widgets.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>

namespace tavrin::qt::test {
namespace {

struct FaceForm : rt::Form {
    FaceForm() : rt::Form("frmFace") {
        BorderStyle(0);
        setGeometryTwips(1500, 1500, 159 * 15, 40 * 15);
        message.setGeometryTwips(0, 0, 159 * 15, 40 * 15);
    }
    rt::Label message{*this, "message"};
};
rt::FormRef<FaceForm> faceForm;

using HiddenFace = QtHostTest;

TEST_F(HiddenFace, ANewFaceWhileMinimisedAndHiddenShowsWhenRestored) {
    FaceForm& f = faceForm.get();
    f.Show();
    f.WindowState(rt::vbMinimized);
    f.Hide();

    f.setGeometryTwips(f.leftTwips(), f.topTwips(), 304 * tpp(), 40 * tpp());
    f.setRegion(QRegion(1, 1, 302, 38));

    f.WindowState(rt::vbNormal);
    f.Show();
    QWidget* w = widgetOf(f);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->size(), QSize(304, 40));
    EXPECT_EQ(w->mask(), QRegion(1, 1, 302, 38));
}

// Inked columns of a label's painting.
int inkWidth(LabelWidget& label) {
    QImage image(label.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    label.render(&image);
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right < left ? 0 : right - left + 1;
}

TEST_F(HiddenFace, ALabelShowsMarkupAsTyped) {
    FaceForm& f = faceForm.get();
    f.message.ForeColor(rt::vbBlack);
    f.message.BackStyle(0);
    f.Show();
    auto* label = widget<LabelWidget>(f.message);
    ASSERT_NE(label, nullptr);
    f.message.Caption("x");
    const int plain = inkWidth(*label);
    f.message.Caption("<b>x</b>");
    EXPECT_GT(inkWidth(*label), 3 * plain) << "the tags are shown, not taken as markup";

    // '&' in the user's own text is fitted and drawn as "&&" where it marks
    // access keys: a clock's name, a wrapped message.
    f.message.setFont(rt::Font{.Name = "MS Serif", .Size = 9.75, .Bold = true});
    for (auto [w, h, text] : {std::tuple{33, 17, "W&W"}, {159, 60, "Tea & biscuits & cake & jam"}}) {
        f.message.Move(0, 0, w * tpp(), h * tpp());
        f.message.Caption(QString(text).replace("&", "&&"));
        const QImage marked = label->grab().toImage();
        f.message.UseMnemonic(false);
        f.message.Caption(text);
        EXPECT_EQ(label->grab().toImage(), marked) << text;
        f.message.UseMnemonic(true);
    }
}

} // namespace
} // namespace tavrin::qt::test
