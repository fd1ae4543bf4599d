// The skinned-form component's menus: the system and tray menus, opening
// menus through the form's menu manager, the menu state and the application
// hook that gives the keyboard to an open menu.
#include "skin/forms/Velmora.h"

#include "platform/Application.h"
#include "platform/Messages.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/forms/menu/MenuBarLink.h"
#include "skin/forms/menu/SkinMenu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

struct TSysItem {
    const char* Name;
    const char* Resource;
    const char* Caption;
};
constexpr TSysItem kMinItem{"QVF_MINITEM", "MI_MINCAPTION", "Mi&nimize"};
constexpr TSysItem kMaxItem{"QVF_MAXITEM", "MI_MAXCAPTION", "Ma&ximize"};
constexpr TSysItem kRestoreItem{"QVF_RESTORE", "MI_RESTORECAPTION", "&Restore"};
constexpr TSysItem kRollUpItem{"QVF_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp"};
constexpr TSysItem kMinToTrayItem{"QVF_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray"};
constexpr TSysItem kCloseItem{"QVF_CLOSE", "MI_CLOSECAPTION", "&Close"};
constexpr TSysItem kTrayRestoreItem{"TRAY_QVF_RESTORE", "MI_RESTORECAPTION", "&Restore"};
constexpr TSysItem kTrayCloseItem{"TRAY_QVF_CLOSE", "MI_CLOSECAPTION", "&Close"};

QString SysCaption(TqvSkinData* SD, const TSysItem& I) {
    if (SD && SD->ResourceStrData()) {
        const QString s = SD->ResourceStrData()->GetResStr(QLatin1String(I.Resource));
        if (!s.isEmpty()) return s;
    }
    return QString::fromLatin1(I.Caption);
}

// The application hook of one component: while a menu of its form is open
// it sees every event first (it is the newest application filter).
class TAppHook : public QObject {
public:
    TAppHook(QObject* Parent, std::function<bool(QObject*, QEvent*)> Fn) : QObject(Parent), FFn(std::move(Fn)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override { return FFn(watched, e); }

private:
    std::function<bool(QObject*, QEvent*)> FFn;
};

}  // namespace

void TqvVelmora::CreateMenus() {
    FSkinMenu = new TqvSkinMenu(this, FForm);
    FSysMenu = new TPopupMenu(this);
    FSysTrayMenu = new TqvSkinPopupMenu(this);
    FSysTrayMenu->SetComponentForm(FForm);
    CreateTrayMenu();
    FForm->OnShortCut = [this](int Key, Qt::KeyboardModifiers Shift, bool& Handled) { FormShortCut(Key, Shift, Handled); };
    FForm->OnKeyMenu = [this](QObject*) { SysKeyMenu(); };
}

int TqvVelmora::MaxMenuItemsInWindow() const { return FSkinMenu->MaxMenuItemsInWindow(); }
void TqvVelmora::SetMaxMenuItemsInWindow(int Value) {
    if (Value >= 0) FSkinMenu->SetMaxMenuItemsInWindow(Value);
}
bool TqvVelmora::UseSkinFontInMenu() const { return FSkinMenu->UseSkinFont(); }
void TqvVelmora::SetUseSkinFontInMenu(bool Value) { FSkinMenu->SetUseSkinFont(Value); }
int TqvVelmora::DefMenuItemHeight() const { return FSkinMenu->DefaultMenuItemHeight(); }
void TqvVelmora::SetDefMenuItemHeight(int Value) {
    if (Value > 0) FSkinMenu->SetDefaultMenuItemHeight(Value);
}
TFont TqvVelmora::DefMenuItemFont() const { return FSkinMenu->DefaultMenuItemFont(); }
void TqvVelmora::SetDefMenuItemFont(const TFont& Value) { FSkinMenu->SetDefaultMenuItemFont(Value); }
// The manager keeps its own alpha value until one is set here.
void TqvVelmora::SetMenusAlphaBlend(bool Value) { FSkinMenu->AlphaBlend = FMenusAlphaBlend = Value; }
void TqvVelmora::SetMenusAlphaBlendAnimation(bool Value) {
    FSkinMenu->AlphaBlendAnimation = FMenusAlphaBlendAnimation = Value;
}
void TqvVelmora::SetMenusAlphaBlendValue(int Value) {
    FSkinMenu->AlphaBlendValue = FMenusAlphaBlendValue = qBound(0, Value, 255);
}

TqvSkinData* TqvVelmora::MenuSkin() const { return FMSD ? FMSD.data() : FSD.data(); }

TqvMenuBarLink* TqvVelmora::MainMenuBar() const { return FMainMenuBarObject ? FMainMenuBar : nullptr; }

void TqvVelmora::SetMainMenuBar(TqvMenuBarLink* Bar) {
    FMainMenuBar = Bar;
    FMainMenuBarObject = Bar ? Bar->MenuObject() : nullptr;
}

// ---- system and tray menus

namespace {

TMenuItem* NewSysItem(QObject* Owner, TqvSkinData* SD, const TSysItem& I, std::function<void()> Click) {
    auto* item = new TMenuItem(Owner);
    item->SetName(QLatin1String(I.Name));
    item->SetCaption(SysCaption(SD, I));
    item->OnClick = [Click = std::move(Click)](QObject*) { Click(); };
    return item;
}

}  // namespace

void TqvVelmora::CreateSystemMenu() {
    TMenuItem* root = FSysMenu->Items();
    while (root->Count() > 0) root->Delete(root->Count() - 1);
    TqvSkinData* sd = FSD;
    const bool minimized = FWindowState == wsMinimized;
    auto add = [&](const TSysItem& I, std::function<void()> Click) {
        TMenuItem* item = NewSysItem(FSysMenu, sd, I, std::move(Click));
        root->Add(item);
        return item;
    };
    if ((FBorderIcons & biMinimize) && !minimized) add(kMinItem, [this] { MinItemClick(); });
    if ((FBorderIcons & biMaximize) && FWindowState != wsMaximized) add(kMaxItem, [this] { MaxItemClick(); });
    if (FWindowState != wsNormal || FRollUpState) add(kRestoreItem, [this] { RestoreItemClick(); });
    if (CanRollUpFromMenu()) add(kRollUpItem, [this] { RollUpItemClick(); });
    if (FBorderIcons & biMinimizeToTray) add(kMinToTrayItem, [this] { MinToTrayItemClick(); });
    if (root->Count() > 0) {
        auto* line = new TMenuItem(FSysMenu);
        line->SetCaption(QStringLiteral("-"));
        root->Add(line);
    }
    TMenuItem* close = add(kCloseItem, [this] { CloseItemClick(); });
    close->SetShortCut(CloseShortCut());
}

void TqvVelmora::MergeSystemMenuItems() {
    TMenuItem* root = SystemMenu->Items();
    static const char* const kNames[] = {kMinItem.Name,      kMaxItem.Name,    kCloseItem.Name,
                                         kMinToTrayItem.Name, kRollUpItem.Name, kRestoreItem.Name};
    // Freed from anywhere in the tree, searching again after each removal.
    for (bool found = true; found;) {
        found = false;
        std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* parent) -> TMenuItem* {
            for (int i = 0; i < parent->Count(); ++i) {
                TMenuItem* c = parent->Items(i);
                for (const char* n : kNames)
                    if (c->Name() == QLatin1String(n)) return c;
                if (TMenuItem* d = find(c)) return d;
            }
            return nullptr;
        };
        if (TMenuItem* c = find(root)) {
            delete c;
            found = true;
        }
    }
    TqvSkinData* sd = FSD;
    const bool minimized = FWindowState == wsMinimized;
    QObject* owner = SystemMenu;
    auto insert = [&](const TSysItem& I, std::function<void()> Click) {
        root->Insert(0, NewSysItem(owner, sd, I, std::move(Click)));
    };
    if (FBorderIcons & biMinimizeToTray) insert(kMinToTrayItem, [this] { MinToTrayItemClick(); });
    if (CanRollUpFromMenu()) insert(kRollUpItem, [this] { RollUpItemClick(); });
    if ((FBorderIcons & biMaximize) && FWindowState != wsMaximized) insert(kMaxItem, [this] { MaxItemClick(); });
    if (FWindowState != wsNormal || FRollUpState) insert(kRestoreItem, [this] { RestoreItemClick(); });
    if ((FBorderIcons & biMinimize) && !minimized) insert(kMinItem, [this] { MinItemClick(); });
    TMenuItem* close = NewSysItem(owner, sd, kCloseItem, [this] { CloseItemClick(); });
    close->SetShortCut(CloseShortCut());
    root->Add(close);
}

bool TqvVelmora::CanRollUpFromMenu() const {
    // A maximized child has no frame of its own to roll up.
    return (FBorderIcons & biRollUp) && !FRollUpState && FWindowState != wsMinimized &&
           !(FWindowState == wsMaximized && IsMDIChild());
}

int TqvVelmora::CloseShortCut() const {
    return IsMDIChild() ? ShortCut(Qt::Key_F4, Qt::ControlModifier) : ShortCut(Qt::Key_F4, Qt::AltModifier);
}

TMenuItem* TqvVelmora::GetSystemMenu() {
    if (FMenuLink)
        if (TMenuItem* items = FMenuLink->SystemMenuItems()) return items;
    if (SystemMenu) {
        if (UseDefaultSysMenu) MergeSystemMenuItems();
        return SystemMenu->Items();
    }
    CreateSystemMenu();
    return FSysMenu->Items();
}

void TqvVelmora::CreateTrayMenu() {
    TMenuItem* root = FSysTrayMenu->Items();
    root->Add(NewSysItem(FSysTrayMenu, nullptr, kTrayRestoreItem, [this] { TrayIconDblClick(); }));
    auto* line = new TMenuItem(FSysTrayMenu);
    line->SetCaption(QStringLiteral("-"));
    root->Add(line);
    TMenuItem* close = NewSysItem(FSysTrayMenu, nullptr, kTrayCloseItem, [this] { TrayCloseItemClick(); });
    close->SetShortCut(ShortCut(Qt::Key_F4, Qt::AltModifier));
    root->Add(close);
}

void TqvVelmora::TrayIconDblClick() {
    if (TrayIcon()) {
        RestoreFromTray();
        return;
    }
    if (FWindowState == wsMinimized) SetWindowState(wsNormal);
    FForm->Show();
    FForm->activateWindow();
}

void TqvVelmora::TrayCloseItemClick() { CloseItemClick(); }

// ---- opening menus

void TqvVelmora::PopupSkinMenu(TMenu* Menu, QPoint P) { PopupSkinMenu1(Menu, Rect(P.x(), P.y(), P.x(), P.y()), false); }

void TqvVelmora::PopupSkinMenu1(TMenu* Menu, const TRect& R, bool PopupUp) {
    if (!Menu) return;
    QPointer<TMenu> menu(Menu);
    SkinMenuOpen();
    if (menu) FSkinMenu->Popup(nullptr, MenuSkin(), 0, R, menu->Items(), PopupUp);
}

void TqvVelmora::DoPopupMenu(TPopupMenu* Menu, int X, int Y) {
    if (!Menu) return;
    QPointer<TPopupMenu> menu(Menu);
    if (Menu->OnPopup) Application()->Guard([&] { Menu->OnPopup(this); });
    if (!menu) return;
    if (FSkinMenu->Visible()) {
        FSkinMenu->CloseLevels(0);
        SkinMenuClose();
    }
    SkinMenuOpen();
    if (menu) FSkinMenu->Popup(nullptr, FSD, 0, Rect(X, Y, X, Y), menu->Items(), false);
}

void TqvVelmora::PopupSystemMenuAt(QPoint Global) {
    PopupSystemMenuBeside(Rect(Global.x(), Global.y(), Global.x(), Global.y()));
}

void TqvVelmora::PopupSystemMenuBeside(const TRect& R) {
    if (DisableSystemMenu) return;
    // A child's menus open through the frame's component: its window stays on top of the child.
    TqvVelmora* shower = IsMDIChild() ? MainFormComponent() : this;
    if (!shower) return;
    QPointer<TqvVelmora> c(shower);
    TMenuItem* items = GetSystemMenu();
    shower->SkinMenuOpen();
    if (c) c->SkinMenu()->Popup(nullptr, c->MenuSkin(), 0, R, items, false);
}

void TqvVelmora::PopupSystemMenuFromButton() {
    if (DisableSystemMenu) return;
    for (auto& o : ObjectList) {
        const auto kind = o->Kind();
        if (!o->Enabled || !o->Visible || o->Command != cmSysMenu) continue;
        if (kind != TqvFrameObjectKind::StdButton && kind != TqvFrameObjectKind::Animate) continue;
        TRect R = o->ObjectRect;
        const QPoint origin = WindowOrigin();
        OffsetRect(R, origin.x(), origin.y());
        PopupSystemMenuBeside(R);
        return;
    }
}

// ---- menu state

void TqvVelmora::SkinMenuOpen() {
    if (!InMainMenu) HookApp();
    if (!InMenu) {
        InMenu = true;
        if (OnSkinMenuOpen) Application()->Guard([&] { OnSkinMenuOpen(this); });
    }
}

void TqvVelmora::SkinMenuClose() {
    InMenu = false;
    UnHookApp();
    ReleaseMenuObjects();
    QPointer<TqvVelmora> self(this);
    if (OnSkinMenuClose) Application()->Guard([&] { OnSkinMenuClose(this); });
    if (!self || !InMainMenu) return;
    InMainMenu = false;
    if (TqvMenuBarLink* bar = MainMenuBar()) bar->ExitMainMenu();
    if (self && OnMainMenuExit) Application()->Guard([&] { OnMainMenuExit(this); });
}

void TqvVelmora::SkinMainMenuClose() {
    InMainMenu = false;
    QPointer<TqvVelmora> self(this);
    if (FSkinMenu->Visible()) FSkinMenu->Hide();
    if (!self) return;
    if (TqvMenuBarLink* bar = MainMenuBar()) bar->ExitMainMenu();
    UnHookApp();
    if (OnMainMenuExit) Application()->Guard([&] { OnMainMenuExit(this); });
}

void TqvVelmora::MainMenuPopupClose() {
    InMenu = false;
    if (TqvMenuBarLink* bar = MainMenuBar()) bar->ReleaseDownItem();
    if (OnSkinMenuClose) Application()->Guard([&] { OnSkinMenuClose(this); });
}

void TqvVelmora::SysKeyMenu() {
    if (InMainMenu) {
        SkinMainMenuClose();
        return;
    }
    // The open levels go too: a menu state without a hook would leave them
    // on the screen with nothing to close them by the keyboard.
    QPointer<TqvVelmora> self(this);
    if (FSkinMenu->Visible()) FSkinMenu->Hide();
    if (!self) return;
    if (TqvMenuBarLink* bar = MainMenuBar()) bar->EnterMainMenu();
}

// ---- the application hook

void TqvVelmora::HookApp() {
    if (FAppHook) return;
    auto* hook = new TAppHook(this, [this](QObject* w, QEvent* e) {
        bool handled = false;
        Application()->Guard([&] { handled = AppMessage(w, e); });
        return handled;
    });
    FAppHook = hook;
    qApp->installEventFilter(hook);
}

void TqvVelmora::UnHookApp() {
    if (!FAppHook) return;
    QObject* hook = FAppHook;
    FAppHook = nullptr;
    qApp->removeEventFilter(hook);
    // Often removed from inside its own filter call.
    hook->deleteLater();
}

bool TqvVelmora::AppMessage(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        // System keys (Alt chords, Alt itself, F10) go on to the form's shortcut handling.
        if ((k->modifiers() & Qt::AltModifier) || k->key() == Qt::Key_Alt || k->key() == Qt::Key_F10) return false;
        MenuKeyDown(k->key());
        return true;
    }
    case QEvent::Wheel:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // A press on any control of the form closes the menus; the form's own
        // presses go through its menu-closing step already.
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w != FForm && FForm->isAncestorOf(w)) CheckMenuCloseMessage(e);
        return false;
    }
    default:
        return false;
    }
}

// ---- keys

bool TqvVelmora::CheckMenuBarHotKey(int Key) {
    TqvMenuBarLink* bar = MainMenuBar();
    return bar && bar->CheckHotKey(Key);
}

bool TqvVelmora::CanMoveToPrevMenuBarItem() const { return FSkinMenu->LevelCount() <= 1; }

bool TqvVelmora::CanMoveToNextMenuBarItem() const {
    TqvSkinPopupWindow* last = FSkinMenu->LastLevel();
    if (!last) return true;
    const TqvSkinMenuItem* item = last->Level().Item(last->ActiveItem());
    return !item || !item->MenuItem || item->MenuItem->Count() == 0;
}

bool TqvVelmora::OpenMenuBarItem() {
    TqvMenuBarLink* bar = MainMenuBar();
    return InMainMenu && bar && bar->ClickActiveItem();
}

void TqvVelmora::MenuKeyDown(int Key) {
    // A child's menus are the frame's: so are their keys.
    if (IsMDIChild())
        if (TqvVelmora* main = MainFormComponent();
            main && main != this && (main->InMenu || main->InMainMenu || main->SkinMenu()->Visible())) {
            main->MenuKeyDown(Key);
            return;
        }
    QPointer<TqvVelmora> self(this);
    TqvMenuBarLink* bar = MainMenuBar();
    const bool barActive = InMainMenu && bar;
    if (barActive && CheckMenuBarHotKey(Key)) return;
    if (!self) return;
    if (barActive && Key == Qt::Key_Escape && !InMenu) {
        SkinMainMenuClose();
        return;
    }
    if (barActive && Key == Qt::Key_Left && CanMoveToPrevMenuBarItem()) {
        bar->PrevMainMenuItem();
        return;
    }
    if (barActive && Key == Qt::Key_Right && CanMoveToNextMenuBarItem()) {
        bar->NextMainMenuItem();
        return;
    }
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Down) {
        if (OpenMenuBarItem() || !self) return;
        if (FSkinMenu->Visible())
            if (TqvSkinPopupWindow* last = FSkinMenu->LastLevel()) last->PopupKeyDown(Key);
        return;
    }
    if (FSkinMenu->Visible())
        if (TqvSkinPopupWindow* last = FSkinMenu->LastLevel()) last->PopupKeyDown(Key);
    if (!self) return;
    if (Key == Qt::Key_Escape && FSkinMenu->LevelCount() == 0) {
        if (InMainMenu) MainMenuPopupClose();
        else SkinMenuClose();
    }
}

void TqvVelmora::CheckMenuCloseMessage(QEvent* e) {
    QPointer<TqvVelmora> self(this);
    if (InMainMenu && !InMenu) {
        SkinMainMenuClose();
    } else if (FSkinMenu->Visible()) {
        FSkinMenu->Hide();
    } else if (InMenu) {
        SkinMenuClose();
    } else if (IsMDIForm() && FForm->isVisible()) {
        if (TqvVelmora* child = GetActiveMDIChildSkinForm(); child && child != this) child->CheckMenuCloseMessage(e);
    }
    if (self) CancelDroppedControls();
}

void TqvVelmora::CancelDroppedControls() {
    if (!IsMDIForm() || !FForm->isVisible() || Loading()) return;
    // A frame's drop-downs do not see presses in its children: they are told to close.
    for (QObject* o : FForm->Components()) {
        auto* c = qobject_cast<TControl*>(o);
        if (!c || !c->Visible() || !c->Enabled()) continue;
        if (qobject_cast<TqvSkinCustomComboBox*>(o) || qobject_cast<TqvSkinCustomEdit*>(o)) SendMessage(c, CM_CANCELMODE);
    }
}

void TqvVelmora::FormShortCut(int Key, Qt::KeyboardModifiers Shift, bool& Handled) {
    if (OnShortCut) {
        OnShortCut(Key, Shift, Handled);
        if (Handled) return;
    }
    // A modifier on its own is never a shortcut or an accelerator.
    if (Key == Qt::Key_Alt || Key == Qt::Key_Shift || Key == Qt::Key_Control || Key == Qt::Key_Meta) return;
    Shift &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (Shift == Qt::AltModifier && Key == Qt::Key_Space) {
        PopupSystemMenuFromButton();
        Handled = true;
        return;
    }
    const bool alt = Shift & Qt::AltModifier;
    const TShortCut sc = ShortCut(Key, Shift);
    TqvMenuBarLink* bar = MainMenuBar();
    if (!bar) return;
    bool found = false;
    if (TMainMenu* main = bar->MainMenu()) {
        if (alt && Key != Qt::Key_F4 && CheckMenuBarHotKey(Key)) {
            Handled = true;
            return;
        }
        found = main->IsShortCut(sc);
        Handled = found;
    }
    if (found) return;
    bar = MainMenuBar();
    if (!bar) return;
    if (TMainMenu* child = bar->GetChildMainMenu()) {
        if (alt && Key != Qt::Key_F4 && CheckMenuBarHotKey(Key)) Handled = true;
        else Handled = child->IsShortCut(sc);
    }
}
