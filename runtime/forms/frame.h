#pragma once
#include "runtime/forms/captioned.h"

namespace rt {

// A panel that groups controls; option buttons on it form one group.
class Frame : public CaptionedControl {
public:
    Frame(Control& container, QString name) : CaptionedControl(container, std::move(name), Kind::Frame) {}

    int BorderStyle() const { return borderStyle_; }
    void BorderStyle(int v) {
        borderStyle_ = v;
        changed(Prop::Style);
    }
    bool isContainer() const override { return true; }

private:
    int borderStyle_ = 1;
};

} // namespace rt
