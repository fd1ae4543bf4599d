// The skinned combo box in fixed style: ItemIndex writes and their events,
// keys, incremental search, press-drag-release, drag-scrolling, Escape, the
// tool-button look and the face's pixels.
#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/combos/SkinComboBox.h"
#include "skin/model/draw/LayerManager.h"

#include <QApplication>
#include <QListWidget>

namespace {

class TRecordingCombo : public TqvSkinComboBox {
public:
    using TqvSkinComboBox::TqvSkinComboBox;
    std::vector<std::string>* Log = nullptr;
    void Change() override {
        if (Log) Log->push_back("Change");
    }
};

struct Combo : SkinControlTest {
    TRecordingCombo* Box = nullptr;
    std::vector<std::string> Log;
    void SetUp() override {
        SkinControlTest::SetUp();
        Box = Make<TRecordingCombo>();
        Box->SetBounds(20, 20, 120, 20);
        Box->Log = &Log;
        Box->OnClick = [this](QObject*) { Log.push_back("click"); };
        Box->OnChange = [this](QObject*) { Log.push_back("change"); };
        Box->OnCloseUp = [this](QObject*) { Log.push_back("closeup"); };
    }
    void Fill(std::initializer_list<const char*> items) {
        for (const char* s : items) Box->Items().Add(QLatin1String(s));
    }
    std::vector<std::string> Take() { return std::exchange(Log, {}); }
    void ShowForm() {
        Form->Show();
        QApplication::setActiveWindow(Form);
        Box->setFocus();
    }
};

using V = std::vector<std::string>;

TEST_F(Combo, ItemIndexWritesRaiseChangeOnlyForANewText) {
    Fill({"one", "two", "one"});
    struct Case {
        const char* name;
        int index;
        bool loading;
        QString text;
        V events;
    } cases[] = {
        {"a new text", 1, false, "two", {"change", "click", "Change"}},
        {"the same index", 1, false, "two", {"click", "Change"}},
        {"another item, same text", 0, false, "one", {"change", "click", "Change"}},
        {"same text again", 2, false, "one", {"click", "Change"}},
        {"none keeps the text", -1, false, "one", {"click", "Change"}},
        {"while loading", 1, true, "two", {"change"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Box->SetLoading(c.loading);
        Box->SetItemIndex(c.index);
        Box->SetLoading(false);
        EXPECT_EQ(Box->Text(), c.text);
        EXPECT_EQ(Take(), c.events);
    }
    Box->Items().Clear();
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->Text(), QStringLiteral("two"));
    EXPECT_TRUE(Take().empty());
}

TEST_F(Combo, PageAndArrowKeysAtTwentyItems) {
    for (int i = 0; i < 20; ++i) Box->Items().Add(QStringLiteral("item %1").arg(i));
    struct Case {
        int from, key, to;
    } cases[] = {
        {10, Qt::Key_PageUp, 1}, {10, Qt::Key_PageDown, 17}, {2, Qt::Key_PageUp, 0}, {15, Qt::Key_PageDown, 19},
        {0, Qt::Key_Up, 0},      {19, Qt::Key_Down, 19},     {5, Qt::Key_Left, 4},   {5, Qt::Key_Right, 6},
    };
    for (const Case& c : cases) {
        Box->SetItemIndex(c.from);
        SendKey(Box, QEvent::KeyPress, c.key);
        EXPECT_EQ(Box->ItemIndex(), c.to) << c.from << " key " << c.key;
    }
    SendKey(Box, QEvent::KeyPress, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(Box->ListBox()->IsShown());
    SendKey(Box, QEvent::KeyPress, Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(Box->ListBox()->IsShown());
}

TEST_F(Combo, IncrementalSearchOnTheClock) {
    Fill({"apple", "banana", "berry"});
    auto type = [&](const char* s) { SendKey(Box, QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QLatin1String(s)); };
    struct Step {
        int advance;
        const char* ch;
        int expected;
    };
    auto run = [&](std::initializer_list<Step> steps) {
        Box->SetItemIndex(0);
        Ticks->Advance(1000);
        for (const Step& s : steps) {
            Ticks->Advance(s.advance);
            type(s.ch);
            EXPECT_EQ(Box->ItemIndex(), s.expected) << s.ch;
        }
    };
    run({{0, "b", 1}, {500, "b", 2}});
    run({{0, "b", 1}, {100, "e", 2}});
    run({{0, "b", 1}, {100, "b", 1}});
    Box->SetAutoComplete(false);
    run({{0, "b", 1}, {100, "b", 2}, {100, "b", 1}});
}

TEST_F(Combo, PressDragReleaseCommitsWithItsFourEvents) {
    Fill({"zero", "one", "two", "three"});
    Box->SetItemIndex(0);
    ShowForm();
    Take();
    const QPoint on = Box->FaceButton().R.ToQRect().center();
    SendMoveNoButton(Box, on);
    SendMouse(Box, QEvent::MouseButtonPress, on);
    ASSERT_TRUE(Box->ListBox()->IsShown());
    QWidget* vp = Box->ListBox()->ListBox()->Widget()->viewport();
    const QPoint row2 = Box->mapFromGlobal(vp->mapToGlobal(QPoint(10, 2 * 20 + 5)));
    SendMouse(Box, QEvent::MouseMove, row2);
    EXPECT_EQ(Box->ListBox()->ItemIndex(), 2);
    SendMouse(Box, QEvent::MouseButtonRelease, row2);
    EXPECT_FALSE(Box->ListBox()->IsShown());
    EXPECT_EQ(Box->Text(), QStringLiteral("two"));
    EXPECT_EQ(Take(), (V{"change", "click", "Change", "closeup"}));
    // Released outside after visiting: the old index, no events.
    SendMouse(Box, QEvent::MouseButtonPress, on);
    SendMouse(Box, QEvent::MouseMove, Box->mapFromGlobal(vp->mapToGlobal(QPoint(10, 5))));
    SendMouse(Box, QEvent::MouseMove, {-40, 5});
    SendMouse(Box, QEvent::MouseButtonRelease, {-40, 5});
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_TRUE(Take().empty());
    // Escape restores the index the list opened with.
    Box->DropDown();
    Take();
    Box->ListBox()->SetItemIndex(0);
    SendKey(Box, QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_FALSE(Box->ListBox()->IsShown());
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_TRUE(Take().empty());
}

TEST_F(Combo, DraggingBelowTheListStepsEvery25MsToTheLast) {
    for (int i = 0; i < 20; ++i) Box->Items().Add(QStringLiteral("item %1").arg(i));
    Box->SetItemIndex(0);
    ShowForm();
    const QPoint on = Box->FaceButton().R.ToQRect().center();
    SendMoveNoButton(Box, on);
    SendMouse(Box, QEvent::MouseButtonPress, on);
    ASSERT_NE(Box->ListBox()->ScrollBar(), nullptr);
    QWidget* vp = Box->ListBox()->ListBox()->Widget()->viewport();
    SendMouse(Box, QEvent::MouseMove, Box->mapFromGlobal(vp->mapToGlobal(QPoint(10, 5))));
    SendMouse(Box, QEvent::MouseMove, Box->mapFromGlobal(vp->mapToGlobal(QPoint(10, vp->height() + 10))));
    EXPECT_EQ(Box->DragTimerMode(), 2);
    Ticks->Advance(24);
    EXPECT_EQ(Box->ListBox()->ItemIndex(), 0);
    Ticks->Advance(1);
    EXPECT_EQ(Box->ListBox()->ItemIndex(), 1);
    Ticks->Advance(25 * 30);
    EXPECT_EQ(Box->ListBox()->ItemIndex(), 19);
    SendMouse(Box, QEvent::MouseMove, Box->mapFromGlobal(vp->mapToGlobal(QPoint(10, 5))));
    EXPECT_EQ(Box->DragTimerMode(), 0);
}

TEST_F(Combo, ToolButtonStyleIsFixedAtAnySizeAndOpensFromAnywhere) {
    Fill({"a", "b"});
    Box->SetStyle(qvcbEditStyle);
    Box->SetToolButtonStyle(true);
    EXPECT_EQ(Box->Style(), qvcbFixedStyle);
    EXPECT_EQ(Box->Edit(), nullptr);
    EXPECT_FALSE(Box->UseSkinSize());
    ShowForm();
    SendMouse(Box, QEvent::MouseButtonPress, {5, 5});
    EXPECT_TRUE(Box->ListBox()->IsShown());
    SendMouse(Box, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_TRUE(Box->ListBox()->IsShown());  // a click that only opened leaves it open
    Box->CloseUp(false);
    EXPECT_FALSE(Box->ListBox()->IsShown());
}

TEST_F(Combo, DropDownWithoutItemsDoesNothing) {
    int drops = 0;
    Box->OnDropDown = [&](QObject*) { ++drops; };
    Box->DropDown();
    EXPECT_EQ(drops, 0);
    EXPECT_FALSE(Box->ListBox()->IsShown());
}

TEST_F(Combo, FacePixelsNormalHotAndDisabledAtBothSizes) {
    TTestSkin skin(QStringList{"combobox"}, QStringList{});
    skin.FlatColours()
        .Set(QStringLiteral("combobox"), QStringLiteral("buttonrect"), QStringLiteral("40,10,58,50"))
        .Set(QStringLiteral("combobox"), QStringLiteral("clientrect"), QStringLiteral("4,8,38,60"));
    skin.LoadInto(*Model);
    Fill({"a"});
    Box->SetSkinData(Model);
    const auto cell = [&](const char* key) { return skin.FlatColour(QStringLiteral("combobox"), QLatin1String(key)); };
    for (bool useSkinSize : {true, false}) {
        SCOPED_TRACE(useSkinSize);
        Box->SetUseSkinSize(useSkinSize);
        Box->SetBounds(20, 20, 64, 64);
        Box->SetEnabled(true);
        Box->GetSkinData();
        Box->CalcFaceLayout();
        const QPoint b = Box->FaceButton().R.ToQRect().center();
        EXPECT_EQ(Px(Box->BuildImage(), b.x(), b.y()), cell("skinrect"));
        SendEnter(Box);
        SendMoveNoButton(Box, b);
        EXPECT_EQ(Px(Box->BuildImage(), b.x(), b.y()), useSkinSize ? cell("activebuttonrect") : cell("activeskinrect"));
        SendLeave(Box);
        SendMoveNoButton(Box, {2, 2});
        Box->SetEnabled(false);
        EXPECT_EQ(Px(Box->BuildImage(), b.x(), b.y()), useSkinSize ? cell("unenabledbuttonrect") : cell("skinrect"));
    }
}

TEST_F(Combo, AtAnySizeTheButtonIsComposedFromTheFirstButtonRecordOrLeftOut) {
    for (const char* name : {"combobutton", "editbutton", "resizebutton", ""}) {
        SCOPED_TRACE(name);
        TTestSkin skin(QStringList{"combobox"}, QStringList{});
        if (*name) skin.AddControl(QLatin1String(name), QStringLiteral("button"));
        skin.FlatColours()
            .Set(QStringLiteral("combobox"), QStringLiteral("buttonrect"), QStringLiteral("40,10,58,50"))
            .Set(QStringLiteral("combobox"), QStringLiteral("clientrect"), QStringLiteral("4,8,38,60"));
        skin.LoadInto(*Model);
        Box->SetSkinData(Model);
        Box->SetUseSkinSize(false);
        Box->SetBounds(20, 20, 64, 74);  // 10 higher than the skin
        Box->GetSkinData();
        Box->CalcFaceLayout();
        const TRect b = Box->FaceButton().R;
        EXPECT_EQ(b.Height(), 40 + 10);
        const QImage img = Box->BuildImage();
        const QRgb under = skin.FlatColour(QStringLiteral("combobox"), QStringLiteral("skinrect"));
        if (*name) EXPECT_EQ(Px(img, b.Left + 2, b.Top + 12), skin.FlatColour(QLatin1String(name), QStringLiteral("skinrect"), TTestSkin::zL));
        else EXPECT_EQ(Px(img, b.Left + 2, b.Top + 12), under);
    }
}

TEST_F(Combo, TheListFadesAtEveryShowAndSetsAPlainAlphaOnlyWhenItChanged) {
    SetLayeredWindowsAvailableForTests(true);
    Fill({"a", "b"});
    ShowForm();
    Box->SetAlphaBlend(true);
    Box->SetAlphaBlendValue(150);
    Box->SetAlphaBlendAnimation(true);
    std::vector<int> steps;
    TqvDropDownWindow* w = Box->ListBox()->Window();
    w->OnFadeStep = [&](int a) { steps.push_back(a); };
    for (int i = 0; i < 2; ++i) {
        steps.clear();
        Box->DropDown();
        for (int k = 0; k < 20; ++k) Ticks->Advance(6);
        EXPECT_EQ(steps.size(), 15u);
        EXPECT_EQ(steps.back(), 150);
        Box->CloseUp(false);
    }
    Box->SetAlphaBlendAnimation(false);
    Box->DropDown();
    EXPECT_EQ(w->Alpha(), 150);
    EXPECT_EQ(w->OldAlphaBlendValue(), 150);
    Box->CloseUp(false);
    w->SetAlpha(90);  // unchanged value: not set again
    Box->DropDown();
    EXPECT_EQ(w->Alpha(), 90);
    Box->CloseUp(false);
    SetLayeredWindowsAvailableForTests(false, true);
}

}  // namespace
