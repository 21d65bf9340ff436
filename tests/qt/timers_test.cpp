// The runtime's timers run on the Qt event loop.
#include "support.h"

#include <QTest>

namespace tavrin::qt::test {
namespace {

struct TickForm : rt::Form {
    TickForm() : rt::Form("frmTick") { t.OnTimer = [this] { ++ticks; }; }
    void Form_Load() override { t.Interval(5); }
    rt::Timer t{*this, "t"};
    int ticks = 0;
};
rt::FormRef<TickForm> tickForm;

using Timers = QtHostTest;

TEST_F(Timers, TimerTicksRepeatedlyFromTheEventLoop) {
    TickForm& f = tickForm.get();
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.ticks >= 3; }, 10000));
}

TEST_F(Timers, DoEventsFiresWhatIsDue) {
    TickForm& f = tickForm.get();
    f.t.Interval(1);
    const std::int64_t due = f.t.dueMs();
    while (host().monotonicMs() < due) {
    }
    rt::DoEvents();
    EXPECT_GE(f.ticks, 1);
}

TEST_F(Timers, StoppedTimerStaysQuiet) {
    TickForm& f = tickForm.get();
    f.t.Enabled(false);
    QTest::qWait(30);
    EXPECT_EQ(f.ticks, 0);
}

} // namespace
} // namespace tavrin::qt::test
