// The option dispatcher: its edge cases, the range checks on table indexes,
// the do-nothing options and the warnings.
#include "tests/engine/converter/ConverterTestSupport.h"

namespace {

using Check = std::function<void(const TTestFFmpeg&)>;

struct OptionCase {
    const char* label;
    std::vector<std::pair<const char*, const char*>> before;  // applied first, must succeed
    const char* name;
    const char* value;
    const char* error;  // expected message; nullptr = none
    Check check;
};

TEST_F(ConverterTest, SetOptionEdgeCases) {
    const OptionCase cases[] = {
        {"threads whatever the value", {}, "threads", "4", "TODO: option - threads", nullptr},
        {"copyts 0 still copies", {}, "copyts", "0", nullptr,
         [](const TTestFFmpeg& f) { EXPECT_TRUE(f.Options().Fcopy_ts); }},
        {"croptop inside", {{"s", "320x240"}}, "croptop", "10", nullptr,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(f.Options().Fframe_height, 230);
             EXPECT_EQ(f.Options().Fframe_topBand, 10);
         }},
        {"croptop whole height", {{"s", "320x240"}}, "croptop", "240",
         "Vertical crop dimensions are outside the range of the original image.\n"
         "Remember to crop first and scale second.",
         nullptr},
        {"cropleft whole width", {{"s", "320x240"}}, "cropleft", "320",
         "Horizontal crop dimensions are outside the range of the original image.\n"
         "Remember to crop first and scale second.",
         nullptr},
        {"aspect 16:9", {}, "aspect", "16:9", nullptr,
         [](const TTestFFmpeg& f) { EXPECT_FLOAT_EQ(f.Options().Fframe_aspect_ratio, 1.7777778f); }},
        {"aspect 4:0", {}, "aspect", "4:0", "Incorrect aspect ratio specification.", nullptr},
        {"aspect abc", {}, "aspect", "abc", "Incorrect aspect ratio specification.", nullptr},
        {"map 0.1", {}, "map", "0.1", nullptr,
         [](const TTestFFmpeg& f) {
             ASSERT_EQ(f.nb_stream_maps(), 1);
             EXPECT_EQ(f.StreamMaps()[0], (TAVStreamMap{0, 1, 0, 1}));
         }},
        {"map with sync", {}, "map", "0:1:1:0", nullptr,
         [](const TTestFFmpeg& f) { EXPECT_EQ(f.StreamMaps()[0], (TAVStreamMap{0, 1, 1, 0})); }},
        {"map_meta_data", {}, "map_meta_data", "1:0", nullptr,
         [](const TTestFFmpeg& f) { EXPECT_EQ(f.MetaDataMaps()[0], (TAVMetaDataMap{1, 0})); }},
        {"itsscale 25", {}, "itsscale", "25:2", "stream index over MAX_STREAMS(20)", nullptr},
        {"itsscale negative", {}, "itsscale", "-1:2", "stream index over MAX_STREAMS(20)", nullptr},
        {"itsscale inside", {}, "itsscale", "3:0.5", nullptr,
         [](const TTestFFmpeg& f) { EXPECT_DOUBLE_EQ(f.InputTsScale()[0][3], 0.5); }},
        {"metadata without =", {}, "metadata", "title", "Missing =", nullptr},
        {"metadata value with =", {}, "metadata", "title=a=b", nullptr,
         [](const TTestFFmpeg& f) {
             ASSERT_EQ(f.Metadata().size(), 1u);
             EXPECT_EQ(f.Metadata()[0], (std::pair<std::string, std::string>{"title", "a=b"}));
         }},
        {"vtag xvid", {}, "vtag", "xvid", nullptr,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(f.Options().Fvideo_codec_tag & 0xFF, unsigned('x'));
             EXPECT_EQ(f.Options().Fvideo_codec_tag >> 24, unsigned('d'));
         }},
        {"vtag xvi", {}, "vtag", "xvi", "video tag parameter must be 4 chars", nullptr},
        {"atag too long", {}, "atag", "abcde", "audio tag parameter must be 4 chars", nullptr},
        {"unknown name is generic", {}, "bufsize", "327680", nullptr,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(MetadataValue(f.GenericOptions()->codec_opts[AVMEDIA_TYPE_VIDEO], "bufsize"),
                       QStringLiteral("327680"));
         }},
        {"streamid inside", {}, "streamid", "3:7", nullptr,
         [](const TTestFFmpeg& f) { EXPECT_EQ(f.StreamIdMap()[3], 7); }},
        {"streamid 20", {}, "streamid", "20:7", "stream index over MAX_STREAMS(20)", nullptr},
        {"streamid without index", {}, "streamid", ":7",
         "Invalid value \":7\" for option \"streamid\", required syntax is \"index:value\"", nullptr},
        {"pass 3", {}, "pass", "3", "pass number can be only 1 or 2", nullptr},
        {"qscale 0", {}, "qscale", "0", "qscale must be > 0.0 and <= 255", nullptr},
        {"qscale 256", {}, "qscale", "256", "qscale must be > 0.0 and <= 255", nullptr},
        {"r abc", {}, "r", "abc", "Incorrect frame rate", nullptr},
        {"r 29.97", {}, "r", "29.97", nullptr,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(f.Options().Fframe_rate.num * 100, f.Options().Fframe_rate.den * 2997);
         }},
        {"s abc", {}, "s", "abc", "Incorrect frame size", nullptr},
        {"s written with *", {}, "s", "320*240", nullptr,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(f.Options().Fframe_width, 320);
             EXPECT_EQ(f.Options().Fframe_height, 240);
         }},
        {"pix_fmt unknown", {}, "pix_fmt", "foo", "Unknown pixel format requested: foo", nullptr},
        {"padtop", {}, "padtop", "8", "Please use vfilters=pad", nullptr},
        {"t abc", {}, "t", "abc", "Invalid duration specification for t: abc", nullptr},
        {"t 00:01:02.5", {}, "t", "00:01:02.5", nullptr,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(f.Options().Frecording_time, 62500000);
             EXPECT_EQ(f.TotalOutputDuration(), 62500000);
         }},
        {"timestamp abc", {}, "timestamp", "abc", "Invalid date specification for timestamp: abc", nullptr},
        {"newvideo without output", {}, "newvideo", "1", "At least one output file must be specified", nullptr},
        {"intra_matrix too short", {}, "intra_matrix", "1,2,3", "Syntax error in matrix \"1,2,3\" at coeff 2", nullptr},
        {"v abc", {}, "v", "abc", "'abc' is not a valid integer value", nullptr},
        {"vcodec copy", {}, "vcodec", "copy", nullptr,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(f.Options().Fvideo_stream_copy, 1);
             EXPECT_TRUE(f.Options().Fvideo_codec_name.empty());
         }},
        {"ar 0 ignored", {}, "ar", "0", nullptr,
         [](const TTestFFmpeg& f) { EXPECT_EQ(f.Options().Faudio_sample_rate, 44100); }},
        {"f pgmyuv", {}, "f", "pgmyuv", nullptr,
         [](const TTestFFmpeg& f) {
             EXPECT_EQ(f.Options().Flast_asked_format, "image2");
             EXPECT_EQ(f.Options().Fpgmyuv_compatibility_hack, 1);
         }},
        {"target with norm prefix", {}, "target", " pal-vcd ", nullptr,
         [](const TTestFFmpeg& f) { EXPECT_EQ(f.Options().Fframe_height, 288); }},
        {"vhook library missing", {}, "vhook", "x.so", "Failed to add video hook function: x.so", nullptr},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.label);
        TTestFFmpeg f;
        for (const auto& [n, v] : c.before) f.SetOption(QString::fromLatin1(n), QString::fromLatin1(v));
        const QString error =
            ErrorOf([&] { f.SetOption(QString::fromLatin1(c.name), QString::fromLatin1(c.value)); });
        EXPECT_EQ(error.toStdString(), c.error ? c.error : "");
        if (c.check) c.check(f);
    }
}

TEST_F(ConverterTest, TableIndexesAreRangeChecked) {
    TTestFFmpeg f(1);
    for (int i = 0; i < MAX_STREAMS; ++i) f.SetOption(QStringLiteral("map"), QStringLiteral("0.%1").arg(i));
    EXPECT_EQ(ErrorOf([&] { f.SetOption(QStringLiteral("map"), QStringLiteral("0.0")); }),
              QStringLiteral("Too many stream maps: at most 20"));
    EXPECT_EQ(f.nb_stream_maps(), MAX_STREAMS);

    f.SetOption(QStringLiteral("map_meta_data"), QStringLiteral("0:0"));
    EXPECT_EQ(ErrorOf([&] { f.SetOption(QStringLiteral("map_meta_data"), QStringLiteral("0:0")); }),
              QStringLiteral("Too many metadata maps: at most 1"));
    EXPECT_EQ(f.nb_meta_data_maps(), 1);
}

TEST_F(ConverterTest, DoNothingOptionsAndWarningsAreLogged) {
    LogCapture log;
    TTestFFmpeg f;
    for (const char* n : {"L", "h", "version", "formats", "codecs", "bsfs", "protocols", "filters", "i", "y",
                          "benchmark"}) {
        f.SetOption(QString::fromLatin1(n), QStringLiteral("1"));
        EXPECT_TRUE(log.Has(llInfo, QStringLiteral("Do nothing: option - ") + QLatin1String(n))) << n;
    }
    f.SetOption(QStringLiteral("timelimit"), QStringLiteral("10"));
    EXPECT_TRUE(log.Has(llWarning, QStringLiteral("Warning: -timelimit not implemented on Windows")));

    f.SetOption(QStringLiteral("b"), QStringLiteral("64"));
    EXPECT_TRUE(log.Has(llWarning, QStringLiteral("WARNING: The bitrate parameter is set too low. "
                                                  "It takes bits/s as argument, not kbits/s")));
    // "b" is the video bit rate only.
    const TFFOptions* g = f.GenericOptions();
    EXPECT_EQ(MetadataValue(g->codec_opts[AVMEDIA_TYPE_VIDEO], "b"), QStringLiteral("64"));
    EXPECT_TRUE(MetadataValue(g->codec_opts[AVMEDIA_TYPE_AUDIO], "b").isEmpty());
    TTestFFmpeg audio;
    audio.SetOption(QStringLiteral("ab"), QStringLiteral("96"));
    EXPECT_EQ(log.Lines().filter(QStringLiteral("The bitrate parameter is set too low")).size(), 2);

    f.SetOption(QStringLiteral("s"), QStringLiteral("320x240"));
    f.SetOption(QStringLiteral("cropright"), QStringLiteral("20"));
    EXPECT_TRUE(log.Has(llWarning, QStringLiteral("CropXXX is deprecated in favor of the crop avfilter")));
    EXPECT_EQ(f.Options().Fframe_width, 300);
}

}  // namespace
