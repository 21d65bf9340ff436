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

    // One of the program's own pictures, by file name without extension.
    static Picture load(const QString& name);

    bool isNull() const { return !data_ || data_->image.isNull(); }
    int widthPixels() const { return isNull() ? 0 : data_->image.width(); }
    int heightPixels() const { return isNull() ? 0 : data_->image.height(); }
    const QImage& image() const;
    std::int32_t Handle() const;

    // The picture a handle stands for; a null picture when the handle is unknown.
    static Picture fromHandle(std::int32_t handle);

    bool operator==(const Picture& other) const { return data_ == other.data_; }

    struct Data : std::enable_shared_from_this<Data> {
        QImage image;
        std::int32_t handle = 0;
        ~Data();
    };

private:
    std::shared_ptr<Data> data_;
};

} // namespace rt
