#include "skin/forms/menubar/MenuBarDriver.h"

#include "skin/forms/Velmora.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

TqvMenuBarDriver::TqvMenuBarDriver(TqvSkinMainMenuBar* Bar, TqvVelmora* Velmora)
    : QObject(nullptr), FBar(Bar), FVelmora(Velmora) {
    qApp->installEventFilter(this);
}

TqvMenuBarDriver::~TqvMenuBarDriver() {
    qApp->removeEventFilter(this);
    for (TqvSkinPopupWindow* w : FLevels) delete w;
}

bool TqvMenuBarDriver::FormVisible() const {
    return FVelmora && FVelmora->Form() && FVelmora->Form()->isVisible();
}

void TqvMenuBarDriver::MainMenuEnter(TqvSkinMainMenuBar* Sender) {
    if (OnMainMenuEnter) OnMainMenuEnter(Sender);
}

void TqvMenuBarDriver::SkinMenuOpen() {
    if (!FInMainMenu) HookApp();
    FInMenu = true;
}

void TqvMenuBarDriver::SkinMenuClose() {
    CloseLevels(0);
    FInMenu = false;
    FHooked = false;
    if (FInMainMenu) {
        FInMainMenu = false;
        FBar->ExitMainMenu();
        if (OnMainMenuExit) OnMainMenuExit(FBar);
    }
}

void TqvMenuBarDriver::SkinMainMenuClose() {
    FInMainMenu = false;
    CloseLevels(0);
    FInMenu = false;
    FBar->ExitMainMenu();
    FHooked = false;
    if (OnMainMenuExit) OnMainMenuExit(FBar);
}

void TqvMenuBarDriver::MainMenuPopupClose() {
    FInMenu = false;
    FBar->ReleaseDownItem();
}

void TqvMenuBarDriver::SysKeyMenu() {
    if (!FInMainMenu) {
        if (FInMenu) SkinMenuClose();
        FBar->EnterMainMenu();
    } else
        SkinMainMenuClose();
}

// ---- levels

TRect TqvMenuBarDriver::WorkArea() const {
    QScreen* s = nullptr;
    if (FVelmora && FVelmora->Form()) s = FVelmora->Form()->screen();
    if (!s) s = QGuiApplication::primaryScreen();
    const QRect r = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void TqvMenuBarDriver::Popup(TqvSkinData* SkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
                             TMenuItem* AItem2, bool PopupUp) {
    CloseLevels(0);
    if (!AItem) return;
    FLevelSkin = SkinData;
    QWidget* parent = FVelmora && FVelmora->Form() ? FVelmora->Form()->window() : FBar->window();
    auto* w = new TqvSkinPopupWindow(parent, this, SkinData, TqvMenuSettings{});
    FLevels.push_back(w);
    w->Show(R, AItem, StartIndex, false, PopupUp, WorkArea(), AItem2);
}

void TqvMenuBarDriver::OpenSubLevel(TqvSkinPopupWindow* Window, TqvSkinMenuItem* Item, bool Kb) {
    CloseLevels(IndexOfLevel(Window) + 1);
    Item->Down = true;
    Window->update();
    const QPoint tl = Window->mapToGlobal(QPoint(Item->ObjectRect.Left, Item->ObjectRect.Top));
    const TRect R = Bounds(tl.x(), tl.y(), Item->ObjectRect.Width(), Item->ObjectRect.Height());
    auto* w = new TqvSkinPopupWindow(Window->parentWidget(), this, FLevelSkin, TqvMenuSettings{});
    FLevels.push_back(w);
    w->Show(R, Item->MenuItem, 0, true, false, WorkArea());
    (void)Kb;
}

void TqvMenuBarDriver::ProcessItem(TqvSkinPopupWindow* Window, TqvSkinMenuItem* Item, bool Choose, bool Kb) {
    if (!Item || !Item->MenuItem) return;
    const bool sub = Item->MenuItem->Count() > 0 && Item->IsEnabled();
    if (!Choose) {
        // The pointer opens a submenu; the keyboard only highlights it.
        if (sub && !Kb) OpenSubLevel(Window, Item, Kb);
        return;
    }
    if (sub) {
        OpenSubLevel(Window, Item, Kb);
        return;
    }
    if (!Item->IsEnabled() || Item->MenuItem->IsLine()) return;
    // Everything of the menu goes before the command: its handler may open
    // another menu or a modal dialog.
    QPointer<TMenuItem> chosen = Item->MenuItem;
    QPointer<TMenu> menu = chosen->GetParentMenu();
    SkinMenuClose();
    if (!chosen) return;
    if (menu)
        menu->DispatchCommand(chosen->Command());
    else
        chosen->Click();
}

void TqvMenuBarDriver::CloseLevels(int Index) {
    while (int(FLevels.size()) > std::max(Index, 0)) {
        TqvSkinPopupWindow* w = FLevels.back();
        FLevels.pop_back();
        w->HideLevel();
        w->deleteLater();  // it may still be running the code that closed it
    }
}

int TqvMenuBarDriver::IndexOfLevel(const TqvSkinPopupWindow* Window) const {
    for (std::size_t i = 0; i < FLevels.size(); ++i)
        if (FLevels[i] == Window) return int(i);
    return int(FLevels.size());
}

TqvSkinPopupWindow* TqvMenuBarDriver::Level(int Index) const {
    return Index >= 0 && Index < LevelCount() ? FLevels[std::size_t(Index)] : nullptr;
}

// ---- keys

void TqvMenuBarDriver::MenuKeyDown(int Key) {
    TqvSkinPopupWindow* last = FLevels.empty() ? nullptr : FLevels.back();
    if (FInMainMenu && FBar->CheckHotKey(Key)) return;
    if (Key == Qt::Key_Escape && FInMainMenu && !FInMenu) {
        SkinMainMenuClose();
        return;
    }
    if (Key == Qt::Key_Left && FInMainMenu && FLevels.size() <= 1) {
        FBar->PrevMainMenuItem();
        return;
    }
    if (Key == Qt::Key_Right && FInMainMenu) {
        TqvSkinMenuItem* sel = last ? last->Level().Item(last->ActiveItem()) : nullptr;
        if (!last || !sel || !sel->MenuItem || sel->MenuItem->Count() == 0) {
            FBar->NextMainMenuItem();
            return;
        }
    }
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Down) {
        if (FBar->ClickActiveItem()) return;
        if (last) last->PopupKeyDown(Key);
        return;
    }
    if (last) last->PopupKeyDown(Key);
    if (Key == Qt::Key_Escape && FLevels.empty()) {
        if (FInMainMenu)
            MainMenuPopupClose();
        else
            SkinMenuClose();
    }
}

bool TqvMenuBarDriver::FormShortCut(int Key, Qt::KeyboardModifiers Mods) {
    TMainMenu* main = FBar->MainMenu();
    if (!main) return false;
    // Alt+F4 closes the form, whatever item has F as its accelerator.
    if ((Mods & Qt::AltModifier) && Key != Qt::Key_F4 && FBar->CheckHotKey(Key)) return true;
    return main->IsShortCut(ShortCut(Key, Mods));
}

bool TqvMenuBarDriver::IsFormKeyTarget(QObject* Watched) const {
    if (!FVelmora || !FVelmora->Form()) return false;
    auto* w = qobject_cast<QWidget*>(Watched);
    QWidget* form = FVelmora->Form()->window();
    if (!w || w->window() != form) return false;
    // A key event climbs the parent chain; only its first receiver counts.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == form) return w == focus;
    return w == form;
}

bool TqvMenuBarDriver::IsMenuWidget(QObject* Watched) const {
    auto* w = qobject_cast<QWidget*>(Watched);
    for (; w; w = w->parentWidget()) {
        if (w == FBar) return true;
        for (TqvSkinPopupWindow* l : FLevels)
            if (w == l) return true;
        if (w->isWindow()) break;
    }
    return false;
}

bool TqvMenuBarDriver::eventFilter(QObject* Watched, QEvent* Event) {
    const bool open = FHooked || FInMenu || FInMainMenu;
    switch (Event->type()) {
    case QEvent::KeyPress: {
        if (!IsFormKeyTarget(Watched) && !(open && qobject_cast<TqvSkinPopupWindow*>(Watched))) break;
        auto* k = static_cast<QKeyEvent*>(Event);
        const int key = k->key();
        const Qt::KeyboardModifiers mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (key == Qt::Key_Alt) {
            FAltAlone = !k->isAutoRepeat() || FAltAlone;
            return open;
        }
        FAltAlone = false;
        if (key == Qt::Key_F10 && mods == Qt::NoModifier) {
            SysKeyMenu();
            return true;
        }
        if (open && !(mods & Qt::AltModifier)) {
            MenuKeyDown(key);
            return true;
        }
        if (mods & Qt::AltModifier) {
            // An Alt chord: the open drop-downs close when it is no accelerator.
            if (FormShortCut(key, mods)) return true;
            if (open) SkinMenuClose();
            return false;
        }
        return FormShortCut(key, mods);
    }
    case QEvent::KeyRelease: {
        if (!IsFormKeyTarget(Watched)) break;
        auto* k = static_cast<QKeyEvent*>(Event);
        if (k->key() == Qt::Key_Alt && !k->isAutoRepeat() && FAltAlone) {
            FAltAlone = false;
            SysKeyMenu();
            return true;
        }
        return open && k->key() != Qt::Key_Alt;
    }
    case QEvent::Wheel:
        return open;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (open && !IsMenuWidget(Watched)) {
            if (FInMainMenu && !FInMenu)
                SkinMainMenuClose();
            else
                SkinMenuClose();
        }
        break;
    case QEvent::WindowDeactivate:
    case QEvent::Move:
    case QEvent::Resize:
        if (open && FVelmora && FVelmora->Form() && Watched == FVelmora->Form()->window()) SkinMenuClose();
        break;
    default: break;
    }
    return false;
}
