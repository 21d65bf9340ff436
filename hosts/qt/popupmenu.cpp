#include "hosts/qt/popupmenu.h"

#include "runtime/forms/menu.h"

#include <utility>

namespace tavrin::qt {
namespace {

void addItems(QMenu& into, const rt::Menu& menu, QHash<QAction*, rt::Menu*>& items) {
    for (rt::Menu* item : menu.items()) {
        if (!item->Visible())
            continue;
        if (item->isSeparator()) {
            into.addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (!item->items().empty()) {
            QMenu* sub = into.addMenu(item->Caption());
            addItems(*sub, *item, items);
            action = sub->menuAction();
        } else {
            action = into.addAction(item->Caption());
            items.insert(action, item);
        }
        if (item->Checked()) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        action->setEnabled(item->Enabled());
    }
}

} // namespace

BuiltMenu buildMenu(const rt::Menu& menu) {
    BuiltMenu built;
    built.menu = std::make_unique<QMenu>();
    addItems(*built.menu, menu, built.items);
    return built;
}

void fillMenu(QMenu& into, const rt::Menu& menu, QHash<QAction*, rt::Menu*>& items) {
    items.clear();
    into.clear();
    addItems(into, menu, items);
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
