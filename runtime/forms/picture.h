#pragma once
#include "runtime/forms/packedpicture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>

namespace rt {

// A picture as controls hold it: an immutable image shared between copies,
// with a handle that stays the same for the same image (icons are passed to
// the system by handle).
class Picture {
public:
    Picture() = default;
    explicit Picture(QImage image);

    // One of the program's own pictures, by file name without extension. It
    // is decoded when first looked at: most pictures a window holds are
    // never shown.
    static Picture load(const QString& name);

    bool isNull() const { return size().isEmpty(); }
    int widthPixels() const { return size().width(); }
    int heightPixels() const { return size().height(); }
    // A picture not decoded yet reads its size from its packed header.
    QSize size() const;
    const QImage& image() const;
    // Row y as 0xAARRGGBB words into out (widthPixels() of them); false
    // outside the picture. A picture not decoded yet is read from its packed
    // runs and keeps no pixels: scanning the outline of a window that is not
    // shown costs no memory.
    bool row(int y, std::span<QRgb> out) const;
    // False while a loaded picture has not been looked at yet.
    bool decoded() const { return !data_ || data_->source.isEmpty(); }
    std::int32_t Handle() const;

    // The picture a handle stands for; a null picture when the handle is unknown.
    static Picture fromHandle(std::int32_t handle);

    bool operator==(const Picture& other) const { return data_ == other.data_; }

    struct Data : std::enable_shared_from_this<Data> {
        QImage image;
        QString source; // still to be decoded when not empty
        QByteArray file; // its packed bytes, once its size was asked for
        PackedPicture packed;
        bool headerRead = false;
        std::int32_t handle = 0;
        Data();
        ~Data();
    };

private:
    void readHeader() const;

    std::shared_ptr<Data> data_;
};

} // namespace rt
