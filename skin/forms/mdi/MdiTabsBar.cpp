#include "skin/forms/mdi/MdiTabsBar.h"

#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/MdiClient.h"
#include "skin/controls/buttons/SkinMenuSpeedButton.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QMouseEvent>

#include <algorithm>

namespace {

QImage ModelPicture(const TqvSkinData* model, int index) {
    if (!model || index < 0 || index >= int(model->FActivePictures.size())) return {};
    return model->FActivePictures[size_t(index)];
}

// A rectangle of the record that the skin left out.
bool Empty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

constexpr TColor kHotTab = RGB(182, 189, 210), kActiveTab = RGB(133, 147, 181);

const QString kListItem = QStringLiteral("_QVFCHILDITEMBAR"), kHideListItem = QStringLiteral("_QVFCHILDITEMBARHIDE");
// The standard arrows of the two list buttons.
constexpr int kArrowDown = 4, kArrowRight = 2;

}  // namespace

TqvSkinMDITabsBar::TqvSkinMDITabsBar(QObject* AOwner) : TqvSkinControl(AOwner) {
    FSkinDataName = QStringLiteral("tab");
    setMouseTracking(true);
    SetBounds(Left(), Top(), 150, 21);
    FListMenu = new TqvSkinPopupMenu(this);
    FListMenu->OnPopup = [this](QObject*) { FillListMenu(FListMenu, false); };
    FHideListMenu = new TqvSkinPopupMenu(this);
    FHideListMenu->OnPopup = [this](QObject*) { FillListMenu(FHideListMenu, true); };
}

TqvSkinMDITabsBar::~TqvSkinMDITabsBar() = default;

void TqvSkinMDITabsBar::SetVelmora(TqvVelmora* v) {
    FVelmora = v;
    FListMenu->SetSkinComponent(v);
    FHideListMenu->SetSkinComponent(v);
}

const TqvDataSkinTabControl* TqvSkinMDITabsBar::TabRecord() const {
    return dynamic_cast<const TqvDataSkinTabControl*>(Record());
}

TqvMDITab* TqvSkinMDITabsBar::Tab(int Index) const {
    return Index >= 0 && Index < TabCount() ? ObjectList[size_t(Index)].get() : nullptr;
}

void TqvSkinMDITabsBar::SetTabKind(TqvSkinMDITabKind v) {
    FTabKind = v;
    if (TabRecord()) ChangeSkinData();
}

void TqvSkinMDITabsBar::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    if (v > 0 && !TabRecord()) SetHeight(v);
}

int TqvSkinMDITabsBar::GetCloseSize() const {
    const TqvDataSkinTabControl* r = TabRecord();
    return !r || Empty(r->CloseButtonRect) ? 14 : r->CloseButtonRect.Width();
}

void TqvSkinMDITabsBar::ChangeSkinData() {
    TqvSkinControl::ChangeSkinData();
    FCloseSize = GetCloseSize();
    const TqvDataSkinTabControl* r = TabRecord();
    FBottomOffset = r ? r->ClRect.Top : 0;
    FActiveTabOffset = r && !Empty(r->ActiveTabRect) ? r->ActiveTabRect.Height() - r->TabRect.Height() : 0;
    if (r && UseSkinSize)
        SetHeight(FTabKind == qvtkButton ? r->TabRect.Height() : r->TabRect.Height() + FBottomOffset);
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    for (TqvSkinMenuSpeedButton* b : {FListButton.data(), FHideListButton.data()})
        if (b) b->SetSkinData(FSD);
    Realign();
    update();
}

void TqvSkinMDITabsBar::AdjustClientRect(TRect& rect) {
    // The list buttons stay above the page strip.
    if (FTabKind == qvtkTab && TabRecord()) rect.Bottom -= FBottomOffset;
}

int TqvSkinMDITabsBar::RowHeight() const {
    return FTabKind == qvtkTab && TabRecord() ? Height() - FBottomOffset : Height();
}

TqvTabsLayout TqvSkinMDITabsBar::CalcTabRects() {
    TqvTabsLayoutInput in;
    in.Width = Width();
    in.RowHeight = RowHeight();
    in.Count = TabCount();
    in.DefaultTabWidth = DefaultTabWidth;
    in.MinTabWidth = MinTabWidth;
    in.DragIndex = IsDrag ? FDragIndex : -1;
    in.TabDX = TabDX;
    FLayout = ::CalcTabRects(in);
    FInVisibleCount = FLayout.InVisibleCount;
    for (int i = 0; i < int(FLayout.Tabs.size()); ++i) {
        ObjectList[size_t(i)]->ObjectRect = FLayout.Tabs[size_t(i)].Rect;
        ObjectList[size_t(i)]->Visible = FLayout.Tabs[size_t(i)].Visible;
    }
    return FLayout;
}

// ---- the feed from the skinned-form components

void TqvSkinMDITabsBar::AddTab(TForm* Child) {
    auto tab = std::make_unique<TqvMDITab>(this, Child);
    TForm* main = Application()->MainForm();
    tab->Active = main && main->ActiveMDIChild() == Child;
    ObjectList.push_back(std::move(tab));
    if (!FListButton) FListButton = NewListButton(alLeft, kArrowDown, FListMenu);
    CalcTabRects();
    UpdateHideListButton();
    update();
}

void TqvSkinMDITabsBar::DeleteTab(TForm* Child) {
    if (TqvMDITab* hot = Tab(ActiveTabIndex); hot && hot->Child == Child) {
        if (OnTabMouseLeave) OnTabMouseLeave(hot);
        ActiveTabIndex = OldTabIndex = -1;
    }
    auto it = std::find_if(ObjectList.begin(), ObjectList.end(), [&](const auto& t) { return t->Child == Child; });
    if (it != ObjectList.end()) {
        const int index = int(it - ObjectList.begin());
        // A tab taken away under a drag ends the drag.
        if (index == FDragIndex) IsDrag = FDown = false, FDragIndex = -1, TabDX = 0;
        else if (index < FDragIndex) --FDragIndex;
        ObjectList.erase(it);
    }
    if (ObjectList.empty() && FListButton) {
        // Maybe inside the button's own menu command: freed once that has returned.
        FListButton->Hide();
        FListButton->deleteLater();
        FListButton = nullptr;
    }
    CalcTabRects();
    UpdateHideListButton();
    update();
}

void TqvSkinMDITabsBar::RefreshTab(TForm* Child) {
    for (const auto& t : ObjectList)
        if (t->Child == Child) RedrawTab(*t);
}

void TqvSkinMDITabsBar::UpdateActiveTab() {
    TForm* main = Application()->MainForm();
    TForm* active = main ? main->ActiveMDIChild() : nullptr;
    if (!active) return;
    for (const auto& t : ObjectList) t->Active = t->Child == active;
    update();
}

int TqvSkinMDITabsBar::GetTabIndex(int X, int Y) const {
    for (int i = 0; i < TabCount(); ++i) {
        const TqvMDITab& t = *ObjectList[size_t(i)];
        const TRect& r = t.ObjectRect;
        if (t.Visible && X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom) return i;
    }
    return -1;
}

TqvMDITab* TqvSkinMDITabsBar::GetTab(int X, int Y) const { return Tab(GetTabIndex(X, Y)); }

// ---- the list buttons

TqvSkinMenuSpeedButton* TqvSkinMDITabsBar::NewListButton(TAlign Align, int ArrowKind, TqvSkinPopupMenu* Menu) {
    auto* b = new TqvSkinMenuSpeedButton(this);
    b->SetSkinDataName(QStringLiteral("resizetoolbutton"));
    b->SetSkinData(FSD);
    b->FDrawStandardArrow = true;
    b->FArrowType = ArrowKind;
    b->SetSkinPopupMenu(Menu);
    b->SetWidth(TqvTabsLayout::kListButtonWidth);
    b->SetAlign(Align);
    b->SetParent(this);
    b->Show();
    return b;
}

void TqvSkinMDITabsBar::UpdateHideListButton() {
    if (FInVisibleCount > 0 && !FHideListButton) {
        FHideListButton = NewListButton(alRight, kArrowRight, FHideListMenu);
    } else if (FInVisibleCount == 0 && FHideListButton) {
        FHideListButton->Hide();
        FHideListButton->deleteLater();
        FHideListButton = nullptr;
    }
}

void TqvSkinMDITabsBar::FillListMenu(TqvSkinPopupMenu* Menu, bool HiddenOnly) {
    TMenuItem* root = Menu->Items();
    root->Clear();
    if (!IsDrag) CalcTabRects();
    const QString suffix = HiddenOnly ? kHideListItem : kListItem;
    for (const auto& t : ObjectList) {
        if (!t->Child || (HiddenOnly && t->Visible)) continue;
        // Without an owner: two children of one name each get their item.
        auto* item = new TMenuItem;
        item->SetName(t->Child->Name() + suffix);
        item->SetCaption(t->Child->Caption());
        item->SetRadioItem(true);
        item->SetGroupIndex(0);
        item->OnClick = [this, suffix](QObject* Sender) { ListItemClick(Sender, suffix); };
        root->Add(item);
        item->SetChecked(t->Active);
    }
}

void TqvSkinMDITabsBar::ListItemClick(QObject* Sender, const QString& Suffix) {
    auto* item = qobject_cast<TMenuItem*>(Sender);
    TForm* frame = FVelmora ? FVelmora->Form() : Application()->MainForm();
    if (!item || !frame) return;
    QString name = item->Name();
    name.remove(name.indexOf(Suffix), Suffix.size());
    for (int i = 0; i < frame->MDIChildCount(); ++i)
        if (TForm* c = frame->MDIChildren(i); c && c->Name() == name) {
            ShowChild(c);
            return;
        }
}

void TqvSkinMDITabsBar::paintEvent(QPaintEvent* e) {
    // The hidden-tabs button follows the places at this size; it is no part of the picture.
    if (!IsDrag) {
        CalcTabRects();
        UpdateHideListButton();
    }
    TqvSkinControl::paintEvent(e);
}

void TqvSkinMDITabsBar::resizeEvent(QResizeEvent* e) {
    TqvSkinControl::resizeEvent(e);
    if (IsDrag) return;
    CalcTabRects();
    UpdateHideListButton();
}

// ---- painting

void TqvSkinMDITabsBar::CreateControlDefaultImage(QImage& B) {
    TCanvas C(&B);
    C.Brush().SetColor(clBtnFace);
    C.FillRect(Rect(0, 0, B.width(), B.height()));
    DrawTabs(B);
}

void TqvSkinMDITabsBar::CreateControlSkinImage(QImage& B) {
    const TqvDataSkinTabControl* r = TabRecord();
    const QImage pic = ModelPicture(FSD, r->PictureIndex);
    TCanvas C(&B);
    C.Brush().SetColor(FSD->SkinColors().cBtnFace());
    C.FillRect(Rect(0, 0, B.width(), B.height()));
    const int H = RowHeight();
    if (!pic.isNull() && !Empty(r->TabsBGRect)) {
        // The tabs' background, stretched to the row and repeated across.
        const int w = r->TabsBGRect.Width();
        for (int x = 0; x < B.width(); x += w) C.CopyRect(Rect(x, 0, x + w, H), pic, r->TabsBGRect);
    }
    if (FTabKind == qvtkTab && !pic.isNull() && !Empty(r->SkinRect) && FBottomOffset > 0) {
        // The page's top edge under the tabs.
        QImage strip;
        const TRect top = Rect(r->SkinRect.Left, r->SkinRect.Top, r->SkinRect.Right, r->SkinRect.Top + FBottomOffset);
        MakeHorzSkinImage(r->LTPoint.X, r->SkinRect.Width() - r->RTPoint.X, strip, pic, top, B.width(), FBottomOffset,
                          !r->TopStretch);
        C.Draw(0, H, strip);
    }
    DrawTabs(B);
}

void TqvSkinMDITabsBar::DrawTabs(QImage& B) {
    CalcTabRects();
    for (int i = 0; i < TabCount(); ++i)
        if (ObjectList[size_t(i)]->Visible && !(IsDrag && i == FDragIndex)) DrawTab(B, *ObjectList[size_t(i)]);
    if (!IsDrag || !Tab(FDragIndex)) return;
    DrawTab(B, *ObjectList[size_t(FDragIndex)]);
    const int drop = GetDropIndex(FLayout, FDragIndex, TabDX);
    if (TqvMDITab* target = Tab(drop))
        DrawInsertionMark(B, TabDX < 0 ? target->ObjectRect.Left : target->ObjectRect.Right);
}

void TqvSkinMDITabsBar::DrawInsertionMark(QImage& B, int X) {
    TCanvas C(&B);
    C.Pen().SetMode(pmNot);
    C.Brush().SetStyle(bsClear);
    const int h = B.height();
    for (int x : {X - 1, X, X + 1}) {
        C.MoveTo(x, 0);
        C.LineTo(x, h);
    }
    const int m = h / 2;
    C.Polygon({{X + 2, m}, {X + 5, m - 3}, {X + 5, m + 3}});
    C.Polygon({{X - 2, m}, {X - 5, m - 3}, {X - 5, m + 3}});
}

const TqvDataSkinButtonControl* TqvSkinMDITabsBar::ButtonRecord(const QString& Name) const {
    const int i = FSD ? FSD->GetControlIndex(Name) : -1;
    return i < 0 ? nullptr : dynamic_cast<const TqvDataSkinButtonControl*>(FSD->CtrlList[size_t(i)].get());
}

void TqvSkinMDITabsBar::SetCaptionFont(TCanvas& C, TColor Color) const {
    const TqvDataSkinTabControl* r = TabRecord();
    if (r && UseSkinFont) {
        C.Font().SetName(r->FontName);
        C.Font().SetHeight(r->FontHeight);
        C.Font().SetStyle(r->FontStyle);
    } else {
        C.SetFont(FDefaultFont);
    }
    C.Font().SetColor(Color);
}

void TqvSkinMDITabsBar::DrawCaption(TCanvas& C, TqvMDITab& T, const TRect& Text) {
    QString caption = T.Child->Caption();
    FitWideTextToWidth(C, caption, Text.Width());
    if (OnTabGetDrawParamsEvent) OnTabGetDrawParamsEvent(&T, C);
    C.Brush().SetStyle(bsClear);
    TRect r = Text;
    C.DrawText(caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TqvSkinMDITabsBar::DrawTab(QImage& B, TqvMDITab& T) {
    const int w = T.ObjectRect.Width(), h = T.ObjectRect.Height();
    if (w <= 0 || h <= 0 || !T.Child) return;
    const TqvDataSkinTabControl* r = TabRecord();
    const QImage pic = r ? ModelPicture(FSD, r->PictureIndex) : QImage();
    if (r && FTabKind == qvtkButton) return ButtonDraw(B, T);
    if (r && !pic.isNull() && !UseSkinSize) return ResizeDraw(B, T);
    QImage tab = NewSkinImage(w, h);
    TCanvas C(&tab);
    const bool hot = T.MouseIn && !T.Active;
    TRect text;
    if (r && !pic.isNull()) {
        const TRect src = hot && !Empty(r->MouseInTabRect) ? r->MouseInTabRect
                          : T.Active && !Empty(r->ActiveTabRect) ? r->ActiveTabRect
                                                                     : r->TabRect;
        MakeHorzSkinImage(r->TabLeftOffset, r->TabRightOffset, tab, pic, src, w, h, r->TabStretchEffect);
        C.SetImage(&tab);
        SetCaptionFont(C, hot ? r->MouseInFontColor : T.Active ? r->ActiveFontColor : r->FontColor);
        text = FShowCloseButtons ? Rect(2, 0, w - FCloseSize - 5, h) : Rect(r->TabLeftOffset, 0, w - r->TabRightOffset, h);
    } else {
        C.Brush().SetColor(hot ? kHotTab : T.Active ? kActiveTab : clBtnFace);
        C.FillRect(Rect(0, 0, w, h));
        C.SetFont(FDefaultFont);
        text = FShowCloseButtons ? Rect(2, 0, w - FCloseSize - 5, h) : Rect(2, 0, w - 2, h);
    }
    DrawCaption(C, T, text);
    if (FShowCloseButtons) DrawCloseButton(C, T, Rect(text.Right, 0, w, h));
    TCanvas(&B).Draw(T.ObjectRect.Left, T.ObjectRect.Top, tab);
}

void TqvSkinMDITabsBar::ButtonDraw(QImage& B, TqvMDITab& T) {
    const int w = T.ObjectRect.Width(), h = T.ObjectRect.Height();
    const QString name = QStringLiteral("resizebutton");
    const TqvDataSkinButtonControl* b = ButtonRecord(name);
    // The active tab looks pressed.
    const int state = T.Active ? 2 : T.MouseIn ? 1 : 0;
    QImage tab;
    // Without the button picture there is nothing to draw the tab from.
    if (!b || !ComposeButtonRecord(tab, FSD, name, state, w, h)) return;
    TCanvas C(&tab);
    SetCaptionFont(C, state == 2 ? b->DownFontColor : state == 1 ? b->ActiveFontColor : b->FontColor);
    TRect text = Rect(b->ClRect.Left, b->ClRect.Top, b->ClRect.Right + w - b->SkinRect.Width(),
                      b->ClRect.Bottom + h - b->SkinRect.Height());
    TRect close{};
    if (FShowCloseButtons) {
        text.Right -= FCloseSize + 3;
        close = Rect(text.Right, text.Top, text.Right + FCloseSize + 3, text.Bottom);
    }
    // A button whose client is thinner than a line of text still shows the caption whole.
    if (const int th = C.TextHeight(T.Child->Caption()); text.Height() < th) {
        text.Top = (h - th) / 2;
        text.Bottom = text.Top + th;
    }
    DrawCaption(C, T, text);
    if (FShowCloseButtons) DrawCloseButton(C, T, close);
    TCanvas(&B).Draw(T.ObjectRect.Left, T.ObjectRect.Top, tab);
}

void TqvSkinMDITabsBar::ResizeDraw(QImage& B, TqvMDITab& T) {
    const TqvDataSkinTabControl* r = TabRecord();
    const QImage pic = ModelPicture(FSD, r->PictureIndex);
    // The active tab reaches down into the page under the row.
    const int w = T.ObjectRect.Width(), h = T.ObjectRect.Height() + (T.Active ? FActiveTabOffset : 0);
    if (h <= 0) return;
    const bool hot = T.MouseIn && !T.Active && !Empty(r->MouseInTabRect);
    const TRect src = hot ? r->MouseInTabRect : T.Active && !Empty(r->ActiveTabRect) ? r->ActiveTabRect : r->TabRect;
    QImage tab = NewSkinImage(w, h);
    const int q = r->TabRect.Height() / 4;
    ResizeSkinImage(tab, pic, src, Rect(r->TabLeftOffset, q, src.Width() - r->TabRightOffset, src.Height() - q), true);
    TCanvas C(&tab);
    SetCaptionFont(C, hot ? r->MouseInFontColor : T.Active ? r->ActiveFontColor : r->FontColor);
    const TRect text = FShowCloseButtons ? Rect(2, 2, w - FCloseSize - 5, h) : Rect(2, 0, w - 2, h);
    DrawCaption(C, T, text);
    if (FShowCloseButtons) DrawCloseButton(C, T, Rect(text.Right, 0, w, h));
    TCanvas(&B).Draw(T.ObjectRect.Left, T.ObjectRect.Top, tab);
}

void TqvSkinMDITabsBar::DrawCloseButton(TCanvas& C, TqvMDITab& T, const TRect& R) {
    const TqvDataSkinTabControl* r = TabRecord();
    const QImage pic = r ? ModelPicture(FSD, r->PictureIndex) : QImage();
    const int mid = (R.Top + R.Bottom) / 2;
    if (r && !pic.isNull() && !Empty(r->CloseButtonRect)) {
        TRect active = Empty(r->CloseButtonActiveRect) ? r->CloseButtonRect : r->CloseButtonActiveRect;
        TRect down = Empty(r->CloseButtonDownRect) ? active : r->CloseButtonDownRect;
        const TRect src = T.ButtonMouseDown && T.ButtonMouseIn ? down : T.ButtonMouseIn ? active : r->CloseButtonRect;
        const int top = mid - src.Height() / 2;
        T.ButtonRect = Rect(R.Left, top, R.Left + src.Width(), top + src.Height());
        if (r->ButtonTransparent) C.BrushCopy(T.ButtonRect, pic, src, r->ButtonTransparentColor);
        else C.CopyRect(T.ButtonRect, pic, src);
        return;
    }
    if (r) {
        // A skin without close-button pictures: a small tool button with the glyph.
        const QString name = QStringLiteral("resizetoolbutton");
        const TqvDataSkinButtonControl* b = ButtonRecord(name);
        const int state = T.ButtonMouseDown && T.ButtonMouseIn ? 2 : T.ButtonMouseIn ? 1 : 0;
        QImage button;
        if (!b || !ComposeButtonRecord(button, FSD, name, state, FCloseSize, FCloseSize)) {
            // Nothing drawn, nothing to press.
            T.ButtonRect = TRect{};
            return;
        }
        const int top = mid - FCloseSize / 2;
        T.ButtonRect = Rect(R.Left, top, R.Left + FCloseSize, top + FCloseSize);
        C.Draw(R.Left, top, button);
        DrawCloseGlyph(C, R.Left + FCloseSize / 2 - 5, top + FCloseSize / 2 - 5,
                       state == 2 ? b->DownFontColor : state == 1 ? b->ActiveFontColor : b->FontColor);
        return;
    }
    T.ButtonRect = Rect(R.Left, mid - 7, R.Left + 14, mid + 7);
    DrawCloseGlyph(C, T.ButtonRect.Left + 2, T.ButtonRect.Top + 2, T.ButtonMouseIn ? clWhite : clBlack);
}

// ---- mouse

void TqvSkinMDITabsBar::TestActive(int X, int Y) {
    const int index = X < 0 && Y < 0 ? -1 : GetTabIndex(X, Y);
    const bool changed = index != ActiveTabIndex;
    if (changed) {
        OldTabIndex = ActiveTabIndex;
        ActiveTabIndex = index;
        if (TqvMDITab* old = Tab(OldTabIndex); old && old->Visible) {
            old->MouseIn = false;
            RedrawTab(*old);
            if (OnTabMouseLeave) OnTabMouseLeave(old);
        }
        if (TqvMDITab* now = Tab(ActiveTabIndex); now && now->Visible) {
            now->MouseIn = true;
            RedrawTab(*now);
            if (OnTabMouseEnter) OnTabMouseEnter(now);
        }
    }
    if (!FShowCloseButtons) return;
    if (TqvMDITab* t = Tab(ActiveTabIndex)) {
        const TRect& b = t->ButtonRect;
        const int x = X - t->ObjectRect.Left, y = Y - t->ObjectRect.Top;
        const bool in = x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom;
        if (in != t->ButtonMouseIn) {
            t->ButtonMouseIn = in;
            if (!in) t->ButtonMouseDown = false;
            RedrawTab(*t);
        }
    }
    if (changed)
        for (int i = 0; i < TabCount(); ++i)
            if (i != ActiveTabIndex) ObjectList[size_t(i)]->ButtonMouseIn = ObjectList[size_t(i)]->ButtonMouseDown = false;
}

void TqvSkinMDITabsBar::ShowChild(TForm* Child) {
    if (TqvVelmora* c = GetSkinFormComponent(Child); c && c->WindowState() == wsMinimized) c->SetWindowState(wsNormal);
    Child->Show();
    if (TForm* main = Application()->MainForm(); main && main->MDIClient()) main->MDIClient()->Activate(Child);
}

void TqvSkinMDITabsBar::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    const int index = GetTabIndex(X, Y);
    TqvMDITab* tab = Tab(index);
    if (!tab || !tab->Child) return;
    QPointer<TForm> child = tab->Child;
    if (Button == Qt::LeftButton) {
        ShowChild(child);
        FDown = true;
        if (MoveTabs) FDragIndex = index;
        DX = X;
        TabDX = 0;
        if (OnTabMouseDown) OnTabMouseDown(Button, Shift, tab);
        if (FShowCloseButtons) {
            const TRect& b = tab->ButtonRect;
            const int x = X - tab->ObjectRect.Left, y = Y - tab->ObjectRect.Top;
            const bool in = x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom;
            tab->ButtonMouseIn = tab->ButtonMouseDown = in;
            if (in) FDown = false;
            RedrawTab(*tab);
        }
    } else if (Button == Qt::RightButton) {
        if (SupportChildMenus && FVelmora)
            if (TqvVelmora* c = GetSkinFormComponent(child)) c->PopupSystemMenuAt(mapToGlobal(QPoint(X, Y)));
        if (OnTabMouseDown) OnTabMouseDown(Button, Shift, Tab(index));
    }
}

void TqvSkinMDITabsBar::MouseMove(int X, int Y) {
    if (FDown && FDragIndex >= 0 && !IsDrag && X != DX) IsDrag = true;
    if (IsDrag) {
        TabDX = X - DX;
        update();
    } else {
        TestActive(X, Y);
    }
}

void TqvSkinMDITabsBar::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    FDown = false;
    if (IsDrag) {
        CalcTabRects();
        IsDrag = false;
        const int drop = GetDropIndex(FLayout, FDragIndex, TabDX);
        if (drop != -1 && drop != FDragIndex) {
            const std::vector<int> order = DropOrder(TabCount(), FDragIndex, drop);
            std::vector<std::unique_ptr<TqvMDITab>> moved;
            for (int i : order) moved.push_back(std::move(ObjectList[size_t(i)]));
            ObjectList = std::move(moved);
        }
        FDragIndex = -1;
        DX = TabDX = 0;
        CalcTabRects();
        update();
    } else {
        FDragIndex = -1;
        if (TqvMDITab* t = GetTab(X, Y); t && OnTabMouseUp) OnTabMouseUp(Button, Shift, t);
    }
    if (Button != Qt::LeftButton || !FShowCloseButtons) return;
    TqvMDITab* t = GetTab(X, Y);
    if (!t) return;
    const TRect& b = t->ButtonRect;
    const int x = X - t->ObjectRect.Left, y = Y - t->ObjectRect.Top;
    if (x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom) {
        t->ButtonMouseIn = true;
        t->ButtonMouseDown = false;
        RedrawTab(*t);
        if (TForm* child = t->Child) child->Close();
    } else {
        t->ButtonMouseIn = t->ButtonMouseDown = false;
    }
}

void TqvSkinMDITabsBar::MouseLeave() {
    TqvSkinControl::MouseLeave();
    if (!IsDrag) TestActive(-1, -1);
}

void TqvSkinMDITabsBar::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] { MouseDown(e->button(), e->modifiers(), p.x(), p.y()); });
    TqvSkinControl::mousePressEvent(e);
    e->accept();  // on to the form, the press would close the menu it just opened
}

void TqvSkinMDITabsBar::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] { MouseMove(p.x(), p.y()); });
    TqvSkinControl::mouseMoveEvent(e);
}

void TqvSkinMDITabsBar::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] { MouseUp(e->button(), e->modifiers(), p.x(), p.y()); });
    TqvSkinControl::mouseReleaseEvent(e);
}
