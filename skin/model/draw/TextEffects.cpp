#include "skin/model/draw/TextEffects.h"

#include "skin/model/draw/DrawHelpers.h"

#include <algorithm>
#include <vector>

namespace {

// One pass of the stack blur over Count values spaced Step apart, reading
// In and writing Out per channel. Weights fall from Radius + 1 at the centre
// to 1 at the ends; positions past either end take the end value.
void StackBlurLine(const int* const In[3], int* const Out[3], int Count, int Step, int Radius,
                   const std::vector<int>& Div, std::vector<int>& Stack) {
    const int div = 2 * Radius + 1;
    long sum[3] = {}, inSum[3] = {}, outSum[3] = {};
    auto at = [&](int c, int i) { return In[c][static_cast<std::ptrdiff_t>(std::clamp(i, 0, Count - 1)) * Step]; };
    for (int i = -Radius; i <= Radius; ++i) {
        const int weight = Radius + 1 - (i < 0 ? -i : i);
        for (int c = 0; c < 3; ++c) {
            const int v = at(c, i);
            Stack[size_t((i + Radius) * 3 + c)] = v;
            sum[c] += long(v) * weight;
            (i > 0 ? inSum : outSum)[c] += v;
        }
    }
    int sp = Radius;
    for (int x = 0; x < Count; ++x) {
        const int oldest = (sp - Radius + div) % div;  // leaves the window on the left
        const int next = (sp + 1) % div;               // becomes the centre
        for (int c = 0; c < 3; ++c) {
            Out[c][static_cast<std::ptrdiff_t>(x) * Step] = Div[size_t(sum[c])];
            sum[c] -= outSum[c];
            outSum[c] -= Stack[size_t(oldest * 3 + c)];
            const int incoming = at(c, x + Radius + 1);
            Stack[size_t(oldest * 3 + c)] = incoming;
            inSum[c] += incoming;
            sum[c] += inSum[c];
            const int centre = Stack[size_t(next * 3 + c)];
            outSum[c] += centre;
            inSum[c] -= centre;
        }
        sp = next;
    }
}

}  // namespace

void BlurBitmap(TqvBitmap& Bmp, int Radius) {
    if (Radius <= 0 || Bmp.Empty()) return;
    const int w = Bmp.Width(), h = Bmp.Height();
    const int div = 2 * Radius + 1;
    const int divSum = ((div + 1) / 2) * ((div + 1) / 2);
    std::vector<int> table(static_cast<size_t>(256) * divSum);
    for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<int>(i / size_t(divSum));
    std::vector<int> stack(static_cast<size_t>(div) * 3);

    const size_t n = size_t(w) * size_t(h);
    std::vector<int> src[3], work[3];
    for (int c = 0; c < 3; ++c) {
        src[c].resize(n);
        work[c].resize(n);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TqvColor p = *Bmp.PixelAt(x, y);
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            src[0][i] = qvRed(p);
            src[1][i] = qvGreen(p);
            src[2][i] = qvBlue(p);
        }
    for (int y = 0; y < h; ++y) {
        const size_t o = size_t(y) * size_t(w);
        const int* in[3] = {src[0].data() + o, src[1].data() + o, src[2].data() + o};
        int* out[3] = {work[0].data() + o, work[1].data() + o, work[2].data() + o};
        StackBlurLine(in, out, w, 1, Radius, table, stack);
    }
    for (int x = 0; x < w; ++x) {
        const int* in[3] = {work[0].data() + x, work[1].data() + x, work[2].data() + x};
        int* out[3] = {src[0].data() + x, src[1].data() + x, src[2].data() + x};
        StackBlurLine(in, out, h, w, Radius, table, stack);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            *Bmp.PixelAt(x, y) = qvARGB(255, src[0][i], src[1][i], src[2][i]);
        }
}

void MaskToAlpha(TqvBitmap& Bmp, const TqvBitmap& Mask) {
    for (int y = 0; y < Bmp.Height(); ++y)
        for (int x = 0; x < Bmp.Width(); ++x) {
            // Mask.Pixel reads 0 where the mask is smaller: transparent.
            const TqvColor m = Mask.Pixel(x, y);
            const TqvColor a = (qvRed(m) + qvGreen(m) + qvBlue(m)) / 3;
            TqvColor& p = *Bmp.PixelAt(x, y);
            p = (p & 0xFFFFFF) | (a << 24);
        }
}

// ---- text with light

namespace {

// The text drawn in red on an opaque black picture: the red byte of each
// pixel is the glyph's coverage there. (Drawn straight onto a transparent
// 32-bit picture the colour would be red everywhere and only alpha would
// carry the coverage.)
template <class Draw>
void CoverageBitmap(TqvBitmap& Bmp, TCanvas& Source, int w, int h, Draw draw) {
    QImage img(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    img.fill(0xFF000000u);
    TCanvas c(&img);
    c.SetFont(Source.Font());
    c.Font().SetColor(RGB(255, 0, 0));
    c.Brush().SetStyle(bsClear);
    draw(c);
    Bmp.Assign(img);
}

// Red intensity becomes the alpha of Color.
void RedToAlpha(TqvBitmap& Bmp, TColor Color) {
    const TqvColor rgb = ColorToQvColor(ColorToRGB(Color)) & 0xFFFFFF;
    for (int y = 0; y < Bmp.Height(); ++y) {
        TqvColor* p = Bmp.ScanLine(y);
        for (int x = 0; x < Bmp.Width(); ++x) p[x] = (TqvColor(qvRed(p[x])) << 24) | rgb;
    }
}

void DrawLight(TCanvas& Canvas, TqvBitmap& Bmp, int X, int Y) {
    Bmp.SetAlphaBlend(true);
    Bmp.Draw(Canvas, X, Y);
}

void FinalText(TCanvas& Canvas, const TRect& R, const QString& Text, unsigned Format) {
    Canvas.Brush().SetStyle(bsClear);
    TRect r = R;
    DrawWideText(Canvas, Text, r, Format);
}

void Halo(TCanvas& Canvas, const TRect& R, const QString& Text, int Size, TColor Color, int Offset, unsigned Format,
          bool outline) {
    const int w = RectWidth(R) + 2 * Size, h = RectHeight(R) + 2 * Size;
    if (w <= 0 || h <= 0) return;
    TqvBitmap bmp;
    CoverageBitmap(bmp, Canvas, w, h, [&](TCanvas& c) {
        const TRect r0{Size, Size, w - Size, h - Size};
        const TPoint moves[5] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (int i = 0; i < (outline ? 5 : 1); ++i) {
            TRect r = r0;
            OffsetRect(r, moves[i].X, moves[i].Y);
            DrawWideText(c, Text, r, Format);
        }
    });
    BlurBitmap(bmp, Size);
    RedToAlpha(bmp, Color);
    DrawLight(Canvas, bmp, R.Left - Size + Offset, R.Top - Size + Offset);
    FinalText(Canvas, R, Text, Format);
}

}  // namespace

void DrawTextWithHalo(TCanvas& Canvas, const TRect& R, const QString& Text, int Size, TColor Color, int Offset,
                      unsigned Format) {
    Halo(Canvas, R, Text, Size, Color, Offset, Format, true);
}

void DrawTextWithShadow(TCanvas& Canvas, const TRect& R, const QString& Text, int Size, TColor Color, int Offset,
                        unsigned Format) {
    Halo(Canvas, R, Text, Size, Color, Offset, Format, false);
}

void DrawTextWithGlow(TCanvas& Canvas, const TRect& R, const QString& Text, TColor Color, unsigned Format) {
    constexpr int margin = 12;
    const int w = RectWidth(R) + 2 * margin, h = RectHeight(R) + 2 * margin;
    if (w <= 0 || h <= 0) return;
    TqvBitmap bmp;
    CoverageBitmap(bmp, Canvas, w, h, [&](TCanvas& c) {
        const TRect r0{margin, margin, w - margin, h - margin};
        c.Brush().SetColor(RGB(255, 0, 0));
        c.FillRect({r0.Left - 3, r0.Top + 2, r0.Right + 3, r0.Bottom - 2});
        c.Brush().SetStyle(bsClear);
        const TPoint moves[9] = {{-1, -1}, {-2, -2}, {-1, 0}, {-2, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 0}};
        for (const TPoint& m : moves) {
            TRect r = r0;
            OffsetRect(r, m.X, m.Y);
            DrawWideText(c, Text, r, Format);
        }
    });
    BlurBitmap(bmp, 6);
    BlurBitmap(bmp, 6);
    RedToAlpha(bmp, Color);
    DrawLight(Canvas, bmp, R.Left - margin, R.Top - margin);
    FinalText(Canvas, R, Text, Format);
}

void DrawTextWithReflection(TCanvas& Canvas, const TRect& R, const QString& Text, TColor Color, int Offset,
                            unsigned Format) {
    const int w = RectWidth(R), h = RectHeight(R);
    if (w > 0 && h > 0) {
        TqvBitmap bmp;
        TRect T{0, 0, w, h}, measured = R;
        CoverageBitmap(bmp, Canvas, w, h, [&](TCanvas& c) {
            TRect r{0, 0, w, h};
            DrawWideText(c, Text, r, Format);
            DrawWideText(c, Text, T, Format | DT_CALCRECT);
            DrawWideText(c, Text, measured, Format | DT_CALCRECT);
        });
        const TqvColor rgb = ColorToQvColor(ColorToRGB(Color)) & 0xFFFFFF;
        const int th = RectHeight(T);
        if (th > 0) {
            for (int y = 0; y < h; ++y) {
                TqvColor* p = bmp.ScanLine(y);
                if (y < T.Top || y > T.Bottom) {
                    std::fill(p, p + w, 0u);
                    continue;
                }
                // Alpha grows towards the text's bottom edge, to 0.7 of the coverage.
                float k = 0.7f - static_cast<float>(T.Bottom + T.Top - y) / static_cast<float>(th);
                if (k < 0) k = 0;
                for (int x = 0; x < w; ++x)
                    p[x] = (TqvColor(static_cast<int>(qvRed(p[x]) * k)) << 24) | rgb;
            }
            bmp.FlipVert();
            DrawLight(Canvas, bmp, R.Left, measured.Bottom + T.Bottom + Offset - h);
        }
    }
    FinalText(Canvas, R, Text, Format);
}
