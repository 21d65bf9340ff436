// Peers of the controls the user works: text boxes, combo boxes, option
// buttons, check boxes and the scroll bar. The runtime decides every value;
// these widgets report what the user did and then show what it decided.
#include "hosts/qt/colors.h"
#include "hosts/qt/fonts.h"
#include "hosts/qt/input.h"
#include "hosts/qt/peerkinds.h"

#include "runtime/forms/checkbox.h"
#include "runtime/forms/combobox.h"
#include "runtime/forms/optionbutton.h"
#include "runtime/forms/textbox.h"
#include "runtime/forms/runtime.h"
#include "runtime/forms/vscrollbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>

#include <type_traits>

namespace tavrin::qt {
namespace {

using rt::Prop;


// --- combo box --------------------------------------------------------------------

class ComboBoxPeer final : public ControlPeer {
public:
    ComboBoxPeer(rt::ComboBox& box, WindowPeer& window, ControlPeer* container)
        : ControlPeer(box, window, container), box_(box), combo_(new QComboBox(parentWidget())) {
        combo_->setEditable(true);
        // The text stands as typed: no completion rewriting it, no typed
        // text turning into a new item.
        combo_->setCompleter(nullptr);
        combo_->setInsertPolicy(QComboBox::NoInsert);
        combo_->setDuplicatesEnabled(true);
        auto* router = new InputRouter(box, *combo_, {.consumes = false, .ownClicks = false, .dblClicks = false});
        router->watch(*combo_->lineEdit());
        setWidget(combo_, router);
        auto alive = this->alive();
        track(QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited, combo_, [this, alive](const QString& text) {
            if (*alive && !updating_)
                box_.userEdited(text);
        }));
        const auto picked = [this, alive](int index) {
            if (*alive && !updating_ && index >= 0 && box_.Text() != box_.List(index))
                box_.userPicked(index);
        };
        track(QObject::connect(combo_, &QComboBox::activated, combo_, picked));
        track(QObject::connect(combo_, &QComboBox::currentIndexChanged, combo_, picked));
    }

protected:
    void apply(Prop what) override {
        switch (what) {
        case Prop::Value:
            updating_ = true;
            combo_->clear();
            combo_->addItems(box_.items());
            updating_ = false;
            showText();
            break;
        case Prop::Caption: showText(); break;
        case Prop::Colors: setColors(*combo_, box_.ForeColor(), box_.BackColor(), QPalette::Text, QPalette::Base); break;
        default: ControlPeer::apply(what);
        }
    }

private:
    void showText() {
        QLineEdit* edit = combo_->lineEdit();
        const QString& text = box_.Text();
        const int cursor = edit->cursorPosition();
        const bool same = edit->text() == text;
        updating_ = true;
        // Qt's current item follows the runtime's, so its own matching of the
        // edited text against the items finds nothing to change.
        if (const int index = box_.ListIndex(); index >= 0 && combo_->currentIndex() != index)
            combo_->setCurrentIndex(index);
        if (edit->text() != text)
            edit->setText(text);
        if (same)
            edit->setCursorPosition(cursor);
        updating_ = false;
    }

    rt::ComboBox& box_;
    QComboBox* combo_;
    bool updating_ = false;
};

// --- option buttons and check boxes -----------------------------------------------

// A click anywhere on the control counts, caption or not, as it always did.
class OptionWidget final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class CheckWidget final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// Shows a caption at the mapped font, a little smaller where it would not
// fit beside the indicator.
void fitCaption(QAbstractButton& button, const rt::Control& control, const QString& caption, int widthPx,
                QStyle::PixelMetric indicator, QStyle::PixelMetric spacing) {
    const QStyle* style = button.style();
    const int room = widthPx - style->pixelMetric(indicator, nullptr, &button) - style->pixelMetric(spacing, nullptr, &button);
    const QFont f = shrunkToFit(mappedFont(control.font()), withoutMnemonics(caption), room);
    if (button.font() != f)
        button.setFont(f);
}

void setButtonColors(QAbstractButton& button, const rt::Control& control) {
    QPalette pal = button.palette();
    pal.setColor(QPalette::WindowText, toQColor(control.ForeColor()));
    pal.setColor(QPalette::ButtonText, toQColor(control.ForeColor()));
    pal.setColor(QPalette::Window, toQColor(control.BackColor()));
    button.setPalette(pal);
    // Buttons fill with the Button role by default; these fill like a panel.
    button.setBackgroundRole(QPalette::Window);
    button.setAutoFillBackground(control.BackStyle() == 1);
}

// Option buttons and check boxes: a caption beside an indicator whose state
// the runtime decides (Qt's own exclusivity stays off).
template <class Control, class Widget, QStyle::PixelMetric Indicator, QStyle::PixelMetric Spacing>
class ButtonPeer final : public ControlPeer {
public:
    ButtonPeer(Control& control, WindowPeer& window, ControlPeer* container)
        : ControlPeer(control, window, container), control_(control), button_(new Widget(parentWidget())) {
        button_->setAutoExclusive(false);
        setWidget(button_, new InputRouter(control, *button_, {.consumes = false, .ownClicks = false}));
        auto alive = this->alive();
        track(QObject::connect(button_, &QAbstractButton::clicked, button_, [this, alive] {
            if (!*alive)
                return;
            control_.userClick();
            if (*alive)
                showValue();
        }));
    }

protected:
    void apply(Prop what) override {
        switch (what) {
        case Prop::Value: showValue(); break;
        case Prop::Caption:
            button_->setText(control_.Caption());
            fit();
            break;
        case Prop::Colors: setButtonColors(*button_, control_); break;
        case Prop::Font: fit(); break;
        case Prop::Geometry:
            ControlPeer::apply(what);
            fit();
            break;
        default: ControlPeer::apply(what);
        }
    }

private:
    void showValue() {
        if constexpr (std::is_same_v<Control, rt::CheckBox>) {
            const int v = control_.Value();
            button_->setCheckState(v == rt::vbChecked  ? Qt::Checked
                                   : v == rt::vbGrayed ? Qt::PartiallyChecked
                                                       : Qt::Unchecked);
        } else {
            button_->setChecked(control_.Value());
        }
    }
    void fit() { fitCaption(*button_, control_, control_.Caption(), widgetRect().width(), Indicator, Spacing); }

    Control& control_;
    Widget* button_;
};

using OptionButtonPeer =
    ButtonPeer<rt::OptionButton, OptionWidget, QStyle::PM_ExclusiveIndicatorWidth, QStyle::PM_RadioButtonLabelSpacing>;
using CheckBoxPeer = ButtonPeer<rt::CheckBox, CheckWidget, QStyle::PM_IndicatorWidth, QStyle::PM_CheckBoxLabelSpacing>;

// --- scroll bar -------------------------------------------------------------------

class ScrollBarPeer final : public ControlPeer {
public:
    ScrollBarPeer(rt::VScrollBar& bar, WindowPeer& window, ControlPeer* container)
        : ControlPeer(bar, window, container), bar_(bar), scroll_(new QScrollBar(Qt::Vertical, parentWidget())) {
        setWidget(scroll_, new InputRouter(bar, *scroll_, {.consumes = false, .ownClicks = false, .dblClicks = false}));
        auto alive = this->alive();
        track(QObject::connect(scroll_, &QScrollBar::valueChanged, scroll_, [this, alive](int value) {
            if (*alive && !updating_)
                rt::dispatch([&] { bar_.Value(value); });
        }));
    }

protected:
    void apply(Prop what) override {
        if (what != Prop::Value) {
            ControlPeer::apply(what);
            return;
        }
        // Min may lie above Max: the bar then runs the other way.
        updating_ = true;
        const int lo = std::min(bar_.Min(), bar_.Max());
        const int hi = std::max(bar_.Min(), bar_.Max());
        scroll_->setInvertedAppearance(bar_.Min() > bar_.Max());
        scroll_->setInvertedControls(bar_.Min() > bar_.Max());
        scroll_->setRange(lo, hi);
        scroll_->setValue(bar_.Value());
        updating_ = false;
    }

private:
    rt::VScrollBar& bar_;
    QScrollBar* scroll_;
    bool updating_ = false;
};

} // namespace

std::unique_ptr<rt::Peer> makeInputPeer(rt::Control& c, WindowPeer& window, ControlPeer* container) {
    switch (c.kind()) {
    case rt::Kind::TextBox: return makeTextBoxPeer(static_cast<rt::TextBox&>(c), window, container);
    case rt::Kind::ComboBox: return std::make_unique<ComboBoxPeer>(static_cast<rt::ComboBox&>(c), window, container);
    case rt::Kind::OptionButton:
        return std::make_unique<OptionButtonPeer>(static_cast<rt::OptionButton&>(c), window, container);
    case rt::Kind::CheckBox: return std::make_unique<CheckBoxPeer>(static_cast<rt::CheckBox&>(c), window, container);
    case rt::Kind::VScrollBar: return std::make_unique<ScrollBarPeer>(static_cast<rt::VScrollBar&>(c), window, container);
    default: return nullptr;
    }
}

} // namespace tavrin::qt
