// The frame arithmetic as tables: geometry, rectangle mapping, the button
// row, the hit test, the shape, size limits, minimized cells, magnetic
// moving and centring.
#include "skin/forms/frame/FrameGeometry.h"
#include "skin/forms/frame/FrameStates.h"
#include "tests/skin/forms/frame/FrameTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameGeometry, NewRectsFollowTheSizeAtTwoSizes) {
    struct Case {
        int W, H;
        TRect Cl, Caption, Buttons, HitRB;
    } cases[] = {
        {100, 80, Rect(5, 25, 95, 75), Rect(5, 0, 60, 20), Rect(62, 2, 95, 18), Rect(92, 72, 0, 0)},
        {300, 200, Rect(5, 25, 295, 195), Rect(5, 0, 260, 20), Rect(262, 2, 295, 18), Rect(292, 192, 0, 0)},
    };
    for (const Case& c : cases) {
        const TqvFrameGeometry g = CalcFormRects(RoundInfo(), kRoundPicture, c.W, c.H);
        EXPECT_EQ(g.NewClRect, c.Cl) << c.W;
        EXPECT_EQ(g.NewCaptionRect, c.Caption) << c.W;
        EXPECT_EQ(g.NewButtonsRect, c.Buttons) << c.W;
        EXPECT_EQ(g.NewHitTestRBPoint, (TPoint{c.HitRB.Left, c.HitRB.Top})) << c.W;
        EXPECT_EQ(g.NewLTPoint, (TPoint{10, 20}));
        EXPECT_EQ(g.NewRBPoint, (TPoint{90 + c.W - 100, 70 + c.H - 80}));
    }
}

TEST(FrameGeometry, ButtonsLeftOfTheMiddleStayWhenTheFormWidens) {
    TqvSkinFormInfo i = RoundInfo();
    i.ButtonsRect = Rect(12, 2, 40, 18);
    EXPECT_EQ(CalcFormRects(i, kRoundPicture, 300, 200).NewButtonsRect, Rect(12, 2, 40, 18));
}

TEST(FrameGeometry, MapSkinRectCases) {
    // 100 x 80 picture at 200 x 150: dX 100, dY 70.
    const TqvFrameGeometry g = CalcFormRects(RoundInfo(), kRoundPicture, 200, 150);
    struct Case {
        int No;
        TRect In, Out;
    } cases[] = {
        {1, Rect(1, 1, 5, 5), Rect(1, 1, 5, 5)},
        {2, Rect(91, 1, 95, 5), Rect(191, 1, 195, 5)},
        {3, Rect(1, 71, 5, 75), Rect(1, 141, 5, 145)},
        {4, Rect(91, 71, 95, 75), Rect(191, 141, 195, 145)},
        {5, Rect(1, 1, 95, 75), Rect(1, 1, 195, 145)},
        {6, Rect(1, 1, 95, 5), Rect(1, 1, 195, 5)},
        {7, Rect(1, 71, 95, 75), Rect(1, 141, 195, 145)},
        {8, Rect(1, 1, 5, 75), Rect(1, 1, 5, 145)},
        {9, Rect(91, 1, 95, 75), Rect(191, 1, 195, 145)},
        {10, Rect(30, 30, 40, 40), Rect(30, 30, 40, 40)},
        // Right and bottom edges are outside an area: a rect ending on a corner point lies in none.
        {10, Rect(1, 1, 10, 5), Rect(1, 1, 10, 5)},
    };
    for (const Case& c : cases) EXPECT_EQ(MapSkinRect(g, c.In), c.Out) << "case " << c.No;
}

struct RowLayout : ::testing::Test {
    TqvFrameObjects objects;
    TTestObject* close = nullptr;
    TTestObject* max = nullptr;
    TTestObject* min = nullptr;
    TTestObject* sys = nullptr;
    TTestObject* caption = nullptr;
    void SetUp() override {
        // List order is not row order: the row takes close, maximize, minimize.
        auto add = [&](std::unique_ptr<TTestObject> o) {
            TTestObject* p = o.get();
            objects.push_back(std::move(o));
            return p;
        };
        min = add(Button(cmMinimize));
        caption = add(Caption(Rect(5, 0, 95, 19)));
        sys = add(Button(cmSysMenu, 16, 16));
        close = add(Button(cmClose));
        max = add(Button(cmMaximize));
    }
};

TEST_F(RowLayout, RightFromTheButtonsRect) {
    const TqvFrameGeometry g = CalcFormRects(RoundInfo(), kRoundPicture, 200, 150);
    CalcObjectRects(g, objects, std::nullopt);
    EXPECT_EQ(close->ObjectRect, Rect(179, 2, 195, 16));
    EXPECT_EQ(max->ObjectRect, Rect(161, 2, 177, 16));
    EXPECT_EQ(min->ObjectRect, Rect(143, 2, 159, 16));
    // The system menu sits at the caption's left, centred on it; the caption starts after it.
    EXPECT_EQ(sys->ObjectRect, Rect(5, 2, 21, 18));
    EXPECT_EQ(caption->ObjectRect, Rect(21, 0, 195, 19));
}

TEST_F(RowLayout, AHiddenMaximizeButtonClosesUp) {
    max->Visible = false;
    const TqvFrameGeometry g = CalcFormRects(RoundInfo(), kRoundPicture, 200, 150);
    CalcObjectRects(g, objects, std::nullopt);
    EXPECT_EQ(min->ObjectRect, Rect(161, 2, 177, 16));
}

TEST_F(RowLayout, OnTheCaptionTheCaptionEndsAtTheButtons) {
    TqvSkinFormInfo i = RoundInfo();
    i.ButtonsRect = {};
    const TqvFrameGeometry g = CalcFormRects(i, kRoundPicture, 200, 150);
    CalcObjectRects(g, objects, QSize(12, 12));
    EXPECT_EQ(close->ObjectRect, Rect(144, 0, 160, 14));
    EXPECT_EQ(min->ObjectRect, Rect(108, 0, 124, 14));
    EXPECT_EQ(caption->ObjectRect.Right, 108);
    // With the form's icon shown the system-menu button takes the small-icon size.
    EXPECT_EQ(sys->ObjectRect, Rect(5, 4, 17, 16));
    EXPECT_EQ(caption->ObjectRect.Left, 17);
}

TEST_F(RowLayout, LeftOrderIsCloseMaximizeMinimize) {
    TqvSkinFormInfo i = RoundInfo();
    i.ButtonsRect = {};
    i.CapButtonsInLeft = true;
    const TqvFrameGeometry g = CalcFormRects(i, kRoundPicture, 200, 150);
    CalcObjectRects(g, objects, std::nullopt);
    EXPECT_EQ(close->ObjectRect, Rect(5, 0, 21, 14));
    EXPECT_EQ(max->ObjectRect, Rect(23, 0, 39, 14));
    EXPECT_EQ(min->ObjectRect, Rect(41, 0, 57, 14));
    EXPECT_EQ(sys->ObjectRect, Rect(59, 0, 75, 16));
    EXPECT_EQ(caption->ObjectRect.Left, 79);
}

TqvHitTestState Sizeable(int borderW = 4) {
    TqvHitTestState s;
    s.BorderW = borderW;
    s.CaptionRects = {Rect(21, 0, 160, 20)};
    return s;
}

TEST(FrameHitTest, ZonesOfAnUnmaskedFrame) {
    const TqvFrameGeometry g = CalcFormRects(RoundInfo(), kRoundPicture, 200, 150);
    const TqvMaskPieces none;
    TqvHitTestState fixed = Sizeable();
    fixed.CanResize = false;
    TqvHitTestState maximized = Sizeable();
    maximized.Maximized = true;
    TqvHitTestState rolled = Sizeable();
    rolled.RolledUp = true;
    TqvHitTestState object = Sizeable();
    object.ObjectActive = true;
    struct Case {
        const char* What;
        TqvHitTestState S;
        TPoint P;
        int Code;
    } cases[] = {
        {"top-left corner", Sizeable(), {0, 0}, HTTOPLEFT},
        {"top-right corner", Sizeable(), {199, 0}, HTTOPRIGHT},
        {"bottom-left corner", Sizeable(), {0, 149}, HTBOTTOMLEFT},
        {"bottom-right corner", Sizeable(), {199, 149}, HTBOTTOMRIGHT},
        {"corner limit", Sizeable(), {8, 1}, HTTOPLEFT},
        {"past the corner limit", Sizeable(), {9, 1}, HTTOP},
        {"bottom edge", Sizeable(), {100, 148}, HTBOTTOM},
        {"left edge", Sizeable(), {1, 80}, HTLEFT},
        {"4 px inside the left edge", Sizeable(), {3, 80}, HTLEFT},
        {"5 px inside the left edge", Sizeable(), {4, 80}, HTOBJECT},
        {"client", Sizeable(), {100, 80}, HTCLIENT},
        {"caption", Sizeable(), {50, 10}, HTCAPTION},
        {"buttons", Sizeable(), {170, 10}, HTOBJECT},
        {"last client column", Sizeable(5), {194, 80}, HTCLIENT},
        {"on NewClRect.Right", Sizeable(5), {195, 80}, HTRIGHT},
        {"on NewClRect.Right, not near", Sizeable(4), {195, 80}, HTOBJECT},
        {"maximized corner", maximized, {0, 0}, HTOBJECT},
        {"maximized caption", maximized, {50, 1}, HTCAPTION},
        {"fixed corner", fixed, {199, 149}, HTOBJECT},
        {"fixed client", fixed, {100, 80}, HTCLIENT},
        {"rolled up client", rolled, {100, 80}, HTOBJECT},
        {"rolled up caption", rolled, {50, 10}, HTCAPTION},
        {"object under the mouse", object, {170, 10}, HTOBJECT},
        {"object, yet on the caption", object, {50, 10}, HTCAPTION},
    };
    for (const Case& c : cases) EXPECT_EQ(HitTestSkin(g, none, c.S, c.P), c.Code) << c.What;
}

TEST(FrameHitTest, QuickButtonsAreNoCaptionArea) {
    TqvHitTestState s = Sizeable();
    s.QuickStripWidth = 24;
    EXPECT_FALSE(InCaptionArea(s, {30, 10}));
    EXPECT_TRUE(InCaptionArea(s, {45, 10}));
}

// Black inside, white outside: three pixels cut off each corner, as the test skin's.
QImage CornerMask(int w, int h) {
    QImage m(w, h, QImage::Format_RGB32);
    m.fill(qRgb(0, 0, 0));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3 - i; ++j)
            for (QPoint p : {QPoint(j, i), QPoint(w - 1 - j, i), QPoint(j, h - 1 - i), QPoint(w - 1 - j, h - 1 - i)})
                m.setPixel(p, qRgb(255, 255, 255));
    return m;
}

struct MaskedFrame : ::testing::Test {
    TqvSkinFormInfo info = RoundInfo();
    TqvFrameGeometry g;
    TqvMaskPieces pieces;
    void SetUp() override {
        info.MaskRectArea = Rect(3, 3, 97, 77);
        g = CalcFormRects(info, kRoundPicture, 200, 150);
        pieces = ComposeMaskPieces(info, CornerMask(100, 80), g);
    }
};

TEST_F(MaskedFrame, RegionAndPointInMaskAgreeAtTheCorners) {
    const QRegion r = MaskRegion(pieces, g);
    struct Case {
        QPoint P;
        bool In;
    } cases[] = {
        {{0, 0}, false},   {{2, 0}, false},   {{3, 0}, true},     {{0, 2}, false},   {{1, 2}, true},
        {{199, 0}, false}, {{196, 0}, true},  {{197, 149}, false}, {{196, 149}, true}, {{0, 147}, false},
        {{0, 146}, true},  {{100, 75}, true}, {{100, 0}, true},   {{199, 75}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(r.contains(c.P), c.In) << c.P.x() << "," << c.P.y();
        EXPECT_EQ(PointInMask(pieces, g, {c.P.x(), c.P.y()}), c.In) << c.P.x() << "," << c.P.y();
    }
    EXPECT_EQ(r.boundingRect(), QRect(0, 0, 200, 150));
}

TEST_F(MaskedFrame, EdgesAreNearWhereTheMaskEnds) {
    TqvHitTestState s = Sizeable();
    s.HasMask = true;
    EXPECT_EQ(HitTestSkin(g, pieces, s, {2, 2}), HTTOPLEFT);
    EXPECT_EQ(HitTestSkin(g, pieces, s, {50, 1}), HTTOP);
    EXPECT_EQ(HitTestSkin(g, pieces, s, {198, 80}), HTRIGHT);
    // Inside the mask's inner rectangle nothing is near, however close to the edge.
    EXPECT_EQ(HitTestSkin(g, pieces, s, {50, 4}), HTCAPTION);
    EXPECT_EQ(HitTestSkin(g, pieces, s, {100, 80}), HTCLIENT);
}

TEST(FrameLimits, MinimumAndMaximumSizes) {
    auto skinned = [](int minWidth, int formMinWidth, bool minimized) {
        TqvSizeLimitInput in;
        in.Skinned = true;
        in.Picture = QRect(0, 0, 300, 200);
        in.ClRect = Rect(5, 30, 295, 180);
        in.MinWidth = minWidth;
        in.FormMinWidth = formMinWidth;
        in.Minimized = minimized;
        return in;
    };
    TqvSizeLimitInput skinless;
    EXPECT_EQ(GetMinWidth(skinless), 120);
    skinless.MinWidth = 90;
    EXPECT_EQ(GetMinWidth(skinless), 90);
    EXPECT_EQ(GetMinHeight(skinless), 25);
    skinless.DefCaptionHeight = 15;
    EXPECT_EQ(GetMinHeight(skinless), 21);

    EXPECT_EQ(GetMinWidth(skinned(500, 0, false)), 500);
    EXPECT_EQ(GetMinWidth(skinned(500, 0, true)), 300);
    EXPECT_EQ(GetMinWidth(skinned(500, 150, true)), 150);
    EXPECT_EQ(GetMinWidth(skinned(100, 150, false)), 150);
    EXPECT_EQ(GetMinWidth(skinned(200, 150, false)), 200);
    EXPECT_EQ(GetMinWidth(skinned(0, 0, false)), 300);

    TqvSizeLimitInput h = skinned(0, 0, false);
    EXPECT_EQ(GetMinHeight(h), 50);
    h.MinHeight = 100;
    EXPECT_EQ(GetMinHeight(h), 100);
    h.RolledUp = true;
    EXPECT_EQ(GetMinHeight(h), 50);

    const QRect work(0, 0, 1024, 738);
    EXPECT_EQ(GetMaxWidth(h, work), 1024);
    EXPECT_EQ(GetMaxHeight(h, work), 738);
    h.MaxWidth = 640;
    EXPECT_EQ(GetMaxWidth(h, work), 640);
}

TEST(FrameLimits, ResizingKeepsTheOppositeEdgesAndTheLimits) {
    const QRect start(100, 100, 300, 200);
    const QSize min(120, 30), max(800, 600);
    struct Case {
        int Code;
        QPoint Delta;
        QRect Out;
    } cases[] = {
        {HTRIGHT, {50, 10}, QRect(100, 100, 350, 200)},
        {HTLEFT, {50, 0}, QRect(150, 100, 250, 200)},
        {HTLEFT, {500, 0}, QRect(280, 100, 120, 200)},
        {HTTOPLEFT, {-10, 500}, QRect(90, 270, 310, 30)},
        {HTBOTTOMRIGHT, {1000, 1000}, QRect(100, 100, 800, 600)},
        {HTBOTTOM, {0, -400}, QRect(100, 100, 300, 30)},
    };
    for (const Case& c : cases) EXPECT_EQ(ResizedBounds(start, c.Delta, c.Code, min, max), c.Out) << c.Code;
}

TEST(FrameStates, MaximizedArea) {
    const QRect screen(0, 0, 1024, 768), primary = screen;
    EXPECT_EQ(MaximizedArea(screen, QRect(0, 0, 1024, 738), primary, false), QRect(0, 0, 1024, 738));
    EXPECT_EQ(MaximizedArea(screen, QRect(0, 0, 1024, 738), primary, true), screen);
    // An auto-hidden panel: the work area is the whole primary screen, the form stays 1 px inside.
    EXPECT_EQ(MaximizedArea(screen, screen, primary, false), QRect(1, 1, 1022, 766));
    EXPECT_EQ(MaximizedArea(QRect(1024, 0, 800, 600), QRect(1024, 0, 800, 600), primary, false),
              QRect(1024, 0, 800, 600));
}

TEST(FrameStates, MinimizedCellsFillRowsFromTheBottomLeft) {
    const QRect area(0, 0, 400, 300);
    struct Case {
        std::vector<QPoint> Taken;
        QPoint Out;
    } cases[] = {
        {{}, {0, 275}},
        {{{0, 275}}, {120, 275}},
        {{{0, 275}, {120, 275}}, {240, 275}},
        {{{0, 275}, {120, 275}, {240, 275}}, {0, 250}},
        {{{0, 275}, {240, 275}}, {120, 275}},
        // A cell a little off is not taken.
        {{{1, 275}}, {0, 275}},
    };
    for (const Case& c : cases) EXPECT_EQ(GetMinimizedPlace(area, 120, 25, c.Taken), c.Out);
    // Every row full: back to the bottom-left cell.
    std::vector<QPoint> all;
    for (int y = 275; y >= 0; y -= 25)
        for (int x = 0; x + 120 <= 400; x += 120) all.push_back({x, y});
    EXPECT_EQ(GetMinimizedPlace(area, 120, 25, all), QPoint(0, 275));
}

TEST(FrameStates, PositionInMonitor) {
    const QRect screen(0, 0, 1000, 750), work(0, 0, 1000, 700);
    EXPECT_EQ(GetPositionInMonitor(qvpDefault, screen, work, 7, 9, 200, 100), QPoint(7, 9));
    EXPECT_EQ(GetPositionInMonitor(qvpDesktopCenter, screen, work, 7, 9, 200, 100), QPoint(400, 300));
    EXPECT_EQ(GetPositionInMonitor(qvpScreenCenter, screen, work, 7, 9, 200, 100), QPoint(400, 325));
    EXPECT_EQ(GetPositionInMonitor(qvpScreenCenter, QRect(1000, 0, 800, 600), work, 0, 0, 201, 101),
              QPoint(1300, 250));
}

TEST(FrameStates, MagneticMoveSnapsAndLetsGoPastTheSize) {
    const QRect area(0, 0, 800, 600);
    TqvMagnetState s;
    struct Step {
        int ProposedLeft, CursorX, Left;
    } steps[] = {
        {20, 120, 20},  // far: as proposed
        {4, 104, 0},    // within 4 px: snaps, the snap point is 104
        {2, 102, 0},    // still near: stays
        {7, 107, 0},    // leaving the band, 3 px from the snap point: stays once more
        {8, 108, 8},    // free again
        {3, 103, 0},    // snaps again at 103
        {-3, 97, -6},   // still near, but 6 px from the snap point: follows the cursor
        {30, 130, 27},  // leaving the band: once more relative to the snap point
        {40, 140, 40},
    };
    for (const Step& st : steps) {
        int l = st.ProposedLeft, t = 200;
        MagneticMove(s, l, t, 200, 100, area, 5, QPoint(st.CursorX, 250));
        EXPECT_EQ(l, st.Left) << st.CursorX;
        EXPECT_EQ(t, 200);
    }
    // Right and bottom edges: the form's far side snaps.
    TqvMagnetState r;
    int l = 597, t = 497;
    MagneticMove(r, l, t, 200, 100, area, 5, QPoint(700, 550));
    EXPECT_EQ(l, 600);
    EXPECT_EQ(t, 500);
}

TEST(SkinlessFrame, RectsAndZones) {
    TqvFrameObjects objects;
    objects.push_back(Button(cmSysMenu));
    objects.push_back(Button(cmMinimize));
    objects.push_back(Button(cmClose));
    const TRect cap = CalcDefRects(300, false, objects, std::nullopt);
    EXPECT_EQ(objects[2]->ObjectRect, Rect(280, 4, 297, 21));
    EXPECT_EQ(objects[1]->ObjectRect, Rect(263, 4, 280, 21));
    EXPECT_EQ(objects[0]->ObjectRect, Rect(3, 4, 20, 21));
    EXPECT_EQ(cap, Rect(20, 3, 263, 19));
    TqvFrameObjects tool;
    tool.push_back(Button(cmClose));
    EXPECT_EQ(CalcDefRects(300, true, tool, std::nullopt), Rect(3, 3, 284, 15));
    EXPECT_EQ(tool[0]->ObjectRect, Rect(284, 4, 297, 17));

    TqvHitTestState s;
    TqvHitTestState fixed;
    fixed.CanResize = false;
    struct Case {
        TqvHitTestState S;
        TPoint P;
        int Code;
    } cases[] = {
        {s, {0, 0}, HTTOPLEFT},       {s, {2, 2}, HTTOPLEFT},     {s, {299, 0}, HTTOPRIGHT},
        {s, {0, 199}, HTBOTTOMLEFT},  {s, {298, 198}, HTBOTTOMRIGHT}, {s, {2, 100}, HTLEFT},
        {s, {3, 100}, HTCLIENT},      {s, {100, 2}, HTTOP},       {s, {298, 100}, HTRIGHT},
        {s, {100, 198}, HTBOTTOM},    {s, {100, 10}, HTCAPTION},  {s, {270, 10}, HTOBJECT},
        {s, {100, 20}, HTOBJECT},     {s, {100, 22}, HTCLIENT},   {fixed, {0, 0}, HTOBJECT},
        {fixed, {100, 10}, HTCAPTION},
    };
    for (const Case& c : cases) EXPECT_EQ(HitTestDefault(300, 200, false, cap, c.S, c.P), c.Code)
        << c.P.X << "," << c.P.Y;
}

}  // namespace
