// The clock window's mouse: the drag, hiding by double-click, the names, the
// right-button menu and the notification icon's messages.
#include "clock/allopt.h"
#include "clock/program.h"
#include "clock/clock_scenario.h"
#include "deskpad/mypad.h"
#include "runtime/system/shell.h"

namespace {

using namespace tavrin;
using headless::CallKind;
using rt::vbLeftButton;
using rt::vbMiddleButton;
using rt::vbRightButton;

class ClockMouse : public testsupport::ClockScenario {
protected:
    void SetUp() override { StartProgram(); }
    QPointF place() { return {frmtray->Left(), frmtray->Top()}; }
    void doubleClick(rt::Control& c) {
        host.mouseDown(c, vbLeftButton, 0, 20, 10);
        host.mouseUp(c, vbLeftButton, 0, 20, 10);
        host.mouseDown(c, vbLeftButton, 0, 20, 10);
        host.dblClick(c);
        // The second release goes to a window that is no longer there.
    }
};

TEST_F(ClockMouse, EachMoveAddsThePixelOffsetToTheTwipsPlace) {
    frmtray_form& f = *frmtray;
    ASSERT_EQ(place(), QPointF(6960, 2520));
    host.mouseDown(f.picMainSkin, vbLeftButton, 0, 10, 10);
    host.mouseMove(f.picMainSkin, vbLeftButton, 0, 160, 10);
    EXPECT_EQ(place(), QPointF(7110, 2520)) << "150 pixels move the window 150 twips";
    host.mouseMove(f.picMainSkin, vbLeftButton, 0, 160, 10);
    EXPECT_EQ(place(), QPointF(7260, 2520)) << "the pointer is still 150 pixels from the grab point";
    host.mouseMove(f.picMainSkin, vbLeftButton, 0, 5, -20);
    EXPECT_EQ(place(), QPointF(7260, 2490)) << "the window lies on whole pixels: 5 twips left are none";
    host.mouseUp(f.picMainSkin, vbLeftButton, 0, 5, -20);
    host.mouseMove(f.picMainSkin, 0, 0, 100, 100);
    EXPECT_EQ(place(), QPointF(7260, 2490)) << "the release ended the drag";
    EXPECT_EQ(popups(), 0) << "a left release opens no menu";
}

TEST_F(ClockMouse, TheTimesDragTooTheNamesDoNot) {
    frmtray_form& f = *frmtray;
    host.mouseDown(f.l2, vbMiddleButton, rt::vbShiftMask, 3, 4);
    host.mouseMove(f.l2, vbMiddleButton, 0, 13, 4);
    EXPECT_EQ(place(), QPointF(6975, 2520)) << "10 twips move it to the nearest pixel";
    host.mouseUp(f.l2, vbMiddleButton, 0, 13, 4);

    host.mouseDown(f.ltime2, vbLeftButton, 0, 3, 4);
    host.mouseMove(f.ltime2, vbLeftButton, 0, 50, 40);
    host.mouseMove(f.picMainSkin, vbLeftButton, 0, 50, 40);
    host.mouseUp(f.ltime2, vbRightButton, 0, 50, 40);
    EXPECT_EQ(place(), QPointF(6975, 2520)) << "a name neither drags nor ends up in a drag";
    EXPECT_EQ(popups(), 0) << "nor opens the menu";

    // A second press during a drag takes a new grab point.
    host.mouseDown(f.picMainSkin, vbLeftButton, 0, 10, 10);
    host.mouseDown(f.l1, vbRightButton, 0, 40, 10);
    host.mouseMove(f.l1, vbLeftButton | vbRightButton, 0, 41, 12);
    EXPECT_EQ(place(), QPointF(6975, 2520)) << "1 and 2 twips more stay on the same pixel";
}

TEST_F(ClockMouse, RightReleaseOpensTheMenuAtThePointerAfterTheDrag) {
    frmtray_form& f = *frmtray;
    host.mouseDown(f.picMainSkin, vbRightButton, 0, 10, 10);
    host.mouseUp(f.picMainSkin, vbRightButton, 0, 10, 10);
    EXPECT_EQ(place(), QPointF(6960, 2520));
    ASSERT_EQ(popups(), 1);
    EXPECT_EQ(host.calls(CallKind::PopupMenu)[0].name, "mnufile");
    EXPECT_EQ(host.calls(CallKind::PopupMenu)[0].owner, "frmtray");

    host.choosePopupItem("mnuopt");
    host.mouseDown(f.l2, vbRightButton, 0, 10, 10);
    host.mouseMove(f.l2, vbRightButton, 0, 40, 10);
    host.mouseUp(f.l2, vbRightButton, 0, 40, 10);
    EXPECT_EQ(place(), QPointF(6990, 2520)) << "a right drag moves the window first";
    EXPECT_EQ(popups(), 2);
    EXPECT_TRUE(allopt->Visible()) << "the item chosen in that menu ran";
}

TEST_F(ClockMouse, DoubleClickHidesTheClockAndEndsItsDrag) {
    frmtray_form& f = *frmtray;
    doubleClick(f.picMainSkin);
    EXPECT_FALSE(clockShown());
    EXPECT_EQ(mnufrm->mnumin.Caption(), "Restore");
    ASSERT_NE(host.trayIcon(1), nullptr);
    EXPECT_TRUE(host.trayIcon(1)->present) << "the icon stays";

    choose(mnufrm->mnumin);
    EXPECT_TRUE(clockShown());
    EXPECT_EQ(place(), QPointF(6960, 2520));
    // The pointer passes over the face with no button held.
    host.mouseMove(f.picMainSkin, 0, 0, 90, 30);
    EXPECT_EQ(place(), QPointF(6960, 2520)) << "the clock must not follow a pointer with no button held";

    doubleClick(f.l2);
    EXPECT_FALSE(clockShown()) << "a time hides it too";
}

TEST_F(ClockMouse, DoubleClickOnANameOpensTheOptions) {
    frmtray_form& f = *frmtray;
    host.dblClick(f.ltime2);
    EXPECT_TRUE(allopt->Visible());
    EXPECT_TRUE(clockShown());
    EXPECT_EQ(mnufrm->mnumin.Caption(), "Minimize");
    allopt->Hide();
    host.dblClick(f.ltime1);
    EXPECT_TRUE(allopt->Visible());
}

TEST_F(ClockMouse, TheIconsRightReleaseOpensTheMenuShownOrHidden) {
    host.trayMessage(*frmtray, rt::WM_RBUTTONUP);
    EXPECT_EQ(popups(), 1);
    choose(mnufrm->mnumin);
    ASSERT_FALSE(clockShown());
    host.trayMessage(*frmtray, rt::WM_RBUTTONUP);
    EXPECT_EQ(popups(), 2) << "the menu is the way back to a hidden clock";

    // Moves, single clicks, presses, the right double-click and the middle
    // button mean nothing.
    for (int message : {0x200, 0x201, 0x202, 0x204, 0x206, 0x207, 0x208, 0x209})
        host.trayMessage(*frmtray, message);
    EXPECT_EQ(popups(), 2);
    EXPECT_FALSE(clockShown());
}

TEST_F(ClockMouse, TheMessageNumberIsRecoveredAtAnyScale) {
    host.setTwipsPerPixel(12);
    host.trayMessage(*frmtray, rt::WM_RBUTTONUP);
    EXPECT_EQ(popups(), 1);
    // Half a pixel rounds to the even neighbour: 516.5 -> 516, 517.5 -> 518.
    frmtray->userMouseMove(0, 0, 516.5, 0);
    frmtray->userMouseMove(0, 0, 517.5, 0);
    EXPECT_EQ(popups(), 1);
    frmtray->userMouseMove(0, 0, 516.6, 0);
    EXPECT_EQ(popups(), 2);
}

TEST_F(ClockMouse, TheIconsDoubleClickOpensDeskPadOnlyWhenItsItemIsChecked) {
    choose(mnufrm->mnupad);
    host.trayMessage(*frmtray, rt::WM_LBUTTONDBLCLK);
    EXPECT_FALSE(mypad.IsLoaded()) << "DeskPad switched off: not even created";

    choose(mnufrm->mnupad);
    choose(mnufrm->mnumin);
    host.trayMessage(*frmtray, rt::WM_LBUTTONDBLCLK);
    ASSERT_TRUE(mypad.IsLoaded());
    EXPECT_TRUE(mypad->Visible());
    EXPECT_FALSE(clockShown()) << "a hidden clock stays hidden";
    EXPECT_EQ(mnufrm->mnumin.Caption(), "Restore");
    EXPECT_EQ(popups(), 0);
}

} // namespace
