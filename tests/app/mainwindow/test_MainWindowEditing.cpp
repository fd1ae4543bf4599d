// Editing the job list: remove, clear, moves and the rename editor.
#include "tests/app/mainwindow/AddsFixture.h"

#include "app/jobs/JobRecords.h"
#include "app/jobs/JobRow.h"

#include <QApplication>
#include <QTableView>
#include <QTest>

using namespace jobs;

class EditingTest : public AddsTest {
protected:
    QString A, B, C;
    // Rows c, b, a with task numbers 1, 2, 3.
    void StartWithThreeRows() {
        StartWithOutputFolder();
        A = Input("a.avi");
        B = Input("b.avi");
        C = Input("c.avi");
        AddSeveral({A, B, C});
        ASSERT_EQ(Captions(), (QStringList{C, B, A}));
    }
    QStringList Numbers() const {
        QStringList n;
        for (int i = 0; i < Rows(); ++i) n << Sub(Row(i), siTaskNumber);
        return n;
    }
    QStringList RecordInputs() const {
        QStringList n;
        for (int i = 0; i < W->JobRecords.Count(); ++i) n << W->JobRecords.At(i).Input.FileName;
        return n;
    }
};

TEST_F(EditingTest, RemovingTheMiddleRowRenumbersAndTheNextAddTakesTheFreedPlace) {
    StartWithThreeRows();
    W->lvFiles->SetItemIndex(1);
    W->btnRemove->Click();
    EXPECT_EQ(Captions(), (QStringList{C, A}));
    EXPECT_EQ(Numbers(), (QStringList{"1", "2"}));
    EXPECT_EQ(RecordInputs(), (QStringList{C, A}));
    EXPECT_EQ(W->Trevalon->TasksCount(), 2);
    EXPECT_EQ(W->Trevalon->GetTaskAVProbe(1, 0)->FileName(), A);  // number − 1 still names the row's task
    EXPECT_TRUE(Row(0)->Selected());
    EXPECT_TRUE(W->CmdRemove.Enabled());

    const QString d = Input("d.avi");
    AddOne(d);
    EXPECT_EQ(Numbers(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(RecordInputs(), (QStringList{C, A, d}));
}

TEST_F(EditingTest, RemovingTheLastRowShowsTheLogoAndDisablesTheCommands) {
    StartWithOutputFolder();
    AddOne(Input("a.avi"));
    W->btnRemove->Click();
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(W->Trevalon->TasksCount(), 0);
    EXPECT_EQ(W->JobRecords.Count(), 0);
    EXPECT_TRUE(W->qvSkinPanel5->Visible());
    for (const TCommandState* c : {&W->CmdRemove, &W->CmdRename, &W->CmdClear, &W->CmdStart})
        EXPECT_FALSE(c->Enabled());
    EXPECT_TRUE(W->CmdAdd.Enabled());
}

TEST_F(EditingTest, RemoveWithoutASelectionOnlyTellsTheUser) {
    StartWithThreeRows();
    W->lvFiles->ClearSelection();
    W->btnRemove->Click();
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_EQ(Dialogs->Messages[0], "请先选择您需要删除的项目！");
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(W->Trevalon->TasksCount(), 3);
}

TEST_F(EditingTest, ClearEmptiesEverythingAndTheNextAddStartsAfresh) {
    StartWithThreeRows();
    W->btnClear->Click();
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(W->Trevalon->TasksCount(), 0);
    EXPECT_EQ(W->JobRecords.Count(), 0);
    EXPECT_TRUE(W->qvSkinPanel5->Visible());
    EXPECT_TRUE(W->CmdAdd.Enabled());
    EXPECT_TRUE(W->N2222->Enabled());
    EXPECT_FALSE(W->CmdClear.Enabled());
    EXPECT_FALSE(W->CmdStart.Enabled());

    AddOne(A);
    EXPECT_EQ(Numbers(), QStringList{"1"});
    EXPECT_EQ(RecordInputs(), QStringList{A});
    EXPECT_EQ(Sub(Row(0), siOutputName), "a.mp4");  // the cleared rows hold no name any more
}

TEST_F(EditingTest, MovesExchangeRowsAndRecordsButNotTasks) {
    StartWithThreeRows();
    W->lvFiles->SetItemIndex(0);
    W->qvSkinButton3->Click();  // first row up: nothing
    EXPECT_EQ(Captions(), (QStringList{C, B, A}));
    W->lvFiles->SetItemIndex(2);
    W->qvSkinButton4->Click();  // last row down: nothing
    EXPECT_EQ(Captions(), (QStringList{C, B, A}));

    W->qvSkinButton3->Click();
    EXPECT_EQ(Captions(), (QStringList{C, A, B}));
    EXPECT_TRUE(Row(1)->Selected());
    EXPECT_EQ(Numbers(), (QStringList{"1", "3", "2"}));
    EXPECT_EQ(RecordInputs(), (QStringList{C, A, B}));
    EXPECT_EQ(Sub(Row(1), siOutputName), "a.mp4");

    W->N2221->Click();  // the menu's move down takes it back
    EXPECT_EQ(Captions(), (QStringList{C, B, A}));
    EXPECT_TRUE(Row(2)->Selected());

    // Remove still finds each row's own task.
    W->lvFiles->SetItemIndex(1);
    W->qvSkinButton3->Click();  // B to the top: numbers 2, 1, 3
    W->lvFiles->SetItemIndex(0);
    W->btnRemove->Click();
    EXPECT_EQ(Captions(), (QStringList{C, A}));
    EXPECT_EQ(W->Trevalon->GetTaskAVProbe(0, 0)->FileName(), C);
    EXPECT_EQ(W->Trevalon->GetTaskAVProbe(1, 0)->FileName(), A);
}

TEST_F(EditingTest, RenameEditorTakesOnlyNamesInsideTheOutputFolder) {
    StartWithOutputFolder();
    const QString movie = Input("movie.avi"), other = Input("other.avi");
    AddSeveral({movie, other});
    ASSERT_EQ(Captions(), (QStringList{other, movie}));
    TListItem* row = Row(1);
    ASSERT_TRUE(row->Selected());
    ASSERT_EQ(Sub(row, siOutputName), "movie.mp4");

    W->qvSkinButton21->Click();
    EXPECT_TRUE(W->edt->Visible());
    EXPECT_EQ(W->edt->Text(), "movie");

    const struct { const char* Typed; const char* Name; bool EditStays; } cases[] = {
        {"", "movie.mp4", true},
        {"a/b", "movie.mp4", true},
        {"..", "movie.mp4", true},
        {".", "movie.mp4", true},
        {"clip", "clip.mp4", false},
        {"other", "other_1.mp4", false},  // another row's output name
        {"clip", "clip.mp4", false},      // its own name is not taken by itself
    };
    for (const auto& c : cases) {
        W->qvSkinButton21->Click();
        W->edt->SetText(QString::fromUtf8(c.Typed));
        W->edtExit(W->edt);
        EXPECT_EQ(Sub(row, siOutputName), QString::fromUtf8(c.Name)) << c.Typed;
        EXPECT_EQ(W->edt->Visible(), c.EditStays) << c.Typed;
    }

    // Finishing after the selection went away still names the editor's own row.
    W->qvSkinButton21->Click();
    W->edt->SetText("gone");
    W->lvFiles->ClearSelection();
    W->edtExit(W->edt);
    EXPECT_FALSE(W->edt->Visible());
    EXPECT_EQ(Sub(row, siOutputName), "gone.mp4");

    // Without a row: the button and the menu say so, the double click does nothing.
    W->qvSkinButton21->Click();
    W->N26->Click();
    W->lvFiles->OnDblClick(W->lvFiles);
    EXPECT_EQ(Dialogs->Messages, (std::vector<QString>{"请先选中您需要重命名的项目！", "请先选中您需要重命名的项目！"}));
    EXPECT_FALSE(W->edt->Visible());

    // The selection keeps a typed base name.
    W->lvFiles->SetSelected(row);
    EXPECT_EQ(Sub(row, siOutputName), "gone.mp4");

    // The rename ends when the edit loses the focus.
    W->Show();
    QApplication::setActiveWindow(W);
    W->lvFiles->OnDblClick(W->lvFiles);
    ASSERT_TRUE(WaitUntil([&] { return W->edt->Focused(); }));
    W->edt->SetText("final");
    W->lvFiles->SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return !W->edt->Visible(); }));
    EXPECT_EQ(Sub(row, siOutputName), "final.mp4");
}

namespace {

// The centre of a row in the list's own view, for a user's click.
QPoint RowPoint(TForm1* w, int row) {
    w->lvFiles->LayOutViews();
    return w->lvFiles->ReportView()->visualRect(w->lvFiles->Model()->index(row, 0)).center();
}

QWidget* ListViewport(TForm1* w) { return w->lvFiles->ReportView()->viewport(); }

// A key to whatever holds the focus, as the keyboard sends it.
void Press(int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); }

// Replaces the focused edit's text as a user types it.
void Type(const QString& text) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// Picks a menu command with the keyboard: F10, right to the top item, Enter
// (its first item lit), down to the command, Enter. The focus stays where it was, as with the mouse.
void ChooseFromMenu(int topItem, int downs) {
    Press(Qt::Key_F10);
    for (int i = 0; i < topItem; ++i) Press(Qt::Key_Right);
    Press(Qt::Key_Return);
    for (int i = 0; i < downs; ++i) Press(Qt::Key_Down);
    Press(Qt::Key_Return);
}

}  // namespace

// The rename editor belongs to the row it was opened on: a menu command
// (which takes no focus) finishes it first, and nothing renames another row
// when the focus finally moves.
TEST_F(EditingTest, MenuCommandsFinishTheRenameEditorOnItsOwnRow) {
    StartWithThreeRows();  // c, b, a
    W->Show();
    QApplication::setActiveWindow(W);
    ASSERT_TRUE(QTest::qWaitForWindowActive(W));
    const QStringList before = {Sub(Row(0), siOutputName), Sub(Row(1), siOutputName)};

    // Double click on a's row, type a name, then Edit > 删除选择 from the keyboard.
    QTest::mouseClick(ListViewport(W), Qt::LeftButton, {}, RowPoint(W, 2));
    ASSERT_EQ(W->lvFiles->Selected(), Row(2));
    QTest::mouseDClick(ListViewport(W), Qt::LeftButton, {}, RowPoint(W, 2));
    ASSERT_TRUE(WaitUntil([&] { return W->edt->Focused(); }));
    Type("renamed");
    ASSERT_EQ(W->edt->Text(), "renamed");
    ChooseFromMenu(1, 2);  // 编辑: 上移文件, 下移文件, 删除选择
    ASSERT_TRUE(WaitUntil([&] { return Rows() == 2; }));
    EXPECT_FALSE(W->edt->Visible());
    // The focus moves on: the rows left keep their names.
    QTest::mouseClick(ListViewport(W), Qt::LeftButton, {}, RowPoint(W, 1));
    EXPECT_EQ(Captions(), (QStringList{C, B}));
    EXPECT_EQ((QStringList{Sub(Row(0), siOutputName), Sub(Row(1), siOutputName)}), before);

    // Opened on b, then moved up through the menu: the name goes with b.
    QTest::mouseDClick(ListViewport(W), Qt::LeftButton, {}, RowPoint(W, 1));
    ASSERT_TRUE(WaitUntil([&] { return W->edt->Focused(); }));
    Type("bee");
    ASSERT_EQ(W->edt->Text(), "bee");
    ChooseFromMenu(1, 0);  // 上移文件
    ASSERT_TRUE(WaitUntil([&] { return Captions() == QStringList({B, C}); }));
    EXPECT_FALSE(W->edt->Visible());
    EXPECT_EQ(Sub(Row(0), siOutputName), "bee.mp4");
    EXPECT_EQ(Sub(Row(1), siOutputName), before[0]);
    QTest::mouseClick(ListViewport(W), Qt::LeftButton, {}, RowPoint(W, 1));
    EXPECT_EQ(Sub(Row(0), siOutputName), "bee.mp4");
    EXPECT_EQ(Sub(Row(1), siOutputName), before[0]);
}

// Picking an option for the selected job and then adding another file leaves
// the first job as the user set it: its row, its lists when selected again,
// and what a start hands the engine.
TEST_F(EditingTest, AnAddLeavesTheSelectedJobsChoices) {
    StartWithOutputFolder();  // MP4 video, frame size "保持原分辨率"
    W->Show();
    QApplication::setActiveWindow(W);
    ASSERT_TRUE(QTest::qWaitForWindowActive(W));
    A = Input("a.avi");
    B = Input("b.avi");
    AddOne(A);
    ASSERT_EQ(Rows(), 1);
    ASSERT_TRUE(Row(0)->Selected());
    // The user steps the frame-size list down to "640*480".
    W->qvSkinComboBox1->SetFocus();
    for (int i = 0; i < 40 && W->qvSkinComboBox1->Text() != "640*480"; ++i) {
        W->qvSkinComboBox1->SetFocus();
        QTest::keyClick(W->qvSkinComboBox1, Qt::Key_Down);
    }
    ASSERT_EQ(W->qvSkinComboBox1->Text(), "640*480");
    ASSERT_EQ(Sub(Row(0), siFrameSize), "640*480");
    const TJobRow chosen = W->RowOf(Row(0));

    AddOne(B);
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(W->RowOf(Row(0)), chosen);

    QTest::mouseClick(ListViewport(W), Qt::LeftButton, {}, RowPoint(W, 0));
    ASSERT_EQ(W->lvFiles->Selected(), Row(0));
    EXPECT_EQ(W->qvSkinComboBox1->Text(), "640*480");
    EXPECT_EQ(W->RowOf(Row(0)), chosen);
    W->button28->Click();  // the start's rebuild
    ASSERT_EQ(W->JobRecords.Count(), 2);
    EXPECT_EQ(StartRecords(W->RowOf(Row(0)), W->JobRecords.At(0), Outputs.path()).Output.FrameSize, "640*480");
}
