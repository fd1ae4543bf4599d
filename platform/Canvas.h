// A GDI-semantics canvas over a QImage. Shapes, lines and copies are our own
// pixel arithmetic (exclusive right and bottom edges, the last point of a line
// left out, one nearest-neighbour stretch rule); Qt draws only text.
// Drawn pixels are opaque (alpha 255 in 32-bit images).
#pragma once

#include "platform/Graphics.h"
#include "platform/Types.h"

#include <QImage>
#include <QString>

#include <vector>

// DrawText flags.
constexpr unsigned DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
                   DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
                   DT_TABSTOP = 0x80, DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400,
                   DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000,
                   DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000,
                   DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000,
                   DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000;

// The one nearest-neighbour rule: destination index i (0-based in a span of
// dstLen) maps to srcStart + Round(i * (srcLen - 1) / (dstLen - 1)), halves to
// even; a span shorter than 2 takes the middle source index.
int StretchSourceIndex(int i, int dstLen, int srcStart, int srcLen);

// Copies between images of any of the platform's pixel formats, clipped to
// both images. A 32-bit source keeps its alpha in a 32-bit destination.
void BitBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy);
void StretchBlt(QImage& dst, const TRect& dstRect, const QImage& src, const TRect& srcRect);
// As StretchBlt, leaving out source pixels whose colour (alpha ignored) is key.
void TransparentBlt(QImage& dst, const TRect& dstRect, const QImage& src, const TRect& srcRect, TColor key);

class TCanvas {
public:
    explicit TCanvas(QImage* image = nullptr);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    QImage* Image() const { return FImage; }
    void SetImage(QImage* image) { FImage = image; }
    TRect ClipRect() const;

    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TFont& Font() { return FFont; }
    void SetFont(const TFont& f) { FFont.Assign(f); }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);

    // Fills r (right and bottom edges excluded) with the brush.
    void FillRect(const TRect& r);
    // A one-pixel border just inside r in the brush colour.
    void FrameRect(const TRect& r);
    // Pen outline just inside the rectangle, brush inside it; with a clear pen
    // the fill is one pixel smaller on the right and bottom, as in GDI.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void MoveTo(int x, int y) { FPenPos = {x, y}; }
    // From the pen position to (x, y), leaving (x, y) itself out.
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    // Filled with the brush (alternate rule), outlined with the pen.
    void Polygon(const std::vector<TPoint>& points);
    // XOR of a dotted one-pixel border; drawing it twice restores the picture.
    void DrawFocusRect(const TRect& r);

    // Text at (x, y) as its top-left corner; an opaque brush fills the text's
    // cell first. The pen position moves to the end of the text.
    void TextOut(int x, int y, const QString& text);
    // As TextOut, clipped to r.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    // Lays text out in r by the DT_ flags and returns the text's height;
    // DT_CALCRECT only measures, widening or narrowing r to the text.
    int DrawText(const QString& text, TRect& r, unsigned flags);
    TSize TextExtent(const QString& text) const;
    int TextWidth(const QString& text) const { return TextExtent(text).cx; }
    int TextHeight(const QString& text) const { return TextExtent(text).cy; }

    void Draw(int x, int y, const QImage& image) { BitBlt(*FImage, x, y, image.width(), image.height(), image, 0, 0); }
    // Transparent bitmaps leave out their transparent colour.
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const TRect& r, const QImage& image) { StretchBlt(*FImage, r, image, Rect(0, 0, image.width(), image.height())); }
    void CopyRect(const TRect& dst, const QImage& src, const TRect& srcRect) { StretchBlt(*FImage, dst, src, srcRect); }
    void BrushCopy(const TRect& dst, const QImage& src, const TRect& srcRect, TColor key) { TransparentBlt(*FImage, dst, src, srcRect, key); }

private:
    void Plot(int x, int y, TColor c, TPenMode mode);
    void HLine(int x0, int x1, int y, TColor c);
    void PenLine(int x0, int y0, int x1, int y1);
    bool Ready() const { return FImage && !FImage->isNull(); }

    QImage* FImage;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TPoint FPenPos;
};
