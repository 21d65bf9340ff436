#include "runtime/forms/menu.h"

namespace rt {

Menu::Menu(Control& parent, QString name, QString caption) : CaptionedControl(parent, std::move(name), Kind::Menu) {
    Caption(caption);
}

void Menu::Checked(bool v) {
    if (v == checked_)
        return;
    checked_ = v;
    changed(Prop::Value);
}

std::vector<Menu*> Menu::items() const {
    std::vector<Menu*> result;
    for (Control* c : children())
        if (c->kind() == Kind::Menu)
            result.push_back(static_cast<Menu*>(c));
    return result;
}

} // namespace rt
