#include "clock/about.h"

namespace tavrin {

using namespace rt;

FormRef<about_form> about;

namespace {

Font boldFont(const char* name, double size, bool underline = false) {
    Font f;
    f.Name = QString::fromLatin1(name);
    f.Size = size;
    f.Bold = true;
    f.Underline = underline;
    return f;
}

const QString kCredits = QStringLiteral("Tavrin V3.7\r\n"
                                        "A skinned desktop clock\r\n"
                                        "with a zone time, an alarm\r\n"
                                        "and a small notepad.\r\n"
                                        "Written by the Tavrin team.\r\n"
                                        "Thank you for using it!");

} // namespace

about_form::about_form() : Form(QStringLiteral("about")) { design(); }

void about_form::design() {
    Caption(QStringLiteral("About"));
    BorderStyle(0);
    ShowInTaskbar(false);
    StartUpPosition(vbStartUpScreen);
    BackColor(vbBlack);
    Move(0, 0, 3795, 2955);

    Label1.Move(960, 240, 2055, 495);
    Label1.Caption(QStringLiteral("Tavrin V3.7"));
    Label1.ForeColor(RGB(128, 128, 255));
    Label1.BackStyle(0);
    Label1.setFont(boldFont("Arial", 14.25, true));

    Picture2.Move(-120, 840, 4095, 1335);
    Picture2.BorderStyle(0);
    Picture2.BackColor(vbBlack);

    Text1.Move(360, -960, 3735, 1755);
    Text1.MultiLine(true);
    Text1.ScrollBars(0);
    Text1.TabStop(false);
    Text1.BorderStyle(0);
    Text1.BackColor(vbBlack);
    Text1.ForeColor(RGB(192, 192, 255));
    Text1.setFont(boldFont("MS Sans Serif", 12));
    Text1.Text(kCredits);

    Shape1.Move(1440, 2400, 735, 375);
    Shape1.ShapeKind(vbShapeRoundedRectangle);
    Shape1.BorderColor(vbWhite);

    abtok.Move(1560, 2400, 495, 375);
    abtok.Caption(QStringLiteral("OK"));
    abtok.Alignment(vbCenter);
    abtok.ForeColor(vbWhite);
    abtok.BackStyle(0);
    abtok.setFont(boldFont("MS Sans Serif", 13.5));
    abtok.Click = [this] { abtok_Click(); };

    VScroll1.Move(120, 1320, 135, 255);
    VScroll1.Visible(false);

    abttime.OnTimer = [this] { abttime_Timer(); };
}

void about_form::Form_Load() {
    abttime.Interval(5);
    VScroll1.Max(int(Picture2.Height()));
    VScroll1.Min(-int(Text1.Height()));
    VScroll1.Value(VScroll1.Max());
}

void about_form::Form_Activate() { abttime.Enabled(true); }

// Each yield may handle "OK": once the box is unloaded the step leaves it
// alone, since touching it again would bring back a box nobody can close.
void about_form::abttime_Timer() {
    if (VScroll1.Value() >= VScroll1.Min() + 20) {
        VScroll1.Value(VScroll1.Value() - 2);
    } else {
        VScroll1.Value(VScroll1.Max());
        DoEvents();
        if (!isLoaded())
            return;
    }
    Text1.Top(VScroll1.Value());
    DoEvents();
}

void about_form::abtok_Click() { about.Unload(); }

} // namespace tavrin
