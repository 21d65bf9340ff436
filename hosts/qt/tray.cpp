#include "hosts/qt/tray.h"

#include "hosts/qt/peers.h"

#include "runtime/forms/form.h"

#include <QIcon>
#include <QPixmap>

namespace tavrin::qt {

TrayIcons::TrayIcons() = default;
TrayIcons::~TrayIcons() = default;

QSystemTrayIcon* TrayIcons::icon(std::int32_t ownerHwnd, std::uint32_t id) const {
    auto it = icons_.find({ownerHwnd, id});
    return it == icons_.end() ? nullptr : it->second.icon.get();
}

const QIcon& TrayIcons::iconFor(const QImage& image) {
    auto it = pictures_.find(image.cacheKey());
    if (it != pictures_.end())
        return it->second;
    if (pictures_.size() >= 8)
        pictures_.clear();
    return pictures_.emplace(image.cacheKey(), QIcon(QPixmap::fromImage(image))).first->second;
}

void TrayIcons::update(Entry& entry, const rt::TrayIconState& state) {
    entry.callbackMessage = state.callbackMessage;
    if (state.icon && !state.icon->isNull())
        entry.icon->setIcon(iconFor(*state.icon));
    if (state.tip)
        entry.icon->setToolTip(*state.tip);
}

// Without a notification area the icon is kept all the same: Qt docks it as
// soon as one appears (a panel that starts after the clock), and so does the
// first change after that. The icon counts as added either way.
void TrayIcons::showIn(Entry& entry) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        entry.icon->show();
        entry.inTray = false;
        return;
    }
    if (entry.icon->isVisible() && !entry.inTray)
        entry.icon->hide();
    entry.icon->show();
    entry.inTray = true;
}

// An icon whose window is shown but not yet on the screen waits for it: at
// start-up the clock's window comes first, its icon right after. What the
// program does with the icon meanwhile is kept, in order, for then.
bool TrayIcons::apply(rt::TrayOp op, const rt::TrayIconState& state) {
    const std::int32_t owner = state.owner ? state.owner->hWnd() : 0;
    const Key key{owner, state.id};
    auto waiting = waiting_.find(owner);
    if (waiting == waiting_.end()) {
        auto* window = state.owner ? dynamic_cast<FormWindow*>(widgetOf(*state.owner)) : nullptr;
        if (!window || !window->onItsWay())
            return applyNow(op, key, state);
        waiting = waiting_.emplace(owner, std::vector<Waiting>{}).first;
        window->whenOnScreen([this, owner] { catchUp(owner); });
    }
    bool exists = icons_.count(key) != 0;
    for (const Waiting& w : waiting->second)
        if (w.key == key)
            exists = w.op != rt::TrayOp::Delete;
    if (op != rt::TrayOp::Add && !exists)
        return false;
    Waiting w{op, key, state.callbackMessage, {}, {}};
    if (state.icon)
        w.icon = *state.icon;
    if (state.tip)
        w.tip = *state.tip;
    waiting->second.push_back(std::move(w));
    return true;
}

void TrayIcons::catchUp(std::int32_t owner) {
    auto node = waiting_.extract(owner);
    if (node.empty())
        return;
    for (const Waiting& w : node.mapped()) {
        const rt::TrayIconState state{.id = w.key.second,
                                      .callbackMessage = w.callbackMessage,
                                      .icon = w.icon ? &*w.icon : nullptr,
                                      .tip = w.tip ? &*w.tip : nullptr};
        applyNow(w.op, w.key, state);
    }
}

bool TrayIcons::applyNow(rt::TrayOp op, const Key& key, const rt::TrayIconState& state) {
    auto it = icons_.find(key);
    switch (op) {
    case rt::TrayOp::Add: {
        // An icon that is there already is refused and keeps its picture.
        if (it != icons_.end())
            return false;
        Entry entry;
        entry.icon = std::make_unique<QSystemTrayIcon>();
        QObject::connect(entry.icon.get(), &QSystemTrayIcon::activated, entry.icon.get(),
                         [this, key](QSystemTrayIcon::ActivationReason r) { activated(key, r); });
        it = icons_.emplace(key, std::move(entry)).first;
        update(it->second, state);
        showIn(it->second);
        return true;
    }
    case rt::TrayOp::Modify:
        if (it == icons_.end())
            return false;
        update(it->second, state);
        if (!it->second.inTray)
            showIn(it->second);
        return true;
    case rt::TrayOp::Delete:
        if (it == icons_.end())
            return false;
        it->second.icon->hide();
        // Later: this may run inside the icon's own activation.
        it->second.icon.release()->deleteLater();
        icons_.erase(it);
        return true;
    }
    return false;
}

void TrayIcons::activated(const Key& key, QSystemTrayIcon::ActivationReason reason) {
    auto it = icons_.find(key);
    if (it == icons_.end() || it->second.callbackMessage != kMouseMoveCallback)
        return;
    int message = 0;
    if (reason == QSystemTrayIcon::DoubleClick)
        message = kDoubleClickMessage;
    else if (reason == QSystemTrayIcon::Context)
        message = kContextMessage;
    else
        return; // single clicks and the middle button mean nothing to the clock
    rt::Form* owner = rt::Form::fromHandle(key.first);
    if (owner && owner->isLoaded())
        owner->userMouseMove(0, 0, message, 0);
}

} // namespace tavrin::qt
