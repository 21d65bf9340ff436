#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace testsupport {

ScratchFolder::ScratchFolder() = default;

ScratchFolder::~ScratchFolder() {
    // Whatever a test made immutable must become removable again.
    QDir dir(dir_.path());
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
        setImmutable(dir.filePath(name), false);
    setImmutable(dir_.path(), false);
}

QString ScratchFolder::path(const QString& name) const { return dir_.filePath(name); }

QString ScratchFolder::write(const QString& name, const QByteArray& bytes) const {
    writeBytes(path(name), bytes);
    return path(name);
}

QByteArray ScratchFolder::read(const QString& name) const { return readBytes(path(name)); }

bool ScratchFolder::exists(const QString& name) const { return QFile::exists(path(name)); }

TempConfigHome::TempConfigHome()
    : wasSet_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), saved_(qgetenv("XDG_CONFIG_HOME")) {
    if (!dir_.isValid())
        ADD_FAILURE() << "no temporary folder for the settings";
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
}

TempConfigHome::~TempConfigHome() {
    if (wasSet_)
        qputenv("XDG_CONFIG_HOME", saved_);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

QByteArray everyByte() {
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    return all;
}

} // namespace testsupport
