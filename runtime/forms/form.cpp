#include "runtime/forms/form.h"

#include "runtime/forms/handles.h"
#include "runtime/forms/menu.h"
#include "runtime/forms/timer.h"

namespace rt {
namespace {

HandleTable<Form*>& windowHandles() {
    static HandleTable<Form*> table(0x10000);
    return table;
}

void stopTimers(Control& control) {
    if (control.kind() == Kind::Timer)
        static_cast<Timer&>(control).stop();
    for (Control* child : control.children())
        stopTimers(*child);
}

void startTimers(Control& control) {
    if (control.kind() == Kind::Timer)
        static_cast<Timer&>(control).start();
    for (Control* child : control.children())
        startTimers(*child);
}

} // namespace

Form::Form(QString name) : Control(std::move(name), Kind::Form) {
    form_ = this;
    BackColor(vbButtonFace);
}

Form::~Form() {
    if (hWnd_)
        windowHandles().remove(hWnd_);
}

Form* Form::fromHandle(std::int32_t hWnd) {
    Form** form = windowHandles().find(hWnd);
    return form ? *form : nullptr;
}

void Form::Caption(const QString& v) {
    if (v == caption_)
        return;
    caption_ = v;
    changed(Prop::Caption);
}

void Form::BorderStyle(int v) {
    if (v == borderStyle_)
        return;
    borderStyle_ = v;
    changed(Prop::Style);
}

void Form::ShowInTaskbar(bool v) {
    if (v == showInTaskbar_)
        return;
    showInTaskbar_ = v;
    changed(Prop::Style);
}

void Form::StartUpPosition(int v) { startUpPosition_ = v; }

void Form::WindowState(int v) {
    if (v == windowState_)
        return;
    windowState_ = v;
    changed(Prop::WindowState);
    if (loaded_)
        dispatch([this] { Form_Resize(); });
}

void Form::Icon(const rt::Picture& v) {
    if (v == icon_)
        return;
    icon_ = v;
    changed(Prop::Picture);
}

void Form::Picture(const rt::Picture& v) {
    if (v == picture_)
        return;
    picture_ = v;
    changed(Prop::Picture);
}

void Form::sizeChanged() {
    if (loaded_ && !unloading_)
        dispatch([this] { Form_Resize(); });
}

void Form::load() {
    hWnd_ = windowHandles().add(this);
    loaded_ = true;
    Visible(false);
    if (hasHost())
        host().attach(*this);
    startTimers(*this);
    dispatch([this] { Form_Load(); });
}

void Form::Show() {
    if (!loaded_)
        return;
    if (!Visible()) {
        if (startUpPosition_ == vbStartUpScreen && !placed_)
            Move((Screen.Width() - Width()) / 2, (Screen.Height() - Height()) / 2);
        placed_ = true;
        Visible(true);
    }
    changed(Prop::ZOrder);
    detail::setActive(this);
}

void Form::Hide() {
    if (!loaded_)
        return;
    Visible(false);
    if (activeForm() == this)
        detail::setActive(nullptr);
}

void Form::PopupMenu(Menu& menu) {
    if (loaded_ && hasHost())
        host().popupMenu(*this, menu);
}

void Form::setRegion(std::optional<QRegion> region) {
    region_ = std::move(region);
    changed(Prop::Region);
}

void Form::setTopmost(bool v) {
    topmost_ = v;
    changed(Prop::Stacking);
}

void Form::setFocusTo(Control* control) {
    focus_ = control;
    if (control)
        control->changed(Prop::Focus);
}

void Form::userActivated() {
    if (loaded_)
        detail::setActive(this);
}

void Form::userMoved(double leftTwips, double topTwips) {
    setGeometryTwips(leftTwips, topTwips, widthTwips(), heightTwips());
}

void Form::userFocusChanged(Control* control) { focus_ = control; }

void Form::userClose() { Unload(*this); }

double Form::mouseUnitsPerPixelX() const { return Screen.TwipsPerPixelX(); }
double Form::mouseUnitsPerPixelY() const { return Screen.TwipsPerPixelY(); }

void Form::raiseMouseDown(int button, int shift, float x, float y) {
    dispatch([&] { Form_MouseDown(button, shift, x, y); });
}
void Form::raiseMouseMove(int button, int shift, float x, float y) {
    dispatch([&] { Form_MouseMove(button, shift, x, y); });
}
void Form::raiseMouseUp(int button, int shift, float x, float y) {
    dispatch([&] { Form_MouseUp(button, shift, x, y); });
}
void Form::raiseClick() {
    dispatch([&] { Form_Click(); });
}
void Form::raiseDblClick() {
    dispatch([&] { Form_DblClick(); });
}

void Form::unloadNow() {
    stopTimers(*this);
    dropPeers();
    loaded_ = false;
    if (hWnd_) {
        windowHandles().remove(hWnd_);
        hWnd_ = 0;
    }
    if (ref_) {
        ref_->forget(*this);
        ref_ = nullptr;
    }
    detail::retire(*this);
}

void Unload(Form& form) {
    if (!form.isLoaded())
        return;
    // A second unload from inside Form_Unload does nothing.
    if (form.unloading_)
        return;
    form.unloading_ = true;
    int cancel = 0;
    dispatch([&] { form.Form_Unload(cancel); });
    form.unloading_ = false;
    if (cancel != 0 || !form.isLoaded())
        return;
    form.unloadNow();
}

} // namespace rt
