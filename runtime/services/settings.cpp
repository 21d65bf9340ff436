#include "runtime/services/settings.h"

#include "runtime/error.h"
#include "runtime/services/convert.h"
#include "runtime/services/filelock.h"
#include "runtime/services/initext.h"
#include "runtime/services/smallfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {

namespace {

// What identifies one version of the file: an atomic replace gives a new
// inode, an edit in place a new size or time.
struct Signature {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    timespec ctime{};

    static Signature of(const struct stat& st) {
        return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    }
    bool operator==(const Signature& o) const {
        return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size &&
               mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec &&
               ctime.tv_sec == o.ctime.tv_sec && ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

enum Failure : unsigned {
    BadName = 1u << 0,
    NoFolder = 1u << 1,
    Locked = 1u << 2,
    Unreadable = 1u << 3,
    NotWritten = 1u << 4,
};

const char* describe(Failure f) {
    switch (f) {
    case BadName: return "the section or key name cannot be stored";
    case NoFolder: return "cannot create its folder";
    case Locked: return "another process holds the lock";
    case Unreadable: return "cannot read the current file, or it is not a small regular file";
    case NotWritten: return "cannot write the file";
    }
    return "";
}

} // namespace

struct SettingsStore::State {
    QString path;
    QByteArray nativePath;
    // A writer holds the lock for one write, and writers take turns, so even
    // under many writers this is never reached but by a writer that hangs.
    std::chrono::milliseconds lockTimeout{8000};
    // Once a wait for the lock ran out, the saves that follow in the same
    // burst (the options' "OK", the exit) only try it once: a copy that
    // hangs holds each burst up once, not each save. A burst ends when
    // nothing was saved for a second (or for the wait, when that is shorter).
    bool lockTimedOut = false;
    std::chrono::steady_clock::time_point lastSaveEnded;

    std::mutex mutex;
    bool loaded = false;
    Signature signature;
    // Kept open so that the inode we last read cannot be reused by a later
    // file while we still compare against it.
    int heldFd = -1;
    ini::Values values;
    unsigned reported = 0;

    ~State() {
        if (heldFd >= 0)
            ::close(heldFd);
    }

    void forget(const Signature& sig) {
        values.clear();
        signature = sig;
        if (heldFd >= 0)
            ::close(heldFd);
        heldFd = -1;
        loaded = true;
    }

    // Brings the cached values up to date with the file. A file that cannot
    // be read reads as empty until it changes.
    void refresh() {
        struct stat st {};
        if (::stat(nativePath.constData(), &st) != 0) {
            if (!loaded || signature.exists)
                forget({});
            return;
        }
        if (loaded && signature == Signature::of(st))
            return;
        const int fd = smallfile::openForReading(nativePath, st);
        QByteArray bytes;
        if (fd < 0 || !smallfile::readAll(fd, bytes)) {
            if (fd >= 0)
                ::close(fd);
            forget(Signature::of(st));
            return;
        }
        forget(Signature::of(st));
        heldFd = fd;
        values = ini::parse(bytes);
    }

    void report(Failure f, int error = 0) {
        if (reported & f)
            return;
        reported |= f;
        std::fprintf(stderr, "tavrin: setting not saved in %s: %s%s%s\n", nativePath.constData(),
                     describe(f), error ? ": " : "", error ? std::strerror(error) : "");
    }

    void save(const QString& section, const QString& key, const QString& value) {
        if (!ini::validSection(section) || !ini::validKey(key))
            return report(BadName);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return report(NoFolder);

        FileLock lock(nativePath + ".lock");
        const auto burstGap = std::min<std::chrono::milliseconds>(std::chrono::seconds(1), lockTimeout);
        const bool heldUpBurst = lockTimedOut && std::chrono::steady_clock::now() - lastSaveEnded < burstGap;
        switch (lock.lock(heldUpBurst ? std::chrono::milliseconds(0) : lockTimeout)) {
        case FileLock::Result::Locked: lockTimedOut = false; break;
        case FileLock::Result::Busy: lockTimedOut = true; return report(Locked);
        case FileLock::Result::Failed: return report(NotWritten, errno);
        }

        // Another process may have written since we last looked: edit what is
        // on disk now, not our cached copy.
        QByteArray before;
        struct stat st {};
        const int fd = smallfile::openForReading(nativePath, st);
        if (fd < 0 && errno != ENOENT)
            return report(Unreadable);
        if (fd >= 0) {
            const bool ok = smallfile::readAll(fd, before);
            ::close(fd);
            if (!ok)
                return report(Unreadable);
        }
        const QByteArray after = ini::withValue(before, section, key, value);
        const bool write = fd < 0 || after != before;
        if (write && !smallfile::replace(nativePath, after))
            return report(NotWritten, errno);
        // Still under the lock, so what we read now is what we wrote.
        loaded = false;
        refresh();
        lock.unlock();
        if (write)
            syncFolder();
    }

    // Makes the rename itself durable. Outside the lock: the file is
    // complete either way, and the next writer need not wait for this.
    void syncFolder() const {
        const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
        const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
};

SettingsStore::SettingsStore(QString filePath) : d_(std::make_unique<State>()) {
    d_->path = std::move(filePath);
    d_->nativePath = QFile::encodeName(d_->path);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::pathFor(const QString& appName) {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) { // relative ones are to be ignored
        QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty())
            home = QDir::homePath();
        base = home + QStringLiteral("/.config");
    }
    return QDir::cleanPath(base + u'/' + appName + QStringLiteral("/settings.ini"));
}

QString SettingsStore::get(const QString& section, const QString& key, const QString& def) const {
    std::lock_guard guard(d_->mutex);
    d_->refresh();
    const auto s = d_->values.constFind(section);
    if (s == d_->values.cend())
        return def;
    const auto k = s->constFind(key);
    return k == s->cend() ? def : *k;
}

bool SettingsStore::contains(const QString& section, const QString& key) const {
    std::lock_guard guard(d_->mutex);
    d_->refresh();
    const auto s = d_->values.constFind(section);
    return s != d_->values.cend() && s->contains(key);
}

void SettingsStore::save(const QString& section, const QString& key, const QString& value) {
    std::lock_guard guard(d_->mutex);
    d_->save(section, key, value);
    d_->lastSaveEnded = std::chrono::steady_clock::now();
}

QString SettingsStore::path() const { return d_->path; }

void SettingsStore::setLockTimeout(std::chrono::milliseconds timeout) {
    std::lock_guard guard(d_->mutex);
    d_->lockTimeout = timeout;
}

namespace {

SettingsStore& storeFor(const QString& app) {
    static std::mutex mutex;
    static std::map<QString, std::unique_ptr<SettingsStore>> stores;
    const QString path = SettingsStore::pathFor(app);
    std::lock_guard guard(mutex);
    std::unique_ptr<SettingsStore>& store = stores[path];
    if (!store)
        store = std::make_unique<SettingsStore>(path);
    return *store;
}

} // namespace

QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& def) {
    return storeFor(app).get(section, key, def);
}

void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value) {
    storeFor(app).save(section, key, value);
}

bool GetSettingBool(const QString& app, const QString& section, const QString& key, bool current) {
    try {
        return CBool(GetSetting(app, section, key, CStr(current)));
    } catch (const RuntimeError&) {
        return current;
    }
}

short GetSettingInt(const QString& app, const QString& section, const QString& key, short current) {
    try {
        return CInt(GetSetting(app, section, key, CStr(current)));
    } catch (const RuntimeError&) {
        return current;
    }
}

float GetSettingSingle(const QString& app, const QString& section, const QString& key,
                       float current) {
    try {
        return CSng(GetSetting(app, section, key, CStr(current)));
    } catch (const RuntimeError&) {
        return current;
    }
}

} // namespace rt
