#include "runtime/forms/vscrollbar.h"

#include "runtime/error.h"

#include <algorithm>

namespace rt {
namespace {

short checked16(int v) {
    if (v < -32768 || v > 32767)
        throw RuntimeError(err::Overflow, "overflow");
    return short(v);
}

} // namespace

void VScrollBar::Min(int v) {
    min_ = checked16(v);
    clampValue();
}

void VScrollBar::Max(int v) {
    max_ = checked16(v);
    clampValue();
}

void VScrollBar::Value(int v) {
    const short value = checked16(v);
    if (value < std::min(min_, max_) || value > std::max(min_, max_))
        throw RuntimeError(err::InvalidProperty, "invalid property value");
    if (value == value_)
        return;
    value_ = value;
    changed(Prop::Value);
    raise(Change);
}

void VScrollBar::clampValue() {
    Value(std::clamp(value_, std::min(min_, max_), std::max(min_, max_)));
    changed(Prop::Value);
}

} // namespace rt
