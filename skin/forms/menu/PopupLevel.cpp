#include "skin/forms/menu/PopupLevel.h"

#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <algorithm>

namespace {

const QImage* SkinPicture(const TqvSkinData* sd, int index) {
    if (!sd || index < 0 || index >= int(sd->FActivePictures.size())) return nullptr;
    const QImage& img = sd->FActivePictures[std::size_t(index)];
    return img.isNull() ? nullptr : &img;
}

const TqvDataSkinMenuItem* FindMenuItemData(const TqvSkinData* sd) {
    if (!sd || sd->Empty) return nullptr;
    for (const auto& o : sd->ObjectList)
        if (auto* mi = dynamic_cast<const TqvDataSkinMenuItem*>(o.get())) return mi;
    return nullptr;
}

// The "menuitem" object (else "MENUITEM") the marker strips are cut from.
const TqvDataSkinMenuItem* MarkerItemData(const TqvSkinData* sd) {
    if (!sd) return nullptr;
    for (const char* name : {"menuitem", "MENUITEM"}) {
        const int i = sd->GetIndex(QLatin1String(name));
        if (i >= 0) return dynamic_cast<const TqvDataSkinMenuItem*>(sd->ObjectList[std::size_t(i)].get());
    }
    return nullptr;
}

QString MeasuredText(const TMenuItem& item) {
    const QString sc = ShortCutToText(item.ShortCut());
    return sc.isEmpty() ? item.Caption() : item.Caption() + QLatin1String("  ") + sc;
}

}  // namespace

TqvPopupLevel::TqvPopupLevel(TqvSkinData* SkinData, const TqvMenuSettings& Settings) : FSettings(Settings) {
    if (SkinData && !SkinData->Empty) {
        if (const QImage* wp = SkinPicture(SkinData, SkinData->PopupWindow.WindowPictureIndex)) {
            FFrame.Skinned = true;
            FFrame.PW = SkinData->PopupWindow;
            FFrame.PictureSize = TSize{wp->width(), wp->height()};
            FWindowPicture = *wp;
            if (const QImage* mp = SkinPicture(SkinData, SkinData->PopupWindow.MaskPictureIndex)) FMaskPicture = *mp;
            FSD = SkinData;
        }
    }
    FLook.SD = FSD;
    FLook.DSMI = FindMenuItemData(FSD);
    FLook.DefaultMenuItemFont = Settings.DefaultMenuItemFont;
    FLook.UseSkinFont = Settings.UseSkinFont;
    FFrame.MenuItem = FLook.DSMI;
    FFrame.DefaultMenuItemHeight = Settings.DefaultMenuItemHeight;
    FFrame.MaxMenuItemsInWindow = Settings.MaxMenuItemsInWindow;
}

std::vector<int> TqvPopupLevel::ItemHeights() const {
    std::vector<int> h;
    h.reserve(ItemList.size());
    for (const auto& i : ItemList) h.push_back(MenuItemHeight(FFrame, i->IsSeparator()));
    return h;
}

void TqvPopupLevel::Build(TMenuItem* AItem, int StartIndex, TMenuItem* AItem2, const TRect& WorkArea) {
    ItemList.clear();
    FFrame.TwoLists = AItem2 != nullptr;
    TMenu* menu = AItem ? AItem->GetParentMenu() : nullptr;
    if (menu && menu->AutoLineReduction() == maAutomatic) AItem->RethinkLines();
    FLook.ImgL = menu ? menu->Images() : nullptr;
    FLook.GlyphWidth = MenuGlyphWidth(FLook.ImgL ? FLook.ImgL->Width() : 0);
    FFrame.GlyphWidth = FLook.GlyphWidth;

    auto add = [this](TMenuItem* parent, int from) {
        if (!parent) return;
        for (int i = std::max(from, 0); i < parent->Count(); ++i)
            if (TMenuItem* c = parent->Items(i); c->Shown())
                ItemList.push_back(std::make_unique<TqvSkinMenuItem>(&FLook, c, FLook.DSMI));
    };
    add(AItem, StartIndex);
    if (AItem2) add(AItem2, StartIndex - (AItem ? AItem->Count() : 0));

    // Text widths on the level's font.
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas c(&scratch);
    if (FFrame.Skinned && FLook.DSMI && FLook.UseSkinFont) {
        TFont f(FLook.DSMI->FontName, FLook.DSMI->FontHeight);
        f.SetStyle(FLook.DSMI->FontStyle);
        c.SetFont(f);
    } else c.SetFont(FLook.DefaultMenuItemFont);
    std::vector<int> widths;
    for (const auto& i : ItemList) widths.push_back(WideTextWidth(c, MeasuredText(*i->MenuItem)));

    VisibleStartIndex = 0;
    ScrollCode = 0;
    ActiveItem = OldActiveItem = -1;
    FSize = MenuLevelSize(FFrame, widths, ItemHeights(), WorkArea);
    FPoints = MenuLevelPoints(FFrame, FSize.Width, FSize.Height);
    LayoutItems();
    RefreshBackground();
}

TPoint TqvPopupLevel::Position(const TRect& R, bool PopupByItem, bool PopupUp, const TRect& WorkArea) const {
    TqvLevelPlace p;
    p.From = R;
    p.Width = FSize.Width;
    p.Height = FSize.Height;
    p.Size = FSize;
    p.ItemsTop = FPoints.ItemsRect.Top;
    p.PopupByItem = PopupByItem;
    p.PopupUp = PopupUp;
    return MenuLevelPosition(p, WorkArea);
}

void TqvPopupLevel::LayoutItems() {
    const TqvLevelLayout l = LayoutMenuItems(ItemHeights(), FPoints.ItemsRect, FSize.Scroll, VisibleStartIndex);
    VisibleCount = l.VisibleCount;
    for (std::size_t i = 0; i < ItemList.size(); ++i) {
        ItemList[i]->ObjectRect = l.ItemRects[i];
        ItemList[i]->FVisible = l.Shown[i];
    }
}

void TqvPopupLevel::RefreshBackground() {
    FBackground = MenuImage(true);
    FLook.Background = &FBackground;
}

QImage TqvPopupLevel::MenuImage(bool DrawClient) const {
    const int W = std::max(FSize.Width, 1), H = std::max(FSize.Height, 1);
    QImage B;
    if (FFrame.Skinned) {
        const TqvDataSkinPopupWindow& pw = FFrame.PW;
        ComposeSkinImageEx(pw.LTPoint, pw.RTPoint, pw.LBPoint, pw.RBPoint, pw.ItemsRect, FPoints.LT, FPoints.RT,
                           FPoints.LB, FPoints.RB, FPoints.ItemsRect, B, FWindowPicture,
                           Rect(0, 0, FWindowPicture.width(), FWindowPicture.height()), W, H, DrawClient,
                           pw.LeftStretch, pw.TopStretch, pw.RightStretch, pw.BottomStretch, pw.StretchEffect,
                           pw.StretchType);
        return B;
    }
    B = QImage(W, H, QImage::Format_RGB32);
    TCanvas C(&B);
    const int c = FLook.ImgL ? FLook.GlyphWidth + 2 : 21;
    C.Brush().SetColor(clBtnFace);
    C.FillRect(Rect(0, 0, c, H));
    C.Brush().SetColor(clWindow);
    C.FillRect(Rect(c, 0, W, H));
    C.Brush().SetColor(clBtnShadow);
    C.FrameRect(Rect(0, 0, W, H));
    C.Brush().SetColor(clWindow);
    C.FrameRect(Rect(1, 1, W - 1, H - 1));
    return B;
}

QImage TqvPopupLevel::Picture() const {
    QImage B = FBackground.isNull() ? MenuImage(true) : FBackground.copy();
    const int end = std::min(VisibleStartIndex + VisibleCount, ItemCount());
    for (int i = std::max(VisibleStartIndex, 0); i < end; ++i) ItemList[std::size_t(i)]->Draw(B);
    if (FSize.Scroll) {
        DrawMarkers(B);
        const int lastBottom = VisibleCount > 0 ? ItemList[std::size_t(end - 1)]->ObjectRect.Bottom
                                                : FPoints.ItemsRect.Top + kMenuMarkerHeight;
        const int lower = FPoints.ItemsRect.Bottom - kMenuMarkerHeight;
        if (lastBottom < lower)
            DrawMarkerBackground(B, Rect(FPoints.ItemsRect.Left, lastBottom, FPoints.ItemsRect.Right, lower));
    }
    return B;
}

TRect TqvPopupLevel::UpMarkerRect() const {
    const TRect& r = FPoints.ItemsRect;
    return Rect(r.Left, r.Top, r.Right, r.Top + kMenuMarkerHeight);
}

TRect TqvPopupLevel::DownMarkerRect() const {
    const TRect& r = FPoints.ItemsRect;
    return Rect(r.Left, r.Bottom - kMenuMarkerHeight, r.Right, r.Bottom);
}

void TqvPopupLevel::DrawMarkerBackground(QImage& B, const TRect& R) const {
    if (IsNullRect(R)) return;
    const TqvDataSkinMenuItem* mi = MarkerItemData(FSD);
    if (!mi) return;
    if (FLook.DSMI && FLook.DSMI->InActiveTransparent && !FBackground.isNull()) {
        BitBlt(B, R.Left, R.Top, R.Width(), R.Height(), FBackground, R.Left, R.Top);
        return;
    }
    const QImage* pic = SkinPicture(FSD, mi->ActivePictureIndex);
    if (!pic || IsNullRect(mi->SkinRect)) return;
    QImage strip;
    MakeHorzSkinImage(mi->ItemLO, mi->ItemRO, strip, *pic, mi->SkinRect, R.Width(), 0, mi->InActiveStretchEffect);
    BitBlt(B, R.Left, R.Top, R.Width(), std::min(R.Height(), strip.height()), strip, 0, 0);
}

void TqvPopupLevel::DrawMarkers(QImage& B) const {
    TCanvas C(&B);
    if (FFrame.Skinned) {
        const TRect up = UpMarkerRect(), down = DownMarkerRect();
        DrawMarkerBackground(B, up);
        DrawArrowImage(C, up, ScrollCode == 1 ? FFrame.PW.ScrollMarkerActiveColor : FFrame.PW.ScrollMarkerColor, 3);
        DrawMarkerBackground(B, down);
        DrawArrowImage(C, down, ScrollCode == 2 ? FFrame.PW.ScrollMarkerActiveColor : FFrame.PW.ScrollMarkerColor,
                       4);
        return;
    }
    const int W = FSize.Width, H = FSize.Height;
    DrawArrowImage(C, Rect(3, 3, W - 3, 13), ScrollCode == 1 ? clBtnText : clBtnShadow, 3);
    DrawArrowImage(C, Rect(3, H - 10, W - 3, H - 3), ScrollCode == 2 ? clBtnText : clBtnShadow, 4);
}

QRegion TqvPopupLevel::Region() const {
    QRegion rgn;
    if (!FFrame.Skinned || FMaskPicture.isNull()) return rgn;
    const TqvDataSkinPopupWindow& pw = FFrame.PW;
    if (!CreateSkinRegion(rgn, pw.LTPoint, pw.RTPoint, pw.LBPoint, pw.RBPoint, pw.ItemsRect, FPoints.LT, FPoints.RT,
                          FPoints.LB, FPoints.RB, FPoints.ItemsRect, FMaskPicture, FSize.Width, FSize.Height))
        return {};
    return rgn;
}

bool TqvPopupLevel::CanScroll(int Code) const {
    if (Code == 1) return VisibleStartIndex > 0;
    if (Code == 2) return VisibleStartIndex + VisibleCount - 1 < ItemCount() - 1;
    return false;
}

void TqvPopupLevel::ScrollUp(bool Cycle) {
    if (VisibleStartIndex > 0) --VisibleStartIndex;
    else if (Cycle) VisibleStartIndex = GetLastStartIndex();
    else return;
    LayoutItems();
}

void TqvPopupLevel::ScrollDown(bool Cycle) {
    if (CanScroll(2)) ++VisibleStartIndex;
    else if (Cycle) VisibleStartIndex = 0;
    else return;
    LayoutItems();
}
