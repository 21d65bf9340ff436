// Input reaches the runtime: mouse events as the forms expect them, option
// buttons decided by the runtime, and the catch-up move of a window drag.
#include "support.h"

#include <QCheckBox>
#include <QCursor>
#include <QRadioButton>
#include <QTest>

namespace tavrin::qt::test {
namespace {

struct Event {
    QString what;
    int button = 0, shift = 0;
    float x = 0, y = 0;
    bool operator==(const Event&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Event& e) {
    return os << e.what.toStdString() << "(" << e.button << "," << e.shift << "," << e.x << "," << e.y << ")";
}

struct InputForm : rt::Form {
    InputForm() : rt::Form("frmInput") {
        setGeometryTwips(1500, 1500, 6000, 4500); // 100,100 400x300
        pic.BorderStyle(0);
        pic.setGeometryTwips(300, 300, 3000, 1500); // 20,20 200x100
        lblTime.setGeometryTwips(300, 300, 1500, 300); // 20,20 in the picture
        imgBell.setGeometryTwips(300, 900, 480, 480);
        lblQuiet.setGeometryTwips(300, 900, 1500, 300);
        fra.setGeometryTwips(300, 2100, 3000, 1200);
        opt1.setGeometryTwips(150, 150, 1500, 300);
        opt2.setGeometryTwips(150, 600, 1500, 300);
        chk.setGeometryTwips(3600, 2100, 1500, 300);
        const auto record = [this](const char* what) {
            return [this, what](int b, int s, float x, float y) { events.push_back({what, b, s, x, y}); };
        };
        pic.MouseDown = record("pic down");
        pic.MouseUp = record("pic up");
        pic.Click = [this] { events.push_back({"pic click"}); };
        pic.DblClick = [this] { events.push_back({"pic dblclick"}); };
        lblTime.Click = [this] { events.push_back({"lbl click"}); };
        imgBell.MouseDown = record("img down");
        opt1.Click = [this] { ++opt1Clicks; };
        opt2.Click = [this] { ++opt2Clicks; };
        chk.Click = [this] { ++chkClicks; };
    }
    rt::PictureBox pic{*this, "pic"};
    rt::Label lblTime{pic, "lblTime"};
    rt::Image imgBell{pic, "imgBell"};
    rt::Label lblQuiet{pic, "lblQuiet"}; // answers nothing, lies over the image
    rt::Frame fra{*this, "fra"};
    rt::OptionButton opt1{fra, "opt1"};
    rt::OptionButton opt2{fra, "opt2"};
    rt::CheckBox chk{*this, "chk"};
    std::vector<Event> events;
    int opt1Clicks = 0, opt2Clicks = 0, chkClicks = 0;
};
rt::FormRef<InputForm> inputForm;

// Points in the window, where the window system would deliver them.
QWindow* windowOf(rt::Form& f) { return widgetOf(f)->windowHandle(); }

using InputReachesRuntime = QtHostTest;

TEST_F(InputReachesRuntime, OptionButtonsAreDecidedByTheRuntime) {
    InputForm& f = inputForm.get();
    f.Show();
    auto* b1 = widget<QRadioButton>(f.opt1);
    auto* b2 = widget<QRadioButton>(f.opt2);

    // Anywhere on the control counts, not just on the dot.
    QTest::mouseClick(b1, Qt::LeftButton, {}, b1->rect().center());
    EXPECT_TRUE(f.opt1.Value());
    EXPECT_EQ(f.opt1Clicks, 1);
    EXPECT_TRUE(b1->isChecked());

    QTest::mouseClick(b2, Qt::LeftButton, {}, b2->rect().center());
    EXPECT_FALSE(f.opt1.Value());
    EXPECT_FALSE(b1->isChecked());
    EXPECT_TRUE(f.opt2.Value());
    EXPECT_EQ(f.opt2Clicks, 1);

    // A second click on the chosen one leaves it chosen, as the runtime says.
    QTest::mouseClick(b2, Qt::LeftButton, {}, b2->rect().center());
    EXPECT_TRUE(b2->isChecked());
    EXPECT_EQ(f.opt1Clicks, 1);

    // Chosen by code: the widget follows, down to a group with none chosen.
    f.opt1.Value(true);
    EXPECT_TRUE(b1->isChecked());
    EXPECT_FALSE(b2->isChecked());
    f.opt1.Value(false);
    EXPECT_FALSE(b1->isChecked());
}

TEST_F(InputReachesRuntime, CheckBoxTogglesThroughTheRuntime) {
    InputForm& f = inputForm.get();
    f.Show();
    auto* box = widget<QCheckBox>(f.chk);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    EXPECT_EQ(f.chk.Value(), rt::vbChecked);
    EXPECT_EQ(f.chkClicks, 1);
    f.chk.Value(rt::vbGrayed);
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
}

TEST_F(InputReachesRuntime, PressOnLabelReachesTheLabelNotThePictureBeneath) {
    InputForm& f = inputForm.get();
    f.Show();
    QTest::mouseClick(windowOf(f), Qt::LeftButton, {}, QPoint(50, 50)); // on lblTime
    EXPECT_EQ(f.events, std::vector<Event>{{"lbl click"}});
}

TEST_F(InputReachesRuntime, QuietLabelLetsThePressThroughToWhatLiesBeneath) {
    InputForm& f = inputForm.get();
    f.Show();
    // On lblQuiet and the image beneath it: 5,10 in the image.
    QTest::mousePress(windowOf(f), Qt::LeftButton, {}, QPoint(45, 90));
    QTest::mouseRelease(windowOf(f), Qt::LeftButton, {}, QPoint(45, 90));
    EXPECT_EQ(f.events, (std::vector<Event>{{"img down", 1, 0, 5.0f * tpp(), 10.0f * tpp()}}));

    // Past the image's edge, the label still lets it through: to the picture.
    f.events.clear();
    QTest::mouseClick(windowOf(f), Qt::LeftButton, {}, QPoint(80, 90));
    const float x = 60.0f * tpp(), y = 70.0f * tpp();
    EXPECT_EQ(f.events, (std::vector<Event>{{"pic down", 1, 0, x, y}, {"pic up", 1, 0, x, y}, {"pic click"}}));
}

TEST_F(InputReachesRuntime, ButtonsShiftAndDoubleClicks) {
    InputForm& f = inputForm.get();
    f.Show();
    const QPoint p(150, 100); // 130,80 in pic
    const float x = 130.0f * tpp(), y = 80.0f * tpp();
    QTest::mouseClick(windowOf(f), Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, p);
    EXPECT_EQ(f.events, (std::vector<Event>{{"pic down", 2, 3, x, y}, {"pic up", 2, 3, x, y}}))
        << "the right button clicks nothing";

    f.events.clear();
    QTest::mouseDClick(windowOf(f), Qt::LeftButton, {}, p);
    EXPECT_EQ(f.events, (std::vector<Event>{{"pic down", 1, 0, x, y},
                                            {"pic up", 1, 0, x, y},
                                            {"pic click"},
                                            {"pic down", 1, 0, x, y},
                                            {"pic dblclick"},
                                            {"pic up", 1, 0, x, y}}));
}

TEST_F(InputReachesRuntime, MovedWindowTellsTheHeldControlWhereThePointerIs) {
    InputForm& f = inputForm.get();
    std::vector<QPointF> moves;
    f.pic.MouseMove = [&](int, int, float x, float y) { moves.emplace_back(x, y); };
    f.Show();
    // Moves the window under the still pointer, as a drag handler does.
    std::size_t movesInHandler = 99;
    f.pic.MouseDown = [&](int, int, float, float) {
        f.Move(f.Left() + 40 * tpp(), f.Top());
        movesInHandler = moves.size();
    };

    QCursor::setPos(250, 200); // 130,80 in pic
    QCoreApplication::processEvents();
    moves.clear();
    QTest::mousePress(windowOf(f), Qt::LeftButton, {}, QPoint(150, 100));
    QCoreApplication::processEvents();
    EXPECT_EQ(movesInHandler, 0u) << "the catch-up is posted, never nested in the handler";
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves.front(), QPointF(90.0 * tpp(), 80.0 * tpp()));
    QTest::mouseRelease(windowOf(f), Qt::LeftButton, {}, QPoint(110, 100));
}

struct StubbornForm : rt::Form {
    StubbornForm() : rt::Form("frmStubborn") { setGeometryTwips(0, 0, 1500, 1500); }
    void userClose() override { ++closeRequests; }
    int closeRequests = 0;
};
rt::FormRef<StubbornForm> stubbornForm;

TEST_F(InputReachesRuntime, WindowManagerCloseIsTheFormsToDecide) {
    StubbornForm& f = stubbornForm.get();
    f.Show();
    widgetOf(f)->close();
    EXPECT_EQ(f.closeRequests, 1);
    EXPECT_TRUE(widgetOf(f)->isVisible()) << "the form chose to stay";

    InputForm& plain = inputForm.get();
    plain.Show();
    widgetOf(plain)->close();
    EXPECT_FALSE(inputForm.IsLoaded()) << "a form that does not object unloads";
}

} // namespace
} // namespace tavrin::qt::test
