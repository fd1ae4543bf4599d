// Pictures to look at: a hint with title and image, and a two-line plain
// hint, in two of the stored skins and without a skin. Under Xvfb
// (QT_QPA_PLATFORM=xcb) the screen around the shown hint is saved as well,
// so the window's mask shows as the desktop sees it.
#include "skin/forms/hint/SkinHint.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "resources/skins/StoredSkins.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage FilmIcon() {
    QImage img(24, 24, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.fillRect(QRect(1, 3, 22, 18), QColor(40, 90, 170));
    for (int x = 3; x < 22; x += 4) {
        p.fillRect(QRect(x, 5, 2, 2), Qt::white);
        p.fillRect(QRect(x, 17, 2, 2), Qt::white);
    }
    p.fillRect(QRect(9, 9, 7, 6), QColor(255, 210, 60));
    return img;
}

TEST(HintShots, TitleAndImageInStoredSkins) {
    const QString dir = QStringLiteral(QV_SHOT_DIR);
    QDir().mkpath(dir);
    TqvCompressedSkinList list;
    LoadStoredSkins(list);
    TForm main;
    main.SetBounds(40, 40, 420, 240);
    Application()->SetMainForm(&main);
    auto* model = new TqvSkinData(&main);
    model->SetSkinIndex(-1);
    model->SetSkinList(&list);
    auto* images = new TImageList(&main);
    images->SetSize(24, 24);
    images->Add(FilmIcon());
    auto* hint = new TqvSkinHint(&main);
    main.Show();
    const bool xcb = QGuiApplication::platformName() == QLatin1String("xcb");
    for (int index : {1, 6, -1}) {
        if (index >= 0) {
            model->SetSkinIndex(index);
            hint->SetSkinData(model);
        } else {
            hint->SetSkinData(nullptr);
        }
        const QString name = index >= 0 ? QStringLiteral("skin%1").arg(index) : QStringLiteral("noskin");
        hint->ActivateHintEx(Point(80, 80), QStringLiteral("Convert 转换"),
                             QStringLiteral("Converts every file of the list@with the chosen profile"), 0, images);
        ASSERT_TRUE(hint->IsVisible());
        EXPECT_TRUE(hint->HintWindow()->BuildImage().save(dir + "/hint-title-image-" + name + ".png"));
        if (xcb) {
            QTest::qWait(150);
            QGuiApplication::primaryScreen()->grabWindow(0, 60, 60, 420, 140).save(dir + "/hint-screen-" + name + ".png");
        }
        hint->ActivateHint(Point(80, 80), QStringLiteral("Output folder@输出文件夹 /home/user/Videos"));
        EXPECT_TRUE(hint->HintWindow()->BuildImage().save(dir + "/hint-plain-" + name + ".png"));
        hint->HideHint();
    }
    Application()->SetMainForm(nullptr);
}

}  // namespace
