#include "runtime/services/textstream.h"

#include "runtime/error.h"
#include "runtime/services/fileerror.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <unistd.h>

namespace rt {

TextStream::TextStream(const QString& path) : file_(std::make_unique<QSaveFile>(path)) {
    const QFileInfo existing(file_->fileName());
    if (existing.exists() && existing.isDir())
        throw RuntimeError(err::PathFileAccess, "it is a folder");
    if (existing.exists() && !existing.isFile())
        throw RuntimeError(err::PathFileAccess, "it is not a regular file");
    // QSaveFile gives the new file the old one's permissions itself. A file
    // the user may write in a folder that takes no new file is written in
    // place rather than not at all.
    file_->setDirectWriteFallback(true);
    if (!file_->open(QIODevice::WriteOnly))
        fail();
}

TextStream::~TextStream() {
    if (file_ && file_->isOpen())
        file_->cancelWriting();
}

void TextStream::Write(const QByteArray& bytes) {
    if (!file_->isOpen())
        throw RuntimeError(err::InvalidCall, "the file is closed");
    // A full disk can show as a short count here, or only at the flush.
    if (file_->write(bytes) != bytes.size() || !file_->flush())
        fail();
}

void TextStream::Close() {
    if (!file_->isOpen())
        return;
    if (!file_->flush())
        fail();
    // QSaveFile's own sync may fail unseen: a new file would then be renamed
    // over the old one, a file written in place would pass for saved.
    if (::fsync(file_->handle()) != 0) {
        const int error = errno;
        file_->cancelWriting();
        throw FileError(error);
    }
    if (!file_->commit())
        fail();
}

void TextStream::fail() {
    const QString reason = file_->errorString();
    const QFileDevice::FileError error = file_->error();
    if (file_->isOpen())
        file_->cancelWriting();
    const int number = error == QFileDevice::OpenError || error == QFileDevice::PermissionsError
                           ? err::PermissionDenied
                           : err::PathFileAccess;
    throw RuntimeError(number, reason.toStdString());
}

} // namespace rt
