#include "runtime/forms/textbox.h"

#include "runtime/error.h"
#include "runtime/forms/form.h"

#include <algorithm>

namespace rt {

TextBox::TextBox(Control& container, QString name) : Control(container, std::move(name), Kind::TextBox) {
    BackColor(vbWindowBackground);
    ForeColor(vbWindowText);
}

void TextBox::Text(const QString& v) {
    if (v == text_)
        return;
    text_ = v;
    changed(Prop::Caption);
    raise(Change);
}

void TextBox::MaxLength(int v) {
    maxLength_ = v < 0 ? 0 : v;
    changed(Prop::Style);
}

void TextBox::MultiLine(bool v) {
    multiLine_ = v;
    changed(Prop::Style);
}

void TextBox::AcceptsTab(bool v) {
    acceptsTab_ = v;
    changed(Prop::Style);
}

void TextBox::ScrollBars(int v) {
    scrollBars_ = v;
    changed(Prop::Style);
}

void TextBox::BorderStyle(int v) {
    borderStyle_ = v;
    changed(Prop::Style);
}

void TextBox::SetFocus() {
    if (!Parent().isLoaded() || !shownInTree() || !Control::Enabled())
        throw RuntimeError(err::InvalidCall, "the control cannot take the focus: " + Name().toStdString());
    Parent().setFocusTo(this);
}

void TextBox::userEdited(const QString& text) { Text(text); }

void TextBox::userReplaced(qsizetype pos, qsizetype removed, const QString& inserted) {
    pos = std::clamp<qsizetype>(pos, 0, text_.size());
    removed = std::clamp<qsizetype>(removed, 0, text_.size() - pos);
    if (removed == 0 && inserted.isEmpty())
        return;
    text_.replace(pos, removed, inserted);
    changed(Prop::Caption);
    raise(Change);
}

void TextBox::userTypes(const QString& typed) {
    QString next = text_;
    for (QChar c : typed) {
        if (maxLength_ > 0 && next.size() >= maxLength_)
            break;
        next += c;
    }
    Text(next);
}

int TextBox::userKeyDown(int keyCode, int shift) {
    if (KeyDown && Control::Enabled())
        dispatch([&] { KeyDown(keyCode, shift); });
    return keyCode;
}

} // namespace rt
