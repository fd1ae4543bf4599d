#include "platform/ImgList.h"

#include <algorithm>

TCustomImageList::TCustomImageList(QObject* AOwner) : TComponent(AOwner) {}

void TCustomImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TCustomImageList::SetSize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    FImages.clear();
    Changed();
}

QImage TCustomImageList::Fit(const QImage& image) const {
    QImage out(FWidth, FHeight, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    BitBlt(out, 0, 0, FWidth, FHeight, src, 0, 0);
    return out;
}

int TCustomImageList::Add(const QImage& image, const QImage& mask) {
    if (image.isNull()) return -1;
    const int first = Count();
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const QImage m = mask.isNull() ? QImage() : mask.convertToFormat(QImage::Format_RGB32);
    const int strips = std::max(1, src.width() / FWidth);
    for (int i = 0; i < strips; ++i) {
        QImage piece = Fit(src.copy(i * FWidth, 0, FWidth, FHeight));
        if (!m.isNull())
            for (int y = 0; y < FHeight && y < m.height(); ++y)
                for (int x = 0; x < FWidth && i * FWidth + x < m.width(); ++x)
                    if ((m.pixel(i * FWidth + x, y) & 0xFFFFFF) == 0xFFFFFF) piece.setPixel(x, y, 0);
        FImages.append(piece);
    }
    Changed();
    return first;
}

int TCustomImageList::AddMasked(const QImage& image, TColor maskColor) {
    if (image.isNull()) return -1;
    QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const QColor key = maskColor == clDefault ? src.pixelColor(0, src.height() - 1) : ColorToQColor(maskColor);
    const QRgb keyRgb = key.rgb() & 0xFFFFFF;
    for (int y = 0; y < src.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(src.scanLine(y));
        for (int x = 0; x < src.width(); ++x)
            if ((row[x] & 0xFFFFFF) == keyRgb) row[x] = 0;
    }
    return Add(src);
}

void TCustomImageList::Insert(int index, const QImage& image) {
    if (index < 0 || index > Count() || image.isNull()) return;
    FImages.insert(index, Fit(image));
    Changed();
}

void TCustomImageList::Replace(int index, const QImage& image) {
    if (index < 0 || index >= Count() || image.isNull()) return;
    FImages[index] = Fit(image);
    Changed();
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    FImages.removeAt(index);
    Changed();
}

void TCustomImageList::Clear() {
    FImages.clear();
    Changed();
}

QImage TCustomImageList::Image(int index) const {
    return index >= 0 && index < Count() ? FImages[index] : QImage();
}

bool TCustomImageList::GetBitmap(int index, TBitmap& bitmap) const {
    if (index < 0 || index >= Count()) return false;
    bitmap.Assign(FImages[index]);
    return true;
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    QImage* dst = canvas.Image();
    if (!dst || index < 0 || index >= Count()) return;
    const QImage& img = FImages[index];
    auto blend = [&](int dx, int dy, auto colorOf) {
        for (int sy = 0; sy < FHeight; ++sy)
            for (int sx = 0; sx < FWidth; ++sx) {
                const int px = x + dx + sx, py = y + dy + sy;
                if (px < 0 || py < 0 || px >= dst->width() || py >= dst->height()) continue;
                const QRgb s = img.pixel(sx, sy);
                const int a = qAlpha(s);
                if (a == 0) continue;
                const TColor src = colorOf(s, a);
                if (src == clNone) continue;
                if (a == 255 || !enabled) {
                    canvas.SetPixel(px, py, src);
                    continue;
                }
                const TColor d = canvas.Pixel(px, py);
                auto mix = [a](int s8, int d8) { return (s8 * a + d8 * (255 - a) + 127) / 255; };
                canvas.SetPixel(px, py, RGB(mix(GetRValue(src), GetRValue(d)), mix(GetGValue(src), GetGValue(d)),
                                            mix(GetBValue(src), GetBValue(d))));
            }
    };
    if (enabled) {
        blend(0, 0, [](QRgb s, int) { return RGB(qRed(s), qGreen(s), qBlue(s)); });
        return;
    }
    // The greyed look: the image reduced to black and white (each pixel to the
    // nearer of the two), its black part embossed.
    auto nearerBlack = [](QRgb s) {
        const int r = qRed(s), g = qGreen(s), b = qBlue(s);
        return r * r + g * g + b * b < (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    };
    auto shape = [nearerBlack](TColor c) {
        return [c, nearerBlack](QRgb s, int a) { return a >= 128 && nearerBlack(s) ? c : clNone; };
    };
    blend(1, 1, shape(ColorToRGB(clBtnHighlight)));
    blend(0, 0, shape(ColorToRGB(clBtnShadow)));
}
