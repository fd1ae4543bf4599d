#include "skin/model/draw/PixelRoutines.h"

#include "platform/Canvas.h"
#include "skin/model/draw/DrawUtils.h"

#include <cstring>
#include <vector>

namespace {

// ---- plain set: weights 255 - a over 256, result opaque
TqvColor PlainBlendPixel(TqvColor S, TqvColor D) {
    const unsigned a = qvAlpha(S);
    if (a == 0) return D;
    if (a == 255) return S;
    const unsigned na = 255 - a;
    return qvARGB(255, (qvRed(S) * a + qvRed(D) * na) >> 8, (qvGreen(S) * a + qvGreen(D) * na) >> 8,
                  (qvBlue(S) * a + qvBlue(D) * na) >> 8);
}

// ---- "MMX" set: weights 256 - a over 256, alpha blended too, no shortcuts
TqvColor MMXBlendArith(TqvColor S, TqvColor D) {
    const unsigned a = qvAlpha(S), na = 256 - a;
    return qvARGB((a * a + qvAlpha(D) * na) >> 8, (qvRed(S) * a + qvRed(D) * na) >> 8,
                  (qvGreen(S) * a + qvGreen(D) * na) >> 8, (qvBlue(S) * a + qvBlue(D) * na) >> 8);
}

template <TqvColor (*Blend)(TqvColor, TqvColor)>
void BlendRowT(const TqvColor* Src, TqvColor* Dst, int Count) {
    for (int i = 0; i < Count; ++i) {
        const TqvColor s = Src[i];
        const unsigned a = qvAlpha(s);
        if (a == 0) continue;
        Dst[i] = a == 255 ? s : Blend(s, Dst[i]);
    }
}

void KeyRowImpl(const TqvColor* Src, TqvColor* Dst, int Count) {
    for (int i = 0; i < Count; ++i)
        if ((Src[i] & 0xFFFFFF) != qvColorKey) Dst[i] = Src[i] | 0xFF000000u;
}

void MoveRowImpl(const TqvColor* Src, TqvColor* Dst, int Count) {
    if (Src != Dst) std::memmove(Dst, Src, sizeof(TqvColor) * static_cast<size_t>(Count));
}

void FillRowImpl(TqvColor* Dst, int Count, TqvColor Color) {
    for (int i = 0; i < Count; ++i) Dst[i] = Color;
}

void SetAlphaRowImpl(TqvColor* Dst, int Count, std::uint8_t Alpha) {
    const TqvColor a = TqvColor(Alpha) << 24;
    for (int i = 0; i < Count; ++i) Dst[i] = (Dst[i] & 0xFFFFFF) | a;
}

const TqvPixelRoutines kPlain{PlainBlendPixel, BlendRowT<PlainBlendPixel>, KeyRowImpl, MoveRowImpl, FillRowImpl,
                              SetAlphaRowImpl};
const TqvPixelRoutines kMMX{MMXBlendArith, BlendRowT<MMXBlendArith>, KeyRowImpl, MoveRowImpl, FillRowImpl,
                            SetAlphaRowImpl};

TqvPixelRoutines Initial() { return HasMMX() ? kMMX : kPlain; }

}  // namespace

// Process-wide, filled before main() and only replaced by tests (UI thread).
TqvPixelRoutines PixelRoutines = Initial();

const TqvPixelRoutines& PlainPixelRoutines() { return kPlain; }
const TqvPixelRoutines& MMXPixelRoutines() { return kMMX; }
void SelectBlendRoutines() { PixelRoutines = HasMMX() ? kMMX : kPlain; }

void FillRectPixels(const TqvPixels& P, const TRect& R, TqvColor Color) {
    for (int y = R.Top; y < R.Bottom; ++y) PixelRoutines.FillRow(P.Row(y) + R.Left, RectWidth(R), Color);
}

void SetAlphaRect(const TqvPixels& P, const TRect& R, std::uint8_t Alpha) {
    for (int y = R.Top; y < R.Bottom; ++y) PixelRoutines.SetAlphaRow(P.Row(y) + R.Left, RectWidth(R), Alpha);
}

static void RunRow(TqvDrawKind Kind, const TqvColor* s, TqvColor* d, int n) {
    switch (Kind) {
    case TqvDrawKind::Copy: PixelRoutines.MoveRow(s, d, n); break;
    case TqvDrawKind::Alpha: PixelRoutines.BlendRow(s, d, n); break;
    case TqvDrawKind::Key: PixelRoutines.KeyRow(s, d, n); break;
    }
}

void DrawSameSize(TqvDrawKind Kind, const TqvPixels& Dst, const TRect& Clip, const TqvPixels& Src, int SrcX,
                  int SrcY) {
    const int w = RectWidth(Clip);
    if (w <= 0 || RectHeight(Clip) <= 0) return;
    for (int y = Clip.Top; y < Clip.Bottom; ++y)
        RunRow(Kind, Src.Row(SrcY + y - Clip.Top) + SrcX, Dst.Row(y) + Clip.Left, w);
}

void StretchDraw(TqvDrawKind Kind, const TqvPixels& Dst, const TRect& DstRect, const TRect& ClipRect,
                 const TqvPixels& Src, const TRect& SrcRect) {
    if (IsNullRect(SrcRect) || Dst.Empty() || Src.Empty()) return;
    TRect clip;
    if (!IntersectRect(clip, ClipRect, {0, 0, Dst.Width, Dst.Height})) return;
    if (!IntersectRect(clip, clip, DstRect)) return;
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src.Width || SrcRect.Bottom > Src.Height) return;
    const int sw = RectWidth(SrcRect), sh = RectHeight(SrcRect);
    const int dw = RectWidth(DstRect), dh = RectHeight(DstRect);
    if (sw == dw && sh == dh) {
        DrawSameSize(Kind, Dst, clip, Src, SrcRect.Left + clip.Left - DstRect.Left,
                     SrcRect.Top + clip.Top - DstRect.Top);
        return;
    }
    const int cw = RectWidth(clip);
    std::vector<int> cols(static_cast<size_t>(cw));
    for (int x = 0; x < cw; ++x) cols[size_t(x)] = StretchSourceIndex(clip.Left + x - DstRect.Left, dw, SrcRect.Left, sw);
    std::vector<TqvColor> gathered(static_cast<size_t>(cw));
    int lastSrcRow = -1;
    TqvColor* lastDstRow = nullptr;
    for (int y = clip.Top; y < clip.Bottom; ++y) {
        const int sy = StretchSourceIndex(y - DstRect.Top, dh, SrcRect.Top, sh);
        TqvColor* d = Dst.Row(y) + clip.Left;
        if (Kind == TqvDrawKind::Copy && sy == lastSrcRow && lastDstRow) {
            PixelRoutines.MoveRow(lastDstRow, d, cw);
        } else {
            if (sy != lastSrcRow) {
                const TqvColor* s = Src.Row(sy);
                for (int x = 0; x < cw; ++x) gathered[size_t(x)] = s[cols[size_t(x)]];
            }
            RunRow(Kind, gathered.data(), d, cw);
        }
        lastSrcRow = sy;
        lastDstRow = d;
    }
}
