#pragma once
#include "runtime/forms/control.h"

#include <QStringList>
#include <functional>

namespace rt {

// An editable drop-down list: the user picks an item or types any text, and
// the text stands as typed.
class ComboBox : public Control {
public:
    ComboBox(Control& container, QString name);

    const QString& Text() const { return text_; }
    void Text(const QString& v); // raises Change when the text changes

    void AddItem(const QString& item);
    void Clear();
    QString List(int index) const;
    int ListCount() const { return int(items_.size()); }
    const QStringList& items() const { return items_; }
    // The item the text equals, or -1.
    int ListIndex() const { return int(items_.indexOf(text_)); }
    void ListIndex(int index);

    std::function<void()> Change;

    // Input from the host.
    void userEdited(const QString& text);
    void userPicked(int index);

private:
    QString text_;
    QStringList items_;
};

} // namespace rt
