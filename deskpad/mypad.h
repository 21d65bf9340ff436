#pragma once
// DeskPad: a small skinned notepad for one plain text file at a time. Two
// text boxes share its place, one without and one with word wrap; the one
// shown holds the text.
#include "runtime/forms/forms.h"
#include "runtime/services/filesystemobject.h"
#include "runtime/services/filetext.h"

#include <memory>
#include <optional>

namespace tavrin {

class mypad_form : public rt::Form {
public:
    mypad_form();

    void Form_Load() override;
    // DeskPad goes only with the program: a close from outside hides it, text
    // and file kept, as its "Minimize" image does.
    void userClose() override { Imgmin_Click(); }
    void Wrap_Click();
    void Text1_KeyDown(int& KeyCode, int Shift);
    void Imgmin_Click();
    void padmainskin_DblClick();
    void padmainskin_MouseDown(int Button, int Shift, float X, float Y);
    void padmainskin_MouseMove(int Button, int Shift, float X, float Y);
    void padmainskin_MouseUp(int Button, int Shift, float X, float Y);
    void Newimg_Click();
    void opnimg_Click();
    void saveasimg_Click();
    void saveimg_Click();

    // Text2 while it is shown (word wrap), otherwise Text1.
    rt::TextBox& VisibleText();

    rt::PictureBox padmainskin{*this, "padmainskin"};
    rt::PictureBox padnewskin{*this, "padnewskin"};
    rt::Image Newimg{padmainskin, "Newimg"};
    rt::Image opnimg{padmainskin, "opnimg"};
    rt::Image saveimg{padmainskin, "saveimg"};
    rt::Image saveasimg{padmainskin, "saveasimg"};
    rt::CheckBox Wrap{padmainskin, "Wrap"};
    rt::Image Imgmin{padmainskin, "Imgmin"};
    rt::TextBox Text1{padmainskin, "Text1"};
    rt::TextBox Text2{padmainskin, "Text2"};

    // The remembered file (empty: none), and how its text is written.
    QString padfile;
    rt::FileEncoding padencoding = rt::FileEncoding::Utf8;

    bool dragging = false;
    float grabx = 0;
    float graby = 0;

private:
    void design();
    void HidePad();
    // The open or save dialog on the shared record; the chosen path, or none
    // when cancelled or when DeskPad was unloaded while it was open.
    std::optional<QString> PadDialog(bool save, const QString& title);
    void WritePad();
    void Report(const QString& what, const rt::RuntimeError& e);

    std::unique_ptr<rt::FileSystemObject> padfso;
    std::unique_ptr<rt::TextStream> padstream;
};

extern rt::FormRef<mypad_form> mypad;

// What a double-click on the notification icon does while the "DeskPad" menu
// item is checked: applies the stored word-wrap choice, shows DeskPad and puts
// the focus into the text box that is shown.
void OpenDeskPad();

} // namespace tavrin
