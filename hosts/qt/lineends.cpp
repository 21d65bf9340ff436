#include "hosts/qt/lineends.h"

#include <algorithm>

namespace tavrin::qt {
namespace {

constexpr char16_t kSeparator = LineEnds::kSeparator;
// Qt's document takes these as paragraph breaks too.
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;

} // namespace

QStringView LineEnds::textOf(Kind k) {
    static const char16_t texts[][3] = {u"\n", u"\r", u"\r\n", {kSeparator, 0, 0}, {kFrameStart, 0, 0}, {kFrameEnd, 0, 0}};
    return QStringView(texts[k]);
}

QString LineEnds::toDocument(const QString& formText) {
    kinds_.clear();
    QString doc;
    doc.reserve(formText.size());
    const qsizetype n = formText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = formText[i].unicode();
        Kind kind;
        switch (c) {
        case u'\n': kind = LF; break;
        case u'\r':
            kind = i + 1 < n && formText[i + 1] == u'\n' ? CRLF : CR;
            i += kind == CRLF;
            break;
        case kSeparator: kind = PS; break;
        case kFrameStart: kind = FrameStart; break;
        case kFrameEnd: kind = FrameEnd; break;
        default: doc += QChar(c); continue;
        }
        kinds_.push_back(kind);
        doc += QChar(kSeparator);
    }
    lastFirst_ = LF;
    lastFirst_ = typedKind();
    return doc;
}

int LineEnds::crlfCount(int from, int to) const {
    from = std::clamp(from, 0, count());
    to = std::clamp(to, from, count());
    return int(std::count(kinds_.begin() + from, kinds_.begin() + to, std::uint8_t(CRLF)));
}

qsizetype LineEnds::formLength(qsizetype documentLength, int firstSeparator, int separators) const {
    return documentLength + crlfCount(firstSeparator, firstSeparator + separators);
}

LineEnds::Kind LineEnds::typedKind() const {
    for (std::uint8_t k : kinds_)
        if (k == LF || k == CR || k == CRLF)
            return Kind(k);
    return lastFirst_;
}

LineEnds::FormEdit LineEnds::edit(const QString& formText, qsizetype pos, int separatorsBefore, qsizetype removed,
                                  int removedSeparators, const QString& added) {
    separatorsBefore = std::clamp(separatorsBefore, 0, count());
    removedSeparators = std::clamp(removedSeparators, 0, count() - separatorsBefore);
    const qsizetype formStart = pos + crlfCount(0, separatorsBefore);
    const qsizetype formRemoved = formLength(removed, separatorsBefore, removedSeparators);

    // What the document held there before, and how its separators read in the form.
    QString before;
    before.reserve(removed);
    std::vector<qsizetype> formWidth; // form characters per document character
    formWidth.reserve(removed);
    int k = separatorsBefore;
    for (qsizetype i = formStart; i < formStart + formRemoved && i < formText.size();) {
        const char16_t c = formText[i].unicode();
        const bool lineEnd = c == u'\n' || c == u'\r' || c == kSeparator || c == kFrameStart || c == kFrameEnd;
        const qsizetype width = lineEnd && k < count() ? textOf(Kind(kinds_[k])).size() : 1;
        k += lineEnd;
        before += lineEnd ? QChar(kSeparator) : QChar(c);
        formWidth.push_back(width);
        i += width;
    }

    // Narrow to what changed: Qt sometimes reports a wider range than the edit.
    qsizetype head = 0;
    const qsizetype most = std::min(before.size(), added.size());
    while (head < most && before[head] == added[head])
        ++head;
    qsizetype tail = 0;
    while (tail < most - head && before[before.size() - 1 - tail] == added[added.size() - 1 - tail])
        ++tail;

    qsizetype headForm = 0, tailForm = 0;
    int headSeparators = 0, tailSeparators = 0;
    for (qsizetype i = 0; i < head; ++i) {
        headForm += formWidth[i];
        headSeparators += before[i] == QChar(kSeparator);
    }
    for (qsizetype i = before.size() - tail; i < before.size(); ++i) {
        tailForm += formWidth[i];
        tailSeparators += before[i] == QChar(kSeparator);
    }

    const Kind typed = lastFirst_ = typedKind();
    const QStringView middle = QStringView(added).mid(head, added.size() - head - tail);
    FormEdit result;
    result.pos = formStart + headForm;
    result.removed = std::max<qsizetype>(0, formRemoved - headForm - tailForm);
    result.inserted.reserve(middle.size());
    int newSeparators = 0;
    for (QChar c : middle) {
        if (c == QChar(kSeparator)) {
            result.inserted += textOf(typed);
            ++newSeparators;
        } else {
            result.inserted += c;
        }
    }
    const int eraseFrom = separatorsBefore + headSeparators;
    const int eraseTo = std::max(eraseFrom, separatorsBefore + removedSeparators - tailSeparators);
    kinds_.erase(kinds_.begin() + eraseFrom, kinds_.begin() + eraseTo);
    kinds_.insert(kinds_.begin() + eraseFrom, std::size_t(newSeparators), std::uint8_t(typed));
    return result;
}

} // namespace tavrin::qt
