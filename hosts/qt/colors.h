#pragma once
#include "runtime/forms/types.h"

#include <QColor>

namespace tavrin::qt {

// &H00BBGGRR& as a QColor; system colours come from the desktop's palette.
QColor toQColor(rt::Color c);

} // namespace tavrin::qt
