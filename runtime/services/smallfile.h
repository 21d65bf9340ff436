#pragma once
// Reading and atomically replacing a small regular file. Anything else at
// the path (a FIFO, a device, a folder, a file too big to be ours) is neither
// read nor replaced, and nothing here ever blocks on such a thing.
#include <QByteArray>

#include <sys/stat.h>

namespace rt::smallfile {

constexpr qsizetype kMaxBytes = qsizetype(1) << 20;

// An open descriptor of the regular file at the path (following symbolic
// links), described in st; -1 when there is none (errno ENOENT) or when the
// path names something else or a file over kMaxBytes.
int openForReading(const QByteArray& path, struct stat& st);

// Reads the rest of the file; false when it fails or runs over kMaxBytes.
bool readAll(int fd, QByteArray& out);

// Writes the bytes to a new file beside the file (or beside the target of a
// symbolic link) and renames it over the file once every byte is on the disk.
// false (errno set): the old file is untouched and the new one gone; so
// also when the bytes are more than kMaxBytes (EFBIG).
bool replace(const QByteArray& path, const QByteArray& bytes);

} // namespace rt::smallfile
