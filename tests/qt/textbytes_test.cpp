// DeskPad's text through the real text-box widget and real files: what is
// opened and saved comes back byte for byte, and an edit changes only what
// the user typed.
#include "filedialogs.h"
#include "support.h"

#include "deskpad/mypad.h"
#include "support/files.h"

#include <QPlainTextEdit>
#include <QTest>

namespace tavrin::qt::test {
namespace {

class DeskPadText : public QtHostTest {
protected:
    mypad_form& openPad() {
        OpenDeskPad();
        return *mypad;
    }
    QPlainTextEdit* box(rt::TextBox& b) { return widget<QPlainTextEdit>(b); }
    // Opens the file through the dialog, as the user does.
    QPlainTextEdit* openFile(const QByteArray& bytes) {
        path = files.write("file.txt", bytes);
        mypad_form& pad = openPad();
        chooseInNextFileDialog(path);
        pad.opnimg.userClick();
        EXPECT_EQ(pad.padfile, path);
        return box(pad.VisibleText());
    }
    QByteArray saved() {
        QTest::keyClick(box(mypad->VisibleText()), Qt::Key_S, Qt::ControlModifier);
        return files.read("file.txt");
    }
    testsupport::TempConfigHome config;
    testsupport::ScratchFolder files;
    QString path;
};

struct Bytes {
    const char* name;
    QByteArray bytes;
};

const Bytes kFiles[] = {
    {"MixedLineEnds", "crlf\r\nlf\ncr\rlast"},
    {"Empty", ""},
    {"FinalLineEnd", "one\r\n"},
    {"Nul", QByteArray("a\0b\r\n\0", 6)},
    {"EveryByte", testsupport::everyByte()},
    {"NoBreakSpaces", "a\xC2\xA0" "b \xC2\xA0\r\n"},
    {"UnicodeBreaks", "a\xE2\x80\xA8" "b\xE2\x80\xA9" "c\xEF\xB7\x90" "d"},
    {"EightBit", "caf\xE9\r\n\xA0\x80\x81\x8D\x8F\x90\x9D\xFF"},
};

TEST_F(DeskPadText, OpenThenSaveWritesTheSameBytes) {
    for (const Bytes& f : kFiles) {
        openFile(f.bytes);
        EXPECT_EQ(saved(), f.bytes) << f.name;
    }
}

TEST_F(DeskPadText, TypingAtTheStartAddsExactlyThatByte) {
    for (const Bytes& f : kFiles) {
        QPlainTextEdit* edit = openFile(f.bytes);
        QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_X);
        EXPECT_EQ(saved(), "x" + f.bytes) << f.name;
        EXPECT_TRUE(edit->document()->isUndoAvailable()) << "the document was not rebuilt: " << f.name;
    }
}

TEST_F(DeskPadText, TypingAndErasingLeavesTheFileAsItWas) {
    for (const Bytes& f : kFiles) {
        QPlainTextEdit* edit = openFile(f.bytes);
        for (Qt::Key move : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_End}) {
            QTest::keyClick(edit, move);
            QTest::keyClick(edit, Qt::Key_Q);
            QTest::keyClick(edit, Qt::Key_Backspace);
        }
        EXPECT_EQ(saved(), f.bytes) << f.name;
    }
}

TEST_F(DeskPadText, ATypedLineBreakTakesTheTextsFirstLineEnd) {
    struct Break {
        QByteArray before, after;
        Qt::Key move = Qt::Key_End; // after Down
        Qt::KeyboardModifiers modifiers = {};
    };
    const Break cases[] = {
        {"a\r\nb\nc", "a\r\nb\r\n\nc"},
        {"a\rb\r\nc", "a\rb\r\r\nc"},
        {"a\nb\rc", "a\nb\n\rc"},
        {"ab", "ab\n"},
        {"a\nb", "a\nb\n", Qt::Key_End, Qt::ShiftModifier},
        // Right after a lone CR an LF would join it into one line end.
        {"a\nb\rc", "a\nb\r\r\nc", Qt::Key_Down},
    };
    for (const Break& c : cases) {
        QPlainTextEdit* edit = openFile(c.before);
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, c.move);
        QTest::keyClick(edit, Qt::Key_Return, c.modifiers);
        EXPECT_EQ(saved(), c.after) << c.before.toStdString();
    }
}

TEST_F(DeskPadText, EditsAcrossLineEndsKeepTheOthers) {
    QPlainTextEdit* edit = openFile("one\r\ntwo\nthree\rfour");
    // Join "two" and "three" (drops their LF), then select across a line end and type over it.
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(saved(), "one\r\ntwothree\rfour");
    QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Minus);
    EXPECT_EQ(saved(), "one-wothree\rfour");
}

TEST_F(DeskPadText, ReplacingEverythingAndUndoingItComesBack) {
    const QByteArray crlf = "first\r\nsecond\r\n\r\nlast";
    QPlainTextEdit* edit = openFile(crlf);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Y);
    EXPECT_EQ(saved(), "y");
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(saved(), crlf) << "a text emptied by the user keeps its file's line ends";
}

TEST_F(DeskPadText, UndoAndRedoPutBackTheBytesThatWereThere) {
    for (const Bytes& f : kFiles) {
        QPlainTextEdit* edit = openFile(f.bytes);
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        // Undo both, redo both, undo both.
        const Qt::KeyboardModifiers undo = Qt::ControlModifier, redo = Qt::ControlModifier | Qt::ShiftModifier;
        for (const Qt::KeyboardModifiers modifiers : {undo, undo, redo, redo, undo, undo})
            QTest::keyClick(edit, Qt::Key_Z, modifiers);
        EXPECT_EQ(saved(), f.bytes) << f.name;
    }
}

TEST_F(DeskPadText, CtrlSAndCtrlMInsertNothing) {
    const QByteArray bytes = "text\r\n";
    QPlainTextEdit* edit = openFile(bytes);
    QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(mypad->Visible());
    EXPECT_EQ(mypad->Text1.Text(), "text\r\n");
    OpenDeskPad();
    EXPECT_EQ(saved(), bytes);
}

TEST_F(DeskPadText, TheWrappingBoxKeepsTheBytesToo) {
    const QByteArray bytes = "a\r\nb\rc\n\xE9";
    openFile(bytes);
    mypad->Wrap.userClick();
    QPlainTextEdit* wrapped = box(mypad->Text2);
    ASSERT_TRUE(wrapped && wrapped->isVisible());
    EXPECT_EQ(wrapped->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QTest::keyClick(wrapped, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(wrapped, Qt::Key_E);
    EXPECT_EQ(saved(), bytes + "e");
}

// A large file reaches the document in pieces while events go on: edits and
// saves before the last piece arrives keep every byte too.
TEST_F(DeskPadText, ALargeFileComesInPiecesAndEditsMeanwhileKeepEveryByte) {
    QByteArray big;
    for (int n = 0; big.size() < 900 * 1024; ++n)
        big += "line " + QByteArray::number(n) + (n % 3 == 0 ? "\r\n" : n % 3 == 1 ? "\n" : "\r") + char(0x80 + n % 128);
    QPlainTextEdit* edit = openFile(big);
    const int whole = mypad->Text1.Text().size() - int(big.count("\r\n"));
    ASSERT_LT(edit->document()->characterCount() - 1, whole) << "the rest is still to come";
    EXPECT_EQ(saved(), big) << "a save meanwhile writes the whole text";
    QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_X);
    ASSERT_LT(edit->document()->characterCount() - 1, whole + 1) << "typed while the rest was still coming";
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Y);
    EXPECT_EQ(saved(), "x" + big + "y") << "Ctrl+End meanwhile goes to the end of the whole text";
    for (int i = 0; i < 500 && edit->document()->characterCount() - 1 < whole + 2; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(edit->document()->characterCount() - 1, whole + 2);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Z);
    EXPECT_EQ(saved(), "x" + big + "yz");
    EXPECT_TRUE(edit->document()->isUndoAvailable()) << "undo is back once all is in";
}

// Wrapping at word boundaries costs time growing with the square of a run
// without one; such a text wraps anywhere.
TEST_F(DeskPadText, ATextWithAVeryLongWordWrapsAnywhere) {
    mypad_form& pad = openPad();
    pad.Wrap.userClick();
    QPlainTextEdit* wrapped = box(pad.Text2);
    pad.Text2.Text(QStringLiteral("short words only\r\n").repeated(500));
    EXPECT_EQ(wrapped->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    pad.Text2.Text(QStringLiteral("a ") + QString(5000, QLatin1Char('w')));
    EXPECT_EQ(wrapped->wordWrapMode(), QTextOption::WrapAnywhere);
    pad.Text2.Text(QStringLiteral("words again"));
    EXPECT_EQ(wrapped->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);

    // A long run pasted in counts too.
    QTextCursor end = wrapped->textCursor();
    end.movePosition(QTextCursor::End);
    end.insertText(QString(5000, QLatin1Char('p')));
    EXPECT_EQ(wrapped->wordWrapMode(), QTextOption::WrapAnywhere);
    EXPECT_EQ(pad.Text2.Text(), QStringLiteral("words again") + QString(5000, QLatin1Char('p')));
}

TEST_F(DeskPadText, TheLengthLimitCountsALineEndAsItsCharacters) {
    struct Form : rt::Form {
        Form() : rt::Form("frmLimit") {
            setGeometryTwips(1500, 1500, 6000, 4500);
            pad.MultiLine(true);
            pad.setGeometryTwips(150, 150, 3000, 1500);
        }
        rt::TextBox pad{*this, "pad"};
    };
    static rt::FormRef<Form> form;
    Form& f = form.get();
    f.pad.Text("a\r\n");
    f.pad.MaxLength(5);
    f.Show();
    QPlainTextEdit* edit = box(f.pad);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "bc");
    EXPECT_EQ(f.pad.Text(), "a\r\n\r\n");
    EXPECT_EQ(edit->toPlainText(), "a\n\n");
}

} // namespace
} // namespace tavrin::qt::test
