// The skinned main-menu bar: one item per visible top-level item of a main
// menu, drawn from the skin's bar and item records (or a plain look), with a
// marker that opens the items that do not fit. Its drop-downs and its
// keyboard mode run through the form's menu service (TqvMenuBarHost: the
// form's skinned-form component and its menu manager), which in turn passes
// the bar the keys through TqvMenuBarLink.
#pragma once

#include "platform/ExtCtrls.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/MenuBarLink.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menubar/MenuBarObjects.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class TqvSkinMainMenuBar;

// A main menu with its own skin for the drop-downs that frame menu buttons
// open for its items.
class TqvSkinMainMenu : public TMainMenu {
    Q_OBJECT
public:
    using TMainMenu::TMainMenu;
    TqvSkinData* SkinData() const { return FSD.data(); }
    void SetSkinData(TqvSkinData* v) { FSD = v; }

private:
    QPointer<TqvSkinData> FSD;  // cleared when the model is freed
};

// What the bar needs of the form that shows it: the menu state, the key hook
// and the drop-downs of the form's menu manager.
class TqvMenuBarHost {
public:
    virtual ~TqvMenuBarHost() = default;
    // A drop-down of the form is open.
    virtual bool InMenu() const = 0;
    virtual void SetInMenu(bool Value) = 0;
    // The bar is in menu mode.
    virtual bool InMainMenu() const = 0;
    virtual void SetInMainMenu(bool Value) = 0;
    virtual bool FormVisible() const = 0;
    // Before any drop-down opens.
    virtual void SkinMenuOpen() = 0;
    // Leaves the bar: closes the drop-downs, ExitMainMenu, removes the hook.
    virtual void SkinMainMenuClose() = 0;
    // Routes the application's keys to the menus.
    virtual void HookApp() = 0;
    virtual void MainMenuEnter(TqvSkinMainMenuBar* Sender) = 0;
    // Opens the children of AItem (then AItem2) from StartIndex beside the screen rect R.
    virtual void Popup(TqvSkinData* SkinData, int StartIndex, const TRect& R, TMenuItem* AItem, TMenuItem* AItem2,
                       bool PopupUp) = 0;
};

using TqvItemEnterEvent = std::function<void(QObject* Sender, TMenuItem* MenuItem)>;
using TqvItemLeaveEvent = TqvItemEnterEvent;

class TqvSkinMainMenuBar : public TqvSkinControl, public TqvMenuBarLink {
    Q_OBJECT
public:
    explicit TqvSkinMainMenuBar(QObject* AOwner = nullptr);
    ~TqvSkinMainMenuBar() override;

    // ---- properties
    bool ScrollMenu = true;
    bool UseSkinFont = true;
    TFont& DefItemFont() { return FDefItemFont; }
    void SetDefItemFont(const TFont& f);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int v);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    bool PopupToUp = false;
    TqvVelmora* Velmora() const { return FVelmora.data(); }
    // Registers the bar with the component, whose menus then serve the bar
    // (unless SetHost gave it another service).
    void SetVelmora(TqvVelmora* v);
    TqvMenuBarHost* Host() const { return FHost; }
    // Not owned; replaces the form's menu service (nullptr: back to it).
    void SetHost(TqvMenuBarHost* v);
    TMainMenu* MainMenu() const override { return FMainMenu.data(); }
    void SetMainMenu(TMainMenu* v);
    TqvItemEnterEvent OnItemMouseEnter;
    TqvItemLeaveEvent OnItemMouseLeave;

    // ---- operations
    void CreateMenu();
    void UpDateItems();
    void UpDateEnabledItems();
    void Merge(TMainMenu* Menu);
    void UnMerge();
    TMainMenu* GetChildMainMenu() const override;
    QObject* MenuObject() override { return this; }

    // Keyboard (the form calls these).
    bool CheckHotKey(int Key) override;
    void NextMainMenuItem() override;
    void PrevMainMenuItem() override;
    bool ClickActiveItem() override;
    void EnterMainMenu() override;
    void ExitMainMenu() override;
    void ReleaseDownItem() override;

    // The buttons of a maximized MDI child (the frame's component calls these
    // when a child is maximized, and restored, minimized, hidden or freed).
    void ShowMDIButtons() override;
    void UpdateMDIButtons() override;
    // The active child changed or went: a child menu that is or was merged follows.
    void UpdateChildMenu() override;
    // The system-menu button's menu closed: the button comes up.
    void ReleaseSysMenuButton();
    bool MDIChildMax() const { return FMDIChildMax; }
    // 0 system menu, 1 close, 2 restore, 3 minimize; nullptr when not shown.
    TqvSkinMainMenuBarButton* Button(int Index) const;

    // Mouse tracking at a bar point; (-1, -1): outside.
    void TestActive(int X, int Y);
    void PopupHiddenItems();
    TRect GetMarkerRect() const;

    // ---- skin
    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool SkinSupport() const { return FSkinSupport; }

    // ---- what the objects use
    void DrawObject(TqvMenuBarObject* Object);
    TRect NewItemsRect() const { return FNewItemsRect; }
    TqvSkinMainMenuBarItem* Item(int Index) const;
    int ItemCount() const { return int(ObjectList.size()) - ButtonsCount; }
    TTimer* MorphTimer() const { return FMorphTimer; }
    TTimer* AnimateTimer() const { return FAnimateTimer; }
    void SetHintText(const QString& h);

    std::vector<std::unique_ptr<TqvMenuBarObject>> ObjectList;
    int ButtonsCount = 0;
    int ActiveObject = -1, OldActiveObject = -1, MouseCaptureObject = -1;
    bool MenuActive = false;
    bool Scroll = false;
    bool MarkerActive = false;
    bool ChildMenuIn = false;

    // From the skin record.
    TRect SkinRect{}, ItemsRect{};
    QString MenuBarItem;
    QString MinButton, MaxButton, CloseButton, SysMenuButton;
    TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;
    QImage Picture;
    bool StretchEffect = false, ItemTransparent = false;

protected:
    void PaintImage(QImage& B) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void WndProc(TMessage& message) override;

private:
    void ClearObjects();
    void CalcObjectRects();
    void DrawMarker(TCanvas& C);
    void MouseTimerProc();
    void MorphTimerProc();
    void AnimateTimerProc();
    // Enabled and fits.
    bool Usable(int Index) const;
    int ItemIndexToObject(int Index) const { return Index + ButtonsCount; }
    void DoMouseDown(Qt::MouseButton Button, int X, int Y, bool Double);
    void CreateMDIButtons();
    void AddMDIButton(const QString& Name, TqvStdCommand Command);
    void DeleteMDIButtons();
    void UpdateMDIButtonStates(TqvBorderIcons BorderIcons);
    // The child menu the bar shows now: the merged one, else an MDI frame's active child's.
    TMainMenu* CurrentChildMenu() const;

    TFont FDefItemFont{QStringLiteral("Arial"), 14};
    int FDefaultWidth = 0, FDefaultHeight = 22;
    QPointer<TqvVelmora> FVelmora;
    TqvMenuBarHost* FHost = nullptr;
    bool FCustomHost = false;
    std::unique_ptr<TqvMenuBarHost> FFormHost;  // the component's menus
    QPointer<TMainMenu> FMainMenu, FMergeMenu;
    bool FSkinSupport = false;
    bool FMDIChildMax = false;
    TRect FNewItemsRect{};
    TTimer* FMouseTimer;
    TTimer* FMorphTimer;
    TTimer* FAnimateTimer;
};
