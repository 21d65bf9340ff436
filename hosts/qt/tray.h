#pragma once
// Notification-area icons, one QSystemTrayIcon per (window, id).
#include "runtime/host.h"

#include <QIcon>
#include <QImage>
#include <QString>
#include <QSystemTrayIcon>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace tavrin::qt {

class TrayIcons {
public:
    TrayIcons();
    ~TrayIcons();

    bool apply(rt::TrayOp op, const rt::TrayIconState& state);
    // The icon for tests and the host; null when there is none.
    QSystemTrayIcon* icon(std::int32_t ownerHwnd, std::uint32_t id) const;

    // What a click on the icon sends its window, as the mouse message the
    // window asked for arrives there: (X = message in pixels).
    static constexpr int kDoubleClickMessage = 0x203; // left button double-click
    static constexpr int kContextMessage = 0x205;     // right button up
    static constexpr std::uint32_t kMouseMoveCallback = 0x200;

private:
    struct Entry {
        std::unique_ptr<QSystemTrayIcon> icon;
        std::uint32_t callbackMessage = 0;
        bool inTray = false; // a notification area took it
    };
    using Key = std::pair<std::int32_t, std::uint32_t>;

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

    std::map<Key, Entry> icons_;
    std::map<qint64, QIcon> pictures_;
    std::map<std::int32_t, std::vector<Waiting>> waiting_;
};

} // namespace tavrin::qt
