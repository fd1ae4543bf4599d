#include "platform/Graphics.h"

namespace {
// The classic scheme, as 0xRRGGBB for readability, by system colour index.
constexpr unsigned kSystemColors[] = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x434E54, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,
};
}  // namespace

TColor ColorToRGB(TColor c) {
    if (c < 0) {
        const unsigned index = static_cast<unsigned>(c) & 0xFF;
        const unsigned rgb = index < std::size(kSystemColors) ? kSystemColors[index] : 0;
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    return c & 0xFFFFFF;
}

QColor ColorToQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor QColorToColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }
