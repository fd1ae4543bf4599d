// Transitions and colour effects of the 24-bit effect picture.
#include "skin/model/draw/EffectBmp.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

// Self: blue = column, green 100, red 0. BMP: blue = column, green 200,
// red 255. Green tells how much of each look a pixel holds, blue which
// column it came from.
TqvEffectBmp Coded(int w, int h, std::uint8_t g, std::uint8_t r, bool byRow = false) {
    TqvEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.WritePixel(x, y, {static_cast<std::uint8_t>(byRow ? y : x), g, r});
    return b;
}

using Op = void (TqvEffectBmp::*)(const TqvEffectBmp&, double);

struct MorphCase {
    const char* name;
    Op op;
    double kf;
    std::vector<int> green;   // per column (per row for the tall picture)
    std::vector<int> source;  // blue: the column a pixel came from
    bool tall = false;
};

void PrintTo(const MorphCase& c, std::ostream* os) { *os << c.name; }

const std::vector<int> kSame{0, 1, 2, 3, 4, 5, 6, 7};

const MorphCase kMorphCases[] = {
    {"morph_0", &TqvEffectBmp::Morph, 0, {100, 100, 100, 100, 100, 100, 100, 100}, kSame},
    {"morph_50", &TqvEffectBmp::Morph, 0.5, {150, 150, 150, 150, 150, 150, 150, 150}, kSame},
    {"morph_100", &TqvEffectBmp::Morph, 1, {200, 200, 200, 200, 200, 200, 200, 200}, kSame},
    {"hgrad_0", &TqvEffectBmp::MorphGrad, 0, {100, 125, 150, 175, 200, 175, 150, 125}, kSame},
    {"hgrad_50", &TqvEffectBmp::MorphGrad, 0.5, {100, 150, 200, 200, 200, 200, 200, 150}, kSame},
    {"hgrad_100", &TqvEffectBmp::MorphGrad, 1, {200, 200, 200, 200, 200, 200, 200, 200}, kSame},
    {"vgrad_0", &TqvEffectBmp::MorphGrad, 0, {100, 100, 133, 167, 200, 167, 133, 100}, kSame, true},
    {"vgrad_50", &TqvEffectBmp::MorphGrad, 0.5, {100, 100, 200, 200, 200, 200, 200, 100}, kSame, true},
    {"vgrad_100", &TqvEffectBmp::MorphGrad, 1, {200, 200, 200, 200, 200, 200, 200, 200}, kSame, true},
    {"leftgrad_0", &TqvEffectBmp::MorphLeftGrad, 0, {200, 100, 100, 100, 100, 100, 100, 100}, kSame},
    {"leftgrad_50", &TqvEffectBmp::MorphLeftGrad, 0.5, {200, 175, 150, 125, 100, 100, 100, 100}, kSame},
    {"leftgrad_100", &TqvEffectBmp::MorphLeftGrad, 1, {200, 186, 171, 157, 143, 129, 114, 100}, kSame},
    {"rightgrad_0", &TqvEffectBmp::MorphRightGrad, 0, {100, 100, 100, 100, 100, 100, 100, 200}, kSame},
    {"rightgrad_50", &TqvEffectBmp::MorphRightGrad, 0.5, {100, 100, 100, 100, 125, 150, 175, 200}, kSame},
    {"rightgrad_100", &TqvEffectBmp::MorphRightGrad, 1, {112, 125, 138, 150, 162, 175, 188, 200}, kSame},
    {"leftslide_0", &TqvEffectBmp::MorphLeftSlide, 0, {200, 100, 100, 100, 100, 100, 100, 100},
     {7, 1, 2, 3, 4, 5, 6, 7}},
    {"leftslide_50", &TqvEffectBmp::MorphLeftSlide, 0.5, {200, 200, 200, 200, 100, 100, 100, 100},
     {4, 5, 6, 7, 4, 5, 6, 7}},
    {"leftslide_100", &TqvEffectBmp::MorphLeftSlide, 1, {200, 200, 200, 200, 200, 200, 200, 100},
     {1, 2, 3, 4, 5, 6, 7, 7}},
    {"rightslide_0", &TqvEffectBmp::MorphRightSlide, 0, {100, 100, 100, 100, 100, 100, 100, 200},
     {0, 1, 2, 3, 4, 5, 6, 0}},
    {"rightslide_50", &TqvEffectBmp::MorphRightSlide, 0.5, {100, 100, 100, 100, 200, 200, 200, 200},
     {0, 1, 2, 3, 0, 1, 2, 3}},
    {"rightslide_100", &TqvEffectBmp::MorphRightSlide, 1, {100, 200, 200, 200, 200, 200, 200, 200},
     {0, 0, 1, 2, 3, 4, 5, 6}},
    {"push_0", &TqvEffectBmp::MorphPush, 0, {200, 100, 100, 100, 100, 100, 100, 100}, {7, 0, 1, 2, 3, 4, 5, 6}},
    {"push_50", &TqvEffectBmp::MorphPush, 0.5, {200, 200, 200, 200, 200, 100, 100, 100}, {3, 4, 5, 6, 7, 0, 1, 2}},
    {"push_100", &TqvEffectBmp::MorphPush, 1, {200, 200, 200, 200, 200, 200, 200, 200}, kSame},
};

class MorphTest : public ::testing::TestWithParam<MorphCase> {};

TEST_P(MorphTest, ColumnsFollowTheTransitionRule) {
    const MorphCase& c = GetParam();
    const int w = c.tall ? 2 : 8, h = c.tall ? 8 : 2;
    TqvEffectBmp self = Coded(w, h, 100, 0, c.tall);
    const TqvEffectBmp other = Coded(w, h, 200, 255, c.tall);
    (self.*c.op)(other, c.kf);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int i = c.tall ? y : x;
            const TqvBGR p = self.ReadPixel(x, y);
            EXPECT_EQ(p.G, c.green[size_t(i)]) << x << "," << y;
            EXPECT_EQ(p.B, c.source[size_t(i)]) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Cases, MorphTest, ::testing::ValuesIn(kMorphCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Morph, HalvesRoundToEvenAndOddInputsAreHarmless) {
    TqvEffectBmp black(3, 1), white = Coded(3, 1, 255, 255);
    for (int x = 0; x < 3; ++x) white.WritePixel(x, 0, {255, 255, 255});
    black.Morph(white, 0.5);
    EXPECT_EQ(black.ReadPixel(1, 0), (TqvBGR{128, 128, 128}));
    black.Morph(white, std::nan(""));  // counts as 0
    EXPECT_EQ(black.ReadPixel(1, 0), (TqvBGR{128, 128, 128}));
    black.Morph(white, 7);  // clamped to 1
    EXPECT_EQ(black.ReadPixel(1, 0), (TqvBGR{255, 255, 255}));

    TqvEffectBmp small(2, 1);
    small.Morph(white, 1);  // another size: nothing
    small.MorphPush(white, 1);
    EXPECT_EQ(small.ReadPixel(1, 0), TqvBGR{});
}

TEST(Morph, OnePixelWideGradientsStayInside) {
    TqvEffectBmp self = Coded(1, 2, 100, 0), other = Coded(1, 2, 200, 255);
    for (Op op : {&TqvEffectBmp::MorphLeftGrad, &TqvEffectBmp::MorphRightGrad, &TqvEffectBmp::MorphLeftSlide,
                  &TqvEffectBmp::MorphRightSlide, &TqvEffectBmp::MorphPush, &TqvEffectBmp::MorphGrad})
        for (double kf : {0.0, 0.5, 1.0}) (self.*op)(other, kf);
    EXPECT_EQ(self.ReadPixel(0, 0).G, 200);
}

TEST(ColourEffects, KnownColours) {
    struct Case {
        const char* name;
        void (*apply)(TqvEffectBmp&);
        TqvBGR in, out;
    };
    const Case cases[] = {
        {"brightness_half_of_black", [](TqvEffectBmp& b) { b.ChangeBrightness(0.5); }, {0, 0, 0}, {128, 128, 128}},
        {"brightness_keeps_white", [](TqvEffectBmp& b) { b.ChangeBrightness(0.5); }, {255, 255, 255}, {255, 255, 255}},
        {"brightness_nan_is_zero", [](TqvEffectBmp& b) { b.ChangeBrightness(std::nan("")); }, {10, 20, 30}, {10, 20, 30}},
        {"darkness", [](TqvEffectBmp& b) { b.ChangeDarkness(0.3); }, {100, 0, 255}, {70, 0, 178}},
        {"invert", [](TqvEffectBmp& b) { b.Invert(); }, {0, 100, 255}, {255, 155, 0}},
        {"grayscale_red", [](TqvEffectBmp& b) { b.GrayScale(); }, {0, 0, 255}, {76, 76, 76}},
        {"grayscale_green", [](TqvEffectBmp& b) { b.GrayScale(); }, {0, 255, 0}, {150, 150, 150}},
        {"noise_of_one_adds_nothing", [](TqvEffectBmp& b) { b.AddMonoNoise(1); }, {5, 6, 7}, {5, 6, 7}},
    };
    for (const Case& c : cases) {
        TqvEffectBmp b(2, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) b.WritePixel(x, y, c.in);
        c.apply(b);
        EXPECT_EQ(b.ReadPixel(1, 1), c.out) << c.name;
    }
}

TEST(ColourEffects, MonoNoiseMovesAllThreeChannelsAlikeWithinRange) {
    TqvEffectBmp b(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) b.WritePixel(x, y, {100, 110, 120});
    b.AddMonoNoise(50);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const TqvBGR p = b.ReadPixel(x, y);
            const int n = p.B - 100;
            EXPECT_GE(n, -25);
            EXPECT_LE(n, 24);
            EXPECT_EQ(p.G - 110, n);
            EXPECT_EQ(p.R - 120, n);
        }
}

TEST(ColourEffects, SplitBlurReadsTheBlurredRowsAboveAndTheOddBottomNeighbour) {
    // 2 x 3, blue only: rows 0, 40, 80.
    TqvEffectBmp b(2, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) b.WritePixel(x, y, {static_cast<std::uint8_t>(40 * y), 0, 0});
    b.SplitBlur(1);
    // In place, left to right: (0,0) = (0 + 0 + 40 + 40) / 4 = 20; (1,0) reads
    // the new (0,0): (20 + 0 + 40 + 40) / 4 = 25.
    EXPECT_EQ(b.ReadPixel(0, 0).B, 20);
    EXPECT_EQ(b.ReadPixel(1, 0).B, 25);
    // Row 1 reads the blurred row 0: (20 + 25 + 80 + 80) / 4 = 51.
    EXPECT_EQ(b.ReadPixel(0, 1).B, 51);
    // Row 2: its lower neighbour is row Height - 2 = 1, all four read 51.
    EXPECT_EQ(b.ReadPixel(1, 2).B, 51);
    TqvEffectBmp big(3, 3);
    big.SplitBlur(9);  // beyond the picture: held inside, no stray reads
}

TEST(EffectGeometry, RotationsAndFlipMovePixelsAndRefuseWrongSizes) {
    TqvEffectBmp src(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) src.WritePixel(x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 9});
    TqvEffectBmp ccw(2, 3), cw(2, 3), flip(3, 2), wrong(3, 2);
    src.Rotate90_1(ccw);
    src.Rotate90_2(cw);
    src.FlipVert(flip);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const TqvBGR p = src.ReadPixel(x, y);
            EXPECT_EQ(ccw.ReadPixel(y, 2 - x), p);
            EXPECT_EQ(cw.ReadPixel(1 - y, x), p);
            EXPECT_EQ(flip.ReadPixel(x, 1 - y), p);
        }
    src.Rotate90_1(wrong);
    EXPECT_EQ(wrong.ReadPixel(2, 1), TqvBGR{});
}

TEST(EffectBmp, RowsAreFourByteAlignedAndBytesAreBlueGreenRed) {
    TqvEffectBmp b(5, 2);
    EXPECT_EQ(b.RowStride(), 16);
    EXPECT_EQ(b.Size(), 32);
    QImage img(1, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(1, 2, 3));
    TqvEffectBmp c(img);
    EXPECT_EQ(c.LineAddress(0)[0], 3);
    EXPECT_EQ(c.LineAddress(0)[2], 1);

    QImage target(3, 2, QImage::Format_RGB32);
    target.fill(0xFFFFFFFF);
    c.Draw(target, 2, 1);
    EXPECT_EQ(target.pixel(2, 1), qRgb(1, 2, 3));
    EXPECT_EQ(target.pixel(1, 1), 0xFFFFFFFFu);
}

}  // namespace
