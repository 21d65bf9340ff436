// A window hidden to the notification area takes a new size and outline while
// hidden and shows them when it is brought back; a label shows its text as
// typed, never as markup.
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
}

} // namespace
} // namespace tavrin::qt::test
