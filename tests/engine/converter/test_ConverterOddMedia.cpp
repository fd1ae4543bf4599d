// Valid media the pattern clips never show: more channels than the encoder
// takes, a cover picture, two tracks at different rates, a display rotation,
// an odd picture size.
#include "tests/engine/converter/OddMediaSupport.h"

#include "engine/AVProbe.h"

using namespace OddMedia;

namespace {

QString SixChannels() {
    return Clip(QStringLiteral("six.wav"),
                QStringLiteral("-f lavfi -i aevalsrc=sin(440*2*PI*t)|sin(550*2*PI*t)|sin(660*2*PI*t)|"
                               "0.1*sin(50*2*PI*t)|sin(770*2*PI*t)|sin(880*2*PI*t):c=5.1:s=44100:d=1 -c:a pcm_s16le"));
}

QString CoverMp3() {
    return Clip(QStringLiteral("cover.mp3"),
                QStringLiteral("-f lavfi -i sine=r=44100:d=1 -f lavfi -i color=red:s=64x64:d=1 -map 0 -map 1 "
                               "-frames:v 1 -c:a libmp3lame -c:v mjpeg -disposition:v attached_pic"));
}

// Track 0 at 22050 Hz, track 1 at 44100 Hz.
QString TwoRates() {
    return Clip(QStringLiteral("rates.mkv"), QStringLiteral("-f lavfi -i sine=r=22050:d=1 -f lavfi -i "
                                                            "sine=r=44100:f=880:d=1 -map 0 -map 1 -c:a pcm_s16le"));
}

// 160x120, left half white, stored with a display matrix that turns it the
// given number of degrees clockwise (90: upright it is 120x160 with the top
// half white).
QString Rotated(int turn = 90) {
    const QString plain = Clip(QStringLiteral("halves.mp4"),
                               QStringLiteral("-f lavfi -i color=black:s=160x120:r=25:d=1,drawbox=x=0:y=0:w=80:h=120:"
                                              "color=white:t=fill -c:v mpeg4 -q:v 2"));
    return Patched(QStringLiteral("rot%1.mp4").arg(turn), plain, [turn](QByteArray& b) {
        // The track header's matrix (16.16): a b 0 / c d 0 / tx ty 1.
        const qsizetype at = b.indexOf("tkhd");
        ASSERT_GT(at, 0);
        const qsizetype m = at + 4 + 4 + 20 + 8 + 8;
        const int one = 0x10000;
        const int a = turn == 180 ? -one : turn == 0 ? one : 0;
        const int bb = turn == 90 ? one : turn == 270 ? -one : 0;
        const qint32 matrix[9] = {a, bb, 0, -bb, a, 0, 0, 0, 0x40000000};
        for (int i = 0; i < 9; ++i)
            for (int k = 0; k < 4; ++k) b[m + 4 * i + k] = static_cast<char>(quint32(matrix[i]) >> (24 - 8 * k));
    });
}

QString OddSize() {
    return Clip(QStringLiteral("odd.mkv"), QStringLiteral("-f lavfi -i testsrc=s=321x241:r=25:d=1 -c:v ffv1 -pix_fmt yuv420p"));
}

// Mean of the absolute differences of two byte strings of one size.
double MeanDifference(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size() || a.isEmpty()) return 255;
    double sum = 0;
    for (qsizetype i = 0; i < a.size(); ++i) sum += std::abs(int(uchar(a[i])) - int(uchar(b[i])));
    return sum / a.size();
}

}  // namespace

class ConverterOddMediaTest : public PipelineTest {};

// ---------------------------------------------------------------- channels

TEST_F(ConverterOddMediaTest, ChannelsNobodyAskedForBecomeWhatTheEncoderTakes) {
    const QString src = SixChannels();
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("down.mp3"));
    ASSERT_EQ("", Convert(f, {{"-i", src}, {"-o", out}}).toStdString());
    const QJsonObject a = First(Streams(out), QStringLiteral("audio"));
    EXPECT_EQ(Int(a, "channels"), 2);
    EXPECT_EQ(a.value(QStringLiteral("channel_layout")).toString(), QStringLiteral("stereo"));
    EXPECT_EQ(Int(a, "sample_rate"), 44100);
}

TEST_F(ConverterOddMediaTest, AnAskedChannelCountTheEncoderRefusesFailsWithItsReason) {
    const QString src = SixChannels();
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("six.mp3"));
    const QString err = Convert(f, {{"-i", src}, {"ac", "6"}, {"-o", out}});
    EXPECT_TRUE(err.startsWith(QStringLiteral("Error while opening encoder for output stream #0.0 (Audio)")))
        << err.toStdString();
    EXPECT_TRUE(err.endsWith(QStringLiteral("Specified channel layout '5.1' is not supported"))) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
}

// ---------------------------------------------------------------- cover picture

// A cover picture is not video: the file converts to its sound alone, also
// where the container would take a video stream.
class CoverPictureTest : public ConverterOddMediaTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(CoverPictureTest, ConvertsToSoundOnly) {
    const QString src = CoverMp3();
    TPipelineFFmpeg f;
    const QString out = Out(QLatin1String(GetParam()));
    ASSERT_EQ("", Convert(f, {{"-i", src}, {"-o", out}}).toStdString());
    const QJsonArray streams = Streams(out);
    EXPECT_EQ(Count(streams, QStringLiteral("video")), 0);
    EXPECT_EQ(Count(streams, QStringLiteral("audio")), 1);
    EXPECT_NEAR(Probe(out).duration, 1.0, 0.1);
}

INSTANTIATE_TEST_SUITE_P(Containers, CoverPictureTest, ::testing::Values("sound.mp4", "sound.mkv", "sound.avi"),
                         [](const auto& info) { return QString::fromLatin1(info.param).replace(u'.', u'_').toStdString(); });

// ---------------------------------------------------------------- sample rates

struct RateCase {
    const char* name;
    Steps options;
    int rate;
};

class TrackRateTest : public ConverterOddMediaTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(TrackRateTest, OutputTakesTheRateOfTheTrackItConverts) {
    const QString src = TwoRates();
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("track.wav"));
    Steps steps{{"-i", src}};
    steps.insert(steps.end(), GetParam().options.begin(), GetParam().options.end());
    steps.push_back({"-o", out});
    ASSERT_EQ("", Convert(f, steps).toStdString());
    EXPECT_EQ(Int(First(Streams(out), QStringLiteral("audio")), "sample_rate"), GetParam().rate);
}

INSTANTIATE_TEST_SUITE_P(Tracks, TrackRateTest,
                         ::testing::Values(RateCase{"first_found", {}, 22050},
                                           RateCase{"second_mapped", {{"map", "0.1"}}, 44100},
                                           RateCase{"asked_rate_wins", {{"ar", "32000"}}, 32000}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- rotation

class RotationTest : public ConverterOddMediaTest, public ::testing::WithParamInterface<int> {};

TEST_P(RotationTest, ReencodedVideoIsUprightWithoutRotation) {
    const int turn = GetParam();
    const QString src = Rotated(turn);
    // ffprobe says the counter-clockwise angle, within -180..180.
    ASSERT_EQ((Rotation(First(Streams(src), QStringLiteral("video"))) + 360) % 360, 360 - turn);
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("upright.mkv"));
    ASSERT_EQ("", Convert(f, {{"-i", src}, {"vcodec", "mpeg4"}, {"qscale", "2"}, {"-o", out}}).toStdString());
    const QJsonObject v = First(Streams(out), QStringLiteral("video"));
    const bool quarter = turn == 90 || turn == 270;
    EXPECT_EQ(Int(v, "width"), quarter ? 120 : 160);
    EXPECT_EQ(Int(v, "height"), quarter ? 160 : 120);
    EXPECT_EQ(Rotation(v), 0);
    // The pictures match the ffmpeg tool's upright view of the source.
    const QStringList gray{QStringLiteral("-frames:v"), QStringLiteral("1"), QStringLiteral("-f"),
                           QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("gray")};
    const QByteArray ours = Decode(out, gray), tools = Decode(src, gray);
    ASSERT_EQ(ours.size(), 120 * 160);
    EXPECT_LT(MeanDifference(ours, tools), 8.0);
}

INSTANTIATE_TEST_SUITE_P(Turns, RotationTest, ::testing::Values(90, 180, 270),
                         [](const auto& info) { return "clockwise_" + std::to_string(info.param); });

TEST_F(ConverterOddMediaTest, StreamCopyKeepsTheStoredRotation) {
    const QString src = Rotated();
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("copy.mp4"));
    ASSERT_EQ("", Convert(f, {{"-i", src}, {"vcodec", "copy"}, {"-o", out}}).toStdString());
    const QJsonObject v = First(Streams(out), QStringLiteral("video"));
    EXPECT_EQ(Int(v, "width"), 160);
    EXPECT_EQ(Int(v, "height"), 120);
    EXPECT_EQ(Rotation(v), -90);
}

TEST_F(ConverterOddMediaTest, ProbeTextSaysTheRotation) {
    ASSERT_TRUE(FFLoader().Load(ProbeLibraries));
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(Rotated()));
    EXPECT_TRUE(probe.FileInfoText().contains(QStringLiteral("\r\n  Rotation: 90 degrees clockwise\r\n")))
        << probe.FileInfoText().toStdString();
    TAVProbe plain;
    ASSERT_TRUE(plain.LoadFile(TestMedia::Path(QStringLiteral("av.mp4"))));
    EXPECT_FALSE(plain.FileInfoText().contains(QStringLiteral("Rotation")));
}

// ---------------------------------------------------------------- odd sizes

TEST_F(ConverterOddMediaTest, OddSourceSizeBecomesTheEvenSizeBelow) {
    const QString src = OddSize();
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("even.mp4"));
    ASSERT_EQ("", Convert(f, {{"-i", src}, {"vcodec", "libx264"}, {"-o", out}}).toStdString());
    const QJsonObject v = First(Streams(out), QStringLiteral("video"));
    EXPECT_EQ(Int(v, "width"), 320);
    EXPECT_EQ(Int(v, "height"), 240);
}

TEST_F(ConverterOddMediaTest, AnAskedOddSizeFailsWithTheEncodersReason) {
    const QString src = OddSize();
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("odd.mp4"));
    const QString err = Convert(f, {{"-i", src}, {"vcodec", "libx264"}, {"s", "321x241"}, {"-o", out}});
    EXPECT_TRUE(err.startsWith(QStringLiteral("Error while opening encoder for output stream #0.0 (Video)")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("information. width not divisible by 2"))) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
}
