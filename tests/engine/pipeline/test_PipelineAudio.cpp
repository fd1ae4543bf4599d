// Audio through the resampler: rates, sync by silence, volume; subtitles.
#include "tests/engine/pipeline/PipelineTestSupport.h"

#include <cstdlib>
#include <cstring>

namespace {

TEST_F(PipelineTest, ResamplingToAnotherRateKeepsTheDuration) {
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("a48.mp3"));
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("a44.wav")}, {"ar", "48000"}, {"-o", out}}), "");
    const ProbeResult p = Probe(out);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.Codec("audio"), "mp3");
    EXPECT_EQ(p.Int("audio", "sample_rate"), 48000);
    EXPECT_NEAR(p.duration, 2.0, 0.08);
    EXPECT_FALSE(FLog.Contains(QStringLiteral("Warning, using s16 intermediate")));
}

TEST_F(PipelineTest, LateAudioGetsSilenceInFront) {
    TPipelineFFmpeg f;
    f.SetVerbose(3);
    GetLogger()->SetLogLevel(llVerbose);
    const QString out = Out(QStringLiteral("late.wav"));
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("late_audio.mkv")}, {"async", "1"}, {"-o", out}}), "");
    EXPECT_TRUE(FLog.Has(llVerbose, "adding 22050 audio samples of silence")) << FLog.Lines().join('\n').toStdString();
    // The first half second of the output is silent, what follows is not.
    const QByteArray pcm = Decode(out, {"-f", "s16le", "-ac", "1"});
    ASSERT_GT(pcm.size(), 44100 * 2);
    const auto* s = reinterpret_cast<const int16_t*>(pcm.constData());
    int loudEarly = 0, loudLate = 0;
    for (int i = 0; i < 21000; ++i) loudEarly += std::abs(s[i]) > 100;
    for (int i = 23000; i < 44000; ++i) loudLate += std::abs(s[i]) > 100;
    EXPECT_EQ(loudEarly, 0);
    EXPECT_GT(loudLate, 1000);
}

TEST_F(PipelineTest, VolumeScalesTheSamples) {
    struct Row {
        const char* vol;
        double factor;  // expected peak relative to the input's
    };
    const QString in = TestMedia::Path("a44.wav");
    const auto peak = [](const QByteArray& pcm) {
        const auto* s = reinterpret_cast<const int16_t*>(pcm.constData());
        int m = 0;
        for (qsizetype i = 0; i < pcm.size() / 2; ++i) m = std::max(m, std::abs(int(s[i])));
        return m;
    };
    const int original = peak(Decode(in, {"-f", "s16le"}));
    ASSERT_GT(original, 1000);
    for (const Row& r : {Row{"0", 0.0}, Row{"128", 0.5}, Row{"256", 1.0}}) {
        TPipelineFFmpeg f;
        const QString out = Out(QStringLiteral("vol%1.wav").arg(r.vol));
        ASSERT_EQ(Convert(f, {{"-i", in}, {"vol", r.vol}, {"-o", out}}), "") << r.vol;
        EXPECT_NEAR(peak(Decode(out, {"-f", "s16le"})), original * r.factor, 2) << "vol " << r.vol;
    }
}

TEST_F(PipelineTest, TextSubtitlesBecomeAssInMatroska) {
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("subs.mkv"));
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("subs_text.mkv")}, {"scodec", "ass"}, {"-o", out}}), "");
    const ProbeResult p = Probe(out);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.Codec("subtitle"), "ass");
    EXPECT_EQ(p.Int("subtitle", "nb_read_packets"), 2);
    QByteArray text;
    TestMedia::RunTool("ffmpeg", {"-nostdin", "-v", "error", "-i", out, "-map", "0:s", "-f", "srt", "-"}, &text, nullptr);
    EXPECT_TRUE(text.contains("One")) << text.constData();
    EXPECT_TRUE(text.contains("Two")) << text.constData();
}

TEST_F(PipelineTest, AudioOnlyProgressHasNoVideoFields) {
    TPipelineFFmpeg f;
    f.ReportInterval = 0;
    struct Report {
        int file, frame, fps;
        float q;
        int64_t size, duration;
    };
    std::vector<Report> reports;
    f.OnProgress = [&](TCustomFFmpeg*, int file, int frame, int fps, float q, float, int64_t size, int64_t duration,
                       int64_t) { reports.push_back({file, frame, fps, q, size, duration}); };
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("a44.wav")}, {"-o", Out("tone.mp3")}}), "");
    ASSERT_GE(reports.size(), 2u);
    for (const Report& r : reports) {
        EXPECT_EQ(r.frame, -1);
        EXPECT_EQ(r.fps, -1);
        EXPECT_EQ(r.q, -1.0f);
    }
    EXPECT_EQ(reports.back().file, -1);  // the last report
    EXPECT_GT(reports.back().size, reports.front().size);
    EXPECT_GE(reports.back().duration, reports.front().duration);
    EXPECT_NEAR(reports.back().duration / 1e6, 2.0, 0.1);
}

}  // namespace

namespace {

// A Matroska file with one bitmap subtitle shown at 1 s; the
// command-line tool cannot make bitmap subtitles from text.
bool WriteDvbFixture(const QString& path) {
    const QByteArray name = path.toUtf8();
    AVFormatContext* oc = nullptr;
    if (ff::avformat_alloc_output_context2(&oc, nullptr, "matroska", name.constData()) < 0) return false;
    const AVCodec* codec = ff::avcodec_find_encoder(AV_CODEC_ID_DVB_SUBTITLE);
    AVCodecContext* enc = ff::avcodec_alloc_context3(codec);
    enc->time_base = AVRational{1, 90000};
    enc->width = 160;
    enc->height = 120;
    bool ok = ff::avcodec_open2(enc, codec, nullptr) >= 0;
    AVStream* st = ff::avformat_new_stream(oc, nullptr);
    ok = ok && st && ff::avcodec_parameters_from_context(st->codecpar, enc) >= 0;
    if (ok) st->time_base = AVRational{1, 90000};
    ok = ok && ff::avio_open2(&oc->pb, name.constData(), AVIO_FLAG_WRITE, nullptr, nullptr) >= 0;
    ok = ok && ff::avformat_write_header(oc, nullptr) >= 0;
    if (ok) {
        uint8_t bitmap[16 * 8];
        std::memset(bitmap, 1, sizeof(bitmap));
        uint32_t palette[4] = {0x00000000, 0xFFFFFFFF, 0xFF000000, 0xFF808080};
        AVSubtitleRect rect{};
        rect.x = 8;
        rect.y = 8;
        rect.w = 16;
        rect.h = 8;
        rect.nb_colors = 4;
        rect.type = SUBTITLE_BITMAP;
        rect.data[0] = bitmap;
        rect.linesize[0] = 16;
        rect.data[1] = reinterpret_cast<uint8_t*>(palette);
        rect.linesize[1] = 16;
        AVSubtitleRect* rects[1] = {&rect};
        AVSubtitle sub{};
        sub.end_display_time = 2000;
        sub.num_rects = 1;
        sub.rects = rects;
        std::vector<uint8_t> buf(65536);
        const int size = ff::avcodec_encode_subtitle(enc, buf.data(), static_cast<int>(buf.size()), &sub);
        AVPacket* pkt = ff::av_packet_alloc();
        ok = size > 0 && ff::av_new_packet(pkt, size) >= 0;
        if (ok) {
            std::memcpy(pkt->data, buf.data(), size);
            pkt->pts = pkt->dts = ff::av_rescale_q(1, AVRational{1, 1}, st->time_base);
            pkt->stream_index = 0;
            ok = ff::av_interleaved_write_frame(oc, pkt) >= 0 && ff::av_write_trailer(oc) >= 0;
        }
        ff::av_packet_free(&pkt);
    }
    ff::avcodec_free_context(&enc);
    if (oc->pb) ff::avio_closep(&oc->pb);
    ff::avformat_free_context(oc);
    return ok;
}

TEST_F(PipelineTest, DvbSubtitlesAreWrittenAsTwoPackets) {
    const QString in = Out(QStringLiteral("dvb.mkv"));
    ASSERT_TRUE(WriteDvbFixture(in));
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("dvb-out.ts"));
    ASSERT_EQ(Convert(f, {{"-i", in}, {"scodec", "dvbsub"}, {"-o", out}}), "");
    QByteArray csv;
    TestMedia::RunTool("ffprobe", {"-v", "error", "-select_streams", "s", "-show_entries", "packet=pts", "-of", "csv=p=0", out},
                       &csv, nullptr);
    QList<QByteArray> pts;
    for (const QByteArray& line : csv.split('\n'))
        if (!line.trimmed().isEmpty()) pts << line.trimmed().replace(",", "");
    ASSERT_EQ(pts.size(), 2) << csv.constData();
    // The second packet clears the picture when its display time is over.
    EXPECT_GT(pts[1].toLongLong(), pts[0].toLongLong()) << csv.constData();
}

}  // namespace
