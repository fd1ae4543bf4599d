#include "tests/skin/controls/ControlTestSupport.h"

#include "skin/controls/views/SkinListView.h"
#include "skin/model/SkinRecords.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>

namespace {

struct SkinListViewTest : SkinControlTest {
    TqvSkinListView* View = nullptr;
    TqvSkinScrollBar* VBar = nullptr;
    TqvSkinScrollBar* HBar = nullptr;
    int RowH = 0, HeaderH = 0;

    void SetUp() override {
        SkinControlTest::SetUp();
        Skin.AddControl("resizetoolbutton", "button");
        View = Make<TqvSkinListView>();
        View->SetViewStyle(vsReport);
        View->SetRowSelect(true);
        View->SetReadOnly(true);
        View->SetGridLines(true);
        RowH = View->ReportView()->verticalHeader()->defaultSectionSize();
        HeaderH = View->Header()->sizeHint().height();
        View->SetBounds(10, 10, 300, HeaderH + 10 * RowH);
        VBar = Make<TqvSkinScrollBar>();
        VBar->SetKind(sbVertical);
        VBar->SetSkinDataName("vscrollbar");
        VBar->SetBounds(310, 10, 19, 200);
        HBar = Make<TqvSkinScrollBar>();
        HBar->SetBounds(10, 220, 300, 19);
        View->SetVScrollBar(VBar);
        View->SetHScrollBar(HBar);
        Form->Show();
    }
    void AddColumns(std::initializer_list<int> widths) {
        for (int w : widths) {
            TListColumn* c = View->Columns().Add();
            c->SetCaption(QString("c%1").arg(c->Index()));
            c->SetWidth(w);
        }
    }
    void AddRows(int n, int subItems = 1) {
        View->Items().BeginUpdate();
        for (int r = 0; r < n; ++r) {
            TListItem* it = View->Items().Add();
            it->SetCaption(QString("row %1").arg(r));
            for (int k = 0; k < subItems; ++k) it->SubItems().Add(QString::number(k));
        }
        View->Items().EndUpdate();
        View->UpDateScrollBars();
    }
    QImage Header() { return View->SkinHeader()->BuildImage(); }
    int TopRow() { return View->TopItem() ? View->TopItem()->Index() : -1; }
};

TEST_F(SkinListViewTest, VerticalBarShowsOnlyWhenRowsOverflowAPage) {
    AddColumns({100});
    AddRows(3);
    EXPECT_FALSE(VBar->Visible());
    EXPECT_FALSE(HBar->Both());
    AddRows(27);
    ASSERT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->Min(), 0);
    EXPECT_EQ(VBar->Max(), 29);
    EXPECT_EQ(VBar->PageSize(), 10);
    EXPECT_EQ(VBar->SmallChange(), 1);
    EXPECT_EQ(VBar->LargeChange(), 10);
    // The horizontal bar leaves the corner to the vertical one while it shows.
    EXPECT_TRUE(HBar->Both());
    EXPECT_FALSE(HBar->Visible());
    View->Items().Clear();
    View->UpDateScrollBars();
    EXPECT_FALSE(VBar->Visible());
    EXPECT_FALSE(HBar->Both());
}

TEST_F(SkinListViewTest, MovingOrDraggingTheBarScrollsTheView) {
    AddColumns({100});
    AddRows(30);
    const int top0 = View->ReportView()->visualRect(View->Model()->index(0, 0)).top();
    VBar->SetPosition(2);
    EXPECT_EQ(View->ReportView()->visualRect(View->Model()->index(0, 0)).top(), top0 - 2 * RowH);
    EXPECT_EQ(TopRow(), 2);
    EXPECT_EQ(View->OldVScrollBarPos(), 2);

    // Dragging the thumb to the bottom of its track shows the last page.
    VBar->CalcRects();
    const TRect thumb = VBar->PartRect(0);
    const QPoint at((thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2);
    SendMouse(VBar, QEvent::MouseButtonPress, at);
    SendMouse(VBar, QEvent::MouseMove, at + QPoint(0, 400));
    SendMouse(VBar, QEvent::MouseButtonRelease, at + QPoint(0, 400));
    EXPECT_EQ(VBar->Position(), 20);
    EXPECT_EQ(TopRow(), 20);
    EXPECT_EQ(View->ReportView()->verticalScrollBar()->value(), 20);
}

TEST_F(SkinListViewTest, KeysInTheViewMoveTheBar) {
    AddColumns({100});
    AddRows(30);
    QTableView* t = View->ReportView();
    SendKey(t, QEvent::KeyPress, Qt::Key_End);
    EXPECT_EQ(View->ItemFocused()->Index(), 29);
    EXPECT_EQ(VBar->Position(), 20);
    SendKey(t, QEvent::KeyPress, Qt::Key_Home);
    EXPECT_EQ(VBar->Position(), 0);
    for (int i = 0; i < 12; ++i) SendKey(t, QEvent::KeyPress, Qt::Key_Down);
    EXPECT_EQ(VBar->Position(), TopRow());
    EXPECT_GT(VBar->Position(), 0);
}

TEST_F(SkinListViewTest, HorizontalBarCoversTheColumnsAndScrollsTheHeaderToo) {
    AddColumns({120, 120, 0, 160});
    AddRows(3, 3);
    ASSERT_TRUE(HBar->Visible());
    EXPECT_EQ(HBar->Max(), 399);
    EXPECT_EQ(HBar->PageSize(), 300);
    HBar->SetPosition(50);
    EXPECT_EQ(View->ReportView()->horizontalScrollBar()->value(), 50);
    EXPECT_EQ(View->Header()->offset(), 50);
    EXPECT_EQ(View->OldHScrollBarPos(), 50);
}

// Sections come from the skin's button cells; the skin's zones show where
// each section starts and ends.
TEST_F(SkinListViewTest, SectionsAreSkinnedAndZeroWidthColumnsTakeNoRoom) {
    LoadSkin();
    View->SetSkinData(Model);
    AddColumns({40, 0, 60});
    const QImage h = Header();
    const int mid = h.height() / 2;
    const QString n = "resizetoolbutton";
    EXPECT_EQ(Px(h, 20, mid), Flat(n, "skinrect"));
    EXPECT_EQ(Px(h, 0, mid), Flat(n, "skinrect", TTestSkin::zL));
    EXPECT_EQ(Px(h, 39, mid), Flat(n, "skinrect", TTestSkin::zR));
    EXPECT_EQ(Px(h, 40, mid), Flat(n, "skinrect", TTestSkin::zL));
    EXPECT_EQ(Px(h, 99, mid), Flat(n, "skinrect", TTestSkin::zR));
    // After the last section: its left border, then its client to the edge.
    EXPECT_EQ(Px(h, 100, mid), Flat(n, "skinrect", TTestSkin::zL));
    EXPECT_EQ(Px(h, h.width() - 1, mid), Flat(n, "skinrect"));
    EXPECT_EQ(h.width(), 300);
}

TEST_F(SkinListViewTest, WithoutASkinSectionsAndTheRestAreFramedFaces) {
    AddColumns({40, 60});
    const QImage h = Header();
    const int mid = h.height() / 2;
    EXPECT_EQ(Px(h, 0, mid), ColorToQColor(clBtnShadow).rgb());
    EXPECT_EQ(Px(h, 3, mid), ColorToQColor(clBtnFace).rgb());
    EXPECT_EQ(Px(h, 100, mid), ColorToQColor(clBtnShadow).rgb());
    EXPECT_EQ(Px(h, 250, mid), ColorToQColor(clBtnFace).rgb());
    EXPECT_EQ(Px(h, 299, mid), ColorToQColor(clBtnFace).rgb());  // open to the right
    EXPECT_EQ(Px(h, 250, 0), ColorToQColor(clBtnShadow).rgb());
}

TEST_F(SkinListViewTest, PressedSectionUntilReleaseAndNoneOnADivider) {
    LoadSkin();
    View->SetSkinData(Model);
    AddColumns({80, 80});
    const QString n = "resizetoolbutton";
    QWidget* vp = View->SkinHeader()->viewport();
    const int mid = Header().height() / 2;
    SendMouse(vp, QEvent::MouseButtonPress, {120, mid});
    EXPECT_EQ(View->SkinHeader()->ActiveSection(), 1);
    EXPECT_EQ(Px(Header(), 120, mid), Flat(n, "downskinrect"));
    EXPECT_EQ(Px(Header(), 40, mid), Flat(n, "skinrect"));
    SendMouse(vp, QEvent::MouseButtonRelease, {120, mid});
    EXPECT_EQ(Px(Header(), 120, mid), Flat(n, "skinrect"));

    SendMouse(vp, QEvent::MouseButtonPress, {80, mid});
    EXPECT_TRUE(View->SkinHeader()->DividerDown());
    EXPECT_EQ(Px(Header(), 40, mid), Flat(n, "skinrect"));
    EXPECT_EQ(Px(Header(), 120, mid), Flat(n, "skinrect"));
    SendMouse(vp, QEvent::MouseButtonRelease, {80, mid});
    EXPECT_FALSE(View->SkinHeader()->DividerDown());
}

TEST_F(SkinListViewTest, OwnSectionDrawingKeepsTheSkinnedBackground) {
    LoadSkin();
    View->SetSkinData(Model);
    AddColumns({80, 0, 80});
    QStringList calls;
    View->OnDrawHeaderSection = [&](TCanvas&, TListColumn* c, bool pressed, TRect r) {
        calls << QString("%1 %2 %3x%4").arg(c->Caption()).arg(pressed).arg(r.Width()).arg(r.Height());
    };
    const QImage h = Header();
    EXPECT_EQ(calls, QStringList({QString("c0 0 80x%1").arg(h.height()), QString("c2 0 80x%1").arg(h.height())}));
    EXPECT_EQ(Px(h, 40, h.height() / 2), Flat("resizetoolbutton", "skinrect"));
}

TEST_F(SkinListViewTest, LongCaptionsEndInDotsAndWithAnImageGoLeft) {
    TImageList images(Form);
    images.SetSize(16, 16);
    images.Add(QImage(16, 16, QImage::Format_ARGB32));
    View->SetSmallImages(&images);
    AddColumns({100});
    TListColumn* c = View->Columns()[0];
    QImage img(100, 20, QImage::Format_RGB32);
    TCanvas cv(&img);
    cv.SetFont(View->Font());
    const TRect r = Rect(0, 0, 100, 20);

    c->SetImageIndex(0);
    c->SetAlignment(taRightJustify);
    c->SetCaption("Out");
    TqvHeaderSectionText t = View->LayoutHeaderSection(cv, c, r);
    EXPECT_EQ(t.ImageX, 95 - cv.TextWidth("Out") - 16 - 10);
    EXPECT_EQ(t.TextX, t.ImageX + 26);

    c->SetCaption("A caption far too long for its column");
    t = View->LayoutHeaderSection(cv, c, r);
    EXPECT_TRUE(t.Caption.endsWith("...")) << t.Caption.toStdString();
    EXPECT_LE(cv.TextWidth(t.Caption), 90 - 26);
    EXPECT_EQ(t.ImageX, 5);

    c->SetImageIndex(-1);
    c->SetAlignment(taCenter);
    t = View->LayoutHeaderSection(cv, c, r);
    EXPECT_TRUE(t.Caption.endsWith("..."));
    EXPECT_EQ(t.ImageX, -1);
    EXPECT_EQ(t.TextX, 5 + 45 - cv.TextWidth(t.Caption) / 2);
}

TEST_F(SkinListViewTest, SkinGivesFontAndColoursAndDefaultsComeBackWithout) {
    LoadSkin();
    View->SetSkinData(Model);
    const auto* rec =
        dynamic_cast<const TqvDataSkinListView*>(Model->CtrlList[std::size_t(Model->GetControlIndex("listview"))].get());
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(View->Color(), rec->BGColor);
    EXPECT_EQ(View->Font().Color(), rec->FontColor);
    EXPECT_EQ(View->Font().Height(), rec->FontHeight);
    EXPECT_EQ(View->ReportView()->palette().color(QPalette::Base), ColorToQColor(rec->BGColor));
    Model->ClearAll();
    View->ChangeSkinData();
    EXPECT_EQ(View->Color(), clWindow);
    EXPECT_EQ(View->Font(), View->DefaultFont());
}

TEST_F(SkinListViewTest, HidingTheViewHidesItsBars) {
    AddColumns({100});
    AddRows(30);
    ASSERT_TRUE(VBar->Visible());
    View->SetVisible(false);
    EXPECT_FALSE(VBar->Visible());
    EXPECT_FALSE(HBar->Visible());
    View->SetVisible(true);
    EXPECT_TRUE(VBar->Visible());
}

// The job list: 25 columns (most of them hidden), 500 rows, progress written
// into single cells; the bars keep their place through the updates.
TEST_F(SkinListViewTest, JobListSizedViewKeepsItsBarsThroughProgressUpdates) {
    LoadSkin();
    View->SetSkinData(Model);
    for (int i = 0; i < 25; ++i) AddColumns({i == 5 || i >= 8 ? 0 : 80});
    AddRows(500, 24);
    ASSERT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->Max(), 499);
    EXPECT_EQ(HBar->Max(), 7 * 80 - 1);
    VBar->SetPosition(250);
    HBar->SetPosition(100);
    QSignalSpy reset(View->Model(), &QAbstractItemModel::modelReset);
    for (int pass = 0; pass < 3; ++pass)
        for (int r = 0; r < 500; ++r) View->Items()[r]->SubItems().SetStrings(6, QString("%1%").arg(pass * 30));
    View->grab();
    EXPECT_EQ(reset.size(), 0);
    EXPECT_EQ(TopRow(), 250);
    EXPECT_EQ(VBar->Position(), 250);
    EXPECT_EQ(HBar->Position(), 100);
    EXPECT_EQ(View->Model()->index(499, 7).data().toString(), "60%");
    VBar->SetPosition(VBar->Max());
    EXPECT_EQ(TopRow(), 490);
}

}  // namespace
