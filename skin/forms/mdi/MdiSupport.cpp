// The MDI side of the skinned-form component: the frame's window menu and
// tabs bar follow its children, and the frame arranges skinned children,
// whose frames nobody else draws.
#include "platform/Application.h"
#include "platform/MdiClient.h"
#include "platform/Messages.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/mdi/MdiArrange.h"
#include "skin/forms/mdi/MdiTabsFeed.h"
#include "skin/forms/menu/MenuBarLink.h"
#include "skin/forms/menu/Menus.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

const QString kChildItem = QStringLiteral("_QVFCHILDITEM");

// The child's name an item stands for.
QString BaseName(const TMenuItem* item) {
    QString s = item->Name();
    return s.remove(s.indexOf(kChildItem), kChildItem.size());
}

bool IsChildItem(const TMenuItem* item) { return item->Name().contains(kChildItem); }

TMenuItem* WindowMenuOf(TForm* frame) {
    if (!frame || !GetSkinFormComponent(frame)) return nullptr;
    return qobject_cast<TMenuItem*>(frame->WindowMenu());
}

TMenuItem* FindChildItem(TMenuItem* menu, const QString& name) {
    for (int i = 0; i < menu->Count(); ++i)
        if (IsChildItem(menu->Items(i)) && BaseName(menu->Items(i)) == name) return menu->Items(i);
    return nullptr;
}

TqvMDITabsFeed* TabsOf(TqvVelmora* frame) {
    return frame ? dynamic_cast<TqvMDITabsFeed*>(frame->MDITabsBar()) : nullptr;
}

std::vector<QPointer<TForm>> ChildrenOf(TForm* frame) {
    std::vector<QPointer<TForm>> r;
    for (int i = 0; i < frame->MDIChildCount(); ++i) r.emplace_back(frame->MDIChildren(i));
    return r;
}

// A hidden child keeps its state but shows nothing: it fills no frame and has no buttons on the bar.
TqvVelmora* MaximizedChildOf(const TForm* frame) {
    if (!frame) return nullptr;
    for (int i = 0; i < frame->MDIChildCount(); ++i) {
        TForm* child = frame->MDIChildren(i);
        TqvVelmora* c = child && child->Visible() ? GetSkinFormComponent(child) : nullptr;
        if (c && c->WindowState() == wsMaximized) return c;
    }
    return nullptr;
}

}  // namespace

TqvVelmora* GetMaximizedMDIChildSkinForm() { return MaximizedChildOf(Application()->MainForm()); }

TqvVelmora* GetActiveMDIChildSkinForm() {
    TForm* main = Application()->MainForm();
    TForm* child = main ? main->ActiveMDIChild() : nullptr;
    return child ? GetSkinFormComponent(child) : nullptr;
}

bool TqvVelmora::IsMDIForm() const { return FForm->FormStyle() == fsMDIForm && FForm->MDIClient(); }

bool TqvVelmora::IsMDIChild() const { return FForm->IsMDIChild(); }

TqvVelmora* TqvVelmora::MainFormComponent() {
    TForm* main = Application()->MainForm();
    return main ? GetSkinFormComponent(main) : nullptr;
}

QString TqvVelmora::FormCaptionText() const {
    if (!IsMDIForm()) return FForm->Caption();
    if (TqvVelmora* c = MaximizedChildOf(FForm); c && !c->Form()->Caption().isEmpty())
        return FForm->Caption() + QStringLiteral(" - [") + c->Form()->Caption() + QStringLiteral("]");
    return FForm->Caption();
}

void TqvVelmora::GetMDIClientRect(TRect& R) const {
    if (TForm* main = Application()->MainForm()) R = main->GetMDIClientRect();
}

// ---- window menu

void TqvVelmora::AddChildToMenu(TForm* Child) {
    TForm* main = Application()->MainForm();
    TMenuItem* menu = WindowMenuOf(main);
    if (!menu || !Child) return;
    auto* item = new TMenuItem(this);
    item->SetName(Child->Name() + kChildItem);
    item->SetCaption(Child->Caption());
    item->SetChecked(main->ActiveMDIChild() == Child);
    item->OnClick = [this](QObject* s) { MDIItemClick(s); };
    menu->Add(item);
}

void TqvVelmora::DeleteChildFromMenu(TForm* Child) {
    TForm* main = Application()->MainForm();
    TMenuItem* menu = WindowMenuOf(main);
    if (!menu || !Child) return;
    delete FindChildItem(menu, Child->Name());
    if (main->MDIChildCount() == 0)
        for (int i = 0; i < menu->Count(); ++i)
            if (IsChildItem(menu->Items(i))) {
                menu->Delete(i);
                break;
            }
}

void TqvVelmora::UpDateChildCaptionInMenu(TForm* Child) {
    TMenuItem* menu = WindowMenuOf(Application()->MainForm());
    if (!menu || !Child) return;
    if (TMenuItem* item = FindChildItem(menu, Child->Name())) item->SetCaption(Child->Caption());
}

void TqvVelmora::UpDateChildActiveInMenu() {
    TForm* main = Application()->MainForm();
    TMenuItem* menu = WindowMenuOf(main);
    if (!menu) return;
    TForm* active = main->ActiveMDIChild();
    for (int i = 0; i < menu->Count(); ++i) {
        TMenuItem* item = menu->Items(i);
        if (IsChildItem(item)) item->SetChecked(active && BaseName(item) == active->Name());
    }
}

void TqvVelmora::MDIItemClick(QObject* Sender) {
    auto* item = qobject_cast<TMenuItem*>(Sender);
    TForm* main = Application()->MainForm();
    if (!item || !main || !main->MDIClient()) return;
    const QString name = BaseName(item);
    for (const QPointer<TForm>& child : ChildrenOf(main)) {
        if (!child || child->Name() != name) continue;
        if (TqvVelmora* c = GetSkinFormComponent(child); c && c->WindowState() == wsMinimized)
            c->SetWindowState(wsNormal);
        child->Show();
        main->MDIClient()->Activate(child);
    }
}

// ---- tabs bar

void TqvVelmora::AddChildToBar(TForm* Child) {
    bool accept = true;
    if (OnAcceptToMDITabsBar) OnAcceptToMDITabsBar(accept);
    if (!accept) return;
    if (TqvMDITabsFeed* bar = TabsOf(MainFormComponent())) bar->AddTab(Child);
}

void TqvVelmora::DeleteChildFromBar(TForm* Child) {
    if (TqvMDITabsFeed* bar = TabsOf(MainFormComponent())) bar->DeleteTab(Child);
}

void TqvVelmora::RefreshMDIBarTab(TForm* Child) {
    if (TqvMDITabsFeed* bar = TabsOf(MainFormComponent())) bar->RefreshTab(Child);
}

// ---- arrangement

void TqvVelmora::RestoreAll() {
    if (!IsMDIForm()) return;
    for (const QPointer<TForm>& child : ChildrenOf(FForm)) {
        TqvVelmora* c = child ? GetSkinFormComponent(child) : nullptr;
        if (!c) continue;
        if (c->WindowState() != wsNormal) c->SetWindowState(wsNormal);
        else if (c->RollUpState()) c->SetRollUpState(false);
    }
}

void TqvVelmora::MinimizeAll() {
    if (!IsMDIForm()) return;
    for (const QPointer<TForm>& child : ChildrenOf(FForm))
        if (TqvVelmora* c = child ? GetSkinFormComponent(child) : nullptr) c->SetWindowState(wsMinimized);
}

void TqvVelmora::MaximizeAll() {
    if (!IsMDIForm()) return;
    for (const QPointer<TForm>& child : ChildrenOf(FForm))
        if (TqvVelmora* c = child ? GetSkinFormComponent(child) : nullptr) c->SetWindowState(wsMaximized);
}

void TqvVelmora::CloseAll() {
    if (!IsMDIForm()) return;
    const auto children = ChildrenOf(FForm);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (*it) (*it)->Close();
}

void TqvVelmora::Tile() {
    if (!IsMDIForm()) return;
    RestoreAll();
    const auto children = ChildrenOf(FForm);
    const TRect r = FForm->GetMDIClientRect();
    const std::vector<TRect> rects = TileRects(int(children.size()), r);
    for (size_t i = 0; i < rects.size() && i < children.size(); ++i)
        if (children[i]) children[i]->SetBounds(rects[i].Left, rects[i].Top, rects[i].Width(), rects[i].Height());
}

void TqvVelmora::Cascade() {
    if (!IsMDIForm()) return;
    RestoreAll();
    const auto children = ChildrenOf(FForm);
    const TRect r = FForm->GetMDIClientRect();
    const int step = FSkinSupport ? FGeometry.NewClRect.Top : DefCaptionHeight(ToolWindow()) + 3;
    std::vector<TqvCascadeChild> sizes;
    for (const QPointer<TForm>& c : children)
        sizes.push_back({c && c->BorderStyle() == bsSingle, c ? c->Width() : 0, c ? c->Height() : 0});
    const std::vector<TRect> rects =
        CascadeRects(int(children.size()), r, step, GetMinWidth(), GetMinHeight(), sizes);
    // From the last child to the first, so the active one ends on top.
    for (size_t i = rects.size(); i-- > 0;) {
        if (!children[i]) continue;
        children[i]->SetBounds(rects[i].Left, rects[i].Top, rects[i].Width(), rects[i].Height());
        children[i]->raise();
    }
}

void TqvVelmora::UpdateMDIChildren() {
    if (!IsMDIForm()) return;
    for (const QPointer<TForm>& child : ChildrenOf(FForm))
        if (child) SendMessage(child, WM_SKIN_MDI_CHILD_FILL);
    ArrangeMinimizedChildren();
}

void TqvVelmora::ArrangeMinimizedChildren() {
    if (!IsMDIForm()) return;
    const TRect r = FForm->GetMDIClientRect();
    const QRect area(0, 0, r.Width(), r.Height());
    std::vector<QPoint> taken;
    for (const QPointer<TForm>& child : ChildrenOf(FForm)) {
        TqvVelmora* c = child ? GetSkinFormComponent(child) : nullptr;
        if (!c || c->WindowState() != wsMinimized) continue;
        const QPoint p = GetMinimizedPlace(area, child->Width(), child->Height(), taken);
        child->SetBounds(p.x(), p.y(), child->Width(), child->Height());
        taken.push_back(p);
    }
}

// ---- the component's MDI reactions

void TqvVelmora::HookMDIClient() {
    if (!IsMDIForm() || FMDIClientHook) return;
    FMDIClientHook = new TWindowHook(FForm->MDIClient(), [this](QObject*, QEvent* e) {
        bool handled = false;
        Application()->Guard([&] {
            if (e->type() == QEvent::Resize) {
                UpdateMDIChildren();
                FForm->MDIClient()->update();
            } else if (e->type() == QEvent::Paint && FSkinSupport) {
                // The skin's client background continues under the children.
                QWidget* client = FForm->MDIClient();
                QPainter p(client);
                p.translate(-client->pos());
                PaintClientBackground(p, static_cast<QPaintEvent*>(e)->rect().translated(client->pos()));
                handled = true;
            }
        });
        return handled;
    });
}

void TqvVelmora::InvalidateMainCaption() {
    if (TqvVelmora* main = MainFormComponent(); main && main != this) main->InvalidateFrame();
}

void TqvVelmora::TellMainMaximized(bool Maximized) {
    if (TqvVelmora* main = MainFormComponent(); main && main != this)
        SendMessage(main->Form(), Maximized ? WM_SKIN_MDI_CHILD_MAXIMIZED : WM_SKIN_MDI_CHILD_RESTORED);
}

void TqvVelmora::UpdateMainMenuBarItems() {
    if (TqvVelmora* main = MainFormComponent())
        if (TqvMenuBarLink* bar = main->MainMenuBar()) bar->UpdateChildMenu();
}

void TqvVelmora::MDIShowChanged(bool Shown) {
    if (Shown) {
        AddChildToMenu(FForm);
        AddChildToBar(FForm);
    } else {
        DeleteChildFromMenu(FForm);
        DeleteChildFromBar(FForm);
    }
    if (TqvVelmora* main = MainFormComponent()) main->UpDateChildActiveInMenu();
    if (FWindowState == wsMaximized) TellMainMaximized(Shown);
    InvalidateMainCaption();
}

void TqvVelmora::MDIChildCaptionChanged() {
    UpDateChildCaptionInMenu(FForm);
    RefreshMDIBarTab(FForm);
    InvalidateMainCaption();
}

bool TqvVelmora::MDIMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_MDI_NCACTIVATE:
        if (!IsMDIChild()) return false;
        FMDIChildActive = m.WParam != 0;
        if (!FMDIChildActive) TestActive(-1, -1, false);
        InvalidateFrame();
        UpdateMainMenuBarItems();
        if (TqvVelmora* main = MainFormComponent()) {
            if (TqvMDITabsFeed* bar = TabsOf(main)) bar->UpdateActiveTab();
            main->UpDateChildActiveInMenu();
        }
        InvalidateMainCaption();
        return false;
    case WM_SKIN_MDI_CHILD_MAXIMIZED:
    case WM_SKIN_MDI_CHILD_RESTORED:
        if (!IsMDIForm()) return false;
        InvalidateFrame();
        if (TqvMenuBarLink* bar = MainMenuBar()) {
            if (m.Msg == WM_SKIN_MDI_CHILD_MAXIMIZED) bar->ShowMDIButtons();
            else bar->UpdateMDIButtons();
        }
        return false;
    case WM_SKIN_MDI_CHILD_FILL:
        if (IsMDIChild() && FSkinnableForm && FWindowState == wsMaximized) {
            TRect r{};
            GetMDIClientRect(r);
            FForm->SetBounds(0, 0, r.Width(), r.Height());
        }
        return true;
    default:
        return false;
    }
}
