// What the user owns survives a run, and the list stays usable whatever a run
// meets: inputs and foreign files are never written over, a refused Start
// leaves rows that can be removed, failing jobs do not hold up the others,
// and a read-only settings file stays as it is. Driven through the window's
// own buttons, list and keys.
#include "tests/app/mainwindow/RunFixture.h"

#include "app/jobs/OutputName.h"
#include "platform/Application.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/model/SkinData.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace jobs;

namespace {

const QString kFailed = QStringLiteral("失败：");

std::string Sha256(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result().toHex().toStdString();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Runs a nested event loop until done() holds, the way a modal box runs one:
// only what reaches the thread as events is served. The limit only ends a hang.
bool RunLoopUntil(const std::function<bool()>& done, int limitMs = 300000) {
    if (done()) return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    check.start(10);
    loop.exec();
    return done();
}

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

}  // namespace

class SafetyTest : public RunTest {
protected:
    void SetOverwrite(bool on) {
        (on ? Form5->qvSkinCheckRadioBox3 : Form5->qvSkinCheckRadioBox6)->SetChecked(true);
    }
    void UseFolder(const QString& folder) {
        W->Video_OutPut_Folder_Edit->SetText(folder);
        W->FileOutPutPath = folder;
    }
    // Start as the user starts: the toolbar button; then the run's end.
    void StartAndFinish() {
        Ends.clear();
        Reports.clear();
        Click(W->qvSkinButton2);
        ASSERT_TRUE(WaitForRunEnd());
    }
    QPoint RowPoint(int row) const {
        W->lvFiles->LayOutViews();
        return W->lvFiles->ReportView()->visualRect(W->lvFiles->Model()->index(row, 0)).center();
    }
    QWidget* ListViewport() const { return W->lvFiles->ReportView()->viewport(); }
    static QStringList FilesIn(const QString& folder) {
        QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        names.sort();
        return names;
    }
};

// X/song.mp3 and X/song.wav, output into X: whichever order they were added
// in and whatever the overwrite choice, neither input is written and each job
// gets its own numbered name.
TEST_F(SafetyTest, NoJobWritesOverAnInputOfTheList) {
    StartLoaded();
    W->Show();
    struct TCase {
        bool Mp3First, Overwrite;
        const char *Mp3Name, *WavName;
    } cases[] = {
        {true, true, "song_1.mp3", "song_2.mp3"},
        {true, false, "song_1.mp3", "song_2.mp3"},
        // The .wav row was named song.mp3 before song.mp3 was in the list:
        // Start names it again.
        {false, true, "song_1.mp3", "song_2.mp3"},
        {false, false, "song_2.mp3", "song_1.mp3"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Mp3First ? "mp3 first" : "wav first") + (c.Overwrite ? ", overwrite" : ""));
        QTemporaryDir x;
        const QString mp3 = x.path() + "/song.mp3", wav = x.path() + "/song.wav";
        ASSERT_TRUE(TestMedia::RunFFmpeg({"-f", "lavfi", "-i", "sine=f=440:d=1", "-c:a", "libmp3lame", mp3}));
        ASSERT_TRUE(TestMedia::RunFFmpeg({"-f", "lavfi", "-i", "sine=f=660:d=1", wav}));
        const std::string mp3Hash = Sha256(mp3), wavHash = Sha256(wav);
        SetOverwrite(c.Overwrite);
        UseFolder(x.path());
        TListItem* first = AddJob(c.Mp3First ? mp3 : wav, 3000);
        TListItem* second = AddJob(c.Mp3First ? wav : mp3, 3000);
        TListItem* mp3Row = c.Mp3First ? first : second;
        TListItem* wavRow = c.Mp3First ? second : first;

        StartAndFinish();
        EXPECT_EQ(Sha256(mp3), mp3Hash);
        EXPECT_EQ(Sha256(wav), wavHash);
        EXPECT_EQ(Sub(mp3Row, siOutputName), c.Mp3Name);
        EXPECT_EQ(Sub(wavRow, siOutputName), c.WavName);
        EXPECT_EQ(Sub(mp3Row, siProgress), QStringLiteral("100%"));
        EXPECT_EQ(Sub(wavRow, siProgress), QStringLiteral("100%"));
        EXPECT_EQ(FilesIn(x.path()), (QStringList{"song.mp3", "song.wav", "song_1.mp3", "song_2.mp3"}));
        EXPECT_GT(QFileInfo(x.path() + "/song_1.mp3").size(), 0);
        EXPECT_GT(QFileInfo(x.path() + "/song_2.mp3").size(), 0);
        EXPECT_TRUE(Prompt->Boxes.empty());
        Click(W->qvSkinButton8);  // Clear, so the next case can add
        ASSERT_EQ(Rows(), 0);
    }
}

// "Rename, never overwrite": a file that appears under the job's name after
// the add stays; the job's own partial output of a stopped run is written
// over by the next Start, but not once the user has changed it.
TEST_F(SafetyTest, WithoutOverwriteOnlyTheJobsOwnEarlierOutputIsWrittenOver) {
    StartLoaded();
    W->Show();
    SetOverwrite(false);
    TListItem* job = AddJob(LongClip(), 3000);
    ASSERT_EQ(Sub(job, siOutputName), "run_long.mp3");
    const QString foreign = Out() + "/run_long.mp3";
    WriteBytes(foreign, "saved by the user after the add");
    const std::string foreignHash = Sha256(foreign);
    // Each run is stopped at its first report.
    AfterReport = [&](const TProgressInfo&) {
        if (Reports.size() == 1) W->Trevalon->Pause();
    };
    const auto startThenStop = [&] {
        Ends.clear();
        Reports.clear();
        Click(W->qvSkinButton2);
        ASSERT_TRUE(WaitFor([&] { return !Reports.empty(); }));
        Click(W->qvSkinButton10);
        ASSERT_TRUE(RunEnded());
    };

    startThenStop();
    ASSERT_EQ(Sub(job, siOutputName), "run_long_1.mp3");
    const QString partial = Out() + "/run_long_1.mp3";
    ASSERT_TRUE(QFileInfo(partial).isFile()) << "a stopped job keeps its partial output";

    // Its own partial output: the same name again.
    startThenStop();
    EXPECT_EQ(Sub(job, siOutputName), "run_long_1.mp3");
    EXPECT_EQ(FilesIn(Out()), (QStringList{"run_long.mp3", "run_long_1.mp3"}));

    // The user changed it: no longer the job's to write over, so the name it
    // has now is numbered.
    QFile changed(partial);
    ASSERT_TRUE(changed.open(QIODevice::Append));
    changed.write("the user's own bytes");
    changed.close();
    const std::string changedHash = Sha256(partial);
    AfterReport = nullptr;
    StartAndFinish();
    EXPECT_EQ(Sub(job, siOutputName), "run_long_1_1.mp3");
    EXPECT_EQ(Sub(job, siProgress), QStringLiteral("100%"));
    EXPECT_EQ(Sha256(partial), changedHash);
    EXPECT_EQ(Sha256(foreign), foreignHash);
    EXPECT_GT(QFileInfo(Out() + "/run_long_1_1.mp3").size(), 0);
    EXPECT_TRUE(Prompt->Boxes.empty());
}

// A file that appears while earlier jobs still convert, after Start chose the
// names: the engine creates outputs new, so that job fails and the file stays.
TEST_F(SafetyTest, AFileThatAppearsDuringTheRunIsNotWrittenOver) {
    StartLoaded();
    W->Show();
    SetOverwrite(false);
    SetThreads(1);
    AddJob(LongClip(), 3000);
    TListItem* later = AddJob(TestMedia::Path(QStringLiteral("av1s.avi")), 3000);
    const QString name = Sub(later, siOutputName);
    const QString foreign = Out() + "/" + name;
    AfterReport = [&](const TProgressInfo& info) {
        if (info.TaskIndex == 0 && !QFileInfo::exists(foreign)) WriteBytes(foreign, "another program's file");
    };
    StartAndFinish();
    ASSERT_TRUE(WaitFor([&] { return !Prompt->Boxes.empty(); }));
    EXPECT_EQ(Sub(later, siOutputName), name);
    EXPECT_TRUE(Sub(later, siProgress).startsWith(kFailed)) << Sub(later, siProgress).toStdString();
    QFile f(foreign);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("another program's file"));
}

// A Start refused for a vanished input leaves rows that Remove can take away
// (by mouse and by keys), and the list starts again afterwards.
TEST_F(SafetyTest, RemoveWorksAfterARefusedStart) {
    StartLoaded();
    W->Show();
    ChooseCode(3000);
    const QString a = Input("a.avi"), b = Input("b.avi"), c = Input("c.avi");
    AddSeveral({a, b, c});
    ASSERT_EQ(Captions(), (QStringList{c, b, a}));
    QFile::remove(b);

    Click(W->qvSkinButton2);
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    EXPECT_TRUE(Prompt->Boxes[0].Text.contains(b)) << Prompt->Boxes[0].Text.toStdString();
    EXPECT_FALSE(W->Trevalon->Working());

    // The vanished file's row, chosen with the mouse, removed with the toolbar.
    QTest::mouseClick(ListViewport(), Qt::LeftButton, {}, RowPoint(1));
    ASSERT_NE(W->lvFiles->Selected(), nullptr);
    ASSERT_EQ(W->lvFiles->Selected()->Caption(), b);
    Click(W->qvSkinButton7);
    EXPECT_EQ(Captions(), (QStringList{c, a}));
    EXPECT_EQ(Prompt->Boxes.size(), 1u) << Prompt->Boxes.back().Text.toStdString();

    // The next row reached with the arrow key, removed the same way.
    ASSERT_EQ(W->lvFiles->Selected(), Row(0));
    W->lvFiles->ReportView()->setFocus();
    QTest::keyClick(W->lvFiles->ReportView(), Qt::Key_Down);
    ASSERT_EQ(W->lvFiles->Selected(), Row(1));
    Click(W->qvSkinButton7);
    EXPECT_EQ(Captions(), QStringList{c});
    EXPECT_EQ(Prompt->Boxes.size(), 1u) << Prompt->Boxes.back().Text.toStdString();

    // A new file and the rest convert: rows and tasks are in step again.
    const QString d = Input("d.avi");
    AddJob(d, 3000);
    StartAndFinish();
    EXPECT_EQ(Captions(), (QStringList{c, d}));
    for (int i = 0; i < Rows(); ++i) EXPECT_EQ(Sub(Row(i), siProgress), QStringLiteral("100%")) << i;
    EXPECT_EQ(Prompt->Boxes.size(), 1u);
}

// A prompt whose first box stays open until the test has seen what it waits
// for, serving events meanwhile as a modal box does.
class THeldPrompt : public TPrompt {
public:
    std::function<bool()> HoldUntil;
    int Boxes = 0;
    bool MetWhileOpen = false;
    int MessageBox(const QString&, const QString&, unsigned) override {
        if (++Boxes == 1) MetWhileOpen = RunLoopUntil(HoldUntil);
        return IDOK;
    }
};

// Two failing jobs among twenty, two at a time: the first failure's box stays
// open while the eighteen others convert to their end.
TEST_F(SafetyTest, AFailedJobsBoxDoesNotHoldUpTheOthers) {
    StartLoaded();
    SetThreads(2);
    const QString clip = TestMedia::Path(QStringLiteral("av1s.avi"));
    // AAC cannot go into an MPEG program stream: these two fail at once.
    AddJob(Input("bad1.avi"), 1404);
    AddJob(Input("bad2.avi"), 1404);
    for (int i = 0; i < 18; ++i) AddJob(Input(QStringLiteral("good%1.avi").arg(i)), 3000);
    ASSERT_EQ(Rows(), 20);
    const auto finished = [&] {
        int n = 0;
        for (int i = 0; i < Rows(); ++i) n += Sub(Row(i), siProgress) == QStringLiteral("100%");
        return n;
    };
    auto held = std::make_shared<THeldPrompt>();
    held->HoldUntil = [&] { return finished() == 18; };
    Application()->SetPrompt(held);

    Click(W->qvSkinButton2);
    // The program's own event loop, not the engine's wait.
    ASSERT_TRUE(RunLoopUntil([&] { return RunEnded() && held->Boxes == 2; }));
    EXPECT_TRUE(held->MetWhileOpen) << finished() << " finished while the first box was open";
    EXPECT_EQ(finished(), 18);
    EXPECT_TRUE(Sub(Row(0), siProgress).startsWith(kFailed));
    EXPECT_TRUE(Sub(Row(1), siProgress).startsWith(kFailed));
}

// A settings file the user made read-only is neither replaced nor quietly
// kept: the start-up says so once, a command once more, and the file is as it
// was, byte for byte.
TEST_F(MainWindowTest, AReadOnlySettingsFileStaysAsItIsAndTheFailureIsReported) {
    WriteIni("[Skin]\nSetSkin=2\n");  // the folder and the options are missing: start-up writes them
    ASSERT_EQ(::chmod(QFile::encodeName(IniFile()).constData(), 0444), 0);
    const std::string before = Sha256(IniFile());

    Start();
    ASSERT_EQ(Prompt->Boxes.size(), 1u);
    EXPECT_EQ(Prompt->Boxes[0].Text, "Unable to write to " + IniFile() + ".");
    EXPECT_EQ(W->qvSkinData1->SkinIndex(), 2) << "reading works";
    EXPECT_EQ(W->FileOutPutPath, Home() + "/Quorvel视频软件/输出");

    // Browse stores the folder: its own box, the folder still in force.
    W->Show();
    QTemporaryDir chosen;
    Dialogs->Folders.push_back(chosen.path());
    Click(W->qvSkinButton5);
    ASSERT_EQ(Prompt->Boxes.size(), 2u);
    EXPECT_EQ(Prompt->Boxes[1].Text, "Unable to write to " + IniFile() + ".");
    EXPECT_EQ(W->FileOutPutPath, chosen.path());

    EXPECT_EQ(Sha256(IniFile()), before);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(IniFile()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(QDir(Program()).entryList(QDir::Files | QDir::Hidden), QStringList{"option.ini"});
}
