#include "app/about/AboutForm.h"

#include "app/about/ProductLinks.h"
#include "app/link/FormBuild.h"
#include "app/link/MainWindowLink.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/forms/Velmora.h"

#include <QPainter>
#include <QPainterPath>

TForm2* Form2 = nullptr;

TForm2::TForm2(QObject* AOwner) : TForm(AOwner) {}

TForm2::~TForm2() {
    if (Form2 == this) Form2 = nullptr;
}

QImage TForm2::LogoPicture() {
    QImage img(53, 57, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A film frame with a play mark, and a turning arrow for the conversion.
    QLinearGradient body(0, 4, 0, 50);
    body.setColorAt(0, QColor(64, 140, 230));
    body.setColorAt(1, QColor(20, 70, 160));
    p.setPen(QPen(QColor(12, 44, 110), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3, 4, 44, 40), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 242, 255));
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(7 + i * 10, 7, 6, 4));
        p.drawRect(QRectF(7 + i * 10, 37, 6, 4));
    }
    QPainterPath play;
    play.moveTo(19, 15);
    play.lineTo(33, 24);
    play.lineTo(19, 33);
    play.closeSubpath();
    p.drawPath(play);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(250, 150, 30), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(22, 30, 26, 22), 200 * 16, 160 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 150, 30));
    QPainterPath head;
    head.moveTo(45, 33);
    head.lineTo(52, 42);
    head.lineTo(41, 43);
    head.closeSubpath();
    p.drawPath(head);
    return img;
}

void TForm2::Layout() {
    TqvSkinData* skin = MainWindowLink().SkinData();
    SetCaption(QStringLiteral("关于软件"));
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientSize(332, 259);

    qvVelmora1 = PlaceComponent<TqvVelmora>(this, QStringLiteral("qvVelmora1"));
    qvVelmora1->SetBorderIcons(biRollUp);
    qvVelmora1->SetShowIcon(true);
    qvVelmora1->ClientWidth = 332;
    qvVelmora1->ClientHeight = 259;

    // Labels that keep their own font draw with Font(), skinned or not.
    auto label = [&](const char* name, const char* caption, int l, int t, int w, int h) {
        auto* c = PlaceControl<TqvSkinStdLabel>(this, this, QString::fromLatin1(name), l, t, w, h);
        c->SetCaption(QString::fromUtf8(caption));
        c->SetSkinData(skin);
        return c;
    };
    qvSkinStdLabel3 = label("qvSkinStdLabel3", "Quorvelia", 83, 22, 220, 20);
    qvSkinStdLabel3->SetUseSkinFont(false);
    qvSkinStdLabel3->SetFont(TFont(QStringLiteral("黑体"), -20));

    Image1 = PlaceControl<TImage>(this, this, QStringLiteral("Image1"), 48, 58, 53, 57);
    Image1->SetPicture(LogoPicture());
    Image1->SetTransparent(true);

    qvSkinStdLabel4 = label("qvSkinStdLabel4", "Ver:1.0.0.0", 154, 68, 121, 19);
    qvSkinStdLabel4->SetUseSkinFont(false);
    TFont version(QStringLiteral("宋体"), -19);
    version.SetStyle(fsBold);
    qvSkinStdLabel4->SetFont(version);

    qvSkinStdLabel1 = label("qvSkinStdLabel1", "官方网站：", 48, 124, 60, 13);
    qvSkinStdLabel2 = label("qvSkinStdLabel2", "支持E-Mail：", 44, 163, 64, 13);

    auto link = [&](const char* name, const QString& caption, const QString& url, int t) {
        auto* c = PlaceControl<TqvSkinLinkLabel>(this, this, QString::fromLatin1(name), 107, t, 153, 33);
        c->SetAlignment(taCenter);
        c->SetLayout(tlCenter);
        c->setCursor(Qt::PointingHandCursor);
        c->SetGlowEffect(true);
        c->SetGlowSize(6);
        c->SetUseUnderLine(true);
        c->SetCaption(caption);
        c->SetURL(url);
        c->SetSkinData(skin);
        return c;
    };
    const QString web = QString::fromLatin1(about::kWebAddress);
    const QString mail = QString::fromLatin1(about::kSupportMail);
    qvSkinLinkLabel1 = link("qvSkinLinkLabel1", web, web, 112);
    qvSkinLinkLabel2 = link("qvSkinLinkLabel2", mail, QString::fromLatin1(about::kMailScheme) + mail, 151);

    qvSkinButton1 = PlaceControl<TqvSkinButton>(this, this, QStringLiteral("qvSkinButton1"), 200, 208, 69, 25);
    qvSkinButton1->SetSkinDataName(QStringLiteral("button"));
    qvSkinButton1->SetCaption(QStringLiteral("确定"));
    qvSkinButton1->SetSkinData(skin);
    qvSkinButton1->OnClick = [this](QObject* s) { qvSkinButton1Click(s); };

    qvVelmora1->SetSkinData(skin);
}

void TForm2::qvSkinButton1Click(QObject*) { Close(); }
