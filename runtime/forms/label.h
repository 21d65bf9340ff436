#pragma once
#include "runtime/forms/control.h"

namespace rt {

class Label : public Control {
public:
    Label(Control& container, QString name) : Control(container, std::move(name), Kind::Label) {}

    const QString& Caption() const { return caption_; }
    void Caption(const QString& v) {
        if (v == caption_)
            return;
        caption_ = v;
        changed(Prop::Caption);
    }
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
    QString caption_;
    int alignment_ = vbLeftJustify;
    bool wordWrap_ = false;
};

} // namespace rt
