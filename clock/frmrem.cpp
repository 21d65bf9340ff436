#include "clock/frmrem.h"

#include "clock/allopt.h"
#include "runtime/system/sound.h"
#include "runtime/system/windows.h"

namespace tavrin {

using namespace rt;

FormRef<frmrem_form> frmrem;

frmrem_form::frmrem_form() : Form(QStringLiteral("frmrem")) {
    Caption(QStringLiteral("Reminder"));
    BorderStyle(0);
    ShowInTaskbar(false);
    StartUpPosition(vbStartUpScreen);
    Move(0, 0, 5940, 2910);
    BackColor(vbBlack);
    Picture(rt::Picture::load(QStringLiteral("reminder")));

    lip.Move(840, 840, 4455, 1215);
    lip.BackStyle(0);
    lip.ForeColor(0xFFC0C0);
    lip.setFont(Font{.Size = 12});
    lip.WordWrap(true);
    lip.UseMnemonic(false); // the user's own message, '&' and all

    Image1.Move(360, 480, 480, 480);
    Image1.Picture(rt::Picture::load(QStringLiteral("bulb32")));

    remok.Move(5160, 2160, 375, 255);
    remok.Caption(QStringLiteral("OK"));
    remok.Alignment(vbCenter);
    remok.BackStyle(0);
    remok.ForeColor(0xFF0000);
    remok.setFont(Font{.Name = QStringLiteral("Arial"), .Size = 11.25, .Bold = true, .Underline = true});

    TR.OnTimer = [this] { TR_Timer(); };
    remok.Click = [this] { remok_Click(); };
}

void frmrem_form::Form_Load() {
    lip.Caption(allopt->txtmsg.Text());
    if (allopt->sndcheck.Value() == vbChecked)
        TR.Interval(10);
    SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void frmrem_form::TR_Timer() {
    for (int i = 0; i < 4; ++i)
        Beep(3000, 100);
    // The pause before the next pattern counts from the end of this one.
    TR.Enabled(false);
    TR.Interval(1000);
    TR.Enabled(true);
}

void frmrem_form::remok_Click() { frmrem.Unload(); }

} // namespace tavrin
