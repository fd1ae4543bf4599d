// Skinned menus: a level with every kind of item and its open submenu, a
// level scrolled between its markers, and an images grid, in the sheet's
// skin and in the plain look.
#include "tools/gallery/GallerySheet.h"
#include "tools/gallery/GalleryHost.h"

#include "platform/Graphics.h"
#include "skin/forms/menu/ImagesMenu.h"
#include "skin/forms/menu/PopupLevel.h"

#include <QPainter>

namespace {

const TRect kWA = Rect(0, 0, 4000, 4000);

void FillMenu(TMenu& menu) {
    TMenuItem* root = menu.Items();
    constexpr int ctrl = int(Qt::ControlModifier), shift = int(Qt::ShiftModifier);
    gallery::AddMenuItem(root, QStringLiteral("&Open..."), ctrl | Qt::Key_O);
    gallery::AddMenuItem(root, QStringLiteral("Save &as..."), shift | ctrl | Qt::Key_S);
    gallery::AddMenuItem(root, QStringLiteral("-"));
    gallery::AddMenuItem(root, QStringLiteral("-Options-"))->SetEnabled(false);
    gallery::AddSampleChoices(root);
    gallery::AddMenuItem(root, QStringLiteral("-"));
    TMenuItem* sub = gallery::AddMenuItem(root, QStringLiteral("&Recent files"));
    gallery::AddMenuItem(sub, QStringLiteral("&1 clip.avi"));
    gallery::AddMenuItem(sub, QStringLiteral("&2 打开文件.mp4"));
    gallery::AddMenuItem(sub, QStringLiteral("-"));
    gallery::AddMenuItem(sub, QStringLiteral("&Clear list"));
    TMenuItem* close = gallery::AddMenuItem(root, QStringLiteral("E&xit"), int(Qt::AltModifier) | Qt::Key_F4);
    close->SetName(QStringLiteral("QVF_CLOSE"));
}

// The level with its submenu open beside it, on a white ground.
QImage LevelWithSubmenu(TqvSkinData* sd) {
    TPopupMenu menu;
    FillMenu(menu);
    TqvPopupLevel first(sd, {});
    first.Build(menu.Items(), 0, nullptr, kWA);
    first.Item(1)->Active = true;
    TqvSkinMenuItem* parent = first.Item(first.ItemCount() - 2);
    parent->Down = true;
    TqvPopupLevel second(sd, {});
    second.Build(parent->MenuItem, 0, nullptr, kWA);
    second.Item(0)->Active = true;
    const TPoint at = second.Position(parent->ObjectRect, true, false, kWA);
    QImage out(at.X + second.Width() + 1, std::max(first.Height(), at.Y + second.Height()) + 1, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, first.Picture());
    p.drawImage(at.X, at.Y, second.Picture());
    return out;
}

QImage ScrolledLevel(TqvSkinData* sd) {
    TPopupMenu menu;
    for (int i = 1; i <= 12; ++i) gallery::AddMenuItem(menu.Items(), QStringLiteral("Profile %1").arg(i));
    TqvMenuSettings s;
    s.MaxMenuItemsInWindow = 5;
    TqvPopupLevel level(sd, s);
    level.Build(menu.Items(), 0, nullptr, kWA);
    for (int i = 0; i < 3; ++i) level.ScrollDown(false);
    level.ScrollCode = 2;
    level.Item(5)->Active = true;
    return level.Picture();
}

QImage ImagesGrid(TqvSkinData* sd) {
    TImageList images;
    images.SetSize(16, 16);
    const QColor colours[] = {QColor(220, 40, 40), QColor(240, 150, 30), QColor(230, 210, 40), QColor(60, 170, 60),
                              QColor(40, 160, 200), QColor(50, 80, 200), QColor(140, 60, 190), QColor(90, 90, 90)};
    for (const QColor& c : colours) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(c);
        p.setPen(c.darker(140));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.end();
        images.Add(img);
    }
    TqvSkinImagesMenu menu;
    menu.SetImages(&images);
    menu.SetSkinData(sd);
    menu.SetColumnsCount(3);
    TqvImagesMenuItem header;
    header.Header = true;
    header.Caption = QStringLiteral("Colours");
    menu.ImagesItems().push_back(header);
    for (int i = 0; i < 8; ++i) {
        TqvImagesMenuItem cell;
        cell.ImageIndex = i;
        menu.ImagesItems().push_back(cell);
    }
    TqvImagesMenuItem button;
    button.Button = true;
    button.ImageIndex = 7;
    button.Caption = QStringLiteral("More...");
    menu.ImagesItems().push_back(button);
    menu.SetItemIndex(2);
    const TSize size = menu.CalcSize();
    return menu.GridPicture(size, 6, false);
}

}  // namespace

void DrawMenusSection(TGallerySheet& sheet) {
    auto* sd = const_cast<TqvSkinData*>(&sheet.Skin());
    sheet.Place(LevelWithSubmenu(sd), QStringLiteral("level and submenu"));
    sheet.Place(ScrolledLevel(sd), QStringLiteral("scrolled (5 of 12)"));
    sheet.Place(ImagesGrid(sd), QStringLiteral("images grid"));
    sheet.NewRow();
    sheet.Place(LevelWithSubmenu(nullptr), QStringLiteral("plain level and submenu"));
    sheet.Place(ScrolledLevel(nullptr), QStringLiteral("plain scrolled"));
    sheet.Place(ImagesGrid(nullptr), QStringLiteral("plain images grid"));
}
