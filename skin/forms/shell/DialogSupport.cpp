#include "skin/forms/shell/DialogSupport.h"

#include "platform/Application.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/spacers/SkinSpacers.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/dialogs/SkinMessage.h"
#include "skin/model/ResourceStrings.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstring>

QString DialogText(const TqvSkinData* model, const char* key, const char* text) {
    if (model && model->ResourceStrData()) {
        const QString s = model->ResourceStrData()->GetResStr(QLatin1String(key));
        if (!s.isEmpty()) return s;
    }
    return QString::fromUtf8(text);
}

namespace {

const QColor kKey(255, 0, 255);
// The outlines are dark enough to read on light faces, the fills light
// enough to read on dark ones.
const QColor kGreen(40, 160, 60), kDarkGreen(10, 70, 25), kYellow(245, 200, 70), kBrown(90, 60, 10);

void Folder(QPainter& p) {
    p.setPen(kBrown);
    p.setBrush(kYellow);
    p.drawRect(QRectF(1.5, 5.5, 12, 8));
    p.drawRect(QRectF(1.5, 3.5, 5, 2));
}

void Arrow(QPainter& p, QPointF tip, QPointF dir, double len, const QColor& c) {
    // Shaft and head along dir (a unit vector).
    const QPointF n(-dir.y(), dir.x());
    const QPointF tail = tip - dir * len;
    p.setPen(QPen(c, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(tail, tip - dir * 2);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF{tip, tip - dir * 3.5 + n * 3, tip - dir * 3.5 - n * 3});
}

QImage Draw(const char* name) {
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(kKey);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Nothing is smoothed: over the key colour smoothing leaves magenta edges.
    if (!std::strcmp(name, "QV_BACK")) {
        p.setPen(kDarkGreen);
        p.setBrush(kGreen);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        Arrow(p, {3.5, 8}, {-1, 0}, 8, Qt::white);
    } else if (!std::strcmp(name, "QV_UP")) {
        Folder(p);
        Arrow(p, {11.5, 1}, {0, -1}, 9, kGreen);
    } else if (!std::strcmp(name, "QV_NEWFOLDER")) {
        Folder(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 140, 0));
        QPolygonF star;
        for (int i = 0; i < 8; ++i) {
            const double r = i % 2 ? 1.6 : 4.0, a = i * 3.14159265 / 4;
            star << QPointF(12 + r * std::cos(a), 4 + r * std::sin(a));
        }
        p.drawPolygon(star);
    } else if (!std::strcmp(name, "QV_LVSTYLE")) {
        p.setPen(QColor(60, 60, 90));
        p.setBrush(Qt::white);
        p.drawRect(1, 1, 13, 13);
        p.fillRect(2, 2, 12, 2, QColor(40, 80, 170));
        const QColor tiles[] = {QColor(220, 60, 50), QColor(50, 150, 60), QColor(50, 90, 200),
                                QColor(230, 180, 40), QColor(150, 70, 180), QColor(40, 170, 190)};
        for (int i = 0; i < 6; ++i) p.fillRect(3 + (i % 3) * 4, 6 + (i / 3) * 4, 3, 3, tiles[i]);
    } else if (!std::strcmp(name, "QV_STRETCH")) {
        p.setPen(QColor(60, 60, 90));
        p.setBrush(Qt::white);
        p.drawRect(4, 4, 7, 7);
        const double d = 0.7071;
        Arrow(p, {1, 1}, {-d, -d}, 5, kGreen);
        Arrow(p, {15, 1}, {d, -d}, 5, kGreen);
        Arrow(p, {1, 15}, {-d, d}, 5, kGreen);
        Arrow(p, {15, 15}, {d, d}, 5, kGreen);
    }
    return img;
}

}  // namespace

TBitmap DialogGlyph(const char* name) {
    static QHash<QByteArray, QImage> cache;
    auto it = cache.find(name);
    if (it == cache.end()) it = cache.insert(name, Draw(name));
    TBitmap b(*it);
    b.SetTransparent(true);
    b.SetTransparentColor(TColor(0xFF00FF));
    return b;
}

void ApplyDialogFrame(TqvVelmora* comp, const TqvDialogFrame& frame) {
    comp->SetBorderIcons(0);
    comp->SetSkinData(frame.SkinData);
    comp->SetMenusSkinData(frame.CtrlSkinData);
    comp->SetSizeLimits(frame.MinWidth, frame.MinHeight, 0, 0);
    comp->SetAlphaBlendValue(frame.AlphaBlendValue);
    comp->AlphaBlendAnimation = frame.AlphaBlendAnimation;
    comp->SetAlphaBlend(frame.AlphaBlend);
}

void ApplyDialogClientSize(TForm* form, TqvVelmora* comp, const TqvSkinData* skin, int Width, int Height,
                           int DefWidth, int DefHeight) {
    int w = Width < 1 ? DefWidth : Width;
    int h = Height < 1 ? DefHeight : Height;
    if (skin && !skin->Empty) {
        w = std::max(w, comp->GetMinWidth());
        h = std::max(h, comp->GetMinHeight());
    }
    form->SetClientSize(w, h);
}

void ShowDialogError(const TqvDialogFrame& frame, std::exception_ptr e) {
    QString text = TApplication::ExceptionMessage(e);
    if (!text.isEmpty() && text.back() > QChar('.')) text += QLatin1Char('.');
    TqvSkinMessage box;
    box.SetSkinData(frame.SkinData);
    box.SetCtrlSkinData(frame.CtrlSkinData);
    box.MessageDlg2(text, Application()->Title(), mtError, MsgBtn(mbOK), 0);
}

TqvSkinSpeedButton* DialogToolButton(TForm* form, TWinControl* parent, const char* name, const char* glyph,
                               const QString& hint, bool flat, TqvSkinData* sd) {
    auto* b = new TqvSkinSpeedButton(form);
    b->SetName(QLatin1String(name));
    b->SetParent(parent);
    b->SetAlign(alRight);
    b->SetDefaultWidth(27);
    b->SetDefaultHeight(25);
    b->SetSkinDataName(QStringLiteral("toolbutton"));
    b->SetGlyph(DialogGlyph(glyph));
    b->SetHint(hint);
    b->SetShowHint(true);
    b->SetFlat(flat);
    b->SetSkinData(sd);
    return b;
}

TqvSkinBevel* DialogSpacer(TForm* form, TWinControl* parent, TAlign align, int width) {
    auto* s = new TqvSkinBevel(form);
    s->SetParent(parent);
    s->SetAlign(align);
    s->SetWidth(width);
    s->SetShape(TBevelShape::bsSpacer);
    return s;
}

TqvSkinScrollBar* DialogScrollBar(TForm* form, TWinControl* parent, const char* name, bool vertical, TqvSkinData* sd) {
    auto* b = new TqvSkinScrollBar(form);
    b->SetName(QLatin1String(name));
    b->SetParent(parent);
    if (vertical) {
        b->SetKind(sbVertical);
        b->SetAlign(alRight);
        b->SetDefaultWidth(19);
        b->SetSkinDataName(QStringLiteral("vscrollbar"));
    } else {
        b->SetAlign(alBottom);
        b->SetDefaultHeight(19);
        b->SetBothMarkerWidth(19);
        b->SetSkinDataName(QStringLiteral("hscrollbar"));
    }
    b->SetEnabled(false);
    b->SetSkinData(sd);
    return b;
}

TqvSkinStdLabel* DialogLabel(TForm* form, TWinControl* parent, const char* name, const QString& text, TqvSkinData* sd) {
    auto* l = new TqvSkinStdLabel(form);
    l->SetName(QLatin1String(name));
    l->SetParent(parent);
    l->SetAutoSize(true);
    l->SetSkinData(sd);
    l->SetCaption(text);
    return l;
}

TqvSkinPanel* DialogPanel(TForm* form, TWinControl* parent, const char* name, TAlign align,
                          TqvSkinBorderStyle border, TqvSkinData* sd) {
    auto* p = new TqvSkinPanel(form);
    p->SetName(QLatin1String(name));
    p->SetParent(parent);
    p->SetAlign(align);
    p->SetBorderStyle(border);
    p->SetSkinData(sd);
    return p;
}
