// The skinned menu bar on a skinned form: a drop-down open with its submenu,
// and a bar too narrow for its items (the more-items marker), in the sheet's
// skin and in the plain look.
#include "tools/gallery/GallerySheet.h"
#include "tools/gallery/GalleryHost.h"

#include "platform/Form.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/forms/menubar/MainMenuBar.h"

#include <QApplication>
#include <QPainter>

namespace {

void FillBarMenu(TMenu& menu) {
    TMenuItem* root = menu.Items();
    constexpr int ctrl = int(Qt::ControlModifier);
    TMenuItem* file = gallery::AddMenuItem(root, QStringLiteral("&File"));
    gallery::AddMenuItem(file, QStringLiteral("&Add files..."), ctrl | Qt::Key_O);
    gallery::AddMenuItem(file, QStringLiteral("-"));
    gallery::AddMenuItem(file, QStringLiteral("-Output-"))->SetEnabled(false);
    gallery::AddSampleChoices(file);
    TMenuItem* recent = gallery::AddMenuItem(file, QStringLiteral("&Recent files"));
    gallery::AddMenuItem(recent, QStringLiteral("&1 clip.avi"));
    gallery::AddMenuItem(recent, QStringLiteral("&2 打开文件.mp4"));
    gallery::AddMenuItem(file, QStringLiteral("-"));
    gallery::AddMenuItem(file, QStringLiteral("E&xit"), int(Qt::AltModifier) | Qt::Key_F4);
    gallery::AddMenuItem(gallery::AddMenuItem(root, QStringLiteral("&Edit")), QStringLiteral("&Copy"))->Parent()->SetEnabled(false);
    gallery::AddMenuItem(gallery::AddMenuItem(root, QStringLiteral("动作(&A)")), QStringLiteral("&Start"));
    gallery::AddMenuItem(gallery::AddMenuItem(root, QStringLiteral("&View")), QStringLiteral("&Details"));
    gallery::AddMenuItem(gallery::AddMenuItem(root, QStringLiteral("&Help")), QStringLiteral("&Contents"), Qt::Key_F1);
}

// A form of Width with its bar; with Open, File's drop-down and its submenu
// drawn where they lie on the screen.
QImage BarShot(TqvSkinData* sd, int width, bool open) {
    TForm form;
    form.SetBounds(40, 40, width, 150);
    auto* comp = new TqvVelmora(&form);
    comp->SetSkinData(sd);
    TMainMenu menu(&form);
    FillBarMenu(menu);
    auto* bar = new TqvSkinMainMenuBar(&form);
    bar->SetParent(&form);
    bar->SetSkinData(sd);
    bar->SetVelmora(comp);
    bar->SetMainMenu(&menu);
    form.Show();
    QApplication::setActiveWindow(&form);
    QCoreApplication::processEvents();

    std::vector<QWidget*> levels;
    if (open) {
        bar->CheckHotKey(Qt::Key_F);
        TqvSkinMenu* m = comp->SkinMenu();
        if (TqvSkinPopupWindow* first = m->Level(0)) {
            for (int i = 0; i < first->Level().ItemCount(); ++i)
                if (first->Level().Item(i)->MenuItem->Count() > 0) {
                    first->ItemMouseEnter(i, false);
                    first->ItemMouseDown(i);
                    break;
                }
        }
        for (int i = 0; i < m->LevelCount(); ++i) levels.push_back(m->Level(i));
    }
    QCoreApplication::processEvents();
    const QPoint origin = form.pos();
    QRect all(QPoint(0, 0), form.size());
    for (QWidget* l : levels) all |= QRect(l->pos() - origin, l->size());
    QImage img(all.size() + QSize(1, 1), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.drawImage(-all.topLeft(), form.grab().toImage());
    for (QWidget* l : levels) p.drawImage(l->pos() - origin - all.topLeft(), l->grab().toImage());
    p.end();
    if (open) comp->SkinMainMenuClose();
    return img;
}

}  // namespace

void DrawMenuBarSection(TGallerySheet& sheet) {
    auto* sd = const_cast<TqvSkinData*>(&sheet.Skin());
    sheet.Place(BarShot(sd, 420, true), QStringLiteral("drop-down and submenu"));
    sheet.Place(BarShot(sd, 200, false), QStringLiteral("narrow: more-items marker"));
    sheet.NewRow();
    sheet.Place(BarShot(nullptr, 420, true), QStringLiteral("plain drop-down and submenu"));
    sheet.Place(BarShot(nullptr, 200, false), QStringLiteral("plain narrow"));
}
