#pragma once
#include "runtime/forms/control.h"

namespace rt {

constexpr int vbShapeRectangle = 0;
constexpr int vbShapeRoundedRectangle = 4;

// An outline drawn on its container; it takes no input.
class Shape : public Control {
public:
    Shape(Control& container, QString name) : Control(container, std::move(name), Kind::Shape) { BackStyle(0); }

    int ShapeKind() const { return shape_; }
    void ShapeKind(int v) {
        shape_ = v;
        changed(Prop::Style);
    }
    Color BorderColor() const { return borderColor_; }
    void BorderColor(Color c) {
        borderColor_ = c;
        changed(Prop::Colors);
    }
    int BorderWidth() const { return borderWidth_; }
    void BorderWidth(int v) {
        borderWidth_ = v;
        changed(Prop::Style);
    }

private:
    int shape_ = vbShapeRectangle;
    Color borderColor_ = vbWindowText;
    int borderWidth_ = 1;
};

} // namespace rt
