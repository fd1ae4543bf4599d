// The office combo box: its events on every write, loading, closing with and
// without a choice, keys, the wheel, the drop-down's place and size, what
// closes it, the fade and the tool-button looks.
#include "tests/skin/controls/ControlTestSupport.h"

#include "platform/Classes.h"
#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/LayerManager.h"

#include <QApplication>
#include <QScreen>
#include <QWheelEvent>

namespace {

struct OfficeCombo : SkinControlTest {
    TqvSkinOfficeComboBox* Box = nullptr;
    std::vector<std::string> Log;
    void SetUp() override {
        SkinControlTest::SetUp();
        Box = Make<TqvSkinOfficeComboBox>();
        Box->SetBounds(20, 20, 120, 41);
    }
    void Fill(int n, bool header0 = false) {
        Box->Items().Clear();
        for (int i = 0; i < n; ++i) {
            TqvSkinOfficeItem* it = Box->Items().Add();
            it->SetCaption(QStringLiteral("item %1").arg(i));
            it->SetHeader(header0 && i == 0);
            it->OnClick = [this, i](QObject*) { Log.push_back("row" + std::to_string(i)); };
        }
        Box->ListBox()->OnItemClick = [this](QObject*) { Log.push_back("item"); };
        Box->OnClick = [this](QObject*) { Log.push_back("click"); };
        Box->OnChange = [this](QObject*) { Log.push_back("change"); };
        Box->OnCloseUp = [this](QObject*) { Log.push_back("closeup"); };
        Box->OnDropDown = [this](QObject*) { Log.push_back("dropdown"); };
    }
    std::vector<std::string> Take() { return std::exchange(Log, {}); }
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier) { SendKey(Box, QEvent::KeyPress, key, m); }
    void ShowForm() {
        Form->Show();
        QApplication::setActiveWindow(Form);
        Box->setFocus();
    }
};

using V = std::vector<std::string>;

TEST_F(OfficeCombo, EveryWriteAnnouncesTheRowThenClickThenChange) {
    Fill(3);
    Box->SetItemIndex(1);
    EXPECT_EQ(Take(), (V{"row1", "item", "click", "change"}));
    Box->SetItemIndex(1);
    EXPECT_EQ(Take(), (V{"row1", "item", "click", "change"}));
    Box->SetItemIndex(-1);
    EXPECT_EQ(Take(), (V{"click", "change"}));
    Box->SetLoading(true);
    Box->SetItemIndex(2);
    Box->SetLoading(false);
    EXPECT_EQ(Take(), (V{"row2", "item"}));
    // Clearing keeps the index: the new item there comes up chosen.
    Box->Items().Clear();
    EXPECT_EQ(Box->ItemIndex(), 2);
    Fill(3);
    EXPECT_TRUE(Box->Items()[2]->Active);
    EXPECT_FALSE(Box->Items()[1]->Active);
}

TEST_F(OfficeCombo, ClosingWithAndWithoutAChoice) {
    Fill(3);
    ShowForm();
    Box->SetItemIndex(0);
    Take();
    Box->DropDown();
    EXPECT_EQ(Take(), (V{"dropdown", "row1", "item", "row0", "item"}));
    Box->ListBox()->SetItemIndex(2);
    Take();
    Box->CloseUp(true);
    EXPECT_EQ(Take(), (V{"click", "change", "closeup"}));
    EXPECT_EQ(Box->ItemIndex(), 2);
    Box->DropDown();
    Key(Qt::Key_Down);  // open: only the list moves
    Take();
    Key(Qt::Key_Escape);
    EXPECT_EQ(Take(), (V{"row2", "item"}));
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_FALSE(Box->ListBox()->IsShown());
    Box->CloseUp(false);  // closed: nothing
    Box->CloseUp(true);
    EXPECT_TRUE(Take().empty());
}

TEST_F(OfficeCombo, KeysStepAndAltOpensAndCloses) {
    Fill(4, true);
    Box->SetItemIndex(1);
    Take();
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers mods;
        int index;
        bool open;
        V events;
    } cases[] = {
        {"up at the first row", Qt::Key_Up, Qt::NoModifier, 1, false, {"row1", "item", "click", "change"}},
        {"down", Qt::Key_Down, Qt::NoModifier, 2, false, {"row2", "item", "row2", "item", "click", "change"}},
        {"right", Qt::Key_Right, Qt::NoModifier, 3, false, {"row3", "item", "row3", "item", "click", "change"}},
        {"left", Qt::Key_Left, Qt::NoModifier, 2, false, {"row2", "item", "row2", "item", "click", "change"}},
        {"alt+down opens", Qt::Key_Down, Qt::AltModifier, 2, true, {"dropdown"}},
        {"enter chooses", Qt::Key_Return, Qt::NoModifier, 2, false, {"click", "change", "closeup"}},
        {"alt+right opens", Qt::Key_Right, Qt::AltModifier, 2, true, {"dropdown"}},
        {"alt+up closes", Qt::Key_Up, Qt::AltModifier, 2, false, {"row2", "item"}},
        {"page up", Qt::Key_PageUp, Qt::NoModifier, 1, false, {"row1", "item", "row1", "item", "click", "change"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Key(c.key, c.mods);
        EXPECT_EQ(Box->ItemIndex(), c.index);
        EXPECT_EQ(Box->ListBox()->IsShown(), c.open);
        EXPECT_EQ(Take(), c.events);
    }
}

TEST_F(OfficeCombo, TheWheelChoosesWhileClosedAndOnlyMovesTheListWhileOpen) {
    Fill(3);
    Box->SetItemIndex(0);
    Take();
    auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(5, 5), Box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Box, &e);
    };
    wheel(-120);  // the step's row events, then the write's
    EXPECT_EQ(Take(), (V{"row1", "item", "row1", "item", "click", "change"}));
    Box->DropDown();
    Take();
    wheel(-120);
    EXPECT_EQ(Box->ListBox()->ItemIndex(), 2);
    EXPECT_EQ(Take(), (V{"row2", "item"}));
    EXPECT_EQ(Box->OldItemIndex(), 1);
}

TEST_F(OfficeCombo, FourRowsRightAlignedAndAboveNearTheWorkAreaBottom) {
    Fill(10);
    Box->SetDropDownCount(4);
    Box->SetListBoxItemHeight(60);
    Box->SetListBoxWidth(200);
    TRect work;
    GetMonitorWorkArea(Box, true, work);
    Form->SetBounds(100, 100, 500, 400);
    ShowForm();
    Box->DropDown();
    EXPECT_EQ(Box->ListBox()->Height(), 4 * 60 + 5);
    const QRect below = Box->ListBox()->Window()->geometry();
    const QPoint boxAt = Box->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(below.right() + 1, boxAt.x() + Box->Width());
    EXPECT_EQ(below.top(), boxAt.y() + Box->Height());
    Box->CloseUp(false);
    Form->SetBounds(100, work.Bottom - 120, 500, 110);
    Box->DropDown();
    const QRect above = Box->ListBox()->Window()->geometry();
    EXPECT_EQ(above.bottom() + 1, Box->mapToGlobal(QPoint(0, 0)).y());
    EXPECT_EQ(above.left(), Box->mapToGlobal(QPoint(0, 0)).x() + Box->Width() - 200);
    Box->CloseUp(false);
}

TEST_F(OfficeCombo, AnOutsidePressAFocusLossAndCancelModeClose) {
    Fill(3);
    auto* other = Make<TqvSkinOfficeComboBox>();
    other->SetBounds(200, 20, 120, 41);
    ShowForm();
    Box->DropDown();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), Form);
    EXPECT_TRUE(Box->hasFocus());
    EXPECT_TRUE(Box->ListBox()->IsShown());
    SendMouse(other, QEvent::MouseButtonPress, {5, 5});
    SendMouse(other, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_FALSE(Box->ListBox()->IsShown());
    Box->setFocus();
    Box->DropDown();
    other->setFocus();
    EXPECT_FALSE(Box->ListBox()->IsShown());
    Box->DropDown();
    SendMessage(Box, CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Box->ListBox()));
    EXPECT_TRUE(Box->ListBox()->IsShown());
    SendMessage(Box, CM_CANCELMODE, 0, 0);
    EXPECT_FALSE(Box->ListBox()->IsShown());
}

TEST_F(OfficeCombo, APressOnTheItemOpensAndClosesTheListAsTheButtonDoes) {
    Fill(3);
    ShowForm();
    const QPoint item = Box->FaceItem().R.ToQRect().center();
    ASSERT_FALSE(Box->FaceButton().R.ToQRect().contains(item));
    SendMouse(Box, QEvent::MouseButtonPress, item);
    EXPECT_TRUE(Box->ListBox()->IsShown());
    SendMouse(Box, QEvent::MouseButtonRelease, item);
    SendMouse(Box, QEvent::MouseButtonPress, item);
    EXPECT_FALSE(Box->ListBox()->IsShown());
    SendMouse(Box, QEvent::MouseButtonRelease, item);
}

TEST_F(OfficeCombo, PressDragReleaseChoosesTheRowUnderTheRelease) {
    Fill(5);
    Box->SetItemIndex(0);
    ShowForm();
    Take();
    const QPoint on = Box->FaceButton().R.ToQRect().center();
    SendMoveNoButton(Box, on);
    SendMouse(Box, QEvent::MouseButtonPress, on);
    ASSERT_TRUE(Box->ListBox()->IsShown());
    Take();
    // Into the third row (rows 30 high from the list's top border of 2).
    const QPoint row2 = Box->mapFromGlobal(Box->ListBox()->mapToGlobal(QPoint(10, 2 + 60 + 10)));
    SendMouse(Box, QEvent::MouseMove, row2);
    EXPECT_EQ(Box->ListBox()->ItemIndex(), 2);
    SendMouse(Box, QEvent::MouseButtonRelease, row2);
    EXPECT_FALSE(Box->ListBox()->IsShown());
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(Take(), (V{"click", "change", "closeup"}));
    // Released outside after visiting the list: the index comes back, no box events.
    SendMouse(Box, QEvent::MouseButtonPress, on);
    Take();
    const QPoint row4 = Box->mapFromGlobal(Box->ListBox()->mapToGlobal(QPoint(10, 2 + 120 + 10)));
    SendMouse(Box, QEvent::MouseMove, row4);
    EXPECT_EQ(Box->ListBox()->ItemIndex(), 4);
    SendMouse(Box, QEvent::MouseMove, {-50, 5});
    SendMouse(Box, QEvent::MouseButtonRelease, {-50, 5});
    EXPECT_FALSE(Box->ListBox()->IsShown());
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(Take(), (V{"row2", "item"}));
}

TEST_F(OfficeCombo, APressInTheOpenListChoosesOnItsRelease) {
    Fill(5);
    ShowForm();
    Box->DropDown();
    Take();
    TqvPopupOfficeListBox* list = Box->ListBox();
    SendMouse(list, QEvent::MouseButtonPress, {10, 2 + 30 + 10});
    EXPECT_TRUE(list->IsShown());
    SendMouse(list, QEvent::MouseMove, {10, 2 + 90 + 10});
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_TRUE(Take().empty());
    SendMouse(list, QEvent::MouseButtonRelease, {10, 2 + 90 + 10});
    EXPECT_FALSE(list->IsShown());
    EXPECT_EQ(Box->ItemIndex(), 3);
    EXPECT_EQ(Take(), (V{"click", "change", "closeup"}));
}

TEST_F(OfficeCombo, DraggingBelowAListWithABarStepsEvery25Ms) {
    Fill(10);
    Box->SetDropDownCount(4);
    Box->SetItemIndex(0);
    ShowForm();
    const QPoint on = Box->FaceButton().R.ToQRect().center();
    SendMoveNoButton(Box, on);
    SendMouse(Box, QEvent::MouseButtonPress, on);
    TqvPopupOfficeListBox* list = Box->ListBox();
    ASSERT_NE(list->ScrollBar(), nullptr);
    SendMouse(Box, QEvent::MouseMove, Box->mapFromGlobal(list->mapToGlobal(QPoint(10, 20))));
    SendMouse(Box, QEvent::MouseMove, Box->mapFromGlobal(list->mapToGlobal(QPoint(10, list->Height() + 20))));
    EXPECT_EQ(Box->DragTimerMode(), 2);
    const int from = list->ItemIndex();
    Ticks->Advance(24);
    EXPECT_EQ(list->ItemIndex(), from);
    Ticks->Advance(1);
    EXPECT_EQ(list->ItemIndex(), from + 1);
    Ticks->Advance(25 * 20);
    EXPECT_EQ(list->ItemIndex(), 9);
    SendMouse(Box, QEvent::MouseMove, Box->mapFromGlobal(list->mapToGlobal(QPoint(10, 20))));
    EXPECT_EQ(Box->DragTimerMode(), 0);
    SendMouse(Box, QEvent::MouseButtonRelease, Box->mapFromGlobal(list->mapToGlobal(QPoint(10, 20))));
}

TEST_F(OfficeCombo, TheFadeRisesByFifteenthsOnTheTickSource) {
    SetLayeredWindowsAvailableForTests(true);
    Fill(3);
    ShowForm();
    Box->SetAlphaBlend(true);
    Box->SetAlphaBlendAnimation(true);
    Box->SetAlphaBlendValue(200);
    std::vector<int> steps;
    Box->ListBox()->Window()->OnFadeStep = [&](int a) { steps.push_back(a); };
    Box->DropDown();
    EXPECT_EQ(QApplication::activeWindow(), Form);
    for (int i = 0; i < 20; ++i) Ticks->Advance(6);
    std::vector<int> expected;
    for (int a = 13; a <= 195; a += 13) expected.push_back(a);
    expected.push_back(200);
    EXPECT_EQ(steps, expected);
    Box->CloseUp(false);
    steps.clear();
    Box->DropDown();  // every show fades again
    EXPECT_EQ(steps, (std::vector<int>{13}));
    Box->CloseUp(false);
    SetLayeredWindowsAvailableForTests(false, true);
}

// The arrow mark's black pixels in the right strip of the face.
QRect MarkBox(const QImage& img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = img.width() - 15; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == 0) r |= QRect(x, y, 1, 1);
    return r;
}

TEST_F(OfficeCombo, ToolButtonLooksAndTheOpenStateTwoPixelsLower) {
    Fill(3);
    Box->SetItemIndex(0);
    Box->SetToolButtonStyle(true);
    ShowForm();
    Box->clearFocus();
    const QImage closed = Box->BuildImage();
    const TRect closedText = Box->LastTextRect();
    Box->DropDown();
    const QImage open = Box->BuildImage();
    const TRect openText = Box->LastTextRect();
    Box->CloseUp(false);
    ASSERT_FALSE(MarkBox(closed).isEmpty());
    EXPECT_EQ(MarkBox(open).topLeft(), MarkBox(closed).topLeft() + QPoint(2, 2));
    EXPECT_EQ(openText.Left, closedText.Left + 2);
    EXPECT_EQ(openText.Top, closedText.Top + 2);
    EXPECT_EQ(Px(closed, 1, 1), qRgb(0xF0, 0xF0, 0xF0));  // clBtnFace
    EXPECT_EQ(Px(open, 1, 1), qRgb(133, 147, 181));

    // Skinned: "resizetoolbutton", else "resizebutton".
    for (const char* name : {"resizetoolbutton", "resizebutton"}) {
        SCOPED_TRACE(name);
        TTestSkin skin(QStringList{"combobox"}, QStringList{});
        skin.AddControl(QLatin1String(name), QStringLiteral("button")).FlatColours();
        skin.LoadInto(*Model);
        Box->SetSkinData(Model);
        EXPECT_EQ(Px(Box->BuildImage(), 60, 20), skin.FlatColour(QLatin1String(name), QStringLiteral("skinrect")));
        Box->DropDown();
        EXPECT_EQ(Px(Box->BuildImage(), 60, 20), skin.FlatColour(QLatin1String(name), QStringLiteral("downskinrect")));
        Box->CloseUp(false);
    }
}

}  // namespace
