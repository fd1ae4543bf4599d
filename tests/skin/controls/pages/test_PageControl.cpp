// The platform's page control alone: tab layout on four sides, sizes from
// TabWidth or the caption and images, scrolling and rows, the display area
// and the sheets over it, selection by a click.
#include "platform/PageControl.h"
#include "tests/skin/controls/ControlTestSupport.h"

#include <QFontMetrics>

namespace {

struct PageControlTest : SkinControlTest {
    TPageControl* PC = nullptr;
    QList<TTabSheet*> Sheets;

    void Build(int n, int w = 625, int h = 300) {
        PC = Make<TPageControl>();
        PC->SetBounds(0, 0, w, h);
        for (int i = 0; i < n; ++i) {
            auto* s = new TTabSheet(Form);
            s->SetCaption(QStringLiteral("Page %1").arg(i));
            s->SetPageControl(PC);
            Sheets << s;
        }
    }
};

}  // namespace

TEST_F(PageControlTest, TabsAndDisplayAreaOnEachSide) {
    Build(4);
    PC->SetTabWidth(80);
    PC->SetTabHeight(20);
    struct Row {
        const char* Case;
        TTabPosition Position;
        TRect Tab1, Display;
    };
    const Row rows[] = {
        {"top", tpTop, Rect(82, 2, 162, 22), Rect(4, 24, 621, 296)},
        {"bottom", tpBottom, Rect(82, 278, 162, 298), Rect(4, 4, 621, 276)},
        {"left", tpLeft, Rect(2, 82, 22, 162), Rect(24, 4, 621, 296)},
        {"right", tpRight, Rect(603, 82, 623, 162), Rect(4, 4, 601, 296)},
    };
    for (const Row& r : rows) {
        PC->SetTabPosition(r.Position);
        EXPECT_EQ(PC->TabRect(1), r.Tab1) << r.Case;
        EXPECT_EQ(PC->DisplayRect(), r.Display) << r.Case;
        EXPECT_EQ(TRect::FromQRect(PC->ActivePage()->geometry()), r.Display) << r.Case;
    }
}

TEST_F(PageControlTest, TabSizeFromTheCaptionAndTheImageRoom) {
    Build(2);
    Sheets[1]->SetCaption(QStringLiteral("A much longer caption"));
    const QFontMetrics fm(PC->Font().ToQFont());
    EXPECT_EQ(PC->TabRect(0).Width(), fm.horizontalAdvance(QStringLiteral("Page 0")) + 12);
    EXPECT_EQ(PC->TabRect(1).Left, PC->TabRect(0).Right);
    EXPECT_GT(PC->TabRect(1).Width(), PC->TabRect(0).Width());
    EXPECT_EQ(PC->TabRect(0).Height(), fm.height() + 6);
    const int before = PC->TabRect(0).Width();
    TCustomImageList images(Form);
    images.SetSize(16, 12);
    PC->SetImages(&images);
    EXPECT_EQ(PC->TabRect(0).Width(), before + 16);
    PC->SetTabPosition(tpLeft);
    EXPECT_EQ(PC->TabRect(0).Height(), before + 12) << "on the side the image's height is the room";
}

TEST_F(PageControlTest, ClickSelectsUnlessRefusedAndOnlyTheActiveSheetShows) {
    Build(3);
    PC->SetTabWidth(80);
    int changes = 0;
    bool allow = true;
    PC->OnChange = [&](QObject*) { ++changes; };
    PC->OnChanging = [&](QObject*, bool& a) { a = allow; };
    ASSERT_EQ(PC->ActivePage(), Sheets[0]);
    SendMouse(PC, QEvent::MouseButtonPress, {170, 10});
    SendMouse(PC, QEvent::MouseButtonRelease, {170, 10});
    EXPECT_EQ(PC->ActivePage(), Sheets[2]);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(Sheets[2]->Visible());
    EXPECT_FALSE(Sheets[0]->Visible());
    allow = false;
    SendMouse(PC, QEvent::MouseButtonPress, {10, 10});
    EXPECT_EQ(PC->ActivePage(), Sheets[2]);
    EXPECT_EQ(changes, 1);
    allow = true;
    SendMouse(PC, QEvent::MouseButtonPress, {400, 10});  // beyond the tabs
    EXPECT_EQ(PC->ActivePage(), Sheets[2]);
}

TEST_F(PageControlTest, OneRowScrollsFromTheFirstVisibleTabAndMultiLineWraps) {
    Build(4, 200, 150);
    PC->SetTabWidth(80);
    PC->SetTabHeight(20);
    PC->SetFirstVisibleTab(1);
    EXPECT_EQ(PC->TabRect(0).Right, 2);
    EXPECT_EQ(PC->TabRect(1).Left, 2);
    EXPECT_EQ(PC->IndexOfTabAt(10, 10), 1);
    PC->SetMultiLine(true);
    EXPECT_EQ(PC->FirstVisibleTab(), 0);
    EXPECT_EQ(PC->RowCount(), 2);
    EXPECT_EQ(PC->TabRect(2), Rect(2, 22, 82, 42));
    EXPECT_EQ(PC->DisplayRect().Top, 2 * 20 + 2 + 2);
}

TEST_F(PageControlTest, HiddenOrFreedActivePageHandsOverToTheNextVisible) {
    Build(4);
    PC->SetActivePage(Sheets[1]);
    Sheets[2]->SetTabVisible(false);
    EXPECT_EQ(Sheets[3]->TabIndex(), 2);
    EXPECT_EQ(PC->VisibleTabCount(), 3);
    Sheets[1]->SetTabVisible(false);
    EXPECT_EQ(PC->ActivePage(), Sheets[3]);
    delete Sheets[3];
    EXPECT_EQ(PC->ActivePage(), Sheets[0]);
    EXPECT_EQ(PC->PageCount(), 3);
    EXPECT_EQ(PC->FindNextPage(Sheets[0], true, true), nullptr) << "no other visible tab";
}
