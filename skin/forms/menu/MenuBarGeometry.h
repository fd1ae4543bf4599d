// Where the items of the skinned menu bar lie: each item is as wide as its
// caption plus the fixed parts of its skin picture (or a plain margin), and
// the items follow one another from the left of the bar's items area.
#pragma once

#include "platform/Types.h"

#include <vector>

struct TqvBarItemShape {
    // From the skin's menu-bar item record; otherwise the built-in look.
    bool Skinned = false;
    TRect SkinRect{};  // the item picture
    TRect TextRct{};   // the text's place in it
};

// The item's rectangle on the bar: Left is the right edge of the item before
// it (0: the items area's left edge); TextWidth its measured caption.
TRect MenuBarItemRect(const TqvBarItemShape& Shape, int TextWidth, int Left, const TRect& ItemsArea);

// An item ending at Right does not fit the items area (which keeps 5 pixels
// for the hidden-items marker when ScrollMenu is on).
bool MenuBarItemFits(int Right, const TRect& ItemsArea, bool ScrollMenu);

// Rectangles of items with these caption widths laid out one after another;
// Fits says which of them the bar shows.
struct TqvBarLayout {
    std::vector<TRect> Rects;
    std::vector<bool> Fits;
    bool Scroll = false;  // some item does not fit
};
TqvBarLayout LayoutMenuBarItems(const TqvBarItemShape& Shape, const std::vector<int>& TextWidths,
                                const TRect& ItemsArea, bool ScrollMenu);
