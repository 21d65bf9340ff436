#include "runtime/forms/picture.h"

#include "runtime/forms/handles.h"

#include <QFile>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

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

// Reads a PNG one row after the other into 0xAARRGGBB words, holding one
// row at a time. libpng reports errors by longjmp: the functions that call
// into it hold nothing that needs destroying.
class PngRows {
public:
    explicit PngRows(const QByteArray& bytes) : bytes_(bytes) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        info_ = png_ ? png_create_info_struct(png_) : nullptr;
        if (!info_ || setjmp(png_jmpbuf(png_)))
            return;
        png_set_read_fn(png_, this, &PngRows::readBytes);
        png_read_info(png_, info_);
        if (png_get_interlace_type(png_, info_) != PNG_INTERLACE_NONE)
            return;
        png_set_expand(png_);
        png_set_strip_16(png_);
        png_set_gray_to_rgb(png_);
        if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            png_set_bgr(png_);
            png_set_filler(png_, 0xFF, PNG_FILLER_AFTER);
        } else {
            png_set_swap_alpha(png_);
            png_set_filler(png_, 0xFF, PNG_FILLER_BEFORE);
        }
        png_read_update_info(png_, info_);
        width_ = int(png_get_image_width(png_, info_));
        height_ = int(png_get_image_height(png_, info_));
        ok_ = png_get_rowbytes(png_, info_) == std::size_t(width_) * 4;
    }
    ~PngRows() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;

    bool ok() const { return ok_; }
    int next() const { return next_; }
    bool done() const { return next_ >= height_; }
    // The row read last (width() words).
    const QRgb* last() const { return last_.data(); }

    bool readNext() {
        if (!ok_ || done())
            return false;
        last_.resize(std::size_t(width_));
        if (setjmp(png_jmpbuf(png_))) {
            ok_ = false;
            return false;
        }
        png_read_row(png_, reinterpret_cast<png_bytep>(last_.data()), nullptr);
        ++next_;
        return true;
    }

private:
    static void readBytes(png_structp png, png_bytep out, png_size_t n) {
        auto* self = static_cast<PngRows*>(png_get_io_ptr(png));
        if (n > std::size_t(self->bytes_.size()) - self->pos_)
            png_error(png, "truncated");
        std::memcpy(out, self->bytes_.constData() + self->pos_, n);
        self->pos_ += n;
    }

    QByteArray bytes_;
    std::size_t pos_ = 0;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    int width_ = 0, height_ = 0, next_ = 0;
    bool ok_ = false;
    std::vector<QRgb> last_;
};

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
    QFile file(QStringLiteral(":/skins/%1.png").arg(d.source));
    if (file.open(QIODevice::ReadOnly))
        d.file = file.readAll();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&png, d.file.constData(), std::size_t(d.file.size()))) {
        d.size = QSize(int(png.width), int(png.height));
        png_image_free(&png);
    } else {
        std::fprintf(stderr, "tavrin: picture '%s' is missing\n", qPrintable(d.source));
    }
}

QSize Picture::size() const {
    if (!data_)
        return {0, 0};
    if (decoded())
        return data_->image.size();
    readHeader();
    return data_->size;
}

const QImage& Picture::image() const {
    static const QImage none;
    if (!data_)
        return none;
    if (!decoded()) {
        readHeader();
        if (!data_->size.isEmpty())
            data_->image = decodePng(data_->file);
        data_->source.clear();
        data_->file.clear();
        data_->rows.reset();
    }
    return data_->image;
}

bool Picture::row(int y, std::span<QRgb> out) const {
    if (y < 0 || y >= heightPixels() || out.size() < std::size_t(widthPixels()))
        return false;
    if (!decoded()) {
        Data& d = *data_;
        if (!d.rows || d.rows->next() > y + 1)
            d.rows = std::make_unique<PngRows>(d.file);
        while (d.rows->next() <= y && d.rows->readNext()) {
        }
        if (d.rows->ok() && d.rows->next() == y + 1) {
            std::copy_n(d.rows->last(), widthPixels(), out.begin());
            return true;
        }
        // A file this reader cannot take a row at a time is decoded whole.
        d.rows.reset();
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
