// Broken input and early ends: every run ends with an error or a valid
// output, never a finished report over a file nothing can read; errors say
// what happened.
#include "tests/engine/converter/OddMediaSupport.h"

#include "engine/Trevalon.h"

using namespace OddMedia;

namespace {

// An MP4 whose index (at the front) promises two seconds of pictures and
// sound, cut at 60% of its bytes.
QString CutMp4() {
    const QString full = Clip(QStringLiteral("front_index.mp4"),
                              QStringLiteral("-f lavfi -i testsrc=s=160x120:r=25:d=2 -f lavfi -i sine=r=44100:d=2 "
                                             "-c:v mpeg4 -c:a aac -movflags +faststart"));
    return Patched(QStringLiteral("cut.mp4"), full, [](QByteArray& b) { b.truncate(b.size() * 6 / 10); });
}

// An MP4 whose index and decoder set-up promise a second of 160x120 H.264
// pictures over data that is all zeros.
QString LyingMp4() {
    const QString real = Clip(QStringLiteral("video_only_h264.mp4"), QStringLiteral("-f lavfi -i testsrc=s=160x120:r=25:d=1 "
                                                                             "-c:v libx264 -movflags +faststart"));
    return Patched(QStringLiteral("zeros_h264.mp4"), real, [](QByteArray& b) {
        const qsizetype at = b.indexOf("mdat");
        ASSERT_GT(at, 0);
        std::fill(b.begin() + at + 4, b.end(), '\0');
    });
}

}  // namespace

class ConverterBrokenTest : public PipelineTest {};

// ---------------------------------------------------------------- stop before the first packet

class StopBeforeFirstPacketTest : public ConverterBrokenTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(StopBeforeFirstPacketTest, LeavesNoFile) {
    TTestFFmpeg f;
    const QString out = Out(QLatin1String(GetParam()));
    ASSERT_TRUE(Build(f, {{"-i", TestMedia::Path(QStringLiteral("av.avi"))}, {"-o", out}})) << f.LastErrMsg().toStdString();
    TConvertThread* worker = f.StartConvert(true);
    ASSERT_NE(worker, nullptr);
    // Closed before the worker starts: it writes the header, then waits at
    // the gate before its first packet, where the stop finds it.
    f.Pause();
    worker->Start();
    f.Stop(true);
    EXPECT_TRUE(f.Terminated());
    EXPECT_FALSE(f.Finished());
    EXPECT_FALSE(f.FatalException()) << f.FatalMessage().toStdString();
    EXPECT_TRUE(f.FatalMessage().startsWith(QStringLiteral("Output #0 removed: stopped before stream #0.")))
        << f.FatalMessage().toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
}

INSTANTIATE_TEST_SUITE_P(Containers, StopBeforeFirstPacketTest, ::testing::Values("stop.mp4", "stop.mkv", "stop.avi"),
                         [](const auto& info) { return QString::fromLatin1(info.param).replace(u'.', u'_').toStdString(); });

// ---------------------------------------------------------------- stop before a stream's first packet

namespace {

// Reads as the libraries do until the first video packet, which is not
// handed over: the task is stopped there, as a user's stop can land.
struct StopAtFirstVideo {
    static inline TCustomFFmpeg* Task = nullptr;
    static inline TCustomTrevalon* Queue = nullptr;
    static inline decltype(ff::av_read_frame) Real = nullptr;
    static int Read(AVFormatContext* ctx, AVPacket* pkt) {
        const int ret = Real(ctx, pkt);
        if (ret < 0 || ctx->streams[pkt->stream_index]->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) return ret;
        ff::av_packet_unref(pkt);
        if (Task) Task->Stop(false);
        if (Queue) Queue->Stop(false);
        return AVERROR(EAGAIN);  // the loop sees the stop before it reads again
    }
    StopAtFirstVideo() {
        Real = ff::av_read_frame;
        ff::av_read_frame = &Read;
    }
    ~StopAtFirstVideo() {
        ff::av_read_frame = Real;
        Task = nullptr;
        Queue = nullptr;
    }
};

// Half a second of sound comes before the first picture.
QString SoundFirst() {
    return Clip(QStringLiteral("sound_first.mkv"),
                QStringLiteral("-f lavfi -i sine=r=44100:d=1.5 -itsoffset 0.5 -f lavfi -i testsrc=s=160x120:r=25:d=1 "
                               "-map 0:a -map 1:v -c:a mp2 -c:v mpeg4"));
}

}  // namespace

class StopBeforeFirstPictureTest : public ConverterBrokenTest, public ::testing::WithParamInterface<const char*> {};

// Sound was written, the declared picture stream got nothing: such a file is
// removed like one that got nothing at all, and the report says so.
TEST_P(StopBeforeFirstPictureTest, RemovesTheFileAndSaysSo) {
    const QString src = SoundFirst();
    const QString out = Out(QLatin1String(GetParam()));
    TPipelineFFmpeg f;
    ASSERT_TRUE(Build(f, {{"-i", src}, {"vcodec", "mpeg4"}, {"acodec", "mp2"}, {"-o", out}}))
        << f.LastErrMsg().toStdString();
    {
        StopAtFirstVideo stop;
        StopAtFirstVideo::Task = &f;
        f.StartConvert(false);
    }
    EXPECT_TRUE(f.Terminated());
    EXPECT_FALSE(f.Finished());
    EXPECT_FALSE(f.FatalException()) << f.FatalMessage().toStdString();
    EXPECT_EQ(f.FatalMessage().toStdString(), "Output #0 removed: stopped before stream #0.0 (Video) got a packet");
    EXPECT_TRUE(FLog.Contains(QStringLiteral("Output #0 removed"))) << FLog.Lines().join(u'\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
}

INSTANTIATE_TEST_SUITE_P(Containers, StopBeforeFirstPictureTest, ::testing::Values("part.avi", "part.mkv", "part.mp4"),
                         [](const auto& info) { return QString::fromLatin1(info.param).replace(u'.', u'_').toStdString(); });

// The task's report carries the same words the row is given.
TEST_F(ConverterBrokenTest, AStoppedTasksReportSaysItsPartialOutputWasRemoved) {
    TTrevalon queue;
    queue.SetTriggerEventInMainThread(false);
    const int task = queue.AddTask(SoundFirst());
    ASSERT_EQ(task, 0) << queue.LastErrMsg().toStdString();
    const QString out = Out(QStringLiteral("queued.avi"));
    ASSERT_TRUE(queue.SetOutputFile(task, out)) << queue.LastErrMsg().toStdString();
    std::vector<TTerminateInfo> reports;
    queue.OnTerminate = [&reports](QObject*, const TTerminateInfo& AInfo) { reports.push_back(AInfo); };
    {
        StopAtFirstVideo stop;
        StopAtFirstVideo::Queue = &queue;
        queue.Start(0);
    }
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_FALSE(reports[0].Finished);
    EXPECT_FALSE(reports[0].Exception);
    EXPECT_EQ(reports[0].ExceptionMsg.toStdString(), "Output #0 removed: stopped before stream #0.0 (Video) got a packet");
    EXPECT_FALSE(QFileInfo::exists(out));
}

// ---------------------------------------------------------------- broken input

TEST_F(ConverterBrokenTest, AHeaderThatLiesIsAFailureWithoutFile) {
    const QString src = LyingMp4();
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("lies.mkv"));
    const QString err = Convert(f, {{"-i", src}, {"vcodec", "mpeg4"}, {"-o", out}});
    EXPECT_EQ(err.toStdString(), "Nothing was encoded for output stream #0.0 (Video): input stream #0.0 gave no frame");
    EXPECT_FALSE(f.Finished());
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(ConverterBrokenTest, ACutInputFinishesWithANote) {
    const QString src = CutMp4();
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("cut.mkv"));
    ASSERT_EQ("", Convert(f, {{"-i", src}, {"vcodec", "mpeg4"}, {"acodec", "mp2"}, {"-o", out}}).toStdString());
    EXPECT_TRUE(f.Finished());
    EXPECT_TRUE(f.FatalMessage().startsWith(QStringLiteral("Input #0 ended early"))) << f.FatalMessage().toStdString();
    // What was read is a valid file.
    const ProbeResult p = Probe(out);
    EXPECT_TRUE(p.ok);
    EXPECT_GT(p.duration, 0.3);
    EXPECT_LT(p.duration, 1.9);
}

TEST_F(ConverterBrokenTest, ACutInputsTaskReportSaysItEndedEarly) {
    TTrevalon queue;
    queue.SetTriggerEventInMainThread(false);
    const int task = queue.AddTask(CutMp4());
    ASSERT_EQ(task, 0) << queue.LastErrMsg().toStdString();
    ASSERT_TRUE(queue.SetOutputFile(task, Out(QStringLiteral("queued.mkv")))) << queue.LastErrMsg().toStdString();
    std::vector<TTerminateInfo> reports;
    queue.OnTerminate = [&reports](QObject*, const TTerminateInfo& AInfo) { reports.push_back(AInfo); };
    queue.Start(0);  // on this thread: every report is in when it returns
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(reports[0].Finished);
    EXPECT_FALSE(reports[0].Exception);
    EXPECT_TRUE(reports[0].ExceptionMsg.startsWith(QStringLiteral("Input #0 ended early"))) << reports[0].ExceptionMsg.toStdString();
}

TEST_F(ConverterBrokenTest, AWholeInputFinishesWithoutNote) {
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("whole.mkv"));
    ASSERT_EQ("", Convert(f, {{"-i", TestMedia::Path(QStringLiteral("av.mp4"))}, {"-o", out}}).toStdString());
    EXPECT_TRUE(f.Finished());
    EXPECT_EQ(f.FatalMessage().toStdString(), "");
}

// ---------------------------------------------------------------- cut off as a broken download leaves them

struct CutCase {
    const char* ext;
    const char* encode;  // the ffmpeg tool's arguments for the whole clip
    const char* output;  // what the converter writes
};

const CutCase kCutCases[] = {
    {"mkv", "-c:v mpeg4 -c:a mp2", "out.mkv"},
    {"ts", "-c:v mpeg4 -c:a mp2", "out.mkv"},
    {"flac", "-vn", "out.wav"},
    {"mp3", "-vn -c:a libmp3lame", "out.wav"},
    {"avi", "-c:v mpeg4 -c:a mp2", "out.mkv"},
    {"mp4", "-c:v mpeg4 -c:a aac -movflags +faststart", "out.mkv"},
};

QString WholeClip(const CutCase& c) {
    return Clip(QStringLiteral("whole2s.%1").arg(QLatin1String(c.ext)),
                QStringLiteral("-f lavfi -i testsrc=s=160x120:r=25:d=2 -f lavfi -i sine=r=44100:d=2 %1")
                    .arg(QLatin1String(c.encode)));
}

class CutInputTest : public ConverterBrokenTest, public ::testing::WithParamInterface<CutCase> {
protected:
    // The fatal message and the note of one conversion of src.
    void ConvertIt(const QString& src, QString& note) {
        TPipelineFFmpeg f;
        const QString out = Out(QLatin1String(GetParam().output));
        Steps steps{{"-i", src}};
        if (QLatin1String(GetParam().output).endsWith(QLatin1String(".mkv")))
            steps.insert(steps.end(), {{"vcodec", "mpeg4"}, {"acodec", "mp2"}});
        steps.push_back({"-o", out});
        ASSERT_EQ("", Convert(f, steps).toStdString());
        EXPECT_TRUE(f.Finished());
        EXPECT_GT(Probe(out).duration, 0.3);
        note = f.FatalMessage();
    }
};

TEST_P(CutInputTest, ACutFileConvertsWhatIsThereAndSaysItEndedEarly) {
    const QString whole = WholeClip(GetParam());
    const QString cut = Patched(QStringLiteral("cut55.%1").arg(QLatin1String(GetParam().ext)), whole,
                                [](QByteArray& b) { b.truncate(b.size() * 55 / 100); });
    QString note;
    ConvertIt(cut, note);
    EXPECT_TRUE(note.startsWith(QStringLiteral("Input #0 ended early: "))) << note.toStdString();
}

TEST_P(CutInputTest, AWholeFileHasNoNote) {
    QString note;
    ConvertIt(WholeClip(GetParam()), note);
    EXPECT_EQ(note.toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(Containers, CutInputTest, ::testing::ValuesIn(kCutCases),
                         [](const auto& info) { return std::string(info.param.ext); });

// A file whose duration is guessed from its bit rate declares what it holds,
// however far a variable rate makes the guess off (a second of silence, then
// one of noise, reads as nearly three): no note.
TEST_F(ConverterBrokenTest, ADurationGuessedFromTheBitRateIsNoReasonForANote) {
    const QString vbr = Clip(QStringLiteral("vbr_noxing.mp3"),
                             QStringLiteral("-f lavfi -i anullsrc=r=44100:cl=mono:d=1 -f lavfi -i anoisesrc=r=44100:d=1 "
                                            "-filter_complex [0][1]concat=n=2:v=0:a=1 -c:a libmp3lame -q:a 0 "
                                            "-write_xing 0"));
    TPipelineFFmpeg f;
    ASSERT_EQ("", Convert(f, {{"-i", vbr}, {"-o", Out(QStringLiteral("vbr.wav"))}}).toStdString());
    EXPECT_EQ(f.FatalMessage().toStdString(), "");
}

// ---------------------------------------------------------------- damaged frames

namespace {

// Every sample the libraries' decoder gives for the file's audio, damaged
// frames skipped as they come; -1 when it cannot be opened.
int64_t DecodedSamples(const QString& path) {
    AVFormatContext* ctx = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (ff::avformat_open_input(&ctx, name.constData(), nullptr, nullptr) < 0) return -1;
    int64_t samples = -1;
    AVCodecContext* dec = nullptr;
    AVPacket* pkt = ff::av_packet_alloc();
    AVFrame* frame = ff::av_frame_alloc();
    const AVCodec* codec = nullptr;
    const int index = ff::avformat_find_stream_info(ctx, nullptr) >= 0
                          ? ff::av_find_best_stream(ctx, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0)
                          : -1;
    if (index >= 0 && (dec = ff::avcodec_alloc_context3(codec)) &&
        ff::avcodec_parameters_to_context(dec, ctx->streams[index]->codecpar) >= 0 &&
        ff::avcodec_open2(dec, codec, nullptr) >= 0) {
        samples = 0;
        const auto drain = [&] {
            for (int ret = 0; ret != AVERROR(EAGAIN) && ret != AVERROR_EOF;) {
                ret = ff::avcodec_receive_frame(dec, frame);
                if (ret >= 0) samples += frame->nb_samples;
                ff::av_frame_unref(frame);
            }
        };
        while (ff::av_read_frame(ctx, pkt) >= 0) {
            if (pkt->stream_index == index && ff::avcodec_send_packet(dec, pkt) >= 0) drain();
            ff::av_packet_unref(pkt);
        }
        ff::avcodec_send_packet(dec, nullptr);
        drain();
    }
    ff::av_frame_free(&frame);
    ff::av_packet_free(&pkt);
    ff::avcodec_free_context(&dec);
    ff::avformat_close_input(&ctx);
    return samples;
}

}  // namespace

// Decoded on several threads, a damaged frame's error comes out while the
// decoder is drained at the end, with good frames still behind it.
TEST_F(ConverterBrokenTest, DamagedFlacFramesLoseNothingTheDecoderGave) {
    // Ten frames of 4608 samples of about 1.3 kB (the last one shorter) after
    // 8 kB of header; the fifth and the third last get bytes overwritten in
    // their middle.
    const QString whole = Clip(QStringLiteral("whole1s.flac"), QStringLiteral("-f lavfi -i sine=r=44100:d=1 -ac 2"));
    const QString damaged = Patched(QStringLiteral("damaged1s_3rdlast.flac"), whole, [](QByteArray& b) {
        for (const qsizetype at : {b.size() - 6900, b.size() - 2750})
            std::fill(b.begin() + at, b.begin() + at + 64, '\x5a');
    });
    const int64_t decoded = DecodedSamples(damaged);
    ASSERT_GT(decoded, 0);
    ASSERT_LT(decoded, 44100 - 4608);  // the damaged frames are gone

    TPipelineFFmpeg f;
    f.CodecThreads = 4;
    const QString out = Out(QStringLiteral("damaged.wav"));
    ASSERT_EQ("", Convert(f, {{"-i", damaged}, {"-o", out}}).toStdString());
    const int64_t written = Decode(out, {QStringLiteral("-f"), QStringLiteral("s16le")}).size() / 4;
    EXPECT_NEAR(static_cast<double>(written), static_cast<double>(decoded), 4608) << "decoded " << decoded;
}

// ---------------------------------------------------------------- errors say what happened

TEST_F(ConverterBrokenTest, AFolderAsInputIsADirectory) {
    TTestFFmpeg f;
    EXPECT_FALSE(f.OpenInputFile(FDir.path()));
    EXPECT_EQ(f.LastErrMsg().toStdString(), (FDir.path() + QStringLiteral(": Is a directory")).toStdString());
}

TEST_F(ConverterBrokenTest, AHeaderFailureEndsWithTheMuxersReason) {
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("pcm.mp4"));
    const QString err = Convert(f, {{"-i", TestMedia::Path(QStringLiteral("a44.wav"))}, {"acodec", "copy"}, {"-o", out}});
    EXPECT_TRUE(err.startsWith(QStringLiteral("Could not write header for output file #0 (incorrect codec parameters ?) ")))
        << err.toStdString();
    EXPECT_TRUE(err.endsWith(QStringLiteral("codec not currently supported in container"))) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(ConverterBrokenTest, AacInAProgramStreamNamesTheCodecsItTakes) {
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("aac.mpg"));
    const QString err = Convert(f, {{"-i", TestMedia::Path(QStringLiteral("a44.wav"))}, {"acodec", "aac"}, {"-o", out}});
    EXPECT_TRUE(err.startsWith(QStringLiteral("Could not write header for output file #0 (incorrect codec parameters ?) ")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("Must be one of mp1, mp2, mp3, "))) << err.toStdString();
}
