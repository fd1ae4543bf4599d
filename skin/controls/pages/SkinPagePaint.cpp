// Painting of the skinned page control and its sheets.
#include "skin/controls/pages/SkinPageControl.h"

#include "platform/Messages.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/SkinTypes.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/EffectBmp.h"
#include "skin/model/draw/SkinCompose.h"

#include <QPainter>

namespace {

bool Set(const TRect& r) { return r.Width() > 0 && r.Height() > 0; }

QImage ModelPicture(const TqvSkinData* model, int index) {
    if (!model || index < 0 || index >= int(model->FActivePictures.size())) return {};
    return model->FActivePictures[std::size_t(index)];
}

void Tile(QImage& B, const TRect& area, const QImage& part) {
    const int pw = part.width(), ph = part.height();
    if (part.isNull() || pw <= 0 || ph <= 0) return;
    for (int y = area.Top; y < area.Bottom; y += ph)
        for (int x = area.Left; x < area.Right; x += pw)
            BitBlt(B, x, y, std::min(pw, area.Right - x), std::min(ph, area.Bottom - y), part, 0, 0);
}

constexpr TColor kHotFill = 0xD2BDB6;      // (182, 189, 210)
constexpr TColor kFocusedFill = 0xB59385;  // (133, 147, 181)

}  // namespace

// ---- sheets ----

void TqvSkinTabSheet::SetWallPaper(const QImage& v) {
    FWallPaper = v;
    update();
}

void TqvSkinTabSheet::Paint() {
    QImage& B = *Canvas().Image();
    const int W = B.width(), H = B.height();
    if (W <= 0 || H <= 0) return;
    if (!FWallPaper.isNull()) {
        Tile(B, Rect(0, 0, W, H), FWallPaper.convertToFormat(QImage::Format_RGB32));
        return;
    }
    auto* pc = dynamic_cast<TqvSkinPageControl*>(PageControl());
    const QImage piece = pc ? pc->BackgroundPiece() : QImage();
    if (piece.isNull()) {
        TCanvas& C = Canvas();
        C.Brush().SetColor(clBtnFace);
        C.FillRect(Rect(0, 0, W, H));
        return;
    }
    if (pc->StretchedSkin()) StretchBlt(B, Rect(0, 0, pc->Width(), pc->Height()), piece,
                                        Rect(0, 0, piece.width(), piece.height()));
    else Tile(B, Rect(0, 0, W, H), piece);
}

void TqvSkinTabSheet::resizeEvent(QResizeEvent* e) {
    TTabSheet::resizeEvent(e);
    update();
    auto* pc = dynamic_cast<TqvSkinPageControl*>(PageControl());
    // Transparent children copy the stretched background again.
    if (pc && pc->StretchedSkin())
        for (TControl* c : Controls()) SendMessage(c, WM_SKIN_PARENT_CHANGED, 0, 0);
}

// ---- the control ----

bool TqvSkinPageControl::StretchedSkin() const {
    const TqvDataSkinTabControl* r = TabRecord();
    return r && r->StretchEffect && FSD && !FSD->Empty;
}

QImage TqvSkinPageControl::BackgroundPiece() const {
    const TqvDataSkinTabControl* r = TabRecord();
    if (!r) return {};
    if (r->BGPictureIndex != -1) return ModelPicture(FSD.data(), r->BGPictureIndex);
    const QImage pic = ModelPicture(FSD.data(), r->PictureIndex);
    TRect src = r->ClRect;
    OffsetRect(src, r->SkinRect.Left, r->SkinRect.Top);
    if (pic.isNull() || !Set(src)) return {};
    return pic.copy(src.ToQRect());
}

TRect TqvSkinPageControl::GetActiveTabRect() const {
    const int idx = TabIndex();
    if (idx < 0 || !ActivePage()) return {};
    TRect r = TabRect(idx);
    const TqvDataSkinTabControl* s = TabRecord();
    const int d = s && Set(s->ActiveTabRect) ? s->ActiveTabRect.Height() - s->TabRect.Height() : 0;
    switch (TabPosition()) {
    case tpTop: r.Bottom += d; break;
    case tpBottom: r.Top -= d; break;
    case tpLeft: r.Right += d; break;
    case tpRight: r.Left -= d; break;
    }
    return r;
}

void TqvSkinPageControl::Paint() {
    QImage& B = *Canvas().Image();
    if (B.width() <= 0 || B.height() <= 0) return;
    GetSkinData();
    TCanvas C(&B);
    C.Brush().SetColor(clBtnFace);
    C.FillRect(Rect(0, 0, B.width(), B.height()));
    if (!TabRecord()) {
        if (!FHideBorder) {
            TRect r = DisplayRect();
            InflateRect(r, 1, 1);
            C.Brush().SetColor(clBtnShadow);
            C.FrameRect(r);
        }
    } else {
        DrawSkinBorder(B);
    }
    DrawTabs(B);
}

void TqvSkinPageControl::DrawSkinBorder(QImage& B) {
    const TqvDataSkinTabControl* s = TabRecord();
    const QImage pic = ModelPicture(FSD.data(), s->PictureIndex);
    if (FHideBorder || pic.isNull()) return;
    const TRect D = DisplayRect();
    const int sw = s->SkinRect.Width(), sh = s->SkinRect.Height();
    const TRect F = Rect(D.Left - s->ClRect.Left, D.Top - s->ClRect.Top, D.Right + sw - s->ClRect.Right,
                         D.Bottom + sh - s->ClRect.Bottom);
    const int dx = F.Width() - sw, dy = F.Height() - sh;
    TRect cl = s->ClRect;
    cl.Right += dx;
    cl.Bottom += dy;
    QImage left, top, right, bottom;
    ComposeSkinFrameImage(s->LTPoint, s->RTPoint, s->LBPoint, s->RBPoint, s->ClRect, s->LTPoint,
                          Point(s->RTPoint.X + dx, s->RTPoint.Y), Point(s->LBPoint.X, s->LBPoint.Y + dy),
                          Point(s->RBPoint.X + dx, s->RBPoint.Y + dy), cl, left, top, right, bottom, pic,
                          s->SkinRect, F.Width(), F.Height(), s->LeftStretch, s->TopStretch, s->RightStretch,
                          s->BottomStretch);
    QPainter p(&B);
    // The selected tab stays open towards its page.
    const TRect active = GetActiveTabRect();
    QRegion clip(0, 0, B.width(), B.height());
    if (Set(active) && !FHideTabs) clip -= QRegion(active.ToQRect());
    p.setClipRegion(clip);
    p.drawImage(F.Left, F.Top, top);
    p.drawImage(F.Left, F.Top + top.height(), left);
    p.drawImage(F.Right - right.width(), F.Top + top.height(), right);
    p.drawImage(F.Left, F.Bottom - bottom.height(), bottom);
}

void TqvSkinPageControl::DrawTabs(QImage& B) {
    if (FHideTabs || PageCount() == 0) return;
    const int n = VisibleTabCount(), sel = TabIndex();
    const TqvDataSkinTabControl* s = TabRecord();
    if (s && FTabsBGTransparent) {
        // The strip shows what lies under the control.
        const TRect D = DisplayRect();
        TRect strip;
        switch (TabPosition()) {
        case tpTop: strip = Rect(0, 0, Width(), D.Top - s->ClRect.Top); break;
        case tpBottom: strip = Rect(0, D.Bottom + s->SkinRect.Height() - s->ClRect.Bottom, Width(), Height()); break;
        case tpLeft: strip = Rect(0, 0, D.Left - s->ClRect.Left, Height()); break;
        case tpRight: strip = Rect(D.Right + s->SkinRect.Width() - s->ClRect.Right, 0, Width(), Height()); break;
        }
        if (strip.Width() > 0 && strip.Height() > 0) {
            QImage under(strip.Width(), strip.Height(), QImage::Format_RGB32);
            under.fill(ColorToQColor(clBtnFace));
            TCanvas uc(&under);
            CopyParentBackgroundRect(this, strip, uc);
            BitBlt(B, strip.Left, strip.Top, strip.Width(), strip.Height(), under, 0, 0);
        }
    } else if (s) {
        const QImage pic = ModelPicture(FSD.data(), s->PictureIndex);
        TRect src = s->TabsBGRect;
        if (!Set(src)) {
            src = s->ClRect;
            OffsetRect(src, s->SkinRect.Left, s->SkinRect.Top);
        }
        const TRect D = DisplayRect();
        TRect strip;
        switch (TabPosition()) {
        case tpTop: strip = Rect(0, 0, Width(), D.Top - s->ClRect.Top); break;
        case tpBottom: strip = Rect(0, D.Bottom + s->SkinRect.Height() - s->ClRect.Bottom, Width(), Height()); break;
        case tpLeft: strip = Rect(0, 0, D.Left - s->ClRect.Left, Height()); break;
        case tpRight: strip = Rect(D.Right + s->SkinRect.Width() - s->ClRect.Right, 0, Width(), Height()); break;
        }
        if (!pic.isNull() && Set(src)) Tile(B, strip, pic.copy(src.ToQRect()));
    }
    for (int i = 0; i < n; ++i)
        if (i != sel) DrawTab(B, i, TabRect(i), false, i == FActiveTabIndex);
    if (sel < 0) return;
    TRect r = TabRect(sel);
    if (s && Set(s->ActiveTabRect)) {
        const int d = s->TabRect.Height() - s->ActiveTabRect.Height();
        if (TabPosition() == tpBottom) OffsetRect(r, 0, d);
        else if (TabPosition() == tpRight) OffsetRect(r, d, 0);
    }
    DrawTab(B, sel, r, true, sel == FActiveTabIndex);
}

void TqvSkinPageControl::DrawTab(QImage& B, int i, const TRect& R, bool Active, bool MouseIn) {
    TqvSkinTabSheet* sheet = SheetOfTab(i);
    TTabSheet* page = VisiblePage(i);
    if (FHideTabs || !page) return;
    const bool turned = TabPosition() == tpLeft || TabPosition() == tpRight;
    int W = turned ? R.Height() : R.Width(), H = turned ? R.Width() : R.Height();
    if (W <= 0 || H <= 0) return;
    const TqvDataSkinTabControl* s = TabRecord();
    const bool focused = hasFocus();
    QImage T;
    TColor textColor = Font().Color();
    int shift = 0;
    if (!s) {
        T = QImage(W, H, QImage::Format_RGB32);
        TCanvas C(&T);
        const TRect all = Rect(0, 0, W, H);
        if (MouseIn && !Active) {
            C.Brush().SetColor(kHotFill);
            C.FillRect(all);
        } else if (Active) {
            C.Brush().SetColor(clNavy);
            C.FillRect(all);
            C.Brush().SetColor(focused ? kFocusedFill : kHotFill);
            C.FillRect(Rect(1, 1, W - 1, H - 1));
        } else {
            C.Brush().SetColor(clBtnFace);
            C.FillRect(all);
        }
    } else {
        const QImage pic = ModelPicture(FSD.data(), s->PictureIndex);
        const TRect act = Set(s->ActiveTabRect) ? s->ActiveTabRect : s->TabRect;
        const TRect foc = Set(s->FocusTabRect) ? s->FocusTabRect : s->ActiveTabRect;
        TRect S = s->TabRect;
        if (MouseIn && !Active && Set(s->MouseInTabRect)) S = s->MouseInTabRect;
        else if (Active && focused && Set(foc)) S = foc;
        else if (Active) S = act;
        if (TabHeight() <= 0) {
            MakeHorzSkinImage(s->TabLeftOffset, s->TabRightOffset, T, pic, S, W, S.Height(), s->TabStretchEffect);
        } else {
            const int grow = Active ? act.Height() - s->TabRect.Height() : 0;
            if (grow > 0) H += grow;
            T = QImage(W, H, QImage::Format_RGB32);
            const int q = s->TabRect.Height() / 4;
            ResizeSkinImage(T, pic, S, Rect(s->TabLeftOffset, q, S.Width() - s->TabRightOffset, S.Height() - q), true);
        }
        if (T.isNull()) return;
        T = T.convertToFormat(QImage::Format_RGB32);
        if (TabPosition() == tpBottom) T = T.mirrored(false, true);
        textColor = MouseIn && !Active ? s->MouseInFontColor : Active && focused ? s->FocusFontColor
                                                               : Active           ? s->ActiveFontColor
                                                                                  : s->FontColor;
        if (s->TabRect.Height() != act.Height() && !Active)
            shift = TabPosition() == tpTop || TabPosition() == tpLeft ? 2 : -2;
    }
    W = T.width();
    H = T.height();
    TCanvas C(&T);
    TRect r0 = Rect(0, shift, W, H);
    const int closeW = FShowCloseButtons ? FCloseSize + 2 : 0;
    TFont f = Font();
    f.SetColor(textColor);
    C.SetFont(f);
    C.Brush().SetStyle(bsClear);
    if (OnDrawSkinTab) {
        // The owner draws the content; the picture keeps its width, so a close
        // button would start at its right edge, outside it.
        OnDrawSkinTab(page->PageIndex(), Rect(0, 0, W, H), Active, MouseIn, C);
    } else {
        r0.Right = W - 1 - closeW - (s && FShowCloseButtons ? 3 : 0);
        TCustomImageList* il = Images();
        const int ii = page->ImageIndex();
        if (il && ii >= 0 && ii < il->Count()) {
            // Image and caption centred together, the image first.
            const QString cap = page->Caption();
            const int tw = cap.isEmpty() ? 0 : C.TextWidth(cap) + 2, th = C.TextHeight(cap);
            const int x = r0.Width() / 2 - (tw + il->Width() + 2) / 2;
            C.Draw(x, H / 2 + shift - il->Height() / 2, il->Image(ii));
            C.TextOut(x + il->Width() + 2, H / 2 + shift - th / 2, cap);
        } else {
            TRect text = r0;
            C.DrawText(page->Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        }
    }
    if (FShowCloseButtons && sheet) {
        if (!MouseIn) sheet->ButtonMouseIn = false;
        DrawCloseButton(T, r0.Right, r0.Top + (r0.Height()) / 2, sheet);
    }
    QImage out = T;
    if (TabPosition() == tpLeft || TabPosition() == tpRight) {
        const TqvEffectBmp e(T);
        TqvEffectBmp t(T.height(), T.width());
        if (TabPosition() == tpLeft) e.Rotate90_1(t);
        else e.Rotate90_2(t);
        out = t.Image().convertToFormat(QImage::Format_RGB32);
    }
    BitBlt(B, R.Left, R.Top, out.width(), out.height(), out, 0, 0);
}

void TqvSkinPageControl::DrawCloseButton(QImage& T, int left, int mid, TqvSkinTabSheet* sheet) {
    const bool pressed = sheet->ButtonMouseDown && sheet->ButtonMouseIn, hot = sheet->ButtonMouseIn;
    const TqvDataSkinTabControl* s = TabRecord();
    TCanvas C(&T);
    if (s && Set(s->CloseButtonRect)) {
        const QImage pic = ModelPicture(FSD.data(), s->PictureIndex);
        const TRect act = Set(s->CloseButtonActiveRect) ? s->CloseButtonActiveRect : s->CloseButtonRect;
        const TRect down = Set(s->CloseButtonDownRect) ? s->CloseButtonDownRect : act;
        const TRect src = pressed ? down : hot ? act : s->CloseButtonRect;
        const TRect dst = Bounds(left, mid - src.Height() / 2, src.Width(), src.Height());
        if (pic.isNull()) return;
        if (s->ButtonTransparent) TransparentBlt(T, dst, pic, src, s->ButtonTransparentColor);
        else StretchBlt(T, dst, pic, src);
        return;
    }
    DrawCloseGlyph(C, left + 2, mid - 7 + 2, hot || pressed ? TColor(0xFFFFFF) : clBlack);
}
