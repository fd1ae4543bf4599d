// The bar on a skinned form with the form's own menu service: Alt and F10,
// accelerators, arrows, Enter and Escape, shortcuts once per key stroke,
// keys and wheel taken only while the bar or a drop-down is active, and the
// drop-down levels.
#include "skin/forms/menubar/MainMenuBar.h"
#include "skin/forms/menu/SkinMenu.h"

#include "platform/Form.h"
#include "platform/Sources.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <memory>

namespace {

// A focusable child that counts what reaches it.
class TCounter : public QWidget {
public:
    using QWidget::QWidget;
    int Keys = 0, Wheels = 0, Presses = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        ++Keys;
        e->ignore();  // climbs on to the form like an unused key
    }
    void wheelEvent(QWheelEvent*) override { ++Wheels; }
    void mousePressEvent(QMouseEvent*) override { ++Presses; }
};

struct MenuBarKeysTest : ::testing::Test {
    std::shared_ptr<TManualTickSource> Ticks = std::make_shared<TManualTickSource>();
    std::shared_ptr<TManualPointerSource> Pointer = std::make_shared<TManualPointerSource>();
    std::unique_ptr<TForm> Form;
    TqvVelmora* Comp = nullptr;
    TqvSkinMainMenuBar* Bar = nullptr;
    TCounter* Field = nullptr;
    TMainMenu Menu;
    QStringList Runs;

    void SetUp() override {
        SetTickSource(Ticks);
        SetPointerSource(Pointer);
        Form = std::make_unique<TForm>();
        Form->SetBounds(100, 100, 500, 300);
        Comp = new TqvVelmora(Form.get());
        Bar = new TqvSkinMainMenuBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetBounds(0, 0, 500, 22);
        Bar->SetVelmora(Comp);
        Field = new TCounter(Form->Client());
        Field->setGeometry(10, 100, 100, 30);
        Field->setFocusPolicy(Qt::StrongFocus);
        Form->Show();
        QApplication::setActiveWindow(Form.get());
        Field->setFocus();

        TMenuItem* file = Add("&File");
        Add("&Open", file, int(Qt::ControlModifier) | Qt::Key_O);
        Add("&Save", file)->SetEnabled(false);
        Add("Save &as", file);
        Add("-", file);
        Add("E&xit", file, int(Qt::AltModifier) | Qt::Key_F4);
        Add("&Copy", Add("&Edit"))->Parent()->SetEnabled(false);
        TMenuItem* view = Add("&View");
        Add("&Details", Add("&Layout", view));
        Add("&Contents", Add("&Help"), Qt::Key_F1);
        Bar->SetMainMenu(&Menu);
        Bar->BuildImage();
    }
    void TearDown() override {
        Form.reset();
        SetPointerSource(nullptr);
        SetTickSource(nullptr);
    }
    TMenuItem* Add(const QString& caption, TMenuItem* parent = nullptr, int shortCut = 0) {
        auto* i = new TMenuItem;
        i->SetCaption(caption);
        i->SetShortCut(shortCut);
        i->OnClick = [this, caption, i](QObject*) {
            if (i->Count() > 0) return;  // a submenu's own click as it opens
            Runs << StripHotkey(caption);
            // The handler runs after every trace of the menu is gone.
            EXPECT_FALSE(Comp->InMenu);
            EXPECT_FALSE(Comp->InMainMenu);
            EXPECT_FALSE(Comp->AppHooked());
            EXPECT_EQ(Comp->SkinMenu()->LevelCount(), 0);
        };
        (parent ? parent : Menu.Items())->Add(i);
        return i;
    }
    TqvSkinMenu* Manager() const { return Comp->SkinMenu(); }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, mods);
        QCoreApplication::sendEvent(Field, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods);
        QCoreApplication::sendEvent(Field, &release);
    }
    void AltAlone() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QCoreApplication::sendEvent(Field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(Field, &release);
    }
    QString Hot() const {
        QStringList hot;
        for (int i = 0; i < Bar->ItemCount(); ++i)
            if (Bar->Item(i)->Active || Bar->Item(i)->FDown)
                hot << StripHotkey(Bar->Item(i)->MenuItem->Caption()) + (Bar->Item(i)->FDown ? "*" : "");
        return hot.join(',');
    }
    // The open levels, each as its highlighted item.
    QString Levels() const {
        QStringList l;
        for (int i = 0; i < Manager()->LevelCount(); ++i) {
            TqvSkinPopupWindow* w = Manager()->Level(i);
            EXPECT_TRUE(w->isVisible());
            TqvSkinMenuItem* it = w->Level().Item(w->ActiveItem());
            l << (it ? StripHotkey(it->MenuItem->Caption()) : QStringLiteral("-"));
        }
        return l.join('>');
    }
};

TEST_F(MenuBarKeysTest, TheBarIsTheFormsMenuBar) {
    EXPECT_EQ(Comp->MainMenuBar(), static_cast<TqvMenuBarLink*>(Bar));
    delete Bar;
    EXPECT_EQ(Comp->MainMenuBar(), nullptr);
    Bar = nullptr;
}

TEST_F(MenuBarKeysTest, AltAloneAndF10EnterAndLeaveTheBar) {
    for (bool f10 : {false, true}) {
        SCOPED_TRACE(f10);
        f10 ? Key(Qt::Key_F10) : AltAlone();
        EXPECT_TRUE(Comp->InMainMenu);
        EXPECT_TRUE(Comp->AppHooked());
        EXPECT_EQ(Hot(), "File");
        EXPECT_EQ(Levels(), "");
        f10 ? Key(Qt::Key_F10) : AltAlone();
        EXPECT_FALSE(Comp->InMainMenu);
        EXPECT_FALSE(Comp->AppHooked());
        EXPECT_EQ(Hot(), "");
    }
    // Alt used for a chord is no menu key.
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(Field, &alt);
    Key(Qt::Key_Q, Qt::AltModifier);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(Field, &up);
    EXPECT_FALSE(Comp->InMainMenu);
}

// The keyboard walk of the bar and its drop-downs, step by step.
TEST_F(MenuBarKeysTest, KeyboardWalk) {
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        const char* hot;
        const char* levels;
        bool inMain;
    } steps[] = {
        {Qt::Key_F, Qt::AltModifier, "File*", "Open", true},  // accelerator opens the drop-down
        {Qt::Key_Down, {}, "File*", "Save as", true},        // the disabled item is skipped
        {Qt::Key_Escape, {}, "File", "", true},              // back to the bar, still in menu mode
        {Qt::Key_Right, {}, "View", "", true},               // over the disabled Edit
        {Qt::Key_Right, {}, "Help", "", true},
        {Qt::Key_Right, {}, "File", "", true},  // wraps
        {Qt::Key_Left, {}, "Help", "", true},   // wraps back
        {Qt::Key_Left, {}, "View", "", true},
        {Qt::Key_Down, {}, "View*", "Layout", true},  // Down opens
        {Qt::Key_Right, {}, "View*", "Layout>Details", true},  // into the submenu
        {Qt::Key_Left, {}, "View*", "Layout", true},           // one level back
        {Qt::Key_Right, {}, "View*", "Layout>Details", true},
        {Qt::Key_Escape, {}, "View*", "Layout", true},
        {Qt::Key_Left, {}, "File*", "Open", true},  // one level open: the bar moves on
        {Qt::Key_Escape, {}, "File", "", true},
        {Qt::Key_Escape, {}, "", "", false},  // leaves the bar
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const auto& s = steps[i];
        SCOPED_TRACE(i);
        Key(s.key, s.mods);
        EXPECT_EQ(Hot(), s.hot);
        EXPECT_EQ(Levels(), s.levels);
        EXPECT_EQ(Comp->InMainMenu, s.inMain);
    }
    EXPECT_FALSE(Comp->AppHooked());
    EXPECT_TRUE(Runs.isEmpty()) << Runs.join(",").toStdString();
    EXPECT_EQ(Field->Keys, 0);  // every key went to the menus
}

TEST_F(MenuBarKeysTest, EnterChoosesAndTheCommandRunsAfterTheMenuIsGone) {
    AltAlone();
    Key(Qt::Key_Return);  // opens File
    EXPECT_EQ(Levels(), "Open");
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(Runs, QStringList({"Save as"}));
    EXPECT_EQ(Hot(), "");
    // An accelerator inside the level chooses too.
    Key(Qt::Key_F, Qt::AltModifier);
    Key(Qt::Key_O);
    EXPECT_EQ(Runs, QStringList({"Save as", "Open"}));
}

TEST_F(MenuBarKeysTest, AltF4NeverGoesToTheBar) {
    Key(Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(Hot(), "");
    EXPECT_EQ(Levels(), "");
    EXPECT_EQ(Runs, QStringList({"Exit"}));  // the item with that shortcut runs
}

TEST_F(MenuBarKeysTest, AShortcutRunsOncePerKeyStroke) {
    for (int i = 1; i <= 3; ++i) {
        Key(Qt::Key_F1);
        EXPECT_EQ(Runs.size(), i);
    }
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Runs, QStringList({"Contents", "Contents", "Contents", "Open"}));
    // A key no menu takes reaches the focused control once.
    Key(Qt::Key_K);
    EXPECT_EQ(Field->Keys, 1);
}

TEST_F(MenuBarKeysTest, KeysAndWheelAreTakenOnlyWhileAMenuIsActive) {
    auto wheel = [this] {
        QWheelEvent w(QPointF(5, 5), Field->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Field, &w);
    };
    Key(Qt::Key_K);
    wheel();
    EXPECT_EQ(Field->Keys, 1);
    EXPECT_EQ(Field->Wheels, 1);
    Key(Qt::Key_F, Qt::AltModifier);
    Key(Qt::Key_K);
    wheel();
    EXPECT_EQ(Field->Keys, 1);
    EXPECT_EQ(Field->Wheels, 1);
    EXPECT_EQ(Levels(), "Open");
    Key(Qt::Key_Escape);
    Key(Qt::Key_Escape);
    Key(Qt::Key_K);
    wheel();
    EXPECT_EQ(Field->Keys, 2);
    EXPECT_EQ(Field->Wheels, 2);
}

TEST_F(MenuBarKeysTest, AClickElsewhereOrALostActivationClosesTheMenu) {
    Key(Qt::Key_F, Qt::AltModifier);
    ASSERT_EQ(Levels(), "Open");
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), Field->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Field, &press);
    EXPECT_EQ(Levels(), "");
    EXPECT_EQ(Hot(), "");
    EXPECT_FALSE(Comp->InMainMenu);
    EXPECT_FALSE(Comp->AppHooked());

    AltAlone();
    ASSERT_TRUE(Comp->InMainMenu);
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(Form.get(), &deactivate);
    EXPECT_FALSE(Comp->InMainMenu);
    EXPECT_FALSE(Comp->AppHooked());
}

TEST_F(MenuBarKeysTest, ClickingAnItemOpensItsDropDownAndALeafChoiceRunsIt) {
    const TRect r = Bar->Item(2)->ObjectRect;
    const QPointF p(r.Left + 3, r.Top + 3);
    QMouseEvent press(QEvent::MouseButtonPress, p, Bar->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(Bar, &press);
    EXPECT_EQ(Hot(), "View*");
    EXPECT_EQ(Levels(), "Layout");
    TqvSkinPopupWindow* level = Manager()->Level(0);
    const QPoint below = Bar->mapToGlobal(QPoint(r.Left, r.Bottom));
    EXPECT_EQ(level->pos().x(), below.x());
    EXPECT_GE(level->pos().y(), below.y() - 1);
    // A click on the submenu item opens its level.
    level->ItemMouseDown(0);
    EXPECT_EQ(Levels(), "Layout>Details");
    Manager()->Level(1)->ItemMouseDown(0);
    EXPECT_EQ(Runs, QStringList({"Details"}));
    EXPECT_EQ(Hot(), "");
}

}  // namespace

TEST_F(MenuBarKeysTest, HoverMovesTheOpenDropDownThroughTheFormsManager) {
    Key(Qt::Key_F, Qt::AltModifier);
    ASSERT_EQ(Levels(), "Open");
    const TRect r = Bar->Item(2)->ObjectRect;
    const QPointF p(r.Left + 3, r.Top + 3);
    QEnterEvent enter(p, p, Bar->mapToGlobal(p));
    QCoreApplication::sendEvent(Bar, &enter);
    Pointer->Pos = Bar->mapToGlobal(p.toPoint());
    Ticks->Advance(50);
    EXPECT_EQ(Hot(), "View*");
    EXPECT_EQ(Levels(), "Layout");
    EXPECT_TRUE(Comp->InMainMenu);
    EXPECT_TRUE(Comp->InMenu);
}
