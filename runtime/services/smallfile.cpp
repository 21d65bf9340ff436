#include "runtime/services/smallfile.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace rt::smallfile {

namespace {

bool fits(const struct stat& st) {
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    if (st.st_size > kMaxBytes) {
        errno = EFBIG;
        return false;
    }
    return true;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

// A symbolic link is kept: the file it points to is the one replaced.
QByteArray replacedFile(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* target = ::realpath(path.constData(), nullptr);
    if (!target)
        return path;
    QByteArray resolved(target);
    std::free(target);
    return resolved;
}

bool failed(const QByteArray& temp) {
    const int error = errno;
    ::unlink(temp.constData());
    errno = error;
    return false;
}

} // namespace

int openForReading(const QByteArray& path, struct stat& st) {
    // Looked at before it is opened: opening a FIFO waits for a writer, and
    // opening a device may do something.
    if (::stat(path.constData(), &st) != 0 || !fits(st))
        return -1;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !fits(st)) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool readAll(int fd, QByteArray& out) {
    out.clear();
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        if (out.size() + n > kMaxBytes) {
            errno = EFBIG;
            return false;
        }
        out.append(buf, n);
    }
}

bool replace(const QByteArray& path, const QByteArray& bytes) {
    // The next start would not read it: the old file is worth more.
    if (bytes.size() > kMaxBytes) {
        errno = EFBIG;
        return false;
    }
    const QByteArray file = replacedFile(path);
    // One fixed name: writers take turns under the store's lock, and one
    // left by a writer that was killed is simply written anew.
    const QByteArray temp = file + ".new";
    struct stat old {};
    const bool exists = ::stat(file.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        errno = EINVAL;
        return false;
    }
    ::unlink(temp.constData());
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    // Written and flushed here, unbuffered, so that a full disk shows as a
    // failed write instead of a short file renamed over a good one.
    if (!((!exists || ::fchmod(fd, old.st_mode & 07777) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0)) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return failed(temp);
    }
    if (::close(fd) != 0 || ::rename(temp.constData(), file.constData()) != 0)
        return failed(temp);
    return true;
}

} // namespace rt::smallfile
