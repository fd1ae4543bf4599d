// Paint panel, group box and status bar: the owner's paint event and its
// rectangle, the group box's caption below the client, the status bar's
// grip lines, grip picture and hit answers.
#include "skin/controls/statusbar/SkinStatusBar.h"
#include "tests/skin/controls/ControlTestSupport.h"

using Z = TTestSkin::TZone;

namespace {

QRgb Rgb(TColor c) { return ColorToQColor(c).rgb() | 0xFF000000u; }
QString R4(const TRect& r) { return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom); }

struct StatusBarTest : SkinControlTest {
    StatusBarTest() {
        Skin.AddControl("statusbar", "panel");
        Skin.AddControl("groupbox", "panel");
    }
};

}  // namespace

TEST_F(StatusBarTest, PaintPanelEventGetsTheSkinClientRectWithAndWithoutSkin) {
    struct Row {
        const char* Case;
        bool Skinned;
        TRect Expected;
    };
    for (Row r : {Row{"skinless frame", false, Rect(1, 1, 99, 59)}, Row{"skin border", true, Rect(4, 8, 96, 56)}}) {
        if (r.Skinned) LoadSkin();
        auto* p = Make<TqvSkinPaintPanel>();
        p->SetSkinDataName("panel");
        p->SetSkinData(Model);
        p->SetBounds(0, 0, 100, 60);
        std::vector<TRect> got;
        p->OnPanelPaint = [&](TCanvas& C, TRect R) {
            got.push_back(R);
            C.Brush().SetColor(RGB(10, 200, 30));
            C.FillRect(R);
        };
        const QImage img = p->BuildImage();
        ASSERT_EQ(got.size(), 1u) << r.Case;
        EXPECT_EQ(got[0], r.Expected) << r.Case;
        EXPECT_EQ(Px(img, 50, 30), Rgb(RGB(10, 200, 30))) << r.Case;
        EXPECT_NE(Px(img, 0, 0), Rgb(RGB(10, 200, 30))) << r.Case;
        delete p;
    }
}

TEST_F(StatusBarTest, PaintPanelWithoutTheEventLooksLikeAPanel) {
    LoadSkin();
    auto* p = Make<TqvSkinPaintPanel>();
    auto* plain = Make<TqvSkinPanel>();
    for (TqvSkinPanel* x : {static_cast<TqvSkinPanel*>(p), plain}) {
        x->SetSkinData(Model);
        x->SetBounds(0, 0, 120, 70);
    }
    EXPECT_EQ(p->BuildImage(), plain->BuildImage());
}

TEST_F(StatusBarTest, GroupBoxWithItsCaptionBelowTheClientStopsThePiecewiseBackground) {
    for (bool below : {false, true}) {
        TTestSkin skin;
        skin.FlatColours().AddControl("groupbox", "panel");
        if (below) skin.Set("groupbox", "captionrect", "4,61,60,64");
        skin.LoadInto(*Model);
        auto* g = Make<TqvSkinGroupBox>();
        EXPECT_TRUE(g->CaptionMode());
        g->SetForcebackGround(true);
        g->SetSkinData(Model);
        g->GetSkinData();
        EXPECT_EQ(g->ForcebackGround(), !below) << below;
        delete g;
    }
}

TEST_F(StatusBarTest, SkinlessGripIsASquareOfLines3PixelsApartAnsweringTheSizingHit) {
    auto* s = Make<TqvSkinStatusBar>();
    EXPECT_EQ(s->Align(), alBottom);
    ASSERT_EQ(s->Height(), 21);
    ASSERT_EQ(s->Width(), 500);
    s->SetSizeGrip(true);
    EXPECT_EQ(s->GetSkinClientRect(), Rect(0, 0, 479, 21));
    EXPECT_EQ(s->GripRect(), Rect(481, 0, 500, 19));
    const QImage img = s->BuildImage();
    // Row 13: shadow, light, face, every 3 pixels from x 490.
    const QRgb S = Rgb(clBtnShadow), L = Rgb(clBtnHighlight), F = Rgb(clBtnFace);
    const QRgb row[] = {S, L, F, S, L, F, S, L, F};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Px(img, 490 + i, 13), row[i]) << "x " << 490 + i;
    EXPECT_EQ(Px(img, 483, 13), F);
    struct Hit {
        int X, Y, Code;
    };
    for (Hit h : {Hit{490, 10, 17}, Hit{481, 0, 17}, Hit{500, 19, 17}, Hit{480, 10, 1}, Hit{490, 20, 1}, Hit{10, 10, 1}})
        EXPECT_EQ(s->HitTest(h.X, h.Y), h.Code) << h.X << "," << h.Y;

    s->SetShowGrip(false);  // SizeGrip stays on
    EXPECT_EQ(s->GetSkinClientRect(), Rect(0, 0, 500, 21));
    EXPECT_EQ(s->HitTest(490, 10), 1);
    EXPECT_EQ(Px(s->BuildImage(), 490, 13), F);
}

TEST_F(StatusBarTest, SkinnedGripFromThePictureOrInTheSkinColours) {
    const TRect cell = Skin.FlatRect("button", "activeskinrect");
    Skin.Set("statusbar", "gripperrect", R4(Rect(cell.Left + 10, cell.Top + 10, cell.Left + 20, cell.Top + 22)));
    LoadSkin();
    auto* s = Make<TqvSkinStatusBar>();
    s->SetSizeGrip(true);
    s->SetSkinData(Model);
    ASSERT_EQ(s->Height(), 21);
    EXPECT_EQ(s->GripRect(), Rect(490, 9, 500, 21));
    QImage img = s->BuildImage();
    EXPECT_EQ(Px(img, 495, 15), Flat("button", "activeskinrect"));
    EXPECT_EQ(Px(img, 485, 15), Flat("statusbar", "skinrect"));
    EXPECT_EQ(s->HitTest(491, 10), 17);
    EXPECT_EQ(s->HitTest(489, 10), 1);

    TTestSkin lines;
    lines.FlatColours().AddControl("statusbar", "panel").LoadInto(*Model);
    img = s->BuildImage();
    EXPECT_EQ(s->GripRect(), Rect(481, 0, 500, 19));
    EXPECT_EQ(Px(img, 490, 13), Rgb(Model->SkinColors().cBtnShadow()));
    EXPECT_EQ(Px(img, 491, 13), Rgb(Model->SkinColors().cBtnHighLight()));
}

TEST_F(StatusBarTest, StatusBarHandsItsModelToSkinnedChildren) {
    LoadSkin();
    auto* s = Make<TqvSkinStatusBar>();
    auto* child = Make<TqvSkinPanel>(s);
    s->SetSkinData(Model);
    EXPECT_EQ(child->SkinData(), Model);
}
