#include "skin/controls/spacers/SkinSpacers.h"

#include "skin/controls/base/SkinControl.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/draw/SkinCompose.h"

namespace {

QImage ModelPicture(const TqvSkinData& model, int index) {
    if (index < 0 || index >= int(model.FActivePictures.size())) return {};
    return model.FActivePictures[std::size_t(index)];
}

QImage TransparentImage(int W, int H) {
    QImage B(W, H, QImage::Format_ARGB32_Premultiplied);
    B.fill(Qt::transparent);
    return B;
}

}  // namespace

// ---- TqvSkinSplitter ----

TqvSkinSplitter::TqvSkinSplitter(QObject* AOwner) : TSplitter(AOwner) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TqvSkinSplitter::SetTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    setAttribute(Qt::WA_OpaquePaintEvent, !v);
    update();
}

void TqvSkinSplitter::SetSkinData(TqvSkinData* Value) {
    FSD = Value;
    ChangeSkinData();
}

void TqvSkinSplitter::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    FPicture = QImage();
    FHasRecord = false;
    if (FIndex < 0) return;
    const auto* r = dynamic_cast<const TqvDataSkinSplitterControl*>(FSD->CtrlList[std::size_t(FIndex)].get());
    if (!r) return;
    FHasRecord = true;
    FSkinRect = r->SkinRect;
    FLTPt = r->LTPoint;
    FRTPt = r->RTPoint;
    FLBPt = r->LBPoint;
    FStretchEffect = r->StretchEffect;
    FPicture = ModelPicture(*FSD, r->PictureIndex);
    FGripperRect = r->GripperRect;
    FGripperTransparent = r->GripperTransparent;
    FGripperTransparentColor = r->GripperTransparentColor;
}

void TqvSkinSplitter::ChangeSkinData() {
    GetSkinData();
    const bool plain = !FHasRecord || FTransparent;
    if (Align() == alTop || Align() == alBottom) SetHeight(plain ? FDefaultSize : FSkinRect.Height());
    else SetWidth(plain ? FDefaultSize : FSkinRect.Width());
    update();
}

QImage TqvSkinSplitter::BuildImage() {
    if (Width() <= 0 || Height() <= 0) return {};
    QImage B = TransparentImage(Width(), Height());
    TCanvas C(&B);
    C.SetFont(Font());
    PaintTo(C);
    return B;
}

void TqvSkinSplitter::Paint() { PaintTo(Canvas()); }

void TqvSkinSplitter::PaintTo(TCanvas& C) {
    if (FTransparent || Width() < 1 || Height() < 1) return;
    GetSkinData();
    if (!FHasRecord || FPicture.isNull() || Align() == alNone || Align() == alClient) {
        PaintPlain(C);
        return;
    }
    QImage B;
    if (Align() == alTop || Align() == alBottom)
        MakeHorzSkinImage(FLTPt.X, FSkinRect.Width() - FRTPt.X, B, FPicture, FSkinRect, Width(), FSkinRect.Height(),
                          FStretchEffect);
    else
        MakeVertSkinImage(FLTPt.Y, FSkinRect.Height() - FLBPt.Y, B, FPicture, FSkinRect, FSkinRect.Width(), Height(),
                          FStretchEffect);
    if (B.isNull()) return;
    B = B.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (FGripperRect.Width() > 0 && FGripperRect.Height() > 0) {
        const int gw = FGripperRect.Width(), gh = FGripperRect.Height();
        const TRect dst = Bounds(B.width() / 2 - gw / 2, B.height() / 2 - gh / 2, gw, gh);
        if (FGripperTransparent) TransparentBlt(B, dst, FPicture, FGripperRect, FGripperTransparentColor);
        else StretchBlt(B, dst, FPicture, FGripperRect);
    }
    C.Draw(0, 0, B);
}

// ---- TqvSkinBevel ----

TqvSkinBevel::TqvSkinBevel(QObject* AOwner) : TBevel(AOwner) {}

void TqvSkinBevel::SetDividerMode(bool v) {
    FDividerMode = v;
    update();
}

TqvSkinData* TqvSkinBevel::SkinData() const {
    if (FSD) return FSD.data();
    // On a tool bar the bar's model reaches the bevel through the bar.
    TWinControl* p = Parent();
    TRect unused;
    auto* bar = dynamic_cast<const TqvCentringParent*>(p);
    auto* client = dynamic_cast<const TqvSkinClient*>(p);
    return bar && client && bar->CentreChildren(unused) ? client->SkinData() : nullptr;
}

void TqvSkinBevel::SetSkinData(TqvSkinData* Value) {
    FSD = Value;
    ChangeSkinData();
}

void TqvSkinBevel::ChangeSkinData() {
    TqvSkinData* sd = SkinData();
    const int index = (!sd || sd->Empty) ? -1 : sd->GetControlIndex(FSkinDataName);
    if (index < 0) {
        FLightColor = clBtnHighlight;
        FDarkColor = clBtnShadow;
    } else if (const auto* r = dynamic_cast<const TqvDataSkinBevel*>(sd->CtrlList[std::size_t(index)].get())) {
        FLightColor = r->LightColor;
        FDarkColor = r->DarkColor;
    }
    update();
}

void TqvSkinBevel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TBevel::SetBounds(ALeft, CentredTop(this, ATop, AHeight), AWidth, AHeight);
}

QImage TqvSkinBevel::BuildImage() {
    if (Width() <= 0 || Height() <= 0) return {};
    QImage B = TransparentImage(Width(), Height());
    TCanvas C(&B);
    PaintTo(C);
    return B;
}

void TqvSkinBevel::Paint() { PaintTo(Canvas()); }

void TqvSkinBevel::PaintTo(TCanvas& C) {
    const int W = Width(), H = Height();
    if (!FDividerMode) {
        PaintBevelShape(C, W, H, Shape(), Style(), FLightColor, FDarkColor);
        return;
    }
    const TColor C1 = Style() == TBevelStyle::bsLowered ? FDarkColor : FLightColor;
    const TColor C2 = Style() == TBevelStyle::bsLowered ? FLightColor : FDarkColor;
    TRect R;
    switch (Shape()) {
    case TBevelShape::bsSpacer: return;
    case TBevelShape::bsTopLine:
    case TBevelShape::bsBottomLine: R = Rect(2, H / 2 - 1, W - 2, H / 2); break;
    default: R = Rect(W / 2 - 1, 2, W / 2, H - 2); break;
    }
    C.Pen().SetWidth(1);
    C.Pen().SetStyle(psSolid);
    C.Pen().SetMode(pmCopy);
    C.Pen().SetColor(C1);
    C.Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
    C.Pen().SetColor(C2);
    C.Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}});
}
