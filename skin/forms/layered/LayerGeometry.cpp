#include "skin/forms/layered/LayerGeometry.h"

#include <algorithm>
#include <cmath>

TqvLayerBandSizes LayerBandSizes(const TqvDataSkinLayerFrame& D) {
    const TRect& b = D.BorderRect;
    const TRect& c = D.ClRect;
    if (IsNullRect(b)) return {};
    return {c.Left - b.Left, c.Top - b.Top, b.Right - c.Right, b.Bottom - c.Bottom};
}

QRect LayerFrameRect(const TqvDataSkinLayerFrame& D, QSize Picture, const QRect& Form) {
    const TRect& c = D.ClRect;
    return QRect(Form.x() - c.Left, Form.y() - c.Top, Form.width() + Picture.width() - c.Width(),
                 Form.height() + Picture.height() - c.Height());
}

const TqvBitmap& TqvLayerSideImages::Of(TqvFormLayerBorderType Side) const {
    static const TqvBitmap none;
    const auto& b = FImages[std::size_t(Side)];
    return b ? *b : none;
}

TqvBitmap* TqvLayerSideImages::Make(TqvFormLayerBorderType Side, int W, int H) {
    auto& b = FImages[std::size_t(Side)];
    b.reset();
    if (W > 0 && H > 0) b = std::make_unique<TqvBitmap>(W, H);
    return b.get();
}

void TqvLayerSideImages::Clear() {
    for (auto& b : FImages) b.reset();
}

int LayerTopHeight(const TqvDataSkinLayerFrame& D) { return std::max(D.LTPoint.Y, D.RTPoint.Y); }

int LayerBottomHeight(const TqvDataSkinLayerFrame& D, int PictureHeight) {
    return PictureHeight - std::min(D.LBPoint.Y, D.RBPoint.Y);
}

namespace {

// A horizontal band of S (rows Top .. Top + H): the left piece up to LeftX, the
// right piece from RightX at the right end, the middle stretched between.
void MakeBand(const TqvBitmap& S, int Top, int H, int LeftX, int RightX, int Width, TqvBitmap* Out) {
    if (!Out) return;
    const int pw = S.Width();
    const int rightW = pw - RightX;
    S.Draw(*Out, Rect(0, 0, LeftX, H), Rect(0, Top, LeftX, Top + H));
    S.Draw(*Out, Rect(Width - rightW, 0, Width, H), Rect(RightX, Top, pw, Top + H));
    if (Width - rightW > LeftX && RightX > LeftX)
        S.Draw(*Out, Rect(LeftX, 0, Width - rightW, H), Rect(LeftX, Top, RightX, Top + H));
}

// A column of S (x X0 .. X1, rows Top .. Bottom) tiled down the image, the last tile cut.
void MakeColumn(const TqvBitmap& S, int X0, int X1, int Top, int Bottom, TqvBitmap* Out) {
    if (Out && Bottom > Top) S.Tile(*Out, Rect(0, 0, Out->Width(), Out->Height()), Rect(X0, Top, X1, Bottom));
}

}  // namespace

void MakeLayerSideImages(const TqvBitmap& Source, const TqvDataSkinLayerFrame& D, int Width, int Height,
                         TqvLayerSideImages& Out) {
    // The pieces are copied as they are, alpha and all; blending them onto
    // the empty images would darken their soft edges.
    TqvBitmap S;
    S.Assign(Source);
    S.SetAlphaBlend(false);
    S.SetTransparent(false);
    const int pw = S.Width(), ph = S.Height();
    // Points a skin puts outside its picture are taken to its edges.
    auto inX = [pw](int x) { return std::clamp(x, 0, pw); };
    const int th = std::clamp(LayerTopHeight(D), 0, ph), bh = std::clamp(LayerBottomHeight(D, ph), 0, ph - th);
    const int sideH = Height - th - bh;
    const int clLeft = inX(D.ClRect.Left), clRight = std::max(clLeft, inX(D.ClRect.Right));
    MakeBand(S, 0, th, inX(D.LTPoint.X), std::max(inX(D.LTPoint.X), inX(D.RTPoint.X)), Width,
             Out.Make(qvflTop, Width, th));
    MakeBand(S, ph - bh, bh, inX(D.LBPoint.X), std::max(inX(D.LBPoint.X), inX(D.RBPoint.X)), Width,
             Out.Make(qvflBottom, Width, bh));
    MakeColumn(S, 0, clLeft, th, ph - bh, Out.Make(qvflLeft, clLeft, sideH));
    MakeColumn(S, clRight, pw, th, ph - bh, Out.Make(qvflRight, pw - clRight, sideH));
    for (TqvFormLayerBorderType side : {qvflLeft, qvflTop, qvflRight, qvflBottom})
        if (TqvBitmap* b = Out.Get(side)) b->CheckingAlphaBlend();
}

QPoint LayerWindowPlace(TqvFormLayerBorderType Side, const QRect& Frame, int TopHeight, int BottomHeight,
                        int RightWidth) {
    switch (Side) {
    case qvflTop: return Frame.topLeft();
    case qvflBottom: return QPoint(Frame.x(), Frame.y() + Frame.height() - BottomHeight);
    case qvflLeft: return QPoint(Frame.x(), Frame.y() + TopHeight);
    default: return QPoint(Frame.x() + Frame.width() - RightWidth, Frame.y() + TopHeight);
    }
}

TqvFormLayerBorderHit LayerHitMode(TqvFormLayerBorderType Side, QPoint P, const QRect& Form,
                                   const TqvLayerBandSizes& B) {
    const int L = Form.x(), T = Form.y(), W = Form.width(), H = Form.height();
    const TPoint p{P.x(), P.y()};
    // Left and right columns of the top and bottom windows, beside the form.
    auto sides = [&]() {
        if (L - B.Left <= P.x() && P.x() < L) return qvflhLeft;
        if (L + W < P.x() && P.x() <= L + W + B.Right) return qvflhRight;
        return qvflhNone;
    };
    switch (Side) {
    case qvflLeft: return P.x() >= L - B.Left ? qvflhLeft : qvflhNone;
    case qvflRight: return P.x() <= L + W + B.Right ? qvflhRight : qvflhNone;
    case qvflTop:
        if (PtInRect(Rect(L - B.Left, T - B.Top, L + 3, T + 3), p)) return qvflhTopLeft;
        if (PtInRect(Rect(L, T - B.Top, L + W, T), p)) return qvflhTop;
        if (PtInRect(Rect(L + W - 3, T - B.Top, L + W + B.Right, T + 3), p)) return qvflhTopRight;
        return P.y() > T ? sides() : qvflhNone;
    case qvflBottom:
        if (PtInRect(Rect(L - B.Left, T + H - 3, L + 3, T + H + B.Bottom), p)) return qvflhBottomLeft;
        if (PtInRect(Rect(L, T + H, L + W, T + H + B.Bottom), p)) return qvflhBottom;
        if (PtInRect(Rect(L + W - 3, T + H - 3, L + W + B.Right, T + H + B.Bottom), p)) return qvflhBottomRight;
        return P.y() < T + H ? sides() : qvflhNone;
    }
    return qvflhNone;
}

std::optional<QRect> LayerBandResize(TqvFormLayerBorderHit Hit, const QRect& Form, int Dx, int Dy, QSize Min,
                                     QSize Max) {
    const int L = Form.x(), T = Form.y(), W = Form.width(), H = Form.height();
    auto clampW = [&](int w) { return std::min(std::max(w, Min.width()), Max.width()); };
    auto clampH = [&](int h) { return std::min(std::max(h, Min.height()), Max.height()); };
    const bool grabsLeft = Hit == qvflhLeft || Hit == qvflhTopLeft || Hit == qvflhBottomLeft;
    const bool grabsTop = Hit == qvflhTop || Hit == qvflhTopLeft || Hit == qvflhTopRight;
    const bool grabsRight = Hit == qvflhRight || Hit == qvflhTopRight || Hit == qvflhBottomRight;
    const bool grabsBottom = Hit == qvflhBottom || Hit == qvflhBottomLeft || Hit == qvflhBottomRight;
    const int wantW = grabsLeft ? W - Dx : grabsRight ? W + Dx : W;
    const int wantH = grabsTop ? H - Dy : grabsBottom ? H + Dy : H;
    const int nw = clampW(wantW), nh = clampH(wantH);
    // The edge opposite a dragged left or top edge must not move.
    if (grabsLeft && nw != wantW) return std::nullopt;
    if (grabsTop && nh != wantH) return std::nullopt;
    switch (Hit) {
    case qvflhNone: return std::nullopt;
    case qvflhLeft:
    case qvflhRight:
        if (Dx == 0 || nw == W) return std::nullopt;
        break;
    case qvflhTop:
    case qvflhBottom:
        if (Dy == 0 || nh == H) return std::nullopt;
        break;
    default:
        if ((Dx == 0 && Dy == 0) || (nw == W && nh == H)) return std::nullopt;
        break;
    }
    return QRect(grabsLeft ? L + Dx : L, grabsTop ? T + Dy : T, nw, nh);
}

int LayerAlphaForForm(int Value, int FormAlpha) {
    return int(std::lround(double(Value) * std::clamp(FormAlpha, 0, 255) / 255.0));
}
