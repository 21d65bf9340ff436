#include "runtime/forms/picture.h"

#include "runtime/forms/handles.h"

#include <QResource>

#include <algorithm>
#include <cstdio>

namespace rt {
namespace {

// Handles of pictures that are still alive; a picture drops its handle when
// its last copy goes.
HandleTable<Picture::Data*>& pictureHandles() {
    static HandleTable<Picture::Data*> table(0x30000);
    return table;
}

} // namespace

Picture::Data::Data() = default;

Picture::Data::~Data() {
    if (handle != 0)
        pictureHandles().remove(handle);
}

Picture::Picture(QImage image) : data_(std::make_shared<Data>()) { data_->image = std::move(image); }

Picture Picture::load(const QString& name) {
    Picture p;
    p.data_ = std::make_shared<Data>();
    p.data_->source = name;
    return p;
}

void Picture::readHeader() const {
    Data& d = *data_;
    if (d.headerRead)
        return;
    d.headerRead = true;
    // Compiled in uncompressed: the runs are read where they lie.
    const QResource resource(QStringLiteral(":/skins/%1.pack").arg(d.source));
    if (resource.isValid())
        d.file = resource.compressionAlgorithm() == QResource::NoCompression
                     ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size())
                     : resource.uncompressedData();
    d.packed = PackedPicture::parse(d.file);
    if (!d.packed.isValid())
        std::fprintf(stderr, "tavrin: picture '%s' is missing\n", qPrintable(d.source));
}

QSize Picture::size() const {
    if (!data_)
        return {0, 0};
    if (decoded())
        return data_->image.size();
    readHeader();
    return data_->packed.size();
}

const QImage& Picture::image() const {
    static const QImage none;
    if (!data_)
        return none;
    if (!decoded()) {
        readHeader();
        data_->image = data_->packed.image();
        data_->source.clear();
        data_->packed = {};
        data_->file.clear();
    }
    return data_->image;
}

bool Picture::row(int y, std::span<QRgb> out) const {
    if (y < 0 || y >= heightPixels() || out.size() < std::size_t(widthPixels()))
        return false;
    if (!decoded()) {
        data_->packed.row(y, out);
        return true;
    }
    const QImage& img = image();
    if (img.format() == QImage::Format_ARGB32 || img.format() == QImage::Format_RGB32) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        std::copy(line, line + img.width(), out.begin());
    } else {
        for (int x = 0; x < img.width(); ++x)
            out[std::size_t(x)] = img.pixel(x, y);
    }
    return true;
}

std::int32_t Picture::Handle() const {
    if (!data_)
        return 0;
    if (data_->handle == 0)
        data_->handle = pictureHandles().add(data_.get());
    return data_->handle;
}

Picture Picture::fromHandle(std::int32_t handle) {
    Picture p;
    if (auto* data = pictureHandles().find(handle))
        p.data_ = (*data)->shared_from_this();
    return p;
}

} // namespace rt
