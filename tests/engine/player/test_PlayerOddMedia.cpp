// Playback of media the usual test clips never show: tiny pictures, rotated
// video, cover art, interlaced transport streams and cut-off files. Each clip
// is made here with the ffmpeg tool.
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"
#include "engine/Player.h"
#include "tests/engine/OddClips.h"
#include "tests/support/TestMedia.h"

#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    return WaitInMainThread(done, timeoutMs, 10);
}

void PumpFor(int ms) {
    WaitInMainThread([] { return false; }, ms, 10);
}

bool Near(const QColor& c, int r, int g, int b, int tol = 40) {
    return std::abs(c.red() - r) <= tol && std::abs(c.green() - g) <= tol && std::abs(c.blue() - b) <= tol;
}

std::string Describe(const QColor& c) {
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

class OddMediaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(player.LoadAVLib(QStringLiteral("/nonexistent/LibAV"))) << player.LastErrMsg().toStdString();
        host.resize(320, 240);
        player.OnPosition = [this](QObject*, std::int64_t pts) { positions.push_back(pts); };
        player.OnState = [this](QObject*, TPlayState s) { states.push_back(s); };
        // Sanitizer builds start slowly; pictures are never skipped to catch up.
        player.Setframedrop(0);
    }
    void TearDown() override { player.Stop(true); }

    QString Make(const QString& name, const QString& args) {
        const QString path = dir.filePath(name);
        QString err;
        QStringList list = args.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        list << path;
        EXPECT_TRUE(TestMedia::RunFFmpeg(list, &err)) << name.toStdString() << ": " << err.toStdString();
        return path;
    }
    int Count(TPlayState s) const { return static_cast<int>(std::count(states.begin(), states.end(), s)); }
    bool Open(const QString& path, bool paused = false) {
        const bool ok = player.Open(path, &host, paused);
        EXPECT_TRUE(ok) << player.LastErrMsg().toStdString();
        return ok;
    }

    QTemporaryDir dir;
    QWidget host;
    TDUDuvuvu player;
    std::vector<std::int64_t> positions;
    std::vector<TPlayState> states;
};

// ---------------------------------------------------------------------------

struct TinySize {
    int w, h;
};

class TinyPictureTest : public OddMediaTest, public ::testing::WithParamInterface<TinySize> {};

// The scaler writes in blocks: images sized exactly for a tiny picture were
// overrun (found by AddressSanitizer when the image was freed).
TEST_P(TinyPictureTest, PlaysShowsAndHooksTheWholePicture) {
    const TinySize s = GetParam();
    const QString size = QStringLiteral("%1x%2").arg(s.w).arg(s.h);
    // The colour source makes no picture smaller than 2x2; scale it down.
    const QString clip =
        Make(QStringLiteral("tiny_%1.mkv").arg(size),
             QStringLiteral("-f lavfi -i color=c=red:s=32x32:r=25:d=0.6 -vf scale=%1:%2 -c:v ffv1 -pix_fmt yuv420p")
                 .arg(s.w)
                 .arg(s.h));
    int hooked = 0;
    QSize hookSize;
    player.OnHook = [&](QObject*, QImage* bmp, std::int64_t) {
        ++hooked;
        hookSize = bmp->size();
        bmp->fill(Qt::blue);
    };
    player.SetHook(true);
    ASSERT_TRUE(Open(clip));
    ASSERT_TRUE(PumpUntil([&] { return Count(psEnd) == 1; }, 5000));
    EXPECT_GT(hooked, 0);
    EXPECT_EQ(hookSize, QSize(s.w, s.h));

    std::int64_t pts = -1;
    const QImage frame = player.CurrentFrame(pts);
    ASSERT_EQ(frame.size(), QSize(s.w, s.h));
    EXPECT_TRUE(Near(frame.pixelColor(s.w - 1, s.h - 1), 0, 0, 255)) << Describe(frame.pixelColor(s.w - 1, s.h - 1));

    // On screen the picture fills its place in the host, centred.
    ASSERT_TRUE(PumpUntil([&] { return player.Surface()->PresentedCount() > 0; }, 2000));
    PumpFor(50);
    const QImage shown = host.grab().toImage();
    EXPECT_TRUE(Near(shown.pixelColor(160, 120), 0, 0, 255)) << Describe(shown.pixelColor(160, 120));
}

INSTANTIATE_TEST_SUITE_P(Sizes, TinyPictureTest,
                         ::testing::Values(TinySize{1, 1}, TinySize{2, 2}, TinySize{3, 3}, TinySize{17, 9}),
                         [](const ::testing::TestParamInfo<TinySize>& info) {
                             return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });

// ---------------------------------------------------------------------------
// Rotation

class PlayerRotationTest : public OddMediaTest, public ::testing::WithParamInterface<int> {};

TEST_P(PlayerRotationTest, PicturesAreShownUprightAsTheToolShowsThem) {
    const int turn = GetParam();
    const QString clip = OddClips::Rotated(dir.path(), turn);
    const bool quarter = turn == 90 || turn == 270;
    const int w = quarter ? 48 : 64, h = quarter ? 64 : 48;
    QSize opened;
    player.OnFileOpen = [&](QObject*, std::int64_t, int fw, int fh, int&, int&) { opened = QSize(fw, fh); };
    ASSERT_TRUE(Open(clip, true));
    EXPECT_EQ(opened, QSize(w, h));
    ASSERT_TRUE(PumpUntil([&] { return Count(psPause) == 1; }, 5000));
    std::int64_t pts = -1;
    ASSERT_TRUE(PumpUntil([&] { return player.CurrentFrame(pts), pts >= 0; }, 2000));
    const QImage tools = OddClips::ToolPicture(clip, w, h);
    EXPECT_TRUE(OddClips::SameColours(player.CurrentFrame(), tools));
    // On screen: placed by its upright shape, in the middle of the host.
    ASSERT_TRUE(PumpUntil([&] { return player.Surface()->PresentedCount() > 0; }, 2000));
    PumpFor(50);
    const QImage shown = host.grab().toImage();
    const int sh = 240, sw = (240 * w / h) & ~1;
    const QImage placed = shown.copy((320 - sw) / 2, 0, sw, sh).scaled(w, h);
    EXPECT_TRUE(OddClips::SameColours(placed, tools));
}

INSTANTIATE_TEST_SUITE_P(Turns, PlayerRotationTest, ::testing::Values(90, 180, 270),
                         [](const auto& info) { return "clockwise_" + std::to_string(info.param); });

// ---------------------------------------------------------------------------
// Cover art

TEST_F(OddMediaTest, AFileWithACoverPicturePlaysAsSoundOnly) {
    QSize opened(0, 0);
    player.OnFileOpen = [&](QObject*, std::int64_t, int fw, int fh, int&, int&) { opened = QSize(fw, fh); };
    ASSERT_TRUE(Open(Make(QStringLiteral("cover.mp3"), QString::fromLatin1(OddClips::CoverArgs()))));
    EXPECT_EQ(opened, QSize(-1, -1)) << "no picture size";
    EXPECT_EQ(player.VideoStreamIndex(), -1);
    EXPECT_EQ(player.AudioStreamIndex(), 0);
    ASSERT_TRUE(PumpUntil([&] { return Count(psEnd) == 1; }, 5000));
    EXPECT_TRUE(player.CurrentFrame().isNull()) << "no video";
    ASSERT_FALSE(positions.empty());
    EXPECT_NEAR(positions.back(), 1000000, 100000);
}

// ---------------------------------------------------------------------------
// Video the decoder makes nothing of

// H.264 without its sequence parameter sets (the units of type 7 removed from
// the stream): the decoder never gives a picture. With sound, the positions
// follow the sound, also after a seek; without, no clock tells a position.
// Either way the end is announced.
TEST_F(OddMediaTest, AVideoThatNeverGivesAPictureStillReportsAndEnds) {
    const QString picture = QStringLiteral("-f lavfi -i testsrc=size=160x120:rate=25:d=1");
    const QString strip = QStringLiteral(" -c:v libx264 -threads 1 -g 25 -bf 0 -bsf:v filter_units=remove_types=7");
    const struct {
        const char* name;
        QString args;
        const char* format;  // a raw stream without its parameter sets is not recognised
        bool sound;
    } cases[] = {
        {"nosps.ts", picture + " -f lavfi -i sine=f=440:r=44100:d=1" + strip + " -c:a mp2 -f mpegts", "", true},
        {"nosps.h264", picture + strip + " -f h264", "h264", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        positions.clear();
        states.clear();
        const QString clip = Make(QString::fromLatin1(c.name), c.args);
        player.SetFormat(QString::fromLatin1(c.format));
        ASSERT_TRUE(Open(clip));
        EXPECT_GE(player.VideoStreamIndex(), 0);
        ASSERT_TRUE(PumpUntil([&] { return Count(psEnd) == 1; }, 60000)) << "the end is announced";
        EXPECT_EQ(player.CurrentFrame().size(), QSize(0, 0)) << "no picture came";
        if (!c.sound) {
            EXPECT_TRUE(positions.empty());
            continue;
        }
        ASSERT_FALSE(positions.empty());
        EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
        EXPECT_NEAR(positions.back(), 1000000, 100000);

        player.Seek(std::int64_t{200000}, {}, true);
        const std::size_t from = positions.size();
        ASSERT_TRUE(PumpUntil([&] { return positions.size() > from; }, 60000)) << "positions after a seek";
        EXPECT_LT(positions[from], 600000);
        EXPECT_TRUE(PumpUntil([&] { return Count(psEnd) == 2; }, 60000)) << "and the end again";
    }
    player.SetFormat(QString());
}

// ---------------------------------------------------------------------------
// Seeking

// Interlaced MPEG-2 in a transport stream, B-pictures, a key picture every
// half second: the shape of broadcast recordings.
const char* const kInterlacedTs =
    "-f lavfi -i testsrc=size=320x240:rate=25:d=4 -f lavfi -i sine=f=440:r=48000:d=4 -c:v mpeg2video "
    "-flags +ilme+ildct -top 1 -g 12 -bf 2 -b:v 1500k -c:a mp2 -f mpegts";

TEST_F(OddMediaTest, SeeksInAnInterlacedTransportStreamLandAtOrBeforeTheirTarget) {
    ASSERT_TRUE(Open(Make(QStringLiteral("interlaced.ts"), QString::fromLatin1(kInterlacedTs)), true));
    ASSERT_TRUE(PumpUntil([&] { return Count(psPause) == 1; }, 5000));

    // Paused seeks show the picture they landed on; from the end backwards.
    // Each shows the key picture before its target (a paused player shows
    // nothing else); the limit only ends a hang.
    const auto shown = [&] {
        std::int64_t pts = -1;
        player.CurrentFrame(pts);
        return pts;
    };
    for (std::int64_t target : {3100000, 2000000, 1300000, 500000, 100000}) {
        player.Seek(target, {}, true);
        EXPECT_TRUE(PumpUntil([&] { return shown() <= target + 1000 && shown() >= target - 600000; }, 60000))
            << "the key picture before " << target << ", not " << shown();
    }
    player.Seek(std::int64_t{0}, {}, true);
    // The first picture is within one picture's time (25 fps) of the start.
    EXPECT_TRUE(PumpUntil([&] { return shown() >= 0 && shown() < 40000; }, 60000))
        << "seeking to 0 shows the first picture, not " << shown();
}

// H.264 in a transport stream with key pictures at 0 and 2 s: a seek into the
// last key interval lands on a packet after its key picture, and no key
// follows; the seek steps back to the key picture instead of showing nothing.
TEST_F(OddMediaTest, ASeekIntoTheLastKeyIntervalOfATransportStreamShowsItsKeyPicture) {
    ASSERT_TRUE(Open(Make(QStringLiteral("h264.ts"),
                          QStringLiteral("-f lavfi -i testsrc=size=160x120:rate=25:d=4 -c:v libx264 -pix_fmt yuv420p "
                                         "-g 50 -f mpegts")),
                     true));
    ASSERT_TRUE(PumpUntil([&] { return Count(psPause) == 1; }, 5000));
    const auto shown = [&] {
        std::int64_t pts = -1;
        player.CurrentFrame(pts);
        return pts;
    };
    struct Row {
        std::int64_t target, from, to;  // the picture shown lies in [from, to]
    } rows[] = {{3200000, 2000000, 3200000}, {0, 0, 39999}, {3900000, 2000000, 3900000}, {1500000, 0, 1500000}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.target);
        player.Seek(r.target, {}, true);
        // The limit only ends a hang: without a key picture nothing is shown.
        EXPECT_TRUE(PumpUntil([&] { return shown() >= r.from && shown() <= r.to; }, 60000)) << shown();
    }
}

// Reading to the end of a cut-off MP4 leaves the input at its end; a seek back
// plays again from the new place, to the end once more.
TEST_F(OddMediaTest, ASeekAfterTheEndOfACutOffFilePlaysAgain) {
    const QString whole = Make(QStringLiteral("whole.mp4"),
                               QStringLiteral("-f lavfi -i testsrc=size=320x240:rate=25:d=2 -f lavfi -i "
                                              "sine=f=440:r=44100:d=2 -c:v mpeg4 -g 25 -movflags +faststart"));
    QFile in(whole);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    // The index comes first, the packets follow: cut off the last third.
    const QString cut = dir.filePath(QStringLiteral("cut.mp4"));
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(bytes.size() * 2 / 3));
    out.close();

    ASSERT_TRUE(Open(cut));
    ASSERT_TRUE(PumpUntil([&] { return Count(psEnd) == 1; }, 5000));
    const std::int64_t end = positions.back();
    player.Seek(std::int64_t{0}, {}, true);
    const std::size_t from = positions.size();
    ASSERT_TRUE(PumpUntil([&] { return positions.size() > from; }, 3000)) << "plays again after the seek";
    EXPECT_LT(positions[from], 200000);
    ASSERT_TRUE(PumpUntil([&] { return Count(psEnd) == 2; }, 5000)) << "and reaches the end again";
    // The clock stops with the last picture, not at the length the header claims.
    PumpFor(300);
    EXPECT_NEAR(positions.back(), end, 100000) << "the same end";
    EXPECT_LT(positions.back(), 1500000);
}

}  // namespace
