#include "clock/frmtray.h"

#include "clock/allopt.h"
#include "clock/frmrem.h"
#include "clock/mnufrm.h"
#include "clock/program.h"
#include "clock/skin.h"
#include "clock/skinswitch.h"
#include "clock/trayicon.h"
#include "deskpad/mypad.h"
#include "runtime/services/convert.h"
#include "runtime/services/settings.h"
#include "runtime/system/windows.h"

#include <cmath>
#include <cstdint>

namespace tavrin {

using namespace rt;

FormRef<frmtray_form> frmtray;

namespace {

const QString kOptions = QStringLiteral("Options");
constexpr double kDesignedLeft = 6960;
constexpr double kDesignedTop = 2520;
const QString kAlarm = QStringLiteral("Alarm");

Font timeFont() {
    Font f;
    f.Name = QStringLiteral("Trebuchet MS");
    f.Size = 12;
    f.Bold = true;
    return f;
}

Font nameFont() {
    Font f;
    f.Name = QStringLiteral("MS Serif");
    f.Size = 9.75;
    f.Bold = true;
    return f;
}

void holder(PictureBox& box, double left, double top, double width, double height, const char* picture) {
    box.Move(left, top, width, height);
    box.Picture(Picture::load(QString::fromLatin1(picture)));
}

// A check box takes 0, 1 or 2; anything else stored keeps what the box holds.
short boxState(const QString& section, const QString& key, short current) {
    const short v = GetSettingInt(App.EXEName, section, key, current);
    return v >= vbUnchecked && v <= vbGrayed ? v : current;
}

} // namespace

frmtray_form::frmtray_form() : Form(QStringLiteral("frmtray")) {
    design();
    bindMouse();
}

void frmtray_form::design() {
    Caption(QStringLiteral("Tavrin"));
    BorderStyle(0);
    ShowInTaskbar(false);
    Move(kDesignedLeft, kDesignedTop, 9900, 4935);
    Icon(Picture::load(QStringLiteral("trayicon1")));

    picMainSkin.Move(0, 0, 4695, 855);

    for (Label* time : {&l2, &l1}) {
        time->setFont(timeFont());
        time->BackStyle(0);
    }
    l2.Move(753, 155, 1575, 375);
    l2.ForeColor(0x00FF00);
    l1.Move(2280, 155, 1695, 375);
    l1.ForeColor(0xC0FFC0);
    l1.Alignment(vbCenter);
    l1.Visible(false);

    for (Label* name : {&ltime2, &ltime1}) {
        name->setFont(nameFont());
        name->ForeColor(vbWhite);
        name->BackStyle(0);
        name->UseMnemonic(false); // the names stand as the user typed them
    }
    ltime2.Move(240, 190, 615, 255);
    ltime2.Caption(QStringLiteral("Time1"));
    ltime1.Move(3720, 190, 615, 255);
    ltime1.Caption(QStringLiteral("Time2"));
    ltime1.Alignment(vbRightJustify);
    ltime1.Visible(false);

    holder(Picture2, 0, 1080, 2535, 735, "skin1A");
    holder(Picture3, 0, 1920, 4695, 735, "skin1B");
    holder(skin1A, 5160, 2160, 2535, 615, "skin1A");
    holder(skin1B, 5160, 2760, 4575, 735, "skin1B");
    holder(skin2A, 5160, 3360, 2655, 735, "skin2A");
    holder(skin2B, 5160, 4080, 4695, 735, "skin2B");
    Image1.Move(5160, 4800, 480, 480);
    Image1.Picture(Picture::load(QStringLiteral("trayicon2")));

    // The tick lands half a second clear of the wall clock's second
    // boundaries, so the text it copies belongs to one second only, even
    // when a tick comes late.
    t.Phase(500);
    t.OnTimer = [this] { t_Timer(); };

    // The face's design scale, set after its labels were placed in twips.
    picMainSkin.ScaleWidth(1.88136);
    picMainSkin.ScaleHeight(1);
}

void frmtray_form::Form_Load() {
    const QString& app = App.EXEName;

    t.Interval(10);
    l1.Caption(allopt->systime.Caption());
    l2.Caption(allopt->Showtime.Caption());

    // The "Options" values are held aside and applied together below, so that
    // each read's default is the designed value.
    const float mytop = GetSettingSingle(app, kOptions, QStringLiteral("mytop"), float(Top()));
    const float myleft = GetSettingSingle(app, kOptions, QStringLiteral("myleft"), float(Left()));
    const bool dopt = GetSettingBool(app, kOptions, QStringLiteral("dopt"), allopt->Doption.Value());
    const bool zopt = GetSettingBool(app, kOptions, QStringLiteral("zopt"), allopt->Zoption.Value());
    const bool bopt = GetSettingBool(app, kOptions, QStringLiteral("bopt"), allopt->Boption.Value());
    const QString zh = GetSetting(app, kOptions, QStringLiteral("zh"), allopt->Zhr.Text());
    const QString zm = GetSetting(app, kOptions, QStringLiteral("zm"), allopt->Zmin.Text());
    const QString zs = GetSetting(app, kOptions, QStringLiteral("zs"), allopt->Zsec.Text());
    const bool subopt = GetSettingBool(app, kOptions, QStringLiteral("subopt"), allopt->optsub.Value());
    const bool addopt = GetSettingBool(app, kOptions, QStringLiteral("addopt"), allopt->optadd.Value());
    const bool mpad = GetSettingBool(app, kOptions, QStringLiteral("mpad"), mnufrm->mnupad.Checked());
    const bool mtop = GetSettingBool(app, kOptions, QStringLiteral("mtop"), mnufrm->mnutop.Checked());
    const bool skin1 = GetSettingBool(app, kOptions, QStringLiteral("skin1"), mnufrm->mnuskin1.Checked());
    const bool skin2 = GetSettingBool(app, kOptions, QStringLiteral("skin2"), mnufrm->mnuskin2.Checked());
    const QString time1 = GetSetting(app, kOptions, QStringLiteral("time1"), allopt->time1.Text());
    const QString time2 = GetSetting(app, kOptions, QStringLiteral("time2"), allopt->time2.Text());

    // Each alarm value goes into its control as soon as it is read.
    allopt_form& o = *allopt;
    o.actopt.Value(GetSettingBool(app, kAlarm, QStringLiteral("acopt"), o.actopt.Value()));
    o.aztopt.Value(GetSettingBool(app, kAlarm, QStringLiteral("azopt"), o.aztopt.Value()));
    o.cbohrs.Text(GetSetting(app, kAlarm, QStringLiteral("hrs"), o.cbohrs.Text()));
    o.cbomin.Text(GetSetting(app, kAlarm, QStringLiteral("min"), o.cbomin.Text()));
    o.cbosec.Text(GetSetting(app, kAlarm, QStringLiteral("sec"), o.cbosec.Text()));
    o.cboam.Text(GetSetting(app, kAlarm, QStringLiteral("am"), o.cboam.Text()));
    o.sndcheck.Value(boxState(kAlarm, QStringLiteral("snd"), short(o.sndcheck.Value())));
    o.txtmsg.Text(GetSetting(app, kAlarm, QStringLiteral("msg"), o.txtmsg.Text()));

    Top(mytop);
    Left(myleft);
    // Selecting a saved display mode runs its handler, which applies the mode.
    o.Doption.Value(dopt);
    o.Zoption.Value(zopt);
    o.Boption.Value(bopt);
    o.Zhr.Text(zh);
    o.Zmin.Text(zm);
    o.Zsec.Text(zs);
    o.optsub.Value(subopt);
    o.optadd.Value(addopt);
    mnufrm->mnupad.Checked(mpad);
    mnufrm->mnutop.Checked(mtop);
    mnufrm->mnuskin1.Checked(skin1);
    mnufrm->mnuskin2.Checked(skin2);
    o.time1.Text(time1);
    o.time2.Text(time2);

    ltime1.Caption(o.time1.Text());
    ltime2.Caption(o.time2.Text());
    if (!o.Zoption.Value() && !o.Boption.Value())
        ltime2.Caption(o.time1.Text());

    if (mnufrm->mnutop.Checked())
        Ontop(true);

    const ClockSkin skin = mnufrm->mnuskin2.Checked() ? ClockSkin::Two : ClockSkin::One;
    TakeSkinFaces(*this, skin);
    ColourTimes(*this, skin);

    App.TaskVisible = false;

    SetUpSkinnedWindow(*this, picMainSkin, o.Boption.Value() ? Picture3 : Picture2);

    // Borderless and without a taskbar entry, a clock stored at a place no
    // monitor shows (one since unplugged, a value edited by hand) could not
    // be reached at all; a clock partly on a monitor stays where it was.
    if (!Screen.ShowsPartOf(Left(), Top(), Width(), Height()))
        Move(kDesignedLeft, kDesignedTop);
}

void frmtray_form::Form_Activate() {
    NOTIFYICONDATA& nid = TrayIcon::nid;
    nid.cbSize = sizeof(NOTIFYICONDATA);
    nid.hWnd = hWnd();
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_MOUSEMOVE;
    nid.hIcon = Icon().Handle();
    TrayIcon::SetTip(nid, "Tavrin V3.7");
    Shell_NotifyIconA(NIM_ADD, nid);
}

void frmtray_form::t_Timer() {
    allopt_form& o = *allopt;
    o.Timer1.catchUp();
    l2.Caption(o.Showtime.Caption());
    l1.Caption(o.systime.Caption());

    const QString* clockText = o.actopt.Value() ? &l1.Caption() : o.aztopt.Value() ? &l2.Caption() : nullptr;
    if (clockText) {
        const QString alarm = o.cbohrs.Text() + u':' + o.cbomin.Text() + u':' + o.cbosec.Text() + u' ' + o.cboam.Text();
        if (alarm == *clockText)
            frmrem->Show();
    }

    NOTIFYICONDATA tick{};
    tick.cbSize = sizeof(NOTIFYICONDATA);
    tick.hWnd = hWnd();
    tick.uID = 1;
    tick.uFlags = NIF_ICON;
    if (iconflip) {
        tick.hIcon = Image1.Picture().Handle();
        iconflip = false;
    } else {
        tick.hIcon = Icon().Handle();
        iconflip = true;
    }
    t.Interval(1000);
    Shell_NotifyIconA(NIM_MODIFY, tick);
}

void frmtray_form::Form_Unload(int& Cancel) {
    (void)Cancel;
    SaveSetting(App.EXEName, kOptions, QStringLiteral("mytop"), CStr(float(Top())));
    SaveSetting(App.EXEName, kOptions, QStringLiteral("myleft"), CStr(float(Left())));
    Shell_NotifyIconA(NIM_DELETE, TrayIcon::nid);
    frmtray.Clear();
    mypad.Unload();
}

void frmtray_form::userClose() { ExitProgram(); }

// --- the mouse -------------------------------------------------------------

void frmtray_form::bindMouse() {
    // The two times answer exactly as the face they lie on.
    for (Control* c : {static_cast<Control*>(&picMainSkin), static_cast<Control*>(&l2), static_cast<Control*>(&l1)}) {
        c->MouseDown = [this](int b, int s, float x, float y) { picMainSkin_MouseDown(b, s, x, y); };
        c->MouseMove = [this](int b, int s, float x, float y) { picMainSkin_MouseMove(b, s, x, y); };
        c->MouseUp = [this](int b, int s, float x, float y) { picMainSkin_MouseUp(b, s, x, y); };
        c->DblClick = [this] { picMainSkin_DblClick(); };
    }
    ltime1.DblClick = [this] { ltime1_DblClick(); };
    ltime2.DblClick = [this] { ltime2_DblClick(); };
}

void frmtray_form::Form_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)Y;
    // Rounded half to even, as the platform converts to a whole number.
    const auto message = std::int32_t(std::nearbyint(double(X) / Screen.TwipsPerPixelX()));
    switch (message) {
    case WM_LBUTTONDBLCLK: iconDoubleClicked(); break;
    case WM_RBUTTONUP: PopupMenu(mnufrm->mnufile); break;
    default: break;
    }
}

// DeskPad opens when its menu item is checked; the clock is left as it is.
void frmtray_form::iconDoubleClicked() {
    if (mnufrm->mnupad.Checked())
        OpenDeskPad();
}

void frmtray_form::Form_Resize() {
    if (WindowState() != vbMinimized)
        return;
    Hide();
    // The button that started a drag is released while the window is hidden,
    // where the release never reaches it.
    dragging = false;
}

void frmtray_form::picMainSkin_MouseDown(int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift;
    dragging = true;
    grabx = X;
    graby = Y;
}

// The offset in the face's pixels is added to the place in twips as it is:
// the window trails the pointer and closes the gap over the following moves.
void frmtray_form::picMainSkin_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift;
    if (!dragging)
        return;
    const float newLeft = (X - grabx) + float(Left());
    const float newTop = (Y - graby) + float(Top());
    Move(newLeft, newTop);
}

void frmtray_form::picMainSkin_MouseUp(int Button, int Shift, float X, float Y) {
    (void)Shift, (void)X, (void)Y;
    dragging = false;
    if (Button == vbRightButton)
        PopupMenu(mnufrm->mnufile);
}

void frmtray_form::picMainSkin_DblClick() {
    WindowState(vbMinimized);
    mnufrm->mnumin.Caption(QStringLiteral("Restore"));
}

void frmtray_form::ltime1_DblClick() { allopt->Show(); }
void frmtray_form::ltime2_DblClick() { allopt->Show(); }

void frmtray_form::ShowFace(bool wide) {
    Reshape(*this, picMainSkin, wide ? Picture3 : Picture2);
    l1.Visible(wide);
}

void frmtray_form::Ontop(bool top) {
    SetWindowPos(hWnd(), top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

} // namespace tavrin
