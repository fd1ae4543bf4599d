// Pens, brushes, fonts, bitmaps and colours with the class library's meanings.
#pragma once

#include "platform/Types.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <functional>

class TCanvas;

// A colour as RGB: system colours come from a fixed classic table (not the
// desktop's palette), so pictures drawn without a skin are reproducible.
TColor ColorToRGB(TColor c);
QColor ColorToQColor(TColor c);
TColor QColorToColor(const QColor& c);

// a * b / c computed in 64 bits and rounded half away from zero, as font
// sizes and skin metrics are; -1 when c is 0.
int MulDiv(int a, int b, int c);

// The installed font that stands in for a font name forms and skins use:
// Arial -> Liberation Sans, Times New Roman -> Liberation Serif, Tahoma and
// MS Sans Serif -> DejaVu Sans, the CJK faces -> WenQuanYi Micro Hei. Other
// names pass through.
QString SubstituteFontName(const QString& name);
// The pixel size (em height) for a font height: negative = character height
// in pixels, positive = cell height (ascent + descent), 0 = the default.
int FontPixelSize(const QString& family, int height);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
using TFontCharset = int;  // kept as data: Qt text is Unicode
constexpr TFontCharset DEFAULT_CHARSET = 1, ANSI_CHARSET = 0, GB2312_CHARSET = 134;
constexpr int PixelsPerInch = 96;

class TGraphicsObject {
public:
    virtual ~TGraphicsObject() = default;
    std::function<void()> OnChange;

protected:
    void Changed() {
        if (OnChange) OnChange();
    }
};

class TFont : public TGraphicsObject {
public:
    TFont() = default;
    TFont(const QString& name, int height) : FName(name), FHeight(height) {}
    TFont(const TFont& o) : TGraphicsObject(), FName(o.FName), FHeight(o.FHeight), FColor(o.FColor), FStyle(o.FStyle), FCharset(o.FCharset) {}
    // Copies the values, keeps this font's OnChange (and fires it).
    TFont& operator=(const TFont& o) {
        Assign(o);
        return *this;
    }
    void Assign(const TFont& o);
    bool operator==(const TFont& o) const {
        return FName == o.FName && FHeight == o.FHeight && FColor == o.FColor && FStyle == o.FStyle && FCharset == o.FCharset;
    }

    QString Name() const { return FName; }
    void SetName(const QString& v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    // Points at 96 pixels per inch; a positive Height gives a negative Size.
    int Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }
    void SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset v);

    // The Qt font after substitution and the height rule.
    QFont ToQFont() const;

private:
    QString FName = QStringLiteral("MS Sans Serif");
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
    TFontCharset FCharset = DEFAULT_CHARSET;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmNot, pmXor, pmNotXor, pmBlack, pmWhite, pmNop };

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; Changed(); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v < 1 ? 1 : v; Changed(); }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle v) { FStyle = v; Changed(); }
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode v) { FMode = v; Changed(); }
    void Assign(const TPen& o) { FColor = o.FColor; FWidth = o.FWidth; FStyle = o.FStyle; FMode = o.FMode; Changed(); }

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    // Setting a colour makes a clear brush solid again, as in the class library.
    void SetColor(TColor v) { FColor = v; if (FStyle == bsClear) FStyle = bsSolid; Changed(); }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle v) { FStyle = v; Changed(); }
    void Assign(const TBrush& o) { FColor = o.FColor; FStyle = o.FStyle; Changed(); }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// Pixel formats: 24-bit = Format_BGR888 (blue, green, red bytes, as 24-bit
// BMP files hold them), 32-bit = Format_ARGB32 with straight alpha.
enum TPixelFormat { pfDevice, pf24bit, pf32bit };
QImage::Format ImageFormatOf(TPixelFormat pf);

// A bitmap with its canvas. Transparent bitmaps are drawn without the pixels
// of TransparentColor (by default the bottom-left pixel's colour).
class TBitmap {
public:
    TBitmap();
    TBitmap(int w, int h, TPixelFormat pf = pf24bit);
    explicit TBitmap(const QImage& image);
    TBitmap(const TBitmap& o);
    TBitmap& operator=(const TBitmap& o);
    ~TBitmap();

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    bool Empty() const { return FImage.isNull() || Width() == 0 || Height() == 0; }
    void SetSize(int w, int h);
    void SetWidth(int w) { SetSize(w, Height()); }
    void SetHeight(int h) { SetSize(Width(), h); }
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat pf);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; }
    TColor TransparentColor() const;
    void SetTransparentColor(TColor c) { FTransparentColor = c; }

    QImage& Image() { return FImage; }
    const QImage& Image() const { return FImage; }
    void Assign(const QImage& image);
    TCanvas& Canvas();
    // Loads any picture Qt reads; false (and the bitmap unchanged) when it cannot.
    bool LoadFromFile(const QString& file);
    bool SaveToFile(const QString& file) const;

private:
    QImage FImage;
    TPixelFormat FPixelFormat = pf24bit;
    bool FTransparent = false;
    TColor FTransparentColor = clDefault;
    TCanvas* FCanvas = nullptr;
};
