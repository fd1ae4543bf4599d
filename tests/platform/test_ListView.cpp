#include "tests/platform/Printers.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "platform/Form.h"
#include "tools/contrast/WcagContrast.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>


namespace {

struct ListViewTest : ::testing::Test {
    TForm* Form = nullptr;
    TListView* View = nullptr;
    QStringList Log;

    void SetUp() override {
        Form = new TForm;
        Form->SetBounds(0, 0, 400, 300);
        View = new TListView(Form);
        View->SetParent(Form);
        View->SetBounds(0, 0, 300, 200);
        View->SetViewStyle(vsReport);
        View->OnSelectItem = [this](QObject*, TListItem* item, bool selected) {
            Log << QString::number(item->Index()) + (selected ? "+" : "-");
        };
    }
    void TearDown() override { delete Form; }

    void AddColumns(int n, int width = 40) {
        for (int i = 0; i < n; ++i) {
            TListColumn* c = View->Columns().Add();
            c->SetCaption(QString("c%1").arg(i));
            c->SetWidth(width);
        }
    }
    void AddRows(int n, int subItems) {
        for (int r = 0; r < n; ++r) {
            TListItem* it = View->Items().Add();
            it->SetCaption(QString("r%1").arg(r));
            for (int k = 0; k < subItems; ++k) it->SubItems().Add(QString("%1.%2").arg(r).arg(k));
        }
    }
    QString Cell(int row, int col) const { return View->Model()->index(row, col).data().toString(); }
    QPoint RowPoint(int row) {
        View->LayOutViews();
        return View->ReportView()->visualRect(View->Model()->index(row, 0)).center();
    }
};

TEST_F(ListViewTest, CaptionAndSubItemsAreTheRowsCells) {
    AddColumns(3);
    AddRows(2, 2);
    EXPECT_EQ(Cell(0, 0), "r0");
    EXPECT_EQ(Cell(1, 2), "1.1");
    View->Items()[1]->SubItems().Delete(0);
    EXPECT_EQ(Cell(1, 1), "1.1");
    EXPECT_EQ(Cell(1, 2), "");
    View->Items().Insert(0)->SetCaption("new");
    EXPECT_EQ(View->Items()[2]->Index(), 2);
    EXPECT_EQ(Cell(0, 0), "new");
    EXPECT_EQ(View->Model()->headerData(1, Qt::Horizontal).toString(), "c1");
    EXPECT_THROW(View->Items().Item(3), EStringListError);
}

TEST_F(ListViewTest, ReportHasNoFrameNoNativeBarsAndHidesZeroWidthColumns) {
    AddColumns(4);
    View->Columns()[1]->SetWidth(0);
    QTableView* t = View->ReportView();
    EXPECT_EQ(t->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(t->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(t->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(t->isVisibleTo(View));
    EXPECT_FALSE(View->IconView()->isVisibleTo(View));
    QHeaderView* h = View->Header();
    EXPECT_TRUE(h->isSectionHidden(1));
    EXPECT_EQ(h->sectionViewportPosition(2), 40);
    // Dragging the divider of a neighbour never opens it again.
    h->resizeSection(0, 70);
    EXPECT_TRUE(h->isSectionHidden(1));
    EXPECT_EQ(View->Columns()[0]->Width(), 70);
    EXPECT_EQ(View->Columns()[1]->Width(), 0);
    View->Columns()[1]->SetWidth(30);
    EXPECT_FALSE(h->isSectionHidden(1));
    EXPECT_EQ(h->sectionSize(1), 30);
}

// The job list: 25 columns, 500 rows, progress written into single cells
// several times a second. Each write announces exactly its cell.
TEST_F(ListViewTest, WritingOneSubItemAnnouncesOnlyThatCell) {
    AddColumns(25);
    AddRows(500, 24);
    QSignalSpy changed(View->Model(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(View->Model(), &QAbstractItemModel::modelReset);
    QSignalSpy layout(View->Model(), &QAbstractItemModel::layoutChanged);
    for (int row = 0; row < 500; ++row) View->Items()[row]->SubItems().SetStrings(5, QString("%1%").arg(row % 100));
    ASSERT_EQ(changed.size(), 500);
    const QModelIndex tl = changed[321][0].value<QModelIndex>(), br = changed[321][1].value<QModelIndex>();
    EXPECT_EQ(tl, br);
    EXPECT_EQ(tl.row(), 321);
    EXPECT_EQ(tl.column(), 6);
    EXPECT_EQ(Cell(321, 6), "21%");
    View->Items()[7]->SubItems().SetStrings(5, "7%");  // unchanged text
    EXPECT_EQ(changed.size(), 500);
    EXPECT_EQ(reset.size(), 0);
    EXPECT_EQ(layout.size(), 0);
}

TEST_F(ListViewTest, SelectItemReportsEveryRowDeselectionsFirst) {
    AddColumns(2);
    AddRows(5, 1);
    View->Items()[1]->SetSelected(true);
    View->SetItemIndex(3);
    EXPECT_EQ(View->Selected(), View->Items()[3]);
    View->SetItemIndex(-1);
    EXPECT_EQ(Log, QStringList({"1+", "1-", "3+", "3-"}));
    EXPECT_EQ(View->Selected(), nullptr);

    Log.clear();
    View->SetMultiSelect(true);
    for (int r : {0, 1, 2}) View->Items()[r]->SetSelected(true);
    EXPECT_EQ(View->SelCount(), 3);
    View->SetSelected(View->Items()[4]);
    EXPECT_EQ(Log, QStringList({"0+", "1+", "2+", "0-", "1-", "2-", "4+"}));
    EXPECT_EQ(View->ItemIndex(), 4);
}

TEST_F(ListViewTest, DeletingRowsRaisesNoSelectItemAndRenumbers) {
    AddColumns(1);
    AddRows(4, 0);
    View->SetItemIndex(2);
    Log.clear();
    View->Items().Delete(2);
    EXPECT_TRUE(Log.isEmpty());
    EXPECT_EQ(View->Items()[2]->Caption(), "r3");
    EXPECT_EQ(View->Items()[2]->Index(), 2);
    EXPECT_EQ(View->Selected(), nullptr);
    View->Items().Clear();
    EXPECT_EQ(View->Items().Count(), 0);
    EXPECT_TRUE(Log.isEmpty());
}

// A click on a row selects it before OnClick runs; a click below the rows
// clears the selection, so OnClick sees none.
TEST_F(ListViewTest, ClicksSelectThenClickAndEmptySpaceDeselects) {
    AddColumns(2, 100);
    AddRows(3, 1);
    View->SetRowSelect(true);
    Form->Show();
    QStringList clicks;
    View->OnClick = [&](QObject*) { clicks << QString::number(View->ItemIndex()); };
    QWidget* vp = View->ReportView()->viewport();
    QTest::mouseClick(vp, Qt::LeftButton, {}, RowPoint(1));
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(50, vp->height() - 3));
    EXPECT_EQ(Log, QStringList({"1+", "1-"}));
    EXPECT_EQ(clicks, QStringList({"1", "-1"}));
}

TEST_F(ListViewTest, DisplayRectIsBelowTheHeaderInViewCoordinates) {
    AddColumns(3, 50);
    AddRows(3, 2);
    Form->Show();
    View->LayOutViews();
    const int header = View->Header()->height();
    const int rowH = View->ReportView()->rowHeight(0);
    EXPECT_EQ(View->Items()[1]->DisplayRect(), Rect(0, header + rowH, 150, header + 2 * rowH));
    EXPECT_EQ(View->GetItemAt(10, header + rowH + 1), View->Items()[1]);
    View->SetShowColumnHeaders(false);
    View->LayOutViews();
    EXPECT_EQ(View->Items()[0]->DisplayRect().Top, 0);
}

// Owner data: rows are asked for only when something looks at them.
TEST_F(ListViewTest, OwnerDataFetchesOnlyTheRowsShown) {
    AddColumns(2);
    View->SetOwnerData(true);
    QList<int> fetched;
    View->OnData = [&](QObject*, TListItem* item) {
        fetched << item->Index();
        item->SetCaption(QString("row %1").arg(item->Index()));
        item->SubItems().Add(QString("detail %1").arg(item->Index()));
    };
    View->Items().SetCount(100000);
    EXPECT_EQ(View->Items().Count(), 100000);
    Form->Show();
    View->grab();
    EXPECT_FALSE(fetched.isEmpty());
    EXPECT_LT(fetched.size(), 200);
    EXPECT_EQ(View->Items()[99999]->Caption(), "row 99999");
    EXPECT_EQ(Cell(5000, 1), "detail 5000");
    View->SetItemIndex(4);
    EXPECT_EQ(Log, QStringList({"4+"}));
    EXPECT_EQ(View->Selected()->Caption(), "row 4");
}

TEST_F(ListViewTest, ListAndIconStylesShareItemsAndSelection) {
    AddColumns(2);
    AddRows(4, 1);
    View->SetItemIndex(2);
    for (TViewStyle s : {vsList, vsSmallIcon, vsIcon}) {
        View->SetViewStyle(s);
        QListView* l = View->IconView();
        EXPECT_TRUE(l->isVisibleTo(View)) << int(s);
        EXPECT_FALSE(View->ReportView()->isVisibleTo(View)) << int(s);
        EXPECT_EQ(l->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(l->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_TRUE(l->selectionModel()->isSelected(View->Model()->index(2, 0))) << int(s);
    }
    EXPECT_EQ(View->IconView()->viewMode(), QListView::IconMode);
    View->SetViewStyle(vsList);
    EXPECT_EQ(View->IconView()->flow(), QListView::TopToBottom);
    EXPECT_EQ(View->ItemIndex(), 2);
}

TEST_F(ListViewTest, ReportRangeCountsRowsAndPages) {
    AddColumns(2, 100);
    View->SetBounds(0, 0, 300, View->Header()->sizeHint().height() + 10 * View->ReportView()->verticalHeader()->defaultSectionSize());
    AddRows(30, 1);
    Form->Show();
    View->LayOutViews();
    EXPECT_EQ(View->VisibleRowCount(), 10);
    QScrollBar* v = View->ReportView()->verticalScrollBar();
    EXPECT_EQ(v->maximum(), 20);
    EXPECT_EQ(v->pageStep(), 10);
}

}  // namespace

// A dark list as a dark skin sets it: grid lines near a quarter of the way
// from the list's colour to its text, the chosen row's caption on the darkened
// highlight (white text at 4.5:1 or more) and, without whole-row selection,
// the other cells of that row on the list's own colour under its text colour.
TEST_F(ListViewTest, DarkListGridAndSelectionColours) {
    AddColumns(3, 60);
    AddRows(2, 2);
    View->SetColor(RGB(30, 34, 40));
    View->Font().SetColor(RGB(226, 230, 234));
    View->SetGridLines(true);
    View->Items()[1]->SetSelected(true);
    Form->Show();
    QTableView* table = View->ReportView();
    View->LayOutViews();
    const QImage img = table->viewport()->grab().toImage();
    auto px = [&](int x, int y) { return QColor(img.pixel(x, y)); };
    const QRect first = table->visualRect(View->Model()->index(1, 0));
    const QRect second = table->visualRect(View->Model()->index(1, 1));
    const QColor grid = px(first.right() + 1, table->visualRect(View->Model()->index(0, 0)).center().y());
    // The style draws the grid from the window colour, a fifth darker.
    const QColor quarter((3 * 30 + 226) / 4, (3 * 34 + 230) / 4, (3 * 40 + 234) / 4);
    EXPECT_EQ(grid.rgb(), quarter.darker(120).rgb()) << grid.name().toStdString();

    const QColor highlight = ColorToQColor(clHighlight).darker(150);
    EXPECT_EQ(px(first.left() + 1, first.top() + 1).rgb(), highlight.rgb());
    EXPECT_EQ(px(second.right() - 1, second.top() + 1).rgb(), qRgb(30, 34, 40)) << "the other cells stay unchosen";
    EXPECT_GE(WcagContrast(highlight.rgb(), qRgb(255, 255, 255)), 4.5) << "white on the chosen row";
}
