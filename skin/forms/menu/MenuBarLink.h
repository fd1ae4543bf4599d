// What a form's skinned-form component needs of its skinned menu bar: the
// keys of an open menu and the form's shortcuts go through the bar while it
// is there. The bar implements this and registers with
// TqvVelmora::SetMainMenuBar.
#pragma once

#include <QObject>

class TMainMenu;

class TqvMenuBarLink {
public:
    virtual ~TqvMenuBarLink() = default;
    // The bar itself: the component forgets a freed bar.
    virtual QObject* MenuObject() = 0;
    virtual TMainMenu* MainMenu() const = 0;
    // A child form's menu merged into the bar; nullptr when none.
    virtual TMainMenu* GetChildMainMenu() const { return nullptr; }
    // Key (a Qt key value) as an item accelerator: enters the bar and opens
    // or runs that item; false when no item has it.
    virtual bool CheckHotKey(int Key) = 0;
    virtual void PrevMainMenuItem() = 0;
    virtual void NextMainMenuItem() = 0;
    // Presses the highlighted item; false when there is none.
    virtual bool ClickActiveItem() = 0;
    // Keyboard mode on (the window's menu key) / off.
    virtual void EnterMainMenu() = 0;
    virtual void ExitMainMenu() = 0;
    // Escape closed the pressed item's drop-down: the item goes back to highlighted.
    virtual void ReleaseDownItem() = 0;
    // An MDI frame's child was maximized / is maybe no longer: the child's
    // buttons come to the bar or go.
    virtual void ShowMDIButtons() {}
    virtual void UpdateMDIButtons() {}
    // The frame's active child changed or went.
    virtual void UpdateChildMenu() {}
};
