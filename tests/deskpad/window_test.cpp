// DeskPad's window: opening from the icon with the stored word wrap, the
// switch between its two boxes, its shortcuts, hiding and dragging, and its
// end with the program.
#include "clock/frmtray.h"
#include "clock/program.h"
#include "deskpad_test.h"

namespace {

using namespace tavrin;
using deskpadtest::DeskPadTest;
using headless::CallKind;

using DeskPadWindow = DeskPadTest;

QString lastFocus(const headless::HeadlessHost& host) {
    const auto focus = host.calls(CallKind::Focus);
    return focus.empty() ? QString() : focus.back().name;
}

TEST_F(DeskPadWindow, FirstOpeningShowsTheSkinnedPadWithoutWrap) {
    mypad_form& pad = open();
    EXPECT_TRUE(pad.Visible());
    EXPECT_EQ(pad.pixelRect(), QRect(655, 455, 362, 269));
    EXPECT_EQ(pad.BorderStyle(), 0);
    EXPECT_FALSE(pad.ShowInTaskbar());
    ASSERT_TRUE(pad.region().has_value());
    EXPECT_TRUE(pad.region()->contains(QPoint(180, 150)));
    EXPECT_FALSE(pad.region()->contains(QPoint(0, 0)));
    EXPECT_FALSE(pad.region()->contains(QPoint(1, 1))) << "the rounded corner is cut";
    EXPECT_FALSE(pad.region()->intersects(QRect(361, 0, 1, 269)));
    EXPECT_TRUE(pad.Text1.Visible());
    EXPECT_FALSE(pad.Text2.Visible());
    EXPECT_EQ(pad.Wrap.Value(), rt::vbUnchecked);
    EXPECT_EQ(lastFocus(host), "Text1");
    EXPECT_EQ(stored("padwrap"), "<missing>") << "opening without a stored choice writes none";
    EXPECT_EQ(pad.Text1.pixelRect(), QRect(8, 40, 345, 217));
    EXPECT_EQ(pad.Imgmin.ToolTipText(), "Minimize");
}

TEST_F(DeskPadWindow, StoredWrapTicksTheBoxAndFocusesTheWrappingBox) {
    store("padwrap", "1");
    mypad_form& pad = open();
    EXPECT_EQ(pad.Wrap.Value(), rt::vbChecked);
    EXPECT_TRUE(pad.Text2.Visible());
    EXPECT_FALSE(pad.Text1.Visible());
    EXPECT_EQ(pad.Text2.Text(), "");
    EXPECT_EQ(lastFocus(host), "Text2");
    EXPECT_EQ(stored("padwrap"), "1");

    // Opening again while open applies the stored choice again.
    store("padwrap", "0");
    open();
    EXPECT_EQ(pad.Wrap.Value(), rt::vbUnchecked);
    EXPECT_TRUE(pad.Text1.Visible());
    EXPECT_EQ(lastFocus(host), "Text1");
}

TEST_F(DeskPadWindow, StoredWrapThatIsNoBoxStateLeavesTheBoxAsItIs) {
    mypad_form& pad = open();
    for (int current : {rt::vbUnchecked, rt::vbChecked}) {
        pad.Wrap.Value(current);
        for (const char* junk : {"abc", "7", "70000", "-1", "2", "True", ""}) {
            store("padwrap", QString::fromLatin1(junk));
            open();
            EXPECT_EQ(pad.Wrap.Value(), current) << junk;
            EXPECT_EQ(pad.Text2.Visible(), current == rt::vbChecked) << junk;
            EXPECT_EQ(lastFocus(host), current == rt::vbChecked ? "Text2" : "Text1") << junk;
        }
    }
}

TEST_F(DeskPadWindow, TextSurvivesTheWrapSwitchAndEachSwitchIsStored) {
    mypad_form& pad = open();
    host.typeText(pad.Text1, "one\r\ntwo\rthree\n");
    host.click(pad.Wrap);
    EXPECT_TRUE(pad.Text2.Visible());
    EXPECT_EQ(pad.Text2.Text(), "one\r\ntwo\rthree\n");
    EXPECT_EQ(stored("padwrap"), "1");
    host.typeText(pad.Text2, "four");
    host.click(pad.Wrap);
    EXPECT_TRUE(pad.Text1.Visible());
    EXPECT_EQ(pad.Text1.Text(), "one\r\ntwo\rthree\nfour");
    EXPECT_EQ(stored("padwrap"), "0");
    EXPECT_EQ(lastFocus(host), "Text1") << "the switch moves no focus";
}

TEST_F(DeskPadWindow, CtrlSSavesAndCtrlMHidesInEitherBox) {
    mypad_form& pad = open();
    for (rt::TextBox* box : {&pad.Text1, &pad.Text2}) {
        host.clearCalls();
        for (int shift : {0, rt::vbShiftMask | rt::vbCtrlMask, rt::vbAltMask | rt::vbCtrlMask, rt::vbShiftMask})
            host.keyDown(*box, rt::vbKeyS, shift);
        EXPECT_EQ(dialogs(), 0) << "only Ctrl alone with S saves";
        host.keyDown(*box, rt::vbKeyS, rt::vbCtrlMask);
        ASSERT_EQ(dialogs(), 1);
        EXPECT_EQ(host.calls(CallKind::FileDialog)[0].text, "Save");
        EXPECT_TRUE(pad.Visible());
        EXPECT_EQ(host.keyDown(*box, rt::vbKeyM, rt::vbCtrlMask), rt::vbKeyM) << "the key goes on to the box";
        EXPECT_FALSE(pad.Visible());
        open();
    }
}

TEST_F(DeskPadWindow, HidingKeepsTextFilePlaceAndWrap) {
    mypad_form& pad = open();
    host.typeText(pad.Text1, "kept");
    pad.padfile = files.path("kept.txt");
    pad.Move(3000, 1500);
    host.click(pad.Imgmin);
    EXPECT_FALSE(pad.Visible());
    EXPECT_TRUE(mypad.IsLoaded());
    open();
    EXPECT_TRUE(pad.Visible());
    EXPECT_EQ(pad.Text1.Text(), "kept");
    EXPECT_EQ(pad.padfile, files.path("kept.txt"));
    EXPECT_EQ(pad.Left(), 3000);
    EXPECT_EQ(pad.Top(), 1500);
    host.dblClick(pad.padmainskin);
    EXPECT_FALSE(pad.Visible());
    EXPECT_EQ(host.count(CallKind::MessageBox), 0) << "hiding asks nothing";
}

TEST_F(DeskPadWindow, DragMovesByTheOffsetInTwipsAndOpensNoMenu) {
    mypad_form& pad = open();
    const double left = pad.Left(), top = pad.Top();
    host.mouseDown(pad.padmainskin, rt::vbRightButton, 0, 20, 10);
    host.mouseMove(pad.padmainskin, rt::vbRightButton, 0, 170, 40);
    EXPECT_EQ(pad.Left(), left + 150);
    EXPECT_EQ(pad.Top(), top + 30);
    host.mouseUp(pad.padmainskin, rt::vbRightButton, 0, 170, 40);
    EXPECT_EQ(host.count(CallKind::PopupMenu), 0);
    host.mouseMove(pad.padmainskin, 0, 0, 300, 300);
    EXPECT_EQ(pad.Left(), left + 150) << "no drag after the release";

    // Presses on the controls lying on the skin start no drag.
    for (rt::Control* c : std::initializer_list<rt::Control*>{&pad.Text1, &pad.Newimg, &pad.Wrap, &pad.Imgmin}) {
        host.mouseDown(*c, rt::vbLeftButton, 0, 1, 1);
        host.mouseMove(pad.padmainskin, rt::vbLeftButton, 0, 200, 200);
        EXPECT_EQ(pad.Left(), left + 150) << c->Name().toStdString();
    }
}

TEST_F(DeskPadWindow, HidingEndsADragWhoseReleaseNeverCame) {
    mypad_form& pad = open();
    const double left = pad.Left();
    host.mouseDown(pad.padmainskin, rt::vbLeftButton, 0, 20, 10);
    host.dblClick(pad.padmainskin); // hides before the release arrives
    open();
    host.mouseMove(pad.padmainskin, 0, 0, 120, 10);
    EXPECT_EQ(pad.Left(), left);
}

TEST_F(DeskPadWindow, ExitAndTheClocksUnloadCloseDeskPadWithoutAQuestion) {
    StartProgram();
    mypad_form& pad = open();
    host.typeText(pad.Text1, "never saved");
    ExitProgram();
    EXPECT_FALSE(mypad.IsLoaded());
    EXPECT_EQ(host.count(CallKind::MessageBox), 0);
    EXPECT_EQ(dialogs(), 0);
}

TEST_F(DeskPadWindow, TheClockWindowsUnloadClosesDeskPad) {
    StartProgram();
    open();
    rt::Unload(*frmtray);
    EXPECT_FALSE(mypad.IsLoaded());
}

TEST_F(DeskPadWindow, ExitWithDeskPadNeverOpenedNeverLoadsIt) {
    StartProgram();
    ExitProgram();
    for (const headless::Call& c : host.calls(CallKind::Attach))
        EXPECT_NE(c.owner, "mypad");
    EXPECT_FALSE(mypad.IsLoaded());
}

} // namespace
