// The program's own pictures: decoded when first looked at, pixel for pixel
// what the image files hold.
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

} // namespace
