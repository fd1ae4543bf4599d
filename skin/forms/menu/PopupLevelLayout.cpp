#include "skin/forms/menu/PopupLevelLayout.h"

#include <algorithm>

int MenuItemHeight(const TqvLevelFrame& Frame, bool Separator) {
    if (Frame.MenuItem) return Separator ? Frame.MenuItem->DividerRect.Height() : Frame.MenuItem->SkinRect.Height();
    return Separator ? 4 : Frame.DefaultMenuItemHeight;
}

int MenuGlyphWidth(int ImageListWidth) { return ImageListWidth > 0 ? ImageListWidth + 5 : 19; }

TqvLevelSize MenuLevelSize(const TqvLevelFrame& Frame, const std::vector<int>& TextWidths,
                           const std::vector<int>& Heights, const TRect& WorkArea) {
    TqvLevelSize s;
    int largest = 0;
    for (int w : TextWidths) largest = std::max(largest, w + 2);
    s.Width = largest + Frame.GlyphWidth + 19;
    int borderH = 0;
    if (Frame.Skinned) {
        s.Width += Frame.PictureSize.cx - Frame.PW.ItemsRect.Width();
        if (const TqvDataSkinMenuItem* mi = Frame.MenuItem)
            s.Width += mi->TextRct.Left + (mi->SkinRect.Width() - mi->TextRct.Right);
        borderH = Frame.PictureSize.cy - Frame.PW.ItemsRect.Height();
    } else {
        s.Width += 10;
        borderH = Frame.TwoLists ? 6 : 4;
    }

    const int count = int(Heights.size());
    if (Frame.MaxMenuItemsInWindow > 0 && Frame.MaxMenuItemsInWindow < count) {
        const int rowH = Frame.MenuItem ? Frame.MenuItem->SkinRect.Height() : Frame.DefaultMenuItemHeight;
        s.Height = Frame.MaxMenuItemsInWindow * rowH + borderH + 2 * kMenuMarkerHeight;
        s.Scroll = s.Scroll2 = true;
    } else {
        int sum = 0;
        for (int h : Heights) sum += h;
        s.Height = sum + borderH;
    }
    if (s.Height > WorkArea.Height()) {
        s.Height = WorkArea.Height();
        s.Scroll = true;
    }
    return s;
}

TqvLevelPoints MenuLevelPoints(const TqvLevelFrame& Frame, int Width, int Height) {
    TqvLevelPoints p;
    if (!Frame.Skinned) {
        p.ItemsRect = Rect(2, 2, Width - 2, Height - 2);
        return p;
    }
    const TqvDataSkinPopupWindow& pw = Frame.PW;
    const int dw = Frame.PictureSize.cx, dh = Frame.PictureSize.cy;
    p.LT = pw.LTPoint;
    p.RT = Point(Width - (dw - pw.RTPoint.X), pw.RTPoint.Y);
    p.LB = Point(pw.LBPoint.X, Height - (dh - pw.LBPoint.Y));
    p.RB = Point(Width - (dw - pw.RBPoint.X), Height - (dh - pw.RBPoint.Y));
    p.ItemsRect = Rect(pw.ItemsRect.Left, pw.ItemsRect.Top, Width - (dw - pw.ItemsRect.Right),
                       Height - (dh - pw.ItemsRect.Bottom));
    return p;
}

TqvLevelLayout LayoutMenuItems(const std::vector<int>& Heights, const TRect& ItemsRect, bool Scroll,
                               int StartIndex) {
    TqvLevelLayout l;
    const int count = int(Heights.size());
    l.ItemRects.assign(std::size_t(count), TRect{});
    l.Shown.assign(std::size_t(count), false);
    int y = ItemsRect.Top + (Scroll ? kMenuMarkerHeight : 0);
    const int limit = ItemsRect.Bottom - (Scroll ? kMenuMarkerHeight : 0);
    for (int i = std::max(StartIndex, 0); i < count; ++i) {
        const TRect r = Rect(ItemsRect.Left, y, ItemsRect.Right, y + Heights[std::size_t(i)]);
        l.ItemRects[std::size_t(i)] = r;
        if (r.Bottom > limit) break;
        l.Shown[std::size_t(i)] = true;
        ++l.VisibleCount;
        y = r.Bottom;
    }
    // Only a scrolling level hides items; one that fits shows them all.
    if (!Scroll) l.Shown.assign(std::size_t(count), true);
    return l;
}

int MenuLastStartIndex(const std::vector<int>& Heights, const TRect& ItemsRect) {
    // The walk stops at the top marker strip, so the last item always shows.
    int a = ItemsRect.Bottom - kMenuMarkerHeight, n = 0;
    for (auto it = Heights.rbegin(); it != Heights.rend(); ++it) {
        a -= *it;
        if (a < ItemsRect.Top + kMenuMarkerHeight) break;
        ++n;
    }
    return int(Heights.size()) - n;
}

TPoint MenuLevelPosition(const TqvLevelPlace& Place, const TRect& WA) {
    const TRect& R = Place.From;
    const int W = Place.Width, H = Place.Height;
    const int mid = WA.Top + WA.Height() / 2;
    const bool tallest = Place.Size.Scroll && !Place.Size.Scroll2;
    bool overlap = false;
    int Y = 0;
    if (tallest) {
        Y = WA.Top;
    } else if (Place.PopupByItem) {
        const int y0 = R.Top - Place.ItemsTop;
        if (y0 + H <= WA.Bottom) Y = y0;
        else if (R.Top < mid) Y = WA.Bottom - H;
        else Y = std::max(R.Bottom - H + Place.ItemsTop, WA.Top);
    } else if (Place.PopupUp) {
        if (R.Top - H >= WA.Top) Y = R.Top - H;
        else if (R.Top < mid) {
            if (R.Bottom + H <= WA.Bottom) Y = R.Bottom;
            else {
                Y = WA.Bottom - H;
                overlap = true;
            }
        } else {
            Y = WA.Top;
            overlap = true;
        }
    } else {
        if (R.Bottom + H <= WA.Bottom) Y = R.Bottom;
        else if (R.Top < mid) {
            Y = WA.Bottom - H;
            overlap = true;
        } else if (R.Top - H >= WA.Top) Y = R.Top - H;
        else {
            Y = WA.Top;
            overlap = true;
        }
    }

    int X = 0;
    if (Place.PopupByItem || tallest || overlap) {
        // Beside R; on the left side never past the work area's left edge.
        if (R.Right + 1 + W <= WA.Right) X = R.Right + 1;
        else X = std::max(R.Left - W - 1, WA.Left);
    } else if (R.Left + W > WA.Right) X = WA.Right - W;
    else if (R.Left < WA.Left) X = WA.Left;
    else X = R.Left;
    return Point(X, Y);
}
