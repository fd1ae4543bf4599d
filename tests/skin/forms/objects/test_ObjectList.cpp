// The component's frame-object list: built from the records in order, which
// caption buttons show, their hints, hover with the manual pointer and
// clock, the mouse hand-over, and the morph on the 25 ms timer.
#include "tests/skin/forms/objects/ObjectTestSupport.h"

#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/forms/hint/SkinHint.h"

#include <QPainter>

namespace {

TEST_F(ObjectsTest, ObjectsFollowTheRecordsInOrderWithoutTheMenuKinds) {
    Add("close", "stdbutton");
    Add("item", "menuitem");
    Add("framebutton", "button");
    Add("caption", "caption");
    Add("bar", "mainmenubarbutton");
    Add("anim", "animate");
    Add("mainitem", "mainmenuitem");
    Add("user", "userobject");
    Load();
    std::vector<TqvFrameObjectKind> kinds;
    for (const auto& o : Comp->ObjectList) kinds.push_back(o->Kind());
    EXPECT_EQ(kinds, (std::vector<TqvFrameObjectKind>{TqvFrameObjectKind::StdButton, TqvFrameObjectKind::Button,
                                                      TqvFrameObjectKind::Caption, TqvFrameObjectKind::Animate,
                                                      TqvFrameObjectKind::User}));
    EXPECT_EQ(Comp->GetIndex("anim"), 3);
    EXPECT_EQ(Comp->GetIndex("Anim"), -1);
    // Unknown names change nothing.
    Comp->SetEnabled("nothing", false);
    Comp->LinkMenu("nothing", nullptr, true);
    Comp->UserObjectDraw("nothing");
    Comp->SetEnabled("anim", false);
    EXPECT_FALSE(Object("anim")->Enabled);
}

TEST_F(ObjectsTest, ARecordWithoutItsPictureHasNoHoverImageAndNeverMorphs) {
    Add("b", "button");
    Skin.Set("b", "activeskinrect", CellRect(0, 16, 14, 20));
    Skin.Set("b", "morphing", "1");
    Add("c", "button");
    Skin.Set("c", "activeskinrect", CellRect(1, 16, 14, 20));
    Skin.Set("c", "morphing", "1");
    Skin.Set("c", "activepictureindex", "7");
    Load();
    EXPECT_TRUE(Object("b")->Morphing);
    EXPECT_TRUE(IsNullRect(Object("c")->ActiveSkinRect));
    EXPECT_FALSE(Object("c")->Morphing);
    // The model keeps its record as it was.
    EXPECT_FALSE(IsNullRect(Model->ObjectList[1]->ActiveSkinRect));
}

struct TCheckRow {
    const char* Command;
    bool InPicture;
    TqvBorderIcons Icons;
    bool Hide, DisableSysMenu;
    bool Enabled, Visible;
};

TEST_F(ObjectsTest, CheckObjectsTable) {
    const TqvBorderIcons all = biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray;
    const TCheckRow rows[] = {
        {"cmclose", true, 0, false, false, true, true},
        {"cmmaximize", true, all, false, false, true, true},
        {"cmmaximize", true, all & ~biMaximize, false, false, false, false},
        {"cmmaximize", false, all & ~biMaximize, false, false, false, true},
        {"cmminimize", true, all & ~biMinimize, false, false, false, false},
        {"cmrollup", true, all & ~biRollUp, false, false, false, false},
        {"cmminimizetotray", true, all & ~biMinimizeToTray, false, false, false, false},
        {"cmminimizetotray", true, all, false, false, true, true},
        {"cmsysmenu", true, all, false, false, true, true},
        {"cmsysmenu", true, all, false, true, false, false},
        {"cmsysmenu", false, all, false, true, false, true},
        {"cmclose", true, all, true, false, false, false},
        {"cmclose", false, all, true, false, false, true},
        {"cmmaximize", false, all, true, false, false, true},
    };
    for (const TCheckRow& r : rows) {
        SCOPED_TRACE(QStringLiteral("%1 inPicture %2 icons %3 hide %4 disable %5")
                         .arg(r.Command)
                         .arg(r.InPicture)
                         .arg(r.Icons)
                         .arg(r.Hide)
                         .arg(r.DisableSysMenu)
                         .toStdString());
        TTestSkin skin{QStringList{}, QStringList{}};
        skin.AddObject("b", "stdbutton");
        skin.Set("b", "command", r.Command);
        skin.Set("b", "skinrectinapicture", r.InPicture ? "1" : "0");
        skin.Set("b", "skinrect", R4(70, 4, 86, 18));
        skin.LoadInto(*Model);
        Comp->SetSkinData(Model);
        Comp->HideCaptionButtons = r.Hide;
        Comp->DisableSystemMenu = r.DisableSysMenu;
        Comp->SetBorderIcons(r.Icons);
        EXPECT_EQ(Object("b")->Enabled, r.Enabled);
        EXPECT_EQ(Object("b")->Visible, r.Visible);
    }
}

TEST_F(ObjectsTest, CustomObjectsAskTheApplicationAndRowButtonsCloseUp) {
    Add("close", "stdbutton", "cmclose");
    Add("max", "stdbutton", "cmmaximize");
    Add("min", "stdbutton", "cmminimize");
    Add("custom", "stdbutton", "cmdefault");
    Add("shown", "stdbutton", "cmdefault");
    QStringList asked;
    Comp->OnActivateCustomObject = [&](const QString& id, bool& visible) {
        asked << id;
        visible = id == "shown";
    };
    Load();
    EXPECT_EQ(asked, (QStringList{"custom", "shown"}));
    EXPECT_FALSE(Object("custom")->Visible);
    EXPECT_TRUE(Object("shown")->Visible);
    const TRect close = Object("close")->ObjectRect, max = Object("max")->ObjectRect;
    EXPECT_EQ(Object("min")->ObjectRect.Right, max.Left - 2);
    Comp->SetBorderIcons(biSystemMenu | biMinimize);
    // The minimize button takes the maximize button's place.
    EXPECT_FALSE(Object("max")->Visible);
    EXPECT_EQ(Object("min")->ObjectRect, max);
    EXPECT_EQ(Object("close")->ObjectRect, close);
}

TEST_F(ObjectsTest, CaptionButtonHintsFromTheSkinStringsElseBuiltIn) {
    const char* commands[] = {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmrollup", "cmminimizetotray"};
    for (const char* c : commands) Add(c, "stdbutton", c);
    Add("anim", "animate", "cmrollup");
    Add("custom", "stdbutton", "cmdefault");
    Skin.Set("custom", "hint", "Mine");
    Load();
    const QStringList builtIn = {"Close", "Maximize", "Minimize", "System menu", "Roll Up", "Minimize to Tray"};
    for (int i = 0; i < 6; ++i) {
        auto* b = Object<TqvSkinStdButtonObject>(commands[i]);
        EXPECT_EQ(b->Hint, builtIn[i]);
        EXPECT_EQ(b->FTempHint, builtIn[i]);
        EXPECT_EQ(b->RestoreHint, "Restore");
    }
    EXPECT_EQ(Object("anim")->Hint, "Roll Up");
    EXPECT_EQ(Object("custom")->Hint, "Mine");

    TqvResourceStrData strings;
    strings.SetResStrings({"CLOSEBUTTON_HINT=Shut", "RESTORE_HINT=Back"});
    // The model tells its forms (1274): the new texts come without a skin change.
    Model->SetResourceStrData(&strings);
    EXPECT_EQ(Object("cmclose")->Hint, "Shut");
    EXPECT_EQ(Object<TqvSkinStdButtonObject>("cmclose")->FTempHint, "Shut");
    EXPECT_EQ(Object("cmmaximize")->Hint, "Maximize");
    EXPECT_EQ(Object<TqvSkinStdButtonObject>("cmmaximize")->RestoreHint, "Back");
    Model->SetResourceStrData(nullptr);
    EXPECT_EQ(Object("cmclose")->Hint, "Close");
    EXPECT_EQ(Object<TqvSkinStdButtonObject>("cmmaximize")->RestoreHint, "Restore");
}

// Hover with the manual pointer and clock.
struct HoverTest : ObjectsTest {
    QStringList Events;
    void SetUp() override {
        ObjectsTest::SetUp();
        Add("b", "button");
        Comp->OnMouseEnterEvent = [&](const QString& id) { Events << "enter " + id; };
        Comp->OnMouseLeaveEvent = [&](const QString& id) { Events << "leave " + id; };
        Comp->OnMouseDownEvent = [&](const QString& id, int, int, const TRect&, Qt::MouseButton b) {
            Events << QStringLiteral("down %1 %2").arg(id).arg(int(b));
        };
        Comp->OnMouseUpEvent = [&](const QString& id, int, int, const TRect&, Qt::MouseButton) { Events << "up " + id; };
        Load();
        Activate();
    }
};

TEST_F(HoverTest, EnterAndLeaveFollowThePointer) {
    const QPoint c = CentreOf("b");
    MoveTo(c);
    MoveTo(c + QPoint(1, 0));
    EXPECT_EQ(Events, QStringList{"enter b"});
    EXPECT_TRUE(Object("b")->Active);
    MoveTo(QPoint(200, 10));
    EXPECT_EQ(Events, (QStringList{"enter b", "leave b"}));
    EXPECT_FALSE(Object("b")->MouseIn());
}

TEST_F(HoverTest, LeavingIntoTheClientIsSeenWithinOneTick) {
    MoveTo(CentreOf("b"));
    ASSERT_TRUE(Comp->MouseTimer.Active());
    // The client sends the frame nothing; the pointer poll finds the way out.
    Pointer->Pos = Form->geometry().topLeft() + QPoint(200, 150);
    Pointer->Widget = Form->Client();
    Ticks->Advance(50);
    EXPECT_EQ(Events, (QStringList{"enter b", "leave b"}));
    EXPECT_EQ(Comp->ActiveObject, -1);
    // Over another window the poll stops.
    MoveTo(CentreOf("b"));
    QWidget other;
    Pointer->Widget = &other;
    Ticks->Advance(50);
    EXPECT_FALSE(Comp->MouseTimer.Active());
    EXPECT_EQ(Events.size(), 4);
}

// Every firing of every timer it runs is counted: the program's wake-ups.
class TCountingTickSource : public TManualTickSource {
public:
    int Firings = 0;
    int StartTimer(int intervalMs, std::function<void()> fn) override {
        return TManualTickSource::StartTimer(intervalMs, [this, fn = std::move(fn)] {
            ++Firings;
            fn();
        });
    }
};

struct PointerPollTest : HoverTest {
    std::shared_ptr<TCountingTickSource> Counting = std::make_shared<TCountingTickSource>();
    PointerPollTest() { Ticks = Counting; }
};

// The pointer passes a caption button and comes to rest somewhere in the
// window: the firings in the ten seconds that follow.
TEST_F(PointerPollTest, ThePollEndsOverAControlAndRunsOnlyWhereTheFormIsUnderThePointer) {
    auto* panel = new TPanel(Form);
    panel->SetParent(Form);
    panel->SetBounds(10, 10, 150, 100);
    auto* nested = new TButton(Form);
    nested->SetParent(panel);
    nested->SetBounds(5, 5, 60, 25);
    auto* windowless = new TGraphicControl(Form);
    windowless->SetParent(panel);
    windowless->SetBounds(5, 50, 60, 25);
    auto* button = new TButton(Form);
    button->SetParent(Form);
    button->SetBounds(200, 10, 60, 25);
    auto* formLabel = new TGraphicControl(Form);
    formLabel->SetParent(Form);
    formLabel->SetBounds(200, 60, 60, 25);
    struct Case {
        const char* Where;
        QWidget* Under;
        bool Active;
        int Firings;  // in 10 s
    };
    const Case cases[] = {
        {"a control on the client", button, true, 0},
        {"a control inside a panel", nested, true, 0},
        {"the panel", panel, true, 0},
        {"a windowless control on a panel", windowless, true, 0},
        // Drawn on the form's own window, as the bare client is: the form is under the pointer.
        {"a windowless control on the client", formLabel, true, 200},
        {"the bare client", Form->Client(), true, 200},
        // An inactive form's poll keeps running, doing nothing, until it is active again.
        {"a control of an inactive form", button, false, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Where);
        Activate();
        MoveTo(CentreOf("b"));
        ASSERT_TRUE(Comp->MouseTimer.Active());
        if (!c.Active) QApplication::setActiveWindow(nullptr);
        Pointer->Pos = c.Under->mapToGlobal(QPoint(3, 3));
        Pointer->Widget = c.Under;
        Ticks->Advance(50);
        Counting->Firings = 0;
        Ticks->Advance(10000);
        EXPECT_EQ(Counting->Firings, c.Firings);
        EXPECT_EQ(Comp->MouseTimer.Active(), c.Firings > 0);
        if (c.Active) {
            EXPECT_EQ(Comp->ActiveObject, -1);
        }
        // Back on the caption button, the hover comes back.
        Activate();
        Events.clear();
        MoveTo(CentreOf("b"));
        EXPECT_EQ(Events, QStringList{"enter b"});
        MoveTo(QPoint(200, 10));
    }
}

TEST_F(HoverTest, AnInactiveFormTracksNothing) {
    QApplication::setActiveWindow(nullptr);
    ASSERT_FALSE(Comp->GetFormActive());
    MoveTo(CentreOf("b"));
    Ticks->Advance(100);
    EXPECT_TRUE(Events.isEmpty());
    EXPECT_EQ(Comp->ActiveObject, -1);
}

TEST_F(HoverTest, AReleaseOutsideTheObjectIsNoClick) {
    const QPoint c = CentreOf("b");
    auto* b = Object<TqvSkinButtonObject>("b");
    MoveTo(c);
    Press(c);
    EXPECT_TRUE(b->Down());
    // The held button gets no leave event: the moves carry the hover.
    DragTo(QPoint(200, 150));
    EXPECT_FALSE(b->Active);
    Release(QPoint(200, 150));
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Events, (QStringList{"enter b", "down b 1", "leave b"}));
    // Back over it the release is a click.
    MoveTo(c);
    Click(c);
    EXPECT_EQ(Events.mid(3), (QStringList{"enter b", "down b 1", "up b"}));
}

TEST_F(HoverTest, RightAndMiddlePressesOnlyReportTheDown) {
    const QPoint c = CentreOf("b");
    auto* b = Object<TqvSkinButtonObject>("b");
    MoveTo(c);
    for (Qt::MouseButton mb : {Qt::RightButton, Qt::MiddleButton}) {
        Press(c, mb);
        EXPECT_FALSE(b->Down());
        Release(c, mb);
    }
    EXPECT_EQ(Events, (QStringList{"enter b", QStringLiteral("down b %1").arg(int(Qt::RightButton)), "up b",
                                   QStringLiteral("down b %1").arg(int(Qt::MiddleButton)), "up b"}));
}

// Morph and state images, with distinct cells: 0 normal, 1 hover, 2 pressed, 3 disabled, 4 inactive.
struct MorphTest : ObjectsTest {
    TqvSkinButtonObject* B = nullptr;
    void SetUp() override {
        ObjectsTest::SetUp();
        Add("b", "button");
        Skin.Set("b", "activeskinrect", CellRect(1));
        Skin.Set("b", "downrect", CellRect(2));
        // The stored key keeps its spelling.
        Skin.Set("b", "disableskinrsect", CellRect(3));
        Skin.Set("b", "inactiveskinrect", CellRect(4));
        Skin.Set("b", "morphing", "1");
        for (const char* spare : {"s1", "s2", "s3", "s4"}) Add(spare, "menuitem");
        Load();
        Activate();
        B = Object<TqvSkinButtonObject>("b");
    }
    QRgb Shown() {
        QImage img(Form->width(), 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        B->Draw(p, true);
        return img.pixel(B->ObjectRect.Left + 5, B->ObjectRect.Top + 5);
    }
};

TEST_F(MorphTest, HoverFadesInFifthsOnThe25msTimer) {
    MoveTo(CentreOf("b"));
    EXPECT_DOUBLE_EQ(B->MorphKf(), 0);
    for (int i = 1; i <= 5; ++i) {
        Tick();
        EXPECT_NEAR(B->MorphKf(), 0.2 * i, 1e-9);
    }
    EXPECT_EQ(Shown(), CellColour(1));
    Tick();
    EXPECT_FALSE(Comp->MorphTimer.Active());
    MoveTo(QPoint(200, 10));
    Tick(2);
    EXPECT_NEAR(B->MorphKf(), 0.6, 1e-9);
    const QRgb between = Shown();
    EXPECT_NE(between, CellColour(0));
    EXPECT_NE(between, CellColour(1));
    Tick(3);
    EXPECT_EQ(Shown(), CellColour(0));
}

TEST_F(MorphTest, APressJumpsToTheFullHoverAndShowsThePressedImage) {
    const QPoint c = CentreOf("b");
    MoveTo(c);
    Tick();
    Press(c);
    EXPECT_DOUBLE_EQ(B->MorphKf(), 1);
    EXPECT_EQ(Shown(), CellColour(2));
    Release(c);
    EXPECT_EQ(Shown(), CellColour(1));
}

TEST_F(MorphTest, DisabledAndInactiveImages) {
    B->Enabled = false;
    EXPECT_EQ(Shown(), CellColour(3));
    B->Enabled = true;
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(Shown(), CellColour(4));
    // A disabled object shows its disabled image even while inactive.
    B->Enabled = false;
    EXPECT_EQ(Shown(), CellColour(3));
}

TEST_F(MorphTest, WithoutSkinEffectsTheHoverImageComesAtOnce) {
    Model->SetEnableSkinEffects(false);
    MoveTo(CentreOf("b"));
    EXPECT_FALSE(Comp->MorphTimer.Active());
    EXPECT_EQ(Shown(), CellColour(1));
}

TEST_F(ObjectsTest, UserObjectsArePaintedByTheApplication) {
    Add("u", "userobject");
    Skin.Set("u", "skinrectinapicture", "0");
    Skin.Set("u", "skinrect", R4(30, 4, 40, 14));
    QStringList painted;
    Comp->OnPaintEvent = [&](const QString& id, QPainter& p, const TRect& r) {
        painted << id;
        p.fillRect(r.ToQRect(), Qt::red);
    };
    Load();
    const TRect r = Object("u")->ObjectRect;
    EXPECT_EQ(Frame().pixel(r.Left + 2, r.Top + 2), qRgb(255, 0, 0));
    EXPECT_EQ(painted, QStringList{"u"});
}

TEST_F(ObjectsTest, AButtonWithALinkedMenuOpensItAndStaysDownUntilTheMenusClose) {
    Add("b", "button");
    TRecordingMenuLink link;
    Comp->SetMenuLink(&link);
    TPopupMenu menu;
    menu.Items()->Add(new TMenuItem(&menu));
    Load();
    Activate();
    Comp->LinkMenu("b", &menu, true);
    auto* b = Object<TqvSkinButtonObject>("b");
    const QPoint c = CentreOf("b");
    MoveTo(c);
    Click(c);
    ASSERT_EQ(link.Calls.size(), 1u);
    EXPECT_EQ(link.Calls[0].Item, menu.Items());
    EXPECT_TRUE(link.Calls[0].PopupUp);
    TRect screen = b->ObjectRect;
    OffsetRect(screen, Form->x(), Form->y());
    EXPECT_EQ(link.Calls[0].ScreenRect, screen);
    MoveTo(QPoint(200, 10));
    EXPECT_TRUE(b->Down());
    Comp->SkinMenuClose();
    EXPECT_FALSE(b->Down());
    // With nothing to open the press lets go at once.
    link.Opens = false;
    MoveTo(c);
    Press(c);
    EXPECT_FALSE(b->Down());
    Comp->SetMenuLink(nullptr);
}

TEST_F(HoverTest, ObjectHintsShowOnTheSkinnedHint) {
    // The hint window takes its settings from the main form's hint.
    Application()->SetMainForm(Form);
    auto* hint = new TqvSkinHint(Form);
    hint->SetActive(true);
    Comp->SkinHint = hint;
    Comp->ShowObjectHint = true;
    Object("b")->Hint = "Frame button";
    MoveTo(CentreOf("b"));
    Ticks->Advance(Application()->HintPause() + 50);
    EXPECT_TRUE(hint->IsVisible());
    MoveTo(QPoint(200, 10));
    EXPECT_FALSE(hint->IsVisible());
    Application()->SetMainForm(nullptr);
}

TEST_F(ObjectsTest, AGlowShowsBesideTheButtonOnlyWithACompositor) {
    Add("b", "button");
    Skin.Set("b", "glowlayerpictureindex", "1");
    Skin.Set("b", "glowlayeroffsetx", "3");
    Skin.Set("b", "glowlayeroffsety", "2");
    Load();
    Activate();
    const QPoint c = CentreOf("b");
    MoveTo(c);
    EXPECT_FALSE(Comp->LayerManager()->IsVisible());
    MoveTo(QPoint(200, 150));
    SetLayeredWindowsAvailableForTests(true);
    MoveTo(c);
    ASSERT_TRUE(Comp->LayerManager()->IsVisible());
    const TRect r = Object("b")->ObjectRect;
    EXPECT_EQ(Comp->LayerManager()->LayerWindow()->pos(), Form->pos() + QPoint(r.Left - 3, r.Top - 2));
    MoveTo(QPoint(200, 150));
    EXPECT_FALSE(Comp->LayerManager()->IsVisible());
}

}  // namespace
