#include "deskpad/mypad.h"

#include "clock/skin.h"
#include "deskpad/asave.h"
#include "runtime/services/convert.h"
#include "runtime/services/msgbox.h"
#include "runtime/services/readfile.h"
#include "runtime/services/settings.h"

namespace tavrin {

using namespace rt;

FormRef<mypad_form> mypad;

namespace {

const QString kTitle = QStringLiteral("DeskPad");

Font padFont(double size) {
    Font f;
    f.Size = size;
    f.Bold = true;
    return f;
}

void toolImage(Image& image, double left, double size, const char* picture, const char* tip) {
    image.Move(left, 120, size, size);
    image.Picture(Picture::load(QString::fromLatin1(picture)));
    image.ToolTipText(QString::fromLatin1(tip));
}

// DeskPad only ever stores 0 or 1; anything else leaves the box as it is.
std::optional<int> storedWrap(int current) {
    const short v = GetSettingInt(App.EXEName, QStringLiteral("Options"), QStringLiteral("padwrap"), short(current));
    if (v != vbUnchecked && v != vbChecked)
        return std::nullopt;
    return v;
}

QString describe(const QString& text, qsizetype at) {
    const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
    const char32_t code = pair ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
    return QStringLiteral("\"%1\" (U+%2)").arg(text.mid(at, pair ? 2 : 1)).arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

mypad_form::mypad_form() : Form(QStringLiteral("mypad")) { design(); }

void mypad_form::design() {
    Caption(QStringLiteral("Text Pad"));
    BorderStyle(0);
    ShowInTaskbar(false);
    BackColor(0xFFC0C0);
    ForeColor(vbWhite);
    Move(9825, 6825, 5430, 4035);

    padmainskin.Move(0, 0, 10815, 4095);
    padnewskin.Move(0, 4080, 5415, 3975);
    padnewskin.Picture(Picture::load(QStringLiteral("padskin")));

    toolImage(Newimg, 240, 270, "padnew", "New File");
    toolImage(opnimg, 645, 270, "padopen", "Open File");
    toolImage(saveimg, 1035, 270, "padsave", "Save (Ctrl+S)");
    toolImage(saveasimg, 1440, 270, "padsaveas", "Save as");
    toolImage(Imgmin, 4920, 315, "padmin", "Minimize");

    Wrap.Move(1800, 120, 855, 255);
    Wrap.Caption(QStringLiteral("Wrap"));
    Wrap.BackColor(vbBlack);
    Wrap.ForeColor(vbWhite);
    Font wrapFont = padFont(8.25);
    wrapFont.Underline = true;
    Wrap.setFont(wrapFont);

    for (TextBox* box : {&Text1, &Text2}) {
        box->Move(120, 600, 5175, 3255);
        box->MultiLine(true);
        box->AcceptsTab(true); // a notepad types tabs
        box->setFont(padFont(9.75));
    }
    Text1.ScrollBars(3);
    Text1.BackColor(vbWhite);
    Text2.ScrollBars(2);

    Wrap.Click = [this] { Wrap_Click(); };
    Text1.KeyDown = [this](int& KeyCode, int Shift) { Text1_KeyDown(KeyCode, Shift); };
    // The wrapping box answers the same two shortcuts: with word wrap on,
    // Ctrl+S would otherwise do nothing and look as if it had saved.
    Text2.KeyDown = [this](int& KeyCode, int Shift) { Text1_KeyDown(KeyCode, Shift); };
    Imgmin.Click = [this] { Imgmin_Click(); };
    padmainskin.DblClick = [this] { padmainskin_DblClick(); };
    padmainskin.MouseDown = [this](int b, int s, float x, float y) { padmainskin_MouseDown(b, s, x, y); };
    padmainskin.MouseMove = [this](int b, int s, float x, float y) { padmainskin_MouseMove(b, s, x, y); };
    padmainskin.MouseUp = [this](int b, int s, float x, float y) { padmainskin_MouseUp(b, s, x, y); };
    Newimg.Click = [this] { Newimg_Click(); };
    opnimg.Click = [this] { opnimg_Click(); };
    saveimg.Click = [this] { saveimg_Click(); };
    saveasimg.Click = [this] { saveasimg_Click(); };
}

void mypad_form::Form_Load() {
    SetUpSkinnedWindow(*this, padmainskin, padnewskin);
    Text2.Visible(false);
    Text1.Visible(true);
}

TextBox& mypad_form::VisibleText() { return Text2.Visible() ? Text2 : Text1; }

// --- the window ----------------------------------------------------------------

void mypad_form::Wrap_Click() {
    if (Text2.Visible()) {
        Text1.Visible(true);
        Text2.Visible(false);
        Text1.Text(Text2.Text());
    } else {
        Text2.Visible(true);
        Text1.Visible(false);
        Text2.Text(Text1.Text());
    }
    SaveSetting(App.EXEName, QStringLiteral("Options"), QStringLiteral("padwrap"), CStr(short(Wrap.Value())));
}

void mypad_form::Text1_KeyDown(int& KeyCode, int Shift) {
    if (KeyCode == vbKeyS && Shift == vbCtrlMask)
        saveimg_Click();
    if (KeyCode == vbKeyM && Shift == vbCtrlMask)
        HidePad();
}

void mypad_form::Imgmin_Click() { HidePad(); }

void mypad_form::padmainskin_DblClick() { HidePad(); }

// The mouse-up of a double-click that hides the window never arrives here, so
// hiding ends any drag: otherwise the next plain move would drag the window.
void mypad_form::HidePad() {
    dragging = false;
    Hide();
}

void mypad_form::padmainskin_MouseDown(int, int, float X, float Y) {
    dragging = true;
    grabx = X;
    graby = Y;
}

void mypad_form::padmainskin_MouseMove(int, int, float X, float Y) {
    if (!dragging)
        return;
    const float left = float(Left());
    const float top = float(Top());
    Move(float((X - grabx) + left), float((Y - graby) + top));
}

void mypad_form::padmainskin_MouseUp(int, int, float, float) { dragging = false; }

// --- the files -------------------------------------------------------------------

std::optional<QString> mypad_form::PadDialog(bool save, const QString& title) {
    PreparePadDialog(hWnd());
    paddialog.lpstrTitle = title;
    const int chosen = save ? GetSaveFileNameA(paddialog) : GetOpenFileNameA(paddialog);
    // Everything may have been closed while the dialog was open.
    if (chosen == 0 || !isLoaded())
        return std::nullopt;
    const QString path = UpToNul(paddialog.lpstrFile);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void mypad_form::Newimg_Click() {
    const int answer = MsgBox(QStringLiteral("Do you want to save the changes"), vbYesNoCancel + vbExclamation, kTitle);
    if (!isLoaded())
        return;
    if (answer == vbYes) {
        saveasimg_Click();
        if (!isLoaded())
            return;
    } else if (answer == vbNo) {
        Text1.Text(QString());
        Text2.Text(QString());
        padencoding = FileEncoding::Utf8;
    }
    padfile.clear();
}

void mypad_form::opnimg_Click() {
    const std::optional<QString> path = PadDialog(false, QString());
    if (!path)
        return;
    FileText file;
    try {
        file = DecodeFileText(ReadWholeFile(*path));
    } catch (const RuntimeError& e) {
        // The text and the remembered file stay, so a later Save cannot put
        // this text over the file that failed to open.
        Report(QStringLiteral("Could not open \"%1\".").arg(*path), e);
        return;
    }
    padfile = *path;
    padencoding = file.encoding;
    VisibleText().Text(file.text);
}

void mypad_form::saveasimg_Click() {
    const std::optional<QString> path = PadDialog(true, QString());
    if (!path)
        return;
    padfile = *path;
    // A new name is a new file: a text its old file's 8-bit table cannot
    // hold any more is written as UTF-8 instead of not at all.
    if (padencoding == FileEncoding::EightBit && !EncodeFileText(VisibleText().Text(), padencoding))
        padencoding = FileEncoding::Utf8;
    WritePad();
}

void mypad_form::saveimg_Click() {
    if (padfile.isEmpty()) {
        const std::optional<QString> path = PadDialog(true, QStringLiteral("Save"));
        if (!path)
            return;
        padfile = *path;
    }
    WritePad();
}

void mypad_form::WritePad() {
    const QString& text = VisibleText().Text();
    qsizetype bad = 0;
    const std::optional<QByteArray> bytes = EncodeFileText(text, padencoding, &bad);
    if (!bytes) {
        MsgBox(QStringLiteral("\"%1\" was not saved: the text holds the character %2, which this file's "
                              "encoding cannot hold. Remove it, or use \"Save as\" to write the text as UTF-8.")
                   .arg(padfile, describe(text, bad)),
               vbExclamation, kTitle);
        return;
    }
    if (!padfso)
        padfso = std::make_unique<FileSystemObject>();
    try {
        padstream = padfso->CreateTextFile(padfile, true, false);
        padstream->Write(*bytes);
        padstream->Close();
    } catch (const RuntimeError& e) {
        padstream.reset(); // drops the half-written copy
        Report(QStringLiteral("Could not save \"%1\".").arg(padfile), e);
    }
}

void mypad_form::Report(const QString& what, const RuntimeError& e) {
    MsgBox(what + QLatin1Char('\n') + QString::fromStdString(e.what()), vbExclamation, kTitle);
}

// --- opened from the notification icon ------------------------------------------------

void OpenDeskPad() {
    mypad_form& pad = *mypad;
    if (const std::optional<int> wrap = storedWrap(pad.Wrap.Value()))
        pad.Wrap.Value(*wrap);
    if (!pad.isLoaded())
        return;
    pad.Show();
    if (pad.Wrap.Value() == vbUnchecked)
        pad.Text1.SetFocus();
    else
        pad.Text2.SetFocus();
}

} // namespace tavrin
