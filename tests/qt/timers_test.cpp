// The runtime's timers run on the Qt event loop.
#include "support.h"

#include "runtime/services/datetime.h"

#include <QDateTime>
#include <QTest>

#include <ctime>

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

// The wall clock reads the local time, in a zone whose offset has minutes too.
TEST_F(Timers, WallClockIsTheLocalTime) {
    const QByteArray saved = qgetenv("TZ");
    const bool wasSet = qEnvironmentVariableIsSet("TZ");
    for (const char* zone : {"UTC0", "NPT-5:45", "EST5EDT,M3.2.0,M11.1.0"}) {
        qputenv("TZ", zone);
        tzset();
        QtHost fresh;
        const rt::LocalDateTime w = fresh.wallClock();
        const QDateTime expected = QDateTime::currentDateTime();
        const QDateTime got(QDate(w.year, w.month, w.day), QTime(w.hour, w.minute, w.second, w.msec));
        EXPECT_LT(std::abs(got.msecsTo(expected.toLocalTime())), 1000) << zone;
        EXPECT_EQ(w.minute, expected.time().minute()) << zone;
    }
    if (wasSet)
        qputenv("TZ", saved);
    else
        qunsetenv("TZ");
    tzset();
}

} // namespace
} // namespace tavrin::qt::test
