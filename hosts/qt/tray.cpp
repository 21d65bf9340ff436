#include "hosts/qt/tray.h"

#include "hosts/qt/peers.h"
#include "hosts/qt/popupmenu.h"

#include "runtime/forms/form.h"
#include "runtime/forms/menu.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

namespace tavrin::qt {
namespace {

// The check Qt makes when it picks the StatusNotifierItem protocol over an
// X tray window for an icon on X11.
bool statusNotifierWatcherOnTheBus() {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

} // namespace

TrayIcons::TrayIcons() {
    previousMenuListener_ = setMenuChangeListener([this] { refreshPanelMenusLater(); });
}

// A second host made for a moment (tests make one) must not leave the first deaf.
TrayIcons::~TrayIcons() { setMenuChangeListener(std::move(previousMenuListener_)); }

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

QMenu* TrayIcons::panelMenu(std::int32_t ownerHwnd, std::uint32_t id) const {
    auto it = icons_.find({ownerHwnd, id});
    return it == icons_.end() ? nullptr : it->second.panelMenu.get();
}

void TrayIcons::update(Entry& entry, const rt::TrayIconState& state) {
    entry.callbackMessage = state.callbackMessage;
    if (state.icon && !state.icon->isNull())
        entry.icon->setIcon(iconFor(*state.icon));
    // Every change passes the tip along; Qt would send it to the panel again
    // each time, so once a second as the icon alternates.
    if (state.tip && entry.icon->toolTip() != *state.tip)
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
    // As applyNow answers: no change nor removal of a missing icon, no second add.
    if ((op == rt::TrayOp::Add) == exists)
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
        if (panelShowsMenus())
            givePanelMenu(key, it->second);
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
        // Not hidden now: hiding destroys Qt's tray window, and the command
        // may have come from that window's own mouse event, still under way.
        // Deleting the icon hides it.
        deleteWhenEventsDone(it->second.icon.release());
        if (it->second.panelMenu)
            deleteWhenEventsDone(it->second.panelMenu.release());
        icons_.erase(it);
        return true;
    }
    return false;
}

// An X tray window reports a double-click; a StatusNotifierItem panel only
// sends one activation per click. Two within the double-click time are one
// double-click either way.
void TrayIcons::activated(const Key& key, QSystemTrayIcon::ActivationReason reason) {
    auto it = icons_.find(key);
    if (it == icons_.end() || it->second.callbackMessage != kMouseMoveCallback)
        return;
    Entry& entry = it->second;
    switch (reason) {
    case QSystemTrayIcon::Trigger: {
        if (entry.lastTrigger.isValid() && entry.lastTrigger.elapsed() <= QApplication::doubleClickInterval()) {
            entry.lastTrigger.invalidate();
            sendMessage(key, kDoubleClickMessage);
        } else {
            entry.lastTrigger.start();
        }
        return;
    }
    case QSystemTrayIcon::DoubleClick:
        entry.lastTrigger.invalidate();
        sendMessage(key, kDoubleClickMessage);
        return;
    case QSystemTrayIcon::Context:
        // A panel that shows the menu itself has it already.
        if (!entry.panelMenu)
            sendMessage(key, kContextMessage);
        return;
    default: return; // the middle button means nothing to the clock
    }
}

void TrayIcons::sendMessage(const Key& key, int message) {
    rt::Form* owner = rt::Form::fromHandle(key.first);
    if (owner && owner->isLoaded())
        owner->userMouseMove(0, 0, message, 0);
}

// --- the menu a StatusNotifierItem panel shows ---------------------------------

bool TrayIcons::panelShowsMenus() const {
    return panelShowsMenus_ ? *panelShowsMenus_ : statusNotifierWatcherOnTheBus();
}

// Such a panel opens the icon's menu on the right button itself and tells
// the program nothing, so the icon carries a copy of the program's menu,
// kept in step with it. The program names that menu by opening it on the
// icon's right-button message.
void TrayIcons::givePanelMenu(const Key& key, Entry& entry) {
    entry.panelMenu = std::make_unique<QMenu>();
    QMenu* menu = entry.panelMenu.get();
    QObject::connect(menu, &QMenu::triggered, menu, [this, key](QAction* a) { chosen(key, a); });
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this, key] {
        auto it = icons_.find(key);
        if (it != icons_.end() && it->second.menuSource)
            refreshPanelMenu(it->second);
        else
            learnMenu(key);
    });
    entry.icon->setContextMenu(menu);
    // Once the window's activation, which adds the icon, is over.
    QTimer::singleShot(0, menu, [this, key] { learnMenu(key); });
}

void TrayIcons::learnMenu(const Key& key) {
    if (taking_)
        return;
    taking_ = key;
    sendMessage(key, kContextMessage);
    taking_.reset();
}

bool TrayIcons::takeMenu(const rt::Form& owner, const rt::Menu& menu) {
    if (!taking_ || taking_->first != owner.hWnd())
        return false;
    auto it = icons_.find(*taking_);
    if (it == icons_.end() || !it->second.panelMenu)
        return false;
    it->second.menuSource = &menu;
    it->second.menuForm = menu.Parent().hWnd();
    refreshPanelMenu(it->second);
    return true;
}

void TrayIcons::refreshPanelMenu(Entry& entry) {
    // Window handles are never reused: a live handle still holds the menu.
    rt::Form* holder = rt::Form::fromHandle(entry.menuForm);
    if (!entry.menuSource || !holder || !holder->isLoaded()) {
        entry.menuSource = nullptr;
        entry.items.clear();
        entry.panelMenu->clear();
        return;
    }
    fillMenu(*entry.panelMenu, *entry.menuSource, entry.items);
}

void TrayIcons::refreshPanelMenusLater() {
    if (refreshPending_)
        return;
    bool any = false;
    for (auto& [key, entry] : icons_)
        any = any || entry.menuSource;
    if (!any)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, qApp, [this] {
        refreshPending_ = false;
        for (auto& [key, entry] : icons_)
            if (entry.menuSource)
                refreshPanelMenu(entry);
    });
}

void TrayIcons::chosen(const Key& key, QAction* action) {
    auto it = icons_.find(key);
    if (it == icons_.end())
        return;
    rt::Menu* item = it->second.items.value(action);
    rt::Form* holder = rt::Form::fromHandle(it->second.menuForm);
    if (item && holder && holder->isLoaded())
        rt::raise(item->Click);
}

} // namespace tavrin::qt
