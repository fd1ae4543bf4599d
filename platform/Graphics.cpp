#include "platform/Graphics.h"

namespace {
// The classic scheme, as 0xRRGGBB for readability, by system colour index.
constexpr unsigned kSystemColors[] = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x434E54, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,
};
}  // namespace

TColor ColorToRGB(TColor c) {
    if (c < 0) {
        const unsigned index = static_cast<unsigned>(c) & 0xFF;
        const unsigned rgb = index < std::size(kSystemColors) ? kSystemColors[index] : 0;
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    return c & 0xFFFFFF;
}

QColor ColorToQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor QColorToColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

#include "platform/Canvas.h"

#include <QFontMetricsF>
#include <QHash>

#include <cmath>
#include <cstdlib>

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long q = (std::llabs(p) * 2 + std::llabs(c)) / (2 * std::llabs(static_cast<long long>(c)));
    return static_cast<int>(((p < 0) != (c < 0)) ? -q : q);
}

namespace {
const QString kCjkFont = QStringLiteral("WenQuanYi Micro Hei");

struct TFontSubstitute {
    const char* From;
    const char* To;
};
const TFontSubstitute kSubstitutes[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Tahoma", "DejaVu Sans"},
    {"MS Sans Serif", "DejaVu Sans"},
    {"Microsoft Sans Serif", "DejaVu Sans"},
    {"MS Shell Dlg", "DejaVu Sans"},
    {"MS Shell Dlg 2", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},
    {"SimSun", "WenQuanYi Micro Hei"},
    {"NSimSun", "WenQuanYi Micro Hei"},
    {"SimHei", "WenQuanYi Micro Hei"},
    {"KaiTi", "WenQuanYi Micro Hei"},
    {"FangSong", "WenQuanYi Micro Hei"},
    {"Microsoft YaHei", "WenQuanYi Micro Hei"},
    {"MingLiU", "WenQuanYi Micro Hei"},
    {"PMingLiU", "WenQuanYi Micro Hei"},
    {"MS Gothic", "WenQuanYi Micro Hei"},
    {"MS Mincho", "WenQuanYi Micro Hei"},
};

bool HasCjk(const QString& s) {
    for (QChar c : s) {
        const ushort u = c.unicode();
        if ((u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) || (u >= 0xF900 && u <= 0xFAFF) ||
            (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}
}  // namespace

QString SubstituteFontName(const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty()) return QStringLiteral("DejaVu Sans");
    for (const auto& s : kSubstitutes)
        if (n.compare(QLatin1String(s.From), Qt::CaseInsensitive) == 0) return QString::fromLatin1(s.To);
    // 宋体, 黑体 and every other CJK face name.
    if (HasCjk(n)) return kCjkFont;
    return n;
}

int FontPixelSize(const QString& family, int height) {
    if (height < 0) return -height;
    if (height == 0) return 12;
    // Cell height = ascent + descent; the em is that share of it.
    static QHash<QString, double> cellPerEm;  // UI thread only
    auto it = cellPerEm.find(family);
    if (it == cellPerEm.end()) {
        QFont f(family);
        f.setPixelSize(1000);
        const QFontMetricsF fm(f);
        it = cellPerEm.insert(family, (fm.ascent() + fm.descent()) / 1000.0);
    }
    return std::max(1, static_cast<int>(std::lround(height / it.value())));
}

void TFont::Assign(const TFont& o) {
    FName = o.FName;
    FHeight = o.FHeight;
    FColor = o.FColor;
    FStyle = o.FStyle;
    FCharset = o.FCharset;
    Changed();
}

void TFont::SetName(const QString& v) { FName = v; Changed(); }
void TFont::SetHeight(int v) { FHeight = v; Changed(); }
void TFont::SetColor(TColor v) { FColor = v; Changed(); }
void TFont::SetStyle(TFontStyles v) { FStyle = v; Changed(); }
void TFont::SetCharset(TFontCharset v) { FCharset = v; Changed(); }

QFont TFont::ToQFont() const {
    const QString family = SubstituteFontName(FName);
    QFont f;
    f.setFamilies({family, kCjkFont});
    f.setPixelSize(FontPixelSize(family, FHeight));
    f.setBold(FStyle & fsBold);
    f.setItalic(FStyle & fsItalic);
    f.setUnderline(FStyle & fsUnderline);
    f.setStrikeOut(FStyle & fsStrikeOut);
    return f;
}

QImage::Format ImageFormatOf(TPixelFormat pf) {
    return pf == pf32bit ? QImage::Format_ARGB32 : QImage::Format_BGR888;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int w, int h, TPixelFormat pf) : FPixelFormat(pf) { SetSize(w, h); }

TBitmap::TBitmap(const QImage& image) { Assign(image); }

TBitmap::TBitmap(const TBitmap& o)
    : FImage(o.FImage), FPixelFormat(o.FPixelFormat), FTransparent(o.FTransparent), FTransparentColor(o.FTransparentColor) {}

TBitmap& TBitmap::operator=(const TBitmap& o) {
    if (this == &o) return *this;
    FImage = o.FImage;
    FPixelFormat = o.FPixelFormat;
    FTransparent = o.FTransparent;
    FTransparentColor = o.FTransparentColor;
    return *this;
}

TBitmap::~TBitmap() { delete FCanvas; }

void TBitmap::SetSize(int w, int h) {
    w = std::max(0, w);
    h = std::max(0, h);
    if (!FImage.isNull() && w == Width() && h == Height()) return;
    QImage n(w, h, ImageFormatOf(FPixelFormat));
    // New 24-bit area is white, new 32-bit area fully transparent.
    n.fill(FPixelFormat == pf32bit ? QColor(0, 0, 0, 0) : QColor(Qt::white));
    if (!FImage.isNull()) BitBlt(n, 0, 0, Width(), Height(), FImage, 0, 0);
    FImage = n;
}

void TBitmap::SetPixelFormat(TPixelFormat pf) {
    if (pf == pfDevice) pf = pf24bit;
    if (pf == FPixelFormat) return;
    FPixelFormat = pf;
    if (!FImage.isNull()) FImage = FImage.convertToFormat(ImageFormatOf(pf));
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clWhite;
    return QColorToColor(FImage.pixelColor(0, Height() - 1));
}

void TBitmap::Assign(const QImage& image) {
    FPixelFormat = image.hasAlphaChannel() ? pf32bit : pf24bit;
    FImage = image.convertToFormat(ImageFormatOf(FPixelFormat));
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = new TCanvas(&FImage);
    return *FCanvas;
}

bool TBitmap::LoadFromFile(const QString& file) {
    QImage img(file);
    if (img.isNull()) return false;
    Assign(img);
    return true;
}

bool TBitmap::SaveToFile(const QString& file) const { return FImage.save(file); }
