#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/base/GraphicSkinControl.h"
#include "skin/controls/panels/SkinPanel.h"

namespace {

using Z = TTestSkin::TZone;

QRgb Sys(TColor c) { return ColorToQColor(c).rgb(); }

struct PanelTest : SkinControlTest {
    TqvSkinPanel* Panel(bool skinned) {
        auto* p = Make<TqvSkinPanel>();
        if (skinned) {
            LoadSkin();
            p->SetSkinData(Model);
        }
        p->SetBounds(10, 10, 150, 100);
        return p;
    }
};

TEST_F(PanelTest, SkinlessBordersAndCaptionBar) {
    auto* p = Panel(false);
    struct Row {
        TqvSkinBorderStyle Style;
        QRgb TopLeft, BottomRight, Inside;
    };
    const Row rows[] = {{bvFrame, Sys(clBtnShadow), Sys(clBtnShadow), Sys(clBtnFace)},
                        {bvRaised, Sys(clBtnHighlight), Sys(clBtnShadow), Sys(clBtnFace)},
                        {bvLowered, Sys(clBtnShadow), Sys(clBtnHighlight), Sys(clBtnFace)},
                        {bvNone, Sys(clBtnFace), Sys(clBtnFace), Sys(clBtnFace)}};
    for (const Row& r : rows) {
        p->SetBorderStyle(r.Style);
        const QImage img = p->BuildImage();
        EXPECT_EQ(Px(img, 0, 0), r.TopLeft) << r.Style;
        EXPECT_EQ(Px(img, 149, 99), r.BottomRight) << r.Style;
        EXPECT_EQ(Px(img, 75, 60), r.Inside) << r.Style;
    }
    p->SetBorderStyle(bvFrame);
    p->SetCaptionMode(true);
    const QImage img = p->BuildImage();
    EXPECT_EQ(Px(img, 75, 21), Sys(clBtnShadow));   // the bar's frame at the default caption height
    EXPECT_EQ(Px(img, 75, 1), Sys(clBtnHighlight));  // then its raised edge
}

TEST_F(PanelTest, SkinnedLooks) {
    auto* p = Panel(true);
    QImage img = p->BuildImage();
    EXPECT_EQ(Px(img, 1, 1), Flat("panel", "skinrect", Z::zTL));
    EXPECT_EQ(Px(img, 75, 50), Flat("panel", "skinrect", Z::zC));
    EXPECT_EQ(Px(img, 148, 98), Flat("panel", "skinrect", Z::zBR));

    p->SetBorderStyle(bvNone);  // the client texture alone, from (0, 0)
    img = p->BuildImage();
    EXPECT_EQ(Px(img, 0, 0), Flat("panel", "skinrect", Z::zC));
    EXPECT_EQ(Px(img, 149, 99), Flat("panel", "skinrect", Z::zC));

    p->SetBorderStyle(bvFrame);
    Skin.Set("panel", "bgpictureindex", "1");  // a background picture, tiled over everything
    Skin.LoadInto(*Model);
    const QImage& bg = Model->FActivePictures[1];
    img = p->BuildImage();
    EXPECT_EQ(Px(img, 0, 0), Px(bg, 0, 0));
    EXPECT_EQ(Px(img, 64 + 2, 3), Px(bg, 2, 3));
    EXPECT_EQ(Px(img, 140, 90), Px(bg, 140 - 128, 90));
}

TEST_F(PanelTest, SkinClientRectTable) {
    struct Row {
        const char* Case;
        bool Skinned;
        TqvSkinBorderStyle Style;
        bool CaptionMode, Ribbon, Background;
        TRect Want;
    };
    const Row rows[] = {
        {"skinless frame", false, bvFrame, false, false, false, Rect(1, 1, 149, 99)},
        {"skinless none", false, bvNone, false, false, false, Rect(0, 0, 150, 100)},
        {"skinless caption", false, bvFrame, true, false, false, Rect(1, 23, 149, 99)},
        {"skinless ribbon", false, bvRaised, true, true, false, Rect(1, 1, 149, 77)},
        {"skinned", true, bvFrame, false, false, false, Rect(4, 8, 146, 96)},
        {"skinned caption", true, bvNone, true, false, false, Rect(4, 8, 146, 96)},
        {"skinned texture only", true, bvNone, false, false, false, Rect(0, 0, 150, 100)},
        {"skinned background", true, bvFrame, false, false, true, Rect(0, 0, 150, 100)},
    };
    for (const Row& r : rows) {
        TTestSkin s = Skin;
        if (r.Background) s.Set("panel", "bgpictureindex", "1");
        s.LoadInto(*Model);
        auto* p = Make<TqvSkinPanel>();
        if (r.Skinned) p->SetSkinData(Model);
        p->SetBorderStyle(r.Style);
        p->SetCaptionMode(r.CaptionMode);
        p->SetRibbonStyle(r.Ribbon);
        p->SetBounds(0, 0, 150, 100);
        EXPECT_EQ(p->GetSkinClientRect(), r.Want) << r.Case;
        auto* child = Make<TqvSkinPanel>(p);
        child->SetAlign(alClient);
        EXPECT_EQ(child->BoundsRect(), r.Want) << r.Case << ": aligned child";
        delete p;
    }
}

TEST_F(PanelTest, RollUpKeepsItsHeightAndLimitsAcrossASkinChange) {
    auto* p = Panel(true);
    auto* child = Make<TqvSkinPanel>(p);
    p->SetConstraints({0, 60, 0, 300});
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    int changes = 0;
    p->OnChangeRollUpState = [&](QObject*) { ++changes; };

    p->SetRollUpState(true);
    EXPECT_EQ(p->Height(), 12);  // the skin's borders: 8 above, 4 below
    EXPECT_EQ(p->RealHeight(), 100);
    EXPECT_EQ(p->Constraints(), TSizeConstraints{});
    EXPECT_FALSE(child->isVisibleTo(p));

    Skin.Set("panel", "lefttoppoint", "4,20").Set("panel", "righttoppoint", "60,20");
    Skin.Set("panel", "clientrect", "4,20,60,60");
    Skin.LoadInto(*Model);
    EXPECT_EQ(p->Height(), 24);  // rolled up for the new borders
    EXPECT_EQ(p->RealHeight(), 100);

    p->SetRollUpState(false);
    EXPECT_EQ(p->Height(), 100);
    EXPECT_EQ(p->RealHeight(), -1);
    EXPECT_EQ(p->Constraints(), (TSizeConstraints{0, 60, 0, 300}));
    EXPECT_TRUE(child->isVisibleTo(p));
    EXPECT_EQ(changes, 2);
}

TEST_F(PanelTest, SkinlessRollUpLeavesTheCaptionBar) {
    auto* p = Panel(false);
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    SendMouse(p, QEvent::MouseButtonPress, {40, 10});
    SendMouse(p, QEvent::MouseButtonRelease, {40, 10});
    EXPECT_TRUE(p->RollUpState());
    EXPECT_EQ(p->Height(), 23);
}

TEST_F(PanelTest, CheckedCaptionClickTogglesTheChildren) {
    for (bool skinned : {false, true}) {
        auto* p = Panel(skinned);
        auto* a = Make<TqvSkinPanel>(p);
        auto* b = Make<TqvSkinPanel>(p);
        p->SetCaptionMode(true);
        p->SetCheckedMode(true);
        p->SetChecked(true);
        int checks = 0;
        p->OnChecked = [&](QObject*) { ++checks; };
        const QPoint caption = skinned ? QPoint(40, 4) : QPoint(40, 10);
        SendMouse(p, QEvent::MouseButtonPress, caption);
        SendMouse(p, QEvent::MouseButtonRelease, caption);
        EXPECT_FALSE(p->Checked()) << skinned;
        EXPECT_FALSE(a->Enabled());
        EXPECT_FALSE(b->Enabled());
        SendMouse(p, QEvent::MouseButtonPress, {40, 60});  // outside the caption
        SendMouse(p, QEvent::MouseButtonRelease, {40, 60});
        EXPECT_FALSE(p->Checked());
        SendMouse(p, QEvent::MouseButtonPress, caption);
        SendMouse(p, QEvent::MouseButtonRelease, caption);
        EXPECT_TRUE(a->Enabled() && b->Enabled());
        EXPECT_EQ(checks, 2);
        delete p;
    }
}

class TToolBarLike : public TqvSkinPanel {
public:
    using TqvSkinPanel::TqvSkinPanel;
    bool Adjust = true;
    bool AdjustsControls() const override { return Adjust; }
};

TEST_F(PanelTest, ToolBarCentresChildrenTruncatingTheHalves) {
    LoadSkin();
    auto* bar = Make<TToolBarLike>();
    bar->SetSkinData(Model);
    bar->SetBounds(0, 0, 300, 41);  // client rectangle 8..37: 29 high
    auto* w = Make<TqvSkinCustomControl>(bar);
    auto* g = Make<TqvGraphicSkinCustomControl>(bar);
    struct Row {
        int Height, Top;
    };
    for (Row r : {Row{10, 17}, Row{11, 17}, Row{29, 8}, Row{40, 2}}) {
        w->SetBounds(5, 0, 30, r.Height);
        g->SetBounds(40, 99, 30, r.Height);
        EXPECT_EQ(w->Top(), r.Top) << r.Height;
        EXPECT_EQ(g->Top(), r.Top) << r.Height;
        EXPECT_EQ(g->Left(), 40);
    }
    bar->Adjust = false;
    w->SetBounds(5, 3, 30, 10);
    EXPECT_EQ(w->Top(), 3);
}

TEST_F(PanelTest, GraphicControlOnAPanelShowsWithThePanelAndTakesNoFocus) {
    auto* p = Panel(true);
    auto* g = Make<TqvGraphicSkinCustomControl>(p);
    g->SetSkinDataName("button");
    g->SetSkinData(Model);
    g->SetBounds(20, 20, 64, 64);
    Form->Show();
    g->setFocus();
    EXPECT_FALSE(g->hasFocus());
    const QImage shot = p->grab().toImage();
    EXPECT_EQ(Px(shot, 1, 1), Flat("panel", "skinrect", Z::zTL));
    EXPECT_EQ(Px(shot, 20 + 32, 20 + 32), Flat("button", "skinrect", Z::zC));
    EXPECT_EQ(Px(shot, 120, 60), Flat("panel", "skinrect", Z::zC));
}

}  // namespace
