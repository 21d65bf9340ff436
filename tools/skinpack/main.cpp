// Build step: packs one of the program's pictures for compiling in.
//   skinpack <picture.png> <out.pack>
#include "runtime/forms/packedpicture.h"

#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinpack <picture.png> <out.pack>\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "skinpack: cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray packed = rt::packPicture(image);
    if (packed.isEmpty()) {
        std::fprintf(stderr, "skinpack: %s is too large or has too many colours\n", argv[1]);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(packed) != packed.size() || !out.flush()) {
        std::fprintf(stderr, "skinpack: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
