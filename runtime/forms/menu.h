#pragma once
#include "runtime/forms/captioned.h"

#include <vector>

namespace rt {

// A menu item; its children are its submenu. A caption of "-" is a separator.
class Menu : public CaptionedControl {
public:
    Menu(Control& parent, QString name, QString caption);

    bool Checked() const { return checked_; }
    void Checked(bool v);
    bool isSeparator() const { return Caption() == QStringLiteral("-"); }
    std::vector<Menu*> items() const;

private:
    bool checked_ = false;
};

} // namespace rt
