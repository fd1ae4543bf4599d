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

}  // namespace
