#pragma once
#include "runtime/forms/control.h"

#include <vector>

namespace rt {

// A menu item; its children are its submenu. A caption of "-" is a separator.
class Menu : public Control {
public:
    Menu(Control& parent, QString name, QString caption);

    const QString& Caption() const { return caption_; }
    void Caption(const QString& v);
    bool Checked() const { return checked_; }
    void Checked(bool v);
    bool isSeparator() const { return caption_ == QStringLiteral("-"); }
    std::vector<Menu*> items() const;

private:
    QString caption_;
    bool checked_ = false;
};

} // namespace rt
