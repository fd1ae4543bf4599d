#include "skin/controls/lists/SkinListBox.h"

#include "platform/Application.h"
#include "skin/model/draw/DrawHelpers.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

constexpr TColor kNavy = RGB(0, 0, 128);

bool Digits(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

}  // namespace

TqvSkinCustomListBox::TqvSkinCustomListBox(QObject* AOwner)
    : TqvSkinCustomControl(AOwner), FListBox(new TqvListBox(nullptr)) {
    FForceBackground = true;
    FDrawBackground = false;
    setMouseTracking(true);
    Font().SetName(QStringLiteral("Arial"));
    Font().SetHeight(14);
    Font().SetColor(clWindowText);
    FListBox->SetSkinListBox(this);
    FListBox->SetItemHeight(FDefaultItemHeight);
    FListBox->SetParent(this);
    FListBox->SetVisible(true);
    SetBounds(Left(), Top(), 120, 120);
    SetSkinDataName(QStringLiteral("listbox"));
    UpdateListBoxLayout();
    ListBoxCreateWnd();
}

TqvSkinCustomListBox::~TqvSkinCustomListBox() {
    FTimer.Stop();
    delete FScrollBar;
    delete FHScrollBar;
    FScrollBar = FHScrollBar = nullptr;
    FListBox->SetSkinListBox(nullptr);
    delete FListBox;
}

int TqvSkinCustomListBox::TextCharset() {
    if (SkinData() && SkinData()->ResourceStrData()) return SkinData()->ResourceStrData()->CharSet();
    return DefaultFont().Charset();
}

void TqvSkinCustomListBox::GetSkinData() {
    TqvSkinCustomControl::GetSkinData();
    const auto* r = dynamic_cast<const TqvDataSkinListBox*>(Record());
    if (!r) return;
    FontName = r->FontName;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    SItemRect = r->SItemRect;
    ActiveItemRect = IsNullRect(r->ActiveItemRect) ? r->SItemRect : r->ActiveItemRect;
    FocusItemRect = IsNullRect(r->FocusItemRect) ? r->SItemRect : r->FocusItemRect;
    ItemLeftOffset = r->ItemLeftOffset;
    ItemRightOffset = r->ItemRightOffset;
    ItemTextRect = r->ItemTextRect;
    FontColor = r->FontColor;
    ActiveFontColor = r->ActiveFontColor;
    FocusFontColor = r->FocusFontColor;
    CaptionRect = r->CaptionRect;
    UpButtonRect = r->UpButtonRect;
    ActiveUpButtonRect = r->ActiveUpButtonRect;
    DownUpButtonRect = IsNullRect(r->DownUpButtonRect) ? r->ActiveUpButtonRect : r->DownUpButtonRect;
    DownButtonRect = r->DownButtonRect;
    ActiveDownButtonRect = r->ActiveDownButtonRect;
    DownDownButtonRect = IsNullRect(r->DownDownButtonRect) ? r->ActiveDownButtonRect : r->DownDownButtonRect;
    CheckButtonRect = r->CheckButtonRect;
    ActiveCheckButtonRect = r->ActiveCheckButtonRect;
    DownCheckButtonRect = IsNullRect(r->DownCheckButtonRect) ? r->ActiveCheckButtonRect : r->DownCheckButtonRect;
    VScrollBarName = r->VScrollBarName;
    HScrollBarName = r->HScrollBarName;
    BothScrollBarName = r->BothScrollBarName;
    ShowFocus = r->ShowFocus;
}

// ---- properties

void TqvSkinCustomListBox::SetItems(const TStrings& v) {
    FListBox->Items().Assign(v);
    UpDateScrollBar();
}

void TqvSkinCustomListBox::SetSorted(bool v) {
    RemoveVScrollBar();
    FListBox->SetSorted(v);
    UpDateScrollBar();
}

void TqvSkinCustomListBox::SetColumns(int v) {
    FListBox->SetColumns(v);
    UpDateScrollBar();
}

void TqvSkinCustomListBox::SetTopIndex(int v) {
    FListBox->SetTopIndex(v);
    UpDateScrollBar();
}

void TqvSkinCustomListBox::SetRowCount(int v) {
    FRowCount = v;
    if (v != 0) SetHeight(CalcHeight(v));
    UpDateScrollBar();
}

void TqvSkinCustomListBox::SetHorizontalExtent(bool v) {
    FHorizontalExtent = v;
    UpDateScrollBar();
}

void TqvSkinCustomListBox::SetTabWidths(const TStrings& v) {
    FTabWidths.Assign(v);
    if (FListBox->Count() > 0) FListBox->Widget()->viewport()->update();
}

std::vector<int> TqvSkinCustomListBox::TabStops() const {
    std::vector<int> stops;
    for (int i = 0; i < std::min(10, FTabWidths.Count()); ++i) {
        const QString s = FTabWidths[i];
        stops.push_back(Digits(s) ? s.toInt() : 0);
    }
    return stops;
}

void TqvSkinCustomListBox::SetUseSkinItemHeight(bool v) {
    FUseSkinItemHeight = v;
    ChangeSkinData();
}

void TqvSkinCustomListBox::SetDefaultItemHeight(int v) {
    FDefaultItemHeight = v;
    GetSkinData();
    if (SkinIndex() == -1 || !FUseSkinItemHeight) FListBox->SetItemHeight(v);
}

void TqvSkinCustomListBox::SetImages(TCustomImageList* v) {
    FImages = v;
    FListBox->Widget()->viewport()->update();
}

void TqvSkinCustomListBox::SetImageIndex(int v) {
    FImageIndex = v;
    FListBox->Widget()->viewport()->update();
}

void TqvSkinCustomListBox::SetCaptionMode(bool v) {
    FCaptionMode = v;
    UpdateListBoxLayout();
    update();
}

void TqvSkinCustomListBox::SetDefaultCaptionHeight(int v) {
    FDefaultCaptionHeight = v;
    UpdateListBoxLayout();
    update();
}

void TqvSkinCustomListBox::SetShowCaptionButtons(bool v) {
    if (v == FShowCaptionButtons) return;
    FShowCaptionButtons = v;
    update();
}

void TqvSkinCustomListBox::DefaultFontChanged() {
    GetSkinData();
    if (SkinIndex() == -1) Font().Assign(DefaultFont());
}

int TqvSkinCustomListBox::CalcHeight(int AItemsCount) {
    GetSkinData();
    int h;
    if (SkinIndex() == -1) h = AItemsCount * FListBox->ItemHeight() + 4 + (FCaptionMode ? FDefaultCaptionHeight : 0);
    else h = AItemsCount * FListBox->ItemHeight() + G.SkinRect.Height() - G.ClRect.Height();
    if (FHScrollBar) h += FHScrollBar->Height();
    return h;
}

void TqvSkinCustomListBox::Clear() {
    FListBox->Clear();
    UpDateScrollBar();
}

// ---- layout and bars

void TqvSkinCustomListBox::UpdateListBoxLayout() {
    GetSkinData();
    const bool skinned = SkinIndex() != -1;
    const int CH = FCaptionMode ? FDefaultCaptionHeight : 1;
    const int W = Width(), H = Height();
    if (skinned) {
        NewClRect = G.ClRect;
        NewClRect.Right += W - G.SkinRect.Width();
        NewClRect.Bottom += H - G.SkinRect.Height();
    }
    int HB = 0;
    if (FListBox->Columns() == 0 && FHScrollBar && FHScrollBar->Visible()) {
        if (!skinned) {
            FHScrollBar->SetBounds(1, H - 20, W - 2, 19);
            HB = FHScrollBar->Height() - 1;
        } else {
            FHScrollBar->SetBounds(NewClRect.Left, NewClRect.Bottom - FHScrollBar->Height(), NewClRect.Width(),
                                   FHScrollBar->Height());
            HB = FHScrollBar->Height();
        }
    }
    if (FScrollBar && FListBox->Columns() <= 0) {
        if (!skinned) {
            FScrollBar->SetBounds(W - 20, CH, 19, H - CH - HB - 1);
            FListRect = Rect(2, CH + 1, FScrollBar->Left(), H - HB - 2);
        } else {
            FScrollBar->SetBounds(NewClRect.Right - FScrollBar->Width(), NewClRect.Top, FScrollBar->Width(),
                                  NewClRect.Height() - HB);
            FListRect = NewClRect;
            FListRect.Right -= FScrollBar->Width();
            FListRect.Bottom -= HB;
        }
    } else if (FScrollBar) {
        if (!skinned) {
            FScrollBar->SetBounds(1, H - 20, W - 2, 19);
            FListRect = Rect(2, CH + 1, W - 2, FScrollBar->Top());
        } else {
            FScrollBar->SetBounds(NewClRect.Left, NewClRect.Bottom - FScrollBar->Height(), NewClRect.Width(),
                                  FScrollBar->Height());
            FListRect = NewClRect;
            FListRect.Bottom -= FScrollBar->Height();
        }
    } else if (!skinned) {
        FListRect = Rect(2, CH + 1, W - 2, H - 2 - HB);
    } else {
        FListRect = NewClRect;
        FListRect.Bottom -= HB;
    }
    FListBox->SetBounds(FListRect.Left, FListRect.Top, std::max(0, FListRect.Width()), std::max(0, FListRect.Height()));
}

void TqvSkinCustomListBox::SetVBarNames() {
    const bool skinned = SkinIndex() != -1;
    FScrollBar->SetSkinDataName(!skinned ? QString() : FListBox->Columns() > 0 ? HScrollBarName : VScrollBarName);
    FScrollBar->SetSkinData(SkinData());
}

void TqvSkinCustomListBox::SetHBarNames() {
    const bool skinned = SkinIndex() != -1;
    if (!skinned) {
        FHScrollBar->SetSkinDataName(QString());
        FHScrollBar->SetBothMarkerWidth(19);
        FHScrollBar->SetBoth(FScrollBar != nullptr);
    } else {
        const QString name = FScrollBar ? BothScrollBarName : HScrollBarName;
        FHScrollBar->SetBoth(false);
        FHScrollBar->SetBothSkinDataName(name);
        FHScrollBar->SetSkinDataName(name);
        FHScrollBar->SetBoth(FScrollBar != nullptr);
    }
    FHScrollBar->SetSkinData(SkinData());
}

void TqvSkinCustomListBox::CreateVScrollBar() {
    FScrollBar = new TqvSkinScrollBar(nullptr);
    FScrollBar->SetVisible(false);
    FScrollBar->SetKind(FListBox->Columns() > 0 ? sbHorizontal : sbVertical);
    FScrollBar->SetBounds(0, 0, 20, 100);
    FScrollBar->SetPageSize(0);
    FScrollBar->SetMin(0);
    FScrollBar->SetPosition(0);
    FScrollBar->OnChange = [this](QObject*) { VBarChange(); };
    SetVBarNames();
    if (FHScrollBar) SetHBarNames();
    FScrollBar->SetParent(this);
    UpdateListBoxLayout();
    FScrollBar->SetVisible(true);
    update();
}

void TqvSkinCustomListBox::CreateHScrollBar() {
    FHScrollBar = new TqvSkinScrollBar(nullptr);
    FHScrollBar->SetVisible(false);
    FHScrollBar->SetKind(sbHorizontal);
    FHScrollBar->SetBounds(0, 0, 100, 20);
    FHScrollBar->SetPageSize(0);
    FHScrollBar->SetMin(0);
    FHScrollBar->SetPosition(0);
    FHScrollBar->OnChange = [this](QObject*) { HBarChange(); };
    SetHBarNames();
    FHScrollBar->SetParent(this);
    FHScrollBar->SetVisible(true);
    UpdateListBoxLayout();
    update();
}

void TqvSkinCustomListBox::RemoveVScrollBar() {
    if (!FScrollBar) return;
    TqvSkinScrollBar* b = std::exchange(FScrollBar, nullptr);
    b->OnChange = nullptr;
    b->SetVisible(false);
    b->deleteLater();
    UpdateListBoxLayout();
}

void TqvSkinCustomListBox::RemoveHScrollBar() {
    if (!FHScrollBar) return;
    TqvSkinScrollBar* b = std::exchange(FHScrollBar, nullptr);
    b->OnChange = nullptr;
    b->SetVisible(false);
    b->deleteLater();
    UpdateListBoxLayout();
    FListBox->SetHorizontalExtentValue(0);
}

void TqvSkinCustomListBox::VBarChange() {
    if (!FScrollBar) return;
    if (FListBox->Columns() > 0) FListBox->ScrollHorzTo(FScrollBar->Position());
    else FListBox->ScrollVertTo(FScrollBar->Position());
}

void TqvSkinCustomListBox::HBarChange() {
    if (FHScrollBar) FListBox->SetHorizontalExtentValue(FHScrollBar->Position());
}

int TqvSkinCustomListBox::GetItemTextWidth(int Index, TCanvas& Canvas) {
    return Canvas.TextWidth(FListBox->Items()[Index]);
}

void TqvSkinCustomListBox::UpDateScrollBar() {
    if (!FListBox) return;
    GetSkinData();
    const bool skinned = SkinIndex() != -1;
    const int count = FListBox->Count();
    if (FListBox->Columns() < 1) {
        if (!FHorizontalExtent || FStopUpDateHScrollBar) {
            RemoveHScrollBar();
        } else {
            QImage probe(1, 1, QImage::Format_RGB32);
            TCanvas c(&probe);
            if (skinned && UseSkinFont()) {
                c.Font().SetName(FontName);
                c.Font().SetStyle(FontStyle);
                c.Font().SetHeight(FontHeight);
            } else {
                c.SetFont(FListBox->Font());
            }
            int widest = 0;
            for (int i = 0; i < count; ++i) widest = std::max(widest, GetItemTextWidth(i, c));
            int visible = skinned ? FListBox->Width() + ItemTextRect.Width() - SItemRect.Width() : FListBox->Width() - 4;
            if (FImages) visible -= FImages->Width() + 4;
            if (visible < widest) {
                if (!FHScrollBar) CreateHScrollBar();
                const int step = std::max(1, c.TextWidth(QStringLiteral("0")));
                FHScrollBar->SetRange(0, widest, FHScrollBar->Position(), std::max(visible, 0));
                FHScrollBar->SetSmallChange(step);
                FHScrollBar->SetLargeChange(step);
            } else {
                RemoveHScrollBar();
            }
        }
        if (!(FRowCount >= 1 && FRowCount == count)) {
            int mn, mx, pos;
            FListBox->GetVertRange(mn, mx, pos);
            const int page = FListBox->ItemHeight() > 0 ? FListBox->Height() / FListBox->ItemHeight() : 0;
            if (mn < mx && mx >= pos && page < count) {
                if (!FScrollBar) CreateVScrollBar();
                FScrollBar->SetRange(mn, mx, pos, page);
                FScrollBar->SetLargeChange(page);
                return;
            }
        }
    } else {
        int mn, mx, pos;
        FListBox->GetHorzRange(mn, mx, pos);
        const int page = FListBox->Columns();
        const int rows = FListBox->ItemHeight() > 0 ? FListBox->Height() / FListBox->ItemHeight() : 0;
        if (mn < mx && mx >= pos && mx >= page && rows * FListBox->Columns() < count) {
            if (!FScrollBar) CreateVScrollBar();
            FScrollBar->SetRange(mn, mx, pos, page);
            return;
        }
    }
    RemoveVScrollBar();
}

// ---- skin and size

void TqvSkinCustomListBox::ChangeSkinData() {
    TqvSkinCustomControl::ChangeSkinData();
    FStopUpDateHScrollBar = true;
    if (SkinIndex() == -1) {
        FListBox->SetItemHeight(FDefaultItemHeight);
        FListBox->Font().Assign(DefaultFont());
    } else if (FUseSkinItemHeight && SItemRect.Height() > 0) {
        FListBox->SetItemHeight(SItemRect.Height());
    }
    if (FScrollBar) SetVBarNames();
    if (FHScrollBar) SetHBarNames();
    if (FRowCount != 0) SetHeight(CalcHeight(FRowCount));
    UpdateListBoxLayout();
    FStopUpDateHScrollBar = false;
    UpDateScrollBar();
    FListBox->Widget()->viewport()->update();
}

void TqvSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TqvSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (SkinIndex() == -1) update();
}

void TqvSkinCustomListBox::resizeEvent(QResizeEvent* e) {
    TqvSkinCustomControl::resizeEvent(e);
    Application()->Guard([this] {
        UpdateListBoxLayout();
        UpDateScrollBar();
        if (FScrollBar) FScrollBar->update();
    });
}

// ---- painting

bool TqvSkinCustomListBox::CaptionButtonsActive() const {
    if (!FCaptionMode || !FShowCaptionButtons) return false;
    return SkinIndex() == -1 || !IsNullRect(UpButtonRect) || !IsNullRect(DownButtonRect);
}

void TqvSkinCustomListBox::CreateControlDefaultImage(QImage& B) {
    TqvSkinCustomControl::CreateControlDefaultImage(B);
    const int W = B.width();
    TCanvas c(&B);
    const int A = std::min(FDefaultCaptionHeight - 3, 17);
    if (FCaptionMode && FShowCaptionButtons) {
        Buttons[0].R = Rect(W - A - 2, 2, W - 2, A + 1);
        Buttons[1].R = Rect(Buttons[0].R.Left - A, 2, Buttons[0].R.Left, A + 1);
        Buttons[2].R = Rect(Buttons[1].R.Left - A, 2, Buttons[1].R.Left, A + 1);
    } else {
        for (TButton& b : Buttons) b.R = {};
    }
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(Rect(0, 0, W, B.height()));
    if (!FCaptionMode) return;
    TRect tr = FShowCaptionButtons ? Rect(3, 2, W - 3 * A - 3, FDefaultCaptionHeight - 2)
                                   : Rect(3, 2, W - 2, FDefaultCaptionHeight - 2);
    c.Font().Assign(DefaultFont());
    c.Font().SetCharset(TextCharset());
    c.Brush().SetStyle(bsClear);
    const int tw = c.TextWidth(Caption());
    const int x = Alignment() == taRightJustify ? tr.Right - tw : Alignment() == taCenter ? tr.Left + tr.Width() / 2 - tw / 2
                                                                                         : tr.Left;
    TRect r = tr;
    c.TextRect(r, x, (FDefaultCaptionHeight - 2) / 2 - c.TextHeight(Caption()) / 2, Caption());
    c.Pen().SetColor(clBtnShadow);
    c.MoveTo(1, FDefaultCaptionHeight - 1);
    c.LineTo(W - 1, FDefaultCaptionHeight - 1);
    if (FShowCaptionButtons)
        for (int i = 0; i < 3; ++i) DrawCaptionButton(B, i);
}

void TqvSkinCustomListBox::CreateControlSkinImage(QImage& B) {
    TqvSkinCustomControl::CreateControlSkinImage(B);
    const int dW = Width() - G.SkinRect.Width(), dH = Height() - G.SkinRect.Height();
    NewClRect = G.ClRect;
    NewClRect.Right += dW;
    NewClRect.Bottom += dH;
    for (TButton& b : Buttons) b.R = {};
    if (!FCaptionMode) return;
    TRect cap = CaptionRect;
    if (FShowCaptionButtons) {
        if (cap.Right >= G.RTPt.X) cap.Right += dW;
        const TRect src[3] = {UpButtonRect, DownButtonRect, CheckButtonRect};
        for (int i = 0; i < 3; ++i) {
            TRect r = src[i];
            const bool moved = r.Top > G.LTPt.Y;
            if (moved) OffsetRect(r, 0, dH);
            if (r.Left > (moved ? G.RBPt.X : G.RTPt.X)) OffsetRect(r, dW, 0);
            Buttons[i].R = r;
        }
    } else {
        cap.Right = Width() - CaptionRect.Left;
    }
    if (!IsNullRect(CaptionRect)) {
        TCanvas c(&B);
        if (const auto* r = dynamic_cast<const TqvDataSkinListBox*>(Record())) {
            c.Font().SetName(r->CaptionFontName);
            c.Font().SetStyle(r->CaptionFontStyle);
            c.Font().SetHeight(r->CaptionFontHeight);
            c.Font().SetColor(r->CaptionFontColor);
        }
        c.Font().SetCharset(TextCharset());
        c.Brush().SetStyle(bsClear);
        const int tw = c.TextWidth(Caption());
        const int x = Alignment() == taRightJustify ? cap.Right - tw - 2
                      : Alignment() == taCenter     ? cap.Width() / 2 + cap.Left + 2 - tw / 2
                                                    : cap.Left + 2;
        c.TextRect(cap, x, cap.Top + cap.Height() / 2 - c.TextHeight(Caption()) / 2, Caption());
    }
    if (FShowCaptionButtons)
        for (int i = 0; i < 3; ++i) DrawCaptionButton(B, i);
}

void TqvSkinCustomListBox::DrawCaptionButton(QImage& B, int i) {
    const TButton& b = Buttons[i];
    if (IsNullRect(b.R)) return;
    TCanvas c(&B);
    if (SkinIndex() == -1) {
        if (b.Down && b.MouseIn) {
            c.Brush().SetColor(RGB(0x85, 0x92, 0xB5));
            c.FillRect(b.R);
            c.Brush().SetColor(kNavy);
            c.FrameRect(b.R);
        } else if (b.MouseIn) {
            c.Brush().SetColor(RGB(0xB6, 0xBD, 0xD2));
            c.FillRect(b.R);
            c.Brush().SetColor(kNavy);
            c.FrameRect(b.R);
        } else {
            c.Brush().SetColor(clBtnFace);
            c.FillRect(b.R);
        }
        if (i == 2) DrawCheckImage(c, b.R.Left + 4, b.R.Top + 4, clBlack);
        else DrawArrowImage(c, b.R, clBlack, i == 0 ? 3 : 4);
        return;
    }
    const TRect normal[3] = {UpButtonRect, DownButtonRect, CheckButtonRect};
    const TRect hot[3] = {ActiveUpButtonRect, ActiveDownButtonRect, ActiveCheckButtonRect};
    const TRect down[3] = {DownUpButtonRect, DownDownButtonRect, DownCheckButtonRect};
    TRect src = normal[i];
    OffsetRect(src, G.SkinRect.Left, G.SkinRect.Top);
    if (b.Down && b.MouseIn && !IsNullRect(down[i])) src = down[i];
    else if (b.MouseIn && !IsNullRect(hot[i])) src = hot[i];
    if (!G.Picture.isNull()) StretchBlt(B, b.R, G.Picture, src);
}

// ---- caption buttons

void TqvSkinCustomListBox::TestActive(int X, int Y) {
    if (!CaptionButtonsActive()) return;
    int hot = -1;
    for (int i = 0; i < 3; ++i)
        if (PtInRect(Buttons[i].R, {X, Y})) {
            hot = i;
            break;
        }
    if (CaptureButton != -1 && hot != CaptureButton) hot = -1;
    if (hot == ActiveButton) return;
    if (ActiveButton != -1) {
        Buttons[ActiveButton].MouseIn = false;
        if (Buttons[ActiveButton].Down && TimerMode != 0) FTimer.Stop();
    }
    ActiveButton = hot;
    if (hot != -1) {
        Buttons[hot].MouseIn = true;
        if (Buttons[hot].Down && TimerMode != 0) FTimer.Start(50, [this] { RepeatTick(); });
    }
    update();
}

void TqvSkinCustomListBox::StepUp() {
    if (ItemIndex() >= 1) SetItemIndex(ItemIndex() - 1);
}

void TqvSkinCustomListBox::StepDown() {
    if (ItemIndex() < FListBox->Count() - 1) SetItemIndex(ItemIndex() + 1);
}

void TqvSkinCustomListBox::StartRepeat(int mode) {
    TimerMode = mode;
    WaitMode = true;
    FTimer.Start(500, [this] { RepeatTick(); });
}

void TqvSkinCustomListBox::RepeatTick() {
    Application()->Guard([this] {
        if (WaitMode) {
            WaitMode = false;
            FTimer.Start(100, [this] { RepeatTick(); });
            return;
        }
        if (TimerMode == 1) StepUp();
        else if (TimerMode == 2) StepDown();
    });
}

void TqvSkinCustomListBox::mousePressEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        const QPoint p = e->position().toPoint();
        TestActive(p.x(), p.y());
        if (ActiveButton == -1 || !CaptionButtonsActive()) return;
        CaptureButton = ActiveButton;
        Buttons[CaptureButton].MouseIn = Buttons[CaptureButton].Down = true;
        update();
        const TNotifyEvent* ev[3] = {&OnUpButtonClick, &OnDownButtonClick, &OnCheckButtonClick};
        if (*ev[CaptureButton]) return;
        if (CaptureButton < 2) StartRepeat(CaptureButton + 1);
    });
    TqvSkinCustomControl::mousePressEvent(e);
}

void TqvSkinCustomListBox::mouseMoveEvent(QMouseEvent* e) {
    TqvSkinCustomControl::mouseMoveEvent(e);
    Application()->Guard([&] { TestActive(int(e->position().x()), int(e->position().y())); });
}

void TqvSkinCustomListBox::mouseReleaseEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        if (CaptureButton == -1) return;
        const int i = std::exchange(CaptureButton, -1);
        Buttons[i].Down = false;
        if (ActiveButton != i) Buttons[i].MouseIn = false;
        update();
        const TNotifyEvent* ev[3] = {&OnUpButtonClick, &OnDownButtonClick, &OnCheckButtonClick};
        const bool over = PtInRect(Buttons[i].R, {int(e->position().x()), int(e->position().y())});
        if (over && *ev[i]) {
            (*ev[i])(this);
        } else if (!*ev[i] || !over) {
            // Acting on the release even off the button.
            if (i == 0) StepUp();
            else if (i == 1) StepDown();
            else FListBox->Click();
        }
        FTimer.Stop();
        TimerMode = 0;
    });
    TqvSkinCustomControl::mouseReleaseEvent(e);
}

void TqvSkinCustomListBox::MouseLeave() {
    TqvSkinCustomControl::MouseLeave();
    Buttons[0].MouseIn = Buttons[1].MouseIn = false;
    ActiveButton = -1;
    update();
}

// ---- hooks

void TqvSkinCustomListBox::ListBoxMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (OnListBoxMouseDown) OnListBoxMouseDown(this, Button, Shift, X, Y);
}

void TqvSkinCustomListBox::ListBoxMouseMove(Qt::KeyboardModifiers Shift, int X, int Y) {
    if (OnListBoxMouseMove) OnListBoxMouseMove(this, Shift, X, Y);
}

void TqvSkinCustomListBox::ListBoxMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (OnListBoxMouseUp) OnListBoxMouseUp(this, Button, Shift, X, Y);
}

void TqvSkinCustomListBox::ListBoxClick() {
    if (OnListBoxClick) OnListBoxClick(this);
}

void TqvSkinCustomListBox::ListBoxDblClick() {
    if (OnListBoxDblClick) OnListBoxDblClick(this);
}

void TqvSkinCustomListBox::ListBoxKeyDown(int& Key, Qt::KeyboardModifiers Shift) {
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, Key, Shift);
}

void TqvSkinCustomListBox::ListBoxKeyUp(int& Key, Qt::KeyboardModifiers Shift) {
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, Key, Shift);
}

void TqvSkinCustomListBox::ListBoxKeyPress(QChar& Key) {
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, Key);
}

// ---- the popup

TqvPopupListBox::TqvPopupListBox(QObject* AOwner)
    : TqvSkinCustomListBox(AOwner), FWindow(new TqvDropDownWindow(nullptr)) {
    setFocusPolicy(Qt::NoFocus);
    SetTabStop(false);
    FWindow->SetContent(this);
}

TqvPopupListBox::~TqvPopupListBox() {
    Reparenting([this] { QWidget::setParent(nullptr); });
    delete FWindow.data();
}

void TqvPopupListBox::Show(QWidget* Opener, TPoint Origin, const TqvPopupAlpha* Alpha) {
    if (FWindow) FWindow->Popup(Opener, Origin, Alpha);
}

void TqvPopupListBox::Hide() {
    if (FWindow) FWindow->CloseUp();
}
