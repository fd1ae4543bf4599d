// Long job lists: rows that wait hold no open files, so a list longer than the
// limit on open files is added and converted; what cannot be opened is named;
// the window repaints during a long add and the user's clicks wait for it.
#include "tests/app/mainwindow/RunFixture.h"

#include "skin/controls/buttons/SkinButton.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <map>

namespace {

const char* const kChildVariable = "QV_LOW_LIMIT_CHILD";
const char* const kChildTest = "ManyFilesTest.LowLimitChildAddsConvertsAndNames";
constexpr int kLimit = 64;
constexpr int kFiles = 80;  // more than the limit

int OpenDescriptors() { return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size()); }

QByteArray Digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
}

// Counts the list's paints that happen while an add is half done.
class TPaintWatch : public QObject {
public:
    explicit TPaintWatch(std::function<int()> rows, int total) : FRows(std::move(rows)), FTotal(total) {}
    int PaintsMidAdd = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && FRows() > 0 && FRows() < FTotal) ++PaintsMidAdd;
        return false;
    }

private:
    std::function<int()> FRows;
    int FTotal;
};

}  // namespace

class ManyFilesTest : public RunTest {
protected:
    // count copies of the one-second clip in a folder of their own.
    QString Clips(const QString& folder, int count) {
        EXPECT_TRUE(QDir().mkpath(folder));
        for (int i = 0; i < count; ++i)
            EXPECT_TRUE(QFile::copy(TestMedia::Path(QStringLiteral("av1s.avi")), folder + QString::asprintf("/c%03d.avi", i)));
        return folder;
    }
    QString Warnings() const {
        QStringList texts;
        for (const TRecordedBox& b : Prompt->Boxes) texts << b.Text;
        return texts.join(QLatin1Char('\n'));
    }
};

TEST_F(ManyFilesTest, WaitingJobsHoldNoOpenFiles) {
    StartLoaded();
    ChooseCode(3000);
    const QString folder = Clips(Inputs.path() + QStringLiteral("/many"), 30);
    AddFolder(Clips(Inputs.path() + QStringLiteral("/first"), 1));  // the libraries and the preview settle
    const int before = OpenDescriptors();
    AddFolder(folder);
    ASSERT_EQ(Rows(), 31) << LogLines().join("\n").toStdString();
    EXPECT_LE(OpenDescriptors() - before, 3) << "30 waiting jobs keep their inputs open";
    // They still convert: each opens its input when its turn comes.
    SetThreads(8);
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitForRunEnd());
    for (int i = 0; i < Rows(); ++i) EXPECT_EQ(Sub(Row(i), jobs::siProgress), QStringLiteral("100%")) << i;
    EXPECT_TRUE(Prompt->Boxes.empty()) << Warnings().toStdString();
}

// Between files the window repaints; a click that arrives meanwhile changes
// nothing under the add, and the command works once the add is done.
TEST_F(ManyFilesTest, ALongAddRepaintsAndTheUsersClicksWait) {
    Start();
    W->Show();
    W->Video_OutPut_Folder_Edit->SetText(Outputs.path());
    ChooseCode(3000);
    qint64 now = 0;
    W->AddPaintClock = [&now] { return now += 1000; };  // every file is a repaint's worth
    const int total = 12;
    const QString folder = Clips(Inputs.path() + QStringLiteral("/long"), total);
    TPaintWatch watch([this] { return Rows(); }, total);
    W->lvFiles->installEventFilter(&watch);
    for (QObject* child : W->lvFiles->findChildren<QWidget*>()) child->installEventFilter(&watch);
    int clicksMidAdd = 0;
    // Clear, Remove and another add, pressed on their toolbar buttons halfway.
    std::function<void()> press = [&] {
        if (Rows() == 0 || Rows() >= total) return QTimer::singleShot(0, press);
        ++clicksMidAdd;
        for (QWidget* button : {static_cast<QWidget*>(W->qvSkinButton8), static_cast<QWidget*>(W->qvSkinButton7)})
            if (button->isEnabled()) QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QTest::keyClick(W->lvFiles, Qt::Key_Delete);
    };
    QTimer::singleShot(0, press);
    AddFolder(folder);
    W->lvFiles->removeEventFilter(&watch);
    EXPECT_GT(watch.PaintsMidAdd, 0) << "the list was not painted before the add was done";
    ASSERT_EQ(clicksMidAdd, 1);
    ASSERT_EQ(Rows(), total) << "a command ran in the middle of the add";
    EXPECT_EQ(W->JobRecords.Count(), total);
    EXPECT_EQ(W->Trevalon->TasksCount(), total);
    for (int i = 0; i < total; ++i) {
        EXPECT_EQ(Sub(Row(i), jobs::siTaskNumber), QString::number(i + 1));
        EXPECT_EQ(Row(i)->Caption(), folder + QString::asprintf("/c%03d.avi", total - 1 - i));
    }
    QTest::mouseClick(W->qvSkinButton8, Qt::LeftButton, {}, W->qvSkinButton8->rect().center());
    EXPECT_EQ(Rows(), 0) << "Clear works again after the add";
}

// The program under a limit of 64 open files (soft and hard, so raising it
// cannot help): more files than that are added and converted with eight jobs
// at once. Then, with nearly every descriptor taken, a start fails the jobs
// it cannot open by name and leaves no output of theirs, and an add names the
// files it cannot open. The child is this test program.
TEST_F(ManyFilesTest, LowLimitChildAddsConvertsAndNames) {
    const QString folder = qEnvironmentVariable(kChildVariable);
    if (folder.isEmpty()) GTEST_SKIP() << "started by UnderALowOpenFileLimit";
    const rlimit low{kLimit, kLimit};
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    StartLoaded();
    W->Video_OutPut_Folder_Edit->SetText(folder + "/out");
    W->FileOutPutPath = folder + "/out";
    ChooseCode(3000);
    SetThreads(8);
    const QString in = folder + "/in";
    AddFolder(in);
    ASSERT_EQ(Rows(), kFiles) << "messages: " << QStringList(Dialogs->Messages.begin(), Dialogs->Messages.end()).join(" | ").toStdString();
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitForRunEnd());
    for (int i = 0; i < Rows(); ++i)
        EXPECT_EQ(Sub(Row(i), jobs::siProgress), QStringLiteral("100%")) << Row(i)->Caption().toStdString();
    EXPECT_TRUE(Prompt->Boxes.empty()) << Warnings().toStdString();
    std::map<QString, QByteArray> written;
    for (int i = 0; i < Rows(); ++i) {
        const QString output = W->FileOutPutPath + "/" + Sub(Row(i), jobs::siOutputName);
        written[output] = Digest(output);
    }

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // The sanitizers' runtime needs descriptors of its own (its checks of
    // memory open a pipe), so running out of them is tried in the plain build.
    std::printf("child done\n");
    std::fflush(stdout);
    return;
#endif
    // Every descriptor but two taken: a second start runs what it can open.
    std::vector<int> held;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) held.push_back(fd);
    for (int i = 0; i < 2 && !held.empty(); ++i) {
        ::close(held.back());
        held.pop_back();
    }
    Ends.clear();
    Prompt->Boxes.clear();
    W->qvSkinButton2->Click();
    ASSERT_TRUE(WaitForRunEnd());
    const QString warnings = Warnings();
    int failed = 0;
    for (int i = 0; i < Rows(); ++i) {
        const QString output = W->FileOutPutPath + "/" + Sub(Row(i), jobs::siOutputName);
        if (Sub(Row(i), jobs::siProgress) == QStringLiteral("100%")) {
            std::printf("finished %s\n", qPrintable(output));
            continue;
        }
        ++failed;
        // Nothing, or its own earlier output untouched (a second start writes over it).
        EXPECT_TRUE(!QFileInfo::exists(output) || (written.count(output) && Digest(output) == written[output]))
            << "a failed job left " << output.toStdString();
        EXPECT_TRUE(warnings.contains(Row(i)->Caption() + ": Too many open files") ||
                    warnings.contains(output + ": Too many open files"))
            << Row(i)->Caption().toStdString() << " failed without its name: " << Sub(Row(i), jobs::siProgress).toStdString();
    }
    EXPECT_GT(failed, 0) << "the limit was not reached";

    // Nothing left at all: an add names the folder it cannot read and every
    // file it cannot open.
    W->btnClear->Click();
    for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) held.push_back(fd);
    Dialogs->Messages.clear();
    AddFolder(folder + "/late");
    AddSeveral({folder + "/late/a.avi", folder + "/late/b.avi"});
    const int rows = Rows();
    for (int fd : held) ::close(fd);
    EXPECT_EQ(rows, 0);
    const QString notices = QStringList(Dialogs->Messages.begin(), Dialogs->Messages.end()).join('\n');
    // The folder and b cannot be opened; a is named too, whether it could not
    // be opened or the add ended before it.
    EXPECT_TRUE(notices.contains(folder + "/late: Too many open files")) << notices.toStdString();
    EXPECT_TRUE(notices.contains(folder + "/late/b.avi: Too many open files")) << notices.toStdString();
    EXPECT_TRUE(notices.contains(folder + "/late/a.avi")) << notices.toStdString();
    std::printf("child done\n");
    std::fflush(stdout);
}

TEST_F(ManyFilesTest, UnderALowOpenFileLimitEveryFileIsListedConvertedOrNamed) {
    QTemporaryDir work;
    Clips(work.path() + "/in", kFiles);
    ASSERT_TRUE(QDir().mkpath(work.path() + "/out"));
    ASSERT_TRUE(QDir().mkpath(work.path() + "/late"));
    for (const char* name : {"a.avi", "b.avi"})
        ASSERT_TRUE(QFile::copy(TestMedia::Path(QStringLiteral("av1s.avi")), work.path() + "/late/" + name));
    const QByteArray sourceDigest = Digest(TestMedia::Path(QStringLiteral("av1s.avi")));

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildVariable), work.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1").arg(QString::fromLatin1(kChildTest))});
    ASSERT_TRUE(child.waitForStarted());
    const bool ended = child.waitForFinished(600000);
    if (!ended) child.kill();
    const QByteArray said = child.readAllStandardOutput();
    ASSERT_TRUE(ended);
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << "the program crashed";
    EXPECT_EQ(child.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(said.contains("child done")) << said.toStdString();

    // The user's files are as they were; every output left is a whole file.
    for (const QString& name : QDir(work.path() + "/in").entryList(QDir::Files))
        EXPECT_EQ(Digest(work.path() + "/in/" + name), sourceDigest) << name.toStdString();
    const QStringList outputs = QDir(work.path() + "/out").entryList(QDir::Files);
    EXPECT_GE(outputs.size(), kFiles);
    for (const QString& name : outputs) {
        QByteArray err;
        EXPECT_TRUE(TestMedia::RunTool(QStringLiteral("ffmpeg"),
                                       {"-v", "error", "-i", work.path() + "/out/" + name, "-f", "null", "-"}, nullptr,
                                       &err))
            << name.toStdString() << ": " << err.toStdString();
    }
}
