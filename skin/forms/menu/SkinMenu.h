// The menu manager of a skinned form and the skinned popup menu.
//
// TqvSkinMenu shows a menu as a stack of level windows (index 0 the first
// level, the last the topmost submenu), opens submenus on a pointer rest or a
// click, and runs a chosen command once every level is gone. Menus are not
// modal: Popup returns as soon as the first level shows. Whatever opens a
// skinned drop-down goes through a form's manager: popup menus, the system
// and tray menus, the menu bar, frame buttons.
//
// Order of a chosen command: levels hidden, WM_SKIN_MENU_CLOSED (1228) to the
// popup control, the one-shot OnMenuClose, 1228 to the form, the item's
// OnClick, WM_SKIN_MENU_COMMAND (1229) to the popup control.
#pragma once

#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/PopupWindow.h"
#include "skin/forms/tray/TrayIcon.h"

#include <QPointer>

#include <vector>

class TqvVelmora;

// The events on a form (or, while a menu is open, on any of its children)
// that close its open skinned menus: moves, sizes, activation changes, focus
// loss and button presses.
bool IsMenuCloseMessage(const QEvent* e);

class TqvSkinMenu : public TComponent, public TqvPopupLevelHost {
    Q_OBJECT
public:
    // AForm: the form whose window the levels stack above and whose monitor
    // places them; told 1228 by Hide.
    TqvSkinMenu(QObject* AOwner, TForm* AForm);
    // Ends an open menu first, so its popup control hears 1228.
    ~TqvSkinMenu() override;

    // Opens the first level for AItem's children from StartIndex beside the
    // screen rect R (a point is an empty rect), upward first with PopupUp.
    // An open menu is closed first, as any close does. When nothing would
    // show, the menu ends at once (1228 to the control, OnMenuClose, 1228 to
    // the form).
    void Popup(TControl* APopupCtrl, TqvSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
               bool PopupUp);
    // The same with AItem2's children after AItem's in one level; StartIndex
    // counts over both.
    void Popup2(TControl* APopupCtrl, TqvSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
                TMenuItem* AItem2, bool PopupUp);
    // Closes the whole menu and tells the form.
    void Hide();

    // TqvPopupLevelHost
    void ProcessItem(TqvSkinPopupWindow* Window, TqvSkinMenuItem* Item, bool Choose, bool Kb) override;
    void CloseLevels(int Index) override;
    int IndexOfLevel(const TqvSkinPopupWindow* Window) const override;
    int LevelCount() const override { return int(FPopupList.size()); }
    TqvSkinPopupWindow* Level(int Index) const override;
    void ItemLeft(TqvSkinMenuItem* Item) override;

    // The topmost level, or nullptr.
    TqvSkinPopupWindow* LastLevel() const { return Level(LevelCount() - 1); }
    // True while the first level of a menu opens on an idle manager.
    bool First() const { return FFirst; }
    // A menu is open.
    bool Visible() const { return FVisible; }
    TForm* Form() const { return FForm; }
    TqvSkinData* SkinData() const { return FSkinData; }
    TRect WorkArea() const { return FWorkArea; }
    // The submenu item waiting for WaitTimer; nullptr when none.
    TqvSkinMenuItem* WItem() const { return FWItem; }

    // What every level is built with.
    TqvMenuSettings& Settings() { return FSettings; }
    int DefaultMenuItemHeight() const { return FSettings.DefaultMenuItemHeight; }
    void SetDefaultMenuItemHeight(int v) { FSettings.DefaultMenuItemHeight = v; }
    const TFont& DefaultMenuItemFont() const { return FSettings.DefaultMenuItemFont; }
    void SetDefaultMenuItemFont(const TFont& v) { FSettings.DefaultMenuItemFont = v; }
    bool UseSkinFont() const { return FSettings.UseSkinFont; }
    void SetUseSkinFont(bool v) { FSettings.UseSkinFont = v; }
    int MaxMenuItemsInWindow() const { return FSettings.MaxMenuItemsInWindow; }
    void SetMaxMenuItemsInWindow(int v) { FSettings.MaxMenuItemsInWindow = v; }
    bool AlphaBlend = false;
    int AlphaBlendValue = 150;
    bool AlphaBlendAnimation = false;

    // The control told 1228 when the current menu ends; nullptr for none.
    QPointer<TControl> PopupCtrl;
    // The control told 1229 after a command ran (the popup control of the
    // menu that just ended).
    QPointer<TControl> DCtrl;
    // 500 ms from a pointer resting on a submenu item to its level opening.
    TTimer* WaitTimer;
    // One-shot: fired once when the current menu ends, then cleared.
    TNotifyEvent OnMenuClose;

private:
    void OpenLevel(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                   bool PopupUp);
    void StopWait();
    void OnWaitTimer();
    TRect GetWorkArea() const;

    QPointer<TForm> FForm;
    std::vector<QPointer<TqvSkinPopupWindow>> FPopupList;
    QPointer<TqvSkinData> FSkinData;
    TqvMenuSettings FSettings;
    TRect FWorkArea{};
    TqvSkinMenuItem* FWItem = nullptr;
    QPointer<TqvSkinPopupWindow> FWWindow;  // the level FWItem belongs to
    bool FFirst = false;
    bool FVisible = false;
};

// A popup menu that shows its items through the menu manager of a skinned
// form: the one of SkinComponent, else of ComponentForm, else of the form
// that owns the menu (or owns its owner).
class TqvSkinPopupMenu : public TPopupMenu, public TqvPopupMenuRef, public TqvTrayPopupMenu {
    Q_OBJECT
public:
    explicit TqvSkinPopupMenu(QObject* AOwner = nullptr);

    // The menu's skin model; filled from the skinned-form component at the
    // first popup and kept.
    TqvSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TqvSkinData* v) { FSkinData = v; }
    TForm* ComponentForm() const { return FComponentForm; }
    void SetComponentForm(TForm* v) { FComponentForm = v; }
    TqvVelmora* SkinComponent() const;
    void SetSkinComponent(TqvVelmora* v);
    // Where the menu last opened; (-1, -1) before the first popup.
    TPoint PopupPoint() const { return FPopupPoint; }
    // Who asked for the last popup (the tray icon), for the application's handlers.
    QObject* PopupComponent() const { return FPopupComponent; }
    // Handed to the manager's one-shot OnMenuClose at every popup.
    TNotifyEvent OnMenuClose;

    // The skinned-form component that shows this menu, or nullptr.
    TqvVelmora* FindSkinComponent();

    void Popup(int X, int Y) override;
    void PopupFromRect(const TRect& R, bool APopupUp);
    // Shows nothing unless a skin model is found.
    void Popup2(TControl* ACtrl, int X, int Y) override;
    void PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) override;

    // TqvPopupMenuRef / TqvTrayPopupMenu
    QObject* MenuObject() override { return this; }
    bool AutoPopup() const override { return true; }
    void SetPopupComponent(QObject* Component) override { FPopupComponent = Component; }
    bool ClickDefaultItem() override;

private:
    // The shared steps of every popup form; false when nothing may show.
    TqvVelmora* Prepare(bool NeedSkin);
    void Show(TqvVelmora* C, TControl* ACtrl, const TRect& R, bool PopupUp);

    QPointer<TqvSkinData> FSkinData;
    QPointer<TForm> FComponentForm;
    QPointer<QObject> FSkinComponent;
    QPointer<QObject> FPopupComponent;
    TPoint FPopupPoint{-1, -1};
};
