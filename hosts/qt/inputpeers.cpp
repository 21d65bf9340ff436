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
#include "runtime/forms/runtime.h"
#include "runtime/forms/textbox.h"
#include "runtime/forms/vscrollbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>

#include <type_traits>

namespace tavrin::qt {
namespace {

using rt::Prop;

void setColors(QWidget& w, rt::Color fore, rt::Color back, QPalette::ColorRole foreRole, QPalette::ColorRole backRole) {
    QPalette pal = w.palette();
    pal.setColor(foreRole, toQColor(fore));
    pal.setColor(backRole, toQColor(back));
    w.setPalette(pal);
}

// --- text box -------------------------------------------------------------------

// KeyDown goes to the form before the box sees the key, and may swallow it.
class KeyDownFilter final : public QObject {
public:
    KeyDownFilter(rt::TextBox& box, QWidget& widget) : QObject(&widget), box_(&box) { widget.installEventFilter(this); }
    void detach() { box_ = nullptr; }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress || !box_)
            return false;
        const auto& key = *static_cast<QKeyEvent*>(e);
        const int code = virtualKey(key);
        if (code == 0)
            return false;
        const int goOn = box_->userKeyDown(code, vbShift(key.modifiers()));
        return !box_ || goOn == 0;
    }

private:
    rt::TextBox* box_;
};

// A multi-line box's lines end in CR LF, as the forms have always read them.
QString toWidgetText(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
QString toFormText(QString text) { return text.replace(QLatin1Char('\n'), QLatin1String("\r\n")); }
qsizetype formLength(const QString& widgetText) { return widgetText.size() + widgetText.count(QLatin1Char('\n')); }

class TextBoxPeer final : public ControlPeer {
public:
    TextBoxPeer(rt::TextBox& box, WindowPeer& window, ControlPeer* container) : ControlPeer(box, window, container), box_(box) {
        build();
    }
    ~TextBoxPeer() override {
        if (keys_)
            keys_->detach();
    }

protected:
    void apply(Prop what) override {
        switch (what) {
        case Prop::Caption: showText(); break;
        case Prop::Colors: setColors(*widget(), box_.ForeColor(), box_.BackColor(), QPalette::Text, QPalette::Base); break;
        case Prop::Style:
            if (box_.MultiLine() != (multi_ != nullptr)) {
                build();
                applyAll();
                break;
            }
            applyStyle();
            ControlPeer::apply(what);
            break;
        default: ControlPeer::apply(what);
        }
    }

private:
    void build() {
        if (keys_)
            keys_->detach();
        QWidget* w = nullptr;
        const InputRouter::Options routing{.consumes = false, .ownClicks = true, .dblClicks = true};
        InputRouter* router = nullptr;
        if (box_.MultiLine()) {
            line_ = nullptr;
            multi_ = new QPlainTextEdit(parentWidget());
            w = multi_;
            router = new InputRouter(box_, *w, routing);
            router->watch(*multi_->viewport());
        } else {
            multi_ = nullptr;
            line_ = new QLineEdit(parentWidget());
            w = line_;
            router = new InputRouter(box_, *w, routing);
        }
        setWidget(w, router);
        keys_ = new KeyDownFilter(box_, *w);
        auto alive = this->alive();
        if (line_) {
            track(QObject::connect(line_, &QLineEdit::textEdited, line_, [this, alive](const QString& text) {
                if (*alive && !updating_)
                    box_.userEdited(text);
            }));
        } else {
            track(QObject::connect(multi_->document(), &QTextDocument::contentsChange, multi_,
                                   [this](int pos, int, int added) { lastInsert_ = {pos, added}; }));
            track(QObject::connect(multi_, &QPlainTextEdit::textChanged, multi_, [this, alive] {
                if (!*alive || updating_)
                    return;
                holdToMaxLength();
                box_.userEdited(toFormText(multi_->toPlainText()));
            }));
        }
    }

    // A single-line box gets the limit from QLineEdit; a text set by code
    // may be longer, and QLineEdit would cut it, so the limit stretches to it.
    int lineLimit(const QString& text) const {
        return box_.MaxLength() == 0 ? 32767 : std::max<int>(box_.MaxLength(), int(text.size()));
    }

    // The length limit binds typing: cut back what the last edit inserted
    // beyond it (newlines count as the two characters the form sees).
    void holdToMaxLength() {
        const int max = box_.MaxLength();
        if (max <= 0)
            return;
        const QString text = multi_->toPlainText();
        if (formLength(text) <= max)
            return;
        const int pos = std::clamp(lastInsert_.pos, 0, int(text.size()));
        const int added = std::clamp(lastInsert_.added, 0, int(text.size()) - pos);
        const QString inserted = text.mid(pos, added);
        const qsizetype room = std::max<qsizetype>(0, max - (formLength(text) - formLength(inserted)));
        int keep = 0;
        for (qsizetype used = 0; keep < inserted.size(); ++keep) {
            used += inserted[keep] == QLatin1Char('\n') ? 2 : 1;
            if (used > room)
                break;
        }
        if (keep == inserted.size())
            return;
        QTextCursor cut(multi_->document());
        cut.setPosition(pos + keep);
        cut.setPosition(pos + added, QTextCursor::KeepAnchor);
        updating_ = true;
        cut.removeSelectedText();
        updating_ = false;
    }

    void showText() {
        updating_ = true;
        if (line_) {
            const QString& text = box_.Text();
            line_->setMaxLength(lineLimit(text));
            if (line_->text() != text)
                line_->setText(text);
        } else {
            const QString text = toWidgetText(box_.Text());
            if (multi_->toPlainText() != text)
                multi_->setPlainText(text);
        }
        updating_ = false;
    }

    void applyStyle() {
        QWidget* w = widget();
        w->setFocusPolicy(box_.TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
        if (line_) {
            line_->setFrame(box_.BorderStyle() != 0);
            line_->setMaxLength(lineLimit(box_.Text()));
            return;
        }
        multi_->setFrameShape(box_.BorderStyle() != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
        const int bars = box_.ScrollBars();
        const bool horizontal = bars == 1 || bars == 3;
        const bool vertical = bars == 2 || bars == 3;
        // A horizontal bar means long lines scroll; otherwise they wrap at the box.
        multi_->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        multi_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        multi_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }

    rt::TextBox& box_;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    QPointer<KeyDownFilter> keys_;
    bool updating_ = false;
    struct {
        int pos = 0;
        int added = 0;
    } lastInsert_;
};

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
    case rt::Kind::TextBox: return std::make_unique<TextBoxPeer>(static_cast<rt::TextBox&>(c), window, container);
    case rt::Kind::ComboBox: return std::make_unique<ComboBoxPeer>(static_cast<rt::ComboBox&>(c), window, container);
    case rt::Kind::OptionButton:
        return std::make_unique<OptionButtonPeer>(static_cast<rt::OptionButton&>(c), window, container);
    case rt::Kind::CheckBox: return std::make_unique<CheckBoxPeer>(static_cast<rt::CheckBox&>(c), window, container);
    case rt::Kind::VScrollBar: return std::make_unique<ScrollBarPeer>(static_cast<rt::VScrollBar&>(c), window, container);
    default: return nullptr;
    }
}

} // namespace tavrin::qt
