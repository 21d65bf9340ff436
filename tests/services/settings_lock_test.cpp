// Writers in several processes at once, and writers killed in the middle of
// a save: every save lands, none is held up by a writer that is gone, and the
// file is always whole.
#include "services/settings_fixture.h"

#include <QRandomGenerator>

#include <chrono>
#include <csignal>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace rt;
using namespace settingstest;

namespace {

const char* const kOptionKeys[] = {"mytop", "myleft", "dopt", "zopt", "bopt", "zh", "zm", "zs", "subopt",
                                   "addopt", "mpad", "mtop", "skin1", "skin2", "time1", "time2"};

// A save the store dropped shows as a fresh read without the value.
bool savedAndReadBack(SettingsStore& store, const QString& key, const QString& value) {
    store.save("Options", key, value);
    return SettingsStore(store.path()).get("Options", key, "") == value;
}

} // namespace

TEST_F(SettingsTest, ALockLeftByAWriterThatIsGoneHoldsNoSaveUp) {
    // What an older writer killed at the wrong moment leaves: an empty lock
    // file, or one naming a process that no longer exists.
    const QByteArray leftovers[] = {"", "2147483600\ntavrin\nnowhere\n"};
    for (const QByteArray& lock : leftovers) {
        writeBytes(settingsFile() + ".lock", lock);
        SettingsStore store(settingsFile());
        // Far above the few milliseconds it may take; far below what an
        // empty lock file used to cost.
        store.setLockTimeout(std::chrono::milliseconds(1000));
        EXPECT_TRUE(savedAndReadBack(store, "mytop", "1" + QString::number(lock.size())))
            << "lock file [" << lock.toStdString() << "]";
    }
}

TEST_F(SettingsTest, EightWritersAtOnceTakeTurnsAndLoseNothing) {
    constexpr int writers = 8;
    constexpr int saves = 15;
    SaveSetting(app, "Options", "Start", "1");
    const QString path = settingsFile();
    std::vector<int> children;
    for (int w = 0; w < writers; ++w)
        children.push_back(startChild([&, w] {
            SettingsStore store(path);
            // Each save may wait for the seven others, a few milliseconds each;
            // a second means the writers did not take turns.
            store.setLockTimeout(std::chrono::milliseconds(1000));
            const QString own = "w" + QString::number(w);
            for (int i = 0; i < saves; ++i) {
                if (!savedAndReadBack(store, own, QString::number(i)))
                    return false;
                store.save("Options", "Last", own);
            }
            return true;
        }));
    int succeeded = 0;
    for (int pid : children)
        succeeded += childSucceeded(pid);
    EXPECT_EQ(succeeded, writers);

    SettingsStore after(path);
    for (int w = 0; w < writers; ++w)
        EXPECT_EQ(after.get("Options", "w" + QString::number(w), ""), QString::number(saves - 1)) << w;
    EXPECT_EQ(after.get("Options", "Start", ""), "1");
    EXPECT_TRUE(after.get("Options", "Last", "").startsWith('w'));
}

TEST_F(SettingsTest, AWriterKilledAnywhereLeavesAWholeFileAndNoLock) {
    const QString path = settingsFile();
    for (const char* key : kOptionKeys)
        SaveSetting(app, "Options", key, "0");
    const QByteArray msg(2000, 'm'); // a file of a few pages, so a write takes a while
    SaveSetting(app, "Alarm", "msg", QString::fromLatin1(msg));
    QRandomGenerator random(9);
    for (int kill = 0; kill < 30; ++kill) {
        const int pid = startChild([&]() -> bool {
            SettingsStore store(path);
            for (int i = 0;; ++i)
                store.save("Options", kOptionKeys[i % 16], QString::number(i));
        });
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(2000, 40000)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        SettingsStore store(path);
        for (const char* key : kOptionKeys)
            ASSERT_TRUE(store.contains("Options", key)) << key << " gone after kill " << kill;
        ASSERT_EQ(store.get("Alarm", "msg", ""), QString::fromLatin1(msg)) << "after kill " << kill;
        store.setLockTimeout(std::chrono::milliseconds(1000));
        ASSERT_TRUE(savedAndReadBack(store, "after", QString::number(kill))) << "after kill " << kill;
    }
}
