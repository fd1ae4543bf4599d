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

// The four child buttons of a maximized MDI child at the bar's two ends, in
// the bar's object order: the system-menu button at the left end, then
// close, restore and minimize from the right end inwards. A button is its
// skin picture's size (centred in the items area's height), or a square of
// that height when its size is empty. Items is what is left for the items.
struct TqvMDIButtonsLayout {
    TRect Buttons[4]{};
    TRect Items{};
};
TqvMDIButtonsLayout LayoutMDIButtons(const TRect& ItemsArea, const TSize (&Sizes)[4]);
