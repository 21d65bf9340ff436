#pragma once
#include "runtime/forms/control.h"

namespace rt {

// Option buttons are exclusive within their direct container. Selecting one,
// by the user or by code, clears the others of its group and raises its
// Click; clearing one raises nothing. A group may have none selected.
class OptionButton : public Control {
public:
    OptionButton(Control& container, QString name) : Control(container, std::move(name), Kind::OptionButton) {}

    const QString& Caption() const { return caption_; }
    void Caption(const QString& v) {
        if (v == caption_)
            return;
        caption_ = v;
        changed(Prop::Caption);
    }
    bool Value() const { return value_; }
    void Value(bool v);

    void userClick() override;

private:
    QString caption_;
    bool value_ = false;
};

} // namespace rt
