// A write that cannot reach the disk whole leaves the old file as it was and
// says so once on standard error.
#include "runtime/services/smallfile.h"
#include "services/settings_fixture.h"

#include <QDir>

#include <csignal>
#include <fstream>
#include <sstream>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>

using namespace rt;
using namespace settingstest;

namespace {

// A store as after some use: every option, the alarm, a long message.
QByteArray usedStore() {
    QByteArray text = "[Options]\n";
    for (const char* key : {"mytop", "myleft", "dopt", "zopt", "bopt", "zh", "zm", "zs", "subopt",
                            "addopt", "mpad", "mtop", "skin1", "skin2", "time1", "time2", "padwrap"})
        text += QByteArray(key) + "=0\n";
    text += "\n[Alarm]\nmsg=" + QByteArray(6000, 'm') + "\n";
    return text;
}

std::string fileText(const QString& path) {
    std::ifstream in(QFile::encodeName(path).constData());
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// Two saves that fail: the file keeps every byte, no partial file is left
// beside it, and one line on standard error says why.
std::string twoFailedSaves(const QString& folder, const QString& errFile, const QByteArray& before = usedStore()) {
    const QString file = folder + "/app/settings.ini";
    SettingsStore store(file);
    store.save("Options", "zh", "15");
    store.save("Options", "mytop", "1500");
    std::string found;
    if (readBytes(file) != before)
        found += "the file changed (now " + std::to_string(readBytes(file).size()) + " bytes); ";
    if (QFile::exists(file + ".new"))
        found += "a partial file was left beside it; ";
    if (store.get("Options", "zh", "") != "0")
        found += "the store reads a value that is not on the disk; ";
    std::fflush(stderr);
    const std::string err = fileText(errFile);
    if (std::count(err.begin(), err.end(), '\n') != 1)
        found += "standard error: [" + err + "]";
    return found;
}

} // namespace

TEST_F(SettingsTest, AFullDiskKeepsTheOldFile) {
    const QString errFile = dir_.path() + "/stderr";
    const QString disk = dir_.path() + "/disk";
    QDir().mkpath(disk);
    EXPECT_CHILD_OK(runInChild(
        [&]() -> std::string {
            // A small disk of its own, seen only by this process.
            const QByteArray where = QFile::encodeName(disk);
            if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
                return "skip: this machine does not let the test mount a small disk";
            setConfigHome(disk);
            writeBytes(disk + "/app/settings.ini", usedStore());
            // Fill the disk up to a few KiB, less than the file needs.
            QFile filler(disk + "/filler");
            filler.open(QIODevice::WriteOnly);
            const QByteArray block(1024, 'f');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
            filler.close();
            filler.resize(filler.size() - 4096);
            return twoFailedSaves(disk, errFile);
        },
        20, errFile));
}

TEST_F(SettingsTest, AWriteCutShortKeepsTheOldFile) {
    // The same failure anywhere: a file size limit below the new file's size.
    const QString errFile = dir_.path() + "/stderr";
    writeBytes(settingsFile(), usedStore());
    EXPECT_CHILD_OK(runInChild(
        [&]() -> std::string {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 1000; // room for the message, not for the file
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return "skip: no file size limit";
            return twoFailedSaves(dir_.path(), errFile);
        },
        20, errFile));
    // Once the disk takes it again, the save goes through.
    SettingsStore(settingsFile()).save("Options", "zh", "5");
    EXPECT_EQ(SettingsStore(settingsFile()).get("Options", "zh", ""), "5");
    EXPECT_EQ(SettingsStore(settingsFile()).get("Alarm", "msg", ""), QString(6000, 'm'));
}

TEST_F(SettingsTest, ASaveThatWouldPassTheSizeLimitKeepsTheOldFile) {
    // The largest store the next start still reads.
    const QByteArray full = usedStore() + QByteArray(smallfile::kMaxBytes - usedStore().size(), ';');
    writeBytes(settingsFile(), full);
    const QString errFile = dir_.path() + "/stderr";
    EXPECT_CHILD_OK(runInChild([&] { return twoFailedSaves(dir_.path(), errFile, full); }, 20, errFile));
}
