#include "skin/controls/office/SkinOfficeListBox.h"

#include "platform/Application.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

constexpr TColor kGray = RGB(128, 128, 128);

// What lies under R in B, as a picture of R's size (outside B: white).
QImage Under(const QImage& B, const TRect& R) {
    QImage row = NewSkinImage(std::max(R.Width(), 0), std::max(R.Height(), 0));
    if (!row.isNull()) BitBlt(row, -R.Left, -R.Top, B.width(), B.height(), B, 0, 0);
    return row;
}

// The part of Row (drawn for R) that lies inside Clip, back into B.
void PutClipped(QImage& B, const QImage& Row, const TRect& R, const TRect& Clip) {
    TRect c;
    if (!IntersectRect(c, R, Clip)) return;
    BitBlt(B, c.Left, c.Top, c.Width(), c.Height(), Row, c.Left - R.Left, c.Top - R.Top);
}

}  // namespace

TqvSkinOfficeListBox::TqvSkinOfficeListBox(QObject* AOwner)
    : TqvSkinCustomControl(AOwner), FItems(std::make_unique<TqvSkinOfficeItems>(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    SetTabStop(true);
    SetBounds(Left(), Top(), 150, 150);
    SetSkinDataName(QStringLiteral("listbox"));
}

TqvSkinOfficeListBox::~TqvSkinOfficeListBox() {
    delete FScrollBar;
    FScrollBar = nullptr;
    FItems.reset();
}

void TqvSkinOfficeListBox::ItemsChanged() {
    if (!FItems) return;
    update();
    UpdateScrollInfo();
}

void TqvSkinOfficeListBox::SetItems(const TqvSkinOfficeItems& Value) {
    FItems->Assign(Value);
    update();
    UpdateScrollInfo();
}

void TqvSkinOfficeListBox::SetShowItemTitles(bool Value) {
    if (Value == FShowItemTitles) return;
    FShowItemTitles = Value;
    update();
}

void TqvSkinOfficeListBox::SetShowLines(bool Value) {
    if (Value == FShowLines) return;
    FShowLines = Value;
    update();
}

void TqvSkinOfficeListBox::SetItemHeight(int Value) {
    if (Value == FItemHeight) return;
    FItemHeight = Value;
    update();
}

void TqvSkinOfficeListBox::SetHeaderHeight(int Value) {
    if (Value == FHeaderHeight) return;
    FHeaderHeight = Value;
    update();
}

// ---- index and marks

void TqvSkinOfficeListBox::MarkRow(int i) {
    FItemIndex = i;
    for (int k = 0; k < FItems->Count(); ++k) FItems->Items(k)->Active = k == i;
    update();
    ScrollToItem(i);
}

void TqvSkinOfficeListBox::SetItemIndex(int Value) {
    FItemIndex = Value;
    if (Value < 0) {
        for (int k = 0; k < FItems->Count(); ++k) FItems->Items(k)->Active = false;
        update();
        return;
    }
    for (int k = 0; k < FItems->Count(); ++k) FItems->Items(k)->Active = k == Value;
    update();
    ScrollToItem(Value);
    TqvSkinOfficeItem* item = FItems->Items(Value);
    if (item->OnClick) item->OnClick(this);
    if (OnItemClick) OnItemClick(this);
}

// ---- layout and scrolling

TRect TqvSkinOfficeListBox::ItemArea(bool ForBar) {
    GetSkinData();
    TRect R;
    if (SkinIndex() == -1) {
        R = Rect(2, 2, Width() - 2, Height() - 2);
    } else {
        int w = Width(), h = Height();
        AdjustSkinSize(w, h);
        R = G.NewClRect;
    }
    if (!ForBar && FScrollBar) R.Right -= FScrollBar->Width();
    return R;
}

void TqvSkinOfficeListBox::CalcItemRects() {
    FRealMax = 0;
    FItemsRect = ItemArea(false);
    int top = FItemsRect.Top;
    for (int i = 0; i < FItems->Count(); ++i) {
        TqvSkinOfficeItem* it = FItems->Items(i);
        const int h = it->Header() ? FHeaderHeight : FItemHeight;
        TRect R = Rect(FItemsRect.Left, top, FItemsRect.Right, top + h);
        OffsetRect(R, 0, -FScrollOffset);
        it->ItemRect = R;
        it->IsVisible = RectTopOrBottomInRect(R, FItemsRect) ||
                        (R.Top <= FItemsRect.Top && R.Bottom >= FItemsRect.Bottom);
        if (it->IsVisible) FRealMax = R.Bottom;
        top += h;
    }
    FMax = top;
}

int TqvSkinOfficeListBox::CalcHeight(int AItemCount) {
    const int n = std::min(AItemCount, FItems->Count());
    GetSkinData();
    if (SkinIndex() == -1) return n * FItemHeight + 5;
    const TRect area = ItemArea(true);
    return n * FItemHeight + Height() - area.Height() + 1;
}

void TqvSkinOfficeListBox::GetScrollInfo(int& AMin, int& AMax, int& APage, int& APosition) {
    CalcItemRects();
    AMin = 0;
    AMax = FMax - FItemsRect.Top;
    APage = FItemsRect.Height();
    if (AMax <= APage) AMax = APage = 0;
    APosition = FScrollOffset;
}

void TqvSkinOfficeListBox::UpdateScrollInfo() {
    int mn, mx, page, pos;
    GetScrollInfo(mn, mx, page, pos);
    if (mx != 0) {
        ShowScrollbar();
        FScrollBar->SetRange(mn, mx, pos, page);
        FScrollBar->SetLargeChange(page);
    } else if (FScrollBar) {
        HideScrollBar();
    }
}

void TqvSkinOfficeListBox::ShowScrollbar() {
    if (FScrollBar) return;
    FScrollBar = new TqvSkinScrollBar(nullptr);
    FScrollBar->SetVisible(false);
    FScrollBar->SetParent(this);
    FScrollBar->SetDefaultHeight(0);
    FScrollBar->SetDefaultWidth(19);
    FScrollBar->SetSmallChange(FItemHeight);
    FScrollBar->SetLargeChange(FItemHeight);
    FScrollBar->SetSkinDataName(QStringLiteral("vscrollbar"));
    FScrollBar->SetKind(sbVertical);
    FScrollBar->SetSkinData(SkinData());
    FScrollBar->OnChange = [this](QObject* s) { SBChange(s); };
    AdjustScrollBar();
    FScrollBar->SetVisible(true);
    update();
}

void TqvSkinOfficeListBox::HideScrollBar() {
    if (!FScrollBar) return;
    TqvSkinScrollBar* bar = FScrollBar;
    FScrollBar = nullptr;
    bar->SetVisible(false);
    bar->deleteLater();
    bar->OnChange = nullptr;
    // Rows that fit show from the top: nothing is left to scroll them back.
    FScrollOffset = 0;
    CalcItemRects();
    update();
}

void TqvSkinOfficeListBox::AdjustScrollBar() {
    if (!FScrollBar) return;
    const TRect R = ItemArea(true);
    FScrollBar->SetBounds(R.Right - FScrollBar->Width(), R.Top, FScrollBar->Width(), R.Height());
}

void TqvSkinOfficeListBox::SBChange(QObject* Sender) {
    (void)Sender;
    if (FScrollBar) Scroll(FScrollBar->Position());
}

void TqvSkinOfficeListBox::Scroll(int AScrollOffset) {
    FScrollOffset = AScrollOffset;
    update();
    UpdateScrollInfo();
}

void TqvSkinOfficeListBox::ScrollToItem(int Index) {
    CalcItemRects();
    TqvSkinOfficeItem* item = FItems->Items(Index);
    const TRect R = item->ItemRect;
    TRect U = R;
    OffsetRect(U, 0, FScrollOffset);
    if (R.Top <= FItemsRect.Top) {
        FScrollOffset = (Index == 1 && FItems->Items(0)->Header()) ? 0 : U.Top - FItemsRect.Top;
        CalcItemRects();
        update();
    } else if (R.Bottom >= FItemsRect.Bottom) {
        // The row's bottom ends one pixel above the area's bottom whatever the
        // borders are.
        FScrollOffset = U.Bottom + 1 - FItemsRect.Bottom;
        CalcItemRects();
        update();
    }
    UpdateScrollInfo();
}

void TqvSkinOfficeListBox::resizeEvent(QResizeEvent* e) {
    TqvSkinCustomControl::resizeEvent(e);
    Application()->Guard([this] {
        if (FOldHeight != -1 && FOldHeight != Height()) {
            CalcItemRects();
            if (FItemsRect.Bottom >= FRealMax && FScrollOffset > 0) {
                FScrollOffset = std::max(0, FScrollOffset + FRealMax - FItemsRect.Bottom);
                CalcItemRects();
                update();
            }
        }
        AdjustScrollBar();
        UpdateScrollInfo();
        FOldHeight = Height();
    });
}

int TqvSkinOfficeListBox::ItemAtPos(int X, int Y) {
    CalcItemRects();
    for (int i = 0; i < FItems->Count(); ++i) {
        TqvSkinOfficeItem* it = FItems->Items(i);
        if (PtInRect(it->ItemRect, {X, Y}) && it->Enabled()) return i;
    }
    return -1;
}

// ---- finding rows

bool TqvSkinOfficeListBox::Eligible(int i) const {
    TqvSkinOfficeItem* it = FItems->Items(i);
    return !it->Header() && it->Enabled();
}

void TqvSkinOfficeListBox::FindUp() {
    if (FItemIndex < 1) return;
    for (int i = std::min(FItemIndex, FItems->Count()) - 1; i >= 0; --i)
        if (Eligible(i)) {
            SetItemIndex(i);
            return;
        }
}

void TqvSkinOfficeListBox::FindDown() {
    for (int i = FItemIndex < 0 ? 0 : FItemIndex + 1; i < FItems->Count(); ++i)
        if (Eligible(i)) {
            SetItemIndex(i);
            return;
        }
}

void TqvSkinOfficeListBox::FindPageUp() {
    if (FItemIndex < 1) return;
    CalcItemRects();
    const int page = std::max(1, FItemHeight > 0 ? FItemsRect.Height() / FItemHeight : 1);
    int found = -1;
    bool crossed = false;
    const int from = std::min(FItemIndex - 1, FItems->Count() - 1);
    for (int i = from; i >= std::max(0, FItemIndex - 1 - page); --i) {
        if (FItems->Items(i)->Header()) crossed = true;
        else if (Eligible(i)) {
            if (crossed) {
                SetItemIndex(i);
                return;
            }
            found = i;
        }
    }
    if (found >= 0) SetItemIndex(found);
}

void TqvSkinOfficeListBox::FindPageDown() {
    const int start = FItemIndex < 0 ? 0 : FItemIndex + 1;
    if (start > FItems->Count() - 1) return;
    CalcItemRects();
    const int page = std::max(1, FItemHeight > 0 ? FItemsRect.Height() / FItemHeight : 1);
    int found = -1;
    bool crossed = false;
    for (int i = start; i <= std::min(FItems->Count() - 1, start + page); ++i) {
        if (FItems->Items(i)->Header()) crossed = true;
        else if (Eligible(i)) {
            if (crossed) {
                SetItemIndex(i);
                return;
            }
            found = i;
        }
    }
    if (found >= 0) SetItemIndex(found);
}

// ---- mouse and keys

void TqvSkinOfficeListBox::mousePressEvent(QMouseEvent* e) {
    if (TakesFocusOnPress() && e->button() == Qt::LeftButton && !hasFocus()) {
        setFocus(Qt::MouseFocusReason);
        if (!hasFocus()) return;
    }
    TqvSkinCustomControl::mousePressEvent(e);
    Application()->Guard([&] {
        const QPoint p = e->position().toPoint();
        const int i = ItemAtPos(p.x(), p.y());
        if (e->button() == Qt::LeftButton && i >= 0 && !FItems->Items(i)->Header()) {
            MarkRow(i);
            FMouseDown = true;
            FMouseActive = i;
        }
    });
    e->accept();
}

void TqvSkinOfficeListBox::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TqvSkinOfficeListBox::mouseMoveEvent(QMouseEvent* e) {
    TqvSkinCustomControl::mouseMoveEvent(e);
    Application()->Guard([&] {
        const QPoint p = e->position().toPoint();
        const int i = ItemAtPos(p.x(), p.y());
        // The index may have moved since the mouse last marked a row (keys,
        // code, a cancelled drop-down): a row that is not the chosen one is marked.
        if (i >= 0 && !FItems->Items(i)->Header() && (FMouseDown || FMouseMoveChangeIndex) &&
            (i != FMouseActive || i != FItemIndex)) {
            MarkRow(i);
            FMouseActive = i;
        }
    });
}

void TqvSkinOfficeListBox::mouseReleaseEvent(QMouseEvent* e) {
    TqvSkinCustomControl::mouseReleaseEvent(e);
    Application()->Guard([&] {
        FMouseDown = false;
        const QPoint p = e->position().toPoint();
        const int i = ItemAtPos(p.x(), p.y());
        if (e->button() == Qt::LeftButton && i >= 0 && !FItems->Items(i)->Header()) SetItemIndex(i);
    });
}

void TqvSkinOfficeListBox::wheelEvent(QWheelEvent* e) {
    const int d = e->angleDelta().y();
    Application()->Guard([&] {
        if (!FScrollBar || d == 0) return;
        FScrollBar->SetPosition(FScrollBar->Position() + (d < 0 ? 1 : -1) * FScrollBar->SmallChange());
    });
    e->accept();
}

void TqvSkinOfficeListBox::keyPressEvent(QKeyEvent* e) {
    if (RunKeyEvents(e)) return;
    Application()->Guard([&] {
        switch (e->key()) {
        case Qt::Key_PageDown: FindPageDown(); break;
        case Qt::Key_PageUp: FindPageUp(); break;
        case Qt::Key_Up:
        case Qt::Key_Left: FindUp(); break;
        case Qt::Key_Down:
        case Qt::Key_Right: FindDown(); break;
        default: break;
        }
    });
}

void TqvSkinOfficeListBox::focusInEvent(QFocusEvent* e) {
    TqvSkinCustomControl::focusInEvent(e);
    update();
}

void TqvSkinOfficeListBox::focusOutEvent(QFocusEvent* e) {
    TqvSkinCustomControl::focusOutEvent(e);
    update();
}

// ---- painting

int TqvSkinOfficeListBox::TextCharset() const {
    if (SkinData() && SkinData()->ResourceStrData()) return SkinData()->ResourceStrData()->CharSet();
    return const_cast<TqvSkinOfficeListBox*>(this)->DefaultFont().Charset();
}

void TqvSkinOfficeListBox::ItemPass(QImage& B) {
    CalcItemRects();
    for (int i = 0; i < FItems->Count(); ++i) {
        TqvSkinOfficeItem* it = FItems->Items(i);
        if (!it->IsVisible || it->ItemRect.Width() <= 0 || it->ItemRect.Height() <= 0) continue;
        // Each row is drawn on its own picture and put back clipped to the area.
        QImage row = Under(B, it->ItemRect);
        TCanvas c(&row);
        DrawItem(i, c);
        PutClipped(B, row, it->ItemRect, FItemsRect);
    }
}

void TqvSkinOfficeListBox::CreateControlDefaultImage(QImage& B) {
    TCanvas c(&B);
    const TRect R = Rect(0, 0, B.width(), B.height());
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(R);
    c.Brush().SetColor(clWindow);
    c.FillRect(Rect(1, 1, R.Right - 1, R.Bottom - 1));
    ItemPass(B);
}

void TqvSkinOfficeListBox::CreateControlSkinImage(QImage& B) {
    TqvSkinCustomControl::CreateControlSkinImage(B);
    ItemPass(B);
}

void TqvSkinOfficeListBox::DrawItem(int Index, TCanvas& Cnvs) {
    if (SkinIndex() != -1) SkinDrawItem(Index, Cnvs);
    else DefaultDrawItem(Index, Cnvs);
}

void TqvSkinOfficeListBox::DrawRowContent(TqvSkinOfficeItem* Item, TCanvas& C, TRect T, bool ExpandTabs) {
    C.Brush().SetStyle(bsClear);
    if (!Item->Title().isEmpty() && FShowItemTitles) {
        const TFontStyles st = C.Font().Style();
        C.Font().SetStyle(st | fsBold);
        TRect tr = T;
        tr.Bottom = tr.Top + C.TextHeight(Item->Title());
        C.DrawText(Item->Title(), tr, 0);
        C.Font().SetStyle(st);
        T.Top = tr.Bottom;
    }
    TCustomImageList* images = FImages.data();
    if (images && Item->ImageIndex() >= 0 && Item->ImageIndex() < images->Count()) {
        DrawItemGlyphAndCaption(C, T, 0, 2, blGlyphLeft, Item->Caption(), Item->ImageIndex(), images, false,
                                Item->Enabled(), false, 0);
        return;
    }
    if (FShowItemTitles) T.Left += 10;
    const unsigned flags = DT_WORDBREAK | (ExpandTabs ? DT_EXPANDTABS : 0u);
    TRect m = Rect(0, 0, T.Width(), 0);
    C.DrawText(Item->Caption(), m, flags | DT_CALCRECT);
    const int top = std::max(T.Top, T.Top + (T.Height() - m.Height()) / 2);
    TRect r = Rect(T.Left, top, T.Left + m.Width(), top + m.Height());
    C.DrawText(Item->Caption(), r, flags);
}

void TqvSkinOfficeListBox::DefaultDrawItem(int Index, TCanvas& Cnvs) {
    TqvSkinOfficeItem* it = FItems->Items(Index);
    const TRect R = Rect(0, 0, it->ItemRect.Width(), it->ItemRect.Height());
    TColor brush = clWindow, text = it->Enabled() ? clWindowText : kGray;
    if (it->Header()) {
        brush = clBtnShadow;
        text = clBtnHighlight;
    } else if (it->Active) {
        brush = clHighlight;
        text = clHighlightText;
    }
    Cnvs.SetFont(DefaultFont());
    Cnvs.Font().SetColor(text);
    Cnvs.Brush().SetColor(brush);
    Cnvs.FillRect(R);
    TRect T = R;
    InflateRect(T, -2, -2);
    if (it->Header()) {
        Cnvs.Brush().SetStyle(bsClear);
        Cnvs.DrawText(it->Caption(), T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        if (OnDrawItem) OnDrawItem(Cnvs, Index, R);
        else DrawRowContent(it, Cnvs, T, false);
        if (FShowLines) {
            Cnvs.Pen().SetColor(clBtnFace);
            Cnvs.MoveTo(R.Left, R.Bottom - 1);
            Cnvs.LineTo(R.Right, R.Bottom - 1);
        }
    }
    if (it->Active && hasFocus()) Cnvs.DrawFocusRect(R);
}

void TqvSkinOfficeListBox::SkinDrawItem(int Index, TCanvas& Cnvs) {
    TqvSkinOfficeItem* it = FItems->Items(Index);
    if (it->Header()) {
        SkinDrawHeaderItem(Index, Cnvs);
        return;
    }
    TqvSkinData* sd = SkinData();
    if (!sd) return;
    const int li = sd->GetControlIndex(QStringLiteral("listbox"));
    const auto* lb = li >= 0 ? dynamic_cast<const TqvDataSkinListBox*>(sd->CtrlList[std::size_t(li)].get()) : nullptr;
    if (!lb) return;
    const int W = it->ItemRect.Width(), H = it->ItemRect.Height();
    TRect T = Rect(0, 0, W, H);
    InflateRect(T, -2, -2);
    TFont font;
    if (UseSkinFont()) {
        font.SetName(lb->FontName);
        font.SetHeight(lb->FontHeight);
        font.SetStyle(lb->FontStyle);
    } else {
        font.Assign(DefaultFont());
    }
    if (lb->FontColor == FDisabledFontColor && lb->FontColor == 0) FDisabledFontColor = kGray;
    const bool ownRecord = SkinDataName() == QLatin1String("listbox") || SkinDataName() == QLatin1String("memo");
    font.SetColor(!it->Enabled() ? FDisabledFontColor : ownRecord ? lb->FontColor : sd->SkinColors().cBtnText());
    font.SetCharset(TextCharset());
    if (it->Active && it->Enabled()) {
        const bool focused = hasFocus();
        QImage bmp = NewSkinImage(W, H);
        ResizeSkinImage(bmp, SkinActivePicture(*sd, lb->PictureIndex), focused ? lb->FocusItemRect : lb->ActiveItemRect,
                        lb->ItemTextRect, true);
        TCanvas bc(&bmp);
        bc.SetFont(font);
        bc.Font().SetColor(focused ? lb->FocusFontColor : lb->ActiveFontColor);
        const TRect tr = Rect(2, 2, W - 2, H - 2);
        bc.Brush().SetStyle(bsClear);
        if (OnDrawItem) OnDrawItem(bc, Index, tr);
        else DrawRowContent(it, bc, tr, false);
        Cnvs.Draw(0, 0, bmp);
        return;
    }
    Cnvs.SetFont(font);
    Cnvs.Brush().SetStyle(bsClear);
    if (OnDrawItem) OnDrawItem(Cnvs, Index, T);
    else DrawRowContent(it, Cnvs, T, true);
    if (FShowLines) {
        Cnvs.Pen().SetColor(sd->SkinColors().cBtnShadow());
        Cnvs.MoveTo(0, H - 1);
        Cnvs.LineTo(W, H - 1);
    }
}

void TqvSkinOfficeListBox::SkinDrawHeaderItem(int Index, TCanvas& Cnvs) {
    TqvSkinData* sd = SkinData();
    if (!sd) return;
    const TqvDataSkinLabelControl* rec = nullptr;
    for (const char* name : {"menuheader", "label"}) {
        const int i = sd->GetControlIndex(QLatin1String(name));
        if (i >= 0 && (rec = dynamic_cast<const TqvDataSkinLabelControl*>(sd->CtrlList[std::size_t(i)].get())))
            break;
    }
    if (!rec) return;
    TqvSkinOfficeItem* it = FItems->Items(Index);
    const int W = it->ItemRect.Width(), H = it->ItemRect.Height();
    QImage bmp = NewSkinImage(W, H);
    ResizeSkinImage(bmp, SkinActivePicture(*sd, rec->PictureIndex), rec->SkinRect, rec->ClRect, true);
    TCanvas bc(&bmp);
    bc.Font().SetName(rec->FontName);
    bc.Font().SetColor(rec->FontColor);
    bc.Font().SetHeight(rec->FontHeight);
    bc.Font().SetStyle(rec->FontStyle);
    bc.Brush().SetStyle(bsClear);
    TRect r = Rect(1, 1, W - 1, H - 1);
    bc.DrawText(it->Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Cnvs.Draw(0, 0, bmp);
}

// ---- the popup

TqvPopupOfficeListBox::TqvPopupOfficeListBox(QObject* AOwner)
    : TqvSkinOfficeListBox(AOwner), FWindow(new TqvDropDownWindow(nullptr)) {
    setFocusPolicy(Qt::NoFocus);
    SetTabStop(false);
    FWindow->SetContent(this);
}

TqvPopupOfficeListBox::~TqvPopupOfficeListBox() {
    // The window holds this list as its child: take it out before the window goes.
    Reparenting([this] { QWidget::setParent(nullptr); });
    delete FWindow.data();
}

void TqvPopupOfficeListBox::Show(QWidget* Opener, TPoint Origin, const TqvPopupAlpha* Alpha) {
    if (FWindow) FWindow->Popup(Opener, Origin, Alpha);
}

void TqvPopupOfficeListBox::Hide() {
    if (FWindow) FWindow->CloseUp();
}
