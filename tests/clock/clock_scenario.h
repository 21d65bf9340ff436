#pragma once
// A scenario on the running clock: its settings, its menu and its window as
// the user sees them.
#include "clock/frmtray.h"
#include "clock/mnufrm.h"
#include "support/headless_test.h"

namespace testsupport {

class ClockScenario : public HeadlessTest {
protected:
    // The user picks a menu item, as the host does.
    void choose(rt::Menu& item) { rt::raise(item.Click); }
    QRect clockPixels() { return tavrin::frmtray->pixelRect(); }
    bool clockShown() { return tavrin::frmtray.IsLoaded() && tavrin::frmtray->Visible(); }
    int popups() { return host.count(headless::CallKind::PopupMenu); }
};

} // namespace testsupport
