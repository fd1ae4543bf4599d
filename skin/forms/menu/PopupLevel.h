// One open menu level without its window: the items it shows, its size,
// layout, scrolling and picture. The level window puts this on the screen;
// everything here can be built and checked without one.
#pragma once

#include "skin/forms/menu/PopupLevelLayout.h"
#include "skin/forms/menu/PopupMenuItem.h"

#include <QRegion>

#include <memory>
#include <vector>

// What the menu manager hands to each level.
struct TqvMenuSettings {
    int DefaultMenuItemHeight = 20;
    TFont DefaultMenuItemFont{QStringLiteral("Arial"), 14};
    bool UseSkinFont = true;
    int MaxMenuItemsInWindow = 0;
};

class TqvPopupLevel {
public:
    // SkinData: the menu's skin model (nullptr or empty: the plain look).
    TqvPopupLevel(TqvSkinData* SkinData, const TqvMenuSettings& Settings);
    TqvPopupLevel(const TqvPopupLevel&) = delete;
    TqvPopupLevel& operator=(const TqvPopupLevel&) = delete;

    // The shown children of AItem from StartIndex on, then those of AItem2
    // (StartIndex counting over both lists); sizes and lays them out inside
    // WorkArea.
    void Build(TMenuItem* AItem, int StartIndex, TMenuItem* AItem2, const TRect& WorkArea);
    // Where the level opens beside R (screen coordinates).
    TPoint Position(const TRect& R, bool PopupByItem, bool PopupUp, const TRect& WorkArea) const;

    bool Skinned() const { return FFrame.Skinned; }
    int Width() const { return FSize.Width; }
    int Height() const { return FSize.Height; }
    bool Scroll() const { return FSize.Scroll; }
    bool Scroll2() const { return FSize.Scroll2; }
    const TqvLevelPoints& Points() const { return FPoints; }
    const TRect& NewItemsRect() const { return FPoints.ItemsRect; }
    int GlyphWidth() const { return FLook.GlyphWidth; }
    int ItemCount() const { return int(ItemList.size()); }
    TqvSkinMenuItem* Item(int i) const { return i >= 0 && i < ItemCount() ? ItemList[std::size_t(i)].get() : nullptr; }
    std::vector<int> ItemHeights() const;

    // Places the items from VisibleStartIndex; hides the rest while scrolling.
    void LayoutItems();
    // The frame and items area without items (and, when DrawClient is off,
    // without the items area).
    QImage MenuImage(bool DrawClient) const;
    // The whole level: frame, shown items, scroll markers.
    QImage Picture() const;
    // The window's shape from the skin's mask; empty when the whole window shows.
    QRegion Region() const;

    // Scrolling (1 up, 2 down).
    bool CanScroll(int Code) const;
    void ScrollUp(bool Cycle);
    void ScrollDown(bool Cycle);
    int GetLastStartIndex() const { return MenuLastStartIndex(ItemHeights(), NewItemsRect()); }
    TRect UpMarkerRect() const;
    TRect DownMarkerRect() const;

    std::vector<std::unique_ptr<TqvSkinMenuItem>> ItemList;
    int VisibleStartIndex = 0;
    int VisibleCount = 0;
    int ScrollCode = 0;
    int ActiveItem = -1;
    int OldActiveItem = -1;

private:
    void DrawMarkers(QImage& B) const;
    void DrawMarkerBackground(QImage& B, const TRect& R) const;
    void RefreshBackground();

    QPointer<TqvSkinData> FSD;
    TqvMenuSettings FSettings;
    TqvLevelFrame FFrame;
    QImage FWindowPicture, FMaskPicture;
    TqvMenuLook FLook;
    TqvLevelSize FSize;
    TqvLevelPoints FPoints;
    QImage FBackground;
};
