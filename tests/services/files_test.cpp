// Whole-file reads and atomic writes on real files, and how each fails.
#include "runtime/error.h"
#include "runtime/services/filesystemobject.h"
#include "runtime/services/readfile.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::ScratchFolder;

int readError(const QString& path, std::string* reason = nullptr) {
    try {
        rt::ReadWholeFile(path);
    } catch (const rt::RuntimeError& e) {
        if (reason)
            *reason = e.what();
        return e.number();
    }
    return 0;
}

void save(const QString& path, const QByteArray& bytes) {
    rt::FileSystemObject fso;
    auto stream = fso.CreateTextFile(path, true, false);
    stream->Write(bytes);
    stream->Close();
}

int saveError(const QString& path, const QByteArray& bytes, std::string* reason = nullptr) {
    try {
        save(path, bytes);
    } catch (const rt::RuntimeError& e) {
        if (reason)
            *reason = e.what();
        return e.number();
    }
    return 0;
}

TEST(ReadWholeFile, ReadsEveryByte) {
    ScratchFolder dir;
    QByteArray big(3 * 1024 * 1024 + 7, '\0');
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char(i * 31);
    EXPECT_EQ(rt::ReadWholeFile(dir.write("big", big)), big);
    EXPECT_EQ(rt::ReadWholeFile(dir.write("empty", "")), "");
}

TEST(ReadWholeFile, RefusesWhatIsNoRegularFile) {
    ScratchFolder dir;
    std::string reason;
    EXPECT_EQ(readError(dir.path("missing"), &reason), rt::err::FileNotFound);
    EXPECT_EQ(reason, "No such file or directory");
    QDir().mkdir(dir.path("folder"));
    EXPECT_EQ(readError(dir.path("folder"), &reason), rt::err::PathFileAccess);
    EXPECT_EQ(reason, "it is a folder");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path("fifo")).constData(), 0600), 0);
    EXPECT_EQ(readError(dir.path("fifo"), &reason), rt::err::PathFileAccess) << "and it does not hang";
    EXPECT_EQ(reason, "it is not a regular file");
    EXPECT_EQ(readError("/dev/zero"), rt::err::PathFileAccess);
}

TEST(ReadWholeFile, RefusesAFileTooLargeToHold) {
    ScratchFolder dir;
    QFile sparse(dir.path("huge"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(rt::MaxReadableBytes() + 1));
    sparse.close();
    EXPECT_EQ(readError(dir.path("huge")), rt::err::OutOfMemory);
}

TEST(ReadWholeFile, AnUnreadableFileIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    ScratchFolder dir;
    const QString path = dir.write("secret", "x");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    EXPECT_EQ(readError(path), rt::err::PermissionDenied);
}

TEST(TextStream, ReplacesTheFileWholeAndKeepsItsModeAndLinks) {
    ScratchFolder dir;
    const QString target = dir.write("target.txt", "old contents");
    ::chmod(QFile::encodeName(target).constData(), 0640);
    ASSERT_TRUE(QFile::link(target, dir.path("link.txt")));
    save(dir.path("link.txt"), "new");
    EXPECT_EQ(dir.read("target.txt"), "new");
    EXPECT_TRUE(QFileInfo(dir.path("link.txt")).isSymLink()) << "the link stays a link";
    struct stat st {};
    ::stat(QFile::encodeName(target).constData(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    save(dir.path("fresh.txt"), QByteArray("a\0b", 3));
    EXPECT_EQ(dir.read("fresh.txt"), QByteArray("a\0b", 3));
}

TEST(TextStream, AStreamDroppedBeforeCloseLeavesTheOldFile) {
    ScratchFolder dir;
    const QString path = dir.write("f.txt", "old");
    {
        rt::FileSystemObject fso;
        auto stream = fso.CreateTextFile(path, true, false);
        stream->Write("new");
    }
    EXPECT_EQ(dir.read("f.txt"), "old");
    EXPECT_EQ(QDir(dir.path("")).entryList(QDir::Files).size(), 1) << "no temporary file is left";
}

TEST(TextStream, FailuresAreReportedAndLeaveTheOldFile) {
    ScratchFolder dir;
    std::string reason;
    EXPECT_NE(saveError(dir.path("no/such/folder/f.txt"), "x", &reason), 0);
    EXPECT_FALSE(reason.empty());
    QDir().mkdir(dir.path("folder"));
    EXPECT_EQ(saveError(dir.path("folder"), "x", &reason), rt::err::PathFileAccess);

    const QString locked = dir.write("locked.txt", "old");
    if (!testsupport::setImmutable(locked, true))
        GTEST_SKIP() << "no immutable files here";
    EXPECT_NE(saveError(locked, "new", &reason), 0);
    EXPECT_EQ(dir.read("locked.txt"), "old");
    testsupport::setImmutable(locked, false);

    QDir().mkdir(dir.path("ro"));
    const QString inside = dir.write("ro/f.txt", "old");
    ASSERT_TRUE(testsupport::setImmutable(dir.path("ro"), true));
    EXPECT_NE(saveError(inside, "new", &reason), 0);
    EXPECT_EQ(dir.read("ro/f.txt"), "old");
    testsupport::setImmutable(dir.path("ro"), false);
}

// A file the user may write, in a folder that takes no new file, is written
// in place. Root writes anywhere, so root tries it as nobody.
TEST(TextStream, AWritableFileInAClosedFolderIsWrittenInPlace) {
    ScratchFolder dir;
    const QString path = dir.write("shut/f.txt", "old");
    for (const auto& [name, mode] : {std::pair{"", 0755}, {"shut/f.txt", 0666}, {"shut", 0555}})
        ::chmod(QFile::encodeName(dir.path(name)).constData(), mode_t(mode));
    const int was = ::setfsuid(::geteuid() == 0 ? 65534 : ::geteuid());
    const int error = saveError(path, "new");
    ::setfsuid(uid_t(was));
    ::chmod(QFile::encodeName(dir.path("shut")).constData(), 0755);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dir.read("shut/f.txt"), "new");
}

// The file-size limit turns a write past it into a short write, as a full
// disk does.
TEST(TextStream, AShortWriteFailsAndLeavesTheOldFile) {
    ScratchFolder dir;
    const QString path = dir.write("f.txt", "old");
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string reason;
    const int error = saveError(path, QByteArray(100000, 'x'), &reason);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(error, 0);
    EXPECT_EQ(dir.read("f.txt"), "old");
}

} // namespace
