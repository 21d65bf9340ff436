#pragma once
#include "runtime/forms/types.h"

#include <QColor>
#include <QPalette>

class QWidget;

namespace tavrin::qt {

// &H00BBGGRR& as a QColor; system colours come from the desktop's palette.
QColor toQColor(rt::Color c);

// A widget's text and background colours, by the palette roles it paints them with.
void setColors(QWidget& w, rt::Color fore, rt::Color back, QPalette::ColorRole foreRole, QPalette::ColorRole backRole);

} // namespace tavrin::qt
