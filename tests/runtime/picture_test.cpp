// The program's own pictures: decoded when first looked at, pixel for pixel
// what the image files hold.
#include "runtime/forms/picture.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(Pictures, EverySkinDecodesToTheFilesPixels) {
    const QDir skins(QStringLiteral(TAVRIN_SOURCE_DIR "/skins"));
    const QStringList files = skins.entryList({QStringLiteral("*.png")});
    ASSERT_GE(files.size(), 8);
    for (const QString& file : files) {
        const QString name = file.chopped(4);
        const rt::Picture picture = rt::Picture::load(name);
        EXPECT_FALSE(picture.decoded()) << name.toStdString();
        const QImage expected = QImage(skins.filePath(file)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(picture.isNull()) << name.toStdString();
        EXPECT_TRUE(picture.decoded());
        EXPECT_EQ(picture.image().format(), QImage::Format_ARGB32);
        EXPECT_EQ(picture.image(), expected) << name.toStdString();
    }
}

TEST(Pictures, CopiesShareOneDecodeAndAMissingPictureIsNull) {
    const rt::Picture face = rt::Picture::load(QStringLiteral("skin1A"));
    const rt::Picture copy = face;
    EXPECT_EQ(copy.widthPixels(), 159);
    EXPECT_TRUE(face.decoded()) << "the copy's look decoded the one image both hold";
    EXPECT_EQ(face.Handle(), copy.Handle());

    const rt::Picture missing = rt::Picture::load(QStringLiteral("no-such-picture"));
    EXPECT_TRUE(missing.isNull());
    EXPECT_EQ(missing.widthPixels(), 0);
}

} // namespace
