// Popup menus and hints: their frames composed around real rows.
#include "tools/gallery/GallerySheet.h"
#include "tools/skingen/SkinSlices.h"

#include "skin/model/draw/SkinCompose.h"

namespace {

template <class R>
TqvSliceGeometry WindowGeometry(const R& r)
{
    TqvSliceGeometry g;
    g.LT = r.LTPoint;
    g.RT = r.RTPoint;
    g.LB = r.LBPoint;
    g.RB = r.RBPoint;
    g.LeftStretch = r.LeftStretch;
    g.TopStretch = r.TopStretch;
    g.RightStretch = r.RightStretch;
    g.BottomStretch = r.BottomStretch;
    g.StretchEffect = r.StretchEffect;
    g.StretchType = r.StretchType;
    return g;
}

const TqvDataSkinMenuItem* MenuItem(const TqvSkinData& s)
{
    const int i = s.GetIndex(QStringLiteral("menuitem"));
    return i < 0 ? nullptr : dynamic_cast<const TqvDataSkinMenuItem*>(s.ObjectList[std::size_t(i)].get());
}

QImage Popup(const TqvSkinData& s)
{
    const TqvDataSkinPopupWindow& pw = s.PopupWindow;
    const TqvDataSkinMenuItem* mi = MenuItem(s);
    if (pw.WindowPictureIndex < 0 || !mi)
        return {};
    const QImage& wp = s.FActivePictures.at(std::size_t(pw.WindowPictureIndex));
    const QImage& atlas = s.FActivePictures.at(std::size_t(mi->ActivePictureIndex));
    const int itemW = 200, itemH = mi->SkinRect.Height();
    struct TRow { QString text; int kind; };  // 0 normal, 1 hot, 2 divider, 3 disabled, 4 checked, 5 radio, 6 submenu
    const TRow rows[] = {{QStringLiteral("打开文件 Open"), 0}, {QStringLiteral("转换设置 Options"), 1},
                         {QString(), 2}, {QStringLiteral("停止 Stop"), 3}, {QStringLiteral("显示预览 Preview"), 4},
                         {QStringLiteral("高质量 High"), 5}, {QStringLiteral("皮肤 Skins"), 6}};
    int itemsH = 0;
    for (const TRow& r : rows)
        itemsH += r.kind == 2 ? mi->DividerRect.Height() : itemH;
    const int W = wp.width() - pw.ItemsRect.Width() + itemW, H = wp.height() - pw.ItemsRect.Height() + itemsH;
    TqvSliceGeometry g = WindowGeometry(pw);
    g.ClRect = pw.ItemsRect;
    QImage img = ComposeSlices(g, 1, wp, Rect(0, 0, wp.width(), wp.height()), W, H);
    const QFont font = TGallerySheet::SkinFont(mi->FontName, mi->FontHeight, mi->FontStyle);
    int y = pw.ItemsRect.Top;
    for (const TRow& r : rows) {
        QImage row;
        TqvSliceGeometry ig;
        if (r.kind == 2) {
            ig.LT = Point(mi->DividerLO, 0);
            ig.RT = Point(mi->DividerRect.Width() - mi->DividerRO, 0);
            ig.StretchEffect = mi->DividerStretchEffect;
            row = ComposeSlices(ig, 2, atlas, mi->DividerRect, itemW, mi->DividerRect.Height());
        } else {
            ig.LT = Point(mi->ItemLO, 0);
            ig.RT = Point(mi->SkinRect.Width() - mi->ItemRO, 0);
            ig.StretchEffect = mi->StretchEffect;
            const TRect src = r.kind == 1 ? mi->ActiveSkinRect : mi->SkinRect;
            row = ComposeSlices(ig, 2, atlas, src, itemW, itemH);
            TRect t = mi->TextRct;
            t.Right = itemW - (mi->SkinRect.Width() - mi->TextRct.Right);
            t.Left += 20;
            TGallerySheet::Text(row, t, r.text, font,
                                r.kind == 3 ? mi->UnEnabledFontColor : r.kind == 1 ? mi->ActiveFontColor : mi->FontColor,
                                false);
            TRect mark;
            if (r.kind == 4)
                mark = mi->CheckImageRect;
            else if (r.kind == 5)
                mark = mi->RadioImageRect;
            else if (r.kind == 6)
                mark = mi->ArrowImageRect;
            if (mark.Width() > 0) {
                const int mx = r.kind == 6 ? t.Right - mark.Width() - 5 : mi->TextRct.Left + 2;
                QPainter(&row).drawImage(mx, (itemH - mark.Height()) / 2, atlas, mark.Left, mark.Top, mark.Width(),
                                         mark.Height());
            }
        }
        QPainter(&img).drawImage(pw.ItemsRect.Left, y, row);
        y += row.height();
    }
    return img;
}

QImage Hint(const TqvSkinData& s)
{
    const TqvDataSkinHintWindow& hw = s.HintWindow;
    if (hw.WindowPictureIndex < 0)
        return {};
    const QImage& wp = s.FActivePictures.at(std::size_t(hw.WindowPictureIndex));
    TqvSliceGeometry g = WindowGeometry(hw);
    g.ClRect = hw.ClRect;
    const int W = 230, H = wp.height();
    QImage img = ComposeSlices(g, 1, wp, Rect(0, 0, wp.width(), wp.height()), W, H);
    TGallerySheet::Text(img, Rect(hw.ClRect.Left + 2, hw.ClRect.Top, W - (wp.width() - hw.ClRect.Right), H - (wp.height() - hw.ClRect.Bottom)),
                        QStringLiteral("添加视频文件 Add files"),
                        TGallerySheet::SkinFont(hw.FontName, hw.FontHeight, hw.FontStyle), hw.FontColor, false);
    return img;
}

QImage MenuBar(const TqvSkinData& s)
{
    const int bi = s.GetControlIndex(QStringLiteral("mainmenubar"));
    auto* bar = bi < 0 ? nullptr : dynamic_cast<const TqvDataSkinMainMenuBar*>(s.CtrlList[std::size_t(bi)].get());
    const int ii = bar ? s.GetIndex(bar->MenuBarItem) : -1;
    auto* item = ii < 0 ? nullptr : dynamic_cast<const TqvDataSkinMainMenuBarItem*>(s.ObjectList[std::size_t(ii)].get());
    if (!bar || !item)
        return {};
    const QImage& pic = s.FActivePictures.at(std::size_t(bar->PictureIndex));
    const QImage& atlas = s.FActivePictures.at(std::size_t(item->ActivePictureIndex));
    TqvSliceGeometry g;
    g.LT = Point(bar->ItemsRect.Left, 0);
    g.RT = Point(bar->ItemsRect.Right, 0);
    g.StretchEffect = bar->StretchEffect;
    QImage img = ComposeSlices(g, 2, pic, bar->SkinRect, 360, bar->SkinRect.Height());
    const QFont font = TGallerySheet::SkinFont(item->FontName, item->FontHeight, item->FontStyle);
    const QString names[] = {QStringLiteral("文件"), QStringLiteral("动作"), QStringLiteral("功能 Tools"), QStringLiteral("帮助")};
    int x = bar->ItemsRect.Left;
    for (int i = 0; i < 4; ++i) {
        const int w = QFontMetrics(font).horizontalAdvance(names[i]) + item->TextRct.Left + (item->SkinRect.Width() - item->TextRct.Right) + 8;
        const TRect src = i == 1 ? item->ActiveSkinRect : i == 2 ? item->DownRect : item->SkinRect;
        TqvSliceGeometry ig;
        ig.LT = Point(item->ItemLO, 0);
        ig.RT = Point(src.Width() - item->ItemRO, 0);
        ig.StretchEffect = item->StretchEffect;
        QImage cell = ComposeSlices(ig, 2, atlas, src, w, src.Height());
        TGallerySheet::Text(cell, Rect(item->TextRct.Left, item->TextRct.Top, w - (item->SkinRect.Width() - item->TextRct.Right), item->TextRct.Bottom),
                            names[i], font, i == 1 ? item->ActiveFontColor : i == 2 ? item->DownFontColor : i == 3 ? item->UnEnabledFontColor : item->FontColor, true);
        QPainter(&img).drawImage(x, bar->ItemsRect.Top, cell);
        x += w;
    }
    return img;
}

}  // namespace

void DrawWindowsSection(TGallerySheet& sheet)
{
    const TqvSkinData& s = sheet.Skin();
    sheet.Place(MenuBar(s), QStringLiteral("main menu: normal, hot, pressed, disabled"));
    sheet.NewRow();
    sheet.Place(Popup(s), QStringLiteral("popup: normal, hot, divider, disabled, check, radio, submenu"));
    sheet.Place(Hint(s), QStringLiteral("hint"));
}
