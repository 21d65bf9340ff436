// DeskPad when files fail and when the program ends under an open dialog:
// a message naming the file and the reason, the text kept, no file harmed.
#include "clock/program.h"
#include "deskpad_test.h"
#include "runtime/services/msgbox.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>
#include <sys/stat.h>

namespace {

using namespace tavrin;
using deskpadtest::DeskPadTest;
using headless::CallKind;

class DeskPadFailures : public DeskPadTest {
protected:
    // The one message DeskPad showed: titled "DeskPad", naming the file and why.
    void expectReported(const QString& path, const char* reason = nullptr) {
        const auto said = messages();
        ASSERT_EQ(said.size(), 1u);
        EXPECT_EQ(said[0].title, "DeskPad");
        EXPECT_EQ(said[0].a, rt::vbExclamation);
        EXPECT_TRUE(said[0].text.contains(path)) << said[0].text.toStdString();
        if (reason) {
            EXPECT_TRUE(said[0].text.contains(QString::fromLatin1(reason))) << said[0].text.toStdString();
        }
        host.clearCalls();
    }
};

TEST_F(DeskPadFailures, AFileThatCannotBeReadLeavesTextAndFileAsTheyWere) {
    const QString good = files.write("good.txt", "good");
    QDir().mkdir(files.path("folder"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(files.path("fifo")).constData(), 0600), 0);
    mypad_form& pad = open();
    openFile(good);
    host.typeText(pad.Text1, " edited");
    host.clearCalls();

    const std::pair<QString, const char*> failing[] = {
        {files.path("vanished.txt"), "No such file"},
        {files.path("folder"), "folder"},
        {files.path("fifo"), "not a regular file"},
        {QStringLiteral("/dev/zero"), "not a regular file"},
    };
    for (const auto& [path, reason] : failing) {
        openFile(path);
        expectReported(path, reason);
        EXPECT_EQ(pad.Text1.Text(), "good edited");
        EXPECT_EQ(pad.padfile, good);
    }
    // So Save still writes the file the text came from, never the one that failed.
    host.click(pad.saveimg);
    EXPECT_EQ(files.read("good.txt"), "good edited");
}

TEST_F(DeskPadFailures, AWriteThatFailsIsReportedAndKeepsTheOldFileAndTheText) {
    mypad_form& pad = open();
    host.typeText(pad.Text1, "precious");
    const QString missing = files.path("no/such/folder/f.txt");
    choose(missing);
    host.click(pad.saveimg);
    expectReported(missing);
    EXPECT_EQ(pad.Text1.Text(), "precious");

    const QString locked = files.write("locked.txt", "old");
    if (!testsupport::setImmutable(locked, true))
        GTEST_SKIP() << "no immutable files here";
    choose(locked);
    host.click(pad.saveasimg);
    expectReported(locked);
    EXPECT_EQ(files.read("locked.txt"), "old");

    QDir().mkdir(files.path("ro"));
    const QString inside = files.write("ro/f.txt", "old");
    ASSERT_TRUE(testsupport::setImmutable(files.path("ro"), true));
    choose(inside);
    host.click(pad.saveasimg);
    expectReported(inside);
    EXPECT_EQ(files.read("ro/f.txt"), "old");
    EXPECT_EQ(pad.Text1.Text(), "precious");
    EXPECT_TRUE(pad.isLoaded());
}

// A small tmpfs filled to the brim: the save fails for want of room.
TEST_F(DeskPadFailures, AFullDiskIsReportedAndTheOldFileStays) {
    const QString mountPoint = files.path("small");
    QDir().mkdir(mountPoint);
    if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount{QFile::encodeName(mountPoint)};
    const QString path = mountPoint + QStringLiteral("/notes.txt");
    testsupport::writeBytes(path, "old notes");
    testsupport::writeBytes(mountPoint + QStringLiteral("/filler"), QByteArray(200 * 1024, 'f'));

    mypad_form& pad = open();
    openFile(path);
    host.typeText(pad.Text1, QString(16 * 1024, QLatin1Char('x')));
    host.clearCalls();
    host.click(pad.saveimg);
    expectReported(path, "No space left on device");
    EXPECT_EQ(testsupport::readBytes(path), "old notes");
    EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files).size(), 2) << "no temporary file is left";
}

TEST_F(DeskPadFailures, ProgramEndingDuringTheQuestionOfNewChangesNothing) {
    StartProgram();
    mypad_form& pad = open();
    host.typeText(pad.Text1, "text");
    host.scriptMessageBox(rt::vbYes);
    choose(files.path("never.txt"));
    host.whileNextDialogOpen([] { EndProgram(); });
    host.click(pad.Newimg);
    EXPECT_EQ(dialogs(), 0) << "no save dialog after DeskPad is gone";
    EXPECT_FALSE(files.exists("never.txt"));
    EXPECT_FALSE(mypad.IsLoaded()) << "nothing loads DeskPad again";
    EXPECT_TRUE(host.quitRequested());
}

TEST_F(DeskPadFailures, ProgramEndingDuringAFileDialogReadsAndWritesNothing) {
    const QString path = files.write("f.txt", "file");
    StartProgram();
    open();
    for (rt::Image mypad_form::*command : {&mypad_form::opnimg, &mypad_form::saveimg, &mypad_form::saveasimg}) {
        choose(path);
        host.whileNextDialogOpen([] { ExitProgram(); });
        host.click((*mypad).*command);
        EXPECT_FALSE(mypad.IsLoaded());
        EXPECT_EQ(files.read("f.txt"), "file");
        EXPECT_EQ(host.count(CallKind::MessageBox), 0);
        StartProgram();
        open();
    }
}

} // namespace
