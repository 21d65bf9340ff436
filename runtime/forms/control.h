#pragma once
#include "runtime/forms/types.h"
#include "runtime/host.h"

#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace rt {

class Form;

enum class Kind { Form, Label, PictureBox, Image, TextBox, ComboBox, OptionButton, CheckBox, Frame, Shape, VScrollBar, Timer, Menu };

// The state every control and form shares: its place in the tree, its
// geometry, visibility, colours and font, its mouse events and its peer.
// Geometry is kept in twips inside the container's client area; the
// properties read and write it in the container's scale.
class Control {
public:
    Control(Control& container, QString name, Kind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& Name() const { return name_; }
    Kind kind() const { return kind_; }
    Control* Container() const { return container_; }
    Form& Parent() const { return *form_; }
    const std::vector<Control*>& children() const { return children_; }

    // Geometry in the container's scale units.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void Left(double v);
    void Top(double v);
    void Width(double v);
    void Height(double v);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);

    // Geometry in twips, relative to the container's client area.
    double leftTwips() const { return left_; }
    double topTwips() const { return top_; }
    double widthTwips() const { return width_; }
    double heightTwips() const { return height_; }
    void setGeometryTwips(double left, double top, double width, double height);
    // The same in whole pixels, for hosts.
    QRect pixelRect() const;

    bool Visible() const { return visible_; }
    void Visible(bool v);
    // Visible itself and every container up to the form.
    bool shownInTree() const;
    bool Enabled() const { return enabled_; }
    void Enabled(bool v);

    Color ForeColor() const { return foreColor_; }
    void ForeColor(Color c);
    Color BackColor() const { return backColor_; }
    void BackColor(Color c);
    int BackStyle() const { return backStyle_; } // 0 transparent, 1 opaque
    void BackStyle(int v);

    const Font& font() const { return font_; }
    void setFont(const Font& f);
    void FontName(const QString& v);
    void FontSize(double v);
    void FontBold(bool v);
    void FontItalic(bool v);
    void FontUnderline(bool v);

    const QString& ToolTipText() const { return toolTip_; }
    void ToolTipText(const QString& v);

    // The container's scale: twips to its units and back, per axis.
    virtual bool isContainer() const { return false; }
    virtual double unitsPerTwipX() const;
    virtual double unitsPerTwipY() const;

    // Events, bound by the form that owns the control.
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseMove;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;

    // Input from the host; positions are pixels from the control's top-left.
    void userMouseDown(int button, int shift, double xPx, double yPx);
    void userMouseMove(int button, int shift, double xPx, double yPx);
    void userMouseUp(int button, int shift, double xPx, double yPx);
    virtual void userClick();
    void userDblClick();
    // Does the control answer any mouse event at all (hosts let others pass through)?
    bool answersMouse() const;

    // Tells the peer that part of the state changed.
    void changed(Prop what);
    Peer* peer() const { return peer_.get(); }
    void setPeer(std::unique_ptr<Peer> peer) { peer_ = std::move(peer); }
    void dropPeers();

protected:
    // Form's own constructor: the root of a tree.
    Control(QString name, Kind kind);

    // The scale in which this control reports mouse positions: its own for
    // containers, its container's otherwise.
    virtual double mouseUnitsPerPixelX() const;
    virtual double mouseUnitsPerPixelY() const;
    virtual void raiseMouseDown(int button, int shift, float x, float y);
    virtual void raiseMouseMove(int button, int shift, float x, float y);
    virtual void raiseMouseUp(int button, int shift, float x, float y);
    virtual void raiseClick();
    virtual void raiseDblClick();
    virtual bool hasMouseHandlers() const;

    Form* form_ = nullptr;

private:
    QString name_;
    Kind kind_;
    Control* container_ = nullptr;
    std::vector<Control*> children_;
    std::unique_ptr<Peer> peer_;

    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    Color foreColor_ = vbWindowText;
    Color backColor_ = vbButtonFace;
    int backStyle_ = 1;
    Font font_;
    QString toolTip_;
};

// Calls an event handler through the runtime's dispatch.
void raise(const std::function<void()>& handler);

} // namespace rt
