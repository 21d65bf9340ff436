#include "hosts/qt/qthost.h"

#include "hosts/qt/dialogs.h"
#include "hosts/qt/peers.h"
#include "hosts/qt/popupmenu.h"

#include "runtime/forms/form.h"
#include "runtime/forms/menu.h"
#include "runtime/forms/timer.h"
#include "runtime/services/datetime.h"

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QScreen>
#include <QThread>
#include <QTimer>

namespace tavrin::qt {

QtHost::QtHost() {
    // Whichever control's widget takes the keyboard focus is the form's active control.
    focusWatch_ = QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (ControlPeer* peer = peerOfWidget(now)) {
            rt::Form& form = peer->control().Parent();
            if (form.isLoaded())
                form.userFocusChanged(&peer->control());
        }
    });
}

QtHost::~QtHost() { QObject::disconnect(focusWatch_); }

std::int64_t QtHost::monotonicMs() { return timers_.nowMs(); }

rt::LocalDateTime QtHost::wallClock() {
    // Looking the local offset up reads the time zone file every time, and
    // the clock asks several times a second; offsets only ever change at a
    // whole minute, so once a minute is enough.
    const qint64 utc = QDateTime::currentMSecsSinceEpoch();
    const qint64 minute = utc / 60000 - (utc < 0 && utc % 60000 != 0);
    if (minute != offsetMinute_) {
        offsetMinute_ = minute;
        offsetMs_ = qint64(QDateTime::fromMSecsSinceEpoch(utc).offsetFromUtc()) * 1000;
    }
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(utc + offsetMs_, Qt::UTC);
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

void QtHost::scheduleTimers(std::int64_t dueMs) { timers_.schedule(dueMs); }

void QtHost::doEvents() {
    QCoreApplication::processEvents();
    timers_.fireDue();
}

// The windows are pictures of a fixed size in pixels with their controls laid
// out on them in twips, 15 to a pixel: at any other ratio the controls would
// leave their places on the picture. A dense screen gets larger windows from
// Qt's own scaling, which keeps that ratio; with the scaling off the windows
// keep their size in pixels.
int QtHost::twipsPerPixelX() { return 15; }
int QtHost::twipsPerPixelY() { return 15; }

int QtHost::screenWidthPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int QtHost::screenHeightPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

std::vector<QRect> QtHost::monitorsPixels() {
    std::vector<QRect> monitors;
    for (const QScreen* screen : QGuiApplication::screens())
        monitors.push_back(screen->geometry());
    return monitors;
}

void QtHost::attach(rt::Form& form) { attachPeers(form); }

void QtHost::popupMenu(rt::Form& owner, rt::Menu& menu) {
    if (tray_.takeMenu(owner, menu))
        return;
    BuiltMenu built = buildMenu(menu);
    const std::int32_t hWnd = owner.hWnd();
    QAction* chosen = built.menu->exec(QCursor::pos());
    // Timers ran while the menu was open; the window may be gone.
    if (!chosen || rt::Form::fromHandle(hWnd) != &owner || !owner.isLoaded())
        return;
    if (rt::Menu* item = built.items.value(chosen))
        rt::raise(item->Click);
}

bool QtHost::trayIcon(rt::TrayOp op, const rt::TrayIconState& state) { return tray_.apply(op, state); }

void QtHost::beep(int frequencyHz, int durationMs) { tone_.play(frequencyHz, durationMs); }

int QtHost::messageBox(const QString& prompt, int buttons, const QString& title) {
    return tavrin::qt::messageBox(prompt, buttons, title);
}

std::optional<QString> QtHost::fileDialog(const rt::FileDialogRequest& request) {
    return tavrin::qt::fileDialog(request);
}

void QtHost::quit() {
    quitRequested_ = true;
    endEveryLoop();
}

// Posted: the runtime asks from inside the event that unloaded the last
// window. Every loop ends, the main one and any a handler still waits in (a
// menu, a file dialog, a message box), which then answers as if cancelled;
// Qt's own quit would rather ask each window to close, and a dialog without
// a parent refuses. With no loop running (the start-up, which then runs
// none, or tests that handle events by hand) there is none to end, and
// exit() would end at once every loop begun afterwards.
void QtHost::endEveryLoop() {
    if (QThread::currentThread()->loopLevel() == 0)
        return;
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

} // namespace tavrin::qt
