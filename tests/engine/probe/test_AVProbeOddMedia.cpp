// The probe's decoding on media the usual test clips never show: tiny
// pictures, rotated video, cover art, interlaced transport streams and
// cut-off files. Each clip is made here with the ffmpeg tool.
#include "engine/AVProbe.h"
#include "engine/FFmpegLoader.h"
#include "tests/engine/OddClips.h"
#include "tests/support/TestMedia.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

bool Near(const QColor& c, int r, int g, int b, int tol = 40) {
    return std::abs(c.red() - r) <= tol && std::abs(c.green() - g) <= tol && std::abs(c.blue() - b) <= tol;
}

std::string Describe(const QColor& c) {
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

class ProbeOddMediaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(FFLoader().Load(ProbeLibraries)) << FFLoader().LastErrMsg().toStdString();
    }
    QString Make(const QString& name, const QString& args) {
        const QString path = dir.filePath(name);
        QString err;
        QStringList list = args.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        list << path;
        EXPECT_TRUE(TestMedia::RunFFmpeg(list, &err)) << name.toStdString() << ": " << err.toStdString();
        return path;
    }
    void Load(const QString& path) {
        ASSERT_TRUE(probe.LoadFile(path)) << probe.LastErrMsg().toStdString();
    }
    QTemporaryDir dir;
    TAVProbe probe;
};

// ---------------------------------------------------------------------------

struct TinySize {
    int w, h;
};

class ProbeTinyPictureTest : public ProbeOddMediaTest, public ::testing::WithParamInterface<TinySize> {};

// The stored picture and the bitmap are read and written by the scaler in
// blocks; sized exactly for a tiny picture, they were overrun.
TEST_P(ProbeTinyPictureTest, DecodesAndCopiesEveryPicture) {
    const TinySize s = GetParam();
    const QString clip =
        Make(QStringLiteral("tiny_%1x%2.mkv").arg(s.w).arg(s.h),
             QStringLiteral("-f lavfi -i color=c=red:s=32x32:r=25:d=0.2 -vf scale=%1:%2 -c:v ffv1 -pix_fmt yuv420p")
                 .arg(s.w)
                 .arg(s.h));
    Load(clip);
    int pictures = 0;
    while (probe.Decode()) {
        ++pictures;
        ASSERT_EQ(probe.FrameInfo().Width, s.w);
        ASSERT_EQ(probe.FrameInfo().Height, s.h);
        QImage bmp;
        ASSERT_TRUE(probe.CopyToBitmap(bmp)) << probe.LastErrMsg().toStdString();
        ASSERT_EQ(bmp.size(), QSize(s.w, s.h));
        EXPECT_TRUE(Near(bmp.pixelColor(s.w - 1, s.h - 1), 255, 0, 0)) << Describe(bmp.pixelColor(s.w - 1, s.h - 1));
    }
    EXPECT_EQ(pictures, 5);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProbeTinyPictureTest,
                         ::testing::Values(TinySize{1, 1}, TinySize{2, 2}, TinySize{3, 3}, TinySize{17, 9}),
                         [](const ::testing::TestParamInfo<TinySize>& info) {
                             return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });

// ---------------------------------------------------------------------------
// Rotation

class ProbeRotationTest : public ProbeOddMediaTest, public ::testing::WithParamInterface<int> {};

TEST_P(ProbeRotationTest, DecodedPicturesAreUprightAsTheToolShowsThem) {
    const int turn = GetParam();
    const QString clip = OddClips::Rotated(dir.path(), turn);
    const bool quarter = turn == 90 || turn == 270;
    const int w = quarter ? 48 : 64, h = quarter ? 64 : 48;
    Load(clip);
    ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
    EXPECT_EQ(probe.FrameInfo().Width, w);
    EXPECT_EQ(probe.FrameInfo().Height, h);
    QImage bmp;
    ASSERT_TRUE(probe.CopyToBitmap(bmp));
    EXPECT_TRUE(OddClips::SameColours(bmp, OddClips::ToolPicture(clip, w, h)));
}

INSTANTIATE_TEST_SUITE_P(Turns, ProbeRotationTest, ::testing::Values(90, 180, 270),
                         [](const auto& info) { return "clockwise_" + std::to_string(info.param); });

// ---------------------------------------------------------------------------
// Cover art

TEST_F(ProbeOddMediaTest, ACoverPictureIsNotTheFilesVideo) {
    Load(Make(QStringLiteral("cover.mp3"), QString::fromLatin1(OddClips::CoverArgs())));
    EXPECT_EQ(probe.StreamCount(), 2);
    EXPECT_EQ(probe.AudioStreamCount(), 1);
    EXPECT_EQ(probe.VideoStreamCount(), 0);
    EXPECT_EQ(probe.FirstVideoStreamIndex(), -1);
    EXPECT_FALSE(probe.Decode());
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("no video stream."));
    // Seeking goes by the sound.
    EXPECT_TRUE(probe.Seek(500000)) << probe.LastErrMsg().toStdString();
}

// ---------------------------------------------------------------------------
// Seeking

// Interlaced MPEG-2 in a transport stream, B-pictures, a key picture every
// half second: the shape of broadcast recordings.
const char* const kInterlacedTs =
    "-f lavfi -i testsrc=size=320x240:rate=25:d=4 -f lavfi -i sine=f=440:r=48000:d=4 -c:v mpeg2video "
    "-flags +ilme+ildct -top 1 -g 12 -bf 2 -b:v 1500k -c:a mp2 -f mpegts";

TEST_F(ProbeOddMediaTest, SeekingToTheStartOfAnInterlacedTransportStreamGivesTheFirstPicture) {
    Load(Make(QStringLiteral("interlaced.ts"), QString::fromLatin1(kInterlacedTs)));
    ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
    const std::int64_t first = probe.FrameInfo().PTS;
    // Somewhere in the middle, then back to the start.
    ASSERT_TRUE(probe.Seek(2000000));
    ASSERT_TRUE(probe.Decode());
    ASSERT_TRUE(probe.Seek(0)) << probe.LastErrMsg().toStdString();
    ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
    EXPECT_EQ(probe.FrameInfo().PTS, first);
}

TEST_F(ProbeOddMediaTest, BackwardSeeksLandAtOrBeforeTheirTarget) {
    struct Clip {
        const char* name;
        const char* args;
    } clips[] = {
        {"interlaced.ts", kInterlacedTs},
        {"gop12.mp4", "-f lavfi -i testsrc=size=320x240:rate=25:d=4 -c:v mpeg4 -g 12 -bf 2"},
    };
    for (const Clip& c : clips) {
        Load(Make(QString::fromLatin1(c.name), QString::fromLatin1(c.args)));
        for (std::int64_t target : {3100000, 2000000, 1300000, 500000, 100000}) {
            ASSERT_TRUE(probe.Seek(target, {sfBackward})) << c.name << " " << target;
            ASSERT_TRUE(probe.Decode()) << c.name << " " << target;
            EXPECT_LE(probe.FrameInfo().PTS, target) << c.name;
            EXPECT_GE(probe.FrameInfo().PTS, target - 600000) << c.name << ": the key picture before " << target;
        }
        probe.CloseFile();
    }
}

// Reading to the end of a cut-off MP4 leaves the input at its end; seeking
// back reads again from the new place.
TEST_F(ProbeOddMediaTest, ASeekAfterTheEndOfACutOffFileDecodesAgain) {
    const QString whole = Make(QStringLiteral("whole.mp4"),
                               QStringLiteral("-f lavfi -i testsrc=size=320x240:rate=25:d=3 -c:v mpeg4 -g 25"));
    QFile in(whole);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    // The index comes first, the pictures follow: cut off the last third.
    ASSERT_TRUE(TestMedia::RunFFmpeg({QStringLiteral("-i"), whole, QStringLiteral("-c"), QStringLiteral("copy"),
                                      QStringLiteral("-movflags"), QStringLiteral("+faststart"),
                                      dir.filePath(QStringLiteral("fast.mp4"))}));
    QFile fast(dir.filePath(QStringLiteral("fast.mp4")));
    ASSERT_TRUE(fast.open(QIODevice::ReadOnly));
    bytes = fast.readAll();
    const QString cut = dir.filePath(QStringLiteral("cut.mp4"));
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(bytes.size() * 2 / 3));
    out.close();

    Load(cut);
    int pictures = 0;
    while (probe.Decode()) ++pictures;
    EXPECT_GT(pictures, 10);
    EXPECT_LT(pictures, 75);
    EXPECT_TRUE(probe.Eof());
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(probe.Seek(0)) << probe.LastErrMsg().toStdString();
        EXPECT_FALSE(probe.Eof());
        ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
        EXPECT_EQ(probe.FrameInfo().PTS, 0);
        ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
        EXPECT_EQ(probe.FrameInfo().PTS, 40000);
        while (probe.Decode()) {
        }
    }
}

// Four seconds of flat grey that brightens by 2 each picture (20 + 2 N), so
// a picture's luma names it; H.264 with B pictures as libx264 makes it.
QString GreyRampArgs(int gop) {
    return QStringLiteral("-f lavfi -i color=black:s=64x48:r=25:d=4 -vf geq=lum=20+2*N:cb=128:cr=128 "
                          "-c:v libx264 -pix_fmt yuv420p -g %1")
        .arg(gop);
}

int CentreLuma(const TFrameInfo& f) {
    return f.Picture.data[0][static_cast<std::ptrdiff_t>(f.Picture.linesize[0]) * (f.Height / 2) + f.Width / 2];
}

// The tool's picture at `ms` after the start, by its centre luma. It decodes
// from the start and drops what comes before (its own seek into a transport
// stream starts decoding between key pictures).
int ToolLumaAt(const QString& path, int ms, int w, int h) {
    QStringList args{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path};
    if (ms > 0) args << QStringLiteral("-ss") << QString::number(ms / 1000.0, 'f', 3);
    args << QStringLiteral("-frames:v") << QStringLiteral("1") << QStringLiteral("-f") << QStringLiteral("rawvideo")
         << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << QStringLiteral("-");
    QByteArray raw;
    TestMedia::RunTool(QStringLiteral("ffmpeg"), args, &raw);
    if (raw.size() != w * h * 3 / 2) return -1;
    return static_cast<unsigned char>(raw[(h / 2) * w + w / 2]);
}

// When the held picture is shown, in microseconds from the stream's start.
std::int64_t ShownAt(TAVProbe& probe) {
    const TFrameInfo& f = probe.FrameInfo();
    const AVStream* st = probe.FileHandle()->streams[f.StreamIndex];
    const std::int64_t start = st->start_time == AV_NOPTS_VALUE ? 0 : st->start_time;
    return ff::av_rescale_q(f.OriginalPTS - start, st->time_base, AVRational{1, 1000000});
}

// A seek into any key-frame interval, the last one included, and decoding on
// to the target gives the picture the tool shows at that time. A transport
// stream lands on any packet before its target, and in the last interval no
// key packet follows: the seek must step back to the key before it.
TEST_F(ProbeOddMediaTest, SeeksIntoEveryKeyIntervalGiveTheToolsPicture) {
    const int targetsMs[] = {0, 520, 1960, 2000, 2480, 3200, 3960};  // key pictures at 0 and 2 s
    for (const char* name : {"ramp.ts", "ramp.mp4"}) {
        SCOPED_TRACE(name);
        const QString clip = Make(QString::fromLatin1(name), GreyRampArgs(50));
        Load(clip);
        for (int ms : targetsMs) {
            SCOPED_TRACE(ms);
            const std::int64_t target = std::int64_t{ms} * 1000;
            ASSERT_TRUE(ms == 0 ? probe.Seek(0) : probe.Seek(target, {sfBackward})) << probe.LastErrMsg().toStdString();
            ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
            EXPECT_TRUE(probe.FrameInfo().IsKeyFrame) << "the first picture after a backward seek is a key picture";
            EXPECT_LE(ShownAt(probe), target);
            for (int guard = 0; ShownAt(probe) < target && guard < 100; ++guard)
                ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
            EXPECT_EQ(ShownAt(probe), target);
            EXPECT_EQ(CentreLuma(probe.FrameInfo()), ToolLumaAt(clip, ms, 64, 48));
        }
        probe.CloseFile();
    }
}

// The first SimpleBlock of the first Cluster of a Matroska file: its 16-bit
// time, relative to the cluster's, sits after the block's track number.
qsizetype FirstBlockTime(const QByteArray& b) {
    const auto vintLength = [&](qsizetype at) {
        const auto first = static_cast<unsigned char>(b[at]);
        int n = 1;
        while (n <= 8 && !(first & (0x80 >> (n - 1)))) ++n;
        return n;
    };
    const auto vintValue = [&](qsizetype at, int n) {
        quint64 v = static_cast<unsigned char>(b[at]) & (0xFF >> n);
        for (int i = 1; i < n; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
        return v;
    };
    qsizetype at = b.indexOf(QByteArray::fromHex("1F43B675"));
    if (at < 0) return -1;
    at += 4;
    at += vintLength(at);  // the cluster's size; its children follow
    while (at < b.size()) {
        const int idLength = vintLength(at);
        const bool simpleBlock = idLength == 1 && static_cast<unsigned char>(b[at]) == 0xA3;
        at += idLength;
        const int sizeLength = vintLength(at);
        const quint64 size = vintValue(at, sizeLength);
        at += sizeLength;
        if (simpleBlock) return at + vintLength(at);
        at += static_cast<qsizetype>(size);
    }
    return -1;
}

// A Matroska file whose one key picture has no time (its block lies before
// the cluster's time): the demuxer's seek to the start fails and leaves the
// input at the end. The tool, the converter and the player read it from the
// start; so must the probe after Seek(0).
class ProbeUntimedKeyTest : public ProbeOddMediaTest {
protected:
    void SetUp() override {
        ProbeOddMediaTest::SetUp();
        QFile in(Make(QStringLiteral("onekey.mkv"), GreyRampArgs(250)));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        QByteArray bytes = in.readAll();
        const qsizetype time = FirstBlockTime(bytes);
        ASSERT_GT(time, 0);
        ASSERT_EQ(bytes.mid(time, 3), QByteArray::fromHex("000080")) << "time 0, key picture";
        bytes[time] = bytes[time + 1] = static_cast<char>(0xFF);  // -1 before a cluster at 0: no time
        clip = dir.filePath(QStringLiteral("untimed-key.mkv"));
        QFile out(clip);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        Load(clip);
    }
    QString clip;
};

TEST_F(ProbeUntimedKeyTest, SeekToTheStartOfAMatroskaFileWhoseKeyPictureHasNoTime) {
    const int first = ToolLumaAt(clip, 0, 64, 48);
    ASSERT_EQ(first, 20) << "the tool shows the first picture";
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(probe.Seek(0)) << probe.LastErrMsg().toStdString();
        EXPECT_FALSE(probe.Eof());
        ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
        EXPECT_EQ(CentreLuma(probe.FrameInfo()), first);
        ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
        EXPECT_EQ(CentreLuma(probe.FrameInfo()), first + 2);
        // Read on to the end, so the next round seeks back from there.
        while (probe.Decode()) {
        }
    }
}

// The key picture carries no time: the first picture after opening or a seek
// to the start takes the time the seek asked for rather than none.
TEST_F(ProbeUntimedKeyTest, TheFirstPictureTakesTheTimeOfItsSeek) {
    const struct {
        const char* how;
        std::int64_t target;  // -1: just opened
    } cases[] = {{"opened", -1}, {"Seek(0)", 0}, {"Seek(-5)", -5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        if (c.target != -1) {
            while (probe.Decode()) {
            }
            ASSERT_TRUE(probe.Seek(c.target)) << probe.LastErrMsg().toStdString();
        }
        ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
        EXPECT_EQ(CentreLuma(probe.FrameInfo()), 20);
        EXPECT_EQ(probe.FrameInfo().PTS, 0);
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
            EXPECT_NE(probe.FrameInfo().PTS, AV_NOPTS_VALUE);
        }
    }
}

// Seeking into the file fails (no time to seek by) and the demuxer's search
// reads to the end. The probe stays where it was: the same picture held, the
// same end-of-file state, and the next picture the one that came next.
TEST_F(ProbeUntimedKeyTest, AFailedSeekLeavesTheProbeWhereItWas) {
    // The pictures as decoding straight through gives them.
    std::vector<std::int64_t> times;
    while (probe.Decode()) times.push_back(probe.FrameInfo().PTS);
    ASSERT_EQ(times.size(), 100u);
    const int decodedBefore[] = {0, 1, 3, 99, 100};
    for (int before : decodedBefore) {
        SCOPED_TRACE(before);
        probe.CloseFile();
        Load(clip);
        for (int i = 0; i < before; ++i) ASSERT_TRUE(probe.Decode());
        const bool wasEof = before == 100 && !probe.Decode();
        const TFrameInfo held = probe.FrameInfo();
        const int heldLuma = held.Ready ? CentreLuma(held) : -1;
        for (std::int64_t target : {1000000, 3000000}) {
            EXPECT_FALSE(probe.Seek(target));
            EXPECT_EQ(probe.LastErrMsg(), QString::asprintf("could not seek to position %0.3f seconds", target / 1e6));
        }
        EXPECT_EQ(probe.Eof(), wasEof);
        EXPECT_EQ(probe.FrameInfo().Ready, held.Ready);
        EXPECT_EQ(probe.FrameInfo().PTS, held.PTS);
        EXPECT_EQ(probe.FrameInfo().Position, held.Position);
        if (held.Ready) {
            EXPECT_EQ(CentreLuma(probe.FrameInfo()), heldLuma);
        }
        if (before == 100) {
            EXPECT_FALSE(probe.Decode());
            continue;
        }
        for (int next = before; next < before + 2 && next < 100; ++next) {
            ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
            EXPECT_EQ(CentreLuma(probe.FrameInfo()), 20 + 2 * next);
            EXPECT_EQ(probe.FrameInfo().PTS, next == 0 ? 0 : times[next]);
        }
    }
}

}  // namespace
