#pragma once
// The desktop host: the forms on Qt 6 Widgets, on X11.
#include "hosts/qt/timers.h"
#include "hosts/qt/tone.h"
#include "hosts/qt/tray.h"

#include "runtime/host.h"

#include <QMetaObject>

namespace tavrin::qt {

class QtHost final : public rt::Host {
public:
    QtHost();
    ~QtHost() override;

    std::int64_t monotonicMs() override;
    rt::LocalDateTime wallClock() override;
    void scheduleTimers(std::int64_t dueMs) override;
    void doEvents() override;

    int twipsPerPixelX() override;
    int twipsPerPixelY() override;
    int screenWidthPixels() override;
    int screenHeightPixels() override;
    std::vector<QRect> monitorsPixels() override;

    void attach(rt::Form& form) override;
    void popupMenu(rt::Form& owner, rt::Menu& menu) override;

    bool trayIcon(rt::TrayOp op, const rt::TrayIconState& state) override;
    void beep(int frequencyHz, int durationMs) override;

    int messageBox(const QString& prompt, int buttons, const QString& title) override;
    std::optional<QString> fileDialog(const rt::FileDialogRequest& request) override;

    void quit() override;
    // Whether the runtime asked the program to end.
    bool quitRequested() const { return quitRequested_; }
    static void endEveryLoop();

    TrayIcons& trayIcons() { return tray_; }

private:
    TimerDriver timers_;
    TrayIcons tray_;
    Tone tone_;
    QMetaObject::Connection focusWatch_;
    bool quitRequested_ = false;
    // The local time's offset from UTC, and the UTC minute it was read in.
    qint64 offsetMs_ = 0;
    qint64 offsetMinute_ = -1;
};

} // namespace tavrin::qt
