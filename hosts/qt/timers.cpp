#include "hosts/qt/timers.h"

#include "runtime/forms/timer.h"

#include <algorithm>

namespace tavrin::qt {

TimerDriver::TimerDriver() {
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fireDue(); });
}

void TimerDriver::schedule(std::int64_t dueMs) {
    if (dueMs < 0) {
        timer_.stop();
        return;
    }
    // The scheduler keeps ticks drift-free; we only wake up when it says.
    timer_.start(int(std::clamp<std::int64_t>(dueMs - nowMs(), 0, 24 * 3600 * 1000)));
}

void TimerDriver::fireDue() { rt::TimerScheduler::fireDue(nowMs()); }

} // namespace tavrin::qt
