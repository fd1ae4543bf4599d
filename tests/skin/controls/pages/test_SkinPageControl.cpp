// Skinned page control, layout and interaction: the display area per tab
// position with and without the skin, centred tabs placed shifted and hit
// where drawn, the close size in the image room, the scroller, the wheel,
// close buttons that need press and release on the same button, hiding the
// tabs and the border.
#include "platform/ExtCtrls.h"
#include "skin/controls/pages/SkinPageControl.h"
#include "skin/controls/updown/SkinUpDown.h"
#include "tests/skin/controls/ControlTestSupport.h"

#include <QApplication>
#include <QWheelEvent>

namespace {

struct SkinPageTest : SkinControlTest {
    TqvSkinPageControl* PC = nullptr;
    QList<QPointer<TqvSkinTabSheet>> Sheets;

    SkinPageTest() { Skin.Set("tab", "tabrect", "0,0,60,20"); }
    void Build(int n, int w, int h, bool skinned = false) {
        if (skinned) LoadSkin();
        PC = Make<TqvSkinPageControl>();
        if (skinned) PC->SetSkinData(Model);
        PC->SetBounds(0, 0, w, h);
        for (int i = 0; i < n; ++i) {
            auto* s = new TqvSkinTabSheet(Form);
            s->SetCaption(QStringLiteral("Page %1").arg(i));
            s->SetPageControl(PC);
            Sheets << s;
        }
        PC->SetTabWidth(80);
        PC->SetTabHeight(20);
    }
    void Wheel(int dy) {
        QWheelEvent e(QPointF(10, 10), PC->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, dy), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(PC, &e);
    }
};

}  // namespace

TEST_F(SkinPageTest, DisplayAreaPerTabPositionWithAndWithoutSkin) {
    struct Row {
        const char* Case;
        bool Skinned;
        TTabPosition Position;
        TRect Display;
    };
    // 300 x 200, tabs 20 high: the laid-out area is moved by the frame (1 pixel,
    // or the skin's 4, 8, 4, 4 border) and over the tab edge.
    const Row rows[] = {
        {"top", false, tpTop, Rect(1, 19, 299, 199)},      {"top skinned", true, tpTop, Rect(4, 26, 296, 196)},
        {"bottom", false, tpBottom, Rect(1, 1, 299, 179)}, {"bottom skinned", true, tpBottom, Rect(4, 8, 296, 176)},
        {"left", false, tpLeft, Rect(21, -1, 299, 199)},   {"left skinned", true, tpLeft, Rect(24, 8, 296, 196)},
        {"right", false, tpRight, Rect(1, -1, 279, 199)},  {"right skinned", true, tpRight, Rect(4, 8, 276, 196)},
    };
    LoadSkin();
    for (const Row& r : rows) {
        auto* pc = Make<TqvSkinPageControl>();
        if (r.Skinned) pc->SetSkinData(Model);
        pc->SetBounds(0, 0, 300, 200);
        auto* s = new TqvSkinTabSheet(Form);
        s->SetPageControl(pc);
        pc->SetTabWidth(80);
        pc->SetTabHeight(20);
        pc->SetTabPosition(r.Position);
        EXPECT_EQ(pc->DisplayRect(), r.Display) << r.Case;
        EXPECT_EQ(TRect::FromQRect(s->geometry()), r.Display) << r.Case;
        delete pc;
    }
}

TEST_F(SkinPageTest, HidingTheTabsAndTheBorder) {
    Build(2, 300, 200);
    PC->SetTabPosition(tpLeft);
    PC->SetMultiLine(true);
    PC->HideTabs();
    EXPECT_EQ(PC->TabPosition(), tpTop);
    EXPECT_FALSE(PC->MultiLine());
    EXPECT_EQ(PC->TabHeight(), 1);
    EXPECT_EQ(PC->DisplayRect(), Rect(1, -1, 299, 199));  // a 1-pixel strip, one more up
    PC->ShowTabs();
    EXPECT_EQ(PC->TabPosition(), tpLeft);
    EXPECT_TRUE(PC->MultiLine());
    EXPECT_EQ(PC->TabHeight(), 20);
    PC->ShowTabs();  // only after HideTabs
    EXPECT_EQ(PC->TabHeight(), 20);
    PC->HideBorderAndTabs();
    EXPECT_EQ(PC->DisplayRect(), Rect(0, -2, 300, 200));
    PC->ShowBorderAndTabs();
    EXPECT_FALSE(PC->TabsHidden());
    EXPECT_EQ(PC->DisplayRect(), Rect(1, 19, 299, 199));
}

TEST_F(SkinPageTest, CentredTabsArePlacedShiftedAndClickedWhereDrawn) {
    Build(4, 625, 300);
    PC->SetTabWidth(0);
    PC->SetTabsInCenter(true);
    EXPECT_FALSE(PC->TabsInCenter()) << "refused while TabWidth is 0";
    PC->SetTabWidth(80);
    PC->SetTabPosition(tpBottom);
    PC->SetMultiLine(true);
    PC->SetTabsInCenter(true);
    EXPECT_TRUE(PC->TabsInCenter());
    EXPECT_EQ(PC->TabPosition(), tpTop);
    EXPECT_FALSE(PC->MultiLine());
    EXPECT_TRUE(PC->TabsBGTransparent());
    EXPECT_EQ(PC->GetTabsShift(), 312 - 160);
    EXPECT_EQ(PC->TabRect(0), Rect(153, 0, 232, 20));
    EXPECT_EQ(PC->TabRect(1), Rect(232, 0, 312, 20));
    int changes = 0;
    PC->OnChange = [&](QObject*) { ++changes; };
    SendMouse(PC, QEvent::MouseButtonPress, {240, 10});
    SendMouse(PC, QEvent::MouseButtonRelease, {240, 10});
    EXPECT_EQ(PC->ActivePage(), Sheets[1].data());
    EXPECT_EQ(changes, 1);
    SendMouse(PC, QEvent::MouseButtonPress, {100, 10});  // where an unshifted tab would be
    EXPECT_EQ(PC->ActivePage(), Sheets[1].data());
}

TEST_F(SkinPageTest, CloseButtonsWidenTheImageRoomBy14WithoutASkinCloseRect) {
    Build(2, 400, 200, true);
    PC->SetTabWidth(0);
    const int before = PC->TabRect(1).Width();
    PC->SetShowCloseButtons(true);
    EXPECT_EQ(PC->CloseSize(), 14);
    EXPECT_EQ(PC->TabRect(1).Width(), before + 14);
}

TEST_F(SkinPageTest, ScrollerComesWhenTheLastTabIsCutAndGoesWhenWidened) {
    Build(4, 200, 150);
    ASSERT_NE(PC->Scroller(), nullptr);
    EXPECT_EQ(PC->GetHiddenTabCount(), 2);
    EXPECT_EQ(PC->Scroller()->Max(), 2);
    EXPECT_EQ(PC->Scroller()->Position(), 0);
    EXPECT_EQ(TRect::FromQRect(PC->Scroller()->geometry()), Rect(160, 0, 200, 20));
    PC->Scroller()->SetPosition(1);
    EXPECT_EQ(PC->FirstVisibleTab(), 1);
    EXPECT_EQ(PC->TabRect(1).Left, 0);
    PC->SetBounds(0, 0, 400, 150);
    PC->SetFirstVisibleTab(0);
    PC->UpdateScroller();
    EXPECT_EQ(PC->Scroller(), nullptr);
    PC->SetTabPosition(tpBottom);
    PC->SetBounds(0, 0, 200, 150);
    ASSERT_NE(PC->Scroller(), nullptr);
    EXPECT_EQ(PC->Scroller()->Top(), 130) << "at the bottom for bottom tabs";
    // Side tabs are measured down the side: four 80-px tabs fit 400 high.
    PC->SetTabPosition(tpRight);
    PC->SetBounds(0, 0, 200, 400);
    EXPECT_EQ(PC->GetHiddenTabCount(), 0);
    EXPECT_EQ(PC->Scroller(), nullptr);
    PC->SetBounds(0, 0, 200, 300);
    EXPECT_EQ(PC->GetHiddenTabCount(), 1);
}

TEST_F(SkinPageTest, WheelPagesThroughVisibleTabsWithoutWrapping) {
    Build(4, 625, 200);
    Sheets[2]->SetTabVisible(false);
    Wheel(-120);
    EXPECT_EQ(PC->ActivePage(), Sheets[0].data()) << "the wheel is off by default";
    PC->SetMouseWheelSupport(true);
    Wheel(-120);
    EXPECT_EQ(PC->ActivePage(), Sheets[1].data());
    Wheel(-120);
    EXPECT_EQ(PC->ActivePage(), Sheets[3].data()) << "past the hidden tab";
    Wheel(-120);
    EXPECT_EQ(PC->ActivePage(), Sheets[3].data()) << "towards the user on the last page: nothing";
    Wheel(120);
    EXPECT_EQ(PC->ActivePage(), Sheets[1].data());
}

TEST_F(SkinPageTest, CloseButtonClosesItsOwnPageOnlyOnPressAndReleaseOnIt) {
    Build(3, 625, 200);
    PC->SetShowCloseButtons(true);
    bool allow = true;
    int asked = 0, closed = 0;
    PC->OnClose = [&](QObject* sender, bool& can) {
        ++asked;
        EXPECT_EQ(sender, Sheets[1].data());
        can = allow;
    };
    PC->OnAfterClose = [&](QObject*) { ++closed; };
    // Tab 1 spans 80..160; its button 63..77 of the tab, 3..17 high.
    EXPECT_EQ(PC->CloseButtonArea(1), Rect(143, 3, 157, 17));
    const QPoint button(150, 10);
    SendMouse(PC, QEvent::MouseButtonPress, {20, 10});  // on tab 0
    SendMouse(PC, QEvent::MouseMove, button);
    SendMouse(PC, QEvent::MouseButtonRelease, button);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(Sheets[1]->TabVisible());

    PC->SetActivePage(Sheets[0]);
    allow = false;
    SendMouse(PC, QEvent::MouseButtonPress, button);
    EXPECT_TRUE(Sheets[1]->ButtonMouseDown);
    SendMouse(PC, QEvent::MouseButtonRelease, button);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(Sheets[1]->TabVisible());
    EXPECT_EQ(closed, 0);

    allow = true;
    PC->SetActivePage(Sheets[0]);
    // The press would select tab 1; refused, page 0 stays the active one.
    PC->OnChanging = [](QObject*, bool& can) { can = false; };
    SendMouse(PC, QEvent::MouseButtonPress, button);
    SendMouse(PC, QEvent::MouseButtonRelease, button);
    PC->OnChanging = nullptr;
    EXPECT_FALSE(Sheets[1]->TabVisible()) << "the page whose button it was, not the active one";
    EXPECT_TRUE(Sheets[0]->TabVisible());
    EXPECT_EQ(closed, 1);
    ASSERT_FALSE(Sheets[1].isNull());

    PC->OnClose = nullptr;
    PC->SetFreeOnClose(true);  // page 2 is now the second visible tab
    SendMouse(PC, QEvent::MouseButtonPress, button);
    SendMouse(PC, QEvent::MouseButtonRelease, button);
    EXPECT_TRUE(Sheets[2].isNull());
    EXPECT_EQ(PC->PageCount(), 2);
}

TEST_F(SkinPageTest, LeftTabCloseButtonIsStoredTurned) {
    Build(2, 300, 300, true);
    PC->SetTabPosition(tpLeft);
    PC->SetShowCloseButtons(true);
    ASSERT_EQ(PC->TabRect(1).Width(), 20);
    ASSERT_EQ(PC->TabRect(1).Height(), 80);
    PC->CloseButtonArea(1);
    // Drawn at x 60..74, y 3..17 of the 80 x 20 tab picture before turning.
    EXPECT_EQ(Sheets[1]->ButtonRect, Rect(3, 6, 17, 20));
}

// ---- painting ----

namespace {

QRgb Rgb(TColor c) { return ColorToQColor(c).rgb() | 0xFF000000u; }
QString R4(const TRect& r) { return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom); }

// A piece of a flat cell's middle rows: x < 4 is zL, x >= 60 zR, between zC.
QString Piece(const TTestSkin& skin, const char* name, const char* key, int h) {
    const TRect c = skin.FlatRect(name, key);
    return R4(Rect(c.Left, c.Top + 8, c.Left + 64, c.Top + 8 + h));
}

}  // namespace

TEST_F(SkinPageTest, PlainTabLooksByState) {
    Form->Show();
    QApplication::setActiveWindow(Form);
    Build(3, 300, 200);
    SendEnter(PC, {100, 10});
    SendMoveNoButton(PC, {100, 10});  // tab 1 hot
    ASSERT_EQ(PC->HotTabIndex(), 1);
    QImage img = PC->PaintToImage();
    const TRect t0 = PC->TabRect(0), t1 = PC->TabRect(1), t2 = PC->TabRect(2);
    EXPECT_EQ(Px(img, t0.Left, t0.Top), Rgb(clNavy)) << "selected: a navy frame";
    EXPECT_EQ(Px(img, t0.Left + 2, t0.Top + 1), Rgb(0xD2BDB6)) << "selected, unfocused";
    EXPECT_EQ(Px(img, t1.Left, t1.Top), Rgb(0xD2BDB6)) << "hot: no frame";
    EXPECT_EQ(Px(img, t2.Left + 2, t2.Top + 1), Rgb(clBtnFace));
    PC->setFocus();
    ASSERT_TRUE(PC->hasFocus());
    img = PC->PaintToImage();
    EXPECT_EQ(Px(img, t0.Left + 2, t0.Top + 1), Rgb(0xB59385)) << "selected and focused";
}

TEST_F(SkinPageTest, TallerActiveTabReachesOverTheBorder) {
    Skin.Set("tab", "tabrect", Piece(Skin, "tab", "skinrect", 20));
    Skin.Set("tab", "activetabrect", Piece(Skin, "button", "activeskinrect", 23));
    Skin.Set("tab", "tableftoffset", "4").Set("tab", "tabrightoffset", "4");
    Build(3, 300, 200, true);
    const QImage img = PC->PaintToImage();
    ASSERT_EQ(PC->TabRect(0), Rect(1, 0, 80, 20));
    EXPECT_EQ(PC->GetActiveTabRect(), Rect(1, 0, 80, 23));
    // The border's top piece runs from y 18; the selected tab covers it to y 22.
    EXPECT_EQ(Px(img, 7, 21), Flat("button", "activeskinrect"));
    EXPECT_EQ(Px(img, 7, 19), Flat("button", "activeskinrect"));
    EXPECT_EQ(Px(img, 120, 21), Flat("tab", "skinrect", TTestSkin::zT));
    EXPECT_EQ(Px(img, 87, 10), Flat("tab", "skinrect", TTestSkin::zC)) << "the second tab, normal";
}

TEST_F(SkinPageTest, SideTabsAreBuiltLyingAndTurned) {
    Skin.Set("tab", "tabrect", Piece(Skin, "tab", "skinrect", 20));
    Skin.Set("tab", "tableftoffset", "4").Set("tab", "tabrightoffset", "4");
    Build(3, 300, 300, true);
    const QRgb left = Flat("tab", "skinrect", TTestSkin::zL), right = Flat("tab", "skinrect", TTestSkin::zR);
    PC->SetTabPosition(tpLeft);
    ASSERT_EQ(PC->TabRect(1), Rect(0, 82, 20, 162));
    QImage img = PC->PaintToImage();
    // Turned counter-clockwise: the picture's left end is at the bottom.
    EXPECT_EQ(Px(img, 10, 160), left);
    EXPECT_EQ(Px(img, 10, 83), right);
    PC->SetTabPosition(tpRight);
    ASSERT_EQ(PC->TabRect(1), Rect(280, 82, 300, 162));
    img = PC->PaintToImage();
    EXPECT_EQ(Px(img, 290, 83), left);
    EXPECT_EQ(Px(img, 290, 160), right);
}

TEST_F(SkinPageTest, SheetShowsItsWallpaperElseTheSkinElseButtonFace) {
    Build(2, 300, 200);
    auto* sheet = Sheets[0].data();
    EXPECT_EQ(Px(sheet->PaintToImage(), 5, 5), Rgb(clBtnFace));
    LoadSkin();
    PC->SetSkinData(Model);
    EXPECT_EQ(Px(sheet->PaintToImage(), 5, 5), Flat("tab", "skinrect"));
    QImage paper(8, 8, QImage::Format_RGB32);
    paper.fill(qRgb(200, 10, 40));
    sheet->SetWallPaper(paper);
    EXPECT_EQ(Px(sheet->PaintToImage(), 5, 5), qRgb(200, 10, 40));
    EXPECT_EQ(Px(sheet->PaintToImage(), 13, 21), qRgb(200, 10, 40));
}

TEST_F(SkinPageTest, FourSheetControlIsReskinnedUnshown) {
    // As the settings dialog has it: 625 x 222, item height 20, four sheets.
    Build(4, 625, 222);
    PC->SetTabWidth(0);
    PC->SetTabHeight(0);
    PC->SetDefaultItemHeight(20);
    const char* captions[] = {"标准参数设置", "剪辑设置", "滤镜设置", "文字水印"};
    for (int i = 0; i < 4; ++i) Sheets[i]->SetCaption(QString::fromUtf8(captions[i]));
    PC->SetActivePage(Sheets[0]);
    PC->SetSkinData(Model);
    EXPECT_EQ(PC->SkinIndex(), -1);
    EXPECT_EQ(PC->DisplayRect(), Rect(1, 19, 624, 221));
    LoadSkin();  // the walk reaches it
    EXPECT_NE(PC->SkinIndex(), -1);
    EXPECT_EQ(PC->DisplayRect(), Rect(4, 26, 621, 218));
    EXPECT_EQ(TRect::FromQRect(PC->ActivePage()->geometry()), Rect(4, 26, 621, 218));
    EXPECT_EQ(PC->Scroller(), nullptr) << "four tabs fit";
    EXPECT_FALSE(PC->PaintToImage().isNull());
    EXPECT_EQ(PC->Font().Color(), RGB(0, 0, 0)) << "the record's font colour";
    TFont def(QStringLiteral("DejaVu Sans"), 12);
    PC->SetDefaultFont(def);
    TTestSkin bare({"button"}, {});
    bare.FlatColours().LoadInto(*Model);
    EXPECT_EQ(PC->SkinIndex(), -1);
    EXPECT_EQ(PC->Font().Name(), QStringLiteral("DejaVu Sans")) << "back to the default font";
    EXPECT_EQ(PC->DisplayRect(), Rect(1, 19, 624, 221));
    EXPECT_EQ(TRect::FromQRect(PC->ActivePage()->geometry()), Rect(1, 19, 624, 221));
    EXPECT_FALSE(PC->isVisible());
}

TEST_F(SkinPageTest, OwnerDrawnTabsGetTheWholePictureAndNoCloseButton) {
    const TRect cell = Skin.FlatRect("button", "downskinrect");
    Skin.Set("tab", "tabrect", Piece(Skin, "tab", "skinrect", 20));
    Skin.Set("tab", "closebuttonrect", R4(Rect(cell.Left + 10, cell.Top + 10, cell.Left + 24, cell.Top + 24)));
    Build(2, 300, 200, true);
    PC->SetShowCloseButtons(true);
    const TRect t1 = PC->TabRect(1);
    const TRect button = PC->CloseButtonArea(1);
    QImage img = PC->PaintToImage();
    EXPECT_EQ(Px(img, button.Left + 7, button.Top + 7), Flat("button", "downskinrect")) << "drawn without the event";
    std::vector<TRect> rects;
    PC->OnDrawSkinTab = [&](int, const TRect& R, bool, bool, TCanvas& C) {
        rects.push_back(R);
        C.Brush().SetColor(RGB(10, 200, 30));
        C.FillRect(R);
    };
    img = PC->PaintToImage();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], Rect(0, 0, t1.Width(), t1.Height()));
    EXPECT_EQ(Px(img, button.Left + 7, button.Top + 7), Rgb(RGB(10, 200, 30)));
}

TEST_F(SkinPageTest, TransparentTabStripShowsTheParent) {
    Build(2, 300, 200, true);
    auto* under = Make<TPanel>();
    under->SetBevelOuter(TBevelCut::bvNone);
    under->SetBounds(0, 0, 400, 300);
    under->SetColor(RGB(200, 10, 40));
    PC->SetParent(under);
    PC->SetTabsBGTransparent(true);
    const QImage img = PC->PaintToImage();
    EXPECT_EQ(Px(img, 250, 5), Rgb(RGB(200, 10, 40))) << "beyond the last tab";
    PC->SetTabsBGTransparent(false);
    EXPECT_EQ(Px(PC->PaintToImage(), 250, 5), Flat("tab", "skinrect")) << "the skin's client piece tiled";
}

namespace {

class TNotedChild : public TqvSkinControl {
public:
    using TqvSkinControl::TqvSkinControl;
    int Seen = 0;
    void CheckParentBackground() override { ++Seen; }
};

// A sheet under a stretched tab-record background tells its children after
// a resize, so transparent ones copy the new background; a tiled one does not.
TEST_F(SkinPageTest, ResizedSheetTellsItsChildrenOnlyUnderAStretchedBackground) {
    for (const char* stretch : {"1", "0"}) {
        SCOPED_TRACE(stretch);
        Skin.Set("tab", "stretcheffect", stretch);
        Build(2, 300, 200, true);
        auto* child = Make<TNotedChild>(Sheets[0].data());
        child->SetBounds(5, 5, 40, 20);
        Form->Show();  // hidden widgets get their resize events only when shown
        child->Seen = 0;
        PC->SetBounds(0, 0, 360, 240);
        if (QLatin1String(stretch) == QLatin1String("1")) {
            EXPECT_GE(child->Seen, 1);
        } else {
            EXPECT_EQ(child->Seen, 0);
        }
        delete PC;
        Sheets.clear();
    }
}

}  // namespace
