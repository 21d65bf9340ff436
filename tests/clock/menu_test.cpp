// The popup menu's commands: hide and restore, options, always on top,
// the DeskPad switch and about.
#include "clock/about.h"
#include "clock/allopt.h"
#include "clock/program.h"
#include "clock/clock_scenario.h"
#include "runtime/services/settings.h"
#include "support/files.h"

namespace {

using namespace tavrin;
using headless::CallKind;

class PopupMenu : public testsupport::ClockScenario {
protected:
    QByteArray settingsFile() { return testsupport::readBytes(rt::SettingsStore::pathFor(rt::App.EXEName)); }
};

TEST_F(PopupMenu, MinimizeAndRestoreGoByTheCaptionAndStoreNothing) {
    StartProgram();
    frmtray->userMoved(3000, 1500);
    const QByteArray before = settingsFile();
    host.clearCalls();

    choose(mnufrm->mnumin);
    EXPECT_FALSE(clockShown());
    EXPECT_EQ(mnufrm->mnumin.Caption(), "Restore");
    EXPECT_TRUE(host.trayIcon(1)->present);

    choose(mnufrm->mnumin);
    EXPECT_TRUE(clockShown());
    EXPECT_EQ(frmtray->WindowState(), rt::vbNormal);
    EXPECT_EQ(clockPixels().topLeft(), QPoint(200, 100)) << "back where it was";
    EXPECT_EQ(rt::activeForm(), &*frmtray);
    EXPECT_TRUE(host.trayIcon(1)->present);
    EXPECT_EQ(mnufrm->mnumin.Caption(), "Minimize");
    EXPECT_EQ(settingsFile(), before);

    // A caption that reads "Restore" over a shown clock only shows it again.
    mnufrm->mnumin.Caption("Restore");
    choose(mnufrm->mnumin);
    EXPECT_TRUE(clockShown());
    EXPECT_EQ(mnufrm->mnumin.Caption(), "Minimize");
    // Anything but exactly "Minimize" restores.
    mnufrm->mnumin.Caption("minimize");
    choose(mnufrm->mnumin);
    EXPECT_TRUE(clockShown());

    // The next start shows the clock, captioned "Minimize".
    choose(mnufrm->mnumin);
    ExitProgram();
    StartProgram();
    EXPECT_TRUE(clockShown());
    EXPECT_EQ(mnufrm->mnumin.Caption(), "Minimize");
}

TEST_F(PopupMenu, AlwaysOnTopFlipsTheMarkTheStackingAndMtop) {
    StartProgram();
    host.clearCalls();
    choose(mnufrm->mnutop);
    EXPECT_TRUE(mnufrm->mnutop.Checked());
    EXPECT_TRUE(frmtray->topmost());
    EXPECT_EQ(stored("mtop"), "True");
    const QPointF place{frmtray->Left(), frmtray->Top()};

    choose(mnufrm->mnutop);
    EXPECT_FALSE(mnufrm->mnutop.Checked());
    EXPECT_FALSE(frmtray->topmost());
    EXPECT_EQ(stored("mtop"), "False");
    auto stacking = host.calls(CallKind::Stacking);
    ASSERT_EQ(stacking.size(), 2u);
    EXPECT_TRUE(stacking[0].flag);
    EXPECT_FALSE(stacking[1].flag);
    EXPECT_EQ(QPointF(frmtray->Left(), frmtray->Top()), place) << "stacking neither moves nor sizes";

    // While hidden: the stacking changes all the same and holds on "Restore".
    choose(mnufrm->mnumin);
    choose(mnufrm->mnutop);
    EXPECT_TRUE(frmtray->topmost());
    choose(mnufrm->mnumin);
    EXPECT_TRUE(frmtray->topmost());
    EXPECT_TRUE(mnufrm->mnutop.Checked());

    ExitProgram();
    StartProgram();
    EXPECT_TRUE(frmtray->topmost()) << "the stored choice comes back";
}

TEST_F(PopupMenu, DeskPadSwitchOnlyFlipsItsMarkAndMpad) {
    StartProgram();
    ASSERT_TRUE(mnufrm->mnupad.Checked());
    const auto forms = rt::loadedForms().size();
    choose(mnufrm->mnupad);
    EXPECT_FALSE(mnufrm->mnupad.Checked());
    EXPECT_EQ(stored("mpad"), "False");
    choose(mnufrm->mnupad);
    EXPECT_TRUE(mnufrm->mnupad.Checked());
    EXPECT_EQ(stored("mpad"), "True");
    EXPECT_EQ(rt::loadedForms().size(), forms) << "nothing opens";
}

TEST_F(PopupMenu, OptionsAndAboutBringTheOpenWindowForward) {
    StartProgram();
    choose(mnufrm->mnuopt);
    EXPECT_TRUE(allopt->Visible());
    EXPECT_EQ(rt::activeForm(), &*allopt);
    allopt->lblsetalarm_Click();
    allopt->txtmsg.Text("tea");
    host.activate(*frmtray);
    choose(mnufrm->mnuopt);
    EXPECT_EQ(rt::activeForm(), &*allopt);
    EXPECT_EQ(allopt->txtmsg.Text(), "tea") << "nothing in it is reset";
    EXPECT_TRUE(allopt->Aframe.Visible()) << "on the page it was left on";

    EXPECT_FALSE(about.IsLoaded()) << "not loaded before it is first chosen";
    choose(mnufrm->mnuabt);
    rt::Form* first = &*about;
    host.activate(*frmtray);
    choose(mnufrm->mnuabt);
    EXPECT_EQ(&*about, first);
    EXPECT_EQ(rt::activeForm(), first);
}

} // namespace
