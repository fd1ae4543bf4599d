#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/bars/SkinToolBar.h"
#include "skin/controls/buttons/SkinMenuSpeedButton.h"
#include "skin/controls/panels/SkinPanel.h"

namespace {

struct ToolBarTest : SkinControlTest {
    TqvSkinToolBar* Bar(int w = 300, int h = 30) {
        auto* b = Make<TqvSkinToolBar>();
        b->SetBounds(0, 0, w, h);
        b->SetCanScroll(true);
        return b;
    }
    TPanel* Child(TqvSkinToolBar* bar, int left, int width) {
        auto* c = new TPanel(Form);
        c->SetParent(bar);
        c->SetBounds(left, 0, width, 20);
        return c;
    }
};

TEST_F(ToolBarTest, MainToolBarCentresItsButtonsWithoutArrows) {
    Skin.AddControl(QStringLiteral("resizetoolpanel"), QStringLiteral("panel"));
    LoadSkin();
    auto* bar = Make<TqvSkinToolBar>();
    bar->SetSkinDataName(QStringLiteral("resizetoolpanel"));
    bar->SetSkinData(Model);
    bar->SetCanScroll(true);
    bar->SetHotScroll(true);
    bar->SetScrollOffset(30);
    bar->SetBounds(0, 0, 800, 59);
    std::vector<TqvSkinMenuSpeedButton*> buttons;
    for (int i = 0; i < 5; ++i) {
        auto* b = new TqvSkinMenuSpeedButton(Form);
        b->SetParent(bar);
        b->SetUseSkinSize(false);
        b->SetBounds(10 + i * 76, 0, 74, 46);
        buttons.push_back(b);
    }
    bar->SetBounds(0, 0, 800, 59);
    const TRect R = bar->GetSkinClientRect();
    for (auto* b : buttons) EXPECT_EQ(b->Top(), R.Top + R.Height() / 2 - 23);
    EXPECT_FALSE(bar->ArrowsVisible());
    EXPECT_EQ(buttons[0]->Left(), 10);
}

TEST_F(ToolBarTest, ArrowsOnlyWhenTheContentOverflows) {
    auto* bar = Bar();
    auto* c = Child(bar, 0, 300);
    bar->UpdateScrolling();
    EXPECT_FALSE(bar->ArrowsVisible()) << "exactly as wide";
    c->SetWidth(301);
    bar->UpdateScrolling();
    EXPECT_TRUE(bar->ArrowsVisible());
    EXPECT_TRUE(bar->LeftArrow()->isVisibleTo(bar));
    EXPECT_TRUE(bar->RightArrow()->isVisibleTo(bar));
    EXPECT_EQ(c->Left(), 12) << "the content starts after the left strip";
    c->SetWidth(200);
    bar->UpdateScrolling();
    EXPECT_FALSE(bar->ArrowsVisible());
    EXPECT_EQ(c->Left(), 0);
}

TEST_F(ToolBarTest, StepsScrollByTheOffsetOrAClientWidthClampedAtTheEnd) {
    auto* bar = Bar();
    auto* c = Child(bar, 0, 1000);
    bar->UpdateScrolling();
    bar->ScrollStep(true);  // one client width (276)
    EXPECT_EQ(bar->ScrollPosition(), 276);
    EXPECT_EQ(c->Left(), 12 - 276);
    bar->ScrollStep(true);
    bar->ScrollStep(true);
    EXPECT_EQ(bar->ScrollPosition(), 1000 - 276) << "clamped at the content's end";
    bar->ScrollStep(false);
    EXPECT_EQ(bar->ScrollPosition(), 1000 - 2 * 276);
    bar->SetScrollTimerInterval(0);
    bar->SetScrollOffset(-1);
    EXPECT_EQ(bar->ScrollTimerInterval(), 50);
    EXPECT_EQ(bar->ScrollOffset(), 0);
}

TEST_F(ToolBarTest, HoldingTheRightArrowScrollsOnTheTimerThenOnceMoreAtTheRelease) {
    auto* bar = Bar();
    bar->SetScrollOffset(30);
    auto* c = Child(bar, 0, 400);
    bar->UpdateScrolling();
    QWidget* right = bar->RightArrow();
    SendMouse(right, QEvent::MouseButtonPress, {5, 5});
    Ticks->Advance(49);
    EXPECT_EQ(bar->ScrollPosition(), 0);
    Ticks->Advance(1);
    EXPECT_EQ(bar->ScrollPosition(), 30);
    Ticks->Advance(50 * 10);
    EXPECT_EQ(bar->ScrollPosition(), 400 - 276) << "stopped at the end";
    EXPECT_FALSE(bar->ScrollTimerActive());
    SendMouse(right, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(c->Left(), 12 - (400 - 276));
    // Widening the scrolled bar scrolls the content back by the growth.
    bar->SetBounds(0, 0, 340, 30);
    EXPECT_EQ(bar->ScrollPosition(), 400 - 276 - 40);
    // Hovering with HotScroll.
    bar->SetHotScroll(true);
    SendEnter(bar->LeftArrow());
    EXPECT_TRUE(bar->ScrollTimerActive());
    SendLeave(bar->LeftArrow());
    EXPECT_FALSE(bar->ScrollTimerActive());
}

TEST_F(ToolBarTest, AlignedChildrenLayOutOverTheScrolledContent) {
    // Top and bottom: 1 in from the edges without a record, else the skin's
    // client rows (the whole height for a nine-slice record without a border).
    struct Row {
        const char* Case;
        bool Skinned;
        TqvSkinBorderStyle Style;
        int Top, Bottom;
    };
    const Row rows[] = {
        {"skinless", false, bvNone, 1, 29},
        {"nine-slice without border", true, bvNone, 0, 30},
        {"nine-slice with border", true, bvFrame, 8, 26},
    };
    Skin.AddControl(QStringLiteral("toolpanel"), QStringLiteral("panel"));
    LoadSkin();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Case);
        auto* bar = Bar();
        if (r.Skinned) bar->SetSkinData(Model);
        bar->SetBorderStyle(r.Style);
        auto* aligned = new TPanel(Form);
        aligned->SetParent(bar);
        aligned->SetWidth(40);
        aligned->SetAlign(alLeft);
        Child(bar, 100, 600);
        bar->UpdateScrolling();
        ASSERT_TRUE(bar->ArrowsVisible());
        bar->ScrollStep(true);
        ASSERT_EQ(bar->ScrollPosition(), 276);
        TRect area = Rect(0, 0, 300, 30);
        bar->AdjustClientRect(area);
        EXPECT_EQ(area, Rect(12 - 276, r.Top, 12 - 276 + 699, r.Bottom)) << "as wide as the content";
        bar->Realign();
        EXPECT_EQ(aligned->BoundsRect(), Rect(12 - 276, r.Top, 12 - 276 + 40, r.Bottom));
        bar->ScrollStep(false);
        bar->Realign();
        EXPECT_EQ(aligned->Left(), 12) << "back at the start, after the left strip";
        delete bar;
    }
}

TEST_F(ToolBarTest, OwnCentringMovesOnlyPlainControlsAndListsReachTheButtons) {
    auto* bar = Bar(300, 40);
    bar->SetCanScroll(false);
    auto* plain = Child(bar, 10, 50);
    auto* speed = new TqvSkinSpeedButton(Form);
    speed->SetParent(bar);
    speed->SetBounds(100, 3, 25, 25);
    bar->SetBounds(0, 0, 300, 40);
    const TRect R = bar->GetSkinClientRect();
    EXPECT_EQ(plain->Top(), R.Top + R.Height() / 2 - 10);
    EXPECT_EQ(speed->Top(), R.Top + R.Height() / 2 - 12) << "skinned children centre themselves";
    bar->SetFlat(true);
    EXPECT_TRUE(speed->Flat());
    TImageList images;
    bar->SetImages(&images);
    EXPECT_EQ(static_cast<TqvToolBarLists*>(bar)->BarImages(), &images);
    // The skinless arrow look.
    bar->SetCanScroll(true);
    Child(bar, 0, 900);
    bar->UpdateScrolling();
    const QImage a = bar->RightArrow()->BuildImage();
    EXPECT_EQ(Px(a, 0, 0), ColorToQColor(clBtnShadow).rgb());
    EXPECT_EQ(Px(a, 1, 2), ColorToQColor(clBtnFace).rgb());
}

}  // namespace

namespace {

// The scroll arrows: "resizebutton" pictures by state when the skin has a
// usable one, else the plain look, also under a skin whose record names a
// picture that is not there.
TEST_F(ToolBarTest, ArrowsDrawTheResizeButtonElseThePlainLook) {
    using Z = TTestSkin::TZone;
    Skin.AddControl(QStringLiteral("resizebutton"), QStringLiteral("button"));
    struct Row {
        const char* Case;
        bool Skinned;
        const char* PictureIndex;  // of "resizebutton"; null: as the test skin has it
    };
    for (const Row& r : {Row{"skinless", false, nullptr}, Row{"skinned", true, nullptr},
                         Row{"picture missing", true, "9"}}) {
        SCOPED_TRACE(r.Case);
        if (r.PictureIndex) Skin.Set(QStringLiteral("resizebutton"), QStringLiteral("pictureindex"), QLatin1String(r.PictureIndex));
        auto* bar = Bar();
        if (r.Skinned) {
            LoadSkin();
            bar->SetSkinDataName(QStringLiteral("panel"));
            bar->SetSkinData(Model);
        }
        Child(bar, 0, 400);
        bar->UpdateScrolling();
        ASSERT_TRUE(bar->ArrowsVisible());
        QWidget* right = bar->RightArrow();
        const bool pictures = r.Skinned && !r.PictureIndex;
        const QImage normal = bar->RightArrow()->BuildImage();
        SendEnter(right);
        const QImage hot = bar->RightArrow()->BuildImage();
        SendLeave(right);
        if (pictures) {
            EXPECT_EQ(Px(normal, 0, 0), Flat("resizebutton", "skinrect", Z::zTL));
            EXPECT_EQ(Px(hot, 0, 0), Flat("resizebutton", "activeskinrect", Z::zTL));
        } else {
            EXPECT_EQ(Px(normal, 0, 0), ColorToQColor(clBtnShadow).rgb());
            EXPECT_EQ(Px(normal, 1, 1), ColorToQColor(clBtnFace).rgb());
            EXPECT_EQ(Px(hot, 0, 0), ColorToQColor(clNavy).rgb());
            EXPECT_EQ(Px(hot, 1, 1), qRgb(0xB6, 0xBD, 0xD2));
        }
        delete bar;
    }
}

}  // namespace
