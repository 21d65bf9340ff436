#include "runtime/services/filelock.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {

namespace {

using Clock = std::chrono::steady_clock;

// Writers wait in the order they came, so that under many writers none waits
// for more than one turn of each other: a writer that saves again at once
// goes to the back of the queue instead of taking the lock straight back.
// The queue lives in the lock file: the next ticket number in its first
// bytes, guarded by one byte range, and one byte range per ticket, held by
// its writer from the moment it takes the ticket until it is done. A writer
// waits for the ticket before its own to be let go of, then for the lock
// proper, which alone keeps writers apart: a writer that gives up or dies
// while waiting only lets the next one wait for the lock a little earlier.
constexpr off_t kLock = 0;
constexpr off_t kCounter = 1;
constexpr off_t kTickets = 4096;
constexpr std::uint64_t kTicketRing = 1 << 16;

// Open-file-description locks: owned by this open file, so they also keep
// apart two stores of one process, and they end with the file's last close.
bool setRange(int fd, short type, off_t at) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = at;
    range.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &range) == 0;
}

bool heldByOthers(int fd, off_t at) {
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = at;
    range.l_len = 1;
    return ::fcntl(fd, F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
}

off_t ticketRange(std::uint64_t ticket) { return kTickets + off_t(ticket % kTicketRing); }

// Polls, for no lock call waits with a timeout. Each holder is done within
// milliseconds, so the retries come often.
template <typename Attempt>
FileLock::Result waitUntil(Attempt attempt, Clock::time_point deadline) {
    for (;;) {
        errno = 0;
        if (attempt())
            return FileLock::Result::Locked;
        if (errno != 0 && errno != EAGAIN && errno != EACCES && errno != EINTR)
            return FileLock::Result::Failed;
        const auto now = Clock::now();
        if (now >= deadline)
            return FileLock::Result::Busy;
        std::this_thread::sleep_for(std::min<Clock::duration>(std::chrono::microseconds(100), deadline - now));
    }
}

// Takes the next ticket and holds its range; returns the ticket before it,
// or nothing when there is no queue to join (a full disk cannot take the
// counter): then the lock proper is all there is.
std::optional<std::uint64_t> joinQueue(int fd, Clock::time_point deadline) {
    if (waitUntil([fd] { return setRange(fd, F_WRLCK, kCounter); }, deadline) != FileLock::Result::Locked)
        return std::nullopt;
    std::uint64_t next = 0;
    if (::pread(fd, &next, sizeof next, 0) != ssize_t(sizeof next))
        next = 0;
    std::optional<std::uint64_t> before;
    if (setRange(fd, F_WRLCK, ticketRange(next))) {
        const std::uint64_t after = next + 1;
        if (::pwrite(fd, &after, sizeof after, 0) == ssize_t(sizeof after))
            before = next - 1;
        else
            setRange(fd, F_UNLCK, ticketRange(next));
    }
    setRange(fd, F_UNLCK, kCounter);
    return before;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

FileLock::Result FileLock::lock(std::chrono::milliseconds timeout) {
    unlock();
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        fd_ = ::open(path_.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        struct stat opened {};
        if (fd_ < 0 || ::fstat(fd_, &opened) != 0)
            return failed(errno);
        if (!S_ISREG(opened.st_mode))
            return failed(EINVAL);
        const int fd = fd_;
        Result result = Result::Locked;
        if (const auto before = joinQueue(fd, deadline))
            result = waitUntil([fd, at = ticketRange(*before)] { return !heldByOthers(fd, at); }, deadline);
        if (result == Result::Locked)
            result = waitUntil([fd] { return setRange(fd, F_WRLCK, kLock); }, deadline);
        if (result == Result::Failed)
            return failed(errno);
        if (result == Result::Busy) {
            unlock();
            return result;
        }
        // Someone removed or replaced the lock file while we waited: whoever
        // comes next locks the new one, so ours keeps nobody out.
        struct stat named {};
        if (::stat(path_.constData(), &named) == 0 && sameFile(named, opened))
            return Result::Locked;
        unlock();
        if (Clock::now() >= deadline)
            return Result::Busy;
    }
}

FileLock::Result FileLock::failed(int error) {
    unlock();
    errno = error;
    return Result::Failed;
}

void FileLock::unlock() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace rt
