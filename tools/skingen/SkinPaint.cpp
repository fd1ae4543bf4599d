#include "tools/skingen/SkinPaint.h"

#include <algorithm>

namespace gly {
// clang-format off
const char* const Close[8] = {
    "##....##", "###..###", ".######.", "..####..", "..####..", ".######.", "###..###", "##....##"};
const char* const Minimize[8] = {
    "........", "........", "........", "........", "........", "........", "########", "########"};
const char* const Maximize[8] = {
    "########", "########", "#......#", "#......#", "#......#", "#......#", "#......#", "########"};
const char* const Restore[9] = {
    "..######.", "..######.", "..#....#.", "######.#.", "######.#.", "#....###.", "#....#...", "#....#...",
    "######..."};
const char* const RollUp[8] = {
    "........", "...##...", "..####..", ".######.", "###..###", "##....##", "........", "........"};
const char* const RollDown[8] = {
    "........", "........", "##....##", "###..###", ".######.", "..####..", "...##...", "........"};
const char* const SysMenu[8] = {
    "########", "########", "#......#", "#.####.#", "#......#", "#.####.#", "#......#", "########"};
const char* const ArrowDown[4] = {"#######", ".#####.", "..###..", "...#..."};
const char* const ArrowUp[4] = {"...#...", "..###..", ".#####.", "#######"};
const char* const ArrowLeft[7] = {"...#", "..##", ".###", "####", ".###", "..##", "...#"};
const char* const ArrowRight[7] = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};
const char* const Check[7] = {
    "........#", ".......##", "#.....##.", "##...##..", ".##.##...", "..###....", "...#....."};
const char* const Radio[5] = {".###.", "#####", "#####", "#####", ".###."};
const char* const GripV[7] = {"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#"};
const char* const GripH[5] = {"#######", ".......", "#######", ".......", "#######"};
const char* const Dots[3] = {"#...#...#...#", ".............", "..#...#...#.."};
const char* const DotsV[9] = {"#.", "..", ".#", "..", "#.", "..", ".#", "..", "#."};
// clang-format on
}  // namespace gly

namespace {

int Luma(TGenRgb c)
{
    return (GenRed(c) * 299 + GenGreen(c) * 587 + GenBlue(c) * 114) / 1000;
}

}  // namespace

TSkinPainter::TSkinPainter(const TqvSkinTheme& theme) : FTheme(theme)
{
    // Fixed seeds: the grain and the paper are the same on every run.
    TGenRandom grain(0x5EED0001u);
    for (int& g : FGrain)
        g = grain.Next(7) - 3;
    TGenRandom paper(0x5EED0002u);
    for (auto& row : FNoise)
        for (TGenRgb& c : row) {
            const int d = paper.Next(9) - 4;
            // A few darker fibres among the fine grain.
            c = GenShade(theme.Client, paper.Next(23) == 0 ? d - 4 : d);
        }
    // Grounds: the client and its textures, faces from end to end, windows.
    const TGenRgb grounds[] = {theme.Client,
                               GenShade(theme.Client, -9),
                               GenShade(theme.Client, -8),
                               GenShade(theme.Client, 4),
                               FaceColor(TGenState::Normal, 0, 32),
                               FaceColor(TGenState::Normal, 16, 32),
                               FaceColor(TGenState::Normal, 31, 32),
                               theme.Window};
    // A margin over 3:1: what a control sits on is a shade off these at places.
    auto standOut = [&](TGenRgb from) {
        TGenRgb c = from;
        for (int k = 0; k <= 32; ++k) {
            c = GenMix(from, theme.Text, k, 32);
            bool standsOut = true;
            for (TGenRgb g : grounds)
                standsOut = standsOut && GenContrastAtLeast(c, g, 33, 10);
            if (standsOut)
                break;
        }
        return c;
    };
    FOutline = standOut(theme.Border);
    FAccentOutline = standOut(theme.Accent);
}

bool TSkinPainter::Dark() const
{
    return Luma(FTheme.Face) < 110;
}

int TSkinPainter::Grain(int i) const
{
    return FGrain[((i % 64) + 64) % 64];
}

TGenRgb TSkinPainter::FaceColor(TGenState state, int i, int n) const
{
    const TqvSkinTheme& t = FTheme;
    TGenRgb base = t.Face;
    switch (state) {
    case TGenState::Hot:
        base = Dark() ? GenMix(t.Face, t.Accent, 1, 4) : GenShade(GenMix(t.Face, t.Accent, 1, 6), 10);
        break;
    case TGenState::Down:
        base = Dark() ? GenShade(GenMix(t.Face, t.Accent, 1, 6), -10) : GenShade(GenMix(t.Face, t.Accent, 1, 8), -18);
        break;
    case TGenState::Disabled:
    case TGenState::Inactive:
        base = GenMix(t.Face, t.Client, 1, 2);
        break;
    case TGenState::Normal:
    case TGenState::Focused:
        break;
    }
    n = std::max(n, 2);
    // Pressed faces turn their light upside down.
    const int k = state == TGenState::Down ? n - 1 - i : i;
    const bool flat = state == TGenState::Disabled || state == TGenState::Inactive;
    switch (flat ? TGenFaceStyle::Flat : t.Style) {
    case TGenFaceStyle::Flat:
        return base;
    case TGenFaceStyle::Soft:
        return GenMix(GenShade(base, 12), GenShade(base, -10), k, n - 1);
    case TGenFaceStyle::Gloss:
        if (2 * k < n)
            return GenMix(GenShade(base, 26), GenShade(base, 10), k, std::max(1, n / 2 - 1));
        return GenMix(GenShade(base, -2), GenShade(base, -16), k - n / 2, std::max(1, n - 1 - n / 2));
    case TGenFaceStyle::Metal:
        return GenShade(GenMix(GenShade(base, 16), GenShade(base, -16), k, n - 1), Grain(k));
    case TGenFaceStyle::Sheen: {
        const TGenRgb body = GenMix(GenShade(base, 8), GenShade(base, -14), k, n - 1);
        if (5 * k < 2 * n)
            return GenMix(body, 0xFFFFFF, 3, 20);
        return body;
    }
    }
    return base;
}

TGenRgb TSkinPainter::BorderColor(TGenState state) const
{
    switch (state) {
    case TGenState::Hot:
        return GenMix(FOutline, FAccentOutline, 2, 3);
    case TGenState::Down:
    case TGenState::Focused:
        return FAccentOutline;
    case TGenState::Disabled:
    case TGenState::Inactive:
        return GenMix(FTheme.Border, FTheme.Face, 1, 2);
    case TGenState::Normal:
        break;
    }
    return FOutline;
}

TGenRgb TSkinPainter::SelectTint() const
{
    return GenMix(FTheme.Window, FTheme.Accent, Dark() ? 2 : 1, Dark() ? 5 : 4);
}

void TSkinPainter::Face(QImage& img, TRect r, TGenState state, TGenAxis axis, TGenRgb bg, int radius) const
{
    const int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0)
        return;
    radius = std::min(radius, std::min(w, h) / 2);
    GenFill(img, r, bg);
    const int n = axis == TGenAxis::Horizontal ? h : w;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int cover = GenRoundCoverage(x, y, w, h, radius);
            if (cover)
                GenBlendPixel(img, r.Left + x, r.Top + y,
                              FaceColor(state, axis == TGenAxis::Horizontal ? y : x, n), cover * 16);
        }
    // The inner line: light on raised faces, a shadow on pressed ones.
    const TGenRgb inner = state == TGenState::Down ? GenShade(FaceColor(state, n - 1, n), -14)
                                                   : GenShade(FaceColor(state, 0, n), Dark() ? 14 : 30);
    GenFrameRounded(img, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), std::max(0, radius - 1),
                    GenMix(FaceColor(state, n / 2, n), inner, 2, 3));
    GenFrameRounded(img, r, radius, BorderColor(state));
    if (state == TGenState::Focused)
        GenFrameRounded(img, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), std::max(0, radius - 1),
                        GenMix(FTheme.Accent, FaceColor(state, n / 2, n), 1, 3));
}

void TSkinPainter::Well(QImage& img, TRect r, TGenState state, TGenRgb bg) const
{
    const int radius = std::min(FTheme.Radius, 3);
    GenFill(img, r, bg);
    const TGenRgb fill = state == TGenState::Disabled ? GenMix(FTheme.Window, FTheme.Face, 1, 2) : FTheme.Window;
    GenFillRounded(img, r, radius, fill);
    // A shadow line under the top edge reads as sunken.
    GenHLine(img, r.Left + 2, r.Right - 2, r.Top + 1, GenMix(fill, FTheme.Border, 1, 5));
    const TGenRgb border = state == TGenState::Hot || state == TGenState::Focused ? FAccentOutline
                           : state == TGenState::Disabled ? GenMix(FTheme.Border, FTheme.Face, 1, 2)
                                                          : FOutline;
    GenFrameRounded(img, r, radius, border);
}

TGenRgb TSkinPainter::CaptionRow(int y, bool active) const
{
    constexpr int kRows = 30;  // the caption band's height in every skin
    y = std::clamp(y, 0, kRows - 1);
    TGenRgb c;
    if (FTheme.Style == TGenFaceStyle::Sheen) {
        c = GenMix(FTheme.CaptionTop, FTheme.CaptionBottom, y, kRows - 1);
        if (y < 12)
            c = GenMix(c, 0xFFFFFF, 2, 15);
    } else if (FTheme.Style == TGenFaceStyle::Gloss) {
        c = y < kRows / 2 ? GenMix(GenShade(FTheme.CaptionTop, 16), FTheme.CaptionTop, y, kRows / 2 - 1)
                          : GenMix(FTheme.CaptionBottom, GenShade(FTheme.CaptionBottom, -8), y - kRows / 2,
                                   kRows / 2 - 1);
    } else {
        c = GenMix(FTheme.CaptionTop, FTheme.CaptionBottom, y, kRows - 1);
    }
    if (FTheme.Style == TGenFaceStyle::Metal)
        c = GenShade(c, Grain(y + 7));
    if (!active)
        c = GenMix(c, FTheme.Client, 1, 2);
    return c;
}

TGenRgb TSkinPainter::ClientTexel(int x, int y) const
{
    const int p = TexturePeriod();
    x = ((x % p) + p) % p;
    y = ((y % p) + p) % p;
    switch (FTheme.Texture) {
    case TGenTexture::Stripes:
        // Fine vertical pinstripes: every fourth column a shade darker.
        return x % 4 == 0 ? GenShade(FTheme.Client, -9) : FTheme.Client;
    case TGenTexture::Noise:
        return FNoise[y][x];
    case TGenTexture::None:
        break;
    }
    return FTheme.Client;
}

void TSkinPainter::Client(QImage& img, TRect r) const
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            GenSetPixel(img, x, y, ClientTexel(x - r.Left, y - r.Top));
}
