#include "skin/controls/pages/SkinPageControl.h"

#include "platform/Application.h"
#include "platform/Sources.h"
#include "skin/controls/updown/SkinUpDown.h"
#include "skin/model/SkinRecords.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

// ---- TqvSkinTabSheet ----

TqvSkinTabSheet::TqvSkinTabSheet(QObject* AOwner) : TTabSheet(AOwner) {}

// ---- TqvSkinPageControl ----

TqvSkinPageControl::TqvSkinPageControl(QObject* AOwner) : TPageControl(AOwner) {
    FDefaultFont.SetColor(clBtnText);
    SetFont(FDefaultFont);
    setMouseTracking(true);  // hot tabs follow plain moves
}

void TqvSkinPageControl::SetSkinData(TqvSkinData* Value) {
    FSD = Value;
    if (Value && !Value->Empty) ChangeSkinData();
}

void TqvSkinPageControl::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
}

const TqvDataSkinTabControl* TqvSkinPageControl::TabRecord() const {
    if (!FSD || FIndex < 0 || FIndex >= int(FSD->CtrlList.size())) return nullptr;
    return dynamic_cast<const TqvDataSkinTabControl*>(FSD->CtrlList[std::size_t(FIndex)].get());
}

void TqvSkinPageControl::ChangeSkinData() {
    GetSkinData();
    const TqvDataSkinTabControl* r = TabRecord();
    const TRect& c = r ? r->CloseButtonRect : TRect{};
    FCloseSize = c.Width() > 0 && c.Height() > 0 ? c.Width() : 14;
    TFont f = FDefaultFont;
    if (r) {
        if (FUseSkinFont) {
            f = TFont(r->FontName, r->FontHeight);
            f.SetStyle(r->FontStyle);
        }
        f.SetColor(r->FontColor);
    }
    SetFont(f);
    // The scroller is rebuilt so it takes the new skin's up-down record.
    FreeScroller();
    TabsChanged();
}

void TqvSkinPageControl::SetDefaultItemHeight(int v) {
    FDefaultItemHeight = v;
    TabsChanged();
}

void TqvSkinPageControl::SetTabsInCenter(bool v) {
    if (v && TabWidth() == 0) return;
    FTabsInCenter = v;
    if (v) {
        SetTabPosition(tpTop);
        SetMultiLine(false);
        FTabsBGTransparent = true;
    }
    TabsChanged();
}

void TqvSkinPageControl::SetTabsOffset(int v) {
    FTabsOffset = v;
    if (v > 0) {
        SetTabPosition(tpTop);
        SetMultiLine(false);
        FTabsBGTransparent = true;
    }
    TabsChanged();
}

void TqvSkinPageControl::SetTabsBGTransparent(bool v) {
    FTabsBGTransparent = v;
    update();
}

void TqvSkinPageControl::SetShowCloseButtons(bool v) {
    FShowCloseButtons = v;
    TabsChanged();
}

int TqvSkinPageControl::GetTabsShift() const {
    if (FTabsOffset > 0) return FTabsOffset;
    if (TabWidth() == 0) return 0;
    return std::max(0, Width() / 2 - (TabWidth() * VisibleTabCount()) / 2);
}

int TqvSkinPageControl::ImageRoom() const {
    // One pixel of room is always reserved, as the native strip does.
    return 1 + TPageControl::ImageRoom() + (FShowCloseButtons ? FCloseSize : 0);
}

int TqvSkinPageControl::TabThickness() const {
    if (TabHeight() > 0) return TabHeight();
    const TqvDataSkinTabControl* r = TabRecord();
    return r ? r->TabRect.Height() : FDefaultItemHeight;
}

void TqvSkinPageControl::AdjustTabRect(int i, TRect& R) const {
    const bool row = !MultiLine();
    switch (TabPosition()) {
    case tpTop:
        if (row) {
            OffsetRect(R, -2, -2);
            if (FTabsInCenter || FTabsOffset > 0) OffsetRect(R, GetTabsShift(), 0);
        }
        break;
    case tpBottom:
        if (row) OffsetRect(R, -2, 2);
        break;
    case tpLeft: OffsetRect(R, -2, 0); break;
    case tpRight: OffsetRect(R, 2, 0); break;
    }
    if (i == 0 && row) ++R.Left;
}

void TqvSkinPageControl::AdjustDisplayRect(TRect& R) const {
    const int CW = Width(), CH = Height();
    if (FHideBorder) {
        R = Rect(0, -2, CW, CH);
        return;
    }
    const TqvDataSkinTabControl* s = TabRecord();
    const int l = s ? s->ClRect.Left : 0, t = s ? s->ClRect.Top : 0;
    const int r = s ? s->SkinRect.Width() - s->ClRect.Right : 0, b = s ? s->SkinRect.Height() - s->ClRect.Bottom : 0;
    switch (TabPosition()) {
    case tpTop:
        R = s ? Rect(l, R.Top - 6 + t, CW - r, CH - b) : Rect(1, R.Top - 5, CW - 1, CH - 1);
        if (FHideTabs) --R.Top;
        break;
    case tpBottom:
        R = s ? Rect(l, R.Top - 4 + t, CW - r, R.Bottom + 4 - b) : Rect(1, 1, CW - 1, R.Bottom + 3);
        if (FHideTabs && s) ++R.Bottom;
        break;
    case tpLeft:
        R = s ? Rect(R.Left - 4 + l, R.Top - 4 + t, CW - r, CH - b) : Rect(R.Left - 3, R.Top - 5, CW - 1, CH - 1);
        if (FHideTabs) --R.Left;
        break;
    case tpRight:
        R = s ? Rect(l, R.Top - 4 + t, R.Right - r + 4, CH - b) : Rect(R.Left - 3, R.Top - 5, R.Right + 3, CH - 1);
        if (FHideTabs) ++R.Right;
        break;
    }
}

TqvSkinTabSheet* TqvSkinPageControl::SheetOfTab(int i) const { return dynamic_cast<TqvSkinTabSheet*>(VisiblePage(i)); }

TRect TqvSkinPageControl::CloseButtonArea(int i) const {
    const TRect tab = TabRect(i);
    const bool turned = TabPosition() == tpLeft || TabPosition() == tpRight;
    // Laid out as on a top tab, then turned like the tab's picture.
    const int W = turned ? tab.Height() : tab.Width(), H = turned ? tab.Width() : tab.Height();
    const int closeW = FCloseSize + 2;
    const int left = W - 1 - closeW - (TabRecord() ? 3 : 0);
    const int size = TabRecord() && TabRecord()->CloseButtonRect.Height() > 0 ? TabRecord()->CloseButtonRect.Height()
                                                                             : FCloseSize;
    const TRect B = Rect(left, H / 2 - size / 2, left + FCloseSize, H / 2 - size / 2 + size);
    TRect s = B;
    if (TabPosition() == tpLeft) s = Rect(B.Top, W - B.Right, B.Bottom, W - B.Left);
    else if (TabPosition() == tpRight) s = Rect(H - B.Bottom, B.Left, H - B.Top, B.Right);
    if (TqvSkinTabSheet* sheet = SheetOfTab(i)) sheet->ButtonRect = s;
    OffsetRect(s, tab.Left, tab.Top);
    return s;
}

void TqvSkinPageControl::TabsChanged() {
    TPageControl::TabsChanged();
    // Tabs that change size or number may cut the row as a resize does.
    if (!FHideTabs) UpdateScroller();
}

void TqvSkinPageControl::Change() {
    if (FScroller) FScroller->SetPosition(GetScrolledTabCount());
    TPageControl::Change();
    update();
}

// ---- scroller ----

// Tabs on the left or right run down the control: they are measured along
// that side, or every one of them would count as cut.
int TqvSkinPageControl::GetHiddenTabCount() const {
    const bool side = TabPosition() == tpLeft || TabPosition() == tpRight;
    const int limit = (side ? Height() : Width()) - 3;
    int n = 0;
    for (int i = 0; i < VisibleTabCount(); ++i) {
        const TRect r = TabRect(i);
        const int end = side ? r.Bottom : r.Right;
        if (end > limit || end <= 0) ++n;
    }
    return n;
}

int TqvSkinPageControl::GetScrolledTabCount() const {
    const bool side = TabPosition() == tpLeft || TabPosition() == tpRight;
    int n = 0;
    for (int i = 0; i < VisibleTabCount(); ++i)
        if ((side ? TabRect(i).Bottom : TabRect(i).Right) <= 0) ++n;
    return n;
}

void TqvSkinPageControl::FreeScroller() {
    delete FScroller;
    FScroller = nullptr;
}

void TqvSkinPageControl::UpdateScroller() {
    if (FInScroller) return;
    const int n = GetHiddenTabCount();
    if (n == 0 || MultiLine()) {
        FreeScroller();
        return;
    }
    if (!FScroller) {
        if (FHideTabs) return;
        FScroller = new TqvSkinUpDown(this);
        FScroller->SetParent(this);
        FScroller->SetMin(0);
        FScroller->SetMax(n);
        FScroller->SetIncrement(1);
        FScroller->SetPosition(GetScrolledTabCount());
        FScroller->OnChange = [this](QObject*) {
            FInScroller = true;
            SetFirstVisibleTab(FScroller->Position());
            FInScroller = false;
            FScroller->SetMax(GetHiddenTabCount() + FScroller->Position());
            update();
        };
        if (const TqvDataSkinTabControl* r = TabRecord()) FScroller->SetSkinDataName(r->UpDown);
        FScroller->SetUseSkinSize(false);
        FScroller->SetBounds(0, 0, FDefaultItemHeight * 2, FDefaultItemHeight);
        FScroller->SetSkinData(FSD.data());
        FScroller->SetVisible(true);
    }
    FScroller->SetMax(n);
    FScroller->SetBounds(Width() - FScroller->Width(), TabPosition() == tpTop ? 0 : Height() - FScroller->Height(),
                         FScroller->Width(), FScroller->Height());
    FScroller->raise();
}

void TqvSkinPageControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TPageControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!FHideTabs) UpdateScroller();
}

// ---- hiding ----

void TqvSkinPageControl::HideTabs() {
    if (FOldTabHeight != -1 || FHideTabs || VisibleTabCount() == 0) return;
    FHideTabs = true;
    FOldTabPosition = TabPosition();
    FOldMultiLine = MultiLine();
    if (TabPosition() == tpLeft || TabPosition() == tpRight) SetTabPosition(tpTop);
    SetMultiLine(false);
    FOldTabHeight = TabHeight();
    SetTabHeight(1);
    FreeScroller();
}

void TqvSkinPageControl::ShowTabs() {
    if (FOldTabHeight == -1) return;
    FHideTabs = false;
    SetTabPosition(FOldTabPosition);
    SetMultiLine(FOldMultiLine);
    SetTabHeight(FOldTabHeight);
    FOldTabHeight = -1;
    UpdateScroller();
}

void TqvSkinPageControl::HideBorderAndTabs() {
    SetTabPosition(tpTop);
    FHideTabs = FHideBorder = true;
    FreeScroller();
    TabsChanged();
}

void TqvSkinPageControl::ShowBorderAndTabs() {
    FHideBorder = FHideTabs = false;
    ShowTabs();
    TabsChanged();
}

// ---- pointer ----

void TqvSkinPageControl::UpdateHotTab(int X, int Y) {
    if (FHideTabs) return;
    const int hot = IndexOfTabAt(X, Y);
    if (hot != FActiveTabIndex) {
        if (TqvSkinTabSheet* old = SheetOfTab(FActiveTabIndex)) old->ButtonMouseIn = old->ButtonMouseDown = false;
        FActiveTabIndex = hot;
        update();
    }
    if (!FShowCloseButtons || hot < 0) return;
    TqvSkinTabSheet* s = SheetOfTab(hot);
    if (!s) return;
    const bool in = CloseButtonArea(hot).Contains(Point(X, Y));
    if (in != s->ButtonMouseIn) {
        s->ButtonMouseIn = in;
        if (!in) s->ButtonMouseDown = false;
        update();
    }
}

void TqvSkinPageControl::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] { UpdateHotTab(p.x(), p.y()); });
    TPageControl::mouseMoveEvent(e);
}

void TqvSkinPageControl::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton && FShowCloseButtons && !FHideTabs) {
        UpdateHotTab(p.x(), p.y());
        TqvSkinTabSheet* s = SheetOfTab(FActiveTabIndex);
        const bool in = s && CloseButtonArea(FActiveTabIndex).Contains(Point(p.x(), p.y()));
        FPressedClose = in ? s : nullptr;
        if (s) {
            s->ButtonMouseIn = s->ButtonMouseDown = in;
            update();
        }
    }
    TPageControl::mousePressEvent(e);
}

void TqvSkinPageControl::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton && FShowCloseButtons && !FHideTabs) {
        const int i = IndexOfTabAt(p.x(), p.y());
        TqvSkinTabSheet* s = SheetOfTab(i);
        const bool in = s && CloseButtonArea(i).Contains(Point(p.x(), p.y()));
        TqvSkinTabSheet* pressed = FPressedClose.data();
        FPressedClose = nullptr;
        if (pressed && pressed != s) pressed->ButtonMouseIn = pressed->ButtonMouseDown = false;
        if (s) {
            s->ButtonMouseDown = false;
            s->ButtonMouseIn = in;
            update();
        }
        // Only a press and a release on the same close button close its page.
        if (in && pressed == s) Application()->Guard([&] { ClosePage(s); });
    }
    TPageControl::mouseReleaseEvent(e);
}

void TqvSkinPageControl::ClosePage(TqvSkinTabSheet* sheet) {
    bool canClose = true;
    if (OnClose) OnClose(sheet, canClose);
    if (!canClose) {
        // Refused, and the pointer has gone: the button goes back to normal.
        if (PointerSource().WidgetAt(PointerSource().CursorPos()) != this) {
            sheet->ButtonMouseIn = sheet->ButtonMouseDown = false;
            update();
        }
        return;
    }
    sheet->SetTabVisible(false);
    if (FFreeOnClose) delete sheet;
    if (OnAfterClose) OnAfterClose(this);
}

void TqvSkinPageControl::leaveEvent(QEvent* e) {
    TPageControl::leaveEvent(e);
    if (FHideTabs) return;
    if (TqvSkinTabSheet* s = SheetOfTab(FActiveTabIndex)) s->ButtonMouseIn = s->ButtonMouseDown = false;
    FActiveTabIndex = -1;
    update();
}

void TqvSkinPageControl::wheelEvent(QWheelEvent* e) {
    if (!FMouseWheelSupport) {
        TPageControl::wheelEvent(e);
        return;
    }
    const bool next = e->angleDelta().y() < 0;
    const int from = ActivePageIndex();
    TTabSheet* target = nullptr;
    if (next) {
        for (int i = from + 1; i < PageCount() && !target; ++i)
            if (Pages(i)->TabVisible()) target = Pages(i);
    } else {
        for (int i = from - 1; i >= 0 && !target; --i)
            if (Pages(i)->TabVisible()) target = Pages(i);
    }
    Application()->Guard([&] { SelectByUser(target); });
    e->accept();
}
