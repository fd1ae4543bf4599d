// The tabs bar on a frame with real children: layout at a width, drags into
// another order, the close buttons, the right click, and the skinned looks
// (flat-colour skin: which state picture lands where).
#include "platform/Application.h"
#include "platform/MdiClient.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/mdi/MdiTabsBar.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/forms/menu/PopupMenuItem.h"
#include "tests/skin/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

namespace {

class TFrame : public TForm {
public:
    using TForm::TForm;
    TqvSkinMDITabsBar* Bar = nullptr;
    TqvVelmora* QVF = nullptr;

protected:
    void Layout() override {
        SetBounds(0, 0, 700, 500);
        Bar = new TqvSkinMDITabsBar(this);
        Bar->SetParent(this);
        Bar->SetAlign(alTop);
        QVF = new TqvVelmora(this);
        QVF->SetMDITabsBar(Bar);
        Bar->SetVelmora(QVF);
    }
};

class TChild : public TForm {
public:
    explicit TChild(const QString& name) : TForm(nullptr), FName(name) { SetFormStyle(fsMDIChild); }
    TqvVelmora* QVF = nullptr;

protected:
    void Layout() override {
        SetName(FName);
        SetCaption(FName);
        SetBounds(0, 0, 200, 150);
        QVF = new TqvVelmora(this);
    }

private:
    QString FName;
};

class MdiTabsBar : public ::testing::Test {
protected:
    void SetUp() override {
        Frame = new TFrame(nullptr);
        Frame->SetFormStyle(fsMDIForm);
        Application()->SetMainForm(Frame);
        Frame->Build();
        Frame->Show();
        Bar = Frame->Bar;
    }
    void TearDown() override {
        for (auto& c : Children) delete c.data();
        delete Frame.data();
        Application()->SetMainForm(nullptr);
    }
    void Open(int n) {
        for (int i = 0; i < n; ++i) {
            auto* c = new TChild(QStringLiteral("C%1").arg(Children.size()));
            c->Build();
            c->Show();
            Children.emplace_back(c);
        }
    }
    // The bar at a width of its own, apart from the frame's.
    void Width(int w) {
        Bar->SetAlign(alNone);
        Bar->SetBounds(0, 0, w, Bar->Height());
    }
    QStringList Order() const {
        QStringList r;
        for (int i = 0; i < Bar->TabCount(); ++i) r << Bar->Tab(i)->Child->Name();
        return r;
    }
    void Drag(int from, int by) {
        SendMouse(Bar, QEvent::MouseButtonPress, {from, 5});
        if (by) SendMouse(Bar, QEvent::MouseMove, {from + by, 5}, Qt::NoButton);
        SendMouse(Bar, QEvent::MouseButtonRelease, {from + by, 5});
    }
    QPointer<TFrame> Frame;
    TqvSkinMDITabsBar* Bar = nullptr;
    std::vector<QPointer<TChild>> Children;
};

TEST_F(MdiTabsBar, TabsShareTheWidth) {
    struct Row {
        int Width, Count, MinTabWidth;
        std::vector<int> Lefts;
        int LastRight, Hidden;
    };
    for (const Row& r : {Row{415, 4, 0, {15, 115, 215, 315}, 415, 0},
                         Row{418, 5, 0, {15, 95, 175, 255, 335}, 418, 0},
                         Row{415, 6, 90, {15, 105, 195, 285}, 375, 2}}) {
        for (auto& c : Children) delete c.data();
        Children.clear();
        Width(r.Width);
        Bar->MinTabWidth = r.MinTabWidth;
        Open(r.Count);
        ASSERT_EQ(Bar->TabCount(), r.Count);
        Bar->CalcTabRects();
        int shown = 0;
        for (int i = 0; i < r.Count; ++i) {
            if (!Bar->Tab(i)->Visible) continue;
            EXPECT_EQ(Bar->Tab(i)->ObjectRect.Left, r.Lefts[size_t(i)]) << r.Width << " " << i;
            ++shown;
        }
        EXPECT_EQ(shown, int(r.Lefts.size()));
        EXPECT_EQ(Bar->Tab(shown - 1)->ObjectRect.Right, r.LastRight);
        EXPECT_EQ(Bar->InVisibleCount(), r.Hidden);
    }
}

TEST_F(MdiTabsBar, ADraggedTabTakesItsNewPlace) {
    struct Row {
        int By;
        QStringList Order;
    };
    for (const Row& r : {Row{120, {"C1", "C0", "C2"}}, Row{160, {"C1", "C2", "C0"}}, Row{0, {"C0", "C1", "C2"}}}) {
        for (auto& c : Children) delete c.data();
        Children.clear();
        Width(315);
        Open(3);
        Drag(30, r.By);
        EXPECT_EQ(Order(), r.Order) << r.By;
        EXPECT_EQ(Bar->DragIndex(), -1);
    }
}

TEST_F(MdiTabsBar, APressShowsAndActivatesTheChild) {
    Width(315);
    Open(3);
    EXPECT_EQ(Frame->ActiveMDIChild(), Children[2]);
    Children[0]->QVF->SetWindowState(wsMinimized);
    Drag(30, 0);
    EXPECT_EQ(Frame->ActiveMDIChild(), Children[0]);
    EXPECT_EQ(Children[0]->QVF->WindowState(), wsNormal);
    EXPECT_TRUE(Bar->Tab(0)->Active);
    EXPECT_FALSE(Bar->Tab(2)->Active);
    // Hidden children leave the bar.
    Children[1]->Hide();
    EXPECT_EQ(Order(), (QStringList{"C0", "C2"}));
}

TEST_F(MdiTabsBar, AReleaseOnTheCloseButtonClosesTheChild) {
    Width(315);
    Bar->SetShowCloseButtons(true);
    Open(3);
    Bar->BuildImage();
    const TqvMDITab* t = Bar->Tab(1);
    const QPoint button(t->ObjectRect.Left + t->ButtonRect.Left + 5, t->ObjectRect.Top + t->ButtonRect.Top + 5);
    SendMouse(Bar, QEvent::MouseButtonPress, button);
    SendMouse(Bar, QEvent::MouseButtonRelease, button);
    EXPECT_FALSE(Children[1]->Visible());
    EXPECT_EQ(Order(), (QStringList{"C0", "C2"}));
    // Elsewhere on a tab nothing closes.
    SendMouse(Bar, QEvent::MouseButtonPress, {20, 5});
    SendMouse(Bar, QEvent::MouseButtonRelease, {20, 5});
    EXPECT_TRUE(Children[0]->Visible());
}

TEST_F(MdiTabsBar, ARightClickOpensTheChildsSystemMenuWhenAsked) {
    Width(315);
    Open(2);
    int downs = 0;
    Bar->OnTabMouseDown = [&](Qt::MouseButton b, Qt::KeyboardModifiers, TqvMDITab*) { downs += b == Qt::RightButton; };
    for (bool support : {false, true}) {
        Bar->SupportChildMenus = support;
        SendMouse(Bar, QEvent::MouseButtonPress, {30, 5}, Qt::RightButton);
        SendMouse(Bar, QEvent::MouseButtonRelease, {30, 5}, Qt::RightButton);
        // A child's system menu opens through the frame's component.
        EXPECT_EQ(Frame->QVF->SkinMenu()->Visible(), support);
    }
    Frame->QVF->SkinMenu()->Hide();
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(Order(), (QStringList{"C0", "C1"}));
}

// Six tabs of at least 90 pixels on 415: four shown, the hidden-tabs button
// lists the other two; the list button lists them all with the active one
// checked. The menus are filled afresh at every opening.
TEST_F(MdiTabsBar, TheListButtonsOpenMenusOfTheirTabs) {
    Width(415);
    Bar->MinTabWidth = 90;
    Open(6);
    ASSERT_TRUE(Bar->ListButton());
    ASSERT_TRUE(Bar->HideListButton());
    EXPECT_EQ(Bar->ListButton()->geometry(), QRect(0, 0, 15, Bar->Height()));
    EXPECT_EQ(Bar->HideListButton()->geometry(), QRect(400, 0, 15, Bar->Height()));
    TqvSkinMenu* menu = Frame->QVF->SkinMenu();
    auto open = [&](TqvSkinMenuSpeedButton* b) {
        SendMouse(b, QEvent::MouseButtonPress, {5, 5});
        SendMouse(b, QEvent::MouseButtonRelease, {5, 5});
        QStringList shown;
        if (TqvSkinPopupWindow* level = menu->Level(0))
            for (int i = 0; i < level->Level().ItemCount(); ++i) {
                const TMenuItem* mi = level->Level().Item(i)->MenuItem;
                shown << mi->Caption() + (mi->Checked() ? "*" : "");
            }
        return shown;
    };
    EXPECT_EQ(open(Bar->HideListButton()), (QStringList{"C4", "C5*"}));
    EXPECT_EQ(Bar->HideListMenu()->Items()->Items(0)->Name(), QStringLiteral("C4_QVFCHILDITEMBARHIDE"));
    EXPECT_TRUE(Bar->HideListButton()->Down());
    // A chosen item restores and activates its child; the button comes up.
    Children[4]->QVF->SetWindowState(wsMinimized);
    menu->Level(0)->ItemMouseDown(0);
    EXPECT_FALSE(menu->Visible());
    EXPECT_EQ(Frame->ActiveMDIChild(), Children[4]);
    EXPECT_EQ(Children[4]->QVF->WindowState(), wsNormal);
    EXPECT_FALSE(Bar->HideListButton()->Down());

    EXPECT_EQ(open(Bar->ListButton()), (QStringList{"C0", "C1", "C2", "C3", "C4*", "C5"}));
    EXPECT_EQ(Bar->ListMenu()->Items()->Items(1)->Name(), QStringLiteral("C1_QVFCHILDITEMBAR"));
    menu->Level(0)->ItemMouseDown(1);
    EXPECT_EQ(Frame->ActiveMDIChild(), Children[1]);
    Children[2]->SetCaption(QStringLiteral("renamed"));
    EXPECT_EQ(open(Bar->ListButton()).mid(1, 2), (QStringList{"C1*", "renamed"}));
    menu->Hide();

    // Room for every tab: the hidden-tabs button goes; with the last tab the list button.
    Width(700);
    EXPECT_FALSE(Bar->HideListButton());
    for (auto& c : Children) delete c.data();
    EXPECT_FALSE(Bar->ListButton());
}

// The skinned looks on a flat-colour skin. The tab's state pictures are cells
// of the "tabcells" button record; the normal one is 48 high, so the active
// tab (64) stands 16 pixels taller.
class MdiTabsLooks : public MdiTabsBar {
protected:
    void SetUp() override {
        MdiTabsBar::SetUp();
        Skin.FlatColours();
        Skin.AddControl("tabcells", "button");
        if (ToolButton) Skin.AddControl("resizetoolbutton", "button");
        const TRect normal = Skin.FlatRect("tabcells", "skinrect");
        Skin.Set("tab", "tabrect", R4(Rect(normal.Left, normal.Top, normal.Right, normal.Top + 48)));
        Skin.Set("tab", "activetabrect", R4(Skin.FlatRect("tabcells", "activeskinrect")));
        Skin.Set("tab", "mouseintabrect", R4(Skin.FlatRect("tabcells", "downskinrect")));
        Skin.Set("tab", "tableftoffset", "4");
        Skin.Set("tab", "tabrightoffset", "4");
        Model = new TqvSkinData(Frame);
    }
    void Load(bool withResizeButton = true) {
        if (withResizeButton) Skin.AddControl("resizebutton", "button");
        Skin.LoadInto(*Model);
        Bar->SetSkinData(Model);
        Width(315);
        Open(3);  // C2 active
    }
    // A fresh frame and skin for the next row of a table.
    void Restart() {
        TearDown();
        Children.clear();
        Skin = TTestSkin(QStringList{"tab"}, QStringList{});
        SetUp();
    }
    static QString R4(const TRect& r) {
        return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
    }
    QRgb Flat(const char* name, const char* key, TTestSkin::TZone z = TTestSkin::zC) const {
        return Skin.FlatColour(QLatin1String(name), QLatin1String(key), z);
    }
    // The colour a little inside tab i's left end, at height y (row middle by default).
    QRgb At(int i, int y = -1) {
        const QImage img = Bar->BuildImage();
        const TRect& r = Bar->Tab(i)->ObjectRect;
        return Px(img, r.Left + 8, y < 0 ? (r.Top + r.Bottom) / 2 : y);
    }
    // The box of tab i's pixels that its caption changes, left of X (relative to the tab).
    TRect TextBox(int i, int X) {
        TForm* child = Bar->Tab(i)->Child;
        const QString caption = child->Caption();
        const QImage with = Bar->BuildImage();
        child->SetCaption(QString());
        const QImage without = Bar->BuildImage();
        child->SetCaption(caption);
        const TRect& r = Bar->Tab(i)->ObjectRect;
        TRect box{10000, 10000, -1, -1};
        for (int x = r.Left; x < r.Left + X; ++x)
            for (int y = r.Top; y < r.Bottom; ++y)
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    box.Left = std::min(box.Left, x - r.Left), box.Right = std::max(box.Right, x - r.Left);
                    box.Top = std::min(box.Top, y - r.Top), box.Bottom = std::max(box.Bottom, y - r.Top);
                }
        return box;
    }
    bool ToolButton = true;
    TTestSkin Skin{QStringList{"tab"}, QStringList{}};
    TqvSkinData* Model = nullptr;
};

// Normal, hot and active tabs in the button and resized looks, with the
// fall-backs of empty hot and pressed pictures.
TEST_F(MdiTabsLooks, EachStateTakesItsPictureOrItsFallBack) {
    enum TState { sNormal, sHot, sActive };
    struct Row {
        TqvSkinMDITabKind Kind;
        const char* Section;
        std::vector<const char*> EmptyKeys;
        TState State;
        const char* Record;
        const char* Key;
    };
    const Row rows[] = {
        {qvtkButton, "resizebutton", {}, sNormal, "resizebutton", "skinrect"},
        {qvtkButton, "resizebutton", {}, sHot, "resizebutton", "activeskinrect"},
        {qvtkButton, "resizebutton", {}, sActive, "resizebutton", "downskinrect"},
        {qvtkButton, "resizebutton", {"activeskinrect"}, sHot, "resizebutton", "skinrect"},
        {qvtkButton, "resizebutton", {"downskinrect"}, sActive, "resizebutton", "activeskinrect"},
        {qvtkButton, "resizebutton", {"activeskinrect", "downskinrect"}, sActive, "resizebutton", "skinrect"},
        {qvtkTab, "tab", {}, sNormal, "tabcells", "skinrect"},
        {qvtkTab, "tab", {}, sHot, "tabcells", "downskinrect"},
        {qvtkTab, "tab", {}, sActive, "tabcells", "activeskinrect"},
        {qvtkTab, "tab", {"mouseintabrect"}, sHot, "tabcells", "skinrect"},
        {qvtkTab, "tab", {"activetabrect"}, sActive, "tabcells", "skinrect"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.Kind << " " << r.State << " " << r.EmptyKeys.size());
        Restart();
        for (const char* k : r.EmptyKeys) Skin.Set(QLatin1String(r.Section), QLatin1String(k), "0,0,0,0");
        Bar->UseSkinSize = r.Kind == qvtkButton;  // the resized look is the tab kind without the skin's size
        Bar->SetDefaultHeight(40);
        Bar->SetTabKind(r.Kind);
        Load();
        const int tab = r.State == sActive ? 2 : 0;
        if (r.State == sHot) SendMouse(Bar, QEvent::MouseMove, {30, 5}, Qt::NoButton);
        ASSERT_EQ(Bar->Tab(tab)->Active, r.State == sActive);
        EXPECT_EQ(At(tab), Flat(r.Record, r.Key));
    }
}

// The resized look: the active tab reaches 16 pixels below the row into the
// page strip; the others leave the strip showing.
TEST_F(MdiTabsLooks, TheActiveTabStandsTallerInTheResizedLook) {
    Bar->UseSkinSize = false;
    Bar->SetDefaultHeight(40);
    Load();
    EXPECT_EQ(Bar->ActiveTabOffset(), 16);
    EXPECT_EQ(Bar->Height(), 40);
    const int row = Bar->Tab(0)->ObjectRect.Bottom;  // 40 less the strip of 8
    ASSERT_EQ(row, 32);
    EXPECT_EQ(At(2, row + 3), Flat("tabcells", "activeskinrect"));
    EXPECT_EQ(At(0, row + 3), Flat("tab", "skinrect", TTestSkin::zT));
}

// Without a "resizebutton" record the button look has nothing to draw from:
// the bar's face shows where the tabs are.
TEST_F(MdiTabsLooks, NoButtonRecordNoButtonTabs) {
    Bar->SetTabKind(qvtkButton);
    Load(false);
    ASSERT_EQ(Bar->TabCount(), 3);
    for (int i : {0, 2}) EXPECT_EQ(At(i), qRgb(236, 233, 216)) << i;
}

// Text rectangles: a long caption is cut short of the close button, and runs
// further without one; the close button ("resizetoolbutton", as the tab record
// has no close pictures) sits at the text's right edge.
TEST_F(MdiTabsLooks, TheCaptionLeavesRoomForTheCloseButton) {
    struct Row {
        TqvSkinMDITabKind Kind;
        bool UseSkinSize;
        int CloseLeft;  // from the tab's right end
    };
    for (const Row& r : {Row{qvtkButton, true, 4 + 14 + 3}, Row{qvtkTab, false, 14 + 5}}) {
        SCOPED_TRACE(r.Kind);
        Restart();
        Bar->UseSkinSize = r.UseSkinSize;
        Bar->SetDefaultHeight(40);
        Bar->SetTabKind(r.Kind);
        Load();
        Children[0]->SetCaption(QStringLiteral("A caption much too long for its tab"));
        const int w = Bar->Tab(0)->ObjectRect.Width();
        Bar->SetShowCloseButtons(true);
        Bar->BuildImage();
        const TRect b = Bar->Tab(0)->ButtonRect;
        EXPECT_EQ(b.Left, w - r.CloseLeft);
        EXPECT_EQ(b.Width(), 14);
        const TRect text = TextBox(0, b.Left);
        EXPECT_GE(text.Left, 2);
        EXPECT_LT(text.Right, b.Left);
        EXPECT_GT(text.Right, b.Left - 20) << "the caption is cut to the room, not shorter";
        Bar->SetShowCloseButtons(false);
        EXPECT_GT(TextBox(0, w).Right, b.Left) << "without the button the caption takes its room";
    }
}

// A button whose client area is lower than a line: the caption is centred
// in the tab, not in the thin client area (4 pixels at 34 of 48 once the
// 64-pixel picture is composed to the tab).
TEST_F(MdiTabsLooks, AThinButtonClientStillCentresTheCaptionInTheTab) {
    Skin.Set("resizebutton", "clientrect", "4,34,60,54");
    Bar->SetTabKind(qvtkButton);
    Load();
    ASSERT_EQ(Bar->Tab(0)->ObjectRect.Height(), 48);
    const TRect text = TextBox(0, Bar->Tab(0)->ObjectRect.Width());
    ASSERT_GE(text.Right, 0);
    EXPECT_NEAR((text.Top + text.Bottom) / 2, 24, 3);
}

// The close button of a tab record without close pictures is the skin's
// "resizetoolbutton" in its normal, hot and pressed pictures; a skin without
// that record has no close button, and a release there closes nothing.
TEST_F(MdiTabsLooks, CloseButtonsFallBackToTheToolButton) {
    Bar->SetShowCloseButtons(true);
    Load();
    Bar->BuildImage();
    const TqvMDITab* t = Bar->Tab(0);
    const TRect b = t->ButtonRect;
    ASSERT_EQ(b.Width(), 14);
    const QPoint on(t->ObjectRect.Left + b.Left + 7, t->ObjectRect.Top + b.Top + 7);
    auto corner = [&] { return Px(Bar->BuildImage(), t->ObjectRect.Left + b.Left + 1, t->ObjectRect.Top + b.Top + 1); };
    EXPECT_EQ(corner(), Flat("resizetoolbutton", "skinrect", TTestSkin::zTL));
    SendMouse(Bar, QEvent::MouseMove, on, Qt::NoButton);
    EXPECT_EQ(corner(), Flat("resizetoolbutton", "activeskinrect", TTestSkin::zTL));
    SendMouse(Bar, QEvent::MouseButtonPress, on);
    EXPECT_EQ(corner(), Flat("resizetoolbutton", "downskinrect", TTestSkin::zTL));
    SendMouse(Bar, QEvent::MouseButtonRelease, on);
    EXPECT_FALSE(Children[0]->Visible());

    ToolButton = false;
    Restart();
    Bar->SetShowCloseButtons(true);
    Load();
    Bar->BuildImage();
    EXPECT_EQ(Bar->Tab(0)->ButtonRect.Width(), 0);
    SendMouse(Bar, QEvent::MouseButtonPress, on);
    SendMouse(Bar, QEvent::MouseButtonRelease, on);
    EXPECT_TRUE(Children[0]->Visible());
}

}  // namespace
