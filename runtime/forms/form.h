#pragma once
#include "runtime/error.h"
#include "runtime/forms/control.h"
#include "runtime/forms/picture.h"
#include "runtime/forms/runtime.h"

#include <QRegion>
#include <cstdint>
#include <memory>
#include <optional>

namespace rt {

class Menu;
class Form;
void Unload(Form& form);

class FormRefBase {
public:
    virtual void forget(Form& form) = 0;

protected:
    ~FormRefBase() = default;
};

// A window. Its geometry is in twips on the screen; its own scale is twips.
class Form : public Control {
public:
    explicit Form(QString name);
    ~Form() override;

    const QString& Caption() const { return caption_; }
    void Caption(const QString& v);
    int BorderStyle() const { return borderStyle_; }
    void BorderStyle(int v);
    bool ShowInTaskbar() const { return showInTaskbar_; }
    void ShowInTaskbar(bool v);
    int StartUpPosition() const { return startUpPosition_; }
    void StartUpPosition(int v);
    int WindowState() const { return windowState_; }
    void WindowState(int v); // raises Form_Resize at once
    const rt::Picture& Icon() const { return icon_; }
    void Icon(const rt::Picture& v);
    // Drawn at the window's top-left corner, over its back colour.
    const rt::Picture& Picture() const { return picture_; }
    void Picture(const rt::Picture& v);

    std::int32_t hWnd() const { return hWnd_; }
    static Form* fromHandle(std::int32_t hWnd);
    // False once the window has been unloaded (its object may outlive that
    // until the running event returns).
    bool isLoaded() const { return loaded_; }

    void Show();
    void Hide();
    void PopupMenu(Menu& menu);
    Control* ActiveControl() const { return focus_; }

    // The window's region (its outline); none means its whole rectangle.
    const std::optional<QRegion>& region() const { return region_; }
    void setRegion(std::optional<QRegion> region);
    bool topmost() const { return topmost_; }
    void setTopmost(bool v);

    // Input from the host.
    void userActivated();                      // the window took the focus
    void userMoved(double leftTwips, double topTwips);
    void userFocusChanged(Control* control);   // a control took the keyboard focus
    virtual void userClose();                  // the window manager asked it to close

    // Events.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_MouseDown(int Button, int Shift, float X, float Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
    virtual void Form_MouseMove(int Button, int Shift, float X, float Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
    virtual void Form_MouseUp(int Button, int Shift, float X, float Y) { (void)Button, (void)Shift, (void)X, (void)Y; }

    bool isContainer() const override { return true; }
    double unitsPerTwipX() const override { return 1.0; }
    double unitsPerTwipY() const override { return 1.0; }

    // Runtime internals.
    void setFocusTo(Control* control);
    void bindRef(FormRefBase* ref) { ref_ = ref; }
    void load();
    void unloadNow();

protected:
    double mouseUnitsPerPixelX() const override;
    double mouseUnitsPerPixelY() const override;
    void raiseMouseDown(int button, int shift, float x, float y) override;
    void raiseMouseMove(int button, int shift, float x, float y) override;
    void raiseMouseUp(int button, int shift, float x, float y) override;
    void raiseClick() override;
    void raiseDblClick() override;
    bool hasMouseHandlers() const override { return true; }

private:
    friend class Control;
    friend void Unload(Form& form);
    void sizeChanged();

    QString caption_;
    int borderStyle_ = 2;
    bool showInTaskbar_ = true;
    int startUpPosition_ = vbStartUpManual;
    int windowState_ = vbNormal;
    rt::Picture icon_;
    rt::Picture picture_;
    std::int32_t hWnd_ = 0;
    bool loaded_ = false;
    bool unloading_ = false;
    bool placed_ = false;
    std::optional<QRegion> region_;
    bool topmost_ = false;
    Control* focus_ = nullptr;
    FormRefBase* ref_ = nullptr;
};

// Unloads a window: raises its Form_Unload and, unless cancelled, destroys it
// with its controls' values. Unloading a window that is not loaded does nothing.
void Unload(Form& form);

// The one global instance of a window class: created and loaded (not shown) at
// its first use, recreated by the next use after an unload.
template <class T>
class FormRef final : public FormRefBase {
public:
    T* operator->() { return &get(); }
    T& operator*() { return get(); }
    T& get() {
        if (!instance_) {
            auto form = std::make_unique<T>();
            T* raw = form.get();
            instance_ = raw;
            raw->bindRef(this);
            detail::registerLoaded(std::move(form));
            raw->load();
            if (instance_ != raw) {
                // Unloaded inside its own load. Inside an event the object
                // lives on until the event returns; outside one it is gone.
                if (dispatchDepth() == 0)
                    throw RuntimeError(364, "Object was unloaded");
                return *raw;
            }
        }
        return *instance_;
    }
    // Whether the reference names a loaded window; never loads one.
    bool IsLoaded() const { return instance_ != nullptr; }
    T* instance() const { return instance_; }
    void Unload() {
        if (instance_)
            rt::Unload(*instance_);
    }
    // Drops the reference without unloading (Set ... = Nothing).
    void Clear() {
        if (instance_)
            instance_->bindRef(nullptr);
        instance_ = nullptr;
    }
    void forget(Form& form) override {
        if (instance_ == &form)
            instance_ = nullptr;
    }

private:
    T* instance_ = nullptr;
};

} // namespace rt
