#pragma once
// Module TrayIcon: the one notification-icon record, kept for the whole run.
// The clock window fills it at each activation; "Exit" and the clock
// window's unload delete the icon with it.
#include "runtime/system/shell.h"

namespace tavrin::TrayIcon {

inline rt::NOTIFYICONDATA nid;

// The icon's tip: the text and its NUL at the left of the 64-character field,
// the rest spaces.
void SetTip(rt::NOTIFYICONDATA& data, const char* text);

} // namespace tavrin::TrayIcon
