// The main window under a user's pointer, through Qt's events on the real
// widgets: the job list's vertical bar dragged to the end of a long list, and
// the drop-downs taking an item by a click after opening or by
// press-drag-release.
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "app/jobs/JobRow.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/controls/office/SkinOfficeListBox.h"

#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

QPoint Centre(const TRect& r) { return {r.Left + r.Width() / 2, r.Top + r.Height() / 2}; }

// How the pointer reaches the item of an open list.
enum TPick { ClickAfterMove, ClickWithoutMove, PressDragRelease };
const char* const kPickNames[] = {"click after a move", "click without a move", "press, drag, release"};

// Opens `box` as a user does and takes the item at `at` (in `list`'s coordinates).
void Pick(QWidget* box, QWidget* list, QPoint at, TPick how) {
    const QPoint face(box->width() / 2, box->height() / 2);
    if (how == PressDragRelease) {
        QTest::mousePress(box, Qt::LeftButton, {}, face);
        ASSERT_TRUE(list->isVisible());
        // The press holds the pointer: its moves and release reach the box.
        const QPoint onBox = box->mapFromGlobal(list->mapToGlobal(at));
        QTest::mouseMove(box, onBox);
        QTest::mouseRelease(box, Qt::LeftButton, {}, onBox);
        return;
    }
    QTest::mouseClick(box, Qt::LeftButton, {}, face);
    ASSERT_TRUE(list->isVisible()) << "a click opens the list and leaves it open";
    if (how == ClickAfterMove) QTest::mouseMove(list, at);
    QTest::mouseClick(list, Qt::LeftButton, {}, at);
}

}  // namespace

TEST_F(MainWindowTest, JobListVerticalBarDragsToTheEndOfALongList) {
    Start();
    W->Show();
    for (int i = 0; i < 200; ++i) {
        jobs::TJobRow row;
        row.Caption = QStringLiteral("/videos/clip%1.avi").arg(i, 3, 10, QLatin1Char('0'));
        row[jobs::siCategoryCode] = QStringLiteral("100");
        row[jobs::siOptionDigits] = QStringLiteral("000000000000");
        W->AppendRow(row);
    }
    W->lvFiles->UpDateScrollBars();
    TqvSkinScrollBar* bar = W->qvSkinScrollBar1;
    ASSERT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Kind(), sbVertical);
    EXPECT_EQ(bar->SkinDataName(), "vscrollbar");
    // The bar keeps the list's height and draws a thumb that can be taken.
    EXPECT_EQ(bar->Height(), 202);
    bar->CalcRects();
    const TRect thumb = bar->PartRect(0), track = bar->TrackArea();
    ASSERT_GT(thumb.Height(), 0);
    ASSERT_GT(track.Height(), thumb.Height() * 4);

    const QPoint grip = Centre(thumb);
    QTest::mousePress(bar, Qt::LeftButton, {}, grip);
    for (int y = grip.y() + 20; y < bar->height() + 40; y += 20) QTest::mouseMove(bar, QPoint(grip.x(), y));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(grip.x(), bar->height() + 40));

    EXPECT_EQ(bar->Position(), bar->Max() - bar->PageSize() + 1);
    auto* table = W->lvFiles->ReportView();
    EXPECT_EQ(table->verticalScrollBar()->value(), table->verticalScrollBar()->maximum());
    const QRect last = table->visualRect(table->model()->index(199, 0));
    EXPECT_TRUE(table->viewport()->rect().contains(last)) << "the last job row shows";
}

TEST_F(MainWindowTest, OfficeDropDownsTakeTheClickedItem) {
    Start();
    W->Show();
    for (TqvSkinOfficeComboBox* box : {W->qvSkinOfficeComboBox2, W->qvSkinOfficeComboBox1}) {
        for (TPick how : {ClickAfterMove, ClickWithoutMove, PressDragRelease}) {
            SCOPED_TRACE(box->Name().toStdString() + ", " + kPickNames[how]);
            TqvPopupOfficeListBox* list = box->ListBox();
            int changes = 0;
            const auto chain = box->OnChange;
            box->OnChange = [&, chain](QObject* s) {
                ++changes;
                if (chain) chain(s);
            };
            // Open once and close without a choice, so the list's last
            // marked row is stale, as after a user's earlier browsing.
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
            ASSERT_TRUE(list->isVisible());
            QTest::mouseMove(list, Centre(list->Items().Items(1)->ItemRect));
            QTest::keyClick(box, Qt::Key_Escape);
            ASSERT_FALSE(list->isVisible());
            box->SetItemIndex(0);
            changes = 0;

            Pick(box, list, Centre(list->Items().Items(1)->ItemRect), how);
            EXPECT_FALSE(list->isVisible());
            EXPECT_EQ(box->ItemIndex(), 1);
            EXPECT_EQ(changes, 1);
            box->OnChange = chain;
            box->SetItemIndex(0);
        }
    }
}

TEST_F(MainWindowTest, SkinnedDropDownTakesTheClickedItem) {
    Start();
    W->Show();
    TqvSkinComboBox* box = W->qvSkinComboBox3;  // audio bit rate
    ASSERT_TRUE(box->Enabled());
    ASSERT_GT(box->Items().Count(), 3);
    for (TPick how : {ClickAfterMove, ClickWithoutMove, PressDragRelease}) {
        SCOPED_TRACE(kPickNames[how]);
        box->SetItemIndex(0);
        QListWidget* list = box->ListBox()->ListBox()->Widget();
        const int target = 2;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
        ASSERT_TRUE(list->isVisible());
        const QPoint at = list->visualItemRect(list->item(target)).center();
        QTest::keyClick(box, Qt::Key_Escape);
        Pick(box, list->viewport(), at, how);
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(box->ItemIndex(), target);
        EXPECT_EQ(box->Text(), box->Items()[target]);
    }
}
