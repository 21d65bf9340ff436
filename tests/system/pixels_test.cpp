// Reading a picture box's persistent image: one pixel at a time or a row at
// once, inside the picture, on the back colour around it and past the box.
#include "hosts/headless/headless_host.h"
#include "runtime/forms/forms.h"
#include "runtime/system/gdi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace rt;

struct PixelForm : Form {
    PixelForm() : Form("PixelForm") {
        box.ScaleMode(vbPixels);
        box.BorderStyle(0);
        box.BackColor(RGB(1, 2, 3));
        box.Move(0, 0, 6 * 15, 3 * 15); // 6 x 3 pixels
    }
    PictureBox box{*this, "box"};
};
FormRef<PixelForm> pixelForm;

class PixelsTest : public ::testing::Test {
protected:
    headless::HeadlessHost host;

    // A 4 x 2 picture whose pixel (x, y) is RGB(10 * x, 100 + y, 200).
    PictureBox& boxWithPicture(QImage::Format format) {
        QImage img(4, 2, format);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                img.setPixel(x, y, qRgb(10 * x, 100 + y, 200));
        pixelForm->box.Picture(Picture(img));
        return pixelForm->box;
    }
};

TEST_F(PixelsTest, RowGivesWhatEachPixelGivesInAndAroundThePicture) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        PictureBox& box = boxWithPicture(format);
        for (int y = -1; y <= 3; ++y) {
            std::vector<std::uint32_t> row(8, 0);
            GetPixelRow(box.hDC(), y, row);
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(row[x], GetPixel(box.hDC(), x, y)) << "format " << format << " at " << x << "," << y;
        }
        std::vector<std::uint32_t> row(8);
        GetPixelRow(box.hDC(), 1, row);
        EXPECT_EQ(row[3], RGB(30, 101, 200)) << "the picture, as &H00BBGGRR&";
        EXPECT_EQ(row[4], RGB(1, 2, 3)) << "the box's back colour beyond the picture";
        EXPECT_EQ(row[6], CLR_INVALID) << "past the box";
        GetPixelRow(box.hDC(), 2, row);
        EXPECT_EQ(row[0], RGB(1, 2, 3)) << "below the picture, inside the box";
        GetPixelRow(box.hDC(), 3, row);
        EXPECT_EQ(row[0], CLR_INVALID) << "below the box";
    }
}

TEST_F(PixelsTest, EveryPixelOfARowCountsAsReadAndUnknownContextsGiveInvalid) {
    PictureBox& box = boxWithPicture(QImage::Format_RGB32);
    const std::uint64_t before = pixelsRead();
    std::vector<std::uint32_t> row(5, 0);
    GetPixelRow(box.hDC(), 0, row);
    EXPECT_EQ(pixelsRead() - before, 5u);

    GetPixelRow(box.hDC() + 7777, 0, row);
    for (std::uint32_t c : row)
        EXPECT_EQ(c, CLR_INVALID);
    EXPECT_EQ(GetPixel(box.hDC() + 7777, 0, 0), CLR_INVALID);
}

} // namespace
