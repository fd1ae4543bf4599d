// Pens, brushes, fonts and colours with the class library's meanings.
#pragma once

#include "platform/Types.h"

#include <QColor>

// A colour as RGB: system colours come from a fixed classic table (not the
// desktop's palette), so pictures drawn without a skin are reproducible.
TColor ColorToRGB(TColor c);
QColor ColorToQColor(TColor c);
TColor QColorToColor(const QColor& c);
