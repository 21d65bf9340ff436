#pragma once
// The test host: runs the program's forms in virtual time. Nothing happens on
// its own; a test advances the clock, feeds input through the runtime's own
// entry points and reads back what the program asked of the system.
#include "runtime/host.h"

#include <QDateTime>
#include <QImage>
#include <QRegion>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <vector>

namespace rt {
class Control;
class TextBox;
} // namespace rt

namespace headless {

enum class CallKind {
    Attach,      // a form loaded and got its peers
    Region,      // a form's window region changed
    Stacking,    // a form went above all others, or back
    Focus,       // a control asked for the keyboard focus
    PopupMenu,
    TrayIcon,
    Beep,
    MessageBox,
    FileDialog,
    Quit,
};

// One thing the program asked of the host. Which fields are filled depends on
// the kind; the rest keep their defaults.
struct Call {
    CallKind kind = CallKind::Attach;
    QString owner;                     // form name (the icon's or dialog's owner)
    QString name;                      // control or menu name
    QString text;                      // prompt, tip, dialog title
    QString title;                     // message box title
    QString filter;                    // file dialog "name|pattern"
    QString extension;                 // file dialog default extension
    std::int64_t a = 0, b = 0, c = 0;  // numbers: see the kind
    bool flag = false;                 // topmost, save dialog, unscripted answer, icon present
    std::optional<QRegion> region;     // Region: none means the whole rectangle
    std::optional<QImage> image;       // TrayIcon: the icon passed, if any
    std::optional<QString> tip;        // TrayIcon: the tip passed, if any
    std::int64_t atMs = 0;             // virtual time of the call
};
// Numbers per kind: Beep a=frequency b=duration; MessageBox a=buttons
// b=answer; FileDialog a=asks before replacing a file; TrayIcon a=op (0 add, 1 modify, 2 delete) b=id c=callback message.

struct TrayIconNow {
    bool present = false;
    QImage icon;
    QString tip;
    std::uint32_t callbackMessage = 0;
    QString owner;
};

class HeadlessHost final : public rt::Host {
public:
    HeadlessHost();
    ~HeadlessHost() override;
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // --- time ------------------------------------------------------------
    std::int64_t nowMs() const { return now_; }
    // Runs virtual time forward, firing each timer as it falls due.
    void advance(std::int64_t ms);
    // The wall clock reads this at the current virtual time and runs on with it.
    void setWallClock(const QDateTime& at);
    QDateTime wallClockDateTime() const;
    std::int64_t scheduledDueMs() const { return scheduledDue_; }
    // From now on every timer fires up to maxMs late, at random (a busy
    // desktop); 0 puts them back on time.
    void setLateness(int maxMs, unsigned seed = 1);

    // --- screen ----------------------------------------------------------
    void setTwipsPerPixel(int twips) { setTwipsPerPixel(twips, twips); }
    void setTwipsPerPixel(int x, int y);
    void setScreenSize(int widthPx, int heightPx);
    // Monitors side by side; without any, one monitor of the screen's size.
    void setMonitors(std::vector<QRect> monitorsPx) { monitors_ = std::move(monitorsPx); }

    // --- scripts ---------------------------------------------------------
    void scriptMessageBox(int answer) { messageAnswers_.push_back(answer); }
    void scriptFileDialog(const std::optional<QString>& answer);
    // Runs inside the next message box or file dialog, while it is open (the
    // program ended by a signal meanwhile, say); the dialog then answers as scripted.
    void whileNextDialogOpen(std::function<void()> action) { dialogAction_ = std::move(action); }
    // The item the next popup menu picks, by menu name; anywhere in its tree.
    void choosePopupItem(const QString& menuItemName) { popupChoices_.push_back(menuItemName); }

    // --- input, through the runtime's own entry points -------------------
    void click(rt::Control& control);
    void dblClick(rt::Control& control);
    void mouseDown(rt::Control& control, int button, int shift, double xPx, double yPx);
    void mouseMove(rt::Control& control, int button, int shift, double xPx, double yPx);
    void mouseUp(rt::Control& control, int button, int shift, double xPx, double yPx);
    void typeText(rt::TextBox& box, const QString& text);
    int keyDown(rt::TextBox& box, int keyCode, int shift = 0);
    // The icon's mouse message reaches its owner as a mouse move whose X in
    // pixels is the message number.
    void trayMessage(rt::Form& owner, int message);
    void activate(rt::Form& form);
    // Input that waits in the queue until the next DoEvents or advance, as a
    // real event loop would hold it. Dropped if the form unloads before then.
    void postClick(rt::Control& control);
    void post(rt::Form& form, std::function<void()> input);
    std::size_t pendingInput() const { return posted_.size(); }

    // --- records ---------------------------------------------------------
    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> calls(CallKind kind) const;
    int count(CallKind kind) const;
    // Forgets the calls and the property notification counts.
    void clearCalls();
    bool quitRequested() const { return quitRequested_; }
    // Property notifications a control's peer received since the last clear;
    // controls are named "form.control", forms by their own name.
    int notifications(const QString& path) const;
    int notifications(const QString& path, rt::Prop what) const;
    // The notification icons as the system shows them now, by id. A modify
    // changes only what it passes (a null picture or tip keeps the old one).
    const std::map<std::uint32_t, TrayIconNow>& trayIcons() const { return trayIcons_; }
    const TrayIconNow* trayIcon(std::uint32_t id) const;

    // --- rt::Host --------------------------------------------------------
    std::int64_t monotonicMs() override { return now_; }
    rt::LocalDateTime wallClock() override;
    void scheduleTimers(std::int64_t dueMs) override { scheduledDue_ = dueMs; }
    void doEvents() override;
    int twipsPerPixelX() override { return twipsX_; }
    int twipsPerPixelY() override { return twipsY_; }
    int screenWidthPixels() override { return screenW_; }
    int screenHeightPixels() override { return screenH_; }
    std::vector<QRect> monitorsPixels() override {
        return monitors_.empty() ? rt::Host::monitorsPixels() : monitors_;
    }
    void attach(rt::Form& form) override;
    void popupMenu(rt::Form& owner, rt::Menu& menu) override;
    bool trayIcon(rt::TrayOp op, const rt::TrayIconState& state) override;
    void beep(int frequencyHz, int durationMs) override;
    int messageBox(const QString& prompt, int buttons, const QString& title) override;
    std::optional<QString> fileDialog(const rt::FileDialogRequest& request) override;
    void quit() override;

private:
    class RecordingPeer;
    friend class RecordingPeer;

    void attachTree(rt::Control& control);
    void peerChanged(rt::Control& control, rt::Prop what);
    void processPosted();
    void fireTimersDueNow();
    Call& record(CallKind kind, QString owner = {});
    void runDialogAction();

    std::int64_t now_ = 0;
    std::int64_t scheduledDue_ = -1;
    int lateness_ = 0;
    std::minstd_rand random_;
    QDateTime wallBase_;
    std::int64_t wallBaseMs_ = 0;
    int twipsX_ = 15, twipsY_ = 15;
    int screenW_ = 1920, screenH_ = 1080;
    std::vector<QRect> monitors_;

    std::deque<int> messageAnswers_;
    struct FileAnswer {
        bool chosen; // false: the user cancelled
        QString path;
    };
    std::deque<FileAnswer> fileAnswers_;
    std::deque<QString> popupChoices_;
    std::function<void()> dialogAction_;
    struct Posted {
        std::int32_t hWnd;
        rt::Form* form;
        std::function<void()> input;
    };
    std::deque<Posted> posted_;

    std::vector<Call> calls_;
    std::map<QString, std::map<rt::Prop, int>> notifications_;
    std::map<std::uint32_t, TrayIconNow> trayIcons_;
    bool quitRequested_ = false;
};

} // namespace headless
