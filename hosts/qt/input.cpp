#include "hosts/qt/input.h"

#include "runtime/forms/form.h"
#include "runtime/forms/types.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace tavrin::qt {
namespace {

// Widget (the control's own or an inner one) -> its router.
QHash<const QWidget*, InputRouter*>& routers() {
    static QHash<const QWidget*, InputRouter*> map;
    return map;
}

// The router that took the press of the button(s) now held.
QPointer<InputRouter>& pressRouter() {
    static QPointer<InputRouter> router;
    return router;
}

} // namespace

int vbButton(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return rt::vbLeftButton;
    case Qt::RightButton: return rt::vbRightButton;
    case Qt::MiddleButton: return rt::vbMiddleButton;
    default: return 0;
    }
}

int vbButtons(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? rt::vbLeftButton : 0) | (b & Qt::RightButton ? rt::vbRightButton : 0) |
           (b & Qt::MiddleButton ? rt::vbMiddleButton : 0);
}

int vbShift(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? rt::vbShiftMask : 0) | (m & Qt::ControlModifier ? rt::vbCtrlMask : 0) |
           (m & Qt::AltModifier ? rt::vbAltMask : 0);
}

int virtualKey(const QKeyEvent& e) {
    const int key = e.key();
    const bool keypad = e.modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key; // Qt numbers letters as ASCII capitals too
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? 96 + (key - Qt::Key_0) : key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    if (keypad) {
        switch (key) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period: return 110;
        case Qt::Key_Slash: return 111;
        default: break;
        }
    }
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta: return 91;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    // Shifted digits keep their key's code (US layout).
    case Qt::Key_ParenRight: return 48;
    case Qt::Key_Exclam: return 49;
    case Qt::Key_At: return 50;
    case Qt::Key_NumberSign: return 51;
    case Qt::Key_Dollar: return 52;
    case Qt::Key_Percent: return 53;
    case Qt::Key_AsciiCircum: return 54;
    case Qt::Key_Ampersand: return 55;
    case Qt::Key_Asterisk: return 56;
    case Qt::Key_ParenLeft: return 57;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

InputRouter::InputRouter(rt::Control& control, QWidget& widget, Options options)
    : QObject(&widget), control_(&control), widget_(widget), options_(options) {
    watch(widget);
}

InputRouter::~InputRouter() {
    for (auto it = routers().begin(); it != routers().end();)
        it = it.value() == this ? routers().erase(it) : std::next(it);
}

void InputRouter::watch(QWidget& inner) {
    // Moves without a button only reach widgets that track the mouse, and
    // the forms want them (hover effects, the window drag's catch-up).
    inner.setMouseTracking(true);
    inner.installEventFilter(this);
    routers().insert(&inner, this);
}

void InputRouter::detach() {
    control_ = nullptr;
    if (pressRouter() == this)
        pressRouter() = nullptr;
}

bool InputRouter::answers() const { return control_ && control_->Enabled() && control_->answersMouse(); }

QPoint InputRouter::position(QWidget* receiver, const QMouseEvent& e) const {
    QPoint p = e.position().toPoint();
    if (receiver != &widget_)
        p = receiver->mapTo(&widget_, p);
    return p - origin_;
}

bool InputRouter::eventFilter(QObject* watched, QEvent* event) {
    auto* receiver = static_cast<QWidget*>(watched);
    const QEvent::Type type = event->type();
    // A Qt widget ignores the buttons it has no use for (a text box's right
    // and middle press), and Qt would hand such a press on to the container
    // as if it were the container's own: a drag begun there never ends.
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                       type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
    if (mouse && !options_.consumes)
        receiver->setAttribute(Qt::WA_NoMousePropagation, control_ && control_->Enabled());
    switch (type) {
    case QEvent::MouseButtonPress: return press(receiver, *static_cast<QMouseEvent*>(event), false);
    case QEvent::MouseButtonDblClick: return press(receiver, *static_cast<QMouseEvent*>(event), true);
    case QEvent::MouseMove: return move(receiver, *static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: return release(receiver, *static_cast<QMouseEvent*>(event));
    default: return false;
    }
}

// Returning false lets Qt hand the event on: to the Qt widget itself, or up
// to the container when this control does not answer the mouse.
bool InputRouter::press(QWidget* receiver, QMouseEvent& e, bool doubled) {
    if (!answers())
        return false;
    pressRouter() = this;
    doubled_ = doubled;
    const QPoint p = position(receiver, e);
    control_->userMouseDown(vbButton(e.button()), vbShift(e.modifiers()), p.x(), p.y());
    if (doubled && control_ && options_.dblClicks && e.button() == Qt::LeftButton)
        control_->userDblClick();
    return options_.consumes || !control_;
}

bool InputRouter::move(QWidget* receiver, QMouseEvent& e) {
    if (!answers())
        return false;
    const QPoint p = position(receiver, e);
    control_->userMouseMove(vbButtons(e.buttons()), vbShift(e.modifiers()), p.x(), p.y());
    return options_.consumes || !control_;
}

bool InputRouter::release(QWidget* receiver, QMouseEvent& e) {
    const bool pressedHere = pressRouter() == this;
    if (pressedHere && e.buttons() == Qt::NoButton)
        pressRouter() = nullptr;
    if (!answers())
        return false;
    const QPoint p = position(receiver, e);
    control_->userMouseUp(vbButton(e.button()), vbShift(e.modifiers()), p.x(), p.y());
    const bool inside = QRect(QPoint(0, 0), widget_.size()).contains(p + origin_);
    if (control_ && options_.ownClicks && pressedHere && !doubled_ && e.button() == Qt::LeftButton && inside)
        control_->userClick();
    return options_.consumes || !control_;
}

bool InputRouter::pressHeldOn(const rt::Form& form) {
    InputRouter* r = pressRouter();
    return r && r->control_ && &r->control_->Parent() == &form && QGuiApplication::mouseButtons() != Qt::NoButton;
}

void InputRouter::catchUp(QWidget& window, const rt::Form& form) {
    // Where the window is by the runtime's account: Qt's own idea of it lags
    // behind while the window manager's notifications of earlier moves arrive.
    const QPoint global = QCursor::pos();
    const QPoint inWindow = global - form.pixelRect().topLeft();
    InputRouter* target = nullptr;
    if (pressHeldOn(form)) {
        target = pressRouter();
    } else if (window.rect().contains(inWindow)) {
        QWidget* w = window.childAt(inWindow);
        for (; w && !target; w = w == &window ? nullptr : w->parentWidget())
            if (InputRouter* r = routers().value(w); r && r->answers())
                target = r;
        if (!target)
            if (InputRouter* r = routers().value(&window); r && r->answers())
                target = r;
    }
    if (!target)
        return;
    const QPoint p = inWindow - target->widget_.mapTo(&window, QPoint(0, 0)) - target->origin_;
    target->control_->userMouseMove(vbButtons(QGuiApplication::mouseButtons()),
                                    vbShift(QGuiApplication::keyboardModifiers()), p.x(), p.y());
}

} // namespace tavrin::qt
