#pragma once
// A lock shared between processes through a lock file, taken in turn and
// given up with its holder: the kernel drops it when the holding process
// ends, however it ends, so a killed writer never leaves it behind. The lock
// file itself stays; it holds only the queue's next ticket number.
#include <QByteArray>

#include <chrono>

namespace rt {

class FileLock {
public:
    enum class Result { Locked, Busy, Failed };

    explicit FileLock(QByteArray lockFilePath) : path_(std::move(lockFilePath)) {}
    ~FileLock() { unlock(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits up to the timeout. Failed (errno set) when the lock file cannot
    // be made or locked at all.
    Result lock(std::chrono::milliseconds timeout);
    void unlock();

private:
    Result failed(int error);

    QByteArray path_;
    int fd_ = -1;
};

} // namespace rt
