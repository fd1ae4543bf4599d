// Every box the main window raises is the skinned message box in the window's
// skin of the moment: notices, a refused start, a failed job's warning. The
// program's own prompt is in place (no recording prompt); the boxes are
// answered by real keys and clicks on their buttons.
#include "tests/app/mainwindow/RunFixture.h"

#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/dialogs/SkinMessage.h"
#include "skin/forms/shell/SelectSkinDialog.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/model/SkinData.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

struct TSeenBox {
    QString Text, Caption;
    TqvSkinData* Frame = nullptr;     // the box's form component's model
    TqvSkinData* Controls = nullptr;  // its OK button's model
    int Skin = -1;                    // that model's skin at the time
    bool ButtonSkinned = false;       // the OK button found its record
};

TqvMessageForm* OpenBox() {
    for (TForm* f : Application()->Forms())
        if (auto* m = qobject_cast<TqvMessageForm*>(f); m && m->isVisible()) return m;
    return nullptr;
}

TSeenBox Seen(TqvMessageForm* box) {
    TSeenBox s;
    s.Text = box->Message()->Caption();
    s.Caption = box->Caption();
    s.Frame = box->FormComponent()->SkinData();
    if (TqvSkinButton* ok = box->Button(mbOK)) {
        s.Controls = ok->SkinData();
        s.ButtonSkinned = s.Controls && s.Controls->GetControlIndex(ok->SkinDataName()) >= 0;
    }
    if (s.Frame) s.Skin = s.Frame->SkinIndex();
    return s;
}

// Notes every box that opens and answers it: `answer` acts on the open box
// with real input (a key or a click on one of its buttons).
class TBoxWatcher {
public:
    std::vector<TSeenBox> Boxes;
    std::function<void(TqvMessageForm*)> Answer = [](TqvMessageForm* box) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, Qt::Key_Return);
    };
    TBoxWatcher() {
        FTimer.setInterval(5);
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            // A plain box is noted unskinned and closed, so a wrong box fails the test instead of hanging it.
            if (auto* plain = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                Boxes.push_back({plain->text(), plain->windowTitle()});
                plain->done(QMessageBox::Ok);
                return;
            }
            TqvMessageForm* box = OpenBox();
            if (!box || box == FLast) return;
            FLast = box;
            Boxes.push_back(Seen(box));
            Answer(box);
        });
        FTimer.start();
    }

private:
    QTimer FTimer;
    QPointer<TqvMessageForm> FLast;
};

}  // namespace

class MainWindowMessages : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        // The program's own boxes: no recording prompt.
        Application()->SetPrompt(nullptr);
    }
    void ExpectSkinned(const TSeenBox& box, int skin) const {
        EXPECT_EQ(box.Frame, W->qvSkinData1) << box.Text.toStdString();
        EXPECT_EQ(box.Controls, W->qvSkinData1) << box.Text.toStdString();
        EXPECT_TRUE(box.ButtonSkinned) << box.Text.toStdString();
        EXPECT_EQ(box.Skin, skin) << box.Text.toStdString();
    }
};

// The notices through the program's own dialogs, in three skins chosen one
// after the other through the skin command.
class MainWindowNotices : public MainWindowMessages {
protected:
    void SetUp() override {
        MainWindowMessages::SetUp();
        W = app::StartApplication();
        ASSERT_NE(W, nullptr);
    }
    void ChooseSkin(int index) {
        QTimer::singleShot(0, [this, index] {
            TqvSelectSkinDlgForm* f = W->qvSelectSkinDialog1->Form();
            ASSERT_TRUE(f && f->isVisible());
            f->SkinsListBox->SetItemIndex(index);
            f->SkinsListBox->OnListBoxClick(f->SkinsListBox);
            QTest::mouseClick(f->OpenButton, Qt::LeftButton);
        });
        QTest::mouseClick(W->qvSkinButton9, Qt::LeftButton);
        ASSERT_EQ(W->qvSkinData1->SkinIndex(), index);
    }
};

TEST_F(MainWindowNotices, EveryNoticeIsTheSkinnedBoxInTheSkinOfTheMoment) {
    for (const char* name : {"a.avi", "b.avi", "c.avi"}) {
        jobs::TJobRow row;
        row.Caption = Inputs.path() + "/" + name;
        W->AppendRow(row);
    }
    W->CmdRemove.SetEnabled(true);
    W->CmdRename.SetEnabled(true);
    W->lvFiles->ClearSelection();
    const struct {
        TqvSkinButton* Button;
        const char* Text;
    } commands[] = {
        {W->qvSkinButton7, "请先选择您需要删除的项目！"},
        {W->qvSkinButton21, "请先选中您需要重命名的项目！"},
    };
    for (int skin : {0, 6, 10}) {
        ChooseSkin(skin);
        for (const auto& c : commands) {
            TBoxWatcher watch;
            QTest::mouseClick(c.Button, Qt::LeftButton);
            ASSERT_EQ(watch.Boxes.size(), 1u) << "skin " << skin << " " << c.Text;
            EXPECT_EQ(watch.Boxes[0].Text, QString::fromUtf8(c.Text));
            EXPECT_EQ(watch.Boxes[0].Caption, QStringLiteral("提示"));
            ExpectSkinned(watch.Boxes[0], skin);
            EXPECT_FALSE(OpenBox()) << "Enter on OK closed the box";
        }
    }
    EXPECT_EQ(W->lvFiles->Items().Count(), 3);
}

// The application's boxes while the window lives: its answers are the
// buttons the user presses.
TEST_F(MainWindowNotices, TheApplicationsBoxesAreSkinnedAndAnswerWithTheButtonPressed) {
    const struct {
        unsigned Flags;
        TMsgDlgBtn Click;  // mbHelp: press Escape instead
        int Answer;
    } cases[] = {
        {MB_YESNO | MB_ICONQUESTION, mbNo, IDNO},
        {MB_YESNO | MB_ICONQUESTION, mbYes, IDYES},
        {MB_YESNOCANCEL, mbCancel, IDCANCEL},
        {MB_OKCANCEL | MB_ICONWARNING, mbHelp, IDCANCEL},
        {MB_OKCANCEL | MB_ICONWARNING, mbOK, IDOK},
        {MB_RETRYCANCEL | MB_ICONERROR, mbRetry, IDRETRY},
        {MB_ABORTRETRYIGNORE, mbIgnore, IDIGNORE},
        {MB_OK | MB_ICONINFORMATION, mbHelp, IDOK},
    };
    W->qvSkinData1->SetSkinIndex(8);
    for (const auto& c : cases) {
        TBoxWatcher watch;
        watch.Answer = [&](TqvMessageForm* box) {
            if (c.Click == mbHelp)
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, Qt::Key_Escape);
            else
                QTest::mouseClick(box->Button(c.Click), Qt::LeftButton);
        };
        EXPECT_EQ(Application()->MessageBox(QStringLiteral("Go on?"), {}, c.Flags), c.Answer) << c.Flags;
        ASSERT_EQ(watch.Boxes.size(), 1u);
        EXPECT_EQ(watch.Boxes[0].Caption, QStringLiteral("Quorvelia"));
        EXPECT_EQ(watch.Boxes[0].Frame, W->qvSkinData1);
        EXPECT_EQ(watch.Boxes[0].Skin, 8);
    }
}

TEST_F(MainWindowMessages, ARefusedStartShowsTheSkinnedWarning) {
    StartLoaded();
    W->qvSkinData1->SetSkinIndex(6);
    AddJob(Input("a.avi"), 3000);
    const QString gone = Input("b.avi");
    AddJob(gone, 3000);
    QFile::remove(gone);
    TBoxWatcher watch;
    watch.Answer = [](TqvMessageForm* box) { QTest::mouseClick(box->Button(mbOK), Qt::LeftButton); };
    QTest::mouseClick(W->qvSkinButton2, Qt::LeftButton);
    ASSERT_EQ(watch.Boxes.size(), 1u);
    EXPECT_TRUE(watch.Boxes[0].Text.contains(gone)) << watch.Boxes[0].Text.toStdString();
    EXPECT_EQ(watch.Boxes[0].Caption, QStringLiteral("Quorvelia"));
    ExpectSkinned(watch.Boxes[0], 6);
    EXPECT_FALSE(W->Trevalon->Working());
}

TEST_F(MainWindowMessages, AFailedJobsWarningIsTheSkinnedBox) {
    StartLoaded();
    W->qvSkinData1->SetSkinIndex(10);
    AddJob(TestMedia::Path(QStringLiteral("av1s.avi")), 1404);  // AAC cannot go into an MPEG program stream
    TBoxWatcher watch;
    QTest::mouseClick(W->qvSkinButton2, Qt::LeftButton);
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_TRUE(WaitFor([&] { return !watch.Boxes.empty() && !OpenBox(); }));
    ASSERT_EQ(watch.Boxes.size(), 1u);
    EXPECT_EQ(watch.Boxes[0].Caption, QStringLiteral("Quorvelia"));
    ExpectSkinned(watch.Boxes[0], 10);
}
