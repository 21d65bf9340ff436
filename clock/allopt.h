#pragma once
// The options dialog. Loaded hidden at start-up and kept until the program
// ends: its controls are the live display mode, zone offset, clock names and
// alarm, read directly by the clock.
#include "runtime/forms/forms.h"

namespace tavrin {

class allopt_form : public rt::Form {
public:
    allopt_form();

    void Form_Load() override;
    // Its controls are the live settings: a close from outside only hides
    // it, as its "X" does.
    void userClose() override { Label5_Click(); }

    rt::Timer Timer1{*this, "Timer1"};

    // The skin: shown by omainpic, held by Opic below the window's area.
    rt::PictureBox omainpic{*this, "omainpic"};
    rt::PictureBox Opic{*this, "Opic"};

    rt::Label Label1{omainpic, "Label1"};
    rt::Label Label5{omainpic, "Label5"};
    rt::Shape Shape3{omainpic, "Shape3"};
    rt::Label lblsetalarm{omainpic, "lblsetalarm"};
    rt::Label lblsetTime{omainpic, "lblsetTime"};
    rt::Shape Shape2{omainpic, "Shape2"};
    rt::Label lbloptok{omainpic, "lbloptok"};

    // The alarm page, inside the skin box.
    rt::Frame Aframe{omainpic, "Aframe"};
    rt::Label LblRemhead{Aframe, "LblRemhead"};
    rt::OptionButton actopt{Aframe, "actopt"};
    rt::OptionButton aztopt{Aframe, "aztopt"};
    rt::Label Hrlbl{Aframe, "Hrlbl"};
    rt::Label minlbl{Aframe, "minlbl"};
    rt::Label seclbl{Aframe, "seclbl"};
    rt::Label aplbl{Aframe, "aplbl"};
    rt::ComboBox cbohrs{Aframe, "cbohrs"};
    rt::ComboBox cbomin{Aframe, "cbomin"};
    rt::ComboBox cbosec{Aframe, "cbosec"};
    rt::ComboBox cboam{Aframe, "cboam"};
    rt::Label dot1{Aframe, "dot1"};
    rt::Label dot2{Aframe, "dot2"};
    rt::Label msglbl{Aframe, "msglbl"};
    rt::CheckBox sndcheck{Aframe, "sndcheck"};
    rt::Image Imgsnd{Aframe, "Imgsnd"};
    rt::Label Label6{Aframe, "Label6"};
    rt::TextBox txtmsg{Aframe, "txtmsg"};

    // The zone-time page, on the window in front of the skin box.
    rt::Frame Tframe{*this, "Tframe"};
    rt::OptionButton Doption{Tframe, "Doption"};
    rt::Label systime{Tframe, "systime"};
    rt::TextBox time1{Tframe, "time1"};
    rt::OptionButton Zoption{Tframe, "Zoption"};
    rt::Label Showtime{Tframe, "Showtime"};
    rt::TextBox time2{Tframe, "time2"};
    rt::OptionButton Boption{Tframe, "Boption"};
    rt::Shape Shape1{Tframe, "Shape1"};
    rt::Label Label2{Tframe, "Label2"};
    rt::Label Label3{Tframe, "Label3"};
    rt::Label Label4{Tframe, "Label4"};
    rt::ComboBox Zhr{Tframe, "Zhr"};
    rt::ComboBox Zmin{Tframe, "Zmin"};
    rt::ComboBox Zsec{Tframe, "Zsec"};
    rt::Frame Frame1{Tframe, "Frame1"};
    rt::OptionButton optsub{Frame1, "optsub"};
    rt::OptionButton optadd{Frame1, "optadd"};
    rt::Label Lreset{Tframe, "Lreset"};

    void Timer1_Timer();
    void Doption_Click();
    void Zoption_Click();
    void Boption_Click();
    void lbloptok_Click();
    void Label6_Click();
    void Label5_Click();
    void lblsetalarm_Click();
    void lblsetTime_Click();
    void Lreset_Click();

private:
    void design();
    // What the three display-mode buttons share: E enables the offset, V
    // shows the second clock on the wide face.
    void applyMode(bool E, bool V);
};

extern rt::FormRef<allopt_form> allopt;

} // namespace tavrin
