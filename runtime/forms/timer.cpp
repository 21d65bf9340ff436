#include "runtime/forms/timer.h"

#include "runtime/forms/form.h"
#include "runtime/forms/runtime.h"

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

void Timer::restart() {
    if (interval_ > 0 && enabled_ && Parent().isLoaded()) {
        dueMs_ = now() + interval_;
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
        if (!isInHandler(t) && (due < 0 || t->dueMs_ < due))
            due = t->dueMs_;
    return due;
}

void TimerScheduler::fireDue(std::int64_t nowMs) {
    // Take the due timers in order first: a handler may start, stop or
    // destroy timers, so each one is looked up again before it fires.
    std::vector<std::pair<std::int64_t, std::uint64_t>> due;
    for (Timer* t : running())
        if (!isInHandler(t) && t->dueMs_ <= nowMs)
            due.emplace_back(t->dueMs_, t->order_);
    std::sort(due.begin(), due.end());
    for (auto [dueMs, order] : due) {
        auto& list = running();
        auto it = std::find_if(list.begin(), list.end(), [&](Timer* t) { return t->order_ == order; });
        if (it == list.end())
            continue;
        Timer* t = *it;
        if (isInHandler(t) || t->dueMs_ != dueMs)
            continue;
        // Next tick one interval after this one was due; ticks missed while
        // the program was busy are dropped, not caught up.
        const std::int64_t periods = (nowMs - t->dueMs_) / t->interval_ + 1;
        t->dueMs_ += periods * t->interval_;
        inHandler().push_back(t);
        raise(t->OnTimer);
        // The handler may have unloaded the timer's window, and the timer may
        // be destroyed by now; its destructor has then left the list already.
        auto& busy = inHandler();
        busy.erase(std::remove(busy.begin(), busy.end(), t), busy.end());
    }
    changed();
}

void TimerScheduler::reset() {
    for (Timer* t : running())
        t->dueMs_ = -1;
    running().clear();
    changed();
}

} // namespace rt
