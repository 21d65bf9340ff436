#pragma once
// The reminder the daily alarm raises: the user's message, above all other
// windows, with a repeating pattern of beeps when the alarm's sound is on,
// until its "OK".
#include "runtime/forms/forms.h"

namespace tavrin {

class frmrem_form : public rt::Form {
public:
    frmrem_form();

    void Form_Load() override;
    void TR_Timer();
    void remok_Click();

    rt::Label lip{*this, "lip"};
    rt::Image Image1{*this, "Image1"};
    rt::Label remok{*this, "remok"};
    rt::Timer TR{*this, "TR"};
};

extern rt::FormRef<frmrem_form> frmrem;

} // namespace tavrin
