// DeskPad's New, Open, Save As and Save on real files: the shared dialog
// record, the remembered file, and bytes that come back as they went in.
#include "deskpad/asave.h"
#include "deskpad_test.h"
#include "runtime/services/msgbox.h"

namespace {

using namespace tavrin;
using deskpadtest::DeskPadTest;
using headless::CallKind;

using DeskPadFiles = DeskPadTest;

TEST_F(DeskPadFiles, NewAlwaysAsksTheSameQuestion) {
    mypad_form& pad = open();
    host.click(pad.Newimg);
    const auto asked = messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "Do you want to save the changes");
    EXPECT_EQ(asked[0].title, "DeskPad");
    EXPECT_EQ(asked[0].a, 51);
}

TEST_F(DeskPadFiles, NewCancelKeepsTheTextButForgetsTheFile) {
    const QString path = files.write("a.txt", "abc");
    mypad_form& pad = open();
    openFile(path);
    host.scriptMessageBox(rt::vbCancel);
    host.click(pad.Newimg);
    EXPECT_EQ(pad.Text1.Text(), "abc");
    EXPECT_EQ(pad.padfile, "");
    choose(std::nullopt);
    host.click(pad.saveimg);
    ASSERT_EQ(dialogs(), 2);
    EXPECT_EQ(host.calls(CallKind::FileDialog)[1].text, "Save");
    EXPECT_EQ(files.read("a.txt"), "abc");
}

TEST_F(DeskPadFiles, NewNoEmptiesBothBoxes) {
    mypad_form& pad = open();
    host.typeText(pad.Text1, "old");
    host.click(pad.Wrap);
    host.typeText(pad.Text2, " and more");
    pad.padfile = files.path("x.txt");
    host.scriptMessageBox(rt::vbNo);
    host.click(pad.Newimg);
    EXPECT_EQ(pad.Text1.Text(), "");
    EXPECT_EQ(pad.Text2.Text(), "");
    EXPECT_EQ(pad.padfile, "");
}

TEST_F(DeskPadFiles, NewYesSavesAsAndLeavesTheTextWithoutAFile) {
    mypad_form& pad = open();
    host.typeText(pad.Text1, "keep me");
    host.scriptMessageBox(rt::vbYes);
    choose(files.path("saved.txt"));
    host.click(pad.Newimg);
    EXPECT_EQ(files.read("saved.txt"), "keep me");
    EXPECT_EQ(pad.Text1.Text(), "keep me");
    EXPECT_EQ(pad.padfile, "");

    host.scriptMessageBox(rt::vbYes);
    choose(std::nullopt);
    host.click(pad.Newimg);
    EXPECT_EQ(pad.Text1.Text(), "keep me");
    EXPECT_EQ(pad.padfile, "");
}

TEST_F(DeskPadFiles, OpenOffersTheTextFilterAndTheNameDeskpad) {
    const QString path = files.write("in.txt", "x");
    mypad_form& pad = open();
    openFile(path);
    const headless::Call dialog = host.calls(CallKind::FileDialog).at(0);
    EXPECT_FALSE(dialog.flag) << "an open dialog";
    EXPECT_EQ(dialog.owner, "mypad");
    EXPECT_EQ(dialog.filter, "Text Files|*.txt");
    EXPECT_EQ(dialog.name, "Deskpad");
    EXPECT_EQ(dialog.extension, "txt");
    EXPECT_EQ(pad.padfile, path);
    EXPECT_EQ(paddialog.lStructSize, 76u);
    EXPECT_EQ(paddialog.nMaxFile, 1033u);
    EXPECT_EQ(paddialog.nMaxFileTitle, 515u);
    EXPECT_EQ(paddialog.Flags, 0x280006u);
    EXPECT_EQ(paddialog.nFilterIndex, 2u);
    EXPECT_EQ(rt::UpToNul(paddialog.lpstrFileTitle), "in.txt");
}

TEST_F(DeskPadFiles, OpenReplacesOnlyTheVisibleTextWithoutAsking) {
    const QString empty = files.write("empty.txt", "");
    const QString full = files.write("full.txt", "from the file");
    mypad_form& pad = open();
    host.typeText(pad.Text1, "typed");
    host.click(pad.Wrap);
    openFile(full);
    EXPECT_EQ(pad.Text2.Text(), "from the file");
    EXPECT_EQ(pad.Text1.Text(), "typed") << "the hidden box is not touched";
    openFile(empty);
    EXPECT_EQ(pad.Text2.Text(), "");
    EXPECT_EQ(host.count(CallKind::MessageBox), 0);

    choose(std::nullopt);
    host.click(pad.opnimg);
    EXPECT_EQ(pad.padfile, empty) << "a cancelled open changes nothing";
}

TEST_F(DeskPadFiles, SaveAfterOpenRewritesTheFileWithoutADialog) {
    const QString path = files.write("doc.txt", "first");
    mypad_form& pad = open();
    openFile(path);
    host.typeText(pad.Text1, " second");
    // A later dialog cancelled elsewhere does not change the remembered file.
    choose(std::nullopt);
    host.click(pad.saveasimg);
    host.click(pad.saveimg);
    EXPECT_EQ(dialogs(), 2);
    EXPECT_EQ(files.read("doc.txt"), "first second");
}

TEST_F(DeskPadFiles, SaveAsAsksBeforeReplacingAndLeavesTheOldFile) {
    const QString oldPath = files.write("old.txt", "old");
    const QString other = files.write("other.txt", "other");
    mypad_form& pad = open();
    openFile(oldPath);
    host.typeText(pad.Text1, "!");
    choose(other);
    host.click(pad.saveasimg);
    const headless::Call dialog = host.calls(CallKind::FileDialog).back();
    EXPECT_TRUE(dialog.flag) << "a save dialog";
    EXPECT_EQ(dialog.a, 1) << "it asks before replacing a file";
    EXPECT_EQ(dialog.text, "") << "Save As shows the dialog's own title";
    EXPECT_EQ(files.read("other.txt"), "old!");
    EXPECT_EQ(files.read("old.txt"), "old");
    EXPECT_EQ(pad.padfile, other);
}

TEST_F(DeskPadFiles, CancelledSavesWriteNothing) {
    mypad_form& pad = open();
    host.typeText(pad.Text1, "text");
    choose(std::nullopt);
    host.click(pad.saveimg);
    EXPECT_EQ(pad.padfile, "");
    const QString kept = files.write("kept.txt", "kept");
    pad.padfile = kept;
    choose(std::nullopt);
    host.click(pad.saveasimg);
    EXPECT_EQ(pad.padfile, kept);
    EXPECT_EQ(files.read("kept.txt"), "kept");
}

TEST_F(DeskPadFiles, SavesTheVisibleBoxOnlyAndAnEmptyBoxGivesAnEmptyFile) {
    mypad_form& pad = open();
    host.typeText(pad.Text1, "hidden soon");
    host.click(pad.Wrap);
    pad.Text2.Text(QString());
    choose(files.path("out.txt"));
    host.click(pad.saveimg);
    EXPECT_TRUE(files.exists("out.txt"));
    EXPECT_EQ(files.read("out.txt"), "");
}

// --- bytes ----------------------------------------------------------------------------

struct RoundTrip {
    const char* name;
    QByteArray bytes;
};

class DeskPadBytes : public DeskPadTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(DeskPadBytes, OpenThenSaveWritesTheSameBytes) {
    const QString path = files.write("file.txt", GetParam().bytes);
    mypad_form& pad = open();
    openFile(path);
    host.click(pad.saveimg);
    EXPECT_EQ(files.read("file.txt"), GetParam().bytes);
    EXPECT_EQ(host.count(CallKind::MessageBox), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DeskPadBytes,
    ::testing::Values(RoundTrip{"MixedLineEnds", "crlf\r\nlf\ncr\rend"}, RoundTrip{"Empty", ""},
                      RoundTrip{"NoFinalLineEnd", "a\r\nb"}, RoundTrip{"Nul", QByteArray("a\0b\0", 4)},
                      RoundTrip{"EveryByte", testsupport::everyByte()},
                      RoundTrip{"Utf8WithNbspAndLineSeparator", "a\xC2\xA0" "b\xE2\x80\xA8" "c\xE2\x80\xA9"},
                      RoundTrip{"ByteOrderMark", "\xEF\xBB\xBFtext\r\n"},
                      RoundTrip{"Latin1", "caf\xE9\r\n\xA0\x80\x81\x9F"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeskPadFiles, EachFileKeepsItsEncoding) {
    const QString latin = files.write("latin.txt", "caf\xE9");
    const QString utf8 = files.write("utf8.txt", "caf\xC3\xA9");
    mypad_form& pad = open();
    openFile(latin);
    EXPECT_EQ(pad.Text1.Text(), QString::fromUtf8("café"));
    host.typeText(pad.Text1, QString::fromUtf8("€"));
    host.click(pad.saveimg);
    EXPECT_EQ(files.read("latin.txt"), "caf\xE9\x80");

    openFile(utf8);
    EXPECT_EQ(pad.Text1.Text(), QString::fromUtf8("café"));
    host.typeText(pad.Text1, QString::fromUtf8("ā"));
    host.click(pad.saveimg);
    EXPECT_EQ(files.read("utf8.txt"), "caf\xC3\xA9\xC4\x81");

    // A new text is UTF-8.
    host.scriptMessageBox(rt::vbNo);
    host.click(pad.Newimg);
    host.typeText(pad.Text1, QString::fromUtf8("é"));
    choose(files.path("new.txt"));
    host.click(pad.saveimg);
    EXPECT_EQ(files.read("new.txt"), "\xC3\xA9");
}

TEST_F(DeskPadFiles, ACharacterAnEightBitFileCannotHoldIsReportedNotWritten) {
    const QString latin = files.write("latin.txt", "caf\xE9");
    mypad_form& pad = open();
    openFile(latin);
    host.typeText(pad.Text1, QString::fromUtf8("ā"));
    host.click(pad.saveimg);
    EXPECT_EQ(files.read("latin.txt"), "caf\xE9");
    const auto said = messages();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].title, "DeskPad");
    EXPECT_TRUE(said[0].text.contains(latin));
    EXPECT_TRUE(said[0].text.contains("U+0101"));
    EXPECT_EQ(pad.Text1.Text(), QString::fromUtf8("caféā"));

    // Saved under a new name, the text that no longer fits goes out as UTF-8.
    choose(files.path("new.txt"));
    host.click(pad.saveasimg);
    EXPECT_EQ(files.read("new.txt"), "caf\xC3\xA9\xC4\x81");
    EXPECT_EQ(files.read("latin.txt"), "caf\xE9");
    host.typeText(pad.Text1, QString::fromUtf8("😀"));
    host.click(pad.saveimg);
    EXPECT_EQ(files.read("new.txt"), "caf\xC3\xA9\xC4\x81\xF0\x9F\x98\x80");
}

TEST_F(DeskPadFiles, AnEightBitTextThatStillFitsKeepsItsBytesUnderANewName) {
    const QString latin = files.write("latin.txt", "caf\xE9\x80");
    mypad_form& pad = open();
    openFile(latin);
    choose(files.path("copy.txt"));
    host.click(pad.saveasimg);
    EXPECT_EQ(files.read("copy.txt"), "caf\xE9\x80");
}

} // namespace
