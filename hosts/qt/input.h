#pragma once
// Mouse and keyboard input on the way from Qt to the runtime.
#include <QObject>
#include <QPoint>
#include <QPointer>

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace rt {
class Control;
class Form;
} // namespace rt

namespace tavrin::qt {

// Turns Qt mouse events on one control's widget (and any inner widgets, like
// a combo's line edit) into the runtime's mouse events. It lives as a child of
// the control's widget and forgets the control when the peer goes, so a
// handler that unloads its own window leaves it harmless.
class InputRouter : public QObject {
public:
    struct Options {
        bool consumes = true;   // painted controls take the event; Qt widgets still act on it
        bool ownClicks = true;  // press+release inside raises Click (buttons and combos raise their own)
        bool dblClicks = true;
    };
    InputRouter(rt::Control& control, QWidget& widget, Options options);
    ~InputRouter() override;

    void watch(QWidget& inner);
    void detach();
    // Positions are reported from here (a picture box's client area starts inside its border).
    void setOrigin(QPoint origin) { origin_ = origin; }

    // A button went down on a control of this window and is still held.
    static bool pressHeldOn(const rt::Form& form);
    // The window moved under a still pointer: tell the control under it (or
    // the one holding the button) where the pointer now is.
    static void catchUp(QWidget& window, const rt::Form& form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool answers() const;
    QPoint position(QWidget* receiver, const QMouseEvent& e) const;
    bool press(QWidget* receiver, QMouseEvent& e, bool doubled);
    bool move(QWidget* receiver, QMouseEvent& e);
    bool release(QWidget* receiver, QMouseEvent& e);

    rt::Control* control_;
    QWidget& widget_;
    Options options_;
    QPoint origin_;
    bool doubled_ = false;
};

int vbButton(Qt::MouseButton b);
int vbButtons(Qt::MouseButtons b);
int vbShift(Qt::KeyboardModifiers m);
// The key code the forms see for a key (letters 65..90, digits 48..57...);
// 0 for keys they have no code for.
int virtualKey(const QKeyEvent& e);

} // namespace tavrin::qt
