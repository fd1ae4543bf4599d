// The window of one open menu level: a frameless tool window over the form
// that owns the menu, never activated and never focused (the form keeps its
// keys; they reach the level through PopupKeyDown). Not Qt::Popup, which
// would grab the input, take the focus and close itself. It paints its
// level's picture, follows the pointer with a 50 ms poll through the
// pointer source (so it sees the pointer while another widget holds Qt's
// implicit grab, and tests can drive it), scrolls on its markers every
// 100 ms and turns keys and clicks into its host's item reactions.
#pragma once

#include "platform/ExtCtrls.h"
#include "skin/forms/menu/PopupLevel.h"

#include <QWidget>

class TqvSkinPopupWindow;

// What a level needs of the menu manager that owns it.
class TqvPopupLevelHost {
public:
    virtual ~TqvPopupLevelHost() = default;
    // An item pointed at (Choose false) or chosen; Kb: by the keyboard.
    virtual void ProcessItem(TqvSkinPopupWindow* Window, TqvSkinMenuItem* Item, bool Choose, bool Kb) = 0;
    // Closes the levels from the top down to Index (0 ends the menu).
    virtual void CloseLevels(int Index) = 0;
    // The level's index; the level count when it is not open.
    virtual int IndexOfLevel(const TqvSkinPopupWindow* Window) const = 0;
    virtual int LevelCount() const = 0;
    virtual TqvSkinPopupWindow* Level(int Index) const = 0;
    // The pointer left Item: a submenu wait for it ends.
    virtual void ItemLeft(TqvSkinMenuItem* Item) = 0;
};

class TqvSkinPopupWindow : public QWidget {
    Q_OBJECT
public:
    // Parent: the owning form's window (menus of a modal dialog take input
    // and stack above it).
    TqvSkinPopupWindow(QWidget* Parent, TqvPopupLevelHost* Host, TqvSkinData* SkinData,
                       const TqvMenuSettings& Settings);
    ~TqvSkinPopupWindow() override;

    // Builds the level for AItem's children (then AItem2's) from StartIndex
    // and shows it beside the screen rect R inside WorkArea; the first
    // enabled item is highlighted.
    void Show(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp,
              const TRect& WorkArea, TMenuItem* AItem2 = nullptr);
    // Hides at once and stops every timer.
    void HideLevel();

    // Translucency for the next Show, only where a compositor runs: constant
    // Value, or a fade from 0 up to it in steps of Value / 15 every 6 ms.
    void SetAlphaBlend(bool On, int Value, bool Fade);
    // The level's alpha now (255: opaque) and whether the fade still runs.
    int Alpha() const { return FAlpha; }
    bool Fading() const { return FFadeTimer->Enabled(); }

    // A key (Qt key value) for this level.
    void PopupKeyDown(int Key);
    // Closes the levels above the submenu this window opened and releases its items.
    void CloseChildLevels();

    TqvPopupLevel& Level() { return FLevel; }
    const TqvPopupLevel& Level() const { return FLevel; }
    int ActiveItem() const { return FLevel.ActiveItem; }
    QString ItemHint() const { return FHint; }
    TPoint ShowPoint() const { return FShow; }

    // Item reactions (the mouse, the keyboard and the host call them).
    void ItemMouseEnter(int Index, bool Kb);
    void ItemMouseLeave(int Index);
    void ItemMouseDown(int Index);

    // The reaction to the pointer at a client point, and to a released button.
    void TrackMouse(int X, int Y);
    void MouseUp(Qt::MouseButton Button, int X, int Y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void ReDraw(int Index);
    void OnMouseTimer();
    void OnMorphTimer();
    void OnScrollTimer();
    void OnFadeTimer();
    void StartScroll();
    void StopScroll();
    void SelectNextItem();
    void SelectPriorItem();
    bool Selectable(int Index) const;
    bool IsPointOnItem(int X, int Y) const;
    int FindAccelItem(int Key) const;

    TqvPopupLevelHost* FHost;
    TqvPopupLevel FLevel;
    TTimer* FMouseTimer;
    TTimer* FMorphTimer;
    TTimer* FScrollTimer;
    TTimer* FFadeTimer;
    bool FAlphaBlend = false, FFade = false;
    int FAlphaBlendValue = 255, FAlpha = 255;
    int OMX = -1, OMY = -1;
    TPoint FShow{};
    QString FHint;
};
