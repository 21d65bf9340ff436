#include "runtime/forms/optionbutton.h"

namespace rt {

void OptionButton::Value(bool v) {
    if (v == value_)
        return;
    value_ = v;
    changed(Prop::Value);
    if (!v)
        return;
    for (Control* sibling : Container()->children()) {
        if (sibling == this || sibling->kind() != Kind::OptionButton)
            continue;
        auto* other = static_cast<OptionButton*>(sibling);
        if (other->value_) {
            other->value_ = false;
            other->changed(Prop::Value);
        }
    }
    raise(Click);
}

void OptionButton::userClick() {
    if (Enabled())
        Value(true);
}

} // namespace rt
