#include "runtime/forms/picture.h"

#include "runtime/forms/handles.h"

#include <QFile>
#include <png.h>

#include <cstdio>

namespace rt {
namespace {

// Handles of pictures that are still alive; a picture drops its handle when
// its last copy goes.
HandleTable<Picture::Data*>& pictureHandles() {
    static HandleTable<Picture::Data*> table(0x30000);
    return table;
}

// Decoded with libpng itself: Qt's image reader would first load every image
// plugin installed to ask whether one of them wants to read PNG.
QImage decodePng(const QByteArray& bytes) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.constData(), std::size_t(bytes.size())))
        return {};
    // QImage's ARGB32 is one 0xAARRGGBB word per pixel.
    png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage image(int(png.width), int(png.height), QImage::Format_ARGB32);
    if (image.isNull() ||
        !png_image_finish_read(&png, nullptr, image.bits(), png_int_32(image.bytesPerLine()), nullptr)) {
        png_image_free(&png);
        return {};
    }
    return image;
}

} // namespace

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

const QImage& Picture::image() const {
    static const QImage none;
    if (!data_)
        return none;
    if (!data_->source.isEmpty()) {
        QFile file(QStringLiteral(":/skins/%1.png").arg(data_->source));
        if (file.open(QIODevice::ReadOnly))
            data_->image = decodePng(file.readAll());
        if (data_->image.isNull())
            std::fprintf(stderr, "tavrin: picture '%s' is missing\n", qPrintable(data_->source));
        data_->source.clear();
    }
    return data_->image;
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
