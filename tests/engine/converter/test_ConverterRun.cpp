// Converter object: construction bounds, the option reset, start without
// files, and the worker's pause, resume, stop and termination.
#include "tests/engine/converter/ConverterTestSupport.h"
#include "tests/support/TestMedia.h"

#include "engine/MainThread.h"

#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST_F(ConverterTest, CreateAcceptsOneTo512Files) {
    struct Case {
        int maxFiles;
        bool ok;
    };
    for (const Case c : {Case{0, false}, Case{-1, false}, Case{513, false}, Case{1, true}, Case{512, true}}) {
        SCOPED_TRACE(c.maxFiles);
        if (!c.ok) {
            EXPECT_THROW(TCustomFFmpeg f(c.maxFiles), FFmpegException);
            continue;
        }
        TTestFFmpeg f(c.maxFiles);
        EXPECT_EQ(f.MaxFiles(), c.maxFiles);
        EXPECT_EQ(f.StreamMaps().size(), size_t(c.maxFiles) * MAX_STREAMS);
        EXPECT_EQ(f.MetaDataMaps().size(), size_t(c.maxFiles));
        EXPECT_EQ(f.InputCodecs().size(), size_t(c.maxFiles) * MAX_STREAMS);
        ASSERT_EQ(f.Finput_files_ts_scale.size(), size_t(c.maxFiles));
        EXPECT_EQ(f.Finput_files_ts_scale[0].size(), size_t(MAX_STREAMS));
        EXPECT_EQ(f.Fbitstream_filters[0].size(), size_t(MAX_STREAMS));
    }
}

TEST_F(ConverterTest, ResetOptionsGivesTheDefaultTable) {
    TTestFFmpeg f;
    // Dirty the state first so the reset has something to undo.
    for (const auto& [n, v] : {std::pair{"s", "320x240"}, {"aspect", "16:9"}, {"r", "30"}, {"vn", "1"}, {"ar", "8000"},
                               {"ac", "1"}, {"vcodec", "mpeg4"}, {"t", "5"}, {"vol", "100"}, {"v", "3"},
                               {"streamid", "2:9"}, {"map", "0.1"}, {"async", "1"}, {"metadata", "title=x"}})
        f.SetOption(QString::fromLatin1(n), QString::fromLatin1(v));
    f.ResetOptions();
    const TFFmpegOptionState& o = f.Options();
    struct Row {
        const char* field;
        double actual, expected;
    };
    const Row rows[] = {
        {"Fframe_width", double(o.Fframe_width), 0},
        {"Fframe_height", double(o.Fframe_height), 0},
        {"Fframe_aspect_ratio", o.Fframe_aspect_ratio, 0},
        {"Fframe_pix_fmt", double(o.Fframe_pix_fmt), -1},
        {"Faudio_sample_fmt", double(o.Faudio_sample_fmt), -1},
        {"Fmax_frames video", double(o.Fmax_frames[0]), 2147483647},
        {"Fmax_frames data", double(o.Fmax_frames[2]), 2147483647},
        {"Fframe_rate.num", double(o.Fframe_rate.num), 0},
        {"Fframe_rate.den", double(o.Fframe_rate.den), 0},
        {"Fvideo_disable", double(o.Fvideo_disable), 0},
        {"Ftop_field_first", double(o.Ftop_field_first), -1},
        {"Fintra_dc_precision", double(o.Fintra_dc_precision), 8},
        {"Floop_output", double(o.Floop_output), -1},
        {"Faudio_sample_rate", double(o.Faudio_sample_rate), 44100},
        {"Faudio_qscale", o.Faudio_qscale, -99999.0},
        {"Faudio_channels", double(o.Faudio_channels), 2},
        {"Fmux_preload", o.Fmux_preload, 0.5f},
        {"Fmux_max_delay", o.Fmux_max_delay, 0.7f},
        {"Frecording_time", double(o.Frecording_time), double(INT64_MAX)},
        {"Fstart_time", double(o.Fstart_time), 0},
        {"Fvideo_sync_method", double(o.Fvideo_sync_method), -1},
        {"Faudio_sync_method", double(o.Faudio_sync_method), 0},
        {"Faudio_drift_threshold", o.Faudio_drift_threshold, 0.1f},
        {"Faudio_volume", double(o.Faudio_volume), 256},
        {"Fverbose", double(o.Fverbose), 1},
        {"Fthread_count", double(o.Fthread_count), 1},
        {"Fdts_delta_threshold", o.Fdts_delta_threshold, 10.0},
        {"Fsws_flags", double(o.Fsws_flags), 4},
        {"Fbit_buffer_size", double(o.Fbit_buffer_size), 262144},
        {"Flimit_filesize", double(o.Flimit_filesize), 0},
        {"stream maps", double(f.nb_stream_maps()), 0},
        {"stream id 2", double(f.StreamIdMap()[2]), 0},
        {"total duration", double(f.TotalOutputDuration()), -1},
    };
    for (const Row& r : rows) EXPECT_DOUBLE_EQ(r.actual, r.expected) << r.field;
    EXPECT_TRUE(o.Fvideo_codec_name.empty());
    EXPECT_EQ(o.Fvideo_stream_copy, 0);
    // The metadata list is not part of the reset.
    ASSERT_EQ(f.Metadata().size(), 1u);
    EXPECT_EQ(f.Metadata()[0].first, "title");
}

// Counts OnTerminate calls.
struct TerminateProbe {
    std::atomic<int> calls{0};
    void Bind(TCustomFFmpeg& f) {
        f.OnTerminate = [this](TCustomFFmpeg*) { ++calls; };
    }
};

TEST_F(ConverterTest, StartWithoutOutputReportsOnceAndStaysTerminated) {
    LogCapture log;
    TTestFFmpeg f;
    TerminateProbe probe;
    probe.Bind(f);
    EXPECT_EQ(f.StartConvert(true), nullptr);
    EXPECT_EQ(probe.calls, 1);
    EXPECT_TRUE(f.FatalException());
    EXPECT_EQ(f.FatalMessage(), QStringLiteral("At least one output file must be specified"));
    EXPECT_TRUE(log.Has(llQuiet, QStringLiteral("At least one output file must be specified")));
    EXPECT_TRUE(f.Terminated());
    EXPECT_EQ(f.StartConvert(false), nullptr);
    EXPECT_EQ(probe.calls, 1);
}

TEST_F(ConverterTest, StartWithoutInputReportsOnce) {
    QTemporaryDir dir;
    TTestFFmpeg f;
    TerminateProbe probe;
    probe.Bind(f);
    ASSERT_EQ(f.OpenOutputFile(dir.filePath(QStringLiteral("out.wav")), false), 1) << f.LastErrMsg().toStdString();
    EXPECT_EQ(f.StartConvert(false), nullptr);
    EXPECT_EQ(probe.calls, 1);
    EXPECT_EQ(f.FatalMessage(), QStringLiteral("At least one input file must be specified"));
    EXPECT_EQ(f.nb_output_files(), 0);
}

TEST_F(ConverterTest, StopOrTerminateOnANeverStartedTaskReportsFromAnotherThread) {
    TTestFFmpeg f;
    std::atomic<int> calls{0};
    std::thread::id where;
    f.OnTerminate = [&](TCustomFFmpeg*) {
        where = std::this_thread::get_id();
        ++calls;
    };
    f.StopOrTerminate(true);
    EXPECT_EQ(calls, 1);
    EXPECT_NE(where, std::this_thread::get_id());
    f.StopOrTerminate(true);
    EXPECT_EQ(calls, 1);
}

// A task with one real input and one attached output, whose transcode is the
// test's own body.
class WorkerTest : public ConverterTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        output = dir.filePath(QStringLiteral("out.wav"));
        ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("a44.wav")))) << f.LastErrMsg().toStdString();
        ASSERT_EQ(f.OpenOutputFile(output, false), 1) << f.LastErrMsg().toStdString();
        probe.Bind(f);
    }

    // Waits (pumping the UI thread) until cond holds; false after 5 s.
    // The limit only ends a hang; slow machines are late, never wrong.
    static bool Eventually(const std::function<bool()>& cond) { return WaitInMainThread(cond, 60000, 5); }

    QTemporaryDir dir;
    QString output;
    TTestFFmpeg f;
    TerminateProbe probe;
    std::atomic<long> progress{0};
};

TEST_F(WorkerTest, PauseFreezesProgressAndResumeContinues) {
    f.Body = [this](TTestFFmpeg& self) {
        while (!self.Broken()) {
            self.CheckPause();
            ++progress;
            std::this_thread::sleep_for(1ms);
        }
    };
    TConvertThread* worker = f.StartConvert(true);
    ASSERT_NE(worker, nullptr);
    worker->Start();
    ASSERT_TRUE(Eventually([&] { return progress > 5; }));

    f.Pause();
    // Only the iteration under way, past its gate already, may still count.
    const long frozen = progress;
    std::this_thread::sleep_for(150ms);
    EXPECT_LE(progress - frozen, 1);
    EXPECT_TRUE(f.Paused());

    f.Resume();
    EXPECT_TRUE(Eventually([&] { return progress > frozen + 5; }));

    f.Stop(true);
    EXPECT_EQ(probe.calls, 1);
    EXPECT_FALSE(f.Converting());
    EXPECT_TRUE(f.Terminated());
}

TEST_F(WorkerTest, StopOnAPausedWorkerReturnsAndTerminatesOnce) {
    f.Body = [this](TTestFFmpeg& self) {
        while (!self.Broken()) {
            self.CheckPause();
            ++progress;
            std::this_thread::sleep_for(1ms);
        }
    };
    f.StartConvert(true)->Start();
    ASSERT_TRUE(Eventually([&] { return progress > 0; }));
    f.Pause();
    f.Stop(true);
    EXPECT_EQ(probe.calls, 1);
    EXPECT_TRUE(f.Terminated());
    EXPECT_FALSE(f.Finished());
    f.Stop(true);  // on a finished task: returns at once
    EXPECT_EQ(probe.calls, 1);
}

TEST_F(WorkerTest, StopCompletesAWorkerBlockedInAMainThreadCall) {
    // Nothing drains the calls until Stop does: once the worker makes its
    // first call it is blocked in it.
    std::promise<void> calling;
    f.Body = [&calling](TTestFFmpeg& self) {
        calling.set_value();
        while (!self.Broken()) CallInMainThread([] {});
    };
    f.StartConvert(true)->Start();
    calling.get_future().wait();
    f.Stop(true);
    EXPECT_EQ(probe.calls, 1);
}

TEST_F(WorkerTest, StopStartsAWorkerThatWasNeverStarted) {
    bool ran = false;
    f.Body = [&ran](TTestFFmpeg&) { ran = true; };
    ASSERT_NE(f.StartConvert(true), nullptr);
    f.Stop(true);
    EXPECT_TRUE(ran);
    EXPECT_EQ(probe.calls, 1);
}

TEST_F(WorkerTest, StopFromTheWorkerItselfDoesNotWaitForItself) {
    f.Body = [](TTestFFmpeg& self) { self.Stop(true); };
    f.StartConvert(true)->Start();
    EXPECT_TRUE(Eventually([&] { return f.Terminated(); }));
    EXPECT_EQ(probe.calls, 1);
    EXPECT_TRUE(f.Broken());
}

TEST_F(WorkerTest, EveryFailureOfTheBodyStillTerminatesOnce) {
    struct Case {
        const char* name;
        std::function<void()> raise;
        QString message;
    };
    const Case cases[] = {
        {"engine error", [] { throw FFmpegException(QStringLiteral("boom")); }, QStringLiteral("boom")},
        {"standard error", [] { throw std::runtime_error("bad"); }, QStringLiteral("bad")},
        {"anything else", [] { throw 42; }, QStringLiteral("Unknown error")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTestFFmpeg t;
        ASSERT_TRUE(t.OpenInputFile(TestMedia::Path(QStringLiteral("a44.wav"))));
        ASSERT_EQ(t.OpenOutputFile(dir.filePath(QStringLiteral("x.wav")), false), 1);
        TerminateProbe p;
        p.Bind(t);
        t.Body = [&c](TTestFFmpeg&) { c.raise(); };
        t.StartConvert(true)->Start();
        t.Stop(true);
        EXPECT_EQ(p.calls, 1);
        EXPECT_TRUE(t.FatalException());
        EXPECT_EQ(t.FatalMessage(), c.message);
    }
}

TEST_F(WorkerTest, AnEmptyOutputIsDeletedAndAWrittenOneKept) {
    struct Case {
        const char* name;
        int bytes;
        bool kept;
    };
    for (const Case c : {Case{"empty", 0, false}, Case{"written", 64, true}}) {
        SCOPED_TRACE(c.name);
        TTestFFmpeg t;
        const QString out = dir.filePath(QStringLiteral("%1.wav").arg(QLatin1String(c.name)));
        ASSERT_TRUE(t.OpenInputFile(TestMedia::Path(QStringLiteral("a44.wav"))));
        ASSERT_EQ(t.OpenOutputFile(out, false), 1);
        t.Body = [&c](TTestFFmpeg& self) {
            self.OpenOutputFilesIO();
            std::vector<unsigned char> data(c.bytes, 7);
            if (c.bytes) ff::avio_write(self.OutputFile(0)->ctx->pb, data.data(), c.bytes);
        };
        t.StartConvert(false);
        EXPECT_TRUE(t.Terminated());
        EXPECT_EQ(QFile::exists(out), c.kept);
    }
}

TEST_F(WorkerTest, AttachingLeavesAnExistingFileUntouched) {
    const QString existing = dir.filePath(QStringLiteral("mine.wav"));
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the user's own bytes");
    }
    {
        TTestFFmpeg t;
        ASSERT_TRUE(t.OpenInputFile(TestMedia::Path(QStringLiteral("a44.wav"))));
        ASSERT_EQ(t.OpenOutputFile(existing, false), 1);
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("the user's own bytes"));
    }
    // Nor does freeing a task that never ran remove an empty file it did not create.
    const QString empty = dir.filePath(QStringLiteral("empty.wav"));
    {
        QFile file(empty);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    {
        TTestFFmpeg t;
        ASSERT_TRUE(t.OpenInputFile(TestMedia::Path(QStringLiteral("a44.wav"))));
        ASSERT_EQ(t.OpenOutputFile(empty, false), 1);
    }
    EXPECT_TRUE(QFile::exists(empty));
}

}  // namespace
