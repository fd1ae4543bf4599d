// Targets, presets and bitstream filters.
#include "tests/engine/converter/ConverterTestSupport.h"
#include "tests/support/TestMedia.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QString VideoOption(const TTestFFmpeg& f, const char* name) {
    return MetadataValue(f.GenericOptions()->codec_opts[AVMEDIA_TYPE_VIDEO], name);
}

TEST_F(ConverterTest, TargetsSetTheirTableRows) {
    struct Case {
        const char* label;
        const char* rate;  // frame rate set before; nullptr = none
        const char* target;
        const char* norm;
        int width, height;
        const char* gop;
        const char* vcodec;
        const char* pixFmt;  // nullptr = left unset
        float aspect;
        const char* error;
    };
    const Case cases[] = {
        {"vcd auto at 25", "25", "vcd", "auto", 352, 288, "15", "mpeg1video", nullptr, 4.0f / 3, nullptr},
        {"dvd auto at 29.97", "30000/1001", "dvd", "auto", 720, 480, "18", "mpeg2video", nullptr, 16.0f / 9, nullptr},
        {"svcd film", nullptr, "svcd", "film", 480, 480, "18", "mpeg2video", nullptr, 4.0f / 3, nullptr},
        {"vcd auto undecided uses the default", "10", "vcd", "auto", 352, 240, "18", "mpeg1video", nullptr, 4.0f / 3,
         nullptr},
        {"dv50 pal", nullptr, "dv50", "pal", 720, 576, nullptr, "", "yuv422p", 0, nullptr},
        {"dv ntsc", nullptr, "dv", "ntsc", 720, 480, nullptr, "", "yuv411p", 0, nullptr},
        {"auto without a rate", nullptr, "vcd", "auto", 0, 0, nullptr, "", nullptr, 0, "frame_rate is invalid."},
        {"unknown target", nullptr, "cdi", "pal", 0, 0, nullptr, "", nullptr, 0, "Unknown target type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TTestFFmpeg f;
        if (c.rate) f.SetOption(QStringLiteral("r"), QLatin1String(c.rate));
        const QString error = ErrorOf([&] {
            f.SetTarget(QLatin1String(c.target), QLatin1String(c.norm), QStringLiteral("ntsc"));
        });
        EXPECT_EQ(error.toStdString(), c.error ? c.error : "");
        if (c.error) continue;
        const TFFmpegOptionState& o = f.Options();
        EXPECT_EQ(o.Fframe_width, c.width);
        EXPECT_EQ(o.Fframe_height, c.height);
        EXPECT_EQ(o.Fvideo_codec_name, c.vcodec);
        if (c.gop) {
            EXPECT_EQ(VideoOption(f, "g"), QLatin1String(c.gop));
        }
        if (c.pixFmt) {
            EXPECT_STREQ(ff::av_get_pix_fmt_name(AVPixelFormat(o.Fframe_pix_fmt)), c.pixFmt);
        }
        EXPECT_FLOAT_EQ(o.Fframe_aspect_ratio, c.aspect);
    }
}

TEST_F(ConverterTest, AutomaticNormFollowsTheInputWhenTheRateDoesNotDecide) {
    LogCapture log;
    TTestFFmpeg f;
    ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("ntsc.mpg"))));
    f.SetOption(QStringLiteral("v"), QStringLiteral("2"));
    f.SetOption(QStringLiteral("r"), QStringLiteral("10"));
    f.SetTarget(QStringLiteral("vcd"), QStringLiteral("auto"), QStringLiteral("pal"));
    EXPECT_EQ(f.Options().Fframe_height, 240);
    EXPECT_TRUE(log.Has(llVerbose, QStringLiteral("Assuming NTSC for target.")));
    // The input's own aspect is kept: nothing to assume.
    EXPECT_FALSE(log.Contains(QStringLiteral("for aspect ratio")));
    EXPECT_FLOAT_EQ(f.Options().Fframe_aspect_ratio, 4.0f / 3);
}

TEST_F(ConverterTest, DvdTargetBuildsAnMpeg2OutputWithItsMuxerValues) {
    QTemporaryDir dir;
    TTestFFmpeg f;
    ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("av.avi"))));
    f.SetOption(QStringLiteral("target"), QStringLiteral("pal-dvd"));
    ASSERT_EQ(f.OpenOutputFile(dir.filePath(QStringLiteral("disc.vob")), false), 1) << f.LastErrMsg().toStdString();
    const TOutputFile* out = f.OutputFile(0);
    EXPECT_STREQ(out->ctx->oformat->name, "dvd");
    ASSERT_EQ(out->streams.size(), 2u);
    const AVCodecContext* v = out->streams[0].enc;
    EXPECT_EQ(v->codec_id, AV_CODEC_ID_MPEG2VIDEO);
    EXPECT_EQ(v->width, 720);
    EXPECT_EQ(v->height, 576);
    EXPECT_EQ(v->gop_size, 15);
    EXPECT_EQ(v->bit_rate, 6000000);
    EXPECT_EQ(v->rc_max_rate, 9000000);
    EXPECT_EQ(v->rc_initial_buffer_occupancy, 1835008 * 3 / 4);
    const AVCodecContext* a = out->streams[1].enc;
    EXPECT_EQ(a->codec_id, AV_CODEC_ID_AC3);
    EXPECT_EQ(a->sample_rate, 48000);
    EXPECT_EQ(a->bit_rate, 448000);
    int64_t muxrate = 0;
    ASSERT_GE(ff::av_opt_get_int(out->ctx->priv_data, "muxrate", 0, &muxrate), 0);
    EXPECT_EQ(muxrate, 10080000);
}

// Every built-in row must open the x264 encoder of this system: a row with an
// option name it no longer knows would fail every profile that uses it.
TEST_F(ConverterTest, EveryBuiltinX264PresetOpensTheEncoder) {
    QTemporaryDir dir;
    const auto rows = BuiltinPresets();
    ASSERT_EQ(rows.size(), 36u);
    for (const auto& [name, text] : rows) {
        SCOPED_TRACE(name.toStdString());
        TTestFFmpeg f;
        ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("av.avi"))));
        f.SetOption(QStringLiteral("vcodec"), QStringLiteral("libx264"));
        f.SetOption(QStringLiteral("vpre"), name);
        ASSERT_EQ(f.OpenOutputFile(dir.filePath(QStringLiteral("x.mkv")), false), 1) << f.LastErrMsg().toStdString();
        TOutputStreamSetup& s = f.OutputFile(0)->streams.at(0);
        ASSERT_NE(s.enc, nullptr);
        int ret = 0;
        {
            std::lock_guard lock(CodecLock);
            ret = ff::avcodec_open2(s.enc, s.codec, &s.codec_opts);
        }
        EXPECT_GE(ret, 0) << ErrorText(QStringLiteral("open"), ret).toStdString();
        EXPECT_EQ(ff::av_dict_count(s.codec_opts), 0) << "options the encoder did not take";
    }
}

TEST_F(ConverterTest, PresetLookupAndPresetFiles) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mine.ffpreset"));
    const auto write = [&](const QByteArray& text) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };

    {
        TTestFFmpeg f;
        f.SetOption(QStringLiteral("vcodec"), QStringLiteral("libx264"));
        f.SetOption(QStringLiteral("vpre"), QStringLiteral("medium"));
        EXPECT_EQ(VideoOption(f, "motion-est"), QStringLiteral("hex"));
        EXPECT_EQ(VideoOption(f, "refs"), QStringLiteral("3"));
        EXPECT_EQ(ErrorOf([&] { f.SetOption(QStringLiteral("vpre"), QStringLiteral("nosuch")); }),
                  QStringLiteral("Preset \"nosuch\" not found"));
    }
    {
        write("\r\n vcodec=mpeg4 \r\n\r\ng=12\r\n");
        TTestFFmpeg f;
        f.SetOption(QStringLiteral("fpre"), file);
        EXPECT_EQ(f.Options().Fvideo_codec_name, "mpeg4");
        EXPECT_EQ(VideoOption(f, "g"), QStringLiteral("12"));
    }
    struct Bad {
        QByteArray text;
        QString error;
    };
    for (const Bad& b : {Bad{"g=12\n=5\n", QStringLiteral("%1: Invalid syntax: \"=5\"")},
                         Bad{"g=\n", QStringLiteral("%1: Invalid syntax: \"g=\"")},
                         Bad{"nosuchoption=1\n", QStringLiteral("%1: Invalid option or argument: \"nosuchoption=1\", "
                                                                "parsed as \"nosuchoption\" = \"1\"")}}) {
        SCOPED_TRACE(b.text.toStdString());
        write(b.text);
        TTestFFmpeg f;
        EXPECT_EQ(ErrorOf([&] { f.ApplyPreset(QStringLiteral("fpre"), file); }), b.error.arg(file));
    }
}

TEST_F(ConverterTest, BitstreamFiltersGoToTheNextStreamOfTheirKind) {
    QTemporaryDir dir;
    TTestFFmpeg f;
    ASSERT_TRUE(f.OpenInputFile(TestMedia::Path(QStringLiteral("av.avi"))));
    f.SetOption(QStringLiteral("vbsf"), QStringLiteral("h264_mp4toannexb"));
    f.SetOption(QStringLiteral("vbsf"), QStringLiteral("noise=amount=2"));
    f.SetOption(QStringLiteral("absf"), QStringLiteral("=ignored"));
    EXPECT_EQ(ErrorOf([&] { f.SetOption(QStringLiteral("vbsf"), QStringLiteral("nosuchfilter ")); }),
              QStringLiteral("Unknown bitstream filter nosuchfilter"));
    ASSERT_EQ(f.PendingBitStreamFilters(AVMEDIA_TYPE_VIDEO).size(), 2u);
    EXPECT_TRUE(f.PendingBitStreamFilters(AVMEDIA_TYPE_AUDIO).empty());

    ASSERT_EQ(f.OpenOutputFile(dir.filePath(QStringLiteral("x.avi")), false), 1) << f.LastErrMsg().toStdString();
    const TBitStreamFilterChain& chain = f.Fbitstream_filters[0][0];
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_STREQ(chain[0].filter->name, "h264_mp4toannexb");
    EXPECT_STREQ(chain[1].filter->name, "noise");
    EXPECT_EQ(chain[1].args, "amount=2");
    EXPECT_TRUE(f.Fbitstream_filters[0][1].empty());
    EXPECT_TRUE(f.PendingBitStreamFilters(AVMEDIA_TYPE_VIDEO).empty());
}

}  // namespace
