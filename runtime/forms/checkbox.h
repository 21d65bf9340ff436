#pragma once
#include "runtime/forms/control.h"

namespace rt {

// A check box: 0 clear, 1 ticked, 2 greyed. Every change of its state, by the
// user or by code, raises Click.
class CheckBox : public Control {
public:
    CheckBox(Control& container, QString name) : Control(container, std::move(name), Kind::CheckBox) {}

    const QString& Caption() const { return caption_; }
    void Caption(const QString& v) {
        if (v == caption_)
            return;
        caption_ = v;
        changed(Prop::Caption);
    }
    int Value() const { return value_; }
    void Value(int v);

    void userClick() override;

private:
    QString caption_;
    int value_ = vbUnchecked;
};

} // namespace rt
