// The transcode loop as a whole: stop, join, size limit, two passes, the
// summary line, and inputs that are broken.
#include "tests/engine/pipeline/PipelineTestSupport.h"
#include "engine/MainThread.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <thread>

namespace {

// Holds the worker in its progress report once the output reaches a time,
// until the UI thread has done what it was to do there: the conversion is
// then at a known point whatever the machine's speed.
class TStopPoint {
public:
    explicit TStopPoint(int64_t at) : FAt(at) {}
    // Worker: in OnProgress; returns once release() is true.
    void Report(int64_t time, const std::function<bool()>& release) {
        if (time < FAt || FReached.exchange(true)) return;
        WakeMainThreadWaits();
        while (!release()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    bool Reached() const { return FReached; }

private:
    const int64_t FAt;
    std::atomic<bool> FReached{false};
};

TEST_F(PipelineTest, StopInTheMiddleLeavesAValidFile) {
    TPipelineFFmpeg f;
    f.ReportInterval = 0;
    const QString out = Out(QStringLiteral("stopped.mkv"));
    ASSERT_TRUE(Build(f, {{"-i", TestMedia::Path("av.avi")}, {"-o", out}}));
    std::atomic<int> terminated{0};
    f.OnTerminate = [&](TCustomFFmpeg*) { ++terminated; };
    TStopPoint point(800000);
    f.OnProgress = [&](TCustomFFmpeg* s, int, int, int, float, float, int64_t, int64_t time, int64_t) {
        point.Report(time, [s] { return s->Broken(); });
    };
    TConvertThread* t = f.StartConvert(true);
    ASSERT_NE(t, nullptr);
    t->Start();
    ASSERT_TRUE(WaitInMainThread([&] { return point.Reached(); }, 60000));
    f.Stop(true);
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(f.Finished());
    EXPECT_FALSE(f.FatalException()) << f.FatalMessage().toStdString();
    const ProbeResult p = Probe(out);
    EXPECT_TRUE(p.ok);
    EXPECT_GT(p.duration, 0.7);
    EXPECT_LT(p.duration, 1.2);
}

TEST_F(PipelineTest, JoinPutsTheSecondClipAfterTheFirst) {
    TPipelineFFmpeg f;
    f.ReportInterval = 0;
    std::set<int> files;
    f.OnProgress = [&](TCustomFFmpeg*, int file, int, int, float, float, int64_t, int64_t, int64_t) { files.insert(file); };
    const QString out = Out(QStringLiteral("joined.mkv"));
    const QString clip = TestMedia::Path("av.avi");
    ASSERT_EQ(Convert(f, {{"-i", clip}, {"-i", clip}, {"-oj", out}}), "");
    const ProbeResult p = Probe(out);
    ASSERT_TRUE(p.ok);
    EXPECT_NEAR(p.duration, 4.0, 0.15);
    EXPECT_NEAR(p.Int("video", "nb_read_packets"), 100, 2);
    EXPECT_TRUE(files.count(0));
    EXPECT_TRUE(files.count(1));
    EXPECT_EQ(f.TotalOutputDuration(), 4000000);
}

TEST_F(PipelineTest, FileSizeLimitStopsTheConversion) {
    TPipelineFFmpeg f;
    const QString in = TestMedia::Path("bars.avi");  // raw pictures, about 230 kB each
    const QString out = Out(QStringLiteral("limited.avi"));
    ASSERT_EQ(Convert(f, {{"fs", "1000000"}, {"-i", in}, {"vcodec", "copy"}, {"-o", out}}), "");
    const qint64 size = QFileInfo(out).size();
    EXPECT_GT(size, 1000000);
    EXPECT_LT(size, 1000000 + 2 * 240000);
    EXPECT_LT(size, QFileInfo(in).size());
    EXPECT_TRUE(Probe(out).ok);
}

TEST_F(PipelineTest, TwoPassesShareTheirLogBesideTheOutput) {
    for (const char* codec : {"mpeg4", "libx264"}) {
        const QString out = Out(QStringLiteral("twopass-%1.avi").arg(codec));
        for (const char* pass : {"1", "2"}) {
            TPipelineFFmpeg f;
            ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"vcodec", codec}, {"b", "200000"}, {"pass", pass},
                                  {"an", "1"}, {"-o", out}}),
                      "")
                << codec << " pass " << pass;
            EXPECT_GT(QFileInfo(out + "-ffmpeg2pass-0.log").size(), 0) << codec << " pass " << pass;
        }
        EXPECT_EQ(Probe(out).Int("video", "nb_read_packets"), 50) << codec;
    }
}

TEST_F(PipelineTest, SummaryLineAndVideoStatistics) {
    TPipelineFFmpeg f;
    GetLogger()->SetLogLevel(llVerbose);
    const QString stats = Out(QStringLiteral("vstats.log"));
    ASSERT_EQ(Convert(f, {{"vstats_file", stats}, {"-i", TestMedia::Path("av.avi")}, {"-o", Out("sum.avi")}}), "");
    bool summary = false;
    const QRegularExpression re(QStringLiteral(
        R"(^\d+\|video:\d+kB audio:\d+kB global headers:\d+kB muxing overhead -?\d+\.\d{6}%\r\n$)"));
    for (const QString& l : FLog.Lines()) summary = summary || re.match(l).hasMatch();
    EXPECT_TRUE(summary) << FLog.Lines().join('\n').toStdString();
    QFile file(stats);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_EQ(lines.size(), 51);  // 50 frames and the empty tail
    const QRegularExpression line(QStringLiteral(
        R"(^frame= +1 q= +\d+\.\d f_size= +\d+ s_size= +\d+kB time= \d+\.\d{3} br= +\d+\.\dkbits/s avg_br= +\d+\.\dkbits/s type= I$)"));
    EXPECT_TRUE(line.match(QString::fromLatin1(lines[0])).hasMatch()) << lines[0].constData();
}

struct BrokenCase {
    const char* name;
    int keep;      // bytes of av.avi kept, -1 all
    int garbage;   // random bytes appended
    bool refused;  // the input is refused when attached
    bool fails;    // else: the run fails (true) or converts what it can read
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class BrokenInput : public PipelineTest, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenInput, EndsWithTheErrorOrWithWhatItCouldRead) {
    const BrokenCase& c = GetParam();
    QFile src(TestMedia::Path("av.avi"));
    ASSERT_TRUE(src.open(QIODevice::ReadOnly));
    QByteArray data = src.readAll();
    if (c.keep >= 0) data.truncate(c.keep);
    QRandomGenerator rng(42);
    for (int i = 0; i < c.garbage; ++i) data.append(static_cast<char>(rng.bounded(256)));
    const QString in = Out(QStringLiteral("broken.avi"));
    {
        QFile f(in);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    TPipelineFFmpeg f;
    int terminated = 0;
    f.OnTerminate = [&](TCustomFFmpeg*) { ++terminated; };
    const QString out = Out(QStringLiteral("from-broken.mkv"));
    const bool attached = Build(f, {{"-i", in}, {"-o", out}});
    EXPECT_EQ(attached, !c.refused) << f.LastErrMsg().toStdString();
    if (c.refused) {
        EXPECT_EQ(f.LastErrMsg(), in + QStringLiteral(": Invalid data found when processing input"));
    }
    f.StartConvert(false);
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(f.Finished() && f.FatalException());
    if (c.refused) {
        // Nothing left to write to: the run itself ends with its error.
        EXPECT_TRUE(f.FatalException());
        EXPECT_EQ(f.FatalMessage(), QStringLiteral("At least one output file must be specified"));
    } else if (c.fails) {
        EXPECT_TRUE(f.FatalException()) << "converted " << Probe(out).Int("video", "nb_read_packets") << " pictures";
        EXPECT_FALSE(f.FatalMessage().isEmpty());
    } else {
        EXPECT_FALSE(f.FatalException()) << f.FatalMessage().toStdString();
        const ProbeResult p = Probe(out);
        EXPECT_TRUE(p.ok);
        EXPECT_GT(p.Int("video", "nb_read_packets"), 0);
        EXPECT_LT(p.Int("video", "nb_read_packets"), 50);
    }
    // A failed run leaves no output that looks finished.
    if (f.FatalException()) {
        EXPECT_FALSE(QFile::exists(out));
    }
}

INSTANTIATE_TEST_SUITE_P(Pipeline, BrokenInput,
                         ::testing::Values(BrokenCase{"empty", 0, 0, true, true},
                                           BrokenCase{"header_only", 400, 0, true, true},
                                           BrokenCase{"truncated", 60000, 0, false, false},
                                           BrokenCase{"garbage_after_header", 12000, 200000, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

TEST_F(PipelineTest, RecordingTimeAndFrameLimits) {
    struct Row {
        const char* option;
        const char* value;
        double duration;
        int packets;
    };
    for (const Row& r : {Row{"t", "1", 1.0, 25}, Row{"vframes", "10", 0.4, 10}}) {
        TPipelineFFmpeg f;
        const QString out = Out(QStringLiteral("limit-%1.mkv").arg(r.option));
        ASSERT_EQ(Convert(f, {{r.option, r.value}, {"-i", TestMedia::Path("av.avi")}, {"an", "1"}, {"-o", out}}), "") << r.option;
        const ProbeResult p = Probe(out);
        EXPECT_NEAR(p.duration, r.duration, 0.1) << r.option;
        EXPECT_NEAR(p.Int("video", "nb_read_packets"), r.packets, 1) << r.option;
    }
}

TEST_F(PipelineTest, VideoProgressStartsWithTheFirstFrame) {
    TPipelineFFmpeg f;
    f.ReportInterval = 0;
    std::vector<std::pair<int, int>> reports;  // (file, frame)
    f.OnProgress = [&](TCustomFFmpeg*, int file, int frame, int fps, float q, float, int64_t, int64_t, int64_t) {
        reports.emplace_back(file, frame);
        EXPECT_GE(fps, 0);
        EXPECT_GE(q, 0.0f);
    };
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"-o", Out("progress.avi")}}), "");
    ASSERT_GE(reports.size(), 2u);
    for (const auto& [file, frame] : reports) EXPECT_GE(frame, 1);
    EXPECT_EQ(reports.back(), std::make_pair(-1, 50));
}

TEST_F(PipelineTest, PauseFreezesTheConversionAndResumeFinishesIt) {
    TPipelineFFmpeg f;
    f.ReportInterval = 0;
    std::atomic<int> reports{0};
    TStopPoint point(400000);
    f.OnProgress = [&](TCustomFFmpeg* s, int, int, int, float, float, int64_t, int64_t time, int64_t) {
        ++reports;
        point.Report(time, [s] { return s->Paused(); });
    };
    ASSERT_TRUE(Build(f, {{"-i", TestMedia::Path("av.avi")}, {"-o", Out("paused.mkv")}}));
    f.StartConvert(true)->Start();
    ASSERT_TRUE(WaitInMainThread([&] { return point.Reached(); }, 60000));
    // Paused from the UI thread while the worker is between two packets: it
    // stops at the next one, so nothing moves however long the pause lasts.
    f.Pause();
    const int frozen = reports;
    WaitInMainThread([] { return false; }, 500);
    EXPECT_EQ(reports, frozen);
    EXPECT_TRUE(f.Paused());
    EXPECT_FALSE(f.Terminated());
    f.Resume();
    ASSERT_TRUE(WaitInMainThread([&] { return f.Terminated(); }, 60000));
    EXPECT_TRUE(f.Finished());
    EXPECT_GT(reports, frozen);
}

TEST_F(PipelineTest, TogglingThePreviewDuringARunNeverHangs) {
    TPipelineFFmpeg f;
    f.PreviewInterval = 0;
    f.SetPostHooks(1u << phPreview);
    ASSERT_TRUE(Build(f, {{"re", ""}, {"-i", TestMedia::Path("av.avi")}, {"-o", Out("toggled.mkv")}}));
    f.StartConvert(true)->Start();
    // The UI thread flips the hooks while the worker paints through it.
    bool on = true;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!f.Terminated() && std::chrono::steady_clock::now() < until) {
        WaitInMainThread([&] { return f.Terminated(); }, 50);
        on = !on;
        f.SetPostHooks(on ? 1u << phPreview : 0);
    }
    EXPECT_TRUE(f.Terminated());
    EXPECT_TRUE(f.Finished());
}

}  // namespace

namespace {

TEST_F(PipelineTest, TimestampJumpIsCorrectedUnlessTimesAreCopied) {
    const QString joined = Out(QStringLiteral("jump.ts"));
    {
        QFile out(joined);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        for (const char* part : {"jump_a.ts", "jump_b.ts"}) {
            QFile in(TestMedia::Path(part));
            ASSERT_TRUE(in.open(QIODevice::ReadOnly));
            out.write(in.readAll());
        }
    }
    struct Row {
        bool copyts;
        double minDuration, maxDuration;
    };
    // Copied times also keep the transport stream's own start offset.
    for (const Row& r : {Row{false, 1.8, 2.2}, Row{true, 23.8, 26.0}}) {
        const qsizetype before = FLog.Lines().size();
        TPipelineFFmpeg f;
        f.SetVerbose(3);
        GetLogger()->SetLogLevel(llVerbose);
        const QString out = Out(QStringLiteral("jump-%1.mkv").arg(r.copyts));
        Steps steps{{"-i", joined}, {"vcodec", "copy"}, {"-o", out}};
        if (r.copyts) steps.insert(steps.begin(), {"copyts", "1"});
        ASSERT_EQ(Convert(f, steps), "") << r.copyts;
        const double duration = Probe(out).duration;
        EXPECT_GE(duration, r.minDuration) << r.copyts;
        EXPECT_LE(duration, r.maxDuration) << r.copyts;
        const QStringList lines = FLog.Lines().mid(before);
        EXPECT_EQ(!lines.filter(QStringLiteral("timestamp discontinuity ")).isEmpty(), !r.copyts) << r.copyts;
    }
}

TEST_F(PipelineTest, FailureAfterTheHeaderRemovesTheOutput) {
    // The filter cannot take this codec, which shows only once the file exists.
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("failed.avi"));
    const QString err = Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"vbsf", "h264_mp4toannexb"}, {"-o", out}});
    EXPECT_TRUE(err.startsWith("h264_mp4toannexb failed for stream 0, codec mpeg4: ")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
