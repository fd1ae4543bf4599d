// The bar on its own with a recording form service: items, fitting and the
// more-items marker, pictures, hover, the keyboard operations, height and
// merging, on the manual pointer and clock.
#include "skin/forms/menubar/MainMenuBar.h"

#include "platform/Form.h"
#include "platform/Sources.h"
#include "skin/model/draw/DrawHelpers.h"
#include "tests/skin/forms/menubar/MenuBarTestSkin.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>

#include <memory>

using namespace menubartest;

namespace {

struct TRecordingHost : TqvMenuBarHost {
    bool FInMenu = false, FInMainMenu = false, Visible = true;
    QStringList Calls;
    bool InMenu() const override { return FInMenu; }
    void SetInMenu(bool v) override { FInMenu = v; }
    bool InMainMenu() const override { return FInMainMenu; }
    void SetInMainMenu(bool v) override { FInMainMenu = v; }
    bool FormVisible() const override { return Visible; }
    void SkinMenuOpen() override {
        Calls << "open";
        FInMenu = true;
    }
    void SkinMainMenuClose() override {
        Calls << "leave";
        FInMainMenu = FInMenu = false;
    }
    void HookApp() override { Calls << "hook"; }
    void MainMenuEnter(TqvSkinMainMenuBar*) override { Calls << "enter"; }
    void Popup(TqvSkinData*, int StartIndex, const TRect&, TMenuItem* AItem, TMenuItem* AItem2, bool) override {
        Calls << QStringLiteral("popup %1 from %2%3")
                     .arg(AItem->Parent() ? StripHotkey(AItem->Caption()) : QStringLiteral("menu"))
                     .arg(StartIndex)
                     .arg(AItem2 ? " +2" : "");
    }
};

struct MainMenuBarTest : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    std::shared_ptr<TManualPointerSource> Pointer = std::make_shared<TManualPointerSource>();
    std::unique_ptr<TForm> Form;
    TMainMenu Menu;
    TRecordingHost Host;
    TqvSkinMainMenuBar* Bar = nullptr;
    TBarSkin Skin;
    int Clicks = 0;

    void SetUp() override {
        SetTickSource(Ticks);
        SetPointerSource(Pointer);
        Form = std::make_unique<TForm>();
        Form->SetBounds(100, 100, 500, 200);
        Form->Show();
        Bar = new TqvSkinMainMenuBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetAlign(alNone);  // the tests choose the bar's width
        Bar->SetHost(&Host);
    }
    void TearDown() override {
        Form.reset();
        SetPointerSource(nullptr);
        SetTickSource(nullptr);
    }
    TMenuItem* Add(const QString& caption, TMenuItem* parent = nullptr) {
        auto* i = new TMenuItem;
        i->SetCaption(caption);
        (parent ? parent : Menu.Items())->Add(i);
        return i;
    }
    // File and View have drop-downs, Edit is disabled, Help runs at once.
    void Standard() {
        Add("&Open", Add("&File"));
        TMenuItem* edit = Add("&Edit");
        Add("&Copy", edit);
        edit->SetEnabled(false);
        Add("&Zoom", Add("&View"));
        Add("&Help")->OnClick = [this](QObject*) { ++Clicks; };
        Bar->SetMainMenu(&Menu);
    }
    QImage Picture() { return Bar->BuildImage(); }
    QString Hot() const {
        QStringList hot;
        for (int i = 0; i < Bar->ItemCount(); ++i)
            if (Bar->Item(i)->Active || Bar->Item(i)->FDown)
                hot << StripHotkey(Bar->Item(i)->MenuItem->Caption()) + (Bar->Item(i)->FDown ? "*" : "");
        return hot.join(',');
    }
    QPoint Centre(int i) {
        Picture();  // lays the items out
        const TRect r = Bar->Item(i)->ObjectRect;
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }
    void Press(QPoint p) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(p), Bar->mapToGlobal(QPointF(p)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Bar, &e);
        QMouseEvent r(QEvent::MouseButtonRelease, QPointF(p), Bar->mapToGlobal(QPointF(p)), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Bar, &r);
    }
    // The pointer over a bar point, seen at the next poll.
    void PointAt(QPoint p) {
        const QPointF at(p);
        QEnterEvent enter(at, at, Bar->mapToGlobal(at));
        QCoreApplication::sendEvent(Bar, &enter);
        Pointer->Pos = Bar->mapToGlobal(p);
        Ticks->Advance(50);
    }
    static int CaptionWidth(const TFont& f, const QString& caption) {
        QImage scratch(1, 1, QImage::Format_RGB32);
        TCanvas c(&scratch);
        c.SetFont(f);
        TRect r = Rect(0, 0, 0, 0);
        DrawWideText(c, caption, r, DT_CALCRECT | DT_SINGLELINE);
        return r.Width();
    }
};

TEST_F(MainMenuBarTest, InvisibleItemsGetNoBarItemAndTheOthersKeepTheirOrder) {
    Add("&File");
    Add("&Secret")->SetVisible(false);
    Add("&View");
    Add("&Help");
    Bar->SetMainMenu(&Menu);
    QStringList shown;
    for (int i = 0; i < Bar->ItemCount(); ++i) shown << StripHotkey(Bar->Item(i)->MenuItem->Caption());
    EXPECT_EQ(shown, QStringList({"File", "View", "Help"}));
}

// Item widths: the skin item's fixed parts plus the caption (60 - 20 + T + 2),
// or the caption and a plain margin (T + 12); each item starts where the one
// before it ends.
TEST_F(MainMenuBarTest, ItemsAreAsWideAsTheirCaptionsPlusTheFixedParts) {
    Add("&File");
    Add("&Options");
    Bar->SetMainMenu(&Menu);
    Bar->SetBounds(0, 0, 400, 22);
    struct {
        bool skinned;
        int left, top, fixed;
    } cases[] = {{false, 2, 2, 12}, {true, 4, 2, 42}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.skinned);
        Bar->SetSkinData(c.skinned ? Skin.Model.get() : nullptr);
        if (!c.skinned) Bar->ChangeSkinData();
        Picture();
        const TFont font = c.skinned ? TFont(QStringLiteral("Arial"), 14) : Bar->DefItemFont();
        const TRect a = Bar->Item(0)->ObjectRect, b = Bar->Item(1)->ObjectRect;
        EXPECT_EQ(a.Left, c.left);
        EXPECT_EQ(a.Top, c.top);
        EXPECT_EQ(a.Width(), CaptionWidth(font, "&File") + c.fixed);
        EXPECT_EQ(b.Left, a.Right);
        EXPECT_EQ(b.Width(), CaptionWidth(font, "&Options") + c.fixed);
        EXPECT_EQ(a.Height(), c.skinned ? 20 : Bar->Height() - 4);
    }
}

TEST_F(MainMenuBarTest, HeightComesFromTheSkinOrDefaultHeight) {
    Add("&File");
    Bar->SetMainMenu(&Menu);
    EXPECT_EQ(Bar->Height(), 22);
    Bar->SetDefaultHeight(30);
    EXPECT_EQ(Bar->Height(), 30);
    Bar->SetSkinData(Skin.Model.get());
    EXPECT_EQ(Bar->Height(), 24);
    Bar->SetBounds(0, 0, 300, 50);
    EXPECT_EQ(Bar->Height(), 24);  // the record's height, whatever is asked
    Bar->SetSkinData(nullptr);
    Bar->ChangeSkinData();
    EXPECT_EQ(Bar->Height(), 30);
}

TEST_F(MainMenuBarTest, PicturesShowTheBarAndTheItemStates) {
    Standard();
    Bar->SetSkinData(Skin.Model.get());
    Bar->SetBounds(0, 0, 400, 24);
    QImage img = Picture();
    const TRect file = Bar->Item(0)->ObjectRect;
    EXPECT_EQ(img.pixel(1, 1), kBar);
    EXPECT_EQ(img.pixel(390, 12), kBar);  // the middle of the bar picture repeats
    EXPECT_EQ(img.pixel(file.Left + 1, file.Top + 1), kItem);

    PointAt(Centre(0));
    EXPECT_EQ(Hot(), "File");
    EXPECT_EQ(Picture().pixel(file.Left + 1, file.Top + 1), kItemHot);
    Press(Centre(0));
    EXPECT_EQ(Hot(), "File*");
    EXPECT_EQ(Picture().pixel(file.Left + 1, file.Top + 1), kItemDown);

    // The plain look: hot and pressed fills inside a navy frame.
    Bar->SetSkinData(nullptr);
    Bar->ChangeSkinData();
    img = Picture();
    const TRect plain = Bar->Item(0)->ObjectRect;
    EXPECT_EQ(QColor(img.pixel(plain.Left + 3, plain.Top + 1)), QColor(ColorToQColor(clBtnFace)));
    Bar->Item(0)->MouseEnter();
    img = Picture();
    EXPECT_EQ(img.pixel(plain.Left, plain.Top), qRgb(0, 0, 128));
    EXPECT_EQ(img.pixel(plain.Left + 3, plain.Top + 1), qRgb(182, 189, 210));
    Bar->Item(0)->FDown = true;
    EXPECT_EQ(Picture().pixel(plain.Left + 3, plain.Top + 1), qRgb(133, 147, 181));
}

// Items that do not fit are neither drawn nor hit, the marker takes the last
// 5 pixels, and a press on it opens the rest of the menu, starting at the
// first item left off the bar even with an invisible item before it.
TEST_F(MainMenuBarTest, ItemsThatDoNotFitGoBehindTheMarker) {
    Add("&File");
    Add("&Secret")->SetVisible(false);
    for (const char* c : {"&Edit", "&View", "&Tools", "&Window", "&Help"}) Add(c);
    Bar->SetMainMenu(&Menu);
    Bar->SetSkinData(Skin.Model.get());
    Bar->SetBounds(0, 0, 160, 24);
    QImage img = Picture();
    ASSERT_TRUE(Bar->Scroll);
    const TRect area = Bar->NewItemsRect();
    int fit = 0, firstHidden = -1;
    for (int i = 0; i < Bar->ItemCount(); ++i) {
        const TqvSkinMainMenuBarItem* it = Bar->Item(i);
        EXPECT_EQ(it->Visible, it->ObjectRect.Right <= area.Right - 5) << i;
        if (it->Visible)
            ++fit;
        else if (firstHidden < 0)
            firstHidden = i;
    }
    ASSERT_GT(fit, 0);
    ASSERT_GE(firstHidden, 0);
    EXPECT_FALSE(Bar->Item(firstHidden)->Enabled);
    const TRect hidden = Bar->Item(firstHidden)->ObjectRect;
    if (hidden.Left < area.Right - 5) {  // partly on the bar, still not hit
        Bar->TestActive(hidden.Left + 1, hidden.Top + 1);
        EXPECT_EQ(Bar->ActiveObject, -1);
    }
    // Nothing of the hidden items is drawn: the marker's colour shows in its strip.
    const TRect m = Bar->GetMarkerRect();
    EXPECT_EQ(m, Rect(area.Right - 5, area.Top, area.Right, area.Bottom));
    bool marker = false;
    for (int y = m.Top; y < m.Bottom; ++y)
        for (int x = m.Left; x < m.Right; ++x) marker = marker || img.pixel(x, y) == kMark;
    EXPECT_TRUE(marker);

    Press(QPoint(m.Left + 2, m.Top + 5));
    const int start = Menu.Items()->IndexOf(Bar->Item(firstHidden)->MenuItem);
    EXPECT_EQ(start, fit + 1);
    EXPECT_EQ(Host.Calls, QStringList({"open", QStringLiteral("popup menu from %1").arg(start)}));

    // Without ScrollMenu the items may use the whole area and no marker is drawn.
    Bar->ScrollMenu = false;
    img = Picture();
    for (int i = 0; i < Bar->ItemCount(); ++i)
        EXPECT_EQ(Bar->Item(i)->Visible, Bar->Item(i)->ObjectRect.Right <= area.Right) << i;
    for (int y = m.Top; y < m.Bottom; ++y)
        for (int x = m.Left; x < m.Right; ++x) EXPECT_NE(img.pixel(x, y), kMark);
}

TEST_F(MainMenuBarTest, AnItemBackOnTheBarGetsItsFormerEnabledState) {
    for (const char* c : {"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"}) Add(c);
    Bar->SetMainMenu(&Menu);
    Bar->Item(5)->Enabled = false;  // as UpDateEnabledItems leaves a disabled item
    Bar->Item(5)->OldEnabled = false;
    Bar->SetBounds(0, 0, 120, 22);
    Picture();
    ASSERT_FALSE(Bar->Item(4)->Visible);
    ASSERT_FALSE(Bar->Item(5)->Visible);
    Bar->SetBounds(0, 0, 480, 22);
    Picture();
    EXPECT_TRUE(Bar->Item(4)->Visible);
    EXPECT_TRUE(Bar->Item(4)->Enabled);
    EXPECT_TRUE(Bar->Item(5)->Visible);
    EXPECT_FALSE(Bar->Item(5)->Enabled);
}

TEST_F(MainMenuBarTest, HoverMovesAnOpenDropDownToTheItemUnderThePointer) {
    Standard();
    Bar->SetBounds(0, 0, 400, 22);
    PointAt(Centre(0));
    EXPECT_EQ(Hot(), "File");
    Press(Centre(0));
    EXPECT_EQ(Hot(), "File*");
    EXPECT_TRUE(Bar->MenuActive);
    EXPECT_EQ(Host.Calls, QStringList({"enter", "open", "popup File from 0"}));
    Host.Calls.clear();

    PointAt(Centre(1));  // the disabled item is passed over
    EXPECT_EQ(Hot(), "File*");
    PointAt(Centre(2));
    EXPECT_EQ(Hot(), "View*");
    EXPECT_EQ(Host.Calls, QStringList({"open", "popup View from 0"}));

    // Leaving the bar in menu mode keeps the highlight.
    Pointer->Pos = Bar->mapToGlobal(QPoint(10, 100));
    Ticks->Advance(50);
    EXPECT_EQ(Hot(), "View*");
}

TEST_F(MainMenuBarTest, WithoutMenuModeHoverFollowsThePointer) {
    Standard();
    Bar->SetBounds(0, 0, 400, 22);
    PointAt(Centre(2));
    EXPECT_EQ(Hot(), "View");
    Pointer->Pos = Bar->mapToGlobal(QPoint(10, 100));
    Ticks->Advance(50);
    EXPECT_EQ(Hot(), "");
    EXPECT_TRUE(Host.Calls.isEmpty());
}

// Right and Left walk the usable items, over the disabled one, wrapping at both ends.
TEST_F(MainMenuBarTest, ArrowsWrapOverDisabledItems) {
    Standard();
    Bar->SetBounds(0, 0, 400, 22);
    Bar->EnterMainMenu();
    EXPECT_EQ(Host.Calls, QStringList({"hook", "enter"}));
    EXPECT_TRUE(Host.InMainMenu());
    EXPECT_EQ(Hot(), "File");
    const struct {
        bool next;
        const char* hot;
    } steps[] = {{true, "View"}, {true, "Help"}, {true, "File"}, {false, "Help"}, {false, "View"}, {false, "File"}};
    for (const auto& s : steps) {
        s.next ? Bar->NextMainMenuItem() : Bar->PrevMainMenuItem();
        EXPECT_EQ(Hot(), s.hot);
    }
    // With a drop-down open the arrows move it along.
    Host.Calls.clear();
    EXPECT_TRUE(Bar->ClickActiveItem());
    EXPECT_EQ(Hot(), "File*");
    Bar->NextMainMenuItem();
    EXPECT_EQ(Hot(), "View*");
    EXPECT_EQ(Host.Calls, QStringList({"open", "popup File from 0", "open", "popup View from 0"}));

    Bar->ReleaseDownItem();
    EXPECT_EQ(Hot(), "View");
    Bar->ExitMainMenu();
    EXPECT_EQ(Hot(), "");
    EXPECT_FALSE(Bar->MenuActive);
}

TEST_F(MainMenuBarTest, AcceleratorsOpenOrRunTheirItem) {
    Standard();
    Bar->SetBounds(0, 0, 400, 22);
    EXPECT_TRUE(Bar->CheckHotKey(Qt::Key_V));
    EXPECT_EQ(Hot(), "View*");
    EXPECT_EQ(Host.Calls.last(), "popup View from 0");

    Host.Calls.clear();
    Host.FInMainMenu = true;
    EXPECT_TRUE(Bar->CheckHotKey(Qt::Key_H));  // a leaf runs and the bar is left first
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Host.Calls.contains("leave"));

    EXPECT_FALSE(Bar->CheckHotKey(Qt::Key_E));  // disabled
    EXPECT_FALSE(Bar->CheckHotKey(Qt::Key_Q));  // nobody's
    Host.Visible = false;
    EXPECT_FALSE(Bar->CheckHotKey(Qt::Key_V));  // a hidden form takes none
    Bar->SetHost(nullptr);
    EXPECT_FALSE(Bar->CheckHotKey(Qt::Key_V));
    EXPECT_FALSE(Bar->ClickActiveItem());
}

TEST_F(MainMenuBarTest, OnDrawItemGetsTheMenuItemAndReplacesTheCaption) {
    Standard();
    Bar->SetBounds(0, 0, 400, 22);
    QObject* sender = nullptr;
    bool selected = true;
    Menu.Items()->Items(0)->OnDrawItem = [&](QObject* s, TCanvas&, const TRect&, bool sel) {
        sender = s;
        selected = sel;
    };
    Picture();
    EXPECT_EQ(sender, Menu.Items()->Items(0));
    EXPECT_FALSE(selected);
}

// Items of one group keep their menu order; a merged bar never scrolls again.
TEST_F(MainMenuBarTest, MergeOrdersByGroupAndKeepsTheOrderWithinAGroup) {
    Add("&A");
    Add("&B")->SetGroupIndex(1);
    Add("&C")->SetGroupIndex(2);
    Bar->SetMainMenu(&Menu);
    TMainMenu child;
    for (const char* c : {"&X", "&Y", "&Z"}) {
        auto* i = new TMenuItem;
        i->SetCaption(c);
        i->SetGroupIndex(1);
        child.Items()->Add(i);
    }
    child.Items()->Items(1)->SetVisible(false);
    Bar->Merge(&child);
    QStringList shown;
    for (int i = 0; i < Bar->ItemCount(); ++i) shown << StripHotkey(Bar->Item(i)->MenuItem->Caption());
    EXPECT_EQ(shown, QStringList({"A", "X", "Z", "C"}));
    EXPECT_TRUE(Bar->ChildMenuIn);
    EXPECT_FALSE(Bar->ScrollMenu);
    Bar->UnMerge();
    EXPECT_EQ(Bar->ItemCount(), 3);
    EXPECT_FALSE(Bar->ScrollMenu);
}

// With morphing the hot look comes in five 25 ms steps and goes the same way;
// the timer stops when nothing is left to morph.
TEST_F(MainMenuBarTest, HoverMorphsInFiveStepsWhenTheSkinAsksForIt) {
    Skin.Item->Morphing = true;
    Standard();
    Bar->SetSkinData(Skin.Model.get());
    Bar->SetBounds(0, 0, 400, 24);
    TqvSkinMainMenuBarItem* file = Bar->Item(0);
    ASSERT_TRUE(file->EnableMorphing());
    Picture();
    const TRect r = file->ObjectRect;
    file->MouseEnter();
    for (int step = 1; step <= 5; ++step) {
        Ticks->Advance(25);
        EXPECT_NEAR(file->MorphKf(), step * 0.2, 1e-9);
    }
    Ticks->Advance(25);
    EXPECT_FALSE(Bar->MorphTimer()->Enabled());
    EXPECT_EQ(Picture().pixel(r.Left + 1, r.Top + 1), kItemHot);
    file->MouseLeave();
    Ticks->Advance(25 * 5);
    EXPECT_NEAR(file->MorphKf(), 0, 1e-9);
    EXPECT_EQ(Picture().pixel(r.Left + 1, r.Top + 1), kItem);
    Ticks->Advance(25);
    EXPECT_FALSE(Bar->MorphTimer()->Enabled());
    // Without skin effects the look changes at once.
    Skin.Model->SetEnableSkinEffects(false);
    EXPECT_FALSE(file->EnableMorphing());
    file->MouseEnter();
    EXPECT_EQ(Picture().pixel(r.Left + 1, r.Top + 1), kItemHot);
}

TEST_F(MainMenuBarTest, AFreedMenuLeavesAnEmptyBar) {
    auto* menu = new TMainMenu;
    auto* i = new TMenuItem;
    i->SetCaption("&File");
    menu->Items()->Add(i);
    Bar->SetMainMenu(menu);
    EXPECT_EQ(Bar->ItemCount(), 1);
    delete menu;
    EXPECT_EQ(Bar->MainMenu(), nullptr);
    Bar->UpDateItems();
    EXPECT_EQ(Bar->ItemCount(), 0);
    Picture();  // draws the empty bar
}

}  // namespace
