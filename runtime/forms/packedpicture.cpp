#include "runtime/forms/packedpicture.h"

#include <QHash>

#include <algorithm>

namespace rt {
namespace {

constexpr char kMagic[4] = {'T', 'P', 'K', '1'};
constexpr qsizetype kHeader = 10;
constexpr int kLimit = 0xFFFF;
constexpr qsizetype kRunBytes = 3;

void put16(QByteArray& out, unsigned v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

unsigned get16(const unsigned char* p) { return unsigned(p[0]) | unsigned(p[1]) << 8; }

std::uint32_t get32(const unsigned char* p) { return get16(p) | std::uint32_t(get16(p + 2)) << 16; }

} // namespace

QByteArray packPicture(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull() || image.width() > kLimit || image.height() > kLimit)
        return {};
    std::vector<QRgb> palette;
    QHash<QRgb, unsigned> indexOf;
    QByteArray runs;
    std::vector<std::uint32_t> rowStarts;
    for (int y = 0; y < image.height(); ++y) {
        rowStarts.push_back(std::uint32_t(runs.size()));
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            int end = x + 1;
            while (end < image.width() && end - x < 255 && line[end] == line[x])
                ++end;
            auto found = indexOf.constFind(line[x]);
            if (found == indexOf.constEnd()) {
                if (palette.size() == kLimit)
                    return {};
                found = indexOf.insert(line[x], unsigned(palette.size()));
                palette.push_back(line[x]);
            }
            runs.append(char(end - x));
            put16(runs, *found);
            x = end;
        }
    }
    QByteArray out(kMagic, 4);
    put16(out, unsigned(image.width()));
    put16(out, unsigned(image.height()));
    put16(out, unsigned(palette.size()));
    for (QRgb c : palette)
        put32(out, c);
    for (std::uint32_t start : rowStarts)
        put32(out, start);
    return out + runs;
}

PackedPicture PackedPicture::parse(QByteArrayView bytes) {
    PackedPicture p;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < kHeader || !std::equal(kMagic, kMagic + 4, bytes.data()))
        return p;
    const int width = int(get16(data + 4));
    const int height = int(get16(data + 6));
    const qsizetype colours = get16(data + 8);
    const qsizetype runsAt = kHeader + 4 * colours + 4 * qsizetype(height);
    if (width == 0 || height == 0 || colours == 0 || bytes.size() < runsAt)
        return p;
    const qsizetype runBytes = bytes.size() - runsAt;
    const unsigned char* runs = data + runsAt;

    p.palette_.resize(std::size_t(colours));
    for (qsizetype i = 0; i < colours; ++i)
        p.palette_[std::size_t(i)] = get32(data + kHeader + 4 * i);
    p.rowStarts_.resize(std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const std::uint32_t start = get32(data + kHeader + 4 * colours + 4 * y);
        qsizetype at = start;
        for (int x = 0; x < width; at += kRunBytes) {
            if (at + kRunBytes > runBytes || runs[at] == 0 || get16(runs + at + 1) >= colours)
                return {};
            x += runs[at];
            if (x > width)
                return {};
        }
        p.rowStarts_[std::size_t(y)] = start;
    }
    p.runs_ = runs;
    p.size_ = QSize(width, height);
    return p;
}

void PackedPicture::row(int y, std::span<QRgb> out) const {
    const unsigned char* run = runs_ + rowStarts_[std::size_t(y)];
    for (auto to = out.begin(), end = out.begin() + size_.width(); to != end; run += kRunBytes)
        to = std::fill_n(to, run[0], palette_[get16(run + 1)]);
}

QImage PackedPicture::image() const {
    if (!isValid())
        return {};
    QImage image(size_, QImage::Format_ARGB32);
    for (int y = 0; y < size_.height(); ++y)
        row(y, std::span(reinterpret_cast<QRgb*>(image.scanLine(y)), std::size_t(size_.width())));
    return image;
}

} // namespace rt
