// How a row tells its job's story: refusals at the add and at the rebuild,
// progress reports, the end of each task, the log's lines, and the action
// that follows the run.
#include "app/jobs/AfterRun.h"
#include "app/jobs/JobState.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <optional>

using namespace jobs;
using settings::TAfterRunAction;

namespace {

constexpr std::int64_t kSecond = 1000000;
const QString kNoOutput = QStringLiteral("At least one output file must be specified");
const QString kUnknown = QStringLiteral("Unknown encoder 'libopencore_amrnb'");
const QString kMuxer = QStringLiteral("Could not write header for output file #0 (incorrect codec parameters ?) "
                                      "Unsupported audio codec. Must be one of mp1, mp2, mp3, 16-bit pcm_dvd, "
                                      "pcm_s16be, ac3 or dts.");

QString S(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(JobState, ARefusedOutputKeepsItsRowAndSaysWhy) {
    TJobRow row;
    row[siOutputName] = QStringLiteral("clip.amr");
    TJobRecord record;
    NoteRefusal(row, record, kUnknown);
    EXPECT_EQ(row[siProgress], S("失败：Unknown encoder 'libopencore_amrnb'"));
    EXPECT_EQ(row[siOutputName], QStringLiteral("clip.amr"));
    EXPECT_EQ(record.Refusal, kUnknown);

    // The task then fails with the engine's bare text; the row and the box say the reason.
    const TTaskEnd end = TaskEnd({0, false, true, kNoOutput}, record.Refusal);
    EXPECT_EQ(end.ProgressText, std::optional(S("失败：") + kUnknown));
    EXPECT_EQ(end.Warning, std::optional(kUnknown));
}

TEST(JobState, FailureReason) {
    const struct {
        QString engine, remembered, shown;
    } cases[] = {
        {kNoOutput, kUnknown, kUnknown},
        {kNoOutput, {}, kNoOutput},  // nothing remembered: the engine's own text
        {kMuxer, kUnknown, kMuxer},  // another failure is not the refusal's
        {kMuxer, {}, kMuxer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.engine.toStdString() + " / " + c.remembered.toStdString());
        EXPECT_EQ(TaskFailureReason(c.engine, c.remembered), c.shown);
    }
}

TEST(JobState, TaskEnd) {
    const QString kEarly = S("Input #0 ended early: read to 00:00:01.091 of 00:00:02.011");
    const QString kRemoved = S("Output #0 removed: stopped before stream #0.0 (Video) got a packet");
    const struct {
        const char* what;
        TTerminateInfo info;
        std::optional<QString> progress, warning;
        QString input, remembered;
    } cases[] = {
        {"finished", {2, true, false, {}}, QStringLiteral("100%"), std::nullopt, {}, {}},
        {"finished from a cut-off input", {2, true, false, kEarly}, S("100%：") + kEarly, std::nullopt, {}, {}},
        {"stopped keeps its percentage", {2, false, false, {}}, std::nullopt, std::nullopt, {}, {}},
        {"stopped, its output removed", {2, false, false, kRemoved}, kRemoved, std::nullopt, {}, {}},
        {"failed", {2, false, true, kMuxer}, S("失败：") + kMuxer, kMuxer, {}, {}},
        {"failed after its last frame", {2, true, true, kMuxer}, S("失败：") + kMuxer, kMuxer, {}, {}},
        // The box stands apart from the rows: it names the job's input.
        {"failed, its input known", {2, false, true, kMuxer}, S("失败：") + kMuxer, "/in/a b.avi: " + kMuxer,
         "/in/a b.avi", {}},
        {"refused, its input known", {2, false, true, kNoOutput}, S("失败：") + kUnknown,
         "/in/clip.avi: " + kUnknown, "/in/clip.avi", kUnknown},
        {"finished, its input known", {2, true, false, {}}, QStringLiteral("100%"), std::nullopt, "/in/clip.avi", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TTaskEnd end = TaskEnd(c.info, c.remembered, c.input);
        EXPECT_EQ(end.ProgressText, c.progress);
        EXPECT_EQ(end.Warning, c.warning);
    }
}

TEST(JobState, ProgressReportsFillTheirColumns) {
    TJobRow row;
    row[siDuration] = QStringLiteral("00:00:02");
    TProgressInfo info;
    info.FPS = 25;
    info.CurrentDuration = 3725 * kSecond;
    info.TotalDuration = 3600 * kSecond;
    info.CurrentSize = 123456789;
    ApplyProgress(row, info);
    EXPECT_EQ(row[siProgress], QStringLiteral("103%"));
    EXPECT_EQ(row[siFps], QStringLiteral("25"));
    EXPECT_EQ(row[siElapsed], QStringLiteral("01:02:05"));
    EXPECT_EQ(row[siOutputSize], QStringLiteral("117.74MB"));
    EXPECT_EQ(row[siDuration], QStringLiteral("00:00:02"));

    // No duration, no frame rate: "N/A", and the frames column keeps its text.
    info.FPS = 0;
    info.TotalDuration = -1;
    info.CurrentDuration = (25 * 3600 + 61) * kSecond;
    info.CurrentSize = 131072;
    ApplyProgress(row, info);
    EXPECT_EQ(row[siProgress], QStringLiteral("N/A"));
    EXPECT_EQ(row[siFps], QStringLiteral("25"));
    EXPECT_EQ(row[siElapsed], QStringLiteral("01:01:01"));
    EXPECT_EQ(row[siOutputSize], QStringLiteral("0.12MB"));

    // A finished task reads 100% even after "N/A".
    EXPECT_EQ(TaskEnd({0, true, false, {}}).ProgressText, std::optional(QStringLiteral("100%")));
}

TEST(JobState, LogLine) {
    const struct {
        TThreadID thread;
        TLogLevel level;
        const char* message;
        const char* line;
    } cases[] = {
        {812, llInfo, "abc", "#812.5: abc"},
        {4294967295u, llDebug, "x", "#4294967295.7: x"},
        {1, llQuiet, "", "#1.0: "},
        {7, llError, "  spaced  ", "#7.3:   spaced  "},  // the message as received
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(LogLineText(c.thread, c.level, QString::fromUtf8(c.message)), QString::fromUtf8(c.line));
    }
}

// ---------------------------------------------------------------- after the run

class TRecordingShell : public TShellActions {
public:
    QStringList Calls;
    bool Open(const QString& p) override { Calls << QStringLiteral("open ") + p; return true; }
    bool PlaySound(const QString& f) override { Calls << QStringLiteral("sound ") + f; return true; }
    bool PowerOff() override { Calls << QStringLiteral("poweroff"); return true; }
};

class AfterRunTest : public ::testing::Test {
protected:
    QTemporaryDir FProgram;
    TRecordingShell FShell;
    QString Folder() const { return FProgram.path() + u'/'; }
    void AddSound() {
        ASSERT_TRUE(QDir(FProgram.path()).mkpath(QStringLiteral("sounds")));
        QFile f(FProgram.path() + QStringLiteral("/sounds/ring001.wav"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("RIFF");
    }
};

TEST_F(AfterRunTest, EachChoice) {
    AddSound();
    const QString out = QStringLiteral("/tmp/out put");
    const struct {
        TAfterRunAction action;
        QStringList calls;
    } cases[] = {
        {TAfterRunAction::OpenOutputFolder, {QStringLiteral("open /tmp/out put")}},
        {TAfterRunAction::ShutDown, {QStringLiteral("poweroff")}},
        {TAfterRunAction::PlaySound, {QStringLiteral("sound ") + Folder() + QStringLiteral("sounds/ring001.wav")}},
        {TAfterRunAction::Nothing, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.action));
        FShell.Calls.clear();
        RunAfterRunAction(c.action, out, Folder(), FShell);
        EXPECT_EQ(FShell.Calls, c.calls);
    }
}

TEST_F(AfterRunTest, NoSoundFileNoSound) {
    RunAfterRunAction(TAfterRunAction::PlaySound, {}, Folder(), FShell);
    // A folder of that name is no sound either.
    ASSERT_TRUE(QDir(FProgram.path()).mkpath(QStringLiteral("sounds/ring001.wav")));
    RunAfterRunAction(TAfterRunAction::PlaySound, {}, Folder(), FShell);
    EXPECT_TRUE(FShell.Calls.isEmpty()) << FShell.Calls.join(u'|').toStdString();
}

TEST_F(AfterRunTest, ThePowerOffFollowsAStoppedRunToo) {
    // A stopped task keeps its row; the run's end still carries out the choice.
    TJobRow row;
    row[siProgress] = QStringLiteral("37%");
    if (const TTaskEnd end = TaskEnd({0, false, false, {}}); end.ProgressText) row[siProgress] = *end.ProgressText;
    EXPECT_EQ(row[siProgress], QStringLiteral("37%"));
    RunAfterRunAction(TAfterRunAction::ShutDown, QStringLiteral("/out"), Folder(), FShell);
    EXPECT_EQ(FShell.Calls, QStringList{QStringLiteral("poweroff")});
}

TEST(AfterRun, SoundPath) {
    EXPECT_EQ(EndOfRunSoundPath(QStringLiteral("/opt/q/")), QStringLiteral("/opt/q/sounds/ring001.wav"));
    EXPECT_EQ(EndOfRunSoundPath(QStringLiteral("/opt/q")), QStringLiteral("/opt/q/sounds/ring001.wav"));
}

}  // namespace
