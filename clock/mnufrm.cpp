#include "clock/mnufrm.h"

#include "clock/about.h"
#include "clock/allopt.h"
#include "clock/frmtray.h"
#include "clock/skinswitch.h"
#include "clock/trayicon.h"
#include "deskpad/mypad.h"
#include "runtime/services/convert.h"
#include "runtime/services/settings.h"

namespace tavrin {

using namespace rt;

FormRef<mnufrm_form> mnufrm;

namespace {

void store(const char* key, bool value) {
    SaveSetting(App.EXEName, QStringLiteral("Options"), QString::fromLatin1(key), CStr(value));
}

} // namespace

mnufrm_form::mnufrm_form() : Form(QStringLiteral("mnufrm")) {
    Caption(QStringLiteral("Form1"));
    ShowInTaskbar(false);
    mnupad.Checked(true);
    mnumin.Click = [this] { mnumin_Click(); };
    mnuopt.Click = [this] { mnuopt_Click(); };
    mnuskin1.Click = [this] { mnuskin1_Click(); };
    mnuskin2.Click = [this] { mnuskin2_Click(); };
    mnutop.Click = [this] { mnutop_Click(); };
    mnupad.Click = [this] { mnupad_Click(); };
    mnuabt.Click = [this] { mnuabt_Click(); };
    mnuexit.Click = [this] { mnuexit_Click(); };
}

void mnufrm_form::mnumin_Click() {
    if (mnumin.Caption() == QStringLiteral("Minimize")) {
        mnumin.Caption(QStringLiteral("Restore"));
        frmtray->WindowState(vbMinimized);
    } else {
        frmtray->WindowState(vbNormal);
        frmtray->Show();
        mnumin.Caption(QStringLiteral("Minimize"));
    }
}

void mnufrm_form::mnuopt_Click() { allopt->Show(); }

void mnufrm_form::mnuskin1_Click() { SwitchSkin(mnuskin1, mnuskin2, ClockSkin::One); }
void mnufrm_form::mnuskin2_Click() { SwitchSkin(mnuskin2, mnuskin1, ClockSkin::Two); }

void mnufrm_form::mnutop_Click() {
    if (mnutop.Checked()) {
        frmtray->Ontop(false);
        mnutop.Checked(false);
    } else {
        frmtray->Ontop(true);
        mnutop.Checked(true);
    }
    store("mtop", mnutop.Checked());
}

void mnufrm_form::mnupad_Click() {
    mnupad.Checked(!mnupad.Checked());
    store("mpad", mnupad.Checked());
}

void mnufrm_form::mnuabt_Click() { about->Show(); }

void mnufrm_form::mnuexit_Click() {
    Shell_NotifyIconA(NIM_DELETE, TrayIcon::nid);
    mnufrm.Unload();
    allopt.Unload();
    mypad.Unload();
    frmtray.Unload();
}

} // namespace tavrin
