#pragma once
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

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

    bool isNull() const { return image().isNull(); }
    int widthPixels() const { return image().width(); }
    int heightPixels() const { return image().height(); }
    const QImage& image() const;
    // False while a loaded picture has not been looked at yet.
    bool decoded() const { return !data_ || data_->source.isEmpty(); }
    std::int32_t Handle() const;

    // The picture a handle stands for; a null picture when the handle is unknown.
    static Picture fromHandle(std::int32_t handle);

    bool operator==(const Picture& other) const { return data_ == other.data_; }

    struct Data : std::enable_shared_from_this<Data> {
        QImage image;
        QString source; // still to be decoded when not empty
        std::int32_t handle = 0;
        ~Data();
    };

private:
    std::shared_ptr<Data> data_;
};

} // namespace rt
