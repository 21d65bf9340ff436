#pragma once
// Real files for the tests: a scratch folder, a private settings folder,
// whole-file reads and writes, and the ways a folder or file is made
// unwritable even for root.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    QString path(const QString& name) const;
    QString write(const QString& name, const QByteArray& bytes) const; // returns the path
    QByteArray read(const QString& name) const;                        // empty if missing
    bool exists(const QString& name) const;

private:
    QTemporaryDir dir_;
};

// Points XDG_CONFIG_HOME at a temporary folder for its lifetime.
class TempConfigHome {
public:
    TempConfigHome();
    ~TempConfigHome();
    TempConfigHome(const TempConfigHome&) = delete;
    TempConfigHome& operator=(const TempConfigHome&) = delete;

    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    bool wasSet_ = false;
    QByteArray saved_;
};

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes); // makes the folder as needed

// The immutable attribute: not even root may change, replace or add to it.
// False when the file system or our privileges do not allow it.
bool setImmutable(const QString& path, bool on);

// Every byte value once, 0x00 to 0xFF.
QByteArray everyByte();

} // namespace testsupport
