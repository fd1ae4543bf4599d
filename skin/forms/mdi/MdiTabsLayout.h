// Where the MDI tabs bar puts its tabs and where a dragged tab lands, as
// pure functions of the bar's size and settings.
#pragma once

#include "platform/Types.h"

#include <vector>

struct TqvTabsLayoutInput {
    int Width = 150;
    int RowHeight = 21;  // the bar's height less the page strip of the tab kind
    int Count = 0;
    int DefaultTabWidth = 100;
    int MinTabWidth = 0;  // 0: tabs shrink without end
    int DragIndex = -1;   // the tab being dragged, -1 none
    int TabDX = 0;        // how far it has been dragged
};

struct TqvTabPlace {
    TRect Rect{};
    bool Visible = false;
};

struct TqvTabsLayout {
    // The list button takes the first 15 pixels, the hidden-tabs button the last 15.
    static constexpr int kListButtonWidth = 15;
    std::vector<TqvTabPlace> Tabs;
    int InVisibleCount = 0;
    int RightLimit = 0;
};

TqvTabsLayout CalcTabRects(const TqvTabsLayoutInput& in);

// The index the dragged tab would take on release, or -1 (no tabs, no
// movement, or no tab passed).
int GetDropIndex(const TqvTabsLayout& layout, int dragIndex, int tabDX);

// The display order after a drop: the dragged tab moves to the drop index,
// the tabs between shift by one.
std::vector<int> DropOrder(int count, int dragIndex, int dropIndex);
