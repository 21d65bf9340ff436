#include "support/headless_test.h"

namespace testsupport {

TempConfigHome::TempConfigHome()
    : wasSet_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), saved_(qgetenv("XDG_CONFIG_HOME")) {
    if (!dir_.isValid())
        ADD_FAILURE() << "no temporary folder for the settings";
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
}

TempConfigHome::~TempConfigHome() {
    if (wasSet_)
        qputenv("XDG_CONFIG_HOME", saved_);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

} // namespace testsupport
