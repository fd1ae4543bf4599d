// The main window's snapshot menu as the settings button opens it, with the
// picture-type submenu open: the program started for real in the sheet's
// skin, the window and every open menu level where they lie on the screen.
#include "tools/gallery/GalleryHost.h"
#include "tools/gallery/GalleryProgram.h"

#include "app/mainwindow/MainWindow.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/forms/menu/PopupWindow.h"
#include "skin/forms/menu/SkinMenu.h"


namespace {

QImage WindowWithMenus(TForm1* window) {
    TqvSkinMenu* menu = window->qvVelmora1->SkinMenu();
    QRect area = window->geometry();
    for (int i = 0; i < menu->LevelCount(); ++i) area |= menu->Level(i)->geometry();
    QImage out(area.size(), QImage::Format_RGB32);
    out.fill(0xFFFAFAFA);
    QPainter p(&out);
    const QPoint at = window->pos() - area.topLeft();
    p.drawImage(at, gallery::FormPicture(window, window->qvVelmora1, true, at));
    for (int i = 0; i < menu->LevelCount(); ++i) {
        TqvSkinPopupWindow* level = menu->Level(i);
        p.drawPixmap(level->pos() - area.topLeft(), level->grab());
        TGallerySheet::MarkTextRegion(QRect(level->pos() - area.topLeft(), level->size()).adjusted(3, 3, -3, -3),
                                      QStringLiteral("menu level %1").arg(i));
    }
    return out;
}

}  // namespace

void DrawMainWindowMenusSection(TGallerySheet& sheet) {
    gallery::TStartedProgram started(sheet, QStringLiteral("[SnapShot]\nPicture=PNG\n"));
    if (!started.Window) return;
    TForm1* window = started.Window;
    // As a press on the settings button leaves it: the menu at the pointer,
    // the check mark on the stored type; then the type submenu opened.
    window->qvSkinButton23->Click();
    const QPoint at = window->qvSkinButton23->mapToGlobal(QPoint(20, 20));
    window->qvSkinPopupMenu2->Popup(at.x(), at.y());
    QCoreApplication::processEvents();
    // Down to the type item (past the separator), then open it as Right does.
    TqvSkinMenu* menu = window->qvVelmora1->SkinMenu();
    if (TqvSkinPopupWindow* level = menu->LastLevel())
        for (int i = 0; i < 6 && menu->LevelCount() < 2; ++i) {
            level->PopupKeyDown(Qt::Key_Down);
            level->PopupKeyDown(Qt::Key_Right);
        }
    QCoreApplication::processEvents();
    sheet.Place(WindowWithMenus(window), QStringLiteral("snapshot menu with the type submenu"));
}
