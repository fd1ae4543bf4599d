// The skinned form's own menus and keys: the system menu per window state,
// a merged user system menu, Alt+Space, the tray menu, the form's shortcuts
// and the menu bar's keys.
#include "tests/skin/forms/menu/SkinMenuFixture.h"

#include "skin/forms/menu/MenuBarLink.h"
#include "skin/forms/tray/TrayIcon.h"

#include <QKeySequence>

using namespace menutest;

namespace {

QStringList Names(const TMenuItem* Root) {
    QStringList out;
    for (int i = 0; i < Root->Count(); ++i)
        out << (Root->Items(i)->IsLine() ? QStringLiteral("-") : Root->Items(i)->Name());
    return out;
}

// A system-menu button of the frame.
struct TSysButton : TqvActiveSkinObject {
    explicit TSysButton(TqvVelmora* P) : TqvActiveSkinObject(P) { Command = cmSysMenu; }
    TqvFrameObjectKind Kind() const override { return TqvFrameObjectKind::StdButton; }
};

// A menu bar that records what the form asks of it.
struct TFakeBar : QObject, TqvMenuBarLink {
    QStringList* Log;
    TMainMenu Main;
    QChar Accel = QLatin1Char('F');
    explicit TFakeBar(QStringList* L) : Log(L) {}
    QObject* MenuObject() override { return this; }
    TMainMenu* MainMenu() const override { return const_cast<TMainMenu*>(&Main); }
    bool CheckHotKey(int Key) override {
        *Log << QStringLiteral("hotkey %1").arg(QKeySequence(Key).toString());
        return Key == Accel.unicode();
    }
    void PrevMainMenuItem() override { *Log << "prev"; }
    void NextMainMenuItem() override { *Log << "next"; }
    bool ClickActiveItem() override {
        *Log << "click active";
        return true;
    }
    void EnterMainMenu() override { *Log << "enter"; }
    void ExitMainMenu() override { *Log << "exit"; }
    void ReleaseDownItem() override { *Log << "release"; }
};

struct FormMenusTest : TSkinMenuFixture {};

TEST_F(FormMenusTest, TheSystemMenuFollowsTheWindowState) {
    struct Case {
        const char* What;
        TqvBorderIcons Icons;
        TWindowState State;
        bool RolledUp;
        QStringList Expected;
    };
    const TqvBorderIcons all = biSystemMenu | biMinimize | biMaximize | biRollUp;
    const Case cases[] = {
        {"normal", all, wsNormal, false, {"QVF_MINITEM", "QVF_MAXITEM", "QVF_ROLLUP", "-", "QVF_CLOSE"}},
        {"maximized", all, wsMaximized, false, {"QVF_MINITEM", "QVF_RESTORE", "QVF_ROLLUP", "-", "QVF_CLOSE"}},
        {"minimized", all, wsMinimized, false, {"QVF_MAXITEM", "QVF_RESTORE", "-", "QVF_CLOSE"}},
        {"rolled up", all, wsNormal, true, {"QVF_MINITEM", "QVF_MAXITEM", "QVF_RESTORE", "-", "QVF_CLOSE"}},
        {"with the tray button", all | biMinimizeToTray, wsMaximized, false,
         {"QVF_MINITEM", "QVF_RESTORE", "QVF_ROLLUP", "QVF_MINTOTRAY", "-", "QVF_CLOSE"}},
        {"close only", biSystemMenu, wsNormal, false, {"QVF_CLOSE"}},
    };
    for (const Case& c : cases) {
        Comp->SetBorderIcons(c.Icons);
        Comp->SetWindowState(c.State);
        Comp->SetRollUpState(c.RolledUp);
        const TMenuItem* root = Comp->GetSystemMenu();
        EXPECT_EQ(Names(root), c.Expected) << c.What;
        const TMenuItem* close = root->Items(root->Count() - 1);
        EXPECT_EQ(ShortCutToText(close->ShortCut()), QStringLiteral("Alt+F4")) << c.What;
        Comp->SetRollUpState(false);
        Comp->SetWindowState(wsNormal);
    }
}

TEST_F(FormMenusTest, AUserSystemMenuGetsTheWindowCommandsOnce) {
    TPopupMenu user(Form);
    Add(user.Items(), "A")->SetName(QStringLiteral("A"));
    Add(user.Items(), "B")->SetName(QStringLiteral("B"));
    Comp->SystemMenu = &user;
    Comp->SetWindowState(wsMaximized);
    const QStringList expected{"QVF_MINITEM", "QVF_RESTORE", "QVF_ROLLUP", "A", "B", "QVF_CLOSE"};
    EXPECT_EQ(Names(Comp->GetSystemMenu()), expected);
    EXPECT_EQ(Names(Comp->GetSystemMenu()), expected);
    Comp->SetWindowState(wsNormal);
    EXPECT_EQ(Names(Comp->GetSystemMenu()),
              QStringList({"QVF_MINITEM", "QVF_MAXITEM", "QVF_ROLLUP", "A", "B", "QVF_CLOSE"}));
    Comp->UseDefaultSysMenu = false;
    Comp->SystemMenu = nullptr;
    TPopupMenu plain(Form);
    Add(plain.Items(), "C")->SetName(QStringLiteral("C"));
    Comp->SystemMenu = &plain;
    EXPECT_EQ(Names(Comp->GetSystemMenu()), QStringList({"C"}));
}

TEST_F(FormMenusTest, ChoosingFromTheSystemMenuRunsTheWindowCommand) {
    Comp->PopupSystemMenuAt(QPoint(200, 200));
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    Key(Qt::Key_X);  // Ma&ximize
    EXPECT_EQ(Comp->WindowState(), wsMaximized);
    EXPECT_FALSE(Comp->AppHooked());
    // The maximized form's menu offers Restore.
    Comp->PopupSystemMenuAt(QPoint(200, 200));
    Key(Qt::Key_R);
    EXPECT_EQ(Comp->WindowState(), wsNormal);
}

TEST_F(FormMenusTest, AltSpaceOpensTheSystemMenuBesideItsButton) {
    Key(Qt::Key_Space, Qt::AltModifier);
    EXPECT_FALSE(Comp->SkinMenu()->Visible()) << "no button, no menu";
    auto button = std::make_unique<TSysButton>(Comp);
    button->ObjectRect = Rect(4, 3, 20, 19);
    Comp->ObjectList.push_back(std::move(button));
    Key(Qt::Key_Space, Qt::AltModifier);
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    const QPoint at = Comp->SkinMenu()->LastLevel()->pos();
    EXPECT_EQ(at.x(), Form->x() + 4);
    EXPECT_EQ(at.y(), Form->y() + 19);
    Comp->SkinMenu()->Hide();
    Comp->DisableSystemMenu = true;
    Key(Qt::Key_Space, Qt::AltModifier);
    EXPECT_FALSE(Comp->SkinMenu()->Visible());
}

TEST_F(FormMenusTest, TheTrayMenuOpensThroughTheFormsManager) {
    TqvSkinPopupMenu* tray = Comp->TrayMenu();
    EXPECT_EQ(Names(tray->Items()), QStringList({"TRAY_QVF_RESTORE", "-", "TRAY_QVF_CLOSE"}));
    EXPECT_EQ(tray->Items()->Items(0)->Caption(), QStringLiteral("&Restore"));
    Form->Hide();
    tray->Popup(600, 500);
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    EXPECT_EQ(Comp->SkinMenu()->LastLevel()->Level().ItemCount(), 3);
    Key(Qt::Key_R);
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(FormMenusTest, TheComponentsMenuSettingsReachTheLevels) {
    Comp->SetMaxMenuItemsInWindow(5);
    Comp->SetMaxMenuItemsInWindow(-1);
    Comp->SetDefMenuItemHeight(26);
    Comp->SetDefMenuItemHeight(0);
    EXPECT_EQ(Comp->MaxMenuItemsInWindow(), 5);
    EXPECT_EQ(Comp->DefMenuItemHeight(), 26);
    Comp->SetMenusSkinData(nullptr);
    TqvSkinPopupMenu* m = NewPopup({});
    for (int i = 0; i < 12; ++i) Add(m->Items(), "Item");
    m->Popup(100, 100);
    const TqvPopupLevel& level = Comp->SkinMenu()->LastLevel()->Level();
    EXPECT_TRUE(level.Scroll2());
    EXPECT_EQ(level.Item(0)->ObjectRect.Bottom - level.Item(0)->ObjectRect.Top, 26);
}

TEST_F(FormMenusTest, ATrayIconsRightButtonOpensTheTrayMenuAtThePointer) {
    struct TBackend : TqvTrayBackend {
        bool Available() override { return true; }
        bool Notify(unsigned, const TqvNotifyIconData&) override { return true; }
    };
    TBackend* backend = nullptr;
    SetTrayBackendFactory([&] {
        auto b = std::make_unique<TBackend>();
        backend = b.get();
        return b;
    });
    auto* icon = new TqvTrayIcon(Form);
    SetTrayBackendFactory(nullptr);
    ASSERT_NE(backend, nullptr);
    icon->SetPopupMenu(Comp->TrayMenu());
    Pointer->Pos = QPoint(700, 580);
    backend->Callback(TRAY_RBUTTONDOWN);
    ASSERT_TRUE(Comp->SkinMenu()->Visible());
    EXPECT_EQ(Comp->SkinMenu()->LastLevel()->pos(), QPoint(700, 580));
    EXPECT_EQ(Comp->TrayMenu()->PopupComponent(), icon);
    EXPECT_TRUE(Comp->AppHooked());
}

TEST_F(FormMenusTest, TheFormSeesEachKeyStrokeOnceBeforeTheFocusedControl) {
    auto* focused = new TKeySink(Form->Client());
    focused->show();
    focused->setFocus();
    int calls = 0;
    Comp->OnShortCut = [&](int Key, Qt::KeyboardModifiers, bool& Handled) {
        ++calls;
        Handled = Key == Qt::Key_X;
    };
    auto stroke = [&](int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(focused, &e);
    };
    stroke(Qt::Key_X);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(focused->Keys, 0);
    stroke(Qt::Key_Y);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(focused->Keys, 1);
    // A key the focused widget leaves bubbles up to the form; still one call.
    auto* plain = new QWidget(Form->Client());
    plain->show();
    plain->setFocus();
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier);
    QCoreApplication::sendEvent(plain, &e);
    EXPECT_EQ(calls, 3);
}

TEST_F(FormMenusTest, TheBarsMenuShortCutsRunOncePerStrokeAndAltF4NeverGoesToTheBar) {
    TFakeBar bar(&Log);
    int help = 0;
    TMenuItem* item = Add(bar.Main.Items(), "&Help");
    item->SetShortCut(ShortCut(Qt::Key_F1, Qt::NoModifier));
    item->OnClick = [&](QObject*) { ++help; };
    Comp->SetMainMenuBar(&bar);
    Key(Qt::Key_F1);
    Key(Qt::Key_F1);
    EXPECT_EQ(help, 2);
    Key(Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(Log.isEmpty()) << Log.join(QStringLiteral(", ")).toStdString();
    Key(Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(Log, QStringList({"hotkey F"}));
}

TEST_F(FormMenusTest, TheMenuKeyEntersAndLeavesTheBar) {
    TFakeBar bar(&Log);
    Comp->SetMainMenuBar(&bar);
    QKeyEvent p(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(Form, &p);
    QKeyEvent r(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(Form, &r);
    EXPECT_EQ(Log, QStringList({"enter"}));
    // Alt with another key between is no menu key.
    Log.clear();
    QCoreApplication::sendEvent(Form, &p);
    Key(Qt::Key_Q, Qt::AltModifier);
    QCoreApplication::sendEvent(Form, &r);
    EXPECT_EQ(Log, QStringList({"hotkey Q"}));
    // Nor is Alt held through a click.
    Log.clear();
    QCoreApplication::sendEvent(Form, &p);
    Mouse(Form, QEvent::MouseButtonPress, QPoint(100, 100));
    QCoreApplication::sendEvent(Form, &r);
    EXPECT_TRUE(Log.isEmpty());
    // While the bar is active the key leaves it.
    Log.clear();
    Comp->InMainMenu = true;
    Comp->HookApp();
    Key(Qt::Key_F10);
    EXPECT_EQ(Log, QStringList({"exit"}));
    EXPECT_FALSE(Comp->InMainMenu);
    EXPECT_FALSE(Comp->AppHooked());
}

TEST_F(FormMenusTest, KeysOfAnActiveBar) {
    struct Case {
        const char* What;
        int Key;
        bool LevelOpen;
        QStringList Expected;
        bool StillActive;
    };
    const Case cases[] = {
        {"Left", Qt::Key_Left, false, {"hotkey Left", "prev"}, true},
        {"Right", Qt::Key_Right, false, {"hotkey Right", "next"}, true},
        {"Right on a leaf of an open level", Qt::Key_Right, true, {"hotkey Right", "next"}, true},
        {"Down presses the highlighted item", Qt::Key_Down, false, {"hotkey Down", "click active"}, true},
        {"Escape with nothing open leaves", Qt::Key_Escape, false, {"hotkey Esc", "exit"}, false},
        {"Escape closing the last level", Qt::Key_Escape, true, {"hotkey Esc", "release"}, true},
    };
    TFakeBar bar(&Log);
    bar.Accel = QChar();
    Comp->SetMainMenuBar(&bar);
    for (const Case& c : cases) {
        Comp->InMainMenu = true;
        Comp->HookApp();
        if (c.LevelOpen) {
            TqvSkinPopupMenu* m = NewPopup({"&A"});
            Comp->InMenu = true;
            Comp->SkinMenu()->Popup(nullptr, nullptr, 0, Rect(100, 100, 100, 100), m->Items(), false);
        }
        Log.clear();
        Comp->MenuKeyDown(c.Key);
        EXPECT_EQ(Log, c.Expected) << c.What;
        EXPECT_EQ(Comp->InMainMenu, c.StillActive) << c.What;
        Comp->SkinMenu()->CloseLevels(0);
        Comp->SkinMainMenuClose();
        Comp->InMenu = false;
    }
}

}  // namespace
