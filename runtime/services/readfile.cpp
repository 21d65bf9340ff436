#include "runtime/services/readfile.h"

#include "runtime/services/fileerror.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <new>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

qint64 availableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    qint64 kb = 0;
    std::string unit;
    while (meminfo >> key >> kb >> unit)
        if (key == "MemAvailable:")
            return kb * 1024;
    return -1;
}

} // namespace

qint64 MaxReadableBytes() {
    constexpr qint64 cap = qint64(1) << 30;
    const qint64 available = availableMemory();
    return available > 0 ? std::min(cap, available / 8) : cap;
}

QByteArray ReadWholeFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that opening a pipe without a writer cannot hang us.
    Fd fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        throw FileError(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw FileError(errno);
    if (S_ISDIR(st.st_mode))
        throw RuntimeError(err::PathFileAccess, "it is a folder");
    if (!S_ISREG(st.st_mode))
        throw RuntimeError(err::PathFileAccess, "it is not a regular file");
    if (st.st_size > MaxReadableBytes())
        throw RuntimeError(err::OutOfMemory, "it is too large to open");

    QByteArray bytes;
    try {
        bytes.resize(qsizetype(st.st_size));
    } catch (const std::bad_alloc&) {
        throw RuntimeError(err::OutOfMemory, "there is not enough memory to open it");
    }
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(errno);
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

} // namespace rt
