// User input and scales: mouse positions in the container's units, text box
// typing and keys, picture boxes sizing to their picture.
#include "runtime/forms/forms.h"
#include "support/headless_test.h"

#include <QImage>

namespace {

struct MouseAt {
    QString who;
    int button = 0, shift = 0;
    float x = -1, y = -1;
};

struct Pad : rt::Form {
    Pad() : Form("Pad") {
        pic.ScaleMode(rt::vbPixels);
        pic.Move(300, 300, 3000, 1500); // twips on the form
        onPic.Move(10, 5, 60, 20);      // pixels in the box
        pic.MouseDown = [this](int b, int s, float x, float y) { last = {"pic", b, s, x, y}; };
        onPic.MouseMove = [this](int b, int s, float x, float y) { last = {"onPic", b, s, x, y}; };
        onForm.MouseUp = [this](int b, int s, float x, float y) { last = {"onForm", b, s, x, y}; };
        box.Change = [this] { ++changes; };
        box.KeyDown = [this](int& KeyCode, int Shift) {
            keys << QString("%1/%2").arg(KeyCode).arg(Shift);
            if (KeyCode == rt::vbKeyS)
                KeyCode = 0;
        };
    }
    void Form_MouseDown(int Button, int Shift, float X, float Y) override { last = {"form", Button, Shift, X, Y}; }

    rt::PictureBox pic{*this, "pic"};
    rt::Label onPic{pic, "onPic"};
    rt::Label onForm{*this, "onForm"};
    rt::TextBox box{*this, "box"};
    rt::PictureBox skin{*this, "skin"};
    MouseAt last;
    int changes = 0;
    QStringList keys;
};

rt::FormRef<Pad> pad;

using MouseUnits = testsupport::HeadlessTest;
using TextInput = testsupport::HeadlessTest;
using PictureSize = testsupport::HeadlessTest;

TEST_F(MouseUnits, PixelScaleBoxReportsPixelsForItselfAndItsChildren) {
    Pad& f = *pad;
    host.mouseDown(f.pic, rt::vbRightButton, rt::vbShiftMask, 12, 7);
    EXPECT_EQ(f.last.who, "pic");
    EXPECT_EQ(f.last.button, rt::vbRightButton);
    EXPECT_EQ(f.last.shift, rt::vbShiftMask);
    EXPECT_FLOAT_EQ(f.last.x, 12);
    EXPECT_FLOAT_EQ(f.last.y, 7);

    host.mouseMove(f.onPic, 0, 0, 3, 4);
    EXPECT_EQ(f.last.who, "onPic");
    EXPECT_FLOAT_EQ(f.last.x, 3);
    EXPECT_FLOAT_EQ(f.last.y, 4);

    // The child's geometry is in the box's pixels too.
    EXPECT_DOUBLE_EQ(f.onPic.Left(), 10);
    EXPECT_DOUBLE_EQ(f.onPic.leftTwips(), 150);
}

TEST_F(MouseUnits, TwipsScaleFormReportsTwips) {
    Pad& f = *pad;
    host.mouseDown(f, rt::vbLeftButton, 0, 12, 7);
    EXPECT_EQ(f.last.who, "form");
    EXPECT_FLOAT_EQ(f.last.x, 180);
    EXPECT_FLOAT_EQ(f.last.y, 105);

    host.mouseUp(f.onForm, rt::vbLeftButton, rt::vbCtrlMask, 2, 3);
    EXPECT_EQ(f.last.who, "onForm");
    EXPECT_EQ(f.last.shift, rt::vbCtrlMask);
    EXPECT_FLOAT_EQ(f.last.x, 30);
    EXPECT_FLOAT_EQ(f.last.y, 45);
}

TEST_F(MouseUnits, FollowTheScreensTwipsPerPixel) {
    host.setTwipsPerPixel(12);
    Pad& f = *pad;
    host.mouseDown(f, rt::vbLeftButton, 0, 12, 7);
    EXPECT_FLOAT_EQ(f.last.x, 144);
    EXPECT_FLOAT_EQ(f.last.y, 84);
    host.mouseDown(f.pic, rt::vbLeftButton, 0, 12, 7);
    EXPECT_FLOAT_EQ(f.last.x, 12) << "pixels stay pixels";
    EXPECT_FLOAT_EQ(f.last.y, 7);
}

TEST_F(MouseUnits, DisabledControlGetsNoMouse) {
    Pad& f = *pad;
    f.pic.Enabled(false);
    host.mouseDown(f.pic, rt::vbLeftButton, 0, 1, 1);
    EXPECT_TRUE(f.last.who.isEmpty());
}

TEST_F(TextInput, MaxLengthBindsTypingOnly) {
    Pad& f = *pad;
    f.box.MaxLength(3);
    host.typeText(f.box, "abcdef");
    EXPECT_EQ(f.box.Text(), "abc");
    host.typeText(f.box, "g");
    EXPECT_EQ(f.box.Text(), "abc");
    EXPECT_EQ(f.changes, 1) << "nothing typed, nothing changed";

    f.box.Text("longer than three");
    EXPECT_EQ(f.box.Text(), "longer than three");
    EXPECT_EQ(f.changes, 2);
}

TEST_F(TextInput, KeyDownGetsTheKeyAndShiftAndMaySwallowIt) {
    Pad& f = *pad;
    EXPECT_EQ(host.keyDown(f.box, rt::vbKeyM, rt::vbShiftMask | rt::vbCtrlMask), rt::vbKeyM);
    EXPECT_EQ(host.keyDown(f.box, rt::vbKeyS, rt::vbCtrlMask), 0);
    EXPECT_EQ(f.keys, QStringList({"77/3", "83/2"}));
}

TEST_F(PictureSize, AutoSizeWithoutBorderFitsThePicture) {
    Pad& f = *pad;
    f.skin.BorderStyle(0);
    f.skin.AutoSize(true);
    f.skin.Picture(rt::Picture(QImage(40, 25, QImage::Format_ARGB32)));
    EXPECT_DOUBLE_EQ(f.skin.Width(), 40 * 15);
    EXPECT_DOUBLE_EQ(f.skin.Height(), 25 * 15);

    f.skin.ScaleMode(rt::vbPixels);
    EXPECT_DOUBLE_EQ(f.skin.ScaleWidth(), 40);
    EXPECT_DOUBLE_EQ(f.skin.ScaleHeight(), 25);
}

TEST_F(PictureSize, AutoSizeAfterThePictureAndOnAnotherScreen) {
    host.setTwipsPerPixel(12);
    Pad& f = *pad;
    f.skin.Picture(rt::Picture(QImage(30, 10, QImage::Format_ARGB32)));
    f.skin.BorderStyle(0);
    f.skin.AutoSize(true);
    EXPECT_DOUBLE_EQ(f.skin.Width(), 30 * 12);
    EXPECT_DOUBLE_EQ(f.skin.Height(), 10 * 12);
    EXPECT_EQ(f.skin.pixelRect().size(), QSize(30, 10));
}

TEST_F(PictureSize, BorderedBoxStillScalesToThePicture) {
    Pad& f = *pad;
    f.skin.AutoSize(true);
    f.skin.ScaleMode(rt::vbPixels);
    f.skin.Picture(rt::Picture(QImage(40, 25, QImage::Format_ARGB32)));
    EXPECT_GT(f.skin.Width(), 40 * 15) << "the border adds to the outside";
    EXPECT_DOUBLE_EQ(f.skin.ScaleWidth(), 40);
    EXPECT_DOUBLE_EQ(f.skin.ScaleHeight(), 25);
}

} // namespace
