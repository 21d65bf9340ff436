#pragma once
// The message box: a prompt, buttons and an icon, a title; modal.
#include <QString>

namespace rt {

constexpr int vbOKOnly = 0;
constexpr int vbYesNoCancel = 3;
constexpr int vbCritical = 16;
constexpr int vbExclamation = 48;

constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// The answer: vbOK, vbCancel (also when closed without a button), vbYes, vbNo...
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());

} // namespace rt
