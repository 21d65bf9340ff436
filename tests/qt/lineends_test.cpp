// The bookkeeping between the form's line ends and the document's paragraph
// breaks, for the edits Qt reports.
#include "hosts/qt/lineends.h"

#include <gtest/gtest.h>

namespace tavrin::qt::test {
namespace {

QString applied(QString form, const LineEnds::FormEdit& e) { return form.replace(e.pos, e.removed, e.inserted); }

TEST(LineEnds, AReportThatCoversUnchangedTextChangesOnlyWhatChanged) {
    LineEnds ends;
    const QString form = QStringLiteral("a\r\nb\nc\rd");
    const QString doc = ends.toDocument(form);
    EXPECT_EQ(doc, QString::fromUtf16(u"a\u2029b\u2029c\u2029d"));
    QString after = doc;
    after[2] = QLatin1Char('B');
    const LineEnds::FormEdit e = ends.edit(form, 0, 0, doc.size(), 3, after);
    EXPECT_EQ(e.pos, 3);
    EXPECT_EQ(e.removed, 1);
    EXPECT_EQ(applied(form, e), "a\r\nB\nc\rd");
    EXPECT_EQ(ends.count(), 3);
}

TEST(LineEnds, PositionsAfterTwoCharacterLineEndsShift) {
    LineEnds ends;
    const QString form = QStringLiteral("ab\r\ncd\r\nef");
    ends.toDocument(form);
    // "e" sits at document position 6 after two separators; delete it.
    const LineEnds::FormEdit e = ends.edit(form, 6, 2, 1, 0, QString());
    EXPECT_EQ(applied(form, e), "ab\r\ncd\r\nf");
    // Join the first two lines: the separator at position 2 goes.
    const QString joined = applied(form, e);
    const LineEnds::FormEdit j = ends.edit(joined, 2, 0, 1, 1, QString());
    EXPECT_EQ(applied(joined, j), "abcd\r\nf");
    EXPECT_EQ(ends.count(), 1);
}

TEST(LineEnds, QtsOwnParagraphBreakCharactersAreLineEndsToo) {
    LineEnds ends;
    const QString form = QString::fromUtf16(u"a\u2029b\uFDD0c\uFDD1d\u2028e");
    const QString doc = ends.toDocument(form);
    EXPECT_EQ(ends.count(), 3);
    EXPECT_EQ(doc.size(), form.size()) << "each is one character, and U+2028 stays inside its line";
    const LineEnds::FormEdit e = ends.edit(form, 0, 0, 0, 0, QStringLiteral("x"));
    EXPECT_EQ(applied(form, e), "x" + form);
}

} // namespace
} // namespace tavrin::qt::test
