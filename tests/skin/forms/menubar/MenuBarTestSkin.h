// A menu-bar skin built in code: the bar picture and the three item states
// in flat colours of their own, so a drawn bar shows which part is where.
#pragma once

#include "skin/model/SkinData.h"
#include "skin/model/SkinRecords.h"

#include <QImage>

#include <memory>

namespace menubartest {

inline const QRgb kBar = qRgb(40, 60, 80), kItem = qRgb(220, 220, 200), kItemHot = qRgb(180, 200, 250),
                  kItemDown = qRgb(90, 110, 200), kMark = qRgb(250, 0, 0), kMarkHot = qRgb(0, 200, 0);

inline void Fill(QImage& img, TRect r, QRgb c) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) img.setPixel(x, y, c);
}

// Bar 40 x 24 with its items area (4, 2, 36, 22); items 60 x 20 with the
// text in (20, 0, 40, 20) and 2-pixel fixed ends.
struct TBarSkin {
    std::unique_ptr<TqvSkinData> Model = std::make_unique<TqvSkinData>();
    TqvDataSkinMainMenuBar* Bar = nullptr;
    TqvDataSkinMainMenuBarItem* Item = nullptr;

    TBarSkin() {
        QImage atlas(64, 96, QImage::Format_RGB32);
        atlas.fill(qRgb(255, 0, 255));
        Fill(atlas, Rect(0, 0, 40, 24), kBar);
        Fill(atlas, Rect(0, 30, 60, 50), kItem);
        Fill(atlas, Rect(0, 50, 60, 70), kItemHot);
        Fill(atlas, Rect(0, 70, 60, 90), kItemDown);
        Model->FActivePictures = {atlas};
        Model->FActivePicturesNames = {QStringLiteral("bar.bmp")};

        auto bar = std::make_unique<TqvDataSkinMainMenuBar>(QStringLiteral("mainmenubar"));
        bar->PictureIndex = 0;
        bar->SkinRect = Rect(0, 0, 40, 24);
        bar->ItemsRect = Rect(4, 2, 36, 22);
        bar->MenuBarItem = QStringLiteral("mainmenubaritem");
        bar->TrackMarkColor = RGB(250, 0, 0);
        bar->TrackMarkActiveColor = RGB(0, 200, 0);
        Bar = bar.get();
        Model->CtrlList.push_back(std::move(bar));

        auto item = std::make_unique<TqvDataSkinMainMenuBarItem>(QStringLiteral("mainmenubaritem"));
        item->ActivePictureIndex = 0;
        item->SkinRect = Rect(0, 30, 60, 50);
        item->ActiveSkinRect = Rect(0, 50, 60, 70);
        item->DownRect = Rect(0, 70, 60, 90);
        item->TextRct = Rect(20, 0, 40, 20);
        item->ItemLO = item->ItemRO = 2;
        item->FontColor = RGB(0, 0, 0);
        item->ActiveFontColor = RGB(0, 0, 160);
        item->DownFontColor = RGB(255, 255, 255);
        item->UnEnabledFontColor = RGB(128, 128, 128);
        Item = item.get();
        Model->ObjectList.push_back(std::move(item));
        Model->Empty = false;
    }
};

}  // namespace menubartest
