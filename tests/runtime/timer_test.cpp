// Timers in virtual time, and DoEvents inside handlers.
#include "runtime/forms/forms.h"
#include "support/headless_test.h"

#include <QStringList>

#include <functional>

namespace {

// "name@ms" for every tick, kept across instances.
QStringList ticks;

QString stamp(const QString& name) { return name + "@" + QString::number(rt::host().monotonicMs()); }

struct Ticker : rt::Form {
    Ticker() : Form("Ticker") {
        t.OnTimer = [this] {
            ticks << stamp("t");
            if (onT)
                onT();
        };
        u.OnTimer = [this] {
            ticks << stamp("u");
            if (onU)
                onU();
        };
    }
    rt::Timer t{*this, "t"};
    rt::Timer u{*this, "u"};
    std::function<void()> onT, onU;
};

// A timer with its interval set at design time.
struct Designed : rt::Form {
    Designed() : Form("Designed") {
        t.Interval(500);
        t.OnTimer = [] { ticks << stamp("designed"); };
    }
    rt::Timer t{*this, "t"};
};

rt::FormRef<Ticker> ticker;
rt::FormRef<Designed> designed;

class Timers : public testsupport::HeadlessTest {
protected:
    void SetUp() override { ticks.clear(); }
};

TEST_F(Timers, IntervalZeroNeverFiresAndStopsARunningTimer) {
    Ticker& f = *ticker;
    host.advance(5000);
    EXPECT_TRUE(ticks.isEmpty());

    f.t.Interval(1000);
    host.advance(1500);
    f.t.Interval(0);
    EXPECT_FALSE(f.t.running());
    host.advance(5000);
    EXPECT_EQ(ticks, QStringList({"t@6000"}));
}

TEST_F(Timers, FiresOncePerIntervalWithoutDrift) {
    ticker->t.Interval(1000);
    host.advance(3500);
    EXPECT_EQ(ticks, QStringList({"t@1000", "t@2000", "t@3000"}));
}

TEST_F(Timers, SameIntervalKeepsThePhase) {
    Ticker& f = *ticker;
    f.t.Interval(1000);
    // A busy handler that re-assigns the interval must not push the next tick back.
    f.onT = [&] {
        host.beep(440, 100);
        f.t.Interval(1000);
    };
    host.advance(1500);
    f.t.Interval(1000);
    host.advance(2000);
    EXPECT_EQ(ticks, QStringList({"t@1000", "t@2000", "t@3000"}));
}

TEST_F(Timers, AnotherIntervalCountsFromTheAssignment) {
    Ticker& f = *ticker;
    f.t.Interval(1000);
    host.advance(1500);
    f.t.Interval(700);
    host.advance(1500);
    EXPECT_EQ(ticks, QStringList({"t@1000", "t@2200", "t@2900"}));
}

TEST_F(Timers, QuickFirstTickThenTheRealInterval) {
    Ticker& f = *ticker;
    f.t.Interval(10);
    f.onT = [&] { f.t.Interval(1000); };
    host.advance(2500);
    EXPECT_EQ(ticks, QStringList({"t@10", "t@1010", "t@2010"}));
}

TEST_F(Timers, DisabledStopsAndEnabledStartsAFreshCountdown) {
    Ticker& f = *ticker;
    f.t.Interval(1000);
    host.advance(1200);
    f.t.Enabled(false);
    host.advance(3000);
    EXPECT_EQ(ticks, QStringList({"t@1000"}));

    f.t.Enabled(true);
    host.advance(1500);
    EXPECT_EQ(ticks, QStringList({"t@1000", "t@5200"}));
}

TEST_F(Timers, BlockingHandlerDropsMissedTicksInsteadOfBursting) {
    Ticker& f = *ticker;
    f.t.Interval(1000);
    f.onT = [&] {
        if (ticks.size() == 1)
            host.beep(880, 2500);
    };
    host.advance(5500);
    // Due at 2000 and 3000 while blocked: one late tick, then back in phase.
    EXPECT_EQ(ticks, QStringList({"t@1000", "t@3500", "t@4000", "t@5000"}));
}

TEST_F(Timers, TwoTimersFireInDueOrder) {
    Ticker& f = *ticker;
    f.t.Interval(300);
    f.u.Interval(200);
    host.advance(650);
    // Both due at 600: the one started first goes first.
    EXPECT_EQ(ticks, QStringList({"u@200", "t@300", "u@400", "t@600", "u@600"}));
}

TEST_F(Timers, UnloadedFormsTimersNeverFireAgain) {
    ticker->t.Interval(1000);
    ticker->u.Interval(300);
    // From inside a tick, and the window lingers until that tick returns.
    ticker->onU = [this] {
        ticker.Unload();
        host.beep(440, 2000);
        rt::DoEvents();
    };
    host.advance(5000);
    EXPECT_EQ(ticks, QStringList({"u@300"}));
    EXPECT_FALSE(ticker.IsLoaded());
    EXPECT_EQ(rt::TimerScheduler::nextDue(), -1);
}

TEST_F(Timers, DesignIntervalRunsFromTheLoad) {
    host.advance(200);
    (void)*designed;
    host.advance(1100);
    EXPECT_EQ(ticks, QStringList({"designed@700", "designed@1200"}));

    // Re-assigning the design value in code keeps the phase as well.
    designed->t.Interval(500);
    host.advance(500);
    EXPECT_EQ(ticks, QStringList({"designed@700", "designed@1200", "designed@1700"}));
}

// --- DoEvents --------------------------------------------------------------------

TEST_F(Timers, DoEventsInsideATickDoesNotReenterThatTimer) {
    Ticker& f = *ticker;
    int depth = 0, deepest = 0;
    f.t.Interval(100);
    f.u.Interval(150);
    f.onT = [&] {
        deepest = std::max(deepest, ++depth);
        host.beep(440, 250); // t is due again meanwhile, and so is u
        rt::DoEvents();
        --depth;
    };
    f.onU = [&] { ticks << QString("u inside t: %1").arg(depth); };
    host.advance(360);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(ticks.mid(0, 3), QStringList({"t@100", "u@350", "u inside t: 1"}))
        << "DoEvents runs the other timer re-entrantly";
}

TEST_F(Timers, DoEventsNeitherAdvancesTimeNorFiresEarly) {
    ticker->t.Interval(1000);
    host.advance(999);
    rt::DoEvents();
    EXPECT_TRUE(ticks.isEmpty());
    EXPECT_EQ(host.nowMs(), 999);
    host.beep(440, 1);
    rt::DoEvents();
    EXPECT_EQ(ticks, QStringList({"t@1000"}));
}

struct Busy : rt::Form {
    Busy() : Form("Busy") {
        // Plays a tune, letting events in between notes.
        work.Click = [this] {
            for (int note = 0; note < 20; ++note) {
                rt::host().beep(440, 100);
                rt::DoEvents();
                if (!isLoaded()) {
                    ticks << "busy: window gone";
                    return;
                }
            }
            ticks << "busy: finished";
        };
        closer.Click = [this] { rt::Unload(*this); };
        stopper.OnTimer = [this] { rt::Unload(*this); };
    }
    rt::Label work{*this, "work"};
    rt::Label closer{*this, "closer"};
    rt::Timer stopper{*this, "stopper"};
};

rt::FormRef<Busy> busy;

TEST_F(Timers, HandlerInDoEventsSeesItsWindowUnloadedByATimer) {
    busy->stopper.Interval(450);
    host.click(busy->work);
    EXPECT_EQ(ticks, QStringList({"busy: window gone"}));
    EXPECT_FALSE(busy.IsLoaded());
    EXPECT_TRUE(rt::loadedForms().empty());
}

TEST_F(Timers, HandlerInDoEventsSeesItsWindowUnloadedByInput) {
    host.postClick(busy->closer);
    host.click(busy->work);
    EXPECT_EQ(ticks, QStringList({"busy: window gone"}));
    EXPECT_FALSE(busy.IsLoaded());
}

TEST_F(Timers, InputForAnUnloadedWindowIsDropped) {
    host.postClick(busy->work);
    busy.Unload();
    rt::DoEvents();
    EXPECT_EQ(host.pendingInput(), 0u);
    EXPECT_TRUE(ticks.isEmpty());
    EXPECT_FALSE(busy.IsLoaded()) << "the posted click must not reload the window";
}

} // namespace
