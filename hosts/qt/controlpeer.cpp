#include "hosts/qt/fonts.h"
#include "hosts/qt/input.h"
#include "hosts/qt/peerkinds.h"
#include "hosts/qt/peers.h"
#include "hosts/qt/popupmenu.h"

#include "runtime/forms/form.h"
#include "runtime/forms/runtime.h"

#include <QHash>

#include <algorithm>

namespace tavrin::qt {
namespace {

QHash<const QWidget*, ControlPeer*>& peersByWidget() {
    static QHash<const QWidget*, ControlPeer*> map;
    return map;
}

// Menus and timers have nothing on screen.
class NullPeer final : public rt::Peer {
public:
    void changed(rt::Prop) override {}
};

// A menu item has nothing on screen either, but a copy of its menu may.
class MenuPeer final : public rt::Peer {
public:
    void changed(rt::Prop) override { menuChanged(); }
};

std::unique_ptr<rt::Peer> peerWithoutWidget(const rt::Control& c) {
    if (c.kind() == rt::Kind::Menu)
        return std::make_unique<MenuPeer>();
    return std::make_unique<NullPeer>();
}

constexpr std::uint32_t bit(rt::Prop p) { return 1u << unsigned(p); }
// Everything a fresh widget needs; the focus is only ever asked for.
constexpr std::uint32_t kFreshWidget = ~bit(rt::Prop::Focus);

// Labels, images and shapes are painted on their container, beneath every
// windowed control in it, whatever order they were made in.
bool paintedOnContainer(const rt::Control* c) {
    return c->kind() == rt::Kind::Label || c->kind() == rt::Kind::Image || c->kind() == rt::Kind::Shape;
}

void attachChildren(rt::Control& parent, WindowPeer& window, ControlPeer* container) {
    std::vector<rt::Control*> children = parent.children();
    std::stable_partition(children.begin(), children.end(), paintedOnContainer);
    for (rt::Control* child : children) {
        std::unique_ptr<rt::Peer> peer = makeDisplayPeer(*child, window, container);
        if (!peer)
            peer = makeInputPeer(*child, window, container);
        if (!peer)
            peer = peerWithoutWidget(*child);
        auto* controlPeer = dynamic_cast<ControlPeer*>(peer.get());
        child->setPeer(std::move(peer));
        attachChildren(*child, window, child->isContainer() && controlPeer ? controlPeer : container);
    }
}

} // namespace

// Stands in for a control's peer until its window is first shown: a fresh
// widget takes every property then anyway.
void attachPending(rt::Control& parent) {
    for (rt::Control* child : parent.children()) {
        child->setPeer(peerWithoutWidget(*child));
        attachPending(*child);
    }
}

void attachPeers(rt::Form& form) {
    form.setPeer(std::make_unique<WindowPeer>(form));
    // Windows that load hidden (the options dialog, the menu holder) may
    // never be shown: their widgets are made at their first showing.
    attachPending(form);
}

void attachControlPeers(rt::Form& form, WindowPeer& window) { attachChildren(form, window, nullptr); }

QWidget* widgetOf(const rt::Control& control) {
    if (auto* w = dynamic_cast<WindowPeer*>(control.peer()))
        return w->window();
    if (auto* c = dynamic_cast<ControlPeer*>(control.peer()))
        return c->widget();
    return nullptr;
}

void deleteWhenEventsDone(QObject* object) {
    rt::whenEventsDone([object = QPointer<QObject>(object)] {
        if (object)
            object->deleteLater();
    });
}

ControlPeer* peerOfWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (ControlPeer* p = peersByWidget().value(w))
            return p;
    return nullptr;
}

ControlPeer::ControlPeer(rt::Control& control, WindowPeer& window, ControlPeer* container)
    : control_(control), window_(window), container_(container) {}

ControlPeer::~ControlPeer() {
    *alive_ = false;
    dropWidget();
}

void ControlPeer::dropWidget() {
    for (auto& c : connections_)
        QObject::disconnect(c);
    connections_.clear();
    if (router_)
        router_->detach();
    router_ = nullptr;
    if (widget_) {
        peersByWidget().remove(widget_);
        widget_->hide();
        deleteWhenEventsDone(widget_);
    }
    widget_ = nullptr;
}

void ControlPeer::setWidget(QWidget* widget, InputRouter* router) {
    dropWidget();
    widget_ = widget;
    router_ = router;
    peersByWidget().insert(widget, this);
    widget->hide();
    dirty_ = kFreshWidget;
}

QWidget* ControlPeer::parentWidget() const {
    return container_ ? container_->childParent() : static_cast<QWidget*>(window_.window());
}

QRect ControlPeer::widgetRect() const {
    return control_.pixelRect().translated(container_ ? container_->clientOffset() : QPoint());
}

void ControlPeer::changed(rt::Prop what) {
    // A hidden window costs nothing: its widgets catch up when it is shown.
    if (!window_.live() || !widget_) {
        dirty_ |= bit(what);
        return;
    }
    // Nor does a hidden control (a scroll bar that only counts): what changes
    // while it is hidden reaches its widget when it shows again.
    if (!control_.Visible() || dirty_) {
        dirty_ |= bit(what);
        if (control_.Visible() || what == rt::Prop::Visible)
            sync();
        return;
    }
    apply(what);
}

void ControlPeer::sync() {
    if (!widget_)
        return;
    const std::uint32_t dirty = dirty_;
    dirty_ = 0;
    // Looks first, then place, then whether it shows, then the focus.
    for (rt::Prop p : {rt::Prop::Style, rt::Prop::Font, rt::Prop::Colors, rt::Prop::Caption, rt::Prop::Picture,
                       rt::Prop::Value, rt::Prop::Geometry, rt::Prop::Enabled, rt::Prop::Visible, rt::Prop::Focus})
        if (dirty & bit(p))
            apply(p);
    // Handlers may have been bound after the widget was made.
    updateMouseTransparency();
}

void ControlPeer::applyAll() {
    dirty_ |= kFreshWidget;
    if (window_.live())
        sync();
}

void ControlPeer::updateMouseTransparency() {
    if (!passive() || !widget_)
        return;
    // A label nobody listens to must not hide the picture beneath it from the mouse.
    const bool through =
        !control_.Enabled() || (!control_.answersMouse() && control_.ToolTipText().isEmpty());
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents, through);
}

void ControlPeer::apply(rt::Prop what) {
    QWidget* w = widget_;
    if (!w)
        return;
    switch (what) {
    case rt::Prop::Geometry: w->setGeometry(widgetRect()); break;
    case rt::Prop::Visible: w->setVisible(control_.Visible()); break;
    case rt::Prop::Enabled:
        w->setEnabled(control_.Enabled());
        updateMouseTransparency();
        break;
    case rt::Prop::Font: w->setFont(mappedFont(control_.font())); break;
    case rt::Prop::Style:
        w->setToolTip(control_.ToolTipText());
        updateMouseTransparency();
        break;
    case rt::Prop::Focus:
        w->setFocus(Qt::OtherFocusReason);
        if (!w->window()->isActiveWindow())
            w->window()->activateWindow();
        break;
    default: break;
    }
}

} // namespace tavrin::qt
