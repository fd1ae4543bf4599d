#include "platform/PageControl.h"

#include "platform/Application.h"

#include <QFontMetrics>
#include <QMouseEvent>

#include <algorithm>

// ---- TTabSheet ----

TTabSheet::TTabSheet(QObject* AOwner) : TCustomControl(AOwner) { SetVisible(false); }

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* v) {
    if (v == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = v;
    SetParent(v);
    if (v) v->InsertPage(this);
}

int TTabSheet::PageIndex() const { return FPageControl ? int(FPageControl->FPages.indexOf(this)) : -1; }

void TTabSheet::SetPageIndex(int v) {
    if (!FPageControl) return;
    auto& pages = FPageControl->FPages;
    v = std::clamp(v, 0, int(pages.size()) - 1);
    pages.move(pages.indexOf(this), v);
    FPageControl->TabsChanged();
}

void TTabSheet::SetTabVisible(bool v) {
    if (v == FTabVisible) return;
    FTabVisible = v;
    if (!FPageControl) return;
    // A hidden tab's page cannot stay selected: the next visible one takes over.
    if (!v && FPageControl->ActivePage() == this)
        FPageControl->SetActivePage(FPageControl->FindNextPage(this, true, true));
    FPageControl->TabsChanged();
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabVisible) ++n;
    }
    return -1;
}

void TTabSheet::SetImageIndex(int v) {
    FImageIndex = v;
    if (FPageControl) FPageControl->TabsChanged();
}

void TTabSheet::TextChanged() {
    if (FPageControl) FPageControl->TabsChanged();
}

// ---- TPageControl ----

TPageControl::TPageControl(QObject* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    // The sheets are freed as children after this; they must not call back.
    for (TTabSheet* p : FPages) p->FPageControl = nullptr;
    FPages.clear();
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.append(page);
    if (!FActivePage && page->TabVisible()) FActivePage = page;
    TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
    TTabSheet* next = FActivePage == page ? FindNextPage(page, true, true) : FActivePage;
    FPages.removeAll(page);
    FActivePage = next == page ? nullptr : next;
    TabsChanged();
}

int TPageControl::VisibleTabCount() const {
    return int(std::count_if(FPages.begin(), FPages.end(), [](TTabSheet* p) { return p->TabVisible(); }));
}

TTabSheet* TPageControl::VisiblePage(int i) const {
    for (TTabSheet* p : FPages)
        if (p->TabVisible() && i-- == 0) return p;
    return nullptr;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* Current, bool GoForward, bool CheckTabVisible) const {
    const int n = PageCount();
    if (n == 0) return nullptr;
    int start = FPages.indexOf(Current);
    if (start < 0) start = GoForward ? n - 1 : 0;
    int i = start;
    for (int k = 0; k < n; ++k) {
        i = GoForward ? (i + 1) % n : (i + n - 1) % n;
        if (FPages[i] == Current) continue;
        if (!CheckTabVisible || FPages[i]->TabVisible()) return FPages[i];
    }
    return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    FActivePage = page;
    UpdateSheets();
    update();
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

bool TPageControl::SelectByUser(TTabSheet* page) {
    if (!page || page == FActivePage || !CanChange()) return false;
    SetActivePage(page);
    Change();
    return true;
}

void TPageControl::SetTabPosition(TTabPosition v) {
    FTabPosition = v;
    TabsChanged();
}

void TPageControl::SetTabWidth(int v) {
    FTabWidth = std::max(0, v);
    TabsChanged();
}

void TPageControl::SetTabHeight(int v) {
    FTabHeight = std::max(0, v);
    TabsChanged();
}

void TPageControl::SetMultiLine(bool v) {
    FMultiLine = v;
    FFirstVisible = 0;
    TabsChanged();
}

void TPageControl::SetImages(TCustomImageList* v) {
    FImages = v;
    TabsChanged();
}

void TPageControl::SetFirstVisibleTab(int v) {
    FFirstVisible = std::clamp(v, 0, std::max(0, VisibleTabCount() - 1));
    TabsChanged();
}

void TPageControl::TabsChanged() {
    UpdateSheets();
    update();
}

int TPageControl::ImageRoom() const {
    if (!FImages) return 0;
    return FTabPosition == tpTop || FTabPosition == tpBottom ? FImages->Width() : FImages->Height();
}

int TPageControl::TabLength(int visibleIndex) const {
    if (FTabWidth > 0) return FTabWidth;
    const TTabSheet* p = VisiblePage(visibleIndex);
    const QFontMetrics fm(Font().ToQFont());
    return (p ? fm.horizontalAdvance(p->Caption()) : 0) + 12 + ImageRoom();
}

int TPageControl::TabThickness() const {
    if (FTabHeight > 0) return FTabHeight;
    return QFontMetrics(Font().ToQFont()).height() + 6;
}

std::vector<TPageControl::TSlot> TPageControl::Slots() const {
    std::vector<TSlot> lay;
    const int n = VisibleTabCount();
    const bool across = FTabPosition == tpTop || FTabPosition == tpBottom;
    const int extent = (across ? Width() : Height()) - 2;
    int start = 2, row = 0;
    if (!FMultiLine)
        for (int i = 0; i < std::min(FFirstVisible, n); ++i) start -= TabLength(i);
    for (int i = 0; i < n; ++i) {
        const int len = TabLength(i);
        if (FMultiLine && start > 2 && start + len > extent) {
            start = 2;
            ++row;
        }
        lay.push_back({start, len, row});
        start += len;
    }
    return lay;
}

int TPageControl::RowCount() const {
    const std::vector<TSlot> s = Slots();
    return s.empty() ? 0 : s.back().Row + 1;
}

TRect TPageControl::TabRect(int i) const {
    const std::vector<TSlot> lay = Slots();
    if (i < 0 || i >= int(lay.size())) return {};
    const TSlot& s = lay[std::size_t(i)];
    const int T = TabThickness();
    TRect R;
    switch (FTabPosition) {
    case tpTop: R = Rect(s.Start, 2 + s.Row * T, s.Start + s.Length, 2 + (s.Row + 1) * T); break;
    case tpBottom: R = Rect(s.Start, Height() - 2 - (s.Row + 1) * T, s.Start + s.Length, Height() - 2 - s.Row * T); break;
    case tpLeft: R = Rect(2 + s.Row * T, s.Start, 2 + (s.Row + 1) * T, s.Start + s.Length); break;
    case tpRight: R = Rect(Width() - 2 - (s.Row + 1) * T, s.Start, Width() - 2 - s.Row * T, s.Start + s.Length); break;
    }
    AdjustTabRect(i, R);
    return R;
}

int TPageControl::IndexOfTabAt(int X, int Y) const {
    const int n = VisibleTabCount();
    for (int i = 0; i < n; ++i)
        if (TabRect(i).Contains(Point(X, Y))) return i;
    return -1;
}

TRect TPageControl::DisplayRect() const {
    const int W = Width(), H = Height();
    const int S = RowCount() * TabThickness() + 2;
    TRect R;
    switch (FTabPosition) {
    case tpTop: R = Rect(4, S + 2, W - 4, H - 4); break;
    case tpBottom: R = Rect(4, 4, W - 4, H - S - 2); break;
    case tpLeft: R = Rect(S + 2, 4, W - 4, H - 4); break;
    case tpRight: R = Rect(4, 4, W - S - 2, H - 4); break;
    }
    AdjustDisplayRect(R);
    return R;
}

void TPageControl::UpdateSheets() {
    const TRect R = DisplayRect();
    for (TTabSheet* p : FPages) {
        if (p == FActivePage) {
            p->SetBounds(R.Left, R.Top, std::max(0, R.Width()), std::max(0, R.Height()));
            p->SetVisible(true);
            p->raise();
        } else {
            p->SetVisible(false);
        }
    }
}

void TPageControl::resizeEvent(QResizeEvent* e) {
    TCustomControl::resizeEvent(e);
    UpdateSheets();
}

void TPageControl::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        const QPoint p = e->position().toPoint();
        Application()->Guard([&] { SelectByUser(VisiblePage(IndexOfTabAt(p.x(), p.y()))); });
    }
    TCustomControl::mousePressEvent(e);
}

void TPageControl::Paint() {
    TCanvas& C = Canvas();
    C.Brush().SetColor(clBtnFace);
    C.FillRect(ClientRect());
    TRect frame = DisplayRect();
    InflateRect(frame, 1, 1);
    C.Brush().SetColor(clBtnShadow);
    C.FrameRect(frame);
    const int n = VisibleTabCount(), active = TabIndex();
    for (int i = 0; i < n; ++i) {
        TRect r = TabRect(i);
        C.Brush().SetColor(i == active ? clWindow : clBtnFace);
        C.FillRect(r);
        C.Brush().SetColor(clBtnShadow);
        C.FrameRect(r);
        C.Brush().SetStyle(bsClear);
        C.DrawText(VisiblePage(i)->Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
}
