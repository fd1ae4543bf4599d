#include "app/snapshots/ColourReduction.h"

#include <algorithm>
#include <array>

namespace snapshots {

namespace {

constexpr int kBins = 1 << 15;

int BinOf(int r, int g, int b) { return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3); }

struct THistogram {
    std::vector<std::uint64_t> Count = std::vector<std::uint64_t>(kBins);
    // Sums of the exact channel values, so a box's colour is the true mean.
    std::vector<std::array<std::uint64_t, 3>> Sum = std::vector<std::array<std::uint64_t, 3>>(kBins);
};

// A box of the 5-bit colour cube: bounds inclusive per channel.
struct TBox {
    std::array<int, 3> Lo{0, 0, 0};
    std::array<int, 3> Hi{31, 31, 31};
    std::uint64_t Count = 0;
};

int Bin5(int c0, int c1, int c2) { return (c0 << 10) | (c1 << 5) | c2; }

// Shrinks the box to the bins it actually holds and counts them.
void Fit(TBox& box, const THistogram& h) {
    std::array<int, 3> lo{31, 31, 31}, hi{0, 0, 0};
    std::uint64_t count = 0;
    for (int r = box.Lo[0]; r <= box.Hi[0]; ++r)
        for (int g = box.Lo[1]; g <= box.Hi[1]; ++g)
            for (int b = box.Lo[2]; b <= box.Hi[2]; ++b) {
                const std::uint64_t c = h.Count[Bin5(r, g, b)];
                if (!c) continue;
                count += c;
                lo = {std::min(lo[0], r), std::min(lo[1], g), std::min(lo[2], b)};
                hi = {std::max(hi[0], r), std::max(hi[1], g), std::max(hi[2], b)};
            }
    box.Count = count;
    if (count) {
        box.Lo = lo;
        box.Hi = hi;
    }
}

int LongestAxis(const TBox& box) {
    int axis = 0;
    for (int a = 1; a < 3; ++a)
        if (box.Hi[a] - box.Lo[a] > box.Hi[axis] - box.Lo[axis]) axis = a;
    return axis;
}

// Splits at the median of the box's pixels along its longest side; false
// when the box is a single bin.
bool Split(TBox& box, TBox& other, const THistogram& h) {
    const int axis = LongestAxis(box);
    if (box.Hi[axis] == box.Lo[axis]) return false;
    std::vector<std::uint64_t> slice(32);
    std::array<int, 3> i{};
    for (i[0] = box.Lo[0]; i[0] <= box.Hi[0]; ++i[0])
        for (i[1] = box.Lo[1]; i[1] <= box.Hi[1]; ++i[1])
            for (i[2] = box.Lo[2]; i[2] <= box.Hi[2]; ++i[2]) slice[i[axis]] += h.Count[Bin5(i[0], i[1], i[2])];
    std::uint64_t below = 0;
    int cut = box.Lo[axis];
    for (; cut < box.Hi[axis] - 1; ++cut) {
        below += slice[cut];
        if (below * 2 >= box.Count) break;
    }
    other = box;
    box.Hi[axis] = cut;
    other.Lo[axis] = cut + 1;
    Fit(box, h);
    Fit(other, h);
    return true;
}

TRgb MeanColour(const TBox& box, const THistogram& h) {
    std::array<std::uint64_t, 3> sum{0, 0, 0};
    std::uint64_t count = 0;
    for (int r = box.Lo[0]; r <= box.Hi[0]; ++r)
        for (int g = box.Lo[1]; g <= box.Hi[1]; ++g)
            for (int b = box.Lo[2]; b <= box.Hi[2]; ++b) {
                const int bin = Bin5(r, g, b);
                count += h.Count[bin];
                for (int c = 0; c < 3; ++c) sum[c] += h.Sum[bin][c];
            }
    if (!count) return {};
    auto mean = [&](int c) { return static_cast<std::uint8_t>((sum[c] + count / 2) / count); };
    return {mean(0), mean(1), mean(2)};
}

int Nearest(const std::vector<TRgb>& palette, int r, int g, int b) {
    int best = 0;
    long bestDistance = -1;
    for (size_t k = 0; k < palette.size(); ++k) {
        const long dr = r - palette[k].R, dg = g - palette[k].G, db = b - palette[k].B;
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(k);
        }
    }
    return best;
}

} // namespace

TIndexedPicture ReduceColours(const QImage& image, int maxColours) {
    TIndexedPicture out;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    out.Width = rgb.width();
    out.Height = rgb.height();
    maxColours = std::clamp(maxColours, 1, 256);

    THistogram h;
    for (int y = 0; y < out.Height; ++y) {
        const uchar* p = rgb.constScanLine(y);
        for (int x = 0; x < out.Width; ++x, p += 3) {
            const int bin = BinOf(p[0], p[1], p[2]);
            ++h.Count[bin];
            for (int c = 0; c < 3; ++c) h.Sum[bin][c] += p[c];
        }
    }

    // Median cut: always split the most populated box that can still be
    // split, so busy colour regions get the most palette entries.
    std::vector<TBox> boxes(1);
    Fit(boxes[0], h);
    while (static_cast<int>(boxes.size()) < maxColours) {
        int pick = -1;
        for (size_t k = 0; k < boxes.size(); ++k) {
            const TBox& b = boxes[k];
            if (b.Count == 0 || b.Lo == b.Hi) continue;
            if (pick < 0 || b.Count > boxes[pick].Count) pick = static_cast<int>(k);
        }
        if (pick < 0) break;
        TBox other;
        if (!Split(boxes[pick], other, h)) break;
        boxes.push_back(other);
    }
    for (const TBox& b : boxes) out.Palette.push_back(MeanColour(b, h));

    // Nearest palette entry per 15-bit colour, found on first use.
    std::vector<std::int16_t> cache(kBins, -1);
    auto lookup = [&](int r, int g, int b) {
        std::int16_t& slot = cache[BinOf(r, g, b)];
        if (slot < 0) slot = static_cast<std::int16_t>(Nearest(out.Palette, r, g, b));
        return slot;
    };

    // Floyd–Steinberg, left to right on every row; errors in 1/16 steps.
    out.Indexes.resize(static_cast<size_t>(out.Width) * out.Height);
    std::vector<std::array<int, 3>> thisRow(out.Width + 2), nextRow(out.Width + 2);
    for (int y = 0; y < out.Height; ++y) {
        std::fill(nextRow.begin(), nextRow.end(), std::array<int, 3>{0, 0, 0});
        const uchar* p = rgb.constScanLine(y);
        for (int x = 0; x < out.Width; ++x, p += 3) {
            std::array<int, 3> want;
            for (int c = 0; c < 3; ++c) want[c] = std::clamp(p[c] + thisRow[x + 1][c] / 16, 0, 255);
            const int k = lookup(want[0], want[1], want[2]);
            out.Indexes[static_cast<size_t>(y) * out.Width + x] = static_cast<std::uint8_t>(k);
            const TRgb got = out.Palette[k];
            const std::array<int, 3> err{want[0] - got.R, want[1] - got.G, want[2] - got.B};
            for (int c = 0; c < 3; ++c) {
                thisRow[x + 2][c] += err[c] * 7;
                nextRow[x][c] += err[c] * 3;
                nextRow[x + 1][c] += err[c] * 5;
                nextRow[x + 2][c] += err[c];
            }
        }
        std::swap(thisRow, nextRow);
    }
    return out;
}

} // namespace snapshots
