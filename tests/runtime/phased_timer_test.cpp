// Timers phased against the wall clock, and timers that sleep while their
// window is hidden.
#include "runtime/forms/forms.h"
#include "runtime/services/datetime.h"
#include "support/headless_test.h"

#include <QDateTime>

#include <vector>

namespace {

struct Clocked : rt::Form {
    Clocked() : Form("Clocked") {
        a.OnTimer = [this] { fired.push_back({'a', wallMs()}); };
        b.OnTimer = [this] { fired.push_back({'b', wallMs()}); };
    }
    // Milliseconds into the wall clock's day.
    static int wallMs() {
        const rt::LocalDateTime w = rt::wallClockNow();
        return ((w.hour * 60 + w.minute) * 60 + w.second) * 1000 + w.msec;
    }
    rt::Timer a{*this, "a"};
    rt::Timer b{*this, "b"};
    std::vector<std::pair<char, int>> fired;
};
rt::FormRef<Clocked> clocked;

class PhasedTimers : public testsupport::HeadlessTest {
protected:
    void SetUp() override { host.setWallClock(QDateTime(QDate(2026, 1, 1), QTime(10, 0, 0, 730))); }
    static constexpr int base = 10 * 3600 * 1000;
};

TEST_F(PhasedTimers, TicksFallOnThePhaseOfTheWallClock) {
    Clocked& f = *clocked;
    f.a.Phase(500);
    f.a.Interval(1000);
    host.advance(3000);
    ASSERT_EQ(f.fired.size(), 3u);
    EXPECT_EQ(f.fired[0].second, base + 1500) << "the first tick at the next phase point";
    EXPECT_EQ(f.fired[1].second, base + 2500);
    EXPECT_EQ(f.fired[2].second, base + 3500);
}

TEST_F(PhasedTimers, LateTicksStayOnPhaseAndNeverComeTwiceInARow) {
    Clocked& f = *clocked;
    f.a.Phase(50);
    f.a.Interval(100);
    host.setLateness(45, 7);
    host.advance(60000);
    ASSERT_GT(f.fired.size(), 500u);
    for (std::size_t i = 0; i < f.fired.size(); ++i) {
        const int into = (f.fired[i].second - 50) % 100;
        EXPECT_LE(into, 45) << "tick " << i << " is at most as late as the host made it";
        if (i > 0) {
            EXPECT_GE(f.fired[i].second - f.fired[i - 1].second, 50);
        }
    }
}

TEST_F(PhasedTimers, SettingTheWallClockFindsThePhaseAgain) {
    Clocked& f = *clocked;
    f.a.Phase(500);
    f.a.Interval(1000);
    host.advance(1000); // one tick at 10:00:01.500
    host.setWallClock(QDateTime(QDate(2026, 1, 1), QTime(18, 0, 0, 900)));
    f.fired.clear();
    host.advance(2000);
    ASSERT_EQ(f.fired.size(), 2u);
    EXPECT_EQ(f.fired[0].second, 18 * 3600 * 1000 + 1500);
    EXPECT_EQ(f.fired[1].second, 18 * 3600 * 1000 + 2500);
}

TEST_F(PhasedTimers, OverdueTimersRunInTheOrderTheyFellDue) {
    Clocked& f = *clocked;
    f.b.Phase(550);
    f.b.Interval(1000);
    f.a.Phase(500);
    f.a.Interval(1000);
    host.advance(700); // 10:00:01.430
    ASSERT_TRUE(f.fired.empty());
    host.beep(1000, 500); // a tone holds the thread past both due times
    host.advance(0);
    ASSERT_EQ(f.fired.size(), 2u);
    EXPECT_EQ(f.fired[0].first, 'a');
    EXPECT_EQ(f.fired[1].first, 'b');
}

struct Preview : rt::Form {
    Preview() : Form("Preview") {
        t.Phase(50);
        t.Interval(100);
        t.setOnlyWhileShown(true);
        t.OnTimer = [this] { ++runs; };
    }
    rt::Timer t{*this, "t"};
    int runs = 0;
};
rt::FormRef<Preview> preview;

TEST_F(PhasedTimers, ATimerForAHiddenWindowSleepsUntilItsWorkIsRead) {
    Preview& f = *preview; // loaded hidden
    host.advance(1000);
    EXPECT_EQ(f.runs, 0);
    EXPECT_EQ(host.scheduledDueMs(), -1) << "nothing wakes the program";

    f.t.catchUp();
    EXPECT_EQ(f.runs, 1) << "a tick fell due since the last run";
    f.t.catchUp();
    EXPECT_EQ(f.runs, 1) << "none since";
    host.advance(130);
    f.t.catchUp();
    EXPECT_EQ(f.runs, 2);

    host.advance(100);
    f.Show();
    host.advance(0);
    EXPECT_EQ(f.runs, 3) << "shown, it catches up at once";
    host.advance(1000);
    EXPECT_EQ(f.runs, 13) << "and ticks every 100 ms while shown";
    f.t.catchUp();
    EXPECT_EQ(f.runs, 13) << "catching up is for a sleeping timer only";

    f.Hide();
    EXPECT_EQ(host.scheduledDueMs(), -1);
    host.advance(1000);
    EXPECT_EQ(f.runs, 13);
}

} // namespace
