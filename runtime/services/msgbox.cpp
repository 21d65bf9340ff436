#include "runtime/services/msgbox.h"

#include "runtime/forms/runtime.h"

namespace rt {

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    return host().messageBox(prompt, buttons, title.isEmpty() ? App.Title : title);
}

} // namespace rt
