#include "runtime/forms/timer.h"

#include "runtime/forms/form.h"
#include "runtime/forms/runtime.h"
#include "runtime/services/datetime.h"

#include <algorithm>
#include <vector>

namespace rt {
namespace {

std::vector<Timer*>& running() {
    static std::vector<Timer*> timers;
    return timers;
}

// Timers whose handler is running: they do not fire again re-entrantly
// (from a DoEvents inside their own handler).
std::vector<Timer*>& inHandler() {
    static std::vector<Timer*> timers;
    return timers;
}

bool isInHandler(const Timer* t) {
    auto& list = inHandler();
    return std::find(list.begin(), list.end(), t) != list.end();
}

std::uint64_t nextOrder = 0;

std::int64_t now() { return hasHost() ? host().monotonicMs() : 0; }

std::int64_t wallMsOfDay() {
    const LocalDateTime w = wallClockNow();
    return ((w.hour * 60LL + w.minute) * 60 + w.second) * 1000 + w.msec;
}

} // namespace

Timer::Timer(Control& container, QString name) : Control(container, std::move(name), Kind::Timer) {
    Control::Visible(false);
}

Timer::~Timer() {
    stop();
    auto& list = inHandler();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void Timer::Interval(int ms) {
    if (ms < 0)
        ms = 0;
    if (ms == interval_)
        return;
    interval_ = ms;
    restart();
}

void Timer::Enabled(bool v) {
    if (v == enabled_)
        return;
    enabled_ = v;
    restart();
}

void Timer::Phase(int ms) {
    if (ms == phase_)
        return;
    phase_ = ms;
    if (running())
        restart();
}

void Timer::setOnlyWhileShown(bool v) {
    onlyWhileShown_ = v;
    TimerScheduler::changed();
}

bool Timer::asleep() const { return onlyWhileShown_ && !Parent().Visible(); }

std::int64_t Timer::phasedDue(std::int64_t notBefore, std::int64_t nowMs) const {
    const std::int64_t wallThen = wallMsOfDay() + (notBefore - nowMs);
    const std::int64_t behind = ((wallThen - phase_) % interval_ + interval_) % interval_;
    return behind == 0 ? notBefore : notBefore + (interval_ - behind);
}

std::int64_t Timer::nextDueAfter(std::int64_t nowMs) const {
    // Half an interval at least, so that a late tick is not followed by
    // another one at once.
    if (phase_ >= 0 && hasHost())
        return phasedDue(nowMs + std::max(interval_ / 2, 1), nowMs);
    // One interval after this tick was due; ticks missed while the program
    // was busy are dropped, not caught up.
    const std::int64_t periods = (nowMs - dueMs_) / interval_ + 1;
    return dueMs_ + periods * interval_;
}

void Timer::catchUp() {
    if (!asleep() || !running() || isInHandler(this))
        return;
    const std::int64_t nowMs = now();
    if (dueMs_ <= nowMs)
        fire(nowMs);
}

void Timer::fire(std::int64_t nowMs) {
    dueMs_ = nextDueAfter(nowMs);
    inHandler().push_back(this);
    raise(OnTimer);
    // The handler may have unloaded the timer's window, and the timer may
    // be destroyed by now; its destructor has then left the list already.
    auto& busy = inHandler();
    busy.erase(std::remove(busy.begin(), busy.end(), this), busy.end());
}

void Timer::restart() {
    if (interval_ > 0 && enabled_ && Parent().isLoaded()) {
        const std::int64_t nowMs = now();
        dueMs_ = phase_ >= 0 && hasHost() ? phasedDue(nowMs + 1, nowMs) : nowMs + interval_;
        order_ = ++nextOrder;
        TimerScheduler::add(this);
    } else {
        stop();
    }
    TimerScheduler::changed();
}

void Timer::stop() {
    if (dueMs_ < 0)
        return;
    dueMs_ = -1;
    TimerScheduler::remove(this);
    TimerScheduler::changed();
}

void TimerScheduler::add(Timer* timer) {
    auto& list = running();
    if (std::find(list.begin(), list.end(), timer) == list.end())
        list.push_back(timer);
}

void TimerScheduler::remove(Timer* timer) {
    auto& list = running();
    list.erase(std::remove(list.begin(), list.end(), timer), list.end());
}

void TimerScheduler::changed() {
    if (hasHost())
        host().scheduleTimers(nextDue());
}

std::int64_t TimerScheduler::nextDue() {
    std::int64_t due = -1;
    for (Timer* t : running())
        if (!isInHandler(t) && !t->asleep() && (due < 0 || t->dueMs_ < due))
            due = t->dueMs_;
    return due;
}

void TimerScheduler::fireDue(std::int64_t nowMs) {
    // Take the due timers in order first: a handler may start, stop or
    // destroy timers, so each one is looked up again before it fires.
    std::vector<std::pair<std::int64_t, std::uint64_t>> due;
    for (Timer* t : running())
        if (!isInHandler(t) && !t->asleep() && t->dueMs_ <= nowMs)
            due.emplace_back(t->dueMs_, t->order_);
    std::sort(due.begin(), due.end());
    for (auto [dueMs, order] : due) {
        auto& list = running();
        auto it = std::find_if(list.begin(), list.end(), [&](Timer* t) { return t->order_ == order; });
        if (it == list.end())
            continue;
        Timer* t = *it;
        if (isInHandler(t) || t->asleep() || t->dueMs_ != dueMs)
            continue;
        t->fire(nowMs);
    }
    changed();
}

void TimerScheduler::wallClockChanged() {
    const std::int64_t nowMs = now();
    for (Timer* t : running())
        if (t->phase_ >= 0 && !isInHandler(t))
            t->dueMs_ = t->phasedDue(nowMs + 1, nowMs);
    changed();
}

void TimerScheduler::reset() {
    for (Timer* t : running())
        t->dueMs_ = -1;
    running().clear();
    changed();
}

} // namespace rt
