// The single-line field every skinned edit is built from: the platform's edit
// without a frame, optionally over a background its owner paints
// (transparent mode), a read-only switch, Enter and Escape handed to the
// form's default and cancel buttons, and a context menu of its own shown as a
// skinned popup menu through the menu service.
#pragma once

#include "platform/StdCtrls.h"
#include "skin/controls/menus/SkinMenuServices.h"

#include <memory>

using TqvOnEditCancelMode = std::function<void(TControl* C)>;

class TqvCustomEdit : public TEdit {
    Q_OBJECT
public:
    explicit TqvCustomEdit(QObject* AOwner = nullptr);

    bool EditTransparent() const { return FEditTransparent; }
    virtual void SetEditTransparent(bool v);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    // A menu of the application's own; shown instead of the edit's menu.
    TqvPopupMenuRef* PopupMenu() const { return FPopupMenu.Get(); }
    void SetPopupMenu(TqvPopupMenuRef* v) { FPopupMenu.Set(v); }

    // The menu built for the last request, until its command ran (nullptr = none).
    const TqvMenuItemList* SysPopupMenu() const { return FSysPopupMenu.get(); }
    // The context menu at a screen point; Keyboard puts it at the centre.
    void ContextMenu(TPoint ScreenPoint, bool Keyboard);

    void Undo();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void ClearSelection();

    TqvOnEditCancelMode OnEditCancelMode;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void WndProc(TMessage& message) override;
    // Runs after everything that changes what is under or in the text.
    virtual void EditChanged() { update(); }
    bool FDown = false;

private:
    bool DialogKeyFromEdit(QKeyEvent* e);
    QString MenuCaption(TqvSkinData* model, const char* name, const char* fallback) const;

    bool FEditTransparent = false;
    bool FAutoSelect = true;
    TqvMenuPointer<TqvPopupMenuRef> FPopupMenu;
    std::shared_ptr<TqvMenuItemList> FSysPopupMenu;
};
