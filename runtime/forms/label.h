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
    // True: an '&' in the caption marks the next character as the access
    // key ("&&" shows one '&'). False: the caption shows every character as
    // it stands, as a label showing the user's own text must.
    bool UseMnemonic() const { return useMnemonic_; }
    void UseMnemonic(bool v) {
        useMnemonic_ = v;
        changed(Prop::Style);
    }

private:
    int alignment_ = vbLeftJustify;
    bool wordWrap_ = false;
    bool useMnemonic_ = true;
};

} // namespace rt
