// A whole day on a busy desktop: every timer up to 20 ms late, the options
// dialog shown for an hour, and a beeping reminder open for two. The clocks
// still show every second of the day exactly once, so an alarm set to any
// second fires exactly once.
#include "running_clock.h"

#include "clock/frmrem.h"

#include <QTime>

namespace {

using namespace tavrin;
using headless::CallKind;

class SimulatedDay : public testsupport::RunningClock {
protected:
    // Every text the tick gave the right and left clocks, in order.
    QStringList right, left;

    void recordTicks() {
        clock().t.OnTimer = [this] {
            clock().t_Timer();
            right << clock().l1.Caption();
            left << clock().l2.Caption();
        };
    }
    static void expectEverySecondOnce(const QStringList& texts, const QTime& from, int seconds,
                                      const char* which) {
        ASSERT_GE(texts.size(), seconds) << which;
        const int start = int(texts.indexOf(from.toString("h:mm:ss AP")));
        ASSERT_GE(start, 0) << which << " never shows " << from.toString().toStdString();
        for (int i = 0; i < seconds; ++i) {
            const QString expected = from.addSecs(i).toString("h:mm:ss AP");
            ASSERT_EQ(texts[start + i], expected) << which << " clock, tick " << start + i;
        }
    }
};

TEST_F(SimulatedDay, EverySecondShowsOnceAndTheAlarmFiresOnce) {
    host.setWallClock(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 58)));
    store("Options", "bopt", "True");
    store("Options", "zh", "5");
    store("Options", "zm", "30");
    store("Alarm", "acopt", "True");
    store("Alarm", "hrs", "2");
    store("Alarm", "min", "17");
    store("Alarm", "sec", "42");
    store("Alarm", "am", "AM");
    store("Alarm", "snd", "1");
    StartProgram();
    recordTicks();
    host.setLateness(20, 20261208);

    const std::int64_t hour = 3600 * 1000;
    host.advance(2000 + 3 * hour);
    ASSERT_TRUE(frmrem.IsLoaded()) << "the alarm at 2:17:42 AM";
    host.advance(2 * hour);
    host.postClick(frmrem->remok);
    host.advance(hour);
    EXPECT_FALSE(frmrem.IsLoaded());
    EXPECT_GT(host.count(CallKind::Beep), 4 * 5000) << "two hours of patterns";

    options().Show(); // its texts are then worked out every 100 ms
    host.advance(hour);
    host.click(options().Label5);
    host.advance(18 * hour + 2000);

    expectEverySecondOnce(right, QTime(0, 0), 24 * 3600, "right (system)");
    expectEverySecondOnce(left, QTime(5, 30), 24 * 3600, "left (zone)");
    int reminders = 0;
    for (const auto& c : host.calls(CallKind::Attach))
        reminders += c.owner == "frmrem";
    EXPECT_EQ(reminders, 1);
}

} // namespace
