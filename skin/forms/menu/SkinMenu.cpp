#include "skin/forms/menu/SkinMenu.h"

#include "platform/Application.h"
#include "platform/Messages.h"
#include "skin/forms/Velmora.h"

#include <QGuiApplication>
#include <QScreen>

bool IsMenuCloseMessage(const QEvent* e) {
    switch (e->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        return true;
    default:
        return false;
    }
}

namespace {

// A level shows something only when an item from StartIndex on is shown.
bool HasShownItems(TMenuItem* AItem, TMenuItem* AItem2, int StartIndex) {
    auto shown = [](TMenuItem* parent, int from) {
        if (!parent) return false;
        for (int i = std::max(from, 0); i < parent->Count(); ++i)
            if (parent->Items(i)->Shown()) return true;
        return false;
    };
    return shown(AItem, StartIndex) || shown(AItem2, StartIndex - (AItem ? AItem->Count() : 0));
}

}  // namespace

// ---------------------------------------------------------------------------
// TqvSkinMenu

TqvSkinMenu::TqvSkinMenu(QObject* AOwner, TForm* AForm) : TComponent(AOwner), FForm(AForm) {
    WaitTimer = new TTimer(this);
    WaitTimer->SetEnabled(false);
    WaitTimer->SetInterval(500);
    WaitTimer->OnTimer = [this](QObject*) { OnWaitTimer(); };
}

TqvSkinMenu::~TqvSkinMenu() { CloseLevels(0); }

TRect TqvSkinMenu::GetWorkArea() const {
    QRect r;
    if (TqvVelmora* c = qobject_cast<TqvVelmora*>(Owner())) r = c->WorkArea();
    else if (FForm && FForm->screen()) r = FForm->screen()->availableGeometry();
    else if (QScreen* s = QGuiApplication::primaryScreen()) r = s->availableGeometry();
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void TqvSkinMenu::Popup(TControl* APopupCtrl, TqvSkinData* ASkinData, int StartIndex, const TRect& R,
                        TMenuItem* AItem, bool PopupUp) {
    Popup2(APopupCtrl, ASkinData, StartIndex, R, AItem, nullptr, PopupUp);
}

void TqvSkinMenu::Popup2(TControl* APopupCtrl, TqvSkinData* ASkinData, int StartIndex, const TRect& R,
                         TMenuItem* AItem, TMenuItem* AItem2, bool PopupUp) {
    FFirst = !FVisible;
    // The old menu ends as any menu does: its own control hears 1228 and its
    // one-shot close event fires; the new control is told when its own menu ends.
    if (!FPopupList.empty() || FVisible) CloseLevels(0);
    QPointer<TqvSkinMenu> self(this);
    if (!self) return;
    PopupCtrl = APopupCtrl;
    FWorkArea = GetWorkArea();
    FSkinData = ASkinData;
    if (!AItem || !HasShownItems(AItem, AItem2, StartIndex)) {
        // Nothing to show: end the menu now, or the control stays pressed and
        // the form keeps its menu state until some later click.
        FFirst = false;
        Hide();
        return;
    }
    FVisible = true;
    OpenLevel(R, AItem, AItem2, StartIndex, false, PopupUp);
    FFirst = false;
}

void TqvSkinMenu::OpenLevel(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                            bool PopupUp) {
    TqvSkinData* sd = FSkinData && !FSkinData->Empty ? FSkinData.data() : nullptr;
    auto* w = new TqvSkinPopupWindow(FForm, this, sd, FSettings);
    // Only the first level of a menu fades in; submenus show at the value.
    w->SetAlphaBlend(AlphaBlend, AlphaBlendValue, AlphaBlendAnimation && FFirst);
    FPopupList.emplace_back(w);
    w->Show(R, AItem, StartIndex, PopupByItem, PopupUp, FWorkArea, AItem2);
}

void TqvSkinMenu::StopWait() {
    WaitTimer->SetEnabled(false);
    FWItem = nullptr;
    FWWindow = nullptr;
}

void TqvSkinMenu::CloseLevels(int Index) {
    Index = std::max(Index, 0);
    while (int(FPopupList.size()) > Index) {
        QPointer<TqvSkinPopupWindow> w = FPopupList.back();
        FPopupList.pop_back();
        if (w && w == FWWindow) StopWait();
        // Hidden at once, freed once the handler that closed it (often its
        // own) has returned.
        if (w) {
            w->HideLevel();
            w->deleteLater();
        }
    }
    if (Index != 0) return;
    FVisible = false;
    StopWait();
    DCtrl = PopupCtrl;
    QPointer<TqvSkinMenu> self(this);
    if (QPointer<TControl> c = PopupCtrl) {
        PopupCtrl = nullptr;
        SendMessage(c, WM_SKIN_MENU_CLOSED);
        if (!self) return;
    }
    // Taken before it runs: the handler may hand over the next menu's event.
    if (TNotifyEvent e = std::exchange(OnMenuClose, nullptr)) Application()->Guard([&] { e(this); });
}

void TqvSkinMenu::Hide() {
    QPointer<TqvSkinMenu> self(this);
    CloseLevels(0);
    if (!self) return;
    StopWait();
    if (FForm) SendMessage(FForm, WM_SKIN_MENU_CLOSED);
}

int TqvSkinMenu::IndexOfLevel(const TqvSkinPopupWindow* Window) const {
    for (std::size_t i = 0; i < FPopupList.size(); ++i)
        if (FPopupList[i] == Window) return int(i);
    return int(FPopupList.size());
}

TqvSkinPopupWindow* TqvSkinMenu::Level(int Index) const {
    return Index >= 0 && Index < LevelCount() ? FPopupList[std::size_t(Index)].data() : nullptr;
}

void TqvSkinMenu::ItemLeft(TqvSkinMenuItem* Item) {
    if (Item && Item == FWItem) StopWait();
}

void TqvSkinMenu::ProcessItem(TqvSkinPopupWindow* Window, TqvSkinMenuItem* Item, bool Choose, bool Kb) {
    if (!Window || !Item || !Item->MenuItem) return;
    const bool submenu = Item->MenuItem->Count() > 0;
    QPointer<TqvSkinMenu> self(this);
    if (!Choose) {
        if (submenu && Kb) return;  // the keyboard opens submenus itself
        StopWait();
        if (const int i = IndexOfLevel(Window); i + 1 < LevelCount()) CloseLevels(i + 1);
        if (submenu) {
            FWItem = Item;
            FWWindow = Window;
            WaitTimer->SetEnabled(true);
        }
        return;
    }
    // Everything the command needs is taken now: closing frees the level and
    // its items, and the command may free the menu item itself.
    QPointer<TMenuItem> mi = Item->MenuItem;
    QPointer<TMenu> menu = mi->GetParentMenu();
    const int command = mi->Command();
    auto run = [&] {
        Application()->Guard([&] {
            if (menu) menu->DispatchCommand(command);
            else if (mi) mi->Click();
        });
    };
    if (!submenu) {
        StopWait();
        Hide();
        if (!self) return;
        QPointer<TControl> d = std::exchange(DCtrl, nullptr);
        run();
        if (d) SendMessage(d, WM_SKIN_MENU_COMMAND);
        return;
    }
    // A submenu item runs its own command first (it may fill the submenu).
    QPointer<TqvSkinPopupWindow> w(Window);
    run();
    if (!self || !w || !mi || IndexOfLevel(w) >= LevelCount()) return;
    StopWait();
    if (!HasShownItems(mi, nullptr, 0)) return;
    if (const int i = IndexOfLevel(w); i + 1 < LevelCount()) CloseLevels(i + 1);
    Item->Down = true;
    w->update();
    TRect R = Item->ObjectRect;
    const QPoint o = w->pos();
    OffsetRect(R, o.x(), o.y());
    OpenLevel(R, mi, nullptr, 0, true, false);
}

void TqvSkinMenu::OnWaitTimer() {
    TqvSkinMenuItem* item = FWItem;
    QPointer<TqvSkinPopupWindow> w = FWWindow;
    StopWait();
    if (item && w && IndexOfLevel(w) < LevelCount()) ProcessItem(w, item, true, false);
}

// ---------------------------------------------------------------------------
// TqvSkinPopupMenu

TqvSkinPopupMenu::TqvSkinPopupMenu(QObject* AOwner) : TPopupMenu(AOwner) {}

TqvVelmora* TqvSkinPopupMenu::SkinComponent() const { return qobject_cast<TqvVelmora*>(FSkinComponent.data()); }
void TqvSkinPopupMenu::SetSkinComponent(TqvVelmora* v) { FSkinComponent = v; }

TqvVelmora* TqvSkinPopupMenu::FindSkinComponent() {
    if (TqvVelmora* c = SkinComponent()) return c;
    if (FComponentForm) return GetSkinFormComponent(FComponentForm);
    QObject* owner = Owner();
    TForm* form = qobject_cast<TForm*>(owner);
    if (!form)
        if (const TComponentBase* b = owner ? AsComponent(owner) : nullptr) form = qobject_cast<TForm*>(b->Owner());
    TqvVelmora* c = form ? GetSkinFormComponent(form) : nullptr;
    // A child's menus show through its frame's component.
    if (c && form->FormStyle() == fsMDIChild) c = GetSkinFormComponent(Application()->MainForm());
    return c;
}

TqvVelmora* TqvSkinPopupMenu::Prepare(bool NeedSkin) {
    QPointer<TqvSkinPopupMenu> self(this);
    if (OnPopup) Application()->Guard([&] { OnPopup(this); });
    if (!self) return nullptr;
    TqvVelmora* c = FindSkinComponent();
    if (!c) return nullptr;
    if (!FSkinData) FSkinData = c->MenusSkinData() ? c->MenusSkinData() : c->SkinData();
    if (NeedSkin && !FSkinData) return nullptr;
    // The open menu ends before this one's close event is handed over, so
    // that event is not spent on the old menu.
    if (c->SkinMenu()->Visible()) {
        c->SkinMenu()->CloseLevels(0);
        c->SkinMenuClose();
    }
    return c;
}

void TqvSkinPopupMenu::Show(TqvVelmora* C, TControl* ACtrl, const TRect& R, bool PopupUp) {
    QPointer<TqvVelmora> c(C);
    FPopupPoint = Point(R.Left, R.Top);
    C->SkinMenuOpen();
    if (!c) return;
    C->SkinMenu()->OnMenuClose = OnMenuClose;
    C->SkinMenu()->Popup(ACtrl, FSkinData, 0, R, Items(), PopupUp);
}

void TqvSkinPopupMenu::Popup(int X, int Y) {
    if (TqvVelmora* c = Prepare(false)) Show(c, nullptr, Rect(X, Y, X, Y), false);
}

void TqvSkinPopupMenu::PopupFromRect(const TRect& R, bool APopupUp) {
    if (TqvVelmora* c = Prepare(false)) Show(c, nullptr, R, APopupUp);
}

void TqvSkinPopupMenu::Popup2(TControl* ACtrl, int X, int Y) {
    if (TqvVelmora* c = Prepare(true)) Show(c, ACtrl, Rect(X, Y, X, Y), false);
}

void TqvSkinPopupMenu::PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) {
    if (TqvVelmora* c = Prepare(false)) Show(c, ACtrl, R, APopupUp);
}

bool TqvSkinPopupMenu::ClickDefaultItem() {
    for (int i = 0; i < Items()->Count(); ++i)
        if (TMenuItem* item = Items()->Items(i); item->Default()) {
            Application()->Guard([&] { item->Click(); });
            return true;
        }
    return false;
}
