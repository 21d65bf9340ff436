#include "hosts/qt/tray.h"

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

bool TrayIcons::apply(rt::TrayOp op, const rt::TrayIconState& state) {
    const std::int32_t owner = state.owner ? state.owner->hWnd() : 0;
    const Key key{owner, state.id};
    auto it = icons_.find(key);
    switch (op) {
    case rt::TrayOp::Add: {
        if (it == icons_.end()) {
            Entry entry;
            entry.icon = std::make_unique<QSystemTrayIcon>();
            QObject::connect(entry.icon.get(), &QSystemTrayIcon::activated, entry.icon.get(),
                             [this, key](QSystemTrayIcon::ActivationReason r) { activated(key, r); });
            it = icons_.emplace(key, std::move(entry)).first;
        }
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
