#pragma once
#include "runtime/forms/control.h"
#include "runtime/forms/picture.h"

namespace rt {

class Image : public Control {
public:
    Image(Control& container, QString name) : Control(container, std::move(name), Kind::Image) {}

    const rt::Picture& Picture() const { return picture_; }
    void Picture(const rt::Picture& v) {
        if (v == picture_)
            return;
        picture_ = v;
        changed(Prop::Picture);
    }
    bool Stretch() const { return stretch_; }
    void Stretch(bool v) {
        stretch_ = v;
        changed(Prop::Style);
    }

private:
    rt::Picture picture_;
    bool stretch_ = false;
};

} // namespace rt
