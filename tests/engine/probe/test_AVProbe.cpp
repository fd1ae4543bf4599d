// The media probe against clips made by the ffmpeg tool, checked against what
// the ffprobe tool reports for the same files.
#include "engine/AVProbe.h"
#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

class ProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().Load(ProbeLibraries)) << FFLoader().LastErrMsg().toStdString();
    }
};

QStringList Lines(const QString& text) {
    return text.split(QStringLiteral("\r\n"));
}

bool HasLine(const QString& text, const QString& line) {
    return Lines(text).contains(line);
}

QString LineStarting(const QString& text, const QString& head) {
    for (const QString& l : Lines(text))
        if (l.startsWith(head)) return l;
    return {};
}

// What the ffprobe tool says about a file.
QJsonObject ToolProbe(const QString& path) {
    QByteArray out;
    TestMedia::RunTool(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_format"),
                                                   QStringLiteral("-show_streams"), QStringLiteral("-of"),
                                                   QStringLiteral("json"), path}, &out);
    return QJsonDocument::fromJson(out).object();
}

std::int64_t SecondsToUs(const QJsonValue& v) {
    return std::llround(v.toString().toDouble() * 1e6);
}

// ---------------------------------------------------------------- loading

TEST(ProbeNotLoaded, EveryEntryRaisesTheLoadMessage) {
    // Each case normally runs in a process of its own; in a shared run, end
    // the loads of earlier cases first.
    for (int i = 0; i < 1000 && FFLoader().Loaded(avCodec); ++i) FFLoader().Unload(ProbeLibraries);
    ASSERT_FALSE(FFLoader().Loaded(avCodec));
    TAVProbe probe;
    EXPECT_FALSE(probe.AVLibLoaded());
    try {
        probe.LoadFile(QStringLiteral("/nonexistent.avi"));
        FAIL() << "LoadFile did not raise";
    } catch (const EEngineError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("LibAVCodec not loaded."));
    }
    EXPECT_THROW(probe.SetFileHandle(nullptr), EEngineError);
    // The first library of the four that is missing names the message.
    const std::pair<TLibrary, const char*> steps[] = {
        {avCodec, "LibAVFormat not loaded."},
        {avFormat, "LibAVUtil not loaded."},
        {avUtil, "LibSwScale not loaded."},
    };
    for (const auto& [lib, message] : steps) {
        ASSERT_TRUE(FFLoader().Load(lib));
        try {
            probe.LoadFile(QStringLiteral("/nonexistent.avi"));
            ADD_FAILURE() << "LoadFile did not raise";
        } catch (const EEngineError& e) {
            EXPECT_EQ(e.Message(), QLatin1String(message));
        }
    }
    // Readers on an empty probe answer neutral values, never raise.
    EXPECT_EQ(probe.FileSize(), -1);
    EXPECT_EQ(probe.StreamCount(), -1);
    EXPECT_FALSE(probe.IsVideoStream(0));
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("file not loaded."));
}

TEST_F(ProbeTest, LoadAVLibLoadsTheProbeSet) {
    TAVProbe probe;
    EXPECT_TRUE(probe.LoadAVLib(QDir::tempPath() + QStringLiteral("/no-such-folder")));
    EXPECT_TRUE(probe.AVLibLoaded());
}

// Duration, size and streams as the ffprobe tool reports them.
class ProbeAgainstTool : public ProbeTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ProbeAgainstTool, FactsMatch) {
    const QString path = TestMedia::Path(QLatin1String(GetParam()));
    ASSERT_FALSE(path.isEmpty());
    const QJsonObject tool = ToolProbe(path);
    const QJsonObject format = tool.value(QStringLiteral("format")).toObject();
    const QJsonArray streams = tool.value(QStringLiteral("streams")).toArray();
    ASSERT_FALSE(format.isEmpty());

    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(path)) << probe.LastErrMsg().toStdString();
    EXPECT_EQ(probe.FileName(), path);
    EXPECT_EQ(probe.FormatName(), format.value(QStringLiteral("format_name")).toString());
    EXPECT_EQ(probe.FileSize(), format.value(QStringLiteral("size")).toString().toLongLong());
    const TFileStreamInfo info = probe.FileStreamInfo();
    EXPECT_EQ(info.Duration, SecondsToUs(format.value(QStringLiteral("duration"))));
    EXPECT_EQ(info.StartTime, SecondsToUs(format.value(QStringLiteral("start_time"))));
    EXPECT_EQ(info.BitRate, format.value(QStringLiteral("bit_rate")).toString().toInt());
    ASSERT_EQ(probe.StreamCount(), streams.size());

    int video = 0, audio = 0;
    for (int i = 0; i < streams.size(); ++i) {
        const QJsonObject s = streams[i].toObject();
        const QString type = s.value(QStringLiteral("codec_type")).toString();
        SCOPED_TRACE("stream " + std::to_string(i));
        EXPECT_EQ(probe.IsVideoStream(i), type == QLatin1String("video"));
        EXPECT_EQ(probe.IsAudioStream(i), type == QLatin1String("audio"));
        if (type == QLatin1String("video")) {
            if (video++ == 0) {
                EXPECT_EQ(probe.FirstVideoStreamIndex(), i);
            }
            const TVideoStreamInfo v = probe.GetStreamVideoInfo(i);
            EXPECT_EQ(v.Width, s.value(QStringLiteral("width")).toInt());
            EXPECT_EQ(v.Height, s.value(QStringLiteral("height")).toInt());
            EXPECT_TRUE(v.CodecName.startsWith(s.value(QStringLiteral("codec_name")).toString()));
            EXPECT_NEAR(v.AspectRatio, 4.0 / 3.0, 0.01);
            if (s.contains(QStringLiteral("duration"))) {
                EXPECT_EQ(v.DurationScaled, SecondsToUs(s.value(QStringLiteral("duration"))));
            }
        } else if (type == QLatin1String("audio")) {
            if (audio++ == 0) {
                EXPECT_EQ(probe.FirstAudioStreamIndex(), i);
            }
            const TAudioStreamInfo a = probe.GetStreamAudioInfo(i);
            EXPECT_EQ(a.SampleRate, s.value(QStringLiteral("sample_rate")).toString().toInt());
            EXPECT_EQ(a.Channels, s.value(QStringLiteral("channels")).toInt());
            EXPECT_TRUE(a.CodecName.startsWith(s.value(QStringLiteral("codec_name")).toString()));
            EXPECT_EQ(a.Language, s.value(QStringLiteral("tags")).toObject().value(QStringLiteral("language")).toString());
        }
    }
    EXPECT_EQ(probe.VideoStreamCount(), video);
    EXPECT_EQ(probe.AudioStreamCount(), audio);
    EXPECT_EQ(probe.SubtitleStreamCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Clips, ProbeAgainstTool,
                         ::testing::Values("av.mp4", "av.avi", "a48.mp3", "tags.mp3", "ntsc_lang.ts", "rgb_g5.avi"),
                         [](const auto& info) {
                             QString n = QLatin1String(info.param);
                             return n.replace(u'.', u'_').toStdString();
                         });

// ---------------------------------------------------------------- information text

TEST_F(ProbeTest, InfoTextOfVideoWithAudio) {
    const QString path = TestMedia::Path(QStringLiteral("av.mp4"));
    const QJsonObject format = ToolProbe(path).value(QStringLiteral("format")).toObject();
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(path));
    const QString text = probe.FileInfoText();
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = Lines(text);
    EXPECT_EQ(lines.value(0), QStringLiteral("File Name: ") + path);
    EXPECT_EQ(lines.value(1), QStringLiteral("Format Name: mov,mp4,m4a,3gp,3g2,mj2"));
    EXPECT_EQ(lines.value(2), QStringLiteral("Format Long Name: QuickTime / MOV"));
    EXPECT_EQ(lines.value(3), QStringLiteral("File Size: ") + FormatFileSize(QFileInfo(path).size()));
    EXPECT_EQ(lines.value(4), QStringLiteral("Duration: ") + DurationToText(SecondsToUs(format.value(QStringLiteral("duration")))));
    EXPECT_EQ(lines.value(5), QStringLiteral("StartTime: 0.000000"));
    EXPECT_EQ(lines.value(6), QStringLiteral("Bit Rate: %1 kb/s").arg(format.value(QStringLiteral("bit_rate")).toString().toInt() / 1000));
    EXPECT_EQ(lines.value(7), QStringLiteral("Metadata:"));
    EXPECT_TRUE(HasLine(text, QStringLiteral("  major_brand     : isom")));

    const QString video = LineStarting(text, QStringLiteral("Stream #0"));
    EXPECT_TRUE(video.startsWith(QStringLiteral("Stream #0[0x1](und), 1/12800: Video: mpeg4"))) << video.toStdString();
    EXPECT_TRUE(video.contains(QStringLiteral("160x120")));
    EXPECT_TRUE(video.contains(QStringLiteral(", 25 fps, 25 tbr, 12800 tbn, StartTime: 0.000000, Duration: 00:00:02.000")))
        << video.toStdString();
    const QString audio = LineStarting(text, QStringLiteral("Stream #1"));
    EXPECT_TRUE(audio.startsWith(QStringLiteral("Stream #1[0x2](und), 1/44100: Audio: aac"))) << audio.toStdString();
    EXPECT_TRUE(audio.contains(QStringLiteral("44100 Hz")));
    EXPECT_FALSE(audio.contains(QStringLiteral("fps")));
    // Each stream's block follows its line, indented by two.
    const int at = lines.indexOf(video);
    EXPECT_EQ(lines.value(at + 1), QStringLiteral("  Metadata:"));
    EXPECT_TRUE(lines.value(at + 2).startsWith(QStringLiteral("    ")));
}

TEST_F(ProbeTest, InfoTextOfAudioOnlyWithTags) {
    const QString path = TestMedia::Path(QStringLiteral("tags.mp3"));
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(path));
    const QString text = probe.FileInfoText();
    EXPECT_TRUE(HasLine(text, QStringLiteral("Format Name: mp3")));
    EXPECT_TRUE(HasLine(text, QStringLiteral("Metadata:")));
    EXPECT_TRUE(HasLine(text, QStringLiteral("  title           : ProbeTone")));
    EXPECT_TRUE(HasLine(text, QStringLiteral("  comment         : Hello")));
    // The encoder delay makes the start time positive: six digits of microseconds.
    EXPECT_TRUE(LineStarting(text, QStringLiteral("StartTime: 0.0")).size() == QStringLiteral("StartTime: 0.025057").size());
    const QString stream = LineStarting(text, QStringLiteral("Stream #0"));
    EXPECT_TRUE(stream.startsWith(QStringLiteral("Stream #0, 1/14112000: Audio: mp3"))) << stream.toStdString();
    EXPECT_TRUE(LineStarting(text, QStringLiteral("Stream #1")).isEmpty());
    EXPECT_EQ(probe.FileStreamInfo().Title, QStringLiteral("ProbeTone"));
    EXPECT_EQ(probe.FileStreamInfo().Comment, QStringLiteral("Hello"));
    EXPECT_EQ(probe.FirstVideoStreamIndex(), -1);
}

TEST_F(ProbeTest, FileFactsFromTheCurrentMetadataKeys) {
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("tags.m4a"))));
    const TFileStreamInfo info = probe.FileStreamInfo();
    EXPECT_EQ(info.Author, QStringLiteral("Someone"));  // "artist" now
    EXPECT_EQ(info.Year, 2009);
    EXPECT_EQ(info.Track, 3);                           // of "3/12"
    EXPECT_EQ(info.Genre, QStringLiteral("Test"));
    EXPECT_EQ(info.TimeStamp, 1577934245);              // 2020-01-02T03:04:05Z
    const QString text = probe.FileInfoText();
    EXPECT_TRUE(HasLine(text, QStringLiteral("Time Stamp: ") +
                                  DateTimeText(QStringLiteral("yyyy-mm-dd hh:nn:ss"), UnixTimeToDateTime(1577934245))))
        << text.toStdString();
    // A key longer than the column is shown whole.
    EXPECT_TRUE(HasLine(text, QStringLiteral("  compatible_brands: M4A isomiso2"))) << text.toStdString();
}

TEST_F(ProbeTest, InfoTextListsProgramStreamsOnce) {
    const QString path = TestMedia::Path(QStringLiteral("ntsc_lang.ts"));
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(path));
    const QString text = probe.FileInfoText();
    const QStringList lines = Lines(text);
    const int program = lines.indexOf(QStringLiteral("Program 1 FFmpeg@Service01"));
    ASSERT_GE(program, 0) << text.toStdString();
    EXPECT_EQ(lines.value(program + 1), QStringLiteral("  Metadata:"));
    const QString video = LineStarting(text, QStringLiteral("Stream #0"));
    EXPECT_TRUE(video.startsWith(QStringLiteral("Stream #0[0x100], 1/90000: Video: mpeg2video"))) << video.toStdString();
    EXPECT_TRUE(video.contains(QStringLiteral(", 29.97 fps, 29.97 tbr, 90k tbn"))) << video.toStdString();
    const QString audio = LineStarting(text, QStringLiteral("Stream #1"));
    EXPECT_TRUE(audio.startsWith(QStringLiteral("Stream #1[0x101](eng), 1/90000: Audio: mp2"))) << audio.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Stream #0")), 1);
    EXPECT_EQ(text.count(QStringLiteral("Stream #1")), 1);
    EXPECT_GT(lines.indexOf(video), program);
    // A block holding only the language is not shown.
    const int at = lines.indexOf(audio);
    EXPECT_NE(lines.value(at + 1), QStringLiteral("  Metadata:"));
    EXPECT_EQ(probe.GetStreamAudioInfo(-1).Language, QStringLiteral("eng"));
}

TEST_F(ProbeTest, NegativeStreamStartKeepsItsSign) {
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("neg_start.mkv"))));
    const QString text = probe.FileInfoText();
    EXPECT_TRUE(LineStarting(text, QStringLiteral("StartTime:")).isEmpty());  // the file's start is below 0
    EXPECT_TRUE(LineStarting(text, QStringLiteral("Stream #0")).contains(QStringLiteral(", StartTime: -0.500000, ")))
        << text.toStdString();
    EXPECT_EQ(probe.FirstVideoStreamInfo().StartTimeScaled, -500000);
    // Picture times count from the stream's own start.
    ASSERT_TRUE(probe.Decode());
    EXPECT_EQ(probe.FrameInfo().PTS, 0);
}

TEST_F(ProbeTest, OnlyTheOpenFailureIsLogged) {
    struct Line {
        QObject* sender;
        TLogLevel level;
        QString text;
    };
    std::vector<Line> lines;
    TAVProbe probe;
    GetLogger()->OnLog = [&](QObject* sender, TThreadID, TLogLevel level, const QString& text) {
        if (sender == &probe) lines.push_back({sender, level, text});
    };
    QTemporaryDir dir;
    const QString missing = dir.path() + QStringLiteral("/missing.avi");
    EXPECT_FALSE(probe.LoadFile(missing));
    EXPECT_FALSE(probe.LoadFile(TestMedia::Path(QStringLiteral("av.avi")), QStringLiteral("xyz")));
    GetLogger()->OnLog = nullptr;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, llError);
    EXPECT_EQ(lines[0].text, missing + QStringLiteral(": No such file or directory"));
}

TEST_F(ProbeTest, ReadersReportBadIndexesAndKinds) {
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("av.mp4"))));
    struct Case {
        std::function<void()> call;
        const char* message;
    } cases[] = {
        {[&] { EXPECT_FALSE(probe.IsVideoStream(-1)); }, "stream index #-1 is invalid."},
        {[&] { EXPECT_FALSE(probe.IsAudioStream(2)); }, "stream index #2 is invalid."},
        {[&] { EXPECT_EQ(probe.GetStreamVideoInfo(1).Width, -1); }, "stream #1 is not video stream."},
        {[&] { EXPECT_EQ(probe.GetStreamAudioInfo(0).Channels, -1); }, "stream #0 is not audio stream."},
        {[&] { EXPECT_EQ(probe.GetStreamVideoInfo(9).Height, -1); }, "stream index #9 is invalid."},
        {[&] { EXPECT_TRUE(probe.FirstSubtitleStreamInfo().CodecName.isEmpty()); }, "no subtitle stream."},
    };
    for (const Case& c : cases) {
        c.call();
        EXPECT_EQ(probe.LastErrMsg(), QLatin1String(c.message));
    }
    probe.CloseFile();
    EXPECT_TRUE(probe.FileInfoText().isEmpty());
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("file not loaded."));
    EXPECT_EQ(probe.FileStreamInfo().Duration, -1);
    EXPECT_EQ(probe.StreamCount(), -1);
}

// ---------------------------------------------------------------- bad input

struct BadInput {
    const char* name;
    std::function<QString(const QString& dir)> make;  // returns the path to load
    const char* reason;                                // expected text after "<path>: ", or empty
};

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Head(const QString& path, double fraction) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.read(static_cast<qint64>(f.size() * fraction));
}

const BadInput kBadInputs[] = {
    {"missing", [](const QString& d) { return d + QStringLiteral("/missing.avi"); }, "No such file or directory"},
    {"zero_bytes",
     [](const QString& d) {
         WriteFile(d + QStringLiteral("/empty.avi"), {});
         return d + QStringLiteral("/empty.avi");
     },
     ""},
    {"truncated_mp4",
     [](const QString& d) {
         WriteFile(d + QStringLiteral("/cut.mp4"), Head(TestMedia::Path(QStringLiteral("av.mp4")), 0.3));
         return d + QStringLiteral("/cut.mp4");
     },
     "Invalid data found when processing input"},
    {"random_bytes",
     [](const QString& d) {
         std::mt19937 gen(20261210);
         QByteArray bytes(64 * 1024, '\0');
         for (char& c : bytes) c = static_cast<char>(gen() & 0xff);
         WriteFile(d + QStringLiteral("/noise.dat"), bytes);
         return d + QStringLiteral("/noise.dat");
     },
     ""},
    {"text_as_avi",
     [](const QString& d) {
         QByteArray text;
         for (int i = 0; i < 200; ++i) text += "This is a plain text file, not a movie.\n";
         WriteFile(d + QStringLiteral("/notes.avi"), text);
         return d + QStringLiteral("/notes.avi");
     },
     ""},
    {"directory",
     [](const QString& d) {
         QDir(d).mkdir(QStringLiteral("folder.avi"));
         return d + QStringLiteral("/folder.avi");
     },
     "Is a directory"},
};

void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

class ProbeBadInput : public ProbeTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(ProbeBadInput, FailsWithAClearReason) {
    QTemporaryDir dir;
    const QString path = GetParam().make(dir.path());
    TAVProbe probe;
    // A read that never gives up is caught by the test's own time limit.
    EXPECT_FALSE(probe.LoadFile(path));
    const QString msg = probe.LastErrMsg();
    EXPECT_TRUE(msg.startsWith(path + QStringLiteral(": "))) << msg.toStdString();
    EXPECT_GT(msg.size(), path.size() + 4) << msg.toStdString();
    if (*GetParam().reason) {
        EXPECT_EQ(msg, path + QStringLiteral(": ") + QLatin1String(GetParam().reason));
    }
    EXPECT_EQ(probe.FileHandle(), nullptr);
    EXPECT_EQ(probe.StreamCount(), -1);
    EXPECT_FALSE(probe.Decode());
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("file not loaded."));
}

INSTANTIATE_TEST_SUITE_P(Inputs, ProbeBadInput, ::testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProbeTest, UnknownForcedFormatOpensNothing) {
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("av.avi"))));
    EXPECT_FALSE(probe.LoadFile(TestMedia::Path(QStringLiteral("av.avi")), QStringLiteral("xyz")));
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("Unknown input format: xyz"));
    EXPECT_EQ(probe.FileHandle(), nullptr);
}

TEST_F(ProbeTest, TruncatedAviLoadsAndDecodesToItsEnd) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/cut.avi");
    WriteFile(path, Head(TestMedia::Path(QStringLiteral("rgb_g5.avi")), 0.5));
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(path)) << probe.LastErrMsg().toStdString();
    int pictures = 0;
    while (probe.Decode() && pictures < 1000) ++pictures;
    EXPECT_GT(pictures, 0);
    EXPECT_LT(pictures, 75);
    EXPECT_TRUE(probe.Eof());
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("stream eof reached."));
}

// ---------------------------------------------------------------- names and attached inputs

TEST_F(ProbeTest, NonAsciiNameLoadsPlainAndInUnicodeForm) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/样本 ä.mp4");
    ASSERT_TRUE(QFile::copy(TestMedia::Path(QStringLiteral("av.mp4")), path));
    TAVProbe plain;
    ASSERT_TRUE(plain.LoadFile(path)) << plain.LastErrMsg().toStdString();
    EXPECT_EQ(plain.FileName(), path);
    TAVProbe unicode;
    ASSERT_TRUE(unicode.LoadFile(QStringLiteral("unicode:utf8:") + path)) << unicode.LastErrMsg().toStdString();
    EXPECT_EQ(unicode.FileName(), path);
    EXPECT_EQ(unicode.FileStreamInfo().Duration, plain.FileStreamInfo().Duration);
    EXPECT_EQ(unicode.FileSize(), plain.FileSize());
    EXPECT_TRUE(unicode.Decode());
    EXPECT_TRUE(unicode.Seek(1000000));
    EXPECT_TRUE(unicode.Decode());
    EXPECT_TRUE(unicode.FileInfoText().startsWith(QStringLiteral("File Name: ") + path + QStringLiteral("\r\n")));
    // A missing file in that form reads like any missing file.
    const QString missing = dir.path() + QStringLiteral("/无.mp4");
    EXPECT_FALSE(unicode.LoadFile(QStringLiteral("unicode:utf8:") + missing));
    EXPECT_TRUE(unicode.LastErrMsg().endsWith(QStringLiteral(": No such file or directory")))
        << unicode.LastErrMsg().toStdString();
}

TEST_F(ProbeTest, AttachedInputIsReadOnly) {
    AVFormatContext* ctx = nullptr;
    const QByteArray name = QFile::encodeName(TestMedia::Path(QStringLiteral("av.mp4")));
    ASSERT_EQ(ff::avformat_open_input(&ctx, name.constData(), nullptr, nullptr), 0);
    ASSERT_GE(ff::avformat_find_stream_info(ctx, nullptr), 0);
    {
        TAVProbe probe;
        probe.SetFileHandle(ctx);
        EXPECT_EQ(probe.FileHandle(), ctx);
        EXPECT_EQ(probe.StreamCount(), 2);
        EXPECT_TRUE(probe.IsVideoStream(0));
        EXPECT_TRUE(probe.FileInfoText().startsWith(QStringLiteral("File Name: ") + QString::fromUtf8(name)));
        for (auto call : {+[](TAVProbe& p) { p.Decode(); }, +[](TAVProbe& p) { p.Seek(0); },
                          +[](TAVProbe& p) { p.DecodePreviousKeyFrame(); }}) {
            try {
                call(probe);
                ADD_FAILURE() << "no exception";
            } catch (const EEngineError& e) {
                EXPECT_EQ(e.Message(), QStringLiteral("file cannot be seeked, handle is readonly."));
            }
        }
        probe.CloseFile();
        EXPECT_EQ(probe.FileHandle(), nullptr);
    }
    // The probe never closed the context it was lent.
    EXPECT_EQ(ctx->nb_streams, 2u);
    ff::avformat_close_input(&ctx);
}

// ---------------------------------------------------------------- decoding and seeking

TEST_F(ProbeTest, DecodeStepsForwardOnePictureAtATime) {
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("rgb_g5.avi"))));
    EXPECT_FALSE(probe.FrameInfo().Ready);
    std::int64_t lastPos = -1, firstPos = -1;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(probe.Decode()) << probe.LastErrMsg().toStdString();
        const TFrameInfo& f = probe.FrameInfo();
        EXPECT_EQ(f.PTS, i * 40000);
        EXPECT_EQ(f.IsKeyFrame, i % 5 == 0) << i;
        EXPECT_EQ(f.PictureType, i % 5 == 0 ? ptI : ptP);
        EXPECT_EQ(f.Width, 160);
        EXPECT_EQ(f.Height, 120);
        EXPECT_EQ(f.PixFmt, AV_PIX_FMT_YUV420P);
        EXPECT_EQ(f.StreamIndex, 0);
        EXPECT_TRUE(f.Ready);
        // Packets read while the stream parameters were found come from a
        // buffer, so the I/O position only moves once that is used up.
        EXPECT_GE(f.Position, lastPos);
        if (i == 0) firstPos = f.Position;
        lastPos = f.Position;
    }
    EXPECT_GT(lastPos, firstPos);
}

QRgb CentrePixel(TAVProbe& probe) {
    QImage bmp;
    EXPECT_TRUE(probe.CopyToBitmap(bmp)) << probe.LastErrMsg().toStdString();
    EXPECT_EQ(bmp.format(), QImage::Format_BGR888);
    EXPECT_EQ(bmp.size(), QSize(160, 120));
    return bmp.isNull() ? 0 : bmp.pixel(80, 60);
}

void ExpectColour(QRgb c, int r, int g, int b) {
    EXPECT_NEAR(qRed(c), r, 12);
    EXPECT_NEAR(qGreen(c), g, 12);
    EXPECT_NEAR(qBlue(c), b, 12);
}

TEST_F(ProbeTest, SeekLandsOnKeyFramesAndCopiesThePicture) {
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("rgb_g5.avi"))));
    QImage none;
    EXPECT_FALSE(probe.CopyToBitmap(none));
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("picture not ready, please decode first"));

    struct Case {
        std::int64_t target;
        TSeekFlags flags;
        std::int64_t pts;
        int r, g, b;
    } cases[] = {
        {1600000, {}, 1600000, 0, 255, 0},              // the middle, on a key frame
        {1500000, {}, 1600000, 0, 255, 0},              // forward: the next key frame
        {1500000, {sfBackward}, 1400000, 0, 255, 0},    // backward: the one before
        {2400000, {}, 2400000, 0, 0, 255},
        {0, {}, 0, 255, 0, 0},
        {-5, {}, 0, 255, 0, 0},                         // before the start is the start
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        ASSERT_TRUE(probe.Seek(c.target, c.flags)) << probe.LastErrMsg().toStdString();
        EXPECT_FALSE(probe.FrameInfo().Ready);
        EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("seek to position %1 bytes").arg(probe.Position()));
        ASSERT_TRUE(probe.Decode());
        EXPECT_EQ(probe.FrameInfo().PTS, c.pts);
        EXPECT_TRUE(probe.FrameInfo().IsKeyFrame);
        ExpectColour(CentrePixel(probe), c.r, c.g, c.b);
    }
}

TEST_F(ProbeTest, FailedSeeksSayWhereTo) {
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("gop10.mp4"))));
    EXPECT_FALSE(probe.Seek(10000000));  // past the end
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("could not seek to position 10.000 seconds"));
    EXPECT_FALSE(probe.Seek(9000, {sfByte}));  // this format has no byte seeking
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("could not seek to position 9000 bytes"));
    ASSERT_TRUE(probe.Seek(0));
    ASSERT_TRUE(probe.Decode());
    EXPECT_EQ(probe.FrameInfo().PTS, 0);
}

TEST_F(ProbeTest, SeekToTheMiddleAgainstTheTool) {
    const QString path = TestMedia::Path(QStringLiteral("gop10.mp4"));
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(path));
    const std::int64_t middle = probe.FileStreamInfo().Duration / 2;
    ASSERT_TRUE(probe.Seek(middle, {sfBackward}));
    // Decode forward to the target: the picture covering it is within one frame.
    while (probe.Decode() && probe.FrameInfo().PTS + 40000 <= middle) {}
    ASSERT_TRUE(probe.FrameInfo().Ready);
    EXPECT_LE(std::llabs(probe.FrameInfo().PTS - middle), 40000);
}

TEST_F(ProbeTest, EveryPictureUpToTheEndThenEndOfFileUntilTheNextSeek) {
    const std::pair<const char*, int> clips[] = {
        {"rgb_g5.avi", 75},
        {"bframes.mp4", 25},  // the decoder holds pictures back until it is drained
    };
    for (const auto& [name, count] : clips) {
        SCOPED_TRACE(name);
        TAVProbe probe;
        ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QLatin1String(name))));
        int pictures = 0;
        std::int64_t last = -1;
        while (probe.Decode() && pictures < 1000) {
            EXPECT_GT(probe.FrameInfo().PTS, last);
            last = probe.FrameInfo().PTS;
            ++pictures;
        }
        EXPECT_EQ(pictures, count);
        EXPECT_EQ(last, (count - 1) * 40000);
        EXPECT_TRUE(probe.Eof());
        EXPECT_FALSE(probe.Decode());
        EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("stream eof reached."));
        ASSERT_TRUE(probe.Seek(0));
        EXPECT_FALSE(probe.Eof());
        ASSERT_TRUE(probe.Decode());
        EXPECT_EQ(probe.FrameInfo().PTS, 0);
    }
}

// Key frames every `gop` pictures at 25 per second.
struct GopClip {
    const char* name;
    int gop;
};

void PrintTo(const GopClip& c, std::ostream* os) { *os << c.name; }

class ProbeStepping : public ProbeTest, public ::testing::WithParamInterface<GopClip> {
protected:
    // Decodes picture n counting from the start.
    void GoTo(TAVProbe& probe, int n) {
        ASSERT_TRUE(probe.Seek(0));
        for (int i = 0; i <= n; ++i) ASSERT_TRUE(probe.Decode());
        ASSERT_EQ(probe.FrameInfo().PTS, n * 40000);
    }
};

TEST_P(ProbeStepping, PreviousAndNextFramesAndKeyFrames) {
    const int gop = GetParam().gop;
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QLatin1String(GetParam().name))));
    const int n = 3 * gop + 3;  // three pictures past a key frame

    GoTo(probe, n);
    ASSERT_TRUE(probe.DecodePreviousKeyFrame()) << probe.LastErrMsg().toStdString();
    EXPECT_EQ(probe.FrameInfo().PTS, 3 * gop * 40000);
    EXPECT_TRUE(probe.FrameInfo().IsKeyFrame);
    // From a key frame, the one before it.
    ASSERT_TRUE(probe.DecodePreviousKeyFrame());
    EXPECT_EQ(probe.FrameInfo().PTS, 2 * gop * 40000);

    GoTo(probe, n);
    ASSERT_TRUE(probe.DecodePreviousFrame()) << probe.LastErrMsg().toStdString();
    EXPECT_EQ(probe.FrameInfo().PTS, (n - 1) * 40000);
    ASSERT_TRUE(probe.DecodePreviousFrame());
    EXPECT_EQ(probe.FrameInfo().PTS, (n - 2) * 40000);

    GoTo(probe, 3 * gop);  // a key frame: the previous frame lies in the GOP before
    ASSERT_TRUE(probe.DecodePreviousFrame());
    EXPECT_EQ(probe.FrameInfo().PTS, (3 * gop - 1) * 40000);
    EXPECT_FALSE(probe.FrameInfo().IsKeyFrame);

    GoTo(probe, 1);
    ASSERT_TRUE(probe.DecodeNextKeyFrame());
    EXPECT_EQ(probe.FrameInfo().PTS, gop * 40000);
    EXPECT_TRUE(probe.FrameInfo().IsKeyFrame);

    // At the first picture the previous key frame is that picture again.
    GoTo(probe, 0);
    ASSERT_TRUE(probe.DecodePreviousKeyFrame());
    EXPECT_EQ(probe.FrameInfo().PTS, 0);
}

INSTANTIATE_TEST_SUITE_P(Clips, ProbeStepping,
                         ::testing::Values(GopClip{"gop10.mp4", 10}, GopClip{"rgb_g5.avi", 5}),
                         [](const auto& info) {
                             QString n = QLatin1String(info.param.name);
                             return n.replace(u'.', u'_').toStdString();
                         });

TEST_F(ProbeTest, PreviousKeyFrameSearchEndsWhereNoneIsFound) {
    // Cut into the first GOP: the first picture the decoder gives is the key
    // frame after the cut, later than the stream's start, and nothing before it decodes.
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/cut.ts");
    {
        QFile in(TestMedia::Path(QStringLiteral("h264_g25.ts")));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const qint64 cut = in.size() / 5 / 188 * 188;
        in.seek(cut);
        WriteFile(path, in.readAll());
    }
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(path)) << probe.LastErrMsg().toStdString();
    ASSERT_TRUE(probe.Decode());
    ASSERT_GT(probe.FrameInfo().PTS, 0);
    // A search that never ends is caught by the test's own time limit.
    EXPECT_FALSE(probe.DecodePreviousKeyFrame());
    EXPECT_TRUE(probe.LastErrMsg().startsWith(QStringLiteral("Could not seek to the previous key-frame. ")))
        << probe.LastErrMsg().toStdString();
    // The probe is still usable.
    ASSERT_TRUE(probe.Seek(0));
    EXPECT_TRUE(probe.Decode());
}

TEST_F(ProbeTest, DecodeChoosesAVideoStream) {
    TAVProbe probe;
    EXPECT_FALSE(probe.Decode());
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("file not loaded."));
    EXPECT_EQ(probe.Position(), -1);

    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("av.mp4"))));
    const std::pair<int, const char*> cases[] = {
        {1, "stream #1 is not video stream."},
        {7, "stream index #7 is invalid."},
    };
    for (const auto& [index, message] : cases) {
        EXPECT_FALSE(probe.Decode(index));
        EXPECT_EQ(probe.LastErrMsg(), QLatin1String(message));
    }
    EXPECT_TRUE(probe.Decode(0));

    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("a48.mp3"))));
    EXPECT_FALSE(probe.Decode());
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("no video stream."));
    // Seeking uses the audio stream's clock when there is no video.
    EXPECT_TRUE(probe.Seek(1000000));
}

TEST_F(ProbeTest, StillPictureDecodesOnceAndCannotSeek) {
    TAVProbe probe;
    ASSERT_TRUE(probe.LoadFile(TestMedia::Path(QStringLiteral("still.png")), QStringLiteral("image2")));
    EXPECT_EQ(probe.ForceFormat(), QStringLiteral("image2"));
    ASSERT_TRUE(probe.Decode());
    const std::int64_t pts = probe.FrameInfo().PTS;
    ASSERT_TRUE(probe.Decode());
    EXPECT_EQ(probe.FrameInfo().PTS, pts);
    QImage bmp;
    ASSERT_TRUE(probe.CopyToBitmap(bmp));
    EXPECT_EQ(bmp.size(), QSize(64, 48));
    ExpectColour(bmp.pixel(10, 10), 255, 0, 0);
    EXPECT_FALSE(probe.Seek(0));
    EXPECT_EQ(probe.LastErrMsg(), QStringLiteral("\"image2\" format cannot to be seeked."));
}

}  // namespace
