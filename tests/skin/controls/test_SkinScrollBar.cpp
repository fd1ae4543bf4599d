#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/bars/SkinScrollBar.h"

#include <QApplication>

namespace {

struct ScrollBarTest : SkinControlTest {
    TqvSkinScrollBar* Bar = nullptr;
    int Changes = 0;
    void SetUp() override {
        SkinControlTest::SetUp();
        Bar = Make<TqvSkinScrollBar>();
        Bar->OnChange = [this](QObject*) { ++Changes; };
    }
    int ThumbLeft() {
        Bar->CalcRects();
        return Bar->PartRect(0).Left;
    }
};

TEST_F(ScrollBarTest, ThumbPlacesAndClamps) {
    EXPECT_EQ(Bar->size(), QSize(200, 19));
    Bar->CalcRects();
    EXPECT_EQ(Bar->PartRect(0), Rect(17, 1, 33, 18));
    Bar->SetPosition(100);
    Bar->CalcRects();
    EXPECT_EQ(Bar->PartRect(0), Rect(167, 1, 183, 18));

    Bar->SetRange(0, 99, 0, 10);
    Bar->CalcRects();
    EXPECT_EQ(Bar->PartRect(0).Width(), 16);  // 17 computed, drawn as 2 x (17 div 2)
    Bar->SetPosition(500);
    EXPECT_EQ(Bar->Position(), 90);
    Bar->SetPosition(-3);
    EXPECT_EQ(Bar->Position(), 0);

    Changes = 0;
    Bar->SetRange(0, 50, 80, 0);
    EXPECT_EQ(Bar->Position(), 50);
    Bar->SetPosition(50);
    EXPECT_EQ(Changes, 0);
}

TEST_F(ScrollBarTest, PageSizeIsCountedFromMin) {
    struct Row {
        int Min, Max, Pos, Page;
        bool Taken;
    };
    for (Row r : {Row{5, 20, 15, 6, true}, Row{5, 20, 15, 7, false}, Row{0, 20, 15, 6, true}, Row{0, 20, 15, 7, false}}) {
        Bar->SetRange(r.Min, r.Max, r.Pos, 0);
        Bar->SetPageSize(r.Page);
        EXPECT_EQ(Bar->PageSize(), r.Taken ? r.Page : 0) << r.Min << " " << r.Page;
    }
}

TEST_F(ScrollBarTest, DraggingTheThumbWithAndWithoutAPage) {
    struct Row {
        int Page, DragTo, Want;
    };
    // Thumb at 0; the track is 17..183 (166 long).
    for (Row r : {Row{0, 25 + 75, 50}, Row{0, 25 + 400, 100}, Row{0, 25 - 50, 0}, Row{10, 25 + 75, 45}}) {
        Bar->SetRange(0, r.Page ? 99 : 100, 0, r.Page);
        int last = 0;
        Bar->OnLastChange = [&](QObject*) { ++last; };
        SendMouse(Bar, QEvent::MouseButtonPress, {25, 9});
        SendMouse(Bar, QEvent::MouseMove, {r.DragTo, 9});
        EXPECT_EQ(Bar->Position(), r.Want) << r.Page << " " << r.DragTo;
        SendMouse(Bar, QEvent::MouseButtonRelease, {r.DragTo, 9});
        EXPECT_EQ(last, 1);
    }
}

TEST_F(ScrollBarTest, ArrowRepeatPausesOffTheButtonAndResumesOnIt) {
    SendMouse(Bar, QEvent::MouseButtonPress, {190, 9});  // the up button at the right end
    EXPECT_EQ(Bar->Position(), 1);
    Ticks->Advance(549);
    EXPECT_EQ(Bar->Position(), 1);
    Ticks->Advance(1);
    EXPECT_EQ(Bar->Position(), 2);
    Ticks->Advance(100);
    EXPECT_EQ(Bar->Position(), 4);
    SendMouse(Bar, QEvent::MouseMove, {100, 9});
    Ticks->Advance(200);
    EXPECT_EQ(Bar->Position(), 4);
    SendMouse(Bar, QEvent::MouseMove, {190, 9});
    Ticks->Advance(50);
    EXPECT_EQ(Bar->Position(), 5);
    SendMouse(Bar, QEvent::MouseButtonRelease, {190, 9});
    Ticks->Advance(500);
    EXPECT_EQ(Bar->Position(), 5);

    int ups = 0;
    Bar->OnUpButtonClick = [&](QObject*) { ++ups; };
    SendMouse(Bar, QEvent::MouseButtonPress, {190, 9});
    Ticks->Advance(600);
    SendMouse(Bar, QEvent::MouseButtonRelease, {190, 9});
    EXPECT_EQ(ups, 3);
    EXPECT_EQ(Bar->Position(), 5);
}

TEST_F(ScrollBarTest, PagingRepeatsUntilTheThumbReachesThePointer) {
    Bar->SetLargeChange(10);
    int pages = 0;
    Bar->OnPageDown = [&](QObject*) { ++pages; };
    SendMouse(Bar, QEvent::MouseButtonPress, {120, 9});
    EXPECT_EQ(Bar->Position(), 10);
    SendLeave(Bar);  // leaving does not stop it
    Ticks->Advance(2000);
    EXPECT_EQ(Bar->TimerMode(), 0);
    EXPECT_GE(ThumbLeft() + 16, 120);
    EXPECT_LE(ThumbLeft(), 120 + 16);
    EXPECT_EQ(pages, Bar->Position() / 10);
    SendMouse(Bar, QEvent::MouseButtonRelease, {120, 9});
}

TEST_F(ScrollBarTest, RightClickAndKeysWithoutFocusChangeNothing) {
    int downs = 0;
    Bar->OnMouseDown = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++downs; };
    SendMouse(Bar, QEvent::MouseButtonPress, {190, 9}, Qt::RightButton);
    SendMouse(Bar, QEvent::MouseButtonRelease, {190, 9}, Qt::RightButton);
    EXPECT_EQ(downs, 1);
    Form->Show();
    QApplication::setActiveWindow(Form);
    EXPECT_FALSE(Bar->CanFocus());
    SendKey(Bar, QEvent::KeyPress, Qt::Key_Right);
    EXPECT_EQ(Bar->Position(), 0);

    Bar->SetCanFocused(true);
    SendMouse(Bar, QEvent::MouseButtonPress, {100, 9}, Qt::RightButton);
    Bar->SetFocus();
    ASSERT_TRUE(Bar->Focused());
    SendKey(Bar, QEvent::KeyPress, Qt::Key_Right);
    SendKey(Bar, QEvent::KeyPress, Qt::Key_Down);
    EXPECT_EQ(Bar->Position(), 2);
    QWheelEvent wheel(QPointF(50, 9), Bar->mapToGlobal(QPointF(50, 9)), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(Bar, &wheel);
    EXPECT_EQ(Bar->Position(), 1);
    EXPECT_EQ(Changes, 3);
}

TEST_F(ScrollBarTest, BothLeavesTheCornerPlain) {
    Bar->SetBoth(true);
    Bar->CalcRects();
    EXPECT_EQ(Bar->PartRect(1), Rect(200 - 19 - 17, 1, 200 - 19 - 1, 18));
    const QImage img = Bar->BuildImage();
    EXPECT_EQ(Px(img, 195, 9), ColorToQColor(clBtnFace).rgb());
    EXPECT_EQ(Px(img, 200 - 19 - 17, 9), ColorToQColor(clBtnShadow).rgb());
}

TEST_F(ScrollBarTest, SkinnedPartsByState) {
    LoadSkin();
    Bar->SetSkinData(Model);
    Bar->SetBounds(0, 0, 200, 30);
    EXPECT_EQ(Bar->size(), QSize(200, 16));  // a horizontal three-slice keeps its height
    Bar->CalcRects();
    EXPECT_EQ(Bar->PartRect(1), Rect(184, 0, 200, 16));
    EXPECT_EQ(Bar->PartRect(2), Rect(0, 0, 16, 16));
    auto at = [&](int x) { return Px(Bar->BuildImage(), x, 8); };
    const QString n = QStringLiteral("hscrollbar");
    EXPECT_EQ(at(5), Flat(n, "skinrect", TTestSkin::zL));
    EXPECT_EQ(at(190), Flat(n, "skinrect", TTestSkin::zR));
    EXPECT_EQ(at(100), Flat(n, "skinrect", TTestSkin::zC));
    EXPECT_EQ(at(Bar->PartRect(0).Left + 16), Flat(n, "thumbrect"));  // thumb copied stretched, no page
    SendMoveNoButton(Bar, {190, 8});
    EXPECT_EQ(at(190), Flat(n, "activeupbuttonrect"));
    SendMouse(Bar, QEvent::MouseButtonPress, {190, 8});
    EXPECT_EQ(at(190), Flat(n, "downupbuttonrect"));
    SendMouse(Bar, QEvent::MouseButtonRelease, {190, 8});
    Bar->SetRange(0, 99, 0, 50);  // with a page the thumb is three-sliced
    Bar->CalcRects();
    const TRect t = Bar->PartRect(0);
    EXPECT_EQ(at(t.Left + 1), Flat(n, "thumbrect", TTestSkin::zL));
    EXPECT_EQ(at(t.Left + t.Width() / 2), Flat(n, "thumbrect", TTestSkin::zC));
    Bar->SetEnabled(false);
    EXPECT_EQ(at(t.Left + t.Width() / 2), Flat(n, "skinrect", TTestSkin::zC));  // no thumb
}

}  // namespace
