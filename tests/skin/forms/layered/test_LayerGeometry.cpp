// The layered border's arithmetic: the frame rect round a form, the side
// images cut from the picture and their windows' places, the zones of each
// side window, a band drag's new bounds, and the alpha that follows the form.
#include "skin/forms/layered/LayerGeometry.h"

#include <gtest/gtest.h>

namespace {

constexpr TqvColor Px(int r, int g, int b, int a) { return qvARGB(a, r, g, b); }

// A 60 x 60 picture whose middle (15, 15, 45, 45) lies under the form, the
// corner pieces 20 px, a 10 px band round the form.
TqvDataSkinLayerFrame Frame60() {
    TqvDataSkinLayerFrame d;
    d.PictureIndex = 0;
    d.LTPoint = {20, 20};
    d.RTPoint = {40, 20};
    d.LBPoint = {20, 40};
    d.RBPoint = {40, 40};
    d.ClRect = Rect(15, 15, 45, 45);
    d.BorderRect = Rect(5, 5, 55, 55);
    d.AlphaBlendValue = 200;
    d.InActiveAlphaBlendValue = 120;
    d.HitTestEnable = true;
    return d;
}

// Each pixel says where it came from: red = x, green = y, alpha 100.
void Coded(TqvBitmap& b, int w, int h) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, Px(x, y, 0, 100));
}

const QRect kForm(100, 100, 400, 300);

}  // namespace

TEST(LayerGeometry, FrameRectAndWindowPlacesRoundAForm) {
    const TqvDataSkinLayerFrame d = Frame60();
    const QRect f = LayerFrameRect(d, QSize(60, 60), kForm);
    EXPECT_EQ(f, QRect(85, 85, 430, 330));

    TqvBitmap s;
    Coded(s, 60, 60);
    TqvLayerSideImages img;
    MakeLayerSideImages(s, d, f.width(), f.height(), img);
    EXPECT_EQ(QSize(img.Of(qvflTop).Width(), img.Of(qvflTop).Height()), QSize(430, 20));
    EXPECT_EQ(QSize(img.Of(qvflBottom).Width(), img.Of(qvflBottom).Height()), QSize(430, 20));
    EXPECT_EQ(QSize(img.Of(qvflLeft).Width(), img.Of(qvflLeft).Height()), QSize(15, 290));
    EXPECT_EQ(QSize(img.Of(qvflRight).Width(), img.Of(qvflRight).Height()), QSize(15, 290));

    const int th = img.Of(qvflTop).Height(), bh = img.Of(qvflBottom).Height(), rw = img.Of(qvflRight).Width();
    EXPECT_EQ(LayerWindowPlace(qvflTop, f, th, bh, rw), QPoint(85, 85));
    EXPECT_EQ(LayerWindowPlace(qvflLeft, f, th, bh, rw), QPoint(85, 85 + 20));
    EXPECT_EQ(LayerWindowPlace(qvflRight, f, th, bh, rw), QPoint(85 + 430 - 15, 105));
    EXPECT_EQ(LayerWindowPlace(qvflBottom, f, th, bh, rw), QPoint(85, 85 + 330 - 20));
    EXPECT_EQ(LayerBandSizes(d), (TqvLayerBandSizes{10, 10, 10, 10}));
}

TEST(LayerGeometry, SideImagesKeepCornersStretchTheMiddleAndTileTheSides) {
    const TqvDataSkinLayerFrame d = Frame60();
    TqvBitmap s;
    Coded(s, 60, 60);
    TqvLayerSideImages img;
    MakeLayerSideImages(s, d, 430, 330, img);
    auto at = [](const TqvBitmap& b, int x, int y) { return b.Pixel(x, y); };
    // Corners copied as they are, alpha and all (not blended onto nothing).
    EXPECT_EQ(at(img.Of(qvflTop), 0, 0), Px(0, 0, 0, 100));
    EXPECT_EQ(at(img.Of(qvflTop), 19, 19), Px(19, 19, 0, 100));
    EXPECT_EQ(at(img.Of(qvflTop), 429, 0), Px(59, 0, 0, 100));
    EXPECT_EQ(at(img.Of(qvflTop), 410, 5), Px(40, 5, 0, 100));
    EXPECT_EQ(at(img.Of(qvflBottom), 0, 19), Px(0, 59, 0, 100));
    // The middle comes from the picture's middle columns only.
    for (int x = 20; x < 410; x += 37) {
        const int r = qvRed(at(img.Of(qvflTop), x, 3));
        EXPECT_GE(r, 20);
        EXPECT_LT(r, 40);
    }
    // Sides: rows 20 .. 39 of the picture again and again, the last tile cut.
    EXPECT_EQ(at(img.Of(qvflLeft), 0, 0), Px(0, 20, 0, 100));
    EXPECT_EQ(at(img.Of(qvflLeft), 14, 20), Px(14, 20, 0, 100));
    EXPECT_EQ(at(img.Of(qvflLeft), 3, 289), Px(3, 20 + 289 % 20, 0, 100));
    EXPECT_EQ(at(img.Of(qvflRight), 0, 0), Px(45, 20, 0, 100));
    EXPECT_TRUE(img.Of(qvflTop).AlphaBlend());

    // A frame too low for the sides: no side images, so no side windows.
    MakeLayerSideImages(s, d, 430, 40, img);
    EXPECT_TRUE(img.Of(qvflLeft).Empty());
    EXPECT_TRUE(img.Of(qvflRight).Empty());
    EXPECT_FALSE(img.Of(qvflTop).Empty());
}

TEST(LayerGeometry, PointsOutsideThePictureStayInside) {
    TqvDataSkinLayerFrame d = Frame60();
    d.LTPoint = {-10, 90};
    d.RTPoint = {80, 70};
    d.LBPoint = {70, -5};
    d.RBPoint = {10, 200};
    d.ClRect = Rect(-20, 15, 90, 45);
    TqvBitmap s;
    Coded(s, 60, 60);
    TqvLayerSideImages img;
    MakeLayerSideImages(s, d, 430, 330, img);
    EXPECT_EQ(img.Of(qvflTop).Height() + img.Of(qvflBottom).Height(), 60);
    EXPECT_EQ(img.Of(qvflTop).Width(), 430);
    EXPECT_TRUE(img.Of(qvflLeft).Empty());
    EXPECT_TRUE(img.Of(qvflRight).Empty());
    // A frame rect smaller than nothing gives no images at all.
    MakeLayerSideImages(s, Frame60(), -5, -5, img);
    for (auto side : {qvflLeft, qvflTop, qvflRight, qvflBottom}) EXPECT_TRUE(img.Of(side).Empty());
}

TEST(LayerGeometry, ZonesOfEachSideWindow) {
    const TqvLayerBandSizes b{10, 10, 10, 10};
    // Form (100, 100, 400 x 300): right edge 500, bottom edge 400.
    const struct {
        TqvFormLayerBorderType Side;
        QPoint P;
        TqvFormLayerBorderHit Hit;
    } cases[] = {
        {qvflLeft, {90, 200}, qvflhLeft},          {qvflLeft, {89, 200}, qvflhNone},
        {qvflRight, {510, 200}, qvflhRight},       {qvflRight, {511, 200}, qvflhNone},
        {qvflTop, {90, 90}, qvflhTopLeft},         {qvflTop, {102, 102}, qvflhTopLeft},
        {qvflTop, {103, 95}, qvflhTop},            {qvflTop, {496, 95}, qvflhTop},
        {qvflTop, {500, 95}, qvflhTopRight},       {qvflTop, {509, 102}, qvflhTopRight},
        {qvflTop, {89, 95}, qvflhNone},            {qvflTop, {300, 89}, qvflhNone},
        {qvflTop, {95, 104}, qvflhLeft},           {qvflTop, {505, 104}, qvflhRight},
        {qvflBottom, {90, 398}, qvflhBottomLeft},  {qvflBottom, {300, 405}, qvflhBottom},
        {qvflBottom, {505, 409}, qvflhBottomRight}, {qvflBottom, {300, 410}, qvflhNone},
        {qvflBottom, {95, 396}, qvflhLeft},        {qvflBottom, {505, 396}, qvflhRight},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayerHitMode(c.Side, c.P, kForm, b), c.Hit) << c.Side << " " << c.P.x() << "," << c.P.y();
    // Without bands only the form's own edges are left to hit.
    EXPECT_EQ(LayerHitMode(qvflTop, {300, 95}, kForm, {}), qvflhNone);
    EXPECT_EQ(LayerHitMode(qvflLeft, {95, 200}, kForm, {}), qvflhNone);
}

TEST(LayerGeometry, BandDragsResizeWithinTheLimits) {
    const QSize lo(300, 200), hi(800, 600);
    const QRect atMinWidth(100, 100, 300, 300);
    const struct {
        const char* Name;
        TqvFormLayerBorderHit Hit;
        QRect Form;
        int Dx, Dy;
        std::optional<QRect> Result;
    } cases[] = {
        {"left widens and moves the left edge", qvflhLeft, kForm, -20, 0, QRect(80, 100, 420, 300)},
        {"left at minimum width, to the right", qvflhLeft, atMinWidth, 15, 0, std::nullopt},
        {"left at minimum width, to the left", qvflhLeft, atMinWidth, -15, 0, QRect(85, 100, 315, 300)},
        {"left past the maximum", qvflhLeft, kForm, -401, 0, std::nullopt},
        {"left without a horizontal move", qvflhLeft, kForm, 0, 30, std::nullopt},
        {"right grows", qvflhRight, kForm, 30, 0, QRect(100, 100, 430, 300)},
        {"right stops at the minimum", qvflhRight, kForm, -150, 0, QRect(100, 100, 300, 300)},
        {"right at the minimum changes nothing", qvflhRight, atMinWidth, -5, 0, std::nullopt},
        {"top", qvflhTop, kForm, 0, -10, QRect(100, 90, 400, 310)},
        {"top past the minimum", qvflhTop, kForm, 0, 150, std::nullopt},
        {"bottom", qvflhBottom, kForm, 0, 25, QRect(100, 100, 400, 325)},
        {"bottom stops at the maximum", qvflhBottom, kForm, 0, 400, QRect(100, 100, 400, 600)},
        {"top-left", qvflhTopLeft, kForm, -10, -10, QRect(90, 90, 410, 310)},
        {"top-left with the width at its limit", qvflhTopLeft, atMinWidth, 10, -10, std::nullopt},
        {"top-right", qvflhTopRight, kForm, 10, 5, QRect(100, 105, 410, 295)},
        {"bottom-left", qvflhBottomLeft, kForm, 5, 5, QRect(105, 100, 395, 305)},
        {"bottom-right", qvflhBottomRight, kForm, 7, -3, QRect(100, 100, 407, 297)},
        {"bottom-right standing still", qvflhBottomRight, kForm, 0, 0, std::nullopt},
        {"no zone", qvflhNone, kForm, 10, 10, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(LayerBandResize(c.Hit, c.Form, c.Dx, c.Dy, lo, hi), c.Result) << c.Name;
}

TEST(LayerGeometry, BorderAlphaFollowsTheFormsAlpha) {
    EXPECT_EQ(LayerAlphaForForm(200, 128), 100);
    EXPECT_EQ(LayerAlphaForForm(200, 0), 0);
    EXPECT_EQ(LayerAlphaForForm(200, 255), 200);
    EXPECT_EQ(LayerAlphaForForm(255, 1), 1);
}
