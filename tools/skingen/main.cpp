// skingen <outdir>        draw every picture and write it into outdir
// skingen --check <dir>   verify the window skins already in dir
#include "skingen.h"

#include <QDir>

#include <cstdio>
#include <functional>
#include <utility>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: skingen <outdir>\n       skingen --check <dir>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace skingen;
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--check"))
        return checkDir(QString::fromLocal8Bit(argv[2])) == 0 ? 0 : 1;
    if (argc != 2 || argv[1][0] == '-')
        return usage();

    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "skingen: cannot create %s\n", argv[1]);
        return 1;
    }

    const std::pair<const char*, std::function<QImage()>> pictures[] = {
        {"skin1A.png", [] { return clockFace(159, 40, 1); }},
        {"skin1B.png", [] { return clockFace(304, 40, 1); }},
        {"skin2A.png", [] { return clockFace(160, 43, 2); }},
        {"skin2B.png", [] { return clockFace(304, 43, 2); }},
        {"optskin.png", optionsSkin},
        {"padskin.png", padSkin},
        {"reminder.png", reminderPanel},
        {"trayicon1.png", [] { return trayIcon(false); }},
        {"trayicon2.png", [] { return trayIcon(true); }},
        {"bulb32.png", [] { return bulb(32); }},
        {"bulb16.png", [] { return bulb(16); }},
        {"speaker.png", speaker},
        {"padnew.png", padNew},
        {"padopen.png", padOpen},
        {"padsave.png", [] { return padSave(false); }},
        {"padsaveas.png", [] { return padSave(true); }},
        {"padmin.png", padMin},
    };

    for (const auto& [name, draw] : pictures) {
        const QString path = QDir(out).filePath(QString::fromLatin1(name));
        if (!draw().save(path, "PNG")) {
            std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(path));
    }
    // Never leave a set of skins behind that would cut broken windows.
    return checkDir(out) == 0 ? 0 : 1;
}
