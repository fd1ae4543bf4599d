// The run controls a user presses: however a run ends, Stop, Pause and
// Resume on the tool bar and in the 动作 menu are left as a fresh window shows
// them, so the next run offers Pause again. Every command goes through the
// pointer on the real widgets.
#include "tests/app/mainwindow/RunFixture.h"

#include "skin/controls/buttons/SkinButton.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/PopupWindow.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/forms/menubar/MainMenuBar.h"

#include <QApplication>
#include <QTest>

namespace {

// What the user sees of one control.
struct TShown {
    bool Visible, Enabled;
    QString Caption;
    bool operator==(const TShown&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TShown& s) {
    return os << (s.Visible ? "shown" : "hidden") << '/' << (s.Enabled ? "enabled" : "disabled") << " \""
              << s.Caption.toStdString() << '"';
}

// Stop, Pause and Resume as tool-bar buttons, then as 动作 menu items.
std::vector<TShown> RunControls(TForm1* w) {
    std::vector<TShown> shown;
    for (TqvSkinButton* b : {w->qvSkinButton10, w->qvSkinButton11, w->qvSkinButton12})
        shown.push_back({b->Visible(), b->Enabled(), b->Caption()});
    for (TMenuItem* m : {w->N8, w->N10, w->N11}) shown.push_back({m->Visible(), m->Enabled(), m->Caption()});
    return shown;
}

QPoint Middle(QWidget* w) { return {w->width() / 2, w->height() / 2}; }

enum TRoute { ToolBar, Menu };
enum TEnding { Finish, Stop, PauseThenStop, PauseThenClose };

// Items by menu and place: 动作 holds 开始转换, 停止转换, -, 暂停转换, 继续继续;
// 文件 holds three adds, -, 退出.
struct TMenuPlace {
    int Menu, Item;
};
constexpr TMenuPlace kStart{2, 0}, kStop{2, 1}, kPause{2, 3}, kExit{0, 4};

}  // namespace

class RunControlsTest : public RunTest {
protected:
    // Opens a menu of the menu bar and clicks one of its items.
    void Choose(TMenuPlace place) {
        TqvSkinMainMenuBar* bar = W->qvSkinMainMenuBar1;
        const TRect r = bar->Item(place.Menu)->ObjectRect;
        const QPoint top(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
        QTest::mouseMove(bar, top);
        QTest::mouseClick(bar, Qt::LeftButton, {}, top);
        TqvSkinMenu* menu = W->qvVelmora1->SkinMenu();
        ASSERT_TRUE(WaitUntil([&] { return menu->LevelCount() > 0 && menu->Level(0)->isVisible(); }));
        TqvSkinPopupWindow* level = menu->Level(0);
        const TRect ir = level->Level().Item(place.Item)->ObjectRect;
        const QPoint at((ir.Left + ir.Right) / 2, (ir.Top + ir.Bottom) / 2);
        QTest::mouseMove(level, at);
        QTest::mouseClick(level, Qt::LeftButton, {}, at);
        // The command runs once the menu is gone.
        ASSERT_TRUE(WaitUntil([&] { return menu->LevelCount() == 0; }));
        QCoreApplication::processEvents();
    }
    void Press(TRoute route, TqvSkinButton* button, TMenuPlace item) {
        if (route == Menu) {
            Choose(item);
            return;
        }
        ASSERT_TRUE(button->isVisible()) << button->Caption().toStdString();
        QTest::mouseClick(button, Qt::LeftButton, {}, Middle(button));
    }
    void ShowActive() {
        W->Show();
        QApplication::setActiveWindow(W);
        ASSERT_TRUE(QTest::qWaitForWindowActive(W));
    }
    // A run that is still converting when the user acts on it: its worker
    // waits at its first report.
    void HoldAtFirstReport() {
        AfterReport = [&](const TProgressInfo&) {
            if (Reports.size() == 1) W->Trevalon->Pause();
        };
    }
};

TEST_F(RunControlsTest, EveryEndOfARunLeavesStopPauseAndResumeAsAFreshWindowShowsThem) {
    struct Case {
        TEnding Ending;
        TRoute Route;
        const char* Name;
    };
    const Case cases[] = {
        {Finish, ToolBar, "finished, tool bar"},
        {Finish, Menu, "finished, menu"},
        {Stop, ToolBar, "stopped, tool bar"},
        {Stop, Menu, "stopped, menu"},
        {PauseThenStop, ToolBar, "paused and stopped, tool bar"},
        {PauseThenStop, Menu, "paused and stopped, menu"},
        {PauseThenClose, ToolBar, "paused and closed, tool bar"},
        {PauseThenClose, Menu, "paused and closed, menu"},
    };
    const QString shortClip = TestMedia::Path(QStringLiteral("av1s.avi"));  // also makes the media folder
    const QString longClip = LongClip();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        StartLoaded();
        ShowActive();
        const std::vector<TShown> fresh = RunControls(W);
        ASSERT_FALSE(fresh[0].Enabled);
        ASSERT_TRUE(fresh[1].Visible);
        ASSERT_FALSE(fresh[2].Visible);

        const bool held = c.Ending != Finish;
        if (held) HoldAtFirstReport();
        if (held) AddJob(longClip, 1104);
        else AddJob(shortClip, 3000);
        Press(c.Route, W->qvSkinButton2, kStart);
        ASSERT_TRUE(W->CmdStop.Enabled());
        if (held) {
            ASSERT_TRUE(WaitFor([&] { return !Reports.empty(); }));
        }
        if (c.Ending == PauseThenStop || c.Ending == PauseThenClose) {
            Press(c.Route, W->qvSkinButton11, kPause);
            ASSERT_TRUE(W->qvSkinButton12->Visible());
            ASSERT_TRUE(W->CmdResume.Enabled());
        }
        switch (c.Ending) {
        case Finish: ASSERT_TRUE(WaitForRunEnd()); break;
        case Stop:
        case PauseThenStop:
            Press(c.Route, W->qvSkinButton10, kStop);
            ASSERT_TRUE(WaitForRunEnd());
            break;
        case PauseThenClose:
            // The user's way out of the window: 文件 > 退出, or the window's close.
            if (c.Route == Menu) Choose(kExit);
            else W->Close();
            ASSERT_TRUE(Application()->Terminated());
            break;
        }
        EXPECT_EQ(RunControls(W), fresh);

        // The next run offers Pause where the user looks for it, and it pauses.
        if (c.Ending == Stop || c.Ending == PauseThenStop) {
            Ends.clear();
            Reports.clear();
            QTest::mouseClick(W->qvSkinButton2, Qt::LeftButton, {}, Middle(W->qvSkinButton2));
            ASSERT_TRUE(W->CmdStop.Enabled());
            EXPECT_TRUE(W->qvSkinButton11->isVisible());
            EXPECT_TRUE(W->qvSkinButton11->Enabled());
            ASSERT_TRUE(WaitFor([&] { return !Reports.empty(); }));
            Press(c.Route, W->qvSkinButton11, kPause);
            EXPECT_TRUE(W->CmdResume.Enabled());
            Press(c.Route, W->qvSkinButton10, kStop);
            ASSERT_TRUE(WaitForRunEnd());
            EXPECT_EQ(RunControls(W), fresh);
        }
        AfterReport = nullptr;
        DestroyApplication();
        Application()->SetPrompt(Prompt);  // the next program's boxes are recorded too
        Ends.clear();
        Reports.clear();
        Events.clear();
    }
}
