// The client background: tiles, the three stretch types, background
// pictures, the logo's rules and the empty client part.
#include "platform/Graphics.h"
#include "skin/forms/frame/FramePaint.h"

#include <gtest/gtest.h>

namespace {

// A 20 x 20 frame picture whose client part (5, 5, 15, 15) is a ramp: T(x, y) = ((x + 5) * 10, (y + 5) * 10, 0).
struct Background : ::testing::Test {
    TqvSkinData skin;
    void SetUp() override {
        skin.Empty = false;
        skin.FPicture = QImage(20, 20, QImage::Format_RGB32);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) skin.FPicture.setPixel(x, y, qRgb(x * 10, y * 10, 0));
        skin.ClRect = Rect(5, 5, 15, 15);
    }
    static QRgb T(int x, int y) { return qRgb((x + 5) * 10, (y + 5) * 10, 0); }
    QImage Build(QSize client, QSize form, QImage logo = {}, bool transparent = false) {
        TqvClientBackgroundInput in;
        in.Skin = &skin;
        in.Client = client;
        in.Form = form;
        in.Logo = logo;
        in.LogoTransparent = transparent;
        return BuildClientBackground(in);
    }
};

QImage Filled(int w, int h, QRgb c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

TEST_F(Background, TilesCoverTheClientOneMoreThanFits) {
    const QImage c = Build({25, 25}, {40, 40});
    EXPECT_EQ(c.pixel(0, 0), T(0, 0));
    EXPECT_EQ(c.pixel(12, 3), T(2, 3));
    EXPECT_EQ(c.pixel(23, 24), T(3, 4));
}

TEST_F(Background, StretchTypesUseTheFormsSize) {
    skin.StretchEffect = true;
    skin.StretchType = qvstFull;
    QImage c = Build({15, 15}, {20, 20});
    EXPECT_EQ(c.pixel(0, 0), T(0, 0));
    EXPECT_EQ(c.pixel(2, 0), T(1, 0));
    EXPECT_EQ(c.pixel(14, 14), T(7, 7));
    skin.StretchType = qvstHorz;
    c = Build({25, 15}, {25, 20});
    // Own width, the form's height; side by side.
    EXPECT_EQ(c.pixel(3, 2), T(3, 1));
    EXPECT_EQ(c.pixel(13, 2), T(3, 1));
    EXPECT_EQ(c.pixel(23, 14), T(3, 7));
    skin.StretchType = qvstVert;
    c = Build({15, 25}, {20, 25});
    EXPECT_EQ(c.pixel(2, 3), T(1, 3));
    EXPECT_EQ(c.pixel(2, 13), T(1, 3));
}

TEST_F(Background, ABackgroundPictureWinsAndAlwaysHasTheLogo) {
    skin.FActivePictures.push_back(Filled(8, 8, qRgb(0, 0, 200)));
    skin.BGPictureIndex = 0;
    const QImage c = Build({20, 20}, {30, 30}, Filled(4, 4, qRgb(255, 0, 0)));
    EXPECT_EQ(c.pixel(1, 1), qRgb(0, 0, 200));
    EXPECT_EQ(c.pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(c.pixel(7, 7), qRgb(0, 0, 200));
    EXPECT_EQ(c.pixel(12, 12), qRgb(0, 0, 200));
}

TEST_F(Background, LogoRules) {
    // Larger than the client: from (0, 0).
    QImage c = Build({20, 20}, {30, 30}, Filled(30, 30, qRgb(255, 0, 0)));
    EXPECT_EQ(c.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(c.pixel(19, 19), qRgb(255, 0, 0));
    // Transparent: the bottom-left pixel's colour shows the background.
    QImage logo = Filled(4, 4, qRgb(255, 0, 0));
    logo.setPixel(0, 3, qRgb(0, 255, 0));
    logo.setPixel(1, 1, qRgb(0, 255, 0));
    c = Build({20, 20}, {30, 30}, logo, true);
    EXPECT_EQ(c.pixel(9, 9), T(9, 9));
    EXPECT_EQ(c.pixel(8, 8), qRgb(255, 0, 0));
    c = Build({20, 20}, {30, 30}, logo, false);
    EXPECT_EQ(c.pixel(9, 9), qRgb(0, 255, 0));
}

TEST_F(Background, AnEmptyClientPartIsTheFaceWithoutALogo) {
    skin.ClRect = {};
    const QImage c = Build({20, 20}, {30, 30}, Filled(4, 4, qRgb(255, 0, 0)));
    EXPECT_EQ(c.pixel(8, 8), ColorToQColor(clBtnFace).rgb());
    // Without a skin: the face and the logo.
    TqvClientBackgroundInput in;
    in.Client = {20, 20};
    in.Form = {30, 30};
    in.Logo = Filled(4, 4, qRgb(255, 0, 0));
    const QImage d = BuildClientBackground(in);
    EXPECT_EQ(d.pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(d.pixel(1, 1), ColorToQColor(clBtnFace).rgb());
}

}  // namespace
