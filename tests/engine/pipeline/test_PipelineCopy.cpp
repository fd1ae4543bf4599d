// Stream mapping, the copy path and bitstream filters on write.
#include "tests/engine/pipeline/PipelineTestSupport.h"

namespace {

TEST_F(PipelineTest, CopyIntoAnotherContainerKeepsCodecsAndDuration) {
    TPipelineFFmpeg f;
    f.SetVerbose(1);
    GetLogger()->SetLogLevel(llVerbose);
    const QString out = Out(QStringLiteral("copy.mkv"));
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"vcodec", "copy"}, {"acodec", "copy"}, {"-o", out}}), "");
    EXPECT_TRUE(f.Finished());
    const ProbeResult p = Probe(out);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.Codec("video"), "mpeg4");
    EXPECT_EQ(p.Codec("audio"), "pcm_s16le");
    EXPECT_NEAR(p.duration, 2.0, 0.1);
    EXPECT_EQ(p.Int("video", "nb_read_packets"), 50);
    EXPECT_TRUE(FLog.Has(llVerbose, "Stream mapping:"));
    EXPECT_TRUE(FLog.Has(llVerbose, "  Stream #0.0 -> #0.0 (Video)"));
    EXPECT_TRUE(FLog.Has(llVerbose, "  Stream #0.1 -> #0.1 (Audio)"));
}

struct MappingCase {
    const char* name;
    Steps options;  // before the output
    const char* error;
};

void PrintTo(const MappingCase& c, std::ostream* os) { *os << c.name; }

class MappingErrors : public PipelineTest, public ::testing::WithParamInterface<MappingCase> {};

TEST_P(MappingErrors, EndTheConversionWithTheirText) {
    TPipelineFFmpeg f;
    Steps steps{{"-i", TestMedia::Path("av.avi")}};
    for (const auto& s : GetParam().options) steps.push_back(s);
    const QString out = Out(QStringLiteral("out.mkv"));
    steps.push_back({"-o", out});
    EXPECT_EQ(Convert(f, steps), GetParam().error);
    EXPECT_LE(FLog.Lines().filter(QStringLiteral("%1|%2").arg(int(llError)).arg(QString::fromUtf8(GetParam().error))).size(), 1);
    EXPECT_FALSE(f.Finished());
    // Set-up failures come before the file is made.
    EXPECT_FALSE(QFile::exists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Pipeline, MappingErrors,
    ::testing::Values(
        MappingCase{"missing_stream", {{"map", "0.5"}, {"map", "0.1"}}, "Could not find input stream #0.5"},
        MappingCase{"missing_sync", {{"map", "0.0:0.7"}, {"map", "0.1"}}, "Could not find sync stream #0.7"},
        MappingCase{"map_count", {{"map", "0.0"}}, "Number of stream maps must match number of output streams"},
        MappingCase{"type_mismatch",
                    {{"map", "0.1"}, {"map", "0.0"}},
                    "Codec type mismatch for mapping #0.1 (Audio) -> #0.0 (Video)"},
        MappingCase{"copy_and_volume",
                    {{"acodec", "copy"}, {"vol", "512"}},
                    "-acodec copy and -vol are incompatible (frames are not decoded)"},
        MappingCase{"bad_metadata_map", {{"map_meta_data", "0:3"}}, "Invalid input file index 3 map_meta_data(0,3)"},
        MappingCase{"bad_metadata_output",
                    {{"map_meta_data", "3:0"}},
                    "Invalid output file index 3 map_meta_data(3,0)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PipelineTest, SyncStreamShowsInTheMapping) {
    TPipelineFFmpeg f;
    GetLogger()->SetLogLevel(llVerbose);
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"map", "0.0:0.1"}, {"map", "0.1"}, {"-o", Out("sync.mkv")}}), "");
    EXPECT_TRUE(FLog.Has(llVerbose, "  Stream #0.0 -> #0.0 (Video) [sync #0.1 (Audio)]"));
    EXPECT_TRUE(FLog.Has(llVerbose, "  Stream #0.1 -> #0.1 (Audio)"));
}

TEST_F(PipelineTest, ContainerDefaultWithoutEncoderFailsBeforeTheFileExists) {
    // This build has no AMR-NB encoder, the .amr container's only codec.
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("speech.amr"));
    EXPECT_EQ(Convert(f, {{"-i", TestMedia::Path("a44.wav")}, {"-o", out}}),
              QStringLiteral("Encoder (codec id %1) not found for output stream #0.0 (Audio)").arg(AV_CODEC_ID_AMR_NB));
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(PipelineTest, TagTheContainerRefusesFailsAtTheHeader) {
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("tagged.mp4"));
    // The muxer's own reason ends the message.
    EXPECT_EQ(Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"vcodec", "mpeg4"}, {"vtag", "XVID"}, {"-o", out}}),
              "Could not write header for output file #0 (incorrect codec parameters ?) "
              "Tag XVID incompatible with output codec id '12' (mp4v)");
    EXPECT_FALSE(QFile::exists(out));  // created for the header, removed with the failure
}

TEST_F(PipelineTest, CopiedVideoRefusesPictureHooks) {
    TPipelineFFmpeg f;
    f.OnCustomHook = [](TCustomFFmpeg*, QImage&, int, int64_t, bool&, bool&) {};
    EXPECT_EQ(Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"vcodec", "copy"}, {"-o", Out("x.mkv")}}),
              "-vcodec copy and CustomHook are incompatible (frames are not decoded)");
    TPipelineFFmpeg g;
    g.SetPostHooks(1u << phPreview);
    EXPECT_EQ(Convert(g, {{"-i", TestMedia::Path("av.avi")}, {"vcodec", "copy"}, {"-o", Out("y.mkv")}}),
              "-vcodec copy and PostHooks are incompatible (frames are not decoded)");
}

TEST_F(PipelineTest, StreamSearchPrefersTheStreamWithMoreChannels) {
    // Mono first, stereo second: the stereo tone (660 Hz, 2 s) feeds the output.
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("pick.wav"));
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("mono1.wav")}, {"-i", TestMedia::Path("stereo2.wav")}, {"-o", out}}), "");
    const ProbeResult p = Probe(out);
    EXPECT_NEAR(p.duration, 2.0, 0.05);
}

TEST_F(PipelineTest, BitstreamFilterRunsOnWrite) {
    // Every second audio packet dropped by the filter shows in the packet count.
    TPipelineFFmpeg f;
    const QString in = TestMedia::Path("av.avi");
    const QString out = Out(QStringLiteral("bsf.mkv"));
    ASSERT_EQ(Convert(f, {{"-i", in}, {"vcodec", "copy"}, {"acodec", "copy"}, {"absf", "noise=drop=not(mod(n,2))"}, {"-o", out}}),
              "");
    const int before = Probe(in).Int("audio", "nb_read_packets");
    const int after = Probe(out).Int("audio", "nb_read_packets");
    ASSERT_GT(before, 4);
    EXPECT_NEAR(after, before / 2, 1);
}

TEST_F(PipelineTest, MetadataMapAndChaptersAreCopied) {
    const QString src = Out(QStringLiteral("chapters.mkv"));
    const QString meta = Out(QStringLiteral("meta.txt"));
    {
        QFile m(meta);
        ASSERT_TRUE(m.open(QIODevice::WriteOnly));
        m.write(";FFMETADATA1\ntitle=Chaptered\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=1000\ntitle=One\n"
                "[CHAPTER]\nTIMEBASE=1/1000\nSTART=1000\nEND=2000\ntitle=Two\n");
    }
    ASSERT_TRUE(TestMedia::RunFFmpeg({"-i", TestMedia::Path("av.avi"), "-i", meta, "-map_metadata", "1", "-map", "0",
                                      "-c", "copy", src}));
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("mapped.mkv"));
    ASSERT_EQ(Convert(f, {{"-i", src}, {"map_meta_data", "0:0"}, {"vcodec", "copy"}, {"acodec", "copy"}, {"-o", out}}), "");
    QByteArray text;
    TestMedia::RunTool("ffprobe", {"-v", "error", "-show_chapters", "-show_entries", "format_tags=title", "-of", "csv", out},
                       &text, nullptr);
    EXPECT_TRUE(text.contains("Chaptered")) << text.constData();
    EXPECT_TRUE(text.contains("One")) << text.constData();
    EXPECT_TRUE(text.contains("Two")) << text.constData();
}

}  // namespace
