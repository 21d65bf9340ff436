#pragma once
// A multi-line box's text as the form holds it, with the file's own line ends
// (CR LF, LF, a lone CR...), and as Qt's document holds it, with one paragraph
// separator for each. This remembers which line end each separator stands
// for, so that a user's edit in the document becomes the same edit of the
// form's text, and nothing else in it changes.
#include <QString>

#include <cstdint>
#include <vector>

namespace tavrin::qt {

class LineEnds {
public:
    // What Qt's document holds for every line end.
    static constexpr char16_t kSeparator = 0x2029;

    // The document's text for a form text; remembers its line ends.
    QString toDocument(const QString& formText);

    struct FormEdit {
        qsizetype pos = 0;
        qsizetype removed = 0;
        QString inserted;
    };
    // What changed the document: the user, or Qt's undo or redo, which puts
    // back separators without knowing which line ends they stood for.
    enum class Change { Edit, Undo, Redo };
    // At document position `pos`, after `separatorsBefore` separators,
    // `removed` characters (holding `removedSeparators` separators) gave way
    // to `added` (the document's new text, separators as U+2029); the
    // document's undo state is now `undoState` (0: nothing to undo). A range
    // that reaches over unchanged text is narrowed to what changed. A line
    // end the user added takes the text's first line end, or LF, unless it
    // would join a lone CR before it or an LF after it into one CR LF: then
    // it is a CR LF (so is an LF that an edit brings right after a lone CR).
    // An undo or redo puts back the line ends that were there.
    FormEdit edit(const QString& formText, qsizetype pos, int separatorsBefore, qsizetype removed,
                  int removedSeparators, const QString& added, Change how = Change::Edit, int undoState = 0);

    int count() const { return int(kinds_.size()); }
    // The form's length of a document length whose separators are those
    // from `firstSeparator` on, `separators` of them.
    qsizetype formLength(qsizetype documentLength, int firstSeparator, int separators) const;

private:
    enum Kind : std::uint8_t { LF, CR, CRLF, PS, FrameStart, FrameEnd };
    static QStringView textOf(Kind k);
    int crlfCount(int from, int to) const;
    Kind typedKind() const;
    // The kinds after Qt's undo or redo to `undoState` took the document
    // over the recorded edits; false when they do not fit.
    bool replay(Change how, int undoState, int removedSeparators, int addedSeparators,
                std::vector<std::uint8_t>& kinds);

    std::vector<std::uint8_t> kinds_;
    // The line ends each undoable edit took out and put in, with the undo
    // state it left; those before done_ are in the text.
    struct Step {
        int undoState;
        int at;
        std::vector<std::uint8_t> removed, inserted;
    };
    std::vector<Step> steps_;
    std::size_t done_ = 0;
    // The text's first line end when it last had one: a text the user
    // emptied and types again keeps its file's line ends.
    Kind lastFirst_ = LF;
};

} // namespace tavrin::qt
