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
