#include "runtime/forms/control.h"

#include "runtime/forms/form.h"
#include "runtime/forms/runtime.h"
#include "runtime/forms/timer.h"

#include <algorithm>
#include <cmath>

namespace rt {

Control::Control(Control& container, QString name, Kind kind)
    : form_(container.form_), name_(std::move(name)), kind_(kind), container_(&container) {
    container.children_.push_back(this);
}

Control::Control(QString name, Kind kind) : name_(std::move(name)), kind_(kind) {}

Control::~Control() {
    if (container_) {
        auto& siblings = container_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void Control::changed(Prop what) {
    if (peer_)
        peer_->changed(what);
}

void Control::dropPeers() {
    for (Control* child : children_)
        child->dropPeers();
    peer_.reset();
}

// --- geometry ---------------------------------------------------------------

double Control::unitsPerTwipX() const { return 1.0; }
double Control::unitsPerTwipY() const { return 1.0; }

namespace {
double unitsX(const Control* container) { return container ? container->unitsPerTwipX() : 1.0; }
double unitsY(const Control* container) { return container ? container->unitsPerTwipY() : 1.0; }
} // namespace

double Control::Left() const { return left_ * unitsX(container_); }
double Control::Top() const { return top_ * unitsY(container_); }
double Control::Width() const { return width_ * unitsX(container_); }
double Control::Height() const { return height_ * unitsY(container_); }
void Control::Left(double v) { setGeometryTwips(v / unitsX(container_), top_, width_, height_); }
void Control::Top(double v) { setGeometryTwips(left_, v / unitsY(container_), width_, height_); }
void Control::Width(double v) { setGeometryTwips(left_, top_, v / unitsX(container_), height_); }
void Control::Height(double v) { setGeometryTwips(left_, top_, width_, v / unitsY(container_)); }

void Control::Move(double left, double top) {
    setGeometryTwips(left / unitsX(container_), top / unitsY(container_), width_, height_);
}

void Control::Move(double left, double top, double width, double height) {
    setGeometryTwips(left / unitsX(container_), top / unitsY(container_), width / unitsX(container_),
                     height / unitsY(container_));
}

void Control::setGeometryTwips(double left, double top, double width, double height) {
    width = std::max(0.0, width);
    height = std::max(0.0, height);
    if (kind_ == Kind::Form) {
        // A window lies on whole pixels: its place reads back as the pixel it
        // is at, whatever fraction of one was asked for (the drag adds pixel
        // offsets to a place in twips).
        const double tx = Screen.TwipsPerPixelX();
        const double ty = Screen.TwipsPerPixelY();
        left = std::round(left / tx) * tx;
        top = std::round(top / ty) * ty;
    }
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    changed(Prop::Geometry);
    if (resized && kind_ == Kind::Form)
        static_cast<Form*>(this)->sizeChanged();
}

QRect Control::pixelRect() const {
    const double tx = Screen.TwipsPerPixelX();
    const double ty = Screen.TwipsPerPixelY();
    return QRect(int(std::lround(left_ / tx)), int(std::lround(top_ / ty)), int(std::lround(width_ / tx)),
                 int(std::lround(height_ / ty)));
}

// --- plain properties -------------------------------------------------------

void Control::Visible(bool v) {
    if (v == visible_)
        return;
    visible_ = v;
    changed(Prop::Visible);
    if (kind_ == Kind::Form)
        TimerScheduler::changed();
}

bool Control::shownInTree() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->visible_)
            return false;
    return true;
}

void Control::Enabled(bool v) {
    if (v == enabled_)
        return;
    enabled_ = v;
    changed(Prop::Enabled);
}

void Control::ForeColor(Color c) {
    if (c == foreColor_)
        return;
    foreColor_ = c;
    changed(Prop::Colors);
}

void Control::BackColor(Color c) {
    if (c == backColor_)
        return;
    backColor_ = c;
    changed(Prop::Colors);
}

void Control::BackStyle(int v) {
    if (v == backStyle_)
        return;
    backStyle_ = v;
    changed(Prop::Colors);
}

void Control::setFont(const Font& f) {
    if (f == font_)
        return;
    font_ = f;
    changed(Prop::Font);
}

void Control::FontName(const QString& v) {
    Font f = font_;
    f.Name = v;
    setFont(f);
}
void Control::FontSize(double v) {
    Font f = font_;
    f.Size = v;
    setFont(f);
}
void Control::FontBold(bool v) {
    Font f = font_;
    f.Bold = v;
    setFont(f);
}
void Control::FontItalic(bool v) {
    Font f = font_;
    f.Italic = v;
    setFont(f);
}
void Control::FontUnderline(bool v) {
    Font f = font_;
    f.Underline = v;
    setFont(f);
}

void Control::ToolTipText(const QString& v) {
    if (v == toolTip_)
        return;
    toolTip_ = v;
    changed(Prop::Style);
}

// --- mouse --------------------------------------------------------------------

double Control::mouseUnitsPerPixelX() const { return unitsX(container_) * Screen.TwipsPerPixelX(); }
double Control::mouseUnitsPerPixelY() const { return unitsY(container_) * Screen.TwipsPerPixelY(); }

void Control::userMouseDown(int button, int shift, double xPx, double yPx) {
    if (enabled_)
        raiseMouseDown(button, shift, float(xPx * mouseUnitsPerPixelX()), float(yPx * mouseUnitsPerPixelY()));
}
void Control::userMouseMove(int button, int shift, double xPx, double yPx) {
    if (enabled_)
        raiseMouseMove(button, shift, float(xPx * mouseUnitsPerPixelX()), float(yPx * mouseUnitsPerPixelY()));
}
void Control::userMouseUp(int button, int shift, double xPx, double yPx) {
    if (enabled_)
        raiseMouseUp(button, shift, float(xPx * mouseUnitsPerPixelX()), float(yPx * mouseUnitsPerPixelY()));
}
void Control::userClick() {
    if (enabled_)
        raiseClick();
}
void Control::userDblClick() {
    if (enabled_)
        raiseDblClick();
}

bool Control::answersMouse() const { return hasMouseHandlers(); }

bool Control::hasMouseHandlers() const { return Click || DblClick || MouseDown || MouseMove || MouseUp; }

void Control::raiseMouseDown(int button, int shift, float x, float y) {
    if (MouseDown)
        dispatch([&] { MouseDown(button, shift, x, y); });
}
void Control::raiseMouseMove(int button, int shift, float x, float y) {
    if (MouseMove)
        dispatch([&] { MouseMove(button, shift, x, y); });
}
void Control::raiseMouseUp(int button, int shift, float x, float y) {
    if (MouseUp)
        dispatch([&] { MouseUp(button, shift, x, y); });
}
void Control::raiseClick() { raise(Click); }
void Control::raiseDblClick() { raise(DblClick); }

void raise(const std::function<void()>& handler) {
    if (handler)
        dispatch(handler);
}

} // namespace rt
