#include "support/headless_test.h"

#include "runtime/forms/runtime.h"
#include "runtime/services/settings.h"

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

void HeadlessTest::store(const char* section, const char* key, const QString& value) {
    rt::SaveSetting(rt::App.EXEName, QString::fromLatin1(section), QString::fromLatin1(key), value);
}

QString HeadlessTest::stored(const char* section, const char* key) {
    return rt::GetSetting(rt::App.EXEName, QString::fromLatin1(section), QString::fromLatin1(key),
                          QStringLiteral("<missing>"));
}

} // namespace testsupport
