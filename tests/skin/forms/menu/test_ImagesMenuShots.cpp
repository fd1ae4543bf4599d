// Pictures to look at: the images grid with the hint of the cell under the
// pointer, in two stored skins. The grid and hint pictures are put together
// where their windows stand; under Xvfb (QT_QPA_PLATFORM=xcb) the screen
// around them is saved as well.
#include "skin/forms/hint/SkinHint.h"
#include "skin/forms/menu/ImagesMenu.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Sources.h"
#include "resources/skins/StoredSkins.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage Swatch(QColor c) {
    QImage img(24, 24, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(c);
    p.setPen(c.darker(150));
    p.drawEllipse(QRect(2, 2, 20, 20));
    return img;
}

TEST(ImagesMenuShots, TheHintOfTheCellUnderThePointer) {
    const QString dir = QStringLiteral(QV_SHOT_DIR);
    QDir().mkpath(dir);
    auto ticks = std::make_shared<TManualTickSource>();
    auto pointer = std::make_shared<TManualPointerSource>();
    SetTickSource(ticks);
    SetPointerSource(pointer);
    TqvCompressedSkinList list;
    LoadStoredSkins(list);
    auto main = std::make_unique<TForm>();
    main->SetBounds(40, 40, 420, 300);
    Application()->SetMainForm(main.get());
    auto* model = new TqvSkinData(main.get());
    model->SetSkinIndex(-1);
    model->SetSkinList(&list);
    auto* images = new TImageList(main.get());
    images->SetSize(24, 24);
    const QColor colours[] = {Qt::red, QColor(255, 140, 0), Qt::yellow, Qt::green, Qt::cyan, Qt::blue};
    for (const QColor& c : colours) images->Add(Swatch(c));
    auto* menu = new TqvSkinImagesMenu(main.get());
    menu->SetImages(images);
    menu->SetColumnsCount(3);
    menu->SetItemIndex(4);
    const char* hints[] = {"Red", "Orange", "Yellow", "Green", "Cyan", "Blue"};
    for (int i = 0; i < 6; ++i) {
        TqvImagesMenuItem item;
        item.ImageIndex = i;
        item.Hint = QStringLiteral("%1 label").arg(QLatin1String(hints[i]));
        menu->ImagesItems().push_back(item);
    }
    auto* hint = new TqvSkinHint(main.get());
    hint->SetSkinData(model);
    menu->SetSkinHint(hint);
    main->Show();
    const bool xcb = QGuiApplication::platformName() == QLatin1String("xcb");
    for (int index : {1, 6}) {
        model->SetSkinIndex(index);
        menu->SetSkinData(model);
        menu->PopupFromRect(Rect(80, 80, 120, 100));
        TqvSkinImagesMenuPopupWindow* grid = menu->PopupWindow();
        ASSERT_NE(grid, nullptr);
        const TRect cell = menu->ImagesItems()[1].ItemRect;
        const QPoint local(cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2);
        pointer->Pos = grid->geometry().topLeft() + local;
        pointer->Widget = grid;
        QTest::mouseMove(grid->windowHandle(), QPoint(1, 1));
        QTest::mouseMove(grid->windowHandle(), local);
        ticks->Advance(Application()->HintPause());
        ASSERT_TRUE(hint->IsVisible()) << index;
        EXPECT_EQ(hint->HintWindow()->HintCaption(), QStringLiteral("Orange label"));
        // The two windows as they stand on the screen.
        const QRect g = grid->geometry(), h = hint->HintWindow()->geometry();
        const QRect area = g.united(h).adjusted(-10, -10, 10, 10);
        QImage shot(area.size(), QImage::Format_RGB32);
        shot.fill(QColor(90, 110, 130));
        QPainter p(&shot);
        p.drawImage(g.topLeft() - area.topLeft(),
                    menu->GridPicture(TSize{g.width(), g.height()}, grid->MouseInItem, false));
        p.drawImage(h.topLeft() - area.topLeft(), hint->HintWindow()->BuildImage());
        p.end();
        EXPECT_TRUE(shot.save(dir + QStringLiteral("/images-menu-hint-skin%1.png").arg(index)));
        if (xcb) {
            QTest::qWait(150);
            QGuiApplication::primaryScreen()
                ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                .save(dir + QStringLiteral("/images-menu-hint-screen-skin%1.png").arg(index));
        }
        menu->Hide();
        EXPECT_FALSE(hint->IsVisible());
    }
    main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Application()->SetMainForm(nullptr);
    SetPointerSource(nullptr);
    SetTickSource(nullptr);
}

}  // namespace
