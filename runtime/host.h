#pragma once
// What a host must provide to run the program's forms: time, windows and
// controls (through peers), input, devices and dialogs. The runtime owns all
// state; a host only renders it and feeds input back.
#include <cstdint>
#include <memory>
#include <optional>

#include <QRect>
#include <QString>
#include <vector>
class QImage;

namespace rt {

class Form;
class Menu;
struct LocalDateTime;

// Which part of a control's state changed; a peer re-reads that part.
enum class Prop {
    Geometry,    // Left/Top/Width/Height
    Visible,
    Enabled,
    Caption,     // caption or text
    Colors,      // fore, back, border colours, back style
    Font,
    Picture,
    Value,       // option/check state, scroll value, list contents, selection
    Style,       // border style, alignment, scroll bars, shape kind, tooltip, max length
    Focus,       // the control asked for the keyboard focus
    Region,      // window region (forms)
    Stacking,    // topmost or not (forms)
    WindowState, // normal/minimised (forms)
    ZOrder,
};

// A host's counterpart of one form or control.
class Peer {
public:
    virtual ~Peer() = default;
    virtual void changed(Prop what) = 0;
};

struct TrayIconState {
    std::uint32_t id = 0;
    Form* owner = nullptr;              // window that receives the icon's mouse messages
    std::uint32_t callbackMessage = 0;  // 0: no messages
    const QImage* icon = nullptr;       // null: no picture
    const QString* tip = nullptr;       // text up to its NUL
};

enum class TrayOp { Add, Modify, Delete };

struct FileDialogRequest {
    bool save = false;
    const QString* title = nullptr;         // empty: the dialog's own title
    const QString* filterName = nullptr;    // e.g. "Text Files"
    const QString* filterPattern = nullptr; // e.g. "*.txt"
    const QString* proposedName = nullptr;
    const QString* defaultExtension = nullptr;
    bool confirmOverwrite = false;
    Form* owner = nullptr;
};

class Host {
public:
    virtual ~Host() = default;

    // Time. Monotonic milliseconds for timers; the local wall clock for the time of day.
    virtual std::int64_t monotonicMs() = 0;
    virtual LocalDateTime wallClock() = 0;
    // The runtime's earliest timer is due at this monotonic time (-1: none).
    virtual void scheduleTimers(std::int64_t dueMs) = 0;
    // Handle waiting input and due timers, then return.
    virtual void doEvents() = 0;

    // Screen.
    virtual int twipsPerPixelX() = 0;
    virtual int twipsPerPixelY() = 0;
    virtual int screenWidthPixels() = 0;
    virtual int screenHeightPixels() = 0;
    // Where each monitor lies on the desktop, in pixels.
    virtual std::vector<QRect> monitorsPixels() { return {QRect(0, 0, screenWidthPixels(), screenHeightPixels())}; }

    // Peers: the host attaches a peer to the form and to every control and menu
    // of it when the form loads; the runtime drops them when it unloads.
    virtual void attach(Form& form) = 0;
    // Open a popup menu at the pointer; the host raises the chosen item's click.
    virtual void popupMenu(Form& owner, Menu& menu) = 0;

    // Devices. Each returns whether the system took the request.
    virtual bool trayIcon(TrayOp op, const TrayIconState& state) = 0;
    virtual void beep(int frequencyHz, int durationMs) = 0; // blocks for its length

    // Dialogs (modal).
    virtual int messageBox(const QString& prompt, int buttons, const QString& title) = 0;
    virtual std::optional<QString> fileDialog(const FileDialogRequest& request) = 0;

    // The last loaded form is gone: the program ends.
    virtual void quit() = 0;
};

} // namespace rt
