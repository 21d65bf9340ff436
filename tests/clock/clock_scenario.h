#pragma once
// A scenario on the running clock: its settings, its menu and its window as
// the user sees them.
#include "clock/frmtray.h"
#include "clock/mnufrm.h"
#include "runtime/services/settings.h"
#include "support/headless_test.h"

namespace testsupport {

class ClockScenario : public HeadlessTest {
protected:
    void store(const char* section, const char* key, const QString& value) {
        rt::SaveSetting(rt::App.EXEName, QString::fromLatin1(section), QString::fromLatin1(key), value);
    }
    QString stored(const char* key, const char* section = "Options") {
        return rt::GetSetting(rt::App.EXEName, QString::fromLatin1(section), QString::fromLatin1(key),
                              QStringLiteral("<missing>"));
    }
    // The user picks a menu item, as the host does.
    void choose(rt::Menu& item) { rt::raise(item.Click); }
    QRect clockPixels() { return tavrin::frmtray->pixelRect(); }
    bool clockShown() { return tavrin::frmtray.IsLoaded() && tavrin::frmtray->Visible(); }
    int popups() { return host.count(headless::CallKind::PopupMenu); }
};

} // namespace testsupport
