#include "clock/program.h"

#include "clock/frmtray.h"
#include "clock/mnufrm.h"

namespace tavrin {

void StartProgram() { frmtray->Show(); }

void ExitProgram() {
    if (auto* menu = mnufrm.instance())
        rt::dispatch([menu] { menu->mnuexit_Click(); });
    else if (frmtray.IsLoaded())
        frmtray.Unload();
}

} // namespace tavrin
