#pragma once
#include "runtime/forms/control.h"

#include <functional>

namespace rt {

// A text box. Its length limit binds typing only: code may set any text.
class TextBox : public Control {
public:
    TextBox(Control& container, QString name);

    const QString& Text() const { return text_; }
    void Text(const QString& v); // raises Change when the text changes
    int MaxLength() const { return maxLength_; }
    void MaxLength(int v);
    bool MultiLine() const { return multiLine_; }
    void MultiLine(bool v);
    int ScrollBars() const { return scrollBars_; } // 0 none, 1 horizontal, 2 vertical, 3 both
    void ScrollBars(int v);
    // Whether Tab and Shift+Tab in a multi-line box type a tab character;
    // by default they move the focus on and back, as in a one-line box.
    bool AcceptsTab() const { return acceptsTab_; }
    void AcceptsTab(bool v);
    bool TabStop() const { return tabStop_; }
    void TabStop(bool v) { tabStop_ = v; }
    int BorderStyle() const { return borderStyle_; }
    void BorderStyle(int v);

    void SetFocus();

    std::function<void()> Change;
    std::function<void(int& KeyCode, int Shift)> KeyDown;

    // Input from the host.
    void userEdited(const QString& text);
    // An edit in place: `removed` characters at `pos` gave way to `inserted`.
    // The rest of the text is not touched, however long it is.
    void userReplaced(qsizetype pos, qsizetype removed, const QString& inserted);
    // Typing at the end of the text, as far as the length limit lets it.
    void userTypes(const QString& typed);
    // A key went down while the box had the focus; returns the key code the
    // box should go on with (a handler may set it to 0 to swallow the key).
    int userKeyDown(int keyCode, int shift);

private:
    QString text_;
    int maxLength_ = 0;
    bool multiLine_ = false;
    int scrollBars_ = 0;
    bool acceptsTab_ = false;
    bool tabStop_ = true;
    int borderStyle_ = 1;
};

// The key codes the program looks at.
constexpr int vbKeyM = 77;
constexpr int vbKeyS = 83;

} // namespace rt
