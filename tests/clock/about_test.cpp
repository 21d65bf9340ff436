// The about box: its credits' scroll, re-opening, "OK" and "Exit".
#include "clock/about.h"
#include "clock/program.h"
#include "clock/clock_scenario.h"

namespace {

using namespace tavrin;
using headless::CallKind;

class AboutBox : public testsupport::ClockScenario {
protected:
    void openAbout() { choose(mnufrm->mnuabt); }
    short credits() { return short(about->Text1.Top()); }
    int aboutLoads() {
        int n = 0;
        for (const auto& c : host.calls(CallKind::Attach))
            n += c.owner == QStringLiteral("about");
        return n;
    }
    // A click on "OK" that waits in the queue until the next step's yield
    // (time passing handles what waits before it runs any timer).
    void okDuringNextStep() {
        host.post(*about, [this] { host.postClick(about->abtok); });
    }
    // Steps of 5 ms each.
    void steps(int n) { host.advance(5 * std::int64_t(n)); }
};

TEST_F(AboutBox, OpensCentredWithTheCreditsAtTheBottomOfTheClip) {
    host.setScreenSize(1280, 800);
    StartProgram();
    openAbout();

    ASSERT_TRUE(about.IsLoaded());
    about_form& a = *about;
    EXPECT_TRUE(a.Visible());
    EXPECT_EQ(a.BorderStyle(), 0);
    EXPECT_FALSE(a.ShowInTaskbar());
    EXPECT_EQ(a.pixelRect().size(), QSize(253, 197));
    EXPECT_NEAR(a.pixelRect().center().x(), 640, 1);
    EXPECT_NEAR(a.pixelRect().center().y(), 400, 1);
    EXPECT_EQ(a.VScroll1.Max(), 1335);
    EXPECT_EQ(a.VScroll1.Min(), -1755);
    EXPECT_EQ(a.VScroll1.Value(), 1335);
    EXPECT_FALSE(a.VScroll1.Visible());
    EXPECT_EQ(a.abttime.Interval(), 5);
    EXPECT_EQ(a.Text1.Text().count(QStringLiteral("\r\n")), 5) << "six lines of credits";

    steps(1);
    EXPECT_EQ(credits(), 1333) << "the first step brings the credits just inside the bottom edge";
    steps(1);
    EXPECT_EQ(credits(), 1331);
}

TEST_F(AboutBox, APassTakes1537StepsAndStartsAgainBelowTheClip) {
    StartProgram();
    openAbout();
    steps(1536);
    EXPECT_EQ(credits(), -1737) << "only the last 18 twips are inside";
    steps(1);
    EXPECT_EQ(credits(), 1335) << "back below the bottom edge, out of sight";
    steps(1);
    EXPECT_EQ(credits(), 1333);
    steps(1536);
    EXPECT_EQ(credits(), 1335) << "the next pass is as long";
}

TEST_F(AboutBox, AboutAgainBringsTheSameBoxOnOkRestartsIt) {
    StartProgram();
    openAbout();
    steps(100);
    const short mid = credits();
    EXPECT_EQ(mid, 1335 - 200);

    openAbout();
    EXPECT_EQ(aboutLoads(), 1) << "never a second box";
    EXPECT_EQ(credits(), mid) << "the scroll goes on from where it is";

    host.click(about->abtok);
    EXPECT_FALSE(about.IsLoaded());
    steps(10);
    EXPECT_FALSE(about.IsLoaded()) << "its timer went with it";

    openAbout();
    EXPECT_EQ(aboutLoads(), 2);
    EXPECT_EQ(about->VScroll1.Value(), 1335);
    steps(1);
    EXPECT_EQ(credits(), 1333) << "the credits start again from the bottom";
}

TEST_F(AboutBox, OkHandledInsideAStepsYieldLeavesTheBoxClosed) {
    StartProgram();
    openAbout();
    // Inside the ordinary step's yield...
    okDuringNextStep();
    steps(1);
    EXPECT_FALSE(about.IsLoaded());

    // ...and inside the yield right after the wrap.
    openAbout();
    steps(1536);
    okDuringNextStep();
    steps(1);
    EXPECT_FALSE(about.IsLoaded()) << "the rest of the step must not load the box again";
    EXPECT_EQ(aboutLoads(), 2);

    ExitProgram();
    EXPECT_TRUE(host.quitRequested()) << "no invisible box keeps the process alive";
}

TEST_F(AboutBox, ExitLeavesTheBoxOpenAndItsOkEndsTheProgram) {
    StartProgram();
    openAbout();
    choose(mnufrm->mnuexit);

    EXPECT_FALSE(frmtray.IsLoaded());
    EXPECT_FALSE(mnufrm.IsLoaded());
    ASSERT_TRUE(about.IsLoaded());
    EXPECT_TRUE(about->Visible());
    EXPECT_FALSE(host.quitRequested());
    steps(3);
    EXPECT_EQ(credits(), 1335 - 6) << "the credits go on rising";

    host.click(about->abtok);
    EXPECT_FALSE(about.IsLoaded());
    EXPECT_TRUE(host.quitRequested());
}

} // namespace
