// A small skin model built in code for the menu picture tests: a popup
// window picture with a dark border around the items area, and an atlas
// holding flat menu-item states, a separator and a header picture, so every
// part of a drawn menu shows in a colour of its own.
#pragma once

#include "skin/model/SkinData.h"

#include <QImage>

#include <memory>

namespace menutest {

inline const QRgb kFrame = qRgb(10, 20, 30), kItems = qRgb(230, 232, 250), kNormal = qRgb(250, 250, 244),
                  kHot = qRgb(200, 210, 255), kLine = qRgb(90, 100, 110), kHeader = qRgb(60, 120, 60),
                  kCheck = qRgb(200, 30, 30), kKey = qRgb(255, 0, 255), kMarker = qRgb(0, 0, 128),
                  kMarkerActive = qRgb(200, 0, 0);
inline const TColor kText = RGB(0, 0, 0), kHotText = RGB(0, 0, 160), kDisabledText = RGB(128, 128, 128);

inline void Fill(QImage& img, TRect r, QRgb c) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) img.setPixel(x, y, c);
}

// Items 20 high (text 4..36 of 40), separators 6 high with a line at row 3,
// the frame 30 x 30 with a 3-pixel border.
struct TMenuSkin {
    std::unique_ptr<TqvSkinData> Model = std::make_unique<TqvSkinData>();
    TqvDataSkinMenuItem* MI = nullptr;
    TqvDataSkinLabelControl* Header = nullptr;

    explicit TMenuSkin(bool withMask = false) {
        TqvSkinData& sd = *Model;
        QImage frame(30, 30, QImage::Format_RGB32);
        frame.fill(kFrame);
        Fill(frame, Rect(3, 3, 27, 27), kItems);
        QImage atlas(64, 80, QImage::Format_RGB32);
        atlas.fill(kKey);
        Fill(atlas, Rect(0, 0, 40, 20), kNormal);
        Fill(atlas, Rect(0, 20, 40, 40), kHot);
        Fill(atlas, Rect(0, 40, 40, 46), kNormal);
        Fill(atlas, Rect(0, 43, 40, 44), kLine);
        Fill(atlas, Rect(0, 46, 40, 60), kHeader);
        // A check image: a 4 x 4 block on the key colour (bottom-left pixel).
        Fill(atlas, Rect(44, 2, 48, 6), kCheck);
        sd.FActivePictures = {frame, atlas};
        sd.FActivePicturesNames = {QStringLiteral("popup.bmp"), QStringLiteral("atlas.bmp")};
        if (withMask) {
            QImage mask(30, 30, QImage::Format_RGB32);
            mask.fill(qRgb(0, 0, 0));
            mask.setPixel(0, 0, qRgb(255, 255, 255));
            sd.FActivePictures.push_back(mask);
            sd.FActivePicturesNames << QStringLiteral("mask.bmp");
            sd.PopupWindow.MaskPictureIndex = 2;
        }

        TqvDataSkinPopupWindow& pw = sd.PopupWindow;
        pw.WindowPictureIndex = 0;
        pw.LTPoint = Point(4, 4);
        pw.RTPoint = Point(26, 4);
        pw.LBPoint = Point(4, 26);
        pw.RBPoint = Point(26, 26);
        pw.ItemsRect = Rect(3, 3, 27, 27);
        pw.TopStretch = pw.LeftStretch = pw.RightStretch = pw.BottomStretch = pw.StretchEffect = true;
        pw.ScrollMarkerColor = RGB(0, 0, 128);
        pw.ScrollMarkerActiveColor = RGB(200, 0, 0);

        auto mi = std::make_unique<TqvDataSkinMenuItem>(QStringLiteral("menuitem"));
        mi->ActivePictureIndex = 1;
        mi->SkinRect = Rect(0, 0, 40, 20);
        mi->ActiveSkinRect = Rect(0, 20, 40, 40);
        mi->DividerRect = Rect(0, 40, 40, 46);
        mi->ItemLO = mi->ItemRO = 2;
        mi->DividerLO = mi->DividerRO = 2;
        mi->TextRct = Rect(4, 0, 36, 20);
        mi->FontColor = kText;
        mi->ActiveFontColor = kHotText;
        mi->UnEnabledFontColor = kDisabledText;
        MI = mi.get();
        sd.ObjectList.push_back(std::move(mi));

        auto h = std::make_unique<TqvDataSkinLabelControl>(QStringLiteral("menuheader"));
        h->PictureIndex = 1;
        h->SkinRect = Rect(0, 46, 40, 60);
        h->LTPoint = Point(2, 0);
        h->RTPoint = Point(38, 0);
        h->ClRect = Rect(2, 0, 38, 14);
        h->FontColor = RGB(255, 255, 255);
        Header = h.get();
        sd.CtrlList.push_back(std::move(h));
        sd.Empty = false;
    }
};

}  // namespace menutest
