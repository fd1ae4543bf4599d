#include "skin/model/draw/TextEffects.h"

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
