#pragma once
// Module ASave: the one file-dialog record DeskPad's Open, Save As and Save
// share for the whole run. Nothing clears it; each dialog writes what it needs.
#include "runtime/system/commdlg.h"

namespace tavrin {

extern rt::OPENFILENAME paddialog;

// Writes the members every DeskPad dialog sets: owner, the text-file filter,
// the proposed name "Deskpad", flags and the default extension.
void PreparePadDialog(std::int32_t owner);

} // namespace tavrin
