// Every distinct parameter set of the main window's profiles, attached the way
// the main window attaches a job, converted from a one-second clip through the
// queue, and the output probed for its container, codecs and picture size.
#include "tests/engine/queue/QueueTestSupport.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <map>

namespace {

// One parameter set; codes are the profiles that share it. -1 leaves a number
// unset; -1000 is the disc profiles' "not given" bit rate.
struct TProfile {
    const char* codes;
    const char* ext;
    const char* videoCodec;
    const char* videoTag;
    const char* frameSize;
    int videoBitrate;
    const char* frameRate;
    const char* aspect;
    const char* audioCodec;
    int channels;
    int audioBitrate;
    int sampleRate;
    bool noVideo;
    const char* target;
};

const TProfile kProfiles[] = {
    {"3000,3001,3002,3003,200,3215", ".mp3", "", "", "", -1, "", "", "libmp3lame", 2, 128000, 48000, true, ""},
    {"1100", ".mp4", "mpeg4", "", "320*240", 528000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1101,3201", ".mp4", "mpeg4", "", "", 768000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1102,1104", ".mp4", "libx264", "", "", 1200000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1103", ".mp4", "libx264", "", "320*240", 1200000, "25", "", "libfaac", 2, 128000, 44100, false, ""},
    {"201", ".wma", "", "", "", -1, "", "", "wmav2", 2, 128000, 48000, true, ""},
    {"202,3100,3101,3102,3103", ".wav", "", "", "", -1, "", "", "", 2, 128000, 48000, true, ""},
    {"203", ".aac", "", "", "", -1, "", "", "libfaac", 2, 128000, 48000, true, ""},
    {"204,211", ".m4a", "", "", "", -1, "", "", "", 2, 128000, 48000, true, ""},
    {"205", ".ogg", "", "", "", -1, "", "", "libvorbis", 2, 128000, 48000, true, ""},
    {"206", ".ra", "", "", "", -1, "", "", "", 2, 128000, 48000, true, ""},
    {"207", ".ac3", "", "", "", -1, "", "", "ac3", 2, 128000, 48000, true, ""},
    {"208", ".aiff", "", "", "", -1, "", "", "", 2, 128000, 48000, true, ""},
    {"209", ".mp2", "", "", "", -1, "", "", "", 2, 128000, 44100, true, ""},
    {"210", ".flac", "", "", "", -1, "", "", "flac", 2, 128000, 48000, true, ""},
    {"212", ".amr", "", "", "", -1, "", "", "libopencore_amrnb", 1, 7400, 8000, true, ""},
    {"2700", ".avi", "libx264", "", "1280*720", 1600000, "25", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"2701,2703", ".mp4", "libx264", "", "1280*720", 1600000, "25", "", "libmp3lame", 2, 256000, 48000, false, ""},
    {"2702,1701", ".mkv", "libx264", "", "1280*720", 1600000, "25", "", "libmp3lame", 2, 256000, 48000, false, ""},
    {"1600,1604,102", ".avi", "mpeg4", "DX50", "", 816000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1601", ".avi", "libx264", "", "1280*720", 1600000, "25", "", "libmp3lame", 2, 256000, 48000, false, ""},
    {"1602,1605,100", ".avi", "mpeg4", "XVID", "", 816000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1603,104", ".avi", "libxvid", "", "", 816000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1606", ".avi", "libxvid", "", "1280*720", 1600000, "25", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"1800,110", ".wmv", "wmv2", "", "", 816000, "25", "", "wmav2", 2, 128000, 44100, false, ""},
    {"1801,1806", ".wmv", "wmv2", "", "1280*720", 1600000, "30", "", "wmav2", 2, 128000, 48000, false, ""},
    {"1802", ".wmv", "wmv2", "", "320*240", 816000, "25", "", "wmav2", 2, 128000, 44100, false, ""},
    {"1803", ".wmv", "wmv2", "", "1024*768", 1000000, "25", "", "wmav2", 2, 128000, 44100, false, ""},
    {"1804", ".wmv", "wmv2", "", "", 728000, "25", "", "wmav2", 2, 128000, 44100, false, ""},
    {"1805", ".wmv", "wmv2", "", "320*240", 528000, "25", "", "wmav2", 2, 128000, 44100, false, ""},
    {"1700", ".mkv", "mpeg4", "", "", 816000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1702,1705,3206", ".mkv", "mpeg4", "XVID", "", 816000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1703", ".mkv", "libxvid", "", "", 816000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1704", ".mkv", "mpeg4", "DX50", "", 816000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"1706", ".mkv", "libxvid", "", "1280*720", 1600000, "25", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"101,1403", ".mp4", "mpeg4", "", "", 816000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"103", ".mov", "", "", "", 816000, "25", "", "libfaac", 2, 128000, 44100, false, ""},
    {"105", ".mkv", "mpeg4", "", "", 1200000, "25", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"106,1400,1401", ".mpg", "mpeg1video", "", "", 528000, "25", "", "", 2, 128000, 44100, false, ""},
    {"107,1402,1406,1407", ".mpg", "mpeg2video", "", "", 816000, "25", "", "", 2, 128000, 44100, false, ""},
    {"108,3211", ".asf", "msmpeg4", "", "", 816000, "25", "", "wmav2", 2, 128000, 44100, false, ""},
    {"109", ".3gp", "mpeg4", "", "176*144", 128000, "12", "4:3", "libfaac", 1, 12000, 8000, false, ""},
    {"111,1408", ".mpg", "", "", "", -1000, "", "", "", -1, -1000, -1, false, "dvd"},
    {"112,1409", ".mpg", "", "", "", -1000, "", "", "", -1, -1000, -1, false, "svcd"},
    {"113,1410", ".mpg", "", "", "", -1000, "", "", "", -1, -1000, -1, false, "vcd"},
    {"114", ".rm", "rv20", "", "320*240", -1, "", "", "", -1, -1, -1, false, ""},
    {"3200", ".avi", "libx264", "", "", 1000000, "25", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"3202,3214", ".mp4", "libxvid", "", "640*480", 768000, "25", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3203", ".mp4", "libx264", "", "800*600", 1500000, "29.97", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3204", ".avi", "mpeg4", "", "1024*768", 1200000, "30", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"3205", ".avi", "mpeg4", "", "", 1200000, "29.97", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"3207,1307", ".mov", "", "", "", 768000, "25", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3208", ".flv", "", "", "1280*720", 816000, "25", "", "libmp3lame", 2, 128000, 22050, false, ""},
    {"3209", ".3gp", "h263", "", "176*144", 128000, "12", "", "libfaac", 2, 48000, 32000, false, ""},
    {"3210", ".wmv", "wmv2", "", "", 600000, "25", "", "wmav2", 2, 128000, 44100, false, ""},
    {"3212,3306", ".mpg", "mpeg2video", "", "640*480", 600000, "25", "", "", 2, 128000, 44100, false, ""},
    {"3213", ".mpg", "mpeg2video", "", "800*600", 816000, "25", "", "", 2, 128000, 44100, false, ""},
    {"3300", ".avi", "libx264", "", "1280*720", 1600000, "29.97", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"3301", ".avi", "mpeg4", "", "", 816000, "25", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"3302", ".mp4", "mpeg4", "", "", 1200000, "", "16:9", "libfaac", 2, 128000, 48000, false, ""},
    {"3303", ".mp4", "mpeg4", "", "800*600", 1000000, "30", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3304", ".mp4", "libxvid", "", "1024*768", 1200000, "29.97", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3305", ".mp4", "libx264", "", "1280*720", 1500000, "29.97", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3307", ".mp4", "mpeg4", "", "", 1200000, "29.97", "16:9", "libfaac", 2, 128000, 48000, false, ""},
    {"3308", ".mkv", "libxvid", "", "", 1000000, "29.97", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"3309,3407", ".mov", "", "", "", 1200000, "29.97", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3310,3408", ".flv", "", "", "", 816000, "25", "", "libmp3lame", 2, 128000, 22050, false, ""},
    {"3311", ".wmv", "wmv2", "", "", 1200000, "29.97", "", "wmav2", 2, 128000, 44100, false, ""},
    {"3312", ".mp3", "", "", "", -1, "", "", "libmp3lame", 2, 128000, 44100, true, ""},
    {"3400", ".avi", "libx264", "", "", 1500000, "29.97", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"3401", ".mp4", "mpeg4", "", "3840*2160", 1200000, "30", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3402", ".mp4", "libxvid", "", "1920*1080", 1500000, "25", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3403", ".mp4", "libx264", "", "1280*720", 1800000, "29.97", "", "libfaac", 2, 128000, 48000, false, ""},
    {"3404", ".avi", "mpeg4", "", "1280*720", 1600000, "29.97", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"3405", ".avi", "libxvid", "", "3840*2160", 2500000, "", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"3406", ".mkv", "mpeg4", "XVID", "1280*720", 1200000, "29.97", "", "libmp3lame", 2, 128000, 44100, false, ""},
    {"3409", ".wmv", "wmv2", "", "", 1200000, "25", "", "wmav2", 2, 128000, 44100, false, ""},
    {"3410", ".mpg", "mpeg2video", "", "", 1200000, "25", "", "", 2, 128000, 44100, false, ""},
    {"3411", ".mp4", "libx264", "", "1920*1080", 2000000, "29.97", "", "libfaac", 2, 128000, 48000, false, ""},
    {"1200,1504", ".flv", "", "", "", 1200000, "25", "", "libmp3lame", 2, 128000, 22050, false, ""},
    {"1201,1500,1501,1502,1503", ".swf", "", "", "", 528000, "25", "", "libmp3lame", 2, 128000, 22050, false, ""},
    {"1202,1506", ".flv", "", "", "", -1, "", "", "libmp3lame", 2, 128000, 22050, true, ""},
    {"1203,1505", ".swf", "", "", "", -1, "", "", "libmp3lame", 2, 128000, 22050, true, ""},
    {"1300", ".mp4", "mpeg4", "", "", 1200000, "30", "", "libfaac", 2, 128000, 32000, false, ""},
    {"1301", ".mp4", "libx264", "", "720*480", 1200000, "30", "", "libfaac", 2, 128000, 44100, false, ""},
    {"1302", ".mp4", "libxvid", "", "", 1000000, "30", "", "libfaac", 2, 128000, 32000, false, ""},
    {"1303", ".mp4", "libx264", "", "1280*720", 1500000, "30", "", "libfaac", 2, 160000, 48000, false, ""},
    {"1304", ".mp4", "mpeg4", "", "", 1000000, "30", "", "libfaac", 2, 128000, 24000, false, ""},
    {"1305", ".mp4", "mpeg4", "", "", 1200000, "29.97", "", "libfaac", 2, 128000, 44100, false, ""},
    {"1306", ".mp4", "libx264", "", "1920*1080", 1500000, "30", "", "libfaac", 2, 160000, 48000, false, ""},
    {"1308", ".mov", "", "", "1280*720", 1200000, "29.97", "", "libfaac", 2, 128000, 48000, false, ""},
    {"1309", ".avi", "libxvid", "", "", 816000, "25", "", "libmp3lame", 2, 128000, 48000, false, ""},
    {"1310", ".avi", "mpeg4", "DX50", "1280*720", 1200000, "29.97", "", "libfaac", 2, 128000, 44100, false, ""},
    {"1404", ".mpg", "mpeg2video", "", "1280*720", 1600000, "25", "", "libfaac", 2, 128000, 48000, false, ""},
    {"1405", ".mp4", "mpeg4", "", "1280*720", 1600000, "25", "", "libmp3lame", 2, 128000, 48000, false, ""},
};

// The main window's translation of a job's fields into an output record.
TOutputOptions OutputRecord(const TProfile& p) {
    TOutputOptions o;
    InitOutputOptions(o);
    const QString vcodec = QLatin1String(p.videoCodec);
    if (!vcodec.isEmpty()) {
        o.VideoCodec = vcodec;
        if (vcodec == QLatin1String("libx264")) o.VideoPreset = QStringLiteral("libx264-default");
    }
    o.AudioCodec = QLatin1String(p.audioCodec);
    o.FrameRate = QLatin1String(p.frameRate);
    o.DisableVideo = p.noVideo;
    o.AudioChannels = p.channels;
    o.AudioSampleRate = p.sampleRate;
    o.FrameSize = QLatin1String(p.frameSize);
    const QString target = QLatin1String(p.target);
    o.TargetType = target == QLatin1String("vcd")    ? ttVCD
                   : target == QLatin1String("svcd") ? ttSVCD
                   : target == QLatin1String("dvd")  ? ttDVD
                                                     : ttIgnore;
    o.NormType = target.isEmpty() ? ntAuto : ntPAL;
    o.AudioVolume = 256;
    o.FrameAspectRatio = QLatin1String(p.aspect);
    if (p.audioBitrate != -1000) o.AudioBitrate = p.audioBitrate;
    o.VideoTag = QLatin1String(p.videoTag);
    if (p.videoBitrate != -1000) o.VideoBitrate = p.videoBitrate;
    return o;
}

// What the probe tool reports for a container, by extension.
const std::map<std::string, std::string> kContainers = {
    {".mp3", "mp3"},  {".mp2", "mp3"},   {".wma", "asf"},  {".asf", "asf"},  {".wmv", "asf"},
    {".wav", "wav"},  {".aac", "aac"},   {".m4a", "m4a"},  {".mp4", "mp4"},  {".mov", "mov"},
    {".3gp", "3gp"},  {".ogg", "ogg"},   {".ra", "rm"},    {".rm", "rm"},    {".ac3", "ac3"},
    {".aiff", "aiff"}, {".flac", "flac"}, {".avi", "avi"}, {".mkv", "matroska"}, {".mpg", "mpeg"},
    {".flv", "flv"},  {".swf", "swf"},
};

struct TExpected {
    std::string container, video, audio;  // video empty: no video stream
    int width = 0, height = 0;
};

// Names as the libraries give them for the codec an encoder writes; an empty
// encoder is the container's default.
std::string CodecNameOf(const char* AEncoder, const char* AExt, AVMediaType AType) {
    std::string encoder = AEncoder;
    if (encoder == "libfaac") return "aac";  // stands in for the encoder this build lacks
    if (!encoder.empty()) return ff::avcodec_get_name(ff::avcodec_find_encoder_by_name(encoder.c_str())->id);
    const AVOutputFormat* f = ff::av_guess_format(nullptr, (std::string("x") + AExt).c_str(), nullptr);
    return ff::avcodec_get_name(AType == AVMEDIA_TYPE_VIDEO ? f->video_codec : f->audio_codec);
}

TExpected Expected(const TProfile& p) {
    TExpected e;
    e.container = kContainers.at(p.ext);
    const std::string target = p.target;
    if (target == "dvd") return {e.container, "mpeg2video", "ac3", 720, 576};
    if (target == "svcd") return {e.container, "mpeg2video", "mp2", 480, 576};
    if (target == "vcd") return {e.container, "mpeg1video", "mp2", 352, 288};
    e.audio = CodecNameOf(p.audioCodec, p.ext, AVMEDIA_TYPE_AUDIO);
    if (p.noVideo) return e;
    e.video = CodecNameOf(p.videoCodec, p.ext, AVMEDIA_TYPE_VIDEO);
    e.width = 160;  // the clip's own size unless the profile gives one
    e.height = 120;
    if (*p.frameSize) sscanf(p.frameSize, "%d*%d", &e.width, &e.height);
    return e;
}

// The probe tool's view of a file: container and the first stream of each kind.
TExpected Probed(const QString& AFile, QString& AError) {
    QProcess p;
    p.start(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                                        QStringLiteral("format=format_name:stream=codec_type,codec_name,width,height"),
                                        QStringLiteral("-of"), QStringLiteral("json"), AFile});
    p.waitForFinished(60000);
    const QJsonObject root = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    AError = QString::fromLocal8Bit(p.readAllStandardError());
    TExpected got;
    got.container = root[QStringLiteral("format")][QStringLiteral("format_name")].toString().toStdString();
    for (const QJsonValue& v : root[QStringLiteral("streams")].toArray()) {
        const QJsonObject s = v.toObject();
        const QString type = s[QStringLiteral("codec_type")].toString();
        const std::string name = s[QStringLiteral("codec_name")].toString().toStdString();
        if (type == QLatin1String("video") && got.video.empty()) {
            got.video = name;
            got.width = s[QStringLiteral("width")].toInt();
            got.height = s[QStringLiteral("height")].toInt();
        } else if (type == QLatin1String("audio") && got.audio.empty()) {
            got.audio = name;
        }
    }
    return got;
}

class ProfileTest : public QueueTest {};

TEST_F(ProfileTest, EveryParameterSetConvertsToWhatItNames) {
    const QString clip = TestMedia::Path(QStringLiteral("av1s.avi"));
    ASSERT_FALSE(clip.isEmpty());
    TTrevalon q;
    std::vector<const TProfile*> rowOfTask;
    std::vector<QString> outputOfTask;
    for (const TProfile& p : kProfiles) {
        SCOPED_TRACE(p.codes);
        const int t = q.AddTask(clip);
        ASSERT_EQ(t, q.TasksCount() - 1) << q.LastErrMsg().toStdString();
        TOutputOptions out = OutputRecord(p);
        const QString file = Out(QStringLiteral("p%1%2").arg(QString::fromLatin1(p.codes).section(u',', 0, 0),
                                                              QLatin1String(p.ext)));
        const bool attached = q.SetOutputFile(t, file, &out);
        if (QLatin1String(p.audioCodec) == QLatin1String("libopencore_amrnb")) {
            // No AMR encoder in this build: the job cannot be added.
            EXPECT_FALSE(attached);
            EXPECT_TRUE(q.LastErrMsg().contains(QLatin1String("Unknown encoder 'libopencore_amrnb'")))
                << q.LastErrMsg().toStdString();
            q.RemoveTask(t);
            continue;
        }
        ASSERT_TRUE(attached) << q.LastErrMsg().toStdString();
        rowOfTask.push_back(&p);
        outputOfTask.push_back(file);
    }

    TReports r;
    r.Bind(q);
    q.Start(4);
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }, 1000000));
    const auto items = r.Snapshot();
    ASSERT_EQ(items.size(), rowOfTask.size() + 1);
    EXPECT_EQ(items.back().Info.TaskIndex, -1);
    for (size_t i = 0; i + 1 < items.size(); ++i) {
        const TTerminateInfo& info = items[i].Info;
        const TProfile& p = *rowOfTask.at(info.TaskIndex);
        SCOPED_TRACE(p.codes);
        if (std::string(p.codes) == "1404") {
            // AAC sound has no place in an MPEG program stream: the run says
            // so and leaves no output behind.
            EXPECT_FALSE(info.Finished);
            EXPECT_TRUE(info.Exception);
            EXPECT_TRUE(info.ExceptionMsg.startsWith(QLatin1String("Could not write header for output file #0")))
                << info.ExceptionMsg.toStdString();
            EXPECT_FALSE(QFileInfo::exists(outputOfTask[info.TaskIndex]));
            continue;
        }
        EXPECT_TRUE(info.Finished);
        EXPECT_FALSE(info.Exception) << info.ExceptionMsg.toStdString();
        QString error;
        const TExpected got = Probed(outputOfTask[info.TaskIndex], error);
        const TExpected want = Expected(p);
        EXPECT_NE(got.container.find(want.container), std::string::npos) << got.container << " " << error.toStdString();
        EXPECT_EQ(got.video, want.video);
        EXPECT_EQ(got.audio, want.audio);
        EXPECT_EQ(got.width, want.width);
        EXPECT_EQ(got.height, want.height);
    }
}

}  // namespace
