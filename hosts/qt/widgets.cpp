#include "hosts/qt/widgets.h"

#include "hosts/qt/fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace tavrin::qt {

namespace {

// Painted widgets repaint only when what they show changed.
template <class T>
void assignAndRepaint(QWidget& widget, T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    widget.update();
}

} // namespace

// --- label ------------------------------------------------------------------

std::unique_ptr<QTextLayout> oneLineLayout(const QString& text, const QFont& font) {
    auto layout = std::make_unique<QTextLayout>(text, font);
    layout->setCacheEnabled(true); // keep the shaped glyphs for the paints
    layout->beginLayout();
    layout->createLine().setLineWidth(1 << 20);
    layout->endLayout();
    return layout;
}

LabelWidget::LabelWidget(QWidget* parent) : QWidget(parent) {}

void LabelWidget::setText(const QString& text) {
    if (text == text_)
        return;
    std::unique_ptr<QTextLayout> before = std::move(line_);
    refit();
    text_ = text;
    // A clock's caption changes only in its last digits each second: a
    // caption already painted as one line repaints only the part that
    // changed, so less is drawn and sent to the X server. (A caption fitted
    // to another font size repaints whole: its part covers the box.)
    if (before && isVisible()) {
        if (const QTextLayout* after = fittedLine()) {
            update(changedPart(*before, *after, alignment_, size()));
            return;
        }
    }
    update();
}

void LabelWidget::setAlignment(int alignment) { assignAndRepaint(*this, alignment_, alignment); }

void LabelWidget::setWordWrap(bool wrap) {
    if (wrap != wordWrap_)
        refit();
    assignAndRepaint(*this, wordWrap_, wrap);
}

void LabelWidget::setMnemonics(bool on) {
    if (on != mnemonics_)
        refit();
    assignAndRepaint(*this, mnemonics_, on);
}

void LabelWidget::setFormFont(const rt::Font& font) {
    if (font != formFont_) {
        designed_.reset();
        refit();
    }
    assignAndRepaint(*this, formFont_, font);
}

void LabelWidget::resizeEvent(QResizeEvent* e) {
    refit();
    QWidget::resizeEvent(e);
}

void LabelWidget::refit() {
    fitted_.reset();
    line_.reset();
}

const QFont& LabelWidget::designedFont() {
    if (!designed_) {
        designed_ = mappedFont(formFont_);
        designedLineSpacing_ = QFontMetrics(*designed_).lineSpacing();
    }
    return *designed_;
}

namespace {

// Captions Qt's plain text layout draws exactly as the label's wrapping
// drawing would (marking access keys where the label has them), once they
// fit on one line.
bool plainLine(const QString& text, const QFont& font, bool mnemonics) {
    return !text.isEmpty() && !(mnemonics && text.contains(QLatin1Char('&'))) && !text.contains(QLatin1Char('\n')) &&
           !text.front().isSpace() && !text.back().isSpace() && !font.underline() && !font.strikeOut();
}

} // namespace

const QFont& LabelWidget::fittedFont() {
    if (fitted_)
        return *fitted_;
    const QFont& designed = designedFont();
    const bool oneLine = !wordWrap_ && !text_.contains(QLatin1Char('\n')) && height() < 2 * designedLineSpacing_;
    if (!plainLine(text_, designed, mnemonics_)) {
        fitted_ = oneLine ? shrunkToFit(designed, mnemonics_ ? withoutMnemonics(text_) : text_, width()) : designed;
        return *fitted_;
    }
    std::unique_ptr<QTextLayout> line;
    bool fits = false;
    const auto layOut = [&](const QFont& f) {
        line = oneLineLayout(text_, f);
        fits = qRound(line->lineAt(0).naturalTextWidth()) <= width();
        return fits;
    };
    if (oneLine) {
        fitted_ = shrunkUntil(designed, layOut);
    } else {
        layOut(designed);
        fitted_ = designed;
    }
    if (fits)
        line_ = std::move(line);
    return *fitted_;
}

const QTextLayout* LabelWidget::fittedLine() {
    fittedFont();
    return line_.get();
}

void LabelWidget::setColors(const QColor& fore, const QColor& back, bool opaque) {
    if (fore == fore_ && back == back_ && opaque == opaque_)
        return;
    fore_ = fore;
    back_ = back;
    opaque_ = opaque;
    update();
}

namespace {

qreal offsetIn(const QTextLayout& line, int alignment, int width) {
    const qreal room = width - line.lineAt(0).horizontalAdvance();
    return alignment == 1 ? room : alignment == 2 ? room / 2 : 0;
}

} // namespace

qreal LabelWidget::lineOffset(const QTextLayout& line) const { return offsetIn(line, alignment_, width()); }

QRect LabelWidget::changedPart(const QTextLayout& before, const QTextLayout& after, int alignment, const QSize& box) {
    const QString& a = before.text();
    const QString& b = after.text();
    qsizetype same = 0;
    while (same < a.size() && same < b.size() && a[same] == b[same])
        ++same;
    const qreal offsetA = offsetIn(before, alignment, box.width());
    const qreal offsetB = offsetIn(after, alignment, box.width());
    const qreal fromA = offsetA + before.lineAt(0).cursorToX(int(same));
    const qreal fromB = offsetB + after.lineAt(0).cursorToX(int(same));
    if (offsetA != offsetB || fromA != fromB || before.font() != after.font())
        return QRect(QPoint(), box);
    const qreal endA = offsetA + before.lineAt(0).horizontalAdvance();
    const qreal endB = offsetB + after.lineAt(0).horizontalAdvance();
    // Glyphs may ink a little past their advance on either side.
    const QFontMetrics fm(after.font());
    const int left = int(std::floor(fromA)) - std::max(0, -fm.minLeftBearing()) - 1;
    const int right = int(std::ceil(std::max(endA, endB))) + std::max(0, -fm.minRightBearing()) + 1;
    return QRect(QPoint(left, 0), QPoint(right, box.height() - 1)).intersected(QRect(QPoint(), box));
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (opaque_)
        p.fillRect(rect(), back_);
    if (text_.isEmpty())
        return;
    p.setFont(fittedFont());
    p.setPen(isEnabled() ? fore_ : palette().color(QPalette::Disabled, QPalette::WindowText));
    if (const QTextLayout* line = fittedLine()) {
        line->draw(&p, QPointF(lineOffset(*line), 0));
        return;
    }
    const int horizontal = alignment_ == 1 ? Qt::AlignRight : alignment_ == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    // Labels wrap whenever their text runs past the box, as they always did;
    // the peer shrinks single-line captions so they never have to.
    p.drawText(rect(), horizontal | Qt::AlignTop | Qt::TextWordWrap | (mnemonics_ ? Qt::TextShowMnemonic : 0), text_);
}

// --- picture box ------------------------------------------------------------

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {}

void PictureWidget::setPicture(const rt::Picture& picture) {
    picture_ = picture;
    update();
}

void PictureWidget::setBackColor(const QColor& back) { assignAndRepaint(*this, back_, back); }

void PictureWidget::setBorder(int pixels) { assignAndRepaint(*this, border_, pixels); }

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), back_);
    if (!picture_.isNull()) {
        p.save();
        p.setClipRect(rect().adjusted(border_, border_, -border_, -border_));
        p.drawImage(border_, border_, picture_.image());
        p.restore();
    }
    if (border_ > 0)
        qDrawShadePanel(&p, rect(), palette(), true, border_);
}

// --- image ------------------------------------------------------------------

ImageWidget::ImageWidget(QWidget* parent) : QWidget(parent) {}

void ImageWidget::setPicture(const rt::Picture& picture) {
    picture_ = picture;
    update();
}

void ImageWidget::setStretch(bool stretch) { assignAndRepaint(*this, stretch_, stretch); }

void ImageWidget::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter p(this);
    if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), picture_.image());
    } else {
        p.drawImage(0, 0, picture_.image());
    }
}

// --- shape ------------------------------------------------------------------

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {}

void ShapeWidget::setShape(int shape, int borderWidth) {
    if (shape == shape_ && borderWidth == borderWidth_)
        return;
    shape_ = shape;
    borderWidth_ = borderWidth;
    update();
}

void ShapeWidget::setColors(const QColor& border, const QColor& back, bool filled) {
    if (border == border_ && back == back_ && filled == filled_)
        return;
    border_ = border;
    back_ = back;
    filled_ = filled;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int bw = std::max(1, borderWidth_);
    // The outline lies inside the box, as the forms drew it.
    const QRectF box = QRectF(rect()).adjusted(bw / 2.0, bw / 2.0, -bw / 2.0, -bw / 2.0);
    p.setPen(borderWidth_ > 0 ? QPen(border_, bw, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin) : QPen(Qt::NoPen));
    p.setBrush(filled_ ? QBrush(back_) : QBrush(Qt::NoBrush));
    if (shape_ == 4) { // rounded rectangle
        p.setRenderHint(QPainter::Antialiasing);
        const qreal radius = std::min(box.width(), box.height()) / 6.0;
        p.drawRoundedRect(box, radius, radius);
    } else {
        p.drawRect(box);
    }
}

// --- frame ------------------------------------------------------------------

FrameWidget::FrameWidget(QWidget* parent) : QWidget(parent) {}

void FrameWidget::setCaption(const QString& caption) { assignAndRepaint(*this, caption_, caption); }

void FrameWidget::setBordered(bool bordered) { assignAndRepaint(*this, bordered_, bordered); }

void FrameWidget::setColors(const QColor& fore, const QColor& back) {
    if (fore == fore_ && back == back_)
        return;
    fore_ = fore;
    back_ = back;
    update();
}

void FrameWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), back_);
    if (!bordered_)
        return;
    const QFontMetrics fm(font());
    const int top = fm.height() / 2;
    qDrawShadeRect(&p, rect().adjusted(0, top, 0, 0), palette(), true, 1, 0);
    if (caption_.isEmpty())
        return;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine;
    QRect text = fm.boundingRect(QRect(8, 0, width() - 16, fm.height()), flags, caption_);
    p.fillRect(text.adjusted(-2, 0, 2, 0), back_);
    p.setPen(isEnabled() ? fore_ : palette().color(QPalette::Disabled, QPalette::WindowText));
    p.drawText(text, flags, caption_);
}

} // namespace tavrin::qt
