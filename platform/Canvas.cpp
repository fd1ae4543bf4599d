#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

enum class TKind { Rgb32, Argb32, Premultiplied, Bgr24, Other };

TKind KindOf(const QImage& i) {
    switch (i.format()) {
    case QImage::Format_RGB32: return TKind::Rgb32;
    case QImage::Format_ARGB32: return TKind::Argb32;
    case QImage::Format_ARGB32_Premultiplied: return TKind::Premultiplied;
    case QImage::Format_BGR888: return TKind::Bgr24;
    default: return TKind::Other;
    }
}

// Straight 0xAARRGGBB of one pixel.
QRgb ReadPixel(const QImage& img, TKind k, int x, int y) {
    switch (k) {
    case TKind::Rgb32: return reinterpret_cast<const QRgb*>(img.constScanLine(y))[x] | 0xFF000000u;
    case TKind::Argb32: return reinterpret_cast<const QRgb*>(img.constScanLine(y))[x];
    case TKind::Premultiplied: return qUnpremultiply(reinterpret_cast<const QRgb*>(img.constScanLine(y))[x]);
    case TKind::Bgr24: {
        const uchar* p = img.constScanLine(y) + 3 * x;
        return qRgb(p[2], p[1], p[0]);
    }
    default: return img.pixel(x, y);
    }
}

void WritePixel(QImage& img, TKind k, int x, int y, QRgb v) {
    switch (k) {
    case TKind::Rgb32: reinterpret_cast<QRgb*>(img.scanLine(y))[x] = v | 0xFF000000u; break;
    case TKind::Argb32: reinterpret_cast<QRgb*>(img.scanLine(y))[x] = v; break;
    case TKind::Premultiplied: reinterpret_cast<QRgb*>(img.scanLine(y))[x] = qPremultiply(v); break;
    case TKind::Bgr24: {
        uchar* p = img.scanLine(y) + 3 * x;
        p[0] = uchar(qBlue(v));
        p[1] = uchar(qGreen(v));
        p[2] = uchar(qRed(v));
        break;
    }
    default: img.setPixel(x, y, v); break;
    }
}

QRgb OpaqueRgb(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor ColorOfRgb(QRgb v) { return RGB(qRed(v), qGreen(v), qBlue(v)); }

// Pixels on and off of the cosmetic pen styles.
const std::vector<int>& DashPattern(TPenStyle s) {
    static const std::vector<int> none, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
    switch (s) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return none;
    }
}

}  // namespace

int StretchSourceIndex(int i, int dstLen, int srcStart, int srcLen) {
    if (dstLen < 2) return (srcStart + srcStart + srcLen - 1) / 2;
    const long long num = static_cast<long long>(i) * (srcLen - 1), den = dstLen - 1;
    long long q = num / den;
    const long long r2 = 2 * (num % den);
    if (r2 > den || (r2 == den && (q & 1))) ++q;
    return srcStart + static_cast<int>(q);
}

void BitBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy) {
    if (dst.isNull() || src.isNull()) return;
    // Within one image the copy may overlap itself: read from the picture as it was.
    if (&dst == &src) {
        const QImage before = src.copy();
        BitBlt(dst, x, y, w, h, before, sx, sy);
        return;
    }
    // Clip against both images, moving source and destination together.
    if (sx < 0) { x -= sx; w += sx; sx = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    if (x < 0) { sx -= x; w += x; x = 0; }
    if (y < 0) { sy -= y; h += y; y = 0; }
    w = std::min({w, dst.width() - x, src.width() - sx});
    h = std::min({h, dst.height() - y, src.height() - sy});
    if (w <= 0 || h <= 0) return;
    const TKind dk = KindOf(dst), sk = KindOf(src);
    const bool sameRows = dst.format() == src.format() && dk != TKind::Other;
    for (int row = 0; row < h; ++row) {
        if (sameRows) {
            const int bpp = dk == TKind::Bgr24 ? 3 : 4;
            std::memcpy(dst.scanLine(y + row) + x * bpp, src.constScanLine(sy + row) + sx * bpp, size_t(w) * bpp);
            continue;
        }
        for (int col = 0; col < w; ++col) WritePixel(dst, dk, x + col, y + row, ReadPixel(src, sk, sx + col, sy + row));
    }
}

namespace {
void StretchCopy(QImage& dst, const TRect& dr, const QImage& src, const TRect& sr, bool keyed, TColor key) {
    if (dst.isNull() || src.isNull() || dr.Width() <= 0 || dr.Height() <= 0 || sr.Width() <= 0 || sr.Height() <= 0) return;
    if (sr.Left < 0 || sr.Top < 0 || sr.Right > src.width() || sr.Bottom > src.height()) return;
    if (&dst == &src) {
        const QImage before = src.copy();
        StretchCopy(dst, dr, before, sr, keyed, key);
        return;
    }
    const TKind dk = KindOf(dst), sk = KindOf(src);
    const TColor keyRgb = ColorToRGB(key);
    const int x0 = std::max(dr.Left, 0), x1 = std::min(dr.Right, dst.width());
    const int y0 = std::max(dr.Top, 0), y1 = std::min(dr.Bottom, dst.height());
    std::vector<int> cols;
    for (int x = x0; x < x1; ++x) cols.push_back(StretchSourceIndex(x - dr.Left, dr.Width(), sr.Left, sr.Width()));
    for (int y = y0; y < y1; ++y) {
        const int sy = StretchSourceIndex(y - dr.Top, dr.Height(), sr.Top, sr.Height());
        for (int x = x0; x < x1; ++x) {
            const QRgb v = ReadPixel(src, sk, cols[size_t(x - x0)], sy);
            if (keyed && ColorOfRgb(v) == keyRgb) continue;
            WritePixel(dst, dk, x, y, v);
        }
    }
}
}  // namespace

void StretchBlt(QImage& dst, const TRect& dstRect, const QImage& src, const TRect& srcRect) {
    if (dstRect.Width() == srcRect.Width() && dstRect.Height() == srcRect.Height())
        BitBlt(dst, dstRect.Left, dstRect.Top, dstRect.Width(), dstRect.Height(), src, srcRect.Left, srcRect.Top);
    else
        StretchCopy(dst, dstRect, src, srcRect, false, 0);
}

void TransparentBlt(QImage& dst, const TRect& dstRect, const QImage& src, const TRect& srcRect, TColor key) {
    StretchCopy(dst, dstRect, src, srcRect, true, key);
}

// ---- TCanvas ----

TCanvas::TCanvas(QImage* image) : FImage(image) {}

TRect TCanvas::ClipRect() const { return Ready() ? Rect(0, 0, FImage->width(), FImage->height()) : TRect{}; }

TColor TCanvas::Pixel(int x, int y) const {
    if (!Ready() || !FImage->rect().contains(x, y)) return clNone;
    return ColorOfRgb(ReadPixel(*FImage, KindOf(*FImage), x, y));
}

void TCanvas::SetPixel(int x, int y, TColor c) { Plot(x, y, c, pmCopy); }

void TCanvas::Plot(int x, int y, TColor c, TPenMode mode) {
    if (!Ready() || x < 0 || y < 0 || x >= FImage->width() || y >= FImage->height()) return;
    const TKind k = KindOf(*FImage);
    QRgb v = OpaqueRgb(c);
    const QRgb d = ReadPixel(*FImage, k, x, y);
    switch (mode) {
    case pmCopy: break;
    case pmNot: v = ~d; break;
    case pmXor: v = d ^ v; break;
    case pmNotXor: v = ~(d ^ v); break;
    case pmBlack: v = 0; break;
    case pmWhite: v = 0xFFFFFF; break;
    case pmNop: return;
    }
    WritePixel(*FImage, k, x, y, v | 0xFF000000u);
}

void TCanvas::HLine(int x0, int x1, int y, TColor c) {
    if (!Ready() || y < 0 || y >= FImage->height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, FImage->width());
    const TKind k = KindOf(*FImage);
    const QRgb v = OpaqueRgb(c);
    for (int x = x0; x < x1; ++x) WritePixel(*FImage, k, x, y, v);
}

void TCanvas::FillRect(const TRect& r) {
    if (!Ready() || FBrush.Style() == bsClear) return;
    if (FBrush.Style() != bsSolid) {
        static const Qt::BrushStyle hatch[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern, Qt::VerPattern,
                                               Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        QPainter p(FImage);
        p.fillRect(r.ToQRect(), QBrush(ColorToQColor(FBrush.Color()), hatch[FBrush.Style()]));
        return;
    }
    for (int y = r.Top; y < r.Bottom; ++y) HLine(r.Left, r.Right, y, FBrush.Color());
}

void TCanvas::FrameRect(const TRect& r) {
    if (!Ready() || r.Width() <= 0 || r.Height() <= 0) return;
    const TColor c = FBrush.Color();
    HLine(r.Left, r.Right, r.Top, c);
    HLine(r.Left, r.Right, r.Bottom - 1, c);
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        Plot(r.Left, y, c, pmCopy);
        Plot(r.Right - 1, y, c, pmCopy);
    }
}

void TCanvas::PenLine(int x0, int y0, int x1, int y1) {
    if (!Ready() || FPen.Style() == psClear) return;
    if (FPen.Width() > 1) {
        QPainter p(FImage);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(ColorToQColor(FPen.Color()), FPen.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.drawLine(x0, y0, x1, y1);
        return;
    }
    // Bresenham, the end point left out as GDI does.
    const std::vector<int>& dash = DashPattern(FPen.Style());
    int dashIndex = 0, dashLeft = dash.empty() ? 0 : dash[0];
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy, x = x0, y = y0;
    while (x != x1 || y != y1) {
        if (dash.empty() || dashIndex % 2 == 0) Plot(x, y, FPen.Color(), FPen.Mode());
        if (!dash.empty() && --dashLeft == 0) {
            dashIndex = (dashIndex + 1) % int(dash.size());
            dashLeft = dash[size_t(dashIndex)];
        }
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
}

void TCanvas::LineTo(int x, int y) {
    PenLine(FPenPos.X, FPenPos.Y, x, y);
    FPenPos = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    MoveTo(points[0].X, points[0].Y);
    for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (!Ready()) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (FPen.Style() == psClear) {
        FillRect(Rect(left, top, right - 1, bottom - 1));
        return;
    }
    const int w = FPen.Width();
    FillRect(Rect(left + w, top + w, right - w, bottom - w));
    const TPoint saved = FPenPos;
    for (int i = 0; i < w; ++i) {
        const int l = left + i, t = top + i, r = right - 1 - i, b = bottom - 1 - i;
        if (l > r || t > b) break;
        // One width-1 frame per ring keeps thick outlines inside the rectangle.
        const int savedWidth = FPen.Width();
        FPen.SetWidth(1);
        PenLine(l, t, r, t);
        PenLine(r, t, r, b);
        PenLine(r, b, l, b);
        PenLine(l, b, l, t);
        if (l == r || t == b) Plot(r, b, FPen.Color(), FPen.Mode());
        FPen.SetWidth(savedWidth);
    }
    FPenPos = saved;
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    if (!Ready()) return;
    QPainter p(FImage);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (FPen.Style() == psClear) p.setPen(Qt::NoPen);
    else p.setPen(QPen(ColorToQColor(FPen.Color()), FPen.Width()));
    if (FBrush.Style() == bsClear) p.setBrush(Qt::NoBrush);
    else p.setBrush(ColorToQColor(FBrush.Color()));
    p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (!Ready() || points.empty()) return;
    if (FBrush.Style() != bsClear) {
        QPolygon poly;
        for (const TPoint& pt : points) poly << pt.ToQPoint();
        QPainter p(FImage);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(ColorToQColor(FBrush.Color()));
        p.drawPolygon(poly, Qt::OddEvenFill);
    }
    const TPoint saved = FPenPos;
    Polyline(points);
    LineTo(points[0].X, points[0].Y);
    FPenPos = saved;
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (!Ready() || r.Width() <= 0 || r.Height() <= 0) return;
    auto dot = [&](int x, int y) {
        if (((x - r.Left) + (y - r.Top)) % 2 == 0) Plot(x, y, clWhite, pmNot);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 != r.Top) dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 != r.Left) dot(r.Right - 1, y);
    }
}

TSize TCanvas::TextExtent(const QString& text) const {
    const QFontMetrics fm(FFont.ToQFont());
    return {fm.horizontalAdvance(text), fm.height()};
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    if (!Ready()) return;
    const TSize ext = TextExtent(text);
    if (FBrush.Style() != bsClear) FillRect(Bounds(x, y, ext.cx, ext.cy));
    QPainter p(FImage);
    p.setFont(FFont.ToQFont());
    p.setPen(ColorToQColor(FFont.Color()));
    p.drawText(QPoint(x, y + QFontMetrics(p.font()).ascent()), text);
    FPenPos = {x + ext.cx, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text) {
    if (!Ready()) return;
    const TSize ext = TextExtent(text);
    TRect fill;
    if (FBrush.Style() != bsClear && IntersectRect(fill, r, Bounds(x, y, ext.cx, ext.cy))) FillRect(fill);
    QPainter p(FImage);
    p.setClipRect(r.ToQRect());
    p.setFont(FFont.ToQFont());
    p.setPen(ColorToQColor(FFont.Color()));
    p.drawText(QPoint(x, y + QFontMetrics(p.font()).ascent()), text);
}

namespace {
// "/home/user/.../clip.avi": the last part of a path is kept whole.
QString ElidePath(const QString& text, const QFontMetrics& fm, int width) {
    if (fm.horizontalAdvance(text) <= width) return text;
    const int cut = std::max(text.lastIndexOf('/'), text.lastIndexOf('\\'));
    const QString ell = QStringLiteral("...");
    if (cut <= 0) return fm.elidedText(text, Qt::ElideRight, width);
    const QString head = text.left(cut), tail = text.mid(cut);
    for (int n = head.size() - 1; n >= 0; --n) {
        const QString candidate = head.left(n) + ell + tail;
        if (fm.horizontalAdvance(candidate) <= width) return candidate;
    }
    return ell + tail;
}
// The text as shown: "&x" shows x underlined, "&&" shows one "&".
QString StripPrefix(const QString& s) {
    QString r;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('&') && i + 1 < s.size()) ++i;
        else if (s[i] == QLatin1Char('&')) continue;
        r += s[i];
    }
    return r;
}
}  // namespace

int TCanvas::DrawText(const QString& source, TRect& r, unsigned flags) {
    const QFont font = FFont.ToQFont();
    const QFontMetrics fm(font);
    const bool single = flags & DT_SINGLELINE;
    const bool wrap = (flags & DT_WORDBREAK) && !single;
    QString text = source;
    text.replace(QLatin1String("\r\n"), QLatin1String(single ? " " : "\n"));
    text.replace(QLatin1Char('\r'), single ? QLatin1Char(' ') : QLatin1Char('\n'));
    if (single) text.replace(QLatin1Char('\n'), QLatin1Char(' '));

    int qflags = 0;
    if (!(flags & DT_NOPREFIX)) qflags |= (flags & DT_HIDEPREFIX) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    if (flags & DT_EXPANDTABS) qflags |= Qt::TextExpandTabs;
    if (wrap) qflags |= Qt::TextWordWrap;
    if (flags & DT_CENTER) qflags |= Qt::AlignHCenter;
    else if (flags & DT_RIGHT) qflags |= Qt::AlignRight;
    else qflags |= Qt::AlignLeft;
    // Vertical placement applies to single lines only, as in GDI.
    if (single && (flags & DT_VCENTER)) qflags |= Qt::AlignVCenter;
    else if (single && (flags & DT_BOTTOM)) qflags |= Qt::AlignBottom;
    else qflags |= Qt::AlignTop;

    if (!wrap && r.Width() > 0) {
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& line : lines) {
            if (flags & DT_PATH_ELLIPSIS) line = ElidePath(line, fm, r.Width());
            else if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) line = fm.elidedText(line, Qt::ElideRight, r.Width(), qflags & Qt::TextShowMnemonic);
        }
        text = lines.join(QLatin1Char('\n'));
    }

    if (flags & DT_CALCRECT) {
        int w = 0, h = 0;
        if (wrap) {
            const QRect b = fm.boundingRect(QRect(0, 0, std::max(r.Width(), 1), INT_MAX / 4),
                                            qflags & ~(Qt::AlignHCenter | Qt::AlignRight), text);
            w = b.width();
            h = std::max(b.height(), fm.height());
        } else {
            // Same measure as TextWidth: one cell height per line.
            const QStringList lines = text.split(QLatin1Char('\n'));
            for (const QString& line : lines)
                w = std::max(w, fm.horizontalAdvance((flags & DT_NOPREFIX) ? line : StripPrefix(line)));
            h = int(lines.size()) * fm.height();
        }
        r.Right = r.Left + w;
        r.Bottom = r.Top + h;
        return h;
    }
    if (!Ready()) return 0;
    QPainter p(FImage);
    p.setFont(font);
    const QRect box = r.ToQRect();
    QRect bound = p.boundingRect(box, qflags, text);
    if (!(flags & DT_NOCLIP)) {
        p.setClipRect(box);
        bound = bound.intersected(box);
    }
    if (FBrush.Style() != bsClear && !bound.isEmpty()) {
        p.end();
        FillRect(TRect::FromQRect(bound));
        p.begin(FImage);
        p.setFont(font);
        if (!(flags & DT_NOCLIP)) p.setClipRect(box);
    }
    p.setPen(ColorToQColor(FFont.Color()));
    QRect drawn;
    p.drawText(box, qflags, text, &drawn);
    if (single && (flags & (DT_VCENTER | DT_BOTTOM))) return drawn.bottom() + 1 - r.Top;
    return drawn.height();
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    if (!Ready() || bitmap.Empty()) return;
    const TRect src = Rect(0, 0, bitmap.Width(), bitmap.Height());
    if (bitmap.Transparent()) TransparentBlt(*FImage, Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap.Image(), src, bitmap.TransparentColor());
    else BitBlt(*FImage, x, y, bitmap.Width(), bitmap.Height(), bitmap.Image(), 0, 0);
}
