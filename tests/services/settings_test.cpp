#include "runtime/forms/runtime.h"
#include "runtime/services/filelock.h"
#include "services/settings_fixture.h"

#include <QDir>

#include <algorithm>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace rt;
using settingstest::app;
using settingstest::SettingsTest;

TEST_F(SettingsTest, PathFollowsXdgConfigHome) {
    EXPECT_EQ(SettingsStore::pathFor("tavrin"), dir_.path() + "/tavrin/settings.ini");
    // By the executable's whole name: each copy has a folder of its own.
    EXPECT_EQ(SettingsStore::pathFor(ExeNameOf("/opt/tavrin-1.2")), dir_.path() + "/tavrin-1.2/settings.ini");
    EXPECT_EQ(SettingsStore::pathFor(ExeNameOf(".tavrin")), dir_.path() + "/.tavrin/settings.ini");
    EXPECT_EQ(SettingsStore::pathFor(ExeNameOf("")), dir_.path() + "/tavrin/settings.ini");
    setConfigHome("relative/dir"); // not absolute: ignored
    EXPECT_EQ(SettingsStore::pathFor("tavrin"), dir_.path() + "/.config/tavrin/settings.ini");
}

TEST_F(SettingsTest, MissingKeyReadsDefaultButEmptyTextReadsEmpty) {
    EXPECT_EQ(GetSetting(app, "Options", "Msg", "def"), "def");
    SaveSetting(app, "Options", "Msg", "");
    EXPECT_EQ(GetSetting(app, "Options", "Msg", "def"), "");
    // Keys are exact, and sections keep their keys apart.
    EXPECT_EQ(GetSetting(app, "Options", "msg", "def"), "def");
    EXPECT_EQ(GetSetting(app, "Alarm", "Msg", "def"), "def");
}

TEST_F(SettingsTest, TypedReadsConvertOrFallBackToTheCurrentValue) {
    const std::pair<const char*, bool> bools[] = {
        {"True", true}, {"tRUE", true}, {"1", true}, {"-1", true}, {"0", false}, {"False", false}};
    for (const auto& [text, expected] : bools) {
        SaveSetting(app, "Options", "OnTop", text);
        EXPECT_EQ(GetSettingBool(app, "Options", "OnTop", !expected), expected) << text;
    }
    for (const char* text : {"maybe", ""}) {
        SaveSetting(app, "Options", "OnTop", text);
        EXPECT_TRUE(GetSettingBool(app, "Options", "OnTop", true)) << text;
        EXPECT_FALSE(GetSettingBool(app, "Options", "OnTop", false)) << text;
    }

    // Box states outside 0..2 still pass through as they were stored.
    for (const char* text : {"12", "-3"}) {
        SaveSetting(app, "Alarm", "Box", text);
        EXPECT_EQ(GetSetting(app, "Alarm", "Box"), text);
        EXPECT_EQ(GetSettingInt(app, "Alarm", "Box", 1), QString(text).toShort());
    }
    for (const char* text : {"99999", "maybe", ""}) {
        SaveSetting(app, "Alarm", "Box", text);
        EXPECT_EQ(GetSettingInt(app, "Alarm", "Box", 2), 2) << text;
    }

    SaveSetting(app, "Options", "Left", "-150");
    EXPECT_EQ(GetSettingSingle(app, "Options", "Left", 0.0f), -150.0f);
    SaveSetting(app, "Options", "Left", "left");
    EXPECT_EQ(GetSettingSingle(app, "Options", "Left", 1440.0f), 1440.0f);
    EXPECT_EQ(GetSettingSingle(app, "Options", "Top", 2520.0f), 2520.0f);
    EXPECT_EQ(GetSettingInt(app, "Alarm", "Missing", 2), 2);
}

TEST_F(SettingsTest, EveryTextRoundTrips) {
    const QString texts[] = {
        "line one\nline two\r\nthree", "  leading spaces", "trailing ", "\ttab", "\"quoted\"",
        ";semicolon", "#hash", "back\\slash \\n", "a, b", "=x=y", "[Alarm]", "\"", "end\"",
        QString::fromUtf8("Zeit \u23F0 \u00FCber"),
    };
    for (const QString& text : texts) {
        SaveSetting(app, "Alarm", "Msg", text);
        // A fresh store has nothing cached: it reads the file.
        EXPECT_EQ(SettingsStore(settingsFile()).get("Alarm", "Msg", "def"), text)
            << text.toStdString();
    }
}

TEST_F(SettingsTest, ReadsHandEditedFilesAndKeepsOtherKeysOnSave) {
    QDir().mkpath(dir_.path() + "/app");
    QFile file(settingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; written by hand\r\n\n[Options]\r\nmsg=a, b\r\n  Spaced  =   padded value  \n"
               "quoted = \"  x\\ny\\t\\\"z\\\"\"  ; after the quotes\n"
               "# Hidden=1\nMsg=first\nMsg=second\n[Alarm]\nmsg=alarm\n");
    file.close();

    SettingsStore store(settingsFile());
    EXPECT_EQ(store.get("Options", "msg", ""), "a, b");
    EXPECT_EQ(store.get("Options", "Spaced", ""), "padded value");
    EXPECT_EQ(store.get("Options", "quoted", ""), "  x\ny\t\"z\"");
    EXPECT_FALSE(store.contains("Options", "Hidden"));
    EXPECT_EQ(store.get("Options", "Msg", ""), "first");

    store.save("Options", "Msg", "changed");
    store.save("Alarm", "New", "x");
    SettingsStore fresh(settingsFile());
    EXPECT_EQ(fresh.get("Options", "Msg", ""), "changed");
    EXPECT_EQ(fresh.get("Options", "msg", ""), "a, b");
    EXPECT_EQ(fresh.get("Options", "quoted", ""), "  x\ny\t\"z\"");
    EXPECT_EQ(fresh.get("Alarm", "msg", ""), "alarm");
    EXPECT_EQ(fresh.get("Alarm", "New", ""), "x");
}

TEST_F(SettingsTest, LongLivedStoresSeeEachOthersWrites) {
    SettingsStore a(settingsFile());
    SettingsStore b(settingsFile());
    EXPECT_EQ(b.get("Options", "V", "none"), "none");
    // Same-length values in quick succession.
    for (int i = 0; i < 50; ++i) {
        const QString value = QString::number(i % 10);
        (i % 2 ? a : b).save("Options", "V", value);
        ASSERT_EQ((i % 2 ? b : a).get("Options", "V", ""), value) << i;
    }
}

TEST_F(SettingsTest, TwoProcessesWritingNeverLoseOrBreakTheFile) {
    constexpr int rounds = 60;
    const QString path = settingsFile();
    SaveSetting(app, "Options", "Start", "1");
    // Each process writes its own key and a shared one; after every write a
    // fresh read must show its own latest value, however the two interleave.
    auto hammer = [&](const QString& own) {
        SettingsStore store(path);
        for (int i = 0; i < rounds; ++i) {
            const QString value = own + QString::number(i);
            store.save("Options", own, value);
            store.save("Options", "Last", value);
            if (SettingsStore(path).get("Options", own, "") != value)
                return false;
        }
        return true;
    };
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(hammer("child") ? 0 : 1);
    EXPECT_TRUE(hammer("parent"));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    SettingsStore after(path);
    const QString lastParent = "parent" + QString::number(rounds - 1);
    const QString lastChild = "child" + QString::number(rounds - 1);
    EXPECT_EQ(after.get("Options", "parent", ""), lastParent);
    EXPECT_EQ(after.get("Options", "child", ""), lastChild);
    EXPECT_EQ(after.get("Options", "Start", ""), "1");
    const QString last = after.get("Options", "Last", "");
    EXPECT_TRUE(last == lastParent || last == lastChild) << last.toStdString();
}

TEST_F(SettingsTest, UnwritableFolderDropsTheWriteWithOneMessage) {
    // A regular file where the folder should be fails even for root.
    QFile blocker(dir_.path() + "/blocker");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    setConfigHome(blocker.fileName());
    testing::internal::CaptureStderr();
    SaveSetting(app, "Options", "Msg", "one");
    SaveSetting(app, "Options", "Msg", "two");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(GetSetting(app, "Options", "Msg", "def"), "def");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST_F(SettingsTest, ReadOnlyFolderKeepsTheOldValue) {
    SaveSetting(app, "Options", "Msg", "old");
    const QByteArray folder = QFile::encodeName(dir_.path() + "/app");
    ASSERT_EQ(chmod(folder.constData(), 0500), 0);
    const bool writable = access(folder.constData(), W_OK) == 0; // root ignores the mode
    if (!writable) {
        testing::internal::CaptureStderr();
        SaveSetting(app, "Options", "Msg", "new");
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(SettingsStore(settingsFile()).get("Options", "Msg", ""), "old");
    }
    chmod(folder.constData(), 0700);
    if (writable)
        GTEST_SKIP() << "folder permissions do not apply to this user";
}

TEST_F(SettingsTest, LockHeldElsewhereDropsTheWriteAndMissingFoldersAreMade) {
    setConfigHome(dir_.path() + "/deep/er");
    SettingsStore store(SettingsStore::pathFor(app));
    store.save("Options", "Msg", "first");
    EXPECT_EQ(SettingsStore(store.path()).get("Options", "Msg", ""), "first");

    FileLock other(QFile::encodeName(store.path() + ".lock"));
    ASSERT_EQ(other.lock(std::chrono::milliseconds(0)), FileLock::Result::Locked);
    const std::chrono::milliseconds wait(200);
    store.setLockTimeout(wait);
    testing::internal::CaptureStderr();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) // a burst, as the options' "OK": one wait, not ten
        store.save("Options", "Msg", "second");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3 * wait);
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(store.get("Options", "Msg", ""), "first");
    std::this_thread::sleep_for(wait); // the burst is over: a save waits again
    std::thread letGo([&] { std::this_thread::sleep_for(wait / 5), other.unlock(); });
    store.save("Options", "Msg", "third");
    letGo.join();
    EXPECT_EQ(store.get("Options", "Msg", ""), "third");
}
