#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/base/GraphicSkinControl.h"
#include "skin/controls/base/SkinControl.h"

#include <QPointer>

namespace {

using Z = TTestSkin::TZone;

// Sets the four corner points of the flat "panel" record, which picks its resize mode.
void Corners(TTestSkin& s, const char* lt, const char* rt, const char* lb, const char* rb) {
    s.Set("panel", "lefttoppoint", lt).Set("panel", "righttoppoint", rt);
    s.Set("panel", "leftbottompoint", lb).Set("panel", "rightbottompoint", rb);
}

struct ModeCase {
    const char* Name;
    int Mode;
    const char *LT, *RT, *LB, *RB;
};

struct ResizeModes : SkinControlTest, ::testing::WithParamInterface<ModeCase> {};

// Every zone of the flat cell lands where the mode puts it: borders of 4
// (left, right, bottom) and 8 (top) at the control's final size.
TEST_P(ResizeModes, ComposeEveryZoneAtThreeSizes) {
    const ModeCase& m = GetParam();
    Corners(Skin, m.LT, m.RT, m.LB, m.RB);
    if (m.Mode == -1) Skin.Set("panel", "skinrect", "0,0,0,0");
    LoadSkin();
    auto* c = Make<TqvSkinCustomControl>();
    c->SetSkinDataName("panel");
    c->SetSkinData(Model);
    ASSERT_EQ(c->ResizeMode(), m.Mode);
    for (QSize ask : {QSize(100, 40), QSize(64, 64), QSize(30, 90)}) {
        c->SetBounds(5, 5, ask.width(), ask.height());
        QSize want = ask;
        if (m.Mode == 0) want = {64, 64};
        if (m.Mode == 2) want.setHeight(64);
        if (m.Mode == 3) want.setWidth(64);
        ASSERT_EQ(c->size(), want) << ask.width() << "x" << ask.height();
        const QImage img = c->BuildImage();
        if (m.Mode == -1) {
            EXPECT_EQ(img.pixel(want.width() / 2, want.height() / 2), qRgb(255, 255, 255));
            continue;
        }
        const int W = want.width(), H = want.height();
        const int xs[] = {1, W / 2, W - 2}, ys[] = {3, 8 + (H - 12) / 2, H - 2};
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                EXPECT_EQ(Px(img, xs[col], ys[row]), Flat("panel", "skinrect", Z(row * 3 + col)))
                    << "zone " << row * 3 + col << " at " << W << "x" << H;
    }
}

INSTANTIATE_TEST_SUITE_P(, ResizeModes,
                         ::testing::Values(ModeCase{"NoSkinRect", -1, "4,8", "60,8", "4,60", "60,60"},
                                           ModeCase{"Fixed", 0, "0,0", "0,0", "0,0", "0,0"},
                                           ModeCase{"NineSlice", 1, "4,8", "60,8", "4,60", "60,60"},
                                           ModeCase{"Horizontal", 2, "4,8", "60,8", "0,0", "0,0"},
                                           ModeCase{"Vertical", 3, "4,8", "0,0", "4,60", "0,0"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TqvSkinGeometry NineSlice() {
    TqvSkinGeometry g;
    g.SkinRect = Rect(0, 0, 64, 64);
    g.LTPt = {4, 8};
    g.RTPt = {60, 8};
    g.LBPt = {4, 60};
    g.RBPt = {60, 60};
    g.ClRect = Rect(4, 8, 60, 60);
    g.ResizeMode = g.GetResizeMode();
    return g;
}

TEST(SkinGeometry, AdjustSkinSizeFitsTheSizeAndMovesThePoints) {
    TqvSkinGeometry g = NineSlice();
    int w = 84, h = 54;
    g.AdjustSkinSize(w, h, true);
    EXPECT_EQ(QSize(w, h), QSize(84, 54));
    EXPECT_EQ(g.NewClRect, Rect(4, 8, 80, 50));  // widened by 20, 10 lower
    EXPECT_EQ(g.NewRBPoint, Point(80, 50));
    EXPECT_EQ(g.NewRTPoint, Point(80, 8));
    EXPECT_EQ(g.NewLBPoint, Point(4, 50));

    g.RBPt = {};
    g.ResizeMode = g.GetResizeMode();  // horizontal: the height is the skin's
    g.NewLBPoint = {-1, -1};
    w = 100, h = 10;
    g.AdjustSkinSize(w, h, true);
    EXPECT_EQ(QSize(w, h), QSize(100, 64));
    EXPECT_EQ(g.NewClRect, Rect(4, 8, 96, 60));
    EXPECT_EQ(g.NewLBPoint, Point(-1, -1));  // left alone

    g.ResizeMode = 0;  // without a record a fixed skin does not snap
    w = 7, h = 9;
    g.AdjustSkinSize(w, h, false);
    EXPECT_EQ(QSize(w, h), QSize(7, 9));
    g.AdjustSkinSize(w, h, true);
    EXPECT_EQ(QSize(w, h), QSize(64, 64));
}

TEST(SkinGeometry, MapSkinRectFollowsTheZones) {
    const TqvSkinGeometry nine = NineSlice();
    TqvSkinGeometry horz = nine, vert = nine;
    horz.ResizeMode = 2;
    vert.ResizeMode = 3;
    struct Row {
        const char* Case;
        const TqvSkinGeometry* G;
        TRect In, Out;
    };
    // At 84 x 74: dW 20, dH 10.
    const Row rows[] = {
        {"top-left corner stays", &nine, Rect(0, 0, 3, 7), Rect(0, 0, 3, 7)},
        {"top-right corner moves right", &nine, Rect(61, 0, 63, 7), Rect(81, 0, 83, 7)},
        {"bottom-left corner moves down", &nine, Rect(0, 61, 3, 63), Rect(0, 71, 3, 73)},
        {"bottom-right corner moves both", &nine, Rect(61, 61, 63, 63), Rect(81, 71, 83, 73)},
        {"caption across the top grows", &nine, Rect(2, 0, 62, 7), Rect(2, 0, 82, 7)},
        {"whole client grows", &nine, Rect(2, 2, 62, 62), Rect(2, 2, 82, 72)},
        {"bottom strip grows and moves down", &nine, Rect(2, 61, 62, 63), Rect(2, 71, 82, 73)},
        {"left strip grows down", &nine, Rect(0, 2, 3, 62), Rect(0, 2, 3, 72)},
        {"right strip moves and grows", &nine, Rect(61, 2, 63, 62), Rect(81, 2, 83, 72)},
        {"spanning the middle grows", &horz, Rect(2, 0, 62, 5), Rect(2, 0, 82, 5)},
        {"right part moves", &horz, Rect(60, 0, 63, 5), Rect(80, 0, 83, 5)},
        {"left part stays", &horz, Rect(0, 0, 3, 5), Rect(0, 0, 3, 5)},
        {"vertical middle grows", &vert, Rect(0, 7, 5, 61), Rect(0, 7, 5, 71)},
        {"bottom part moves", &vert, Rect(0, 60, 5, 63), Rect(0, 70, 5, 73)},
    };
    for (const Row& r : rows) EXPECT_EQ(r.G->MapSkinRect(r.In, 84, 74), r.Out) << r.Case;
}

TEST_F(SkinControlTest, ForcedBackgroundPaintsTheSamePictureInPieces) {
    LoadSkin();
    auto* c = Make<TqvSkinCustomControl>();
    c->SetSkinDataName("panel");
    c->SetSkinData(Model);
    c->SetBounds(0, 0, 150, 90);
    const QImage whole = c->BuildImage();
    c->SetForcebackGround(true);
    EXPECT_EQ(c->BuildImage(), whole);
    c->SetDrawbackGround(false);
    const QImage open = c->BuildImage();
    EXPECT_EQ(open.pixel(75, 45), qRgb(255, 255, 255));  // client left to the container
    EXPECT_EQ(Px(open, 1, 45), Flat("panel", "skinrect", Z::zL));
}

TEST_F(SkinControlTest, ForcedBackgroundWithAnEmptyClientPartDrawsNoClient) {
    Skin.Set("panel", "clientrect", "4,8,4,60");
    LoadSkin();
    auto* c = Make<TqvSkinCustomControl>();
    c->SetSkinDataName("panel");
    c->SetSkinData(Model);
    c->SetForcebackGround(true);
    c->SetBounds(0, 0, 150, 90);
    const QImage img = c->BuildImage();
    EXPECT_EQ(img.pixel(75, 45), qRgb(255, 255, 255));
    EXPECT_EQ(Px(img, 148, 45), Flat("panel", "skinrect", Z::zR));
}

TEST_F(SkinControlTest, RegionFollowsTheSizeAndGoesWithTheMask) {
    // The objects picture has no black pixel, so the region is the client rectangle alone.
    Skin.Set("panel", "maskpictureindex", "1");
    LoadSkin();
    auto* c = Make<TqvSkinCustomControl>();
    c->SetSkinDataName("panel");
    c->SetSkinData(Model);
    c->SetBounds(0, 0, 100, 80);
    ASSERT_TRUE(c->HasSkinRegion());
    EXPECT_EQ(c->mask(), QRegion(4, 8, 92, 68));
    c->SetBounds(0, 0, 120, 90);
    EXPECT_EQ(c->mask(), QRegion(4, 8, 112, 78));

    TTestSkin plain = Skin;
    plain.Set("panel", "maskpictureindex", "-1");
    plain.LoadInto(*Model);  // the walk runs ChangeSkinData
    EXPECT_FALSE(c->HasSkinRegion());
    EXPECT_TRUE(c->mask().isEmpty());
}

class TNotedChild : public TqvSkinControl {
public:
    using TqvSkinControl::TqvSkinControl;
    int Seen = 0;
    void CheckParentBackground() override { ++Seen; }
};

class TNotedGraphic : public TqvGraphicSkinControl {
public:
    using TqvGraphicSkinControl::TqvGraphicSkinControl;
    int Seen = 0;
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_SKIN_PARENT_CHANGED) ++Seen;
    }
};

TEST_F(SkinControlTest, StretchedResizeTellsEveryChildAfterTheNewBounds) {
    Skin.Set("panel", "stretcheffect", "1");
    LoadSkin();
    auto* c = Make<TqvSkinCustomControl>();
    c->SetSkinDataName("panel");
    c->SetSkinData(Model);
    auto* w = Make<TNotedChild>(c);
    auto* g = Make<TNotedGraphic>(c);
    c->SetBounds(0, 0, 200, 120);
    EXPECT_GE(w->Seen, 1);
    EXPECT_GE(g->Seen, 1);

    w->Seen = g->Seen = 0;
    Skin.Set("panel", "stretcheffect", "0");
    Skin.LoadInto(*Model);
    c->SetBounds(0, 0, 220, 130);
    EXPECT_EQ(w->Seen + g->Seen, 0);
}

TEST_F(SkinControlTest, SkinChangeWalkReachesOnlyTheChangingModel) {
    Skin.Set("panel", "rightbottompoint", "0,0").Set("panel", "righttoppoint", "0,0");
    Skin.Set("panel", "leftbottompoint", "0,0").Set("panel", "lefttoppoint", "0,0");  // fixed 64 x 64
    auto* other = new TqvSkinData(Form);
    LoadSkin();
    Skin.LoadInto(*other);

    auto* mine = Make<TqvSkinCustomControl>();
    mine->SetSkinDataName("panel");
    mine->SetSkinData(Model);
    auto* theirs = Make<TqvSkinCustomControl>();
    theirs->SetSkinDataName("panel");
    theirs->SetSkinData(other);
    auto* nested = Make<TqvSkinCustomControl>(mine);
    nested->SetSkinDataName("none such");
    nested->SetDefaultWidth(120);
    nested->SetSkinData(Model);
    auto* graphic = Make<TqvGraphicSkinCustomControl>(mine);
    graphic->SetSkinDataName("panel");
    graphic->SetSkinData(Model);
    ASSERT_EQ(mine->size(), QSize(64, 64));
    ASSERT_NE(graphic->SkinIndex(), -1);

    QRgb duringChange = 0;
    int graphicIndexDuringChange = -2, theirIndexDuringChange = -2;
    Form->AfterWalk = [&](unsigned msg) {
        if (msg != WM_SKIN_CHANGING) return;
        EXPECT_EQ(mine->SkinIndex(), -1);
        graphicIndexDuringChange = graphic->SkinIndex();
        theirIndexDuringChange = theirs->SkinIndex();
        duringChange = Px(mine->BuildImage(), 30, 30);
    };
    Skin.Set("panel", "skinrect", "0,0,64,40");  // the new skin is 64 x 40
    Skin.LoadInto(*Model);
    Form->AfterWalk = nullptr;

    EXPECT_EQ(duringChange, ColorToQColor(clBtnFace).rgb());   // the default look while reloading
    EXPECT_NE(graphicIndexDuringChange, -1);                     // graphic controls get no Before
    EXPECT_NE(theirIndexDuringChange, -1);                       // another model's control untouched
    EXPECT_EQ(mine->size(), QSize(64, 40));                      // skinned again, at the new size
    EXPECT_EQ(Px(mine->BuildImage(), 30, 30), Flat("panel", "skinrect"));
    EXPECT_EQ(theirs->size(), QSize(64, 64));
    EXPECT_EQ(graphic->size(), QSize(64, 40));
    EXPECT_EQ(nested->Width(), 120);  // no record: the default width
}

TEST_F(SkinControlTest, FreedModelClearsTheReferenceAndTheNextPictureIsSkinless) {
    LoadSkin();
    auto* c = Make<TqvSkinCustomControl>();
    auto* g = Make<TqvGraphicSkinCustomControl>();
    c->SetSkinDataName("panel");
    g->SetSkinDataName("panel");
    c->SetSkinData(Model);
    g->SetSkinData(Model);
    c->SetBounds(0, 0, 80, 80);
    g->SetBounds(0, 0, 80, 80);
    EXPECT_EQ(Px(c->BuildImage(), 40, 40), Flat("panel", "skinrect"));
    delete Model;
    Model = nullptr;
    EXPECT_EQ(c->SkinData(), nullptr);
    EXPECT_EQ(g->SkinData(), nullptr);
    EXPECT_EQ(Px(c->BuildImage(), 40, 40), ColorToQColor(clBtnFace).rgb());
    EXPECT_EQ(Px(g->BuildImage(), 40, 40), ColorToQColor(clBtnFace).rgb());
}

TEST_F(SkinControlTest, EmptyModelOnlyStoresAndZeroSizePaintsNothing) {
    auto* c = Make<TqvSkinCustomControl>();
    c->SetSkinDataName("panel");
    c->SetBounds(0, 0, 30, 30);
    c->SetSkinData(Model);  // not loaded yet
    EXPECT_EQ(c->SkinIndex(), -1);
    EXPECT_EQ(c->size(), QSize(30, 30));
    c->SetBounds(0, 0, 0, 30);
    EXPECT_TRUE(c->BuildImage().isNull());
}

TEST_F(SkinControlTest, GraphicControlNeverTakesTheFocus) {
    auto* g = Make<TqvGraphicSkinCustomControl>();
    EXPECT_EQ(g->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(g->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_FALSE(g->testAttribute(Qt::WA_NativeWindow));
}

}  // namespace
