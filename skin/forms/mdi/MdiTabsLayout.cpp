#include "skin/forms/mdi/MdiTabsLayout.h"

#include <algorithm>
#include <numeric>

TqvTabsLayout CalcTabRects(const TqvTabsLayoutInput& in) {
    TqvTabsLayout out;
    if (in.Count <= 0) return out;
    constexpr int L = TqvTabsLayout::kListButtonWidth;
    out.Tabs.resize(size_t(in.Count));
    const int H = in.RowHeight;
    const int w = std::min((in.Width - L) / in.Count, in.DefaultTabWidth);
    if (in.MinTabWidth != 0 && w < in.MinTabWidth) {
        const int n = (in.Width - 2 * L) / in.MinTabWidth;
        out.RightLimit = in.Width - L;
        for (int i = 0; i < in.Count; ++i) {
            auto& t = out.Tabs[size_t(i)];
            if (i < n) {
                t.Rect = {L + i * in.MinTabWidth, 0, L + (i + 1) * in.MinTabWidth, H};
                t.Visible = true;
            } else {
                ++out.InVisibleCount;
            }
        }
    } else {
        out.RightLimit = in.Width;
        for (int i = 0; i < in.Count; ++i)
            out.Tabs[size_t(i)] = {{L + i * w, 0, L + (i + 1) * w, H}, true};
        if (w < in.DefaultTabWidth) out.Tabs.back().Rect.Right = in.Width;
    }
    if (in.DragIndex >= 0 && in.DragIndex < in.Count) {
        TRect& r = out.Tabs[size_t(in.DragIndex)].Rect;
        const int width = r.Width();
        int left = r.Left + in.TabDX;
        left = std::max(0, std::min(left, out.RightLimit - width));
        r.Left = left;
        r.Right = left + width;
    }
    return out;
}

int GetDropIndex(const TqvTabsLayout& layout, int dragIndex, int tabDX) {
    const int count = int(layout.Tabs.size());
    if (count == 0 || tabDX == 0 || dragIndex < 0 || dragIndex >= count) return -1;
    const TRect& d = layout.Tabs[size_t(dragIndex)].Rect;
    auto middle = [&](int i) {
        const TRect& r = layout.Tabs[size_t(i)].Rect;
        return r.Left + r.Width() / 2;
    };
    if (tabDX > 0) {
        int found = -1;
        for (int i = dragIndex + 1; i < count; ++i)
            if (layout.Tabs[size_t(i)].Visible && middle(i) < d.Right) found = i;
        return found;
    }
    for (int i = 0; i < dragIndex; ++i)
        if (layout.Tabs[size_t(i)].Visible && middle(i) > d.Left) return i;
    return -1;
}

std::vector<int> DropOrder(int count, int dragIndex, int dropIndex) {
    std::vector<int> order(size_t(std::max(count, 0)));
    std::iota(order.begin(), order.end(), 0);
    if (dropIndex < 0 || dropIndex >= count || dragIndex < 0 || dragIndex >= count || dropIndex == dragIndex)
        return order;
    const int moved = order[size_t(dragIndex)];
    order.erase(order.begin() + dragIndex);
    order.insert(order.begin() + dropIndex, moved);
    return order;
}
