// The menu manager on a real skinned form: the order of a chosen command,
// the popup control's messages, submenus on the manual pointer and clock,
// the keyboard hook on every way a menu ends, and what a new menu does to an
// open one.
#include "tests/skin/forms/menu/SkinMenuFixture.h"

#include "skin/controls/buttons/SkinMenuSpeedButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/model/draw/LayerManager.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QTimer>

using namespace menutest;

namespace {

struct SkinMenuTest : TSkinMenuFixture {};

TEST_F(SkinMenuTest, AChosenLeafRunsAfterEveryLevelIsGoneAndTheControlHearsBothMessages) {
    TqvSkinPopupMenu* m = NewPopup({"&Open", "&Save"});
    auto* ctrl = NewRecorder();
    m->OnMenuClose = [&](QObject*) { Log << "close event"; };
    m->Items()->Items(1)->OnClick = [&](QObject*) {
        Log << QStringLiteral("click levels=%1 hooked=%2 inMenu=%3")
                   .arg(Comp->SkinMenu()->LevelCount())
                   .arg(Comp->AppHooked())
                   .arg(Comp->InMenu);
    };
    m->Popup2(ctrl, 200, 200);
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    EXPECT_TRUE(Comp->AppHooked());
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(Log, QStringList({"ctrl 1228", "close event", "form 1228", "click levels=0 hooked=0 inMenu=0",
                                "ctrl 1229"}));
    EXPECT_FALSE(Comp->SkinMenu()->Visible());
    // The one-shot close event is spent.
    EXPECT_FALSE(bool(Comp->SkinMenu()->OnMenuClose));
}

TEST_F(SkinMenuTest, ARealSkinnedEditsContextMenuRunsItsCommandThenHearsTheCommandMessage) {
    auto* edit = new TqvSkinEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 120, 22);
    edit->SetText(QStringLiteral("abc"));
    edit->Widget()->setCursorPosition(1);
    Watch(edit, "edit");
    const QPoint at = edit->Widget()->mapToGlobal(QPoint(5, 5));
    QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(5, 5), at);
    QCoreApplication::sendEvent(edit->Widget(), &ev);
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    TqvSkinPopupWindow* level = Comp->SkinMenu()->LastLevel();
    ASSERT_EQ(level->Level().ItemCount(), 8);
    EXPECT_EQ(level->pos(), at);
    // With no selection and an empty clipboard only "Select All" can be chosen.
    EXPECT_EQ(level->Level().Item(level->ActiveItem())->MenuItem->Caption(), QStringLiteral("Select All"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Log, QStringList({"edit 1228", "form 1228", "edit 1229"}));
    EXPECT_EQ(edit->Widget()->selectedText(), QStringLiteral("abc"));
    // The edit's menu is gone once the deferred deletions ran.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form->findChildren<TqvSkinPopupWindow*>().size(), 0);
}

TEST_F(SkinMenuTest, AMenuSpeedButtonStaysDownUntilItsMenuCloses) {
    TqvSkinPopupMenu* m = NewPopup({"&One", "&Two"});
    auto* b = new TqvSkinMenuSpeedButton(Form);
    b->SetParent(Form);
    b->SetBounds(10, 40, 60, 24);
    b->SetSkinPopupMenu(m);
    Press(b, QPoint(5, 5));
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    EXPECT_TRUE(b->Down());
    Ticks->Advance(1000);
    EXPECT_TRUE(b->Down());
    // A second menu ends this one as any close does: the button comes up.
    TqvSkinPopupMenu* other = NewPopup({"&Three"});
    other->Popup(300, 300);
    EXPECT_FALSE(b->Down());
    EXPECT_TRUE(Comp->SkinMenu()->Visible());
    Key(Qt::Key_Escape);
    // Down again, then Escape on the only level releases it.
    Press(b, QPoint(5, 5));
    EXPECT_TRUE(b->Down());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(Comp->AppHooked());
}

TEST_F(SkinMenuTest, ANewPopupEndsTheOpenMenuAndKeepsItsOwnMessages) {
    TqvSkinPopupMenu* first = NewPopup({"&A"});
    TqvSkinPopupMenu* second = NewPopup({"&B"});
    auto* a = NewRecorder("a");
    auto* b = NewRecorder("b");
    first->OnMenuClose = [&](QObject*) { Log << "first closed"; };
    second->OnMenuClose = [&](QObject*) { Log << "second closed"; };
    second->Items()->Items(0)->OnClick = [&](QObject*) { Log << "click B"; };
    first->Popup2(a, 100, 100);
    second->Popup2(b, 150, 150);
    EXPECT_EQ(Log, QStringList({"a 1228", "first closed"}));
    EXPECT_EQ(Comp->SkinMenu()->LevelCount(), 1);
    EXPECT_TRUE(Comp->AppHooked());
    Log.clear();
    Key(Qt::Key_Return);
    EXPECT_EQ(Log, QStringList({"b 1228", "second closed", "form 1228", "click B", "b 1229"}));
}

TEST_F(SkinMenuTest, EscapeOnTheOnlyLevelEndsTheMenuWithoutTellingTheForm) {
    TqvSkinPopupMenu* m = NewPopup({"&A", "&B"});
    m->OnMenuClose = [&](QObject*) { Log << "close event"; };
    m->Popup2(NewRecorder(), 100, 100);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Log, QStringList({"ctrl 1228", "close event"}));
    EXPECT_FALSE(Comp->InMenu);
    EXPECT_FALSE(Comp->AppHooked());
}

TEST_F(SkinMenuTest, APopupThatShowsNothingEndsAtOnce) {
    struct Case {
        const char* What;
        std::vector<const char*> Items;
        bool Hide;
    };
    const Case cases[] = {{"no items", {}, false}, {"only hidden items", {"&A"}, true}};
    for (const Case& c : cases) {
        Log.clear();
        TqvSkinPopupMenu* m = NewPopup(c.Items);
        if (c.Hide) m->Items()->Items(0)->SetVisible(false);
        m->OnMenuClose = [&](QObject*) { Log << "close event"; };
        m->Popup2(NewRecorder(), 100, 100);
        EXPECT_EQ(Log, QStringList({"ctrl 1228", "close event", "form 1228"})) << c.What;
        EXPECT_FALSE(Comp->SkinMenu()->Visible()) << c.What;
        EXPECT_FALSE(Comp->InMenu) << c.What;
        EXPECT_FALSE(Comp->AppHooked()) << c.What;
    }
}

TEST_F(SkinMenuTest, PopupFindsTheComponentOfItsFormOrOfItsOwnersForm) {
    auto* frame = new TComponent(Form);
    auto* owned = new TqvSkinPopupMenu(frame);
    Add(owned->Items(), "&A");
    owned->Popup(120, 130);
    EXPECT_TRUE(Comp->SkinMenu()->Visible());
    EXPECT_EQ(owned->PopupPoint(), Point(120, 130));
    EXPECT_EQ(owned->SkinData(), Menus.Model.get());
    Comp->SkinMenu()->Hide();

    // Without a component nothing shows and nothing is raised; OnPopup has run.
    auto* loose = new TqvSkinPopupMenu(nullptr);
    std::unique_ptr<TqvSkinPopupMenu> guard(loose);
    Add(loose->Items(), "&A");
    int popups = 0;
    loose->OnPopup = [&](QObject*) { ++popups; };
    loose->Popup(10, 10);
    EXPECT_EQ(popups, 1);
    EXPECT_FALSE(Comp->SkinMenu()->Visible());
}

TEST_F(SkinMenuTest, Popup2NeedsASkinModel) {
    Comp->SetMenusSkinData(nullptr);
    TqvSkinPopupMenu* m = NewPopup({"&A"});
    m->Popup2(NewRecorder(), 10, 10);
    EXPECT_FALSE(Comp->SkinMenu()->Visible());
    EXPECT_TRUE(Log.isEmpty());
    // The other forms show the plain look.
    m->Popup(10, 10);
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    EXPECT_FALSE(Comp->SkinMenu()->LastLevel()->Level().Skinned());
}

// ---- submenus on the manual pointer and clock

struct SubmenuTest : TSkinMenuFixture {
    TqvSkinPopupMenu* M = nullptr;
    TMenuItem* Sub = nullptr;
    void SetUp() override {
        TSkinMenuFixture::SetUp();
        M = NewPopup({"&First", "&Second"});
        Sub = Add(M->Items(), "S&ubmenu");
        Add(Sub, "&Inner");
        M->Popup(100, 100);
    }
    TqvSkinPopupWindow* Level0() const { return Comp->SkinMenu()->Level(0); }
};

TEST_F(SkinMenuTest, TheFirstLevelFadesInOnTheTickSourceAndSubmenusShowAtTheValue) {
    struct Case {
        const char* What;
        bool Compositor, Blend, Animation;
        int FirstAtOpen, FirstAfterOneStep, FirstAtEnd, Submenu;
    } cases[] = {
        {"fading", true, true, true, 0, 13, 200, 200},
        {"constant alpha", true, true, false, 200, 200, 200, 200},
        {"animation alone", true, false, true, 255, 255, 255, 255},
        {"no compositor", false, true, true, 255, 255, 255, 255},
    };
    TqvSkinPopupMenu* m = NewPopup({"&First"});
    Add(Add(m->Items(), "&Sub"), "&Inner");
    for (const Case& c : cases) {
        SetLayeredWindowsAvailableForTests(c.Compositor);
        Comp->SetMenusAlphaBlend(c.Blend);
        Comp->SetMenusAlphaBlendAnimation(c.Animation);
        Comp->SetMenusAlphaBlendValue(200);
        Pointer->Pos = QPoint(0, 0);
        Pointer->Widget = nullptr;
        m->Popup(100, 100);
        TqvSkinPopupWindow* first = Comp->SkinMenu()->Level(0);
        EXPECT_EQ(first->Alpha(), c.FirstAtOpen) << c.What;
        Ticks->Advance(6);
        EXPECT_EQ(first->Alpha(), c.FirstAfterOneStep) << c.What;
        Ticks->Advance(6 * 15);
        EXPECT_EQ(first->Alpha(), c.FirstAtEnd) << c.What;
        EXPECT_FALSE(first->Fading()) << c.What;
        if (c.Compositor && c.Blend) {
            EXPECT_NEAR(first->windowOpacity(), 200 / 255.0, 0.01) << c.What;
        }
        PointAt(first, 1);
        Ticks->Advance(500);
        ASSERT_EQ(Comp->SkinMenu()->LevelCount(), 2) << c.What;
        EXPECT_EQ(Comp->SkinMenu()->Level(1)->Alpha(), c.Submenu) << c.What;
        EXPECT_FALSE(Comp->SkinMenu()->Level(1)->Fading()) << c.What;
        // A menu the manager opens over an open one does not fade again.
        Comp->SkinMenu()->Popup(nullptr, nullptr, 0, Rect(120, 120, 120, 120), m->Items(), false);
        EXPECT_EQ(Comp->SkinMenu()->Level(0)->Alpha(), c.FirstAtEnd) << c.What;
        Comp->SkinMenu()->Hide();
    }
    SetLayeredWindowsAvailableForTests(false, true);
}

TEST_F(SubmenuTest, RestingOnASubmenuItemOpensItAfterHalfASecond) {
    PointAt(Level0(), 2);
    Ticks->Advance(499);
    EXPECT_EQ(Comp->SkinMenu()->LevelCount(), 1);
    Ticks->Advance(1);
    ASSERT_EQ(Comp->SkinMenu()->LevelCount(), 2);
    // Beside its item, level with it.
    const TRect r = Level0()->Level().Item(2)->ObjectRect;
    EXPECT_GE(Comp->SkinMenu()->Level(1)->x(), Level0()->x() + r.Right - 10);
}

TEST_F(SubmenuTest, ASiblingCancelsTheWaitAndClosesTheLevelAbove) {
    PointAt(Level0(), 2);
    Ticks->Advance(300);
    PointAt(Level0(), 1);
    Ticks->Advance(1000);
    EXPECT_EQ(Comp->SkinMenu()->LevelCount(), 1);
    EXPECT_EQ(Comp->SkinMenu()->WItem(), nullptr);
    // Open, then a sibling closes it.
    PointAt(Level0(), 2);
    Ticks->Advance(500);
    ASSERT_EQ(Comp->SkinMenu()->LevelCount(), 2);
    PointAt(Level0(), 0);
    EXPECT_EQ(Comp->SkinMenu()->LevelCount(), 1);
}

TEST_F(SubmenuTest, AClickOpensItAtOnceAfterItsOwnCommand) {
    Sub->OnClick = [&](QObject*) {
        Log << QStringLiteral("submenu click, levels=%1").arg(Comp->SkinMenu()->LevelCount());
        // The command may fill its submenu.
        Add(Sub, "&Added");
    };
    const QPoint c = ItemCentre(Level0(), 2);
    Level0()->MouseUp(Qt::LeftButton, c.x(), c.y());
    EXPECT_EQ(Log, QStringList({"submenu click, levels=1"}));
    ASSERT_EQ(Comp->SkinMenu()->LevelCount(), 2);
    EXPECT_EQ(Comp->SkinMenu()->Level(1)->Level().ItemCount(), 2);
    EXPECT_TRUE(Level0()->Level().Item(2)->Down);
    // Left closes the submenu level again; the keyboard hook drives the topmost level.
    Key(Qt::Key_Left);
    EXPECT_EQ(Comp->SkinMenu()->LevelCount(), 1);
}

// ---- the hook

TEST_F(SkinMenuTest, KeysAndWheelTurnsAreSwallowedOnlyWhileAMenuIsOpen) {
    auto* target = new TKeySink(Form->Client());
    target->show();
    target->setFocus();
    auto send = [&] {
        target->Keys = target->Wheels = 0;
        QKeyEvent k(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(target, &k);
        QWheelEvent w(QPointF(1, 1), QPointF(1, 1), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &w);
        return std::pair(target->Keys, target->Wheels);
    };
    EXPECT_EQ(send(), std::pair(1, 1));
    NewPopup({"&A"})->Popup(100, 100);
    EXPECT_EQ(send(), std::pair(0, 0));
    Comp->SkinMenu()->Hide();
    EXPECT_EQ(send(), std::pair(1, 1));
}

TEST_F(SkinMenuTest, EveryWayAMenuEndsRemovesTheHook) {
    auto* child = new TKeySink(Form->Client());
    struct Case {
        const char* What;
        std::function<void()> Close;
    };
    const Case cases[] = {
        {"a chosen item", [&] { Key(Qt::Key_Return); }},
        {"Escape", [&] { Key(Qt::Key_Escape); }},
        {"a press on the form", [&] { Mouse(Form, QEvent::MouseButtonPress, QPoint(100, 100)); }},
        {"a press on a control of the form", [&] { Mouse(child, QEvent::MouseButtonPress, QPoint(2, 2)); }},
        {"a right press on a control", [&] { Mouse(child, QEvent::MouseButtonPress, QPoint(2, 2), Qt::RightButton); }},
        {"the form moving",
         [&] {
             QMoveEvent e(QPoint(1, 1), QPoint(0, 0));
             QCoreApplication::sendEvent(Form, &e);
         }},
        {"the form losing the activation",
         [&] {
             QEvent e(QEvent::WindowDeactivate);
             QCoreApplication::sendEvent(Form, &e);
         }},
        {"the window's menu key",
         [&] {
             QKeyEvent p(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
             QCoreApplication::sendEvent(Form, &p);
             QKeyEvent r(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
             QCoreApplication::sendEvent(Form, &r);
         }},
        {"F10", [&] { Key(Qt::Key_F10); }},
    };
    for (const Case& c : cases) {
        NewPopup({"&A"})->Popup(100, 100);
        ASSERT_TRUE(Comp->AppHooked()) << c.What;
        c.Close();
        EXPECT_FALSE(Comp->SkinMenu()->Visible()) << c.What;
        EXPECT_FALSE(Comp->InMenu) << c.What;
        EXPECT_FALSE(Comp->AppHooked()) << c.What;
    }
}

TEST_F(SkinMenuTest, TwoFormsHooksComeOffInEitherOrder) {
    for (bool firstClosesFirst : {true, false}) {
        std::unique_ptr<TForm> other(new TForm);
        other->SetBounds(500, 60, 300, 200);
        auto* comp2 = new TqvVelmora(other.get());
        comp2->SetScreenAreasForTests(kMonitor, kWork, kMonitor);
        auto* m2 = new TqvSkinPopupMenu(other.get());
        Add(m2->Items(), "&Z");
        NewPopup({"&A"})->Popup(100, 100);
        m2->Popup(600, 100);
        ASSERT_TRUE(Comp->AppHooked() && comp2->AppHooked());
        if (firstClosesFirst) {
            Comp->SkinMenu()->Hide();
            comp2->SkinMenu()->Hide();
        } else {
            comp2->SkinMenu()->Hide();
            Comp->SkinMenu()->Hide();
        }
        EXPECT_FALSE(Comp->AppHooked() || comp2->AppHooked()) << firstClosesFirst;
        // Keys reach the controls again.
        auto* target = new TKeySink(Form->Client());
        QKeyEvent k(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(target, &k);
        EXPECT_EQ(target->Keys, 1) << firstClosesFirst;
        delete target;
    }
}

// An OnClick that shows a modal dialog, opens and chooses a menu there, and
// opens a new menu on its own form: nothing of the closed menu is touched
// after it was freed.
TEST_F(SkinMenuTest, ACommandThatRunsAModalDialogAndOpensMenusTouchesNothingFreed) {
    TqvSkinPopupMenu* m = NewPopup({"&Dialog"});
    int dialogChoices = 0;
    bool reopened = false;
    m->Items()->Items(0)->OnClick = [&](QObject*) {
        std::unique_ptr<TForm> dialog(new TForm);
        dialog->SetBounds(150, 150, 200, 120);
        auto* dc = new TqvVelmora(dialog.get());
        dc->SetScreenAreasForTests(kMonitor, kWork, kMonitor);
        auto* dm = new TqvSkinPopupMenu(dialog.get());
        Add(dm->Items(), "&Pick")->OnClick = [&](QObject*) { ++dialogChoices; };
        QTimer::singleShot(0, dialog.get(), [&, raw = dialog.get()] {
            dm->Popup(200, 200);
            // The dialog's menu stacks above the dialog and takes its keys.
            TqvSkinPopupWindow* level = dc->SkinMenu()->LastLevel();
            EXPECT_EQ(level ? level->parentWidget() : nullptr, raw);
            QKeyEvent k(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(raw, &k);
            raw->SetModalResult(mrOk);
        });
        dialog->ShowModal();
        NewPopup({"&Again"})->Popup(300, 300);
        reopened = Comp->SkinMenu()->Visible();
    };
    m->Popup(100, 100);
    Key(Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialogChoices, 1);
    EXPECT_TRUE(reopened);
    EXPECT_TRUE(Comp->SkinMenu()->Visible());
    Key(Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Comp->AppHooked());
}

TEST_F(SkinMenuTest, AnExceptionInACommandIsReportedAndTheMenuStillEnds) {
    TqvSkinPopupMenu* m = NewPopup({"&Bad"});
    m->Items()->Items(0)->OnClick = [](QObject*) { throw std::runtime_error("bad command"); };
    auto* ctrl = NewRecorder();
    m->Popup2(ctrl, 100, 100);
    Key(Qt::Key_Return);
    EXPECT_EQ(Log, QStringList({"ctrl 1228", "form 1228", "ctrl 1229"}));
    EXPECT_EQ(Errors, QStringList({"bad command"}));
    EXPECT_FALSE(Comp->AppHooked());
}

}  // namespace
