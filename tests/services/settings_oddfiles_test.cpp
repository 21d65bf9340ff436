// Files made by hand or by accident: whatever is at the settings path, the
// program starts, and a save changes only the line of its own key.
#include "services/settings_fixture.h"

#include <QDir>

#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace rt;
using namespace settingstest;

namespace {

struct OddThing {
    const char* name;
    std::function<bool(const QString& path)> make;   // false: the machine cannot make it
    std::function<bool(const QString& path)> intact;
};

bool makeFifo(const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }

bool isFifo(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

bool linkToDevZero(const QString& path) { return QFile::link("/dev/zero", path); }

bool linksToDevZero(const QString& path) { return QFile::symLinkTarget(path) == "/dev/zero"; }

const QByteArray hugeFile = "[Options]\nzh=3\n" + QByteArray(3 << 20, ';');

} // namespace

TEST_F(SettingsTest, AnythingButASmallRegularFileReadsAsDefaultsAndIsNeverReplaced) {
    const OddThing things[] = {
        {"a FIFO", makeFifo, isFifo},
        {"a link to /dev/zero", linkToDevZero, linksToDevZero},
        {"a folder", [](const QString& p) { return QDir().mkpath(p); },
         [](const QString& p) { return QFileInfo(p).isDir(); }},
        {"a file of 3 MiB", [](const QString& p) { return writeBytes(p, hugeFile), true; },
         [](const QString& p) { return readBytes(p) == hugeFile; }},
    };
    const QString errFile = dir_.path() + "/stderr";
    for (const OddThing& thing : things) {
        const QString path = settingsFile();
        QDir(dir_.path() + "/app").removeRecursively();
        QDir().mkpath(dir_.path() + "/app");
        ASSERT_TRUE(thing.make(path)) << thing.name;
        const std::string found = runInChild(
            [&]() -> std::string {
#ifndef __SANITIZE_ADDRESS__
                // Reading /dev/zero without end must not take the machine down.
                rlimit memory{1u << 30, 1u << 30};
                ::setrlimit(RLIMIT_AS, &memory);
#endif
                std::string wrong;
                if (GetSetting(app, "Options", "zh", "def") != "def")
                    wrong += "does not read as defaults; ";
                SaveSetting(app, "Options", "zh", "5");
                SaveSetting(app, "Options", "zm", "6");
                if (GetSetting(app, "Options", "zh", "def") != "def")
                    wrong += "a save took effect; ";
                std::fflush(stderr);
                std::ifstream err(QFile::encodeName(errFile).constData());
                std::stringstream text;
                text << err.rdbuf();
                const std::string said = text.str();
                if (std::count(said.begin(), said.end(), '\n') != 1)
                    wrong += "standard error: [" + said + "]";
                return wrong;
            },
            10, errFile);
        EXPECT_EQ(found, "") << thing.name;
        EXPECT_TRUE(thing.intact(path)) << thing.name << " was replaced";
    }
}

TEST_F(SettingsTest, ASaveChangesTheLineOfItsKeyAndNotOneByteMore) {
    // Latin-1 bytes, CRLF line ends, a byte-order mark, a comment and no line
    // end at the very end, as an editor elsewhere may leave them.
    const QByteArray original = "\xEF\xBB\xBF; caf\xE9\r\n[Options]\r\nmsg=caf\xE9\r\nzh=1\r\n"
                                "time1=\xFF\xFE\r\n\r\n[Alarm]\r\nhrs=7";
    writeBytes(settingsFile(), original);

    SaveSetting(app, "Options", "zh", "10");
    QByteArray expected = QByteArray(original).replace("zh=1\r\n", "zh=10\r\n");
    EXPECT_EQ(readBytes(settingsFile()).toStdString(), expected.toStdString());

    // A new key joins its section in the file's own line ends; so does a new
    // section, after a line end for the last line.
    SaveSetting(app, "Options", "zm", "5");
    expected.replace("\xFF\xFE\r\n", "\xFF\xFE\r\nzm=5\r\n");
    EXPECT_EQ(readBytes(settingsFile()).toStdString(), expected.toStdString());
    SaveSetting(app, "Alarm", "min", "30");
    expected += "\r\nmin=30\r\n";
    EXPECT_EQ(readBytes(settingsFile()).toStdString(), expected.toStdString());
    SaveSetting(app, "Extra", "x", "1");
    expected += "\r\n[Extra]\r\nx=1\r\n";
    EXPECT_EQ(readBytes(settingsFile()).toStdString(), expected.toStdString());

    // What is read from such bytes is the text they decode to; the key's
    // own value, once saved, reads back exactly.
    EXPECT_EQ(GetSetting(app, "Options", "msg", ""), QString::fromUtf8("caf\xE9"));
    EXPECT_EQ(GetSetting(app, "Options", "zh", ""), "10");
    EXPECT_EQ(GetSetting(app, "Alarm", "hrs", ""), "7");
}

TEST_F(SettingsTest, ASettingsFileLinkedFromElsewhereStaysLinked) {
    const QString kept = dir_.path() + "/dotfiles/tavrin.ini";
    writeBytes(kept, "[Options]\nzh=1\n");
    QDir().mkpath(dir_.path() + "/app");
    ASSERT_TRUE(QFile::link(kept, settingsFile()));

    SaveSetting(app, "Options", "zh", "2");
    EXPECT_EQ(QFile::symLinkTarget(settingsFile()), kept);
    EXPECT_EQ(readBytes(kept), "[Options]\nzh=2\n");
    EXPECT_EQ(GetSetting(app, "Options", "zh", ""), "2");
}
