#pragma once
// A started clock on the headless host, with the wall clock under the test's
// control.
#include "clock/allopt.h"
#include "clock/frmtray.h"
#include "clock/mnufrm.h"
#include "clock/program.h"
#include "runtime/services/settings.h"
#include "support/headless_test.h"

#include <QDateTime>

namespace testsupport {

class RunningClock : public HeadlessTest {
protected:
    static QDateTime at(int h, int m, int s, int ms = 0) { return QDateTime(QDate(2026, 12, 8), QTime(h, m, s, ms)); }

    void store(const char* section, const char* key, const QString& value) {
        rt::SaveSetting(rt::App.EXEName, QString::fromLatin1(section), QString::fromLatin1(key), value);
    }
    QString stored(const char* section, const char* key) {
        return rt::GetSetting(rt::App.EXEName, QString::fromLatin1(section), QString::fromLatin1(key),
                              QStringLiteral("<missing>"));
    }

    // The wall clock reads h:m:s.000 now; the dialog's timer then works the
    // texts out within the same second.
    void wallAt(int h, int m, int s) { host.setWallClock(at(h, m, s)); }
    void settleTexts() { host.advance(120); }

    tavrin::frmtray_form& clock() { return *tavrin::frmtray; }
    tavrin::allopt_form& options() { return *tavrin::allopt; }
};

} // namespace testsupport
