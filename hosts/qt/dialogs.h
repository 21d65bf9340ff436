#pragma once
// The modal dialogs the forms open: message boxes and file dialogs.
#include "runtime/host.h"

#include <QString>
#include <optional>

class QMessageBox;

namespace tavrin::qt {

// buttons: 0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No,
// 5 Retry/Cancel; + 16/32/48/64 for the icon; + 256/512 for a later default.
// Returns 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No.
int messageBox(const QString& prompt, int buttons, const QString& title);

// The box messageBox shows, without showing it, and the answer a button stands for.
void setUpMessageBox(QMessageBox& box, const QString& prompt, int buttons, const QString& title);
int answerOf(const QMessageBox& box, int buttons);

std::optional<QString> fileDialog(const rt::FileDialogRequest& request);

} // namespace tavrin::qt
