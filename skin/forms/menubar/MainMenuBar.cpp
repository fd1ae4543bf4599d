#include "skin/forms/menubar/MainMenuBar.h"

#include "platform/Sources.h"
#include "skin/forms/Velmora.h"
#include "platform/Application.h"
#include "skin/forms/menu/MenuBarGeometry.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QMouseEvent>

namespace {

// The skinned-form component's menu state and manager as the bar's service.
class TVelmoraHost : public TqvMenuBarHost {
public:
    explicit TVelmoraHost(TqvVelmora* V) : FV(V) {}
    bool InMenu() const override { return FV && FV->InMenu; }
    void SetInMenu(bool Value) override {
        if (FV) FV->InMenu = Value;
    }
    bool InMainMenu() const override { return FV && FV->InMainMenu; }
    void SetInMainMenu(bool Value) override {
        if (FV) FV->InMainMenu = Value;
    }
    bool FormVisible() const override { return FV && FV->Form() && FV->Form()->isVisible(); }
    void SkinMenuOpen() override {
        if (FV) FV->SkinMenuOpen();
    }
    void SkinMainMenuClose() override {
        if (FV) FV->SkinMainMenuClose();
    }
    void HookApp() override {
        if (FV) FV->HookApp();
    }
    void MainMenuEnter(TqvSkinMainMenuBar* Sender) override {
        if (FV && FV->OnMainMenuEnter) Application()->Guard([&] { FV->OnMainMenuEnter(Sender); });
    }
    void Popup(TqvSkinData* SkinData, int StartIndex, const TRect& R, TMenuItem* AItem, TMenuItem* AItem2,
               bool PopupUp) override {
        if (FV) FV->SkinMenu()->Popup2(nullptr, SkinData, StartIndex, R, AItem, AItem2, PopupUp);
    }

private:
    QPointer<TqvVelmora> FV;
};

}  // namespace

TqvSkinMainMenuBar::TqvSkinMainMenuBar(QObject* AOwner) : TqvSkinControl(AOwner) {
    FSkinDataName = QStringLiteral("mainmenubar");
    SetAlign(alTop);
    TControl::SetBounds(Left(), Top(), Width(), 22);
    FDefItemFont.SetColor(clBtnText);
    FDefItemFont.OnChange = [this] {
        GetSkinData();
        if (FIndex == -1) update();
    };
    auto timer = [this](int interval, void (TqvSkinMainMenuBar::*proc)()) {
        auto* t = new TTimer(this);
        t->SetEnabled(false);
        t->SetInterval(interval);
        t->OnTimer = [this, proc](QObject*) { (this->*proc)(); };
        return t;
    };
    FMouseTimer = timer(50, &TqvSkinMainMenuBar::MouseTimerProc);
    FMorphTimer = timer(25, &TqvSkinMainMenuBar::MorphTimerProc);
    FAnimateTimer = timer(25, &TqvSkinMainMenuBar::AnimateTimerProc);
}

TqvSkinMainMenuBar::~TqvSkinMainMenuBar() {
    if (FVelmora && FVelmora->MainMenuBar() == this) FVelmora->SetMainMenuBar(nullptr);
    ObjectList.clear();
}

void TqvSkinMainMenuBar::SetDefItemFont(const TFont& f) { FDefItemFont.Assign(f); }

void TqvSkinMainMenuBar::SetDefaultWidth(int v) {
    FDefaultWidth = v;
    GetSkinData();
    if (v > 0 && FIndex == -1) SetWidth(v);
}

void TqvSkinMainMenuBar::SetDefaultHeight(int v) {
    FDefaultHeight = v;
    GetSkinData();
    if (v > 0 && FIndex == -1) SetHeight(v);
}

void TqvSkinMainMenuBar::SetVelmora(TqvVelmora* v) {
    if (FVelmora == v) return;
    if (FVelmora && FVelmora->MainMenuBar() == this) FVelmora->SetMainMenuBar(nullptr);
    FVelmora = v;
    FFormHost.reset();
    if (v) {
        FFormHost = std::make_unique<TVelmoraHost>(v);
        v->SetMainMenuBar(this);
    }
    if (!FCustomHost) FHost = FFormHost.get();
}

void TqvSkinMainMenuBar::SetHost(TqvMenuBarHost* v) {
    FHost = v;
    FCustomHost = v != nullptr;
    if (!v) FHost = FFormHost.get();
}

void TqvSkinMainMenuBar::SetMainMenu(TMainMenu* v) {
    FMainMenu = v;
    CreateMenu();
    update();
}

void TqvSkinMainMenuBar::SetHintText(const QString& h) {
    if (Hint() != h) SetHint(h);
}

TqvSkinMainMenuBarItem* TqvSkinMainMenuBar::Item(int Index) const {
    const int o = ItemIndexToObject(Index);
    if (Index < 0 || o >= int(ObjectList.size())) return nullptr;
    return static_cast<TqvSkinMainMenuBarItem*>(ObjectList[std::size_t(o)].get());
}

// ---- items

void TqvSkinMainMenuBar::ClearObjects() {
    ObjectList.clear();
    ButtonsCount = 0;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

TMainMenu* TqvSkinMainMenuBar::GetChildMainMenu() const {
    if (FMergeMenu) return FMergeMenu.data();
    TForm* main = Application()->MainForm();
    TForm* child = main ? main->ActiveMDIChild() : nullptr;
    if (!child) return nullptr;
    for (QObject* c : child->Components())
        if (auto* m = qobject_cast<TMainMenu*>(c)) return m;
    return nullptr;
}

TMainMenu* TqvSkinMainMenuBar::CurrentChildMenu() const {
    if (FMergeMenu) return FMergeMenu.data();
    return FVelmora && FVelmora->IsMDIForm() ? GetChildMainMenu() : nullptr;
}

void TqvSkinMainMenuBar::CreateMenu() {
    ClearObjects();
    if (!FMainMenu) return;
    TMainMenu* child = CurrentChildMenu();
    const TqvDataSkinObject* data = nullptr;
    if (FSD && !FSD->Empty) {
        const int i = FSD->GetIndex(MenuBarItem);
        if (i >= 0) data = FSD->ObjectList[std::size_t(i)].get();
    }
    ChildMenuIn = child != nullptr;
    if (child) ScrollMenu = false;
    for (TMenuItem* mi : MergeMenuItems(FMainMenu, child)) {
        if (!mi->Visible()) continue;
        auto item = std::make_unique<TqvSkinMainMenuBarItem>(this, data);
        item->IDName = mi->Name();
        item->Enabled = item->OldEnabled = mi->Enabled();
        item->MenuItem = mi;
        ObjectList.push_back(std::move(item));
    }
    if (FMDIChildMax) {
        CreateMDIButtons();
        if (TqvVelmora* max = GetMaximizedMDIChildSkinForm()) UpdateMDIButtonStates(max->BorderIcons());
    }
}

void TqvSkinMainMenuBar::UpDateItems() {
    CreateMenu();
    update();
    ActiveObject = OldActiveObject = -1;
    FMouseTimer->SetEnabled(true);
}

void TqvSkinMainMenuBar::UpDateEnabledItems() {
    for (int i = 0; i < ItemCount(); ++i) {
        TqvSkinMainMenuBarItem* it = Item(i);
        if (!it->MenuItem) continue;
        if (it->Visible)
            it->Enabled = it->MenuItem->Enabled();
        else
            it->OldEnabled = it->MenuItem->Enabled();
    }
    update();
}

void TqvSkinMainMenuBar::Merge(TMainMenu* Menu) {
    FMergeMenu = Menu;
    UpDateItems();
}

void TqvSkinMainMenuBar::UnMerge() {
    FMergeMenu = nullptr;
    UpDateItems();
}

// ---- skin and size

void TqvSkinMainMenuBar::GetSkinData() {
    TqvSkinControl::GetSkinData();
    const auto* r = dynamic_cast<const TqvDataSkinMainMenuBar*>(Record());
    if (!r) {
        FIndex = -1;
        Picture = QImage();
        return;
    }
    SkinRect = r->SkinRect;
    ItemsRect = r->ItemsRect;
    MenuBarItem = r->MenuBarItem;
    MinButton = r->MinButton;
    MaxButton = r->MaxButton;
    CloseButton = r->CloseButton;
    SysMenuButton = r->SysMenuButton;
    TrackMarkColor = r->TrackMarkColor;
    TrackMarkActiveColor = r->TrackMarkActiveColor;
    StretchEffect = r->StretchEffect;
    ItemTransparent = r->ItemTransparent;
    const int pi = r->PictureIndex;
    Picture = pi >= 0 && pi < int(FSD->FActivePictures.size()) ? FSD->FActivePictures[std::size_t(pi)] : QImage();
}

void TqvSkinMainMenuBar::ChangeSkinData() {
    GetSkinData();
    FSkinSupport = FIndex != -1;
    CreateMenu();
    if (FSkinSupport)
        SetHeight(SkinRect.Height());
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    update();
}

void TqvSkinMainMenuBar::BeforeChangeSkinData() {
    FSkinSupport = false;
    TqvSkinControl::BeforeChangeSkinData();
    ClearObjects();
}

void TqvSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    if (FIndex != -1) AHeight = SkinRect.Height();
    TqvSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    update();
}

void TqvSkinMainMenuBar::resizeEvent(QResizeEvent* e) {
    TqvSkinControl::resizeEvent(e);
    CalcObjectRects();
}

void TqvSkinMainMenuBar::WndProc(TMessage& message) {
    TqvSkinControl::WndProc(message);
    if (message.Msg == WM_SKIN_MENU_CLOSED) ReleaseSysMenuButton();
    if (message.Msg == WM_SKIN_PARENT_CHANGED && FIndex != -1 && FSD && FSD->MainMenuBarTransparent) update();
}

void TqvSkinMainMenuBar::CalcObjectRects() {
    GetSkinData();
    if (FIndex != -1)
        FNewItemsRect = Rect(ItemsRect.Left, ItemsRect.Top, Width() - (SkinRect.Width() - ItemsRect.Right),
                             ItemsRect.Bottom);
    else
        FNewItemsRect = Rect(2, 2, Width() - 2, Height() - 2);
    if (!FMDIChildMax || ButtonsCount != 4) return;
    TSize sizes[4]{};
    for (int i = 0; i < 4; ++i)
        if (const TqvSkinMainMenuBarButton* b = Button(i); b->FSkinSupport)
            sizes[i] = {b->SkinRect.Width(), b->SkinRect.Height()};
    const TqvMDIButtonsLayout l = LayoutMDIButtons(FNewItemsRect, sizes);
    for (int i = 0; i < 4; ++i) Button(i)->ObjectRect = l.Buttons[i];
    FNewItemsRect = l.Items;
}

// ---- painting

TRect TqvSkinMainMenuBar::GetMarkerRect() const {
    return Rect(FNewItemsRect.Right - 5, FNewItemsRect.Top, FNewItemsRect.Right, FNewItemsRect.Bottom);
}

void TqvSkinMainMenuBar::DrawMarker(TCanvas& C) {
    TColor color;
    if (FIndex != -1)
        color = MarkerActive ? TrackMarkActiveColor : TrackMarkColor;
    else
        color = MarkerActive ? clBtnText : clBtnShadow;
    DrawArrowImage(C, GetMarkerRect(), color, 2);
}

void TqvSkinMainMenuBar::PaintImage(QImage& B) {
    GetSkinData();
    TCanvas C(&B);
    if (FIndex == -1 || Picture.isNull()) {
        C.Brush().SetColor(clBtnFace);
        C.FillRect(Rect(0, 0, B.width(), B.height()));
    } else if (FSD->MainMenuBarTransparent)
        CopyParentBackground(this, C);
    else {
        QImage bg = NewSkinImage(B.width(), B.height());
        MakeHorzSkinImage(ItemsRect.Left, SkinRect.Width() - ItemsRect.Right, bg, Picture, SkinRect, B.width(),
                          B.height(), StretchEffect);
        C.Draw(0, 0, bg);
    }
    CalcObjectRects();
    Scroll = false;
    for (const auto& o : ObjectList) o->Draw(C);
    if (Scroll && ScrollMenu) DrawMarker(C);
}

void TqvSkinMainMenuBar::DrawObject(TqvMenuBarObject* Object) {
    (void)Object;  // the bar's picture is rebuilt whole: items lie on its background
    update();
}

// ---- mouse

void TqvSkinMainMenuBar::TestActive(int X, int Y) {
    if (ObjectList.empty()) return;
    OldActiveObject = ActiveObject;
    int hit = -1;
    for (std::size_t i = 0; i < ObjectList.size(); ++i) {
        const auto& o = ObjectList[i];
        if (o->Enabled && PtInRect(o->ObjectRect, Point(X, Y))) {
            hit = int(i);
            break;
        }
    }
    const bool oldIsItem = OldActiveObject >= ButtonsCount;
    if (hit == -1 && OldActiveObject != -1 && MenuActive && oldIsItem)
        ActiveObject = OldActiveObject;  // menu mode keeps the highlight
    else
        ActiveObject = hit;
    // The pressed object stays hot while the pointer is on it; no other becomes hot.
    if (MouseCaptureObject != -1 && ActiveObject != MouseCaptureObject) ActiveObject = -1;
    if (ActiveObject >= int(ObjectList.size())) ActiveObject = -1;

    if (ActiveObject != OldActiveObject) {
        if (OldActiveObject >= 0 && OldActiveObject < int(ObjectList.size()) &&
            ObjectList[std::size_t(OldActiveObject)]->Enabled)
            ObjectList[std::size_t(OldActiveObject)]->MouseLeave();
        if (ActiveObject >= 0 && ObjectList[std::size_t(ActiveObject)]->Enabled)
            ObjectList[std::size_t(ActiveObject)]->MouseEnter();
    }

    if (Scroll && ScrollMenu) {
        const bool in = PtInRect(GetMarkerRect(), Point(X, Y));
        if (in != MarkerActive) {
            MarkerActive = in;
            update();
        }
    }
}

void TqvSkinMainMenuBar::MouseEnter() {
    TqvSkinControl::MouseEnter();
    FMouseTimer->SetEnabled(true);
}

void TqvSkinMainMenuBar::MouseLeave() {
    TqvSkinControl::MouseLeave();
    FMouseTimer->SetEnabled(false);
    TestActive(-1, -1);
}

void TqvSkinMainMenuBar::MouseTimerProc() {
    const QPoint p = mapFromGlobal(PointerSource().CursorPos());
    if (p.x() < 0 || p.y() < 0 || p.x() > Width() || p.y() > Height()) {
        FMouseTimer->SetEnabled(false);
        TestActive(-1, -1);
        return;
    }
    TestActive(p.x(), p.y());
}

void TqvSkinMainMenuBar::mouseMoveEvent(QMouseEvent* e) {
    TqvSkinControl::mouseMoveEvent(e);
    if (!FMouseTimer->Enabled()) FMouseTimer->SetEnabled(true);
}

void TqvSkinMainMenuBar::DoMouseDown(Qt::MouseButton Button, int X, int Y, bool Double) {
    TestActive(X, Y);
    if (ActiveObject != -1) {
        MouseCaptureObject = ActiveObject;
        TqvMenuBarObject* o = ObjectList[std::size_t(ActiveObject)].get();
        const int index = ActiveObject;
        o->MouseDown(X, Y, Button);
        // The press may have rebuilt the objects (a command, a child's state).
        if (Double && MouseCaptureObject == index && index < int(ObjectList.size()) &&
            ObjectList[std::size_t(index)].get() == o)
            o->DblClick();
    } else if (Scroll && ScrollMenu && PtInRect(GetMarkerRect(), Point(X, Y)))
        PopupHiddenItems();
}

void TqvSkinMainMenuBar::mousePressEvent(QMouseEvent* e) {
    TqvSkinControl::mousePressEvent(e);
    const QPoint p = e->position().toPoint();
    DoMouseDown(e->button(), p.x(), p.y(), false);
    e->accept();  // a press on the bar never reaches the form: that would close the menu it opened
}

void TqvSkinMainMenuBar::mouseDoubleClickEvent(QMouseEvent* e) {
    TqvSkinControl::mouseDoubleClickEvent(e);
    const QPoint p = e->position().toPoint();
    DoMouseDown(e->button(), p.x(), p.y(), true);
    e->accept();
}

void TqvSkinMainMenuBar::mouseReleaseEvent(QMouseEvent* e) {
    if (MouseCaptureObject >= 0 && MouseCaptureObject < int(ObjectList.size())) {
        const QPoint p = e->position().toPoint();
        ObjectList[std::size_t(MouseCaptureObject)]->MouseUp(p.x(), p.y(), e->button());
    }
    MouseCaptureObject = -1;
    TqvSkinControl::mouseReleaseEvent(e);
}

void TqvSkinMainMenuBar::PopupHiddenItems() {
    if (!FHost || !FMainMenu) return;
    int fit = 0;
    TqvSkinMainMenuBarItem* firstHidden = nullptr;
    for (int i = 0; i < ItemCount(); ++i) {
        if (Item(i)->Visible)
            ++fit;
        else if (!firstHidden)
            firstHidden = Item(i);
    }
    const TRect m = GetMarkerRect();
    const QPoint tl = mapToGlobal(QPoint(m.Left, m.Top));
    const TRect R = Bounds(tl.x(), tl.y(), m.Width(), m.Height());
    TMainMenu* child = FMergeMenu ? GetChildMainMenu() : nullptr;
    FHost->SkinMenuOpen();
    if (child)
        FHost->Popup(FSD, fit, R, child->Items(), FMainMenu->Items(), false);
    else {
        // The drop-down starts at the first item left off the bar, wherever
        // invisible items stand before it in the menu.
        const int start = firstHidden && firstHidden->MenuItem ? FMainMenu->Items()->IndexOf(firstHidden->MenuItem)
                                                               : FMainMenu->Items()->Count();
        FHost->Popup(FSD, start, R, FMainMenu->Items(), nullptr, false);
    }
}

// ---- timers

void TqvSkinMainMenuBar::MorphTimerProc() {
    bool any = false;
    for (const auto& o : ObjectList)
        if (o->EnableMorphing() && o->CanMorphing()) {
            o->DoMorphing();
            any = true;
        }
    if (!any) FMorphTimer->SetEnabled(false);
}

void TqvSkinMainMenuBar::AnimateTimerProc() {
    bool any = false;
    for (int i = 0; i < ItemCount(); ++i) {
        TqvSkinMainMenuBarItem* it = Item(i);
        if (!it->EnableAnimation()) continue;
        if (it->Active && it->CurrentFrame <= it->FrameCount) {
            ++it->CurrentFrame;
            any = true;
        } else if (!it->Active && it->CurrentFrame > 0) {
            --it->CurrentFrame;
            any = true;
        }
    }
    if (any)
        update();
    else
        FAnimateTimer->SetEnabled(false);
}

// ---- keyboard

bool TqvSkinMainMenuBar::Usable(int Index) const {
    const TqvSkinMainMenuBarItem* it = Item(Index);
    return it && it->Enabled && it->Visible;
}

bool TqvSkinMainMenuBar::CheckHotKey(int Key) {
    if (!FHost || ObjectList.empty() || !FHost->FormVisible()) return false;
    for (int i = 0; i < ItemCount(); ++i) {
        TqvSkinMainMenuBarItem* it = Item(i);
        if (!Usable(i) || !it->MenuItem || !IsAccel(Key, it->MenuItem->Caption())) continue;
        it->MouseEnter();
        if (!FHost->InMenu() || it->MenuItem->Count() == 0) it->MouseDown(0, 0, Qt::LeftButton);
        return true;
    }
    return false;
}

void TqvSkinMainMenuBar::NextMainMenuItem() {
    const int n = ItemCount();
    int cur = -1;
    for (int i = 0; i < n; ++i)
        if (Usable(i) && (Item(i)->Active || Item(i)->FDown)) {
            cur = i;
            break;
        }
    if (cur >= 0) Item(cur)->MouseLeave();
    for (int i = cur + 1; i < n; ++i)
        if (Usable(i)) {
            Item(i)->MouseEnter();
            return;
        }
    for (int i = 0; i < n; ++i)
        if (Usable(i)) {
            Item(i)->MouseEnter();
            return;
        }
}

void TqvSkinMainMenuBar::PrevMainMenuItem() {
    const int n = ItemCount();
    int cur = n;
    for (int i = n - 1; i >= 0; --i)
        if (Usable(i) && (Item(i)->Active || Item(i)->FDown)) {
            cur = i;
            break;
        }
    if (cur < n) Item(cur)->MouseLeave();
    for (int i = cur - 1; i >= 0; --i)
        if (Usable(i)) {
            Item(i)->MouseEnter();
            return;
        }
    for (int i = n - 1; i >= 0; --i)
        if (Usable(i)) {
            Item(i)->MouseEnter();
            return;
        }
}

bool TqvSkinMainMenuBar::ClickActiveItem() {
    if (!FHost) return false;
    for (int i = 0; i < ItemCount(); ++i) {
        TqvSkinMainMenuBarItem* it = Item(i);
        const bool leaf = !it->MenuItem || it->MenuItem->Count() == 0;
        if ((it->FDown && leaf) || (it->Active && !FHost->InMenu())) {
            it->Active = false;
            it->MouseDown(0, 0, Qt::LeftButton);
            return true;
        }
    }
    return false;
}

void TqvSkinMainMenuBar::EnterMainMenu() {
    MenuActive = true;
    TqvSkinMainMenuBarItem* target = nullptr;
    for (int i = 0; i < ItemCount() && !target; ++i)
        if (Item(i)->Active) target = Item(i);
    if (!target && ItemCount() > 0) target = Item(0);
    if (target) target->MouseEnter();
    if (FHost) {
        FHost->HookApp();
        FHost->SetInMainMenu(true);
        FHost->MainMenuEnter(this);
    }
}

void TqvSkinMainMenuBar::ReleaseDownItem() {
    for (int i = 0; i < ItemCount(); ++i)
        if (TqvSkinMainMenuBarItem* it = Item(i); it->FDown) {
            it->FDown = false;
            it->Active = true;
            DrawObject(it);
            return;
        }
}

void TqvSkinMainMenuBar::ExitMainMenu() {
    MenuActive = false;
    for (int i = 0; i < ItemCount(); ++i)
        if (TqvSkinMainMenuBarItem* it = Item(i); it->FDown || it->Active) {
            it->FDown = it->Active = it->FMouseIn = false;
            if (it->EnableAnimation() && !it->InActiveAnimation) {
                it->CurrentFrame = 0;
                DrawObject(it);
            } else
                it->ReDraw();
            break;
        }
    ActiveObject = OldActiveObject = -1;
}

// ---- MDI child buttons

TqvSkinMainMenuBarButton* TqvSkinMainMenuBar::Button(int Index) const {
    if (Index < 0 || Index >= ButtonsCount) return nullptr;
    return static_cast<TqvSkinMainMenuBarButton*>(ObjectList[std::size_t(Index)].get());
}

void TqvSkinMainMenuBar::AddMDIButton(const QString& Name, TqvStdCommand Command) {
    const TqvDataSkinObject* data = nullptr;
    if (FIndex != -1 && FSD && !FSD->Empty)
        if (const int i = FSD->GetIndex(Name); i >= 0) data = FSD->ObjectList[std::size_t(i)].get();
    auto b = std::make_unique<TqvSkinMainMenuBarButton>(this, data, Command);
    b->IDName = Name;
    ObjectList.insert(ObjectList.begin(), std::move(b));
    ++ButtonsCount;
}

void TqvSkinMainMenuBar::CreateMDIButtons() {
    ButtonsCount = 0;
    GetSkinData();
    // Each goes to the head: system menu, close, restore, minimize.
    if (FIndex != -1) {
        AddMDIButton(MinButton, cmMinimize);
        AddMDIButton(MaxButton, cmMaximize);
        AddMDIButton(CloseButton, cmClose);
        AddMDIButton(SysMenuButton, cmSysMenu);
    } else {
        AddMDIButton(QStringLiteral("MinButton"), cmMinimize);
        AddMDIButton(QStringLiteral("MaxButton"), cmMaximize);
        AddMDIButton(QStringLiteral("CloseButton"), cmClose);
        AddMDIButton(QStringLiteral("SysMenuButton"), cmSysMenu);
    }
}

void TqvSkinMainMenuBar::DeleteMDIButtons() {
    ObjectList.erase(ObjectList.begin(), ObjectList.begin() + ButtonsCount);
    ActiveObject = MouseCaptureObject = -1;
    ButtonsCount = 0;
}

void TqvSkinMainMenuBar::UpdateMDIButtonStates(TqvBorderIcons BorderIcons) {
    for (int i = 0; i < ButtonsCount; ++i) {
        TqvSkinMainMenuBarButton* b = Button(i);
        b->Enabled = !(b->Command == cmMinimize && !(BorderIcons & biMinimize)) &&
                     !(b->Command == cmSysMenu && !(BorderIcons & biSystemMenu));
    }
}

void TqvSkinMainMenuBar::ShowMDIButtons() {
    if (FMDIChildMax) return;
    FMDIChildMax = true;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    CreateMDIButtons();
    if (TqvVelmora* max = GetMaximizedMDIChildSkinForm()) UpdateMDIButtonStates(max->BorderIcons());
    update();
}

void TqvSkinMainMenuBar::UpdateMDIButtons() {
    TqvVelmora* max = GetMaximizedMDIChildSkinForm();
    if (!max && FMDIChildMax) {
        FMDIChildMax = false;
        DeleteMDIButtons();
        update();
    } else if (max) {
        UpdateMDIButtonStates(max->BorderIcons());
        update();
    }
}

void TqvSkinMainMenuBar::UpdateChildMenu() {
    if (ChildMenuIn || CurrentChildMenu()) UpDateItems();
}

void TqvSkinMainMenuBar::ReleaseSysMenuButton() {
    for (int i = 0; i < ButtonsCount; ++i) {
        TqvSkinMainMenuBarButton* b = Button(i);
        if (b->Command != cmSysMenu || !b->FDown) continue;
        b->FDown = false;
        if (ActiveObject != i) b->Active = b->FMouseIn = false;
        DrawObject(b);
    }
}
