#pragma once
#include "runtime/forms/captioned.h"

namespace rt {

// A check box: 0 clear, 1 ticked, 2 greyed. Every change of its state, by the
// user or by code, raises Click.
class CheckBox : public CaptionedControl {
public:
    CheckBox(Control& container, QString name) : CaptionedControl(container, std::move(name), Kind::CheckBox) {}

    int Value() const { return value_; }
    void Value(int v);

    void userClick() override;

private:
    int value_ = vbUnchecked;
};

} // namespace rt
