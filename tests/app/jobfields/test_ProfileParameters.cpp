// A profile's parameters into the job fields and the selected row's columns.
#include "app/jobs/ProfileParameters.h"
#include "app/profiles/ProfileTables.h"
#include "tests/app/jobfields/JobPrinters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <vector>

using namespace jobs;

namespace {

struct TRuleCall {
    QString wanted, input;
    const TJobRow* row;
};

TJobFields Compute(int code, const QString& input = QStringLiteral("/src/clip.avi"),
                   const QString& folder = QStringLiteral("/out")) {
    TJobFields f;
    f.Video_AddFileName = input;
    ComputeProfileFields(code, folder, nullptr, f);
    return f;
}

TJobRow Columns(int code) {
    TJobRow row;
    for (QString& s : row.SubItems) s = QStringLiteral("old");
    WriteParameterColumns(Compute(code), row);
    return row;
}

TEST(ProfileParameters, OutputPathGoesThroughTheRule) {
    std::vector<TRuleCall> calls;
    TJobFields f;
    f.Video_AddFileName = QStringLiteral("/src/movie.part1.avi");
    ComputeProfileFields(101, QStringLiteral("/out"),
                         [&](const QString& wanted, const QString& input, const TJobRow* row) {
                             calls.push_back({wanted, input, row});
                             return QStringLiteral("/out/movie.part1_1.mp4");
                         },
                         f);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].wanted, QStringLiteral("/out/movie.part1.mp4"));
    EXPECT_EQ(calls[0].input, QStringLiteral("/src/movie.part1.avi"));
    EXPECT_EQ(calls[0].row, nullptr);
    EXPECT_EQ(f.Video_OutPutFileName, QStringLiteral("/out/movie.part1_1.mp4"));
    EXPECT_EQ(f.All_Trant_Number, 101);

    // Folder text as it stands; an input without extension gets one.
    EXPECT_EQ(Compute(100, QStringLiteral("/src/clip"), QStringLiteral("/out/")).Video_OutPutFileName,
              QStringLiteral("/out//clip.avi"));
    EXPECT_EQ(Compute(100, QStringLiteral("/src/clip.avi"), QString()).Video_OutPutFileName,
              QStringLiteral("/clip.avi"));
    // The name extension, not the field's: 206 and 3200.
    const TJobFields ra = Compute(206);
    EXPECT_EQ(ra.Video_OutPutFileName, QStringLiteral("/out/clip.ra"));
    EXPECT_EQ(ra.Video_FileExt, QStringLiteral(".rm"));
    EXPECT_EQ(Compute(3200).Video_OutPutFileName, QStringLiteral("/out/clip.avi"));
}

TEST(ProfileParameters, OutputNameRuleOverAFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile existing(dir.filePath(QStringLiteral("clip.avi")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    bool overwrite = false;
    TJobRow self;
    self[siOutputName] = QStringLiteral("clip_2.avi");
    const TJobRow* asked = nullptr;
    const TFreeOutputName rule = OutputNameRule([&] { return overwrite; }, [&](const TJobRow* row) {
        asked = row;
        return row == &self ? QStringList{QStringLiteral("clip_1.avi")}
                            : QStringList{QStringLiteral("clip_1.avi"), QStringLiteral("clip_2.avi")};
    });
    TJobFields f;
    f.Video_AddFileName = QStringLiteral("/src/clip.mkv");
    ComputeProfileFields(100, dir.path(), rule, f);
    EXPECT_EQ(f.Video_OutPutFileName, dir.path() + QStringLiteral("/clip_3.avi"));
    EXPECT_EQ(asked, nullptr);
    // A row's own name does not count against it.
    EXPECT_EQ(rule(dir.path() + QStringLiteral("/clip.avi"), QStringLiteral("/src/clip.mkv"), &self),
              dir.path() + QStringLiteral("/clip_2.avi"));
    overwrite = true;
    EXPECT_EQ(rule(dir.path() + QStringLiteral("/clip.avi"), QStringLiteral("/src/clip.mkv"), &self),
              dir.path() + QStringLiteral("/clip.avi"));
}

TEST(ProfileParameters, CodeWithoutEntryLeavesTheResetAndTheBareFolder) {
    TJobFields f;
    f.Video_AddFileName = QStringLiteral("/src/clip.avi");
    f.Video_VideoCodec = QStringLiteral("left over");
    f.Video_DisableVideo = true;
    const int code = profiles::ProfileCode(8, -1);
    ComputeProfileFields(code, QStringLiteral("/out"), nullptr, f);
    EXPECT_EQ(f.All_Trant_Number, code);
    EXPECT_EQ(f.Video_OutPutFileName, QStringLiteral("/out/"));
    EXPECT_EQ(f.Video_VideoCodec, QString());
    EXPECT_FALSE(f.Video_DisableVideo);
    EXPECT_EQ(f.Video_AudioVolume, QStringLiteral("256"));
}

TEST(ProfileParameters, AudioOnlyProfilesWriteNoVideo) {
    int audioOnly = 0;
    for (const profiles::TProfileParams& p : profiles::ProfileParamsTable()) {
        if (!p.DisableVideo) continue;
        ++audioOnly;
        SCOPED_TRACE(p.Code);
        const TJobRow row = Columns(p.Code);
        EXPECT_EQ(row[siVideoBitrate], QStringLiteral("-1"));
        EXPECT_EQ(row[siDisableVideo], QStringLiteral("True"));
        for (TJobSubItem i : {siVideoCodec, siVideoTag, siFrameSize, siFrameRate, siAspect})
            EXPECT_EQ(row[i], QString()) << i;
        EXPECT_EQ(row[siAudioBitrate], QString::number(p.AudioBitrate));
        EXPECT_EQ(row[siOutputName], QStringLiteral("old"));  // not a parameter column
    }
    EXPECT_EQ(audioOnly, 27);
}

TEST(ProfileParameters, DiscTargetAndRealVideoColumns) {
    struct Case {
        int code;
        std::vector<std::pair<TJobSubItem, const char*>> set;  // every other parameter column is empty
    } cases[] = {
        {111, {{siVideoBitrate, "-1000"}, {siAudioBitrate, "-1000"}, {siDisableVideo, "False"},
               {siTargetType, "dvd"}, {siNormType, "PAL"}}},
        {1410, {{siVideoBitrate, "-1000"}, {siAudioBitrate, "-1000"}, {siDisableVideo, "False"},
                {siTargetType, "vcd"}, {siNormType, "PAL"}}},
        {114, {{siVideoCodec, "rv20"}, {siFrameSize, "320*240"}, {siVideoBitrate, "-1"}, {siAudioBitrate, "-1"},
               {siDisableVideo, "False"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const TJobRow row = Columns(c.code);
        for (int i = siVideoCodec; i <= siNormType; ++i) {
            QString want;
            for (const auto& [column, text] : c.set)
                if (column == i) want = QString::fromUtf8(text);
            EXPECT_EQ(row.SubItems[i], want) << i;
        }
    }
}

TEST(ProfileParameters, EveryFieldOfOneEntry) {
    const TJobFields f = Compute(109);
    EXPECT_EQ(f.Video_VideoCodec, QStringLiteral("mpeg4"));
    EXPECT_EQ(f.Video_FrameSize, QStringLiteral("176*144"));
    EXPECT_EQ(f.Video_VideoBitrate, 128000);
    EXPECT_EQ(f.Video_FrameRate, QStringLiteral("12"));
    EXPECT_EQ(f.Video_FrameAspectRatio, QStringLiteral("4:3"));
    EXPECT_EQ(f.Video_AudioCodec, QStringLiteral("libfaac"));
    EXPECT_EQ(f.Video_AudioChannels, QStringLiteral("1"));
    EXPECT_EQ(f.Video_AudioBitrate, 12000);
    EXPECT_EQ(f.Video_AudioSampleRate, QStringLiteral("8000"));
    EXPECT_EQ(f.Video_FileExt, QStringLiteral(".3gp"));
    EXPECT_FALSE(f.Video_DisableVideo);
    EXPECT_EQ(f.Video_AudioVolume, QStringLiteral("256"));
    EXPECT_EQ(f.Video_TimeStart, -1);
    EXPECT_EQ(f.Video_FileFormat, QString());
}

}  // namespace
