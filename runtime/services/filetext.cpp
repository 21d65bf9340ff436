#include "runtime/services/filetext.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace rt {
namespace {

// Bytes 0x80..0x9F; all other bytes stand for the character of the same number.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteOf(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < int(kHigh.size()); ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

// UTF-8 that decodes and encodes back to the very same bytes (a byte order
// mark included); anything else is not taken as UTF-8.
std::optional<QString> exactUtf8(const QByteArray& bytes) {
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = decode(bytes);
    if (decode.hasError())
        return std::nullopt;
    QStringEncoder encode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    if (QByteArray(encode(text)) != bytes)
        return std::nullopt;
    return text;
}

} // namespace

char16_t EightBitChar(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }

FileText DecodeFileText(const QByteArray& bytes) {
    if (auto text = exactUtf8(bytes))
        return {std::move(*text), FileEncoding::Utf8};
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = EightBitChar(static_cast<unsigned char>(bytes[i]));
    return {std::move(text), FileEncoding::EightBit};
}

std::optional<QByteArray> EncodeFileText(const QString& text, FileEncoding encoding, qsizetype* bad) {
    if (encoding == FileEncoding::Utf8) {
        // A lone surrogate has no UTF-8 form; the encoder would put a
        // replacement character in its place.
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                ++i;
                continue;
            }
            if (c.isSurrogate()) {
                if (bad)
                    *bad = i;
                return std::nullopt;
            }
        }
        QStringEncoder encode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return QByteArray(encode(text));
    }
    QByteArray bytes(text.size(), Qt::Uninitialized);
    const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteOf(in[i]);
        if (b < 0) {
            if (bad)
                *bad = i;
            return std::nullopt;
        }
        bytes[i] = char(b);
    }
    return bytes;
}

} // namespace rt
