#pragma once
// A file being written: nothing reaches the file's name until Close, which
// puts the complete new file in place of the old one at once. A stream that
// is dropped without Close leaves the old file as it was. Only a file the
// user may write in a folder that takes no new file is written in place, so
// a failed or dropped write leaves it cut short.
#include <QByteArray>
#include <QString>

#include <memory>

class QSaveFile;

namespace rt {

class TextStream {
public:
    // Throws RuntimeError when the file cannot be created.
    explicit TextStream(const QString& path);
    ~TextStream();
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;

    // Each throws RuntimeError, with the reason as its text, unless every
    // byte was written (Write) and the file is complete on disk (Close).
    void Write(const QByteArray& bytes);
    void Close();

private:
    [[noreturn]] void fail();
    std::unique_ptr<QSaveFile> file_;
};

} // namespace rt
