#include "app/legacy/LegacyPictures.h"

#include <QFont>

#include <cstring>
#include <iterator>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace legacy {

namespace {

struct IconLook {
    QRgb colour;
    const char* mark;  // short text on the tile; empty: a drawn note
};

// In category order.
constexpr IconLook kIcons[] = {
    {0xFF2F6FD0, "AVI"}, {0xFF2E9E55, ""},    {0xFF7B3FC4, "HD"},  {0xFF9A9AA4, "POD"},
    {0xFF30333A, "PH"},  {0xFF23418F, "PSP"}, {0xFFD07A1E, "3GP"}, {0xFF7D8896, "MOV"},
    {0xFF3D9A2E, "XB"},  {0xFFC0392B, "PMP"}, {0xFF1E8FA8, "MP4"}, {0xFFD33A2C, "FLV"},
};

void DrawNote(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(8, 19, 8, 6));
    p.drawEllipse(QRectF(18, 17, 8, 6));
    p.drawRect(QRectF(14, 7, 2, 15));
    p.drawRect(QRectF(24, 5, 2, 15));
    QPainterPath beam;
    beam.moveTo(14, 7);
    beam.lineTo(26, 5);
    beam.lineTo(26, 9);
    beam.lineTo(14, 11);
    beam.closeSubpath();
    p.drawPath(beam);
}

}  // namespace

QImage CategoryIcon(int categoryRow) {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    if (categoryRow < 0 || categoryRow >= int(std::size(kIcons))) return img;
    const IconLook& look = kIcons[categoryRow];
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = QColor::fromRgb(look.colour);
    QLinearGradient fill(0, 1, 0, 31);
    fill.setColorAt(0, base.lighter(135));
    fill.setColorAt(1, base.darker(120));
    p.setPen(QPen(base.darker(160), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    if (*look.mark == 0) {
        DrawNote(p);
        return img;
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::strlen(look.mark) > 2 ? 10 : 13);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QString::fromLatin1(look.mark));
    return img;
}

QImage FolderPicture() {
    QImage img(128, 128, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // The folder's back and tab.
    QPainterPath back;
    back.moveTo(8, 30);
    back.lineTo(44, 30);
    back.lineTo(52, 22);
    back.lineTo(86, 22);
    back.lineTo(92, 30);
    back.lineTo(120, 30);
    back.lineTo(120, 112);
    back.lineTo(8, 112);
    back.closeSubpath();
    p.setPen(QPen(QColor(170, 120, 20), 2));
    p.setBrush(QColor(236, 184, 64));
    p.drawPath(back);

    // The disc, standing out of the folder.
    QRadialGradient disc(QPointF(80, 52), 30);
    disc.setColorAt(0, QColor(250, 250, 255));
    disc.setColorAt(0.6, QColor(190, 205, 230));
    disc.setColorAt(1, QColor(150, 170, 210));
    p.setPen(QPen(QColor(110, 120, 150), 1.5));
    p.setBrush(disc);
    p.drawEllipse(QPointF(82, 56), 30, 30);
    p.setBrush(QColor(236, 184, 64));
    p.drawEllipse(QPointF(82, 56), 6, 6);

    // The clapperboard: slate and striped arm.
    p.setPen(QPen(QColor(20, 20, 24), 1.5));
    p.setBrush(QColor(46, 48, 56));
    p.drawRect(QRectF(22, 46, 50, 34));
    p.save();
    p.translate(22, 46);
    p.rotate(-14);
    p.setBrush(QColor(46, 48, 56));
    p.drawRect(QRectF(0, -10, 50, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 5; ++i) {
        QPainterPath stripe;
        stripe.moveTo(3 + i * 10, -10);
        stripe.lineTo(8 + i * 10, -10);
        stripe.lineTo(4 + i * 10, 0);
        stripe.lineTo(-1 + i * 10, 0);
        stripe.closeSubpath();
        p.drawPath(stripe);
    }
    p.restore();
    p.setPen(QPen(QColor(220, 220, 220), 1.5));
    p.drawLine(QPointF(28, 60), QPointF(66, 60));
    p.drawLine(QPointF(28, 70), QPointF(56, 70));

    // The folder's front, over both.
    QLinearGradient front(0, 62, 0, 112);
    front.setColorAt(0, QColor(255, 214, 100));
    front.setColorAt(1, QColor(230, 170, 50));
    p.setPen(QPen(QColor(170, 120, 20), 2));
    p.setBrush(front);
    QPainterPath lid;
    lid.moveTo(4, 66);
    lid.lineTo(124, 66);
    lid.lineTo(118, 112);
    lid.lineTo(10, 112);
    lid.closeSubpath();
    p.drawPath(lid);
    return img;
}

}  // namespace legacy
