#pragma once
// Popup menus: a QMenu built from the form's menu items when it opens.
#include <QHash>
#include <QMenu>

#include <functional>
#include <memory>

namespace rt {
class Menu;
}

namespace tavrin::qt {

struct BuiltMenu {
    std::unique_ptr<QMenu> menu;
    QHash<QAction*, rt::Menu*> items; // chosen action -> the item whose Click runs
};

// The visible items under `menu`: "-" separators, check marks, submenus,
// enabled state, '&' mnemonics as Qt shows them.
BuiltMenu buildMenu(const rt::Menu& menu);
// The same into a menu that may hold an earlier fill, hidden items included
// so that they can show: what changed is changed in place where it can be.
void fillMenu(QMenu& into, const rt::Menu& menu, QHash<QAction*, rt::Menu*>& items);

// Menu items tell this when their caption, mark or state changes, so a copy
// of a menu kept elsewhere (a notification panel's) can follow. Returns the
// listener it replaces, so a short-lived owner can put it back.
std::function<void()> setMenuChangeListener(std::function<void()> listener);
void menuChanged();

} // namespace tavrin::qt
