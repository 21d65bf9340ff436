// Peers of the controls that only show something: labels, picture boxes,
// images, shapes and frames.
#include "hosts/qt/colors.h"
#include "hosts/qt/input.h"
#include "hosts/qt/peerkinds.h"
#include "hosts/qt/widgets.h"

#include "runtime/forms/frame.h"
#include "runtime/forms/image.h"
#include "runtime/forms/label.h"
#include "runtime/forms/picturebox.h"
#include "runtime/forms/shape.h"


namespace tavrin::qt {
namespace {

using rt::Prop;

class LabelPeer final : public ControlPeer {
public:
    LabelPeer(rt::Label& label, WindowPeer& window, ControlPeer* container)
        : ControlPeer(label, window, container), label_(label), view_(new LabelWidget(parentWidget())) {
        setWidget(view_, new InputRouter(label, *view_, {}));
    }

protected:
    bool passive() const override { return true; }

    void apply(Prop what) override {
        switch (what) {
        case Prop::Caption: view_->setText(label_.Caption()); break;
        case Prop::Colors:
            view_->setColors(toQColor(label_.ForeColor()), toQColor(label_.BackColor()), label_.BackStyle() == 1);
            break;
        case Prop::Style:
            view_->setAlignment(label_.Alignment());
            view_->setWordWrap(label_.WordWrap());
            view_->setMnemonics(label_.UseMnemonic());
            ControlPeer::apply(what);
            break;
        case Prop::Font: view_->setFormFont(label_.font()); break;
        default: ControlPeer::apply(what);
        }
    }

private:
    rt::Label& label_;
    LabelWidget* view_;
};

class PictureBoxPeer final : public ControlPeer {
public:
    PictureBoxPeer(rt::PictureBox& box, WindowPeer& window, ControlPeer* container)
        : ControlPeer(box, window, container), box_(box), view_(new PictureWidget(parentWidget())) {
        setWidget(view_, new InputRouter(box, *view_, {}));
        placeOrigin();
    }

    QPoint clientOffset() const override {
        const int b = box_.BorderStyle() ? 2 : 0;
        return {b, b};
    }

protected:
    void apply(Prop what) override {
        switch (what) {
        case Prop::Picture: view_->setPicture(box_.Picture()); break;
        case Prop::Font: break; // it shows no text
        case Prop::Colors: view_->setBackColor(toQColor(box_.BackColor())); break;
        case Prop::Style: {
            ControlPeer::apply(what);
            const int border = clientOffset().x();
            if (border == view_->border())
                break;
            view_->setBorder(border);
            placeOrigin();
            // The children's client area moved inside the border.
            for (rt::Control* child : box_.children())
                if (child->peer())
                    child->peer()->changed(Prop::Geometry);
            break;
        }
        default: ControlPeer::apply(what);
        }
    }

private:
    void placeOrigin() {
        if (router())
            router()->setOrigin(clientOffset());
    }

    rt::PictureBox& box_;
    PictureWidget* view_;
};

class ImagePeer final : public ControlPeer {
public:
    ImagePeer(rt::Image& image, WindowPeer& window, ControlPeer* container)
        : ControlPeer(image, window, container), image_(image), view_(new ImageWidget(parentWidget())) {
        setWidget(view_, new InputRouter(image, *view_, {}));
    }

protected:
    bool passive() const override { return true; }

    void apply(Prop what) override {
        switch (what) {
        case Prop::Picture: view_->setPicture(image_.Picture()); break;
        case Prop::Font: break; // it shows no text
        case Prop::Style:
            view_->setStretch(image_.Stretch());
            ControlPeer::apply(what);
            break;
        default: ControlPeer::apply(what);
        }
    }

private:
    rt::Image& image_;
    ImageWidget* view_;
};

class ShapePeer final : public ControlPeer {
public:
    ShapePeer(rt::Shape& shape, WindowPeer& window, ControlPeer* container)
        : ControlPeer(shape, window, container), shape_(shape), view_(new ShapeWidget(parentWidget())) {
        setWidget(view_, nullptr);
        view_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void apply(Prop what) override {
        switch (what) {
        case Prop::Style:
            view_->setShape(shape_.ShapeKind(), shape_.BorderWidth());
            ControlPeer::apply(what);
            break;
        case Prop::Colors:
            view_->setColors(toQColor(shape_.BorderColor()), toQColor(shape_.BackColor()), shape_.BackStyle() == 1);
            break;
        default: ControlPeer::apply(what);
        }
    }

private:
    rt::Shape& shape_;
    ShapeWidget* view_;
};

class FramePeer final : public ControlPeer {
public:
    FramePeer(rt::Frame& frame, WindowPeer& window, ControlPeer* container)
        : ControlPeer(frame, window, container), frame_(frame), view_(new FrameWidget(parentWidget())) {
        setWidget(view_, new InputRouter(frame, *view_, {}));
    }

protected:
    void apply(Prop what) override {
        switch (what) {
        case Prop::Caption: view_->setCaption(frame_.Caption()); break;
        case Prop::Colors: view_->setColors(toQColor(frame_.ForeColor()), toQColor(frame_.BackColor())); break;
        case Prop::Style:
            view_->setBordered(frame_.BorderStyle() != 0);
            ControlPeer::apply(what);
            break;
        default: ControlPeer::apply(what);
        }
    }

private:
    rt::Frame& frame_;
    FrameWidget* view_;
};

} // namespace

std::unique_ptr<rt::Peer> makeDisplayPeer(rt::Control& c, WindowPeer& window, ControlPeer* container) {
    switch (c.kind()) {
    case rt::Kind::Label: return std::make_unique<LabelPeer>(static_cast<rt::Label&>(c), window, container);
    case rt::Kind::PictureBox:
        return std::make_unique<PictureBoxPeer>(static_cast<rt::PictureBox&>(c), window, container);
    case rt::Kind::Image: return std::make_unique<ImagePeer>(static_cast<rt::Image&>(c), window, container);
    case rt::Kind::Shape: return std::make_unique<ShapePeer>(static_cast<rt::Shape&>(c), window, container);
    case rt::Kind::Frame: return std::make_unique<FramePeer>(static_cast<rt::Frame&>(c), window, container);
    default: return nullptr;
    }
}

} // namespace tavrin::qt
