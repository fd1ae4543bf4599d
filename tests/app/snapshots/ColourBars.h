// A test frame: eight vertical colour bars over the top three quarters and a
// grey ramp below them, 24 bits per pixel as the player hands frames over.
#pragma once

#include <QColor>
#include <QImage>

#include <array>

inline const std::array<QColor, 8>& BarColours() {
    static const std::array<QColor, 8> colours{{
        QColor(235, 235, 235), QColor(235, 235, 16), QColor(16, 235, 235), QColor(16, 235, 16),
        QColor(235, 16, 235), QColor(235, 16, 16), QColor(16, 16, 235), QColor(16, 16, 16),
    }};
    return colours;
}

inline QImage ColourBars(int width = 160, int height = 120) {
    QImage image(width, height, QImage::Format_BGR888);
    const int barsHeight = height * 3 / 4;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (y < barsHeight) {
                image.setPixelColor(x, y, BarColours()[x * 8 / width]);
            } else {
                const int v = x * 255 / (width - 1);
                image.setPixelColor(x, y, QColor(v, v, v));
            }
        }
    return image;
}

// The centre of bar k, well inside it (no edge ringing of lossy coders).
inline QPoint BarCentre(int k, int width = 160, int height = 120) {
    return QPoint((2 * k + 1) * width / 16, height * 3 / 8);
}
