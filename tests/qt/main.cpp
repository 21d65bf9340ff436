#include "support.h"

#include <QApplication>

#include <cstdio>

namespace tavrin::qt::test {
namespace {
QtHost* theHost = nullptr;
}
QtHost& host() { return *theHost; }
} // namespace tavrin::qt::test

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform says so each time a window is raised or shaped;
// the tests know.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (standardHandler)
        standardHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv) {
    // The tests draw nowhere; the list of tests must come out without a display too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    tavrin::qt::QtHost host;
    // An X tray window's panel unless a test stands for another kind.
    host.trayIcons().setPanelShowsMenus(false);
    tavrin::qt::test::theHost = &host;
    rt::installHost(&host);
    const int result = RUN_ALL_TESTS();
    rt::unloadEverythingQuietly();
    rt::installHost(nullptr);
    return result;
}
