#pragma once
// A started clock on the headless host, with the wall clock under the test's
// control.
#include "clock/allopt.h"
#include "clock/frmtray.h"
#include "clock/mnufrm.h"
#include "clock/program.h"
#include "support/headless_test.h"

#include <QDateTime>

namespace testsupport {

class RunningClock : public HeadlessTest {
protected:
    static QDateTime at(int h, int m, int s, int ms = 0) { return QDateTime(QDate(2026, 12, 8), QTime(h, m, s, ms)); }

    // The wall clock reads h:m:s.000 now; the dialog's timer then works the
    // texts out within the same second.
    void wallAt(int h, int m, int s) { host.setWallClock(at(h, m, s)); }
    void settleTexts() { host.advance(120); }

    tavrin::frmtray_form& clock() { return *tavrin::frmtray; }
    tavrin::allopt_form& options() { return *tavrin::allopt; }
};

} // namespace testsupport
