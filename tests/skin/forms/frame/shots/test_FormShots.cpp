// A resizable form in two of the stored skins and skinless, active, inactive
// and rolled up, saved as pictures in the build tree so a person can look at
// them. Under Xvfb (QT_QPA_PLATFORM=xcb) it also grabs the screen, where the
// window's shape shows, and checks that a native child window (the player's
// stand-in) still shows inside the shaped frame.
#include "platform/Application.h"
#include "platform/StdCtrls.h"
#include "resources/skins/StoredSkins.h"
#include "skin/forms/Velmora.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kNative = qRgb(20, 20, 20);

// What the form shows: the frame as it paints, the client with its controls,
// nothing outside the window's shape.
QImage Shot(TForm* form, TqvVelmora* comp, bool active) {
    QImage img = comp->BuildFrameImage(active).convertToFormat(QImage::Format_ARGB32);
    {
        QPainter p(&img);
        p.drawPixmap(form->Client()->geometry().topLeft(), form->Client()->grab());
    }
    if (comp->HasRegion() && !form->mask().isEmpty())
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (!form->mask().contains(QPoint(x, y))) img.setPixel(x, y, 0);
    return img;
}

TEST(FormShots, StoredSkinsAndSkinless) {
    const QString dir = QStringLiteral(QV_SHOT_DIR);
    QDir().mkpath(dir);
    const bool xcb = QGuiApplication::platformName() == QLatin1String("xcb");
    TqvCompressedSkinList list;
    LoadStoredSkins(list);
    for (int skin : {-1, 0, 3}) {
        auto* form = new TForm;
        form->SetCaption(QStringLiteral("Skinned form 皮肤窗体"));
        form->SetBounds(80, 80, 480, 320);
        auto* comp = new TqvVelmora(form);
        auto* edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(240, 20, 200, 24);
        edit->SetText(QStringLiteral("Text 文字"));
        auto* ok = new TButton(form);
        ok->SetParent(form);
        ok->SetCaption(QStringLiteral("&OK"));
        ok->SetBounds(360, 230, 90, 28);
        // The player draws into a native child window; it must survive the shaped frame.
        auto* native = new QWidget(form->Client());
        native->setAttribute(Qt::WA_NativeWindow);
        native->setAutoFillBackground(true);
        QPalette pal = native->palette();
        pal.setColor(QPalette::Window, QColor(kNative));
        native->setPalette(pal);
        native->setGeometry(20, 20, 200, 150);
        auto* model = new TqvSkinData(form);
        if (skin >= 0) {
            model->SetSkinIndex(-1);
            model->SetSkinList(&list);
            model->SetSkinIndex(skin);
        }
        comp->SetSkinData(model);
        form->Show();
        native->show();
        QTest::qWait(xcb ? 300 : 10);
        const QString name = skin < 0 ? QStringLiteral("skinless") : QStringLiteral("skin%1").arg(skin, 2, 10, QLatin1Char('0'));
        EXPECT_TRUE(Shot(form, comp, true).save(dir + "/form-" + name + "-active.png"));
        EXPECT_TRUE(Shot(form, comp, false).save(dir + "/form-" + name + "-inactive.png"));
        if (xcb) {
            const QRect g = form->geometry().adjusted(-10, -10, 10, 10);
            const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0, g.x(), g.y(), g.width(), g.height()).toImage();
            screen.save(dir + "/form-" + name + "-screen.png");
            // The native child shows through the client; outside a rounded corner the screen shows.
            const QPoint inChild = form->Client()->mapTo(form, QPoint(100, 75)) + QPoint(10, 10);
            EXPECT_EQ(screen.pixel(inChild) | 0xFF000000u, kNative) << qPrintable(name);
            if (comp->HasRegion() && !form->mask().isEmpty()) {
                EXPECT_FALSE(form->mask().contains(QPoint(0, 0)));
                EXPECT_NE(screen.pixel(10, 10), QImage(Shot(form, comp, true)).pixel(1, 1)) << qPrintable(name);
            }
        }
        comp->SetRollUpState(true);
        QTest::qWait(xcb ? 200 : 10);
        EXPECT_TRUE(Shot(form, comp, true).save(dir + "/form-" + name + "-rolledup.png"));
        if (xcb) {
            const QRect g = form->geometry().adjusted(-10, -10, 10, 10);
            QGuiApplication::primaryScreen()->grabWindow(0, g.x(), g.y(), g.width(), g.height()).save(
                dir + "/form-" + name + "-rolledup-screen.png");
        }
        delete form;
    }
}

}  // namespace
