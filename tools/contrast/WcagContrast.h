// The WCAG contrast ratio of two colours (1 to 21), from their relative
// luminance in sRGB.
#pragma once

#include <QRgb>

#include <algorithm>
#include <cmath>

inline double WcagLuminance(QRgb c) {
    const auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

inline double WcagContrast(QRgb a, QRgb b) {
    const double la = WcagLuminance(a), lb = WcagLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
