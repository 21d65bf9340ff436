#pragma once
// The clock window: the start-up window of the program. Its load is the whole
// start-up; its unload stores its place and removes the notification icon.
#include "runtime/forms/forms.h"

namespace tavrin {

class frmtray_form : public rt::Form {
public:
    frmtray_form();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;
    void t_Timer();
    // Closed by the window manager or the session: leave as "Exit" does.
    void userClose() override;

    // Puts the clock above all other windows, or back among them.
    void Ontop(bool top);
    // The wide face with the second time (dual display), or the narrow one
    // alone; the window takes the face's size and outline.
    void ShowFace(bool wide);

    // The notification icon's mouse messages arrive here, the message number
    // in place of X.
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    // A minimised clock hides to the notification area.
    void Form_Resize() override;
    // The face and the two times drag the window; a double-click hides it.
    void picMainSkin_MouseDown(int Button, int Shift, float X, float Y);
    void picMainSkin_MouseMove(int Button, int Shift, float X, float Y);
    void picMainSkin_MouseUp(int Button, int Shift, float X, float Y);
    void picMainSkin_DblClick();
    // A double-click on a clock's name opens the options.
    void ltime1_DblClick();
    void ltime2_DblClick();

    rt::Timer t{*this, "t"};
    rt::PictureBox picMainSkin{*this, "picMainSkin"};
    rt::Label l2{picMainSkin, "l2"};
    rt::Label l1{picMainSkin, "l1"};
    // The names lie over the ends of the times, so a double-click on a name
    // always reaches the name.
    rt::Label ltime2{picMainSkin, "ltime2"};
    rt::Label ltime1{picMainSkin, "ltime1"};
    // The working faces of the current skin, and the two skins' faces.
    rt::PictureBox Picture2{*this, "Picture2"};
    rt::PictureBox Picture3{*this, "Picture3"};
    rt::PictureBox skin1A{*this, "skin1A"};
    rt::PictureBox skin1B{*this, "skin1B"};
    rt::PictureBox skin2A{*this, "skin2A"};
    rt::PictureBox skin2B{*this, "skin2B"};
    // The icon's second picture.
    rt::Image Image1{*this, "Image1"};

private:
    void design();
    void bindMouse();
    void iconDoubleClicked();

    // Which picture the next tick gives the icon: the window's icon when false.
    bool iconflip = false;
    bool dragging = false;
    float grabx = 0;
    float graby = 0;
};

extern rt::FormRef<frmtray_form> frmtray;

} // namespace tavrin
