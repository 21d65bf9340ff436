#pragma once
#include "runtime/forms/control.h"

#include <functional>

namespace rt {

// A vertical scroll bar; Min, Max and Value are 16-bit whole numbers.
class VScrollBar : public Control {
public:
    VScrollBar(Control& container, QString name) : Control(container, std::move(name), Kind::VScrollBar) {}

    short Min() const { return min_; }
    void Min(int v);
    short Max() const { return max_; }
    void Max(int v);
    short Value() const { return value_; }
    void Value(int v); // outside Min..Max is an error

    std::function<void()> Change;

private:
    void clampValue();

    short min_ = 0;
    short max_ = 32767;
    short value_ = 0;
};

} // namespace rt
