// Composition of skin pictures. The source picture codes every pixel with its
// own coordinates (red = x, green = y), so each output pixel says which
// source pixel it came from; the expected maps below are written from the
// layout rules, piece by piece, with the stretch rule worked out apart from
// the drawing code's own (NearestIndex) or written out by hand.
#include "skin/model/draw/DrawUtils.h"
#include "platform/Canvas.h"
#include "skin/model/draw/PixelRoutines.h"
#include "skin/model/draw/SkinCompose.h"
#include "tests/skin/model/draw/NearestIndex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>

namespace {

QImage CodedPicture(int w = 40, int h = 30) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x, y, 9));
    return img;
}

constexpr QRgb kBlank = 0xFFFFFFFF;

// Compares every pixel with the picture pixel that Map names (x, y in the
// result -> skin coordinates, or {-1, -1} for an undrawn pixel).
void ExpectMapped(const QImage& out, TRect skinRect, const std::function<TPoint(int, int)>& Map) {
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const TPoint s = Map(x, y);
            const QRgb want = s.X < 0 ? kBlank : qRgb(skinRect.Left + s.X, skinRect.Top + s.Y, 9);
            ASSERT_EQ(out.pixel(x, y), want) << "at " << x << "," << y << " expected skin " << s.X << "," << s.Y
                                             << " got " << qRed(out.pixel(x, y)) - skinRect.Left << ","
                                             << qGreen(out.pixel(x, y)) - skinRect.Top;
        }
}

// A 12 x 10 skin object: borders left 3, top 2, right 3, bottom 2; top and
// bottom middles x 4..8, left and right middles y 3..7; client 6 x 6.
struct Nine {
    TRect SR{2, 1, 14, 11};
    TPoint LT{4, 3}, RT{8, 3}, LB{4, 7}, RB{8, 7};
    TRect Cl{3, 2, 9, 8};
    int W = 12, H = 10;
    TPoint NLT, NRT, NLB, NRB;
    TRect NCl;

    void Resize(int w, int h) {
        W = w;
        H = h;
        const int dx = w - RectWidth(SR), dy = h - RectHeight(SR);
        NLT = LT;
        NRT = {RT.X + dx, RT.Y};
        NLB = {LB.X, LB.Y + dy};
        NRB = {RB.X + dx, RB.Y + dy};
        NCl = {Cl.Left, Cl.Top, Cl.Right + dx, Cl.Bottom + dy};
    }
    QImage Compose(bool stretchBorders, bool drawClient, bool stretchEffect, TqvStretchType type,
                   bool openRight = false) const {
        QImage out;
        auto f = openRight ? ComposeSkinImageOpenRight : ComposeSkinImage;
        f(LT, RT, LB, RB, Cl, NLT, NRT, NLB, NRB, NCl, out, CodedPicture(), SR, W, H, drawClient, stretchBorders,
          stretchBorders, stretchBorders, stretchBorders, stretchEffect, type);
        return out;
    }
};

// Source index of a middle piece [from, from + len) spread over a span.
int Mid(bool stretch, int i, int span, int from, int len) {
    return stretch ? NearestIndex(i, span, from, len) : from + i % len;
}

// The reference layout of a nine-slice at the new size.
TPoint NineMap(const Nine& g, int x, int y, bool stretch, bool client, bool stretchClient) {
    auto horizontal = [&](int sy, TPoint L, TPoint R, TPoint NL, TPoint NR, int startFrom) -> TPoint {
        if (x < NL.X) return {startFrom + x - (startFrom ? g.NCl.Left : 0), sy};
        if (x < NR.X) return {Mid(stretch, x - NL.X, NR.X - NL.X, L.X, R.X - L.X), sy};
        return {R.X + x - NR.X, sy};
    };
    auto vertical = [&](int sx, TPoint T, TPoint B, TPoint NT, TPoint NB) -> TPoint {
        if (y < NT.Y) return {sx, g.Cl.Top + y - g.NCl.Top};
        if (y < NB.Y) return {sx, Mid(stretch, y - NT.Y, NB.Y - NT.Y, T.Y, B.Y - T.Y)};
        return {sx, B.Y + y - NB.Y};
    };
    if (y < g.NCl.Top) return horizontal(y, g.LT, g.RT, g.NLT, g.NRT, 0);
    if (x < g.NCl.Left) return vertical(x, g.LT, g.LB, g.NLT, g.NLB);  // owns the bottom-left corner
    if (y >= g.NCl.Bottom) return horizontal(g.Cl.Bottom + y - g.NCl.Bottom, g.LB, g.RB, g.NLB, g.NRB, g.Cl.Left);
    if (x >= g.NCl.Right) return vertical(g.Cl.Right + x - g.NCl.Right, g.RT, g.RB, g.NRT, g.NRB);
    if (!client) return {-1, -1};
    const int cw = RectWidth(g.Cl), chh = RectHeight(g.Cl);
    return {Mid(stretchClient, x - g.NCl.Left, RectWidth(g.NCl), g.Cl.Left, cw),
            Mid(stretchClient, y - g.NCl.Top, RectHeight(g.NCl), g.Cl.Top, chh)};
}

TEST(ComposeSkinImage, OwnSizeReproducesTheSkinRectangleInEveryMode) {
    Nine g;
    g.Resize(12, 10);
    for (bool stretch : {false, true})
        for (TqvStretchType type : {qvstFull, qvstHorz, qvstVert})
            for (bool effect : {false, true}) {
                SCOPED_TRACE(testing::Message() << "stretch " << stretch << " type " << type << " effect " << effect);
                ExpectMapped(g.Compose(stretch, true, effect, type), g.SR, [](int x, int y) { return TPoint{x, y}; });
            }
}

TEST(ComposeSkinImage, TiledBordersAndCentreStartAtTheNewCornerPoints) {
    Nine g;
    g.Resize(25, 19);  // top middle span 17 = 4 + 4 + 4 + 4 + 1: the last tile cut to 1
    const QImage out = g.Compose(false, true, false, qvstFull);
    ASSERT_EQ(out.size(), QSize(25, 19));
    ExpectMapped(out, g.SR, [&](int x, int y) { return NineMap(g, x, y, false, true, false); });
}

TEST(ComposeSkinImage, StretchedBordersAndCentreFollowTheNearestRule) {
    Nine g;
    g.Resize(30, 17);
    ExpectMapped(g.Compose(true, true, true, qvstFull), g.SR,
                 [&](int x, int y) { return NineMap(g, x, y, true, true, true); });
}

// The same rules written out by hand for one size, 12 x 10 to 16 x 13: the
// borders take (kCols[x], kRows[y]), the centre (kCentreCols[x - 3],
// kCentreRows[y - 2]).
TEST(ComposeSkinImage, StretchedNineSliceMatchesAHandWrittenMap) {
    // Top and bottom middles, 4 source columns over 8: 4 + round(i * 3 / 7).
    const int kCols[16] = {0, 1, 2, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 9, 10, 11};
    // Side middles, 4 source rows over 7: 3 + round(i / 2), 0.5 -> 0, 1.5 -> 2, 2.5 -> 2.
    const int kRows[13] = {0, 1, 2, 3, 3, 4, 5, 5, 5, 6, 7, 8, 9};
    // Centre, 6 x 6 over 10 x 9: round(i * 5 / 9) and round(i * 5 / 8), 2.5 -> 2.
    const int kCentreCols[10] = {3, 4, 4, 5, 5, 6, 6, 7, 7, 8};
    const int kCentreRows[9] = {2, 3, 3, 4, 4, 5, 6, 6, 7};
    Nine g;
    g.Resize(16, 13);
    const QImage out = g.Compose(true, true, true, qvstFull);
    ASSERT_EQ(out.size(), QSize(16, 13));
    ExpectMapped(out, g.SR, [&](int x, int y) -> TPoint {
        const bool centre = x >= 3 && x < 13 && y >= 2 && y < 11;
        return centre ? TPoint{kCentreCols[x - 3], kCentreRows[y - 2]} : TPoint{kCols[x], kRows[y]};
    });
}

TEST(ComposeSkinImage, WithoutClientTheCentreStaysBlank) {
    Nine g;
    g.Resize(20, 14);
    ExpectMapped(g.Compose(false, false, false, qvstFull), g.SR,
                 [&](int x, int y) { return NineMap(g, x, y, false, false, false); });
}

TEST(ComposeSkinImage, StripStretchTypesStretchOneWayAndTileTheOther) {
    Nine g;
    g.Resize(25, 19);  // client 19 x 15 from a 6 x 6 piece
    const QImage horz = g.Compose(false, true, true, qvstHorz);
    const QImage vert = g.Compose(false, true, true, qvstVert);
    for (int y = g.NCl.Top; y < g.NCl.Bottom; ++y)
        for (int x = g.NCl.Left; x < g.NCl.Right; ++x) {
            const int i = x - g.NCl.Left, j = y - g.NCl.Top;
            ASSERT_EQ(horz.pixel(x, y), qRgb(g.SR.Left + 3 + i % 6, g.SR.Top + NearestIndex(j, 15, 2, 6), 9))
                << x << "," << y;
            ASSERT_EQ(vert.pixel(x, y), qRgb(g.SR.Left + NearestIndex(i, 19, 3, 6), g.SR.Top + 2 + j % 6, 9))
                << x << "," << y;
        }
}

TEST(ComposeSkinImage, DegenerateCornerPointsLeaveASizedBlankImage) {
    Nine g;
    g.Resize(20, 14);
    g.RB.X = g.LT.X;
    const QImage out = g.Compose(false, true, false, qvstFull);
    ASSERT_EQ(out.size(), QSize(20, 14));
    ExpectMapped(out, g.SR, [](int, int) { return TPoint{-1, -1}; });
}

TEST(ComposeSkinImageOpenRight, TopBottomAndClientRunToTheRightEdge) {
    Nine g;
    g.Resize(25, 19);
    const QImage out = g.Compose(false, true, true, qvstVert, true);
    // Top middle tiles on to the edge; no top end piece.
    for (int x = g.NLT.X; x < 25; ++x) ASSERT_EQ(out.pixel(x, 0), qRgb(g.SR.Left + 4 + (x - 4) % 4, g.SR.Top, 9)) << x;
    // Client (vertical strips: stretched across the widened width) reaches x 24.
    for (int x = g.NCl.Left; x < 25; ++x)
        ASSERT_EQ(out.pixel(x, 5), qRgb(g.SR.Left + NearestIndex(x - 3, 22, 3, 6), g.SR.Top + 2 + 3, 9)) << x;
    // Bottom row to the edge as well.
    EXPECT_EQ(out.pixel(24, 18), qRgb(g.SR.Left + 4 + (24 - 4) % 4, g.SR.Top + 9, 9));
}

TEST(ResizeSkinImage, CornersKeepTheirSizeBordersAndCentreStretch) {
    QImage out(20, 16, QImage::Format_RGB32);
    const TRect SR{2, 1, 14, 11}, Cl{3, 2, 9, 8};
    ResizeSkinImage(out, CodedPicture(), SR, Cl, true);
    ASSERT_EQ(out.size(), QSize(20, 16));
    EXPECT_EQ(out.pixel(0, 0), qRgb(2, 1, 9));
    EXPECT_EQ(out.pixel(19, 15), qRgb(13, 10, 9));
    EXPECT_EQ(out.pixel(17, 0), qRgb(2 + 9, 1, 9));  // top end
    // Centre 14 x 12 from 6 x 6.
    EXPECT_EQ(out.pixel(3 + 13, 2 + 11), qRgb(2 + 8, 1 + 7, 9));
    EXPECT_EQ(out.pixel(3 + 6, 2 + 5), qRgb(2 + 3 + NearestIndex(6, 14, 0, 6), 1 + 2 + NearestIndex(5, 12, 0, 6), 9));
}

// ---- three-slice bars: a 20 x 4 bar at x 5 of the picture

struct BarCase {
    const char* name;
    int kind;  // 0 full, 1 open right, 2 middle only
    int W;
    bool stretch;
};

void PrintTo(const BarCase& c, std::ostream* os) { *os << c.name; }

TPoint BarMap(const BarCase& c, int x, int y) {
    const int L = 4, R = 4, SW = 20, mid = SW - L - R;
    const int from = c.kind == 2 ? 0 : L;
    const int to = c.kind == 0 ? c.W - R : c.W;
    // The right end is drawn after the left one and wins where they overlap.
    if (c.kind == 0 && x >= c.W - R) return {SW - R + x - (c.W - R), y};
    if (c.kind != 2 && x < L) return {x, y};
    if (to - from <= 0) return {-1, -1};
    return {Mid(c.stretch, x - from, to - from, L, mid), y};
}

class HorzBarTest : public ::testing::TestWithParam<BarCase> {};

TEST_P(HorzBarTest, EndsCopiedMiddleTiledOrStretched) {
    const BarCase& c = GetParam();
    const TRect SR{5, 2, 25, 6};
    QImage out;
    auto f = c.kind == 0 ? MakeHorzSkinImage : c.kind == 1 ? MakeHorzSkinImageOpenRight : MakeHorzSkinImageMiddle;
    f(4, 4, out, CodedPicture(), SR, c.W, 999, c.stretch);
    ASSERT_EQ(out.size(), QSize(c.W, 4));
    ExpectMapped(out, SR, [&](int x, int y) { return BarMap(c, x, y); });
}

INSTANTIATE_TEST_SUITE_P(Cases, HorzBarTest,
                         ::testing::Values(BarCase{"full_w30_tiles_at_4_and_16", 0, 30, false},
                                           BarCase{"full_w8_only_ends", 0, 8, false},
                                           BarCase{"full_w6_ends_overlap", 0, 6, false},
                                           BarCase{"full_w33_stretched", 0, 33, true},
                                           BarCase{"open_right_w27", 1, 27, false},
                                           BarCase{"middle_w25_tiles_at_0_10_20", 2, 25, false},
                                           BarCase{"middle_w25_stretched", 2, 25, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MakeVertSkinImage, EndsCopiedMiddleTiledAndCut) {
    const TRect SR{3, 2, 7, 14};  // 4 x 12: top 3, bottom 2, middle 7
    QImage out;
    MakeVertSkinImage(3, 2, out, CodedPicture(), SR, 999, 20, false);
    ASSERT_EQ(out.size(), QSize(4, 20));
    ExpectMapped(out, SR, [](int x, int y) -> TPoint {
        if (y < 3) return {x, y};
        if (y >= 18) return {x, 10 + y - 18};
        return {x, 3 + (y - 3) % 7};
    });
    MakeVertSkinImage(3, 2, out, CodedPicture(), SR, 999, 5, true);
    ExpectMapped(out, SR, [](int x, int y) -> TPoint { return y < 3 ? TPoint{x, y} : TPoint{x, 10 + y - 3}; });
}

// ---- border pieces

TEST(ComposeSkinFrameImage, PiecesTileFromTheirOwnEdges) {
    Nine g;
    g.Resize(25, 19);
    QImage left, top, right, bottom;
    ComposeSkinFrameImage(g.LT, g.RT, g.LB, g.RB, g.Cl, g.NLT, g.NRT, g.NLB, g.NRB, g.NCl, left, top, right, bottom,
                          CodedPicture(), g.SR, g.W, g.H, false, false, false, false);
    ASSERT_EQ(top.size(), QSize(25, 2));
    ASSERT_EQ(bottom.size(), QSize(25, 2));
    ASSERT_EQ(left.size(), QSize(3, 15));
    ASSERT_EQ(right.size(), QSize(3, 15));
    ExpectMapped(top, g.SR, [](int x, int y) -> TPoint {
        if (x < 4) return {x, y};
        if (x >= 21) return {8 + x - 21, y};
        return {4 + x % 4, y};  // tiles counted from x 0 of the piece
    });
    ExpectMapped(bottom, g.SR, [](int x, int y) -> TPoint {
        if (x < 4) return {x, 8 + y};
        if (x >= 21) return {8 + x - 21, 8 + y};
        return {4 + x % 4, 8 + y};
    });
    // Left: rows ClRect.Top..LTPt.Y (1 row) on top, LBPt.Y..ClRect.Bottom (1 row) at the bottom.
    ExpectMapped(left, g.SR, [](int x, int y) -> TPoint {
        if (y < 1) return {x, 2 + y};
        if (y >= 14) return {x, 7};
        return {x, 3 + y % 4};
    });
    ExpectMapped(right, g.SR, [](int x, int y) -> TPoint {
        if (y < 1) return {9 + x, 2 + y};
        if (y >= 14) return {9 + x, 7};
        return {9 + x, 3 + y % 4};
    });
}

TEST(ComposeSkinFrameImage, StretchedMiddlesFillTheSpansBetweenTheFixedParts) {
    Nine g;
    g.Resize(30, 20);
    QImage left, top, right, bottom;
    ComposeSkinFrameImage(g.LT, g.RT, g.LB, g.RB, g.Cl, g.NLT, g.NRT, g.NLB, g.NRB, g.NCl, left, top, right, bottom,
                          CodedPicture(), g.SR, g.W, g.H, true, true, true, true);
    ExpectMapped(top, g.SR, [](int x, int y) -> TPoint {
        if (x < 4) return {x, y};
        if (x >= 26) return {8 + x - 26, y};
        return {NearestIndex(x - 4, 22, 4, 4), y};
    });
    ASSERT_EQ(left.size(), QSize(3, 16));
    ExpectMapped(left, g.SR, [](int x, int y) -> TPoint {
        if (y < 1) return {x, 2};
        if (y >= 15) return {x, 7};
        return {x, NearestIndex(y - 1, 14, 3, 4)};
    });
}

// ---- masks and regions

QImage Mask(const char* const* rows, int h) {
    const int w = static_cast<int>(strlen(rows[0]));
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, rows[y][x] == '#' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return img;
}

TEST(BuildMaskRegionData, OneRectanglePerBlackRun) {
    struct Case {
        const char* name;
        std::vector<const char*> rows;
        std::vector<TRect> rects;
    };
    const Case cases[] = {
        {"three_one_two", {"###.##"}, {{10, 20, 13, 21}, {14, 20, 16, 21}}},
        {"all_white", {"....", "...."}, {}},
        {"all_black_5x4", {"#####", "#####", "#####", "#####"},
         {{10, 20, 15, 21}, {10, 21, 15, 22}, {10, 22, 15, 23}, {10, 23, 15, 24}}},
        {"runs_to_row_end", {".#.#", "##.."}, {{11, 20, 12, 21}, {13, 20, 14, 21}, {10, 21, 12, 22}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TqvRegionData data;
        const int size = BuildMaskRegionData(Mask(c.rows.data(), int(c.rows.size())), 10, 20, data);
        EXPECT_EQ(size, 32 + 16 * int(c.rects.size()));
        EXPECT_EQ(data.Rects, c.rects);
        EXPECT_EQ(data.Bound, Bounds(10, 20, int(strlen(c.rows[0])), int(c.rows.size())));
    }
    TqvRegionData none;
    EXPECT_EQ(BuildMaskRegionData(QImage(), 0, 0, none), 0);
}

TEST(CreateRegionFromMask, RegionHoldsExactlyTheBlackPixels) {
    const char* rows[] = {"#..#", ".##.", "####"};
    QRegion rgn;
    ASSERT_TRUE(CreateRegionFromMask(rgn, Mask(rows, 3)));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(rgn.contains(QPoint(x, y)), rows[y][x] == '#') << x << "," << y;
    EXPECT_FALSE(CreateRegionFromMask(rgn, QImage()));
}

// A 10 x 8 mask with rounded corners: border 2 all round, corner points at
// the client corners so the middles are 6 x 4.
const char* kRounded[] = {
    "..######..",
    ".########.",
    "##########",
    "##########",
    "##########",
    "##########",
    ".########.",
    "..######..",
};

TEST(CreateSkinRegion, CornersStayCutAtTheNewSize) {
    const TRect Cl{2, 2, 8, 6};
    const TPoint LT{2, 2}, RT{8, 2}, LB{2, 6}, RB{8, 6};
    const int W = 16, H = 12;
    const TRect NCl{2, 2, 14, 10};
    QRegion rgn;
    ASSERT_TRUE(CreateSkinRegion(rgn, LT, RT, LB, RB, Cl, {2, 2}, {14, 2}, {2, 10}, {14, 10}, NCl, Mask(kRounded, 8),
                                 W, H));
    EXPECT_FALSE(rgn.contains(QPoint(0, 0)));
    EXPECT_FALSE(rgn.contains(QPoint(1, 0)));
    EXPECT_TRUE(rgn.contains(QPoint(2, 0)));
    EXPECT_TRUE(rgn.contains(QPoint(13, 0)));
    EXPECT_FALSE(rgn.contains(QPoint(15, 0)));
    EXPECT_FALSE(rgn.contains(QPoint(15, 11)));
    EXPECT_FALSE(rgn.contains(QPoint(0, 11)));
    EXPECT_TRUE(rgn.contains(QPoint(0, 5)));
    EXPECT_TRUE(rgn.contains(QPoint(15, 9)));
    EXPECT_TRUE(rgn.contains(QPoint(8, 6)));
}

TEST(CreateSkinRegion, MaskWithoutLeftBorderKeepsTheOtherPieces) {
    // Left border 0; top 1, right 1, bottom 1. Corner pixels of the other
    // borders are white, so each piece shows up in the region.
    const char* rows[] = {
        "####.",
        "#####",
        "#####",
        "####.",
    };
    const TRect Cl{0, 1, 4, 3};
    const TPoint LT{1, 1}, RT{3, 1}, LB{1, 3}, RB{3, 3};
    QRegion rgn;
    ASSERT_TRUE(CreateSkinRegion(rgn, LT, RT, LB, RB, Cl, {1, 1}, {5, 1}, {1, 5}, {5, 5}, {0, 1, 6, 5},
                                 Mask(rows, 4), 7, 6));
    EXPECT_TRUE(rgn.contains(QPoint(0, 0)));   // top piece
    EXPECT_FALSE(rgn.contains(QPoint(6, 0)));  // top end: the white corner
    EXPECT_TRUE(rgn.contains(QPoint(6, 2)));   // right piece
    EXPECT_TRUE(rgn.contains(QPoint(0, 5)));   // bottom piece
    EXPECT_FALSE(rgn.contains(QPoint(6, 5)));
}

TEST(CreateSkinRegion, InvertedPointsGiveNoRegionAndAnEmptyClientStillUsesTheMask) {
    const TRect Cl{2, 2, 8, 6};
    QRegion rgn;
    EXPECT_FALSE(CreateSkinRegion(rgn, {2, 2}, {8, 2}, {2, 6}, {8, 6}, Cl, {9, 2}, {3, 2}, {9, 6}, {3, 6},
                                  {2, 2, 3, 6}, Mask(kRounded, 8), 5, 8));
    // Client rectangle empty at this size, but the border pieces shape it.
    ASSERT_TRUE(CreateSkinRegion(rgn, {2, 2}, {8, 2}, {2, 6}, {8, 6}, Cl, {2, 2}, {8, 2}, {2, 6}, {8, 6},
                                 {2, 2, 8, 2}, Mask(kRounded, 8), 10, 8));
    EXPECT_FALSE(rgn.contains(QPoint(0, 0)));
    EXPECT_TRUE(rgn.contains(QPoint(4, 0)));
}

}  // namespace
