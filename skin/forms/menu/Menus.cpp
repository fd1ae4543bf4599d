#include "skin/forms/menu/Menus.h"

#include <algorithm>

namespace {

int NextCommand() {
    static int next = 0;
    if (++next <= 0) next = 1;
    return next;
}

struct TKeyName {
    int Key;
    const char* Text;
};

// The key names menus show beside their items.
const TKeyName kKeyNames[] = {
    {Qt::Key_Backspace, "BkSp"}, {Qt::Key_Tab, "Tab"},       {Qt::Key_Return, "Enter"}, {Qt::Key_Enter, "Enter"},
    {Qt::Key_Escape, "Esc"},     {Qt::Key_Space, "Space"},   {Qt::Key_PageUp, "PgUp"},  {Qt::Key_PageDown, "PgDn"},
    {Qt::Key_End, "End"},        {Qt::Key_Home, "Home"},     {Qt::Key_Left, "Left"},    {Qt::Key_Up, "Up"},
    {Qt::Key_Right, "Right"},    {Qt::Key_Down, "Down"},     {Qt::Key_Insert, "Ins"},   {Qt::Key_Delete, "Del"},
};

QString KeyText(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return QString(QChar(key));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    for (const TKeyName& k : kKeyNames)
        if (k.Key == key) return QLatin1String(k.Text);
    return {};
}

}  // namespace

TShortCut ShortCut(int Key, Qt::KeyboardModifiers Shift) {
    const Qt::KeyboardModifiers kept = Shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return Key | int(kept.toInt());
}

QString ShortCutToText(TShortCut ShortCut) {
    if (ShortCut == 0) return {};
    const QString key = KeyText(ShortCut & ~int(Qt::KeyboardModifierMask));
    if (key.isEmpty()) return {};
    QString s;
    if (ShortCut & Qt::ShiftModifier) s += QLatin1String("Shift+");
    if (ShortCut & Qt::ControlModifier) s += QLatin1String("Ctrl+");
    if (ShortCut & Qt::AltModifier) s += QLatin1String("Alt+");
    return s + key;
}

QChar GetHotkey(const QString& Caption) {
    for (int i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != u'&') continue;
        if (Caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return Caption[i + 1];
    }
    return {};
}

bool IsAccel(int Key, const QString& Caption) {
    const QChar hot = GetHotkey(Caption);
    if (hot.isNull() || Key <= 0 || Key > 0xFFFF) return false;
    return hot.toUpper() == QChar(char16_t(Key)).toUpper();
}

QString StripHotkey(const QString& Caption) {
    QString s;
    s.reserve(Caption.size());
    for (int i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == u'&') {
            if (i + 1 < Caption.size() && Caption[i + 1] == u'&') s += u'&';
            ++i;
            if (i < Caption.size() && Caption[i] != u'&') s += Caption[i];
            continue;
        }
        s += Caption[i];
    }
    return s;
}

// ---------------------------------------------------------------------------

TMenuItem::TMenuItem(QObject* AOwner) : TComponent(AOwner), FCommand(NextCommand()) {}

TMenuItem::~TMenuItem() {
    Clear();
    if (FParent) FParent->Detach(this);
}

void TMenuItem::SetChecked(bool v) {
    FChecked = v;
    if (!v || !FRadioItem || !FParent) return;
    for (TMenuItem* s : FParent->FItems)
        if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex) s->FChecked = false;
}

TMenuItem* TMenuItem::Items(int Index) const {
    return Index >= 0 && Index < Count() ? FItems[std::size_t(Index)] : nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    const auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item || Item == this) return;
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == Item) throw EComponentError("A menu item cannot hold itself");
    if (Item->FParent) Item->FParent->Detach(Item);
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
    if (Item && Item->FParent == this) Detach(Item);
}

void TMenuItem::Detach(TMenuItem* Item) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
    Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index) { delete Items(Index); }

void TMenuItem::Clear() {
    while (!FItems.empty()) delete FItems.back();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* p = this;
    while (p->FParent) p = p->FParent;
    return p->FMenu;
}

void TMenuItem::RethinkLines() {
    TMenuItem* lastShown = nullptr;
    for (TMenuItem* item : FItems) {
        if (!item->FVisible) continue;
        if (item->IsLine()) item->FLineReduced = !lastShown || lastShown->IsLine();
        if (item->Shown()) lastShown = item;
    }
    // A separator left at the end closes nothing.
    if (lastShown && lastShown->IsLine()) lastShown->FLineReduced = true;
}

void TMenuItem::Click() {
    if (FEnabled && OnClick) OnClick(this);
}

// ---------------------------------------------------------------------------

TMenu::TMenu(QObject* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() { delete FItems; }

namespace {
TMenuItem* FindIn(TMenuItem* item, const std::function<bool(TMenuItem*)>& match) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* c = item->Items(i);
        if (match(c)) return c;
        if (TMenuItem* d = FindIn(c, match)) return d;
    }
    return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindItem(int Command) const {
    if (Command <= 0) return nullptr;
    return FindIn(FItems, [Command](TMenuItem* i) { return i->Command() == Command; });
}

bool TMenu::DispatchCommand(int Command) {
    TMenuItem* item = FindItem(Command);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(TShortCut Key) {
    if (Key == 0) return false;
    TMenuItem* item = FindIn(FItems, [Key](TMenuItem* i) { return i->ShortCut() == Key && i->Enabled(); });
    if (!item) return false;
    item->Click();
    return true;
}

void TPopupMenu::Popup(int, int) {
    if (OnPopup) OnPopup(this);
}

std::vector<TMenuItem*> MergeMenuItems(const TMenu* Main, const TMenu* Child) {
    std::vector<TMenuItem*> list;
    if (!Main) return list;
    const TMenuItem* main = Main->Items();
    if (!Child) {
        for (int i = 0; i < main->Count(); ++i) list.push_back(main->Items(i));
        return list;
    }
    const TMenuItem* child = Child->Items();
    auto childHas = [child](int group) {
        for (int i = 0; i < child->Count(); ++i)
            if (child->Items(i)->GroupIndex() == group) return true;
        return false;
    };
    for (int i = 0; i < main->Count(); ++i)
        if (!childHas(main->Items(i)->GroupIndex())) list.push_back(main->Items(i));
    for (int i = 0; i < child->Count(); ++i) list.push_back(child->Items(i));
    std::stable_sort(list.begin(), list.end(),
                     [](const TMenuItem* a, const TMenuItem* b) { return a->GroupIndex() < b->GroupIndex(); });
    return list;
}
