// Window outlines cut from skin pictures, on the program's own skins and on
// pictures made for the purpose.
#include "clock/skin.h"
#include "hosts/headless/headless_host.h"
#include "runtime/forms/forms.h"
#include "runtime/system/gdi.h"
#include "runtime/system/regions.h"

#include <gtest/gtest.h>

namespace {

using namespace rt;

struct SkinForm : Form {
    SkinForm() : Form("SkinForm") {
        BorderStyle(0);
        Move(0, 0, 12000, 12000);
        main.Move(0, 0, 4695, 855);
        source.Move(0, 12000, 2535, 735);
    }
    PictureBox main{*this, "main"};
    PictureBox source{*this, "source"};
};

FormRef<SkinForm> skinForm;

QImage whiteImage(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Rows of a region that hold at least one pixel, and the pixel spans of one row.
int rowsCovered(const QRegion& r, int height) {
    int rows = 0;
    for (int y = 0; y < height; ++y)
        if (r.intersects(QRect(0, y, 100000, 1)))
            ++rows;
    return rows;
}

class RegionTest : public ::testing::Test {
protected:
    headless::HeadlessHost host;

    // Scans a picture put into a fresh pixel-scale main box; returns the
    // handle and how many rectangles it took.
    HRGN scan(const QImage& image, std::size_t* rects = nullptr) {
        SkinForm& f = *skinForm;
        f.main.ScaleMode(vbPixels);
        f.main.BorderStyle(0);
        f.main.AutoSize(true);
        f.main.Picture(Picture(image));
        const std::size_t before = regionsCreated();
        const HRGN r = tavrin::RegionFromSkin(f.main);
        if (rects)
            *rects = regionsCreated() - before;
        return r;
    }
};

struct SkinCase {
    const char* picture;
    int width, height;
    std::size_t rects;
};

class ProgramSkins : public RegionTest, public ::testing::WithParamInterface<SkinCase> {};

TEST_P(ProgramSkins, OneRectanglePerOpaqueRowAndWindowTakesThePicturesShape) {
    const SkinCase c = GetParam();
    SkinForm& f = *skinForm;
    f.source.Picture(Picture::load(c.picture));
    ASSERT_EQ(f.source.Picture().widthPixels(), c.width);
    ASSERT_EQ(f.source.Picture().heightPixels(), c.height);

    const std::size_t before = regionsCreated();
    const std::uint64_t readsBefore = pixelsRead();
    tavrin::SetUpSkinnedWindow(f, f.main, f.source);

    EXPECT_EQ(regionsCreated() - before, c.rects);
    EXPECT_EQ(pixelsRead() - readsBefore, std::uint64_t(c.width) * c.height + 1);
    EXPECT_EQ(liveRegionCount(), 0u) << "the window owns the region, the merged rectangles are freed";
    EXPECT_EQ(f.Width(), c.width * 15.0);
    EXPECT_EQ(f.Height(), c.height * 15.0);
    EXPECT_EQ(f.main.ScaleWidth(), c.width);
    EXPECT_EQ(f.main.ScaleHeight(), c.height);
    ASSERT_TRUE(f.region().has_value());
    EXPECT_EQ(rowsCovered(*f.region(), c.height), int(c.rects));
    // The white frame is cut away on every side.
    EXPECT_FALSE(f.region()->contains(QPoint(0, 0)));
    EXPECT_FALSE(f.region()->intersects(QRect(0, 0, c.width, 1)));
    EXPECT_FALSE(f.region()->intersects(QRect(0, 0, 1, c.height)));
    EXPECT_FALSE(f.region()->intersects(QRect(c.width - 1, 0, 1, c.height)));
    EXPECT_FALSE(f.region()->intersects(QRect(0, c.height - 1, c.width, 1)));
}

INSTANTIATE_TEST_SUITE_P(Skins, ProgramSkins,
                         ::testing::Values(SkinCase{"skin1A", 159, 40, 38}, SkinCase{"skin1B", 304, 40, 38},
                                           SkinCase{"skin2A", 160, 43, 41}, SkinCase{"skin2B", 304, 43, 41},
                                           SkinCase{"padskin", 362, 269, 263}, SkinCase{"optskin", 371, 386, 384}),
                         [](const auto& info) { return std::string(info.param.picture); });

TEST_F(RegionTest, NarrowFaceOfSkinOneCoversRowsOneToThirtyEight) {
    SkinForm& f = *skinForm;
    f.source.Picture(Picture::load("skin1A"));
    tavrin::SetUpSkinnedWindow(f, f.main, f.source);
    const QRegion& r = *f.region();
    for (int y = 1; y <= 38; ++y)
        EXPECT_TRUE(r.intersects(QRect(0, y, 159, 1))) << "row " << y;
    EXPECT_FALSE(r.intersects(QRect(0, 0, 159, 1)));
    EXPECT_FALSE(r.intersects(QRect(0, 39, 159, 1)));
    EXPECT_FALSE(r.intersects(QRect(0, 0, 1, 40)));
    EXPECT_FALSE(r.intersects(QRect(158, 0, 1, 40)));
    // The middle of the face is solid from edge to edge.
    EXPECT_TRUE(r.contains(QRect(1, 20, 157, 1)));
}

TEST_F(RegionTest, AnyBitOfDifferenceIsOpaqueAndTheKeyPixelIsAlwaysCut) {
    QImage img = whiteImage(6, 3);
    img.setPixel(2, 1, qRgb(254, 255, 255));
    std::size_t rects = 0;
    const HRGN h = scan(img, &rects);
    ASSERT_NE(h, 0);
    EXPECT_EQ(rects, 1u);
    EXPECT_EQ(*regionOf(h), QRegion(2, 1, 1, 1));
    DeleteObject(h);

    // The top-left pixel keys the picture whatever its colour.
    QImage dark(4, 2, QImage::Format_RGB32);
    dark.fill(qRgb(10, 20, 30));
    dark.setPixel(3, 1, qRgb(200, 0, 0));
    const HRGN d = scan(dark);
    ASSERT_NE(d, 0);
    EXPECT_EQ(*regionOf(d), QRegion(3, 1, 1, 1));
    DeleteObject(d);
}

TEST_F(RegionTest, RunsEndAtTheKeyColourAndAtTheRowsEnd) {
    QImage img = whiteImage(8, 3);
    // Row 1: two runs, the second reaching the last column; row 2: nothing.
    for (int x : {1, 2, 5, 6, 7})
        img.setPixel(x, 1, qRgb(0, 0, 0));
    // Row 0 ends with an open run too; the next row starts closed.
    img.setPixel(7, 0, qRgb(9, 9, 9));
    std::size_t rects = 0;
    const HRGN h = scan(img, &rects);
    ASSERT_NE(h, 0);
    EXPECT_EQ(rects, 3u);
    QRegion expected = QRegion(7, 0, 1, 1) | QRegion(1, 1, 2, 1) | QRegion(5, 1, 3, 1);
    EXPECT_EQ(*regionOf(h), expected);
    EXPECT_EQ(liveRegionCount(), 1u) << "only the result stays";
    DeleteObject(h);
}

TEST_F(RegionTest, AllKeyColourGivesNoRegionAndTheWindowItsWholeRectangle) {
    std::size_t rects = 0;
    EXPECT_EQ(scan(whiteImage(20, 10), &rects), 0);
    EXPECT_EQ(rects, 0u);
    SkinForm& f = *skinForm;
    f.source.Picture(Picture(whiteImage(20, 10)));
    tavrin::SetUpSkinnedWindow(f, f.main, f.source);
    EXPECT_FALSE(f.region().has_value());
    EXPECT_EQ(liveRegionCount(), 0u);
}

TEST_F(RegionTest, SizesBelowOnePixelReadNoRowAtAll) {
    SkinForm& f = *skinForm;
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(qRgb(0, 0, 0));
    f.main.BorderStyle(0);
    f.main.Picture(Picture(img));

    // Height rounds (half to even) to 0: only the key pixel is read.
    f.main.ScaleWidth(10);
    f.main.ScaleHeight(0.5);
    std::uint64_t before = pixelsRead();
    EXPECT_EQ(tavrin::RegionFromSkin(f.main), 0);
    EXPECT_EQ(pixelsRead() - before, 1u);

    // Width below one with rows to scan: every row is passed without a read.
    f.main.ScaleWidth(0.4);
    f.main.ScaleHeight(3);
    before = pixelsRead();
    EXPECT_EQ(tavrin::RegionFromSkin(f.main), 0);
    EXPECT_EQ(pixelsRead() - before, 1u);

    // 2.5 rounds to 2, not 3.
    f.main.ScaleWidth(2.5);
    f.main.ScaleHeight(1);
    before = pixelsRead();
    const HRGN h = tavrin::RegionFromSkin(f.main);
    EXPECT_EQ(pixelsRead() - before, 3u);
    DeleteObject(h);
}

TEST_F(RegionTest, ReshapingManyTimesLeavesNoRegionBehind) {
    SkinForm& f = *skinForm;
    QImage img = whiteImage(12, 6);
    for (int y = 1; y < 5; ++y)
        for (int x = 1 + (y % 2); x < 11; ++x)
            img.setPixel(x, y, qRgb(30, 30, 30));
    f.source.Picture(Picture(img));
    tavrin::SetUpSkinnedWindow(f, f.main, f.source);
    const QRegion first = *f.region();
    for (int i = 0; i < 10000; ++i)
        tavrin::Reshape(f, f.main, f.source);
    EXPECT_EQ(liveRegionCount(), 0u);
    EXPECT_EQ(*f.region(), first);
}

TEST_F(RegionTest, RegionCallsRejectUnknownHandles) {
    const HRGN a = CreateRectRgn(0, 0, 2, 2);
    EXPECT_EQ(CombineRgn(a, a, 123, RGN_OR), RGN_ERROR);
    EXPECT_EQ(SetWindowRgn(999, a, true), 0) << "no such window";
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_FALSE(DeleteObject(a)) << "a region is freed once";
    EXPECT_EQ(liveRegionCount(), 0u);
}

} // namespace
