#include "skin/model/draw/QvBitmap.h"

#include "platform/Canvas.h"
#include "skin/model/draw/DrawUtils.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
// Every bitmap that has pixels, in the order they got them, so drawing onto
// an image can find out that the image is another bitmap's. UI thread only.
std::vector<TqvBitmap*>& Registry() {
    static std::vector<TqvBitmap*> list;
    return list;
}

TRect Clipped(const TRect& R, int W, int H) {
    TRect c;
    IntersectRect(c, R, {0, 0, W, H});
    return c;
}
}  // namespace

TqvBitmap::~TqvBitmap() {
    if (FRegistered) std::erase(Registry(), this);
}

TqvBitmap* TqvBitmap::FindByImage(const QImage* Image) {
    for (TqvBitmap* b : Registry())
        if (&b->FImage == Image && !b->Empty()) return b;
    return nullptr;
}

void TqvBitmap::SetSize(int AWidth, int AHeight) {
    AWidth = std::abs(AWidth);
    AHeight = std::abs(AHeight);
    if (AWidth == 0 || AHeight == 0 || (AWidth == FWidth && AHeight == FHeight && FBits)) return;
    FImage = QImage();
    FBits = nullptr;
    QImage img(AWidth, AHeight, QImage::Format_ARGB32);
    if (img.isNull()) {
        // The size goes with the pixels, so nothing can address rows that
        // are not there.
        FWidth = FHeight = 0;
        throw EqvBitmapError("Can't allocate the DIB handle");
    }
    img.fill(0);
    FImage = std::move(img);
    // Taken once: the image is never shared, so this address stays valid.
    FBits = reinterpret_cast<TqvColor*>(FImage.bits());
    if (!FRegistered) {
        Registry().push_back(this);
        FRegistered = true;
    }
    FWidth = AWidth;
    FHeight = AHeight;
}

QImage TqvBitmap::ToImage() const { return FImage.copy(); }

TCanvas& TqvBitmap::Canvas() {
    // Over the member image itself, so it stays attached across SetSize.
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(&FImage);
    return *FCanvas;
}

void TqvBitmap::Clear(TqvColor Color) {
    if (Empty()) return;
    FillRectPixels(Pixels(), {0, 0, FWidth, FHeight}, Color);
}

void TqvBitmap::SetPixel(int X, int Y, TqvColor Color) {
    if (FBits && X >= 0 && X < FWidth && Y >= 0 && Y < FHeight) *PixelAt(X, Y) = Color;
}

TqvColor TqvBitmap::Pixel(int X, int Y) const {
    if (FBits && X >= 0 && X < FWidth && Y >= 0 && Y < FHeight) return *PixelAt(X, Y);
    return 0;
}

void TqvBitmap::CheckingAlphaBlend() { CheckingAlphaBlend({0, 0, FWidth, FHeight}); }

void TqvBitmap::CheckingAlphaBlend(const TRect& ARect) {
    FAlphaBlend = false;
    if (Empty()) return;
    const TRect r = Clipped(ARect, FWidth, FHeight);
    for (int y = r.Top; y < r.Bottom && !FAlphaBlend; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const auto a = qvAlpha(*PixelAt(x, y));
            if (a != 0 && a != 255) {
                FAlphaBlend = true;
                break;
            }
        }
}

void TqvBitmap::CheckingTransparent(TqvColor Color) { CheckingTransparent({0, 0, FWidth, FHeight}, Color); }

void TqvBitmap::CheckingTransparent(const TRect& ARect, TqvColor Color) {
    FTransparent = false;
    if (Empty()) return;
    const TRect r = Clipped(ARect, FWidth, FHeight);
    auto near = [](int a, int b) { return std::abs(a - b) <= 5; };
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            TqvColor& p = *PixelAt(x, y);
            if (near(qvRed(p), qvRed(Color)) && near(qvGreen(p), qvGreen(Color)) && near(qvBlue(p), qvBlue(Color))) {
                p = qvColorKey;
                FTransparent = true;
            }
        }
}

void TqvBitmap::SetAlpha(std::uint8_t Alpha) {
    if (!Empty()) SetAlphaRect(Pixels(), {0, 0, FWidth, FHeight}, Alpha);
}

void TqvBitmap::SetAlpha(std::uint8_t Alpha, const TRect& R) {
    if (Empty()) return;
    const TRect r = Clipped(R, FWidth, FHeight);
    if (!IsNullRect(r)) SetAlphaRect(Pixels(), r, Alpha);
}

// ---- drawing

void TqvBitmap::DrawToPixels(const TqvPixels& Dst, const TRect& DstRect, const TRect& ClipRect,
                             const TRect& SrcRect) const {
    if (Empty() || Dst.Empty()) return;
    const TqvDrawKind kind = FAlphaBlend ? TqvDrawKind::Alpha : FTransparent ? TqvDrawKind::Key : TqvDrawKind::Copy;
    StretchDraw(kind, Dst, DstRect, ClipRect, Pixels(), SrcRect);
}

void TqvBitmap::Draw(TqvBitmap& Dst, int X, int Y) const {
    Draw(Dst, Bounds(X, Y, FWidth, FHeight), {0, 0, FWidth, FHeight});
}

void TqvBitmap::Draw(TqvBitmap& Dst, int X, int Y, const TRect& SrcRect) const {
    Draw(Dst, Bounds(X, Y, RectWidth(SrcRect), RectHeight(SrcRect)), SrcRect);
}

void TqvBitmap::Draw(TqvBitmap& Dst, const TRect& DstRect) const { Draw(Dst, DstRect, {0, 0, FWidth, FHeight}); }

void TqvBitmap::Draw(TqvBitmap& Dst, const TRect& DstRect, const TRect& SrcRect) const {
    DrawToPixels(Dst.Pixels(), DstRect, DstRect, SrcRect);
}

void TqvBitmap::Draw(QImage& Dst, int X, int Y, TPoint Origin) const {
    Draw(Dst, Bounds(X, Y, FWidth, FHeight), {0, 0, FWidth, FHeight}, Origin);
}

namespace {
// Runs f on the 32-bit pixels of an image: a registered bitmap's directly, a
// 32-bit image in place (kept opaque when it has no alpha), any other through
// a 32-bit copy written back. f writes inside Area only, so only Area needs
// its alpha restored.
template <class F>
void WithImagePixels(QImage& Dst, const TRect& Area, F f) {
    if (TqvBitmap* b = TqvBitmap::FindByImage(&Dst)) {
        f(b->Pixels());
        return;
    }
    if (Dst.isNull()) return;
    const auto fmt = Dst.format();
    if (fmt == QImage::Format_ARGB32 || fmt == QImage::Format_RGB32) {
        TqvPixels p{reinterpret_cast<TqvColor*>(Dst.bits()), Dst.width(), Dst.height(),
                    static_cast<int>(Dst.bytesPerLine() / 4)};
        f(p);
        TRect touched;
        if (fmt == QImage::Format_RGB32 && IntersectRect(touched, Area, {0, 0, p.Width, p.Height}))
            SetAlphaRect(p, touched, 255);
        return;
    }
    QImage tmp = Dst.convertToFormat(QImage::Format_ARGB32);
    f(TqvPixels{reinterpret_cast<TqvColor*>(tmp.bits()), tmp.width(), tmp.height(),
                static_cast<int>(tmp.bytesPerLine() / 4)});
    Dst = tmp.convertToFormat(fmt);
}
}  // namespace

void TqvBitmap::Draw(QImage& Dst, const TRect& DstRect, const TRect& SrcRect, TPoint Origin) const {
    TRect d = DstRect;
    OffsetRect(d, -Origin.X, -Origin.Y);
    WithImagePixels(Dst, d, [&](const TqvPixels& p) { DrawToPixels(p, d, d, SrcRect); });
}

void TqvBitmap::Draw(TCanvas& Dst, int X, int Y) const {
    if (Dst.Image()) Draw(*Dst.Image(), X, Y);
}

void TqvBitmap::Draw(TCanvas& Dst, int X, int Y, const TRect& SrcRect) const {
    Draw(Dst, Bounds(X, Y, RectWidth(SrcRect), RectHeight(SrcRect)), SrcRect);
}

void TqvBitmap::Draw(TCanvas& Dst, const TRect& DstRect) const { Draw(Dst, DstRect, {0, 0, FWidth, FHeight}); }

void TqvBitmap::Draw(TCanvas& Dst, const TRect& DstRect, const TRect& SrcRect) const {
    if (Dst.Image()) Draw(*Dst.Image(), DstRect, SrcRect);
}

namespace {
// Calls draw(tile, src) for every tile of SrcRect's size laid over DstRect
// from its top-left corner; cut tiles use the top-left part of SrcRect.
template <class F>
void ForEachTile(const TRect& DstRect, const TRect& SrcRect, F draw) {
    const int tw = RectWidth(SrcRect), th = RectHeight(SrcRect);
    if (tw <= 0 || th <= 0) return;
    const int dw = RectWidth(DstRect), dh = RectHeight(DstRect);
    if (dw <= 0 || dh <= 0) return;
    const int nx = (dw + tw - 1) / tw, ny = (dh + th - 1) / th;
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j) {
            TRect tile;
            if (!IntersectRect(tile, Bounds(DstRect.Left + i * tw, DstRect.Top + j * th, tw, th), DstRect)) break;
            draw(tile, Bounds(SrcRect.Left, SrcRect.Top, RectWidth(tile), RectHeight(tile)));
        }
}

bool Meets(const TRect& clip, const TRect& tile) {
    TRect t;
    return IsNullRect(clip) || IntersectRect(t, clip, tile);
}
}  // namespace

void TqvBitmap::Tile(TqvBitmap& Dst, const TRect& DstRect, const TRect& SrcRect) const {
    ForEachTile(DstRect, SrcRect, [&](const TRect& t, const TRect& s) { Draw(Dst, t, s); });
}

void TqvBitmap::Tile(QImage& Dst, const TRect& DstRect, const TRect& SrcRect, TPoint Origin) const {
    TRect area = DstRect;
    OffsetRect(area, -Origin.X, -Origin.Y);
    WithImagePixels(Dst, area, [&](const TqvPixels& p) {
        ForEachTile(DstRect, SrcRect, [&](TRect t, const TRect& s) {
            OffsetRect(t, -Origin.X, -Origin.Y);
            DrawToPixels(p, t, t, s);
        });
    });
}

void TqvBitmap::Tile(TCanvas& Dst, const TRect& DstRect, const TRect& SrcRect) const {
    if (Dst.Image()) Tile(*Dst.Image(), DstRect, SrcRect);
}

void TqvBitmap::TileClip(TCanvas& Dst, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect) const {
    if (Dst.Image()) TileClip(*Dst.Image(), DstRect, DstClip, SrcRect);
}

void TqvBitmap::TileClip(TqvBitmap& Dst, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect) const {
    ForEachTile(DstRect, SrcRect, [&](const TRect& t, const TRect& s) {
        if (Meets(DstClip, t)) Draw(Dst, t, s);
    });
}

void TqvBitmap::TileClip(QImage& Dst, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect,
                         TPoint Origin) const {
    TRect area = DstRect;
    OffsetRect(area, -Origin.X, -Origin.Y);
    WithImagePixels(Dst, area, [&](const TqvPixels& p) {
        ForEachTile(DstRect, SrcRect, [&](TRect t, const TRect& s) {
            if (!Meets(DstClip, t)) return;
            OffsetRect(t, -Origin.X, -Origin.Y);
            DrawToPixels(p, t, t, s);
        });
    });
}

void TqvBitmap::MergeDraw(const TqvBitmap& Bitmap, int X, int Y, const TRect& SrcRect) {
    if (Empty() || Bitmap.Empty()) return;
    TRect s = SrcRect;
    if (s.Left < 0) { X -= s.Left; s.Left = 0; }
    if (s.Top < 0) { Y -= s.Top; s.Top = 0; }
    s.Right = std::min(s.Right, Bitmap.FWidth);
    s.Bottom = std::min(s.Bottom, Bitmap.FHeight);
    for (int sy = s.Top; sy < s.Bottom; ++sy) {
        const int dy = Y + sy - s.Top;
        if (dy < 0 || dy >= FHeight) continue;
        for (int sx = s.Left; sx < s.Right; ++sx) {
            const int dx = X + sx - s.Left;
            if (dx < 0 || dx >= FWidth) continue;
            TqvColor& d = *PixelAt(dx, dy);
            const auto a = qvAlpha(d);
            if (a == 0) d = *Bitmap.PixelAt(sx, sy);
            else if (a < 255) d = PixelRoutines.BlendPixel(d, *Bitmap.PixelAt(sx, sy));
        }
    }
}

void TqvBitmap::FillRect(const TRect& R, TqvColor Color) {
    if (Empty()) return;
    const TRect r = Clipped(R, FWidth, FHeight);
    if (IsNullRect(r)) return;
    if (!FAlphaBlend) {
        FillRectPixels(Pixels(), r, Color);
        return;
    }
    std::vector<TqvColor> row(static_cast<size_t>(RectWidth(r)), Color);
    for (int y = r.Top; y < r.Bottom; ++y) PixelRoutines.BlendRow(row.data(), PixelAt(r.Left, y), RectWidth(r));
}

void TqvBitmap::DrawGraphic(const QImage& Graphic, const TRect& DstRect) {
    if (Empty() || Graphic.isNull()) return;
    // Drawn with its own alpha rather than keyed on magenta, so a magenta
    // pixel of the picture is not lost.
    TqvBitmap tmp;
    tmp.Assign(Graphic);
    tmp.FAlphaBlend = Graphic.hasAlphaChannel();
    tmp.Draw(*this, DstRect);
}

void TqvBitmap::Assign(const TqvBitmap& Source) {
    if (&Source == this) return;
    SetSize(Source.FWidth, Source.FHeight);
    FName = Source.FName;
    FTransparent = Source.FTransparent;
    FAlphaBlend = Source.FAlphaBlend;
    if (Empty() || Source.Empty()) return;
    DrawSameSize(TqvDrawKind::Copy, Pixels(), {0, 0, FWidth, FHeight}, Source.Pixels(), 0, 0);
}

void TqvBitmap::Assign(const QImage& Source) {
    if (Source.isNull()) return;
    SetSize(Source.width(), Source.height());
    const QImage src = Source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < FHeight; ++y)
        PixelRoutines.MoveRow(reinterpret_cast<const TqvColor*>(src.constScanLine(y)), ScanLine(y), FWidth);
    if (Source.hasAlphaChannel()) CheckingAlphaBlend();
    else SetAlpha(255);
}

void TqvBitmap::AssignTo(QImage& Dest) const {
    if (Empty()) {
        Dest = QImage();
        return;
    }
    Dest = QImage(FWidth, FHeight, QImage::Format_RGB32);
    Dest.fill(0xFF000000u);
    Draw(Dest, 0, 0);
}
