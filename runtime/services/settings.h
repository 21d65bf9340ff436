#pragma once
// The per-user settings store: one small INI file per application at
// ${XDG_CONFIG_HOME:-$HOME/.config}/<app>/settings.ini, sections of
// key=value lines. Every save reaches the disk at once and atomically, under a
// lock shared with other processes; reads pick up other processes' writes.
// Neither reads nor writes ever throw: a store that cannot be written drops
// the write and says so once on standard error.
#include <QString>

#include <chrono>
#include <memory>

namespace rt {

class SettingsStore {
public:
    explicit SettingsStore(QString filePath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static QString pathFor(const QString& appName);

    // Section and key names are exact (case-sensitive).
    QString get(const QString& section, const QString& key, const QString& def) const;
    bool contains(const QString& section, const QString& key) const;
    void save(const QString& section, const QString& key, const QString& value);
    QString path() const;

    // How long a save waits for another process's lock before dropping the
    // write; the saves that follow it in the same burst then do not wait.
    void setLockTimeout(std::chrono::milliseconds timeout);

private:
    struct State;
    std::unique_ptr<State> d_;
};

// The classic calls, keyed by application name (one cached store per file).
QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& def = QString());
void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value);

// Typed reads: the current value is the default (by its text form), and a
// stored text that does not convert reads as the current value.
bool GetSettingBool(const QString& app, const QString& section, const QString& key, bool current);
short GetSettingInt(const QString& app, const QString& section, const QString& key, short current);
float GetSettingSingle(const QString& app, const QString& section, const QString& key,
                       float current);

} // namespace rt
