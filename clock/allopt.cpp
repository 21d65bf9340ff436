#include "clock/allopt.h"

#include "clock/frmtray.h"
#include "clock/skin.h"
#include "runtime/services/convert.h"
#include "runtime/services/datetime.h"
#include "runtime/services/settings.h"

namespace tavrin {

using namespace rt;

FormRef<allopt_form> allopt;

namespace {

constexpr Color kMint = 0xC0FFC0;  // &H00C0FFC0&
constexpr Color kLilac = 0xFFC0C0; // &H00FFC0C0&
constexpr Color kSilver = 0xC0C0C0;
constexpr Color kGrey = 0x808080;
constexpr Color kDark = 0x404040;

Font sans(double size, bool bold = true) {
    Font f;
    f.Name = QStringLiteral("MS Sans Serif");
    f.Size = size;
    f.Bold = bold;
    return f;
}

Font underlined(Font f) {
    f.Underline = true;
    return f;
}

void label(Label& l, double left, double top, double width, double height, const QString& caption, Color fore,
           const Font& font, int alignment = vbLeftJustify) {
    l.Move(left, top, width, height);
    l.Caption(caption);
    l.ForeColor(fore);
    l.BackStyle(0);
    l.setFont(font);
    l.Alignment(alignment);
}

void option(OptionButton& o, double left, double top, double width, double height, const QString& caption,
            double size = 8.25) {
    o.Move(left, top, width, height);
    o.Caption(caption);
    o.ForeColor(kMint);
    o.BackColor(vbBlack);
    o.setFont(sans(size));
}

void combo(ComboBox& c, double left, double top, double width, int first, int last, bool twoDigits) {
    c.Move(left, top, width, 315);
    c.BackColor(kMint);
    c.setFont(sans(8.25, false));
    for (int i = first; i <= last; ++i)
        c.AddItem(twoDigits ? QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')) : QString::number(i));
    c.Text(QStringLiteral("0"));
}

void panel(Frame& f, double left, double top, double width, double height) {
    f.Move(left, top, width, height);
    f.BackColor(vbBlack);
    f.BorderStyle(0);
}

void outline(Shape& s, double left, double top, double width, double height, int kind, Color border) {
    s.Move(left, top, width, height);
    s.ShapeKind(kind);
    s.BorderColor(border);
}

} // namespace

allopt_form::allopt_form() : Form(QStringLiteral("allopt")) { design(); }

void allopt_form::design() {
    Caption(QStringLiteral("Form1"));
    BorderStyle(0);
    ShowInTaskbar(false);
    StartUpPosition(vbStartUpScreen);
    BackColor(kGrey);
    Move(0, 0, 10500, 10830);

    omainpic.Move(0, 0, 5655, 5895);
    omainpic.BackColor(kGrey);
    Opic.Move(0, 5880, 5655, 5895);
    Opic.Picture(Picture::load(QStringLiteral("optskin")));

    label(Label1, 2040, 240, 1215, 375, QStringLiteral("Options"), vbWhite, underlined(sans(12)), vbCenter);
    label(Label5, 5160, 240, 255, 255, QStringLiteral("X"), vbWhite, sans(8.25));
    outline(Shape3, 1275, 4875, 2055, 375, vbShapeRoundedRectangle, vbWhite);
    label(lblsetalarm, 1320, 4920, 1935, 375, QStringLiteral("Set Alarm >>"), kLilac, sans(9.75), vbCenter);
    lblsetalarm.ToolTipText(QStringLiteral("Click to set alarm"));
    label(lblsetTime, 1320, 4920, 1935, 375, QStringLiteral("<< Set Zone Time"), kLilac, sans(9.75), vbCenter);
    lblsetTime.ToolTipText(QStringLiteral("Click to set Zone time"));
    lblsetTime.Visible(false);
    outline(Shape2, 4440, 5115, 735, 375, vbShapeRoundedRectangle, kLilac);
    label(lbloptok, 4560, 5160, 495, 375, QStringLiteral("OK"), vbWhite, sans(12), vbCenter);
    lbloptok.ToolTipText(QStringLiteral("Save and Close"));

    // Alarm page.
    panel(Aframe, 360, 720, 4575, 3975);
    label(LblRemhead, 1320, 120, 1815, 255, QStringLiteral("Alarm"), kGrey, sans(9.75), vbCenter);
    option(actopt, 480, 600, 1455, 375, QStringLiteral("Current Time"));
    actopt.ToolTipText(QStringLiteral("System Time"));
    option(aztopt, 2400, 600, 1575, 375, QStringLiteral("Zonal Time"));
    aztopt.ToolTipText(QStringLiteral("Zonal Time"));
    label(Hrlbl, 480, 1200, 495, 255, QStringLiteral("Hour"), kSilver, sans(8.25));
    label(minlbl, 1440, 1200, 735, 255, QStringLiteral("Minutes"), kSilver, sans(8.25));
    label(seclbl, 2400, 1200, 735, 255, QStringLiteral("Second"), kSilver, sans(8.25));
    label(aplbl, 3240, 1200, 615, 255, QStringLiteral("AM/PM"), kSilver, sans(8.25));
    combo(cbohrs, 480, 1560, 615, 0, 11, false);
    combo(cbomin, 1440, 1560, 615, 0, 59, true);
    combo(cbosec, 2400, 1560, 615, 0, 59, true);
    cboam.Move(3240, 1560, 735, 315);
    cboam.BackColor(kMint);
    cboam.setFont(sans(8.25, false));
    cboam.AddItem(QStringLiteral("AM"));
    cboam.AddItem(QStringLiteral("PM"));
    cboam.Text(QStringLiteral("0"));
    label(dot1, 1200, 1560, 135, 495, QStringLiteral(":"), vbWhite, sans(13.5));
    label(dot2, 2160, 1560, 135, 495, QStringLiteral(":"), vbWhite, sans(13.5));
    Font italic = sans(9.75);
    italic.Italic = true;
    label(msglbl, 480, 2280, 1095, 255, QStringLiteral("Message:"), kSilver, italic);
    sndcheck.Move(1920, 2280, 255, 255);
    sndcheck.BackColor(vbBlack);
    sndcheck.ToolTipText(QStringLiteral("Beep"));
    Imgsnd.Move(2160, 2280, 240, 240);
    Imgsnd.Picture(Picture::load(QStringLiteral("speaker")));
    label(Label6, 2640, 2280, 735, 255, QStringLiteral("Reset"), vbWhite, underlined(sans(9.75)));
    Label6.ToolTipText(QStringLiteral("Resets Alarm !!"));
    txtmsg.Move(480, 2640, 2775, 735);
    txtmsg.MultiLine(true);
    txtmsg.MaxLength(100);
    txtmsg.ForeColor(vbWhite);
    txtmsg.BackColor(kDark);
    txtmsg.setFont(sans(9.75));
    txtmsg.ToolTipText(QStringLiteral("Maximum of 100 Characters"));

    // Zone-time page.
    panel(Tframe, 360, 720, 4455, 3975);
    option(Doption, 120, 360, 1455, 375, QStringLiteral("&Current Time"));
    label(systime, 1920, 480, 1425, 255, QString(), vbWhite, sans(8.25));
    time1.Move(3480, 360, 735, 375);
    time1.Text(QStringLiteral("T-1"));
    time1.MaxLength(3);
    time1.BackColor(kMint);
    time1.setFont(sans(8.25));
    time1.ToolTipText(QStringLiteral("Max: 3 chars"));
    option(Zoption, 120, 840, 1335, 375, QStringLiteral("&Zonal Time"));
    label(Showtime, 1920, 960, 1425, 255, QString(), kMint, sans(8.25));
    time2.Move(3480, 960, 735, 375);
    time2.Text(QStringLiteral("T-2"));
    time2.MaxLength(3);
    time2.BackColor(kMint);
    time2.setFont(sans(8.25));
    time2.ToolTipText(QStringLiteral("Max: 3 chars"));
    option(Boption, 120, 1320, 1695, 375, QStringLiteral("&Dual Time"));
    outline(Shape1, 360, 1920, 3135, 1935, vbShapeRectangle, vbWhite);
    label(Label2, 720, 2040, 495, 255, QStringLiteral("Hours"), vbWhite, sans(8.25));
    label(Label3, 1560, 2040, 735, 255, QStringLiteral("Minutes"), vbWhite, sans(8.25));
    label(Label4, 2400, 2040, 855, 255, QStringLiteral("Seconds"), vbWhite, sans(8.25));
    combo(Zhr, 720, 2400, 615, 0, 11, false);
    combo(Zmin, 1560, 2400, 615, 0, 59, false);
    combo(Zsec, 2400, 2400, 615, 0, 59, false);
    for (ComboBox* box : {&Zhr, &Zmin, &Zsec})
        box->Enabled(false);
    panel(Frame1, 480, 2880, 2055, 855);
    option(optsub, 120, 0, 2415, 375, QStringLiteral("Behind (-Time)"), 9.75);
    option(optadd, 120, 360, 1935, 495, QStringLiteral("Ahead (+Time)"), 9.75);
    optadd.Value(true);
    label(Lreset, 2760, 3480, 615, 255, QStringLiteral("Reset"), vbWhite, underlined(sans(8.25)));

    // The texts are read at the clock tick, half a second after each wall
    // clock second begins; sampled in the middle of each 100 ms, they are
    // never near a second boundary. While the dialog is hidden nobody else
    // sees them, so they are worked out only when the tick reads them.
    Timer1.Phase(50);
    Timer1.setOnlyWhileShown(true);
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Doption.Click = [this] { Doption_Click(); };
    Zoption.Click = [this] { Zoption_Click(); };
    Boption.Click = [this] { Boption_Click(); };
    lbloptok.Click = [this] { lbloptok_Click(); };
    Label6.Click = [this] { Label6_Click(); };
    Label5.Click = [this] { Label5_Click(); };
    lblsetalarm.Click = [this] { lblsetalarm_Click(); };
    lblsetTime.Click = [this] { lblsetTime_Click(); };
    Lreset.Click = [this] { Lreset_Click(); };
}

void allopt_form::Form_Load() {
    Timer1.Interval(100);
    SetUpSkinnedWindow(*this, omainpic, Opic);
}

void allopt_form::Timer1_Timer() {
    systime.Caption(CStr(Time()));
    const QString now = CStr(Time());
    Showtime.Caption(now);
    if (!Zoption.Value() && !Boption.Value())
        return;

    // The whole offset is worked out before the zone time is shown: a count
    // that does not read as a number leaves the system time standing, never a
    // time moved by only part of the offset.
    try {
        const double sign = optsub.Value() ? -1 : 1;
        const double h = sign * CDbl(Zhr.Text());
        const double m = sign * CDbl(Zmin.Text());
        const double s = sign * CDbl(Zsec.Text());
        QString zone = now;
        zone = CStr(DateAdd(QStringLiteral("h"), h, zone));
        zone = CStr(DateAdd(QStringLiteral("n"), m, zone));
        zone = CStr(DateAdd(QStringLiteral("s"), s, zone));
        Showtime.Caption(FormatDateTime(CDate(zone), vbLongTime));
    } catch (const RuntimeError&) {
        // The next tick starts afresh.
    }
}

void allopt_form::Doption_Click() {
    applyMode(false, false);
    frmtray->ltime2.Caption(time1.Text());
    Showtime.Caption(CStr(Time()));
}

void allopt_form::Zoption_Click() {
    applyMode(true, false);
    frmtray->ltime2.Caption(time2.Text());
}

void allopt_form::Boption_Click() {
    applyMode(true, true);
    frmtray->ltime1.Caption(time1.Text());
    frmtray->ltime2.Caption(time2.Text());
    Showtime.Caption(CStr(Time()));
}

void allopt_form::applyMode(bool E, bool V) {
    Zhr.Enabled(E);
    Zmin.Enabled(E);
    Zsec.Enabled(E);
    Lreset.Visible(E);
    frmtray_form& f = *frmtray;
    // Only the face's size and outline change: a hidden clock takes them
    // when it is shown again.
    f.ShowFace(V);
    f.ltime1.Visible(V);
}

void allopt_form::lbloptok_Click() {
    const QString& app = App.EXEName;
    const QString options = QStringLiteral("Options");
    const QString alarm = QStringLiteral("Alarm");
    SaveSetting(app, options, QStringLiteral("dopt"), CStr(Doption.Value()));
    SaveSetting(app, options, QStringLiteral("zopt"), CStr(Zoption.Value()));
    SaveSetting(app, options, QStringLiteral("bopt"), CStr(Boption.Value()));
    SaveSetting(app, options, QStringLiteral("zh"), Zhr.Text());
    SaveSetting(app, options, QStringLiteral("zm"), Zmin.Text());
    SaveSetting(app, options, QStringLiteral("zs"), Zsec.Text());
    SaveSetting(app, options, QStringLiteral("subopt"), CStr(optsub.Value()));
    SaveSetting(app, options, QStringLiteral("addopt"), CStr(optadd.Value()));
    SaveSetting(app, options, QStringLiteral("time1"), time1.Text());
    SaveSetting(app, options, QStringLiteral("time2"), time2.Text());
    SaveSetting(app, alarm, QStringLiteral("acopt"), CStr(actopt.Value()));
    SaveSetting(app, alarm, QStringLiteral("azopt"), CStr(aztopt.Value()));
    SaveSetting(app, alarm, QStringLiteral("hrs"), cbohrs.Text());
    SaveSetting(app, alarm, QStringLiteral("min"), cbomin.Text());
    SaveSetting(app, alarm, QStringLiteral("sec"), cbosec.Text());
    SaveSetting(app, alarm, QStringLiteral("am"), cboam.Text());
    SaveSetting(app, alarm, QStringLiteral("snd"), CStr(int(sndcheck.Value())));
    SaveSetting(app, alarm, QStringLiteral("msg"), txtmsg.Text());
    Hide();
    if (Zoption.Value() || Boption.Value()) {
        frmtray->ltime1.Caption(time1.Text());
        frmtray->ltime2.Caption(time2.Text());
    } else {
        frmtray->ltime2.Caption(time1.Text());
    }
}

void allopt_form::Label6_Click() {
    actopt.Value(false);
    aztopt.Value(false);
    cbohrs.Text(QStringLiteral("0"));
    cbomin.Text(QStringLiteral("0"));
    cbosec.Text(QStringLiteral("0"));
    cboam.Text(QStringLiteral("0"));
    txtmsg.Text(QString());
}

void allopt_form::Label5_Click() { Hide(); }

void allopt_form::lblsetalarm_Click() {
    Aframe.Visible(true);
    Tframe.Visible(false);
    lblsetalarm.Visible(false);
    lblsetTime.Visible(true);
}

void allopt_form::lblsetTime_Click() {
    Tframe.Visible(true);
    Aframe.Visible(false);
    lblsetalarm.Visible(true);
    lblsetTime.Visible(false);
}

void allopt_form::Lreset_Click() {
    Zhr.Text(QStringLiteral("0"));
    Zmin.Text(QStringLiteral("0"));
    Zsec.Text(QStringLiteral("0"));
}

} // namespace tavrin
