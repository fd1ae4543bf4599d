#include "skin/controls/edits/SkinEdit.h"

#include "platform/Application.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/model/ResourceStrings.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/SkinTypes.h"
#include "skin/model/draw/SkinCompose.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {
bool Empty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }
bool Inside(const TRect& r, QPoint p) { return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom; }
TRect Offset(const TRect& r, int dx, int dy) { return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }
}  // namespace

TqvSkinCustomEdit::TqvSkinCustomEdit(QObject* AOwner) : TqvCustomEdit(AOwner) {
    FDefaultFont.Assign(Font());
    FDefaultFont.OnChange = [this] {
        if (!Skinned() || !FUseSkinFont) Font().Assign(FDefaultFont);
    };
    Widget()->setMouseTracking(true);
    SetEditTransparent(true);
    CalcRects();
    UpdateMargins();
}

// ---- record ----

void TqvSkinCustomEdit::SetSkinData(TqvSkinData* Value) {
    FSD = Value;
    ChangeSkinData();
}

void TqvSkinCustomEdit::GetSkinData() {
    FIndex = !FSD || FSD->Empty ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) return;
    const auto* r = dynamic_cast<const TqvDataSkinEditControl*>(FSD->CtrlList[std::size_t(FIndex)].get());
    if (!r) {
        // Another kind of record: its rectangles mean nothing here and an
        // earlier skin's picture must not show; the frame is drawn plainly.
        Picture = QImage();
        return;
    }
    const int pi = r->PictureIndex;
    Picture = pi >= 0 && pi < int(FSD->FActivePictures.size()) ? FSD->FActivePictures[std::size_t(pi)] : QImage();
    SkinRect = r->SkinRect;
    ActiveSkinRect = Empty(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
    LTPt = r->LTPoint;
    RTPt = r->RTPoint;
    LBPt = r->LBPoint;
    RBPt = r->RBPoint;
    LOffset = r->LTPoint.X;
    ROffset = r->SkinRect.Width() - r->RTPoint.X;
    ClRect = r->ClRect;
    FontName = r->FontName;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    FontColor = r->FontColor;
    DisabledFontColor = r->DisabledFontColor;
    ActiveFontColor = r->ActiveFontColor;
    SkinButtonRect = r->ButtonRect;
    ActiveButtonRect = r->ActiveButtonRect;
    DownButtonRect = Empty(r->DownButtonRect) ? r->ActiveButtonRect : r->DownButtonRect;
    UnEnabledButtonRect = r->UnEnabledButtonRect;
    StretchEffect = r->StretchEffect;
}

void TqvSkinCustomEdit::ChangeSkinData() {
    FInSkinChange = true;
    GetSkinData();
    if (!Skinned()) {
        Font().Assign(FDefaultFont);
        if (FDefaultWidth > 0) TControl::SetBounds(Left(), Top(), FDefaultWidth, Height());
        if (FDefaultHeight > 0) TControl::SetBounds(Left(), Top(), Width(), FDefaultHeight);
    } else if (FUseSkinFont) {
        TFont f(FDefaultFont);
        f.SetName(FontName);
        f.SetStyle(FontStyle);
        f.SetHeight(FontHeight);
        Font().Assign(f);
        TControl::SetBounds(Left(), CentredTop(this, Top(), SkinRect.Height()), Width(), SkinRect.Height());
    } else {
        Font().Assign(FDefaultFont);
    }
    if (!FUseSkinFont) TControl::SetBounds(Left(), CentredTop(this, Top(), FontHeightWithFrame()), Width(), FontHeightWithFrame());
    FInSkinChange = false;
    CalcRects();
    UpdateMargins();
    UpdateTextColour();
    update();
}

// ---- geometry ----

int TqvSkinCustomEdit::FontHeightWithFrame() {
    GetSkinData();
    const int h = QFontMetrics(Font().ToQFont()).height();
    return Skinned() ? h + SkinRect.Height() - ClRect.Height() : h + 4;
}

void TqvSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    const bool same = AWidth == Width() && AHeight == Height();
    if (!same && !FInSkinChange && !(!Skinned() && FUseSkinFont))
        AHeight = FUseSkinFont ? SkinRect.Height() : FontHeightWithFrame();
    ATop = CentredTop(this, ATop, AHeight);
    TqvCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcRects();
    UpdateMargins();
    update();
}

void TqvSkinCustomEdit::CalcRects() {
    const int W = Width(), H = Height();
    if (!Skinned()) {
        FButtonRect = Rect(W - H, 0, W, H);
        FEditRect = Rect(2, 2, FButtonMode ? FButtonRect.Left - 2 : W - 2, H - 2);
    } else {
        const int SW = SkinRect.Width(), SH = SkinRect.Height();
        FEditRect = ClRect;
        FEditRect.Right += W - SW;
        if (!FUseSkinFont) FEditRect.Bottom += H - SH;
        FButtonRect = SkinButtonRect;
        if (FButtonRect.Left >= SW - ROffset) FButtonRect = Offset(FButtonRect, W - SW, 0);
        if (!FUseSkinFont) FButtonRect.Bottom += H - SH;
    }
    // Image buttons inside the text area.
    TRect R = FEditRect;
    const bool imgs = FImages != nullptr;
    const int iw = imgs ? FImages->Width() : 0;
    if (imgs && FLeftImageIndex >= 0) {
        FLeft.R = Rect(R.Left, R.Top, R.Left + iw, R.Bottom);
        R.Left += iw + 2;
    } else {
        FLeft.R = {};
    }
    if (imgs && FRightImageIndex >= 0) {
        FRight.R = Rect(R.Right - iw, R.Top, R.Right, R.Bottom);
        R.Right -= iw + 2;
    } else {
        FRight.R = {};
    }
}

void TqvSkinCustomEdit::UpdateMargins() {
    TRect R = FEditRect;
    if (!Empty(FLeft.R)) R.Left = FLeft.R.Right + 2;
    if (!Empty(FRight.R)) R.Right = FRight.R.Left - 2;
    Widget()->setTextMargins(std::max(0, R.Left), std::max(0, R.Top), std::max(0, Width() - R.Right),
                             std::max(0, Height() - R.Bottom));
}

void TqvSkinCustomEdit::resizeEvent(QResizeEvent* e) {
    TqvCustomEdit::resizeEvent(e);
    CalcRects();
    UpdateMargins();
}

// ---- colours and font ----

bool TqvSkinCustomEdit::HotLook() const { return FMouseIn || Focused(); }

void TqvSkinCustomEdit::UpdateTextColour() {
    TColor c;
    if (!Enabled()) c = !Skinned() ? clGrayText : DisabledFontColor;
    else if (!Skinned()) c = FDefaultFont.Color();
    else c = HotLook() ? ActiveFontColor : FontColor;
    FTextColor = c;
    QPalette p = Widget()->palette();
    if (p.color(QPalette::Active, QPalette::Text) == ColorToQColor(c) &&
        p.color(QPalette::Disabled, QPalette::Text) == QColor(Qt::transparent))
        return;
    p.setColor(QPalette::Active, QPalette::Text, ColorToQColor(c));
    p.setColor(QPalette::Inactive, QPalette::Text, ColorToQColor(c));
    // The control paints a disabled text itself, where the alignment puts it.
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(Qt::transparent));
    Widget()->setPalette(p);
}

void TqvSkinCustomEdit::FontChanged() {
    TqvCustomEdit::FontChanged();
    Widget()->setFont(Font().ToQFont());
    if (!FUseSkinFont && !FInSkinChange) TControl::SetBounds(Left(), Top(), Width(), FontHeightWithFrame());
}

void TqvSkinCustomEdit::SetDefaultColor(TColor v) {
    FDefaultColor = v;
    if (!Skinned()) update();
}

void TqvSkinCustomEdit::SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); }

void TqvSkinCustomEdit::SetDefaultWidth(int v) {
    FDefaultWidth = v;
    if (!Skinned() && v > 0) SetBounds(Left(), Top(), v, Height());
}

void TqvSkinCustomEdit::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    GetSkinData();
    const int h = !Skinned() && v > 0 && FUseSkinFont ? v : FontHeightWithFrame();
    TControl::SetBounds(Left(), Top(), Width(), h);
    CalcRects();
    UpdateMargins();
}

void TqvSkinCustomEdit::SetAlignment(TAlignment v) {
    FAlignment = v;
    Widget()->setAlignment(v == taRightJustify ? Qt::AlignRight : v == taCenter ? Qt::AlignHCenter : Qt::AlignLeft);
    update();
}

void TqvSkinCustomEdit::SetButtonMode(bool v) {
    FButtonMode = v;
    CalcRects();
    UpdateMargins();
    update();
}

void TqvSkinCustomEdit::SetImages(TCustomImageList* v) {
    FImages = v;
    CalcRects();
    UpdateMargins();
    update();
}

void TqvSkinCustomEdit::SetLeftImageIndex(int v) {
    FLeftImageIndex = v;
    CalcRects();
    UpdateMargins();
    update();
}

void TqvSkinCustomEdit::SetRightImageIndex(int v) {
    FRightImageIndex = v;
    CalcRects();
    UpdateMargins();
    update();
}

void TqvSkinCustomEdit::EnabledChanged() {
    TqvCustomEdit::EnabledChanged();
    UpdateTextColour();
    update();
}

// ---- painting ----

void TqvSkinCustomEdit::PaintFrameA(QImage& B) {
    const int W = B.width(), H = B.height();
    TCanvas C(&B);
    if (!HasPicture()) {
        const int bw = FButtonMode ? FButtonRect.Width() : 0;
        const TRect r = Rect(0, 0, W - bw, H);
        C.Brush().SetColor(clBtnShadow);
        C.FrameRect(r);
        C.Brush().SetColor(clBtnFace);
        C.FrameRect(Rect(1, 1, r.Right - 1, H - 1));
        C.Brush().SetColor(FDefaultColor);
        C.FillRect(Rect(2, 2, r.Right - 2, H - 2));
        if (FButtonMode) {
            TColor frame = clBtnShadow, fill = clBtnFace;
            if (FButtonDown && FButtonActive) frame = clNavy, fill = RGB(0x85, 0x92, 0xB5);
            else if (FButtonActive) frame = clNavy, fill = RGB(0xB6, 0xBD, 0xD2);
            C.Brush().SetColor(fill);
            C.FillRect(FButtonRect);
            C.Brush().SetColor(frame);
            C.FrameRect(FButtonRect);
        }
        return;
    }
    QImage strip;
    MakeHorzSkinImage(LOffset, ROffset, strip, Picture, HotLook() ? ActiveSkinRect : SkinRect, W, H, StretchEffect);
    C.Draw(0, 0, strip);
    if (FButtonMode) {
        TRect src{};
        if (!Enabled() && !Empty(UnEnabledButtonRect)) src = UnEnabledButtonRect;
        else if (FButtonDown && FButtonActive) src = DownButtonRect;
        else if (FButtonActive) src = ActiveButtonRect;
        if (!Empty(src)) BitBlt(B, FButtonRect.Left, FButtonRect.Top, src.Width(), src.Height(), Picture, src.Left, src.Top);
    }
}

void TqvSkinCustomEdit::PaintFrameB(QImage& B) {
    const TRect src = HotLook() ? ActiveSkinRect : SkinRect;
    ResizeSkinImage(B, Picture, src, ClRect, true);
    if (!FButtonMode || Empty(FButtonRect)) return;
    int bi = FSD->GetControlIndex(QStringLiteral("editbutton"));
    if (bi == -1) bi = FSD->GetControlIndex(QStringLiteral("resizebutton"));
    if (bi == -1) return;
    const auto* b = dynamic_cast<const TqvDataSkinButtonControl*>(FSD->CtrlList[std::size_t(bi)].get());
    if (!b || b->PictureIndex < 0 || b->PictureIndex >= int(FSD->FActivePictures.size())) return;
    const QImage& pic = FSD->FActivePictures[std::size_t(b->PictureIndex)];
    const TRect active = Empty(b->ActiveSkinRect) ? b->SkinRect : b->ActiveSkinRect;
    const TRect down = Empty(b->DownSkinRect) ? active : b->DownSkinRect;
    const TRect r = FButtonDown && FButtonActive ? down : FButtonActive ? active : b->SkinRect;
    const int bw = FButtonRect.Width(), bh = FButtonRect.Height();
    const int dx = bw - b->SkinRect.Width(), dy = bh - b->SkinRect.Height();
    auto mv = [](TPoint p, int x, int y) { return TPoint{p.X + x, p.Y + y}; };
    TRect ncl = b->ClRect;
    ncl.Right += dx;
    ncl.Bottom += dy;
    QImage img;
    ComposeSkinImage(b->LTPoint, b->RTPoint, b->LBPoint, b->RBPoint, b->ClRect, b->LTPoint, mv(b->RTPoint, dx, 0),
                     mv(b->LBPoint, 0, dy), mv(b->RBPoint, dx, dy), ncl, img, pic, r, bw, bh, true, b->LeftStretch,
                     b->TopStretch, b->RightStretch, b->BottomStretch, b->StretchEffect, b->StretchType);
    BitBlt(B, FButtonRect.Left, FButtonRect.Top, bw, bh, img, 0, 0);
}

void TqvSkinCustomEdit::PaintClient(QImage& B) {
    if (Empty(FEditRect)) return;
    TCanvas C(&B);
    if (!HasPicture()) {
        C.Brush().SetColor(FDefaultColor);
        C.FillRect(FEditRect);
        return;
    }
    const TRect base = HotLook() ? ActiveSkinRect : SkinRect;
    const TRect src = Rect(base.Left + ClRect.Left, base.Top + ClRect.Top, base.Left + ClRect.Right, base.Top + ClRect.Bottom);
    const int SW = SkinRect.Width();
    QImage strip;
    MakeHorzSkinImage(std::max(0, LOffset - ClRect.Left), std::max(0, ClRect.Right + ROffset - SW), strip, Picture,
                      src, FEditRect.Width(), src.Height(), StretchEffect);
    if (FUseSkinFont) BitBlt(B, FEditRect.Left, FEditRect.Top, strip.width(), std::min(strip.height(), FEditRect.Height()), strip, 0, 0);
    else StretchBlt(B, FEditRect, strip, Rect(0, 0, strip.width(), strip.height()));
}

void TqvSkinCustomEdit::PaintImageButtons(TCanvas& C) {
    if (!FImages) return;
    auto draw = [&](const TqvCBButtonX& b, int normal, int hot, int down) {
        if (Empty(b.R) || normal < 0 || normal >= FImages->Count()) return;
        int i = normal;
        if (b.Down && b.MouseIn && down >= 0 && down < FImages->Count()) i = down;
        else if (b.MouseIn && hot >= 0 && hot < FImages->Count()) i = hot;
        const int y = std::max(b.R.Top, b.R.Top + b.R.Height() / 2 - FImages->Height() / 2);
        FImages->Draw(C, b.R.Left, y, i, Enabled());
    };
    draw(FLeft, FLeftImageIndex, FLeftImageHotIndex, FLeftImageDownIndex);
    draw(FRight, FRightImageIndex, FRightImageHotIndex, FRightImageDownIndex);
}

void TqvSkinCustomEdit::PaintDisabledText(QImage& B) {
    if (Enabled() || Text().isEmpty()) return;
    TRect R = FEditRect;
    if (!Empty(FLeft.R)) R.Left = FLeft.R.Right + 2;
    if (!Empty(FRight.R)) R.Right = FRight.R.Left - 2;
    QImage clip(std::max(1, R.Width()), std::max(1, R.Height()), QImage::Format_RGB32);
    BitBlt(clip, 0, 0, clip.width(), clip.height(), B, R.Left, R.Top);
    TCanvas C(&clip);
    C.Font().Assign(Font());
    C.Font().SetColor(FTextColor);
    C.Brush().SetStyle(bsClear);
    const QString s = Widget()->displayText();
    const int tw = C.TextWidth(s);
    const int x = FAlignment == taRightJustify ? R.Width() - tw - 1 : FAlignment == taCenter ? R.Width() / 2 - tw / 2 : 2;
    C.TextOut(x, (R.Height() - C.TextHeight(s)) / 2, s);
    BitBlt(B, R.Left, R.Top, R.Width(), R.Height(), clip, 0, 0);
}

QImage TqvSkinCustomEdit::BuildFrameImage() {
    GetSkinData();
    CalcRects();
    if (Width() <= 0 || Height() <= 0) return {};
    QImage B(Width(), Height(), QImage::Format_RGB32);
    B.fill(Qt::white);
    if (HasPicture() && !FUseSkinFont) PaintFrameB(B);
    else PaintFrameA(B);
    return B;
}

void TqvSkinCustomEdit::PaintFrameInto(WPARAM dc, bool ClipText) {
    const QImage frame = BuildFrameImage();
    if (!dc || frame.isNull()) return;
    QPainter p(reinterpret_cast<QImage*>(dc));
    if (ClipText) p.setClipRegion(QRegion(frame.rect()).subtracted(QRegion(FEditRect.ToQRect())));
    p.drawImage(0, 0, frame);
}

QImage TqvSkinCustomEdit::BuildImage() {
    GetSkinData();
    // Focus moves inside an inactive window come without focus events.
    UpdateTextColour();
    QImage B = BuildFrameImage();
    if (B.isNull()) return {};
    PaintClient(B);
    TCanvas C(&B);
    PaintImageButtons(C);
    PaintDisabledText(B);
    return B;
}

void TqvSkinCustomEdit::paintEvent(QPaintEvent*) {
    QImage img;
    Application()->Guard([&] { img = BuildImage(); });
    if (img.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 0, img);
}

// ---- mouse ----

void TqvSkinCustomEdit::MouseEnter() {
    FMouseIn = true;
    UpdateTextColour();
    update();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TqvSkinCustomEdit::MouseLeave() {
    FMouseIn = false;
    UpdateTextColour();
    FButtonDown = FButtonActive = false;
    FLeft.MouseIn = FRight.MouseIn = false;
    FLeft.Down = FRight.Down = false;
    update();
    if (OnMouseLeave) OnMouseLeave(this);
}

bool TqvSkinCustomEdit::MousePress(QPoint p) {
    CalcRects();
    if (FImages) {
        for (TqvCBButtonX* b : {&FLeft, &FRight})
            if (!Empty(b->R) && Inside(b->R, p)) {
                b->Down = b->MouseIn = true;
                if (!Focused()) SetFocus();
                update();
                return true;
            }
    }
    if (FButtonMode && Inside(FButtonRect, p)) {
        FButtonDown = FButtonActive = true;
        update();
        return true;
    }
    return false;
}

bool TqvSkinCustomEdit::MouseRelease(QPoint p) {
    for (TqvCBButtonX* b : {&FLeft, &FRight}) {
        if (!b->Down) continue;
        // A click needs the press and the release on the same image.
        b->Down = false;
        update();
        if (Inside(b->R, p)) {
            const TNotifyEvent& h = b == &FLeft ? OnLeftButtonClick : OnRightButtonClick;
            if (h) h(this);
        }
        return true;
    }
    if (FButtonDown) {
        if (!Inside(FButtonRect, p)) return true;  // stays down until the pointer leaves
        FButtonDown = false;
        update();
        if (!Focused()) SetFocus();
        if (OnButtonClick) OnButtonClick(this);
        return true;
    }
    return false;
}

void TqvSkinCustomEdit::MouseMove(QPoint p) {
    for (TqvCBButtonX* b : {&FLeft, &FRight}) {
        const bool in = !Empty(b->R) && Inside(b->R, p);
        if (in != b->MouseIn) {
            b->MouseIn = in;
            update();
        }
    }
    const bool onButton = FButtonMode && Inside(FButtonRect, p);
    if (onButton != FButtonActive) {
        FButtonActive = onButton;
        update();
    }
    const bool arrow = onButton || (FImages && ((!Empty(FLeft.R) && Inside(FLeft.R, p)) || (!Empty(FRight.R) && Inside(FRight.R, p))));
    Widget()->setCursor(arrow ? Qt::ArrowCursor : Qt::IBeamCursor);
}

bool TqvSkinCustomEdit::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Widget()) {
        bool consumed = false;
        Application()->Guard([&] {
            switch (e->type()) {
            case QEvent::Enter: MouseEnter(); break;
            case QEvent::Leave: MouseLeave(); break;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick: {
                auto* m = static_cast<QMouseEvent*>(e);
                if (m->button() == Qt::LeftButton) consumed = MousePress(m->position().toPoint());
                break;
            }
            case QEvent::MouseButtonRelease: {
                auto* m = static_cast<QMouseEvent*>(e);
                if (m->button() == Qt::LeftButton) consumed = MouseRelease(m->position().toPoint());
                break;
            }
            case QEvent::MouseMove: MouseMove(static_cast<QMouseEvent*>(e)->position().toPoint()); break;
            default: break;
            }
        });
        if (consumed) return true;
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
            const bool r = TqvCustomEdit::eventFilter(watched, e);
            UpdateTextColour();
            update();
            return r;
        }
    }
    return TqvCustomEdit::eventFilter(watched, e);
}

void TqvSkinCustomEdit::WndProc(TMessage& message) {
    if (message.Msg == WM_SKIN_PAINT_FRAME) {
        PaintFrameInto(message.WParam, false);
        message.Result = message.WParam ? SKIN_ANSWER_FRAME_PAINTED : 0;
        return;
    }
    if (message.Msg == WM_SKIN_PAINT_FRAME_EX && message.LParam == SKIN_PAINT_FRAME_EX_KEY) {
        PaintFrameInto(message.WParam, true);
        message.Result = SKIN_PAINT_FRAME_EX_KEY;
        return;
    }
    TqvCustomEdit::WndProc(message);
}
