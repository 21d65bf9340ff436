#pragma once
// Drives the runtime's timers: one single-shot Qt timer armed for the
// earliest due tick, against one monotonic clock.
#include <QElapsedTimer>
#include <QTimer>

#include <cstdint>

namespace tavrin::qt {

class TimerDriver {
public:
    TimerDriver();

    std::int64_t nowMs() const { return clock_.elapsed(); }
    // Arms for the runtime's next due time (-1: nothing to run).
    void schedule(std::int64_t dueMs);
    // Fires whatever is due now; the scheduler re-arms us through schedule().
    void fireDue();

private:
    QElapsedTimer clock_;
    QTimer timer_;
};

} // namespace tavrin::qt
