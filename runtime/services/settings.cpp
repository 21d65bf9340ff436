#include "runtime/services/settings.h"

#include "runtime/error.h"
#include "runtime/services/convert.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSaveFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {

namespace {

// Characters that must not appear raw in a plain value or in a name: they
// would break the line, or be invisible in an editor.
bool isControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

bool hasControl(QStringView s) {
    for (QChar c : s)
        if (isControl(c))
            return true;
    return false;
}

bool validSection(const QString& s) {
    return !s.isEmpty() && !hasControl(s) && !s.contains(u'[') && !s.contains(u']') &&
           TrimBlanks(s).size() == s.size();
}

bool validKey(const QString& k) {
    return !k.isEmpty() && !hasControl(k) && !k.contains(u'=') && k.front() != u'[' &&
           k.front() != u';' && k.front() != u'#' && TrimBlanks(k).size() == k.size();
}

QString decodeValue(QStringView raw) {
    const QStringView s = TrimBlanks(raw);
    if (!s.startsWith(u'"'))
        return s.toString();
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 1; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'"')
            break; // anything after the closing quote is ignored
        if (c == u'\\' && i + 1 < s.size()) {
            const QChar e = s[++i];
            switch (e.unicode()) {
            case u'n': out += u'\n'; break;
            case u'r': out += u'\r'; break;
            case u't': out += u'\t'; break;
            case u'\\': out += u'\\'; break;
            case u'"': out += u'"'; break;
            default: // not an escape we write: keep it as typed
                out += u'\\';
                out += e;
            }
            continue;
        }
        out += c;
    }
    return out;
}

QString encodeValue(const QString& v) {
    const bool plain = v.isEmpty() ||
                       (!IsBlank(v.front()) && !IsBlank(v.back()) && v.front() != u'"' &&
                        v.front() != u';' && v.front() != u'#' && !hasControl(v));
    if (plain)
        return v;
    QString out;
    out.reserve(v.size() + 2);
    out += u'"';
    for (QChar c : v) {
        switch (c.unicode()) {
        case u'\\': out += u"\\\\"; break;
        case u'"': out += u"\\\""; break;
        case u'\n': out += u"\\n"; break;
        case u'\r': out += u"\\r"; break;
        case u'\t': out += u"\\t"; break;
        default: out += c;
        }
    }
    out += u'"';
    return out;
}

QStringList splitLines(const QByteArray& bytes) {
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

struct Line {
    enum Kind { Other, Section, Entry } kind = Other;
    QString name;       // section name (null for a broken header) or key
    QStringView value;  // raw text after the first '='
};

Line parseLine(const QString& text) {
    const QStringView s = TrimBlanks(text);
    if (s.isEmpty() || s.front() == u';' || s.front() == u'#')
        return {};
    if (s.front() == u'[') {
        const qsizetype close = s.indexOf(u']');
        // A header without ']' opens a section no name matches.
        if (close < 0)
            return {Line::Section, QString(), {}};
        return {Line::Section, TrimBlanks(s.sliced(1, close - 1)).toString(), {}};
    }
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0)
        return {};
    return {Line::Entry, TrimBlanks(QStringView(text).first(eq)).toString(),
            QStringView(text).sliced(eq + 1)};
}

using Values = QHash<QString, QHash<QString, QString>>;

Values parseValues(const QStringList& lines) {
    Values values;
    QString section;
    for (const QString& text : lines) {
        const Line line = parseLine(text);
        if (line.kind == Line::Section) {
            section = line.name;
        } else if (line.kind == Line::Entry && !section.isNull()) {
            QHash<QString, QString>& keys = values[section];
            if (!keys.contains(line.name)) // the first of duplicate keys counts
                keys.insert(line.name, decodeValue(line.value));
        }
    }
    return values;
}

// Replaces the key's first line in the section, or adds it at the end of the
// section's first block, or adds the section at the end of the file.
void setValue(QStringList& lines, const QString& section, const QString& key,
              const QString& value) {
    const QString entry = key + u'=' + encodeValue(value);
    bool inSection = false;
    bool inFirstBlock = false;
    qsizetype insertAfter = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line line = parseLine(lines[i]);
        if (line.kind == Line::Section) {
            inSection = !line.name.isNull() && line.name == section;
            inFirstBlock = inSection && insertAfter < 0;
            if (inFirstBlock)
                insertAfter = i;
            continue;
        }
        if (line.kind == Line::Entry && inSection && line.name == key) {
            lines[i] = entry;
            return;
        }
        if (inFirstBlock && !TrimBlanks(lines[i]).isEmpty())
            insertAfter = i;
    }
    if (insertAfter >= 0) {
        lines.insert(insertAfter + 1, entry);
        return;
    }
    if (!lines.isEmpty() && !TrimBlanks(lines.last()).isEmpty())
        lines.append(QString());
    lines.append(u'[' + section + u']');
    lines.append(entry);
}

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
    case Unreadable: return "cannot read the current file";
    case NotWritten: return "cannot write the file";
    }
    return "";
}

// Reads a whole file; false (errno set) when it cannot be opened or read.
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
        out.append(buf, n);
    }
}

} // namespace

struct SettingsStore::State {
    QString path;
    QByteArray nativePath;
    // The lock is held only for one write, but that write waits for the disk;
    // on a busy machine that can take a while, and a dropped write is worse.
    int lockTimeoutMs = 8000;

    std::mutex mutex;
    bool loaded = false;
    Signature signature;
    // Kept open so that the inode we last read cannot be reused by a later
    // file while we still compare against it.
    int heldFd = -1;
    Values values;
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

    // Brings the cached values up to date with the file. An unreadable file
    // reads as empty until it changes.
    void refresh() {
        struct stat st {};
        if (::stat(nativePath.constData(), &st) != 0) {
            if (!loaded || signature.exists)
                forget({});
            return;
        }
        if (loaded && signature == Signature::of(st))
            return;
        const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC);
        QByteArray bytes;
        if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !readAll(fd, bytes)) {
            if (fd >= 0)
                ::close(fd);
            forget(Signature::of(st));
            return;
        }
        forget(Signature::of(st));
        heldFd = fd;
        values = parseValues(splitLines(bytes));
    }

    void report(Failure f) {
        if (reported & f)
            return;
        reported |= f;
        std::fprintf(stderr, "tavrin: setting not saved in %s: %s\n", nativePath.constData(),
                     describe(f));
    }

    void save(const QString& section, const QString& key, const QString& value) {
        if (!validSection(section) || !validKey(key))
            return report(BadName);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return report(NoFolder);

        QLockFile lock(path + QStringLiteral(".lock"));
        if (!lock.tryLock(lockTimeoutMs))
            return report(lock.error() == QLockFile::LockFailedError ? Locked : NotWritten);

        // Another process may have written since we last looked: edit what is
        // on disk now, not our cached copy.
        QByteArray before;
        const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 && errno != ENOENT)
            return report(Unreadable);
        if (fd >= 0) {
            const bool ok = readAll(fd, before);
            ::close(fd);
            if (!ok)
                return report(Unreadable);
        }
        QStringList lines = splitLines(before);
        setValue(lines, section, key, value);
        const QByteArray after = (lines.join(u'\n') + u'\n').toUtf8();

        if (fd < 0 || after != before) {
            QSaveFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(after) != after.size()) {
                file.cancelWriting();
                return report(NotWritten);
            }
            if (!file.commit()) // flushes and syncs the new file, then renames it
                return report(NotWritten);
            syncFolder();
        }
        // Still under the lock, so what we read now is what we wrote.
        loaded = false;
        refresh();
    }

    // Makes the rename itself durable.
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
}

QString SettingsStore::path() const { return d_->path; }

void SettingsStore::setLockTimeout(std::chrono::milliseconds timeout) {
    std::lock_guard guard(d_->mutex);
    d_->lockTimeoutMs = int(timeout.count());
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
