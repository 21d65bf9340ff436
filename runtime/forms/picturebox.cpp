#include "runtime/forms/picturebox.h"

#include "runtime/forms/handles.h"
#include "runtime/forms/runtime.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

QSize PictureBox::clientPixels() const {
    return {int(std::lround(clientWidthTwips() / Screen.TwipsPerPixelX())),
            int(std::lround(clientHeightTwips() / Screen.TwipsPerPixelY()))};
}

std::uint32_t PictureBox::pixel(int x, int y) const {
    std::uint32_t c = CLR_INVALID;
    const std::span<const QRgb> line = pictureRow(y);
    fillRow(y, x, x >= 0 && std::size_t(x) < line.size() ? line.subspan(std::size_t(x)) : line.first(0),
            std::span(&c, 1));
    return c;
}

void PictureBox::pixelRow(int y, std::span<std::uint32_t> out) const { fillRow(y, 0, pictureRow(y), out); }

// Row y of the picture, empty outside it.
std::span<const QRgb> PictureBox::pictureRow(int y) const {
    static thread_local std::vector<QRgb> line;
    line.resize(std::size_t(std::max(0, picture_.widthPixels())));
    return picture_.row(y, line) ? std::span<const QRgb>(line) : std::span<const QRgb>();
}

// Pixels firstX onwards of row y: the picture's (line, from firstX) where it
// has them, the back colour around it, CLR_INVALID outside the box.
void PictureBox::fillRow(int y, int firstX, std::span<const QRgb> line, std::span<std::uint32_t> out) const {
    const QSize size = clientPixels();
    const bool rowInBox = y >= 0 && y < size.height();
    const int boxWidth = rowInBox ? size.width() : 0;
    // out[i] is pixel firstX + i: before the box, the picture's pixels, the
    // back colour to the box's edge, after the box.
    const auto clampTo = [&](long long i) { return std::size_t(std::clamp<long long>(i, 0, (long long)out.size())); };
    const std::size_t boxStart = clampTo(-(long long)firstX);
    const std::size_t boxEnd = std::max(boxStart, clampTo((long long)boxWidth - firstX));
    const std::size_t pictureEnd = std::clamp(line.size(), boxStart, boxEnd);
    std::fill(out.begin(), out.begin() + boxStart, CLR_INVALID);
    if (pictureEnd > boxStart)
        std::transform(line.begin() + boxStart, line.begin() + pictureEnd, out.begin() + boxStart, toColorValue);
    std::fill(out.begin() + pictureEnd, out.begin() + boxEnd, resolvedBackColor(BackColor()));
    std::fill(out.begin() + boxEnd, out.end(), CLR_INVALID);
}

} // namespace rt
