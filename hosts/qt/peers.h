#pragma once
// Peers: the host's half of each form and control. A peer owns its widget,
// re-reads the part of the control's state the runtime says changed, and
// hands input back through the runtime's user* entry points.
#include "runtime/host.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace rt {
class Control;
class Form;
} // namespace rt

namespace tavrin::qt {

class InputRouter;
class WindowPeer;

// Gives the form and every control in its tree a peer (the host's attach).
void attachPeers(rt::Form& form);
// Makes the widgets of a form's controls; its window peer does this when the
// form is first shown.
void attachControlPeers(rt::Form& form, WindowPeer& window);

// The widget that shows a control or form, or null (menus, timers, no peer).
QWidget* widgetOf(const rt::Control& control);

class ControlPeer;
// The peer whose widget is `widget` or contains it, or null.
ControlPeer* peerOfWidget(const QWidget* widget);

// Deletes what the event under way may still be using (the event that
// unloaded a window may come from that window, or wait in a dialog above it)
// once no event of the program runs and Qt has returned to its loop.
void deleteWhenEventsDone(QObject* object);

// The top-level widget of one form.
class FormWindow : public QWidget {
public:
    explicit FormWindow(rt::Form& form);

    rt::Form* form() const { return form_; }
    void forget() { form_ = nullptr; }
    void setBackColor(const QColor& c);
    void setBackPicture(const QPixmap& picture);
    // A move the program asked for; the window manager's echo of it is no news,
    // and once the moves stop, the window's real place is read back.
    void expectMove(QPoint pos);
    // Posts (never nests) the mouse move X11 does not send when a window
    // moves under a still pointer.
    void scheduleCatchUp();
    // Shown, but its first frame not yet on the screen (a window iconified
    // later is not on its way).
    bool onItsWay() const;
    // Runs `f` right after the window's first frame is on the screen; at
    // once when the window is not on its way there.
    void whenOnScreen(std::function<void()> f);
    // The window is about to be mapped, and placed by the window manager.
    void mapping();

protected:
    void paintEvent(QPaintEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void changeEvent(QEvent*) override;
    void hideEvent(QHideEvent*) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void runOnScreen();
    void settled();
    // The window is at `place` (pixels, outer corner): the form's place follows.
    void tellForm(QPoint place);

    std::vector<std::function<void()>> onScreen_;
    bool onItsWay_ = false;
    rt::Form* form_;
    QColor back_;
    QPixmap picture_;
    std::deque<QPoint> expectedMoves_;
    QElapsedTimer mapped_;
    static constexpr int kPlacementMs = 300;
    QTimer settle_;
    static constexpr int kSettleMs = 300;
    bool catchUpPending_ = false;
};

// Every control peer: its widget, the laziness of hidden windows, and the
// properties all widgets share.
class ControlPeer : public rt::Peer {
public:
    ControlPeer(rt::Control& control, WindowPeer& window, ControlPeer* container);
    ~ControlPeer() override;

    void changed(rt::Prop what) final;
    // Applies whatever changed while the window was hidden.
    void sync();
    bool dirty() const { return dirty_ != 0; }

    rt::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }
    // Where the children of a container control sit, and their offset in it.
    virtual QWidget* childParent() const { return widget_; }
    virtual QPoint clientOffset() const { return {}; }
    // Where this control's widget goes: its pixel rectangle in the container's widget.
    QRect widgetRect() const;

protected:
    // Subclasses create their widget in their constructor and hand it over
    // (again when the kind of widget has to change).
    void setWidget(QWidget* widget, InputRouter* router);
    InputRouter* router() const { return router_; }
    QWidget* parentWidget() const;
    virtual void apply(rt::Prop what);
    void applyAll();
    // Connections from the widget to this peer; cut when the peer goes,
    // while the widget itself lingers until its deferred deletion.
    void track(QMetaObject::Connection c) { connections_.push_back(std::move(c)); }
    // Lambdas check this after calling into the runtime: a handler may
    // unload the window and with it this peer.
    std::shared_ptr<bool> alive() const { return alive_; }
    // Which controls let the mouse fall through to whatever lies beneath.
    virtual bool passive() const { return false; }
    void updateMouseTransparency();

    rt::Control& control_;
    WindowPeer& window_;
    ControlPeer* container_;

private:
    void dropWidget();

    QPointer<QWidget> widget_;
    InputRouter* router_ = nullptr;
    std::uint32_t dirty_ = 0;
    std::vector<QMetaObject::Connection> connections_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class WindowPeer : public rt::Peer {
public:
    explicit WindowPeer(rt::Form& form);
    ~WindowPeer() override;

    void changed(rt::Prop what) override;
    // Controls' widgets are only touched while the window is shown.
    bool live() const;
    FormWindow* window() const { return window_; }
    rt::Form& form() const { return form_; }

private:
    void show();
    void minimizeUnlessHidden();
    void syncControls(rt::Control& c);
    void applyGeometry();

    rt::Form& form_;
    QPointer<FormWindow> window_;
    InputRouter* router_ = nullptr;
    QRect applied_;
    bool controlsMade_ = false;
};

} // namespace tavrin::qt
