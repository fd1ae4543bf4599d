// Adding files: the three commands, their log lines, the rows they leave and
// the failures that skip a file or end the command.
#include "tests/app/mainwindow/AddsFixture.h"

#include "app/jobs/JobState.h"
#include "app/jobs/OutputName.h"
#include "app/legacy/LegacySettingsForm.h"
#include "app/options/OptionsForm.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"

#include <sys/stat.h>

using namespace jobs;

TEST_F(AddsTest, CancelledDialogsAddNothing) {
    StartWithOutputFolder();
    const QString a = Input("a.avi");
    AddFolder(Inputs.path());
    ASSERT_EQ(Rows(), 1);
    const QStringList logBefore = LogLines();

    W->btnAdd->Click();
    W->Button8->Click();
    W->Button12->Click();
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(LogLines(), logBefore);
    EXPECT_TRUE(Dialogs->Messages.empty());
    EXPECT_EQ(W->Trevalon->TasksCount(), 1);
}

TEST_F(AddsTest, OneFileBecomesASelectedJob) {
    StartWithOutputFolder();
    const QString a = Input("movie.avi");
    AddOne(a);
    ASSERT_EQ(Rows(), 1);
    TListItem* row = Row(0);
    EXPECT_EQ(row->Caption(), a);
    EXPECT_TRUE(row->Selected());
    EXPECT_EQ(Sub(row, siDuration), "00:00:01");
    EXPECT_EQ(Sub(row, siOutputName), "movie.mp4");
    EXPECT_EQ(Sub(row, siTaskNumber), "1");
    const auto [category, profile] = PositionOf(1104);
    EXPECT_EQ(Sub(row, siCategoryCode), QString::number(profiles::CategoryRowCode(category, profile)));
    EXPECT_EQ(Sub(row, siVideoCodec), "libx264");
    EXPECT_EQ(Sub(row, siProgress), "");
    EXPECT_EQ(Sub(row, siDisableVideo), "False");
    EXPECT_FALSE(W->qvSkinPanel5->Visible());
    EXPECT_TRUE(W->CmdRemove.Enabled());
    EXPECT_TRUE(W->CmdClear.Enabled());
    EXPECT_TRUE(W->CmdStart.Enabled());
    EXPECT_TRUE(W->CmdRename.Enabled());
    EXPECT_EQ(W->JobRecords.Count(), 1);
    EXPECT_EQ(W->JobRecords.At(0).Input.FileName, a);
    EXPECT_EQ(W->T_Movie_PLayer_FileName, a);

    const QStringList log = LogLines();
    const int info = log.indexOf("File Name: " + a);
    ASSERT_GT(info, 0) << log.join("\n").toStdString();
    EXPECT_EQ(log[info - 1], "");
    const int ok = log.indexOf("***Can do convert.");
    ASSERT_GT(ok, info);
    EXPECT_EQ(log[ok - 1], "");
    // The add's lines end with an empty one; the preview's follow.
    EXPECT_EQ(log.value(ok + 1), "");
}

TEST_F(AddsTest, UnreadableFileLeavesOnlyLogLines) {
    StartWithOutputFolder();
    const QString junk = Junk("noise.avi");
    AddOne(junk);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(W->Trevalon->TasksCount(), 0);
    EXPECT_TRUE(W->qvSkinPanel5->Visible());
    EXPECT_FALSE(W->CmdStart.Enabled());
    const QStringList log = LogLines();
    int at = -1;
    for (int i = 0; i < log.size(); ++i)
        if (log[i].startsWith("***File load error: " + junk + ": ")) at = i;
    ASSERT_GT(at, 0) << log.join("\n").toStdString();
    EXPECT_EQ(log[at - 1], "");
    ASSERT_EQ(at + 1, log.size() - 1);
    EXPECT_EQ(log[at + 1], "");
    EXPECT_FALSE(log.contains("***Can do convert."));
    EXPECT_TRUE(Dialogs->Messages.empty());
}

TEST_F(AddsTest, SeveralFilesComeInReverseOrderAndAProbeFailureSkipsOnlyItsFile) {
    StartWithOutputFolder();
    const QString a = Input("a.avi"), junk = Junk("b.avi"), c = Input("c.mp4", "av.mp4");
    AddSeveral({a, junk, c});
    EXPECT_EQ(Captions(), (QStringList{c, a}));
    EXPECT_TRUE(Row(1)->Selected());
    EXPECT_EQ(Sub(Row(0), siTaskNumber), "1");
    EXPECT_EQ(Sub(Row(1), siTaskNumber), "2");
    EXPECT_EQ(W->JobRecords.Count(), 2);
    EXPECT_EQ(W->JobRecords.At(0).Input.FileName, c);
}

TEST_F(AddsTest, AVanishedEntryEndsTheCommandWithoutSelecting) {
    StartWithOutputFolder();
    const QString a = Input("a.avi"), b = Input("b.avi"), c = Input("c.avi");
    QFile::remove(b);
    AddSeveral({a, b, c});
    EXPECT_EQ(Captions(), QStringList{c});
    EXPECT_EQ(W->lvFiles->Selected(), nullptr);
    EXPECT_TRUE(Dialogs->Messages.empty());
}

TEST_F(AddsTest, FolderAddTriesEveryFileOfTheFolderAndNoneBelow) {
    StartWithOutputFolder();
    const QString hidden = Input(".hidden.avi"), plain = Input("plain");
    Junk("notes.txt");
    QDir(Inputs.path()).mkdir("sub");
    QFile::copy(TestMedia::Path("av1s.avi"), Inputs.path() + "/sub/deep.avi");
    AddFolder(Inputs.path());
    QStringList rows = Captions();
    rows.sort();
    EXPECT_EQ(rows, (QStringList{hidden, plain}));
    EXPECT_TRUE(Row(1)->Selected());
    EXPECT_TRUE(Dialogs->Messages.empty());
    // Name order, reversed: the first name ends last and selected.
    EXPECT_EQ(Captions(), (QStringList{plain, hidden}));
}

// Files created in an order that is not their names' order: the listing and
// so the rows follow the names, not the folder's storage.
TEST_F(AddsTest, FolderAddListsFilesInNameOrder) {
    StartWithOutputFolder();
    const QStringList names{"m.avi", "z.avi", "b.avi", "a.avi", "k.avi", "c.avi", "y.avi", "d.avi"};
    QStringList paths;
    for (const QString& n : names) paths << Input(n);
    QStringList sorted = paths;
    sorted.sort();
    const auto listed = TForm1::GetFilenames(Inputs.path(), "*.*");
    ASSERT_TRUE(listed);
    EXPECT_EQ(*listed, sorted);
    AddFolder(Inputs.path());
    QStringList reversed;
    for (const QString& p : sorted) reversed.prepend(p);
    EXPECT_EQ(Captions(), reversed);
    EXPECT_TRUE(Row(Rows() - 1)->Selected());
}

// A named pipe in the folder is refused by the probe at once (opening it
// would wait for a writer on the interface thread) and skipped like any file
// the probe cannot open; the files around it are added.
TEST_F(AddsTest, FolderAddSkipsANamedPipeAndGoesOn) {
    StartWithOutputFolder();
    const QString a = Input("a.avi"), c = Input("c.mp4", "av.mp4");
    const QString pipe = Inputs.path() + "/pipe.avi";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    AddFolder(Inputs.path());
    QStringList rows = Captions();
    rows.sort();
    EXPECT_EQ(rows, (QStringList{a, c}));
    EXPECT_TRUE(LogLines().contains("***File load error: " + pipe + ": Not a regular file"))
        << LogLines().join("\n").toStdString();
    EXPECT_TRUE(Dialogs->Messages.empty());
}

TEST_F(AddsTest, FolderWithNothingToAddShowsTheNotice) {
    StartWithOutputFolder();
    QDir(Inputs.path()).mkpath("one/two");
    QFile::copy(TestMedia::Path("av1s.avi"), Inputs.path() + "/one/clip.avi");
    Junk("readme.txt");
    AddFolder(Inputs.path());
    EXPECT_EQ(Rows(), 0);
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_EQ(Dialogs->Messages[0], "在该目录没有发现可以用的视频或音频文件！");

    // A folder that does not exist ends the command quietly.
    AddFolder(Inputs.path() + "/missing");
    EXPECT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_FALSE(TForm1::GetFilenames(Inputs.path() + "/missing", "*.*"));
}

TEST_F(AddsTest, GetFilenamesMatchesItsMask) {
    Input("x.avi");
    Input("y.AVI");
    Input("z.mp4", "av.mp4");
    QDir(Inputs.path()).mkdir("d.avi");
    const auto avi = TForm1::GetFilenames(Inputs.path() + "/", "*.avi");
    ASSERT_TRUE(avi);
    QStringList names = *avi;
    names.sort();
    EXPECT_EQ(names, (QStringList{Inputs.path() + "/x.avi", Inputs.path() + "/y.AVI"}));  // as the dialogs match
}

TEST_F(AddsTest, ARefusedOutputKeepsItsJobAndTheCommandGoesOn) {
    StartWithOutputFolder();
    ChooseCode(212);
    const QString a = Input("a.avi"), b = Input("b.avi");
    AddSeveral({a, b});
    ASSERT_EQ(Captions(), (QStringList{b, a}));
    const QString reason = W->JobRecords.At(0).Refusal;
    EXPECT_TRUE(reason.endsWith("Unknown encoder 'libopencore_amrnb'")) << reason.toStdString();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Sub(Row(i), siProgress), FailedText(reason)) << i;
        EXPECT_EQ(W->JobRecords.At(i).Refusal, reason);
    }
    EXPECT_EQ(W->Trevalon->TasksCount(), 2);  // the tasks stay, without output
    EXPECT_EQ(LogLines().count("***Cannot do convert, error: " + reason), 2);
    EXPECT_FALSE(LogLines().contains("***Can do convert."));
    EXPECT_TRUE(W->CmdStart.Enabled());
    EXPECT_TRUE(Row(1)->Selected());

    // A profile the engine takes adds normally after it.
    ChooseCode(1104);
    AddOne(Input("c.avi"));
    EXPECT_EQ(Sub(Row(2), siProgress), "");
    EXPECT_EQ(Sub(Row(2), siTaskNumber), "3");
}

TEST_F(AddsTest, OverwriteLeavesAnExistingOutputUntouchedUntilTheRun) {
    StartWithOutputFolder();
    ASSERT_NE(Form5, nullptr);
    const QString existing = Outputs.path() + "/clip.mp4";
    {
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("older output");
    }
    AddOne(Input("clip.avi"));
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Sub(Row(0), siOutputName), "clip_1.mp4");  // numbered without overwrite

    Form5->qvSkinCheckRadioBox3->SetChecked(true);
    AddOne(Input("clip.avi"));
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Sub(Row(1), siOutputName), "clip.mp4");
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "older output");
    EXPECT_FALSE(QFile::exists(Outputs.path() + "/clip_1.mp4"));
}

TEST_F(AddsTest, EveryNewRowReadsAsItsSelectionLeavesIt) {
    StartWithOutputFolder();
    for (int code : {3000, 1104}) {  // audio only (video disabled), and video
        W->btnClear->Click();
        ChooseCode(code);
        AddSeveral({Input("a.avi"), Input("b.avi"), Input("c.avi")});
        ASSERT_EQ(Rows(), 3);
        std::vector<QStringList> before;
        for (int i = 0; i < 3; ++i) {
            before.push_back(Row(i)->SubItems().ToStringList());
            EXPECT_EQ(Sub(Row(i), siDisableVideo), code == 3000 ? "True" : "False") << code << " " << i;
            EXPECT_EQ(W->JobRecords.At(i).Output.DisableVideo, code == 3000) << code << " " << i;
        }
        for (int i : {0, 2, 1, 0}) {
            W->lvFiles->SetItemIndex(i);
            for (int r = 0; r < 3; ++r)
                EXPECT_EQ(Row(r)->SubItems().ToStringList(), before[r]) << code << " after selecting " << i;
        }
        // A file added on its own gets the same job.
        AddOne(Input("d.avi"));
        ASSERT_EQ(Rows(), 4);
        EXPECT_EQ(Row(3)->SubItems().ToStringList().mid(siCategoryCode),
                  Row(0)->SubItems().ToStringList().mid(siCategoryCode)) << code;
    }
}

// The settings dialog made at start-up writes the window's fields; a job
// added afterwards still gets its own profile's values.
TEST_F(AddsTest, AJobAddedAfterStartUpKeepsItsProfilesDisabledVideo) {
    StartWithOutputFolder();
    ASSERT_NE(Form6, nullptr);
    ChooseCode(3000);
    W->VideoFields.Video_DisableVideo = false;  // as the settings dialog leaves it
    AddOne(Input("song.avi"));
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Sub(Row(0), siDisableVideo), "True");
    EXPECT_TRUE(W->JobRecords.At(0).Output.DisableVideo);
    EXPECT_TRUE(W->VideoFields.Video_DisableVideo);
}

// For every profile: a row of a several-files add that no selection touched
// holds what the selection leaves in the row it restores.
TEST_F(AddsTest, UnselectedRowsEqualSelectedOnesForEveryProfile) {
    StartWithOutputFolder();
    const QString a = Input("a.avi"), b = Input("b.avi");
    int checked = 0;
    for (int c = 0; c < profiles::CategoryRowCount; ++c)
        for (int p = 0; p < int(profiles::ProfilesOfCategoryRow(c).size()); ++p) {
            W->btnClear->Click();
            Choose(c, 0);
            W->qvSkinOfficeComboBox1->SetItemIndex(p);
            AddSeveral({a, b});
            ASSERT_EQ(Captions(), (QStringList{b, a}));
            ASSERT_TRUE(Row(1)->Selected());
            const QStringList untouched = Row(0)->SubItems().ToStringList();
            const QStringList restored = Row(1)->SubItems().ToStringList();
            const int code = profiles::ProfileCode(c, p);
            EXPECT_EQ(untouched.mid(siCategoryCode), restored.mid(siCategoryCode)) << code;
            EXPECT_EQ(FileExtension(untouched[siOutputName]), FileExtension(restored[siOutputName])) << code;
            ++checked;
        }
    EXPECT_EQ(checked, profiles::ProfileCount);
}
