// Blend arithmetic of both routine sets, nearest-neighbour mapping and the
// bitmap's drawing routes, checked against hand-computed pixels.
#include "platform/Canvas.h"
#include "skin/model/draw/PixelRoutines.h"
#include "skin/model/draw/QvBitmap.h"
#include "tests/skin/model/draw/NearestIndex.h"

#include <gtest/gtest.h>

#include <ostream>
#include <utility>

namespace {

struct BlendCase {
    const char* name;
    TqvColor src, dst, plain, mmx;
};

void PrintTo(const BlendCase& c, std::ostream* os) { *os << c.name; }

// Hand-computed: channel (S*a + D*(255-a)) div 256 with opaque result for the
// plain set; (S*a + D*(256-a)) div 256 and alpha (a*a + Da*(256-a)) div 256
// for the other.
const BlendCase kBlendCases[] = {
    {"alpha0_keeps_dst", 0x00FFFFFF, 0x80102030, 0x80102030, 0x80102030},
    {"alpha255_copies", 0xFF112233, 0x80445566, 0xFF112233, 0xFF112233},
    {"alpha128_red_over_blue", 0x80FF0000, 0xFF000080, 0xFF7F003F, 0xBF7F0040},
    {"alpha128_grey_over_white", 0x80404040, 0xFFFFFFFF, 0xFF9E9E9E, 0xBF9F9F9F},
    {"alpha1_over_transparent", 0x01FF0000, 0x00000000, 0xFF000000, 0x00000000},
    {"alpha254_over_transparent", 0xFEFF00FF, 0x00000000, 0xFFFD00FD, 0xFCFD00FD},
};

class BlendTest : public ::testing::TestWithParam<BlendCase> {};

TEST_P(BlendTest, BothSetsMatchHandComputedRows) {
    const BlendCase& c = GetParam();
    for (bool mmx : {false, true}) {
        TqvPixelRoutinesScope scope(mmx ? MMXPixelRoutines() : PlainPixelRoutines());
        TqvColor row[3] = {c.dst, c.dst, c.dst};
        const TqvColor src[3] = {c.src, c.src, c.src};
        PixelRoutines.BlendRow(src, row, 3);
        const TqvColor want = mmx ? c.mmx : c.plain;
        for (TqvColor got : row) EXPECT_EQ(got, want) << (mmx ? "mmx" : "plain") << std::hex << " got " << got;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BlendTest, ::testing::ValuesIn(kBlendCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BlendPixel, MmxFormHasNoShortcutsPlainFormHas) {
    // Alpha 255 over a pixel: the arithmetic form still mixes in 1/256 of D.
    EXPECT_EQ(MMXPixelRoutines().BlendPixel(0xFF000000, 0xFFFFFFFF), 0xFF000000u);
    EXPECT_EQ(MMXPixelRoutines().BlendPixel(0x00000000, 0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(PlainPixelRoutines().BlendPixel(0x00123456, 0x80ABCDEF), 0x80ABCDEFu);
    EXPECT_EQ(MMXPixelRoutines().BlendPixel(0x80FF0000, 0xFF000080), 0xBF7F0040u);
}

TEST(KeyRow, KeyPixelsLeaveDestinationOthersBecomeOpaque) {
    const TqvColor src[3] = {qvColorKey, 0x12345678, 0xAA7F007F};
    TqvColor dst[3] = {1, 2, 3};
    PixelRoutines.KeyRow(src, dst, 3);
    EXPECT_EQ(dst[0], 1u);
    EXPECT_EQ(dst[1], 0xFF345678u);
    EXPECT_EQ(dst[2], 3u);  // the low 24 bits decide, whatever the alpha
}

// A bitmap whose every pixel names its own coordinates.
void FillCoded(TqvBitmap& b, int w, int h, std::uint8_t alpha = 255) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, qvARGB(alpha, x, y, 7));
}

TEST(TqvBitmap, SetSizeTakesAbsoluteValuesAndIgnoresZeroAndRepeats) {
    TqvBitmap b;
    EXPECT_TRUE(b.Empty());
    b.SetSize(-10, 20);
    EXPECT_EQ(b.Width(), 10);
    EXPECT_EQ(b.Height(), 20);
    EXPECT_EQ(b.Pixel(9, 19), 0u);  // new pixels are zero
    b.SetPixel(3, 3, 0xFF010203);
    b.SetSize(0, 20);
    b.SetSize(10, 20);
    EXPECT_EQ(b.Pixel(3, 3), 0xFF010203u);  // kept
    b.SetPixel(-1, 0, 5);                    // ignored outside
    b.SetPixel(10, 0, 5);
    EXPECT_EQ(b.Width(), 10);
}

TEST(TqvBitmap, StretchDoublesEachPixelAndOneWideTakesTheMiddleColumn) {
    TqvBitmap src, dst;
    FillCoded(src, 5, 5);
    dst.SetSize(10, 10);
    src.Draw(dst, TRect{0, 0, 10, 10});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            // Map of 5 onto 10: round(i * 4 / 9), halves to even.
            const int sx = NearestIndex(x, 10, 0, 5), sy = NearestIndex(y, 10, 0, 5);
            ASSERT_EQ(dst.Pixel(x, y), qvARGB(255, sx, sy, 7)) << x << "," << y;
        }
    EXPECT_EQ(dst.Pixel(0, 0), qvARGB(255, 0, 0, 7));
    EXPECT_EQ(dst.Pixel(9, 9), qvARGB(255, 4, 4, 7));

    TqvBitmap col;
    col.SetSize(1, 5);
    src.Draw(col, TRect{0, 0, 1, 5});
    for (int y = 0; y < 5; ++y) EXPECT_EQ(col.Pixel(0, y), qvARGB(255, 2, y, 7));
}

TEST(TqvBitmap, SourceRectOutsideTheSourceDrawsNothing) {
    TqvBitmap src, dst;
    FillCoded(src, 5, 5);
    dst.SetSize(10, 10);
    src.Draw(dst, TRect{0, 0, 10, 10}, TRect{0, 0, 6, 5});
    src.Draw(dst, 0, 0, TRect{-1, 0, 4, 5});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(dst.Pixel(x, y), 0u);
}

TEST(TqvBitmap, RouteFollowsTheSourceFlags) {
    TqvBitmap src, dst;
    src.SetSize(2, 1);
    src.SetPixel(0, 0, 0x80FF0000);
    src.SetPixel(1, 0, qvColorKey);
    dst.SetSize(2, 1);
    auto reset = [&] { dst.Clear(0xFF000080); };

    reset();
    src.Draw(dst, 0, 0);  // plain copy, alpha and key pixel included
    EXPECT_EQ(dst.Pixel(0, 0), 0x80FF0000u);
    EXPECT_EQ(dst.Pixel(1, 0), qvColorKey);

    reset();
    src.SetTransparent(true);
    src.Draw(dst, 0, 0);
    EXPECT_EQ(dst.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(dst.Pixel(1, 0), 0xFF000080u);

    reset();
    src.SetAlphaBlend(true);  // wins over the key
    TqvPixelRoutinesScope plain(PlainPixelRoutines());
    src.Draw(dst, 0, 0);
    EXPECT_EQ(dst.Pixel(0, 0), 0xFF7F003Fu);
    EXPECT_EQ(dst.Pixel(1, 0), 0xFF000080u);  // key has alpha 0
}

TEST(TqvBitmap, DrawingOntoAnotherBitmapsImageBlendsInPlaceHonouringTheOrigin) {
    TqvBitmap src, dst;
    src.SetSize(1, 1);
    src.SetPixel(0, 0, 0x80FF0000);
    src.SetAlphaBlend(true);
    dst.SetSize(4, 4);
    dst.Clear(0xFF000080);
    TqvPixelRoutinesScope mmx(MMXPixelRoutines());
    // The image the canvas draws on is the bitmap's own; origin (1, 1) moves
    // the drawing one pixel up and left.
    src.Draw(const_cast<QImage&>(dst.Image()), 3, 3, TPoint{1, 1});
    EXPECT_EQ(dst.Pixel(2, 2), 0xBF7F0040u);
    EXPECT_EQ(dst.Pixel(3, 3), 0xFF000080u);
    // Through the bitmap's own canvas: the same route, alpha kept.
    src.Draw(dst.Canvas(), 0, 0);
    EXPECT_EQ(dst.Pixel(0, 0), 0xBF7F0040u);
    // The canvas follows a resize.
    dst.SetSize(2, 2);
    src.Draw(dst.Canvas(), TRect{1, 1, 2, 2});
    EXPECT_EQ(dst.Pixel(1, 1), MMXPixelRoutines().BlendPixel(0x80FF0000, 0));
}

TEST(TqvBitmap, DrawingOntoAnOpaqueImageKeepsItOpaque) {
    TqvBitmap src;
    src.SetSize(1, 1);
    src.SetPixel(0, 0, 0x80FF0000);
    src.SetAlphaBlend(true);
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(0xFF000080);
    TqvPixelRoutinesScope mmx(MMXPixelRoutines());
    src.Draw(img, 1, 1);
    EXPECT_EQ(img.pixel(1, 1), 0xFF7F0040u);
    EXPECT_EQ(img.pixel(0, 0), 0xFF000080u);
    // pixel() hides the stored alpha of a 32-bit RGB picture; the raw words
    // show it. The blend gives 0xBF alpha, which must not stay behind,
    // wherever the origin moves the drawing.
    auto raw = [&img](int x, int y) { return reinterpret_cast<const QRgb*>(img.constScanLine(y))[x]; };
    src.Draw(img, 3, 3, TPoint{1, 1});
    src.Tile(img, TRect{1, 3, 3, 4}, TRect{0, 0, 1, 1}, TPoint{1, 0});
    src.TileClip(img, TRect{3, 1, 4, 2}, TRect{}, TRect{0, 0, 1, 1}, TPoint{0, 1});
    for (const auto& [x, y] : {std::pair{1, 1}, {2, 2}, {0, 3}, {1, 3}, {3, 0}})
        EXPECT_EQ(raw(x, y), 0xFF7F0040u) << x << "," << y;
    EXPECT_EQ(raw(3, 3), 0xFF000080u);
}

TEST(TqvBitmap, TilesStartAtTheCornerAndCutAtTheEdges) {
    TqvBitmap src, dst;
    FillCoded(src, 5, 5);
    dst.SetSize(12, 12);
    src.Tile(dst, TRect{1, 1, 11, 11}, TRect{1, 1, 4, 4});  // 3x3 tiles over 10x10: 16 tiles
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 1 && x < 11 && y >= 1 && y < 11;
            const TqvColor want = inside ? qvARGB(255, 1 + (x - 1) % 3, 1 + (y - 1) % 3, 7) : 0;
            ASSERT_EQ(dst.Pixel(x, y), want) << x << "," << y;
        }
}

TEST(TqvBitmap, TileClipDrawsOnlyTilesMeetingTheClip) {
    TqvBitmap src, dst;
    FillCoded(src, 3, 3);
    dst.SetSize(9, 3);
    src.TileClip(dst, TRect{0, 0, 9, 3}, TRect{4, 0, 5, 1}, TRect{0, 0, 3, 3});
    EXPECT_EQ(dst.Pixel(0, 0), 0u);
    EXPECT_EQ(dst.Pixel(3, 0), qvARGB(255, 0, 0, 7));  // the whole middle tile
    EXPECT_EQ(dst.Pixel(5, 2), qvARGB(255, 2, 2, 7));
    EXPECT_EQ(dst.Pixel(6, 0), 0u);
}

TEST(TqvBitmap, MergeDrawFillsTransparentBlendsPartialKeepsOpaque) {
    TqvBitmap top, under;
    top.SetSize(3, 1);
    top.SetPixel(0, 0, 0x00000000);
    top.SetPixel(1, 0, 0x80FF0000);
    top.SetPixel(2, 0, 0xFF00FF00);
    under.SetSize(3, 1);
    under.Clear(0xFF000080);
    TqvPixelRoutinesScope plain(PlainPixelRoutines());
    top.MergeDraw(under, 0, 0, TRect{0, 0, 3, 1});
    EXPECT_EQ(top.Pixel(0, 0), 0xFF000080u);
    EXPECT_EQ(top.Pixel(1, 0), 0xFF7F003Fu);
    EXPECT_EQ(top.Pixel(2, 0), 0xFF00FF00u);
}

TEST(TqvBitmap, MergeDrawClipsTheSourceAndMovesTheDestination) {
    TqvBitmap top, under;
    top.SetSize(3, 1);
    FillCoded(under, 3, 1);
    top.MergeDraw(under, 0, 0, TRect{-1, 0, 5, 1});  // cut one at the left: lands at x 1
    EXPECT_EQ(top.Pixel(0, 0), 0u);
    EXPECT_EQ(top.Pixel(1, 0), qvARGB(255, 0, 0, 7));
    EXPECT_EQ(top.Pixel(2, 0), qvARGB(255, 1, 0, 7));
}

TEST(TqvBitmap, CheckingTransparentToleratesFivePerChannel) {
    TqvBitmap b;
    b.SetSize(2, 1);
    b.SetPixel(0, 0, qvARGB(255, 250, 5, 250));
    b.SetPixel(1, 0, qvARGB(255, 249, 0, 255));
    b.CheckingTransparent(0x00FF00FF);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.Pixel(0, 0), qvColorKey);
    EXPECT_EQ(b.Pixel(1, 0), qvARGB(255, 249, 0, 255));
}

TEST(TqvBitmap, AlphaChecksAndFills) {
    TqvBitmap b;
    b.SetSize(3, 3);
    b.Clear(0xFF102030);
    b.CheckingAlphaBlend();
    EXPECT_FALSE(b.AlphaBlend());
    b.SetAlpha(0x40, TRect{2, 2, 9, 9});
    EXPECT_EQ(b.Pixel(2, 2), 0x40102030u);
    EXPECT_EQ(b.Pixel(1, 1), 0xFF102030u);
    b.CheckingAlphaBlend(TRect{0, 0, 2, 2});
    EXPECT_FALSE(b.AlphaBlend());
    b.CheckingAlphaBlend();
    EXPECT_TRUE(b.AlphaBlend());

    TqvPixelRoutinesScope plain(PlainPixelRoutines());
    b.FillRect(TRect{0, 0, 1, 1}, 0x80FF0000);  // blended while AlphaBlend is set
    EXPECT_EQ(b.Pixel(0, 0), qvARGB(255, (255 * 128 + 0x10 * 127) >> 8, (0x20 * 127) >> 8, (0x30 * 127) >> 8));
    b.SetAlphaBlend(false);
    b.FillRect(TRect{-5, -5, 1, 1}, 0x80FF0000);
    EXPECT_EQ(b.Pixel(0, 0), 0x80FF0000u);
}

TEST(TqvBitmap, AssignKeepsAlphaOfAlphaPicturesAndMakesOthersOpaque) {
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, 0x80102030);
    argb.setPixel(1, 0, 0xFF405060);
    TqvBitmap b;
    b.Assign(argb);
    EXPECT_EQ(b.Pixel(0, 0), 0x80102030u);
    EXPECT_TRUE(b.AlphaBlend());

    QImage rgb(2, 1, QImage::Format_BGR888);
    rgb.setPixel(0, 0, qRgb(1, 2, 3));
    TqvBitmap c;
    c.Assign(rgb);
    EXPECT_EQ(c.Pixel(0, 0), 0xFF010203u);
    EXPECT_FALSE(c.AlphaBlend());

    TqvBitmap d;
    d.SetName("n");
    d.Assign(b);
    EXPECT_EQ(d.Pixel(1, 0), 0xFF405060u);
    EXPECT_TRUE(d.AlphaBlend());
}

TEST(TqvBitmap, DrawGraphicKeepsMagentaPixels) {
    QImage pic(1, 1, QImage::Format_RGB32);
    pic.fill(qRgb(255, 0, 255));
    TqvBitmap b;
    b.SetSize(2, 2);
    b.DrawGraphic(pic, TRect{0, 0, 2, 2});
    EXPECT_EQ(b.Pixel(1, 1), 0xFFFF00FFu);
}

}  // namespace
