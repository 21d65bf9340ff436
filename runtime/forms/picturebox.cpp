#include "runtime/forms/picturebox.h"

#include "runtime/forms/handles.h"
#include "runtime/forms/runtime.h"

#include <cmath>

namespace rt {
namespace {

HandleTable<PictureBox*>& deviceContexts() {
    static HandleTable<PictureBox*> table(0x20000);
    return table;
}

// A fixed single border is drawn two pixels deep on each side.
constexpr int kBorderPixels = 2;

std::uint32_t toColorValue(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

std::uint32_t resolvedBackColor(Color c) {
    // System colours have no pixels of their own; the persistent image of a
    // box on the button face is light grey.
    return IsSystemColor(c) ? RGB(0xF0, 0xF0, 0xF0) : c;
}

} // namespace

PictureBox::PictureBox(Control& container, QString name) : Control(container, std::move(name), Kind::PictureBox) {
    hDC_ = deviceContexts().add(this);
}

PictureBox::~PictureBox() { deviceContexts().remove(hDC_); }

PictureBox* PictureBox::fromDC(std::int32_t hDC) {
    PictureBox** box = deviceContexts().find(hDC);
    return box ? *box : nullptr;
}

void PictureBox::Picture(const rt::Picture& v) {
    picture_ = v;
    changed(Prop::Picture);
    fitToPicture();
}

void PictureBox::AutoSize(bool v) {
    autoSize_ = v;
    fitToPicture();
}

void PictureBox::BorderStyle(int v) {
    if (v == borderStyle_)
        return;
    borderStyle_ = v;
    changed(Prop::Style);
    fitToPicture();
}

void PictureBox::fitToPicture() {
    if (!autoSize_ || picture_.isNull())
        return;
    const double w = picture_.widthPixels() * double(Screen.TwipsPerPixelX()) + 2 * borderTwipsX();
    const double h = picture_.heightPixels() * double(Screen.TwipsPerPixelY()) + 2 * borderTwipsY();
    setGeometryTwips(leftTwips(), topTwips(), w, h);
}

double PictureBox::borderTwipsX() const { return borderStyle_ ? kBorderPixels * double(Screen.TwipsPerPixelX()) : 0; }
double PictureBox::borderTwipsY() const { return borderStyle_ ? kBorderPixels * double(Screen.TwipsPerPixelY()) : 0; }
double PictureBox::clientWidthTwips() const { return std::max(0.0, widthTwips() - 2 * borderTwipsX()); }
double PictureBox::clientHeightTwips() const { return std::max(0.0, heightTwips() - 2 * borderTwipsY()); }

void PictureBox::ScaleMode(int v) {
    if (v == vbUser && scaleMode_ != vbUser) {
        userWidth_ = ScaleWidth();
        userHeight_ = ScaleHeight();
    }
    scaleMode_ = v;
}

double PictureBox::ScaleWidth() const {
    switch (scaleMode_) {
    case vbUser: return userWidth_;
    case vbPixels: return clientWidthTwips() / Screen.TwipsPerPixelX();
    default: return clientWidthTwips();
    }
}

double PictureBox::ScaleHeight() const {
    switch (scaleMode_) {
    case vbUser: return userHeight_;
    case vbPixels: return clientHeightTwips() / Screen.TwipsPerPixelY();
    default: return clientHeightTwips();
    }
}

void PictureBox::ScaleWidth(double v) {
    if (scaleMode_ != vbUser)
        userHeight_ = ScaleHeight();
    scaleMode_ = vbUser;
    userWidth_ = v;
}

void PictureBox::ScaleHeight(double v) {
    if (scaleMode_ != vbUser)
        userWidth_ = ScaleWidth();
    scaleMode_ = vbUser;
    userHeight_ = v;
}

double PictureBox::unitsPerTwipX() const {
    switch (scaleMode_) {
    case vbUser: return clientWidthTwips() > 0 ? userWidth_ / clientWidthTwips() : 1.0;
    case vbPixels: return 1.0 / Screen.TwipsPerPixelX();
    default: return 1.0;
    }
}

double PictureBox::unitsPerTwipY() const {
    switch (scaleMode_) {
    case vbUser: return clientHeightTwips() > 0 ? userHeight_ / clientHeightTwips() : 1.0;
    case vbPixels: return 1.0 / Screen.TwipsPerPixelY();
    default: return 1.0;
    }
}

double PictureBox::mouseUnitsPerPixelX() const { return unitsPerTwipX() * Screen.TwipsPerPixelX(); }
double PictureBox::mouseUnitsPerPixelY() const { return unitsPerTwipY() * Screen.TwipsPerPixelY(); }

std::uint32_t PictureBox::pixel(int x, int y) const {
    const int tx = Screen.TwipsPerPixelX();
    const int ty = Screen.TwipsPerPixelY();
    // A scan reads every pixel; work the box's size in pixels out once.
    if (sizeCache_.widthTwips != widthTwips() || sizeCache_.heightTwips != heightTwips() ||
        sizeCache_.tx != tx || sizeCache_.ty != ty || sizeCache_.border != borderStyle_) {
        sizeCache_ = {widthTwips(), heightTwips(), tx, ty, borderStyle_,
                      int(std::lround(clientWidthTwips() / tx)), int(std::lround(clientHeightTwips() / ty))};
    }
    if (x < 0 || y < 0 || x >= sizeCache_.width || y >= sizeCache_.height)
        return CLR_INVALID;
    const QImage& img = picture_.image();
    if (x < img.width() && y < img.height()) {
        // The skins are 32-bit images: read the scan line directly.
        if (img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32)
            return toColorValue(reinterpret_cast<const QRgb*>(img.constScanLine(y))[x]);
        return toColorValue(img.pixel(x, y));
    }
    return resolvedBackColor(BackColor());
}

} // namespace rt
