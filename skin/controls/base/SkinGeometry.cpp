#include "skin/controls/base/SkinGeometry.h"

#include "skin/model/SkinData.h"
#include "skin/model/draw/SkinCompose.h"

QImage SkinActivePicture(const TqvSkinData& model, int index) {
    if (index < 0 || index >= int(model.FActivePictures.size())) return {};
    return model.FActivePictures[std::size_t(index)];
}

void TqvSkinGeometry::Load(const TqvSkinData& model, const TqvDataSkinControl& record) {
    const auto* r = dynamic_cast<const TqvDataSkinCustomControl*>(&record);
    if (!r) {
        ResizeMode = 0;
        Picture = QImage();
        MaskPicture = QImage();
        return;
    }
    LTPt = r->LTPoint;
    RTPt = r->RTPoint;
    LBPt = r->LBPoint;
    RBPt = r->RBPoint;
    SkinRect = r->SkinRect;
    ClRect = r->ClRect;
    StretchEffect = r->StretchEffect;
    StretchType = r->StretchType;
    LeftStretch = r->LeftStretch;
    TopStretch = r->TopStretch;
    RightStretch = r->RightStretch;
    BottomStretch = r->BottomStretch;
    Picture = SkinActivePicture(model, r->PictureIndex);
    MaskPicture = SkinActivePicture(model, r->MaskPictureIndex);
    ResizeMode = GetResizeMode();
}

int TqvSkinGeometry::GetResizeMode() const {
    if (SkinRect.Width() <= 0 || SkinRect.Height() <= 0) return -1;
    if (RBPt.X != 0 && RBPt.Y != 0) return 1;
    if (RTPt.X != 0 || RTPt.Y != 0) return 2;
    if (LBPt.X != 0 || LBPt.Y != 0) return 3;
    return 0;
}

void TqvSkinGeometry::AdjustSkinSize(int& AWidth, int& AHeight, bool HasRecord) {
    if (ResizeMode == -1) return;
    if (ResizeMode == 0) {
        if (!HasRecord) return;
        AWidth = SkinWidth();
        AHeight = SkinHeight();
        NewClRect = ClRect;
        return;
    }
    const int dW = AWidth - SkinWidth(), dH = AHeight - SkinHeight();
    NewLTPoint = LTPt;
    switch (ResizeMode) {
    case 1:
        NewRTPoint = {RTPt.X + dW, RTPt.Y};
        NewLBPoint = {LBPt.X, LBPt.Y + dH};
        NewRBPoint = {RBPt.X + dW, RBPt.Y + dH};
        NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom + dH};
        break;
    case 2:
        AHeight = SkinHeight();
        NewRTPoint = {RTPt.X + dW, RTPt.Y};
        NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom};
        break;
    case 3:
        AWidth = SkinWidth();
        NewLBPoint = {LBPt.X, LBPt.Y + dH};
        NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right, ClRect.Bottom + dH};
        break;
    default: break;
    }
}

TRect TqvSkinGeometry::MapSkinRect(const TRect& R, int W, int H) const {
    const int SW = SkinWidth(), SH = SkinHeight();
    const int dW = W - SW, dH = H - SH;
    TRect N = R;
    switch (ResizeMode) {
    case 1: {
        const TRect TL{0, 0, LTPt.X, LTPt.Y}, TR{RTPt.X, 0, SW, RTPt.Y};
        const TRect BL{0, LBPt.Y, LBPt.X, SH}, BR{RBPt.X, RBPt.Y, SW, SH};
        // Both corners of R inside a zone by the half-open point test.
        auto inside = [&](const TRect& z) { return z.Contains(R.TopLeft()) && z.Contains(R.BottomRight()); };
        auto within = [](const TRect& z, TPoint p) {
            return p.X >= z.Left && p.X <= z.Right && p.Y >= z.Top && p.Y <= z.Bottom;
        };
        const TPoint P1 = R.TopLeft(), P2 = R.BottomRight();
        if (inside(TL)) {
        } else if (inside(TR)) {
            OffsetRect(N, dW, 0);
        } else if (inside(BL)) {
            OffsetRect(N, 0, dH);
        } else if (inside(BR)) {
            OffsetRect(N, dW, dH);
        } else if (within(TL, P1) && within(BR, P2)) {
            N.Right += dW;
            N.Bottom += dH;
        } else if (within(TL, P1) && within(TR, P2)) {
            N.Right += dW;
        } else if (within(BL, P1) && within(BR, P2)) {
            N.Right += dW;
            OffsetRect(N, 0, dH);
        } else if (within(TL, P1) && within(BL, P2)) {
            N.Bottom += dH;
        } else if (within(TR, P1) && within(BR, P2)) {
            OffsetRect(N, dW, 0);
            N.Bottom += dH;
        }
        break;
    }
    case 2:
        if (LTPt.X >= R.Left && R.Right >= RTPt.X) N.Right += dW;
        else if (R.Left >= RTPt.X && R.Right > RTPt.X) OffsetRect(N, dW, 0);
        break;
    case 3:
        if (LTPt.Y >= R.Top && R.Bottom >= LBPt.Y) N.Bottom += dH;
        else if (R.Top >= LBPt.Y && R.Bottom > LBPt.Y) OffsetRect(N, 0, dH);
        break;
    default: break;
    }
    return N;
}

void TqvSkinGeometry::CreateSkinImage(QImage& B, const QImage& APicture, const TRect& ARect, int W, int H,
                                      bool ForceBackground) const {
    if (APicture.isNull()) return;
    switch (ResizeMode) {
    case 0:
        B = APicture.copy(ARect.ToQRect()).convertToFormat(QImage::Format_RGB32);
        break;
    case 1:
        if (!ForceBackground)
            ComposeSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                             NewClRect, B, APicture, ARect, W, H, true, LeftStretch, TopStretch, RightStretch,
                             BottomStretch, StretchEffect, StretchType);
        break;
    case 2:
        MakeHorzSkinImage(LTPt.X, SkinWidth() - RTPt.X, B, APicture, ARect, W, H, StretchEffect);
        break;
    case 3:
        MakeVertSkinImage(LTPt.Y, SkinHeight() - LBPt.Y, B, APicture, ARect, W, H, StretchEffect);
        break;
    default: break;
    }
}

bool TqvSkinGeometry::BuildSkinRegion(QRegion& Rgn, int W, int H) {
    int w = W, h = H;
    AdjustSkinSize(w, h, true);
    const int SW = SkinWidth(), SH = SkinHeight();
    switch (ResizeMode) {
    case 0: return CreateRegionFromMask(Rgn, MaskPicture);
    case 1:
        return CreateSkinRegion(Rgn, LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint,
                                NewRBPoint, NewClRect, MaskPicture, W, H);
    case 2: {
        const TPoint rt{RTPt.X + W - SW, RTPt.Y};
        return CreateSkinRegion(Rgn, LTPt, RTPt, LTPt, RTPt, ClRect, LTPt, rt, LTPt, rt, NewClRect, MaskPicture, W,
                                H);
    }
    case 3: {
        const TPoint lb{LBPt.X, LBPt.Y + H - SH};
        return CreateSkinRegion(Rgn, LTPt, LTPt, LBPt, LBPt, ClRect, LTPt, LTPt, lb, lb, NewClRect, MaskPicture, W,
                                H);
    }
    default:
        // No usable skin rectangle: the whole control shows.
        return false;
    }
}
