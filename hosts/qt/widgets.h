#pragma once
// The painted stand-ins for the lightweight controls. Each keeps its own copy
// of what it shows, so a hidden window's widgets really are left alone until
// its peers sync them.
#include "runtime/forms/picture.h"
#include "runtime/forms/types.h"

#include <QImage>
#include <QTextLayout>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

namespace tavrin::qt {

// `text` shaped in `font` as one line, its glyphs kept for drawing.
std::unique_ptr<QTextLayout> oneLineLayout(const QString& text, const QFont& font);

class LabelWidget : public QWidget {
public:
    explicit LabelWidget(QWidget* parent);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    // 0 left, 1 right, 2 centre, as the forms number them.
    void setAlignment(int alignment);
    void setWordWrap(bool wrap);
    // Whether '&' marks an access key or shows as itself.
    void setMnemonics(bool on);
    void setColors(const QColor& fore, const QColor& back, bool opaque);
    const QColor& foreColor() const { return fore_; }
    bool opaque() const { return opaque_; }
    int alignment() const { return alignment_; }
    void setFormFont(const rt::Font& font);
    // The form's font on an installed family; a caption laid out for one
    // line shrunk until it fits the box. Worked out when first needed (the
    // first paint, as a rule), so no font is looked up before the window shows.
    const QFont& fittedFont();
    // What a change of caption from `before` to `after` (both laid out in
    // one line in the same font, drawn with `alignment` in a box `width`
    // wide) changes on screen: from where their texts part to their ends;
    // the whole box when the unchanged start does not stay in place.
    static QRect changedPart(const QTextLayout& before, const QTextLayout& after, int alignment, const QSize& box);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void refit();
    const QFont& designedFont();
    qreal lineOffset(const QTextLayout& line) const;
    // The caption as one plain line that fits the box, laid out once for
    // each text, font and size: fitting and painting share it, so a clock's
    // label is shaped once a second rather than at each of them.
    const QTextLayout* fittedLine();

    QString text_;
    int alignment_ = 0;
    bool wordWrap_ = false;
    bool mnemonics_ = true;
    QColor fore_, back_;
    bool opaque_ = false;
    rt::Font formFont_;
    std::optional<QFont> designed_;
    int designedLineSpacing_ = 0;
    std::optional<QFont> fitted_;
    std::unique_ptr<QTextLayout> line_; // set with fitted_ when the caption is one plain line that fits
};

class PictureWidget : public QWidget {
public:
    explicit PictureWidget(QWidget* parent);

    const QImage& picture() const { return picture_.image(); }
    void setPicture(const rt::Picture& picture);
    void setBackColor(const QColor& back);
    // Border pixels on each side: 0 without a border, 2 with a fixed single one.
    void setBorder(int pixels);
    int border() const { return border_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    rt::Picture picture_; // decoded when first painted
    QColor back_;
    int border_ = 0;
};

class ImageWidget : public QWidget {
public:
    explicit ImageWidget(QWidget* parent);

    const QImage& picture() const { return picture_.image(); }
    void setPicture(const rt::Picture& picture);
    void setStretch(bool stretch);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    rt::Picture picture_; // decoded when first painted
    bool stretch_ = false;
};

class ShapeWidget : public QWidget {
public:
    explicit ShapeWidget(QWidget* parent);

    void setShape(int shape, int borderWidth);
    void setColors(const QColor& border, const QColor& back, bool filled);
    const QColor& borderColor() const { return border_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int shape_ = 0;
    int borderWidth_ = 1;
    QColor border_, back_;
    bool filled_ = false;
};

class FrameWidget : public QWidget {
public:
    explicit FrameWidget(QWidget* parent);

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);
    void setBordered(bool bordered);
    void setColors(const QColor& fore, const QColor& back);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString caption_;
    bool bordered_ = true;
    QColor fore_, back_;
};

} // namespace tavrin::qt
