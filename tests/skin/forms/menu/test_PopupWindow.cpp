// The level window on its own, with a recording host: how it is made, the
// keys of a level, pointer tracking on the manual pointer and clock, and
// marker scrolling.
#include "skin/forms/menu/PopupWindow.h"

#include "platform/Sources.h"
#include "tests/skin/forms/menu/MenuTestSkin.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

const TRect kWA = Rect(0, 0, 1024, 768);

struct TRecordingHost : TqvPopupLevelHost {
    std::vector<TqvSkinPopupWindow*> Levels;
    QStringList Calls;
    void ProcessItem(TqvSkinPopupWindow*, TqvSkinMenuItem* Item, bool Choose, bool Kb) override {
        Calls << QStringLiteral("%1 %2%3").arg(Choose ? "choose" : "point", StripHotkey(Item->MenuItem->Caption()),
                                               Kb ? " kb" : "");
    }
    void CloseLevels(int Index) override {
        Calls << QStringLiteral("close %1").arg(Index);
        while (int(Levels.size()) > Index) Levels.pop_back();
    }
    int IndexOfLevel(const TqvSkinPopupWindow* W) const override {
        for (std::size_t i = 0; i < Levels.size(); ++i)
            if (Levels[i] == W) return int(i);
        return int(Levels.size());
    }
    int LevelCount() const override { return int(Levels.size()); }
    TqvSkinPopupWindow* Level(int i) const override {
        return i >= 0 && i < LevelCount() ? Levels[std::size_t(i)] : nullptr;
    }
    void ItemLeft(TqvSkinMenuItem*) override {}
};

struct PopupWindowTest : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    std::shared_ptr<TManualPointerSource> Pointer = std::make_shared<TManualPointerSource>();
    std::unique_ptr<QWidget> Form = std::make_unique<QWidget>();
    TRecordingHost Host;
    TPopupMenu Menu;
    std::unique_ptr<TqvSkinPopupWindow> Window;

    void SetUp() override {
        SetTickSource(Ticks);
        SetPointerSource(Pointer);
        Form->setGeometry(100, 100, 300, 200);
        Form->show();
    }
    void TearDown() override {
        Window.reset();
        SetPointerSource(nullptr);
        SetTickSource(nullptr);
    }
    TMenuItem* Add(const QString& caption, bool enabled = true, TMenuItem* parent = nullptr) {
        auto* i = new TMenuItem;
        i->SetCaption(caption);
        i->SetEnabled(enabled);
        (parent ? parent : Menu.Items())->Add(i);
        return i;
    }
    void Open(int maxItems = 0, TqvSkinData* skin = nullptr) {
        TqvMenuSettings s;
        s.MaxMenuItemsInWindow = maxItems;
        Window = std::make_unique<TqvSkinPopupWindow>(Form.get(), &Host, skin, s);
        Host.Levels = {Window.get()};
        Window->Show(Rect(150, 150, 150, 150), Menu.Items(), 0, false, false, kWA);
        Host.Calls.clear();
    }
    // The pointer over a client point of the window, seen at the next poll.
    void PointAt(int x, int y) {
        Pointer->Pos = Window->mapToGlobal(QPoint(x, y));
        Pointer->Widget = Window.get();
        Ticks->Advance(50);
    }
    TRect ItemRect(int i) { return Window->Level().Item(i)->ObjectRect; }
    void PointAtItem(int i) {
        const TRect r = ItemRect(i);
        PointAt(r.Left + 5, r.Top + r.Height() / 2);
    }
};

TEST_F(PopupWindowTest, AToolWindowThatNeverTakesTheFocus) {
    Add(QStringLiteral("Off"), false);
    Add(QStringLiteral("-"));
    Add(QStringLiteral("First"));
    Open();
    EXPECT_TRUE(Window->isWindow());
    EXPECT_EQ(Window->parentWidget(), Form.get());
    EXPECT_EQ(Window->windowType(), Qt::ToolTip);  // not Qt::Popup
    EXPECT_TRUE(Window->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(Window->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(Window->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Window->geometry(), QRect(150, 150, Window->Level().Width(), Window->Level().Height()));
    // The first enabled item is highlighted, waiting for the mouse.
    EXPECT_EQ(Window->ActiveItem(), 2);
    EXPECT_TRUE(Window->Level().Item(2)->Active);
    EXPECT_TRUE(Window->Level().Item(2)->WaitCommand);
    Window->HideLevel();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_EQ(Ticks->ActiveTimers(), 0);
}

TEST_F(PopupWindowTest, KeysOfAScrollingLevel) {
    // 0 A, 1 -, 2 B (disabled), 3 C, 4 D, 5 E, 6 F (disabled), 7 G: three rows shown.
    const char* captions[] = {"A", "-", "B", "C", "D", "E", "F", "G"};
    for (const char* c : captions) Add(QString::fromLatin1(c), *c != 'B' && *c != 'F');
    Open(3);
    ASSERT_TRUE(Window->Level().Scroll());
    const struct {
        int Key;
        int Active;
        int Start;
    } steps[] = {
        {Qt::Key_Down, 3, 1},  // separator and disabled item skipped; the list scrolls with them
        {Qt::Key_Down, 4, 2},  {Qt::Key_Down, 5, 3}, {Qt::Key_Down, 7, 5},
        {Qt::Key_Down, 0, 0},  // wraps to the first and scrolls back to the start
        {Qt::Key_Up, 7, 5},    // wraps to the end: the last start index
        {Qt::Key_Up, 5, 5},    {Qt::Key_Up, 4, 4}, {Qt::Key_Up, 3, 3}, {Qt::Key_Up, 0, 0},
    };
    int n = 0;
    for (const auto& s : steps) {
        Window->PopupKeyDown(s.Key);
        EXPECT_EQ(Window->ActiveItem(), s.Active) << "step " << n;
        EXPECT_EQ(Window->Level().VisibleStartIndex, s.Start) << "step " << n;
        EXPECT_TRUE(Window->Level().Item(s.Active)->FVisible) << "step " << n;
        for (int i = 0; i < Window->Level().ItemCount(); ++i)
            EXPECT_EQ(Window->Level().Item(i)->Active, i == s.Active) << "step " << n << " item " << i;
        ++n;
    }
    // Pointing by keyboard opens nothing by itself.
    EXPECT_TRUE(Host.Calls.filter(QStringLiteral("choose")).isEmpty());
}

TEST_F(PopupWindowTest, EnterRightLeftEscapeAndAccelerators) {
    Add(QStringLiteral("&Open"));
    TMenuItem* sub = Add(QStringLiteral("&More"));
    Add(QStringLiteral("Child"), true, sub);
    Add(QStringLiteral("&Locked"), false);
    Open();
    Window->PopupKeyDown(Qt::Key_Right);  // not a submenu item: nothing
    Window->PopupKeyDown(Qt::Key_Left);   // the first level: nothing
    EXPECT_TRUE(Host.Calls.isEmpty());
    Window->PopupKeyDown(Qt::Key_Return);
    EXPECT_EQ(Host.Calls, QStringList{"choose Open"});
    Host.Calls.clear();
    Window->PopupKeyDown(Qt::Key_Down);
    Window->PopupKeyDown(Qt::Key_Right);
    EXPECT_EQ(Host.Calls, (QStringList{"point More kb", "choose More"}));
    Host.Calls.clear();
    // A disabled item's accelerator highlights it, chooses nothing and is used up.
    Window->PopupKeyDown(Qt::Key_L);
    EXPECT_EQ(Window->ActiveItem(), 2);
    EXPECT_TRUE(Window->Level().Item(2)->Active);
    EXPECT_FALSE(Window->Level().Item(1)->Active);
    EXPECT_TRUE(Host.Calls.filter(QStringLiteral("choose")).isEmpty());
    Host.Calls.clear();
    Window->PopupKeyDown(Qt::Key_O);
    EXPECT_EQ(Host.Calls, (QStringList{"point Open", "choose Open"}));
    Host.Calls.clear();
    Window->PopupKeyDown(Qt::Key_Escape);  // the only level: the whole menu
    EXPECT_EQ(Host.Calls, QStringList{"close 0"});
}

TEST_F(PopupWindowTest, EscapeOnASubmenuReleasesItsParentItem) {
    TMenuItem* sub = Add(QStringLiteral("Sub"));
    Add(QStringLiteral("Child"), true, sub);
    Open();
    TqvSkinPopupWindow second(Form.get(), &Host, nullptr, {});
    Host.Levels.push_back(&second);
    Window->Level().Item(0)->Down = true;
    second.Show(Rect(0, 0, 10, 10), sub, 0, true, false, kWA);
    Host.Calls.clear();
    second.PopupKeyDown(Qt::Key_Left);
    EXPECT_FALSE(Window->Level().Item(0)->Down);
    EXPECT_EQ(Host.Calls, QStringList{"close 1"});
}

TEST_F(PopupWindowTest, PointerAndButtons) {
    Add(QStringLiteral("One"));
    Add(QStringLiteral("-"));
    Add(QStringLiteral("Two"));
    Open();
    PointAtItem(2);
    EXPECT_EQ(Host.Calls, QStringList{"point Two"});
    EXPECT_FALSE(Window->Level().Item(0)->Active);
    Ticks->Advance(500);  // a pointer at rest reports nothing more
    EXPECT_EQ(Host.Calls.size(), 1);
    Host.Calls.clear();

    const TRect two = ItemRect(2), line = ItemRect(1);
    Window->MouseUp(Qt::RightButton, two.Left + 5, two.Top + 5);
    Window->MouseUp(Qt::MiddleButton, two.Left + 5, two.Top + 5);
    EXPECT_TRUE(Host.Calls.isEmpty());
    Window->MouseUp(Qt::LeftButton, line.Left + 5, line.Top + 1);
    EXPECT_TRUE(Host.Calls.filter(QStringLiteral("choose")).isEmpty());  // a separator chooses nothing
    // The separator is under the pointer but not highlighted.
    EXPECT_EQ(Window->ActiveItem(), 1);
    EXPECT_FALSE(Window->Level().Item(1)->Active);
    Host.Calls.clear();
    Window->MouseUp(Qt::LeftButton, two.Left + 5, two.Top + 5);
    EXPECT_EQ(Host.Calls, (QStringList{"point Two", "choose Two"}));
}

TEST_F(PopupWindowTest, PreselectedSubmenuItemWaitsForTheMouseToMove) {
    TMenuItem* sub = Add(QStringLiteral("Sub"));
    Add(QStringLiteral("Child"), true, sub);
    Add(QStringLiteral("Other"));
    Open();
    EXPECT_TRUE(Host.Calls.isEmpty());  // highlighted by the keyboard: no wait started
    const TRect r = ItemRect(0);
    PointAt(r.Left + 3, r.Top + 3);
    PointAt(r.Left + 6, r.Top + 4);
    EXPECT_EQ(Host.Calls, QStringList{"point Sub"});
}

TEST_F(PopupWindowTest, MarkerScrollingEvery100ms) {
    for (int i = 0; i < 8; ++i) Add(QStringLiteral("Item %1").arg(i));
    Open(3);
    const TRect down = Window->Level().DownMarkerRect(), up = Window->Level().UpMarkerRect();
    PointAt(down.Left + 20, down.Top + 5);
    EXPECT_EQ(Window->Level().ScrollCode, 2);
    Ticks->Advance(99);
    EXPECT_EQ(Window->Level().VisibleStartIndex, 0);
    Ticks->Advance(1);
    EXPECT_EQ(Window->Level().VisibleStartIndex, 1);
    Ticks->Advance(1000);  // stops at the end
    EXPECT_EQ(Window->Level().VisibleStartIndex, 5);
    EXPECT_EQ(Window->Level().ScrollCode, 0);

    PointAt(up.Left + 20, up.Top + 5);
    EXPECT_EQ(Window->Level().ScrollCode, 1);
    Ticks->Advance(200);
    EXPECT_EQ(Window->Level().VisibleStartIndex, 3);
    const TRect item = ItemRect(Window->Level().VisibleStartIndex);
    PointAt(item.Left + 5, item.Top + 5);  // off the marker: stops at once
    EXPECT_EQ(Window->Level().ScrollCode, 0);
    Ticks->Advance(300);
    EXPECT_EQ(Window->Level().VisibleStartIndex, 3);

    PointAt(down.Left + 20, down.Top + 5);
    Ticks->Advance(100);
    EXPECT_EQ(Window->Level().VisibleStartIndex, 4);
    Pointer->Widget = nullptr;  // out of the window
    Pointer->Pos += QPoint(500, 0);
    Ticks->Advance(50);
    EXPECT_EQ(Window->Level().ScrollCode, 0);
    Ticks->Advance(300);
    EXPECT_EQ(Window->Level().VisibleStartIndex, 4);
}

TEST_F(PopupWindowTest, MorphingInFiveStepsOf20ms) {
    menutest::TMenuSkin skin;
    skin.MI->Morphing = true;
    for (int i = 0; i < 6; ++i) Add(QStringLiteral("Item %1").arg(i));
    Open(3, skin.Model.get());
    TqvSkinMenuItem* first = Window->Level().Item(0);
    ASSERT_TRUE(first->EnableMorphing());
    for (int step = 1; step <= 5; ++step) {
        Ticks->Advance(20);
        EXPECT_NEAR(first->MorphKf(), 0.2 * step, 1e-9) << step;
    }
    PointAtItem(1);  // the pointer moves on: the first blends back, the second in
    Ticks->Advance(100);
    EXPECT_NEAR(first->MorphKf(), 0.0, 1e-9);
    EXPECT_NEAR(Window->Level().Item(1)->MorphKf(), 1.0, 1e-9);
    const int timers = Ticks->ActiveTimers();
    Ticks->Advance(40);
    EXPECT_EQ(Ticks->ActiveTimers(), timers - 1);  // the morph timer stops when nothing moves
    // An item scrolled out of view drops its morph state.
    Window->Level().ScrollDown(false);
    Window->Level().ScrollDown(false);
    TqvSkinMenuItem* second = Window->Level().Item(1);
    EXPECT_FALSE(second->FVisible);
    EXPECT_FALSE(second->CanMorphing());
    EXPECT_EQ(second->MorphKf(), 0.0);
    EXPECT_FALSE(second->Active);
}

TEST_F(PopupWindowTest, MaskedSkinShapesTheWindow) {
    menutest::TMenuSkin masked(true);
    Add(QStringLiteral("Item"));
    Open(0, masked.Model.get());
    EXPECT_FALSE(Window->mask().isEmpty());
    EXPECT_FALSE(Window->mask().contains(QPoint(0, 0)));
    const QImage shot = Window->grab().toImage();
    EXPECT_EQ(shot.pixel(5, 1) | 0xFF000000u, menutest::kFrame);
}

}  // namespace
