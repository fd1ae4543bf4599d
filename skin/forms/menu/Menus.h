// The program's own menu tree: items with captions ("&" marks the
// accelerator), names, states, shortcuts, pictures and handlers, and the
// menus that own them. Skinned menus, the menu bar and the system and tray
// menus show these; Qt never sees them (QMenu/QAction have no name-keyed
// items, group indexes, default items, image-list indexes or owner draw).
#pragma once

#include "platform/Canvas.h"
#include "platform/Component.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

// A key with its modifiers (a Qt key value or'ed with Qt modifier bits); 0 = none.
using TShortCut = int;
TShortCut ShortCut(int Key, Qt::KeyboardModifiers Shift);
// "Ctrl+O", "Shift+Del", "Alt+F4", "F1"; empty for 0 or a key without a name.
QString ShortCutToText(TShortCut ShortCut);
// The accelerator of a caption: the character after a single "&" ("&&" is a
// literal ampersand); a null QChar when there is none.
QChar GetHotkey(const QString& Caption);
// Key (a Qt key value) is the accelerator of Caption, letters ignoring case.
bool IsAccel(int Key, const QString& Caption);
// The caption without its "&" marks ("&&" becomes "&").
QString StripHotkey(const QString& Caption);

enum TMenuAutoFlag { maAutomatic, maManual };

// Sender is the item being drawn.
using TMenuDrawItemEvent = std::function<void(QObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected)>;

class TMenu;

class TMenuItem : public TComponent {
    Q_OBJECT
public:
    explicit TMenuItem(QObject* AOwner = nullptr);
    // Frees the children; a child freed on its own leaves its parent's list.
    ~TMenuItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool v);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v) { FRadioItem = v; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool Default() const { return FDefault; }
    void SetDefault(bool v) { FDefault = v; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v) { FShortCut = v; }
    QString Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }
    TBitmap& Bitmap() { return FBitmap; }
    const TBitmap& Bitmap() const { return FBitmap; }
    void SetBitmap(const TBitmap& v) { FBitmap = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }

    // A separator: the caption is exactly "-".
    bool IsLine() const { return FCaption == QLatin1String("-"); }
    // A separator hidden by line reduction (leading, trailing or doubled).
    bool LineReduced() const { return FLineReduced; }
    // Shown in a menu: Visible and not removed by line reduction.
    bool Shown() const { return FVisible && !FLineReduced; }

    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* Parent() const { return FParent; }
    int IndexOf(const TMenuItem* Item) const;
    // Takes Item out of its old parent first.
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes Item out of this item without freeing it.
    void Remove(TMenuItem* Item);
    // Frees the child at Index / all children.
    void Delete(int Index);
    void Clear();
    // The menu at the root of this item's tree; nullptr for a loose item.
    TMenu* GetParentMenu() const;
    // A number unique among live items, for DispatchCommand.
    int Command() const { return FCommand; }

    // Hides the separators that would stand first, last or right after
    // another shown separator among the children; shows the others again.
    void RethinkLines();

    // Runs OnClick when the item is enabled.
    virtual void Click();

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;

private:
    friend class TMenu;
    void Detach(TMenuItem* Item);

    QString FCaption;
    bool FEnabled = true;
    bool FVisible = true;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FDefault = false;
    TShortCut FShortCut = 0;
    QString FHint;
    TBitmap FBitmap;
    int FImageIndex = -1;
    bool FLineReduced = false;
    int FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on a menu's root item only
    std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
    Q_OBJECT
public:
    explicit TMenu(QObject* AOwner = nullptr);
    ~TMenu() override;

    // The root item: its children are the menu's items.
    TMenuItem* Items() const { return FItems; }
    TCustomImageList* Images() const { return FImages.data(); }
    void SetImages(TCustomImageList* v) { FImages = v; }
    TMenuAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
    void SetAutoLineReduction(TMenuAutoFlag v) { FAutoLineReduction = v; }

    // The item of this menu with that command number, or nullptr.
    TMenuItem* FindItem(int Command) const;
    // Clicks the item with that command number; false when the menu holds none
    // (an item freed in the meantime runs nothing).
    bool DispatchCommand(int Command);
    // Clicks the first enabled item (depth first, in menu order) whose
    // shortcut is Key; true when one was found.
    bool IsShortCut(TShortCut Key);

private:
    TMenuItem* FItems;
    QPointer<TCustomImageList> FImages;
    TMenuAutoFlag FAutoLineReduction = maAutomatic;
};

class TPopupMenu : public TMenu {
    Q_OBJECT
public:
    using TMenu::TMenu;
    // Fires OnPopup; a skinned popup menu then shows its items.
    virtual void Popup(int X, int Y);
    TNotifyEvent OnPopup;
};

class TMainMenu : public TMenu {
    Q_OBJECT
public:
    using TMenu::TMenu;
};

// The top-level items a menu bar shows for Main with Child merged into it:
// Main's items whose group index no item of Child has, then Child's items,
// ordered by group index; items of one group keep their menu order. Without
// Child: Main's items as they are.
std::vector<TMenuItem*> MergeMenuItems(const TMenu* Main, const TMenu* Child);
