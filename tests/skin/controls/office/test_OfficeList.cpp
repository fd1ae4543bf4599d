// The office list: pixel scrolling with its own bar, the header kept in view,
// the row scrolled up from below, the find steps over headers and disabled
// rows, marking and choosing with the mouse, the wheel, and the list-index
// error stopping at the guard.
#include "tests/skin/controls/ControlTestSupport.h"

#include "platform/Classes.h"
#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/office/SkinOfficeListBox.h"

#include <QApplication>
#include <QWheelEvent>

namespace {

struct OfficeList : SkinControlTest {
    TqvSkinOfficeListBox* List = nullptr;
    void SetUp() override {
        SkinControlTest::SetUp();
        List = Make<TqvSkinOfficeListBox>();
        List->SetBounds(10, 10, 150, 150);
    }
    // Rows from a pattern: 'h' header, 'd' disabled, anything else a row.
    void Fill(const std::string& rows) {
        List->Items().BeginUpdate();
        List->Items().Clear();
        for (char c : rows) {
            TqvSkinOfficeItem* it = List->Items().Add();
            it->SetCaption(QStringLiteral("row"));
            if (c == 'h') it->SetHeader(true);
            if (c == 'd') it->SetEnabled(false);
        }
        List->Items().EndUpdate();
    }
};

TEST_F(OfficeList, TenRowsOverflowGiveABarWhichGoesWhenTheyFit) {
    Fill("rrrrrrrrrr");
    ASSERT_NE(List->ScrollBar(), nullptr);
    EXPECT_EQ(List->ScrollBar()->Min(), 0);
    EXPECT_EQ(List->ScrollBar()->Max(), 300);
    EXPECT_EQ(List->ScrollBar()->PageSize(), 146);
    EXPECT_EQ(List->ScrollBar()->LargeChange(), 146);
    List->CalcItemRects();
    EXPECT_EQ(List->Items()[0]->ItemRect.Right, 148 - List->ScrollBar()->Width());
    while (List->Items().Count() > 4) List->Items().Delete(List->Items().Count() - 1);
    EXPECT_EQ(List->ScrollBar(), nullptr);
    List->CalcItemRects();
    EXPECT_EQ(List->Items()[0]->ItemRect, Rect(2, 2, 148, 32));
}

TEST_F(OfficeList, RowOneUnderAHeaderKeepsTheHeaderInView) {
    Fill("hrrrrrrrrr");
    List->SetItemIndex(9);
    EXPECT_GT(List->ScrollOffset(), 0);
    List->SetItemIndex(1);
    EXPECT_EQ(List->ScrollOffset(), 0);
    List->SetItemIndex(2);
    List->SetItemIndex(9);
    List->SetItemIndex(2);  // no header above: the row goes to the top
    EXPECT_EQ(List->Items()[2]->ItemRect.Top, List->ItemsRect().Top);
}

TEST_F(OfficeList, ARowScrolledUpFromBelowEndsOnePixelAboveTheAreaBottom) {
    Fill("rrrrrrrrrr");
    List->SetItemIndex(7);
    EXPECT_EQ(List->Items()[7]->ItemRect.Bottom, List->ItemsRect().Bottom - 1);
    // The flat skin's list border is 8 at the top and 4 at the bottom.
    LoadSkin();
    List->SetSkinData(Model);
    List->SetItemIndex(0);
    List->SetItemIndex(8);
    EXPECT_EQ(List->ItemsRect().Top, 8);
    EXPECT_EQ(List->ItemsRect().Bottom, List->Height() - 4);
    EXPECT_EQ(List->Items()[8]->ItemRect.Bottom, List->ItemsRect().Bottom - 1);
}

TEST_F(OfficeList, FindStepsSkipHeadersAndDisabledRows) {
    // 0 h, 1 r, 2 d, 3 r, 4 h, 5 r, 6 r, 7 r, 8 h, 9 r, 10 r
    Fill("hrdrhrrrhrr");
    struct Case {
        const char* name;
        int from;
        void (TqvSkinOfficeListBox::*step)();
        int expected;
    } cases[] = {
        {"up from 1 (header above)", 1, &TqvSkinOfficeListBox::FindUp, 1},
        {"up over a disabled row", 3, &TqvSkinOfficeListBox::FindUp, 1},
        {"up over a header", 5, &TqvSkinOfficeListBox::FindUp, 3},
        {"down over a disabled row", 1, &TqvSkinOfficeListBox::FindDown, 3},
        {"down from none", -1, &TqvSkinOfficeListBox::FindDown, 1},
        {"down at the last row", 10, &TqvSkinOfficeListBox::FindDown, 10},
        {"page down crosses a header", 3, &TqvSkinOfficeListBox::FindPageDown, 5},
        {"page down within a group", 5, &TqvSkinOfficeListBox::FindPageDown, 9},
        {"page up crosses a header", 9, &TqvSkinOfficeListBox::FindPageUp, 7},
        {"page up to the first row", 3, &TqvSkinOfficeListBox::FindPageUp, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        List->SetItemIndex(c.from);
        TqvSkinOfficeListBox* list = List;  // GCC's null check misreads List->*step as a null fixture
        (list->*c.step)();
        EXPECT_EQ(List->ItemIndex(), c.expected);
    }
}

TEST_F(OfficeList, MovesMarkWithoutEventsAndTheReleaseChooses) {
    Fill("hrrr");
    List->SetMouseMoveChangeIndex(true);
    std::vector<std::string> log;
    for (int i = 0; i < List->Items().Count(); ++i)
        List->Items()[i]->OnClick = [&log, i](QObject*) { log.push_back("item" + std::to_string(i)); };
    List->OnItemClick = [&log](QObject*) { log.push_back("list"); };
    SendMoveNoButton(List, {20, 2 + 20 + 30 + 5});  // row 2
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_TRUE(List->Items()[2]->Active);
    EXPECT_TRUE(log.empty());
    SendMouse(List, QEvent::MouseButtonPress, {20, 10});  // the header: nothing
    SendMouse(List, QEvent::MouseButtonRelease, {20, 10});
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_TRUE(log.empty());
    SendMoveNoButton(List, {20, 2 + 20 + 5});  // row 1
    SendMouse(List, QEvent::MouseButtonRelease, {20, 2 + 20 + 5});
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"item1", "list"}));
    List->SetItemIndex(1);  // the same index announces again
    EXPECT_EQ(log.size(), 4u);
    List->SetItemIndex(-1);
    EXPECT_FALSE(List->Items()[1]->Active);
}

TEST_F(OfficeList, AWheelNotchMovesOneItemHeightClamped) {
    Fill("rrrrrrrrrr");
    auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(20, 20), List->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(List, &e);
    };
    wheel(-120);
    EXPECT_EQ(List->ScrollOffset(), 30);
    wheel(120);
    wheel(120);
    EXPECT_EQ(List->ScrollOffset(), 0);
    for (int i = 0; i < 10; ++i) wheel(-120);
    EXPECT_EQ(List->ScrollOffset(), List->ScrollBar()->Max() - List->ScrollBar()->PageSize() + 1);
}

TEST_F(OfficeList, EmptyAndZeroSizedListsDrawWithoutRows) {
    List->SetBounds(10, 10, 0, 0);
    EXPECT_TRUE(List->BuildImage().isNull());
    Fill("rr");
    List->SetBounds(10, 10, 4, 4);
    EXPECT_EQ(List->BuildImage().size(), QSize(4, 4));
}

class TRecordingPrompt : public TPrompt {
public:
    std::vector<QString> Texts;
    int MessageBox(const QString& text, const QString&, unsigned) override {
        Texts.push_back(text);
        return 1;
    }
};

TEST_F(OfficeList, AnIndexAtTheCountRaisesTheListErrorAndTheChainStopsAtTheGuard) {
    auto prompt = std::make_shared<TRecordingPrompt>();
    Application()->SetPrompt(prompt);
    auto* box = Make<TqvSkinOfficeComboBox>();
    for (int i = 0; i < 3; ++i) box->Items().Add()->SetCaption(QStringLiteral("p"));
    int clicks = 0;
    bool after = false;
    box->OnClick = [&](QObject*) { ++clicks; };
    box->OnKeyDown = [&](QObject*, int&, Qt::KeyboardModifiers) {
        box->SetItemIndex(box->Items().Count());
        after = true;
    };
    SendKey(box, QEvent::KeyPress, Qt::Key_A);
    Application()->SetPrompt(nullptr);
    EXPECT_FALSE(after);
    EXPECT_EQ(clicks, 0);
    ASSERT_EQ(prompt->Texts.size(), 1u);
    EXPECT_EQ(prompt->Texts[0], QStringLiteral("List index out of bounds (3)"));
    EXPECT_EQ(box->OldItemIndex(), -1);
    EXPECT_THROW(box->Items()[3], EStringListError);
}

}  // namespace
