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
    steps_.clear();
    done_ = 0;
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

bool LineEnds::replay(Change how, int undoState, int removedSeparators, int addedSeparators,
                      std::vector<std::uint8_t>& kinds) {
    kinds = kinds_;
    const auto swap = [&kinds](int at, const std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& in) {
        if (at + out.size() > kinds.size())
            return false;
        kinds.erase(kinds.begin() + at, kinds.begin() + at + qsizetype(out.size()));
        kinds.insert(kinds.begin() + at, in.begin(), in.end());
        return true;
    };
    bool fits = true;
    if (how == Change::Undo) {
        for (; fits && done_ > 0 && steps_[done_ - 1].undoState > undoState; --done_)
            fits = swap(steps_[done_ - 1].at, steps_[done_ - 1].inserted, steps_[done_ - 1].removed);
    } else {
        for (; fits && done_ < steps_.size() && steps_[done_].undoState <= undoState; ++done_)
            fits = swap(steps_[done_].at, steps_[done_].removed, steps_[done_].inserted);
    }
    return fits && int(kinds.size()) == count() - removedSeparators + addedSeparators;
}

LineEnds::FormEdit LineEnds::edit(const QString& formText, qsizetype pos, int separatorsBefore, qsizetype removed,
                                  int removedSeparators, const QString& added, Change how, int undoState) {
    separatorsBefore = std::clamp(separatorsBefore, 0, count());
    removedSeparators = std::clamp(removedSeparators, 0, count() - separatorsBefore);
    const int addedSeparators = int(added.count(QChar(kSeparator)));
    std::vector<std::uint8_t> after;
    const bool replaying =
        how != Change::Edit && replay(how, undoState, removedSeparators, addedSeparators, after);
    if (how != Change::Edit && !replaying) {
        steps_.clear(); // lost track: what is in the text stays as it is
        done_ = 0;
    }
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

    // Narrow to what changed: Qt sometimes reports a wider range than the
    // edit. After an undo a separator that stands for another line end than
    // before has changed too.
    const auto same = [&](qsizetype b, qsizetype a, int oldIndex, int newIndex) {
        return before[b] == added[a] &&
               (before[b] != QChar(kSeparator) || !replaying || kinds_[oldIndex] == after[newIndex]);
    };
    qsizetype head = 0, headForm = 0;
    int headSeparators = 0;
    const qsizetype most = std::min(before.size(), added.size());
    while (head < most && same(head, head, separatorsBefore + headSeparators, separatorsBefore + headSeparators)) {
        headForm += formWidth[head];
        headSeparators += before[head] == QChar(kSeparator);
        ++head;
    }
    qsizetype tail = 0, tailForm = 0;
    int tailSeparators = 0;
    while (tail < most - head && same(before.size() - 1 - tail, added.size() - 1 - tail,
                                      separatorsBefore + removedSeparators - 1 - tailSeparators,
                                      separatorsBefore + addedSeparators - 1 - tailSeparators)) {
        tailForm += formWidth[before.size() - 1 - tail];
        tailSeparators += before[before.size() - 1 - tail] == QChar(kSeparator);
        ++tail;
    }

    const Kind typed = lastFirst_ = typedKind();
    const QStringView middle = QStringView(added).mid(head, added.size() - head - tail);
    FormEdit result;
    result.pos = formStart + headForm;
    result.removed = std::max<qsizetype>(0, formRemoved - headForm - tailForm);
    const int eraseFrom = separatorsBefore + headSeparators;
    int eraseTo = std::max(eraseFrom, separatorsBefore + removedSeparators - tailSeparators);
    const int newSeparators = int(middle.count(QChar(kSeparator)));
    std::vector<std::uint8_t> inserted;
    if (replaying) {
        inserted.assign(after.begin() + eraseFrom, after.begin() + eraseFrom + newSeparators);
    } else {
        inserted.assign(std::size_t(newSeparators), std::uint8_t(typed));
        // CR then LF would read back as one line end.
        const qsizetype next = result.pos + result.removed;
        const bool crBefore = result.pos > 0 && formText[result.pos - 1] == u'\r';
        const bool lfAfter = next < formText.size() && formText[next] == u'\n';
        if (newSeparators > 0 && middle.front() == QChar(kSeparator) && crBefore && typed == LF)
            inserted.front() = CRLF;
        if (newSeparators > 0 && middle.back() == QChar(kSeparator) && lfAfter && typed == CR)
            inserted.back() = CRLF;
        // Taking out what stood between a lone CR and an LF: the LF becomes a CR LF.
        if (middle.isEmpty() && result.removed > 0 && crBefore && lfAfter && eraseTo < count()) {
            ++result.removed;
            ++eraseTo;
            inserted.push_back(CRLF);
        }
    }
    result.inserted.reserve(middle.size() + 1);
    std::size_t n = 0;
    for (QChar c : middle)
        result.inserted += c == QChar(kSeparator) ? textOf(Kind(inserted[n++])) : QStringView(&c, 1);
    for (; n < inserted.size(); ++n)
        result.inserted += textOf(Kind(inserted[n]));

    std::vector<std::uint8_t> out(kinds_.begin() + eraseFrom, kinds_.begin() + eraseTo);
    if (how == Change::Edit) {
        // A new edit ends what could be redone; with undo off nothing is kept.
        steps_.resize(undoState > 0 ? done_ : 0);
        if (undoState > 0 && (!out.empty() || !inserted.empty()))
            steps_.push_back({undoState, eraseFrom, out, inserted});
        done_ = steps_.size();
    }
    if (replaying) {
        kinds_ = std::move(after);
    } else {
        kinds_.erase(kinds_.begin() + eraseFrom, kinds_.begin() + eraseTo);
        kinds_.insert(kinds_.begin() + eraseFrom, inserted.begin(), inserted.end());
    }
    return result;
}

} // namespace tavrin::qt
