#include "runtime/forms/picture.h"

#include "runtime/forms/handles.h"

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
        // By name and format: no guessing among every image plugin installed.
        data_->image.load(QStringLiteral(":/skins/%1.png").arg(data_->source), "PNG");
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
