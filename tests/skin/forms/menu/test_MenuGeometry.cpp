// Level size, item layout, scrolling ends and placement; the images grid;
// the menu bar's item sizes. All pure: the work area is a parameter.
#include "skin/forms/menu/ImagesMenu.h"
#include "skin/forms/menu/MenuBarGeometry.h"
#include "skin/forms/menu/PopupLevelLayout.h"

#include <gtest/gtest.h>

namespace {

const TRect kWA = Rect(0, 0, 1000, 800);

TqvLevelFrame PlainFrame() { return {}; }

// A skinned frame: a 48 x 48 window picture with a 3-pixel border and a
// menu-item record 48 x 22 with 4-pixel text margins.
struct TSkinnedFrame {
    TqvDataSkinMenuItem MI{QStringLiteral("menuitem")};
    TqvLevelFrame Frame;
    TSkinnedFrame() {
        MI.SkinRect = Rect(0, 0, 48, 22);
        MI.DividerRect = Rect(0, 22, 48, 29);
        MI.TextRct = Rect(4, 0, 44, 22);
        Frame.Skinned = true;
        Frame.PictureSize = TSize{48, 48};
        Frame.PW.LTPoint = Point(4, 4);
        Frame.PW.RTPoint = Point(44, 4);
        Frame.PW.LBPoint = Point(4, 44);
        Frame.PW.RBPoint = Point(44, 44);
        Frame.PW.ItemsRect = Rect(3, 3, 45, 45);
        Frame.MenuItem = &MI;
    }
};

TEST(MenuLevelSize, Table) {
    TSkinnedFrame skinned;
    const struct {
        const char* Case;
        bool Skinned;
        int Items;
        int MaxItems;
        bool TwoLists;
        TRect WorkArea;
        int W, H;
        bool Scroll, Scroll2;
    } rows[] = {
        // width: text 50 + 2, glyph column 19, 19, then the frame's margins
        {"plain", false, 5, 0, false, kWA, 100, 5 * 20 + 4, false, false},
        {"plain two lists", false, 5, 0, true, kWA, 100, 5 * 20 + 6, false, false},
        {"plain limit 3 of 5", false, 5, 3, false, kWA, 100, 3 * 20 + 4 + 20, true, true},
        {"plain exactly 3", false, 3, 3, false, kWA, 100, 3 * 20 + 4, false, false},
        {"plain limit above count", false, 3, 7, false, kWA, 100, 3 * 20 + 4, false, false},
        {"plain taller than work area", false, 30, 0, false, Rect(0, 100, 1000, 500), 100, 400, true, false},
        {"plain limit still too tall", false, 30, 25, false, Rect(0, 0, 1000, 300), 100, 300, true, true},
        {"skinned", true, 5, 0, false, kWA, 52 + 38 + 6 + 4 + 4, 5 * 22 + 6, false, false},
        {"skinned limit 2 of 5", true, 5, 2, false, kWA, 104, 2 * 22 + 6 + 20, true, true},
    };
    for (const auto& r : rows) {
        TqvLevelFrame f = r.Skinned ? skinned.Frame : PlainFrame();
        f.MaxMenuItemsInWindow = r.MaxItems;
        f.TwoLists = r.TwoLists;
        const std::vector<int> widths(std::size_t(r.Items), 50);
        const std::vector<int> heights(std::size_t(r.Items), MenuItemHeight(f, false));
        const TqvLevelSize s = MenuLevelSize(f, widths, heights, r.WorkArea);
        EXPECT_EQ(s.Width, r.W) << r.Case;
        EXPECT_EQ(s.Height, r.H) << r.Case;
        EXPECT_EQ(s.Scroll, r.Scroll) << r.Case;
        EXPECT_EQ(s.Scroll2, r.Scroll2) << r.Case;
    }
}

TEST(MenuLevelSize, ItemHeightsAndGlyphColumn) {
    TSkinnedFrame skinned;
    TqvLevelFrame plain = PlainFrame();
    plain.DefaultMenuItemHeight = 24;
    EXPECT_EQ(MenuItemHeight(plain, false), 24);
    EXPECT_EQ(MenuItemHeight(plain, true), 4);
    EXPECT_EQ(MenuItemHeight(skinned.Frame, false), 22);
    EXPECT_EQ(MenuItemHeight(skinned.Frame, true), 7);
    EXPECT_EQ(MenuGlyphWidth(0), 19);
    EXPECT_EQ(MenuGlyphWidth(16), 21);
    // The widest text decides, with the image list's glyph column.
    plain.GlyphWidth = MenuGlyphWidth(32);
    EXPECT_EQ(MenuLevelSize(plain, {10, 80, 30}, {20, 20, 20}, kWA).Width, 82 + 37 + 19 + 10);
}

TEST(MenuLevelSize, PointsFollowTheSize) {
    TSkinnedFrame s;
    const TqvLevelPoints p = MenuLevelPoints(s.Frame, 148, 100);
    EXPECT_EQ(p.LT, Point(4, 4));
    EXPECT_EQ(p.RT, Point(144, 4));
    EXPECT_EQ(p.LB, Point(4, 96));
    EXPECT_EQ(p.RB, Point(144, 96));
    EXPECT_EQ(p.ItemsRect, Rect(3, 3, 145, 97));
    EXPECT_EQ(MenuLevelPoints(PlainFrame(), 100, 50).ItemsRect, Rect(2, 2, 98, 48));
}

TEST(MenuLevelLayout, ShownItemsBetweenTheMarkers) {
    const std::vector<int> h = {20, 20, 4, 20, 20};
    const TRect items = Rect(2, 2, 98, 80);
    const struct {
        bool Scroll;
        int Start;
        int Count;
        const char* Shown;
        int FirstTop;
    } rows[] = {
        {true, 0, 3, "xxx..", 12},  // 12..32, 32..52, 52..56; 56..76 passes 70
        {true, 2, 3, "..xxx", 12},
        {true, 4, 1, "....x", 12},
        {false, 0, 5, "xxxxx", 2},  // a level that fits shows every item
    };
    for (const auto& r : rows) {
        const TqvLevelLayout l = LayoutMenuItems(h, r.Scroll ? items : Rect(2, 2, 98, 86), r.Scroll, r.Start);
        EXPECT_EQ(l.VisibleCount, r.Count) << r.Start;
        QString shown;
        for (bool b : l.Shown) shown += b ? u'x' : u'.';
        EXPECT_EQ(shown, QString::fromLatin1(r.Shown)) << r.Start;
        EXPECT_EQ(l.ItemRects[std::size_t(r.Start)].Top, r.FirstTop);
        EXPECT_EQ(l.ItemRects[std::size_t(r.Start)].Left, 2);
        EXPECT_EQ(l.ItemRects[std::size_t(r.Start)].Right, 98);
    }
}

TEST(MenuLevelLayout, LastStartIndexShowsTheLastItem) {
    const struct {
        std::vector<int> Heights;
        TRect Items;
        int Last;
    } rows[] = {
        {std::vector<int>(10, 20), Rect(2, 2, 98, 102), 6},  // exactly four fit
        {std::vector<int>(10, 20), Rect(5, 5, 95, 103), 7},  // three fit: the fourth would end under the marker
        {std::vector<int>(10, 20), Rect(2, 2, 98, 101), 7},
        {{20, 4, 20, 4, 20}, Rect(2, 2, 98, 70), 1},
        {{20, 20}, Rect(2, 2, 98, 200), 0},
        {{}, Rect(2, 2, 98, 200), 0},
    };
    for (const auto& r : rows) {
        const int last = MenuLastStartIndex(r.Heights, r.Items);
        EXPECT_EQ(last, r.Last) << r.Items.Bottom;
        if (r.Heights.empty()) continue;
        const TqvLevelLayout l = LayoutMenuItems(r.Heights, r.Items, true, last);
        EXPECT_TRUE(l.Shown.back()) << r.Items.Bottom;
        if (last > 0) {  // one item earlier would push the last one out
            const TqvLevelLayout e = LayoutMenuItems(r.Heights, r.Items, true, last - 1);
            EXPECT_FALSE(e.Shown.back()) << r.Items.Bottom;
        }
    }
}

TEST(MenuLevelPlacement, Table) {
    const TqvLevelSize fits{}, tallest{0, 0, true, false}, limited{0, 0, true, true};
    const struct {
        const char* Case;
        TRect From;
        int W, H;
        TqvLevelSize Size;
        bool ByItem, Up;
        TRect WA;
        TPoint At;
    } rows[] = {
        {"down at a point", Rect(100, 100, 100, 100), 100, 200, fits, false, false, kWA, Point(100, 100)},
        {"down below a rect", Rect(100, 100, 180, 120), 100, 200, fits, false, false, kWA, Point(100, 120)},
        {"lower half: above", Rect(100, 700, 100, 700), 100, 200, fits, false, false, kWA, Point(100, 500)},
        {"upper half, too tall: bottom, beside", Rect(100, 350, 100, 350), 100, 500, fits, false, false, kWA,
         Point(101, 300)},
        {"lower half, fits nowhere: top, beside", Rect(100, 500, 100, 500), 100, 600, fits, false, false, kWA,
         Point(101, 0)},
        {"right edge: shifted left", Rect(950, 100, 950, 100), 100, 200, fits, false, false, kWA, Point(900, 100)},
        {"left of the work area", Rect(-20, 100, -20, 100), 100, 200, fits, false, false, kWA, Point(0, 100)},
        {"up: above", Rect(100, 500, 160, 520), 100, 200, fits, false, true, kWA, Point(100, 300)},
        {"up, no room: below", Rect(100, 100, 160, 120), 100, 200, fits, false, true, kWA, Point(100, 120)},
        {"up, upper half, fits nowhere", Rect(100, 100, 160, 120), 100, 750, fits, false, true, kWA,
         Point(161, 50)},
        {"up, lower half, fits nowhere", Rect(100, 500, 160, 520), 100, 600, fits, false, true, kWA,
         Point(161, 0)},
        {"submenu level with its parent", Rect(200, 100, 300, 120), 100, 200, fits, true, false, kWA,
         Point(301, 98)},
        {"submenu, upper half, too low", Rect(200, 300, 300, 320), 100, 600, fits, true, false, kWA,
         Point(301, 200)},
        {"submenu, lower half: upward", Rect(200, 600, 300, 620), 100, 300, fits, true, false, kWA,
         Point(301, 322)},
        {"submenu upward, not above the top", Rect(200, 700, 300, 720), 100, 790, fits, true, false, kWA,
         Point(301, 0)},
        {"submenu at the right edge: left", Rect(850, 100, 950, 120), 100, 200, fits, true, false, kWA,
         Point(749, 98)},
        {"submenu left, clamped to the work area", Rect(50, 100, 150, 120), 100, 200, fits, true, false,
         Rect(0, 0, 200, 800), Point(0, 98)},
        {"taller than the work area: top, beside", Rect(100, 300, 100, 300), 100, 800, tallest, false, false, kWA,
         Point(101, 0)},
        {"limited items: normal rules", Rect(100, 300, 100, 300), 100, 200, limited, false, false, kWA,
         Point(100, 300)},
    };
    for (const auto& r : rows) {
        TqvLevelPlace p;
        p.From = r.From;
        p.Width = r.W;
        p.Height = r.H;
        p.Size = r.Size;
        p.ItemsTop = 2;
        p.PopupByItem = r.ByItem;
        p.PopupUp = r.Up;
        EXPECT_EQ(MenuLevelPosition(p, r.WA), r.At) << r.Case;
    }
}

std::vector<TqvImagesMenuItem> GridItems(const char* kinds) {
    std::vector<TqvImagesMenuItem> items;
    for (const char* c = kinds; *c; ++c) {
        TqvImagesMenuItem i;
        i.Header = *c == 'h';
        i.Button = *c == 'b';
        items.push_back(i);
    }
    return items;
}

QString RowsOf(const std::vector<TqvImagesMenuItem>& items) {
    QString s;
    int top = -1;
    for (const auto& i : items) {
        if (i.ItemRect.Top != top && top != -1) s += u'|';
        top = i.ItemRect.Top;
        s += i.Header ? u'h' : i.Button ? u'b' : u'i';
    }
    return s;
}

TEST(ImagesMenuLayout, Rows) {
    const struct {
        const char* Items;
        int Columns;
        const char* Rows;
    } rows[] = {
        {"iiiiiiii", 3, "iii|iii|ii"},
        {"iihi", 3, "ii|h|i"},
        {"iiihi", 3, "iii|h|i"},
        {"iibiii", 3, "ii|b|iii"},
        {"iiii", 1, "i|i|i|i"},
        {"hiiiii", 5, "h|iiiii"},
    };
    for (const auto& r : rows) {
        std::vector<TqvImagesMenuItem> items = GridItems(r.Items);
        TqvImagesGridMetrics m;
        m.ColumnsCount = r.Columns;
        LayoutImagesMenuItems(items, m);
        EXPECT_EQ(RowsOf(items), QString::fromLatin1(r.Rows)) << r.Items;
    }
}

TEST(ImagesMenuLayout, CellsTouchRowsOnePixelApart) {
    std::vector<TqvImagesMenuItem> items = GridItems("iiiihi");
    TqvImagesGridMetrics m;
    m.ColumnsCount = 3;
    m.HeaderHeight = 18;
    LayoutImagesMenuItems(items, m);
    EXPECT_EQ(items[0].ItemRect, Rect(5, 5, 31, 31));
    EXPECT_EQ(items[1].ItemRect, Rect(31, 5, 57, 31));
    EXPECT_EQ(items[3].ItemRect, Rect(5, 32, 31, 58));
    EXPECT_EQ(items[4].ItemRect, Rect(5, 59, 83, 77));  // a header after a partial row: a new row, full width
    EXPECT_EQ(items[5].ItemRect, Rect(5, 78, 31, 104));
}

TEST(ImagesMenuLayout, HitsIncludeTheRightAndBottomEdges) {
    std::vector<TqvImagesMenuItem> items = GridItems("iihi");
    TqvImagesGridMetrics m;
    m.ColumnsCount = 2;
    LayoutImagesMenuItems(items, m);
    const struct {
        TPoint P;
        int Item;
    } rows[] = {
        {Point(5, 5), 0},   {Point(31, 31), 0},  {Point(32, 31), 1}, {Point(57, 20), 1},
        {Point(58, 20), -1}, {Point(4, 5), -1},  {Point(20, 40), -1},  // the header
        {Point(20, items[3].ItemRect.Bottom), 3},
    };
    for (const auto& r : rows) EXPECT_EQ(ImagesMenuItemAt(items, r.P), r.Item) << r.P.X << "," << r.P.Y;
}

TEST(ImagesMenuLayout, ComponentColumnsSizeAndSelection) {
    TqvSkinImagesMenu menu;
    for (int v : {0, 51, -3}) {
        menu.SetColumnsCount(4);
        menu.SetColumnsCount(v);
        EXPECT_EQ(menu.ColumnsCount(), 4) << v;
    }
    menu.SetColumnsCount(50);
    EXPECT_EQ(menu.ColumnsCount(), 50);
    menu.SetColumnsCount(3);

    TImageList images;
    images.SetSize(16, 16);
    menu.SetImages(&images);
    menu.ImagesItems() = GridItems("iiiiiiii");
    // Rows 5..31, 32..58, 59..85: 80 high; 3 cells of 26; a 5-pixel frame around.
    const TSize s = menu.CalcSize();
    EXPECT_EQ(s.cx, 3 * 26 + 10);
    EXPECT_EQ(s.cy, 80 + 10);

    EXPECT_EQ(menu.SelectedItem(), nullptr);
    menu.SetItemIndex(7);
    EXPECT_EQ(menu.SelectedItem(), &menu.ImagesItems()[7]);
    menu.SetItemIndex(8);
    EXPECT_EQ(menu.SelectedItem(), nullptr);

    TqvImagesMenuItem a, b;
    a.ImageIndex = 3, a.Caption = QStringLiteral("c"), a.Hint = QStringLiteral("h"), a.Button = true;
    a.Header = true;
    b.Assign(a);
    EXPECT_EQ(b.ImageIndex, 3);
    EXPECT_EQ(b.Caption, QStringLiteral("c"));
    EXPECT_EQ(b.Hint, QStringLiteral("h"));
    EXPECT_TRUE(b.Button);
    EXPECT_FALSE(b.Header);
}

TEST(MenuBarItems, Sizes) {
    const TRect area = Rect(2, 1, 300, 21);
    const struct {
        const char* Case;
        TqvBarItemShape Shape;
        int Text;
        int Left;
        TRect Rect;
    } rows[] = {
        {"skinned: skin 60, text rect 20, text 40", {true, Rect(0, 0, 60, 22), Rect(10, 0, 30, 22)}, 40, 0,
         Rect(2, 1, 84, 23)},
        {"skinned after another item", {true, Rect(0, 0, 60, 22), Rect(10, 0, 30, 22)}, 40, 84,
         Rect(84, 1, 166, 23)},
        {"built-in: text 30", {}, 30, 0, Rect(2, 1, 44, 21)},
    };
    for (const auto& r : rows) EXPECT_EQ(MenuBarItemRect(r.Shape, r.Text, r.Left, area), r.Rect) << r.Case;

    // Fitting: 5 pixels kept for the marker while ScrollMenu is on.
    const TqvBarLayout on = LayoutMenuBarItems({}, {100, 100, 60}, area, true);
    EXPECT_EQ(on.Rects[2], Rect(226, 1, 298, 21));
    EXPECT_EQ(on.Fits, (std::vector<bool>{true, true, false}));
    EXPECT_TRUE(on.Scroll);
    const TqvBarLayout off = LayoutMenuBarItems({}, {100, 100, 60}, area, false);
    EXPECT_EQ(off.Fits, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(off.Scroll);
}

// A maximized MDI child's buttons: system menu at the left, close, restore
// and minimize from the right, 2 pixels apart, centred in the area's height;
// a button without a skin picture is a square of that height.
TEST(MenuBarItems, MDIButtons) {
    const TRect area = Rect(4, 2, 400, 22);
    const TSize skinned[4] = {{16, 14}, {16, 14}, {16, 14}, {16, 14}};
    const TqvMDIButtonsLayout a = LayoutMDIButtons(area, skinned);
    EXPECT_EQ(a.Buttons[0], Rect(4, 5, 20, 19));
    EXPECT_EQ(a.Buttons[1], Rect(384, 5, 400, 19));
    EXPECT_EQ(a.Buttons[2], Rect(366, 5, 382, 19));
    EXPECT_EQ(a.Buttons[3], Rect(348, 5, 364, 19));
    EXPECT_EQ(a.Items, Rect(22, 2, 346, 22));
    const TSize mixed[4] = {{}, {16, 14}, {}, {16, 15}};
    const TqvMDIButtonsLayout b = LayoutMDIButtons(area, mixed);
    EXPECT_EQ(b.Buttons[0], Rect(4, 2, 24, 22));
    EXPECT_EQ(b.Buttons[2], Rect(362, 2, 382, 22));
    EXPECT_EQ(b.Buttons[3], Rect(344, 5, 360, 20));
    EXPECT_EQ(b.Items, Rect(26, 2, 342, 22));
}

}  // namespace

namespace {

TEST(ImagesMenuKeys, Moves) {
    // Three columns: header (0), cells 1..5 in rows of 3 (1 2 3 | 4 5), a button (6).
    std::vector<TqvImagesMenuItem> items = GridItems("hiiiiib");
    TqvImagesGridMetrics m;
    m.ColumnsCount = 3;
    LayoutImagesMenuItems(items, m);
    const struct {
        const char* Move;
        int (*Select)(const std::vector<TqvImagesMenuItem>&, int);
        int From, To;
    } rows[] = {
        {"right from none", ImagesMenuSelectNext, -1, 1},  {"right", ImagesMenuSelectNext, 3, 4},
        {"right from last", ImagesMenuSelectNext, 6, 1},   {"left from none", ImagesMenuSelectPrior, -1, 6},
        {"left from first", ImagesMenuSelectPrior, 1, 6}, {"left", ImagesMenuSelectPrior, 4, 3},
        {"down from none", ImagesMenuSelectDown, -1, 1},  {"down same column", ImagesMenuSelectDown, 2, 5},
        {"down to the button", ImagesMenuSelectDown, 3, 6}, {"down from last row", ImagesMenuSelectDown, 6, 6},
        {"up from none", ImagesMenuSelectUp, -1, 6},      {"up same column", ImagesMenuSelectUp, 5, 2},
        {"up from the button", ImagesMenuSelectUp, 6, 4}, {"up past the header", ImagesMenuSelectUp, 1, 1},
    };
    for (const auto& r : rows) EXPECT_EQ(r.Select(items, r.From), r.To) << r.Move;
}

TEST(ImagesMenuKeys, Position) {
    const TRect wa = Rect(0, 0, 800, 600);
    const struct {
        const char* Case;
        TRect R;
        TPoint At;
    } rows[] = {
        {"below", Rect(100, 100, 180, 120), Point(100, 120)},
        {"above near the bottom", Rect(100, 550, 180, 570), Point(100, 450)},
        {"shifted left at the right edge", Rect(750, 100, 790, 120), Point(700, 120)},
        {"not left of the work area", Rect(-30, 100, 10, 120), Point(0, 120)},
        {"not above the work area", Rect(100, 50, 180, 560), Point(100, 0)},
    };
    for (const auto& r : rows) EXPECT_EQ(ImagesMenuPosition(r.R, TSize{100, 100}, wa), r.At) << r.Case;
}

}  // namespace
