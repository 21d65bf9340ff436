#pragma once
// Reading a whole file at once, as bytes.
#include <QByteArray>
#include <QString>

namespace rt {

// Larger files are refused: the text a file becomes, and the box that shows
// it, need several times its size in memory.
qint64 MaxReadableBytes();

// Every byte of a regular file, in one read of its length. Only the bytes
// actually read are returned (a file that shrinks meanwhile gives fewer).
// Throws RuntimeError, with the reason as its text, for a file that cannot be
// opened or read, a folder, a pipe or device, and a file too large to hold.
QByteArray ReadWholeFile(const QString& path);

} // namespace rt
