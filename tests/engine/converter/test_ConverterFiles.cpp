// Inputs and outputs: what an opened input leaves in the option state, the
// streams an output gets, and the texts of the failures.
#include "tests/engine/converter/ConverterTestSupport.h"
#include "tests/support/TestMedia.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Check = std::function<void(const TTestFFmpeg&)>;

QByteArray Digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

class FilesTest : public ConverterTest {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Out(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

TEST_F(FilesTest, PalDvInputLeavesItsParametersAndALaterSizeOverrides) {
    TTestFFmpeg f;
    ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("pal.dv")))) << f.LastErrMsg().toStdString();
    const TFFmpegOptionState& o = f.Options();
    EXPECT_EQ(o.Fframe_width, 720);
    EXPECT_EQ(o.Fframe_height, 576);
    EXPECT_EQ(o.Fframe_rate.num, 25);
    EXPECT_EQ(o.Fframe_rate.den, 1);
    EXPECT_NEAR(o.Fframe_aspect_ratio, 4.0 / 3.0, 1e-4);  // 16:15 pixels on 720x576
    EXPECT_EQ(o.Faudio_sample_rate, 48000);
    EXPECT_EQ(o.Faudio_channels, 2);
    EXPECT_EQ(f.nb_input_files(), 1);
    EXPECT_GT(f.TotalOutputDuration(), 900000);

    f.SetOption(QStringLiteral("s"), QStringLiteral("320x240"));
    ASSERT_EQ(f.OpenOutputFile(Out("small.avi"), false), 1) << f.LastErrMsg().toStdString();
    const TOutputFile* out = f.OutputFile(0);
    ASSERT_FALSE(out->streams.empty());
    ASSERT_NE(out->streams[0].enc, nullptr);
    EXPECT_EQ(out->streams[0].enc->width, 320);
    EXPECT_EQ(out->streams[0].enc->height, 240);
}

TEST_F(FilesTest, InputFailuresGiveTheirTexts) {
    TTestFFmpeg f;
    const QString missing = Out("missing.avi");
    EXPECT_FALSE(f.OpenInputFile(missing));
    EXPECT_EQ(f.LastErrMsg(), missing + QStringLiteral(": No such file or directory"));

    f.SetOption(QStringLiteral("f"), QStringLiteral("nosuchformat"));
    EXPECT_EQ(ErrorOf([&] { f.OpenInputFile(TestMedia::Path(QStringLiteral("a44.wav"))); }),
              QStringLiteral("Unknown input format: \"nosuchformat\""));

    TTestFFmpeg g;
    g.SetOption(QStringLiteral("acodec"), QStringLiteral("nosuchdecoder"));
    EXPECT_FALSE(g.OpenInputFile(TestMedia::Path(QStringLiteral("a44.wav"))));
    EXPECT_EQ(g.LastErrMsg(), QStringLiteral("Unknown decoder 'nosuchdecoder'"));
    EXPECT_EQ(g.nb_input_files(), 0);
    EXPECT_TRUE(g.Options().Faudio_codec_name.empty());
}

TEST_F(FilesTest, OutputFailuresGiveTheirTexts) {
    struct Case {
        const char* label;
        std::vector<std::pair<const char*, const char*>> options;
        const char* file;
        QString error;  // "%1" stands for the output's path
    };
    const Case cases[] = {
        {"unknown format", {{"f", "nosuch"}}, "x.avi",
         QStringLiteral("Requested output format 'nosuch' is not a suitable output format")},
        {"unknown extension", {}, "x.nosuchext", QStringLiteral("Unable to find a suitable output format for '%1'")},
        {"missing encoder", {{"acodec", "libopencore_amrnb"}}, "x.3gp",
         QStringLiteral("new_audio_stream fail: Unknown encoder 'libopencore_amrnb'")},
        {"audio codec for video", {{"vcodec", "mp2"}}, "x.avi", QStringLiteral("new_video_stream fail: Invalid encoder type 'mp2'")},
        {"experimental encoder", {{"acodec", "vorbis"}}, "x.ogg",
         QStringLiteral("new_audio_stream fail: encoder 'vorbis' is experimental and might produce bad results.\r\n"
                        "Add '-strict experimental' if you want to use it.\r\n"
                        "Or use the non experimental encoder 'libvorbis'.")},
        {"name without number", {{"f", "webm_chunk"}}, "x.chk", QStringLiteral("%1: Number syntax expected in filename")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TTestFFmpeg f;
        ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("av.avi"))));
        for (const auto& [n, v] : c.options) f.SetOption(QString::fromLatin1(n), QString::fromLatin1(v));
        const QString path = Out(c.file);
        EXPECT_EQ(f.OpenOutputFile(path, false), -1);
        EXPECT_EQ(f.LastErrMsg(), c.error.contains(QLatin1String("%1")) ? c.error.arg(path) : c.error);
        EXPECT_EQ(f.nb_output_files(), 0);
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST_F(FilesTest, ForcedDecodersKeepOneEntryPerInputStream) {
    TTestFFmpeg f;
    f.SetOption(QStringLiteral("vcodec"), QStringLiteral("mpeg4"));
    ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("timecode.mov")))) << f.LastErrMsg().toStdString();
    ASSERT_EQ(f.InputFile(0)->nb_streams, 2u);
    ASSERT_EQ(f.InputFile(0)->streams[1]->codecpar->codec_type, AVMEDIA_TYPE_DATA);
    f.SetOption(QStringLiteral("acodec"), QStringLiteral("pcm_s16le"));
    ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("av.avi"))));
    // The data stream holds its own place, so the second input's streams
    // find their own forced decoders.
    ASSERT_EQ(f.nb_icodecs(), 4);
    ASSERT_NE(f.InputCodecs()[0], nullptr);
    EXPECT_STREQ(f.InputCodecs()[0]->name, "mpeg4");
    EXPECT_EQ(f.InputCodecs()[1], nullptr);
    EXPECT_EQ(f.InputCodecs()[2], nullptr);
    ASSERT_NE(f.InputCodecs()[3], nullptr);
    EXPECT_STREQ(f.InputCodecs()[3]->name, "pcm_s16le");
}

// Raw inputs carry no parameters of their own: the option state's values
// reach the demuxer as its options.
TEST_F(FilesTest, OptionStateReachesARawDemuxer) {
    struct Case {
        const char* label;
        std::vector<std::pair<const char*, const char*>> options;
        int bytes;
        Check check;
    };
    const Case cases[] = {
        {"audio", {{"f", "s16le"}, {"ar", "8000"}, {"ac", "1"}}, 16000,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(f.Options().Faudio_sample_rate, 8000);
             EXPECT_EQ(f.Options().Faudio_channels, 1);
             EXPECT_NEAR(double(f.InputFile(0)->duration), 1000000.0, 1000.0);
         }},
        {"video", {{"f", "rawvideo"}, {"s", "32x16"}, {"pix_fmt", "gray"}, {"r", "5"}}, 32 * 16 * 10,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(f.Options().Fframe_width, 32);
             EXPECT_EQ(f.Options().Fframe_height, 16);
             EXPECT_EQ(f.Options().Fframe_rate.num, 5);
             EXPECT_EQ(f.Options().Fframe_pix_fmt, int(AV_PIX_FMT_GRAY8));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString raw = Out("input.raw");
        {
            QFile file(raw);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(c.bytes, '\0'));
        }
        TTestFFmpeg f;
        for (const auto& [n, v] : c.options) f.SetOption(QString::fromLatin1(n), QString::fromLatin1(v));
        ASSERT_TRUE(f.OpenInputFile(raw)) << f.LastErrMsg().toStdString();
        c.check(f);
    }
}

TEST_F(FilesTest, AWideFormNameOpensThroughTheEnginesOwnIO) {
    const QString plain = TestMedia::Path(QStringLiteral("a44.wav"));
    TTestFFmpeg f;
    ASSERT_TRUE(f.OpenInputFile(plain));
    ASSERT_TRUE(f.OpenInputFile(QStringLiteral("unicode:utf8:") + plain)) << f.LastErrMsg().toStdString();
    EXPECT_TRUE(f.InputFile(1)->flags & AVFMT_FLAG_CUSTOM_IO);
    EXPECT_EQ(f.InputFile(1)->duration, f.InputFile(0)->duration);
    EXPECT_FALSE(f.OpenInputFile(QStringLiteral("unicode:utf8:") + Out("missing.wav")));
    EXPECT_TRUE(f.LastErrMsg().endsWith(QLatin1String(": No such file or directory"))) << f.LastErrMsg().toStdString();
}

TEST_F(FilesTest, AudioContainerFromAVideoInputGetsOnlyTheAudioStream) {
    for (const char* file : {"x.mp3", "x.flac", "x.aiff"}) {
        SCOPED_TRACE(file);
        TTestFFmpeg f;
        ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("av.avi"))));
        ASSERT_EQ(f.OpenOutputFile(Out(file), false), 1) << f.LastErrMsg().toStdString();
        const TOutputFile* out = f.OutputFile(0);
        ASSERT_EQ(out->streams.size(), 1u);
        EXPECT_EQ(out->streams[0].st->codecpar->codec_type, AVMEDIA_TYPE_AUDIO);
    }
}

TEST_F(FilesTest, EncoderParametersFollowTheOptionStateAndTheEncoder) {
    struct Case {
        const char* label;
        const char* input;
        const char* file;
        std::vector<std::pair<const char*, const char*>> options;
        const char* codec;
        int sampleRate;
        AVSampleFormat sampleFormat;
    };
    const Case cases[] = {
        {"mp2 keeps 44.1 kHz", "a44.wav", "x.mp2", {}, "mp2", 44100, AV_SAMPLE_FMT_S16},
        {"ac3 keeps 44.1 kHz", "a44.wav", "x.ac3", {}, "ac3", 44100, AV_SAMPLE_FMT_FLTP},
        {"mp3 from s16 input", "a44.wav", "x.mp3", {}, "libmp3lame", 44100, AV_SAMPLE_FMT_S32P},
        {"mp3 at a rate it lacks", "a44.wav", "y.mp3", {{"ar", "11000"}}, "libmp3lame", 11025, AV_SAMPLE_FMT_S32P},
        {"libfaac means aac", "a44.wav", "x.m4a", {{"acodec", "libfaac"}}, "aac", 44100, AV_SAMPLE_FMT_FLTP},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        LogCapture log;
        TTestFFmpeg f;
        ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QLatin1String(c.input))));
        for (const auto& [n, v] : c.options) f.SetOption(QString::fromLatin1(n), QString::fromLatin1(v));
        ASSERT_EQ(f.OpenOutputFile(Out(c.file), false), 1) << f.LastErrMsg().toStdString();
        const TOutputStreamSetup& s = f.OutputFile(0)->streams.at(0);
        ASSERT_NE(s.codec, nullptr);
        EXPECT_STREQ(s.codec->name, c.codec);
        EXPECT_EQ(s.enc->sample_rate, c.sampleRate);
        EXPECT_EQ(s.enc->sample_fmt, c.sampleFormat);
        EXPECT_EQ(s.enc->time_base.den, c.sampleRate);
        if (c.sampleRate != 44100) {
            EXPECT_TRUE(log.Has(llWarning, QStringLiteral("Requested sampling rate unsupported using closest "
                                                          "supported (%1)").arg(c.sampleRate)));
        }
        if (QLatin1String(c.codec) == QLatin1String("aac")) {
            EXPECT_TRUE(log.Has(llInfo, QStringLiteral("Encoder 'libfaac' is not available, using the built-in "
                                                       "'aac' encoder")));
        }
    }
}

// The parameter tuples the main window hands over, attached to a real input:
// every stream built must open its encoder as it stands.
TEST_F(FilesTest, ProfileParametersGiveEncodersThatOpen) {
    struct Case {
        const char* file;
        std::vector<std::pair<const char*, const char*>> options;
        size_t streams;
    };
    using O = std::vector<std::pair<const char*, const char*>>;
    const O audioOnly48{{"ac", "2"}, {"ab", "128000"}, {"ar", "48000"}, {"vn", "1"}};
    const auto with = [](O base, const O& more) {
        base.insert(base.end(), more.begin(), more.end());
        return base;
    };
    const Case cases[] = {
        {"a.mp3", with(audioOnly48, {{"acodec", "libmp3lame"}}), 1},
        {"a.wma", with(audioOnly48, {{"acodec", "wmav2"}}), 1},
        {"a.wav", audioOnly48, 1},
        {"a.aac", with(audioOnly48, {{"acodec", "libfaac"}}), 1},
        {"a.m4a", audioOnly48, 1},
        {"a.ogg", with(audioOnly48, {{"acodec", "libvorbis"}}), 1},
        {"a.ra", audioOnly48, 1},
        {"a.ac3", with(audioOnly48, {{"acodec", "ac3"}}), 1},
        {"a.aiff", audioOnly48, 1},
        {"a.mp2", {{"ac", "2"}, {"ab", "128000"}, {"ar", "44100"}, {"vn", "1"}}, 1},
        {"a.flac", with(audioOnly48, {{"acodec", "flac"}}), 1},
        {"v.mp4", {{"vcodec", "mpeg4"}, {"s", "320*240"}, {"vb", "528000"}, {"r", "25"}, {"acodec", "libmp3lame"},
                   {"ac", "2"}, {"ab", "128000"}, {"ar", "44100"}}, 2},
        {"x.mp4", {{"vcodec", "libx264"}, {"vpre", "libx264-default"}, {"s", "320*240"}, {"vb", "1200000"},
                   {"r", "25"}, {"acodec", "libfaac"}, {"ac", "2"}, {"ab", "128000"}, {"ar", "44100"}}, 2},
        {"x.mkv", {{"vcodec", "libx264"}, {"vpre", "libx264-default"}, {"vb", "1600000"}, {"r", "25"},
                   {"acodec", "libmp3lame"}, {"ab", "256000"}, {"ar", "48000"}}, 2},
        {"d.avi", {{"vcodec", "mpeg4"}, {"vtag", "DX50"}, {"vb", "816000"}, {"r", "25"}, {"acodec", "libmp3lame"},
                   {"ab", "128000"}, {"ar", "44100"}}, 2},
        {"x.avi", {{"vcodec", "libxvid"}, {"vb", "816000"}, {"r", "25"}, {"acodec", "libmp3lame"}}, 2},
        {"w.asf", {{"vcodec", "msmpeg4"}, {"vb", "816000"}, {"r", "25"}, {"acodec", "wmav2"}}, 2},
        {"w.wmv", {{"vcodec", "wmv2"}, {"vb", "816000"}, {"r", "25"}, {"acodec", "wmav2"}}, 2},
        {"r.rm", {{"vcodec", "rv20"}, {"s", "320*240"}}, 2},
        {"disc.mpg", {{"target", "pal-dvd"}}, 2},
        {"disc.vcd.mpg", {{"target", "pal-vcd"}}, 2},
        {"disc.svcd.mpg", {{"target", "pal-svcd"}}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TTestFFmpeg f;
        ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("av.avi"))));
        for (const auto& [n, v] : c.options) f.SetOption(QString::fromLatin1(n), QString::fromLatin1(v));
        ASSERT_EQ(f.OpenOutputFile(Out(c.file), false), 1) << f.LastErrMsg().toStdString();
        TOutputFile* out = f.OutputFile(0);
        ASSERT_EQ(out->streams.size(), c.streams);
        for (TOutputStreamSetup& s : out->streams) {
            ASSERT_NE(s.codec, nullptr);
            int ret = 0;
            {
                std::lock_guard lock(CodecLock);
                ret = ff::avcodec_open2(s.enc, s.codec, &s.codec_opts);
            }
            EXPECT_GE(ret, 0) << s.codec->name << ": " << ErrorText(QString(), ret).toStdString();
        }
    }
}

TEST_F(FilesTest, AnOutputThatIsAnInputIsRefusedAndTheInputKept) {
    // A copy, so the shared clip cannot be harmed if the refusal fails.
    const QString input = Out("in.avi");
    ASSERT_TRUE(QFile::copy(TestMedia::Path(QStringLiteral("av.avi")), input));
    const QByteArray before = Digest(input);
    {
        TTestFFmpeg f;
        ASSERT_TRUE(f.OpenInputFile(input));
        EXPECT_EQ(f.OpenOutputFile(dir.path() + QStringLiteral("/./in.avi"), false), -1);
        EXPECT_TRUE(f.LastErrMsg().contains(QLatin1String("same file as input file #0"))) << f.LastErrMsg().toStdString();
        EXPECT_EQ(f.nb_output_files(), 0);
    }
    {
        // The other way round: an input added after an output at its path.
        TTestFFmpeg f;
        ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("a44.wav"))));
        ASSERT_EQ(f.OpenOutputFile(input, false), 1);
        EXPECT_FALSE(f.OpenInputFile(input));
        EXPECT_TRUE(f.LastErrMsg().contains(QLatin1String("same file as output file #0")));
    }
    EXPECT_EQ(Digest(input), before);
}

TEST_F(FilesTest, JoinRegistersTheOutputOncePerInput) {
    TTestFFmpeg f;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("a44.wav"))));
    int64_t sum = 0;
    for (int i = 0; i < 3; ++i) sum += f.InputFile(i)->duration;
    ASSERT_EQ(f.OpenOutputFile(Out("joined.wav"), true), 3) << f.LastErrMsg().toStdString();
    EXPECT_EQ(f.OutputFile(0), f.OutputFile(1));
    EXPECT_EQ(f.OutputFile(0), f.OutputFile(2));
    EXPECT_EQ(f.TotalOutputDuration(), sum);
    EXPECT_EQ(f.OpenOutputFile(Out("second.wav"), false), -1);
    EXPECT_EQ(f.LastErrMsg(), QStringLiteral("Cannot join more than one output file."));
}

TEST_F(FilesTest, MetadataAndStreamOptionsReachTheOutput) {
    TTestFFmpeg f;
    ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("av.avi"))));
    f.AddMetadata("author", "someone");
    f.AddMetadata("title", "first");
    f.AddMetadata("title", "second");
    f.SetOption(QStringLiteral("alang"), QStringLiteral("eng"));
    f.SetOption(QStringLiteral("streamid"), QStringLiteral("1:33"));
    ASSERT_EQ(f.OpenOutputFile(Out("x.mkv"), false), 1) << f.LastErrMsg().toStdString();
    const TOutputFile* out = f.OutputFile(0);
    EXPECT_EQ(MetadataValue(out->ctx->metadata, "artist"), QStringLiteral("someone"));
    EXPECT_EQ(MetadataValue(out->ctx->metadata, "title"), QStringLiteral("first"));
    ASSERT_EQ(out->streams.size(), 2u);
    EXPECT_EQ(MetadataValue(out->streams[1].st->metadata, "language"), QStringLiteral("eng"));
    EXPECT_EQ(out->streams[1].st->id, 33);
    EXPECT_TRUE(f.Metadata().empty());
    EXPECT_TRUE(f.Options().Faudio_language.isEmpty());
}

}  // namespace
