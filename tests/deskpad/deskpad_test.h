#pragma once
// DeskPad on the headless host, with its files in a scratch folder.
#include "deskpad/mypad.h"
#include "support/files.h"
#include "support/headless_test.h"

namespace deskpadtest {

class DeskPadTest : public testsupport::HeadlessTest {
protected:
    tavrin::mypad_form& open() {
        tavrin::OpenDeskPad();
        return *tavrin::mypad;
    }
    // The user chooses `path` in the next file dialog (none: cancels it).
    void choose(const std::optional<QString>& path) { host.scriptFileDialog(path); }
    void openFile(const QString& path) {
        choose(path);
        host.click(tavrin::mypad->opnimg);
    }
    int dialogs() const { return host.count(headless::CallKind::FileDialog); }
    std::vector<headless::Call> messages() const { return host.calls(headless::CallKind::MessageBox); }

    testsupport::ScratchFolder files;
};

} // namespace deskpadtest
