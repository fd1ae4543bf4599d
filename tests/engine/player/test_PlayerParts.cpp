// The player's pure pieces: the event ring, the packet queue and the
// subtitle arithmetic.
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"
#include "engine/PlayerState.h"

#include <QFile>

#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace {

std::vector<std::pair<int, std::int64_t>> Drain(TPlayEventRing& ring) {
    std::vector<std::pair<int, std::int64_t>> out;
    std::int64_t v;
    for (int k; (k = ring.Pop(v)) != pekNone;) out.emplace_back(k, v);
    return out;
}

TEST(PlayEventRing, SameKindReplacesTheNewestAndAFullRingDropsTheOldest) {
    TPlayEventRing ring;
    // A burst of one kind leaves the last value only.
    for (int i = 0; i < 5; ++i) ring.Push(pekState, i);
    EXPECT_EQ(Drain(ring), (std::vector<std::pair<int, std::int64_t>>{{pekState, 4}}));

    // Ten alternating events: the newest nine stay, oldest first.
    for (int i = 0; i < 10; ++i) ring.Push(i % 2 ? pekState : pekPosition, i);
    const auto held = Drain(ring);
    ASSERT_EQ(held.size(), 9u);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(held[i].second, i + 1);

    // Replacing works across the wrap of the slots.
    ring.Push(pekPosition, 100);
    ring.Push(pekState, psPause);
    ring.Push(pekState, psResume);
    ring.Push(pekPosition, 200);
    EXPECT_EQ(Drain(ring), (std::vector<std::pair<int, std::int64_t>>{
                               {pekPosition, 100}, {pekState, psResume}, {pekPosition, 200}}));
    EXPECT_EQ(ring.Count(), 0);
}

TEST(PlayEventRing, WaitWakesOnAPushFromAnotherThread) {
    TPlayEventRing ring;
    std::thread t([&] { ring.Push(pekQuit, 0); });
    ring.WaitForEvent();
    t.join();
    std::int64_t v;
    EXPECT_EQ(ring.Pop(v), pekQuit);
}

class WithLibraries : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FFLoader().Load(PlayerLibraries)) << FFLoader().LastErrMsg().toStdString(); }
    void TearDown() override { FFLoader().Unload(PlayerLibraries); }
    static AVPacket* Packet(int size) {
        AVPacket* p = ff::av_packet_alloc();
        ff::av_new_packet(p, size);
        return p;
    }
};

TEST_F(WithLibraries, CountsPayloadPlusNodeCostAndNeverDoublesAFlush) {
    TPacketQueue q;
    q.Init();
    q.Put(Packet(100));
    q.PutFlush();
    q.PutFlush();
    q.Put(Packet(28));
    EXPECT_EQ(q.NbPackets(), 3);
    EXPECT_EQ(q.Size(), 100 + 28 + 3 * TPacketQueue::kNodeCost);
    AVPacket* p = nullptr;
    bool flush = false;
    ASSERT_EQ(q.Get(p, flush, false), 1);
    EXPECT_EQ(p->size, 100);
    ff::av_packet_free(&p);
    ASSERT_EQ(q.Get(p, flush, false), 1);
    EXPECT_TRUE(flush);
    EXPECT_EQ(q.Size(), 28 + TPacketQueue::kNodeCost);
    q.Flush();
    EXPECT_EQ(q.Get(p, flush, false), 0);
    EXPECT_EQ(q.Size(), 0);
}

// Whether the thread sleeps in the futex call (a lock or condition wait).
bool InFutexWait(pid_t tid) {
    QFile f(QStringLiteral("/proc/self/task/%1/syscall").arg(tid));
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.readAll().startsWith(QByteArray::number(SYS_futex) + ' ');
}

TEST_F(WithLibraries, AbortWakesABlockedGet) {
    TPacketQueue q;
    q.Init();
    int result = 0;
    std::atomic<pid_t> getter{0};
    std::thread t([&] {
        getter = static_cast<pid_t>(::gettid());
        AVPacket* p = nullptr;
        bool flush = false;
        result = q.Get(p, flush, true);
    });
    // Nothing else takes the queue's lock, so the thread's one futex wait is
    // the wait for a packet: the Get is blocked once the kernel shows it there.
    ASSERT_TRUE(WaitInMainThread([&] { return getter != 0 && InFutexWait(getter); }, 60000, 1));
    q.Abort();
    t.join();
    EXPECT_EQ(result, -1);
}

TEST_F(WithLibraries, AudioFollowsTheVideoClockWithinTenPercent) {
    TVideoState is;
    is.av_sync_type = AV_SYNC_VIDEO_MASTER;
    is.video_stream = 0;
    is.audio_stream = 1;
    is.paused = 1;  // the video clock is then the shown picture's time
    is.audio_channels = 2;
    is.audio_rate = 44100;
    is.audio_diff_avg_coef = std::exp(std::log(0.01) / 20);
    is.audio_diff_threshold = 2.0 * 1024 / 44100;
    const int size = 4096;  // 1024 sample frames
    std::vector<std::uint8_t> buf(size);
    for (int i = 0; i < size; ++i) buf[i] = static_cast<std::uint8_t>(i);
    is.audio_clock = 1.0;

    is.video_current_pts = 0.9;  // sound 0.1 s ahead: stretch
    for (int i = 0; i < 20; ++i) ASSERT_EQ(SynchronizeAudio(&is, buf, size, 0), size) << "measurement " << i;
    const int longer = SynchronizeAudio(&is, buf, size, 0);
    EXPECT_EQ(longer, 1024 * 110 / 100 * 4);
    ASSERT_GE(buf.size(), static_cast<std::size_t>(longer)) << "the buffer grows to hold it";
    for (int i = size; i < longer; ++i) EXPECT_EQ(buf[i], buf[size - 4 + (i - size) % 4]) << i;

    is.video_current_pts = 1.1;  // behind: shorten
    EXPECT_EQ(SynchronizeAudio(&is, buf, size, 0), 1024 * 90 / 100 * 4);

    is.video_current_pts = -10.0;  // ten seconds apart: no correction, averaging restarts
    EXPECT_EQ(SynchronizeAudio(&is, buf, size, 0), size);
    is.video_current_pts = 0.9;
    EXPECT_EQ(SynchronizeAudio(&is, buf, size, 0), size);

    is.av_sync_type = AV_SYNC_AUDIO_MASTER;  // the sound is the clock: never touched
    EXPECT_EQ(SynchronizeAudio(&is, buf, size, 0), size);
}

TEST(SubtitlePalette, StudioRangeConversion) {
    struct Case {
        std::uint32_t argb, ayuv;
    } cases[] = {
        {0xFF0000FFu, 0xFF29F06Eu},  // pure blue: Y 41, U 240, V 110
        {0x80FFFFFFu, 0x80EB8080u},  // white keeps its half alpha
        {0x00000000u, 0x00108080u},  // black
        {0xFFFF0000u, 0xFF515AF0u},  // red
    };
    for (const Case& c : cases) EXPECT_EQ(RGBAToYUVA(c.argb), c.ayuv) << std::hex << c.argb;
}

// A 4 x 4 picture, Y 100 and chroma 128, under a rectangle of one colour.
struct Planes {
    std::uint8_t y[16], u[4], v[4];
    std::uint8_t* data[3] = {y, u, v};
    int lines[3] = {4, 2, 2};
    Planes() {
        std::fill(std::begin(y), std::end(y), 100);
        std::fill(std::begin(u), std::end(u), 128);
        std::fill(std::begin(v), std::end(v), 128);
    }
};

TEST(BlendSubRect, ClipsToThePictureAndWeightsChromaByItsGroup) {
    // Index 5 lies past the one-colour palette: that pixel stays clear. The
    // bytes after the 3 x 3 rectangle are opaque, so a read past it shows.
    std::uint8_t index[16] = {0, 0, 0, 0, 5, 0, 0, 0, 0};
    std::uint32_t palette[1] = {0xFF000000u | (200u << 16) | (48u << 8) | 208u};
    AVSubtitleRect r{};
    r.data[0] = index;
    r.data[1] = reinterpret_cast<std::uint8_t*>(palette);
    r.linesize[0] = 3;
    r.nb_colors = 1;
    // Chroma of a group of n rect pixels, k of them opaque, alpha = sum >> 2.
    auto chroma = [](int c, int n, int k, int value) {
        const int a = (k * 255) >> 2;
        return (c * n * (255 - a) + k * value * a) / (255 * n);
    };
    struct Case {
        const char* name;
        int x, y, w, h;
        int y00, y11, y22, y33, u0, v3;
    } cases[] = {
        {"2x2 group, one clear", 0, 0, 2, 2, 200, 100, 100, 100, chroma(128, 4, 3, 48), 128},
        {"odd single pixel", 1, 1, 1, 1, 100, 200, 100, 100, chroma(128, 1, 1, 48), 128},
        {"off the corner", 2, 2, 3, 3, 100, 100, 200, 100, 128, chroma(128, 4, 3, 208)},
        {"left of and above", -1, -1, 3, 3, 100, 200, 100, 100, chroma(128, 4, 3, 48), 128},
    };
    for (const Case& c : cases) {
        Planes p;
        r.x = c.x, r.y = c.y, r.w = c.w, r.h = c.h;
        BlendSubRect(p.data, p.lines, &r, 4, 4);
        EXPECT_EQ(p.y[0], c.y00) << c.name;
        EXPECT_EQ(p.y[5], c.y11) << c.name;
        EXPECT_EQ(p.y[10], c.y22) << c.name;
        EXPECT_EQ(p.y[15], c.y33) << c.name;
        EXPECT_EQ(p.u[0], c.u0) << c.name;
        EXPECT_EQ(p.v[3], c.v3) << c.name;
    }
}

}  // namespace
