// A source far wider (or taller) than a profile's fixed frame size asks for
// a sample aspect ratio no output can hold: the track header's 16.16 display
// width overflows and encoders drop a ratio that leaves less than one pixel
// the other way. The output takes the largest ratio that fits, and the
// libraries and the ffmpeg tools read the file without error.
#include "tests/engine/queue/QueueTestSupport.h"

#include "app/jobs/JobRecords.h"
#include "app/jobs/ProfilePanel.h"
#include "app/profiles/ProfileTables.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

struct TAspectCase {
    const char* name;
    int width, height;  // of the source
    int code;           // the profile
    AVRational sar;     // of the output's video stream
};

void PrintTo(const TAspectCase& c, std::ostream* os) { *os << c.name; }

// 3209: h263 at 176x144 with the source's aspect; 1100: mpeg4 at 320x240 in MP4.
const TAspectCase kCases[] = {
    // 1024:1 squeezed into 176x144 would be 838:1; the picture's 144 lines
    // allow at most 144:1.
    {"WidePhone", 16384, 16, 3209, {144, 1}},
    // 320 pixels at 240:1 overflow the track header's width (76800): 102:1
    // is the largest ratio below 32768 / 320.
    {"WideMp4", 16384, 16, 1100, {102, 1}},
    // Ordinary sources keep their exact ratio.
    {"PlainPhone", 320, 240, 3209, {12, 11}},
    {"PlainMp4", 640, 360, 1100, {4, 3}},
};

class OutputAspectTest : public QueueTest, public ::testing::WithParamInterface<TAspectCase> {};

// The job fields of a profile as the main window fills them, option lists at
// their defaults.
TOutputOptions ProfileOutput(int code, const QString& input, const QString& folder, QString& ext) {
    jobs::TProfilePanel panel(folder);
    for (int c = 0; c < profiles::CategoryRowCount; ++c) {
        const int count = static_cast<int>(profiles::ProfilesOfCategoryRow(c).size());
        for (int p = 0; p < count; ++p) {
            if (profiles::ProfileCode(c, p) != code) continue;
            panel.SetCategoryIndex(c);
            panel.SetProfileIndex(p);
            panel.Fields().Video_AddFileName = input;
            panel.ComputeParameters();
            panel.ConfirmOptions();
            ext = panel.Fields().Video_FileExt;
            return jobs::OutputOptionsFromFields(panel.Fields());
        }
    }
    ADD_FAILURE() << "no profile " << code;
    return {};
}

// The video stream's sample aspect ratio as the container gives it, and as
// the libraries guess it for showing (the container's, else the codec's).
struct TReadSar {
    AVRational stream{-1, -1}, shown{-1, -1};
};

TReadSar ReadSar(const QString& path) {
    AVFormatContext* ctx = nullptr;
    const QByteArray name = path.toUtf8();
    TReadSar r;
    if (ff::avformat_open_input(&ctx, name.constData(), nullptr, nullptr) < 0) return r;
    if (ff::avformat_find_stream_info(ctx, nullptr) >= 0)
        for (unsigned i = 0; i < ctx->nb_streams; ++i)
            if (ctx->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
                r.stream = ctx->streams[i]->sample_aspect_ratio;
                r.shown = ff::av_guess_sample_aspect_ratio(ctx, ctx->streams[i], nullptr);
                break;
            }
    ff::avformat_close_input(&ctx);
    return r;
}

TEST_P(OutputAspectTest, OutputCarriesTheLargestRatioThatFits) {
    const TAspectCase& c = GetParam();
    const QString source = Out(QStringLiteral("source.mkv"));
    QString err;
    ASSERT_TRUE(TestMedia::RunFFmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                      QStringLiteral("testsrc=size=%1x%2:rate=12:d=0.5").arg(c.width).arg(c.height),
                                      QStringLiteral("-c:v"), QStringLiteral("ffv1"), source},
                                     &err))
        << err.toStdString();

    QString ext;
    TOutputOptions out = ProfileOutput(c.code, source, Out(QString()), ext);
    const QString output = Out(QStringLiteral("out") + ext);
    TTrevalon q;
    const int t = q.AddTask(source);
    ASSERT_EQ(t, 0) << q.LastErrMsg().toStdString();
    ASSERT_TRUE(q.SetOutputFile(t, output, &out)) << q.LastErrMsg().toStdString();
    TReports r;
    r.Bind(q);
    q.Start(1);
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
    const auto items = r.Snapshot();
    ASSERT_EQ(items.size(), 2u);
    ASSERT_TRUE(items[0].Info.Finished) << items[0].Info.ExceptionMsg.toStdString();

    const TReadSar sar = ReadSar(output);
    EXPECT_EQ(sar.shown.num, c.sar.num);
    EXPECT_EQ(sar.shown.den, c.sar.den);
    // The container's own ratio is the same or none; an overflowed track
    // width reads as a negative one.
    if (sar.stream.num != 0) {
        EXPECT_EQ(sar.stream.num, c.sar.num);
        EXPECT_EQ(sar.stream.den, c.sar.den);
    }

    QByteArray toolOut, toolErr;
    EXPECT_TRUE(TestMedia::RunTool(QStringLiteral("ffprobe"),
                                   {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_streams"), output},
                                   &toolOut, &toolErr))
        << toolErr.toStdString();
    EXPECT_TRUE(toolErr.isEmpty()) << toolErr.toStdString();
    toolErr.clear();
    EXPECT_TRUE(TestMedia::RunTool(QStringLiteral("ffmpeg"),
                                   {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), output,
                                    QStringLiteral("-f"), QStringLiteral("null"), QStringLiteral("-")},
                                   nullptr, &toolErr))
        << toolErr.toStdString();
    EXPECT_TRUE(toolErr.isEmpty()) << toolErr.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Sources, OutputAspectTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
