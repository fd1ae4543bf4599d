// The images menu: a grid of pictures (plus full-width button and header
// rows) that drops down instead of a list of items. This file holds the
// component's data, the grid layout and the hit test; the grid window shows
// them.
#pragma once

#include "platform/Component.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"
#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/forms/hint/SkinHint.h"
#include "skin/forms/menu/ImagesMenuWindow.h"
#include "skin/model/SkinData.h"

#include <QImage>
#include <QPointer>
#include <QRegion>

#include <memory>
#include <vector>

class TqvSkinImagesMenu;

class TqvImagesMenuItem {
public:
    int ImageIndex = -1;
    QString Caption;
    QString Hint;
    // A full-width row with its image and caption.
    bool Button = false;
    // A full-width row showing Caption; cannot be chosen.
    bool Header = false;
    // Fired (Sender: the images menu) when the grid closes with this item chosen.
    TNotifyEvent OnClick;
    // The item's place in the grid window, set by the layout.
    TRect ItemRect{};

    // Copies ImageIndex, Caption, Button and Hint (not Header, not OnClick).
    void Assign(const TqvImagesMenuItem& Source);
};

// The grid's cell size and origin.
struct TqvImagesGridMetrics {
    int ImageWidth = 16, ImageHeight = 16;
    int ColumnsCount = 1;
    TPoint Origin{5, 5};
    // Height of a header row; 0: a cell's height.
    int HeaderHeight = 0;
};

// Lays Items out in rows of ColumnsCount cells ((image + 10) square-ish
// cells that touch, rows one pixel apart); a header or button row after a
// begun row starts a new one. Writes each item's ItemRect.
void LayoutImagesMenuItems(std::vector<TqvImagesMenuItem>& Items, const TqvImagesGridMetrics& Metrics);
// The first item that is not a header whose rect holds P, right and bottom
// edges included; -1 when none.
int ImagesMenuItemAt(const std::vector<TqvImagesMenuItem>& Items, TPoint P);

// Keyboard moves over the grid from the hot item Hot (-1: none); the result
// is the new hot item (unchanged when there is none to go to). Headers are
// never hot.
int ImagesMenuSelectNext(const std::vector<TqvImagesMenuItem>& Items, int Hot);
int ImagesMenuSelectPrior(const std::vector<TqvImagesMenuItem>& Items, int Hot);
int ImagesMenuSelectDown(const std::vector<TqvImagesMenuItem>& Items, int Hot);
int ImagesMenuSelectUp(const std::vector<TqvImagesMenuItem>& Items, int Hot);

// Where the grid opens for a screen rect R: below it, above it when it does
// not fit below, shifted left to fit, never left of or above the work area.
TPoint ImagesMenuPosition(const TRect& R, TSize Size, const TRect& WorkArea);


// Also the images menu the controls refer to (a menu button's
// SkinImagesMenu): its close and change hooks are OnInternalMenuClose and
// OnInternalChange.
class TqvSkinImagesMenu : public TComponent, public TqvImagesMenuRef {
    Q_OBJECT
public:
    explicit TqvSkinImagesMenu(QObject* AOwner = nullptr);

    QObject* MenuObject() override { return this; }
    void PopupFromRect(const TRect& R) override;
    void SetCloseHook(std::function<void()> Hook) override;
    void SetChangeHook(std::function<void()> Hook) override;
    int SelectedImageIndex() const override;
    QString SelectedCaption() const override;

    TCustomImageList* Images() const override { return FImages.data(); }
    void SetImages(TCustomImageList* v) { FImages = v; }
    std::vector<TqvImagesMenuItem>& ImagesItems() { return FItems; }
    const std::vector<TqvImagesMenuItem>& ImagesItems() const { return FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v) { FItemIndex = v; }
    int ColumnsCount() const { return FColumnsCount; }
    // Takes 1 to 50 and ignores anything else.
    void SetColumnsCount(int v);
    bool ShowSelectedItem() const { return FShowSelectedItem; }
    void SetShowSelectedItem(bool v) { FShowSelectedItem = v; }
    TqvSkinData* SkinData() const { return FSkinData.data(); }
    void SetSkinData(TqvSkinData* v) { FSkinData = v; }
    // Shows the items' hints while the pointer rests on their cells.
    TqvSkinHint* SkinHint() const { return FSkinHint.data(); }
    void SetSkinHint(TqvSkinHint* v) { FSkinHint = v; }
    bool ShowHints() const { return FShowHints; }
    void SetShowHints(bool v) { FShowHints = v; }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool v) { FAlphaBlend = v; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool v) { FAlphaBlendAnimation = v; }
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int v) { FAlphaBlendValue = v; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& v) { FDefaultFont.Assign(v); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }

    // The item at ItemIndex; nullptr when there is none.
    TqvImagesMenuItem* SelectedItem();

    // The skin's popup-window picture frames the grid.
    bool SkinSupport() const;
    // The grid's metrics for the current images, columns and skin.
    TqvImagesGridMetrics Metrics() const;
    // Lays the items out; the grid window's size (the frame around the rows).
    TSize CalcSize();
    // The grid window's picture at Size (from CalcSize): Hot is the cell
    // under the pointer (-1 none), ItemDown a press that began on a cell.
    QImage GridPicture(TSize Size, int Hot, bool ItemDown) const;
    // The window's shape from the skin's mask; empty when the whole window shows.
    QRegion GridRegion(TSize Size) const;

    // PopupFromRect drops the grid down below the screen rect R (an open
    // grid closes first). Without images, or without items, only
    // OnMenuPopup fires.
    void Popup(int X, int Y) { PopupFromRect(Rect(X, Y, X, Y)); }
    // Closes an open grid without choosing.
    void Hide();
    TqvSkinImagesMenuPopupWindow* PopupWindow() const { return FPopupWindow.data(); }
    // The grid closed: close events, then, with a choice, the item's
    // OnClick, OnItemClick and (for a new choice) OnInternalChange, OnChange.
    void CloseNotify(bool AProcessEvents);
    // The work area the grid is placed in; empty: the screen's of the owner form.
    TRect WorkArea;

    TNotifyEvent OnItemClick, OnChange, OnMenuPopup, OnMenuClose;
    TNotifyEvent OnInternalChange, OnInternalMenuClose;

private:
    QPointer<TqvSkinImagesMenuPopupWindow> FPopupWindow;
    int FOldItemIndex = -1;
    QPointer<TCustomImageList> FImages;
    std::vector<TqvImagesMenuItem> FItems;
    int FItemIndex = -1;
    int FColumnsCount = 1;
    bool FShowSelectedItem = true;
    QPointer<TqvSkinData> FSkinData;
    QPointer<TqvSkinHint> FSkinHint;
    bool FShowHints = true;
    bool FAlphaBlend = false, FAlphaBlendAnimation = false;
    int FAlphaBlendValue = 200;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    bool FUseSkinFont = true;
};
