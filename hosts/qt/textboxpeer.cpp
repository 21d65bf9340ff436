// The text box peer. A multi-line box keeps the form's text exactly as the
// program set it (its line ends, NULs, no-break spaces): Qt's document shows
// it with paragraph breaks, and each edit the user makes there comes back to
// the form as that same small edit, never as a rebuilt copy of the text.
#include "hosts/qt/colors.h"
#include "hosts/qt/input.h"
#include "hosts/qt/lineends.h"
#include "hosts/qt/peerkinds.h"

#include "runtime/forms/textbox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <functional>

namespace tavrin::qt {
namespace {

using rt::Prop;

constexpr char16_t kSeparator = LineEnds::kSeparator;

// Qt's "word boundary, else anywhere" wrapping looks for a word boundary to
// the end of the paragraph before each line it breaks anywhere: on a long run
// without one that costs time growing with the square of the run (a 1 MB
// line of one word holds the program for over a minute). A text with such a
// run wraps anywhere instead.
constexpr qsizetype kLongestWrappedWord = 4096;

// A large text goes into the document a piece at a time, the first piece at
// once and the rest between other events: Qt takes most of a second to build
// the document of a 10 MB file, which would keep the text from showing and
// hold up the clock's tick. Pieces end after a line end.
constexpr qsizetype kFirstPiece = 64 * 1024;
constexpr qsizetype kPiece = 256 * 1024;

qsizetype pieceEnd(QStringView text, qsizetype from, qsizetype size) {
    if (text.size() - from <= size)
        return text.size();
    const qsizetype cut = text.lastIndexOf(QChar(kSeparator), from + size);
    if (cut > from)
        return cut + 1;
    // One very long line: it goes in whole, as a line laid out in pieces costs more.
    const qsizetype next = text.indexOf(QChar(kSeparator), from + size);
    return next < 0 ? text.size() : next + 1;
}

bool hasLongRun(QStringView text) {
    qsizetype run = 0;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWrappedWord)
            return true;
    }
    return false;
}

// KeyDown goes to the form before the box sees the key, and may swallow it;
// a key the form lets through, and the request for the box's menu, then go
// to `before`, the peer's own look at them before the widget acts.
class KeyDownFilter final : public QObject {
public:
    KeyDownFilter(rt::TextBox& box, QWidget& widget, std::function<void(QEvent&)> before)
        : QObject(&widget), box_(&box), before_(std::move(before)) {
        widget.installEventFilter(this);
    }
    void detach() { box_ = nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        const bool key = e->type() == QEvent::KeyPress && watched == parent();
        if (!box_ || (!key && e->type() != QEvent::ContextMenu))
            return false;
        const int code = key ? virtualKey(*static_cast<QKeyEvent*>(e)) : 0;
        if (code != 0 && box_->userKeyDown(code, vbShift(static_cast<QKeyEvent*>(e)->modifiers())) == 0)
            return true;
        if (!box_)
            return true;
        if (before_)
            before_(*e);
        return false;
    }

private:
    rt::TextBox* box_;
    std::function<void(QEvent&)> before_;
};

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
        case Prop::Caption:
            // The form's answer to the user's own edit: the widget shows it already.
            if (std::exchange(echo_, false))
                break;
            showText();
            break;
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
            // Opaque, so that moving it shifts what is on the screen
            // instead of painting its text anew (the about box's credits).
            multi_->setAutoFillBackground(true);
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
        auto alive = this->alive();
        keys_ = new KeyDownFilter(box_, *w, multi_ ? [this, alive](QEvent& e) {
            if (*alive)
                beforeInput(e);
        } : std::function<void(QEvent&)>());
        if (line_) {
            track(QObject::connect(line_, &QLineEdit::textEdited, line_, [this, alive](const QString& text) {
                if (*alive && !updating_)
                    box_.userEdited(text);
            }));
            return;
        }
        // The box's menu goes to the viewport.
        multi_->viewport()->installEventFilter(keys_);
        documentSet();
        pending_.clear();
        lineEnds_.toDocument(QString());
        track(QObject::connect(multi_->document(), &QTextDocument::undoCommandAdded, multi_, [this, alive] {
            if (*alive)
                commandAdded_ = true;
        }));
        track(QObject::connect(multi_->document(), &QTextDocument::contentsChange, multi_,
                               [this, alive](int pos, int removed, int added) {
                                   if (*alive && !updating_)
                                       documentEdited(pos, removed, added);
                               }));
        track(QObject::connect(multi_, &QPlainTextEdit::textChanged, multi_, [this, alive] {
            if (*alive && !updating_)
                holdToMaxLength();
        }));
    }

    // The document's text from `pos`, paragraph breaks as U+2029.
    QString documentText(int pos, int length) const {
        QString out;
        out.reserve(length);
        for (QTextBlock b = multi_->document()->findBlock(pos); b.isValid() && out.size() < length; b = b.next()) {
            const QString text = b.text();
            const int from = std::max(0, pos - b.position());
            if (from < text.size())
                out += QStringView(text).mid(from, length - out.size());
            if (out.size() < length && b.next().isValid())
                out += QChar(kSeparator);
        }
        return out;
    }

    void documentEdited(int pos, int removed, int added) {
        const QTextDocument* doc = multi_->document();
        const int length = doc->characterCount() - 1;
        // The document counts a final paragraph end that is no text.
        removed = std::min(removed, documentLength_ - pos);
        added = std::min(added, length - pos);
        if (pos < 0 || removed < 0 || added < 0 || documentLength_ - removed != length - added) {
            pos = 0;
            removed = documentLength_;
            added = length;
        }
        // Qt's undo and redo add no command: they move along its stack.
        const int undoState = doc->availableUndoSteps();
        const bool commandAdded = std::exchange(commandAdded_, false);
        const LineEnds::Change how = undoState < undoState_                  ? LineEnds::Change::Undo
                                     : undoState > undoState_ && !commandAdded ? LineEnds::Change::Redo
                                                                               : LineEnds::Change::Edit;
        undoState_ = undoState;
        if (how != LineEnds::Change::Edit) {
            // A line end right next to what Qt reports may be put back as another kind.
            const int before = std::min(pos, 1);
            const int after = pos + added < length ? 1 : 0;
            pos -= before;
            removed += before + after;
            added += before + after;
        }
        const QString addedText = documentText(pos, added);
        const int separatorsBefore = doc->findBlock(pos).blockNumber();
        const int removedSeparators = blockCount_ - doc->blockCount() + int(addedText.count(QChar(kSeparator)));
        blockCount_ = doc->blockCount();
        const LineEnds::FormEdit edit = lineEnds_.edit(box_.Text(), pos, separatorsBefore, removed, removedSeparators,
                                                       addedText, how, undoState);
        documentLength_ = length;
        lastInsert_ = {pos, added};
        // Only a large insertion can make a long run worth looking for.
        if (!longRun_ && added > kLongestWrappedWord / 4) {
            const QTextBlock last = doc->findBlock(pos + added);
            for (QTextBlock b = doc->findBlock(pos); b.isValid() && !longRun_; b = b.next()) {
                longRun_ = hasLongRun(b.text());
                if (b == last)
                    break;
            }
            if (longRun_)
                applyWrap();
        }
        auto alive = this->alive();
        echo_ = true;
        box_.userReplaced(edit.pos, edit.removed, edit.inserted);
        if (*alive)
            echo_ = false;
    }

    // A single-line box gets the limit from QLineEdit; a text set by code
    // may be longer, and QLineEdit would cut it, so the limit stretches to it.
    int lineLimit(const QString& text) const {
        return box_.MaxLength() == 0 ? 32767 : std::max<int>(box_.MaxLength(), int(text.size()));
    }

    // The length limit binds typing: cut back the end of what the last edit
    // inserted until the form's text fits (a line end counts as its characters).
    void holdToMaxLength() {
        const int max = box_.MaxLength();
        if (max <= 0 || box_.Text().size() <= max)
            return;
        const int end = lastInsert_.pos + lastInsert_.added;
        int cut = end;
        qsizetype over = box_.Text().size() - max;
        const QString inserted = documentText(lastInsert_.pos, lastInsert_.added);
        for (qsizetype i = inserted.size() - 1; i >= 0 && over > 0; --i, --cut) {
            const int block = multi_->document()->findBlock(lastInsert_.pos + int(i)).blockNumber();
            over -= inserted[i] == QChar(kSeparator) ? lineEnds_.formLength(1, block, 1) : 1;
        }
        QTextCursor cutter(multi_->document());
        cutter.setPosition(cut);
        cutter.setPosition(end, QTextCursor::KeepAnchor);
        cutter.removeSelectedText();
    }

    void showText() {
        updating_ = true;
        if (line_) {
            const QString& text = box_.Text();
            line_->setMaxLength(lineLimit(text));
            if (line_->text() != text)
                line_->setText(text);
        } else {
            const QString doc = lineEnds_.toDocument(box_.Text());
            // The costly wrapping is never applied to a text with a long run,
            // the old one or the new.
            const bool run = hasLongRun(doc);
            if (run) {
                longRun_ = true;
                applyWrap();
            }
            const qsizetype first = pieceEnd(doc, 0, kFirstPiece);
            pending_ = first < doc.size() ? doc : QString();
            pendingFrom_ = first;
            ++loads_;
            multi_->setPlainText(first < doc.size() ? doc.left(first) : doc);
            // Undoing must not take pieces back out: edits made while the
            // rest comes in cannot be undone.
            multi_->document()->setUndoRedoEnabled(pending_.isEmpty());
            if (!run) {
                longRun_ = false;
                applyWrap();
            }
            documentSet();
            if (!pending_.isEmpty())
                loadNextPiece();
        }
        updating_ = false;
    }

    void loadNextPiece() {
        auto alive = this->alive();
        QTimer::singleShot(0, multi_, [this, alive, load = loads_] {
            // A text set meanwhile has taken this one's place.
            if (!*alive || load != loads_ || pending_.isEmpty())
                return;
            if (!loadUpTo(pieceEnd(pending_, pendingFrom_, kPiece)))
                loadNextPiece();
        });
    }

    // The program set the document's text or added to it, leaving nothing
    // to undo: what is followed of the document starts from here.
    void documentSet() {
        documentLength_ = multi_->document()->characterCount() - 1;
        blockCount_ = multi_->document()->blockCount();
        undoState_ = 0;
        commandAdded_ = false;
    }

    // Puts the pending text up to `end` into the document; true once all is in.
    bool loadUpTo(qsizetype end) {
        QTextCursor atEnd(multi_->document());
        atEnd.movePosition(QTextCursor::End);
        updating_ = true;
        atEnd.insertText(QStringView(pending_).mid(pendingFrom_, end - pendingFrom_).toString());
        updating_ = false;
        documentSet();
        pendingFrom_ = end;
        if (end < pending_.size())
            return false;
        pending_.clear();
        multi_->document()->setUndoRedoEnabled(true);
        return true;
    }

    // A key (or the box's menu) on its way to the widget.
    void beforeInput(QEvent& e) {
        if (e.type() == QEvent::KeyPress) {
            auto& key = static_cast<QKeyEvent&>(e);
            // Qt's document takes Shift+Enter as a break inside the line
            // (U+2028), which no file reads as a line end.
            if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
                key.setModifiers(key.modifiers() & ~Qt::ShiftModifier);
            const bool wholeText = key.matches(QKeySequence::MoveToEndOfDocument) ||
                                   key.matches(QKeySequence::SelectEndOfDocument) ||
                                   key.matches(QKeySequence::SelectAll);
            if (!wholeText)
                return;
        }
        // Going to the end of a text still coming in, or taking all of it
        // (also through the menu), waits for the rest.
        if (!pending_.isEmpty())
            loadUpTo(pending_.size());
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
        multi_->setTabChangesFocus(!box_.AcceptsTab());
        const int bars = box_.ScrollBars();
        const bool horizontal = bars == 1 || bars == 3;
        const bool vertical = bars == 2 || bars == 3;
        // A horizontal bar means long lines scroll; otherwise they wrap at the box.
        multi_->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        multi_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        multi_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        applyWrap();
    }

    void applyWrap() {
        multi_->setWordWrapMode(longRun_ ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

    rt::TextBox& box_;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    QPointer<KeyDownFilter> keys_;
    bool updating_ = false;
    bool echo_ = false;
    LineEnds lineEnds_;
    int documentLength_ = 0;
    int blockCount_ = 1;
    // The document's undo state at its last change, and whether Qt added
    // an undo command since.
    int undoState_ = 0;
    bool commandAdded_ = false;
    // The document's text still to come, from pendingFrom_ on.
    QString pending_;
    qsizetype pendingFrom_ = 0;
    int loads_ = 0;
    bool longRun_ = false;
    struct {
        int pos = 0;
        int added = 0;
    } lastInsert_;
};

} // namespace

std::unique_ptr<rt::Peer> makeTextBoxPeer(rt::TextBox& box, WindowPeer& window, ControlPeer* container) {
    return std::make_unique<TextBoxPeer>(box, window, container);
}

} // namespace tavrin::qt
