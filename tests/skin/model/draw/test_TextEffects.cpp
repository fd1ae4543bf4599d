// The stack blur against its weighted-sum definition, and alpha from masks.
#include "skin/model/draw/DrawUtils.h"
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

// ---- text with light, checked by where it changes the picture

namespace {

constexpr QRgb kPaper = 0xFFFFFFFF;

QImage Paper() {
    QImage img(160, 80, QImage::Format_RGB32);
    img.fill(kPaper);
    return img;
}

void SetFont(TCanvas& c) {
    c.Font().SetName("Arial");
    c.Font().SetHeight(-14);
    c.Font().SetColor(clBlack);
}

// The picture of the plain text, as the effects draw it last.
QImage PlainText(const TRect& R, const QString& text) {
    QImage img = Paper();
    TCanvas c(&img);
    SetFont(c);
    c.Brush().SetStyle(bsClear);
    TRect r = R;
    c.DrawText(text, r, DT_SINGLELINE);
    return img;
}

// Bounding box of the pixels where two pictures differ.
QRect Changed(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

bool AnyBlueTint(const QImage& img, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qBlue(p) > qRed(p) + 10) return true;
        }
    return false;
}

const TRect kR{40, 30, 120, 50};

TEST(TextLight, HaloSurroundsTheTextWithinItsSize) {
    const QImage plain = PlainText(kR, "Halo");
    ASSERT_FALSE(Changed(plain, Paper()).isEmpty()) << "no font to draw with";
    for (int size : {0, 3}) {
        QImage img = Paper();
        TCanvas c(&img);
        SetFont(c);
        DrawTextWithHalo(c, kR, "Halo", size, clBlue, 0, DT_SINGLELINE);
        const QRect text = Changed(plain, Paper());
        const QRect light = Changed(img, Paper());
        // Size 0 is a hard outline one pixel round the glyphs; otherwise the
        // blur reaches at most Size further.
        const int reach = size + 1;
        EXPECT_TRUE(text.adjusted(-reach, -reach, reach, reach).contains(light)) << size;
        EXPECT_TRUE(light.contains(text)) << size;
        EXPECT_TRUE(AnyBlueTint(img, light)) << size;
    }
}

TEST(TextLight, ShadowMovesWithItsOffset) {
    const QImage plain = PlainText(kR, "Shade");
    const QRect text = Changed(plain, Paper());
    QImage img = Paper();
    TCanvas c(&img);
    SetFont(c);
    DrawTextWithShadow(c, kR, "Shade", 2, clBlue, 6, DT_SINGLELINE);
    const QRect light = Changed(img, Paper());
    EXPECT_GT(light.bottom(), text.bottom() + 4);
    EXPECT_GT(light.right(), text.right() + 4);
    // Above the moved copy's blur there is no tint: only the text itself.
    EXPECT_FALSE(AnyBlueTint(img, QRect(0, 0, img.width(), text.top() + 6 - 2)));
    EXPECT_TRUE(AnyBlueTint(img, QRect(0, text.bottom() + 1, img.width(), 8)));
}

TEST(TextLight, GlowStaysInsideItsMargin) {
    QImage img = Paper();
    TCanvas c(&img);
    SetFont(c);
    DrawTextWithGlow(c, kR, "Glow", clBlue, DT_SINGLELINE);
    const QRect light = Changed(img, Paper());
    EXPECT_TRUE(kR.ToQRect().adjusted(-12, -12, 12, 12).contains(light));
    EXPECT_TRUE(AnyBlueTint(img, QRect(kR.Left - 6, kR.Top + 5, 4, 10)));  // the filled band's soft end
}

TEST(TextLight, ReflectionLiesBelowTheTextAndEmptyTextDrawsNothing) {
    const QImage plain = PlainText(kR, "Mirror");
    const QRect text = Changed(plain, Paper());
    QImage img = Paper();
    TCanvas c(&img);
    SetFont(c);
    DrawTextWithReflection(c, kR, "Mirror", clBlue, 2, DT_SINGLELINE);
    const QRect all = Changed(img, Paper());
    EXPECT_EQ(all.top(), text.top());  // nothing above the text itself
    EXPECT_GT(all.bottom(), text.bottom() + 2);
    EXPECT_TRUE(AnyBlueTint(img, QRect(kR.Left, text.bottom() + 3, RectWidth(kR), 30)));

    QImage blank = Paper();
    TCanvas b(&blank);
    SetFont(b);
    DrawTextWithReflection(b, kR, QString(), clBlue, 2, DT_SINGLELINE);
    EXPECT_TRUE(Changed(blank, Paper()).isEmpty());
}

}  // namespace
