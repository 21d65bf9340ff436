#include "support/headless_test.h"

#include "runtime/forms/runtime.h"
#include "runtime/services/settings.h"

namespace testsupport {

void HeadlessTest::store(const char* section, const char* key, const QString& value) {
    rt::SaveSetting(rt::App.EXEName, QString::fromLatin1(section), QString::fromLatin1(key), value);
}

QString HeadlessTest::stored(const char* section, const char* key) {
    return rt::GetSetting(rt::App.EXEName, QString::fromLatin1(section), QString::fromLatin1(key),
                          QStringLiteral("<missing>"));
}

} // namespace testsupport
