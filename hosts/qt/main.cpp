// The platform's entry: a display, the application, the desktop host, the
// ways the system asks the program to end, and the message loop.
#include "clock/program.h"
#include "hosts/qt/qthost.h"

#include "runtime/forms/runtime.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
}

// The system or the session ends the program: it takes its own way out,
// storing its settings; a second request while it is on its way quits at once.
void endProgram(tavrin::qt::QtHost& host) {
    if (host.quitRequested()) {
        host.endEveryLoop();
        return;
    }
    rt::dispatch([] { tavrin::EndProgram(); });
}

void routeSignalsToExit(tavrin::qt::QtHost& host) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        std::perror("tavrin: socketpair");
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [&host] {
        char byte;
        [[maybe_unused]] const auto n = ::read(signalPipe[0], &byte, 1);
        endProgram(host);
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
}

// Without a session bus the D-Bus library starts one of its own
// (dbus-launch --autolaunch) the first time Qt asks for it, and that bus
// outlives the program. With none to be found, the program goes without.
void noBusOfOurOwn() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (!runtimeDir.isEmpty() && ::stat((runtimeDir + "/bus").constData(), &st) == 0 && S_ISSOCK(st.st_mode))
        return; // the user's bus, which the library finds by itself
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace

int main(int argc, char** argv) {
    const bool x11 = std::getenv("DISPLAY") && *std::getenv("DISPLAY");
    const bool wayland = std::getenv("WAYLAND_DISPLAY") && *std::getenv("WAYLAND_DISPLAY");
    if (!x11) {
        std::fprintf(stderr, wayland ? "tavrin: no X display: this program needs XWayland on a Wayland desktop\n"
                                     : "tavrin: no display: this program needs an X11 desktop\n");
        return 1;
    }
    // The clock places its own windows, which only X11 lets a program do: it
    // runs on X11 (XWayland on a Wayland desktop) whatever the session asks
    // of programs in general, or it would lose its place.
    qputenv("QT_QPA_PLATFORM", "xcb");

    // Each paint through X shared memory wakes Qt's X event thread again when
    // the server is done with it; the clock paints a few small labels a
    // second, far too little for shared memory to pay for that.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");

    // The windows are pictures of a fixed size in pixels; Qt's own scaling
    // enlarges them on a dense screen as a whole. Where it is off, the check
    // marks, arrows and fonts Qt draws on them must not grow with the
    // screen's density alone, or they leave their places on the pictures.
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    noBusOfOurOwn();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    rt::App.EXEName = rt::ExeNameOf(QString::fromLocal8Bit(argv[0]));

    tavrin::qt::QtHost host;
    rt::installHost(&host);
    routeSignalsToExit(host);
    // The session is ending: the program saves and goes, as on any exit.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&host](QSessionManager&) { endProgram(host); });

    rt::dispatch([] { tavrin::StartProgram(); });
    if (!host.quitRequested())
        QApplication::exec();
    // Ended without the program asking (the loop was told to stop from
    // outside): let it store its settings all the same.
    if (!host.quitRequested())
        rt::dispatch([] { tavrin::ExitProgram(); });

    rt::unloadEverythingQuietly();
    // The widgets of the last windows were handed over for later deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    rt::installHost(nullptr);
    return 0;
}
