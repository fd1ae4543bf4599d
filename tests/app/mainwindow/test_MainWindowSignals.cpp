// kill and Ctrl+C end the program during a run: the window closes as its
// close command does (the run ended, the player stopped) and the process
// exits, leaving no output that cannot be read. The program runs as a child
// process: this very test program, started with QV_SIGNAL_CHILD naming the
// output folder.
#include "tests/app/mainwindow/RunFixture.h"

#include "engine/Player.h"
#include "platform/EndSignals.h"
#include "skin/controls/buttons/SkinButton.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <csignal>
#include <cstdio>

namespace {

const char* const kChildVariable = "QV_SIGNAL_CHILD";
const char* const kChildTest = "RunTest.SignalChildConvertsUntilASignalEndsIt";

}  // namespace

// The child: a clip in the preview (so its sound output has started) and a
// run converting when the parent is told to send its signal.
TEST_F(RunTest, SignalChildConvertsUntilASignalEndsIt) {
    const QString folder = qEnvironmentVariable(kChildVariable);
    if (folder.isEmpty()) GTEST_SKIP() << "started by the EndSignals tests";
    EndOnSignals();
    StartLoaded();
    ASSERT_TRUE(W->DUDuvuvu->LoadAVLib(QStringLiteral("/nonexistent/LibAV")));
    TListItem* job = AddJob(LongClip(), 1104);
    ASSERT_NE(job, nullptr);
    W->lvFiles->SetSelected(job);  // shows it in the preview
    ASSERT_TRUE(W->DUDuvuvu->FileName() == LongClip()) << W->DUDuvuvu->LastErrMsg().toStdString();
    W->Video_OutPut_Folder_Edit->SetText(folder);
    W->FileOutPutPath = folder;
    AfterReport = [&](const TProgressInfo&) {
        if (Reports.size() != 1) return;
        std::printf("converting\n");
        std::fflush(stdout);
    };
    W->qvSkinButton2->Click();
    Application()->Run();
    EXPECT_TRUE(Application()->Terminated());
    EXPECT_TRUE(W->Trevalon->Terminated()) << "the run was stopped to its end";
    EXPECT_EQ(W->DUDuvuvu->PlayState(), psStop);
    std::printf("closed\n");
    std::fflush(stdout);
}

class EndSignals : public ::testing::TestWithParam<int> {};

TEST_P(EndSignals, DuringARunTheProgramClosesAndLeavesNoUnreadableOutput) {
    QTemporaryDir outputs;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildVariable), outputs.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1").arg(QString::fromLatin1(kChildTest))});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray said;
    // The limits only end a hang: a loaded machine makes the child late, never the test wrong.
    while (!said.contains("converting\n") && child.state() == QProcess::Running) {
        child.waitForReadyRead(1000);
        said += child.readAllStandardOutput();
    }
    ASSERT_TRUE(said.contains("converting\n")) << said.toStdString();

    ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), GetParam()), 0);
    const bool ended = child.waitForFinished(300000);
    if (!ended) child.kill();
    said += child.readAllStandardOutput();
    ASSERT_TRUE(ended) << "the signal was ignored";
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << "ended by the signal itself, not by closing";
    EXPECT_EQ(child.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(said.contains("closed\n")) << said.toStdString();
    // A stopped conversion is a shorter file that plays, or no file at all.
    const QStringList left = QDir(outputs.path()).entryList(QDir::Files);
    std::printf("left in the output folder: %s\n", left.join(", ").toUtf8().constData());
    for (const QString& name : left) {
        QByteArray err;
        EXPECT_TRUE(TestMedia::RunTool(QStringLiteral("ffmpeg"),
                                       {"-v", "error", "-i", outputs.filePath(name), "-f", "null", "-"}, nullptr, &err))
            << name.toStdString() << ": " << err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, EndSignals, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM ? "Term" : info.param == SIGINT ? "Int" : "Hup");
                         });
