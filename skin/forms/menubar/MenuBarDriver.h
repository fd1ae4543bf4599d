// The form's side of a skinned menu bar: the menu state (a drop-down open,
// the bar in menu mode), the keys (Alt alone or F10 enter and leave the bar,
// Alt chords are accelerators, shortcuts of the main menu run once per key
// stroke; while the bar or a drop-down is active the keys drive them and are
// swallowed, as are wheel turns) and the drop-down levels themselves.
#pragma once

#include "skin/forms/menu/PopupWindow.h"
#include "skin/forms/menubar/MainMenuBar.h"

#include <QObject>
#include <QPointer>

#include <vector>

class TqvMenuBarDriver : public QObject, public TqvMenuBarHost, public TqvPopupLevelHost {
    Q_OBJECT
public:
    TqvMenuBarDriver(TqvSkinMainMenuBar* Bar, TqvVelmora* Velmora);
    ~TqvMenuBarDriver() override;

    // TqvMenuBarHost
    bool InMenu() const override { return FInMenu; }
    void SetInMenu(bool Value) override { FInMenu = Value; }
    bool InMainMenu() const override { return FInMainMenu; }
    void SetInMainMenu(bool Value) override { FInMainMenu = Value; }
    bool FormVisible() const override;
    void SkinMenuOpen() override;
    void SkinMainMenuClose() override;
    void HookApp() override { FHooked = true; }
    void MainMenuEnter(TqvSkinMainMenuBar* Sender) override;
    void Popup(TqvSkinData* SkinData, int StartIndex, const TRect& R, TMenuItem* AItem, TMenuItem* AItem2,
               bool PopupUp) override;

    // TqvPopupLevelHost
    void ProcessItem(TqvSkinPopupWindow* Window, TqvSkinMenuItem* Item, bool Choose, bool Kb) override;
    void CloseLevels(int Index) override;
    int IndexOfLevel(const TqvSkinPopupWindow* Window) const override;
    int LevelCount() const override { return int(FLevels.size()); }
    TqvSkinPopupWindow* Level(int Index) const override;
    void ItemLeft(TqvSkinMenuItem* Item) override { (void)Item; }

    // The keys and wheel are taken from the application.
    bool Hooked() const { return FHooked; }
    // A drop-down closed and nothing runs: the form's menu state ends.
    void SkinMenuClose();
    // Escape closed the bar's last level: the bar stays in menu mode.
    void MainMenuPopupClose();
    // Alt alone or F10.
    void SysKeyMenu();
    // A key while the hook is on (Qt key value).
    void MenuKeyDown(int Key);
    // One key stroke for the form: accelerators with Alt, then the main
    // menu's shortcuts; true when taken.
    bool FormShortCut(int Key, Qt::KeyboardModifiers Mods);

    TNotifyEvent OnMainMenuEnter, OnMainMenuExit;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    bool IsFormKeyTarget(QObject* Watched) const;
    bool IsMenuWidget(QObject* Watched) const;
    void OpenSubLevel(TqvSkinPopupWindow* Window, TqvSkinMenuItem* Item, bool Kb);
    TRect WorkArea() const;

    TqvSkinMainMenuBar* FBar;
    QPointer<TqvVelmora> FVelmora;
    std::vector<TqvSkinPopupWindow*> FLevels;
    QPointer<TqvSkinData> FLevelSkin;
    bool FInMenu = false, FInMainMenu = false, FHooked = false;
    bool FAltAlone = false;
};
