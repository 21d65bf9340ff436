#pragma once
#include "runtime/forms/captioned.h"

namespace rt {

class Label : public CaptionedControl {
public:
    Label(Control& container, QString name) : CaptionedControl(container, std::move(name), Kind::Label) {}

    int Alignment() const { return alignment_; }
    void Alignment(int v) {
        alignment_ = v;
        changed(Prop::Style);
    }
    bool WordWrap() const { return wordWrap_; }
    void WordWrap(bool v) {
        wordWrap_ = v;
        changed(Prop::Style);
    }

private:
    int alignment_ = vbLeftJustify;
    bool wordWrap_ = false;
};

} // namespace rt
