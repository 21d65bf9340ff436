#pragma once
// How a text file's bytes become a text box's text and back, without
// changing a byte: a file whose bytes are valid UTF-8 is UTF-8; any other file
// goes through a fixed one-to-one table of 256 characters (Windows-1252 with
// its five unassigned bytes kept as the C1 controls of the same number), so
// every byte comes back as it went in.
#include <QByteArray>
#include <QString>

#include <optional>

namespace rt {

enum class FileEncoding { Utf8, EightBit };

struct FileText {
    QString text;
    FileEncoding encoding = FileEncoding::Utf8;
};

FileText DecodeFileText(const QByteArray& bytes);

// The file's bytes, or none when a character cannot be written in that
// encoding; `bad` then holds the first such character's position.
std::optional<QByteArray> EncodeFileText(const QString& text, FileEncoding encoding, qsizetype* bad = nullptr);

// The character the table gives a byte (for tests and diagnostics).
char16_t EightBitChar(unsigned char byte);

} // namespace rt
