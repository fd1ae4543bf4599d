// The video path: graph (scale, crop, deinterlace, size changes), frame-rate
// sync, the custom hook and the bitmap hook.
#include "tests/engine/pipeline/PipelineTestSupport.h"

#include <QPainter>

#include <dlfcn.h>

#include <array>
#include <stdexcept>

namespace {

struct SizeCase {
    const char* name;
    Steps options;
    int width, height;
    const char* filters;  // the graph between source and sink
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class VideoSize : public PipelineTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(VideoSize, OutputHasTheSizeTheGraphMakes) {
    TPipelineFFmpeg f;
    GetLogger()->SetLogLevel(llDebug);
    Steps steps{{"-i", TestMedia::Path("av.avi")}};
    for (const auto& s : GetParam().options) steps.push_back(s);
    const QString out = Out(QStringLiteral("sized.avi"));
    steps.push_back({"-o", out});
    ASSERT_EQ(Convert(f, steps), "");
    const ProbeResult p = Probe(out);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.Int("video", "width"), GetParam().width);
    EXPECT_EQ(p.Int("video", "height"), GetParam().height);
    EXPECT_EQ(p.Int("video", "nb_read_packets"), 50);
    EXPECT_TRUE(FLog.Has(llDebug, QStringLiteral("Video filters of output stream #0.0: ") + GetParam().filters));
}

INSTANTIATE_TEST_SUITE_P(
    Pipeline, VideoSize,
    ::testing::Values(
        SizeCase{"scale", {{"s", "320x240"}}, 320, 240, "scale=320:240"},
        SizeCase{"crop_bands",
                 {{"croptop", "20"}, {"cropbottom", "10"}, {"cropleft", "16"}},
                 144, 90, "crop=w=144:h=90:x=16:y=20"},
        SizeCase{"crop_then_scale",
                 {{"croptop", "20"}, {"cropbottom", "20"}, {"s", "320x160"}},
                 320, 160, "crop=w=160:h=80:x=0:y=20,scale=320:160"},
        SizeCase{"user_filter_decides", {{"s", "640x480"}, {"vf", "scale=320:240"}}, 320, 240,
                 "scale=640:480,scale=320:240"},
        SizeCase{"deinterlace", {{"deinterlace", "1"}}, 160, 120, "yadif"},
        SizeCase{"same_size", {}, 160, 120, "null"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PipelineTest, UnknownFilterFailsBeforeTheFileExists) {
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("nofilter.avi"));
    const QString err = Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"vf", "nosuchfilter=1"}, {"-o", out}});
    EXPECT_TRUE(err.startsWith("Error opening filters: nosuchfilter=1: ")) << err.toStdString();
    EXPECT_EQ(f.LastErrMsg(), err);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(PipelineTest, FramesAreDroppedAndDuplicatedToTheOutputRate) {
    // One second at 50 and at 10 pictures per second into 25: every second
    // picture dropped; each picture written two or three times (the last once).
    struct Row {
        const char* clip;
        int packets, drops, dups;
    };
    for (const Row& r : {Row{"f50.mkv", 25, 25, 0}, Row{"f10.mkv", 22, 0, 12}}) {
        TPipelineFFmpeg f;
        const QString out = Out(QStringLiteral("rate-%1.avi").arg(r.clip));
        ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path(r.clip)}, {"r", "25"}, {"-o", out}}), "") << r.clip;
        EXPECT_NEAR(Probe(out).Int("video", "nb_read_packets"), r.packets, 1) << r.clip;
        EXPECT_NEAR(f.Drops(), r.drops, 1) << r.clip;
        EXPECT_NEAR(f.Dups(), r.dups, 1) << r.clip;
    }
}

TEST_F(PipelineTest, CustomHookPaintsIntoTheEncodedPicture) {
    TPipelineFFmpeg f;
    int calls = 0;
    f.OnCustomHook = [&](TCustomFFmpeg*, QImage& bmp, int frame, int64_t, bool& update, bool&) {
        ++calls;
        EXPECT_EQ(frame, calls);
        QPainter(&bmp).fillRect(0, 0, 64, 48, Qt::red);
        update = true;
    };
    const QString out = Out(QStringLiteral("hook.avi"));
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"qscale", "2"}, {"-o", out}}), "");
    EXPECT_EQ(calls, 50);
    const QByteArray rgb = Decode(out, {"-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24"});
    ASSERT_EQ(rgb.size(), 160 * 120 * 3);
    const auto px = [&](int x, int y) {
        const auto* p = reinterpret_cast<const uint8_t*>(rgb.constData()) + (y * 160 + x) * 3;
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    const auto inside = px(20, 20);
    EXPECT_GT(inside[0], 200);
    EXPECT_LT(inside[1], 60);
    EXPECT_LT(inside[2], 60);
}

TEST_F(PipelineTest, StoppedOrFailingHooksLeaveTheConversionGoing) {
    TPipelineFFmpeg f;
    int calls = 0;
    f.OnCustomHook = [&](TCustomFFmpeg*, QImage&, int, int64_t, bool&, bool& stop) {
        ++calls;
        stop = true;
    };
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"-o", Out("stop.avi")}}), "");
    EXPECT_EQ(calls, 1);

    TPipelineFFmpeg g;
    int thrown = 0;
    g.OnCustomHook = [&](TCustomFFmpeg*, QImage&, int, int64_t, bool&, bool&) {
        ++thrown;
        throw std::runtime_error("boom");
    };
    const QString out = Out(QStringLiteral("throw.avi"));
    ASSERT_EQ(Convert(g, {{"-i", TestMedia::Path("av.avi")}, {"-o", out}}), "");
    EXPECT_EQ(thrown, 50);
    EXPECT_TRUE(FLog.Has(llError, "Error occurs OnCustomHook: boom"));
    EXPECT_EQ(Probe(out).Int("video", "nb_read_packets"), 50);
}

// Preview pictures paced by a clock of the test's own: each picture that
// reaches the preview moves it on by kStep, however fast the machine runs.
class TSteppedClockFFmpeg : public TPipelineFFmpeg {
public:
    static constexpr int64_t kStep = 70000;
    // Read and moved on the converting thread only (the test converts on its own).
    mutable int64_t Now = 1000000000;

protected:
    int64_t PreviewClock() const override { return Now += kStep; }
};

TEST_F(PipelineTest, PreviewBitmapsComeAtMostOncePerInterval) {
    TSteppedClockFFmpeg f;
    f.PreviewInterval = 200000;
    f.SetPostHooks(1u << phBitmap);
    struct Shown {
        int64_t clock;
        int frame;
        int64_t pts;
    };
    std::vector<Shown> shown;
    QSize size;
    f.OnPreviewBitmap = [&](TCustomFFmpeg*, const QImage& bmp, int frame, int64_t pts) {
        shown.push_back({f.Now, frame, pts});
        size = bmp.size();
    };
    ASSERT_EQ(Convert(f, {{"-i", TestMedia::Path("av.avi")}, {"s", "80x60"}, {"-o", Out("preview.avi")}}), "");
    // 70 ms a picture against 200 ms: the first picture, then every third (the
    // fourth picture is the first more than 200 ms after the last one shown).
    ASSERT_EQ(shown.size(), 17u);
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].frame, 1 + 3 * static_cast<int>(i)) << "picture " << i;
        EXPECT_EQ(shown[i].pts, 3 * static_cast<int64_t>(i) * 40000) << "picture " << i;
        if (i > 0) {
            EXPECT_EQ(shown[i].clock - shown[i - 1].clock, 3 * TSteppedClockFFmpeg::kStep) << "picture " << i;
        }
    }
    EXPECT_EQ(size, QSize(80, 60));  // the picture that is encoded
}

TEST_F(PipelineTest, FrameSizeChangeMidStreamConvertsThrough) {
    const QString joined = Out(QStringLiteral("sizechange.ts"));
    {
        QFile out(joined);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        for (const char* part : {"size160.ts", "size320.ts"}) {
            QFile in(TestMedia::Path(part));
            ASSERT_TRUE(in.open(QIODevice::ReadOnly));
            out.write(in.readAll());
        }
    }
    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("sizechange.avi"));
    ASSERT_EQ(Convert(f, {{"-i", joined}, {"-o", out}}), "");
    EXPECT_TRUE(FLog.Contains(QStringLiteral("frame size changed to 320x240")));
    const ProbeResult p = Probe(out);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.Int("video", "width"), 160);
    EXPECT_NEAR(p.Int("video", "nb_read_packets"), 50, 2);
}

}  // namespace

namespace {

TEST_F(PipelineTest, FrameHookLibraryProcessesEveryPicture) {
    void* lib = dlopen(QV_TEST_HOOK, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    const auto calls = reinterpret_cast<int (*)()>(dlsym(lib, "HookCalls"));
    const auto releases = reinterpret_cast<int (*)()>(dlsym(lib, "HookReleases"));
    const int callsBefore = calls(), releasesBefore = releases();

    TPipelineFFmpeg f;
    const QString out = Out(QStringLiteral("vhook.avi"));
    ASSERT_EQ(Convert(f, {{"vhook", QV_TEST_HOOK}, {"-i", TestMedia::Path("rgb_g5.avi")}, {"qscale", "2"}, {"-o", out}}), "");
    EXPECT_EQ(calls() - callsBefore, 75);
    EXPECT_EQ(releases() - releasesBefore, 1);
    const QByteArray gray = Decode(out, {"-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "gray"});
    ASSERT_EQ(gray.size(), 160 * 120);
    EXPECT_GT(static_cast<uint8_t>(gray[8 * 160 + 8]), 230);   // painted
    EXPECT_LT(static_cast<uint8_t>(gray[60 * 160 + 80]), 120);  // red as it was

    TPipelineFFmpeg g;
    EXPECT_EQ(ErrorOf([&] { g.SetOption("vhook", QStringLiteral(QV_TEST_HOOK " fail")); }),
              QStringLiteral("Failed to add video hook function: " QV_TEST_HOOK " fail"));
    TPipelineFFmpeg h;
    EXPECT_EQ(Convert(h, {{"vhook", QV_TEST_HOOK}, {"-i", TestMedia::Path("av.avi")}, {"vcodec", "copy"}, {"-o", Out("c.mkv")}}),
              "-vcodec copy and -vhook are incompatible (frames are not decoded)");
    dlclose(lib);
}

}  // namespace
