#include "clock/program.h"

#include "clock/frmtray.h"
#include "clock/mnufrm.h"

namespace tavrin {

void StartProgram() {
    rt::dispatch([] { frmtray->Show(); });
}

void ExitProgram() {
    rt::dispatch([] {
        if (auto* menu = mnufrm.instance())
            menu->mnuexit_Click();
        else
            frmtray.Unload();
    });
}

void EndProgram() {
    ExitProgram();
    rt::dispatch([] {
        const std::vector<rt::Form*> left = rt::loadedForms();
        for (rt::Form* form : left)
            rt::Unload(*form);
    });
}

} // namespace tavrin
