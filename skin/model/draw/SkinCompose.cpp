#include "skin/model/draw/SkinCompose.h"

#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/PixelRoutines.h"

#include <algorithm>

namespace {

constexpr QRgb kBlank = 0xFFFFFFFF;

QImage NewImage(int w, int h) {
    if (w <= 0 || h <= 0) return {};
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kBlank);
    return img;
}

// A 32-bit view of a picture; other formats are converted once.
struct TSource {
    explicit TSource(const QImage& pic) {
        img = (pic.format() == QImage::Format_RGB32 || pic.format() == QImage::Format_ARGB32)
                  ? pic
                  : pic.convertToFormat(QImage::Format_RGB32);
        // Only read through this view; the const_cast never writes.
        px = {reinterpret_cast<TqvColor*>(const_cast<uchar*>(img.constBits())), img.width(), img.height(),
              static_cast<int>(img.bytesPerLine() / 4)};
    }
    QImage img;
    TqvPixels px;
};

TqvPixels View(QImage& img) {
    if (img.isNull()) return {};
    return {reinterpret_cast<TqvColor*>(img.bits()), img.width(), img.height(), static_cast<int>(img.bytesPerLine() / 4)};
}

// A piece copied into a rectangle, scaled only when the sizes differ.
void Copy(const TqvPixels& dst, const TRect& d, const TqvPixels& src, const TRect& s) {
    if (IsNullRect(d) || IsNullRect(s)) return;
    StretchDraw(TqvDrawKind::Copy, dst, d, d, src, s);
}

// Copies of the piece from the span's top-left corner on, the last ones cut
// at the span's right and bottom edges.
void Tile(const TqvPixels& dst, const TRect& span, const TqvPixels& src, const TRect& piece) {
    const int pw = RectWidth(piece), ph = RectHeight(piece);
    if (pw <= 0 || ph <= 0 || IsNullRect(span)) return;
    for (int y = span.Top; y < span.Bottom; y += ph)
        for (int x = span.Left; x < span.Right; x += pw) {
            const TRect d{x, y, std::min(x + pw, span.Right), std::min(y + ph, span.Bottom)};
            Copy(dst, d, src, Bounds(piece.Left, piece.Top, RectWidth(d), RectHeight(d)));
        }
}

void Middle(bool stretch, const TqvPixels& dst, const TRect& d, const TqvPixels& src, const TRect& s) {
    if (IsNullRect(s)) return;
    if (stretch) Copy(dst, d, src, s);
    else Tile(dst, d, src, s);
}

// The client piece into Area: tiled, or stretched by StretchType (the two
// strip kinds stretch one way and tile the strip the other way).
void Client(const TqvPixels& dst, const TRect& Area, const TqvPixels& src, const TRect& s, bool StretchEffect,
            TqvStretchType StretchType) {
    if (IsNullRect(s)) return;
    if (!StretchEffect) {
        Tile(dst, Area, src, s);
        return;
    }
    if (IsNullRect(Area)) return;
    if (StretchType == qvstFull) {
        Copy(dst, Area, src, s);
        return;
    }
    const bool horz = StretchType == qvstHorz;
    QImage strip = NewImage(horz ? RectWidth(s) : RectWidth(Area), horz ? RectHeight(Area) : RectHeight(s));
    const TqvPixels sp = View(strip);
    Copy(sp, {0, 0, sp.Width, sp.Height}, src, s);
    Tile(dst, Area, sp, {0, 0, sp.Width, sp.Height});
}

struct TGeometry {
    TPoint LT, RT, LB, RB;
    TRect Cl;
    TPoint NLT, NRT, NLB, NRB;
    TRect NCl;
};

void Compose(const TGeometry& g, QImage& Dst, const QImage& Picture, TRect SR, int W, int H, bool DrawClient,
             bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
             TqvStretchType StretchType, bool OpenRight) {
    Dst = NewImage(W, H);
    if (g.RB.X == g.LT.X || g.RB.Y == g.LT.Y || Picture.isNull() || Dst.isNull()) return;
    const TSource src(Picture);
    const TqvPixels& s = src.px;
    const TqvPixels d = View(Dst);
    const int SW = RectWidth(SR), SH = RectHeight(SR);
    auto P = [&](int l, int t, int r, int b) { return TRect{SR.Left + l, SR.Top + t, SR.Left + r, SR.Top + b}; };
    const int topEnd = OpenRight ? W : g.NRT.X, bottomEnd = OpenRight ? W : g.NRB.X;

    // Middles: top, bottom, left, right.
    Middle(TopStretch, d, {g.NLT.X, 0, topEnd, g.NCl.Top}, s, P(g.LT.X, 0, g.RT.X, g.Cl.Top));
    Middle(BottomStretch, d, {g.NLB.X, g.NCl.Bottom, bottomEnd, H}, s, P(g.LB.X, g.Cl.Bottom, g.RB.X, SH));
    Middle(LeftStretch, d, {0, g.NLT.Y, g.NCl.Left, g.NLB.Y}, s, P(0, g.LT.Y, g.Cl.Left, g.LB.Y));
    if (!OpenRight)
        Middle(RightStretch, d, {g.NCl.Right, g.NRT.Y, W, g.NRB.Y}, s, P(g.Cl.Right, g.RT.Y, SW, g.RB.Y));

    // Fixed pieces: top start, left start, top end, right start, left end,
    // bottom start, bottom end, right end.
    Copy(d, {0, 0, g.NLT.X, g.NCl.Top}, s, P(0, 0, g.LT.X, g.Cl.Top));
    Copy(d, {0, g.NCl.Top, g.NCl.Left, g.NLT.Y}, s, P(0, g.Cl.Top, g.Cl.Left, g.LT.Y));
    if (!OpenRight) {
        Copy(d, {g.NRT.X, 0, W, g.NCl.Top}, s, P(g.RT.X, 0, SW, g.Cl.Top));
        Copy(d, {g.NCl.Right, g.NCl.Top, W, g.NRT.Y}, s, P(g.Cl.Right, g.Cl.Top, SW, g.RT.Y));
    }
    Copy(d, {0, g.NLB.Y, g.NCl.Left, H}, s, P(0, g.LB.Y, g.Cl.Left, SH));
    Copy(d, {g.NCl.Left, g.NCl.Bottom, g.NLB.X, H}, s, P(g.Cl.Left, g.Cl.Bottom, g.LB.X, SH));
    if (!OpenRight) {
        Copy(d, {g.NRB.X, g.NCl.Bottom, W, H}, s, P(g.RB.X, g.Cl.Bottom, SW, SH));
        Copy(d, {g.NCl.Right, g.NRB.Y, W, g.NCl.Bottom}, s, P(g.Cl.Right, g.RB.Y, SW, g.Cl.Bottom));
    }

    if (DrawClient) {
        TRect area = g.NCl;
        if (OpenRight) area.Right = W;
        Client(d, area, s, P(g.Cl.Left, g.Cl.Top, g.Cl.Right, g.Cl.Bottom), StretchEffect, StretchType);
    }
}

}  // namespace

void ComposeSkinImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                      TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, QImage& Dst,
                      const QImage& Picture, TRect SkinRect, int W, int H, bool DrawClient, bool LeftStretch,
                      bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
                      TqvStretchType StretchType) {
    Compose({LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, Dst,
            Picture, SkinRect, W, H, DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch,
            StretchEffect, StretchType, false);
}

void ComposeSkinImageEx(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                        TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, QImage& Dst,
                        const QImage& Picture, TRect SkinRect, int W, int H, bool DrawClient, bool LeftStretch,
                        bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
                        TqvStretchType StretchType) {
    ComposeSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect, Dst,
                     Picture, SkinRect, W, H, DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch,
                     StretchEffect, StretchType);
}

void ComposeSkinImageOpenRight(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect,
                               TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint,
                               TRect NewClRect, QImage& Dst, const QImage& Picture, TRect SkinRect, int W, int H,
                               bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                               bool BottomStretch, bool StretchEffect, TqvStretchType StretchType) {
    Compose({LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, Dst,
            Picture, SkinRect, W, H, DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch,
            StretchEffect, StretchType, true);
}

void ResizeSkinImage(QImage& Dst, const QImage& Picture, TRect SkinRect, TRect ClRect, bool DrawClient) {
    const int W = Dst.width(), H = Dst.height();
    const int SW = RectWidth(SkinRect), SH = RectHeight(SkinRect);
    const TRect n{ClRect.Left, ClRect.Top, W - (SW - ClRect.Right), H - (SH - ClRect.Bottom)};
    ComposeSkinImage({ClRect.Left, ClRect.Top}, {ClRect.Right, ClRect.Top}, {ClRect.Left, ClRect.Bottom},
                     {ClRect.Right, ClRect.Bottom}, ClRect, {n.Left, n.Top}, {n.Right, n.Top}, {n.Left, n.Bottom},
                     {n.Right, n.Bottom}, n, Dst, Picture, SkinRect, W, H, DrawClient, true, true, true, true, true,
                     qvstFull);
}

// ---- three-slice bars

namespace {
enum class TBarKind { Full, OpenRight, Middle };

void HorzBar(TBarKind kind, int LeftW, int RightW, QImage& Dst, const QImage& Picture, TRect SR, int W,
             bool Stretch) {
    Dst = NewImage(W, RectHeight(SR));
    if (Dst.isNull() || Picture.isNull()) return;
    const TSource src(Picture);
    const TqvPixels d = View(Dst);
    const int SH = RectHeight(SR);
    const TRect middle{SR.Left + LeftW, SR.Top, SR.Right - RightW, SR.Bottom};
    int from = 0, to = W;
    if (kind != TBarKind::Middle) {
        if (LeftW != 0) Copy(d, {0, 0, LeftW, SH}, src.px, {SR.Left, SR.Top, SR.Left + LeftW, SR.Bottom});
        from = LeftW;
    }
    if (kind == TBarKind::Full) {
        if (RightW != 0) Copy(d, {W - RightW, 0, W, SH}, src.px, {SR.Right - RightW, SR.Top, SR.Right, SR.Bottom});
        to = W - RightW;
    }
    if (to - from <= 0) return;
    Middle(Stretch, d, {from, 0, to, SH}, src.px, middle);
}
}  // namespace

void MakeHorzSkinImage(int LeftW, int RightW, QImage& Dst, const QImage& Picture, TRect SkinRect, int W, int,
                       bool Stretch) {
    HorzBar(TBarKind::Full, LeftW, RightW, Dst, Picture, SkinRect, W, Stretch);
}

void MakeHorzSkinImageOpenRight(int LeftW, int RightW, QImage& Dst, const QImage& Picture, TRect SkinRect, int W,
                                int, bool Stretch) {
    HorzBar(TBarKind::OpenRight, LeftW, RightW, Dst, Picture, SkinRect, W, Stretch);
}

void MakeHorzSkinImageMiddle(int LeftW, int RightW, QImage& Dst, const QImage& Picture, TRect SkinRect, int W,
                             int, bool Stretch) {
    HorzBar(TBarKind::Middle, LeftW, RightW, Dst, Picture, SkinRect, W, Stretch);
}

void MakeVertSkinImage(int TopH, int BottomH, QImage& Dst, const QImage& Picture, TRect SR, int, int H,
                       bool Stretch) {
    const int SW = RectWidth(SR);
    Dst = NewImage(SW, H);
    if (Dst.isNull() || Picture.isNull()) return;
    const TSource src(Picture);
    const TqvPixels d = View(Dst);
    if (TopH != 0) Copy(d, {0, 0, SW, TopH}, src.px, {SR.Left, SR.Top, SR.Right, SR.Top + TopH});
    if (BottomH != 0) Copy(d, {0, H - BottomH, SW, H}, src.px, {SR.Left, SR.Bottom - BottomH, SR.Right, SR.Bottom});
    if (H - TopH - BottomH <= 0) return;
    Middle(Stretch, d, {0, TopH, SW, H - BottomH}, src.px, {SR.Left, SR.Top + TopH, SR.Right, SR.Bottom - BottomH});
}

// ---- border pieces

void ComposeSkinFrameImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                           TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                           QImage& LeftPiece, QImage& TopPiece, QImage& RightPiece, QImage& BottomPiece,
                           const QImage& Picture, TRect SR, int W, int H, bool LeftStretch, bool TopStretch,
                           bool RightStretch, bool BottomStretch) {
    if (Picture.isNull()) return;
    const TSource src(Picture);
    const TqvPixels& s = src.px;
    const int SW = RectWidth(SR), SH = RectHeight(SR);
    auto P = [&](int l, int t, int r, int b) { return TRect{SR.Left + l, SR.Top + t, SR.Left + r, SR.Top + b}; };

    // Horizontal pieces tile from their own left edge, unlike the full image.
    auto horizontal = [&](QImage& piece, int ph, int skinTop, TPoint L, TPoint R, TPoint NL, TPoint NR, bool stretch) {
        piece = NewImage(W, ph);
        const TqvPixels d = View(piece);
        const TRect mid = P(L.X, skinTop, R.X, skinTop + ph);
        if (stretch) Copy(d, {NL.X, 0, NR.X, ph}, s, mid);
        else Tile(d, {0, 0, W, ph}, s, mid);
        Copy(d, {0, 0, NL.X, ph}, s, P(0, skinTop, L.X, skinTop + ph));
        Copy(d, {NR.X, 0, W, ph}, s, P(R.X, skinTop, SW, skinTop + ph));
    };
    if (W > 0 && NewClRect.Top > 0 && RTPt.X > LTPt.X)
        horizontal(TopPiece, NewClRect.Top, 0, LTPt, RTPt, NewLTPoint, NewRTPoint, TopStretch);
    const int bh = H - NewClRect.Bottom;
    if (W > 0 && bh > 0 && RBPt.X > LBPt.X)
        horizontal(BottomPiece, bh, SH - bh, LBPt, RBPt, NewLBPoint, NewRBPoint, BottomStretch);

    const int ph = H - TopPiece.height() - BottomPiece.height();
    auto vertical = [&](QImage& piece, int pw, int skinLeft, TPoint T, TPoint B, bool stretch) {
        piece = NewImage(pw, ph);
        const TqvPixels d = View(piece);
        const TRect mid = P(skinLeft, T.Y, skinLeft + pw, B.Y);
        if (stretch) Copy(d, {0, T.Y - ClRect.Top, pw, ph - (ClRect.Bottom - B.Y)}, s, mid);
        else Tile(d, {0, 0, pw, ph}, s, mid);
        if (T.Y > ClRect.Top) Copy(d, {0, 0, pw, T.Y - ClRect.Top}, s, P(skinLeft, ClRect.Top, skinLeft + pw, T.Y));
        if (ClRect.Bottom > B.Y)
            Copy(d, {0, ph - (ClRect.Bottom - B.Y), pw, ph}, s, P(skinLeft, B.Y, skinLeft + pw, ClRect.Bottom));
    };
    if (NewClRect.Left > 0 && ph > 0 && LBPt.Y > LTPt.Y) vertical(LeftPiece, NewClRect.Left, 0, LTPt, LBPt, LeftStretch);
    const int rw = W - NewClRect.Right;
    if (rw >= 1 && ph >= 1 && RBPt.Y > RTPt.Y) vertical(RightPiece, rw, ClRect.Right, RTPt, RBPt, RightStretch);
}

void ComposeSkinMaskParts(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                          TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                          const QImage& Mask, QImage& TopPiece, QImage& LeftPiece, QImage& RightPiece,
                          QImage& BottomPiece, int W, int) {
    if (Mask.isNull()) return;
    const TSource src(Mask);
    const TqvPixels& s = src.px;
    const int MW = Mask.width(), MH = Mask.height();
    const int ch = RectHeight(NewClRect);

    auto vertical = [&](QImage& piece, int left, int right, TPoint T, TPoint B) {
        const int pw = right - left;
        piece = NewImage(pw, ch);
        const TqvPixels d = View(piece);
        if (B.Y != T.Y) Tile(d, {0, 0, pw, ch}, s, {left, T.Y, right, B.Y});
        Copy(d, {0, 0, pw, T.Y - ClRect.Top}, s, {left, ClRect.Top, right, T.Y});
        Copy(d, {0, ch - (ClRect.Bottom - B.Y), pw, ch}, s, {left, B.Y, right, ClRect.Bottom});
    };
    if (ClRect.Left > 0 && ch > 0) vertical(LeftPiece, 0, ClRect.Left, LTPt, LBPt);
    if (MW - ClRect.Right > 0 && ch > 0) vertical(RightPiece, ClRect.Right, MW, RTPt, RBPt);

    auto horizontal = [&](QImage& piece, int top, int bottom, TPoint L, TPoint R, TPoint NL, TPoint NR) {
        const int ph = bottom - top;
        piece = NewImage(W, ph);
        const TqvPixels d = View(piece);
        if (R.X != L.X) Tile(d, {NL.X, 0, NR.X, ph}, s, {L.X, top, R.X, bottom});
        Copy(d, {0, 0, L.X, ph}, s, {0, top, L.X, bottom});
        Copy(d, {NR.X, 0, W, ph}, s, {R.X, top, MW, bottom});
    };
    if (W > 0 && ClRect.Top > 0) horizontal(TopPiece, 0, ClRect.Top, LTPt, RTPt, NewLTPoint, NewRTPoint);
    if (W >= 1 && MH - ClRect.Bottom >= 1) horizontal(BottomPiece, ClRect.Bottom, MH, LBPt, RBPt, NewLBPoint, NewRBPoint);
}

// ---- regions

int BuildMaskRegionData(const QImage& Mask, int DX, int DY, TqvRegionData& Data) {
    if (Mask.isNull()) return 0;
    const TSource src(Mask);
    Data.Bound = Bounds(DX, DY, Mask.width(), Mask.height());
    // A growable list: a busy mask is never cut short.
    Data.Rects.clear();
    for (int y = 0; y < src.px.Height; ++y) {
        const TqvColor* row = src.px.Row(y);
        for (int x = 0; x < src.px.Width;) {
            if ((row[x] & 0xFFFFFF) != 0) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < src.px.Width && (row[x] & 0xFFFFFF) == 0) ++x;
            Data.Rects.push_back({x0 + DX, y + DY, x + DX, y + DY + 1});
        }
    }
    return 32 + 16 * static_cast<int>(Data.Rects.size());
}

namespace {
QRegion RegionOf(const TqvRegionData& data) {
    QRegion r;
    if (data.Rects.empty()) return r;
    std::vector<QRect> rects;
    rects.reserve(data.Rects.size());
    for (const TRect& t : data.Rects) rects.push_back(t.ToQRect());
    // Rows top to bottom, runs left to right and never touching: what setRects wants.
    r.setRects(rects.data(), static_cast<int>(rects.size()));
    return r;
}
}  // namespace

bool CreateRegionFromMask(QRegion& Rgn, const QImage& Mask) {
    TqvRegionData data;
    if (BuildMaskRegionData(Mask, 0, 0, data) == 0) return false;
    Rgn = RegionOf(data);
    return true;
}

bool CreateSkinRegion(QRegion& Rgn, TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect,
                      TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                      const QImage& Mask, int W, int H) {
    if (NewRTPoint.X < NewLTPoint.X || NewLBPoint.Y < NewLTPoint.Y) return false;
    QImage top, left, right, bottom;
    ComposeSkinMaskParts(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect,
                         Mask, top, left, right, bottom, W, H);
    // Starts empty rather than giving up without a client area, so a mask
    // that shapes only the border still shapes the window.
    QRegion rgn;
    if (!IsNullRect(NewClRect)) rgn = QRegion(NewClRect.ToQRect());
    auto add = [&](const QImage& piece, int x, int y) {
        TqvRegionData data;
        if (BuildMaskRegionData(piece, x, y, data) > 0) rgn = rgn.united(RegionOf(data));
    };
    add(top, 0, 0);
    add(bottom, 0, NewClRect.Bottom);
    add(left, 0, NewClRect.Top);
    add(right, NewClRect.Right, NewClRect.Top);
    if (rgn.isEmpty()) return false;
    Rgn = rgn;
    return true;
}
