// The task list: defaults, adding tasks and inputs, how an output record and
// its option lines become streams, and the operations refused while working.
#include "tests/engine/queue/QueueTestSupport.h"

#include <QFileInfo>

namespace {

class TasksTest : public QueueTest {
protected:
    // Codec names of the output's streams of one kind, in stream order.
    static std::vector<std::string> Codecs(TFFmpeg* ATask, AVMediaType AType, int AOutput = 0) {
        std::vector<std::string> names;
        for (const TOutputStreamSetup& s : ATask->OutputFile(AOutput)->streams)
            if (s.st->codecpar->codec_type == AType) names.push_back(s.codec ? s.codec->name : "?");
        return names;
    }
    static const TOutputStreamSetup* FirstStream(TFFmpeg* ATask, AVMediaType AType) {
        for (const TOutputStreamSetup& s : ATask->OutputFile(0)->streams)
            if (s.st->codecpar->codec_type == AType) return &s;
        return nullptr;
    }
    QString AV() const { return TestMedia::Path(QStringLiteral("av.avi")); }
};

template <typename F>
QString ErrorOf(F&& f) {
    try {
        f();
    } catch (const EEngineError& e) {
        return e.Message();
    }
    return QString();
}

TEST_F(TasksTest, DefaultsAndTheProgressIntervalFloor) {
    TTrevalon q;
    EXPECT_EQ(q.Version(), QStringLiteral("3.3"));
    EXPECT_EQ(q.CustomMaxFiles(), 20);
    EXPECT_EQ(q.ProgressInterval(), 500);
    EXPECT_EQ(q.Verbose(), 1);
    EXPECT_EQ(q.ThreadPriority(), tpNormal);
    EXPECT_TRUE(q.TriggerEventInMainThread());
    EXPECT_FALSE(q.Preview());
    EXPECT_FALSE(q.PreviewBitmap());
    EXPECT_FALSE(q.Working());
    EXPECT_FALSE(q.Terminated());
    EXPECT_EQ(q.TasksCount(), 0);
    EXPECT_NE(q.AVProbe(), nullptr);
    for (const auto& [set, read] : {std::pair{50, 100}, {100, 100}, {0, 100}, {-5, 100}, {101, 101}, {2000, 2000}}) {
        q.SetProgressInterval(set);
        EXPECT_EQ(q.ProgressInterval(), read) << set;
    }
}

TEST_F(TasksTest, AddTaskOpensTheInputWithItsProbeAndKeepsACopyOfTheRecord) {
    TTestTrevalon q;
    TInputOptions in;
    InitInputOptions(in);
    in.Tag = 42;
    EXPECT_EQ(q.AddTask(AV(), &in), 0) << q.LastErrMsg().toStdString();
    EXPECT_EQ(in.FileName, AV()) << "the caller's empty FileName is filled";
    EXPECT_EQ(q.AddTask(TestMedia::Path(QStringLiteral("a44.wav"))), 1);
    TAVProbe* probe = q.GetTaskAVProbe(0, 0);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->FormatName(), QStringLiteral("avi"));
    EXPECT_EQ(probe->VideoStreamCount(), 1);
    EXPECT_FALSE(probe->FileInfoText().isEmpty());
    EXPECT_EQ(q.GetTaskAVProbe(0, 1), nullptr) << "an input never opened has no probe";
    EXPECT_EQ(q.GetTaskAVProbe(1, 0)->FormatName(), QStringLiteral("wav"));
    ASSERT_NE(q.Task(0)->InputOptions(0), nullptr);
    EXPECT_EQ(q.Task(0)->InputOptions(0)->Tag, 42);
    EXPECT_EQ(ErrorOf([&] { q.GetTaskAVProbe(5, 0); }), QStringLiteral("List index out of bounds (5)"));
}

TEST_F(TasksTest, AFailedAddTaskLeavesNoTask) {
    struct Case {
        const char* label;
        QString file;
        QString format;
        int maxFiles;
        QString error;  // a part of LastErrMsg
    };
    const QString missing = Out(QStringLiteral("missing.avi"));
    const Case cases[] = {
        {"missing file", missing, QString(), 20, QStringLiteral("No such file or directory")},
        {"unknown forced format", AV(), QStringLiteral("nosuchformat"), 20,
         QStringLiteral("Unknown input format: \"nosuchformat\"")},
        {"no room for files", AV(), QString(), 0, QStringLiteral("max files")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TTestTrevalon q;
        ASSERT_EQ(q.AddTask(AV()), 0);
        q.SetCustomMaxFiles(c.maxFiles);
        TInputOptions in;
        InitInputOptions(in);
        in.FileFormat = c.format;
        EXPECT_EQ(q.AddTask(c.file, &in), -1);
        EXPECT_TRUE(q.LastErrMsg().contains(c.error)) << q.LastErrMsg().toStdString();
        EXPECT_EQ(q.TasksCount(), 1);
    }
}

TEST_F(TasksTest, AddTaskWithoutTheLibrariesFailsPlainly) {
    TTestTrevalon q;
    int users = 0;
    for (; FFLoader().Loaded(ConverterLibraries); ++users) FFLoader().Unload(ConverterLibraries);
    const int t = q.AddTask(AV());
    const QString error = q.LastErrMsg();
    bool reloaded = q.LoadAVLib(QString());
    while (--users > 0) reloaded = FFLoader().Load(ConverterLibraries) && reloaded;
    EXPECT_EQ(t, -1);
    EXPECT_EQ(error, QStringLiteral("LibAVCodec not loaded."));
    EXPECT_EQ(q.TasksCount(), 0);
    ASSERT_TRUE(reloaded) << q.LastErrMsg().toStdString();
    EXPECT_TRUE(q.AVLibLoaded());
    EXPECT_EQ(q.AddTask(AV()), 0);
}

TEST_F(TasksTest, AddInputFileStopsAtTheTasksFileLimit) {
    TTestTrevalon q;
    q.SetCustomMaxFiles(1);
    ASSERT_EQ(q.AddTask(AV()), 0);
    EXPECT_FALSE(q.AddInputFile(0, AV()));
    EXPECT_EQ(q.LastErrMsg(), QStringLiteral("max input files 1 reached"));
    EXPECT_EQ(q.Task(0)->nb_input_files(), 1);

    q.SetCustomMaxFiles(3);
    ASSERT_EQ(q.AddTask(AV()), 1);
    EXPECT_TRUE(q.AddInputFile(1, TestMedia::Path(QStringLiteral("a44.wav")), QStringLiteral("TimeStart=abc")));
    EXPECT_EQ(q.Task(1)->InputOptions(1)->TimeStart, NoTimeValue) << "a time that is no number is unset";
    EXPECT_EQ(q.GetTaskAVProbe(1, 1)->FormatName(), QStringLiteral("wav"));
    EXPECT_FALSE(q.AddInputFile(1, Out(QStringLiteral("gone.wav"))));
    EXPECT_EQ(q.Task(1)->nb_input_files(), 2);
    EXPECT_EQ(q.GetTaskAVProbe(1, 2), nullptr);
}

// The first video stream takes the record's codec, a new stream the n-th
// option line of that key; without a record codec the line is the default.
TEST_F(TasksTest, CodecLinesPairWithNewStreams) {
    struct Case {
        const char* label;
        QString videoCodec;
        QString ext;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"record codec first", QStringLiteral("libx264"), QStringLiteral("vcodec=mpeg4\nnewvideo"), {"libx264", "mpeg4"}},
        {"line as the default", QString(), QStringLiteral("vcodec=mpeg4<CRLF>newvideo"), {"mpeg4", "mpeg4"}},
        {"two lines, two new streams", QStringLiteral("mpeg4"),
         QStringLiteral("vcodec=libx264\r\nvcodec=mpeg1video\r\nnewvideo\r\nnewvideo"), {"mpeg4", "libx264", "mpeg1video"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TTestTrevalon q;
        ASSERT_EQ(q.AddTask(AV()), 0);
        TOutputOptions out;
        InitOutputOptions(out);
        out.VideoCodec = c.videoCodec;
        out.ExtOptions = c.ext;
        ASSERT_TRUE(q.SetOutputFile(0, Out(QStringLiteral("x.mkv")), &out)) << q.LastErrMsg().toStdString();
        EXPECT_EQ(out.FileName, Out(QStringLiteral("x.mkv")));
        EXPECT_EQ(Codecs(q.Task(0), AVMEDIA_TYPE_VIDEO), c.expected);
    }
}

TEST_F(TasksTest, RecordFieldsWinOverOptionLines) {
    struct Case {
        int audioBitrate;
        int64_t expectedBitrate;
    };
    for (const Case c : {Case{128000, 128000}, Case{-1, 64000}}) {
        SCOPED_TRACE(c.audioBitrate);
        TTestTrevalon q;
        ASSERT_EQ(q.AddTask(AV()), 0);
        TOutputOptions out;
        InitOutputOptions(out);
        out.AudioBitrate = c.audioBitrate;
        out.ExtOptions = QStringLiteral("ab=64000\nar=22050");
        ASSERT_TRUE(q.SetOutputFile(0, Out(QStringLiteral("x.mp3")), &out)) << q.LastErrMsg().toStdString();
        const TOutputStreamSetup* a = FirstStream(q.Task(0), AVMEDIA_TYPE_AUDIO);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->enc->bit_rate, c.expectedBitrate);
        EXPECT_EQ(a->enc->sample_rate, 22050);
    }
}

TEST_F(TasksTest, TextFormOfAnInput) {
    // Both ways in read the text alike: TimeStart, in any case, is the
    // record's field; every other line stays an option line.
    TTestTrevalon q;
    ASSERT_EQ(q.AddTask(AV(), QStringLiteral("timestart=500000<CRLF>ar=22050")), 0) << q.LastErrMsg().toStdString();
    ASSERT_TRUE(
        q.AddInputFile(0, TestMedia::Path(QStringLiteral("a44.wav")), QStringLiteral("TimeStart=250000\r\nac=1")))
        << q.LastErrMsg().toStdString();
    const TInputOptions* first = q.Task(0)->InputOptions(0);
    const TInputOptions* second = q.Task(0)->InputOptions(1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->TimeStart, 500000);
    EXPECT_EQ(first->ExtOptions, QStringLiteral("ar=22050\n"));
    EXPECT_EQ(second->TimeStart, 250000);
    EXPECT_EQ(second->ExtOptions, QStringLiteral("ac=1\n"));
}

TEST_F(TasksTest, TextFormOfAnOutput) {
    TTestTrevalon q;
    ASSERT_EQ(q.AddTask(TestMedia::Path(QStringLiteral("a44.wav"))), 0);
    ASSERT_TRUE(q.AddInputFile(0, TestMedia::Path(QStringLiteral("a44.wav"))));
    ASSERT_TRUE(q.SetOutputFile(0, Out(QStringLiteral("joined.wav")),
                                QStringLiteral("Join<CRLF>TimeLength=5000000<CRLF>hook=1<CRLF>ac=1")))
        << q.LastErrMsg().toStdString();
    TFFmpeg* t = q.Task(0);
    ASSERT_EQ(t->nb_output_files(), 2) << "a joined output stands for every input";
    EXPECT_EQ(t->OutputFile(0), t->OutputFile(1));
    EXPECT_EQ(t->Options().Frecording_time, 5000000);
    EXPECT_TRUE(static_cast<bool>(t->OnCustomHook));
    const TOutputOptions* stored = t->OutputOptions(0);
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(stored->Join);
    EXPECT_TRUE(stored->CustomHook);
    EXPECT_EQ(stored->TimeLength, 5000000);
    EXPECT_EQ(stored->ExtOptions, QStringLiteral("ac=1\n"));
    EXPECT_EQ(FirstStream(t, AVMEDIA_TYPE_AUDIO)->enc->ch_layout.nb_channels, 1);
}

TEST_F(TasksTest, TargetAndNormReachTheConverter) {
    TTestTrevalon q;
    ASSERT_EQ(q.AddTask(AV()), 0);
    TOutputOptions out;
    InitOutputOptions(out);
    out.TargetType = ttDVD;
    out.NormType = ntPAL;
    ASSERT_TRUE(q.SetOutputFile(0, Out(QStringLiteral("disc.mpg")), &out)) << q.LastErrMsg().toStdString();
    const TOutputStreamSetup* v = FirstStream(q.Task(0), AVMEDIA_TYPE_VIDEO);
    ASSERT_NE(v, nullptr);
    EXPECT_STREQ(v->codec->name, "mpeg2video");
    EXPECT_EQ(v->enc->width, 720);
    EXPECT_EQ(v->enc->height, 576);
}

TEST_F(TasksTest, AFailedOutputLeavesTheTaskWithoutIt) {
    struct Case {
        const char* label;
        QString videoTag;
        QString file;
        QString error;
    };
    const Case cases[] = {
        {"bad tag", QStringLiteral("XVI"), QStringLiteral("x.avi"), QStringLiteral("video tag parameter must be 4 chars")},
        {"unknown container", QString(), QStringLiteral("x.nosuchext"), QStringLiteral("Unable to find a suitable output format")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TTestTrevalon q;
        ASSERT_EQ(q.AddTask(AV()), 0);
        TOutputOptions out;
        InitOutputOptions(out);
        out.VideoTag = c.videoTag;
        EXPECT_FALSE(q.SetOutputFile(0, Out(c.file), &out));
        EXPECT_TRUE(q.LastErrMsg().contains(c.error)) << q.LastErrMsg().toStdString();
        EXPECT_EQ(q.Task(0)->nb_output_files(), 0);
        EXPECT_TRUE(q.Task(0)->OutputOptions(0) == nullptr || q.Task(0)->OutputOptions(0)->FileName.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(Out(c.file))) << "attaching creates no file";
    }
}

TEST_F(TasksTest, ExchangeAndRemoveMoveTheTasks) {
    TTestTrevalon q;
    const QString files[] = {AV(), TestMedia::Path(QStringLiteral("a44.wav")), TestMedia::Path(QStringLiteral("a48.mp3"))};
    for (const QString& f : files) ASSERT_GE(q.AddTask(f), 0);
    q.Exchange(0, 2);
    EXPECT_EQ(q.GetTaskAVProbe(0, 0)->FormatName(), QStringLiteral("mp3"));
    EXPECT_EQ(q.GetTaskAVProbe(2, 0)->FormatName(), QStringLiteral("avi"));
    q.RemoveTask(1);
    ASSERT_EQ(q.TasksCount(), 2);
    EXPECT_EQ(q.GetTaskAVProbe(1, 0)->FormatName(), QStringLiteral("avi"));
    EXPECT_EQ(ErrorOf([&] { q.RemoveTask(2); }), QStringLiteral("List index out of bounds (2)"));
    EXPECT_EQ(ErrorOf([&] { q.Exchange(0, -1); }), QStringLiteral("List index out of bounds (-1)"));
}

// From Start until ClearTasks the list is frozen, also after the run ended.
TEST_F(TasksTest, OperationsAreRefusedFromStartUntilClearTasks) {
    TTestTrevalon q;
    q.Body = [](TTestTask& t) { t.MarkFinished(); };
    AddTasks(q, 2);
    q.Start(1);
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
    EXPECT_TRUE(q.Working()) << "an ended run still counts as working";
    const std::pair<const char*, std::function<void()>> ops[] = {
        {"AddTask", [&] { q.AddTask(AV()); }},
        {"AddTask", [&] { q.AddTask(AV(), QStringLiteral("ss=1")); }},
        {"AddInputFile", [&] { q.AddInputFile(0, AV()); }},
        {"SetOutputFile", [&] { q.SetOutputFile(0, Out(QStringLiteral("y.wav"))); }},
        {"Exchange", [&] { q.Exchange(0, 1); }},
        {"RemoveTask", [&] { q.RemoveTask(0); }},
        {"StartTask", [&] { q.Start(1); }},
    };
    for (const auto& [name, op] : ops)
        EXPECT_EQ(ErrorOf(op), QStringLiteral("Cannot %1 while working.").arg(QLatin1String(name)));
    EXPECT_EQ(q.TasksCount(), 2);
    q.ClearTasks();
    EXPECT_FALSE(q.Working());
    EXPECT_FALSE(q.Terminated());
    EXPECT_EQ(q.TasksCount(), 0);
    EXPECT_EQ(q.AddTask(AV()), 0);
}

TEST_F(TasksTest, PreviewSwitchesReachExistingAndLaterTasks) {
    TTestTrevalon q;
    ASSERT_EQ(q.AddTask(AV()), 0);
    q.SetPreview(true);
    q.SetPreviewBitmap(true);
    ASSERT_EQ(q.AddTask(AV()), 1);
    for (int i : {0, 1}) EXPECT_EQ(q.Task(i)->Options().FPostHooks, (1u << phPreview) | (1u << phBitmap)) << i;
    q.SetPreview(false);
    for (int i : {0, 1}) EXPECT_EQ(q.Task(i)->Options().FPostHooks, 1u << phBitmap) << i;
}

}  // namespace
