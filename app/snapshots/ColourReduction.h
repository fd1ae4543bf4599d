// Reducing a picture to at most 256 colours for a GIF: an adaptive palette
// by median cut over a 15-bit colour histogram, and Floyd–Steinberg error
// diffusion onto it. Deterministic: the same picture always gives the same
// palette and indexes. A picture of up to 256 colours that differ in their
// top five bits per channel keeps every colour exactly.
#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace snapshots {

struct TRgb {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TRgb&) const = default;
};

struct TIndexedPicture {
    int Width = 0;
    int Height = 0;
    std::vector<TRgb> Palette;           // 1 to 256 entries
    std::vector<std::uint8_t> Indexes;   // Width × Height, row by row
};

TIndexedPicture ReduceColours(const QImage& image, int maxColours = 256);

} // namespace snapshots
