// The daily alarm: its exact-text check at the clock tick, and the reminder
// it raises with its message and beep patterns.
#include "running_clock.h"

#include "clock/frmrem.h"

namespace {

using namespace tavrin;
using headless::CallKind;

class Reminder : public testsupport::RunningClock {
protected:
    void alarm(const char* h, const char* m, const char* s, const char* ampm, bool zonal = false) {
        allopt_form& o = options();
        (zonal ? o.aztopt : o.actopt).Value(true);
        o.cbohrs.Text(QString::fromLatin1(h));
        o.cbomin.Text(QString::fromLatin1(m));
        o.cbosec.Text(QString::fromLatin1(s));
        o.cboam.Text(QString::fromLatin1(ampm));
    }
    // Runs the clock through the second h:m:s and a little past it.
    void liveThrough(int h, int m, int s) {
        wallAt(h, m, s);
        host.advance(1100);
    }
    std::vector<std::int64_t> beepTimes() {
        std::vector<std::int64_t> times;
        for (const auto& c : host.calls(CallKind::Beep)) {
            EXPECT_EQ(c.a, 3000);
            EXPECT_EQ(c.b, 100);
            times.push_back(c.atMs);
        }
        return times;
    }
};

TEST_F(Reminder, AlarmTextMustMatchTheClockTextExactly) {
    struct Case {
        const char *h, *m, *s, *ampm;
        bool fires;
    } cases[] = {
        {"9", "05", "00", "PM", true},  {"09", "05", "00", "PM", false}, {"9", "5", "00", "PM", false},
        {"9", "05", "00", "pm", false}, {"9", "05", "00", "AM", false},  {"21", "05", "00", "", false},
        {" 9", "05", "00", "PM", false}, {"0", "0", "0", "0", false},
    };
    for (const Case& c : cases) {
        StartProgram();
        alarm(c.h, c.m, c.s, c.ampm);
        liveThrough(21, 5, 0);
        EXPECT_EQ(frmrem.IsLoaded(), c.fires) << c.h << ":" << c.m << ":" << c.s << " " << c.ampm;
        rt::unloadEverythingQuietly();
    }
}

TEST_F(Reminder, SourceChoosesTheClockTextCompared) {
    StartProgram();
    options().Zhr.Text("2");
    host.click(options().Zoption);

    alarm("9", "00", "00", "AM", /*zonal=*/true);
    liveThrough(9, 0, 0);
    EXPECT_FALSE(frmrem.IsLoaded()) << "the zone clock reads 11 then";
    liveThrough(7, 0, 0);
    EXPECT_TRUE(frmrem.IsLoaded());
    host.click(frmrem->remok);

    options().actopt.Value(true);
    liveThrough(9, 0, 0);
    EXPECT_TRUE(frmrem.IsLoaded()) << "the system time, though its clock is hidden";
    host.click(frmrem->remok);

    // In "Current Time" the zone text is the system time too.
    host.click(options().Doption);
    options().aztopt.Value(true);
    liveThrough(9, 0, 0);
    EXPECT_TRUE(frmrem.IsLoaded());
    host.click(frmrem->remok);

    host.click(options().Label6); // the alarm's Reset: no source
    alarm("0", "0", "0", "0");
    options().actopt.Value(false);
    liveThrough(12, 0, 0);
    EXPECT_FALSE(frmrem.IsLoaded());
}

TEST_F(Reminder, OpensCentredAboveAllWithTheMessageAsTyped) {
    StartProgram();
    clock().Hide(); // a hidden clock raises it all the same
    options().txtmsg.Text("<b>Tea</b> & biscuits");
    alarm("4", "00", "00", "PM");
    liveThrough(16, 0, 0);

    ASSERT_TRUE(frmrem.IsLoaded());
    frmrem_form& r = *frmrem;
    EXPECT_TRUE(r.Visible());
    EXPECT_EQ(r.lip.Caption(), "<b>Tea</b> & biscuits");
    EXPECT_EQ(r.pixelRect(), QRect((1920 - 396) / 2, (1080 - 194) / 2, 396, 194));
    EXPECT_TRUE(r.topmost());
    EXPECT_FALSE(r.ShowInTaskbar());
    EXPECT_EQ(r.BorderStyle(), 0);
    EXPECT_EQ(r.lip.pixelRect(), QRect(56, 56, 297, 81));
    EXPECT_TRUE(r.lip.WordWrap());
    EXPECT_FALSE(r.lip.UseMnemonic()) << "its '&' shows as typed";
    EXPECT_EQ(host.count(CallKind::Beep), 0) << "the sound box is clear";
}

TEST_F(Reminder, BeepPatternsRepeatUntilOK) {
    StartProgram();
    options().sndcheck.Value(rt::vbChecked);
    alarm("4", "00", "00", "PM");
    wallAt(16, 0, 0);
    host.clearCalls();
    host.advance(1000);
    ASSERT_TRUE(frmrem.IsLoaded());
    const std::int64_t loaded = host.calls(CallKind::Attach).back().atMs;
    host.advance(3000);

    const std::vector<std::int64_t> times = beepTimes();
    ASSERT_GE(times.size(), 12u);
    const std::int64_t first = loaded + 10;
    const std::int64_t expected[] = {first,        first + 100,  first + 200,  first + 300,
                                     first + 1400, first + 1500, first + 1600, first + 1700,
                                     first + 2800, first + 2900, first + 3000, first + 3100};
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_NEAR(times[i], expected[i], 1) << "tone " << i;

    host.click(frmrem->remok);
    EXPECT_FALSE(frmrem.IsLoaded());
    host.clearCalls();
    host.advance(5000);
    EXPECT_EQ(host.count(CallKind::Beep), 0);
}

TEST_F(Reminder, OKDuringAPatternTakesEffectAfterItsLastTone) {
    StartProgram();
    options().sndcheck.Value(rt::vbChecked);
    alarm("4", "00", "00", "PM");
    liveThrough(16, 0, 0);
    ASSERT_TRUE(frmrem.IsLoaded());
    host.clearCalls();
    // The click waits in the queue while the pattern holds the thread.
    host.advance(1);
    while (host.count(CallKind::Beep) == 0)
        host.advance(50);
    host.postClick(frmrem->remok);
    const std::int64_t clicked = host.nowMs();
    host.advance(3000);
    EXPECT_FALSE(frmrem.IsLoaded());
    EXPECT_EQ(host.count(CallKind::Beep), 4);
    EXPECT_GE(clicked, host.calls(CallKind::Beep).back().atMs);
}

TEST_F(Reminder, GreyedSoundBoxIsSilent) {
    StartProgram();
    options().sndcheck.Value(rt::vbGrayed);
    alarm("4", "00", "00", "PM");
    liveThrough(16, 0, 0);
    ASSERT_TRUE(frmrem.IsLoaded());
    host.advance(5000);
    EXPECT_EQ(host.count(CallKind::Beep), 0);
}

TEST_F(Reminder, ASecondMatchWhileOpenOnlyShowsItAgain) {
    StartProgram();
    options().txtmsg.Text("first");
    alarm("4", "00", "00", "PM");
    liveThrough(16, 0, 0);
    ASSERT_TRUE(frmrem.IsLoaded());
    frmrem_form* shown = &*frmrem;
    options().txtmsg.Text("second");
    options().sndcheck.Value(rt::vbChecked);
    host.activate(clock());
    liveThrough(16, 0, 0); // the clock is set back and the second comes again
    EXPECT_EQ(&*frmrem, shown);
    EXPECT_EQ(frmrem->lip.Caption(), "first");
    EXPECT_EQ(host.count(CallKind::Beep), 0) << "its load did not run again";
    EXPECT_EQ(rt::activeForm(), shown) << "shown again, in front";

    // Unloaded, the next match loads it afresh with the message as it is then.
    host.click(frmrem->remok);
    liveThrough(16, 0, 0);
    EXPECT_EQ(frmrem->lip.Caption(), "second");
}

TEST_F(Reminder, TheAlarmStaysSetAndFiresAgainTheNextDay) {
    StartProgram();
    alarm("4", "00", "00", "PM");
    liveThrough(16, 0, 0);
    ASSERT_TRUE(frmrem.IsLoaded());
    host.click(frmrem->remok);
    host.advance(24 * 3600 * 1000 - 1100);
    EXPECT_FALSE(frmrem.IsLoaded());
    host.advance(1100);
    EXPECT_TRUE(frmrem.IsLoaded());
}

TEST_F(Reminder, ExitLeavesItOpenAndItsOKEndsTheProgram) {
    StartProgram();
    options().sndcheck.Value(rt::vbChecked);
    alarm("4", "00", "00", "PM");
    liveThrough(16, 0, 0);
    ASSERT_TRUE(frmrem.IsLoaded());
    ExitProgram();
    EXPECT_FALSE(frmtray.IsLoaded());
    EXPECT_TRUE(frmrem.IsLoaded());
    EXPECT_FALSE(host.quitRequested());
    host.clearCalls();
    host.advance(3000);
    EXPECT_GT(host.count(CallKind::Beep), 0) << "still beeping";
    host.click(frmrem->remok);
    EXPECT_TRUE(host.quitRequested());
}

} // namespace
