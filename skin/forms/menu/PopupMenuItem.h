// One shown item of an open menu level: its state (highlighted, submenu
// open, animation frame, morph factor) and its picture, drawn from the
// skin's "menuitem" record or in the plain look. Drawing is pure: the level
// hands over what it is drawn on and what lies under it.
#pragma once

#include "platform/Canvas.h"
#include "platform/ImgList.h"
#include "skin/forms/menu/Menus.h"
#include "skin/model/SkinData.h"

#include <QImage>
#include <QPointer>

// What every item of a level draws with (the level's own settings).
struct TqvMenuLook {
    // The skin model of a skinned level; nullptr: the plain look.
    QPointer<TqvSkinData> SD;
    // The skin's first menu-item record; nullptr: items draw the plain look.
    const TqvDataSkinMenuItem* DSMI = nullptr;
    TCustomImageList* ImgL = nullptr;
    int GlyphWidth = 19;
    TFont DefaultMenuItemFont{QStringLiteral("Arial"), 14};
    bool UseSkinFont = true;
    // The level's background (frame and items area, no items), window
    // coordinates: transparent items and items without a picture show it.
    const QImage* Background = nullptr;
};

// Marks of items without skin pictures, one colour each, at (X, Y).
void DrawMenuCheckMark(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMenuArrowMark(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMenuRadioMark(TCanvas& Canvas, int X, int Y, TColor Color);

// The separator and header tests every part of the menus shares.
bool IsMenuSeparator(const TMenuItem& Item);
// A disabled item whose caption begins and ends with "-" (and is more than "-").
bool IsMenuHeader(const TMenuItem& Item);

class TqvSkinMenuItem {
public:
    TqvSkinMenuItem(const TqvMenuLook* Look, TMenuItem* AMenuItem, const TqvDataSkinMenuItem* AData);
    virtual ~TqvSkinMenuItem() = default;

    QPointer<TMenuItem> MenuItem;
    const TqvDataSkinMenuItem* MI;
    // All item pictures are cut from it; null when the record's picture
    // index is -1 or past the picture list.
    QImage ActivePicture;
    // The record's state rectangles as this item uses them: empty when there
    // is no picture. The record itself is shared by every later menu and is
    // never written.
    TRect SkinRect{}, ActiveSkinRect{};
    TRect ObjectRect{};
    bool Active = false;
    bool Down = false;
    bool FVisible = true;
    bool WaitCommand = false;
    int CurrentFrame = 0;

    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double v) { FMorphKf = v < 0 ? 0 : v > 1 ? 1 : v; }

    bool EnableMorphing() const;
    bool EnableAnimation() const;
    virtual bool CanMorphing();
    bool IsSeparator() const { return MenuItem && IsMenuSeparator(*MenuItem); }
    bool IsEnabled() const { return MenuItem && MenuItem->Enabled(); }

    // Draws the item at ObjectRect on Target (the level's picture).
    void Draw(QImage& Target) const;
    // The item's picture (ObjectRect's size) as Draw puts it down.
    QImage Picture() const;

private:
    QImage SkinnedPicture() const;
    QImage DefaultPicture() const;
    QImage StatePicture(bool Active, bool AnimationFrame) const;
    TRect AnimationFrameRect() const;
    QImage UnderItem() const;
    void SetItemFont(TCanvas& C) const;
    void DrawSkinHeader(TCanvas& C, const TRect& R, const QString& Caption) const;
    void DrawSkinMark(TCanvas& C, const TRect& R, const TRect& Src) const;

    const TqvMenuLook* FLook;
    double FMorphKf = 0;
};
