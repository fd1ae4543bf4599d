// The main window under a user's pointer, through Qt's events on the real
// widgets: the job list's vertical bar dragged to the end of a long list.
#include "tests/app/mainwindow/MainWindowFixture.h"

#include "app/jobs/JobRow.h"
#include "skin/controls/bars/SkinScrollBar.h"

#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

QPoint Centre(const TRect& r) { return {r.Left + r.Width() / 2, r.Top + r.Height() / 2}; }

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
