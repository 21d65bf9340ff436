// Peers follow the runtime: what the forms set reaches the widgets, at once
// for a shown window and at the next Show for a hidden one.
#include "support.h"

#include "hosts/qt/fonts.h"
#include "hosts/qt/widgets.h"

#include <QFontMetrics>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>

namespace tavrin::qt::test {
namespace {

struct PeerForm : rt::Form {
    PeerForm() : rt::Form("frmPeers") {
        setGeometryTwips(1500, 1200, 4500, 3000);
        pic.setGeometryTwips(300, 300, 3000, 1500);
        pic.BorderStyle(0);
        lbl.setGeometryTwips(150, 150, 1500, 300);
        lbl.Caption("first");
        edit.setGeometryTwips(0, 2000, 1500, 300);
        note.setGeometryTwips(0, 2000, 1500, 300);
        opt.setGeometryTwips(1600, 2000, 1215, 255);
    }
    rt::PictureBox pic{*this, "pic"};
    rt::Label lbl{pic, "lbl"};
    rt::TextBox edit{*this, "edit"};
    rt::Label note{*this, "note"}; // made after the text box it overlaps
    rt::OptionButton opt{*this, "opt"};
};
rt::FormRef<PeerForm> peerForm;

using PeersFollowRuntime = QtHostTest;

TEST_F(PeersFollowRuntime, HiddenWindowCatchesUpWhenShown) {
    PeerForm& f = peerForm.get();
    EXPECT_EQ(widgetOf(f.lbl), nullptr) << "a window loaded hidden makes its controls' widgets when first shown";

    f.lbl.Caption("while hidden");
    f.lbl.ForeColor(rt::RGB(255, 0, 0));
    f.lbl.setGeometryTwips(300, 150, 1500, 300);

    f.Show();
    auto* label = widget<LabelWidget>(f.lbl);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "while hidden");
    EXPECT_EQ(label->foreColor(), QColor(255, 0, 0));
    EXPECT_EQ(label->geometry(), QRect(20, 10, 100, 20));
    EXPECT_TRUE(label->isVisibleTo(widgetOf(f)));

    f.Hide();
    f.lbl.Caption("hidden again");
    f.lbl.Visible(false);
    EXPECT_EQ(label->text(), "while hidden") << "a hidden window's widgets must not be touched";
    f.Show();
    EXPECT_EQ(label->text(), "hidden again");
    EXPECT_FALSE(label->isVisibleTo(widgetOf(f)));
}

TEST_F(PeersFollowRuntime, ShownWindowFollowsAtOnce) {
    PeerForm& f = peerForm.get();
    f.Show();
    auto* label = widget<LabelWidget>(f.lbl);
    f.lbl.Caption("now");
    f.lbl.BackStyle(0);
    f.lbl.Alignment(rt::vbCenter);
    f.lbl.Move(0, 0, 750, 450);
    EXPECT_EQ(label->text(), "now");
    EXPECT_FALSE(label->opaque());
    EXPECT_EQ(label->alignment(), rt::vbCenter);
    EXPECT_EQ(label->geometry(), QRect(0, 0, 50, 30));

    f.edit.Enabled(false);
    EXPECT_FALSE(widgetOf(f.edit)->isEnabled());
    f.edit.ToolTipText("type here");
    EXPECT_EQ(widgetOf(f.edit)->toolTip(), "type here");
}

TEST_F(PeersFollowRuntime, WindowTakesPlaceOutlineAndVisibility) {
    PeerForm& f = peerForm.get();
    QWidget* window = widgetOf(f);
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(window->isVisible());
    f.Show();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(), QRect(100, 80, 300, 200));

    f.setRegion(QRegion(0, 0, 50, 40, QRegion::Ellipse));
    EXPECT_EQ(window->mask(), QRegion(0, 0, 50, 40, QRegion::Ellipse));
    f.setRegion(std::nullopt);
    EXPECT_TRUE(window->mask().isEmpty());

    f.Move(3000, 1500);
    EXPECT_EQ(window->pos(), QPoint(200, 100));
    f.Hide();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(PeersFollowRuntime, BorderedPictureBoxOffsetsItsChildren) {
    PeerForm& f = peerForm.get();
    f.Show();
    EXPECT_EQ(widgetOf(f.lbl)->pos(), QPoint(10, 10));
    f.pic.BorderStyle(1);
    EXPECT_EQ(widgetOf(f.lbl)->pos(), QPoint(12, 12));
    EXPECT_EQ(widgetOf(f.lbl)->parentWidget(), widgetOf(f.pic));
}

TEST_F(PeersFollowRuntime, PaintedControlsLieBeneathWindowedOnes) {
    PeerForm& f = peerForm.get();
    f.Show();
    const QObjectList& stack = widgetOf(f)->children(); // bottom to top
    EXPECT_LT(stack.indexOf(widgetOf(f.note)), stack.indexOf(widgetOf(f.edit)));
}

TEST_F(PeersFollowRuntime, OptionCaptionFitsItsBox) {
    PeerForm& f = peerForm.get();
    f.opt.Caption("Show seconds");
    f.Show();
    auto* button = widget<QRadioButton>(f.opt);
    const QStyle* style = button->style();
    const int room = button->width() - style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) -
                     style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
    const QFontMetrics fm(button->font());
    EXPECT_LE(fm.horizontalAdvance(button->text()), room);
}

TEST_F(PeersFollowRuntime, UnloadTakesTheWidgetsAway) {
    PeerForm& f = peerForm.get();
    f.Show();
    QPointer<QWidget> window = widgetOf(f);
    QPointer<QWidget> label = widgetOf(f.lbl);
    rt::Unload(f);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(label.isNull());

    // The next use loads a fresh window with fresh widgets.
    PeerForm& again = peerForm.get();
    again.Show();
    EXPECT_EQ(widget<LabelWidget>(again.lbl)->text(), "first");
}

TEST_F(PeersFollowRuntime, LabelFontFitsItsCaptionAndBoxAsTheyChange) {
    PeerForm& f = peerForm.get();
    rt::Font big;
    big.Name = "Arial";
    big.Size = 14;
    big.Bold = true;
    f.lbl.setFont(big);
    f.lbl.Caption("12:59:59 PM");
    f.lbl.setGeometryTwips(150, 150, 900, 420); // 60 x 28 pixels: one line, too narrow
    f.Show();
    auto* label = widget<LabelWidget>(f.lbl);
    ASSERT_NE(label, nullptr);
    const int full = mappedFont(big).pixelSize();

    const QFont narrow = label->fittedFont();
    EXPECT_LT(narrow.pixelSize(), full) << "shrunk to keep to one line";
    EXPECT_TRUE(narrow.bold());

    f.lbl.setGeometryTwips(150, 150, 3000, 420);
    EXPECT_EQ(label->fittedFont().pixelSize(), full) << "a wider box takes the designed size again";

    f.lbl.setGeometryTwips(150, 150, 900, 420);
    EXPECT_EQ(label->fittedFont().pixelSize(), narrow.pixelSize());
    f.lbl.Caption("12");
    EXPECT_EQ(label->fittedFont().pixelSize(), full) << "a short caption needs no shrinking";

    big.Size = 8;
    f.lbl.setFont(big);
    EXPECT_LT(label->fittedFont().pixelSize(), full) << "a new font is taken";
}

} // namespace
} // namespace tavrin::qt::test
