// The three display modes: the face, the second clock, the names and the
// offset boxes, from a click and from the stored mode at start-up.
#include "running_clock.h"

#include "runtime/forms/types.h"

namespace {

using namespace tavrin;
using headless::CallKind;

class DisplayMode : public testsupport::RunningClock {
protected:
    struct Expected {
        QSize face;
        bool second;   // the right clock and its name are shown
        bool offset;   // offset boxes enabled
        QString left;  // left name
        QString right; // right name (when shown)
        bool reset = offset; // zone "Reset" shown
    };
    void expectMode(const Expected& e, const char* where) {
        SCOPED_TRACE(where);
        frmtray_form& f = clock();
        EXPECT_EQ(f.pixelRect().size(), e.face);
        EXPECT_EQ(f.picMainSkin.pixelRect().size(), e.face);
        ASSERT_TRUE(f.region().has_value());
        const QRect outline = f.region()->boundingRect();
        EXPECT_EQ(outline.right(), e.face.width() - 2) << "cut to the face now shown";
        EXPECT_EQ(f.l1.Visible(), e.second);
        EXPECT_EQ(f.ltime1.Visible(), e.second);
        EXPECT_TRUE(f.l2.Visible());
        EXPECT_TRUE(f.ltime2.Visible());
        for (rt::ComboBox* box : {&options().Zhr, &options().Zmin, &options().Zsec})
            EXPECT_EQ(box->Enabled(), e.offset) << box->Name().toStdString();
        EXPECT_EQ(options().Lreset.Visible(), e.reset);
        EXPECT_EQ(f.ltime2.Caption(), e.left);
        if (e.second) {
            EXPECT_EQ(f.ltime1.Caption(), e.right);
        }
    }
};

TEST_F(DisplayMode, EachButtonAppliesItsModeAtOnce) {
    StartProgram();
    options().time1.Text("SYS");
    options().time2.Text("ZON");

    host.click(options().Boption);
    expectMode({{304, 40}, true, true, "ZON", "SYS"}, "dual");
    EXPECT_FALSE(clock().ltime1.UseMnemonic() || clock().ltime2.UseMnemonic()) << "a typed '&' shows as itself";
    host.click(options().Zoption);
    expectMode({{159, 40}, false, true, "ZON", ""}, "zonal");
    host.click(options().Doption);
    expectMode({{159, 40}, false, false, "SYS", ""}, "current");
    EXPECT_EQ(clock().ltime1.Caption(), "SYS") << "the hidden right name keeps its last caption";
    EXPECT_EQ(stored("Options", "bopt"), "<missing>") << "a mode is stored only by OK";
}

TEST_F(DisplayMode, SkinTwoFacesAndBackToNarrow) {
    store("Options", "skin2", "True");
    StartProgram();
    host.click(options().Boption);
    expectMode({{304, 43}, true, true, "T-2", "T-1"}, "dual, skin 2");
    host.click(options().Doption);
    expectMode({{160, 43}, false, false, "T-1", ""}, "current, skin 2");
}

TEST_F(DisplayMode, OffsetBoxesKeepTheirValuesWhenDisabled) {
    StartProgram();
    host.click(options().Zoption);
    options().Zhr.Text("5");
    options().optsub.Value(true);
    host.click(options().Doption);
    EXPECT_FALSE(options().Zhr.Enabled());
    EXPECT_EQ(options().Zhr.Text(), "5");
    EXPECT_TRUE(options().optsub.Value());
}

TEST_F(DisplayMode, ANameEditedWithoutOKReachesTheClockAtTheNextModeClick) {
    StartProgram();
    options().time2.Text("NEW");
    EXPECT_EQ(clock().ltime2.Caption(), "T-1");
    host.click(options().Zoption);
    EXPECT_EQ(clock().ltime2.Caption(), "NEW");
}

TEST_F(DisplayMode, CurrentAndDualPutTheSystemTimeIntoTheZoneTextAtOnce) {
    wallAt(10, 0, 0);
    StartProgram();
    options().Show();
    options().Zhr.Text("3");
    host.click(options().Zoption);
    host.advance(150);
    ASSERT_EQ(options().Showtime.Caption(), "1:00:00 PM");
    host.click(options().Boption);
    EXPECT_EQ(options().Showtime.Caption(), "10:00:00 AM") << "until the next tick of the dialog's timer";
    host.click(options().Zoption);
    EXPECT_EQ(options().Showtime.Caption(), "10:00:00 AM") << "Zonal leaves the text to the timer";
}

TEST_F(DisplayMode, FirstRunRunsNoHandler) {
    StartProgram();
    // "Reset" shows as designed, though the boxes are disabled.
    expectMode({{159, 40}, false, false, "T-1", "", true}, "first run");
}

TEST_F(DisplayMode, StoredModeIsAppliedAtStartUp) {
    struct Case {
        const char* key;
        Expected mode;
    } cases[] = {
        {"dopt", {{159, 40}, false, false, "AAA", ""}},
        {"zopt", {{159, 40}, false, true, "BBB", ""}},
        {"bopt", {{304, 40}, true, true, "BBB", "AAA"}},
    };
    for (const Case& c : cases) {
        testsupport::TempConfigHome fresh;
        store("Options", c.key, "True");
        store("Options", "time1", "AAA");
        store("Options", "time2", "BBB");
        StartProgram();
        expectMode(c.mode, c.key);
        rt::unloadEverythingQuietly();
    }
}

// Hidden to the notification area, the clock cannot show a new face; it
// takes it when it comes back.
TEST_F(DisplayMode, AModeChosenWhileTheClockIsHiddenShowsWhenItIsRestored) {
    StartProgram();
    clock().WindowState(rt::vbMinimized);
    clock().Hide();
    options().Show();
    host.click(options().Boption);
    EXPECT_FALSE(clock().Visible());
    EXPECT_TRUE(clock().isLoaded());

    clock().WindowState(rt::vbNormal);
    clock().Show();
    expectMode({{304, 40}, true, true, "T-2", "T-1"}, "restored");
    host.advance(2000);
    EXPECT_FALSE(clock().l1.Caption().isEmpty());
}

} // namespace
