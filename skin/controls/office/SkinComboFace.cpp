#include "skin/controls/office/SkinComboFace.h"

#include "platform/Application.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QMouseEvent>
#include <QResizeEvent>

namespace {

constexpr TColor kNavy = RGB(0, 0, 128);
constexpr TColor kDownFill = RGB(133, 147, 181);
constexpr TColor kHotFill = RGB(182, 189, 210);

void FrameAndFill(TCanvas& C, const TRect& R, TColor frame, TColor fill) {
    C.Brush().SetColor(fill);
    C.FillRect(R);
    C.Brush().SetColor(frame);
    C.FrameRect(R);
}

// The picture under R of B (the box's image built so far).
QImage Under(const QImage& B, const TRect& R, int h) {
    QImage p = NewSkinImage(std::max(R.Width(), 1), std::max(h, 1));
    BitBlt(p, -R.Left, -R.Top, B.width(), B.height(), B, 0, 0);
    return p;
}

}  // namespace

TqvSkinComboFace::TqvSkinComboFace(QObject* AOwner) : TqvSkinCustomControl(AOwner) {}

void TqvSkinComboFace::SetUseSkinSize(bool v) {
    if (v == FUseSkinSize) return;
    FUseSkinSize = v;
    ChangeSkinData();
}

void TqvSkinComboFace::GetSkinData() {
    TqvSkinCustomControl::GetSkinData();
    const auto* r = dynamic_cast<const TqvDataSkinComboBox*>(Record());
    if (!r) return;
    ActiveSkinRect = r->ActiveSkinRect;
    ActiveFontColor = r->ActiveFontColor;
    FontName = r->FontName;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    SItemRect = r->SItemRect;
    FocusItemRect = IsNullRect(r->FocusItemRect) ? r->SItemRect : r->FocusItemRect;
    ActiveItemRect = r->ActiveItemRect;
    ItemLeftOffset = r->ItemLeftOffset;
    ItemRightOffset = r->ItemRightOffset;
    ItemTextRect = r->ItemTextRect;
    FontColor = r->FontColor;
    FocusFontColor = r->FocusFontColor;
    ButtonRect = r->ButtonRect;
    ActiveButtonRect = r->ActiveButtonRect;
    DownButtonRect = r->DownButtonRect;
    UnEnabledButtonRect = r->UnEnabledButtonRect;
    ListBoxName = r->ListBoxName;
    ItemStretchEffect = r->ItemStretchEffect;
    FocusItemStretchEffect = r->FocusItemStretchEffect;
    ShowFocus = r->ShowFocus;
}

void TqvSkinComboFace::AdjustSkinSize(int& AWidth, int& AHeight) {
    if (FUseSkinSize) {
        TqvSkinCustomControl::AdjustSkinSize(AWidth, AHeight);
        return;
    }
    const int dW = AWidth - G.SkinRect.Width();
    G.NewLTPoint = G.LTPt;
    G.NewRTPoint = {G.RTPt.X + dW, G.RTPt.Y};
    G.NewClRect = G.ClRect;
    G.NewClRect.Right += dW;
}

void TqvSkinComboFace::UpdateSkinRegion() {
    if (FUseSkinSize) TqvSkinCustomControl::UpdateSkinRegion();
    else clearMask();
}

void TqvSkinComboFace::resizeEvent(QResizeEvent* e) {
    TqvSkinCustomControl::resizeEvent(e);
    Application()->Guard([this] { CalcFaceLayout(); });
}

void TqvSkinComboFace::CalcFaceLayout() {
    const int W = Width(), H = Height();
    if (SkinIndex() == -1 || FToolButtonStyle) {
        Button.R = Rect(W - 19, 2, W - 2, H - 2);
        CBItem.R = Rect(2, 2, Button.R.Left - 1, H - 2);
        return;
    }
    const int dW = W - G.SkinRect.Width(), dH = H - G.SkinRect.Height();
    Button.R = ButtonRect;
    // A button in the skin's right part moves with the right edge.
    if (ButtonRect.Left >= G.RTPt.X) OffsetRect(Button.R, dW, 0);
    CBItem.R = G.ClRect;
    CBItem.R.Right += dW;
    if (!FUseSkinSize) {
        CBItem.R.Bottom += dH;
        Button.R.Bottom += dH;
    }
}

int TqvSkinComboFace::ShownIndex() const {
    const int i = FaceListVisible() ? FOldItemIndex : FaceListItemIndex();
    return (i < 0 || i >= FaceItemCount()) ? -1 : i;
}

bool TqvSkinComboFace::ActiveState() const {
    return !IsNullRect(ActiveSkinRect) && (FMouseIn || hasFocus() || InnerEditFocused());
}

int TqvSkinComboFace::TextCharset() {
    if (SkinData() && SkinData()->ResourceStrData()) return SkinData()->ResourceStrData()->CharSet();
    return DefaultFont().Charset();
}

TColor TqvSkinComboFace::DisabledColor() const {
    TqvSkinData* sd = SkinData();
    if (!sd || SkinIndex() == -1) return clGrayText;
    const int i = sd->GetControlIndex(QStringLiteral("edit"));
    const auto* e = i >= 0 ? dynamic_cast<const TqvDataSkinEditControl*>(sd->CtrlList[std::size_t(i)].get()) : nullptr;
    return e ? e->DisabledFontColor : clGrayText;
}

const TqvDataSkinButtonControl* TqvSkinComboFace::NamedButtonRecord(std::initializer_list<const char*> Names) const {
    TqvSkinData* sd = SkinData();
    if (!sd) return nullptr;
    for (const char* n : Names) {
        const int i = sd->GetControlIndex(QLatin1String(n));
        if (i < 0) continue;
        if (const auto* r = dynamic_cast<const TqvDataSkinButtonControl*>(sd->CtrlList[std::size_t(i)].get()))
            return r;
    }
    return nullptr;
}

void TqvSkinComboFace::DrawContent(TCanvas& C, QImage& B, TRect T, int Index, TFacePainter Painter) {
    FLastTextRect = T;
    DrawItemContent(C, B, T, Index, Painter);
}

// ---- looks

void TqvSkinComboFace::CreateControlDefaultImage(QImage& B) {
    CalcFaceLayout();
    if (FToolButtonStyle) {
        DrawSkinlessToolButton(B);
        return;
    }
    TCanvas c(&B);
    const TRect R = Rect(0, 0, B.width(), B.height());
    FrameAndFill(c, R, clBtnShadow, clBtnFace);
    c.Brush().SetColor(FDefaultColor);
    c.FillRect(Rect(1, 1, R.Right - 1, R.Bottom - 1));
    DrawSkinlessButton(B);
    if (OfficeFace() || !HasInnerEdit()) DrawSkinlessItem(B);
}

void TqvSkinComboFace::CreateControlSkinImage(QImage& B) {
    CalcFaceLayout();
    if (FToolButtonStyle) {
        DrawSkinToolButton(B);
        return;
    }
    const int W = B.width(), H = B.height();
    if (!FUseSkinSize) {
        ResizeSkinImage(B, G.Picture, ActiveState() ? ActiveSkinRect : G.SkinRect, G.ClRect, true);
    } else if (ActiveState()) {
        MakeHorzSkinImage(G.LTPt.X, ActiveSkinRect.Width() - G.RTPt.X, B, G.Picture, ActiveSkinRect, W, H,
                          G.StretchEffect);
    } else {
        TqvSkinCustomControl::CreateControlSkinImage(B);
    }
    if (FUseSkinSize) DrawSkinButton(B);
    else DrawComposedButton(B);
    if (OfficeFace() || !HasInnerEdit()) {
        if (FUseSkinSize) DrawThreeSliceItem(B);
        else DrawNineSliceItem(B);
    }
}

// ---- buttons

void TqvSkinComboFace::DrawSkinlessButton(QImage& B) {
    TCanvas c(&B);
    const TRect R = Button.R;
    if (Button.Down && Button.MouseIn) FrameAndFill(c, R, kNavy, kDownFill);
    else if (Button.MouseIn) FrameAndFill(c, R, kNavy, kHotFill);
    else FrameAndFill(c, R, clBtnShadow, clBtnFace);
    DrawArrowImage(c, R, Enabled() ? clBlack : clBtnShadow, 4);
}

void TqvSkinComboFace::DrawSkinButton(QImage& B) {
    TRect P{};
    if (!Enabled() && !IsNullRect(UnEnabledButtonRect)) P = UnEnabledButtonRect;
    else if (Button.Down && Button.MouseIn) P = DownButtonRect;
    else if (Button.MouseIn) P = ActiveButtonRect;
    if (IsNullRect(P) || G.Picture.isNull() || IsNullRect(Button.R)) return;
    StretchBlt(B, Button.R, G.Picture, P);
}

void TqvSkinComboFace::DrawComposedButton(QImage& B) {
    const TqvDataSkinButtonControl* r = NamedButtonRecord({"combobutton", "editbutton", "resizebutton"});
    if (!r || IsNullRect(Button.R) || !SkinData()) return;
    const int w = Button.R.Width(), h = Button.R.Height();
    QImage bmp = NewSkinImage(w, h);
    const int dW = w - r->SkinRect.Width(), dH = h - r->SkinRect.Height();
    const bool pressed = Button.Down && Button.MouseIn, hot = Button.MouseIn;
    TRect S = r->SkinRect;
    TColor text = r->FontColor;
    if (pressed) {
        S = !IsNullRect(r->DownSkinRect) ? r->DownSkinRect : !IsNullRect(r->ActiveSkinRect) ? r->ActiveSkinRect : r->SkinRect;
        text = r->DownFontColor;
    } else if (hot) {
        S = !IsNullRect(r->ActiveSkinRect) ? r->ActiveSkinRect : r->SkinRect;
        text = r->ActiveFontColor;
    }
    TRect cl = r->ClRect;
    cl.Right += dW;
    cl.Bottom += dH;
    ComposeSkinImage(r->LTPoint, r->RTPoint, r->LBPoint, r->RBPoint, r->ClRect, r->LTPoint,
                     {r->RTPoint.X + dW, r->RTPoint.Y}, {r->LBPoint.X, r->LBPoint.Y + dH},
                     {r->RBPoint.X + dW, r->RBPoint.Y + dH}, cl, bmp, SkinActivePicture(*SkinData(), r->PictureIndex),
                     S, w, h, true, r->LeftStretch, r->TopStretch, r->RightStretch, r->BottomStretch, r->StretchEffect,
                     r->StretchType);
    if (IsNullRect(r->MenuMarkerRect)) {
        if (Enabled()) {
            TCanvas c(&bmp);
            DrawArrowImage(c, Rect(0, pressed ? 2 : 0, w, h), text, 4);
        }
    } else {
        TRect m = r->MenuMarkerRect;
        if (pressed && !IsNullRect(r->MenuMarkerDownRect)) m = r->MenuMarkerDownRect;
        else if (hot && !IsNullRect(r->MenuMarkerActiveRect)) m = r->MenuMarkerActiveRect;
        DrawMarker(bmp, m, r->MenuMarkerTransparentColor, Rect(0, 0, w, h), pressed ? 1 : 0);
    }
    BitBlt(B, Button.R.Left, Button.R.Top, w, h, bmp, 0, 0);
}

void TqvSkinComboFace::PressAt(QPoint p, Qt::MouseButton b, bool ItemOpens) {
    if (b != Qt::LeftButton) return;
    if (PtInRect(Button.R, {p.x(), p.y()})) Button.MouseIn = true;
    const bool onButton = Button.MouseIn || (ItemOpens && PtInRect(CBItem.R, {p.x(), p.y()})) || FToolButtonStyle;
    if (onButton) {
        Button.Down = true;
        update();
        if (FaceListVisible()) CloseList();
        else {
            WasInLB = false;
            FLBDown = true;
            OpenList();
        }
    } else if (FaceListVisible()) {
        CloseList();
    }
}

void TqvSkinComboFace::DrawMarker(QImage& B, const TRect& Piece, TColor Transparent, TRect R, int Down) {
    if (IsNullRect(Piece) || G.Picture.isNull()) return;
    const int x = R.Left + R.Width() / 2 - Piece.Width() / 2;
    const int y = R.Top + R.Height() / 2 - Piece.Height() / 2 + Down;
    TransparentBlt(B, Bounds(x, y, Piece.Width(), Piece.Height()), G.Picture, Piece, Transparent);
}

// ---- items

void TqvSkinComboFace::DrawSkinlessItem(QImage& B) {
    if (CBItem.R.Width() <= 0 || CBItem.R.Height() <= 0) return;
    QImage bmp = NewSkinImage(CBItem.R.Width(), CBItem.R.Height());
    const TRect R = Rect(0, 0, bmp.width(), bmp.height());
    TCanvas c(&bmp);
    c.Font().SetName(Font().Name());
    c.Font().SetStyle(Font().Style());
    c.Font().SetHeight(Font().Height());
    c.Font().SetCharset(TextCharset());
    const bool focused = hasFocus();
    c.Brush().SetColor(focused ? clHighlight : FDefaultColor);
    c.Font().SetColor(focused ? clHighlightText : DefaultFont().Color());
    c.FillRect(R);
    CBItem.Focused = focused;
    const int i = ShownIndex();
    if (i >= 0) DrawContent(c, bmp, Rect(R.Left + 2, R.Top, R.Right - 2, R.Bottom), i, fpSkinless);
    if (focused) {
        if (OfficeFace()) c.DrawFocusRect(R);
        else DrawDottedFocusRect(c, R);
    }
    BitBlt(B, CBItem.R.Left, CBItem.R.Top, bmp.width(), bmp.height(), bmp, 0, 0);
}

void TqvSkinComboFace::DrawNineSliceItem(QImage& B) {
    if (CBItem.R.Width() <= 0 || CBItem.R.Height() <= 0) return;
    const int w = CBItem.R.Width(), h = CBItem.R.Height();
    QImage bmp = NewSkinImage(w, h);
    const bool focused = hasFocus();
    const bool hot = FMouseIn && !IsNullRect(ActiveSkinRect);
    auto fitted = [&](TRect T0, const TRect& piece) {
        const int dw = SItemRect.Width() - piece.Width(), dh = SItemRect.Height() - piece.Height();
        if (dw > 0) T0.Right -= dw;
        if (dh > 0) T0.Bottom -= dh;
        return T0;
    };
    if (focused) {
        if (IsNullRect(FocusItemRect)) bmp = Under(B, CBItem.R, h);
        else {
            TRect T0 = ItemTextRect;
            InflateRect(T0, -1, -1);
            ResizeSkinImage(bmp, G.Picture, FocusItemRect, fitted(T0, FocusItemRect), true);
        }
    } else if (!IsNullRect(ActiveItemRect) && hot) {
        ResizeSkinImage(bmp, G.Picture, ActiveItemRect, fitted(ItemTextRect, ActiveItemRect), true);
    } else if (IsNullRect(SItemRect)) {
        bmp = Under(B, CBItem.R, h);
    } else {
        ResizeSkinImage(bmp, G.Picture, SItemRect, ItemTextRect, true);
    }
    TRect T = ItemTextRect;
    T.Right += w - (IsNullRect(SItemRect) ? G.ClRect.Width() : SItemRect.Width());
    T.Bottom += Height() - G.SkinRect.Height();
    TCanvas c(&bmp);
    if (UseSkinFont()) {
        c.Font().SetName(FontName);
        c.Font().SetStyle(FontStyle);
        c.Font().SetHeight(FontHeight);
    } else {
        c.SetFont(DefaultFont());
    }
    c.Font().SetCharset(TextCharset());
    c.Font().SetColor(focused ? FocusFontColor : hot ? ActiveFontColor : FontColor);
    // A disabled box greys its text at any size, as at the skin's size.
    if (!Enabled()) c.Font().SetColor(DisabledColor());
    c.Brush().SetStyle(bsClear);
    if (focused && ShowFocus) {
        if (OfficeFace()) c.DrawFocusRect(Rect(0, 0, w, h));
        else if (!HasItemDrawEvent()) DrawDottedFocusRect(c, Rect(0, 0, w, h));
    }
    if (OfficeFace()) T.Left += 1;
    const int i = ShownIndex();
    if (i >= 0) DrawContent(c, bmp, T, i, fpNineSlice);
    BitBlt(B, CBItem.R.Left, CBItem.R.Top, w, h, bmp, 0, 0);
}

void TqvSkinComboFace::DrawThreeSliceItem(QImage& B) {
    if (CBItem.R.Width() <= 0 || CBItem.R.Height() <= 0) return;
    const int w = CBItem.R.Width();
    const int h = !IsNullRect(SItemRect) ? SItemRect.Height() : !IsNullRect(FocusItemRect) ? FocusItemRect.Height()
                                                                                          : CBItem.R.Height();
    const bool focused = hasFocus();
    const bool hot = FMouseIn && !IsNullRect(ActiveSkinRect);
    QImage bmp;
    auto piece = [&](const TRect& P, bool stretch) {
        bmp = NewSkinImage(w, P.Height());
        MakeHorzSkinImage(ItemLeftOffset, ItemRightOffset, bmp, G.Picture, P, w, P.Height(), stretch);
    };
    if (focused) {
        if (IsNullRect(FocusItemRect)) bmp = Under(B, CBItem.R, h);
        else piece(FocusItemRect, FocusItemStretchEffect);
    } else if (hot && !IsNullRect(ActiveItemRect)) {
        piece(ActiveItemRect, ItemStretchEffect);
    } else if (IsNullRect(SItemRect)) {
        bmp = Under(B, CBItem.R, h);
    } else {
        piece(SItemRect, ItemStretchEffect);
    }
    if (bmp.isNull() || bmp.width() <= 0 || bmp.height() <= 0) return;
    TRect T = ItemTextRect;
    T.Right += w - (IsNullRect(SItemRect) ? G.ClRect.Width() : SItemRect.Width());
    TCanvas c(&bmp);
    if (UseSkinFont()) {
        c.Font().SetName(FontName);
        c.Font().SetStyle(FontStyle);
        c.Font().SetHeight(FontHeight);
    } else {
        c.SetFont(DefaultFont());
    }
    c.Font().SetCharset(TextCharset());
    c.Font().SetColor(focused ? FocusFontColor : hot ? ActiveFontColor : FontColor);
    if (!Enabled()) c.Font().SetColor(DisabledColor());
    c.Brush().SetStyle(bsClear);
    if (!OfficeFace() && focused && ShowFocus && !HasItemDrawEvent())
        DrawDottedFocusRect(c, Rect(0, 0, bmp.width(), bmp.height()));
    const int i = ShownIndex();
    if (i >= 0) DrawContent(c, bmp, T, i, fpThreeSlice);
    BitBlt(B, CBItem.R.Left, CBItem.R.Top, bmp.width(), bmp.height(), bmp, 0, 0);
}

// ---- tool-button looks

void TqvSkinComboFace::DrawSkinlessToolButton(QImage& B) {
    const int W = B.width(), H = B.height();
    TCanvas c(&B);
    const TRect R = Rect(0, 0, W, H);
    if (FDropDown) FrameAndFill(c, R, kNavy, kDownFill);
    else if (FMouseIn || hasFocus()) FrameAndFill(c, R, kNavy, kHotFill);
    else FrameAndFill(c, R, clBtnShadow, clBtnFace);
    const int d = FDropDown ? 2 : 0;
    const TRect T = Rect(2 + d, 2 + d, W - 17, H - 2);
    c.SetFont(DefaultFont());
    c.Brush().SetStyle(bsClear);
    const int i = ShownIndex();
    if (i >= 0) DrawContent(c, B, T, i, fpToolButton);
    DrawSmallArrowMark(c, Rect(W - 15 + d, d, W + d, H + d), c.Font().Color());
}

void TqvSkinComboFace::DrawSkinToolButton(QImage& B) {
    GetSkinData();
    if (SkinIndex() == -1 || !SkinData()) return;
    const TqvDataSkinButtonControl* r = NamedButtonRecord({"resizetoolbutton", "resizebutton"});
    if (!r) return;
    const int W = B.width(), H = B.height();
    const bool over = FMouseIn || hasFocus();
    TRect S = FDropDown ? r->DownSkinRect : over ? r->ActiveSkinRect : r->SkinRect;
    if (IsNullRect(S)) S = r->SkinRect;
    const int dW = W - r->SkinRect.Width(), dH = H - r->SkinRect.Height();
    TRect cl = r->ClRect;
    cl.Right += dW;
    cl.Bottom += dH;
    ComposeSkinImage(r->LTPoint, r->RTPoint, r->LBPoint, r->RBPoint, r->ClRect, r->LTPoint,
                     {r->RTPoint.X + dW, r->RTPoint.Y}, {r->LBPoint.X, r->LBPoint.Y + dH},
                     {r->RBPoint.X + dW, r->RBPoint.Y + dH}, cl, B, SkinActivePicture(*SkinData(), r->PictureIndex), S,
                     W, H, true, r->LeftStretch, r->TopStretch, r->RightStretch, r->BottomStretch, r->StretchEffect,
                     r->StretchType);
    const int d = FDropDown ? 2 : 0;
    const TRect T = Rect(2 + d, 2 + d, W - 17, H - 2);
    TCanvas c(&B);
    if (UseSkinFont()) {
        c.Font().SetName(r->FontName);
        c.Font().SetStyle(r->FontStyle);
        c.Font().SetHeight(r->FontHeight);
    } else {
        c.SetFont(DefaultFont());
    }
    c.Font().SetCharset(TextCharset());
    c.Font().SetColor(FDropDown ? r->DownFontColor : over ? r->ActiveFontColor : Enabled() ? r->FontColor
                                                                                        : r->DisabledFontColor);
    c.Brush().SetStyle(bsClear);
    const int i = ShownIndex();
    if (i >= 0) DrawContent(c, B, T, i, fpToolButton);
    const TRect M = Rect(W - 15 + d, d, W + d, H + d);
    if (!IsNullRect(r->MenuMarkerRect)) {
        TRect m = r->MenuMarkerRect;
        if (FDropDown && !IsNullRect(r->MenuMarkerDownRect)) m = r->MenuMarkerDownRect;
        else if (FDropDown && !IsNullRect(r->MenuMarkerActiveRect)) m = r->MenuMarkerActiveRect;
        else if (FMouseIn && !IsNullRect(r->MenuMarkerActiveRect)) m = r->MenuMarkerActiveRect;
        DrawMarker(B, m, r->MenuMarkerTransparentColor, M, 0);
    } else {
        DrawSmallArrowMark(c, M, FDropDown ? r->DownFontColor : c.Font().Color());
    }
}

bool TqvSkinComboFace::ListCaptureEvent(QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton) {
            FLBDown = true;
            WasInLB = true;
            // The row under the press is marked even when no move reached the
            // list first (the pointer may come from a window over it).
            const QPoint global = m->globalPosition().toPoint();
            Application()->Guard([&] { MoveAt(mapFromGlobal(global), global); });
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton && FLBDown) {
            // The release commits the row under it, as a move there would mark it.
            const QPoint global = m->globalPosition().toPoint();
            Application()->Guard([&] {
                MoveAt(mapFromGlobal(global), global);
                ReleaseAt(global);
            });
        }
        return true;
    }
    case QEvent::MouseMove: {
        if (!FLBDown) return false;
        const QPoint global = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        Application()->Guard([&] { MoveAt(mapFromGlobal(global), global); });
        return true;
    }
    default: return false;
    }
}
