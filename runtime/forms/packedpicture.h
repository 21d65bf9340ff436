#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <span>
#include <vector>

namespace rt {

// The program's pictures as they are compiled in: each row a list of runs of
// one colour from the picture's own palette. Skins are mostly flat colour,
// so this is about as small as PNG, and a row decodes with no library and no
// state: the outline of a hidden window is scanned without keeping its pixels.
//
// Layout, little-endian: "TPK1", width, height and colour count (16 bits
// each), the palette (0xAARRGGBB, 32 bits each), where each row's runs start
// (32 bits each, from the start of the runs), then the runs: a count of
// 1-255 pixels (8 bits) and a palette index (16 bits).
QByteArray packPicture(const QImage& image); // empty when it cannot be packed

class PackedPicture {
public:
    PackedPicture() = default;
    // Checks every run once, so that rows can be read without checks; a
    // damaged or foreign file gives an invalid (empty) picture. The bytes
    // must outlive the picture: it reads its runs where they lie.
    static PackedPicture parse(QByteArrayView bytes);

    bool isValid() const { return !size_.isEmpty(); }
    QSize size() const { return size_; }
    // Row y (0 <= y < height) into width() words.
    void row(int y, std::span<QRgb> out) const;
    QImage image() const;

private:
    const unsigned char* runs_ = nullptr;
    std::vector<QRgb> palette_;
    std::vector<std::uint32_t> rowStarts_;
    QSize size_{0, 0};
};

} // namespace rt
