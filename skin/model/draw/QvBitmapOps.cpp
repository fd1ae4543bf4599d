// Whole-bitmap operations of TqvBitmap, its stream form and loaders, and
// TqvBitmapLink.
#include "platform/Canvas.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/QvBitmap.h"

#include <QIODevice>
#include <QImage>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

void TqvBitmap::FlipVert() {
    if (Empty()) return;
    std::vector<TqvColor> row(static_cast<size_t>(FWidth));
    for (int i = 0; i < FHeight / 2; ++i) {
        TqvColor* a = ScanLine(i);
        TqvColor* b = ScanLine(FHeight - 1 - i);
        std::copy(a, a + FWidth, row.data());
        std::copy(b, b + FWidth, a);
        std::copy(row.data(), row.data() + FWidth, b);
    }
}

void TqvBitmap::Reflect(int k) {
    if (Empty()) return;
    FlipVert();
    long double f = 1;
    const long double step = 2.0L / FHeight;
    for (int y = 0; y < FHeight; ++y, f -= step) {
        TqvColor* p = ScanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            const int a = qvAlpha(p[x]);
            if (a == 0) continue;
            const long long v = std::llrint(f * a) / k;
            p[x] = (p[x] & 0xFFFFFF) | (TqvColor(std::max<long long>(0, v)) << 24);
        }
    }
}

void TqvBitmap::Reflection() { Reflect(3); }
void TqvBitmap::Reflection2() { Reflect(4); }
void TqvBitmap::Reflection3() { Reflect(2); }

template <class F>
void TqvBitmap::ForEachVisiblePixel(F f) {
    if (Empty()) return;
    for (int y = 0; y < FHeight; ++y) {
        TqvColor* p = ScanLine(y);
        for (int x = 0; x < FWidth; ++x)
            if (qvAlpha(p[x]) != 0) p[x] = f(p[x]);
    }
}

void TqvBitmap::ChangeBitmapBrightness(int Delta) {
    if (Delta == 0) return;
    auto c = [&](int v) { return std::clamp(v + Delta, 0, 255); };
    ForEachVisiblePixel([&](TqvColor p) { return qvARGB(qvAlpha(p), c(qvRed(p)), c(qvGreen(p)), c(qvBlue(p))); });
}

namespace {
struct THsl {
    long double H, S, L;
};

THsl ToHsl(TqvColor p) {
    const long double r = qvRed(p) / 255.0L, g = qvGreen(p) / 255.0L, b = qvBlue(p) / 255.0L;
    const long double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    THsl o{0, 0, (mx + mn) / 2};
    if (mx == mn) return o;
    const long double d = mx - mn;
    o.S = o.L < 0.5L ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx) o.H = (g - b) / d;
    else if (g == mx) o.H = (b - r) / d + 2;
    else o.H = (r - g) / d + 4;
    o.H /= 6;
    if (o.H < 0) o.H += 1;
    return o;
}

int Channel(long double p, long double q, long double t) {
    t -= std::floor(t);
    long double v;
    if (6 * t < 1) v = p + (q - p) * 6 * t;
    else if (2 * t < 1) v = q;
    else if (3 * t < 2) v = p + (q - p) * (2.0L / 3 - t) * 6;
    else v = p;
    return std::clamp(static_cast<int>(std::llrint(v * 255)), 0, 255);
}

TqvColor FromHsl(const THsl& c, std::uint8_t alpha) {
    if (c.S == 0) {
        const int v = std::clamp(static_cast<int>(std::llrint(c.L * 255)), 0, 255);
        return qvARGB(alpha, v, v, v);
    }
    const long double q = c.L <= 0.5L ? c.L * (1 + c.S) : c.L + c.S - c.L * c.S;
    const long double p = 2 * c.L - q;
    return qvARGB(alpha, Channel(p, q, c.H + 1.0L / 3), Channel(p, q, c.H), Channel(p, q, c.H - 1.0L / 3));
}

// The hue and saturation steps wrap by 255, not 256 (stored skins rely on it).
long double Wrapped(long double component, int delta) {
    long long v = std::llrint(component * 255) + delta;
    if (v >= 256) v -= 255;
    else if (v < 0) v += 255;
    return v / 255.0L;
}
}  // namespace

void TqvBitmap::SetBitmapHue(int Hue) {
    Hue = std::clamp(Hue, 0, 255);
    ForEachVisiblePixel([&](TqvColor p) {
        THsl c = ToHsl(p);
        c.H = Hue / 255.0L;
        return FromHsl(c, qvAlpha(p));
    });
}

void TqvBitmap::ChangeBitmapHue(int Delta) {
    if (Delta == 0) return;
    ForEachVisiblePixel([&](TqvColor p) {
        THsl c = ToHsl(p);
        c.H = Wrapped(c.H, Delta);
        return FromHsl(c, qvAlpha(p));
    });
}

void TqvBitmap::ChangeBitmapSat(int Delta) {
    if (Delta == 0) return;
    ForEachVisiblePixel([&](TqvColor p) {
        THsl c = ToHsl(p);
        c.S = Wrapped(c.S, Delta);
        return FromHsl(c, qvAlpha(p));
    });
}

// ---- stream form

namespace {
void WriteInt(QIODevice& s, qint32 v) {
    v = qToLittleEndian(v);
    WriteExact(s, reinterpret_cast<const char*>(&v), 4);
}

qint32 ReadInt(QIODevice& s) {
    qint32 v = 0;
    if (s.read(reinterpret_cast<char*>(&v), 4) != 4) throw EqvStreamError();
    return qFromLittleEndian(v);
}
}  // namespace

void TqvBitmap::SaveToStream(QIODevice& Stream) const {
    WriteStreamString(Stream, FName);
    WriteInt(Stream, FWidth);
    WriteInt(Stream, FHeight);
    if (!FBits) return;
    // One write for all pixels, not one per pixel.
    const qint64 count = qint64(FWidth) * FHeight;
    QByteArray raw(qsizetype(count * 4), Qt::Uninitialized);
    for (qint64 i = 0; i < count; ++i) qToLittleEndian(FBits[i], raw.data() + 4 * i);
    WriteExact(Stream, raw.constData(), raw.size());
}

void TqvBitmap::LoadFromStream(QIODevice& Stream) {
    ReadStreamString(Stream, FName);
    const qint32 w = ReadInt(Stream), h = ReadInt(Stream);
    const bool bottomUp = h <= 0;
    const long long absW = std::llabs(w), absH = std::llabs(h);
    // The stored size is untrusted: refuse what the stream cannot hold before
    // allocating it.
    if (!Stream.isSequential() && absW * absH * 4 > Stream.bytesAvailable()) throw EqvStreamError();
    SetSize(w, h);
    if (Empty() || FWidth != w || FHeight != absH) return;
    const qint64 bytes = qint64(FWidth) * FHeight * 4;
    if (Stream.read(reinterpret_cast<char*>(FBits), bytes) != bytes) throw EqvStreamError();
    for (qint64 i = 0; i < qint64(FWidth) * FHeight; ++i) FBits[i] = qFromLittleEndian(FBits[i]);
    if (bottomUp) FlipVert();
}

void TqvBitmap::LoadFromResource(const QString& ResFileName, const QString& ResName) {
    const QString path = ResFileName.isEmpty() ? QStringLiteral(":/bitmaps/%1.bmp").arg(ResName)
                                               : ResFileName + QLatin1Char('/') + ResName;
    QImage img(path);
    if (!img.isNull()) Assign(img);
}

// ---- PCX

namespace {
// The classic 16-colour system palette (version 3 files carry none).
constexpr QRgb kSystem16[16] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

// Decoded data larger than this is a lying header, not a picture.
constexpr qint64 kMaxPcxBytes = 64LL * 1024 * 1024;
}  // namespace

bool TqvBitmap::LoadFromPcxStream(QIODevice& Stream) {
    const QByteArray data = Stream.readAll();
    const auto* d = reinterpret_cast<const uchar*>(data.constData());
    const qint64 n = data.size();
    if (n < 128 || (d[0] != 10 && d[0] != 205)) return false;
    auto u16 = [&](int off) { return int(qFromLittleEndian<quint16>(d + off)); };
    const int version = d[1], encoding = d[2];
    const int w = u16(8) - u16(4) + 1, h = u16(10) - u16(6) + 1;
    const int planes = d[65], bytesPerLine = u16(66);
    if (w <= 0 || h <= 0) return false;
    const qint64 lineStep = qint64(bytesPerLine) * planes;
    const qint64 expected = lineStep * h;
    if (qint64(w) * h > kMaxPcxBytes || expected > kMaxPcxBytes) return false;

    QImage img(w, h, QImage::Format_Indexed8);
    if (img.isNull()) return false;
    QList<QRgb> palette(256, 0xFF000000);
    if (version == 3) {
        std::copy(std::begin(kSystem16), std::end(kSystem16), palette.begin());
    } else if (n >= 128 + 769) {
        const uchar* pal = d + n - 768;
        for (int i = 0; i < 256; ++i) palette[i] = qRgb(pal[3 * i], pal[3 * i + 1], pal[3 * i + 2]);
    }
    img.setColorTable(palette);

    // Missing image data reads as colour 0.
    std::vector<uchar> pixels(static_cast<size_t>(expected), 0);
    qint64 out = 0;
    if (encoding == 1) {
        for (qint64 in = 128; in < n && out < expected;) {
            const uchar b = d[in++];
            if (b < 192) {
                pixels[size_t(out++)] = b;
            } else {
                if (in >= n) break;
                const uchar v = d[in++];
                for (int k = b & 63; k > 0 && out < expected; --k) pixels[size_t(out++)] = v;
            }
        }
    } else {
        const qint64 len = std::min(expected, n - 128);
        std::copy(d + 128, d + 128 + len, pixels.begin());
    }
    for (int y = 0; y < h; ++y) {
        uchar* row = img.scanLine(y);
        const qint64 start = lineStep * y;
        for (int x = 0; x < w; ++x) {
            const qint64 at = start + x;
            row[x] = at < expected ? pixels[size_t(at)] : 0;
        }
    }
    Assign(img);
    return true;
}

// ---- links

std::unique_ptr<TqvBitmapLink> TqvBitmap::GetBitmapLink(const TRect& R) {
    auto link = std::make_unique<TqvBitmapLink>();
    link->SetImage(this);
    link->SetName(FName);
    link->SetRect(R);
    return link;
}

std::unique_ptr<TqvBitmapLink> TqvBitmap::GetBitmapLink(const QString& R) {
    TRect r;
    ParseRectText(R, r);
    return GetBitmapLink(r);
}

void TqvBitmapLink::Assign(const TqvBitmapLink& Source) {
    FImage = Source.FImage;
    FRect = Source.FRect;
    FName = Source.FName;
    FMasked = Source.FMasked;
    FMaskedBorder = Source.FMaskedBorder;
    FMaskedAngles = Source.FMaskedAngles;
}

void TqvBitmapLink::Draw(TqvBitmap& Bitmap, int X, int Y) const {
    if (FImage && !FImage->Empty() && RectWidth(FRect) > 0 && RectHeight(FRect) > 0) FImage->Draw(Bitmap, X, Y, FRect);
}

void TqvBitmapLink::Draw(QImage& Target, int X, int Y, TPoint Origin) const {
    if (FImage && !FImage->Empty() && RectWidth(FRect) > 0 && RectHeight(FRect) > 0)
        FImage->Draw(Target, Bounds(X, Y, RectWidth(FRect), RectHeight(FRect)), FRect, Origin);
}

void TqvBitmapLink::Draw(TCanvas& Target, int X, int Y) const {
    if (Target.Image()) Draw(*Target.Image(), X, Y);
}

void TqvBitmapLink::SaveToStream(QIODevice& Stream) const {
    WriteStreamString(Stream, FName);
    for (int v : {FRect.Left, FRect.Top, FRect.Right, FRect.Bottom}) WriteInt(Stream, v);
}

void TqvBitmapLink::LoadFromStream(QIODevice& Stream) {
    ReadStreamString(Stream, FName);
    FRect.Left = ReadInt(Stream);
    FRect.Top = ReadInt(Stream);
    FRect.Right = ReadInt(Stream);
    FRect.Bottom = ReadInt(Stream);
}

void TqvBitmapLink::CheckingMasked() { CheckingMasked({}); }

void TqvBitmapLink::CheckingMasked(const TRect& M) {
    FMasked = FMaskedBorder = FMaskedAngles = false;
    auto masked = [&](int x, int y) {
        const TqvColor p = FImage ? FImage->Pixel(x, y) : 0;
        return p != 0x33333333u && (p == qvColorKey || qvAlpha(p) != 255);
    };
    const int W = RectWidth(FRect), H = RectHeight(FRect);
    const bool noMargin = M == TRect{};
    const TRect angles[4] = {{0, 0, M.Left, M.Top},
                             {W - M.Right, 0, W, M.Top},
                             {W - M.Right, H - M.Bottom, W, H},
                             {0, H - M.Bottom, M.Left, H}};
    const TRect borders[4] = {{M.Left, 0, W - M.Right, M.Top},
                              {M.Left, H - M.Bottom, W - M.Right, H},
                              {0, M.Top, M.Left, H - M.Bottom},
                              {W - M.Right, M.Top, W, H - M.Bottom}};
    const TRect centre{M.Left, M.Top, W - M.Right, H - M.Bottom};
    for (int y = FRect.Top; y < FRect.Bottom; ++y)
        for (int x = FRect.Left; x < FRect.Right; ++x) {
            if (!masked(x, y)) continue;
            if (noMargin) {
                FMasked = true;
                return;
            }
            const TPoint p{x - FRect.Left, y - FRect.Top};
            for (const TRect& r : angles)
                if (PtInRect(r, p)) FMaskedAngles = true;
            for (const TRect& r : borders)
                if (PtInRect(r, p)) FMaskedBorder = true;
            if (PtInRect(centre, p)) FMasked = true;
        }
}
