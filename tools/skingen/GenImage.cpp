#include "tools/skingen/GenImage.h"

#include <utility>

#include <algorithm>
#include <cstring>

TGenRgb GenRgb(int r, int g, int b)
{
    auto c = [](int v) { return std::uint32_t(std::clamp(v, 0, 255)); };
    return (c(r) << 16) | (c(g) << 8) | c(b);
}

TGenRgb GenMix(TGenRgb a, TGenRgb b, int num, int den)
{
    if (den <= 0)
        return a;
    auto ch = [&](int x, int y) {
        const int d = (y - x) * num;
        // Round half away from zero, so a mix is symmetric around its middle.
        return x + (d >= 0 ? (d + den / 2) / den : -((-d + den / 2) / den));
    };
    return GenRgb(ch(GenRed(a), GenRed(b)), ch(GenGreen(a), GenGreen(b)), ch(GenBlue(a), GenBlue(b)));
}

TGenRgb GenShade(TGenRgb c, int delta)
{
    return GenRgb(GenRed(c) + delta, GenGreen(c) + delta, GenBlue(c) + delta);
}

TColor GenToColor(TGenRgb c)
{
    return RGB(GenRed(c), GenGreen(c), GenBlue(c));
}

int TGenRandom::Next(int n)
{
    FState = FState * 1103515245u + 12345u;
    return n > 0 ? int((FState >> 16) % std::uint32_t(n)) : 0;
}

QImage GenNewImage(int w, int h, TGenRgb fill)
{
    QImage img(w, h, QImage::Format_RGB32);
    GenFill(img, Rect(0, 0, w, h), fill);
    return img;
}

TGenRgb GenPixel(const QImage& img, int x, int y)
{
    return reinterpret_cast<const std::uint32_t*>(img.constScanLine(y))[x] & 0xFFFFFFu;
}

void GenSetPixel(QImage& img, int x, int y, TGenRgb c)
{
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return;
    reinterpret_cast<std::uint32_t*>(img.scanLine(y))[x] = 0xFF000000u | c;
}

void GenBlendPixel(QImage& img, int x, int y, TGenRgb c, int alpha)
{
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height() || alpha <= 0)
        return;
    GenSetPixel(img, x, y, alpha >= 256 ? c : GenMix(GenPixel(img, x, y), c, alpha, 256));
}

void GenFill(QImage& img, TRect r, TGenRgb c)
{
    const int x0 = std::max(0, r.Left), x1 = std::min(img.width(), r.Right);
    const int y0 = std::max(0, r.Top), y1 = std::min(img.height(), r.Bottom);
    for (int y = y0; y < y1; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
        std::fill(line + x0, line + std::max(x0, x1), 0xFF000000u | c);
    }
}

void GenHLine(QImage& img, int x0, int x1, int y, TGenRgb c)
{
    GenFill(img, Rect(x0, y, x1, y + 1), c);
}

void GenVLine(QImage& img, int x, int y0, int y1, TGenRgb c)
{
    GenFill(img, Rect(x, y0, x + 1, y1), c);
}

void GenFrame(QImage& img, TRect r, TGenRgb c)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    GenHLine(img, r.Left, r.Right, r.Top, c);
    GenHLine(img, r.Left, r.Right, r.Bottom - 1, c);
    GenVLine(img, r.Left, r.Top, r.Bottom, c);
    GenVLine(img, r.Right - 1, r.Top, r.Bottom, c);
}

void GenGradient(QImage& img, TRect r, TGenRgb from, TGenRgb to, TGenAxis axis)
{
    const int n = axis == TGenAxis::Horizontal ? r.Height() : r.Width();
    for (int i = 0; i < n; ++i) {
        const TGenRgb c = GenMix(from, to, i, std::max(1, n - 1));
        if (axis == TGenAxis::Horizontal)
            GenHLine(img, r.Left, r.Right, r.Top + i, c);
        else
            GenVLine(img, r.Left + i, r.Top, r.Bottom, c);
    }
}

void GenCopy(QImage& dst, int x, int y, const QImage& src, TRect from)
{
    for (int j = 0; j < from.Height(); ++j)
        for (int i = 0; i < from.Width(); ++i)
            GenSetPixel(dst, x + i, y + j, GenPixel(src, from.Left + i, from.Top + j));
}

int GenRoundCoverage(int x, int y, int w, int h, int r)
{
    if (r <= 0)
        return (x >= 0 && y >= 0 && x < w && y < h) ? 16 : 0;
    // Work in quarter pixels: sample (4x + sx + 0.5) becomes 8x + 2sx + 1 in eighths.
    int n = 0;
    const int R8 = 8 * r;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const int px = 8 * x + 2 * sx + 1, py = 8 * y + 2 * sy + 1;
            if (px < 0 || py < 0 || px >= 8 * w || py >= 8 * h)
                continue;
            // Distance from the nearest corner's centre, when the sample lies in a corner square.
            const int cx = px < R8 ? R8 : (px > 8 * w - R8 ? 8 * w - R8 : px);
            const int cy = py < R8 ? R8 : (py > 8 * h - R8 ? 8 * h - R8 : py);
            const int dx = px - cx, dy = py - cy;
            if (dx * dx + dy * dy <= R8 * R8)
                ++n;
        }
    return n;
}

void GenFillRounded(QImage& img, TRect r, int radius, TGenRgb c)
{
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            GenBlendPixel(img, r.Left + x, r.Top + y, c, GenRoundCoverage(x, y, r.Width(), r.Height(), radius) * 16);
}

void GenFrameRounded(QImage& img, TRect r, int radius, TGenRgb c)
{
    // The outline is the shape less the shape shrunk by one pixel.
    const int w = r.Width(), h = r.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int outer = GenRoundCoverage(x, y, w, h, radius);
            const int inner = GenRoundCoverage(x - 1, y - 1, w - 2, h - 2, std::max(0, radius - 1));
            const int a = std::max(0, outer - inner);
            if (a > 0)
                GenBlendPixel(img, r.Left + x, r.Top + y, c, a * 16);
        }
}

void GenGlyph(QImage& img, int x, int y, const char* const* rows, int rowCount, TGenRgb ink)
{
    for (int j = 0; j < rowCount; ++j)
        for (int i = 0; rows[j][i]; ++i) {
            if (rows[j][i] == '#')
                GenSetPixel(img, x + i, y + j, ink);
            else if (rows[j][i] == '+')
                GenBlendPixel(img, x + i, y + j, ink, 128);
        }
}

void GenGlyphCentred(QImage& img, TRect r, const char* const* rows, int rowCount, TGenRgb ink)
{
    const int w = int(std::strlen(rows[0]));
    GenGlyph(img, r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - rowCount) / 2, rows, rowCount, ink);
}

namespace {
// sRGB channel value to linear light, in millionths.
constexpr int kLinear[256] = {
    0, 304, 607, 911, 1214, 1518, 1821, 2125, 2428, 2732, 3035, 3347, 3677, 4025, 4391, 4777,
    5182, 5605, 6049, 6512, 6995, 7499, 8023, 8568, 9134, 9721, 10330, 10960, 11612, 12286, 12983, 13702,
    14444, 15209, 15996, 16807, 17642, 18500, 19382, 20289, 21219, 22174, 23153, 24158, 25187, 26241, 27321, 28426,
    29557, 30713, 31896, 33105, 34340, 35601, 36889, 38204, 39546, 40915, 42311, 43735, 45186, 46665, 48172, 49707,
    51269, 52861, 54480, 56128, 57805, 59511, 61246, 63010, 64803, 66626, 68478, 70360, 72272, 74214, 76185, 78187,
    80220, 82283, 84376, 86500, 88656, 90842, 93059, 95307, 97587, 99899, 102242, 104616, 107023, 109462, 111932, 114435,
    116971, 119538, 122139, 124772, 127438, 130136, 132868, 135633, 138432, 141263, 144128, 147027, 149960, 152926, 155926, 158961,
    162029, 165132, 168269, 171441, 174647, 177888, 181164, 184475, 187821, 191202, 194618, 198069, 201556, 205079, 208637, 212231,
    215861, 219526, 223228, 226966, 230740, 234551, 238398, 242281, 246201, 250158, 254152, 258183, 262251, 266356, 270498, 274677,
    278894, 283149, 287441, 291771, 296138, 300544, 304987, 309469, 313989, 318547, 323143, 327778, 332452, 337164, 341914, 346704,
    351533, 356400, 361307, 366253, 371238, 376262, 381326, 386429, 391572, 396755, 401978, 407240, 412543, 417885, 423268, 428690,
    434154, 439657, 445201, 450786, 456411, 462077, 467784, 473531, 479320, 485150, 491021, 496933, 502886, 508881, 514918, 520996,
    527115, 533276, 539479, 545724, 552011, 558340, 564712, 571125, 577580, 584078, 590619, 597202, 603827, 610496, 617207, 623960,
    630757, 637597, 644480, 651406, 658375, 665387, 672443, 679542, 686685, 693872, 701102, 708376, 715694, 723055, 730461, 737910,
    745404, 752942, 760525, 768151, 775822, 783538, 791298, 799103, 806952, 814847, 822786, 830770, 838799, 846873, 854993, 863157,
    871367, 879622, 887923, 896269, 904661, 913099, 921582, 930111, 938686, 947307, 955973, 964686, 973445, 982251, 991102, 1000000,
};
long long Luminance(TGenRgb c)
{
    return (2126LL * kLinear[GenRed(c)] + 7152LL * kLinear[GenGreen(c)] + 722LL * kLinear[GenBlue(c)]) / 10000;
}
}  // namespace

bool GenContrastAtLeast(TGenRgb a, TGenRgb b, int num, int den)
{
    long long la = Luminance(a), lb = Luminance(b);
    if (la < lb)
        std::swap(la, lb);
    return (la + 50000) * den >= (lb + 50000) * num;
}
