#include "skin/forms/frame/FramePaint.h"

#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "skin/forms/objects/FrameObject.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/EffectBmp.h"
#include "skin/model/draw/SkinCompose.h"

const QImage& FramePicture(const TqvSkinData& S, bool Active) {
    return Active || S.FInActivePicture.isNull() ? S.FPicture : S.FInActivePicture;
}

TqvFramePieces ComposeFramePieces(const TqvSkinData& S, bool Active, const TqvFrameGeometry& G) {
    TqvFramePieces p;
    const QImage& pic = FramePicture(S, Active);
    if (pic.isNull()) return p;
    ComposeSkinFrameImage(S.LTPoint, S.RTPoint, S.LBPoint, S.RBPoint, S.ClRect, G.NewLTPoint, G.NewRTPoint,
                          G.NewLBPoint, G.NewRBPoint, G.NewClRect, p.Left, p.Top, p.Right, p.Bottom, pic,
                          Rect(0, 0, pic.width(), pic.height()), G.Width, G.Height, S.LeftStretch, S.TopStretch,
                          S.RightStretch, S.BottomStretch);
    return p;
}

void ApplyInActiveEffect(QImage& piece, TqvInActiveEffect effect) {
    if (piece.isNull()) return;
    TqvEffectBmp e(piece);
    switch (effect) {
    case ieBrightness: e.ChangeBrightness(0.5); break;
    case ieDarkness: e.ChangeDarkness(0.3); break;
    case ieGrayScale: e.GrayScale(); break;
    case ieNoise: e.AddMonoNoise(50); break;
    case ieSplitBlur: e.SplitBlur(1); break;
    case ieInvert: e.Invert(); break;
    }
    piece = e.Image().convertToFormat(QImage::Format_RGB32);
}

TqvFramePieces FinishFramePieces(const TqvFramePieces& Raw, const TqvSkinData& S, bool Active,
                                 const TqvFrameGeometry& G, const TqvFrameObjects& Objects) {
    TqvFramePieces p = Raw;
    bool any = false;
    for (const auto& o : Objects) any = any || o->Visible;
    if (any) {
        // Objects draw in window coordinates: the bottom piece starts at the client's bottom.
        QPainter top(&p.Top), bottom(&p.Bottom);
        if (bottom.isActive()) bottom.translate(0, -G.NewClRect.Bottom);
        for (const auto& o : Objects) {
            if (!o->Visible) continue;
            if (o->ObjectRect.Bottom <= G.NewClRect.Top) {
                if (top.isActive()) o->Draw(top, false);
            } else if (bottom.isActive()) {
                o->Draw(bottom, false);
            }
        }
    }
    if (!Active && !S.Empty && S.AutoRenderingInActiveImage)
        for (QImage* piece : {&p.Top, &p.Left, &p.Right, &p.Bottom}) ApplyInActiveEffect(*piece, S.InActiveEffect);
    return p;
}

void DrawFramePieces(QPainter& P, const TqvFramePieces& Pc, int W, int H) {
    const int th = Pc.Top.height();
    if (!Pc.Top.isNull()) P.drawImage(0, 0, Pc.Top);
    if (!Pc.Left.isNull()) P.drawImage(0, th, Pc.Left);
    if (!Pc.Right.isNull()) P.drawImage(W - Pc.Right.width(), th, Pc.Right);
    if (!Pc.Bottom.isNull()) P.drawImage(0, H - Pc.Bottom.height(), Pc.Bottom);
}

QImage BuildSkinFrameImage(const TqvSkinData& S, bool Active, const TqvFrameGeometry& G,
                           const TqvFrameObjects& Objects) {
    QImage img(G.Width, G.Height, QImage::Format_RGB32);
    img.fill(Qt::white);
    const TqvFramePieces p = FinishFramePieces(ComposeFramePieces(S, Active, G), S, Active, G, Objects);
    QPainter painter(&img);
    DrawFramePieces(painter, p, G.Width, G.Height);
    return img;
}

QImage BuildDefaultFrameImage(const TqvDefaultFrameInput& In) {
    const int W = In.Width, H = In.Height, C = DefCaptionHeight(In.ToolWindow);
    QImage img(qMax(W, 0), qMax(H, 0), QImage::Format_RGB32);
    if (img.isNull()) return img;
    img.fill(ColorToQColor(clBtnFace));
    const int bw = W - 6;
    if (bw > 0 && C > 0) {
        QImage cap(bw, C, QImage::Format_RGB32);
        TCanvas cv(&cap);
        cv.Brush().SetColor(clBtnFace);
        cv.FillRect(Rect(0, 0, bw, C));
        const int L = In.CaptionRect.Left - 3, Rt = bw - In.CaptionRect.Right;
        if (C - 4 > 1)
            for (int y = 2; y <= C - 4; ++y) {
                cv.Pen().SetColor((y - 2) % 2 == 0 ? clBtnHighlight : clBtnShadow);
                cv.MoveTo(L + 2, y);
                cv.LineTo(bw - Rt - 6, y);
            }
        cv.SetFont(In.Active ? In.ActiveFont : In.InActiveFont);
        if (In.OnCaptionPaint) {
            QPainter p(&cap);
            In.OnCaptionPaint(p, Rect(L, 0, bw - Rt - 3, C), In.Active);
        } else if (!In.Caption.isEmpty()) {
            QString s = In.Caption;
            FitWideTextToWidth(cv, s, bw - L - Rt);
            const TSize ext = cv.TextExtent(s);
            const int x = L + (bw - L - Rt) / 2 - (ext.cx + 5) / 2;
            const int y = C / 2 - ext.cy / 2;
            TRect r = Rect(x, y, x, y);
            cv.DrawText(s, r, DT_CALCRECT | DT_SINGLELINE);
            TRect patch = r;
            InflateRect(patch, 2, 2);
            cv.Brush().SetColor(clBtnFace);
            cv.FillRect(patch);
            cv.Brush().SetStyle(bsClear);
            cv.DrawText(s, r, DT_VCENTER | DT_SINGLELINE);
        }
        if (In.Objects && !In.Objects->empty()) {
            QPainter p(&cap);
            p.translate(-3, -3);
            for (const auto& o : *In.Objects)
                if (o->Visible) o->Draw(p, true);
        }
        BitBlt(img, 3, 3, bw, C, cap, 0, 0);
    }
    TCanvas cv(&img);
    TRect r = Rect(0, 0, W, H);
    Frame3D(cv, r, cl3DLight, cl3DDkShadow, 1);
    Frame3D(cv, r, clBtnHighlight, clBtnShadow, 1);
    Frame3D(cv, r, clBtnFace, clBtnFace, 1);
    return img;
}

void DrawLogo(QImage& Client, const QImage& Logo, bool Transparent) {
    if (Logo.isNull()) return;
    const int x = qMax(0, Client.width() / 2 - Logo.width() / 2);
    const int y = qMax(0, Client.height() / 2 - Logo.height() / 2);
    const TRect dst = Bounds(x, y, Logo.width(), Logo.height());
    const TRect src = Rect(0, 0, Logo.width(), Logo.height());
    if (Transparent) {
        // The bottom-left pixel is the transparent colour, as for the class library's bitmaps.
        const QRgb k = Logo.pixel(0, Logo.height() - 1);
        TransparentBlt(Client, dst, Logo, src, RGB(qRed(k), qGreen(k), qBlue(k)));
    } else {
        BitBlt(Client, x, y, Logo.width(), Logo.height(), Logo, 0, 0);
    }
}

namespace {
// T over the client: stretched (to the form's size, as the frame does), or tiled.
void FillFromTile(QImage& dst, const QImage& T, bool stretch, TqvStretchType type, QSize form) {
    const int tw = T.width(), th = T.height();
    if (tw <= 0 || th <= 0) return;
    const TRect whole = Rect(0, 0, tw, th);
    if (stretch) {
        switch (type) {
        case qvstFull: StretchBlt(dst, Rect(0, 0, form.width(), form.height()), T, whole); break;
        case qvstHorz: {
            QImage col(tw, form.height(), QImage::Format_RGB32);
            StretchBlt(col, Rect(0, 0, tw, form.height()), T, whole);
            for (int i = 0; i <= form.width() / tw; ++i) BitBlt(dst, i * tw, 0, tw, col.height(), col, 0, 0);
            break;
        }
        case qvstVert: {
            QImage row(form.width(), th, QImage::Format_RGB32);
            StretchBlt(row, Rect(0, 0, form.width(), th), T, whole);
            for (int i = 0; i <= form.height() / th; ++i) BitBlt(dst, 0, i * th, row.width(), th, row, 0, 0);
            break;
        }
        }
        return;
    }
    for (int r = 0; r <= dst.height() / th; ++r)
        for (int c = 0; c <= dst.width() / tw; ++c) BitBlt(dst, c * tw, r * th, tw, th, T, 0, 0);
}
}  // namespace

QImage BuildClientBackground(const TqvClientBackgroundInput& In) {
    QImage img(qMax(In.Client.width(), 0), qMax(In.Client.height(), 0), QImage::Format_RGB32);
    if (img.isNull()) return img;
    img.fill(ColorToQColor(clBtnFace));
    const TqvSkinData* S = In.Skin;
    if (!S || S->Empty) {
        DrawLogo(img, In.Logo, In.LogoTransparent);
        return img;
    }
    auto picture = [&](int index) -> const QImage* {
        if (index < 0 || std::size_t(index) >= S->FActivePictures.size()) return nullptr;
        const QImage& p = S->FActivePictures[std::size_t(index)];
        return p.isNull() ? nullptr : &p;
    };
    if (In.UseRibbon && picture(S->MDIBGPictureIndex)) {
        FillFromTile(img, *picture(S->MDIBGPictureIndex), S->MDIBGStretchEffect, S->MDIBGStretchType, In.Form);
        DrawLogo(img, In.Logo, In.LogoTransparent);
        return img;
    }
    if (const QImage* bg = picture(S->BGPictureIndex)) {
        FillFromTile(img, *bg, S->StretchEffect, S->StretchType, In.Form);
        DrawLogo(img, In.Logo, In.LogoTransparent);
        return img;
    }
    // The client part of the frame picture; none means the plain face and no logo.
    if (IsNullRect(S->ClRect) || S->FPicture.isNull()) return img;
    const QImage T = S->FPicture.copy(S->ClRect.ToQRect());
    FillFromTile(img, T, S->StretchEffect, S->StretchType, In.Form);
    DrawLogo(img, In.Logo, In.LogoTransparent);
    return img;
}
