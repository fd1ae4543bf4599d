#include "skin/forms/menu/MenuBarGeometry.h"

TRect MenuBarItemRect(const TqvBarItemShape& Shape, int TextWidth, int Left, const TRect& ItemsArea) {
    const int left = Left == 0 ? ItemsArea.Left : Left;
    if (Shape.Skinned)
        return Bounds(left, ItemsArea.Top, Shape.SkinRect.Width() - Shape.TextRct.Width() + TextWidth + 2,
                      Shape.SkinRect.Height());
    return Rect(left, ItemsArea.Top, left + TextWidth + 12, ItemsArea.Bottom);
}

bool MenuBarItemFits(int Right, const TRect& ItemsArea, bool ScrollMenu) {
    return Right <= (ScrollMenu ? ItemsArea.Right - 5 : ItemsArea.Right);
}

TqvBarLayout LayoutMenuBarItems(const TqvBarItemShape& Shape, const std::vector<int>& TextWidths,
                                const TRect& ItemsArea, bool ScrollMenu) {
    TqvBarLayout l;
    int left = 0;
    for (int w : TextWidths) {
        const TRect r = MenuBarItemRect(Shape, w, left, ItemsArea);
        const bool fits = MenuBarItemFits(r.Right, ItemsArea, ScrollMenu);
        l.Rects.push_back(r);
        l.Fits.push_back(fits);
        if (!fits) l.Scroll = true;
        left = r.Right;
    }
    return l;
}

TqvMDIButtonsLayout LayoutMDIButtons(const TRect& ItemsArea, const TSize (&Sizes)[4]) {
    TqvMDIButtonsLayout l;
    l.Items = ItemsArea;
    const int areaHeight = ItemsArea.Height();
    auto place = [&](int i, int left) {
        const bool own = Sizes[i].cx > 0 && Sizes[i].cy > 0;
        const int w = own ? Sizes[i].cx : areaHeight, h = own ? Sizes[i].cy : areaHeight;
        const int top = ItemsArea.Top + areaHeight / 2 - h / 2;
        l.Buttons[i] = Bounds(left, top, w, h);
        return w;
    };
    l.Items.Left += place(0, l.Items.Left) + 2;
    for (int i = 1; i < 4; ++i) {
        const bool own = Sizes[i].cx > 0 && Sizes[i].cy > 0;
        const int w = own ? Sizes[i].cx : areaHeight;
        place(i, l.Items.Right - w);
        l.Items.Right -= w + 2;
    }
    return l;
}
