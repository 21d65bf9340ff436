// File bytes to text and back: UTF-8 when the bytes are exactly UTF-8, else
// the fixed 256-character table, and never a silent substitute on the way out.
#include "runtime/services/filetext.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using rt::FileEncoding;

TEST(FileText, TheEightBitTableIsOneToOneAndRoundTripsEveryByte) {
    std::set<char16_t> seen;
    for (int b = 0; b < 256; ++b)
        seen.insert(rt::EightBitChar(static_cast<unsigned char>(b)));
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_EQ(rt::EightBitChar(0x80), u'\u20AC');
    EXPECT_EQ(rt::EightBitChar(0xA0), u'\u00A0');
    EXPECT_EQ(rt::EightBitChar(0x81), u'\u0081');

    const QByteArray all = testsupport::everyByte();
    const rt::FileText text = rt::DecodeFileText(all);
    EXPECT_EQ(text.encoding, FileEncoding::EightBit);
    EXPECT_EQ(text.text.size(), 256);
    EXPECT_EQ(rt::EncodeFileText(text.text, FileEncoding::EightBit), all);
}

TEST(FileText, ExactUtf8IsUtf8AndAnythingElseIsEightBit) {
    struct Case {
        QByteArray bytes;
        FileEncoding expected;
    } cases[] = {
        {"", FileEncoding::Utf8},
        {"plain\r\n", FileEncoding::Utf8},
        {"\xEF\xBB\xBF" "bom", FileEncoding::Utf8},
        {"caf\xC3\xA9", FileEncoding::Utf8},
        {QByteArray("nul\0here", 8), FileEncoding::Utf8},
        {"caf\xE9", FileEncoding::EightBit},
        {"\xC0\xAF", FileEncoding::EightBit},         // overlong
        {"\xED\xA0\x80", FileEncoding::EightBit},     // an encoded surrogate
        {"cut \xE2\x82", FileEncoding::EightBit},     // ends inside a character
        {"\xF4\x90\x80\x80", FileEncoding::EightBit}, // past U+10FFFF
    };
    for (const Case& c : cases) {
        const rt::FileText text = rt::DecodeFileText(c.bytes);
        EXPECT_EQ(text.encoding, c.expected) << c.bytes.toHex().toStdString();
        EXPECT_EQ(rt::EncodeFileText(text.text, text.encoding), c.bytes) << c.bytes.toHex().toStdString();
    }
    EXPECT_EQ(rt::DecodeFileText("\xEF\xBB\xBF" "bom").text, QString(QChar(0xFEFF)) + QStringLiteral("bom"));
}

TEST(FileText, ACharacterTheEncodingCannotHoldIsRefusedWithItsPlace) {
    qsizetype bad = -1;
    EXPECT_FALSE(rt::EncodeFileText(QString::fromUtf8("abā"), FileEncoding::EightBit, &bad));
    EXPECT_EQ(bad, 2);
    EXPECT_EQ(rt::EncodeFileText(QString::fromUtf8("€‚ÿ"), FileEncoding::EightBit), QByteArray("\x80\x82\xFF"));

    QString lone = QStringLiteral("ok");
    lone += QChar(0xD800);
    EXPECT_FALSE(rt::EncodeFileText(lone, FileEncoding::Utf8, &bad));
    EXPECT_EQ(bad, 2);
    EXPECT_EQ(rt::EncodeFileText(QString::fromUtf8("😀"), FileEncoding::Utf8), QByteArray("\xF0\x9F\x98\x80"));
}

} // namespace
