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
    // At document position `pos`, after `separatorsBefore` separators,
    // `removed` characters (holding `removedSeparators` separators) gave way
    // to `added` (the document's new text, separators as U+2029). A range
    // that reaches over unchanged text is narrowed to what changed; a line
    // end the user added takes the text's first line end, or LF.
    FormEdit edit(const QString& formText, qsizetype pos, int separatorsBefore, qsizetype removed,
                  int removedSeparators, const QString& added);

    int count() const { return int(kinds_.size()); }
    // The form's length of a document length whose separators are those
    // from `firstSeparator` on, `separators` of them.
    qsizetype formLength(qsizetype documentLength, int firstSeparator, int separators) const;

private:
    enum Kind : std::uint8_t { LF, CR, CRLF, PS, FrameStart, FrameEnd };
    static QStringView textOf(Kind k);
    int crlfCount(int from, int to) const;
    Kind typedKind() const;

    std::vector<std::uint8_t> kinds_;
    // The text's first line end when it last had one: a text the user
    // emptied and types again keeps its file's line ends.
    Kind lastFirst_ = LF;
};

} // namespace tavrin::qt
