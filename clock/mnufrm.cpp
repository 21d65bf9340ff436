#include "clock/mnufrm.h"

#include "clock/allopt.h"
#include "clock/frmtray.h"
#include "clock/trayicon.h"
#include "deskpad/mypad.h"

namespace tavrin {

using namespace rt;

FormRef<mnufrm_form> mnufrm;

mnufrm_form::mnufrm_form() : Form(QStringLiteral("mnufrm")) {
    Caption(QStringLiteral("Form1"));
    ShowInTaskbar(false);
    mnupad.Checked(true);
    mnuexit.Click = [this] { mnuexit_Click(); };
}

void mnufrm_form::mnuexit_Click() {
    Shell_NotifyIconA(NIM_DELETE, TrayIcon::nid);
    mnufrm.Unload();
    allopt.Unload();
    mypad.Unload();
    frmtray.Unload();
}

} // namespace tavrin
