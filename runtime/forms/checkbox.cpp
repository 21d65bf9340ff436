#include "runtime/forms/checkbox.h"

#include "runtime/error.h"

namespace rt {

void CheckBox::Value(int v) {
    if (v < vbUnchecked || v > vbGrayed)
        throw RuntimeError(err::InvalidProperty, "invalid check box value");
    if (v == value_)
        return;
    value_ = v;
    changed(Prop::Value);
    raise(Click);
}

void CheckBox::userClick() {
    if (Enabled())
        Value(value_ == vbUnchecked ? vbChecked : vbUnchecked);
}

} // namespace rt
