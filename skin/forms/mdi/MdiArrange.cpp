#include "skin/forms/mdi/MdiArrange.h"

#include <algorithm>
#include <cmath>

std::vector<TRect> TileRects(int count, const TRect& client) {
    std::vector<TRect> out(size_t(std::max(count, 0)));
    const int cols = int(std::sqrt(double(std::max(count, 0))));
    if (cols < 1) return out;
    int rows = count / cols;
    if (count > rows * cols) ++rows;
    const int W = client.Width(), H = client.Height();
    const int colW = W / cols;
    int rowH = H / rows;
    int x = W - colW, y = H - rowH;
    int colsLeft = cols;
    for (int i = count - 1; i >= 0; --i) {
        out[size_t(i)] = Bounds(std::max(x, 0), std::max(y, 0), colW, rowH);
        if (i == 0) break;
        y -= rowH;
        if (y < 0) {
            // The next column shares its height among the children still to place.
            const int remaining = i;
            colsLeft = std::max(colsLeft - 1, 1);
            rows = std::max(remaining / colsLeft + (remaining % colsLeft ? 1 : 0), 1);
            rowH = H / rows;
            x -= colW;
            y = H - rowH;
        }
    }
    return out;
}

std::vector<TRect> CascadeRects(int count, const TRect& client, int step, int minWidth, int minHeight,
                                const std::vector<TqvCascadeChild>& children) {
    std::vector<TRect> out(size_t(std::max(count, 0)));
    if (count < 1) return out;
    step = std::max(step, 1);  // a frame without a caption still steps
    const int W = client.Width(), H = client.Height();
    const int n = (W - int(std::lround(W * 0.8))) / step;
    const int k = n > count ? count - 1 : n;
    const int w = std::max(W - step * k, minWidth);
    const int h = std::max(H - step * k, minHeight);
    int offset = 0;
    for (int i = count - 1; i >= 0; --i) {
        int cw = w, ch = h;
        if (size_t(i) < children.size() && children[size_t(i)].FixedSize) {
            cw = children[size_t(i)].Width;
            ch = children[size_t(i)].Height;
        }
        if (offset + cw > W || offset + ch > H) offset = 0;
        out[size_t(i)] = Bounds(offset, offset, cw, ch);
        offset += step;
    }
    return out;
}
