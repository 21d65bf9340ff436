// Typing: length limits bind the keyboard only, KeyDown comes first, and a
// combo box's text stands as typed.
#include "support.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace tavrin::qt::test {
namespace {

struct TypingForm : rt::Form {
    TypingForm() : rt::Form("frmTyping") {
        setGeometryTwips(1500, 1500, 6000, 4500);
        txtLine.setGeometryTwips(150, 150, 3000, 300);
        txtPad.MultiLine(true);
        txtPad.ScrollBars(2);
        txtPad.setGeometryTwips(150, 600, 3000, 1500);
        cbo.setGeometryTwips(150, 2400, 3000, 300);
        cbo.AddItem("Alarm");
        cbo.AddItem("Alarm clock");
        txtLine.KeyDown = [this](int& code, int shift) {
            keys.emplace_back(code, shift);
            if (code == 'X') // the program swallows a key this way
                code = 0;
        };
        cbo.Click = [this] { ++comboClicks; };
    }
    rt::TextBox txtLine{*this, "txtLine"};
    rt::TextBox txtPad{*this, "txtPad"};
    rt::ComboBox cbo{*this, "cbo"};
    std::vector<std::pair<int, int>> keys;
    int comboClicks = 0;
};
rt::FormRef<TypingForm> typingForm;

using Typing = QtHostTest;

TEST_F(Typing, MaxLengthStopsTypingButNotCode) {
    TypingForm& f = typingForm.get();
    f.txtLine.MaxLength(3);
    f.Show();
    auto* edit = widget<QLineEdit>(f.txtLine);
    QTest::keyClicks(edit, "abcdef");
    EXPECT_EQ(f.txtLine.Text(), "abc");
    EXPECT_EQ(edit->text(), "abc");

    f.txtLine.Text("longer than three");
    EXPECT_EQ(edit->text(), "longer than three");
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "!");
    EXPECT_EQ(f.txtLine.Text(), "longer than three");
}

TEST_F(Typing, CodeTextShowsWithItsLineBreaks) {
    TypingForm& f = typingForm.get();
    f.Show();
    f.txtPad.Text("one\r\ntwo");
    EXPECT_EQ(widget<QPlainTextEdit>(f.txtPad)->toPlainText(), "one\ntwo");
    EXPECT_EQ(widget<QPlainTextEdit>(f.txtPad)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    f.txtPad.ScrollBars(3);
    EXPECT_EQ(widget<QPlainTextEdit>(f.txtPad)->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(Typing, MultiLineChosenAfterLoadGetsAMultiLineWidget) {
    TypingForm& f = typingForm.get();
    f.txtLine.Text("kept");
    f.txtLine.MultiLine(true);
    f.Show();
    auto* pad = widget<QPlainTextEdit>(f.txtLine);
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(pad->toPlainText(), "kept");
}

TEST_F(Typing, KeyDownComesFirstAndMaySwallowTheKey) {
    TypingForm& f = typingForm.get();
    f.Show();
    auto* edit = widget<QLineEdit>(f.txtLine);
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_X);
    QTest::keyClick(edit, Qt::Key_7);
    QTest::keyClick(edit, Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(edit, 'B', Qt::ShiftModifier);
    // The modifier keys go down first, with their own codes.
    EXPECT_EQ(f.keys, (std::vector<std::pair<int, int>>{{65, 0}, {88, 0}, {55, 0}, {17, 2}, {77, 2}, {16, 1}, {66, 1}}));
    EXPECT_EQ(f.txtLine.Text(), "a7B");
}

TEST_F(Typing, FocusGoesBothWays) {
    TypingForm& f = typingForm.get();
    f.Show();
    QApplication::setActiveWindow(widgetOf(f));
    f.txtLine.SetFocus();
    EXPECT_TRUE(widgetOf(f.txtLine)->hasFocus());
    widgetOf(f.txtPad)->setFocus();
    EXPECT_EQ(f.ActiveControl(), &f.txtPad) << "the user's choice of control reaches the form";
    QTest::keyClick(widgetOf(f.txtPad), Qt::Key_Tab);
    EXPECT_EQ(f.ActiveControl(), &f.cbo) << "Tab moves on from a multi-line box too";
    EXPECT_EQ(f.txtPad.Text(), "") << "no tab typed";
}

TEST_F(Typing, ComboTextStandsAsTyped) {
    TypingForm& f = typingForm.get();
    f.Show();
    auto* combo = widget<QComboBox>(f.cbo);
    ASSERT_EQ(combo->count(), 2);
    QTest::keyClicks(combo->lineEdit(), "alarm");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(f.cbo.Text(), "alarm");
    EXPECT_EQ(combo->lineEdit()->text(), "alarm");
    EXPECT_EQ(combo->count(), 2) << "typed text must not become an item";
    EXPECT_EQ(f.comboClicks, 0);

    // Picking an item is the user's choice: Click, and the item's text.
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(f.cbo.Text(), combo->currentText());
    EXPECT_EQ(f.comboClicks, 1);

    f.cbo.Text("Alarm");
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->lineEdit()->text(), "Alarm");
    f.cbo.Clear();
    EXPECT_EQ(combo->count(), 0);
}

} // namespace
} // namespace tavrin::qt::test
