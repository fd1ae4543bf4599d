// Conversion runs driven through the window's commands: the rows' reports,
// failures, pause and stop, a row moved mid-run, a vanished input, closing or
// starting again while a stop waits, and what follows the end of a run.
#include "tests/app/mainwindow/RunFixture.h"

#include "app/jobs/OutputName.h"
#include "platform/Application.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/forms/menu/Menus.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace jobs;

namespace {

const QString kFailed = QStringLiteral("失败：");

bool IsPercent(const QString& s) { return QRegularExpression(QStringLiteral("^\\d+%$")).match(s).hasMatch(); }

}  // namespace

// The end of a run, however it ended: list commands as a finished list needs
// them, the profile panel usable again.
void ExpectRunEndedStates(TForm1* W) {
    EXPECT_FALSE(W->CmdRemove.Enabled());
    EXPECT_FALSE(W->CmdRename.Enabled());
    EXPECT_TRUE(W->CmdClear.Enabled());
    EXPECT_FALSE(W->CmdStop.Enabled());
    EXPECT_FALSE(W->CmdPause.Enabled());
    EXPECT_FALSE(W->CmdResume.Enabled());
    EXPECT_FALSE(W->CmdAdd.Enabled());
    EXPECT_FALSE(W->btnStart->Enabled());
    EXPECT_FALSE(W->N7->Enabled());
    EXPECT_TRUE(W->qvSkinOfficeComboBox2->Enabled());
    EXPECT_TRUE(W->qvSkinButton5->Enabled());
}

TEST_F(RunTest, AFailedTaskShowsItsReasonInItsRowAndOneWarningWhileTheOthersFinish) {
    StartLoaded();
    const QString clip = TestMedia::Path(QStringLiteral("av1s.avi"));
    TListItem* mpg = AddJob(clip, 1404);  // AAC cannot go into an MPEG program stream
    TListItem* mp3 = AddJob(clip, 3000);
    SetThreads(2);
    W->qvSkinButton2->Click();

    // While running: the list is locked, the run can be paused or stopped.
    EXPECT_FALSE(W->CmdAdd.Enabled());
    EXPECT_FALSE(W->Item111->Enabled());
    EXPECT_FALSE(W->N3331->Enabled());
    EXPECT_FALSE(W->CmdClear.Enabled());
    EXPECT_FALSE(W->CmdStart.Enabled());
    EXPECT_TRUE(W->CmdStop.Enabled());
    EXPECT_TRUE(W->CmdPause.Enabled());
    EXPECT_FALSE(W->CmdResume.Enabled());
    EXPECT_FALSE(W->qvSkinOfficeComboBox1->Enabled());
    EXPECT_FALSE(W->qvSkinButton5->Enabled());

    ASSERT_TRUE(WaitForRunEnd());
    const QString progress = Sub(mpg, siProgress);
    EXPECT_TRUE(progress.startsWith(kFailed)) << progress.toStdString();
    EXPECT_TRUE(progress.contains(QStringLiteral("Must be one of"))) << progress.toStdString();
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    // The box names the job's input, then says what the row says.
    EXPECT_EQ(Prompt->Boxes[0].Text, mpg->Caption() + ": " + progress.mid(kFailed.size()));
    EXPECT_EQ(Prompt->Boxes[0].Caption, QStringLiteral("Quorvelia"));
    EXPECT_EQ(Prompt->Boxes[0].Flags, MB_OK | MB_ICONWARNING);
    EXPECT_EQ(Sub(mp3, siProgress), QStringLiteral("100%"));
    EXPECT_FALSE(Sub(mp3, siElapsed).isEmpty());
    EXPECT_TRUE(Sub(mp3, siOutputSize).endsWith(QStringLiteral("MB")));
    EXPECT_TRUE(QFileInfo(Out() + "/" + Sub(mp3, siOutputName)).size() > 0);
    ExpectRunEndedStates(W);
    EXPECT_FALSE(W->qvSkinButton2->Enabled()) << "only a Stop brings the toolbar Start back";
    EXPECT_EQ(Shell->Opened, QStringList{Out()});
}

TEST_F(RunTest, StopKeepsThePercentageAndBringsBackToolbarStartAndClear) {
    StartLoaded();
    TListItem* job = AddJob(LongClip(), 1104);
    Form5->qvSkinCheckRadioBox2->SetChecked(true);  // power off, also after a stop
    // Holds the worker at its first report, so the stop comes mid-run.
    AfterReport = [&](const TProgressInfo&) {
        if (Reports.size() == 1) W->Trevalon->Pause();
    };
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitFor([&] { return !Reports.empty(); }));
    W->qvSkinButton10->Click();

    ASSERT_TRUE(RunEnded()) << "Stop returns once the run is over";
    const QString kept = Sub(job, siProgress);
    EXPECT_TRUE(IsPercent(kept)) << kept.toStdString();
    EXPECT_NE(kept, QStringLiteral("100%"));
    EXPECT_FALSE(Ends.front().Finished);
    EXPECT_TRUE(W->qvSkinButton2->Enabled());
    ExpectRunEndedStates(W);
    EXPECT_TRUE(Prompt->Boxes.empty());
    EXPECT_EQ(Shell->PowerOffs, 1);
    EXPECT_TRUE(Shell->Opened.isEmpty());
}

TEST_F(RunTest, PauseThenStop) {
    StartLoaded();
    TListItem* job = AddJob(LongClip(), 1104);
    W->qvSkinButton2->Click();
    W->qvSkinButton11->Click();
    EXPECT_FALSE(W->CmdPause.Enabled());
    EXPECT_TRUE(W->CmdResume.Enabled());
    EXPECT_FALSE(W->qvSkinButton11->Visible());
    EXPECT_TRUE(W->qvSkinButton12->Visible());
    EXPECT_TRUE(W->CmdStop.Enabled());

    W->qvSkinButton10->Click();
    ASSERT_TRUE(RunEnded()) << "a stop ends paused workers too";
    EXPECT_NE(Sub(job, siProgress), QStringLiteral("100%"));
    ExpectRunEndedStates(W);
    EXPECT_TRUE(W->qvSkinButton2->Enabled());
}

TEST_F(RunTest, PauseAndResumeRunToTheEnd) {
    StartLoaded();
    TListItem* job = AddJob(TestMedia::Path(QStringLiteral("av1s.avi")), 3000);
    W->qvSkinButton2->Click();
    W->N10->Click();
    W->N11->Click();
    EXPECT_TRUE(W->CmdPause.Enabled());
    EXPECT_FALSE(W->CmdResume.Enabled());
    EXPECT_TRUE(W->qvSkinButton11->Visible());
    EXPECT_FALSE(W->qvSkinButton12->Visible());
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(Sub(job, siProgress), QStringLiteral("100%"));
}

TEST_F(RunTest, AVanishedInputRefusesToStartAndChangesNothing) {
    StartLoaded();
    const QString clip = TestMedia::Path(QStringLiteral("av1s.avi"));
    AddJob(Input("a.avi"), 3000);
    const QString gone = Input("b.avi");
    AddJob(gone, 3000);
    QFile::remove(gone);

    W->qvSkinButton2->Click();
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    EXPECT_TRUE(Prompt->Boxes[0].Text.contains(gone)) << Prompt->Boxes[0].Text.toStdString();
    EXPECT_EQ(Prompt->Boxes[0].Flags, MB_OK | MB_ICONWARNING);
    EXPECT_FALSE(W->Trevalon->Working());
    EXPECT_EQ(W->Trevalon->TasksCount(), 0);
    EXPECT_TRUE(W->CmdAdd.Enabled());
    EXPECT_TRUE(W->CmdStart.Enabled());
    EXPECT_TRUE(W->CmdClear.Enabled());
    EXPECT_FALSE(W->CmdStop.Enabled());
    EXPECT_TRUE(W->qvSkinOfficeComboBox1->Enabled());
    for (int i = 0; i < 50; ++i) QCoreApplication::processEvents();
    EXPECT_TRUE(Ends.empty());
}

TEST_F(RunTest, ARowMovedDuringTheRunGetsItsOwnJobsReports) {
    StartLoaded();
    const QString clip = TestMedia::Path(QStringLiteral("av1s.avi"));
    TListItem* first = AddJob(Input("good.avi"), 3000);
    AddJob(Input("bad.avi"), 1404);
    W->qvSkinButton2->Click();
    // Reports reach the window through its event loop, so all of them come
    // after this move.
    W->lvFiles->SetSelected(Row(0));
    W->qvSkinButton4->Click();
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_TRUE(W->lvFiles->Items()[0]->Caption().endsWith("bad.avi"));
    EXPECT_TRUE(Sub(W->lvFiles->Items()[0], siProgress).startsWith(kFailed));
    EXPECT_EQ(Sub(W->lvFiles->Items()[1], siProgress), QStringLiteral("100%"));
    EXPECT_EQ(first, W->lvFiles->Items()[0]);
}

// Run ended by Stop, then run again through the toolbar Start; Clear then
// opens the list to new rows, which convert in a run of their own.
TEST_F(RunTest, AfterAStopTheToolbarStartConvertsAgainAndClearLetsMoreRowsIn) {
    StartLoaded();
    TListItem* job = AddJob(Input("a.avi"), 3000);
    W->qvSkinButton2->Click();
    W->qvSkinButton10->Click();
    ASSERT_TRUE(RunEnded());
    ASSERT_TRUE(W->qvSkinButton2->Enabled());

    Ends.clear();
    W->qvSkinButton2->Click();
    EXPECT_FALSE(W->qvSkinButton2->Enabled());
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(Sub(job, siProgress), "100%");
    EXPECT_EQ(Sub(job, siOutputName), "a.mp3") << "a second start writes over its own output";
    EXPECT_FALSE(W->qvSkinButton2->Enabled());

    W->qvSkinButton8->Click();
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(W->CmdAdd.Enabled());
    TListItem* next = AddJob(Input("b.avi"), 3000);
    Ends.clear();
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(Sub(next, siProgress), "100%");
    EXPECT_TRUE(QFileInfo(Out() + "/b.mp3").size() > 0);
    EXPECT_TRUE(Prompt->Boxes.empty());
}

TEST_F(RunTest, ARefusedOutputIsLoggedAndItsTaskFailsWithTheReason) {
    StartLoaded();
    const QString clip = TestMedia::Path(QStringLiteral("av1s.avi"));
    TListItem* job = AddJob(clip, 3000);
    // A container the libraries do not know: attaching the output fails at the rebuild.
    job->SubItems().SetStrings(siOutputName, QStringLiteral("av1s.nosuchformat"));
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitForRunEnd());
    const QString log = W->mmoLog->Lines().Text();
    EXPECT_TRUE(log.contains(QStringLiteral("***Cannot do convert, error: "))) << log.toStdString();
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    const QString reason = Sub(job, siProgress).mid(kFailed.size());
    EXPECT_TRUE(log.contains(reason)) << reason.toStdString();
    EXPECT_NE(reason, QStringLiteral("At least one output file must be specified"));
    EXPECT_EQ(Sub(job, siProgress), kFailed + reason);
    EXPECT_EQ(Prompt->Boxes[0].Text, clip + ": " + reason);
}

TEST_F(RunTest, AnOutputFolderChangedSinceTheAddIsCheckedAgainAtStart) {
    StartLoaded();
    TListItem* job = AddJob(TestMedia::Path(QStringLiteral("av1s.avi")), 3000);
    const QString name = Sub(job, siOutputName);
    QTemporaryDir other;
    QFile existing(other.path() + "/" + name);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep");
    existing.close();
    W->Video_OutPut_Folder_Edit->SetText(other.path());
    W->FileOutPutPath = other.path();

    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(Sub(job, siOutputName), FileBaseName(name) + "_1" + FileExtension(name));
    EXPECT_EQ(Sub(job, siProgress), QStringLiteral("100%"));
    QFile kept(other.path() + "/" + name);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep"));
}

// Closing detaches the window's handlers before it stops the engine.
TEST_F(RunTest, ClosingDuringARunWaitsAndTouchesNoRow) {
    StartLoaded();
    TListItem* job = AddJob(LongClip(), 1104);
    AfterReport = [&](const TProgressInfo&) {
        if (Reports.size() == 1) W->Trevalon->Pause();
    };
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitFor([&] { return !Reports.empty(); }));
    const QString shown = Sub(job, siProgress);
    W->Show();
    W->Close();
    EXPECT_TRUE(Application()->Terminated());
    EXPECT_FALSE(W->Trevalon->Working() && !W->Trevalon->Terminated()) << "the run is over when closing returns";
    EXPECT_EQ(Sub(job, siProgress), shown);
    EXPECT_TRUE(Ends.empty());
    EXPECT_TRUE(Shell->Opened.isEmpty());
    EXPECT_FALSE(W->CmdClear.Enabled()) << "no end-of-run states were set";
}

// Stop brings the toolbar Start back before it waits; pressing it then meets a
// run that has not ended.
TEST_F(RunTest, ToolbarStartDuringTheStopsWaitChangesOnlyThePriority) {
    StartLoaded();
    AddJob(LongClip(), 1104);
    AfterReport = [&](const TProgressInfo&) {
        if (Reports.size() == 1) W->Trevalon->Pause();
    };
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitFor([&] { return !Reports.empty(); }));
    Form5->qvSkinCheckRadioBox10->SetChecked(true);
    ASSERT_EQ(W->Trevalon->ThreadPriority(), tpNormal);
    bool pressed = false;
    std::vector<bool> before, after;
    auto states = [&] {
        std::vector<bool> s;
        for (const TCommandState* c : {&W->CmdAdd, &W->CmdRemove, &W->CmdClear, &W->CmdStart, &W->CmdStop,
                                       &W->CmdPause, &W->CmdResume})
            s.push_back(c->Enabled());
        s.push_back(W->qvSkinOfficeComboBox1->Enabled());
        return s;
    };
    AfterEnd = [&](const TTerminateInfo& info) {
        if (info.TaskIndex < 0 || pressed) return;
        pressed = true;
        before = states();
        // A user's click goes through the application's guard, which shows the error.
        Application()->Guard([&] { W->qvSkinButton2->Click(); });
        after = states();
    };
    W->qvSkinButton10->Click();

    ASSERT_TRUE(pressed);
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    EXPECT_EQ(Prompt->Boxes[0].Text, QStringLiteral("Cannot ClearTasks while working."));
    EXPECT_EQ(before, after);
    EXPECT_EQ(W->Trevalon->ThreadPriority(), tpLowest);
    EXPECT_TRUE(RunEnded());
    EXPECT_EQ(W->Trevalon->TasksCount(), 1);
}

TEST_F(RunTest, StartSetsThePriorityOfTheTickedRadioAndKeepsItWhenNoneIs) {
    StartLoaded();
    AddJob(Input("a.avi"), 3000);
    struct Case {
        TqvSkinCheckRadioBox* radio;  // none: every radio cleared
        TThreadPriority before, expected;
    };
    const Case cases[] = {
        {Form5->qvSkinCheckRadioBox9, tpNormal, tpIdle},
        {Form5->qvSkinCheckRadioBox10, tpNormal, tpLowest},
        {Form5->qvSkinCheckRadioBox11, tpNormal, tpLower},
        {Form5->qvSkinCheckRadioBox12, tpIdle, tpNormal},
        {nullptr, tpLower, tpLower},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio ? c.radio->Name().toStdString() : "none");
        for (TqvSkinCheckRadioBox* r : {Form5->qvSkinCheckRadioBox9, Form5->qvSkinCheckRadioBox10,
                                         Form5->qvSkinCheckRadioBox11, Form5->qvSkinCheckRadioBox12})
            r->SetChecked(false);
        if (c.radio) c.radio->SetChecked(true);
        W->Trevalon->SetThreadPriority(c.before);
        Ends.clear();
        W->btnStart->Click();
        EXPECT_EQ(W->Trevalon->ThreadPriority(), c.expected);
        W->btnStop->Click();
        ASSERT_TRUE(RunEnded());
    }
}

TEST_F(RunTest, ReportsFillTheirJobsRow) {
    StartLoaded();
    TListItem* job = AppendJob(QStringLiteral("/in/clip.avi"), QStringLiteral("clip.mp3"), QStringLiteral("100"));
    jobs::TJobRecord record;
    record.RunTask = 0;
    W->JobRecords.Append(record);
    struct Case {
        std::int64_t current, total, size;
        int fps;
        QString progress, fpsText, elapsed, mb;
    };
    const Case cases[] = {
        {0, 0, 0, 0, "N/A", "", "00:00:00", "0MB"},
        {103'000'000, 100'000'000, 131072, 25, "103%", "25", "00:01:43", "0.12MB"},
        {90061'000'000, -1, 123456789, 0, "N/A", "25", "01:01:01", "117.74MB"},
    };
    for (const Case& c : cases) {
        TProgressInfo info;
        info.TaskIndex = 0;
        info.CurrentDuration = c.current;
        info.TotalDuration = c.total;
        info.CurrentSize = c.size;
        info.FPS = c.fps;
        W->TrevalonProgress(W->Trevalon, &info);
        EXPECT_EQ(Sub(job, siProgress), c.progress);
        EXPECT_EQ(Sub(job, siFps), c.fpsText);
        EXPECT_EQ(Sub(job, siElapsed), c.elapsed);
        EXPECT_EQ(Sub(job, siOutputSize), c.mb);
    }
    TProgressInfo other;
    other.TaskIndex = 5;  // a task no row holds
    W->TrevalonProgress(W->Trevalon, &other);
    EXPECT_EQ(Sub(job, siOutputSize), "117.74MB");

    W->TrevalonTerminate(W->Trevalon, {0, true, false, {}});
    EXPECT_EQ(Sub(job, siProgress), "100%");

    W->FFLoggerLog(W->FFLogger, 4294967295u, llDebug, "abc");
    EXPECT_EQ(W->mmoLog->Lines()[W->mmoLog->Lines().Count() - 1], "#4294967295.7: abc");
}

TEST_F(RunTest, TheEndOfARunCarriesOutTheChosenAction) {
    Start();
    W->Video_OutPut_Folder_Edit->SetText(QStringLiteral("/out/folder"));
    const QString sound = Program() + "sounds/ring001.wav";
    struct Case {
        TqvSkinCheckRadioBox* radio;
        bool soundFile;
        QStringList opened, sounds;
        int powerOffs;
    };
    const Case cases[] = {
        {Form5->qvSkinCheckRadioBox1, true, {"/out/folder"}, {}, 0},
        {Form5->qvSkinCheckRadioBox2, true, {}, {}, 1},
        {Form5->qvSkinCheckRadioBox4, true, {}, {sound}, 0},
        {Form5->qvSkinCheckRadioBox4, false, {}, {}, 0},
        {Form5->qvSkinCheckRadioBox5, true, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio->Name().toStdString() + (c.soundFile ? " with sound" : " without sound"));
        Shell->Opened.clear();
        Shell->Sounds.clear();
        Shell->PowerOffs = 0;
        QDir(Program()).removeRecursively();
        QDir().mkpath(Program() + "sounds");
        if (c.soundFile) {
            QFile f(sound);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        c.radio->SetChecked(true);
        W->TrevalonTerminate(W->Trevalon, {-1, true, false, {}});
        EXPECT_EQ(Shell->Opened, c.opened);
        EXPECT_EQ(Shell->Sounds, c.sounds);
        EXPECT_EQ(Shell->PowerOffs, c.powerOffs);
    }
}

// A file cut off as an interrupted download leaves it converts what is there,
// and its row says the input ended early rather than a plain 100%.
TEST_F(RunTest, ACutOffInputFinishesWithItsEarlyEndInItsRow) {
    StartLoaded();
    QFile whole(TestMedia::Path(QStringLiteral("av.avi")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString cut = Inputs.path() + "/cut.avi";
    QFile part(cut);
    ASSERT_TRUE(part.open(QIODevice::WriteOnly));
    ASSERT_EQ(part.write(bytes.left(bytes.size() * 55 / 100)), bytes.size() * 55 / 100);
    part.close();
    TListItem* job = AddJob(cut, 3000);
    TListItem* intact = AddJob(TestMedia::Path(QStringLiteral("av.avi")), 3000);
    QTest::mouseClick(W->qvSkinButton2, Qt::LeftButton, {}, W->qvSkinButton2->rect().center());
    ASSERT_TRUE(WaitForRunEnd());
    const QString progress = Sub(job, siProgress);
    EXPECT_TRUE(progress.startsWith(QStringLiteral("100%：Input #0 ended early"))) << progress.toStdString();
    EXPECT_GT(QFileInfo(Out() + "/" + Sub(job, siOutputName)).size(), 0) << "what was there is converted";
    EXPECT_EQ(Sub(intact, siProgress), QStringLiteral("100%"));
    EXPECT_TRUE(Prompt->Boxes.empty());
}
