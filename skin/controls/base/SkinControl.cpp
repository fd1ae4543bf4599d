#include "skin/controls/base/SkinControl.h"

#include "platform/Application.h"
#include "skin/model/SkinTypes.h"
#include "skin/model/draw/SkinCompose.h"

#include <QPainter>

int CentredTop(const TControl* Control, int ATop, int AHeight) {
    TWinControl* p = Control->Parent();
    auto* c = dynamic_cast<const TqvCentringParent*>(p);
    TRect R;
    if (!c || !c->CentreChildren(R)) return ATop;
    return R.Top + R.Height() / 2 - AHeight / 2;
}

// ---- TqvSkinControl ----

TqvSkinControl::TqvSkinControl(QObject* AOwner) : TCustomControl(AOwner), TqvSkinPart(this) {}

void TqvSkinControl::enterEvent(QEnterEvent* e) {
    TCustomControl::enterEvent(e);
    GuardedMouseEnter();
}

void TqvSkinControl::leaveEvent(QEvent* e) {
    TCustomControl::leaveEvent(e);
    GuardedMouseLeave();
}

void TqvSkinControl::WndProc(TMessage& message) {
    if (message.Msg == WM_SKIN_PARENT_CHANGED) CheckParentBackground();
}

// ---- TqvSkinCustomControl ----

TqvSkinCustomControl::TqvSkinCustomControl(QObject* AOwner) : TqvSkinControl(AOwner) {
    FDefaultFont.OnChange = [this] {
        DefaultFontChanged();
        GetSkinData();
        if (FIndex == -1) update();
    };
}

void TqvSkinCustomControl::GetSkinData() {
    TqvSkinControl::GetSkinData();
    if (const TqvDataSkinControl* r = Record()) G.Load(*FSD, *r);
}

void TqvSkinCustomControl::AdjustSkinSize(int& AWidth, int& AHeight) {
    G.AdjustSkinSize(AWidth, AHeight, FIndex != -1);
}

void TqvSkinCustomControl::ChangeSkinData() {
    GetSkinData();
    if (FIndex == -1) {
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
        UpdateSkinRegion();
        update();
        return;
    }
    int W = Width(), H = Height();
    AdjustSkinSize(W, H);
    const bool wDiff = W != Width(), hDiff = H != Height();
    if (wDiff) SetWidth(W);
    if (hDiff) SetHeight(H);
    if (!wDiff && !hDiff) {
        UpdateSkinRegion();
        update();
    }
}

void TqvSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    const bool changing = (AWidth != Width() || AHeight != Height()) && FIndex != -1;
    if (changing) {
        AdjustSkinSize(AWidth, AHeight);
        if (G.ResizeMode == 0) G.NewClRect = G.ClRect;
    }
    ATop = CentredTop(this, ATop, AHeight);
    TqvSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (changing) {
        UpdateSkinRegion();
        update();
    }
    if (FIndex != -1 && G.StretchEffect) NotifyChildrenParentBackground();
}

void TqvSkinCustomControl::UpdateSkinRegion() {
    if (!Parent()) return;
    if (G.MaskPicture.isNull() || FIndex == -1) {
        if (FHasRegion) {
            clearMask();
            FHasRegion = false;
        }
        return;
    }
    QRegion rgn;
    if (G.BuildSkinRegion(rgn, Width(), Height())) {
        setMask(rgn);
        FHasRegion = true;
    } else if (FHasRegion) {
        clearMask();
        FHasRegion = false;
    }
}

void TqvSkinCustomControl::SetDefaultWidth(int v) {
    FDefaultWidth = v;
    GetSkinData();
    if (FIndex == -1 && v > 0) SetWidth(v);
}

void TqvSkinCustomControl::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    GetSkinData();
    if (FIndex == -1 && v > 0) SetHeight(v);
}

void TqvSkinCustomControl::NotifyChildrenParentBackground() {
    for (TControl* c : Controls()) SendMessage(c, WM_SKIN_PARENT_CHANGED, 0, 0);
}

void TqvSkinCustomControl::CreateControlDefaultImage(QImage& B) {
    TCanvas c(&B);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(Rect(0, 0, B.width(), B.height()));
}

void TqvSkinCustomControl::CreateSkinImage(QImage& B, const QImage& APicture, const TRect& ARect) {
    G.CreateSkinImage(B, APicture, ARect, Width(), Height(), FForceBackground);
}

void TqvSkinCustomControl::CreateControlSkinImage(QImage& B) { CreateSkinImage(B, G.Picture, G.SkinRect); }

void TqvSkinCustomControl::PaintImage(QImage& B) {
    GetSkinData();
    int w = Width(), h = Height();
    AdjustSkinSize(w, h);
    if (!(FIndex != -1 && FForceBackground && G.ResizeMode == 1)) {
        TqvSkinControl::PaintImage(B);
        return;
    }
    const int W = B.width(), H = B.height();
    QImage left, top, right, bottom;
    ComposeSkinFrameImage(G.LTPt, G.RTPt, G.LBPt, G.RBPt, G.ClRect, G.NewLTPoint, G.NewRTPoint, G.NewLBPoint,
                          G.NewRBPoint, G.NewClRect, left, top, right, bottom, G.Picture, G.SkinRect, W, H,
                          G.LeftStretch, G.TopStretch, G.RightStretch, G.BottomStretch);
    CreateControlSkinImage(top);
    if (FDrawBackground) FillClientArea(B);
    BitBlt(B, 0, 0, top.width(), top.height(), top, 0, 0);
    BitBlt(B, 0, top.height(), left.width(), left.height(), left, 0, 0);
    BitBlt(B, W - right.width(), top.height(), right.width(), right.height(), right, 0, 0);
    BitBlt(B, 0, H - bottom.height(), bottom.width(), bottom.height(), bottom, 0, 0);
}

void TqvSkinCustomControl::FillClientArea(QImage& B) {
    const TRect N = G.NewClRect;
    TRect src = G.ClRect;
    OffsetRect(src, G.SkinRect.Left, G.SkinRect.Top);
    const int pw = src.Width(), ph = src.Height();
    // A client part or area without pixels has nothing to tile.
    if (G.Picture.isNull() || pw <= 0 || ph <= 0 || N.Width() <= 0 || N.Height() <= 0) return;
    const QImage part = G.Picture.copy(src.ToQRect());
    QImage area(N.Width(), N.Height(), QImage::Format_RGB32);
    area.fill(Qt::white);
    const int nw = N.Width(), nh = N.Height();
    if (G.StretchEffect) {
        switch (G.StretchType) {
        case qvstFull: StretchBlt(area, Rect(0, 0, nw, nh), part, Rect(0, 0, pw, ph)); break;
        case qvstHorz:
            for (int i = 0; i <= nw / pw; ++i) StretchBlt(area, Bounds(i * pw, 0, pw, nh), part, Rect(0, 0, pw, ph));
            break;
        case qvstVert:
            for (int i = 0; i <= nh / ph; ++i) StretchBlt(area, Bounds(0, i * ph, nw, ph), part, Rect(0, 0, pw, ph));
            break;
        }
    } else {
        for (int x = 0; x <= nw / pw; ++x)
            for (int y = 0; y <= nh / ph; ++y) BitBlt(area, x * pw, y * ph, pw, ph, part, 0, 0);
    }
    BitBlt(B, N.Left, N.Top, nw, nh, area, 0, 0);
}
