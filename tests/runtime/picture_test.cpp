// The program's own pictures: decoded when first looked at, pixel for pixel
// what the image files hold, from packed runs that are checked before use.
#include "runtime/forms/packedpicture.h"
#include "runtime/forms/picture.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(Pictures, EverySkinDecodesToTheFilesPixels) {
    const QDir skins(QStringLiteral(TAVRIN_SOURCE_DIR "/skins"));
    const QStringList files = skins.entryList({QStringLiteral("*.png")});
    ASSERT_GE(files.size(), 8);
    for (const QString& file : files) {
        const QString name = file.chopped(4);
        const rt::Picture picture = rt::Picture::load(name);
        const QImage expected = QImage(skins.filePath(file)).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(picture.size(), expected.size()) << "from the header";
        EXPECT_FALSE(picture.decoded()) << name.toStdString();

        // Row by row, top to bottom, as an outline scan reads it.
        std::vector<QRgb> row(std::size_t(expected.width()));
        for (int y = 0; y < expected.height(); ++y) {
            ASSERT_TRUE(picture.row(y, row));
            const auto* line = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
            ASSERT_TRUE(std::equal(row.begin(), row.end(), line)) << name.toStdString() << " row " << y;
        }
        EXPECT_FALSE(picture.decoded()) << "reading rows keeps no pixels";

        ASSERT_FALSE(picture.image().isNull()) << name.toStdString();
        EXPECT_TRUE(picture.decoded());
        EXPECT_EQ(picture.image().format(), QImage::Format_ARGB32);
        EXPECT_EQ(picture.image(), expected) << name.toStdString();
    }
}

TEST(Pictures, RowsComeInAnyOrderAndOnlyInsideThePicture) {
    const rt::Picture face = rt::Picture::load(QStringLiteral("skin2A"));
    const QImage whole = rt::Picture::load(QStringLiteral("skin2A")).image();
    std::vector<QRgb> row(160);
    for (int y : {20, 3, 3, 42, 0, 21}) {
        ASSERT_TRUE(face.row(y, row)) << y;
        EXPECT_TRUE(std::equal(row.begin(), row.end(), reinterpret_cast<const QRgb*>(whole.constScanLine(y)))) << y;
    }
    EXPECT_FALSE(face.row(-1, row));
    EXPECT_FALSE(face.row(43, row));
    std::vector<QRgb> tooShort(159);
    EXPECT_FALSE(face.row(0, tooShort));
    EXPECT_FALSE(face.decoded());
}

TEST(Pictures, CopiesShareOneDecodeAndAMissingPictureIsNull) {
    const rt::Picture face = rt::Picture::load(QStringLiteral("skin1A"));
    const rt::Picture copy = face;
    EXPECT_EQ(copy.image().width(), 159);
    EXPECT_TRUE(face.decoded()) << "the copy's look decoded the one image both hold";
    EXPECT_EQ(face.Handle(), copy.Handle());

    const rt::Picture missing = rt::Picture::load(QStringLiteral("no-such-picture"));
    EXPECT_TRUE(missing.isNull());
    EXPECT_EQ(missing.widthPixels(), 0);
    std::vector<QRgb> row(4);
    EXPECT_FALSE(missing.row(0, row));
    EXPECT_TRUE(missing.image().isNull());
}

// Wider than one run holds, several colours with alpha, single pixels and
// a row of one colour.
QImage awkwardImage() {
    QImage image(600, 3, QImage::Format_ARGB32);
    image.fill(0xFF102030);
    for (int x = 0; x < 600; x += 7)
        image.setPixel(x, 0, qRgba(x % 256, 0, 0, x % 3 == 0 ? 0 : 200));
    for (int x = 0; x < 600; ++x)
        image.setPixel(x, 2, 0x80000000u + std::uint32_t(x));
    return image;
}

TEST(PackedPictures, RoundTripHoldsEveryPixel) {
    const QImage image = awkwardImage();
    const QByteArray bytes = rt::packPicture(image);
    const rt::PackedPicture packed = rt::PackedPicture::parse(bytes);
    ASSERT_TRUE(packed.isValid());
    EXPECT_EQ(packed.size(), image.size());
    EXPECT_EQ(packed.image(), image);

    QImage many(300, 300, QImage::Format_ARGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            many.setPixel(x, y, 0xFF000000u + std::uint32_t(y * 300 + x));
    EXPECT_TRUE(rt::packPicture(many).isEmpty()) << "more colours than an index holds";
    EXPECT_TRUE(rt::packPicture(QImage()).isEmpty());
}

TEST(PackedPictures, DamagedBytesGiveNoPicture) {
    const QByteArray good = rt::packPicture(awkwardImage());
    for (qsizetype n = 0; n < good.size(); ++n)
        EXPECT_FALSE(rt::PackedPicture::parse(good.first(n)).isValid()) << "cut at " << n;
    QByteArray foreign = good;
    foreign[0] = 'X';
    EXPECT_FALSE(rt::PackedPicture::parse(foreign).isValid());

    // 2 x 2, two colours: header (10 bytes), palette (8), row starts (8),
    // then row 0 as two runs of one and row 1 as one run of two.
    QImage tiny(2, 2, QImage::Format_ARGB32);
    tiny.fill(0xFF0000FF);
    tiny.setPixel(1, 0, 0xFFFF0000);
    const QByteArray small = rt::packPicture(tiny);
    ASSERT_EQ(small.size(), 26 + 9);
    ASSERT_EQ(rt::PackedPicture::parse(small).image(), tiny);
    const struct {
        qsizetype at;
        char value;
        const char* what;
    } damages[] = {
        {26, 3, "a run past the row's end"},
        {26, 0, "an empty run"},
        {27, 2, "a colour the palette lacks"},
        {22, 100, "a row starting past the runs"},
        {32, 1, "a row one pixel short"},
        {4, 3, "a wider picture than its runs"},
    };
    for (const auto& d : damages) {
        QByteArray bad = small;
        bad[d.at] = d.value;
        EXPECT_FALSE(rt::PackedPicture::parse(bad).isValid()) << d.what;
    }

    // Any byte changed in turn: refused, or a picture whose every row can be
    // read (the sanitizer build checks that no read leaves the bytes).
    for (qsizetype i = 4; i < good.size(); ++i) {
        for (unsigned char v : {0x00, 0x01, 0x7F, 0xFF}) {
            QByteArray bad = good;
            bad[i] = char(v);
            const rt::PackedPicture p = rt::PackedPicture::parse(bad);
            if (p.isValid()) {
                EXPECT_EQ(p.image().size(), p.size());
            }
        }
    }
}

} // namespace
