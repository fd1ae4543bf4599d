// TqvBitmap: a 32-bit bitmap with straight alpha (QImage::Format_ARGB32, so a
// pixel in memory is blue, green, red, alpha) whose pixels code addresses
// directly. Drawing from one bitmap into another, or onto any 32-bit image,
// goes through the pixel routines and keeps alpha.
#pragma once

#include "platform/Canvas.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/PixelRoutines.h"

#include <QImage>
#include <QString>

#include <memory>
#include <stdexcept>

class QIODevice;
class TqvBitmapLink;

// Raised when a bitmap cannot get its pixels.
class EqvBitmapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TqvBitmap {
public:
    TqvBitmap() = default;
    TqvBitmap(int AWidth, int AHeight) { SetSize(AWidth, AHeight); }
    ~TqvBitmap();
    TqvBitmap(const TqvBitmap&) = delete;
    TqvBitmap& operator=(const TqvBitmap&) = delete;

    // Negative sizes count by their absolute value; a 0 side or the current
    // size changes nothing. New pixels are all 0; old ones are not kept.
    void SetSize(int AWidth, int AHeight);
    bool Empty() const { return FBits == nullptr; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TqvColor* Bits() const { return FBits; }
    TqvPixels Pixels() const { return {FBits, FWidth, FHeight, FWidth}; }
    // The pixels as an image (shares nothing with the bitmap).
    QImage ToImage() const;
    // The bitmap's own image, for painting it with Qt; never copy and keep it.
    const QImage& Image() const { return FImage; }
    // A canvas over the pixels, made on first use; it follows every SetSize.
    // What it draws is opaque.
    TCanvas& Canvas();

    const QString& Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool v) { FAlphaBlend = v; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; }
    bool NewFormat() const { return FNewFormat; }
    void SetNewFormat(bool v) { FNewFormat = v; }

    void Clear(TqvColor Color);
    TqvColor* ScanLine(int Y) const { return FBits + static_cast<std::ptrdiff_t>(Y) * FWidth; }
    TqvColor* PixelAt(int X, int Y) const { return ScanLine(Y) + X; }
    void SetPixel(int X, int Y, TqvColor Color);
    // Reads 0 outside the bitmap.
    TqvColor Pixel(int X, int Y) const;

    void CheckingAlphaBlend();
    void CheckingAlphaBlend(const TRect& ARect);
    // Pixels within 5 of Color in each of red, green and blue become the key.
    void CheckingTransparent(TqvColor Color);
    void CheckingTransparent(const TRect& ARect, TqvColor Color);
    void SetAlpha(std::uint8_t Alpha);
    void SetAlpha(std::uint8_t Alpha, const TRect& R);

    // Into another bitmap: blended, keyed or copied by this bitmap's flags.
    void Draw(TqvBitmap& Dst, int X, int Y) const;
    void Draw(TqvBitmap& Dst, int X, int Y, const TRect& SrcRect) const;
    void Draw(TqvBitmap& Dst, const TRect& DstRect) const;
    void Draw(TqvBitmap& Dst, const TRect& DstRect, const TRect& SrcRect) const;
    // Onto any image (a canvas's surface); Origin is the surface's window
    // origin, subtracted from the destination.
    void Draw(QImage& Dst, int X, int Y, TPoint Origin = {}) const;
    void Draw(QImage& Dst, const TRect& DstRect, const TRect& SrcRect, TPoint Origin = {}) const;

    // Onto a canvas: straight into the pixels when it is another bitmap's.
    void Draw(TCanvas& Dst, int X, int Y) const;
    void Draw(TCanvas& Dst, int X, int Y, const TRect& SrcRect) const;
    void Draw(TCanvas& Dst, const TRect& DstRect) const;
    void Draw(TCanvas& Dst, const TRect& DstRect, const TRect& SrcRect) const;

    void Tile(TqvBitmap& Dst, const TRect& DstRect, const TRect& SrcRect) const;
    void Tile(TCanvas& Dst, const TRect& DstRect, const TRect& SrcRect) const;
    void Tile(QImage& Dst, const TRect& DstRect, const TRect& SrcRect, TPoint Origin = {}) const;
    // Only the tiles that meet DstClip (all of them when it is empty).
    void TileClip(TqvBitmap& Dst, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect) const;
    void TileClip(QImage& Dst, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect,
                  TPoint Origin = {}) const;
    void TileClip(TCanvas& Dst, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect) const;

    // Merges SrcRect of Bitmap under this bitmap at (X, Y).
    void MergeDraw(const TqvBitmap& Bitmap, int X, int Y, const TRect& SrcRect);
    void FillRect(const TRect& R, TqvColor Color);
    // Any picture drawn (scaled, its own transparency honoured) into DstRect.
    void DrawGraphic(const QImage& Graphic, const TRect& DstRect);

    void Assign(const TqvBitmap& Source);
    // A picture with an alpha channel keeps it (then CheckingAlphaBlend);
    // any other becomes opaque.
    void Assign(const QImage& Source);
    void Assign(const TBitmap& Source) { Assign(Source.Image()); }
    // Dest becomes a 32-bit picture of this size with this bitmap drawn on black.
    void AssignTo(QImage& Dest) const;

    // ---- whole-bitmap operations
    void FlipVert();
    void Reflection();   // fades to a third
    void Reflection2();  // to a quarter
    void Reflection3();  // to a half
    void ChangeBitmapBrightness(int DeltaBrightness);
    void SetBitmapHue(int Hue);
    void ChangeBitmapHue(int DeltaHue);
    void ChangeBitmapSat(int DeltaSat);

    // ---- stream form: name, width, height (negative = bottom row first), pixels;
    // a short read or write throws EqvStreamError
    void SaveToStream(QIODevice& Stream) const;
    void LoadFromStream(QIODevice& Stream);
    // A bitmap among the program's resources (":/bitmaps/<ResName>.bmp" when
    // ResFileName is empty, else ResFileName + "/" + ResName). Missing: unchanged.
    void LoadFromResource(const QString& ResFileName, const QString& ResName);
    // False, bitmap unchanged, when the data is not a PCX picture; every read
    // is bounds-checked, missing data reads as 0.
    bool LoadFromPcxStream(QIODevice& Stream);

    std::unique_ptr<TqvBitmapLink> GetBitmapLink(const TRect& R);
    std::unique_ptr<TqvBitmapLink> GetBitmapLink(const QString& R);

    // The registered bitmap whose pixels Image is, if any.
    static TqvBitmap* FindByImage(const QImage* Image);

private:
    void DrawToPixels(const TqvPixels& Dst, const TRect& DstRect, const TRect& ClipRect, const TRect& SrcRect) const;
    void Reflect(int k);
    template <class F>
    void ForEachVisiblePixel(F f);
    QImage FImage;
    TqvColor* FBits = nullptr;
    int FWidth = 0, FHeight = 0;
    QString FName;
    bool FAlphaBlend = false, FTransparent = false, FNewFormat = false;
    bool FRegistered = false;
    std::unique_ptr<TCanvas> FCanvas;
};

// A named rectangle of a TqvBitmap (not owned) with masking flags.
class TqvBitmapLink {
public:
    TqvBitmap* Image() const { return FImage; }
    void SetImage(TqvBitmap* v) { FImage = v; }
    const TRect& Rect() const { return FRect; }
    void SetRect(const TRect& v) { FRect = v; }
    const QString& Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    int Left() const { return FRect.Left; }
    int Top() const { return FRect.Top; }
    int Right() const { return FRect.Right; }
    int Bottom() const { return FRect.Bottom; }
    void SetLeft(int v) { FRect.Left = v; }
    void SetTop(int v) { FRect.Top = v; }
    void SetRight(int v) { FRect.Right = v; }
    void SetBottom(int v) { FRect.Bottom = v; }
    bool Masked() const { return FMasked; }
    bool MaskedBorder() const { return FMaskedBorder; }
    bool MaskedAngles() const { return FMaskedAngles; }
    bool Assigned() const { return FImage && RectWidth(FRect) * RectHeight(FRect) > 0; }

    void Assign(const TqvBitmapLink& Source);
    void Draw(TqvBitmap& Bitmap, int X, int Y) const;
    void Draw(QImage& Target, int X, int Y, TPoint Origin = {}) const;
    void Draw(TCanvas& Target, int X, int Y) const;
    void SaveToStream(QIODevice& Stream) const;
    void LoadFromStream(QIODevice& Stream);
    // Which parts of the rectangle hold masked pixels (key or not opaque):
    // with a zero margin only Masked; else corners, border strips and centre.
    void CheckingMasked();
    void CheckingMasked(const TRect& Margin);

private:
    TqvBitmap* FImage = nullptr;
    TRect FRect;
    QString FName;
    bool FMaskedBorder = false, FMaskedAngles = false, FMasked = false;
};
