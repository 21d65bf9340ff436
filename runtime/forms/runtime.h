#pragma once
// The runtime's global services: the installed host, event dispatch, the
// loaded windows, DoEvents, and the App and Screen objects.
#include "runtime/host.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace rt {

class Form;

void installHost(Host* host);
Host& host();
bool hasHost();

// Runs one event handler. Anything it throws is reported on standard error and
// the program goes on. Windows unloaded during the event are destroyed once the
// outermost event has returned, so a handler never runs on freed memory.
void dispatch(const std::function<void()>& handler);
int dispatchDepth();
// Runs `f` once no event is under way: at once, or when the outermost event
// has returned. What an event may still be using (the widgets of a window it
// unloaded, the notification icon it was delivered from) is freed this way.
void whenEventsDone(std::function<void()> f);

// Handles waiting input and due timers re-entrantly, then returns.
void DoEvents();

// Windows currently loaded, in load order.
const std::vector<Form*>& loadedForms();
Form* activeForm();

// Destroys every window without raising an event and resets the runtime's
// tables: the end of a test, or of the program.
void unloadEverythingQuietly();

// The executable's whole file name (a Linux file name has no extension),
// "tavrin" when the command names no file: it names the program's settings
// folder, so it is never empty nor "." or "..".
QString ExeNameOf(const QString& command);

struct AppObject {
    QString EXEName = QStringLiteral("tavrin");
    bool TaskVisible = true;
    QString Title = QStringLiteral("tavrin");
};
extern AppObject App;

struct ScreenObject {
    int TwipsPerPixelX() const;
    int TwipsPerPixelY() const;
    double Width() const;  // twips
    double Height() const; // twips
    // Whether some part of the rectangle (twips) lies on one of the monitors.
    bool ShowsPartOf(double left, double top, double width, double height) const;
};
extern ScreenObject Screen;

namespace detail {
void registerLoaded(std::unique_ptr<Form> form);
void retire(Form& form);
void setActive(Form* form);
} // namespace detail

} // namespace rt
