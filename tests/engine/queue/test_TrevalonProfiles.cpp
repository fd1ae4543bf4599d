// Every distinct parameter set of the main window's 140 profiles, taken the way
// the main window takes a job: the profile chosen with its option lists at
// their defaults, the add's output record, the row a new job keeps, and the
// record the start rebuilds from that row. Each set is converted from a
// one-second clip through the queue and the output probed for its container,
// codecs and picture size; a set the engine cannot take fails in its row with
// the engine's reason.
#include "tests/engine/queue/QueueTestSupport.h"

#include "app/jobs/JobFileNames.h"
#include "app/jobs/OutputName.h"
#include "app/jobs/JobRecords.h"
#include "app/jobs/JobState.h"
#include "app/jobs/ProfilePanel.h"
#include "app/profiles/ProfileTables.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <map>
#include <optional>

namespace {

// One parameter set: what the start hands the engine, and the profiles that
// give exactly that.
struct TParameterSet {
    std::vector<int> codes;
    TOutputOptions output;
    std::string ext;  // of the output name
    std::string Codes() const {
        std::string s;
        for (int c : codes) s += (s.empty() ? "" : ",") + std::to_string(c);
        return s;
    }
};

// The fields of a start record the engine reads, as one comparable text.
QString Key(const TOutputOptions& o, const QString& ext) {
    return QStringList{o.VideoCodec, o.VideoPreset, o.VideoTag, o.FrameSize, QString::number(o.VideoBitrate),
                       o.FrameRate, o.FrameAspectRatio, o.AudioCodec, QString::number(o.AudioChannels),
                       QString::number(o.AudioBitrate), QString::number(o.AudioSampleRate),
                       QString::number(o.DisableVideo), QString::number(o.TargetType), QString::number(o.NormType),
                       QString::number(o.AudioVolume), o.FileFormat, o.VideoFilters, ext}
        .join(u'|');
}

std::vector<TParameterSet> ParameterSets(const QString& AClip, const QString& AFolder) {
    std::vector<TParameterSet> sets;
    std::map<QString, size_t> byKey;
    int profiles = 0;
    for (int categoryRow = 0; categoryRow < profiles::CategoryRowCount; ++categoryRow) {
        const int count = static_cast<int>(profiles::ProfilesOfCategoryRow(categoryRow).size());
        for (int profileRow = 0; profileRow < count; ++profileRow, ++profiles) {
            jobs::TProfilePanel panel(AFolder);
            panel.SetCategoryIndex(categoryRow);
            panel.SetProfileIndex(profileRow);
            panel.Fields().Video_AddFileName = AClip;
            panel.ComputeParameters();
            panel.ConfirmOptions();
            jobs::TJobRecord record;
            InitInputOptions(record.Input);
            record.Output = jobs::OutputOptionsFromFields(panel.Fields());
            record.Output.FileName = panel.Fields().Video_OutPutFileName;  // as attaching leaves it
            const jobs::TJobRow row = jobs::NewJobRow({AClip, 1000000, 1, profiles}, record.Output, panel);
            const jobs::TJobStart start = jobs::StartRecords(row, record, AFolder);
            const QString ext = jobs::FileExtension(start.OutputPath);
            const QString key = Key(start.Output, ext);
            auto [it, added] = byKey.emplace(key, sets.size());
            if (added) sets.push_back({{}, start.Output, ext.toStdString()});
            sets[it->second].codes.push_back(panel.ProfileCode());
        }
    }
    EXPECT_EQ(profiles, profiles::ProfileCount);
    return sets;
}

// What the probe tool reports for a container, by extension.
const std::map<std::string, std::string> kContainers = {
    {".mp3", "mp3"},  {".mp2", "mp3"},   {".wma", "asf"},  {".asf", "asf"},  {".wmv", "asf"},
    {".wav", "wav"},  {".aac", "aac"},   {".m4a", "m4a"},  {".mp4", "mp4"},  {".mov", "mov"},
    {".3gp", "3gp"},  {".ogg", "ogg"},   {".ra", "rm"},    {".rm", "rm"},    {".ac3", "ac3"},
    {".aiff", "aiff"}, {".flac", "flac"}, {".avi", "avi"}, {".mkv", "matroska"}, {".mpg", "mpeg"},
    {".flv", "flv"},  {".swf", "swf"},   {".amr", "amr"},
};

struct TExpected {
    std::string container, video, audio;  // video empty: no video stream
    int width = 0, height = 0;
};

// Names as the libraries give them for the codec an encoder writes; an empty
// encoder is the container's default.
std::string CodecNameOf(const QString& AEncoder, const std::string& AExt, AVMediaType AType) {
    const std::string encoder = AEncoder.toStdString();
    if (encoder == "libfaac") return "aac";  // stands in for the encoder this build lacks
    if (!encoder.empty()) return ff::avcodec_get_name(ff::avcodec_find_encoder_by_name(encoder.c_str())->id);
    const AVOutputFormat* f = ff::av_guess_format(nullptr, ("x" + AExt).c_str(), nullptr);
    return ff::avcodec_get_name(AType == AVMEDIA_TYPE_VIDEO ? f->video_codec : f->audio_codec);
}

TExpected Expected(const TParameterSet& p) {
    const TOutputOptions& o = p.output;
    TExpected e;
    e.container = kContainers.at(p.ext);
    if (o.TargetType == ttDVD) e = {e.container, "mpeg2video", "ac3", 720, 576};
    else if (o.TargetType == ttSVCD) e = {e.container, "mpeg2video", "mp2", 480, 576};
    else if (o.TargetType == ttVCD) e = {e.container, "mpeg1video", "mp2", 352, 288};
    if (o.TargetType == ttIgnore) {
        e.audio = CodecNameOf(o.AudioCodec, p.ext, AVMEDIA_TYPE_AUDIO);
        if (o.DisableVideo) return e;
        e.video = CodecNameOf(o.VideoCodec, p.ext, AVMEDIA_TYPE_VIDEO);
        e.width = 160;  // the clip's own size unless the job gives one
        e.height = 120;
    }
    // A frame size the job gives wins over a disc's own, as the option list
    // shows it.
    if (!o.FrameSize.isEmpty()) sscanf(o.FrameSize.toLatin1().constData(), "%d*%d", &e.width, &e.height);
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
    const std::vector<TParameterSet> sets = ParameterSets(clip, Out(QString()));
    TTrevalon q;
    std::vector<const TParameterSet*> setOfTask;
    std::vector<QString> outputOfTask;
    std::vector<QString> refusalOfTask;
    for (const TParameterSet& p : sets) {
        SCOPED_TRACE(p.Codes());
        const int t = q.AddTask(clip);
        ASSERT_EQ(t, q.TasksCount() - 1) << q.LastErrMsg().toStdString();
        TOutputOptions out = p.output;
        const QString file = Out(QStringLiteral("p%1%2").arg(p.codes.front()).arg(QString::fromStdString(p.ext)));
        const bool attached = q.SetOutputFile(t, file, &out);
        QString refusal;
        if (p.output.AudioCodec == QLatin1String("libopencore_amrnb")) {
            // No AMR encoder in this build: the job keeps its task, without
            // output, and its row says why.
            EXPECT_FALSE(attached);
            EXPECT_TRUE(q.LastErrMsg().contains(QLatin1String("Unknown encoder 'libopencore_amrnb'")))
                << q.LastErrMsg().toStdString();
            jobs::TJobRow row;
            jobs::TJobRecord record;
            jobs::NoteRefusal(row, record, q.LastErrMsg());
            EXPECT_EQ(row[jobs::siProgress], jobs::FailedText(q.LastErrMsg()));
            refusal = record.Refusal;
        } else {
            ASSERT_TRUE(attached) << q.LastErrMsg().toStdString();
        }
        setOfTask.push_back(&p);
        outputOfTask.push_back(file);
        refusalOfTask.push_back(refusal);
    }

    TReports r;
    r.Bind(q);
    q.Start(4);
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }, 1000000));
    const auto items = r.Snapshot();
    ASSERT_EQ(items.size(), setOfTask.size() + 1);
    EXPECT_EQ(items.back().Info.TaskIndex, -1);
    for (size_t i = 0; i + 1 < items.size(); ++i) {
        const TTerminateInfo& info = items[i].Info;
        const TParameterSet& p = *setOfTask.at(info.TaskIndex);
        SCOPED_TRACE(p.Codes());
        const jobs::TTaskEnd end = jobs::TaskEnd(info, refusalOfTask.at(info.TaskIndex));
        if (!refusalOfTask.at(info.TaskIndex).isEmpty()) {
            // The task without output fails, and its row gives the refusal's reason.
            EXPECT_TRUE(info.Exception);
            EXPECT_EQ(end.ProgressText, std::optional(jobs::FailedText(refusalOfTask.at(info.TaskIndex))));
            EXPECT_EQ(end.Warning, std::optional(refusalOfTask.at(info.TaskIndex)));
            continue;
        }
        if (p.codes == std::vector<int>{1404}) {
            // AAC sound has no place in an MPEG program stream: the run says
            // so, with the muxer's own reason, and leaves no output behind.
            EXPECT_FALSE(info.Finished);
            EXPECT_TRUE(info.Exception);
            EXPECT_TRUE(info.ExceptionMsg.startsWith(QLatin1String("Could not write header for output file #0")))
                << info.ExceptionMsg.toStdString();
            EXPECT_TRUE(info.ExceptionMsg.contains(QLatin1String("Must be one of mp1, mp2, mp3, ")))
                << info.ExceptionMsg.toStdString();
            EXPECT_EQ(end.ProgressText, std::optional(jobs::FailedText(info.ExceptionMsg)));
            EXPECT_FALSE(QFileInfo::exists(outputOfTask[info.TaskIndex]));
            continue;
        }
        EXPECT_EQ(end.ProgressText, std::optional(QStringLiteral("100%")));
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

// The sets the start hands the engine: profiles that differ only in their
// titles and descriptions share one.
TEST(ProfileSets, EqualSetsMerge) {
    const std::vector<TParameterSet> sets = ParameterSets(QStringLiteral("/src/clip.avi"), QStringLiteral("/out"));
    size_t codes = 0;
    std::map<int, const TParameterSet*> setOf;
    for (const TParameterSet& p : sets) {
        codes += p.codes.size();
        for (int c : p.codes) setOf[c] = &p;
    }
    EXPECT_EQ(codes, 140u);
    EXPECT_LT(sets.size(), 140u);
    // The four MP3 quality profiles encode with the bit rates their lists
    // show, so they differ; the disc profiles of two categories are alike.
    EXPECT_NE(setOf[3000], setOf[3003]);
    EXPECT_EQ(setOf[3000]->output.AudioBitrate, 192000);
    EXPECT_EQ(setOf[111], setOf[1408]);
    EXPECT_NE(setOf[111], setOf[112]);
    // 3200 names ".mp4" in its title, and a kept row takes the title's.
    EXPECT_EQ(setOf[3200]->ext, ".mp4");
    // A VCD runs at its standard's rate, the one its list shows.
    EXPECT_EQ(setOf[113]->output.VideoBitrate, 1150000);
}

}  // namespace
