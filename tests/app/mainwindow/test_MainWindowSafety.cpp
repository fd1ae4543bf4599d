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

QByteArray Sha256(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result().toHex();
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
    const QByteArray before = Sha256(IniFile());

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
