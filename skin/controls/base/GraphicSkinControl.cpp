#include "skin/controls/base/GraphicSkinControl.h"

#include "platform/Application.h"
#include "skin/controls/base/SkinControl.h"

#include <QPainter>

// ---- TqvGraphicSkinControl ----

TqvGraphicSkinControl::TqvGraphicSkinControl(QObject* AOwner) : TGraphicControl(AOwner), TqvSkinPart(this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TqvGraphicSkinControl::enterEvent(QEnterEvent* e) {
    TGraphicControl::enterEvent(e);
    GuardedMouseEnter();
}

void TqvGraphicSkinControl::leaveEvent(QEvent* e) {
    TGraphicControl::leaveEvent(e);
    GuardedMouseLeave();
}

// ---- TqvGraphicSkinCustomControl ----

TqvGraphicSkinCustomControl::TqvGraphicSkinCustomControl(QObject* AOwner) : TqvGraphicSkinControl(AOwner) {
    FDefaultFont.OnChange = [this] {
        DefaultFontChanged();
        GetSkinData();
        if (FIndex == -1) update();
    };
}

void TqvGraphicSkinCustomControl::GetSkinData() {
    TqvGraphicSkinControl::GetSkinData();
    if (const TqvDataSkinControl* r = Record()) G.Load(*FSD, *r);
}

void TqvGraphicSkinCustomControl::AdjustSkinSize(int& AWidth, int& AHeight) {
    G.AdjustSkinSize(AWidth, AHeight, FIndex != -1);
}

void TqvGraphicSkinCustomControl::ChangeSkinData() {
    GetSkinData();
    if (FIndex == -1) {
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
        update();
        return;
    }
    int W = Width(), H = Height();
    AdjustSkinSize(W, H);
    const bool wDiff = W != Width(), hDiff = H != Height();
    if (wDiff) SetWidth(W);
    if (hDiff) SetHeight(H);
    if (!wDiff && !hDiff) update();
}

void TqvGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    const bool changing = (AWidth != Width() || AHeight != Height()) && FIndex != -1;
    if (changing) {
        AdjustSkinSize(AWidth, AHeight);
        if (G.ResizeMode == 0) G.NewClRect = G.ClRect;
    }
    ATop = CentredTop(this, ATop, AHeight);
    TqvGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (changing) update();
}

void TqvGraphicSkinCustomControl::SetDefaultWidth(int v) {
    FDefaultWidth = v;
    GetSkinData();
    if (FIndex == -1 && v > 0) SetWidth(v);
}

void TqvGraphicSkinCustomControl::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    GetSkinData();
    if (FIndex == -1 && v > 0) SetHeight(v);
}

void TqvGraphicSkinCustomControl::CreateControlDefaultImage(QImage& B) {
    TCanvas c(&B);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(Rect(0, 0, B.width(), B.height()));
}

void TqvGraphicSkinCustomControl::CreateSkinImage(QImage& B, const QImage& APicture, const TRect& ARect) {
    G.CreateSkinImage(B, APicture, ARect, Width(), Height());
}

void TqvGraphicSkinCustomControl::CreateControlSkinImage(QImage& B) { CreateSkinImage(B, G.Picture, G.SkinRect); }
