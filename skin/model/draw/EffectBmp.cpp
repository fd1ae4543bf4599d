#include "skin/model/draw/EffectBmp.h"

#include "platform/Canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace {

// Halves to even, as the floating-point unit rounds by default.
inline std::uint8_t Clamp(double v) {
    const double r = std::nearbyint(v);
    return static_cast<std::uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

double ClampKf(double Kf) {
    if (std::isnan(Kf)) return 0;
    return std::clamp(Kf, 0.0, 1.0);
}

inline std::uint8_t Mix(double t, std::uint8_t self, std::uint8_t other) { return Clamp(t * self + (1 - t) * other); }

}  // namespace

TqvEffectBmp::TqvEffectBmp(int cx, int cy) : FImage(std::max(cx, 0), std::max(cy, 0), QImage::Format_BGR888) {
    if (!FImage.isNull()) FImage.fill(0);
}

TqvEffectBmp::TqvEffectBmp(const QImage& Source) : FImage(Source.convertToFormat(QImage::Format_BGR888)) {}

void TqvEffectBmp::Draw(QPainter& Painter, int x, int y) const { Painter.drawImage(x, y, FImage); }

void TqvEffectBmp::Draw(QImage& Target, int x, int y) const { BitBlt(Target, x, y, Width(), Height(), FImage, 0, 0); }

void TqvEffectBmp::Draw(TCanvas& Canvas, int x, int y) const {
    if (Canvas.Image()) Draw(*Canvas.Image(), x, y);
}

// ---- transitions

void TqvEffectBmp::Morph(const TqvEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP)) return;
    Kf = ClampKf(Kf);
    const int n = Width() * 3;
    for (int y = 0; y < Height(); ++y) {
        std::uint8_t* d = FImage.scanLine(y);
        const std::uint8_t* s = BMP.FImage.constScanLine(y);
        for (int i = 0; i < n; ++i) d[i] = Clamp((1 - Kf) * d[i] + Kf * s[i]);
    }
}

void TqvEffectBmp::MorphGrad(const TqvEffectBmp& BMP, double Kf) {
    if (Width() < Height()) MorphVGrad(BMP, Kf);
    else MorphHGrad(BMP, Kf);
}

void TqvEffectBmp::MorphHGrad(const TqvEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || Width() == 0) return;
    const int W = Width();
    const int b = static_cast<int>(std::nearbyint(W * Kf));
    const int g = (W - b) / 2;
    const double step = g == 0 ? 1.0 : 1.0 / g;
    const int l = std::max(0, W / 2 - b / 2), r = std::min(W - 1, W / 2 + b / 2);
    for (int y = 0; y < Height(); ++y) {
        std::uint8_t* d = FImage.scanLine(y);
        const std::uint8_t* s = BMP.FImage.constScanLine(y);
        if (l <= r) std::memcpy(d + 3 * l, s + 3 * l, static_cast<size_t>(3 * (r - l + 1)));
        double t = 0;
        for (int x = l; x >= 0; --x, t = std::min(t + step, 1.0))
            for (int c = 0; c < 3; ++c) d[3 * x + c] = Mix(t, d[3 * x + c], s[3 * x + c]);
        t = 0;
        for (int x = r; x < W; ++x, t = std::min(t + step, 1.0))
            for (int c = 0; c < 3; ++c) d[3 * x + c] = Mix(t, d[3 * x + c], s[3 * x + c]);
    }
}

void TqvEffectBmp::MorphVGrad(const TqvEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || Height() == 0) return;
    const int H = Height(), n = Width() * 3;
    const int b = static_cast<int>(std::nearbyint(H * Kf));
    const int g = (H - 1 - b) / 2;
    const double step = g == 0 ? 0.0 : 1.0 / g;
    const int l = std::max(0, H / 2 - b / 2), r = std::min(H - 1, H / 2 + b / 2);
    for (int y = l; y <= r; ++y) std::memcpy(FImage.scanLine(y), BMP.FImage.constScanLine(y), size_t(n));
    auto blendRow = [&](int y, double t) {
        std::uint8_t* d = FImage.scanLine(y);
        const std::uint8_t* s = BMP.FImage.constScanLine(y);
        for (int i = 0; i < n; ++i) d[i] = Mix(t, d[i], s[i]);
    };
    double t = 0;
    for (int y = l; y >= 0; --y, t = std::min(t + step, 1.0)) blendRow(y, t);
    t = 0;
    for (int y = r; y < H; ++y, t = std::min(t + step, 1.0)) blendRow(y, t);
}

void TqvEffectBmp::MorphLeftGrad(const TqvEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || Width() == 0) return;
    const int W = Width();
    // At least one column, but never past the last one (a 1-wide picture).
    const int b = std::min(std::max(static_cast<int>(std::nearbyint(W * Kf)), 1), W - 1);
    const double step = b == 0 ? 1.0 : 1.0 / b;
    for (int y = 0; y < Height(); ++y) {
        std::uint8_t* d = FImage.scanLine(y);
        const std::uint8_t* s = BMP.FImage.constScanLine(y);
        double t = 0;
        for (int x = 0; x <= b; ++x, t = std::min(t + step, 1.0))
            for (int c = 0; c < 3; ++c) d[3 * x + c] = Mix(t, d[3 * x + c], s[3 * x + c]);
    }
}

void TqvEffectBmp::MorphRightGrad(const TqvEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || Width() == 0) return;
    const int W = Width();
    const int s0 = std::clamp(W - static_cast<int>(std::nearbyint(W * Kf)), 0, W - 1);
    const double step = W - s0 <= 0 ? 1.0 : 1.0 / (W - s0);
    for (int y = 0; y < Height(); ++y) {
        std::uint8_t* d = FImage.scanLine(y);
        const std::uint8_t* s = BMP.FImage.constScanLine(y);
        double t = 0;
        for (int x = W - 1; x >= s0; --x, t = std::min(t + step, 1.0))
            for (int c = 0; c < 3; ++c) d[3 * x + c] = Mix(t, d[3 * x + c], s[3 * x + c]);
    }
}

void TqvEffectBmp::MorphLeftSlide(const TqvEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || Width() == 0) return;
    const int W = Width();
    const int b = std::min(std::max(static_cast<int>(std::nearbyint(W * Kf)), 1), W - 1);
    for (int y = 0; y < Height() && b > 0; ++y)
        std::memcpy(FImage.scanLine(y), BMP.FImage.constScanLine(y) + 3 * (W - b), size_t(3 * b));
}

void TqvEffectBmp::MorphRightSlide(const TqvEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || Width() == 0) return;
    const int W = Width();
    const int b = std::min(std::max(static_cast<int>(std::nearbyint(W * Kf)), 1), W - 1);
    for (int y = 0; y < Height() && b > 0; ++y)
        std::memcpy(FImage.scanLine(y) + 3 * (W - b), BMP.FImage.constScanLine(y), size_t(3 * b));
}

void TqvEffectBmp::MorphPush(const TqvEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || Width() == 0) return;
    const int W = Width();
    const int b = std::clamp(static_cast<int>(std::nearbyint(W * Kf)), 0, W - 1);
    for (int y = 0; y < Height(); ++y) {
        std::uint8_t* d = FImage.scanLine(y);
        // Self moves b + 1 columns right; reading leftwards keeps sources intact.
        for (int j = W - 1; j >= b; --j) {
            const int from = std::max(j - b - 1, 0);
            std::memmove(d + 3 * j, d + 3 * from, 3);
        }
        std::memcpy(d, BMP.FImage.constScanLine(y) + 3 * (W - b - 1), size_t(3 * (b + 1)));
    }
}

// ---- colour effects

namespace {
template <class F>
void EachChannel(QImage& img, F f) {
    const int n = img.width() * 3;
    for (int y = 0; y < img.height(); ++y) {
        std::uint8_t* d = img.scanLine(y);
        for (int i = 0; i < n; ++i) d[i] = f(d[i]);
    }
}
}  // namespace

void TqvEffectBmp::ChangeBrightness(double Kf) {
    Kf = ClampKf(Kf);
    EachChannel(FImage, [&](std::uint8_t c) { return Clamp((1 - Kf) * c + Kf * 255); });
}

void TqvEffectBmp::ChangeDarkness(double Kf) {
    Kf = ClampKf(Kf);
    EachChannel(FImage, [&](std::uint8_t c) { return Clamp((1 - Kf) * c); });
}

void TqvEffectBmp::Invert() {
    EachChannel(FImage, [](std::uint8_t c) { return static_cast<std::uint8_t>(255 - c); });
}

void TqvEffectBmp::GrayScale() {
    for (int y = 0; y < Height(); ++y) {
        std::uint8_t* d = FImage.scanLine(y);
        for (int x = 0; x < Width(); ++x, d += 3) {
            const std::uint8_t v = Clamp(0.3 * d[2] + 0.59 * d[1] + 0.11 * d[0]);
            d[0] = d[1] = d[2] = v;
        }
    }
}

void TqvEffectBmp::AddMonoNoise(int Amount) {
    if (Amount <= 0) return;
    // Process-wide generator; effects run on the UI thread only.
    static std::mt19937 gen{std::random_device{}()};
    std::uniform_int_distribution<int> dist(0, Amount - 1);
    for (int y = 0; y < Height(); ++y) {
        std::uint8_t* d = FImage.scanLine(y);
        for (int x = 0; x < Width(); ++x, d += 3) {
            const int n = dist(gen) - Amount / 2;
            for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>(std::clamp(d[c] + n, 0, 255));
        }
    }
}

void TqvEffectBmp::SplitBlur(int Amount) {
    if (Amount == 0 || FImage.isNull()) return;
    const int W = Width(), H = Height();
    // The odd edge rule (Height - row) is kept for Amount 1; larger amounts are
    // held inside the picture.
    auto vert = [&](int y, int a) {
        int v = y + a;
        if (v < 0) v = y;
        if (v >= H) v = H - y;
        return std::clamp(v, 0, H - 1);
    };
    auto horz = [&](int x, int a) {
        int v = x + a;
        if (v < 0) v = x;
        if (v >= W) v = W - x;
        return std::clamp(v, 0, W - 1);
    };
    for (int y = 0; y < H; ++y) {
        const int up = vert(y, -Amount), down = vert(y, Amount);
        for (int x = 0; x < W; ++x) {
            const int left = horz(x, -Amount), right = horz(x, Amount);
            const std::uint8_t* p[4] = {FImage.constScanLine(up) + 3 * left, FImage.constScanLine(up) + 3 * right,
                                        FImage.constScanLine(down) + 3 * left, FImage.constScanLine(down) + 3 * right};
            std::uint8_t* d = FImage.scanLine(y) + 3 * x;
            for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>((p[0][c] + p[1][c] + p[2][c] + p[3][c]) >> 2);
        }
    }
}

// ---- geometry

void TqvEffectBmp::Rotate90_1(TqvEffectBmp& Dst) const {
    if (Dst.Width() != Height() || Dst.Height() != Width()) return;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) Dst.WritePixel(y, Width() - 1 - x, ReadPixel(x, y));
}

void TqvEffectBmp::Rotate90_2(TqvEffectBmp& Dst) const {
    if (Dst.Width() != Height() || Dst.Height() != Width()) return;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) Dst.WritePixel(Height() - 1 - y, x, ReadPixel(x, y));
}

void TqvEffectBmp::FlipVert(TqvEffectBmp& Dst) const {
    if (!Dst.SameSize(*this)) return;
    for (int y = 0; y < Height(); ++y)
        std::memcpy(Dst.FImage.scanLine(Height() - 1 - y), FImage.constScanLine(y), size_t(3 * Width()));
}

// ---- pixel access

void TqvEffectBmp::GetScanLine(int y, void* Line) const { std::memcpy(Line, FImage.constScanLine(y), size_t(3 * Width())); }

void TqvEffectBmp::SetLine(int y, const void* Line) { std::memcpy(FImage.scanLine(y), Line, size_t(3 * Width())); }

TqvBGR TqvEffectBmp::ReadPixel(int x, int y) const {
    const std::uint8_t* p = FImage.constScanLine(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

void TqvEffectBmp::WritePixel(int x, int y, TqvBGR Color) {
    std::uint8_t* p = FImage.scanLine(y) + 3 * x;
    p[0] = Color.B;
    p[1] = Color.G;
    p[2] = Color.R;
}
