// A small MDI program: a frame with a top panel, a main menu with its window
// menu, and three skinned children. Driven by sent events, never by waiting.
#include "platform/Application.h"
#include "platform/ExtCtrls.h"
#include "platform/MdiClient.h"
#include "platform/Sources.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/mdi/MdiArrange.h"
#include "skin/forms/mdi/MdiTabsFeed.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/PopupMenuItem.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/forms/menubar/MainMenuBar.h"
#include "tests/skin/controls/ControlTestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// Records what the component tells the tabs bar.
class TFakeTabs : public QObject, public TqvMDITabsFeed {
public:
    QStringList Tabs;
    int ActiveUpdates = 0;
    void AddTab(TForm* c) override { Tabs << c->Name(); }
    void DeleteTab(TForm* c) override { Tabs.removeOne(c->Name()); }
    void RefreshTab(TForm*) override {}
    void UpdateActiveTab() override { ++ActiveUpdates; }
};

class TFrameForm : public TForm {
public:
    using TForm::TForm;
    TPanel* Top = nullptr;
    TMainMenu* Menu = nullptr;
    TMenuItem* Window = nullptr;
    TqvVelmora* QVF = nullptr;

protected:
    void Layout() override {
        SetCaption(QStringLiteral("Frame"));
        SetBounds(0, 0, 806, 622);
        Top = new TPanel(this);
        Top->SetParent(this);
        Top->SetHeight(30);
        Top->SetAlign(alTop);
        Menu = new TMainMenu(this);
        Window = new TMenuItem(this);
        Window->SetCaption(QStringLiteral("&Window"));
        Menu->Items()->Add(Window);
        SetWindowMenu(Window);
        QVF = new TqvVelmora(this);
    }
};

class TChildForm : public TForm {
public:
    TChildForm(const QString& name, const QString& caption, QObject* owner, QStringList menu = {})
        : TForm(owner), FName(name), FCaption(caption), FMenu(std::move(menu)) {
        SetFormStyle(fsMDIChild);
    }
    TqvVelmora* QVF = nullptr;

protected:
    void Layout() override {
        SetName(FName);
        SetCaption(FCaption);
        SetBounds(10, 10, 300, 200);
        // Its own main menu: items of group 1, which the frame's bar merges in.
        if (!FMenu.isEmpty()) {
            auto* menu = new TMainMenu(this);
            for (const QString& c : FMenu) {
                auto* item = new TMenuItem;
                item->SetCaption(c);
                item->SetGroupIndex(1);
                menu->Items()->Add(item);
            }
        }
        QVF = new TqvVelmora(this);
    }

private:
    QString FName, FCaption;
    QStringList FMenu;
};

class MdiSample : public ::testing::Test {
protected:
    void SetUp() override {
        Frame = new TFrameForm(Application());
        Frame->SetFormStyle(fsMDIForm);
        Application()->SetMainForm(Frame);
        Frame->Build();
        Frame->Show();
        Frame->QVF->SetMDITabsBar(&Tabs);
    }
    void TearDown() override {
        for (TChildForm* c : Children) delete c;
        delete Frame.data();
        Application()->SetMainForm(nullptr);
    }
    // Names are unique per owner: a second child of one name has its own.
    TChildForm* AddChild(const QString& name, const QString& caption = {}, QObject* owner = Application(),
                         const QStringList& menu = {}) {
        auto* c = new TChildForm(name, caption.isEmpty() ? name : caption, owner, menu);
        c->Build();
        Children.push_back(c);
        return c;
    }
    QStringList MenuCaptions() const {
        QStringList r;
        for (int i = 0; i < Frame->Window->Count(); ++i) {
            TMenuItem* it = Frame->Window->Items(i);
            r << it->Caption() + (it->Checked() ? QStringLiteral("*") : QString());
        }
        return r;
    }
    QStringList Order() const {
        QStringList r;
        for (int i = 0; i < Frame->MDIChildCount(); ++i) r << Frame->MDIChildren(i)->Name();
        return r;
    }
    // The frame's skinned menu bar over its main menu: File (group 0), Edit
    // (1), Window (2).
    TqvSkinMainMenuBar* AddMenuBar() {
        for (const auto& [caption, group] : {std::pair{"&File", 0}, std::pair{"&Edit", 1}}) {
            auto* item = new TMenuItem;
            item->SetCaption(QString::fromLatin1(caption));
            item->SetGroupIndex(group);
            Frame->Menu->Items()->Insert(Frame->Menu->Items()->Count() - 1, item);
        }
        Frame->Window->SetGroupIndex(2);
        auto* bar = new TqvSkinMainMenuBar(Frame);
        bar->SetParent(Frame);
        bar->SetVelmora(Frame->QVF);
        bar->SetMainMenu(Frame->Menu);
        return bar;
    }
    static QStringList BarItems(const TqvSkinMainMenuBar* bar) {
        QStringList r;
        for (int i = 0; i < bar->ItemCount(); ++i) r << StripHotkey(bar->Item(i)->MenuItem->Caption());
        return r;
    }
    static QPoint Centre(TqvSkinMainMenuBar* bar, int button) {
        bar->BuildImage();  // lays the objects out
        const TRect r = bar->Button(button)->ObjectRect;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    static void Click(QWidget* w, QPoint p) {
        SendMouse(w, QEvent::MouseButtonPress, p);
        SendMouse(w, QEvent::MouseButtonRelease, p);
    }
    QPointer<TFrameForm> Frame;
    std::vector<QPointer<TChildForm>> Children;
    TFakeTabs Tabs;
};

TEST_F(MdiSample, TheClientFillsWhatTheAlignedControlsLeave) {
    const TRect c = Frame->ClientRect();
    EXPECT_EQ(Frame->GetMDIClientRect(), (TRect{0, 30, c.Width(), c.Height()}));
    EXPECT_EQ(Frame->MDIClient()->geometry(), QRect(0, 30, c.Width(), c.Height() - 30));
    // A bottom bar and a hidden left one: only what shows counts.
    auto* bottom = new TPanel(Frame);
    bottom->SetParent(Frame);
    bottom->SetHeight(20);
    bottom->SetAlign(alBottom);
    auto* left = new TPanel(Frame);
    left->SetParent(Frame);
    left->SetWidth(50);
    left->SetAlign(alLeft);
    left->Hide();
    EXPECT_EQ(Frame->GetMDIClientRect(), (TRect{0, 30, c.Width(), c.Height() - 20}));
    EXPECT_EQ(Frame->MDIClient()->geometry(), QRect(0, 30, c.Width(), c.Height() - 50));
}

TEST_F(MdiSample, AChildNeedsAFrame) {
    Application()->SetMainForm(nullptr);
    TChildForm orphan(QStringLiteral("Orphan"), QStringLiteral("Orphan"), nullptr);
    EXPECT_THROW(orphan.Build(), std::runtime_error);
    Application()->SetMainForm(Frame);
}

TEST_F(MdiSample, WindowMenuAndTabsFollowShownChildrenAndTheActiveOne) {
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    TChildForm* b = AddChild(QStringLiteral("Beta"));
    TChildForm* c = AddChild(QStringLiteral("Gamma"));
    // Refused by its own handler: a menu item, no tab.
    c->QVF->OnAcceptToMDITabsBar = [](bool& accept) { accept = false; };
    EXPECT_TRUE(MenuCaptions().isEmpty());
    a->Show();
    b->Show();
    c->Show();
    EXPECT_EQ(MenuCaptions(), (QStringList{"Alpha", "Beta", "Gamma*"}));
    EXPECT_EQ(Tabs.Tabs, (QStringList{"Alpha", "Beta"}));
    EXPECT_EQ(Order(), (QStringList{"Gamma", "Beta", "Alpha"}));
    EXPECT_EQ(Frame->ActiveMDIChild(), c);
    EXPECT_TRUE(c->QVF->MDIChildActive());
    EXPECT_FALSE(b->QVF->MDIChildActive());

    // A press anywhere in a child activates it.
    SendMouse(a->Client(), QEvent::MouseButtonPress, {20, 20});
    SendMouse(a->Client(), QEvent::MouseButtonRelease, {20, 20});
    EXPECT_EQ(Order(), (QStringList{"Alpha", "Gamma", "Beta"}));
    EXPECT_EQ(MenuCaptions(), (QStringList{"Alpha*", "Beta", "Gamma"}));
    EXPECT_TRUE(a->QVF->MDIChildActive());
    EXPECT_FALSE(c->QVF->MDIChildActive());
    EXPECT_GT(Tabs.ActiveUpdates, 0);

    // Captions follow; hiding a child removes only its item and tab.
    b->SetCaption(QStringLiteral("Beta 2"));
    EXPECT_EQ(MenuCaptions(), (QStringList{"Alpha*", "Beta 2", "Gamma"}));
    a->Hide();
    EXPECT_EQ(MenuCaptions(), (QStringList{"Beta 2", "Gamma*"}));
    EXPECT_EQ(Tabs.Tabs, (QStringList{"Beta"}));
    EXPECT_EQ(Frame->ActiveMDIChild(), c);
}

TEST_F(MdiSample, AWindowMenuClickRestoresAndShowsTheChild) {
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    TChildForm* b = AddChild(QStringLiteral("Beta"));
    a->Show();
    b->Show();
    const QRect normal = a->geometry();
    a->QVF->SetWindowState(wsMinimized);
    EXPECT_NE(a->geometry(), normal);
    Frame->Window->Items(0)->Click();
    EXPECT_EQ(a->QVF->WindowState(), wsNormal);
    EXPECT_EQ(a->geometry(), normal);
    EXPECT_EQ(Frame->ActiveMDIChild(), a);
    // Two children with one name share their item: one click shows both.
    TChildForm* twin = AddChild(QStringLiteral("Alpha"), QStringLiteral("Alpha again"), nullptr);
    twin->QVF->SetWindowState(wsMinimized);
    Frame->Window->Items(0)->Click();
    EXPECT_TRUE(twin->Visible());
    EXPECT_EQ(twin->QVF->WindowState(), wsNormal);
}

TEST_F(MdiSample, TileAndCascadePlaceTheChildren) {
    for (const char* n : {"A", "B", "C", "D", "E"}) AddChild(QString::fromLatin1(n))->Show();
    const TRect client = Frame->GetMDIClientRect();
    const int H = client.Height();
    Frame->QVF->Tile();
    // Five: the right column three of H div 3, the left two of H div 2.
    const std::vector<TRect> want = TileRects(5, client);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Frame->MDIChildren(i)->BoundsRect(), want[size_t(i)]) << i;
    EXPECT_EQ(Frame->MDIChildren(4)->Height(), H / 3);
    EXPECT_EQ(Frame->MDIChildren(0)->Height(), H / 2);

    Frame->QVF->Cascade();
    const int step = DefCaptionHeight(false) + 3;
    // The active child (index 0) at the largest offset and on top.
    EXPECT_EQ(Frame->MDIChildren(4)->pos(), QPoint(0, 0));
    EXPECT_EQ(Frame->MDIChildren(3)->pos(), QPoint(step, step));
    EXPECT_EQ(Frame->MDIChildren(0)->pos(), QPoint(4 * step, 4 * step));
    EXPECT_EQ(Frame->MDIClient()->childAt(4 * step + 5, 4 * step + 5)->window(), Frame->window());
    QWidget* hit = Frame->MDIClient()->childAt(4 * step + 5, 4 * step + 5);
    while (hit && hit->parentWidget() != Frame->MDIClient()) hit = hit->parentWidget();
    EXPECT_EQ(hit, Frame->MDIChildren(0));
}

TEST_F(MdiSample, AMaximizedChildFillsTheClientWithoutFrame) {
    TChildForm* a = AddChild(QStringLiteral("Alpha"), QStringLiteral("Report"));
    a->Show();
    EXPECT_GT(a->ClientMargins().top(), 0);
    a->QVF->SetWindowState(wsMaximized);
    const TRect r = Frame->GetMDIClientRect();
    EXPECT_EQ(a->geometry(), QRect(0, 0, r.Width(), r.Height()));
    EXPECT_EQ(a->ClientMargins(), QMargins());
    EXPECT_EQ(Frame->QVF->FormCaptionText(), QStringLiteral("Frame - [Report]"));
    // The client grows: the maximized child follows.
    Frame->SetBounds(0, 0, 706, 522);
    const TRect r2 = Frame->GetMDIClientRect();
    EXPECT_EQ(a->geometry(), QRect(0, 0, r2.Width(), r2.Height()));
    a->QVF->SetWindowState(wsNormal);
    EXPECT_EQ(a->geometry(), QRect(10, 10, 300, 200));
    EXPECT_GT(a->ClientMargins().top(), 0);
    EXPECT_EQ(Frame->QVF->FormCaptionText(), QStringLiteral("Frame"));
}

TEST_F(MdiSample, MinimizedChildrenTakeCellsAndFollowTheClient) {
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    TChildForm* b = AddChild(QStringLiteral("Beta"));
    a->Show();
    b->Show();
    Frame->QVF->MinimizeAll();
    const int H = Frame->GetMDIClientRect().Height();
    const int w = a->Width(), h = a->Height();
    EXPECT_EQ(b->pos(), QPoint(0, H - h));
    EXPECT_EQ(a->pos(), QPoint(w, H - h));
    Frame->SetBounds(0, 0, 806, 522);
    const int H2 = Frame->GetMDIClientRect().Height();
    EXPECT_EQ(b->pos().y(), H2 - h);
    EXPECT_EQ(a->pos().y(), H2 - h);
    Frame->QVF->RestoreAll();
    EXPECT_EQ(a->geometry(), QRect(10, 10, 300, 200));
}

TEST_F(MdiSample, CloseAllClosesFromTheLastChild) {
    QStringList closed;
    for (const char* n : {"A", "B", "C"}) {
        TChildForm* c = AddChild(QString::fromLatin1(n));
        c->OnClose = [&closed, c](QObject*, TCloseAction&) { closed << c->Name(); };
        c->Show();
    }
    EXPECT_EQ(Order(), (QStringList{"C", "B", "A"}));
    Frame->QVF->CloseAll();
    EXPECT_EQ(closed, (QStringList{"A", "B", "C"}));
    EXPECT_TRUE(MenuCaptions().isEmpty());
    EXPECT_EQ(Frame->ActiveMDIChild(), nullptr);
}

TEST_F(MdiSample, AChildMovesInsideItsFrameByItsCaption) {
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    a->Show();
    const QPoint start = a->pos();
    SendMouse(a, QEvent::MouseButtonPress, {100, 8});
    SendMouse(a, QEvent::MouseMove, {140, 38});
    SendMouse(a, QEvent::MouseButtonRelease, {140, 38});
    EXPECT_EQ(a->pos(), start + QPoint(40, 30));
    EXPECT_EQ(a->parentWidget(), Frame->MDIClient());
}

TEST_F(MdiSample, AFrameTakesItsChildrenAlong) {
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    AddChild(QStringLiteral("Beta"))->Show();
    a->Show();
    a->QVF->SetWindowState(wsMaximized);
    delete Frame.data();
    EXPECT_TRUE(std::all_of(Children.begin(), Children.end(), [](const auto& c) { return c.isNull(); }));
}

// The maximized child's buttons at the bar's ends: system menu at the left;
// close, restore and minimize from the right. They act on that child and go
// when no child is maximized any more.
TEST_F(MdiSample, AMaximizedChildPutsItsButtonsOnTheMenuBar) {
    TqvSkinMainMenuBar* bar = AddMenuBar();
    TChildForm* a = AddChild(QStringLiteral("Alpha"), QStringLiteral("Report"));
    a->Show();
    a->QVF->SetBorderIcons(biSystemMenu | biMaximize);
    EXPECT_EQ(bar->ButtonsCount, 0);
    a->QVF->SetWindowState(wsMaximized);
    ASSERT_EQ(bar->ButtonsCount, 4);
    const TqvStdCommand commands[] = {cmSysMenu, cmClose, cmMaximize, cmMinimize};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar->Button(i)->Command, commands[i]) << i;
        EXPECT_EQ(bar->Button(i)->Enabled, commands[i] != cmMinimize) << i;  // no biMinimize
    }
    bar->BuildImage();
    const int h = bar->Height() - 4;  // built-in look: squares as high as the items area
    EXPECT_EQ(bar->Button(0)->ObjectRect, Bounds(2, 2, h, h));
    EXPECT_EQ(bar->Button(1)->ObjectRect, Bounds(bar->Width() - 2 - h, 2, h, h));
    EXPECT_EQ(bar->Button(2)->ObjectRect.Right, bar->Button(1)->ObjectRect.Left - 2);
    EXPECT_EQ(bar->Item(0)->ObjectRect.Left, 2 + h + 2);
    EXPECT_EQ(Frame->QVF->FormCaptionText(), QStringLiteral("Frame - [Report]"));

    // Minimize is disabled: a click does nothing.
    Click(bar, Centre(bar, 3));
    EXPECT_EQ(a->QVF->WindowState(), wsMaximized);
    // Restore: the child and the bar are back to normal.
    Click(bar, Centre(bar, 2));
    EXPECT_EQ(a->QVF->WindowState(), wsNormal);
    EXPECT_EQ(bar->ButtonsCount, 0);
    EXPECT_FALSE(bar->MDIChildMax());
    EXPECT_EQ(Frame->QVF->FormCaptionText(), QStringLiteral("Frame"));
    EXPECT_EQ(BarItems(bar), (QStringList{"File", "Edit", "Window"}));

    // Close: the hidden child takes the buttons and the caption along.
    a->QVF->SetWindowState(wsMaximized);
    ASSERT_EQ(bar->ButtonsCount, 4);
    Click(bar, Centre(bar, 1));
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(bar->ButtonsCount, 0);
    EXPECT_EQ(Frame->QVF->FormCaptionText(), QStringLiteral("Frame"));

    // A freed maximized child too.
    TChildForm* b = AddChild(QStringLiteral("Beta"));
    b->Show();
    b->QVF->SetWindowState(wsMaximized);
    EXPECT_EQ(bar->ButtonsCount, 4);
    delete b;
    EXPECT_EQ(bar->ButtonsCount, 0);
}

// The system-menu button opens the child's system menu on the press and stays
// down until it closes; a double click closes the child.
TEST_F(MdiSample, TheSystemMenuButtonOpensTheChildsMenuAndADoubleClickClosesIt) {
    TqvSkinMainMenuBar* bar = AddMenuBar();
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    a->Show();
    a->QVF->SetWindowState(wsMaximized);
    TqvSkinMenu* menu = Frame->QVF->SkinMenu();
    const QPoint p = Centre(bar, 0);
    SendMouse(bar, QEvent::MouseButtonPress, p);
    ASSERT_TRUE(menu->Visible());
    QStringList names;
    for (int i = 0; i < menu->Level(0)->Level().ItemCount(); ++i)
        names << menu->Level(0)->Level().Item(i)->MenuItem->Name();
    EXPECT_EQ(names, (QStringList{"QVF_MINITEM", "QVF_RESTORE", "", "QVF_CLOSE"}));
    SendMouse(bar, QEvent::MouseButtonRelease, p);
    EXPECT_TRUE(bar->Button(0)->FDown);
    menu->Hide();
    EXPECT_FALSE(bar->Button(0)->FDown);
    EXPECT_TRUE(a->Visible());

    SendMouse(bar, QEvent::MouseButtonPress, p);
    SendMouse(bar, QEvent::MouseButtonRelease, p);
    SendMouse(bar, QEvent::MouseButtonDblClick, p);
    SendMouse(bar, QEvent::MouseButtonRelease, p);
    EXPECT_FALSE(a->Visible());
    EXPECT_FALSE(menu->Visible());
    EXPECT_FALSE(Frame->QVF->InMenu);
}

// The active child's main menu merges into the frame's by group: the frame's
// group 0, the child's group 1, the frame's group 2; the frame's own group-1
// item gives way. ScrollMenu stays off once a child menu was in.
TEST_F(MdiSample, TheActiveChildsMenuMergesIntoTheBarByGroup) {
    TqvSkinMainMenuBar* bar = AddMenuBar();
    EXPECT_TRUE(bar->ScrollMenu);
    TChildForm* a = AddChild(QStringLiteral("Alpha"), {}, Application(), {"&Clip", "&Tools"});
    TChildForm* b = AddChild(QStringLiteral("Beta"));
    a->Show();
    EXPECT_TRUE(a->QVF->MDIChildActive());  // the first child shown is the active one
    EXPECT_EQ(BarItems(bar), (QStringList{"File", "Clip", "Tools", "Window"}));
    EXPECT_EQ(bar->GetChildMainMenu(), a->Components().constFirst());
    EXPECT_FALSE(bar->ScrollMenu);
    b->Show();
    EXPECT_EQ(BarItems(bar), (QStringList{"File", "Edit", "Window"}));
    SendMouse(a->Client(), QEvent::MouseButtonPress, {20, 20});
    SendMouse(a->Client(), QEvent::MouseButtonRelease, {20, 20});
    EXPECT_EQ(BarItems(bar), (QStringList{"File", "Clip", "Tools", "Window"}));
    // The active child's menu takes the frame's shortcuts.
    auto* childMenu = qobject_cast<TMainMenu*>(a->Components().constFirst());
    int clips = 0;
    childMenu->Items()->Items(0)->SetShortCut(ShortCut(Qt::Key_K, Qt::ControlModifier));
    childMenu->Items()->Items(0)->OnClick = [&](QObject*) { ++clips; };
    bool handled = false;
    Frame->QVF->FormShortCut(Qt::Key_K, Qt::ControlModifier, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(clips, 1);
    delete a;
    EXPECT_EQ(BarItems(bar), (QStringList{"File", "Edit", "Window"}));
    EXPECT_FALSE(bar->ScrollMenu);
    handled = false;
    Frame->QVF->FormShortCut(Qt::Key_K, Qt::ControlModifier, handled);
    EXPECT_FALSE(handled);
}

// A child's menus are the frame's: its system menu and its popup menus open
// through the frame's component, and their keys go there too.
TEST_F(MdiSample, AChildsMenusOpenThroughTheFrame) {
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    a->Show();
    TqvSkinMenu* frameMenu = Frame->QVF->SkinMenu();
    SendMouse(a, QEvent::MouseButtonPress, {100, 8}, Qt::RightButton);  // on the caption
    SendMouse(a, QEvent::MouseButtonRelease, {100, 8}, Qt::RightButton);
    ASSERT_TRUE(frameMenu->Visible());
    EXPECT_FALSE(a->QVF->SkinMenu()->Visible());
    EXPECT_TRUE(Frame->QVF->InMenu);
    const TqvPopupLevel& level = frameMenu->Level(0)->Level();
    const TMenuItem* close = level.Item(level.ItemCount() - 1)->MenuItem;
    EXPECT_EQ(close->Name(), QStringLiteral("QVF_CLOSE"));
    EXPECT_EQ(ShortCutToText(close->ShortCut()), QStringLiteral("Ctrl+F4"));
    // Escape reaches the frame's open menu, whichever component gets it.
    a->QVF->MenuKeyDown(Qt::Key_Escape);
    EXPECT_FALSE(frameMenu->Visible());
    EXPECT_FALSE(Frame->QVF->InMenu);

    auto* popup = new TqvSkinPopupMenu(a);
    auto* item = new TMenuItem;
    item->SetCaption(QStringLiteral("Properties"));
    popup->Items()->Add(item);
    popup->Popup(100, 100);
    EXPECT_TRUE(frameMenu->Visible());
    EXPECT_EQ(popup->FindSkinComponent(), Frame->QVF);
    frameMenu->Hide();
}

// The frame's menu-closing step closes a menu its active child opened on its
// own manager, and tells the frame's drop-downs to close.
TEST_F(MdiSample, TheFramesClosingStepReachesTheActiveChildAndItsDropDowns) {
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    a->Show();
    QStringList cancelled;
    TControl* sender = Frame;
    for (bool visible : {true, false}) {
        auto* edit = new TqvSkinCustomEdit(Frame);
        edit->SetParent(Frame);
        edit->SetVisible(visible);
        edit->OnEditCancelMode = [&, visible](TControl* c) {
            if (!cancelled.contains(visible ? "shown" : "hidden")) cancelled << (visible ? "shown" : "hidden");
            sender = c;
        };
    }
    TPopupMenu menu(a);
    auto* item = new TMenuItem;
    item->SetCaption(QStringLiteral("Open"));
    menu.Items()->Add(item);
    a->QVF->PopupSkinMenu(&menu, a->mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(a->QVF->SkinMenu()->Visible());
    Frame->SetBounds(0, 0, 790, 600);  // a size change on the frame
    EXPECT_FALSE(a->QVF->SkinMenu()->Visible());
    EXPECT_FALSE(a->QVF->InMenu);
    EXPECT_EQ(cancelled, QStringList{"shown"});  // with no sender
    EXPECT_EQ(sender, nullptr);
}

// A child's window coordinates (hit tests, glow windows, the system-menu
// button's menu) start at its frame inside the frame form's client: its
// client origin less the frame's client offset, none while maximized.
TEST_F(MdiSample, AChildsWindowOriginIsItsFrameInsideTheClient) {
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    a->Show();
    const QPoint client = a->Client()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(a->QVF->WindowOrigin(), client - QPoint(3, DefCaptionHeight(false) + 3));
    const QPoint caption = a->mapToGlobal(QPoint(100, 8));
    EXPECT_EQ(a->QVF->PointToWindow(Point(caption.x(), caption.y())), Point(100, 8));
    a->QVF->SetWindowState(wsMaximized);
    const QPoint corner = a->Client()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(a->QVF->PointToWindow(Point(corner.x(), corner.y())), Point(0, 0));
    EXPECT_EQ(a->QVF->WindowOrigin(), corner);
}

// The pointer poll keeps a child's caption button hot while the pointer rests
// on it, and lets go when the pointer leaves the child.
TEST_F(MdiSample, TheHoverPollFollowsThePointerOverAChild) {
    auto ticks = std::make_shared<TManualTickSource>();
    auto pointer = std::make_shared<TManualPointerSource>();
    SetTickSource(ticks);
    SetPointerSource(pointer);
    TChildForm* a = AddChild(QStringLiteral("Alpha"));
    a->Show();
    int close = -1;
    for (int i = 0; i < int(a->QVF->ObjectList.size()); ++i)
        if (a->QVF->ObjectList[size_t(i)]->Command == cmClose) close = i;
    ASSERT_NE(close, -1);
    const TRect r = a->QVF->ObjectList[size_t(close)]->ObjectRect;
    const QPoint centre((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    SendMoveNoButton(a, centre);
    EXPECT_EQ(a->QVF->ActiveObject, close);
    pointer->Pos = a->mapToGlobal(centre);
    pointer->Widget = a;
    ticks->Advance(50);
    EXPECT_EQ(a->QVF->ActiveObject, close);
    pointer->Widget = Frame->MDIClient();
    ticks->Advance(50);
    EXPECT_EQ(a->QVF->ActiveObject, -1);
    SetPointerSource(nullptr);
    SetTickSource(nullptr);
}

}  // namespace
