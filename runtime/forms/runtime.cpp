#include "runtime/forms/runtime.h"

#include "runtime/error.h"
#include "runtime/forms/form.h"
#include "runtime/forms/timer.h"
#include "runtime/services/datetime.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace rt {

AppObject App;
ScreenObject Screen;

QString ExeNameOf(const QString& command) {
    const QString name = QFileInfo(command).fileName();
    if (name.isEmpty() || name == u'.' || name == QStringLiteral(".."))
        return AppObject{}.EXEName;
    return name;
}

namespace {

// Read on every pixel of a scan, so kept outside the state below.
Host* installedHost = nullptr;

struct State {
    int depth = 0;
    std::vector<std::unique_ptr<Form>> loaded;
    std::vector<Form*> loadedView;
    std::vector<std::unique_ptr<Form>> graveyard;
    std::vector<std::function<void()>> whenDone;
    Form* active = nullptr;
    bool everLoaded = false;
    bool quitAsked = false;
};

// Never destroyed: a process that ends through exit() (Qt's answer to a
// lost X connection) would otherwise destroy the windows still loaded after
// the handle tables their destructors use.
State& state() {
    static State& s = *new State;
    return s;
}

void rebuildView() {
    auto& s = state();
    s.loadedView.clear();
    for (auto& f : s.loaded)
        s.loadedView.push_back(f.get());
}

// Runs once the outermost event has returned.
void afterOutermostEvent() {
    auto& s = state();
    while (!s.graveyard.empty() || !s.whenDone.empty()) {
        auto dead = std::move(s.graveyard);
        dead.clear();
        auto waiting = std::move(s.whenDone);
        for (auto& f : waiting)
            f();
    }
}

// The last window is gone: the program ends, even while a handler still runs
// (one waiting in a modal dialog or a menu needs the host to end those too).
void endWhenNothingIsLoaded() {
    auto& s = state();
    if (s.everLoaded && s.loaded.empty() && !s.quitAsked && installedHost) {
        s.quitAsked = true;
        installedHost->quit();
    }
}

} // namespace

void installHost(Host* h) {
    installedHost = h;
    state().quitAsked = false;
}

Host& host() {
    if (!installedHost)
        throw RuntimeError(err::InvalidCall, "no host installed");
    return *installedHost;
}

bool hasHost() { return installedHost != nullptr; }

void dispatch(const std::function<void()>& handler) {
    auto& s = state();
    ++s.depth;
    try {
        handler();
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "tavrin: run-time error %d: %s\n", e.number(), e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavrin: error: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "tavrin: unknown error in an event handler\n");
    }
    if (--s.depth == 0)
        afterOutermostEvent();
}

int dispatchDepth() { return state().depth; }

void whenEventsDone(std::function<void()> f) {
    auto& s = state();
    if (s.depth == 0)
        f();
    else
        s.whenDone.push_back(std::move(f));
}

void DoEvents() {
    if (hasHost())
        host().doEvents();
}

const std::vector<Form*>& loadedForms() { return state().loadedView; }

Form* activeForm() { return state().active; }

void unloadEverythingQuietly() {
    auto& s = state();
    for (auto& f : s.loaded)
        f->dropPeers();
    s.active = nullptr;
    s.quitAsked = true; // a quiet teardown is not the program's end
    // Unload in reverse order without events; each unload retires its form.
    while (!s.loaded.empty()) {
        Form* f = s.loaded.back().get();
        f->unloadNow();
    }
    afterOutermostEvent();
    s.everLoaded = false;
    s.quitAsked = false;
    TimerScheduler::reset();
}

namespace detail {

void registerLoaded(std::unique_ptr<Form> form) {
    auto& s = state();
    s.loaded.push_back(std::move(form));
    s.everLoaded = true;
    rebuildView();
}

void retire(Form& form) {
    auto& s = state();
    if (s.active == &form)
        s.active = nullptr;
    auto it = std::find_if(s.loaded.begin(), s.loaded.end(), [&](auto& p) { return p.get() == &form; });
    if (it == s.loaded.end())
        return;
    s.graveyard.push_back(std::move(*it));
    s.loaded.erase(it);
    rebuildView();
    endWhenNothingIsLoaded();
    if (s.depth == 0)
        afterOutermostEvent();
}

void setActive(Form* form) {
    auto& s = state();
    if (s.active == form)
        return;
    s.active = form;
    if (form)
        dispatch([form] { form->Form_Activate(); });
}

} // namespace detail

int ScreenObject::TwipsPerPixelX() const { return hasHost() ? host().twipsPerPixelX() : 15; }
int ScreenObject::TwipsPerPixelY() const { return hasHost() ? host().twipsPerPixelY() : 15; }
double ScreenObject::Width() const { return hasHost() ? double(host().screenWidthPixels()) * TwipsPerPixelX() : 0.0; }
double ScreenObject::Height() const {
    return hasHost() ? double(host().screenHeightPixels()) * TwipsPerPixelY() : 0.0;
}

bool ScreenObject::ShowsPartOf(double left, double top, double width, double height) const {
    if (!hasHost())
        return false;
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    for (const QRect& m : host().monitorsPixels())
        if (left < (m.x() + m.width()) * tx && left + width > m.x() * tx && top < (m.y() + m.height()) * ty &&
            top + height > m.y() * ty)
            return true;
    return false;
}

LocalDateTime wallClockNow() { return host().wallClock(); }

} // namespace rt
