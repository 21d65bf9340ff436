#include "hosts/qt/popupmenu.h"

#include "runtime/forms/menu.h"

#include <utility>
#include <vector>

namespace tavrin::qt {
namespace {

enum class Shape { Separator, Submenu, Item, CheckedItem };

Shape shapeOf(const rt::Menu& item) {
    if (item.isSeparator())
        return Shape::Separator;
    if (!item.items().empty())
        return Shape::Submenu;
    return item.Checked() ? Shape::CheckedItem : Shape::Item;
}

Shape shapeOf(const QAction& action) {
    if (action.isSeparator())
        return Shape::Separator;
    if (action.menu())
        return Shape::Submenu;
    return action.isCheckable() ? Shape::CheckedItem : Shape::Item;
}

// What an item's action follows without being made anew.
void mirror(QAction& action, const rt::Menu& item) {
    if (!action.isSeparator()) {
        action.setText(item.Caption());
        action.setEnabled(item.Enabled());
    }
    action.setVisible(item.Visible());
}

void addItems(QMenu& into, const rt::Menu& menu, QHash<QAction*, rt::Menu*>& items, bool keepHidden) {
    for (rt::Menu* item : menu.items()) {
        if (!item->Visible() && !keepHidden)
            continue;
        QAction* action = nullptr;
        switch (shapeOf(*item)) {
        case Shape::Separator: action = into.addSeparator(); break;
        case Shape::Submenu: {
            QMenu* sub = into.addMenu(item->Caption());
            addItems(*sub, *item, items, keepHidden);
            action = sub->menuAction();
            break;
        }
        case Shape::CheckedItem:
        case Shape::Item:
            action = into.addAction(item->Caption());
            action->setCheckable(item->Checked());
            action->setChecked(item->Checked());
            items.insert(action, item);
            break;
        }
        mirror(*action, *item);
    }
}

// One action of the same shape for each item, hidden ones included.
bool sameShape(const QMenu& into, const rt::Menu& menu) {
    const QList<QAction*> actions = into.actions();
    const std::vector<rt::Menu*> items = menu.items();
    if (actions.size() != qsizetype(items.size()))
        return false;
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (shapeOf(*actions[i]) != shapeOf(*items[i]))
            return false;
        if (actions[i]->menu() && !sameShape(*actions[i]->menu(), *items[i]))
            return false;
    }
    return true;
}

void mirrorItems(QMenu& into, const rt::Menu& menu, QHash<QAction*, rt::Menu*>& items) {
    const QList<QAction*> actions = into.actions();
    const std::vector<rt::Menu*> source = menu.items();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        mirror(*actions[i], *source[i]);
        if (actions[i]->menu())
            mirrorItems(*actions[i]->menu(), *source[i], items);
        else if (!actions[i]->isSeparator())
            items.insert(actions[i], source[i]);
    }
}

} // namespace

BuiltMenu buildMenu(const rt::Menu& menu) {
    BuiltMenu built;
    built.menu = std::make_unique<QMenu>();
    addItems(*built.menu, menu, built.items, false);
    return built;
}

// A panel that shows the menu keeps each item under the id it got with it:
// the menu made anew while the panel opens it closes there at once. So the
// items are changed where they stand, and the menu is made anew only when
// an item comes or goes or changes its kind. A check mark counts as a kind,
// for a panel reads whether an item has a check box only when it gets it;
// marks change only by a command, once the menu is closed.
void fillMenu(QMenu& into, const rt::Menu& menu, QHash<QAction*, rt::Menu*>& items) {
    if (sameShape(into, menu)) {
        mirrorItems(into, menu, items);
        return;
    }
    items.clear();
    into.clear();
    addItems(into, menu, items, true);
}

namespace {
std::function<void()>& changeListener() {
    static std::function<void()> listener;
    return listener;
}
} // namespace

std::function<void()> setMenuChangeListener(std::function<void()> listener) {
    return std::exchange(changeListener(), std::move(listener));
}

void menuChanged() {
    if (changeListener())
        changeListener()();
}

} // namespace tavrin::qt
