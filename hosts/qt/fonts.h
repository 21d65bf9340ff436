#pragma once
// The forms name Windows fonts; this maps them to fonts installed here, sized
// so the texts the windows were laid out for still fit their boxes.
#include "runtime/forms/types.h"

#include <QFont>
#include <QString>

#include <functional>

namespace tavrin::qt {

// The installed family that stands in for a form font name.
QString mappedFamily(const QString& formFontName);

// The form font as a QFont: the mapped family at the point size converted
// at the forms' own scale (20 twips to a point), shrunk where the family runs
// wider than the original.
QFont mappedFont(const rt::Font& font);

// Same, for an explicit DPI (tests).
QFont mappedFont(const rt::Font& font, double dpi);

// A caption as it is drawn: "&x" marks a mnemonic, "&&" is a plain "&".
QString withoutMnemonics(const QString& caption);

// The font made smaller, a pixel at a time, until `text` fits in `widthPx`
// (never below three quarters of its size).
QFont shrunkToFit(const QFont& font, const QString& text, int widthPx);

// Same, for a caller that measures the text its own way: the font made
// smaller until `fits` accepts it; the smallest size tried when none fits.
QFont shrunkUntil(const QFont& font, const std::function<bool(const QFont&)>& fits);

} // namespace tavrin::qt
