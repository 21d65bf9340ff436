#include "hosts/headless/headless_host.h"
#include "runtime/system/shell.h"

#include "runtime/forms/form.h"
#include "runtime/forms/menu.h"
#include "runtime/forms/runtime.h"
#include "runtime/forms/textbox.h"
#include "runtime/forms/timer.h"
#include "runtime/services/datetime.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace headless {

namespace {

QString pathOf(const rt::Control& control) {
    if (control.kind() == rt::Kind::Form)
        return control.Name();
    return control.Parent().Name() + QLatin1Char('.') + control.Name();
}

rt::Menu* findMenu(rt::Menu& menu, const QString& name) {
    for (rt::Menu* item : menu.items()) {
        if (item->Name() == name)
            return item;
        if (rt::Menu* found = findMenu(*item, name))
            return found;
    }
    return nullptr;
}

QString textOf(const QString* s) { return s ? *s : QString(); }

} // namespace

// Stands in for a window or widget: it only tells the host what changed.
class HeadlessHost::RecordingPeer final : public rt::Peer {
public:
    RecordingPeer(HeadlessHost& host, rt::Control& control) : host_(host), control_(control) {}
    void changed(rt::Prop what) override { host_.peerChanged(control_, what); }

private:
    HeadlessHost& host_;
    rt::Control& control_; // owns this peer, so it outlives it
};

HeadlessHost::HeadlessHost() : wallBase_(QDate(2026, 12, 8), QTime(9, 0, 0)) { rt::installHost(this); }

HeadlessHost::~HeadlessHost() {
    rt::unloadEverythingQuietly();
    // The program writes App (TaskVisible at start-up); the next test starts afresh.
    rt::App = rt::AppObject{};
    // The system's icons go with the session that showed them.
    rt::resetNotifyIcons();
    if (rt::hasHost() && &rt::host() == this)
        rt::installHost(nullptr);
}

// --- time --------------------------------------------------------------------

void HeadlessHost::advance(std::int64_t ms) {
    processPosted();
    const std::int64_t target = now_ + std::max<std::int64_t>(ms, 0);
    // A handler may block (a tone) and move now past the next due time; the
    // scheduler then fires that timer late, once, and drops what it missed.
    for (std::int64_t next = rt::TimerScheduler::nextDue(); next != -1 && next <= target;
         next = rt::TimerScheduler::nextDue()) {
        const std::int64_t late = lateness_ > 0 ? std::int64_t(random_() % unsigned(lateness_ + 1)) : 0;
        now_ = std::max(now_, std::min(next + late, target));
        rt::TimerScheduler::fireDue(now_);
    }
    now_ = std::max(now_, target);
}

void HeadlessHost::setLateness(int maxMs, unsigned seed) {
    lateness_ = std::max(maxMs, 0);
    random_.seed(seed);
}

void HeadlessHost::setWallClock(const QDateTime& at) {
    wallBase_ = at;
    wallBaseMs_ = now_;
    rt::TimerScheduler::wallClockChanged();
}

QDateTime HeadlessHost::wallClockDateTime() const { return wallBase_.addMSecs(now_ - wallBaseMs_); }

rt::LocalDateTime HeadlessHost::wallClock() {
    const QDateTime t = wallClockDateTime();
    const QDate d = t.date();
    const QTime tm = t.time();
    return {d.year(), d.month(), d.day(), tm.hour(), tm.minute(), tm.second(), tm.msec()};
}

void HeadlessHost::doEvents() {
    processPosted();
    fireTimersDueNow();
}

void HeadlessHost::fireTimersDueNow() {
    const std::int64_t next = rt::TimerScheduler::nextDue();
    if (next != -1 && next <= now_)
        rt::TimerScheduler::fireDue(now_);
}

void HeadlessHost::processPosted() {
    // Only what was waiting when we started: input posted by these handlers
    // waits for the next round, so a handler that posts cannot spin us forever.
    for (std::size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
        Posted p = std::move(posted_.front());
        posted_.pop_front();
        // Handles are never reused, so a live handle still names the same form.
        if (rt::Form::fromHandle(p.hWnd) == p.form && p.form->isLoaded())
            p.input();
    }
}

// --- screen ------------------------------------------------------------------

void HeadlessHost::setTwipsPerPixel(int x, int y) {
    twipsX_ = x;
    twipsY_ = y;
}

void HeadlessHost::setScreenSize(int widthPx, int heightPx) {
    screenW_ = widthPx;
    screenH_ = heightPx;
}

// --- input -------------------------------------------------------------------

void HeadlessHost::click(rt::Control& control) { control.userClick(); }
void HeadlessHost::dblClick(rt::Control& control) { control.userDblClick(); }

void HeadlessHost::mouseDown(rt::Control& control, int button, int shift, double xPx, double yPx) {
    control.userMouseDown(button, shift, xPx, yPx);
}
void HeadlessHost::mouseMove(rt::Control& control, int button, int shift, double xPx, double yPx) {
    control.userMouseMove(button, shift, xPx, yPx);
}
void HeadlessHost::mouseUp(rt::Control& control, int button, int shift, double xPx, double yPx) {
    control.userMouseUp(button, shift, xPx, yPx);
}

void HeadlessHost::typeText(rt::TextBox& box, const QString& text) { box.userTypes(text); }
int HeadlessHost::keyDown(rt::TextBox& box, int keyCode, int shift) { return box.userKeyDown(keyCode, shift); }

void HeadlessHost::trayMessage(rt::Form& owner, int message) { owner.userMouseMove(0, 0, message, 0); }

void HeadlessHost::activate(rt::Form& form) { form.userActivated(); }

void HeadlessHost::postClick(rt::Control& control) {
    post(control.Parent(), [&control] { control.userClick(); });
}

void HeadlessHost::post(rt::Form& form, std::function<void()> input) {
    posted_.push_back({form.hWnd(), &form, std::move(input)});
}

// --- peers -------------------------------------------------------------------

void HeadlessHost::attach(rt::Form& form) {
    record(CallKind::Attach, form.Name());
    attachTree(form);
}

void HeadlessHost::attachTree(rt::Control& control) {
    control.setPeer(std::make_unique<RecordingPeer>(*this, control));
    for (rt::Control* child : control.children())
        attachTree(*child);
}

void HeadlessHost::peerChanged(rt::Control& control, rt::Prop what) {
    ++notifications_[pathOf(control)][what];
    switch (what) {
    case rt::Prop::Region: {
        auto& form = static_cast<rt::Form&>(control);
        record(CallKind::Region, form.Name()).region = form.region();
        break;
    }
    case rt::Prop::Stacking: {
        auto& form = static_cast<rt::Form&>(control);
        record(CallKind::Stacking, form.Name()).flag = form.topmost();
        break;
    }
    case rt::Prop::Focus:
        record(CallKind::Focus, control.Parent().Name()).name = control.Name();
        break;
    default:
        break;
    }
}

void HeadlessHost::popupMenu(rt::Form& owner, rt::Menu& menu) {
    Call& call = record(CallKind::PopupMenu, owner.Name());
    call.name = menu.Name();
    if (popupChoices_.empty())
        return; // dismissed
    const QString choice = popupChoices_.front();
    popupChoices_.pop_front();
    call.text = choice;
    rt::Menu* item = findMenu(menu, choice);
    call.flag = item != nullptr;
    if (!item) {
        std::fprintf(stderr, "headless: popup menu %s has no item %s\n", qPrintable(menu.Name()),
                     qPrintable(choice));
        return;
    }
    rt::raise(item->Click);
}

// --- devices and dialogs -------------------------------------------------------

bool HeadlessHost::trayIcon(rt::TrayOp op, const rt::TrayIconState& state) {
    Call& call = record(CallKind::TrayIcon, state.owner ? state.owner->Name() : QString());
    call.a = static_cast<int>(op);
    call.b = state.id;
    call.c = state.callbackMessage;
    if (state.icon)
        call.image = *state.icon;
    if (state.tip)
        call.tip = *state.tip;

    TrayIconNow& icon = trayIcons_[state.id];
    switch (op) {
    case rt::TrayOp::Add:
        icon = TrayIconNow{true, state.icon ? *state.icon : QImage(), textOf(state.tip), state.callbackMessage,
                           call.owner};
        break;
    case rt::TrayOp::Modify:
        // What the request leaves out stays as it was.
        if (state.icon)
            icon.icon = *state.icon;
        if (state.tip)
            icon.tip = *state.tip;
        if (state.callbackMessage)
            icon.callbackMessage = state.callbackMessage;
        break;
    case rt::TrayOp::Delete:
        icon.present = false;
        break;
    }
    call.flag = icon.present;
    return true;
}

const TrayIconNow* HeadlessHost::trayIcon(std::uint32_t id) const {
    auto it = trayIcons_.find(id);
    return it == trayIcons_.end() ? nullptr : &it->second;
}

void HeadlessHost::beep(int frequencyHz, int durationMs) {
    Call& call = record(CallKind::Beep);
    call.a = frequencyHz;
    call.b = durationMs;
    // The thread is blocked for the tone: time passes, nothing fires.
    now_ += std::max(durationMs, 0);
}

void HeadlessHost::runDialogAction() {
    if (auto action = std::exchange(dialogAction_, nullptr))
        action();
}

int HeadlessHost::messageBox(const QString& prompt, int buttons, const QString& title) {
    runDialogAction();
    Call& call = record(CallKind::MessageBox);
    call.text = prompt;
    call.title = title;
    call.a = buttons;
    int answer = 2; // Cancel, as closing the box would answer
    if (messageAnswers_.empty()) {
        call.flag = true;
    } else {
        answer = messageAnswers_.front();
        messageAnswers_.pop_front();
    }
    call.b = answer;
    return answer;
}

std::optional<QString> HeadlessHost::fileDialog(const rt::FileDialogRequest& request) {
    runDialogAction();
    Call& call = record(CallKind::FileDialog, request.owner ? request.owner->Name() : QString());
    call.flag = request.save;
    call.text = textOf(request.title);
    call.filter = textOf(request.filterName) + QLatin1Char('|') + textOf(request.filterPattern);
    call.name = textOf(request.proposedName);
    call.extension = textOf(request.defaultExtension);
    call.a = request.confirmOverwrite;
    if (fileAnswers_.empty())
        return std::nullopt;
    const FileAnswer answer = fileAnswers_.front();
    fileAnswers_.pop_front();
    if (!answer.chosen)
        return std::nullopt;
    return answer.path;
}

void HeadlessHost::scriptFileDialog(const std::optional<QString>& answer) {
    fileAnswers_.push_back({answer.has_value(), answer.value_or(QString())});
}

void HeadlessHost::quit() {
    record(CallKind::Quit);
    quitRequested_ = true;
}

// --- records -------------------------------------------------------------------

Call& HeadlessHost::record(CallKind kind, QString owner) {
    Call call;
    call.kind = kind;
    call.owner = std::move(owner);
    call.atMs = now_;
    calls_.push_back(std::move(call));
    return calls_.back();
}

std::vector<Call> HeadlessHost::calls(CallKind kind) const {
    std::vector<Call> result;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(result),
                 [kind](const Call& c) { return c.kind == kind; });
    return result;
}

int HeadlessHost::count(CallKind kind) const {
    return int(std::count_if(calls_.begin(), calls_.end(), [kind](const Call& c) { return c.kind == kind; }));
}

void HeadlessHost::clearCalls() {
    calls_.clear();
    notifications_.clear();
}

int HeadlessHost::notifications(const QString& path) const {
    auto it = notifications_.find(path);
    if (it == notifications_.end())
        return 0;
    int total = 0;
    for (const auto& [prop, n] : it->second)
        total += n;
    return total;
}

int HeadlessHost::notifications(const QString& path, rt::Prop what) const {
    auto it = notifications_.find(path);
    if (it == notifications_.end())
        return 0;
    auto p = it->second.find(what);
    return p == it->second.end() ? 0 : p->second;
}

} // namespace headless
