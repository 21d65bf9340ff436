#pragma once
#include "runtime/forms/control.h"

#include <cstdint>
#include <functional>

namespace rt {

// A timer control. Ticks are scheduled against the host's monotonic clock
// without drift: the next tick is due one interval after the previous one was
// due, not after it ended. Assigning the interval a timer already has keeps its
// countdown; another interval starts a new one; 0 stops it.
class Timer : public Control {
public:
    Timer(Control& container, QString name);
    ~Timer() override;

    int Interval() const { return interval_; }
    void Interval(int ms);
    bool Enabled() const { return enabled_; }
    void Enabled(bool v);

    std::function<void()> OnTimer;

    bool running() const { return dueMs_ >= 0; }
    std::int64_t dueMs() const { return dueMs_; }
    void stop();
    // Its window has loaded: an interval set at design time starts counting now.
    void start() { restart(); }

private:
    friend class TimerScheduler;
    void restart();

    int interval_ = 0;
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

private:
    friend class Timer;
    static void add(Timer* timer);
    static void remove(Timer* timer);
    static void changed();
};

} // namespace rt
