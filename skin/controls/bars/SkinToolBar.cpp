#include "skin/controls/bars/SkinToolBar.h"

#include "platform/Application.h"
#include "skin/controls/base/GraphicSkinControl.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kArrow = 12;
bool Empty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }
}  // namespace

// ---- arrows ----

TqvToolBarArrow::TqvToolBarArrow(TqvSkinToolBar* Bar, bool ARight) : QWidget(Bar), Right(ARight), FBar(Bar) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    hide();
}

QImage TqvToolBarArrow::BuildImage() {
    QImage img(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    img.fill(Qt::white);
    Application()->Guard([&] { FBar->DrawScrollButton(img, *this); });
    return img;
}

void TqvToolBarArrow::paintEvent(QPaintEvent*) {
    const QImage img = BuildImage();
    QPainter p(this);
    p.drawImage(0, 0, img);
}

void TqvToolBarArrow::enterEvent(QEnterEvent*) { Application()->Guard([&] { FBar->ArrowEnter(Right); }); }
void TqvToolBarArrow::leaveEvent(QEvent*) { Application()->Guard([&] { FBar->ArrowLeave(Right); }); }
void TqvToolBarArrow::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) Application()->Guard([&] { FBar->ArrowPress(Right); });
}
void TqvToolBarArrow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) Application()->Guard([&] { FBar->ArrowRelease(Right); });
}

// ---- the bar ----

TqvSkinToolBar::TqvSkinToolBar(QObject* AOwner) : TqvSkinPanel(AOwner) {
    FArrows[0] = new TqvToolBarArrow(this, false);
    FArrows[1] = new TqvToolBarArrow(this, true);
    SetForcebackGround(false);
    FSkinDataName = QStringLiteral("toolpanel");
    SetBorderStyle(bvNone);
    SetBounds(Left(), Top(), Width(), 25);
}

void TqvSkinToolBar::GetSkinData() {
    TqvSkinPanel::GetSkinData();
    FButtonIndex = -1;
    if (FIndex == -1 || !FSD) return;
    const int i = FSD->GetControlIndex(QStringLiteral("resizebutton"));
    if (i != -1 && dynamic_cast<const TqvDataSkinButtonControl*>(FSD->CtrlList[std::size_t(i)].get())) FButtonIndex = i;
}

void TqvSkinToolBar::SetSkinData(TqvSkinData* Value) {
    TqvSkinPanel::SetSkinData(Value);
    for (TControl* c : Controls())
        if (auto* b = dynamic_cast<TqvSkinSpeedButton*>(c)) b->SetSkinData(Value);
}

void TqvSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int oldWidth = Width();
    TqvSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FAdjustControls)
        // Skinned children centre themselves when their bounds are set.
        for (TControl* c : Controls()) c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height());
    if (FCanScroll) {
        FHSizeOffset = oldWidth != 0 && Width() > oldWidth ? Width() - oldWidth : 0;
        UpdateScrolling();
    }
    if (FAdjustControls) CentreOtherControls();
    for (TqvToolBarArrow* a : FArrows) a->setGeometry(a->Right ? Width() - kArrow : 0, 0, kArrow, Height());
}

void TqvSkinToolBar::resizeEvent(QResizeEvent* e) {
    TqvSkinPanel::resizeEvent(e);
    for (TqvToolBarArrow* a : FArrows) a->setGeometry(a->Right ? Width() - kArrow : 0, 0, kArrow, Height());
}

void TqvSkinToolBar::AdjustClientRect(TRect& rect) {
    TqvSkinPanel::AdjustClientRect(rect);
    // The content starts after the left strip, scrolled left by SPosition.
    if (FArrowsVisible) rect = Bounds(kArrow - SPosition, 0, std::max(SMax, Width() - 2 * kArrow), Height());
    if (FIndex == -1) {
        rect.Top = 1;
        rect.Bottom = Height() - 1;
    } else if (BorderStyle() != bvNone || G.ResizeMode != 1) {
        rect.Top = G.NewClRect.Top;
        rect.Bottom = G.NewClRect.Bottom;
    }
}

void TqvSkinToolBar::CentreOtherControls() {
    const TRect R = GetSkinClientRect();
    for (TControl* c : Controls()) {
        if (dynamic_cast<TqvSkinControl*>(c) || dynamic_cast<TqvGraphicSkinControl*>(c) || c->Align() != alNone) continue;
        c->SetTop(R.Top + R.Height() / 2 - c->Height() / 2);
    }
}

void TqvSkinToolBar::SetFlat(bool v) {
    FFlat = v;
    for (TControl* c : Controls())
        if (auto* b = dynamic_cast<TqvSkinSpeedButton*>(c)) b->SetFlat(v);
}

void TqvSkinToolBar::SetImages(TCustomImageList* v) {
    FImages = v;
    for (TControl* c : Controls())
        if (auto* b = dynamic_cast<TqvSkinSpeedButton*>(c)) b->update();
}

void TqvSkinToolBar::SetShowCaptions(bool v) {
    if (FShowCaptions == v) return;
    FShowCaptions = v;
    if (FAutoShowHideCaptions)
        for (TControl* c : Controls())
            if (auto* b = dynamic_cast<TqvSkinSpeedButton*>(c)) b->SetShowCaption(v);
    if (FWidthWithCaptions != 0 && FWidthWithoutCaptions != 0) SetWidth(v ? FWidthWithCaptions : FWidthWithoutCaptions);
}

// ---- scrolling ----

void TqvSkinToolBar::MoveChildren(int Dx) {
    for (TControl* c : Controls()) c->SetLeft(c->Left() + Dx);
    update();
}

void TqvSkinToolBar::SetArrowsVisible(bool V) {
    if (FArrowsVisible == V) return;
    FArrowsVisible = V;
    // The strips take 12 pixels at each end: the content moves with the client area.
    MoveChildren(V ? kArrow : -kArrow);
    for (TqvToolBarArrow* a : FArrows) {
        a->MouseIn = a->Down = false;
        a->setVisible(V);
        if (V) a->raise();
    }
    if (!V) StopTimer();
}

void TqvSkinToolBar::UpdateScrolling() {
    if (!FCanScroll || Width() == 0) return;
    const int origin = FArrowsVisible ? kArrow : 0;
    int R = 0;
    for (TControl* c : Controls())
        if (c->Visible()) R = std::max(R, c->Left() + c->Width() - origin);
    const int clientW = Width() - (FArrowsVisible ? 2 * kArrow : 0);
    if (R > 0 && clientW < R + SPosition) {
        SetArrowsVisible(true);
        const int cw = Width() - 2 * kArrow;
        const int M = SPosition + R - 1, P = SPosition;
        if (P > 0 && R < cw && FHSizeOffset > 0) {
            FHSizeOffset = std::min(FHSizeOffset, P);
            SMax = M;
            SPosition = P - FHSizeOffset;
            SPage = cw;
            MoveChildren(FHSizeOffset);
        } else {
            if (FHSizeOffset == 0 && M < SMax && P > 0 && R < cw) {
                SMax = M;
                SPosition = P + R - cw;
                SPage = cw;
                MoveChildren(cw - R);
            } else {
                SMax = M;
                SPage = cw;
            }
            FHSizeOffset = 0;
        }
        SOldPosition = SPosition;
        return;
    }
    if (R > 0 && SPosition > 0) MoveChildren(SPosition);
    FHSizeOffset = SMax = SPosition = SPage = SOldPosition = 0;
    SetArrowsVisible(false);
}

void TqvSkinToolBar::ScrollStep(bool Right) {
    const int S = FScrollOffset != 0 ? FScrollOffset : Width() - (FArrowsVisible ? 2 * kArrow : 0);
    if (Right) SPosition = std::max(0, std::min(SPosition + S, SMax - SPage + 1));
    else SPosition = std::max(SPosition - S, 0);
    if (SPosition == SOldPosition) {
        StopTimer();
        return;
    }
    MoveChildren(SOldPosition - SPosition);
    SOldPosition = SPosition;
}

void TqvSkinToolBar::StartTimer(int Mode) {
    FTimerMode = Mode;
    FTimer.Start(FScrollTimerInterval, [this] {
        Application()->Guard([this] {
            if (FCanScroll && FTimerMode) ScrollStep(FTimerMode == 2);
        });
    });
}

void TqvSkinToolBar::StopTimer() {
    FTimer.Stop();
    FTimerMode = 0;
}

void TqvSkinToolBar::ArrowEnter(bool Right) {
    if (!FCanScroll) return;
    TqvToolBarArrow* a = FArrows[Right];
    if (a->MouseIn) return;
    a->MouseIn = true;
    FArrows[!Right]->MouseIn = false;
    for (TqvToolBarArrow* x : FArrows) x->update();
    if (FHotScroll) StartTimer(Right ? 2 : 1);
}

void TqvSkinToolBar::ArrowLeave(bool Right) {
    TqvToolBarArrow* a = FArrows[Right];
    if (!a->MouseIn) return;
    a->MouseIn = false;
    StopTimer();
    a->update();
}

void TqvSkinToolBar::ArrowPress(bool Right) {
    if (!FCanScroll) return;
    FArrows[Right]->Down = true;
    FArrows[Right]->update();
    StartTimer(Right ? 2 : 1);
}

void TqvSkinToolBar::ArrowRelease(bool Right) {
    if (!FCanScroll) return;
    FArrows[Right]->Down = false;
    FArrows[Right]->update();
    StopTimer();
    ScrollStep(Right);
}

void TqvSkinToolBar::DrawScrollButton(QImage& B, const TqvToolBarArrow& A) {
    GetSkinData();
    const int W = B.width(), H = B.height();
    TCanvas C(&B);
    TColor glyph = clBtnText;
    bool drawn = false;
    const bool pressedLook = A.MouseIn && (A.Down || FHotScroll);
    if (FButtonIndex != -1) {
        const auto* b = static_cast<const TqvDataSkinButtonControl*>(FSD->CtrlList[std::size_t(FButtonIndex)].get());
        // A record whose picture is missing draws the plain arrow.
        if (b->PictureIndex >= 0 && b->PictureIndex < int(FSD->FActivePictures.size())) {
            const QImage& pic = FSD->FActivePictures[std::size_t(b->PictureIndex)];
            TRect src = b->SkinRect;
            glyph = b->FontColor;
            if (!Empty(b->DownSkinRect) && pressedLook) {
                src = b->DownSkinRect;
                glyph = b->DownFontColor;
            } else if (A.MouseIn && !Empty(b->ActiveSkinRect)) {
                src = b->ActiveSkinRect;
                glyph = b->ActiveFontColor;
            }
            const int dx = W - b->SkinRect.Width(), dy = H - b->SkinRect.Height();
            auto mv = [](TPoint p, int x, int y) { return TPoint{p.X + x, p.Y + y}; };
            TRect ncl = b->ClRect;
            ncl.Right += dx;
            ncl.Bottom += dy;
            ComposeSkinImage(b->LTPoint, b->RTPoint, b->LBPoint, b->RBPoint, b->ClRect, b->LTPoint,
                             mv(b->RTPoint, dx, 0), mv(b->LBPoint, 0, dy), mv(b->RBPoint, dx, dy), ncl, B, pic, src, W,
                             H, true, b->LeftStretch, b->TopStretch, b->RightStretch, b->BottomStretch,
                             b->StretchEffect, b->StretchType);
            drawn = true;
        }
    }
    if (!drawn) {
        TRect r = Rect(0, 0, W, H);
        C.Brush().SetColor(pressedLook ? RGB(0x85, 0x93, 0xB5) : A.MouseIn ? RGB(0xB6, 0xBD, 0xD2) : clBtnFace);
        C.FillRect(r);
        const TColor frame = A.MouseIn ? clNavy : clBtnShadow;
        Frame3D(C, r, frame, frame, 1);
        glyph = clBtnText;
    }
    DrawArrowImage(C, Rect(0, 0, W, H), glyph, A.Right ? 2 : 1);
}

void TqvSkinToolBar::CreateControlSkinImage(QImage& B) {
    if (FArrowsVisible && G.ResizeMode == 2) {
        MakeHorzSkinImageMiddle(G.LTPt.X, G.SkinRect.Width() - G.RTPt.X, B, G.Picture, G.SkinRect, Width(), Height(),
                                G.StretchEffect);
        return;
    }
    TqvSkinPanel::CreateControlSkinImage(B);
}
