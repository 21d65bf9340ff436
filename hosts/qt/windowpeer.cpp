#include "hosts/qt/colors.h"
#include "hosts/qt/input.h"
#include "hosts/qt/peers.h"
#include "hosts/qt/x11window.h"

#include "runtime/forms/form.h"

#include <QCloseEvent>
#include <QCursor>
#include <QIcon>
#include <QMoveEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <optional>
#include <utility>

namespace tavrin::qt {

// --- the top-level widget ---------------------------------------------------

FormWindow::FormWindow(rt::Form& form) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), form_(&form) {
    setObjectName(form.Name());
    settle_.setSingleShot(true);
    QObject::connect(&settle_, &QTimer::timeout, this, [this] { settled(); });
}

void FormWindow::setBackColor(const QColor& c) {
    if (c == back_)
        return;
    back_ = c;
    update();
}

void FormWindow::setBackPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void FormWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), back_);
    if (!picture_.isNull())
        p.drawPixmap(0, 0, picture_);
}

void FormWindow::expectMove(QPoint pos) {
    expectedMoves_.push_back(pos);
    if (expectedMoves_.size() > 64)
        expectedMoves_.pop_front();
    if (isVisible())
        settle_.start(kSettleMs);
}

// The program's moves have stopped: a window manager that refused one (or
// placed the window elsewhere) may not have said so, so the window's place
// is read back, and the form's place follows the window once.
void FormWindow::settled() {
    if (!form_ || !isVisible())
        return;
    const std::optional<QPoint> client = x11::placeOnScreen(*this);
    if (!client)
        return;
    // Placed by the outer corner, as the program asks for its places.
    const QPoint place = *client - (geometry().topLeft() - pos());
    if (place == form_->pixelRect().topLeft())
        return;
    tellForm(place);
    // Following it was a move of the program's own, which started the wait
    // anew: the window is where it was just read.
    settle_.stop();
}

void FormWindow::tellForm(QPoint place) {
    const double tx = rt::Screen.TwipsPerPixelX();
    const double ty = rt::Screen.TwipsPerPixelY();
    rt::Form* form = form_;
    rt::dispatch([&] { form->userMoved(place.x() * tx, place.y() * ty); });
}

void FormWindow::moveEvent(QMoveEvent* e) {
    // Our own moves come back from the window manager late, out of order and
    // sometimes twice (Qt reads a reparented window's place when the notice
    // arrives, which may already be a later one). Any place we asked for
    // lately is such an echo; only a place nobody asked for (the user moved
    // the window through the window manager) is news for the form.
    if (std::find(expectedMoves_.begin(), expectedMoves_.end(), e->pos()) != expectedMoves_.end())
        return;
    expectedMoves_.clear();
    if (!form_ || !isVisible() || e->pos() == form_->pixelRect().topLeft())
        return;
    // Right as the window is mapped it is the window manager's own placement
    // (fluxbox places a window reaching off the screen anew): the program's
    // place stands, asked for once more.
    if (mapped_.isValid() && mapped_.elapsed() < kPlacementMs) {
        mapped_.invalidate();
        const QPoint wanted = form_->pixelRect().topLeft();
        expectMove(wanted);
        move(wanted);
        return;
    }
    tellForm(e->pos());
}

void FormWindow::mapping() {
    mapped_.start();
    // Until its first frame is on the screen; a window the window manager
    // iconifies later is not on its way anywhere.
    onItsWay_ = true;
    if (QWindow* handle = windowHandle())
        handle->installEventFilter(this);
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The window stays until the form decides; the clock's own close takes
    // the program's Exit path.
    e->ignore();
    if (rt::Form* form = form_)
        rt::dispatch([form] { form->userClose(); });
}

void FormWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && form_ && form_->isLoaded())
        form_->userActivated();
    QWidget::changeEvent(e);
}

bool FormWindow::onItsWay() const { return onItsWay_ && isVisible(); }

void FormWindow::whenOnScreen(std::function<void()> f) {
    if (!onItsWay()) {
        f();
        return;
    }
    onScreen_.push_back(std::move(f));
}

bool FormWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
        onItsWay_ = false;
        windowHandle()->removeEventFilter(this);
        // Posted: the expose is what paints the first frame.
        QTimer::singleShot(0, this, [this] { runOnScreen(); });
    }
    return QWidget::eventFilter(watched, e);
}

void FormWindow::hideEvent(QHideEvent* e) {
    // Hidden before it ever showed: what waited for it goes ahead.
    onItsWay_ = false;
    if (QWindow* handle = windowHandle())
        handle->removeEventFilter(this);
    runOnScreen();
    QWidget::hideEvent(e);
}

void FormWindow::runOnScreen() {
    if (onScreen_.empty())
        return;
    const std::vector<std::function<void()>> waiting = std::move(onScreen_);
    onScreen_.clear();
    for (const auto& f : waiting)
        f();
}

void FormWindow::scheduleCatchUp() {
    if (catchUpPending_ || !form_)
        return;
    if (!InputRouter::pressHeldOn(*form_) && !form_->pixelRect().contains(QCursor::pos()))
        return;
    catchUpPending_ = true;
    QTimer::singleShot(0, this, [this] {
        catchUpPending_ = false;
        if (form_ && form_->isLoaded() && isVisible())
            InputRouter::catchUp(*this, *form_);
    });
}

// --- the form's peer ----------------------------------------------------------

WindowPeer::WindowPeer(rt::Form& form) : form_(form), window_(new FormWindow(form)) {
    router_ = new InputRouter(form, *window_, {});
    for (rt::Prop p : {rt::Prop::Caption, rt::Prop::Colors, rt::Prop::Picture, rt::Prop::Region, rt::Prop::Enabled,
                       rt::Prop::Geometry})
        changed(p);
}

WindowPeer::~WindowPeer() {
    router_->detach();
    if (!window_)
        return;
    window_->forget();
    window_->hide();
    deleteWhenEventsDone(window_);
}

bool WindowPeer::live() const { return form_.Visible(); }

void WindowPeer::applyGeometry() {
    const QRect r = form_.pixelRect();
    if (r == applied_)
        return;
    if (r.topLeft() != window_->pos())
        window_->expectMove(r.topLeft());
    applied_ = r;
    // Placed by its outer corner (north-west gravity): the window has no
    // frame, and some window managers (fluxbox) misplace a window mapped
    // with static gravity near the screen's top or left edge.
    window_->move(r.topLeft());
    window_->resize(r.size());
    if (window_->isVisible())
        window_->scheduleCatchUp();
}

void WindowPeer::changed(rt::Prop what) {
    if (!window_)
        return;
    FormWindow& w = *window_;
    switch (what) {
    case rt::Prop::Geometry: applyGeometry(); break;
    case rt::Prop::Visible:
        if (form_.Visible())
            show();
        else
            w.hide();
        break;
    case rt::Prop::Caption: w.setWindowTitle(form_.Caption()); break;
    case rt::Prop::Colors: w.setBackColor(toQColor(form_.BackColor())); break;
    case rt::Prop::Picture:
        w.setWindowIcon(form_.Icon().isNull() ? QIcon() : QIcon(QPixmap::fromImage(form_.Icon().image())));
        w.setBackPicture(form_.Picture().isNull() ? QPixmap() : QPixmap::fromImage(form_.Picture().image()));
        break;
    case rt::Prop::Region:
        if (form_.region())
            w.setMask(*form_.region());
        else
            w.clearMask();
        // The outline must be on screen now, not when the loop next idles.
        x11::flush();
        break;
    // A hidden window gets its states when it is next shown.
    case rt::Prop::Stacking:
        if (w.isVisible())
            x11::setAbove(w, form_.topmost());
        break;
    case rt::Prop::Style:
        if (w.isVisible())
            x11::setSkipTaskbarAndPager(w, !form_.ShowInTaskbar());
        break;
    case rt::Prop::WindowState:
        if (!w.isVisible())
            break;
        if (form_.WindowState() == rt::vbMinimized)
            minimizeUnlessHidden();
        else if (form_.WindowState() == rt::vbMaximized)
            w.showMaximized();
        else
            w.showNormal();
        break;
    case rt::Prop::ZOrder:
        if (w.isVisible()) {
            w.raise();
            w.activateWindow();
        }
        break;
    case rt::Prop::Enabled: w.setEnabled(form_.Enabled()); break;
    case rt::Prop::Focus:
    case rt::Prop::Font:
    case rt::Prop::Value: break;
    }
}

void WindowPeer::syncControls(rt::Control& c) {
    for (rt::Control* child : c.children()) {
        if (auto* peer = dynamic_cast<ControlPeer*>(child->peer()); peer && peer->dirty())
            peer->sync();
        syncControls(*child);
    }
}

void WindowPeer::show() {
    FormWindow& w = *window_;
    if (!controlsMade_) {
        controlsMade_ = true;
        attachControlPeers(form_, *this);
    }
    syncControls(form_);
    applyGeometry();
    // The window manager drops _NET_WM_STATE when a window is withdrawn, so
    // the states go onto the native window before every mapping.
    w.winId();
    w.mapping();
    x11::setStatesBeforeMap(w, !form_.ShowInTaskbar(), form_.topmost());
    if (form_.WindowState() == rt::vbMinimized)
        w.showMinimized();
    else if (form_.WindowState() == rt::vbMaximized)
        w.showMaximized();
    else
        w.showNormal();
    x11::flush();
}

// A window the program hides as soon as it is minimised (the clock, to the
// notification area) is only hidden: an iconify request racing the unmap
// leaves some window managers holding it iconic, so that showing it again
// brings back nothing.
void WindowPeer::minimizeUnlessHidden() {
    // The window forgets its form when the peer goes.
    QTimer::singleShot(0, window_, [w = window_] {
        const rt::Form* form = w ? w->form() : nullptr;
        if (form && form->Visible() && form->WindowState() == rt::vbMinimized && w->isVisible())
            w->showMinimized();
    });
}

} // namespace tavrin::qt
