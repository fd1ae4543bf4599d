// The stack blur against its weighted-sum definition, and alpha from masks.
#include "skin/model/draw/TextEffects.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Definition: weights Radius + 1 - |d| over 2 * Radius + 1 positions (edge
// pixels repeated), sum divided by (Radius + 1)^2, rows first, then columns.
std::vector<int> ReferenceBlur(const std::vector<int>& v, int w, int h, int r) {
    auto pass = [&](const std::vector<int>& in, bool rows) {
        std::vector<int> out(in.size());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                long sum = 0;
                for (int d = -r; d <= r; ++d) {
                    const int xx = rows ? std::clamp(x + d, 0, w - 1) : x;
                    const int yy = rows ? y : std::clamp(y + d, 0, h - 1);
                    sum += long(in[size_t(yy * w + xx)]) * (r + 1 - std::abs(d));
                }
                out[size_t(y * w + x)] = int(sum / ((r + 1) * (r + 1)));
            }
        return out;
    };
    return pass(pass(v, true), false);
}

TEST(BlurBitmap, MatchesTheWeightedSumDefinition) {
    std::mt19937 gen(7);
    for (int r : {1, 2, 6})
        for (auto [w, h] : {std::pair{9, 7}, std::pair{1, 5}, std::pair{4, 1}, std::pair{3, 20}}) {
            TqvBitmap b;
            b.SetSize(w, h);
            std::vector<int> red(size_t(w * h)), green(red.size()), blue(red.size());
            for (int i = 0; i < w * h; ++i) {
                red[size_t(i)] = int(gen() % 256);
                green[size_t(i)] = int(gen() % 256);
                blue[size_t(i)] = int(gen() % 256);
                b.SetPixel(i % w, i / w, qvARGB(int(gen() % 256), red[size_t(i)], green[size_t(i)], blue[size_t(i)]));
            }
            BlurBitmap(b, r);
            const auto er = ReferenceBlur(red, w, h, r), eg = ReferenceBlur(green, w, h, r),
                       eb = ReferenceBlur(blue, w, h, r);
            for (int i = 0; i < w * h; ++i)
                ASSERT_EQ(b.Pixel(i % w, i / w), qvARGB(255, er[size_t(i)], eg[size_t(i)], eb[size_t(i)]))
                    << "r " << r << " size " << w << "x" << h << " at " << i;
        }
}

TEST(BlurBitmap, SinglePixelSpreadsAsHandComputed) {
    TqvBitmap b;
    b.SetSize(5, 5);
    b.Clear(0xFF000000);
    b.SetPixel(2, 2, 0xFFFF0000);
    BlurBitmap(b, 1);
    EXPECT_EQ(qvRed(b.Pixel(2, 2)), 63);
    EXPECT_EQ(qvRed(b.Pixel(1, 2)), 31);
    EXPECT_EQ(qvRed(b.Pixel(2, 3)), 31);
    EXPECT_EQ(qvRed(b.Pixel(1, 1)), 15);
    EXPECT_EQ(qvRed(b.Pixel(0, 2)), 0);
}

TEST(BlurBitmap, RadiusZeroLeavesAlphaRadiusOneMakesOpaque) {
    TqvBitmap b;
    b.SetSize(2, 2);
    b.Clear(0x10203040);
    BlurBitmap(b, 0);
    EXPECT_EQ(b.Pixel(1, 1), 0x10203040u);
    BlurBitmap(b, 1);
    EXPECT_EQ(b.Pixel(1, 1), 0xFF203040u);
}

TEST(MaskToAlpha, GreyLevelBecomesAlphaAndUncoveredPixelsVanish) {
    TqvBitmap b, mask;
    b.SetSize(3, 2);
    b.Clear(0xFF123456);
    mask.SetSize(2, 2);
    mask.Clear(0xFFFFFFFF);
    mask.SetPixel(0, 0, 0xFF000000);
    mask.SetPixel(1, 0, qvARGB(0, 10, 20, 31));
    MaskToAlpha(b, mask);
    EXPECT_EQ(b.Pixel(0, 0), 0x00123456u);
    EXPECT_EQ(b.Pixel(1, 0), 0x14123456u);  // (10 + 20 + 31) / 3 = 20
    EXPECT_EQ(b.Pixel(1, 1), 0xFF123456u);
    EXPECT_EQ(b.Pixel(2, 0), 0x00123456u);  // beyond the mask
}

}  // namespace
