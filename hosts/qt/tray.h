#pragma once
// Notification-area icons, one QSystemTrayIcon per (window, id).
#include "runtime/host.h"
#include "runtime/system/shell.h"

#include <QElapsedTimer>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QString>
#include <QSystemTrayIcon>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace rt {
class Menu;
}

namespace tavrin::qt {

class TrayIcons {
public:
    TrayIcons();
    ~TrayIcons();

    bool apply(rt::TrayOp op, const rt::TrayIconState& state);
    // The icon for tests and the host; null when there is none.
    QSystemTrayIcon* icon(std::int32_t ownerHwnd, std::uint32_t id) const;
    // The copy of the icon's menu that a StatusNotifierItem panel shows itself.
    QMenu* panelMenu(std::int32_t ownerHwnd, std::uint32_t id) const;

    // A popup menu the program opens while the panel's copy is being made
    // goes into that copy instead of onto the screen.
    bool takeMenu(const rt::Form& owner, const rt::Menu& menu);
    // Whether panels show the icons' menus themselves (a StatusNotifierItem
    // host on the session bus); found out when an icon is made unless set.
    void setPanelShowsMenus(bool shows) { panelShowsMenus_ = shows; }

    // What a click on the icon sends its window, as the mouse message the
    // window asked for arrives there: (X = message in pixels).
    static constexpr int kDoubleClickMessage = rt::WM_LBUTTONDBLCLK;
    static constexpr int kContextMessage = rt::WM_RBUTTONUP;
    static constexpr std::uint32_t kMouseMoveCallback = rt::WM_MOUSEMOVE;

private:
    using Key = std::pair<std::int32_t, std::uint32_t>;
    struct Entry {
        std::unique_ptr<QSystemTrayIcon> icon;
        std::uint32_t callbackMessage = 0;
        bool inTray = false; // a notification area took it
        QElapsedTimer lastTrigger; // invalid: no single click waiting for a second
        // Only for panels that show the menu themselves.
        std::unique_ptr<QMenu> panelMenu;
        QHash<QAction*, rt::Menu*> items;
        const rt::Menu* menuSource = nullptr;
        std::int32_t menuForm = 0; // the window holding menuSource
    };

    // A change that waits for its window to be on the screen.
    struct Waiting {
        rt::TrayOp op;
        Key key;
        std::uint32_t callbackMessage;
        std::optional<QImage> icon;
        std::optional<QString> tip;
    };

    bool applyNow(rt::TrayOp op, const Key& key, const rt::TrayIconState& state);
    void catchUp(std::int32_t owner);
    void update(Entry& entry, const rt::TrayIconState& state);
    void showIn(Entry& entry);
    void activated(const Key& key, QSystemTrayIcon::ActivationReason reason);
    // The clock swaps between the same two pictures every second.
    const QIcon& iconFor(const QImage& image);
    void sendMessage(const Key& key, int message);
    bool panelShowsMenus() const;
    void givePanelMenu(const Key& key, Entry& entry);
    void learnMenu(const Key& key);
    void refreshPanelMenu(Entry& entry);
    void refreshPanelMenusLater();
    void chosen(const Key& key, QAction* action);

    std::map<Key, Entry> icons_;
    std::map<qint64, QIcon> pictures_;
    std::map<std::int32_t, std::vector<Waiting>> waiting_;
    std::optional<bool> panelShowsMenus_;
    std::optional<Key> taking_;
    bool refreshPending_ = false;
    std::function<void()> previousMenuListener_;
};

} // namespace tavrin::qt
