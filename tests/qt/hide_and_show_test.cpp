// Controls and windows that the program hides: a hidden control's widget
// waits until it shows again, and a window minimised and hidden at once is
// hidden only, so that showing it brings it back.
#include "support.h"

#include "hosts/qt/widgets.h"

namespace tavrin::qt::test {
namespace {

struct HidingForm : rt::Form {
    HidingForm() : rt::Form("frmHiding") {
        setGeometryTwips(1500, 1500, 3000, 1500);
        lbl.setGeometryTwips(150, 150, 1500, 300);
        lbl.Caption("first");
    }
    void Form_Resize() override {
        if (WindowState() == rt::vbMinimized)
            Hide();
    }
    rt::Label lbl{*this, "lbl"};
};
rt::FormRef<HidingForm> hidingForm;

using HideAndShow = QtHostTest;

TEST_F(HideAndShow, AHiddenControlsWidgetCatchesUpWhenItShows) {
    HidingForm& f = hidingForm.get();
    f.Show();
    auto* label = widget<LabelWidget>(f.lbl);
    ASSERT_NE(label, nullptr);

    f.lbl.Visible(false);
    EXPECT_TRUE(label->isHidden());
    f.lbl.Caption("while hidden");
    f.lbl.setGeometryTwips(300, 150, 1500, 300);
    EXPECT_EQ(label->text(), "first") << "a hidden control costs its widget nothing";

    f.lbl.Visible(true);
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(label->text(), "while hidden");
    EXPECT_EQ(label->geometry(), QRect(20, 10, 100, 20));
    f.lbl.Caption("shown");
    EXPECT_EQ(label->text(), "shown") << "a shown control's widget follows at once";
}

TEST_F(HideAndShow, MinimisedAndHiddenAtOnceComesBackWhenShown) {
    HidingForm& f = hidingForm.get();
    f.Show();
    QWidget* w = widgetOf(f);
    ASSERT_NE(w, nullptr);

    f.WindowState(rt::vbMinimized); // its resize handler hides it
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->windowState() & Qt::WindowMinimized) << "hidden, not also iconified";

    f.WindowState(rt::vbNormal);
    f.Show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(w->geometry(), QRect(100, 100, 200, 100)) << "at the same place";
}

} // namespace
} // namespace tavrin::qt::test
