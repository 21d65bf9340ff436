#pragma once
// The about box: the program's name and version over credits that rise
// through a clipping box, over and over, until "OK".
#include "runtime/forms/forms.h"

namespace tavrin {

class about_form : public rt::Form {
public:
    about_form();

    void Form_Load() override;
    void Form_Activate() override;
    void abttime_Timer();
    void abtok_Click();

    rt::Label Label1{*this, "Label1"};
    rt::PictureBox Picture2{*this, "Picture2"};
    rt::TextBox Text1{Picture2, "Text1"};
    rt::Shape Shape1{*this, "Shape1"};
    rt::Label abtok{*this, "abtok"};
    // Never shown: its value is the credits' top edge in the clipping box.
    rt::VScrollBar VScroll1{*this, "VScroll1"};
    rt::Timer abttime{*this, "abttime"};

private:
    void design();
};

extern rt::FormRef<about_form> about;

} // namespace tavrin
