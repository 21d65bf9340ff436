#pragma once
#include "runtime/forms/captioned.h"

namespace rt {

// Option buttons are exclusive within their direct container. Selecting one,
// by the user or by code, clears the others of its group and raises its
// Click; clearing one raises nothing. A group may have none selected.
class OptionButton : public CaptionedControl {
public:
    OptionButton(Control& container, QString name) : CaptionedControl(container, std::move(name), Kind::OptionButton) {}

    bool Value() const { return value_; }
    void Value(bool v);

    void userClick() override;

private:
    bool value_ = false;
};

} // namespace rt
