// The settings text under random hand edits: a save reads back, splices in
// one place only, and leaves every other key's value as it was.
#include "runtime/services/initext.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace rt;

namespace {

// Files made of the pieces hand-edited settings files are made of.
QByteArray randomText(QRandomGenerator& random) {
    static const char* const pieces[] = {
        "[Options]", "[Alarm]", "[Options", "[ Options ]", "[]", "zh", "msg", " zh ", "=", "==", "1",
        "\"quoted\\\"", "\"", ";", "#", " ", "\t", "\r", "\n", "\r\n", "\xEF\xBB\xBF", "\xE9", "\xFF\xFE",
        "\xC3", "caf\xC3\xA9", "\\n", "[Alarm]\nmsg=x\n", "\n\n"};
    QByteArray text;
    const int count = random.bounded(0, 24);
    for (int i = 0; i < count; ++i)
        text += pieces[random.bounded(int(std::size(pieces)))];
    return text;
}

// The bytes of the old text that the new one does not keep, between the
// stretches the two share at the start and at the end.
QByteArray replacedPart(const QByteArray& before, const QByteArray& after) {
    qsizetype front = 0;
    while (front < before.size() && front < after.size() && before[front] == after[front])
        ++front;
    qsizetype back = 0;
    while (back < before.size() - front && back < after.size() - front &&
           before[before.size() - 1 - back] == after[after.size() - 1 - back])
        ++back;
    return before.mid(front, before.size() - front - back);
}

} // namespace

TEST(IniText, RandomHandEditsSurviveASave) {
    QRandomGenerator random(2026);
    const QString sections[] = {"Options", "Alarm", "New"};
    const QString keys[] = {"zh", "msg", "padwrap"};
    const QString values[] = {"", "10", " padded ", "caf\u00E9", "a\nb", "\"", "[Alarm]", ";x"};
    for (int round = 0; round < 50000; ++round) {
        const QByteArray text = randomText(random);
        const QString& section = sections[random.bounded(3)];
        const QString& key = keys[random.bounded(3)];
        const QString& value = values[random.bounded(8)];

        const QByteArray saved = ini::withValue(text, section, key, value);
        ini::Values expected = ini::parse(text);
        expected[section][key] = value;
        const ini::Values got = ini::parse(saved);
        ASSERT_EQ(got, expected) << "round " << round << ": [" << text.toStdString() << "] became [" << saved.toStdString() << "] for " << section.toStdString() << "/" << key.toStdString() << "=" << value.toStdString();
        // Everything but the key's own line is kept.
        ASSERT_FALSE(replacedPart(text, saved).contains('\n'))
            << "round " << round << ": [" << text.toStdString() << "] became [" << saved.toStdString() << "]";
    }
}
