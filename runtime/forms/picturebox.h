#pragma once
#include "runtime/forms/control.h"
#include "runtime/forms/picture.h"

#include <QSize>

#include <cstdint>
#include <span>

namespace rt {

constexpr std::uint32_t CLR_INVALID = 0xFFFFFFFFu;

// A box that shows a picture and contains other controls. Its scale (twips,
// pixels or a user scale) decides the units of its children's geometry and of
// the mouse positions it and they report.
class PictureBox : public Control {
public:
    PictureBox(Control& container, QString name);
    ~PictureBox() override;

    const rt::Picture& Picture() const { return picture_; }
    void Picture(const rt::Picture& v);

    int ScaleMode() const { return scaleMode_; }
    void ScaleMode(int v);
    double ScaleWidth() const;
    double ScaleHeight() const;
    void ScaleWidth(double v);  // switches to a user scale
    void ScaleHeight(double v); // switches to a user scale

    bool AutoRedraw() const { return autoRedraw_; }
    void AutoRedraw(bool v) { autoRedraw_ = v; }
    bool AutoSize() const { return autoSize_; }
    void AutoSize(bool v);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single
    void BorderStyle(int v);

    // The box's device context: its persistent image, read with GetPixel.
    std::int32_t hDC() const { return hDC_; }
    static PictureBox* fromDC(std::int32_t hDC);
    // One pixel of the persistent image as &H00BBGGRR&; CLR_INVALID outside it.
    std::uint32_t pixel(int x, int y) const;
    // Pixels x = 0 .. out.size() - 1 of row y, each as pixel() gives it.
    void pixelRow(int y, std::span<std::uint32_t> out) const;

    bool isContainer() const override { return true; }
    double unitsPerTwipX() const override;
    double unitsPerTwipY() const override;

    double clientWidthTwips() const;
    double clientHeightTwips() const;

protected:
    double mouseUnitsPerPixelX() const override;
    double mouseUnitsPerPixelY() const override;

private:
    void fitToPicture();
    double borderTwipsX() const;
    double borderTwipsY() const;

    rt::Picture picture_;
    int scaleMode_ = vbTwips;
    double userWidth_ = 0;
    double userHeight_ = 0;
    bool autoRedraw_ = false;
    bool autoSize_ = false;
    int borderStyle_ = 1;
    std::int32_t hDC_ = 0;
    QSize clientPixels() const;
    std::span<const QRgb> pictureRow(int y) const;
    void fillRow(int y, int firstX, std::span<const QRgb> line, std::span<std::uint32_t> out) const;
};

} // namespace rt
