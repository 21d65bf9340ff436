#pragma once
// A test on the headless host: a fresh host (so no window of an earlier test
// is loaded) and a private settings folder, both gone when the test ends.
#include "hosts/headless/headless_host.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QString>

#include <ostream>

#include <vector>

namespace testsupport {

class HeadlessTest : public ::testing::Test {
protected:
    QString configHome() const { return config_.path(); }

    // The program's own settings, as the settings file holds them; a key never
    // stored reads "<missing>". The two-argument forms are the "Options" section.
    void store(const char* section, const char* key, const QString& value);
    QString stored(const char* section, const char* key);
    void store(const char* key, const QString& value) { store("Options", key, value); }
    QString stored(const char* key) { return stored("Options", key); }

    // Declared first so it goes last: the host's quiet teardown of the
    // windows still sees the test's settings folder.
    TempConfigHome config_;
    headless::HeadlessHost host;
};

} // namespace testsupport

// Readable failure messages for Qt strings (found by argument lookup).
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
