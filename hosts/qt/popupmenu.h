#pragma once
// Popup menus: a QMenu built from the form's menu items when it opens.
#include <QHash>
#include <QMenu>

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

} // namespace tavrin::qt
