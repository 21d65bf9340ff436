#pragma once
#include "runtime/forms/control.h"

namespace rt {

// A control that shows a caption: labels, frames, option buttons, check
// boxes and menu items.
class CaptionedControl : public Control {
public:
    using Control::Control;

    const QString& Caption() const { return caption_; }
    void Caption(const QString& v) {
        if (v == caption_)
            return;
        caption_ = v;
        changed(Prop::Caption);
    }

private:
    QString caption_;
};

} // namespace rt
