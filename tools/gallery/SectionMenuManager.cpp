// Menus opened through a real form's menu manager: a popup menu with its
// submenu open, a level scrolled to its end by the keyboard, and a maximized
// form's system menu, each drawn with the form under it, in the sheet's skin
// and in the plain look.
#include "tools/gallery/GallerySheet.h"
#include "tools/gallery/GalleryHost.h"

#include "skin/forms/Velmora.h"
#include "skin/forms/menu/SkinMenu.h"

#include <QPainter>

#include <memory>

namespace {

void FillMenu(TMenu& menu) {
    TMenuItem* root = menu.Items();
    constexpr int ctrl = int(Qt::ControlModifier);
    gallery::AddMenuItem(root, QStringLiteral("&Add files..."), ctrl | Qt::Key_O);
    gallery::AddMenuItem(root, QStringLiteral("-Output-"))->SetEnabled(false);
    gallery::AddSampleChoices(root);
    gallery::AddMenuItem(root, QStringLiteral("-"));
    TMenuItem* sub = gallery::AddMenuItem(root, QStringLiteral("&Recent files"));
    gallery::AddMenuItem(sub, QStringLiteral("&1 clip.avi"));
    gallery::AddMenuItem(sub, QStringLiteral("&2 song.mp3"));
    gallery::AddMenuItem(sub, QStringLiteral("-"));
    gallery::AddMenuItem(sub, QStringLiteral("&Clear list"));
    gallery::AddMenuItem(root, QStringLiteral("&Remove"), Qt::Key_Delete);
}

struct TMenuForm {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    TqvVelmora* Comp;
    TMenuForm(TqvSkinData* model, int w, int h) {
        Form->SetCaption(QStringLiteral("Menus"));
        Form->SetBounds(20, 20, w, h);
        Comp = new TqvVelmora(Form.get());
        // A small screen, so a maximized form stays small on the sheet.
        Comp->SetScreenAreasForTests(QRect(0, 0, 440, 330), QRect(0, 0, 440, 330), QRect(0, 0, 440, 330));
        Comp->SetSkinData(model);
        Form->Show();
    }
    // The form and every open level where they lie on the screen.
    QImage Shot() const {
        QRect area = Form->geometry();
        std::vector<TqvSkinPopupWindow*> levels;
        for (int i = 0; i < Comp->SkinMenu()->LevelCount(); ++i) {
            levels.push_back(Comp->SkinMenu()->Level(i));
            area |= levels.back()->geometry();
        }
        QImage out(area.size() + QSize(1, 1), QImage::Format_RGB32);
        out.fill(0xFFFAFAFA);
        QPainter p(&out);
        const QPoint o = area.topLeft();
        p.drawImage(Form->pos() - o, Comp->BuildFrameImage(true));
        p.drawPixmap(Form->pos() - o + Form->Client()->geometry().topLeft(), Form->Client()->grab());
        for (TqvSkinPopupWindow* l : levels) p.drawPixmap(l->pos() - o, l->grab());
        return out;
    }
};

QImage PopupWithSubmenu(TqvSkinData* model) {
    TMenuForm f(model, 300, 260);
    auto* menu = new TqvSkinPopupMenu(f.Form.get());
    FillMenu(*menu);
    menu->Popup(f.Form->x() + 30, f.Form->y() + 40);
    TqvSkinPopupWindow* level = f.Comp->SkinMenu()->LastLevel();
    if (!level) return {};
    // Down to the submenu item, then open it as Right does.
    for (int i = 0; i < 4; ++i) level->PopupKeyDown(Qt::Key_Down);
    level->PopupKeyDown(Qt::Key_Right);
    return f.Shot();
}

QImage ScrolledToTheEnd(TqvSkinData* model) {
    TMenuForm f(model, 220, 200);
    f.Comp->SkinMenu()->SetMaxMenuItemsInWindow(5);
    auto* menu = new TqvSkinPopupMenu(f.Form.get());
    for (int i = 1; i <= 12; ++i) gallery::AddMenuItem(menu->Items(), QStringLiteral("Profile %1").arg(i));
    menu->Popup(f.Form->x() + 30, f.Form->y() + 40);
    // Up from the first item wraps to the last and scrolls it into view.
    if (TqvSkinPopupWindow* level = f.Comp->SkinMenu()->LastLevel()) level->PopupKeyDown(Qt::Key_Up);
    return f.Shot();
}

QImage MaximizedSystemMenu(TqvSkinData* model) {
    TMenuForm f(model, 300, 200);
    f.Comp->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
    f.Comp->SetWindowState(wsMaximized);
    f.Comp->PopupSystemMenuAt(f.Form->pos() + QPoint(60, 12));
    return f.Shot();
}

}  // namespace

void DrawMenuManagerSection(TGallerySheet& sheet) {
    auto* sd = const_cast<TqvSkinData*>(&sheet.Skin());
    for (TqvSkinData* model : {sd, static_cast<TqvSkinData*>(nullptr)}) {
        const QString look = model ? QStringLiteral("") : QStringLiteral("plain ");
        sheet.Place(PopupWithSubmenu(model), look + QStringLiteral("popup menu and submenu"));
        sheet.Place(ScrolledToTheEnd(model), look + QStringLiteral("scrolled to the end"));
        sheet.Place(MaximizedSystemMenu(model), look + QStringLiteral("maximized form's system menu"));
        sheet.NewRow();
    }
}
