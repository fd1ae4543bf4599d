#include "skin/controls/statusbar/SkinStatusBar.h"

#include "skin/model/SkinRecords.h"

// ---- TqvSkinPaintPanel ----

TqvSkinPaintPanel::TqvSkinPaintPanel(QObject* AOwner) : TqvSkinPanel(AOwner) { SetForcebackGround(false); }

void TqvSkinPaintPanel::DoPanelPaint(TCanvas& C) {
    FPainted = true;
    if (OnPanelPaint) OnPanelPaint(C, GetSkinClientRect());
}

void TqvSkinPaintPanel::PaintImage(QImage& B) {
    // Every look ends with the owner's content, whichever path drew the panel.
    FPainted = false;
    TqvSkinPanel::PaintImage(B);
    if (FPainted) return;
    TCanvas C(&B);
    DoPanelPaint(C);
}

// ---- TqvSkinGroupBox ----

TqvSkinGroupBox::TqvSkinGroupBox(QObject* AOwner) : TqvSkinPanel(AOwner) {
    SetSkinDataName(QStringLiteral("groupbox"));
    SetCaptionMode(true);
}

void TqvSkinGroupBox::GetSkinData() {
    TqvSkinPanel::GetSkinData();
    // A caption below the client area: the piecewise background would cut it.
    if (FIndex != -1 && G.ClRect.Bottom < CaptionRect.Top) FForceBackground = false;
}

// ---- TqvSkinStatusBar ----

TqvSkinStatusBar::TqvSkinStatusBar(QObject* AOwner) : TqvSkinPanel(AOwner) {
    SetSkinDataName(QStringLiteral("statusbar"));
    SetAlign(alBottom);
    SetHeight(21);
    SetBorderStyle(bvNone);
    SetForcebackGround(false);
}

void TqvSkinStatusBar::Changed() {
    update();
    Realign();
}

void TqvSkinStatusBar::SetSizeGrip(bool v) {
    FSizeGrip = v;
    Changed();
}

void TqvSkinStatusBar::SetShowGrip(bool v) {
    FShowGrip = v;
    Changed();
}

void TqvSkinStatusBar::GetSkinData() {
    TqvSkinPanel::GetSkinData();
    FGripperRect = {};
    if (const auto* r = dynamic_cast<const TqvDataSkinPanelControl*>(Record())) {
        FGripperRect = r->GripperRect;
        FGripperTransparent = r->GripperTransparent;
        FGripperTransparentColor = r->GripperTransparentColor;
    }
}

void TqvSkinStatusBar::SetSkinData(TqvSkinData* Value) {
    TqvSkinPanel::SetSkinData(Value);
    for (TControl* c : Controls())
        if (auto* s = dynamic_cast<TqvSkinControl*>(c)) s->SetSkinData(Value);
}

bool TqvSkinStatusBar::HasGripperPicture() const {
    return FIndex != -1 && FGripperRect.Width() > 0 && FGripperRect.Height() > 0;
}

void TqvSkinStatusBar::AdjustClientRect(TRect& rect) {
    TqvSkinPanel::AdjustClientRect(rect);
    if (!GripShown()) return;
    rect.Right -= HasGripperPicture() ? FGripperRect.Width() : rect.Height();
}

TRect TqvSkinStatusBar::GripRect() {
    const TRect R = GetSkinClientRect();
    if (HasGripperPicture()) {
        const int gw = FGripperRect.Width(), gh = FGripperRect.Height();
        return Rect(R.Right, R.Bottom - gh, R.Right + gw, R.Bottom);
    }
    return Rect(R.Right + 2, R.Top, R.Right + R.Height(), R.Bottom - 2);
}

int TqvSkinStatusBar::HitTest(int X, int Y) {
    if (!GripShown()) return HTCLIENT;
    const TRect g = GripRect();
    return X >= g.Left && X <= g.Right && Y >= g.Top && Y <= g.Bottom ? HTBOTTOMRIGHT : HTCLIENT;
}

void TqvSkinStatusBar::PaintImage(QImage& B) {
    TqvSkinPanel::PaintImage(B);
    if (!GripShown()) return;
    const TRect g = GripRect();
    TCanvas C(&B);
    if (FIndex == -1) {
        DrawGripLines(g, C, clBtnHighlight, clBtnShadow);
    } else if (!HasGripperPicture()) {
        DrawGripLines(g, C, FSD->SkinColors().cBtnHighLight(), FSD->SkinColors().cBtnShadow());
    } else if (!G.Picture.isNull()) {
        const TRect dst = Bounds(g.Left, g.Top, FGripperRect.Width(), FGripperRect.Height());
        if (FGripperTransparent) TransparentBlt(B, dst, G.Picture, FGripperRect, FGripperTransparentColor);
        else StretchBlt(B, dst, G.Picture, FGripperRect);
    }
}

void DrawGripLines(const TRect& Rect, TCanvas& Canvas, TColor Light, TColor Shadow) {
    Canvas.Pen().SetWidth(1);
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetMode(pmCopy);
    for (int k = 3; Rect.Left + k + 2 <= Rect.Right; k += 3) {
        Canvas.Pen().SetColor(Shadow);
        Canvas.MoveTo(Rect.Left + k, Rect.Bottom);
        Canvas.LineTo(Rect.Right, Rect.Top + k);
        Canvas.Pen().SetColor(Light);
        Canvas.MoveTo(Rect.Left + k + 1, Rect.Bottom);
        Canvas.LineTo(Rect.Right, Rect.Top + k + 1);
    }
}
