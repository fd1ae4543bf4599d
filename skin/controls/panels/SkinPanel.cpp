#include "skin/controls/panels/SkinPanel.h"

#include "platform/Application.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QMouseEvent>

namespace {

bool Empty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

// Part R of Picture drawn at (X, Y) without its bottom-left pixel's colour.
void DrawTransparentRect(TCanvas& C, int X, int Y, const QImage& Picture, const TRect& R) {
    if (Picture.isNull() || Empty(R)) return;
    const QRgb key = Picture.pixel(R.Left, R.Bottom - 1);
    TransparentBlt(*C.Image(), Bounds(X, Y, R.Width(), R.Height()), Picture, R,
                   QColorToColor(QColor::fromRgb(key)));
}

}  // namespace

TqvSkinPanel::TqvSkinPanel(QObject* AOwner) : TqvSkinCustomControl(AOwner) {
    FForceBackground = true;
    FSkinDataName = QStringLiteral("panel");
    SetBounds(0, 0, 150, 150);
}

void TqvSkinPanel::GetSkinData() {
    TqvSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    const auto* r = dynamic_cast<const TqvDataSkinPanelControl*>(Record());
    if (!r) return;
    CaptionRect = r->CaptionRect;
    Alignment = r->Alignment;
    FontName = r->FontName;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    FontColor = r->FontColor;
    BGPictureIndex = r->BGPictureIndex;
    CheckImageRect = r->CheckImageRect;
    UnCheckImageRect = r->UnCheckImageRect;
    MarkFrameRect = r->MarkFrameRect;
    FrameRect = r->FrameRect;
    FrameTextRect = r->FrameTextRect;
    FrameLeftOffset = r->FrameLeftOffset;
    FrameRightOffset = r->FrameRightOffset;
}

bool TqvSkinPanel::CentreChildren(TRect& R) const {
    if (!AdjustsControls()) return false;
    R = const_cast<TqvSkinPanel*>(this)->GetSkinClientRect();
    return true;
}

void TqvSkinPanel::AdjustClientRect(TRect& rect) {
    GetSkinData();
    int w = Width(), h = Height();
    AdjustSkinSize(w, h);
    if (FIndex == -1) {
        if (FBorderStyle != bvNone) InflateRect(rect, -1, -1);
        if (FCaptionMode) {
            if (FRibbonStyle) rect.Bottom -= FDefaultCaptionHeight;
            else rect.Top += FDefaultCaptionHeight;
        }
        return;
    }
    if (BGPictureIndex != -1 || (FBorderStyle == bvNone && !FCaptionMode && G.ResizeMode == 1)) return;
    rect = G.NewClRect;
}

TRect TqvSkinPanel::GetSkinClientRect() {
    TRect r = Rect(0, 0, Width(), Height());
    AdjustClientRect(r);
    return r;
}

void TqvSkinPanel::Relayout() {
    update();
    Realign();
}

void TqvSkinPanel::SetBorderStyle(TqvSkinBorderStyle v) {
    FBorderStyle = v;
    GetSkinData();
    if (FIndex == -1) Relayout();
}

void TqvSkinPanel::SetCaptionMode(bool v) {
    FCaptionMode = v;
    Relayout();
}

void TqvSkinPanel::SetDefaultCaptionHeight(int v) {
    FDefaultCaptionHeight = v;
    GetSkinData();
    if (FIndex == -1 && FCaptionMode) Relayout();
}

void TqvSkinPanel::SetDefaultAlignment(TAlignment v) {
    FDefaultAlignment = v;
    update();
}

void TqvSkinPanel::SetRibbonStyle(bool v) {
    if (v == FRibbonStyle) return;
    FRibbonStyle = v;
    update();
}

void TqvSkinPanel::SetTransparentMode(bool v) {
    if (v == FTransparentMode) return;
    FTransparentMode = v;
    update();
    NotifyChildrenParentBackground();
}

void TqvSkinPanel::SetRollUpMode(bool v) {
    FRollUpMode = v;
    update();
}

void TqvSkinPanel::SetCheckedMode(bool v) {
    FCheckedMode = v;
    update();
}

void TqvSkinPanel::SetGlyph(const TBitmap& b) {
    FGlyph = b;
    update();
}

void TqvSkinPanel::SetNumGlyphs(int v) {
    FNumGlyphs = std::clamp(v, 1, 2);
    update();
}

void TqvSkinPanel::SetSpacing(int v) {
    FSpacing = v;
    update();
}

void TqvSkinPanel::SetImagePosition(TqvImagePosition v) {
    if (v == FImagePosition) return;
    FImagePosition = v;
    update();
}

void TqvSkinPanel::SetCaptionImageList(TCustomImageList* v) {
    FCaptionImageList = v;
    update();
}

void TqvSkinPanel::SetCaptionImageIndex(int v) {
    if (v == FCaptionImageIndex) return;
    FCaptionImageIndex = v;
    update();
}

void TqvSkinPanel::SetChecked(bool v) {
    FChecked = v;
    if (FCheckedMode) {
        update();
        if (FAutoEnabledControls)
            for (TControl* c : Controls()) c->SetEnabled(v);
    }
    if (OnChecked) OnChecked(this);
}

// Rolling up keeps the size limits aside, so the caption strip can be
// smaller than the minimum height; unrolling gives them back.
void TqvSkinPanel::SetRollUpState(bool v) {
    if (v == FRollUpState) return;
    if (!FRollUpMode) {
        SetConstraints(FSavedConstraints);
        return;
    }
    if (v) {
        FSavedConstraints = Constraints();
        SetConstraints({});
    }
    FRollUpState = v;
    DoRollUp(v);
    if (!v) SetConstraints(FSavedConstraints);
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TqvSkinPanel::DoRollUp(bool ARollUp) {
    FInChangingRollUp = true;
    if (ARollUp && FRealHeight == -1) {
        FRealHeight = Height();
        DisableAlign();
        for (TControl* c : Controls()) c->QWidget::setVisible(false);
        GetSkinData();
        int w = Width(), h = Height();
        AdjustSkinSize(w, h);
        SetHeight(FIndex == -1 ? FDefaultCaptionHeight + 1 : Height() - G.NewClRect.Height());
    } else if (!ARollUp && FRealHeight != -1) {
        SetHeight(FRealHeight);
        FRealHeight = -1;
        for (TControl* c : Controls()) c->QWidget::setVisible(c->Visible());
        EnableAlign();
    }
    FInChangingRollUp = false;
}

void TqvSkinPanel::ChangeSkinData() {
    TqvSkinCustomControl::ChangeSkinData();
    if (!FRollUpState) {
        Realign();
        return;
    }
    const int real = FRealHeight;
    FRealHeight = -1;
    // The children are already hidden and aligning held; roll up for the new borders only.
    FInChangingRollUp = true;
    GetSkinData();
    int w = Width(), h = Height();
    AdjustSkinSize(w, h);
    SetHeight(FIndex == -1 ? FDefaultCaptionHeight + 1 : Height() - G.NewClRect.Height());
    FInChangingRollUp = false;
    FRealHeight = real;
}

void TqvSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TqvSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1) update();
}

void TqvSkinPanel::CheckParentBackground() {
    if (!FTransparentMode) return;
    update();
    NotifyChildrenParentBackground();
}

void TqvSkinPanel::moveEvent(QMoveEvent* e) {
    TqvSkinCustomControl::moveEvent(e);
    Application()->Guard([&] { CheckParentBackground(); });
}

void TqvSkinPanel::TextChanged() {
    if (FCaptionMode) update();
}

void TqvSkinPanel::EnabledChanged() { update(); }

void TqvSkinPanel::UpdateCaptionRect() {
    FNewCaptionRect = G.ResizeMode < 1 ? CaptionRect : MapSkinRect(CaptionRect);
}

void TqvSkinPanel::mouseReleaseEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        if (e->button() != Qt::LeftButton || !FCaptionMode || !(FRollUpMode || FCheckedMode)) return;
        GetSkinData();
        TRect hit;
        if (FIndex != -1) {
            int w = Width(), h = Height();
            AdjustSkinSize(w, h);
            if (!FTransparentMode) UpdateCaptionRect();
            hit = FNewCaptionRect;
        } else {
            hit = Rect(1, 1, Width() - 1, FDefaultCaptionHeight);
        }
        if (!hit.Contains(TPoint::FromQPoint(e->position().toPoint()))) return;
        if (FCheckedMode) SetChecked(!FChecked);
        if (FRollUpMode) SetRollUpState(!FRollUpState);
    });
    TqvSkinCustomControl::mouseReleaseEvent(e);
}

// ---- pictures ----

TColor TqvSkinPanel::GetCaptionFontColor() const {
    if (FSD) {
        const int i = FSD->GetControlIndex(QStringLiteral("stdlabel"));
        if (i >= 0)
            if (const auto* r = dynamic_cast<const TqvDataSkinStdLabelControl*>(FSD->CtrlList[std::size_t(i)].get()))
                return r->FontColor;
        return FSD->SkinColors().cBtnText();
    }
    return clBtnText;
}

bool TqvSkinPanel::ClientTextColor(TColor& Colour) const {
    if (FIndex == -1) return false;
    Colour = GetCaptionFontColor();
    return true;
}

void TqvSkinPanel::SetCaptionFont(TCanvas& C) const {
    if (UseSkinFont() && FIndex != -1) {
        C.Font().SetName(FontName);
        C.Font().SetHeight(FontHeight);
        C.Font().SetStyle(FontStyle);
    } else {
        C.SetFont(const_cast<TqvSkinPanel*>(this)->DefaultFont());
    }
}

int TqvSkinPanel::GetCaptionContentWidth(TCanvas& C) const {
    int w = C.TextWidth(Caption());
    if (!FGlyph.Empty()) w += FGlyph.Width() / FNumGlyphs + FSpacing;
    return w;
}

// The caption image (only without a glyph) or the glyph at x, centred in R.
void TqvSkinPanel::DrawCaptionPicture(TCanvas& C, int x, const TRect& R) {
    if (!FGlyph.Empty()) {
        const int frame = (!Enabled() && FNumGlyphs == 2) ? 2 : 1;
        DrawGlyphFromStrip(C, x, R.Top + R.Height() / 2 - FGlyph.Height() / 2, FGlyph, FNumGlyphs, frame);
    } else if (FCaptionImageList && FCaptionImageIndex >= 0 && FCaptionImageIndex < FCaptionImageList->Count()) {
        FCaptionImageList->Draw(C, x, R.Top + R.Height() / 2 - FCaptionImageList->Height() / 2, FCaptionImageIndex,
                                Enabled());
    }
}

void TqvSkinPanel::DrawSkinCaption(TCanvas& C) {
    TRect R = FNewCaptionRect;
    if (FRollUpMode) R.Right -= 12;
    if (FCheckedMode) {
        const TRect mark = FChecked ? CheckImageRect : UnCheckImageRect;
        DrawTransparentRect(C, R.Left, R.Top + R.Height() / 2 - mark.Height() / 2, G.Picture, mark);
        R.Left += mark.Width() + 2;
    }
    SetCaptionFont(C);
    C.Font().SetColor(FontColor);
    const QString text = Caption();
    const int th = C.TextHeight(text), tw = C.TextWidth(text);
    const int y = R.Height() / 2 + R.Top - th / 2;
    const int content = GetCaptionContentWidth(C);
    auto alignX = [&](int width) {
        switch (Alignment) {
        case taRightJustify: return R.Right - width;
        case taCenter: return R.Left + R.Width() / 2 - width / 2;
        default: return R.Left;
        }
    };
    int x = alignX(content);
    const bool hasImage = FGlyph.Empty() && FCaptionImageList && FCaptionImageIndex >= 0 &&
                          FCaptionImageIndex < FCaptionImageList->Count();
    const int imageW = !FGlyph.Empty() ? FGlyph.Width() / FNumGlyphs : hasImage ? FCaptionImageList->Width() : 0;
    int imageX = -1;
    if (imageW > 0) {
        if (FImagePosition == qvipLeft) {
            imageX = R.Left + 2;
            x = std::max(alignX(tw), R.Left + 2 + imageW + FSpacing);
        } else {
            imageX = x;
            x += imageW + FSpacing;
        }
    }
    if (FRollUpMode) {
        const TRect M{R.Right, R.Top, R.Right + 10, R.Bottom};
        if (!Empty(MarkFrameRect))
            C.CopyRect(Rect(M.Left, M.Top, M.Left + MarkFrameRect.Width(), CaptionRect.Top + MarkFrameRect.Height()),
                       G.Picture, MarkFrameRect);
        DrawArrowImage(C, M, FontColor, FRollUpState ? 4 : 3);
    }
    if (!Empty(FrameRect)) {
        const int D = FrameRect.Width() - FrameTextRect.Width();
        QImage frame;
        MakeHorzSkinImage(FrameLeftOffset, FrameRightOffset, frame, G.Picture, FrameRect, D + tw, FrameRect.Height(),
                          false);
        int fx = x;
        switch (Alignment) {
        case taRightJustify:
            fx = x - D;
            x = x - D + FrameTextRect.Left;
            if (imageX >= 0) imageX -= D;
            break;
        case taCenter:
            fx = x - FrameTextRect.Left - 2;
            x -= 2;
            if (imageX >= 0) imageX -= FrameTextRect.Left;
            break;
        default: x += FrameTextRect.Left; break;
        }
        C.Draw(fx, CaptionRect.Top, frame);
    }
    C.Brush().SetStyle(bsClear);
    C.TextRect(R, x, y, text);
    if (imageX >= 0) DrawCaptionPicture(C, imageX, R);
}

void TqvSkinPanel::CreateControlSkinImage(QImage& B) {
    if (FBorderStyle == bvNone && G.ResizeMode == 1 && !FCaptionMode && !G.StretchEffect) {
        TileClient(B, Rect(0, 0, B.width(), B.height()));
        return;
    }
    TqvSkinCustomControl::CreateControlSkinImage(B);
    UpdateCaptionRect();
    if (!Caption().isEmpty() && !Empty(CaptionRect)) {
        TCanvas c(&B);
        DrawSkinCaption(c);
    }
}

// The record's client part tiled over area of B from its top-left corner.
void TqvSkinPanel::TileClient(QImage& B, const TRect& area) {
    TRect src = G.ClRect;
    OffsetRect(src, G.SkinRect.Left, G.SkinRect.Top);
    const int pw = src.Width(), ph = src.Height();
    if (G.Picture.isNull() || pw <= 0 || ph <= 0) return;
    const int w = area.Width(), h = area.Height();
    if (G.StretchEffect) {
        switch (G.StretchType) {
        case qvstFull: StretchBlt(B, area, G.Picture, src); return;
        case qvstHorz:
            for (int i = 0; i <= w / pw; ++i) StretchBlt(B, Bounds(area.Left + i * pw, area.Top, pw, h), G.Picture, src);
            return;
        case qvstVert:
            for (int i = 0; i <= h / ph; ++i) StretchBlt(B, Bounds(area.Left, area.Top + i * ph, w, ph), G.Picture, src);
            return;
        }
    }
    for (int x = 0; x <= w / pw; ++x)
        for (int y = 0; y <= h / ph; ++y) {
            const int dx = area.Left + x * pw, dy = area.Top + y * ph;
            BitBlt(B, dx, dy, std::min(pw, area.Right - dx), std::min(ph, area.Bottom - dy), G.Picture, src.Left,
                   src.Top);
        }
}

void TqvSkinPanel::DrawBackgroundPicture(QImage& B) {
    const QImage& P = FSD->FActivePictures[std::size_t(BGPictureIndex)];
    const int W = B.width(), H = B.height(), pw = P.width(), ph = P.height();
    if (pw <= 0 || ph <= 0) return;
    const TRect whole = Rect(0, 0, pw, ph);
    if (G.StretchEffect) {
        switch (G.StretchType) {
        case qvstFull: StretchBlt(B, G.NewClRect, P, whole); return;
        case qvstHorz:
            for (int i = 0; i <= W / pw; ++i) StretchBlt(B, Bounds(i * pw, 0, pw, H), P, whole);
            return;
        case qvstVert:
            for (int i = 0; i <= H / ph; ++i) StretchBlt(B, Bounds(0, i * ph, W, ph), P, whole);
            return;
        }
    }
    for (int x = 0; x <= W / pw; ++x)
        for (int y = 0; y <= H / ph; ++y) BitBlt(B, x * pw, y * ph, pw, ph, P, 0, 0);
}

void TqvSkinPanel::DrawGroupFrame(QImage& B) {
    TCanvas c(&B);
    const int W = B.width(), H = B.height();
    SetCaptionFont(c);
    const QString text = Caption();
    const int T = c.TextHeight(text.isEmpty() ? QStringLiteral("W") : text);
    FNewCaptionRect = Rect(5, 0, W, T + 5);
    int a = 5;
    if (FCheckedMode) {
        const TRect mark = FChecked ? CheckImageRect : UnCheckImageRect;
        DrawTransparentRect(c, 5, (T + 5) / 2 - mark.Height() / 2, G.Picture, mark);
        a = mark.Width() + 10;
    }
    const TRect strip = Rect(0, 0, W, T + 5);
    const int pictureW = !FGlyph.Empty() ? FGlyph.Width() / FNumGlyphs
                         : (FCaptionImageList && FCaptionImageIndex >= 0 &&
                            FCaptionImageIndex < FCaptionImageList->Count())
                             ? FCaptionImageList->Width()
                             : 0;
    if (pictureW > 0) {
        DrawCaptionPicture(c, a, strip);
        a += pictureW + 2;
    }
    const TColor colour = GetCaptionFontColor();
    c.Font().SetColor(colour);
    c.Brush().SetStyle(bsClear);
    const int tw = c.TextWidth(text);
    c.TextOut(a, (T + 5) / 2 - c.TextHeight(text) / 2, text);
    if (FRollUpMode) DrawArrowImage(c, Rect(a + tw + 3, 0, a + tw + 10, T + 5), colour, FRollUpState ? 4 : 3);
    c.Pen().SetColor(FSD ? FSD->SkinColors().cBtnShadow() : clBtnShadow);
    const int y = (T + 5) / 2;
    c.MoveTo(0, y);
    c.LineTo(5, y);
    c.MoveTo(a + tw + (FRollUpMode ? 12 : 3), y);
    c.LineTo(W - 1, y);
    c.LineTo(W - 1, H - 1);
    c.LineTo(0, H - 1);
    c.LineTo(0, y);
}

void TqvSkinPanel::PaintImage(QImage& B) {
    GetSkinData();
    int w = Width(), h = Height();
    AdjustSkinSize(w, h);
    const bool record = FIndex != -1;
    if (FTransparentMode && record) {
        TCanvas c(&B);
        CopyParentBackground(this, c);
        if (!FCaptionMode) {
            if (FBorderStyle != bvNone) {
                c.Pen().SetColor(FSD->SkinColors().cBtnShadow());
                c.Brush().SetStyle(bsClear);
                c.Rectangle(0, 0, B.width(), B.height());
            }
        } else {
            DrawGroupFrame(B);
        }
        DoPanelPaint(c);
        return;
    }
    if (!record || (!FForceBackground && G.StretchEffect)) {
        TqvSkinCustomControl::PaintImage(B);
        return;
    }
    if (FBorderStyle == bvNone && G.ResizeMode == 1 && !FCaptionMode && FForceBackground) {
        TileClient(B, Rect(0, 0, B.width(), B.height()));
        return;
    }
    if (BGPictureIndex == -1 || BGPictureIndex >= int(FSD->FActivePictures.size())) {
        TqvSkinCustomControl::PaintImage(B);
        return;
    }
    DrawBackgroundPicture(B);
}

void TqvSkinPanel::CreateControlDefaultImage(QImage& B) {
    TqvSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas c(&B);
    const int W = B.width(), H = B.height();
    TRect r = Rect(0, 0, W, H);
    switch (FBorderStyle) {
    case bvFrame:
        c.Brush().SetColor(clBtnShadow);
        c.FrameRect(r);
        InflateRect(r, -1, -1);
        break;
    case bvRaised: Frame3D(c, r, clBtnHighlight, clBtnShadow, 1); break;
    case bvLowered: Frame3D(c, r, clBtnShadow, clBtnHighlight, 1); break;
    case bvNone: break;
    }
    if (!FCaptionMode) return;
    TRect bar;
    const int dch = FDefaultCaptionHeight;
    if (FBorderStyle != bvFrame) {
        bar = FRibbonStyle ? Rect(1, H - dch - 1, W - 1, H - 1) : Rect(1, 1, W - 1, dch);
        Frame3D(c, bar, clBtnShadow, clBtnHighlight, 1);
        Frame3D(c, bar, clBtnHighlight, clBtnShadow, 1);
    } else {
        bar = FRibbonStyle ? Rect(0, H - dch, W, H) : Rect(0, 0, W, dch);
        c.Brush().SetColor(clBtnShadow);
        c.FrameRect(bar);
        InflateRect(bar, -1, -1);
        Frame3D(c, bar, clBtnHighlight, clBtnFace, 1);
    }
    TRect text = bar;
    if (FCheckedMode) text.Left += 20;
    if (FRollUpMode) text.Right -= 10;
    c.SetFont(DefaultFont());
    const QString caption = Caption();
    const int th = c.TextHeight(caption.isEmpty() ? QStringLiteral("W") : caption);
    const int y = text.Height() / 2 + text.Top - th / 2;
    const int content = GetCaptionContentWidth(c);
    int x = text.Left + 2;
    if (FDefaultAlignment == taRightJustify) x = text.Right - content;
    else if (FDefaultAlignment == taCenter) x = text.Left + 2 + text.Width() / 2 - content / 2;
    if (FCheckedMode) {
        const int top = bar.Height() / 2 + bar.Top - 7;
        c.Brush().SetColor(clBtnShadow);
        c.FrameRect(Bounds(5, top, 14, 14));
        if (FChecked) DrawCheckImage(c, 8, top + 2, clBtnText);
    }
    const bool hasImage = FGlyph.Empty() && FCaptionImageList && FCaptionImageIndex >= 0 &&
                          FCaptionImageIndex < FCaptionImageList->Count();
    const int imageW = !FGlyph.Empty() ? FGlyph.Width() / FNumGlyphs : hasImage ? FCaptionImageList->Width() : 0;
    if (imageW > 0) {
        DrawCaptionPicture(c, x, text);
        x += imageW + FSpacing;
    }
    c.Brush().SetStyle(bsClear);
    c.TextRect(text, x, y, caption);
    if (FRollUpMode) DrawArrowImage(c, Rect(text.Right, text.Top, text.Right + 10, text.Bottom), clBtnText,
                                    FRollUpState ? 4 : 3);
}

void TqvSkinPanel::PaintskinTo(TCanvas& C, int X, int Y) {
    const QImage img = BuildImage();
    if (!img.isNull()) C.Draw(X, Y, img);
}
