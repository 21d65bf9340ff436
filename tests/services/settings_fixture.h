#pragma once
// Settings tests: a fresh settings folder per test, and a way to run a case
// in a child process (for cases that could hang, change process limits or
// mounts, or must run side by side).
#include "runtime/services/settings.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <string>

namespace settingstest {

inline const QString app = QStringLiteral("app");

// Points XDG_CONFIG_HOME and HOME at a fresh folder for one test.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        setConfigHome(dir_.path());
        qputenv("HOME", dir_.path().toUtf8());
    }
    void TearDown() override {
        restore("XDG_CONFIG_HOME", hadXdg_, xdg_);
        restore("HOME", hadHome_, home_);
    }
    static void restore(const char* name, bool wasSet, const QByteArray& value) {
        wasSet ? void(qputenv(name, value)) : void(qunsetenv(name));
    }
    static void setConfigHome(const QString& path) { qputenv("XDG_CONFIG_HOME", path.toUtf8()); }
    QString settingsFile() const { return dir_.path() + "/app/settings.ini"; }

    QTemporaryDir dir_;

private:
    bool hadXdg_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    QByteArray xdg_ = qgetenv("XDG_CONFIG_HOME");
    bool hadHome_ = qEnvironmentVariableIsSet("HOME");
    QByteArray home_ = qgetenv("HOME");
};

// What a child process found: empty when all went well, "skip: why" when the
// machine does not allow the case, otherwise what went wrong.
using ChildCase = std::function<std::string()>;

// Runs the case in a forked child, killed after the given seconds; its
// standard error goes to errFile when one is given.
std::string runInChild(const ChildCase& body, unsigned seconds = 20, const QString& errFile = {});

// Starts a child that runs the body and exits; returns its pid.
int startChild(const std::function<bool()>& body);
// Waits for the child; true when it exited with success.
bool childSucceeded(int pid);

using testsupport::readBytes;
using testsupport::writeBytes;

} // namespace settingstest

// Fails the test with the child's findings, or skips it.
#define EXPECT_CHILD_OK(result)                                                                    \
    do {                                                                                           \
        const std::string found_ = (result);                                                       \
        if (found_.rfind("skip: ", 0) == 0)                                                        \
            GTEST_SKIP() << found_;                                                                \
        EXPECT_EQ(found_, "");                                                                     \
    } while (0)
