// The images menu's grid picture: the popup frame, header rows, the hot and
// the chosen cell, images and button captions.
#include "skin/forms/menu/ImagesMenu.h"

#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/PopupLevelLayout.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

namespace {

const QImage* SkinPicture(const TqvSkinData* sd, int index) {
    if (!sd || index < 0 || index >= int(sd->FActivePictures.size())) return nullptr;
    const QImage& img = sd->FActivePictures[std::size_t(index)];
    return img.isNull() ? nullptr : &img;
}

template <class T> const T* Control(const TqvSkinData* sd, std::initializer_list<const char*> names) {
    if (!sd || sd->Empty) return nullptr;
    for (const char* n : names) {
        const int i = sd->GetControlIndex(QLatin1String(n));
        if (i >= 0)
            if (auto* r = dynamic_cast<const T*>(sd->CtrlList[std::size_t(i)].get())) return r;
    }
    return nullptr;
}

const TqvDataSkinMenuItem* MenuItemObject(const TqvSkinData* sd) {
    if (!sd || sd->Empty) return nullptr;
    for (const char* n : {"menuitem", "MENUITEM"}) {
        const int i = sd->GetIndex(QLatin1String(n));
        if (i >= 0) return dynamic_cast<const TqvDataSkinMenuItem*>(sd->ObjectList[std::size_t(i)].get());
    }
    return nullptr;
}

TqvLevelFrame GridFrame(const TqvSkinData* sd, bool skinSupport) {
    TqvLevelFrame f;
    const QImage* wp = skinSupport ? SkinPicture(sd, sd->PopupWindow.WindowPictureIndex) : nullptr;
    if (!wp) return f;
    f.Skinned = true;
    f.PW = sd->PopupWindow;
    f.PictureSize = TSize{wp->width(), wp->height()};
    return f;
}

}  // namespace

QRegion TqvSkinImagesMenu::GridRegion(TSize Size) const {
    const TqvSkinData* sd = FSkinData.data();
    const TqvLevelFrame f = GridFrame(sd, SkinSupport());
    const QImage* mask = f.Skinned ? SkinPicture(sd, f.PW.MaskPictureIndex) : nullptr;
    QRegion rgn;
    if (!mask) return rgn;
    const TqvLevelPoints p = MenuLevelPoints(f, Size.cx, Size.cy);
    if (!CreateSkinRegion(rgn, f.PW.LTPoint, f.PW.RTPoint, f.PW.LBPoint, f.PW.RBPoint, f.PW.ItemsRect, p.LT, p.RT,
                          p.LB, p.RB, p.ItemsRect, *mask, Size.cx, Size.cy))
        return {};
    return rgn;
}

QImage TqvSkinImagesMenu::GridPicture(TSize Size, int Hot, bool ItemDown) const {
    const TqvSkinData* sd = FSkinData.data();
    const int W = std::max(Size.cx, 1), H = std::max(Size.cy, 1);
    const int S = FShowSelectedItem ? FItemIndex : -1;
    const TqvLevelFrame frame = GridFrame(sd, SkinSupport());

    QImage B;
    if (frame.Skinned) {
        const TqvLevelPoints p = MenuLevelPoints(frame, W, H);
        const TqvDataSkinPopupWindow& pw = frame.PW;
        const QImage& wp = *SkinPicture(sd, pw.WindowPictureIndex);
        ComposeSkinImageEx(pw.LTPoint, pw.RTPoint, pw.LBPoint, pw.RBPoint, pw.ItemsRect, p.LT, p.RT, p.LB, p.RB,
                           p.ItemsRect, B, wp, Rect(0, 0, wp.width(), wp.height()), W, H, true, pw.LeftStretch,
                           pw.TopStretch, pw.RightStretch, pw.BottomStretch, pw.StretchEffect, pw.StretchType);
    } else {
        B = QImage(W, H, QImage::Format_RGB32);
        TCanvas c(&B);
        c.Pen().SetColor(clBtnShadow);
        c.Brush().SetColor(clWindow);
        c.Rectangle(0, 0, W, H);
    }
    TCanvas C(&B);

    const auto* button = Control<TqvDataSkinButtonControl>(sd, {"menuitembutton", "resizebutton"});
    const QImage* buttonPic = button ? SkinPicture(sd, button->PictureIndex) : nullptr;
    const auto* label = Control<TqvDataSkinLabelControl>(sd, {"label"});
    const TqvDataSkinMenuItem* menuItem = MenuItemObject(sd);

    auto cellFrame = [&](const TRect& R, bool down) {
        if (button && buttonPic && !IsNullRect(button->SkinRect)) {
            TRect src = button->SkinRect;
            if (down && !IsNullRect(button->DownSkinRect)) src = button->DownSkinRect;
            else if (!IsNullRect(button->ActiveSkinRect)) src = button->ActiveSkinRect;
            const int dw = R.Width() - button->SkinRect.Width(), dh = R.Height() - button->SkinRect.Height();
            const TRect cl = button->ClRect;
            QImage img;
            ComposeSkinImage(button->LTPoint, button->RTPoint, button->LBPoint, button->RBPoint, cl, button->LTPoint,
                             Point(button->RTPoint.X + dw, button->RTPoint.Y),
                             Point(button->LBPoint.X, button->LBPoint.Y + dh),
                             Point(button->RBPoint.X + dw, button->RBPoint.Y + dh),
                             Rect(cl.Left, cl.Top, cl.Right + dw, cl.Bottom + dh), img, *buttonPic, src, R.Width(),
                             R.Height(), true, button->LeftStretch, button->TopStretch, button->RightStretch,
                             button->BottomStretch, button->StretchEffect, button->StretchType);
            C.Draw(R.Left, R.Top, img);
            return;
        }
        C.Brush().SetColor(clNavy);
        C.FillRect(R);
        C.Brush().SetColor(down ? RGB(133, 147, 181) : RGB(182, 189, 210));
        C.FillRect(Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
    };

    auto buttonCaption = [&](const QString& caption, TRect R, bool down, bool active) {
        if (SkinSupport() && menuItem && button) {
            TFont f = FDefaultFont;
            if (FUseSkinFont) {
                f = TFont(button->FontName, button->FontHeight);
                f.SetStyle(button->FontStyle);
            }
            f.SetColor(down ? button->DownFontColor : active ? button->ActiveFontColor : menuItem->FontColor);
            C.SetFont(f);
        } else {
            C.SetFont(FDefaultFont);
            C.Font().SetColor(clWindowText);
        }
        C.Brush().SetStyle(bsClear);
        unsigned flags = DT_SINGLELINE | DT_VCENTER;
        if (C.TextWidth(StripHotkey(caption)) <= R.Width()) flags |= DT_CENTER;
        DrawWideText(C, caption, R, flags);
    };

    auto header = [&](const QString& caption, TRect R) {
        const QImage* pic = label ? SkinPicture(sd, label->PictureIndex) : nullptr;
        if (label && pic && !IsNullRect(label->SkinRect)) {
            QImage hp;
            MakeHorzSkinImage(label->LTPoint.X, label->SkinRect.Width() - label->RTPoint.X, hp, *pic,
                              label->SkinRect, R.Width(), 0, label->StretchEffect);
            TCanvas hc(&hp);
            TFont f(label->FontName, label->FontHeight);
            f.SetStyle(label->FontStyle);
            f.SetColor(label->FontColor);
            hc.SetFont(f);
            hc.Brush().SetStyle(bsClear);
            TRect t = Rect(label->ClRect.Left, label->ClRect.Top,
                           hp.width() - (label->SkinRect.Width() - label->ClRect.Right), hp.height());
            DrawWideText(hc, caption, t, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            C.Draw(R.Left, R.Top, hp);
            return;
        }
        C.SetFont(FDefaultFont);
        C.Font().SetColor(clWindowText);
        C.Brush().SetStyle(bsClear);
        DrawWideText(C, caption, R, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    };

    for (int i = 0; i < int(FItems.size()); ++i) {
        const TqvImagesMenuItem& item = FItems[std::size_t(i)];
        if (item.Header) {
            header(item.Caption, item.ItemRect);
            continue;
        }
        if (i == S && !ItemDown) cellFrame(item.ItemRect, true);
        else if (i == Hot) cellFrame(item.ItemRect, ItemDown);
        int offset = 0;
        if (FImages && item.ImageIndex >= 0 && item.ImageIndex < FImages->Count()) {
            FImages->Draw(C, item.ItemRect.Left + 5, item.ItemRect.Top + 5, item.ImageIndex, true);
            offset = FImages->Width() + 5;
        }
        if (item.Button && !item.Caption.isEmpty()) {
            TRect r = item.ItemRect;
            r.Left += offset;
            buttonCaption(item.Caption, r, (i == S && !ItemDown) || (i == Hot && ItemDown), i == Hot && !ItemDown);
        }
    }
    return B;
}
