#pragma once
// The never-shown window that holds the clock's popup menu. Its check marks
// are live settings: always on top, the skin, and the DeskPad switch; the
// caption of its first item is the only record of a hidden clock.
#include "runtime/forms/forms.h"

namespace tavrin {

class mnufrm_form : public rt::Form {
public:
    mnufrm_form();

    rt::Menu mnufile{*this, "mnufile", "File"};
    rt::Menu mnumin{mnufile, "mnumin", "Minimize"};
    rt::Menu mnuopt{mnufile, "mnuopt", "Options"};
    rt::Menu mnusk{mnufile, "mnusk", "Skin"};
    rt::Menu mnuskin1{mnusk, "mnuskin1", "Skin1(Default)"};
    rt::Menu mnuskin2{mnusk, "mnuskin2", "Skin2"};
    rt::Menu mnutop{mnufile, "mnutop", "Always on top"};
    rt::Menu mnupad{mnufile, "mnupad", "DeskPad"};
    rt::Menu mnutmp{mnufile, "mnutmp", "-"};
    rt::Menu mnuabt{mnufile, "mnuabt", "About"};
    rt::Menu mnuexit{mnufile, "mnuexit", "Exit"};

    void mnumin_Click();
    void mnuopt_Click();
    void mnuskin1_Click();
    void mnuskin2_Click();
    void mnutop_Click();
    void mnupad_Click();
    void mnuabt_Click();
    void mnuexit_Click();
};

extern rt::FormRef<mnufrm_form> mnufrm;

} // namespace tavrin
