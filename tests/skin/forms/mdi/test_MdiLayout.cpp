// Tile, cascade and the tabs bar's geometry as tables.
#include "skin/forms/mdi/MdiArrange.h"
#include "skin/forms/mdi/MdiTabsLayout.h"

#include <gtest/gtest.h>

namespace {

const TRect kClient{0, 0, 600, 400};

TEST(MdiTile, ColumnsFromTheRightEachFilledFromTheBottom) {
    // Four: two columns of two, the last child bottom right.
    auto four = TileRects(4, kClient);
    const std::vector<TRect> wantFour = {
        {0, 0, 300, 200}, {0, 200, 300, 400}, {300, 0, 600, 200}, {300, 200, 600, 400}};
    EXPECT_EQ(four, wantFour);

    // Five: the right column holds three (H div 3), the left two (H div 2).
    auto five = TileRects(5, kClient);
    const std::vector<TRect> wantFive = {{0, 0, 300, 200},     {0, 200, 300, 400},   {300, 1, 600, 134},
                                         {300, 134, 600, 267}, {300, 267, 600, 400}};
    EXPECT_EQ(five, wantFive);

    // The client's own offset does not count; one child fills it; none places nothing.
    EXPECT_EQ(TileRects(1, {50, 30, 650, 430}), std::vector<TRect>{TRect(0, 0, 600, 400)});
    EXPECT_TRUE(TileRects(0, kClient).empty());
}

TEST(MdiCascade, ActiveChildLastAtTheLargestOffset) {
    // n = (600 - 480) div 20 = 6 > 3 children: size shrinks by two steps.
    auto three = CascadeRects(3, kClient, 20, 120, 30);
    const std::vector<TRect> want = {Bounds(40, 40, 560, 360), Bounds(20, 20, 560, 360), Bounds(0, 0, 560, 360)};
    EXPECT_EQ(three, want);

    // Many children: the size shrinks by n steps and the offset wraps when a child would leave the client.
    auto ten = CascadeRects(10, kClient, 20, 120, 30);
    EXPECT_EQ(ten[9], Bounds(0, 0, 480, 280));
    EXPECT_EQ(ten[3], Bounds(120, 120, 480, 280));
    EXPECT_EQ(ten[2], Bounds(0, 0, 480, 280));  // 140 + 280 > 400: back to 0

    // The minimum size wins over the shrinking; a fixed-size child keeps its size.
    // n = 40 div 20 = 2, not above the count: both sides shrink by two steps.
    auto small = CascadeRects(2, TRect{0, 0, 200, 100}, 20, 150, 80);
    EXPECT_EQ(small[1], Bounds(0, 0, 160, 80));
    auto fixed = CascadeRects(2, kClient, 20, 120, 30, {{true, 200, 100}, {}});
    EXPECT_EQ(fixed[0], Bounds(20, 20, 200, 100));
}

TEST(MdiTabs, TabPlacesByWidthCountAndMinimum) {
    struct Row {
        int Width, Count, MinTabWidth;
        std::vector<int> Lefts;
        int LastRight, Hidden;
    };
    for (const Row& r : {Row{415, 4, 0, {15, 115, 215, 315}, 415, 0},
                         Row{418, 5, 0, {15, 95, 175, 255, 335}, 418, 0},  // 80 wide, the last stretched
                         Row{300, 2, 0, {15, 115}, 215, 0},                // never above DefaultTabWidth
                         Row{415, 6, 90, {15, 105, 195, 285}, 375, 2}}) {
        TqvTabsLayoutInput in;
        in.Width = r.Width;
        in.Count = r.Count;
        in.MinTabWidth = r.MinTabWidth;
        const TqvTabsLayout L = CalcTabRects(in);
        ASSERT_EQ(int(L.Tabs.size()), r.Count);
        std::vector<int> lefts;
        int lastRight = 0;
        for (const auto& t : L.Tabs)
            if (t.Visible) {
                lefts.push_back(t.Rect.Left);
                lastRight = t.Rect.Right;
                EXPECT_EQ(t.Rect.Height(), 21);
            } else {
                EXPECT_EQ(t.Rect, TRect{});
            }
        EXPECT_EQ(lefts, r.Lefts) << r.Width << " " << r.Count;
        EXPECT_EQ(lastRight, r.LastRight) << r.Width << " " << r.Count;
        EXPECT_EQ(L.InVisibleCount, r.Hidden) << r.Width << " " << r.Count;
    }
    EXPECT_TRUE(CalcTabRects({}).Tabs.empty());
}

TEST(MdiTabs, DraggedTabLandsByTheMiddlesItPasses) {
    struct Row {
        int Drag, DX, Drop;
        std::vector<int> Order;
    };
    for (const Row& r : {Row{0, 120, 1, {1, 0, 2}}, Row{0, 160, 2, {1, 2, 0}}, Row{0, 0, -1, {0, 1, 2}},
                         Row{0, 40, -1, {0, 1, 2}}, Row{2, -160, 0, {2, 0, 1}},
                         Row{0, 900, 2, {1, 2, 0}}}) {  // held inside the bar
        TqvTabsLayoutInput in;
        in.Width = 315;
        in.Count = 3;
        in.DragIndex = r.Drag;
        in.TabDX = r.DX;
        const TqvTabsLayout L = CalcTabRects(in);
        const int drop = GetDropIndex(L, r.Drag, r.DX);
        EXPECT_EQ(drop, r.Drop) << r.Drag << " " << r.DX;
        EXPECT_EQ(DropOrder(3, r.Drag, drop), r.Order) << r.Drag << " " << r.DX;
    }
}

}  // namespace
