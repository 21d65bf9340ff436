#include "runtime/forms/combobox.h"

#include "runtime/error.h"

namespace rt {

ComboBox::ComboBox(Control& container, QString name) : Control(container, std::move(name), Kind::ComboBox) {
    BackColor(vbWindowBackground);
    ForeColor(vbWindowText);
}

void ComboBox::Text(const QString& v) {
    if (v == text_)
        return;
    text_ = v;
    changed(Prop::Caption);
    raise(Change);
}

void ComboBox::AddItem(const QString& item) {
    items_.push_back(item);
    changed(Prop::Value);
}

void ComboBox::Clear() {
    items_.clear();
    changed(Prop::Value);
    Text(QString());
}

QString ComboBox::List(int index) const {
    return index >= 0 && index < items_.size() ? items_[index] : QString();
}

void ComboBox::ListIndex(int index) {
    if (index < -1 || index >= items_.size())
        throw RuntimeError(err::InvalidProperty, "invalid list index");
    Text(index < 0 ? QString() : items_[index]);
}

void ComboBox::userEdited(const QString& text) { Text(text); }

void ComboBox::userPicked(int index) {
    if (index < 0 || index >= items_.size())
        return;
    Text(items_[index]);
    raise(Click);
}

} // namespace rt
