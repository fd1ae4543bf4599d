// The geometry of one open menu level, as pure functions: its size from the
// items' measures, where each item lies, which items show while it scrolls,
// and where it opens beside the rectangle it comes from. The work area is
// always a parameter, so every rule can be checked without a screen.
#pragma once

#include "platform/Types.h"
#include "skin/model/SkinRecords.h"

#include <vector>

// Height of each scroll-marker strip at the top and bottom of a scrolling level.
inline constexpr int kMenuMarkerHeight = 10;

// What a level's size depends on besides its items.
struct TqvLevelFrame {
    // The frame comes from the skin's popup-window record (its picture is
    // PictureSize); otherwise the plain look with a 2-pixel border.
    bool Skinned = false;
    TSize PictureSize{};
    TqvDataSkinPopupWindow PW{};
    // The skin's menu-item record; nullptr: plain item sizes and no text margins.
    const TqvDataSkinMenuItem* MenuItem = nullptr;
    // Width of the glyph column (image-list width + 5, or 19).
    int GlyphWidth = 19;
    int DefaultMenuItemHeight = 20;
    // 0: no limit; n: a level of more than n items shows n and scrolls.
    int MaxMenuItemsInWindow = 0;
    // The level lists the children of two items (the menu bar's hidden items).
    bool TwoLists = false;
};

// The height of an item: separators (caption "-") and the rest, from the
// menu-item record when there is one.
int MenuItemHeight(const TqvLevelFrame& Frame, bool Separator);
// Width of the glyph column for an image list of that width (0: none).
int MenuGlyphWidth(int ImageListWidth);

struct TqvLevelSize {
    int Width = 0, Height = 0;
    bool Scroll = false;   // the items do not all fit: markers show
    bool Scroll2 = false;  // the scrolling comes from MaxMenuItemsInWindow
};

// TextWidths: each item's caption (with two spaces and its shortcut text),
// measured; Heights: each item's height.
TqvLevelSize MenuLevelSize(const TqvLevelFrame& Frame, const std::vector<int>& TextWidths,
                           const std::vector<int>& Heights, const TRect& WorkArea);

// The record's corner points and items rectangle moved to the level's size.
struct TqvLevelPoints {
    TPoint LT{}, RT{}, LB{}, RB{};
    TRect ItemsRect{};
};
TqvLevelPoints MenuLevelPoints(const TqvLevelFrame& Frame, int Width, int Height);

struct TqvLevelLayout {
    std::vector<TRect> ItemRects;  // every item, shown or not
    std::vector<bool> Shown;       // inside the items area
    int VisibleCount = 0;
};
// Items from StartIndex downwards in the items area (less the marker strips
// while Scroll); the first that does not fit ends the run.
TqvLevelLayout LayoutMenuItems(const std::vector<int>& Heights, const TRect& ItemsRect, bool Scroll,
                               int StartIndex);

// The first shown item when the level is scrolled to its end: as many items
// from the last backwards as fit between the marker strips.
int MenuLastStartIndex(const std::vector<int>& Heights, const TRect& ItemsRect);

struct TqvLevelPlace {
    TRect From{};             // the screen rectangle the level opens from (a point: empty)
    int Width = 0, Height = 0;
    TqvLevelSize Size{};
    int ItemsTop = 0;         // top of the items area in the level
    bool PopupByItem = false; // From is the parent item of a submenu
    bool PopupUp = false;     // prefer opening above From
};
// The level's screen position inside WorkArea.
TPoint MenuLevelPosition(const TqvLevelPlace& Place, const TRect& WorkArea);
