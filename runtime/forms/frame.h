#pragma once
#include "runtime/forms/control.h"

namespace rt {

// A panel that groups controls; option buttons on it form one group.
class Frame : public Control {
public:
    Frame(Control& container, QString name) : Control(container, std::move(name), Kind::Frame) {}

    const QString& Caption() const { return caption_; }
    void Caption(const QString& v) {
        if (v == caption_)
            return;
        caption_ = v;
        changed(Prop::Caption);
    }
    int BorderStyle() const { return borderStyle_; }
    void BorderStyle(int v) {
        borderStyle_ = v;
        changed(Prop::Style);
    }
    bool isContainer() const override { return true; }

private:
    QString caption_;
    int borderStyle_ = 1;
};

} // namespace rt
