// Skinned hints as the hint window draws them: plain, two lines, with a
// bold title and an image, and the skinless default look.
#include "tools/gallery/GallerySheet.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/ImgList.h"
#include "skin/forms/hint/SkinHint.h"

#include <QPainter>
#include <QPainterPath>

#include <memory>

namespace {

// A small film-strip picture with a play mark, drawn in code.
QImage FilmIcon()
{
    QImage img(24, 24, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 170));
    p.drawRoundedRect(QRectF(1, 3, 22, 18), 3, 3);
    p.setBrush(Qt::white);
    for (int x = 3; x < 22; x += 4) {
        p.drawRect(QRectF(x, 4.5, 2, 2));
        p.drawRect(QRectF(x, 17.5, 2, 2));
    }
    QPainterPath play;
    play.moveTo(9, 8);
    play.lineTo(16, 12);
    play.lineTo(9, 16);
    play.closeSubpath();
    p.setBrush(QColor(255, 210, 60));
    p.drawPath(play);
    return img;
}

}  // namespace

void DrawHintsSection(TGallerySheet& sheet)
{
    auto* skin = const_cast<TqvSkinData*>(&sheet.Skin());
    auto form = std::make_unique<TForm>();
    TForm* oldMain = Application()->MainForm();
    Application()->SetMainForm(form.get());
    auto* images = new TImageList(form.get());
    images->SetSize(24, 24);
    images->Add(FilmIcon());
    auto* hint = new TqvSkinHint(form.get());
    hint->SetSkinData(skin);
    TqvSkinHintWindow* w = hint->HintWindow();

    hint->ActivateHint(Point(0, 0), QStringLiteral("添加文件 Add files"));
    sheet.Place(w->BuildImage(), QStringLiteral("plain"));
    hint->ActivateHint(Point(0, 0), QStringLiteral("Output folder@输出文件夹 D:/Videos"));
    sheet.Place(w->BuildImage(), QStringLiteral("\"@\": two lines"));
    hint->ActivateHintEx(Point(0, 0), QStringLiteral("Convert 转换"),
                         QStringLiteral("Converts every file of the list@with the chosen profile"), 0, images);
    sheet.Place(w->BuildImage(), QStringLiteral("title and image"));
    hint->SetSkinData(nullptr);
    hint->ActivateHintEx(Point(0, 0), QStringLiteral("Convert"), QStringLiteral("Without a skin"), 0, images);
    sheet.Place(w->BuildImage(), QStringLiteral("no skin"));
    hint->HideHint();

    Application()->SetMainForm(oldMain);
}
