// Playback through the real libraries, headless: Qt offscreen and SDL's
// dummy (or disk) sound driver. Clips are 1-3 s, so each test plays in real time.
#include "engine/AVProbe.h"
#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"
#include "engine/Player.h"
#include "engine/PlayerSurface.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QTemporaryDir>
#include <QScreen>
#include <QWidget>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <thread>
#include <vector>

namespace {

// Waits for what a playback does next. The limit only ends a hang: slow
// machines and sanitizers make playback late, never wrong.
constexpr int kHangMs = 60000;

bool PumpUntil(const std::function<bool()>& done) {
    return WaitInMainThread(done, kHangMs, 10);
}

void PumpFor(int ms) {
    WaitInMainThread([] { return false; }, ms, 10);
}

int ThreadCount() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

struct Recorder {
    std::vector<std::int64_t> positions;
    std::vector<TPlayState> states;
    int Count(TPlayState s) const { return static_cast<int>(std::count(states.begin(), states.end(), s)); }
    void Bind(TCustomPlayer& p) {
        p.OnPosition = [this](QObject*, std::int64_t pts) { positions.push_back(pts); };
        p.OnState = [this](QObject*, TPlayState s) { states.push_back(s); };
    }
};

// Colour of a pixel of a 24-bit bitmap.
QColor Pixel(const QImage& img, int x, int y) {
    return img.pixelColor(x, y);
}

bool Near(const QColor& c, int r, int g, int b, int tol = 30) {
    return std::abs(c.red() - r) <= tol && std::abs(c.green() - g) <= tol && std::abs(c.blue() - b) <= tol;
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(player.LoadAVLib(QStringLiteral("/nonexistent/LibAV"))) << player.LastErrMsg().toStdString();
        host.resize(320, 240);
        rec.Bind(player);
    }
    bool OpenClip(const char* name, bool paused) {
        const QString clip = TestMedia::Path(QString::fromLatin1(name));
        const bool ok = player.Open(clip, &host, paused);
        EXPECT_TRUE(ok) << player.LastErrMsg().toStdString();
        return ok;
    }
    QWidget host;
    TDUDuvuvu player;
    Recorder rec;
};

// ---------------------------------------------------------------------------

TEST_F(PlayerTest, OpenPausedStepResumeAndPlayToTheEnd) {
    std::int64_t duration = 0;
    int fw = 0, fh = 0;
    player.OnFileOpen = [&](QObject*, std::int64_t d, int w, int h, int&, int&) {
        duration = d;
        fw = w;
        fh = h;
    };
    // A slow start (sanitizers) would otherwise let the decoder skip pictures to catch up.
    player.Setframedrop(0);
    ASSERT_TRUE(OpenClip("av.mp4", true));
    EXPECT_NEAR(duration, 2000000, 50000);
    EXPECT_EQ(fw, 160);
    EXPECT_EQ(fh, 120);

    // Opened paused: the first pictures are shown, then the pause is announced.
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psPause) == 1; }));
    EXPECT_TRUE(rec.states.front() == psPlay || rec.states.front() == psPause);
    EXPECT_TRUE(player.Paused());
    PumpFor(200);
    std::int64_t before = 0;
    player.CurrentFrame(before);
    const std::size_t reports = rec.positions.size();
    PumpFor(400);
    std::int64_t held = 0;
    player.CurrentFrame(held);
    EXPECT_EQ(held, before);
    EXPECT_EQ(rec.positions.size(), reports) << "a paused player reports no movement";

    player.StepToNextFrame();
    std::int64_t stepped = held;
    ASSERT_TRUE(PumpUntil([&] { return player.CurrentFrame(stepped), stepped != held; }));
    PumpFor(300);
    player.CurrentFrame(stepped);
    EXPECT_EQ(stepped - held, 40000) << "one picture at 25 fps, from " << held;
    EXPECT_TRUE(player.Paused());
    EXPECT_EQ(rec.Count(psStep), 1);

    player.Resume();
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psEnd) > 0; }));
    PumpFor(500);
    EXPECT_EQ(rec.Count(psEnd), 1);
    ASSERT_FALSE(rec.positions.empty());
    for (std::size_t i = 1; i < rec.positions.size(); ++i)
        EXPECT_GE(rec.positions[i], rec.positions[i - 1]) << "report " << i;
    EXPECT_NEAR(rec.positions.back(), duration, 100000);

    player.Stop(true);
    EXPECT_EQ(rec.states.back(), psStop);
    const std::size_t after = rec.states.size() + rec.positions.size();
    PumpFor(300);
    EXPECT_EQ(rec.states.size() + rec.positions.size(), after) << "nothing arrives after Stop(true)";
    EXPECT_TRUE(player.CurrentFrame().isNull());
}

TEST_F(PlayerTest, ResumeBeforeTheFirstPictureIsShown) {
    ASSERT_TRUE(OpenClip("bars.avi", true));
    player.Resume();
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psEnd) > 0; })) << "the pictures keep their times";
    player.Stop(true);
    // psPlay and psResume may merge (one kind in the ring); a pause is never announced.
    EXPECT_EQ(rec.Count(psPause), 0);
    EXPECT_EQ(rec.states.back(), psStop);
}

TEST_F(PlayerTest, SeekReportsTheNewPlaceAndShowsItsPicture) {
    // The first report is then the first picture's, however slow the start.
    player.Setframedrop(0);
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    ASSERT_TRUE(PumpUntil([&] { return !rec.positions.empty(); }));
    EXPECT_LT(rec.positions.front(), 200000);

    player.Seek(std::int64_t{1500000}, {}, true);
    const std::size_t from = rec.positions.size();
    ASSERT_TRUE(PumpUntil([&] { return rec.positions.size() > from; }));
    EXPECT_NEAR(rec.positions[from], 1500000, 1000000);
    std::int64_t pts = 0;
    QImage frame = player.CurrentFrame(pts);
    EXPECT_NEAR(pts, 1500000, 500000);
    EXPECT_TRUE(Near(Pixel(frame, 80, 60), 0, 255, 0)) << "green second";

    // Relative: one second on from where the clock is.
    const std::size_t beforeRelative = rec.positions.size();
    player.Seek(1.0, {}, true);
    ASSERT_TRUE(PumpUntil([&] { return rec.positions.size() > beforeRelative; }));
    EXPECT_NEAR(rec.positions[beforeRelative], 2500000, 500000);

    // Seeking while paused shows the new place and stays paused.
    player.Pause();
    EXPECT_TRUE(player.Paused());
    player.Seek(std::int64_t{500000}, {}, true);
    ASSERT_TRUE(PumpUntil([&] { return player.CurrentFrame(pts), pts < 1000000; }));
    frame = player.CurrentFrame(pts);
    EXPECT_TRUE(Near(Pixel(frame, 80, 60), 255, 0, 0)) << "red first second";
    EXPECT_TRUE(player.Paused());

    // Beyond the end lands at the end.
    player.Resume();
    player.Seek(std::int64_t{60000000}, {}, true);
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psEnd) > 0; }));
    PumpFor(200);
    EXPECT_NEAR(rec.positions.back(), 3000000, 100000);
}

// After a seek back in a sound-only file the sound clock tells the place the
// seek left until sound of the new place is decoded. Taken as the seek's first
// position, it made every report of the new place count as going back, and
// the position froze until playback passed the old place again. The preview
// seeks as here (pause, seek, resume); tried many times, since whether the
// stale clock is read depends on which thread comes first.
TEST_F(PlayerTest, ASeekBackInASoundOnlyFileReportsTheNewPlace) {
    const int tries = qEnvironmentVariableIsSet("QV_SEEK_TRIES") ? qEnvironmentVariableIntValue("QV_SEEK_TRIES") : 8;
    // Mono: one packet fills two of the sound device's buffers, so the clock
    // also moves inside a packet.
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("mono.wav"));
    ASSERT_TRUE(TestMedia::RunFFmpeg(
        {"-f", "lavfi", "-i", "sine=f=440:r=44100", "-t", "2", "-ac", "1", "-c:a", "pcm_s16le", wav}));
    const QString mp3 = TestMedia::Path(QStringLiteral("a48.mp3"));
    const struct {
        QString clip;
        bool wait;
    } cases[] = {{wav, false}, {wav, true}, {mp3, false}, {mp3, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(QFileInfo(c.clip).fileName().toStdString() + (c.wait ? " waited" : " not waited"));
        ASSERT_TRUE(player.Open(c.clip, &host, false)) << player.LastErrMsg().toStdString();
        int frozen = 0;
        for (int i = 0; i < tries; ++i) {
            std::size_t from = rec.positions.size();
            player.Seek(std::int64_t{1400000}, {}, true);
            ASSERT_TRUE(PumpUntil([&] { return rec.positions.size() > from && rec.positions.back() >= 1400000; }));
            // Pausing at varied moments varies how far the sound ran past the last report.
            std::this_thread::sleep_for(std::chrono::milliseconds(i * 7 % 24));
            player.Pause();
            const std::int64_t left = player.CurrentPTS();
            from = rec.positions.size();
            player.Seek(std::int64_t{200000}, {}, c.wait);
            player.Resume();
            auto told = [&] {
                return std::any_of(rec.positions.begin() + from, rec.positions.end(),
                                   [](std::int64_t p) { return p < 1000000; });
            };
            // Frozen: the clock has passed the old place and the new one was never told.
            ASSERT_TRUE(PumpUntil(
                [&] { return told() || player.CurrentPTS() > left + 200000 || rec.Count(psEnd) > 0; }));
            if (!told()) ++frozen;
        }
        EXPECT_EQ(frozen, 0) << "of " << tries;
        player.Stop(true);
        rec.positions.clear();
        rec.states.clear();
    }
}

// A seek forward lands on the key frame before its target; where that lies
// behind where playback was, playback must not go back: it starts at the
// target, the pictures (and sound) before it decoded and dropped. A key frame
// between the two is still where the seek lands, and a seek back is a plain
// key-frame seek.
TEST_F(PlayerTest, ASeekForwardNeverLandsBehindWherePlaybackWas) {
    player.Setframedrop(0);
    const struct {
        const char* clip;
        std::int64_t key, target;  // playback is paused just after key
        std::int64_t lo, hi;       // the first position after the seek: lo (0: the start) .. hi
    } cases[] = {
        {"gop10.mp4", 400000, 760000, 0, 800000},      // keys every 0.4 s
        {"h264_g25.ts", 1000000, 1900000, 0, 1950000},  // every 1 s
        {"av.mp4", 480000, 900000, 0, 950000},          // every 0.48 s, with sound
        {"gop10.mp4", 400000, 1000000, 0, 900000},      // lands on the key at 0.8 s
        {"gop10.mp4", 1200000, 500000, 400000, 420000},  // back: the key at 0.4 s
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.clip) + " to " + std::to_string(c.target));
        ASSERT_TRUE(OpenClip(c.clip, true));
        ASSERT_TRUE(PumpUntil([&] { return rec.Count(psPause) == 1; }));
        player.Seek(c.key, {}, true);
        player.Resume();
        ASSERT_TRUE(PumpUntil([&] { return player.CurrentPTS() >= c.key + 60000; }));
        player.Pause();
        PumpFor(100);
        const std::int64_t start = player.CurrentPTS();
        ASSERT_LT(start, c.key + 400000) << "paused within the key interval";
        const std::size_t from = rec.positions.size();
        player.Seek(c.target, {}, true, start);
        ASSERT_TRUE(PumpUntil([&] { return rec.positions.size() > from; }));
        const std::int64_t lo = c.lo ? c.lo : start;
        EXPECT_GE(rec.positions[from], lo) << "from " << start;
        EXPECT_LE(rec.positions[from], c.hi) << "from " << start;
        player.Stop(true);
        rec.positions.clear();
        rec.states.clear();
    }
}

// While paused no sound plays, so the audio clock still tells the place
// before a seek: a relative seek right after one counts from its target, and
// from the clock again once sound of the new place has played.
TEST_F(PlayerTest, ARelativeSeekCountsFromTheLastSeeksTargetUntilTheClockHasMoved) {
    player.Setframedrop(0);
    ASSERT_TRUE(OpenClip("av.avi", true));
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psPause) == 1; }));
    std::int64_t pts = -1;
    player.Seek(std::int64_t{600000}, {}, true);
    // A step forward lands on the first key picture at or after its target
    // (one every 0.48 s): 1.92 s from 1.6 s; counted from the clock, 1.44 s.
    player.Seek(1.0, {}, true);
    ASSERT_TRUE(PumpUntil([&] { return player.CurrentFrame(pts), pts > 700000; }));
    EXPECT_GE(pts, 1600000);
    EXPECT_TRUE(player.Paused());

    player.Seek(std::int64_t{0}, {}, true);
    player.Resume();
    const std::size_t from = rec.positions.size();
    ASSERT_TRUE(PumpUntil([&] { return rec.positions.size() > from && rec.positions.back() >= 600000; }));
    const std::int64_t played = rec.positions.back();
    ASSERT_LT(played, 1300000) << "the clip must not have run out before the seek";
    const std::size_t beforeRelative = rec.positions.size();
    player.Seek(0.5, {}, true);
    ASSERT_TRUE(PumpUntil([&] { return rec.positions.size() > beforeRelative; }));
    EXPECT_GE(rec.positions[beforeRelative], played + 450000) << "counted from the clock, not from 0";
}

TEST_F(PlayerTest, StartTimeAndPlayTimeMeasureFromTheStart) {
    player.Setframedrop(0);
    player.Setstart_time(1500000);
    player.SetPlayTime(500000);
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    ASSERT_TRUE(PumpUntil([&] { return !rec.positions.empty(); }));
    EXPECT_NEAR(rec.positions.front(), 1500000, 250000);
    std::int64_t pts = -1;
    ASSERT_TRUE(PumpUntil([&] { return player.CurrentFrame(pts), pts >= 0; }));
    EXPECT_TRUE(Near(Pixel(player.CurrentFrame(), 80, 60), 0, 255, 0)) << "starts in the green second";
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psStop) == 1; })) << "stops at 2 s";
    EXPECT_NEAR(rec.positions.back(), 2000000, 150000);
}

TEST_F(PlayerTest, CurrentFrameAndTheHostShowTheColourBars) {
    // A slow start (sanitizers) would otherwise drop the late first pictures.
    player.Setframedrop(0);
    ASSERT_TRUE(OpenClip("bars.avi", true));
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psPause) == 1; }));
    std::int64_t pts = -1;
    // Black until the first picture is on screen.
    ASSERT_TRUE(PumpUntil([&] { return player.CurrentFrame(pts), pts >= 0; }));
    const QImage frame = player.CurrentFrame(pts);
    ASSERT_EQ(frame.size(), QSize(320, 240));
    EXPECT_GE(pts, 0);
    EXPECT_LT(pts, 200000);
    struct Bar {
        const char* name;
        int r, g, b;
    };
    // The seven 75% bars of the top two thirds, left to right.
    const Bar bars[] = {{"grey", 191, 191, 191}, {"yellow", 191, 191, 0}, {"cyan", 0, 191, 191},
                        {"green", 0, 191, 0},    {"magenta", 191, 0, 191}, {"red", 191, 0, 0},
                        {"blue", 0, 0, 191}};
    for (int i = 0; i < 7; ++i) {
        const QColor c = Pixel(frame, (2 * i + 1) * 320 / 14, 60);
        EXPECT_TRUE(Near(c, bars[i].r, bars[i].g, bars[i].b))
            << bars[i].name << " is " << c.red() << "," << c.green() << "," << c.blue();
    }
    // The host shows the same picture, filling it (same aspect).
    ASSERT_TRUE(player.Surface());
    ASSERT_TRUE(PumpUntil([&] { return player.Surface()->PresentedCount() > 0; }));
    PumpFor(50);
    const QImage shown = host.grab().toImage();
    EXPECT_TRUE(Near(shown.pixelColor(160 + 22, 60), 0, 191, 0)) << "green bar on screen";
    EXPECT_TRUE(Near(shown.pixelColor(2, 60), 191, 191, 191)) << "grey bar on screen";
}

TEST_F(PlayerTest, AspectRatioPlacesThePictureInAWideHost) {
    // bars.avi is 4:3; the host is 400 x 150.
    struct Case {
        const char* name;
        float aspect;
        int left, right;  // first and last picture column
    } cases[] = {
        {"own aspect, centred", 0.0f, 100, 299},
        {"the host's shape", -1.0f, 0, 399},
        {"square", 1.0f, 125, 274},
    };
    host.resize(400, 150);
    for (const Case& c : cases) {
        player.SetAspectRatio(c.aspect);
        // The surface outlives playbacks: wait for a picture of this one.
        const int before = player.Surface() ? player.Surface()->PresentedCount() : 0;
        ASSERT_TRUE(OpenClip("bars.avi", true));
        ASSERT_TRUE(PumpUntil([&] { return player.Surface()->PresentedCount() > before; }));
        PumpFor(50);
        const QImage shown = host.grab().toImage();
        player.Stop(true);
        auto black = [&](int x) { return Near(shown.pixelColor(x, 30), 0, 0, 0, 8); };
        if (c.left > 0) {
            EXPECT_TRUE(black(c.left - 1)) << c.name;
        }
        EXPECT_FALSE(black(c.left)) << c.name;
        EXPECT_TRUE(Near(shown.pixelColor(c.left + 2, 30), 191, 191, 191)) << c.name << ": grey bar first";
        EXPECT_TRUE(Near(shown.pixelColor(c.right - 2, 30), 0, 0, 191)) << c.name << ": blue bar last";
        if (c.right < 399) {
            EXPECT_TRUE(black(c.right + 1)) << c.name;
        }
    }
}

TEST_F(PlayerTest, MonoSpectrumDrawsEqualRedAndGreen) {
    player.SetShowAudio(saRDFT);
    ASSERT_TRUE(OpenClip("mono1.wav", false));
    ASSERT_TRUE(PumpUntil([&] { return player.Surface()->PresentedCount() > 20; }));
    const QImage shown = host.grab().toImage();
    player.Stop(true);
    int drawn = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            if (c == Qt::black) continue;
            ++drawn;
            ASSERT_EQ(c.red(), c.green()) << x << "," << y;
        }
    EXPECT_GT(drawn, 0);
}

TEST_F(PlayerTest, FiltersAndFlipTransformThePicture) {
    auto shownFrame = [&](const QString& filters, bool flip) {
        player.SetVideoFilters(filters);
        player.SetVerticalFlip(flip);
        player.Setframedrop(0);  // a slow start would drop the late first pictures
        EXPECT_TRUE(OpenClip("bars.avi", true));
        std::int64_t pts = -1;
        EXPECT_TRUE(PumpUntil([&] { return player.CurrentFrame(pts), pts >= 0; }));
        QImage img = player.CurrentFrame().copy();
        player.Stop(true);
        return img;
    };
    const QImage plain = shownFrame(QString(), false);
    const QImage mirrored = shownFrame(QStringLiteral("hflip"), false);
    const QImage flipped = shownFrame(QString(), true);
    ASSERT_EQ(plain.size(), QSize(320, 240));
    ASSERT_EQ(mirrored.size(), plain.size());
    ASSERT_EQ(flipped.size(), plain.size());
    for (int x : {10, 70, 150, 250, 310})
        for (int y : {20, 170, 220}) {
            EXPECT_TRUE(Near(mirrored.pixelColor(319 - x, y), plain.pixelColor(x, y).red(),
                             plain.pixelColor(x, y).green(), plain.pixelColor(x, y).blue()))
                << "hflip at " << x << "," << y;
            EXPECT_TRUE(Near(flipped.pixelColor(x, 239 - y), plain.pixelColor(x, y).red(),
                             plain.pixelColor(x, y).green(), plain.pixelColor(x, y).blue()))
                << "flip at " << x << "," << y;
        }
    EXPECT_FALSE(player.VerticalFlip()) << "lasts one playback";
}

TEST_F(PlayerTest, HookPaintsThePictureAndAFailingHookLeavesItAlone) {
    std::vector<QString> logged;
    GetLogger()->SetTriggerEventInMainThread(false);
    GetLogger()->OnLog = [&](QObject*, TThreadID, TLogLevel, const QString& m) { logged.push_back(m); };
    struct Case {
        const char* name;
        bool throws;
        int r, g, b;
    } cases[] = {{"paints blue", false, 0, 0, 255}, {"throws", true, 255, 0, 0}};
    for (const Case& c : cases) {
        logged.clear();
        player.SetHook(true);
        std::int64_t hookPts = -1;
        player.OnHook = [&](QObject*, QImage* bmp, std::int64_t pts) {
            hookPts = pts;
            if (c.throws) throw EEngineError(QStringLiteral("no brush"));
            bmp->fill(QColor(0, 0, 255));
        };
        ASSERT_TRUE(OpenClip("rgb_g5.avi", true));
        std::int64_t pts = -1;
        ASSERT_TRUE(PumpUntil([&] { return player.CurrentFrame(pts), pts >= 0; }));
        EXPECT_TRUE(Near(player.CurrentFrame().pixelColor(80, 60), c.r, c.g, c.b)) << c.name;
        player.Stop(true);
        EXPECT_GE(hookPts, 0) << c.name;
        const bool reported =
            std::find(logged.begin(), logged.end(), QStringLiteral("Error occurs OnHook: no brush")) != logged.end();
        EXPECT_EQ(reported, c.throws) << c.name;
    }
    player.OnHook = nullptr;
    GetLogger()->OnLog = nullptr;
    GetLogger()->SetTriggerEventInMainThread(true);
}

TEST_F(PlayerTest, StreamsAreChosenAndSwitched) {
    player.Setwanted_audio_stream(1);
    // The handler of the opening sees the streams the playback chose.
    int seen[3] = {-9, -9, -9};
    int seenCount = 0;
    player.OnFileOpen = [&](QObject*, std::int64_t, int, int, int&, int&) {
        seen[0] = player.VideoStreamIndex();
        seen[1] = player.AudioStreamIndex();
        seen[2] = player.SubtitleStreamIndex();
        seenCount = player.AVProbe()->StreamCount();
    };
    ASSERT_TRUE(OpenClip("two_audio.mkv", true));
    EXPECT_EQ(seen[0], 0);
    EXPECT_EQ(seen[1], 2);
    EXPECT_EQ(seen[2], -1);
    EXPECT_EQ(seenCount, 3);
    player.OnFileOpen = nullptr;
    EXPECT_EQ(player.VideoStreamIndex(), 0);
    EXPECT_EQ(player.AudioStreamIndex(), 2) << "the second audio stream";
    EXPECT_EQ(player.SubtitleStreamIndex(), -1);
    ASSERT_TRUE(player.AVProbe());
    EXPECT_EQ(player.AVProbe()->StreamCount(), 3);

    struct Case {
        const char* name;
        std::function<void()> set;
        QString error;  // empty: no error
    } cases[] = {
        {"same index", [&] { player.SetVideoStreamIndex(0); }, QString()},
        {"not audio", [&] { player.SetAudioStreamIndex(0); }, QStringLiteral("the stream type is not matched.")},
        {"past the streams", [&] { player.SetAudioStreamIndex(3); }, QStringLiteral("the stream index is not valid.")},
        {"negative", [&] { player.SetVideoStreamIndex(-1); }, QStringLiteral("the stream index is not valid.")},
        {"the other tone", [&] { player.SetAudioStreamIndex(1); }, QString()},
    };
    for (const Case& c : cases) {
        player.Open(QStringLiteral("/nonexistent/reset.avi"), nullptr, false);  // clears LastErrMsg's meaning
        ASSERT_TRUE(OpenClip("two_audio.mkv", true));
        player.Setwanted_audio_stream(-1);
        const QString before = player.LastErrMsg();
        c.set();
        if (c.error.isEmpty())
            EXPECT_EQ(player.LastErrMsg(), before) << c.name;
        else
            EXPECT_EQ(player.LastErrMsg(), c.error) << c.name;
    }
    EXPECT_EQ(player.AudioStreamIndex(), 1);
    player.Resume();
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psEnd) > 0; })) << "plays on after the switch";
    player.Stop(true);
}

TEST_F(PlayerTest, TextSubtitlesPlayAndCanBeTurnedOff) {
    ASSERT_TRUE(OpenClip("subs_text.mkv", false));
    EXPECT_EQ(player.SubtitleStreamIndex(), 1);
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psEnd) > 0; }));
    player.SetSubtitleStreamIndex(-1);
    EXPECT_EQ(player.SubtitleStreamIndex(), -1);
    player.Stop(true);
}

TEST_F(PlayerTest, FormatAndHostLifetime) {
    EXPECT_THROW(player.SetFormat(QStringLiteral("xyz")), EEngineError);
    try {
        player.SetFormat(QStringLiteral("xyz"));
    } catch (const EEngineError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unknown input format: xyz"));
    }
    player.SetFormat(QStringLiteral("avi"));
    EXPECT_EQ(player.Format(), QStringLiteral("avi"));
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    player.SetFormat(QString());

    // A host that goes away while playing ends the playback.
    auto* panel = new QWidget;
    panel->resize(200, 124);
    ASSERT_TRUE(player.Open(TestMedia::Path(QStringLiteral("rgb_g5.avi")), panel, false));
    PumpFor(150);
    rec.states.clear();
    delete panel;
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psStop) == 1; }));
    player.Stop(true);
    EXPECT_TRUE(player.Paused());
}

// A 2 s grey clip with two bitmap subtitles over the middle: an opaque red box
// from 0.4 s and a half-transparent one from 1.2 s, 0.4 s and 0.6 s long.
bool MakeBitmapSubtitleClip(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    AVFormatContext* oc = nullptr;
    if (ff::avformat_alloc_output_context2(&oc, nullptr, "matroska", name.constData()) < 0) return false;
    const AVCodec* venc = ff::avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    const AVCodec* senc = ff::avcodec_find_encoder(AV_CODEC_ID_DVB_SUBTITLE);
    AVCodecContext* vc = ff::avcodec_alloc_context3(venc);
    AVCodecContext* sc = ff::avcodec_alloc_context3(senc);
    vc->width = 160;
    vc->height = 120;
    vc->pix_fmt = AV_PIX_FMT_YUV420P;
    vc->time_base = AVRational{1, 25};
    vc->framerate = AVRational{25, 1};
    vc->gop_size = 5;
    vc->max_b_frames = 0;
    vc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    sc->time_base = AVRational{1, 1000};
    sc->width = 160;
    sc->height = 120;
    bool ok = ff::avcodec_open2(vc, venc, nullptr) >= 0 && ff::avcodec_open2(sc, senc, nullptr) >= 0;
    AVStream* vs = ff::avformat_new_stream(oc, nullptr);
    AVStream* ss = ff::avformat_new_stream(oc, nullptr);
    ok = ok && ff::avcodec_parameters_from_context(vs->codecpar, vc) >= 0 &&
         ff::avcodec_parameters_from_context(ss->codecpar, sc) >= 0;
    vs->time_base = AVRational{1, 25};
    ss->time_base = AVRational{1, 1000};
    ok = ok && ff::avio_open2(&oc->pb, name.constData(), AVIO_FLAG_WRITE, nullptr, nullptr) >= 0 &&
         ff::avformat_write_header(oc, nullptr) >= 0;
    AVPacket* pkt = ff::av_packet_alloc();
    auto drainVideo = [&] {
        while (ok && ff::avcodec_receive_packet(vc, pkt) >= 0) {
            ff::av_packet_rescale_ts(pkt, vc->time_base, vs->time_base);
            pkt->stream_index = vs->index;
            ok = ff::av_interleaved_write_frame(oc, pkt) >= 0;
        }
    };
    auto writeSubtitle = [&](std::int64_t atMs, std::uint32_t durationMs, std::uint32_t argb) {
        AVSubtitle sub{};
        sub.end_display_time = durationMs;
        sub.pts = atMs * 1000;
        sub.num_rects = 1;
        sub.rects = static_cast<AVSubtitleRect**>(ff::av_mallocz(sizeof(AVSubtitleRect*)));
        AVSubtitleRect* r = sub.rects[0] = static_cast<AVSubtitleRect*>(ff::av_mallocz(sizeof(AVSubtitleRect)));
        r->type = SUBTITLE_BITMAP;
        r->x = 40, r->y = 40, r->w = 80, r->h = 40;
        r->nb_colors = 4;
        r->linesize[0] = r->w;
        r->data[0] = static_cast<std::uint8_t*>(ff::av_malloc(r->w * r->h));
        std::memset(r->data[0], 1, r->w * r->h);
        auto* pal = static_cast<std::uint32_t*>(ff::av_mallocz(4 * sizeof(std::uint32_t)));
        pal[1] = argb;
        r->data[1] = reinterpret_cast<std::uint8_t*>(pal);
        // A DVB page stays until the next one: a second, empty page clears it.
        for (int pass = 0; pass < 2 && ok; ++pass) {
            std::vector<std::uint8_t> buf(1 << 16);
            sub.num_rects = pass == 0 ? 1 : 0;
            const int n = ff::avcodec_encode_subtitle(sc, buf.data(), static_cast<int>(buf.size()), &sub);
            ok = n > 0 && ff::av_new_packet(pkt, n) >= 0;
            if (!ok) break;
            std::memcpy(pkt->data, buf.data(), n);
            pkt->pts = pkt->dts = atMs + (pass ? durationMs : 0);
            pkt->duration = pass ? 0 : durationMs;
            pkt->stream_index = ss->index;
            ok = ff::av_interleaved_write_frame(oc, pkt) >= 0;
        }
        sub.num_rects = 1;
        ff::avsubtitle_free(&sub);
    };
    for (int i = 0; ok && i < 50; ++i) {
        if (i == 10) writeSubtitle(400, 400, 0xFFFF0000u);
        if (i == 30) writeSubtitle(1200, 600, 0x80FF0000u);
        AVFrame* f = ff::av_frame_alloc();
        f->format = AV_PIX_FMT_YUV420P;
        f->width = 160;
        f->height = 120;
        ok = ff::av_frame_get_buffer(f, 0) >= 0;
        if (ok) {
            std::memset(f->data[0], 128, f->linesize[0] * 120);
            std::memset(f->data[1], 128, f->linesize[1] * 60);
            std::memset(f->data[2], 128, f->linesize[2] * 60);
            f->pts = i;
            ok = ff::avcodec_send_frame(vc, f) >= 0;
        }
        ff::av_frame_free(&f);
        drainVideo();
    }
    if (ok) ff::avcodec_send_frame(vc, nullptr);
    drainVideo();
    ok = ok && ff::av_write_trailer(oc) >= 0;
    ff::av_packet_free(&pkt);
    ff::avcodec_free_context(&vc);
    ff::avcodec_free_context(&sc);
    if (oc->pb) ff::avio_closep(&oc->pb);
    ff::avformat_free_context(oc);
    return ok;
}

TEST_F(PlayerTest, BitmapSubtitlesAreBlendedOncePerPicture) {
    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("subs_dvb.mkv"));
    ASSERT_TRUE(MakeBitmapSubtitleClip(clip));
    player.Setframedrop(0);
    ASSERT_TRUE(player.Open(clip, &host, false)) << player.LastErrMsg().toStdString();
    EXPECT_EQ(player.SubtitleStreamIndex(), 1);
    auto centre = [&](std::int64_t& pts) { return player.CurrentFrame(pts).pixelColor(80, 60); };
    std::int64_t pts = 0;
    QColor c;
    ASSERT_TRUE(PumpUntil([&] { return c = centre(pts), pts >= 500000; }));
    if (pts < 800000) {
        EXPECT_TRUE(Near(c, 255, 0, 0, 40)) << "opaque box at " << pts << ": " << c.red() << "," << c.green();
    }
    ASSERT_TRUE(PumpUntil([&] { return c = centre(pts), pts >= 1000000; }));
    EXPECT_TRUE(Near(c, 128, 128, 128, 10)) << "gone at " << pts;

    // Held on the half-transparent box, repaints must not deepen it.
    ASSERT_TRUE(PumpUntil([&] { return c = centre(pts), pts >= 1300000; }));
    player.Pause();
    PumpFor(300);
    const QColor first = centre(pts);
    ASSERT_LT(pts, 1700000);
    EXPECT_TRUE(Near(first, 191, 64, 64, 30)) << first.red() << "," << first.green() << "," << first.blue();
    for (int i = 0; i < 5; ++i) {
        host.resize(320 + 2 * (i % 2), 240);
        PumpFor(60);
    }
    const QColor again = centre(pts);
    EXPECT_TRUE(Near(again, first.red(), first.green(), first.blue(), 2));
    const QImage shown = host.grab().toImage();
    EXPECT_TRUE(Near(shown.pixelColor(160, 120), first.red(), first.green(), first.blue(), 12)) << "on screen";
    player.Stop(true);
}

// ---------------------------------------------------------------------------
// Sound, captured with SDL's disk driver.

class SoundTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("out.raw"));
        oldDriver = qgetenv("SDL_AUDIODRIVER");
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(file));
    }
    void TearDown() override {
        player.Stop(true);
        qputenv("SDL_AUDIODRIVER", oldDriver);
        qunsetenv("SDL_DISKAUDIOFILE");
    }
    // Plays until the disk driver has taken this many sample frames.
    bool Capture(int frames) {
        return PumpUntil([&] { return QFileInfo(file).size() >= qint64(frames) * 4; });
    }
    // Left-channel samples of the captured 16-bit stereo stream.
    std::vector<std::int16_t> Left() {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        std::vector<std::int16_t> out;
        const auto* s = reinterpret_cast<const std::int16_t*>(raw.constData());
        for (qsizetype i = 0; i + 1 < raw.size() / 2; i += 2) out.push_back(s[i]);
        return out;
    }
    QTemporaryDir dir;
    QString file;
    QByteArray oldDriver;
};

TEST_F(SoundTest, ToneComesOutAtItsFrequencyAndEndsOnce) {
    ASSERT_TRUE(OpenClip("sine1k.wav", false));
    EXPECT_EQ(player.VideoStreamIndex(), -1);
    std::int64_t pts = 0;
    EXPECT_TRUE(player.CurrentFrame(pts).isNull());
    EXPECT_EQ(pts, -1);
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psEnd) > 0; }));
    PumpFor(400);
    EXPECT_EQ(rec.Count(psEnd), 1) << "an audio-only file ends once";
    EXPECT_NEAR(rec.positions.back(), 2000000, 100000);
    EXPECT_GT(player.Surface()->PresentedCount(), 0) << "the sound is drawn instead of a picture";
    player.Stop(true);

    const std::vector<std::int16_t> left = Left();
    ASSERT_GT(left.size(), 44100u);
    // One second from 0.3 s on: count rising zero crossings.
    int crossings = 0, loud = 0;
    for (std::size_t i = 13230; i < 13230 + 44100; ++i) {
        crossings += left[i - 1] < 0 && left[i] >= 0;
        loud += std::abs(left[i]) > 1000;
    }
    EXPECT_NEAR(crossings, 1000, 15);
    EXPECT_GT(loud, 20000);
}

TEST_F(SoundTest, MuteGivesSilence) {
    player.SetMute(true);
    ASSERT_TRUE(OpenClip("sine1k.wav", false));
    ASSERT_TRUE(Capture(22050));
    player.Stop(true);
    const std::vector<std::int16_t> left = Left();
    ASSERT_GT(left.size(), 4410u);
    EXPECT_TRUE(std::all_of(left.begin(), left.end(), [](std::int16_t s) { return s == 0; }));
}

TEST_F(SoundTest, VolumeScalesTheSound) {
    auto peak = [&](int volume) {
        player.SetAudioVolume(volume);
        EXPECT_TRUE(OpenClip("sine1k.wav", false));
        EXPECT_TRUE(Capture(22050));
        player.Stop(true);
        const std::vector<std::int16_t> left = Left();
        int p = 0;
        for (std::size_t i = 4410; i < left.size(); ++i) p = std::max(p, std::abs(static_cast<int>(left[i])));
        return p;
    };
    const int full = peak(128);
    const int half = peak(64);
    ASSERT_GT(full, 1000);
    EXPECT_NEAR(static_cast<double>(half) / full, 0.5, 0.05);
}

// ---------------------------------------------------------------------------
// A paused playback

namespace {

// Voluntary context switches (each one a wake-up after a wait) of this
// process's threads other than the main one whose name starts with prefix,
// summed; and how many there are.
struct TWakeups {
    long long switches = 0;
    int threads = 0;
};
TWakeups Wakeups(const QString& prefix) {
    TWakeups w;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (tid.toLongLong() == getpid()) continue;
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly) || !QString::fromUtf8(comm.readAll()).startsWith(prefix)) continue;
        QFile status(tasks.filePath(tid + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly)) continue;
        ++w.threads;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:")) w.switches += line.mid(24).trimmed().toLongLong();
    }
    return w;
}

}  // namespace

// Paused, every thread of the playback waits for a command, and the sound
// device is closed so that SDL's audio thread is gone too; a resume opens it
// again and the sound carries the clock on to the end.
TEST_F(PlayerTest, APausedPlaybackSleepsUntilACommand) {
    for (const char* clip : {"av.mp4", "sine1k.wav"}) {
        SCOPED_TRACE(clip);
        rec.states.clear();
        rec.positions.clear();
        ASSERT_TRUE(OpenClip(clip, true));
        ASSERT_TRUE(PumpUntil([&] { return rec.Count(psPause) == 1 || (rec.Count(psPlay) && player.Paused()); }));
        // Read, refresh, play loop and events (each names itself once it runs).
        EXPECT_TRUE(PumpUntil([] { return Wakeups(QStringLiteral("qv-")).threads >= 4; }));
        // Settling (the queues fill, the last refreshes run) takes a moment;
        // then a whole interval passes without one wake-up.
        bool quiet = false;
        long long last = Wakeups(QStringLiteral("qv-")).switches;
        for (int round = 0; round < 40 && !quiet; ++round) {
            PumpFor(250);
            const long long now = Wakeups(QStringLiteral("qv-")).switches;
            quiet = now == last;
            last = now;
        }
        EXPECT_TRUE(quiet) << "the player's threads still wake while paused";
        EXPECT_EQ(Wakeups(QStringLiteral("SDLAudio")).threads, 0) << "the sound device is closed while paused";
        // For the record: wake-ups over two seconds, paused.
        const TWakeups player0 = Wakeups(QStringLiteral("qv-")), sdl0 = Wakeups(QStringLiteral("SDLAudio")),
                       all0 = Wakeups(QString());
        PumpFor(2000);
        std::printf("paused %s, wake-ups in 2 s: player threads %lld, SDL audio %lld, all but the main thread %lld\n",
                    clip, Wakeups(QStringLiteral("qv-")).switches - player0.switches,
                    Wakeups(QStringLiteral("SDLAudio")).switches - sdl0.switches,
                    Wakeups(QString()).switches - all0.switches);

        player.Resume();
        ASSERT_TRUE(PumpUntil([&] { return rec.Count(psEnd) > 0; }));
        EXPECT_NEAR(rec.positions.back(), 2000000, 100000) << "the sound clock ran on after the resume";
        player.Stop(true);
    }
}

// Full screen: the surface leaves the host for a window of its own filling
// the host's screen, and the pictures take the screen's size; leaving puts it
// back into the host at the host's size (or ScreenWidth x ScreenHeight).
TEST_F(PlayerTest, FullScreenFillsTheHostsScreenAndLeavingReturnsToTheHost) {
    host.resize(320, 120);
    host.show();
    const QSize screen = host.screen()->geometry().size();
    // The placement of 4:3 pictures in a display area (even sizes, centred).
    auto placed = [](QSize area) {
        const int aw = area.width() & ~1, ah = area.height() & ~1;
        int h = ah, w = static_cast<int>(std::nearbyint(h * 4.0 / 3)) & ~1;
        if (w > aw) {
            w = aw;
            h = static_cast<int>(std::nearbyint(w * 3.0 / 4)) & ~1;
        }
        return QRect((aw - w) / 2, (ah - h) / 2, w, h);
    };
    ASSERT_TRUE(OpenClip("bars.avi", true));
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psPause) == 1; }));
    TPlayerSurface* surface = player.Surface();
    ASSERT_TRUE(PumpUntil([&] { return surface->DisplayArea() == QSize(320, 120); }));
    EXPECT_EQ(surface->PictureRect(), QRect(80, 0, 160, 120));

    player.Setis_full_screen(true);
    EXPECT_TRUE(player.FullScreen());
    EXPECT_TRUE(surface->isWindow());
    EXPECT_TRUE(surface->isFullScreen());
    EXPECT_EQ(surface->screen(), host.screen());
    ASSERT_TRUE(PumpUntil([&] { return surface->DisplayArea() == screen; })) << "the display's size";
    EXPECT_EQ(surface->PictureRect(), placed(screen));

    player.Setis_full_screen(false);
    EXPECT_FALSE(player.FullScreen());
    EXPECT_EQ(surface->parentWidget(), &host);
    EXPECT_FALSE(surface->isFullScreen());
    EXPECT_EQ(surface->geometry(), QRect(0, 0, 320, 120));
    ASSERT_TRUE(PumpUntil([&] { return surface->DisplayArea() == QSize(320, 120); }));
    EXPECT_EQ(surface->PictureRect(), QRect(80, 0, 160, 120));

    // Set before Open, it holds for the next file; Stop puts the surface back.
    player.Setis_full_screen(true);
    player.Stop(true);
    EXPECT_EQ(surface->parentWidget(), &host);
    ASSERT_TRUE(OpenClip("bars.avi", true));
    EXPECT_TRUE(player.Surface()->isFullScreen());
    ASSERT_TRUE(PumpUntil([&] { return player.Surface()->DisplayArea() == screen; }));
    player.Stop(true);
    EXPECT_FALSE(player.Surface()->isWindow());
}

// ---------------------------------------------------------------------------
// Lifecycle

TEST_F(PlayerTest, OpenPlayStopCyclesLeaveNoThreads) {
    const char* clips[] = {"av.mp4", "rgb_g5.avi", "sine1k.wav", "bars.avi"};
    int baseline = 0;
    for (int i = 0; i < 20; ++i) {
        // Counted after the first cycle: the process (a sanitizer, SDL) may start helpers once.
        if (i == 1) baseline = ThreadCount();
        rec.states.clear();
        ASSERT_TRUE(OpenClip(clips[i % 4], i % 3 == 0)) << "cycle " << i;
        PumpFor(60 + (i % 5) * 20);
        player.Stop(true);
        ASSERT_FALSE(rec.states.empty());
        // psPlay, unless a quick psPause took its place in the ring.
        EXPECT_TRUE(rec.states.front() == psPlay || rec.states.front() == psPause) << "cycle " << i;
        EXPECT_EQ(rec.states.back(), psStop) << "cycle " << i;
        EXPECT_EQ(rec.Count(psStop), 1) << "cycle " << i;
    }
    // SDL may keep a thread of its own for a moment after the device closes.
    EXPECT_TRUE(PumpUntil([&] { return ThreadCount() <= baseline; }))
        << ThreadCount() << " threads, " << baseline << " before";
}

// Handlers are set and cleared by the host while the playback's threads read
// them (a closing window clears them, then the player goes with it playing).
TEST_F(PlayerTest, HandlersChangeAndThePlayerGoesWhilePlaying) {
    std::atomic<int> calls{0};
    auto player2 = std::make_unique<TDUDuvuvu>();
    ASSERT_TRUE(player2->LoadAVLib(QStringLiteral("/nonexistent/LibAV")));
    // Delivered on the playback's own threads, not through the queue.
    player2->SetTriggerEventInMainThread(false);
    player2->SetHook(true);
    auto bind = [&] {
        player2->OnPosition = [&](QObject*, std::int64_t) { ++calls; };
        player2->OnState = [&](QObject*, TPlayState) { ++calls; };
        player2->OnHook = [&](QObject*, QImage*, std::int64_t) { ++calls; };
    };
    bind();
    ASSERT_TRUE(player2->Open(TestMedia::Path(QStringLiteral("rgb_g5.avi")), &host, false));
    for (int round = 0; round < 3; ++round) {
        const int before = calls;
        ASSERT_TRUE(PumpUntil([&] { return calls > before + 2; })) << "round " << round;
        player2->OnPosition = nullptr;
        player2->OnState = nullptr;
        player2->OnHook = nullptr;
        bind();
    }
    const int before = calls;
    ASSERT_TRUE(PumpUntil([&] { return calls > before + 2; }));
    player2.reset();
    const int after = calls;
    PumpFor(100);
    EXPECT_EQ(calls, after) << "nothing is called once the player is gone";
}

TEST_F(PlayerTest, StopFromItsOwnEndHandler) {
    player.OnState = [&](QObject*, TPlayState s) {
        rec.states.push_back(s);
        if (s == psEnd) player.Stop(true);
    };
    ASSERT_TRUE(OpenClip("bars.avi", false));
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psEnd) == 1; }));
    EXPECT_TRUE(player.Paused()) << "closed";
    // The next playback starts clean.
    ASSERT_TRUE(OpenClip("bars.avi", false));
    player.Stop(true);
    EXPECT_EQ(rec.states.back(), psStop);
}

// The host stops a playback to move on (another file, a failed open): positions
// it had already queued must not reach the host after that.
TEST_F(PlayerTest, APlaybackAskedToStopDeliversNoQueuedPosition) {
    ASSERT_TRUE(OpenClip("av.mp4", false));
    // Nothing is pumped meanwhile, so the playback's reports wait in its queue.
    for (int ms = 0; player.CurrentPTS() < 300000 && ms < kHangMs; ms += 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_GE(player.CurrentPTS(), 300000);
    const size_t before = rec.positions.size();
    player.Stop(true);
    EXPECT_EQ(rec.positions.size(), before);
    ASSERT_FALSE(rec.states.empty());
    EXPECT_EQ(rec.states.back(), psStop) << "the stop itself is still told";
}

// Likewise a seek: positions queued before it tell the place it left.
TEST_F(PlayerTest, PositionsQueuedBeforeASeekAreNotDelivered) {
    player.Setframedrop(0);
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    for (int ms = 0; player.CurrentPTS() < 300000 && ms < kHangMs; ms += 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_GE(player.CurrentPTS(), 300000);
    const size_t before = rec.positions.size();
    player.Seek(std::int64_t{2000000}, {}, false);
    ASSERT_TRUE(PumpUntil([&] { return rec.positions.size() > before; }));
    EXPECT_GE(rec.positions[before], 1500000) << "the first position told is of the new place";
}

TEST_F(PlayerTest, CallsRunDuringItsOwnWaitsMayStopOrOpen) {
    // A posted call stops the playback while a waiting seek services the queue.
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    PostInMainThread([&] { player.Stop(true); });
    player.Seek(std::int64_t{1500000}, {}, true);
    EXPECT_TRUE(player.Paused()) << "stopped";
    EXPECT_EQ(rec.states.back(), psStop);

    // A psStop handler opens the next file while Stop(true) waits for that very event.
    bool reopened = false;
    player.OnState = [&](QObject*, TPlayState s) {
        rec.states.push_back(s);
        if (s == psStop && !reopened) {
            reopened = true;
            EXPECT_TRUE(player.Open(TestMedia::Path(QStringLiteral("bars.avi")), &host, false));
        }
    };
    rec.states.clear();
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    PumpFor(100);
    player.Stop(true);
    EXPECT_TRUE(reopened);
    EXPECT_FALSE(player.Paused()) << "the file opened by the handler plays";
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psEnd) == 1; }));
    player.Stop(true);
    EXPECT_EQ(rec.Count(psStop), 2);
}

TEST_F(PlayerTest, StopInterruptsAStalledNetworkRead) {
    QFile clip(TestMedia::Path(QStringLiteral("h264_g25.ts")));
    ASSERT_TRUE(clip.open(QIODevice::ReadOnly));
    const QByteArray data = clip.readAll();
    const int srv = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(srv, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(::bind(srv, reinterpret_cast<sockaddr*>(&addr), len), 0);
    ASSERT_EQ(::listen(srv, 1), 0);
    ASSERT_EQ(::getsockname(srv, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    // Sends the first second of the clip, then neither sends more nor closes
    // until the test is done: reads block. Only a hang ends it early.
    std::atomic<bool> done{false}, serverGaveUp{false};
    std::thread server([&] {
        const int c = ::accept(srv, nullptr, nullptr);
        if (c < 0) return;
        ::send(c, data.constData(), static_cast<std::size_t>(data.size() / 3), MSG_NOSIGNAL);
        for (int i = 0; i < kHangMs / 10 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        serverGaveUp = !done;
        ::close(c);
    });
    const QString url = QStringLiteral("tcp://127.0.0.1:%1").arg(ntohs(addr.sin_port));
    const bool opened = player.Open(url, &host, false);
    const bool openedWhileStalled = !serverGaveUp;
    bool stoppedWhileStalled = false;
    if (opened) {
        // Plays what came, then waits in a read for the rest.
        EXPECT_TRUE(PumpUntil([&] { return !rec.positions.empty(); }));
        PumpFor(500);
        player.Stop(true);
        stoppedWhileStalled = !serverGaveUp;
    }
    done = true;
    server.join();
    ::close(srv);
    ASSERT_TRUE(opened) << player.LastErrMsg().toStdString();
    EXPECT_TRUE(openedWhileStalled) << "opening waited for the stream to end";
    EXPECT_TRUE(stoppedWhileStalled) << "the blocked read never gave up";
    EXPECT_EQ(rec.states.back(), psStop);
}

TEST_F(PlayerTest, SettingsMadeJustBeforeOpenHold) {
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    player.SetRepeatType(rtNone);
    player.SetPlayTime(700000);
    player.Setwanted_audio_stream(0);
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    EXPECT_EQ(player.RepeatType(), rtNone);
    EXPECT_EQ(player.PlayTime(), 700000);
    EXPECT_EQ(player.wanted_audio_stream(), 0);
    player.Stop(true);
    // They last one playback.
    EXPECT_EQ(player.RepeatType(), rtStop);
    EXPECT_EQ(player.PlayTime(), std::int64_t(UINT64_C(0x8000000000000000)));
}

TEST_F(PlayerTest, PlayTimeStopsOrLoops) {
    player.SetPlayTime(800000);
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    ASSERT_TRUE(PumpUntil([&] { return rec.Count(psStop) == 1; }));
    EXPECT_EQ(rec.Count(psEnd), 0);
    EXPECT_NEAR(rec.positions.back(), 800000, 150000);

    rec.positions.clear();
    player.SetPlayTime(800000);
    player.SetRepeatType(rtLoop);
    ASSERT_TRUE(OpenClip("rgb_g5.avi", false));
    // Back to the start at the limit, and on again.
    ASSERT_TRUE(PumpUntil([&] {
        return std::adjacent_find(rec.positions.begin(), rec.positions.end(),
                                  [](std::int64_t a, std::int64_t b) { return b < a - 400000; }) != rec.positions.end();
    }));
    EXPECT_EQ(rec.Count(psStop), 1) << "only the first playback stopped";
    player.Stop(true);
}

// ---------------------------------------------------------------------------
// Files that cannot be played

TEST_F(PlayerTest, BadFilesFailOpenWithTheReason) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString empty = dir.filePath(QStringLiteral("empty.avi"));
    const QString noise = dir.filePath(QStringLiteral("noise.bin"));
    const QString subsOnly = TestMedia::Path(QStringLiteral("subs_only.mkv"));
    QFile(empty).open(QIODevice::WriteOnly);
    const QString noStreams = dir.filePath(QStringLiteral("tags_only.txt"));
    {
        QFile f(noStreams);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(";FFMETADATA1\ntitle=nothing to play\n");
    }
    {
        QFile f(noise);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        std::mt19937 gen(7);
        QByteArray bytes(64 * 1024, 0);
        for (char& c : bytes) c = static_cast<char>(gen());
        f.write(bytes);
    }

    std::vector<QString> logged;
    GetLogger()->SetTriggerEventInMainThread(false);
    GetLogger()->OnLog = [&](QObject*, TThreadID, TLogLevel, const QString& m) { logged.push_back(m); };
    struct Case {
        QString file;
        QString message;
    };
    const Case cases[] = {
        {dir.filePath(QStringLiteral("missing.avi")), QStringLiteral(": No such file or directory")},
        {dir.path(), QStringLiteral(": Is a directory")},
        {empty, QStringLiteral(": ")},
        {noise, QStringLiteral(": ")},
        {subsOnly, QStringLiteral(": could not open codecs, no stream to play.")},
        {noStreams, QStringLiteral(": could not open codecs, no stream to play.")},
    };
    for (const Case& c : cases) {
        logged.clear();
        rec.states.clear();
        EXPECT_FALSE(player.Open(c.file, &host, false)) << c.file.toStdString();
        EXPECT_TRUE(player.LastErrMsg().startsWith(c.file + c.message)) << player.LastErrMsg().toStdString();
        EXPECT_NE(std::find(logged.begin(), logged.end(), player.LastErrMsg()), logged.end()) << "logged too";
        EXPECT_TRUE(player.Paused()) << "nothing open";
        PumpFor(50);
        EXPECT_TRUE(rec.states.empty());
    }
    GetLogger()->OnLog = nullptr;
    GetLogger()->SetTriggerEventInMainThread(true);
    // The player still plays afterwards.
    ASSERT_TRUE(OpenClip("bars.avi", false));
    player.Stop(true);
}

// A picture file plays as a one-picture video: opened paused, it is shown.
TEST_F(PlayerTest, AStillPictureOpenedPausedIsShown) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/still.png");
    QImage still(160, 120, QImage::Format_RGB32);
    still.fill(QColor(200, 40, 40));
    ASSERT_TRUE(still.save(file));
    ASSERT_TRUE(player.Open(file, &host, true)) << player.LastErrMsg().toStdString();
    std::int64_t pts = -1;
    QImage frame;
    ASSERT_TRUE(PumpUntil([&] { return frame = player.CurrentFrame(pts), pts >= 0; }));
    EXPECT_TRUE(Near(Pixel(frame, 80, 60), 200, 40, 40));
}

}  // namespace
