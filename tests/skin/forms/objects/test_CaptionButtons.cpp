// Caption buttons and animation objects: the window commands and their
// order around the release, restore images and hints, the system-menu
// button, strip timing on the 25 ms timer and the skinless look.
#include "tests/skin/forms/objects/ObjectTestSupport.h"

#include "platform/Canvas.h"
#include "skin/forms/menu/SkinMenu.h"

#include <QPainter>

namespace {

struct ButtonsTest : ObjectsTest {
    void SetUp() override {
        ObjectsTest::SetUp();
        Add("close", "stdbutton", "cmclose");
        Add("max", "stdbutton", "cmmaximize");
        Add("min", "stdbutton", "cmminimize");
        Add("rollup", "stdbutton", "cmrollup");
        Add("sys", "stdbutton", "cmsysmenu");
    }
    void Start() {
        Load();
        Activate();
    }
    void ClickOn(const QString& name) {
        const QPoint c = CentreOf(name);
        MoveTo(c);
        Click(c);
    }
    QRgb Shown(const QString& name) {
        TqvActiveSkinObject* o = Object(name);
        QImage img(Form->width(), 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        o->Draw(p, true);
        return img.pixel(o->ObjectRect.Left + 5, o->ObjectRect.Top + 5);
    }
};

TEST_F(ButtonsTest, CommandsAndTheirOrderAroundTheRelease) {
    Start();
    auto* max = Object<TqvSkinButtonObject>("max");
    auto* close = Object<TqvSkinButtonObject>("close");
    std::vector<bool> downAtCommand;
    Comp->OnMaximize = [&](QObject*) { downAtCommand.push_back(max->Down()); };
    Form->OnCloseQuery = [&](QObject*, bool&) { downAtCommand.push_back(close->Down()); };
    Form->Show();

    ClickOn("max");
    EXPECT_EQ(Comp->WindowState(), wsMaximized);
    ClickOn("max");
    EXPECT_EQ(Comp->WindowState(), wsNormal);
    ClickOn("rollup");
    EXPECT_TRUE(Comp->RollUpState());
    ClickOn("rollup");
    EXPECT_FALSE(Comp->RollUpState());
    ClickOn("close");
    EXPECT_FALSE(Form->isVisible());
    // Maximize runs while the button is still down; close after it came up.
    EXPECT_EQ(downAtCommand, (std::vector<bool>{true, false}));
}

TEST_F(ButtonsTest, AButtonDisabledOrLeftBeforeTheReleaseRunsNothing) {
    Start();
    const QPoint c = CentreOf("max");
    MoveTo(c);
    Press(c);
    DragTo(QPoint(200, 150));
    Release(QPoint(200, 150));
    EXPECT_EQ(Comp->WindowState(), wsNormal);
    Comp->SetBorderIcons(biSystemMenu | biRollUp);
    EXPECT_FALSE(Object("max")->Visible);
    EXPECT_EQ(Comp->GetIndex("max"), 1);
}

TEST_F(ButtonsTest, AlwaysMinimizeToTrayKeepsTheFormFromMinimizing) {
    Comp->AlwaysMinimizeToTray = true;
    Start();
    ClickOn("min");
    EXPECT_EQ(Comp->WindowState(), wsNormal);
}

struct TRestoreRow {
    const char* Name;
    std::function<void(TqvVelmora*)> Enter, Leave;
};

TEST_F(ButtonsTest, RestoreImagesAndHintWhileMaximizedOrRolledUp) {
    // Cells: 0-4 the buttons; 5 restore, 6 restore hover; 7 the hover image.
    for (const char* name : {"max", "rollup"}) {
        Skin.Set(name, "activeskinrect", CellRect(7));
        Skin.Set(name, "restorerect", CellRect(5));
        Skin.Set(name, "restoreactiverect", CellRect(6));
    }
    for (const char* spare : {"s5", "s6", "s7"}) Add(spare, "menuitem");
    Start();
    const TRestoreRow rows[] = {
        {"max", [](TqvVelmora* v) { v->SetWindowState(wsMaximized); },
         [](TqvVelmora* v) { v->SetWindowState(wsNormal); }},
        {"rollup", [](TqvVelmora* v) { v->SetRollUpState(true); }, [](TqvVelmora* v) { v->SetRollUpState(false); }},
    };
    for (const TRestoreRow& r : rows) {
        SCOPED_TRACE(r.Name);
        const QString normalHint = Object(r.Name)->Hint;
        r.Enter(Comp);
        EXPECT_EQ(Shown(r.Name), CellColour(5));
        MoveTo(CentreOf(r.Name));
        EXPECT_EQ(Object(r.Name)->Hint, "Restore");
        EXPECT_EQ(Shown(r.Name), CellColour(6));
        MoveTo(QPoint(Form->width() / 2, 150));
        r.Leave(Comp);
        EXPECT_EQ(Shown(r.Name), CellColour(Comp->GetIndex(r.Name)));
        MoveTo(CentreOf(r.Name));
        EXPECT_EQ(Object(r.Name)->Hint, normalHint);
        EXPECT_EQ(Shown(r.Name), CellColour(7));
        MoveTo(QPoint(Form->width() / 2, 150));
    }
}

TEST_F(ButtonsTest, TheSystemMenuButtonHoldsItsMenuAndADoubleClickCloses) {
    TRecordingMenuLink link;
    TPopupMenu sysMenu;
    sysMenu.Items()->Add(new TMenuItem(&sysMenu));
    link.SystemMenu = sysMenu.Items();
    Comp->SetMenuLink(&link);
    Start();
    auto* sys = Object<TqvSkinStdButtonObject>("sys");
    const QPoint c = CentreOf("sys");
    MoveTo(c);
    Press(c);
    ASSERT_EQ(link.Calls.size(), 1u);
    EXPECT_EQ(link.Calls[0].Item, sysMenu.Items());
    Release(c);
    MoveTo(QPoint(200, 150));
    EXPECT_TRUE(sys->Down());
    Comp->SkinMenuClose();
    EXPECT_FALSE(sys->Down());

    MoveTo(c);
    Mouse(Form, QEvent::MouseButtonDblClick, c);
    EXPECT_FALSE(Form->isVisible());
    Comp->SetMenuLink(nullptr);
}

TEST_F(ButtonsTest, TheRealSystemMenuHoldsTheButtonUntilItCloses) {
    Start();
    Form->Show();
    auto* sys = Object<TqvSkinStdButtonObject>("sys");
    const QPoint c = CentreOf("sys");
    MoveTo(c);
    Press(c);
    Release(c);
    ASSERT_TRUE(Comp->SkinMenu()->Visible()) << "the form's own system menu opened";
    EXPECT_TRUE(sys->Down());
    Comp->SkinMenu()->Hide();
    EXPECT_FALSE(Comp->SkinMenu()->Visible());
    EXPECT_FALSE(sys->Down()) << "the menu's close released the button";
}

TEST_F(ButtonsTest, WithoutSystemMenuTheButtonComesUpOnTheRelease) {
    Start();
    Comp->DisableSystemMenu = true;
    auto* sys = Object<TqvSkinStdButtonObject>("sys");
    const QPoint c = CentreOf("sys");
    MoveTo(c);
    Press(c);
    EXPECT_TRUE(sys->Down());
    Release(c);
    EXPECT_FALSE(sys->Down());
}

// Strips: four frames of 16 x 14 side by side in cell 0.
struct TStripRow {
    int Interval;
    bool Cycle;
    int Ticks;
    std::vector<int> Frames;  // the frame after each tick
};

TEST_F(ObjectsTest, AnimationStripTiming) {
    const TStripRow rows[] = {
        {100, false, 8, {1, 1, 1, 2, 2, 2, 2, 3}},
        {10, false, 5, {2, 3, 4, 4, 4}},
        {25, true, 5, {2, 3, 4, 1, 2}},
    };
    for (const TStripRow& r : rows) {
        SCOPED_TRACE(r.Interval);
        TTestSkin skin{QStringList{}, QStringList{}};
        skin.AddObject("a", "animate");
        skin.Set("a", "skinrect", R4(0, 0, 16, 14));
        skin.Set("a", "activeskinrect", R4(0, 0, 64, 14));
        skin.Set("a", "countframes", "4");
        skin.Set("a", "timerinterval", QString::number(r.Interval));
        skin.Set("a", "cycle", r.Cycle ? "1" : "0");
        skin.Set("a", "command", "cmdefault");
        skin.LoadInto(*Model);
        Comp->SetSkinData(Model);
        auto* a = Object<TqvSkinAnimateObject>("a");
        EXPECT_EQ(a->TimerInterval, qMax(25, r.Interval));
        a->Start();
        std::vector<int> frames;
        for (int i = 0; i < r.Ticks; ++i) {
            Tick();
            frames.push_back(a->Frame());
        }
        EXPECT_EQ(frames, r.Frames);
        if (!r.Cycle && r.Frames.back() == 4) {
            EXPECT_FALSE(a->Active);
            Tick();
            EXPECT_FALSE(Comp->AnimateTimer.Active());
        }
    }
    // Played back, the strip stops on frame 1.
    auto* a = Object<TqvSkinAnimateObject>("a");
    a->Cycle = false;
    a->Increment = false;
    a->FFrame = 3;
    a->Active = true;
    Comp->StartAnimateTimer();
    Tick(4);
    EXPECT_EQ(a->Frame(), 1);
    EXPECT_FALSE(a->Active);
    EXPECT_EQ(a->FrameRect(3), Rect(32, 0, 48, 14));
}

TEST_F(ObjectsTest, AButtonStyleAnimationPlaysOnHoverAndRunsItsCommand) {
    Add("a", "animate", "cmrollup");
    Skin.Set("a", "activeskinrect", R4(0, 0, 64, 14));
    Skin.Set("a", "countframes", "4");
    Skin.Set("a", "timerinterval", "25");
    Skin.Set("a", "buttonstyle", "1");
    Load();
    Activate();
    auto* a = Object<TqvSkinAnimateObject>("a");
    const QPoint c = CentreOf("a");
    MoveTo(c);
    Tick(3);
    EXPECT_EQ(a->Frame(), 4);
    MoveTo(QPoint(200, 150));
    Tick(3);
    EXPECT_EQ(a->Frame(), 1);
    MoveTo(c);
    Click(c);
    EXPECT_TRUE(Comp->RollUpState());
}

TEST_F(ObjectsTest, SkinlessButtonsAreTheSixDefaultsWithThePressedLook) {
    Comp->SetSkinData(nullptr);
    QStringList names;
    for (const auto& o : Comp->ObjectList) names << o->IDName;
    EXPECT_EQ(names,
              (QStringList{"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton", "traybutton"}));
    Activate();
    auto* close = Object<TqvSkinStdButtonObject>("closebutton");
    const TRect r = close->ObjectRect;
    const QPoint c = r.ToQRect().center();
    MoveTo(c);
    const QImage hover = Frame().copy(r.ToQRect());
    Press(c);
    const QImage pressed = Frame().copy(r.ToQRect());
    EXPECT_EQ(pressed.pixel(0, 0), qRgb(0, 0, 128));
    EXPECT_EQ(pressed.pixel(r.Width() - 1, r.Height() - 1), qRgb(0, 0, 128));
    EXPECT_EQ(pressed.pixel(1, 1), qRgb(133, 147, 181));
    EXPECT_EQ(hover.pixel(1, 1), qRgb(182, 189, 210));
    // The cross moves one pixel right and down.
    const QRgb text = ColorToQColor(clBtnText).rgb();
    int glyph = 0;
    for (int y = 1; y < r.Height() - 2; ++y)
        for (int x = 1; x < r.Width() - 2; ++x) {
            const bool h = hover.pixel(x, y) == text;
            glyph += h;
            EXPECT_EQ(h, pressed.pixel(x + 1, y + 1) == text) << x << "," << y;
        }
    EXPECT_GT(glyph, 10);
    Release(c);
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(ButtonsTest, WithShowIconTheSystemMenuButtonIsTheFormsIcon) {
    Skin.Set("sys", "morphing", "1");
    Skin.Set("sys", "activeskinrect", CellRect(0));
    Start();
    Comp->SetShowIcon(true);
    auto* sys = Object<TqvSkinStdButtonObject>("sys");
    EXPECT_EQ(sys->ObjectRect.Width(), 16);
    EXPECT_EQ(sys->ObjectRect.Height(), 16);
    QImage drawn(Form->width(), 40, QImage::Format_RGB32), icon(Form->width(), 40, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    icon.fill(Qt::white);
    {
        QPainter p(&drawn);
        sys->Draw(p, true);
        QPainter q(&icon);
        Comp->DrawCaptionIcon(q, sys->ObjectRect.Left, sys->ObjectRect.Top);
    }
    EXPECT_EQ(drawn, icon);
    MoveTo(CentreOf("sys"));
    EXPECT_FALSE(sys->CanMorphing());
}

TEST_F(ObjectsTest, AnAnimatedSystemMenuButtonPlaysBackWhenTheMenusClose) {
    Add("a", "animate", "cmsysmenu");
    Skin.Set("a", "activeskinrect", R4(0, 0, 64, 14));
    Skin.Set("a", "countframes", "4");
    Skin.Set("a", "timerinterval", "25");
    Skin.Set("a", "buttonstyle", "1");
    TRecordingMenuLink link;
    TPopupMenu sysMenu;
    sysMenu.Items()->Add(new TMenuItem(&sysMenu));
    link.SystemMenu = sysMenu.Items();
    Comp->SetMenuLink(&link);
    Load();
    Activate();
    auto* a = Object<TqvSkinAnimateObject>("a");
    const QPoint c = CentreOf("a");
    MoveTo(c);
    Press(c);
    ASSERT_EQ(link.Calls.size(), 1u);
    EXPECT_TRUE(a->FMenuTracking);
    Release(c);
    // While its menu is open, leaving changes nothing.
    MoveTo(QPoint(200, 150));
    EXPECT_TRUE(a->FMenuTracking);
    Comp->SkinMenuClose();
    EXPECT_FALSE(a->FMenuTracking);
    EXPECT_EQ(a->Frame(), 4);
    Tick(3);
    EXPECT_EQ(a->Frame(), 1);
    EXPECT_FALSE(a->Active);
    Comp->SetMenuLink(nullptr);
}

}  // namespace
