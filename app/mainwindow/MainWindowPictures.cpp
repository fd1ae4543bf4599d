#include "app/mainwindow/MainWindowPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace mainwindow {

namespace {

enum TGlyph { gPlus, gCross, gBroom, gPlay, gStop, gPause, gResume, gPencil };

QImage Blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void DrawGlyph(QPainter& p, TGlyph g, QColor c) {
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(c.darker(140), 1.5);
    p.setPen(pen);
    p.setBrush(c);
    switch (g) {
    case gPlus:
        p.drawRoundedRect(QRectF(13, 4, 6, 24), 2, 2);
        p.drawRoundedRect(QRectF(4, 13, 24, 6), 2, 2);
        break;
    case gCross: {
        QPainterPath path;
        path.addRoundedRect(QRectF(-3, -12, 6, 24), 2, 2);
        p.save();
        p.translate(16, 16);
        p.rotate(45);
        p.drawPath(path);
        p.rotate(90);
        p.drawPath(path);
        p.restore();
        break;
    }
    case gBroom:
        p.drawRoundedRect(QRectF(6, 6, 20, 22), 3, 3);
        p.setPen(QPen(Qt::white, 2));
        for (int x = 11; x <= 21; x += 5) p.drawLine(x, 10, x, 24);
        p.setPen(pen);
        p.drawRect(QRectF(4, 3, 24, 4));
        break;
    case gPlay: {
        const QPointF tri[] = {{8, 4}, {28, 16}, {8, 28}};
        p.drawPolygon(tri, 3);
        break;
    }
    case gStop:
        p.drawRoundedRect(QRectF(6, 6, 20, 20), 3, 3);
        break;
    case gPause:
        p.drawRoundedRect(QRectF(7, 5, 7, 22), 2, 2);
        p.drawRoundedRect(QRectF(18, 5, 7, 22), 2, 2);
        break;
    case gResume: {
        p.drawRoundedRect(QRectF(4, 5, 6, 22), 2, 2);
        const QPointF tri[] = {{13, 5}, {29, 16}, {13, 27}};
        p.drawPolygon(tri, 3);
        break;
    }
    case gPencil: {
        p.save();
        p.translate(16, 16);
        p.rotate(-45);
        p.drawRect(QRectF(-12, -4, 18, 8));
        const QPointF tip[] = {{6, -4}, {13, 0}, {6, 4}};
        p.drawPolygon(tip, 3);
        p.restore();
        break;
    }
    }
}

QImage Glyph(TGlyph g, QColor c) {
    QImage img = Blank(32, 32);
    QPainter p(&img);
    DrawGlyph(p, g, c);
    return img;
}

}  // namespace

QImage OnAnyFace(const QImage& glyph) {
    const QImage in = glyph.convertToFormat(QImage::Format_ARGB32);
    QImage out = in;
    const auto inked = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < in.width() && y < in.height() && qAlpha(in.pixel(x, y)) >= 128;
    };
    for (int y = 0; y < in.height(); ++y)
        for (int x = 0; x < in.width(); ++x) {
            if (inked(x, y)) {
                const bool edge = !inked(x - 1, y) || !inked(x + 1, y) || !inked(x, y - 1) || !inked(x, y + 1);
                if (edge) out.setPixel(x, y, qRgba(0, 0, 0, 255));
                continue;
            }
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) near = inked(x + dx, y + dy);
            if (near) out.setPixel(x, y, qRgba(255, 255, 255, 255));
            // The buttons key their glyphs on the bottom-left pixel's colour:
            // clear pixels are clear magenta, so the black edge is not keyed out.
            else if (qAlpha(in.pixel(x, y)) == 0) out.setPixel(x, y, qRgba(255, 0, 255, 0));
        }
    return out;
}

QImage ToolPicture(int n, int size) {
    struct TEntry { TGlyph Glyph; QColor Colour; };
    // Indexed by picture number: enabled and disabled looks of one glyph.
    static const TEntry kPictures[18] = {
        {gPlus, Qt::gray},  {gPlus, Qt::gray},
        {gPlus, QColor(0xA0, 0xA0, 0xA0)}, {gPlus, QColor(0x2E, 0xA0, 0x43)},          // 2, 3 add
        {gPlay, QColor(0xA0, 0xA0, 0xA0)}, {gPlay, QColor(0x2E, 0x8B, 0xD8)},          // 4, 5 start
        {gPause, QColor(0xA0, 0xA0, 0xA0)}, {gPause, QColor(0xE0, 0x9A, 0x1E)},        // 6, 7 pause
        {gResume, QColor(0xA0, 0xA0, 0xA0)}, {gResume, QColor(0x2E, 0xA0, 0x43)},      // 8, 9 resume
        {gStop, QColor(0xA0, 0xA0, 0xA0)}, {gStop, QColor(0xD0, 0x3B, 0x3B)},          // 10, 11 stop
        {gBroom, QColor(0xA0, 0xA0, 0xA0)}, {gBroom, QColor(0xC0, 0x7A, 0x2A)},        // 12, 13 clear
        {gCross, QColor(0xA0, 0xA0, 0xA0)}, {gCross, QColor(0xD0, 0x3B, 0x3B)},        // 14, 15 remove
        {gPencil, QColor(0x3B, 0x78, 0xC8)}, {gPencil, QColor(0xA0, 0xA0, 0xA0)},      // 16, 17 rename
    };
    if (n < 0 || n >= 18) return Blank(size, size);
    const QImage drawn = Glyph(kPictures[n].Glyph, kPictures[n].Colour);
    return OnAnyFace(size == 32 ? drawn : drawn.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QImage PreviewPicture(TPreviewPicture kind) {
    switch (kind) {
    case ppPlay: return ToolPicture(5, 18);
    case ppPause: return ToolPicture(7, 18);
    case ppStop: return ToolPicture(11, 18);
    default: break;
    }
    QImage img = Blank(18, 18);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x3A, 0x4A, 0x60);
    p.setPen(QPen(ink, 1.5));
    p.setBrush(ink);
    switch (kind) {
    case ppSound:
    case ppMuted: {
        const QPointF cone[] = {{2, 7}, {6, 7}, {10, 3}, {10, 15}, {6, 11}, {2, 11}};
        p.drawPolygon(cone, 6);
        p.setBrush(Qt::NoBrush);
        if (kind == ppSound) {
            p.drawArc(QRectF(8, 5, 6, 8), -60 * 16, 120 * 16);
            p.drawArc(QRectF(8, 2, 9, 14), -60 * 16, 120 * 16);
        } else {
            p.setPen(QPen(QColor(0xD0, 0x3B, 0x3B), 2));
            p.drawLine(QPointF(12, 6), QPointF(17, 12));
            p.drawLine(QPointF(17, 6), QPointF(12, 12));
        }
        break;
    }
    case ppSnapshot:
        p.drawRoundedRect(QRectF(1.5, 5, 15, 10), 2, 2);
        p.drawRect(QRectF(6, 3, 6, 2));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(6, 7, 6, 6));
        break;
    case ppSettings:
        p.save();
        p.translate(9, 9);
        for (int i = 0; i < 8; ++i) {
            p.drawRect(QRectF(-1.5, -8, 3, 4));
            p.rotate(45);
        }
        p.restore();
        p.drawEllipse(QRectF(3.5, 3.5, 11, 11));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(6.5, 6.5, 5, 5));
        break;
    case ppFullScreen:
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2, 3, 14, 12));
        break;
    default: break;
    }
    p.end();
    return OnAnyFace(img);
}

QImage CategoryPicture(int index) {
    QImage img = Blank(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A disc in a colour of its own for every picture, with a play mark or a
    // note: the category rows pick distinct indexes, so distinct colours.
    const QColor c = QColor::fromHsv((index * 47) % 360, 170, 220);
    QRadialGradient g(QPointF(12, 10), 20);
    g.setColorAt(0, c.lighter(140));
    g.setColorAt(1, c.darker(120));
    p.setPen(QPen(c.darker(160), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    if (index % 2) {
        const QPointF tri[] = {{12, 9}, {23, 16}, {12, 23}};
        p.drawPolygon(tri, 3);
    } else {
        p.drawEllipse(QRectF(10, 18, 7, 6));
        p.drawRect(QRectF(15, 8, 2, 13));
        p.drawRect(QRectF(15, 8, 6, 3));
    }
    return img;
}

QImage ProfilePicture(int index) {
    QImage img = Blank(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = index == 0 ? QColor(0x8C, 0xC4, 0xF0) : index == 1 ? QColor(0x9C, 0xDC, 0x8C)
                                                          : QColor::fromHsv((index * 60) % 360, 90, 230);
    p.setPen(QPen(c.darker(150), 1));
    p.setBrush(c.darker(110));
    p.drawRoundedRect(QRectF(3, 6, 12, 6), 2, 2);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(3, 9, 26, 18), 2, 2);
    return img;
}

QImage LogoPicture() {
    QImage img(619, 260, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 260);
    bg.setColorAt(0, QColor(0xF4, 0xF8, 0xFD));
    bg.setColorAt(1, QColor(0xD6, 0xE4, 0xF4));
    p.fillRect(img.rect(), bg);
    // A film strip crossing a sound wave.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3A, 0x4A, 0x60));
    p.drawRoundedRect(QRectF(60, 70, 150, 110), 8, 8);
    p.setBrush(QColor(0xF4, 0xF8, 0xFD));
    for (int i = 0; i < 6; ++i) {
        p.drawRect(QRectF(68 + i * 23, 76, 12, 9));
        p.drawRect(QRectF(68 + i * 23, 165, 12, 9));
    }
    p.setBrush(QColor(0x6F, 0xB6, 0xF0));
    const QPointF tri[] = {{118, 100}, {158, 125}, {118, 150}};
    p.drawPolygon(tri, 3);
    QPen wave(QColor(0x2E, 0x8B, 0xD8), 4);
    p.setPen(wave);
    QPainterPath path(QPointF(230, 125));
    for (int x = 230; x <= 560; x += 2)
        path.lineTo(x, 125 + 28 * std::sin((x - 230) / 18.0) * std::exp(-(x - 230) / 260.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    QFont f;
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x3A, 0x4A, 0x60));
    p.drawText(QRectF(230, 170, 360, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvelia"));
    f.setPixelSize(14);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRectF(232, 205, 360, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("添加文件，选择输出格式，开始转换"));
    return img;
}

}  // namespace mainwindow
