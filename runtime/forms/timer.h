#pragma once
#include "runtime/forms/control.h"

#include <cstdint>
#include <functional>

namespace rt {

// A timer control. Ticks are scheduled against the host's monotonic clock
// without drift: the next tick is due one interval after the previous one was
// due, not after it ended. Assigning the interval a timer already has keeps its
// countdown; another interval starts a new one; 0 stops it.
//
// A phased timer ticks when the wall clock's time of day, in milliseconds, is
// its phase modulo its interval (a tick at least half an interval after the
// one before), so that it can keep clear of the wall clock's second
// boundaries. A timer that serves only its window's own controls sleeps
// while the window is hidden; whoever reads those controls then calls
// catchUp(), which runs the tick that fell due meanwhile, if any.
class Timer : public Control {
public:
    Timer(Control& container, QString name);
    ~Timer() override;

    int Interval() const { return interval_; }
    void Interval(int ms);
    bool Enabled() const { return enabled_; }
    void Enabled(bool v);

    std::function<void()> OnTimer;

    int Phase() const { return phase_; }
    void Phase(int ms);
    void setOnlyWhileShown(bool v);
    // Runs the tick now if one fell due while the timer slept.
    void catchUp();

    bool running() const { return dueMs_ >= 0; }
    std::int64_t dueMs() const { return dueMs_; }
    void stop();
    // Its window has loaded: an interval set at design time starts counting now.
    void start() { restart(); }

private:
    friend class TimerScheduler;
    void restart();
    bool asleep() const;
    // When the tick after one run at nowMs falls due.
    std::int64_t nextDueAfter(std::int64_t nowMs) const;
    std::int64_t phasedDue(std::int64_t notBefore, std::int64_t nowMs) const;
    void fire(std::int64_t nowMs);

    int interval_ = 0;
    int phase_ = -1;
    bool onlyWhileShown_ = false;
    bool enabled_ = true;
    std::int64_t dueMs_ = -1;
    std::uint64_t order_ = 0;
};

// The runtime's one list of running timers; hosts ask it when the next tick
// is due and let it fire what is due.
class TimerScheduler {
public:
    static std::int64_t nextDue();
    // Fires each timer due at or before now once, earliest first.
    static void fireDue(std::int64_t nowMs);
    static void reset();
    // The wall clock was set: phased timers find their phase again.
    static void wallClockChanged();
    // A window was shown or hidden: timers that sleep while it is hidden
    // wake up or go to sleep.
    static void changed();

private:
    friend class Timer;
    static void add(Timer* timer);
    static void remove(Timer* timer);
};

} // namespace rt
