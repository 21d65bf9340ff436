// The settings store under a hostile world: writers killed at random moments
// and many writers saving at once. Prints what held and how long saves took.
//   settings_probe [folder] [kills] [writers] [saves per writer]
#include "runtime/services/settings.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

const char* const kKeys[] = {"mytop", "myleft", "dopt", "zopt", "bopt", "zh", "zm", "zs", "subopt",
                             "addopt", "mpad", "mtop", "skin1", "skin2", "time1", "time2", "padwrap"};

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

bool whole(const QString& path) {
    rt::SettingsStore store(path);
    for (const char* key : kKeys)
        if (!store.contains("Options", key))
            return false;
    return store.get("Alarm", "msg", "").size() == 3000;
}

void killedWriters(const QString& path, int kills) {
    QRandomGenerator random(1);
    int torn = 0, dropped = 0;
    double slowest = 0;
    for (int k = 0; k < kills; ++k) {
        const pid_t pid = fork();
        if (pid == 0) {
            rt::SettingsStore store(path);
            for (int i = 0;; ++i)
                store.save("Options", kKeys[i % 17], QString::number(i));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(500, 20000)));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        torn += !whole(path);
        rt::SettingsStore store(path);
        const auto t0 = Clock::now();
        store.save("Options", "after", QString::number(k));
        slowest = std::max(slowest, msSince(t0));
        dropped += rt::SettingsStore(path).get("Options", "after", "") != QString::number(k);
    }
    std::printf("%d writers killed: %d torn files, %d saves after a kill dropped, slowest %.1f ms\n", kills, torn,
                dropped, slowest);
}

struct WriterResult {
    int dropped = 0;
    int over100ms = 0;
    double slowestMs = 0;
};

void writersAtOnce(const QString& path, int writers, int saves) {
    std::vector<std::pair<pid_t, int>> children;
    for (int w = 0; w < writers; ++w) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            rt::SettingsStore store(path);
            WriterResult result;
            const QString own = "w" + QString::number(w);
            for (int i = 0; i < saves; ++i) {
                const auto t0 = Clock::now();
                store.save("Options", own, QString::number(i));
                const double ms = msSince(t0);
                result.slowestMs = std::max(result.slowestMs, ms);
                result.over100ms += ms > 100;
                result.dropped += rt::SettingsStore(path).get("Options", own, "") != QString::number(i);
            }
            [[maybe_unused]] const auto n = write(fds[1], &result, sizeof result);
            _exit(0);
        }
        close(fds[1]);
        children.push_back({pid, fds[0]});
    }
    WriterResult all;
    for (const auto& [pid, fd] : children) {
        WriterResult one;
        if (read(fd, &one, sizeof one) == sizeof one) {
            all.dropped += one.dropped;
            all.over100ms += one.over100ms;
            all.slowestMs = std::max(all.slowestMs, one.slowestMs);
        }
        close(fd);
        waitpid(pid, nullptr, 0);
    }
    rt::SettingsStore after(path);
    int lost = 0;
    for (int w = 0; w < writers; ++w)
        lost += after.get("Options", "w" + QString::number(w), "") != QString::number(saves - 1);
    std::printf("%d writers x %d saves at once: %d dropped, %d writers' last value lost, %d saves over 100 ms, "
                "slowest %.1f ms, whole file %s\n",
                writers, saves, all.dropped, lost, all.over100ms, all.slowestMs, whole(path) ? "yes" : "NO");
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir temp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    const int kills = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int writers = argc > 3 ? std::atoi(argv[3]) : 8;
    const int saves = argc > 4 ? std::atoi(argv[4]) : 2000;
    const QString path = folder + "/probe/settings.ini";
    QFile::remove(path);
    rt::SettingsStore store(path);
    for (const char* key : kKeys)
        store.save("Options", key, "0");
    store.save("Alarm", "msg", QString(3000, 'm'));

    killedWriters(path, kills);
    writersAtOnce(path, writers, saves);
    return 0;
}
