// Time of one settings write, flushed to disk, in a temporary store.
#include "runtime/services/settings.h"

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main() {
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    const QString app = QStringLiteral("tavrin-bench");
    // A store with every key present, as after a few runs.
    for (const char* key : {"mytop", "myleft", "dopt", "zopt", "bopt", "zh", "zm", "zs", "subopt", "addopt", "mpad",
                            "mtop", "skin1", "skin2", "time1", "time2", "padwrap"})
        rt::SaveSetting(app, "Options", key, "0");
    std::vector<double> us;
    for (int i = 0; i < 300; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        rt::SaveSetting(app, "Options", "mytop", QString::number(2520 + i));
        const auto t1 = std::chrono::steady_clock::now();
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::vector<double> reads;
    for (int i = 0; i < 300; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        volatile auto v = rt::GetSetting(app, "Options", "mytop").size();
        (void)v;
        const auto t1 = std::chrono::steady_clock::now();
        reads.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::sort(us.begin(), us.end());
    std::sort(reads.begin(), reads.end());
    std::printf("SaveSetting (atomic write + flush)  median %8.1f us  p90 %8.1f us  (%zu writes)\n", us[us.size() / 2],
                us[us.size() * 9 / 10], us.size());
    std::printf("GetSetting                          median %8.1f us  (%zu reads)\n", reads[reads.size() / 2],
                reads.size());
    return 0;
}
