#include "skin/forms/frame/FrameGeometry.h"

#include "skin/forms/objects/FrameObject.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/SkinCompose.h"

#include <array>

TqvFrameGeometry CalcFormRects(const TqvSkinFormInfo& I, QSize Picture, int Width, int Height) {
    TqvFrameGeometry g;
    g.Width = Width;
    g.Height = Height;
    g.Picture = Picture;
    g.LTPoint = I.LTPoint;
    g.RTPoint = I.RTPoint;
    g.LBPoint = I.LBPoint;
    g.RBPoint = I.RBPoint;
    const int dW = Width - Picture.width(), dH = Height - Picture.height();
    g.NewLTPoint = I.LTPoint;
    g.NewRTPoint = {I.RTPoint.X + dW, I.RTPoint.Y};
    g.NewLBPoint = {I.LBPoint.X, I.LBPoint.Y + dH};
    g.NewRBPoint = {I.RBPoint.X + dW, I.RBPoint.Y + dH};
    g.NewClRect = Rect(I.ClRect.Left, I.ClRect.Top, I.ClRect.Right + dW, I.ClRect.Bottom + dH);
    g.NewCaptionRect = I.CaptionRect;
    if (!IsNullRect(I.CaptionRect)) g.NewCaptionRect.Right += dW;
    g.NewButtonsRect = I.ButtonsRect;
    if (!IsNullRect(I.ButtonsRect) && I.ButtonsRect.Left > Picture.width() / 2) OffsetRect(g.NewButtonsRect, dW, 0);
    g.NewButtonsInLeft = I.CapButtonsInLeft;
    g.NewButtonsOffset = I.ButtonsOffset;
    g.NewHitTestLTPoint = I.HitTestLTPoint;
    g.NewHitTestRTPoint = {I.HitTestRTPoint.X + dW, I.HitTestRTPoint.Y};
    g.NewHitTestLBPoint = {I.HitTestLBPoint.X, I.HitTestLBPoint.Y + dH};
    g.NewHitTestRBPoint = {I.HitTestRBPoint.X + dW, I.HitTestRBPoint.Y + dH};
    g.NewMaskRectArea = Rect(I.MaskRectArea.Left, I.MaskRectArea.Top, I.MaskRectArea.Right + dW,
                             I.MaskRectArea.Bottom + dH);
    return g;
}

TRect MapSkinRect(const TqvFrameGeometry& G, TRect R) {
    const int PW = G.Picture.width(), PH = G.Picture.height();
    const TRect TL = Rect(0, 0, G.LTPoint.X, G.LTPoint.Y);
    const TRect TR = Rect(G.RTPoint.X, 0, PW, G.RTPoint.Y);
    const TRect BL = Rect(0, G.LBPoint.Y, G.LBPoint.X, PH);
    const TRect BR = Rect(G.RBPoint.X, G.RBPoint.Y, PW, PH);
    const int dX = G.NewRBPoint.X - G.RBPoint.X, dY = G.NewRBPoint.Y - G.RBPoint.Y;
    const TPoint a = R.TopLeft(), b = R.BottomRight();
    auto inside = [&](const TRect& area) { return PtInRect(area, a) && PtInRect(area, b); };
    if (inside(TL)) return R;
    if (inside(TR)) { OffsetRect(R, dX, 0); return R; }
    if (inside(BL)) { OffsetRect(R, 0, dY); return R; }
    if (inside(BR)) { OffsetRect(R, dX, dY); return R; }
    if (PtInRect(TL, a) && PtInRect(BR, b)) { R.Right += dX; R.Bottom += dY; return R; }
    if (PtInRect(TL, a) && PtInRect(TR, b)) { R.Right += dX; return R; }
    if (PtInRect(BL, a) && PtInRect(BR, b)) { R.Right += dX; OffsetRect(R, 0, dY); return R; }
    if (PtInRect(TL, a) && PtInRect(BL, b)) { R.Bottom += dY; return R; }
    if (PtInRect(TR, a) && PtInRect(BR, b)) { OffsetRect(R, dX, 0); R.Bottom += dY; return R; }
    return R;
}

namespace {

bool RowKind(const TqvActiveSkinObject& o) {
    return o.Kind() == TqvFrameObjectKind::StdButton || o.Kind() == TqvFrameObjectKind::Animate;
}

// The objects the row takes, in row order: one per window command, then every default one.
std::vector<TqvActiveSkinObject*> RowObjects(TqvFrameObjects& objects) {
    std::vector<TqvActiveSkinObject*> row;
    for (TqvStdCommand cmd : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        for (auto& o : objects)
            if (o->Visible && RowKind(*o) && o->SkinRectInAPicture && o->Command == cmd) {
                row.push_back(o.get());
                break;
            }
    for (auto& o : objects)
        if (o->Visible && RowKind(*o) && o->SkinRectInAPicture && o->Command == cmDefault) row.push_back(o.get());
    return row;
}

TqvActiveSkinObject* SysMenuObject(TqvFrameObjects& objects) {
    for (auto& o : objects)
        if (o->Visible && RowKind(*o) && o->SkinRectInAPicture && o->Command == cmSysMenu) return o.get();
    return nullptr;
}

TqvActiveSkinObject* FirstCaption(TqvFrameObjects& objects) {
    for (auto& o : objects)
        if (o->IsCaption()) return o.get();
    return nullptr;
}

QSize ObjectSize(const TqvActiveSkinObject& o, std::optional<QSize> smallIcon) {
    if (o.Kind() == TqvFrameObjectKind::StdButton && o.Command == cmSysMenu && smallIcon) return *smallIcon;
    return {o.SkinRect.Width(), o.SkinRect.Height()};
}

}  // namespace

void CalcObjectRects(const TqvFrameGeometry& G, TqvFrameObjects& Objects, std::optional<QSize> SmallIcon) {
    for (auto& o : Objects)
        if (!o->SkinRectInAPicture) o->ObjectRect = MapSkinRect(G, o->SkinRect);
    const bool buttonsBase = !IsNullRect(G.NewButtonsRect);
    if (!buttonsBase && IsNullRect(G.NewCaptionRect)) return;
    const TRect base = buttonsBase ? G.NewButtonsRect : G.NewCaptionRect;
    const int top = base.Top, off = G.NewButtonsOffset;
    TqvActiveSkinObject* caption = FirstCaption(Objects);
    TqvActiveSkinObject* sysMenu = SysMenuObject(Objects);
    if (!G.NewButtonsInLeft) {
        int x = base.Right;
        for (TqvActiveSkinObject* o : RowObjects(Objects)) {
            const QSize s = ObjectSize(*o, SmallIcon);
            o->ObjectRect = Rect(x - s.width(), top, x, top + s.height());
            x -= s.width() + off;
        }
        if (!buttonsBase && caption) caption->ObjectRect.Right = x + off;
        if (sysMenu) {
            const QSize s = ObjectSize(*sysMenu, SmallIcon);
            int sx = G.NewCaptionRect.Left;
            const int t = G.NewCaptionRect.Top + G.NewCaptionRect.Height() / 2 - s.height() / 2;
            sysMenu->ObjectRect = Rect(sx, t, sx + s.width(), t + s.height());
            sx += s.width() + off;
            if (caption) caption->ObjectRect.Left = sx - off;
        }
        return;
    }
    int x = base.Left;
    for (TqvActiveSkinObject* o : RowObjects(Objects)) {
        const QSize s = ObjectSize(*o, SmallIcon);
        o->ObjectRect = Rect(x, top, x + s.width(), top + s.height());
        x += s.width() + off;
    }
    if (!buttonsBase) {
        if (sysMenu) {
            const QSize s = ObjectSize(*sysMenu, SmallIcon);
            sysMenu->ObjectRect = Rect(x, top, x + s.width(), top + s.height());
            x += s.width() + off;
        }
        if (caption) caption->ObjectRect.Left = x + off;
    }
}

TqvMaskPieces ComposeMaskPieces(const TqvSkinFormInfo& I, const QImage& Mask, const TqvFrameGeometry& G) {
    TqvMaskPieces p;
    if (Mask.isNull()) return p;
    ComposeSkinMaskParts(I.LTPoint, I.RTPoint, I.LBPoint, I.RBPoint, I.MaskRectArea, G.NewLTPoint, G.NewRTPoint,
                         G.NewLBPoint, G.NewRBPoint, G.NewMaskRectArea, Mask, p.Top, p.Left, p.Right, p.Bottom,
                         G.Width, G.Height);
    return p;
}

namespace {
QRegion PieceRegion(const QImage& piece, int dx, int dy) {
    TqvRegionData data;
    if (piece.isNull() || BuildMaskRegionData(piece, dx, dy, data) == 0 || data.Rects.empty()) return {};
    std::vector<QRect> rects;
    rects.reserve(data.Rects.size());
    for (const TRect& t : data.Rects) rects.push_back(t.ToQRect());
    QRegion r;
    // One run per row, rows top to bottom: the banded order setRects wants.
    r.setRects(rects.data(), int(rects.size()));
    return r;
}
}  // namespace

QRegion MaskRegion(const TqvMaskPieces& P, const TqvFrameGeometry& G) {
    QRegion r;
    if (!IsNullRect(G.NewMaskRectArea)) r = QRegion(G.NewMaskRectArea.ToQRect());
    const TRect& a = G.NewMaskRectArea;
    if (P.Top.height() > 0) r += PieceRegion(P.Top, 0, 0);
    if (P.Bottom.height() > 0) r += PieceRegion(P.Bottom, 0, a.Bottom);
    if (P.Left.width() > 0) r += PieceRegion(P.Left, 0, a.Top);
    if (P.Right.width() > 0) r += PieceRegion(P.Right, a.Right, a.Top);
    return r;
}

bool PointInMask(const TqvMaskPieces& P, const TqvFrameGeometry& G, TPoint p) {
    const TRect& a = G.NewMaskRectArea;
    if (PtInRect(a, p)) return true;
    auto black = [](const QImage& img, int x, int y) {
        return x >= 0 && y >= 0 && x < img.width() && y < img.height() && (img.pixel(x, y) & 0xFFFFFF) == 0;
    };
    if (p.Y <= a.Top) return black(P.Top, p.X, p.Y);
    if (p.Y < a.Bottom && p.X > a.Left) return black(P.Right, p.X - a.Right, p.Y - a.Top);
    if (p.Y < a.Bottom) return black(P.Left, p.X, p.Y - a.Top);
    return black(P.Bottom, p.X, p.Y - a.Bottom);
}

bool InCaptionArea(const TqvHitTestState& S, TPoint P) {
    for (const TRect& r : S.CaptionRects) {
        if (!PtInRect(r, P)) continue;
        return P.X >= r.Left + S.QuickStripWidth;
    }
    return false;
}

int HitTestSkin(const TqvFrameGeometry& G, const TqvMaskPieces& Pieces, const TqvHitTestState& S, TPoint P) {
    const bool caption = InCaptionArea(S, P);
    auto last = [&] { return caption ? HTCAPTION : HTOBJECT; };
    if (S.RolledUp || S.Minimized) return last();
    if (S.ObjectActive && !caption && !PtInRect(G.NewClRect, P) && !S.SizeMove) return HTOBJECT;
    if (!S.Maximized && S.CanResize) {
        const int b = S.BorderW;
        const std::array<TPoint, 4> probes = {TPoint{P.X - b, P.Y}, TPoint{P.X, P.Y - b}, TPoint{P.X + b, P.Y},
                                              TPoint{P.X, P.Y + b}};
        bool near = false;
        const TRect whole = Rect(0, 0, G.Width, G.Height);
        for (const TPoint& q : probes) {
            if (!S.HasMask) near = near || !PtInRect(whole, q);
            else near = near || !PointInMask(Pieces, G, q);
        }
        if (S.HasMask && PtInRect(G.NewMaskRectArea, P)) near = false;
        if (!near) {
            if (PtInRect(G.NewClRect, P)) return HTCLIENT;
            return last();
        }
        const TPoint lt = G.NewHitTestLTPoint, rt = G.NewHitTestRTPoint, lb = G.NewHitTestLBPoint,
                     rb = G.NewHitTestRBPoint;
        if (P.X <= lt.X && P.Y <= lt.Y) return HTTOPLEFT;
        if (P.X >= rt.X && P.Y <= rt.Y) return HTTOPRIGHT;
        if (P.X <= lb.X && P.Y >= lb.Y) return HTBOTTOMLEFT;
        if (P.X >= rb.X && P.Y >= rb.Y) return HTBOTTOMRIGHT;
        if (PtInRect(Rect(lt.X, 0, rt.X, G.NewClRect.Top), P)) return HTTOP;
        if (PtInRect(Rect(lb.X, G.NewClRect.Bottom, rb.X, G.Height), P)) return HTBOTTOM;
        if (PtInRect(Rect(0, lt.Y, G.NewClRect.Left, lb.Y), P)) return HTLEFT;
        if (PtInRect(Rect(G.NewClRect.Right, rt.Y, G.Width, rb.Y), P)) return HTRIGHT;
    }
    if (PtInRect(G.NewClRect, P)) return HTCLIENT;
    return last();
}

int DefCaptionHeight(bool ToolWindow) { return ToolWindow ? 15 : 19; }
int DefButtonSize(bool ToolWindow) { return ToolWindow ? 13 : 17; }

TRect CalcDefRects(int W, bool ToolWindow, TqvFrameObjects& Objects, std::optional<QSize> SmallIcon) {
    const int C = DefCaptionHeight(ToolWindow), B = DefButtonSize(ToolWindow);
    TRect cap = Rect(3, 3, W - 3, C);
    int x = W - 3;
    auto isStd = [](const TqvActiveSkinObject& o, TqvStdCommand cmd) {
        return o.Visible && o.SkinRectInAPicture && o.Kind() == TqvFrameObjectKind::StdButton && o.Command == cmd;
    };
    for (TqvStdCommand cmd : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        for (auto& o : Objects)
            if (isStd(*o, cmd)) {
                o->ObjectRect = Rect(x - B, 4, x, 4 + B);
                x -= B;
                break;
            }
    cap.Right = x;
    x = cap.Left;
    for (auto& o : Objects)
        if (isStd(*o, cmSysMenu)) {
            const QSize s = SmallIcon ? *SmallIcon : QSize(B, B);
            o->ObjectRect = Rect(x, 4, x + s.width(), 4 + s.height());
            cap.Left = x + s.width();
            break;
        }
    return cap;
}

int HitTestDefault(int W, int H, bool ToolWindow, const TRect& CaptionRect, const TqvHitTestState& S, TPoint P) {
    const int C = DefCaptionHeight(ToolWindow);
    if (!(S.Maximized || S.RolledUp || S.Minimized || !S.CanResize)) {
        if (S.ObjectActive) return HTOBJECT;
        const bool l = P.X <= 2, t = P.Y <= 2, r = P.X >= W - 2, b = P.Y >= H - 2;
        if (l && t) return HTTOPLEFT;
        if (r && t) return HTTOPRIGHT;
        if (l && b) return HTBOTTOMLEFT;
        if (r && b) return HTBOTTOMRIGHT;
        if (l) return HTLEFT;
        if (t) return HTTOP;
        if (r) return HTRIGHT;
        if (b) return HTBOTTOM;
    }
    if (PtInRect(CaptionRect, P)) return HTCAPTION;
    if (PtInRect(Rect(3, C + 3, W - 3, H - 3), P)) return HTCLIENT;
    return HTOBJECT;
}
