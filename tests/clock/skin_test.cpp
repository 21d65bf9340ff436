// Switching between the clock's two skins from the popup menu.
#include "clock/allopt.h"
#include "clock/program.h"
#include "clock/clock_scenario.h"

namespace {

using namespace tavrin;
using headless::CallKind;

class SkinSwitch : public testsupport::ClockScenario {
protected:
    void startIn(const char* modeKey) {
        if (modeKey)
            store("Options", modeKey, "True");
        store("Options", "mytop", "1500");
        store("Options", "myleft", "3000");
        StartProgram();
    }
    QSize face() { return clockPixels().size(); }
    // The window's outline has the face's size: the skin's pixels, not the old ones.
    QRect outline() { return frmtray->region() ? frmtray->region()->boundingRect() : QRect(); }
};

TEST_F(SkinSwitch, FirstRunSkin1RunsTheWholeSwitchAndStoresBothMarks) {
    startIn(nullptr);
    ASSERT_FALSE(mnufrm->mnuskin1.Checked() || mnufrm->mnuskin2.Checked());
    host.clearCalls();
    choose(mnufrm->mnuskin1);
    EXPECT_TRUE(mnufrm->mnuskin1.Checked());
    EXPECT_FALSE(mnufrm->mnuskin2.Checked());
    EXPECT_EQ(face(), QSize(159, 40));
    EXPECT_EQ(host.count(CallKind::Region), 1) << "shaped again";
    EXPECT_EQ(stored("skin1"), "True");
    EXPECT_EQ(stored("skin2"), "False");

    host.clearCalls();
    choose(mnufrm->mnuskin1);
    EXPECT_EQ(host.count(CallKind::Region), 0) << "the checked item changes nothing";
    EXPECT_EQ(host.notifications("frmtray.picMainSkin"), 0);
}

TEST_F(SkinSwitch, NarrowFacesInCurrentAndZonalKeepTheTopLeftCorner) {
    for (const char* mode : {"dopt", "zopt"}) {
        SCOPED_TRACE(mode);
        startIn(mode);
        choose(mnufrm->mnuskin2);
        EXPECT_EQ(clockPixels(), QRect(200, 100, 160, 43));
        EXPECT_EQ(outline(), QRect(1, 1, 158, 41));
        EXPECT_FALSE(frmtray->l1.Visible());
        EXPECT_EQ(frmtray->l2.ForeColor(), rt::vbWhite);
        EXPECT_EQ(frmtray->l1.ForeColor(), 0xC0FFC0u);
        EXPECT_EQ(stored("skin1"), "False");
        EXPECT_EQ(stored("skin2"), "True");

        choose(mnufrm->mnuskin1);
        EXPECT_EQ(clockPixels(), QRect(200, 100, 159, 40)) << "3 pixels less high, 1 narrower";
        EXPECT_EQ(frmtray->l2.ForeColor(), 0x80FF80u);
        EXPECT_TRUE(mnufrm->mnuskin1.Checked());
        EXPECT_FALSE(mnufrm->mnuskin2.Checked());
        ExitProgram();
    }
}

TEST_F(SkinSwitch, DualShowsTheWideFaceWithTheSecondTime) {
    startIn("bopt");
    choose(mnufrm->mnuskin2);
    EXPECT_EQ(clockPixels(), QRect(200, 100, 304, 43));
    EXPECT_TRUE(frmtray->l1.Visible());
    choose(mnufrm->mnuskin1);
    EXPECT_EQ(clockPixels(), QRect(200, 100, 304, 40));
    EXPECT_TRUE(frmtray->l1.Visible());
    EXPECT_TRUE(allopt->Boption.Value()) << "the display mode stays";
}

TEST_F(SkinSwitch, TheChoiceComesBackAtTheNextStart) {
    startIn(nullptr);
    choose(mnufrm->mnuskin2);
    ExitProgram();
    StartProgram();
    EXPECT_TRUE(mnufrm->mnuskin2.Checked());
    EXPECT_EQ(face(), QSize(160, 43));
    choose(mnufrm->mnuskin1);
    ExitProgram();
    StartProgram();
    EXPECT_TRUE(mnufrm->mnuskin1.Checked());
    EXPECT_EQ(face(), QSize(159, 40));
}

TEST_F(SkinSwitch, BothMarksStoredStillLetTheUserPickEitherSkin) {
    store("Options", "skin1", "True");
    store("Options", "skin2", "True");
    StartProgram();
    EXPECT_EQ(face(), QSize(160, 43)) << "start-up goes by the Skin2 mark";

    choose(mnufrm->mnuskin1);
    EXPECT_EQ(face(), QSize(159, 40));
    EXPECT_FALSE(mnufrm->mnuskin2.Checked());
    EXPECT_EQ(stored("skin2"), "False");

    mnufrm->mnuskin2.Checked(true);
    choose(mnufrm->mnuskin2);
    EXPECT_EQ(face(), QSize(160, 43));
    EXPECT_FALSE(mnufrm->mnuskin1.Checked());
    EXPECT_EQ(stored("skin1"), "False");
}

TEST_F(SkinSwitch, AHiddenClockTakesTheNewFaceAndShowsItOnRestore) {
    startIn("bopt");
    choose(mnufrm->mnumin);
    choose(mnufrm->mnuskin2);
    EXPECT_FALSE(clockShown());
    EXPECT_EQ(stored("skin2"), "True");
    choose(mnufrm->mnumin);
    EXPECT_TRUE(clockShown());
    EXPECT_EQ(clockPixels(), QRect(200, 100, 304, 43));
    EXPECT_EQ(outline(), QRect(1, 1, 302, 41));
}

} // namespace
