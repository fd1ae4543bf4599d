// The settings dialog's parameter rows applied to the job fields: value, written
// empty or untouched per cell, no reset first, and the output-exists rule.
#include "app/legacy/LegacyParameters.h"
#include "tests/app/legacy/LegacyPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <set>
#include <vector>

using namespace legacy;

namespace {

const QString kFolder = QStringLiteral("/media/out");

// Fields as a previous writer might have left them: every text and number set,
// so a test can tell a field left untouched from one written.
VideoFields Sentinel() {
    VideoFields f;
    f.All_Trant_Number = 7;
    f.Video_AddFileName = QStringLiteral("/media/in/clip.mkv");
    f.Video_OutPutFileName = QStringLiteral("old-name");
    f.Video_FileExt = QStringLiteral("old-ext");
    f.Video_VideoCodec = QStringLiteral("old-vcodec");
    f.Video_VideoTag = QStringLiteral("old-tag");
    f.Video_FrameRate = QStringLiteral("old-rate");
    f.Video_FrameAspectRatio = QStringLiteral("old-aspect");
    f.Video_FrameSize = QStringLiteral("old-size");
    f.Video_VideoBitrate = 11;
    f.Video_VideoFilters = QStringLiteral("old-filters");
    f.Video_AudioCodec = QStringLiteral("old-acodec");
    f.Video_AudioChannels = QStringLiteral("old-channels");
    f.Video_AudioSampleRate = QStringLiteral("old-samplerate");
    f.Video_AudioVolume = QStringLiteral("old-volume");
    f.Video_AudioBitrate = 22;
    f.Video_NormType = QStringLiteral("old-norm");
    f.Video_TargetType = QStringLiteral("old-target");
    f.Video_FileFormat = QStringLiteral("old-format");
    f.Video_CopyTimestamp = QStringLiteral("old-copyts");
    f.Video_TimeStart = 33;
    f.Video_TimeLength = 44;
    f.Video_DisableVideo = true;
    return f;
}

// Applies codes one after the other, nothing existing on disk.
VideoFields Apply(std::vector<int> codes, VideoFields f = Sentinel()) {
    for (int code : codes) ComputeParameters(code, kFolder, false, f, [](const QString&) { return false; });
    return f;
}

std::vector<int> CatalogueCodes() {
    std::vector<int> codes;
    for (int row = 0; row < static_cast<int>(Categories().size()); ++row)
        for (int p = 0; p < static_cast<int>(ProfilesOf(row).size()); ++p) codes.push_back(ProfileCode(row, p));
    return codes;
}

}  // namespace

TEST(LegacyParameterTable, OneRowPerCatalogueCodeWithTheAudioOnlyMarksOfThePresets) {
    std::vector<int> codes;
    for (const ParameterRow& row : ParameterRows()) {
        codes.push_back(row.code);
        ASSERT_NE(FindPreset(row.code), nullptr) << row.code;
        EXPECT_EQ(row.audioOnly, FindPreset(row.code)->audioOnly) << row.code;
        EXPECT_EQ(row.fileFormat.state, CellState::Empty) << row.code;
    }
    EXPECT_EQ(codes, CatalogueCodes());
    for (int code : {99, 115, 213, 1204}) EXPECT_EQ(FindParameterRow(code), nullptr) << code;
}

// The cells outside the main columns, row by row.
TEST(LegacyParameterTable, SharedFieldsLeftUntouchedOnlyWhereTheRowsSaySo) {
    const std::set<int> discs = {111, 112, 113};
    const std::set<int> audioOnly = {200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 708, 1202, 1203};
    for (const ParameterRow& row : ParameterRows()) {
        SCOPED_TRACE(row.code);
        const bool disc = discs.count(row.code) > 0;
        EXPECT_EQ(row.targetType.state == CellState::Untouched, row.code >= 403 && row.code <= 406);
        EXPECT_EQ(row.normType.state == CellState::Value, disc);
        EXPECT_EQ(row.copyTimestamp.state == CellState::Untouched, disc);
        EXPECT_EQ(row.audioVolume.state == CellState::Untouched, row.code == 114);
        EXPECT_EQ(row.videoFilters.state == CellState::Untouched,
                  (row.code >= 111 && row.code <= 114) || audioOnly.count(row.code) > 0);
        EXPECT_EQ(row.fileExt.state == CellState::Untouched,
                  (row.code >= 111 && row.code <= 114) || row.code == 1202 || row.code == 1203);
        if (row.audioVolume.state == CellState::Value) {
            EXPECT_STREQ(row.audioVolume.value, "256");
        }
    }
}

TEST(LegacyParameters, Code100WritesItsWholeRow) {
    const VideoFields f = Apply({100});
    EXPECT_EQ(f.All_Trant_Number, 100);
    EXPECT_EQ(f.Video_OutPutFileName, QStringLiteral("/media/out/clip.avi"));
    EXPECT_EQ(f.Video_FileExt, QStringLiteral(".avi"));
    EXPECT_EQ(f.Video_VideoCodec, QStringLiteral("mpeg4"));
    EXPECT_EQ(f.Video_VideoTag, QStringLiteral("XVID"));
    EXPECT_EQ(f.Video_FrameRate, QStringLiteral("25"));
    EXPECT_EQ(f.Video_FrameAspectRatio, QString());
    EXPECT_EQ(f.Video_FrameSize, QString());
    EXPECT_EQ(f.Video_VideoBitrate, 816000);
    EXPECT_EQ(f.Video_VideoFilters, QString());
    EXPECT_EQ(f.Video_AudioCodec, QStringLiteral("libmp3lame"));
    EXPECT_EQ(f.Video_AudioChannels, QStringLiteral("2"));
    EXPECT_EQ(f.Video_AudioSampleRate, QStringLiteral("44100"));
    EXPECT_EQ(f.Video_AudioVolume, QStringLiteral("256"));
    EXPECT_EQ(f.Video_AudioBitrate, 128000);
    EXPECT_EQ(f.Video_NormType, QString());
    EXPECT_EQ(f.Video_TargetType, QString());
    EXPECT_EQ(f.Video_FileFormat, QString());
    EXPECT_EQ(f.Video_CopyTimestamp, QString());
    EXPECT_FALSE(f.Video_DisableVideo);
    // Not the row's business.
    EXPECT_EQ(f.Video_AddFileName, QStringLiteral("/media/in/clip.mkv"));
    EXPECT_EQ(f.Video_TimeStart, 33);
    EXPECT_EQ(f.Video_TimeLength, 44);
}

TEST(LegacyParameters, AudioOnly200LeavesTheVideoFields) {
    const VideoFields before = Sentinel();
    const VideoFields f = Apply({200});
    EXPECT_TRUE(f.Video_DisableVideo);
    EXPECT_EQ(f.Video_OutPutFileName, QStringLiteral("/media/out/clip.mp3"));
    EXPECT_EQ(f.Video_FileExt, QStringLiteral(".mp3"));
    EXPECT_EQ(f.Video_VideoCodec, before.Video_VideoCodec);
    EXPECT_EQ(f.Video_VideoTag, before.Video_VideoTag);
    EXPECT_EQ(f.Video_FrameRate, before.Video_FrameRate);
    EXPECT_EQ(f.Video_FrameAspectRatio, before.Video_FrameAspectRatio);
    EXPECT_EQ(f.Video_FrameSize, before.Video_FrameSize);
    EXPECT_EQ(f.Video_VideoBitrate, before.Video_VideoBitrate);
    EXPECT_EQ(f.Video_VideoFilters, before.Video_VideoFilters);
    EXPECT_EQ(f.Video_AudioCodec, QStringLiteral("libmp3lame"));
    EXPECT_EQ(f.Video_AudioSampleRate, QStringLiteral("48000"));
    EXPECT_EQ(f.Video_AudioBitrate, 128000);
    EXPECT_EQ(f.Video_TargetType, QString());
}

TEST(LegacyParameters, VideoRowAfterAudioOnlyClearsTheNoVideoFlag) {
    EXPECT_FALSE(Apply({200, 100}).Video_DisableVideo);
}

TEST(LegacyParameters, DiscTargetThen403KeepsTheTargetAndEmptiesTheNorm) {
    const VideoFields disc = Apply({111});
    EXPECT_EQ(disc.Video_TargetType, QStringLiteral("dvd"));
    EXPECT_EQ(disc.Video_NormType, QStringLiteral("PAL"));
    EXPECT_EQ(disc.Video_VideoBitrate, -1000);
    EXPECT_EQ(disc.Video_AudioBitrate, -1000);
    EXPECT_EQ(disc.Video_FileExt, QStringLiteral("old-ext"));
    EXPECT_EQ(disc.Video_CopyTimestamp, QStringLiteral("old-copyts"));
    EXPECT_EQ(disc.Video_OutPutFileName, QStringLiteral("/media/out/clip.mpg"));

    const VideoFields f = Apply({111, 403});
    EXPECT_EQ(f.Video_TargetType, QStringLiteral("dvd"));
    EXPECT_EQ(f.Video_NormType, QString());
    EXPECT_EQ(f.Video_VideoCodec, QStringLiteral("libxvid"));
    EXPECT_EQ(f.Video_FrameSize, QStringLiteral("640*480"));
}

TEST(LegacyParameters, Row114After100OnlyChangesCodecSizeAndName) {
    const VideoFields f = Apply({100, 114});
    EXPECT_EQ(f.All_Trant_Number, 114);
    EXPECT_EQ(f.Video_OutPutFileName, QStringLiteral("/media/out/clip.rm"));
    EXPECT_EQ(f.Video_FileExt, QStringLiteral(".avi"));
    EXPECT_EQ(f.Video_VideoCodec, QStringLiteral("rv20"));
    EXPECT_EQ(f.Video_FrameSize, QStringLiteral("320*240"));
    EXPECT_EQ(f.Video_VideoTag, QStringLiteral("XVID"));
    EXPECT_EQ(f.Video_FrameRate, QStringLiteral("25"));
    EXPECT_EQ(f.Video_VideoBitrate, 816000);
    EXPECT_EQ(f.Video_AudioCodec, QStringLiteral("libmp3lame"));
    EXPECT_EQ(f.Video_AudioChannels, QStringLiteral("2"));
    EXPECT_EQ(f.Video_AudioSampleRate, QStringLiteral("44100"));
    EXPECT_EQ(f.Video_AudioBitrate, 128000);
    EXPECT_EQ(f.Video_AudioVolume, QStringLiteral("256"));
}

// Rows checked field by field, oddities among them.
TEST(LegacyParameters, RowsWriteTheirOwnValues) {
    struct Case {
        int code;
        const char* name;  // output name for the input clip.mkv
        const char* fileExt;
        const char* videoCodec;
        const char* frameSize;
        std::int32_t videoBitrate;
        const char* audioCodec;
        const char* sampleRate;
        std::int32_t audioBitrate;
    };
    // Untouched cells keep the sentinel: "old-..." texts, 11 and 22.
    const Case cases[] = {
        {109, "clip.3gp", ".3gp", "mpeg4", "176*144", 128000, "libfaac", "8000", 12000},
        {206, "clip.ra", ".rm", "old-vcodec", "old-size", 11, "", "48000", 128000},
        {211, "clip.m4a", ".alac", "old-vcodec", "old-size", 11, "alac", "48000", 128000},
        {212, "clip.amr", ".amr", "old-vcodec", "old-size", 11, "libopencore_amrnb", "8000", 7400},
        {306, "clip.wmv", ".asf", "wmv2", "1280*720", 1600000, "wmav2", "48000", 128000},
        {408, "clip.mp4", ".mp4", "libxvid", "640*480", 7680000, "libfaac", "48000", 128000},
        {409, "clip.mp4", ".mp4", "libx264", "640*480", 1200000, "libfaac", "48000", 128000},
        {413, "clip.mp4", ".mp4", "libxvid", "480*320", 1000000, "libfaac", "48000", 128000},
        {700, "clip.3gp", ".3gp", "h263", "176*144", 128000, "libamr_nb", "8000", 12000},
        {702, "clip.3gp", ".3gp", "mpeg4", "176*144", 128000, "libamr_nb", "8000", 12000},
        {704, "clip.3gp", ".3gp", "mpeg4", "176*144", 128000, "libamr_nb", "8000", 10200},
        {708, "clip.amr", ".amr", "old-vcodec", "old-size", 11, "libopencore_amrnb", "8000", 7400},
        {901, "clip.mpeg", ".mpeg", "mpeg2video", "1280*720", 1200000, "ac3", "48000", 192000},
        {909, "clip.mp4", ".mp4", "msmpeg4v1", "1280*720", 1200000, "libmp3lame", "48000", 128000},
        {1202, "clip.flv", "old-ext", "old-vcodec", "old-size", 11, "libmp3lame", "22050", 128000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const VideoFields f = Apply({c.code});
        EXPECT_EQ(f.All_Trant_Number, c.code);
        EXPECT_EQ(f.Video_OutPutFileName, kFolder + QLatin1Char('/') + QString::fromUtf8(c.name));
        EXPECT_EQ(f.Video_FileExt, QString::fromUtf8(c.fileExt));
        EXPECT_EQ(f.Video_VideoCodec, QString::fromUtf8(c.videoCodec));
        EXPECT_EQ(f.Video_FrameSize, QString::fromUtf8(c.frameSize));
        EXPECT_EQ(f.Video_VideoBitrate, c.videoBitrate);
        EXPECT_EQ(f.Video_AudioCodec, QString::fromUtf8(c.audioCodec));
        EXPECT_EQ(f.Video_AudioSampleRate, QString::fromUtf8(c.sampleRate));
        EXPECT_EQ(f.Video_AudioBitrate, c.audioBitrate);
    }
}

TEST(LegacyParameters, CodeWithoutRowWritesOnlyTheCodeAndTheFlag) {
    VideoFields before = Sentinel();
    before.Video_OutPutFileName = QStringLiteral("/elsewhere/held.mp4");
    const VideoFields f = Apply({99}, before);
    EXPECT_EQ(f.All_Trant_Number, 99);
    EXPECT_FALSE(f.Video_DisableVideo);
    EXPECT_EQ(f.Video_FileExt, before.Video_FileExt);
    EXPECT_EQ(f.Video_VideoCodec, before.Video_VideoCodec);
    EXPECT_EQ(f.Video_AudioBitrate, before.Video_AudioBitrate);
    // The held name moves into the current folder.
    EXPECT_EQ(f.Video_OutPutFileName, QStringLiteral("/media/out/held.mp4"));

    before.Video_OutPutFileName.clear();
    EXPECT_EQ(Apply({99}, before).Video_OutPutFileName, QStringLiteral("/media/out/"));
}

TEST(LegacyParameters, ResetGivesEveryFieldItsResetValue) {
    VideoFields f = Sentinel();
    ResetVideoFields(f);
    EXPECT_EQ(f.All_Trant_Number, 7);
    EXPECT_EQ(f.Video_AddFileName, QStringLiteral("/media/in/clip.mkv"));
    for (const QString* field : {&f.Video_OutPutFileName, &f.Video_FileExt, &f.Video_VideoCodec, &f.Video_VideoTag,
                                 &f.Video_FrameRate, &f.Video_FrameAspectRatio, &f.Video_FrameSize,
                                 &f.Video_VideoFilters, &f.Video_AudioCodec, &f.Video_AudioChannels,
                                 &f.Video_AudioSampleRate, &f.Video_NormType, &f.Video_TargetType,
                                 &f.Video_FileFormat, &f.Video_CopyTimestamp})
        EXPECT_EQ(*field, QString());
    EXPECT_EQ(f.Video_AudioVolume, QStringLiteral("256"));
    EXPECT_EQ(f.Video_VideoBitrate, -1);
    EXPECT_EQ(f.Video_AudioBitrate, -1);
    EXPECT_EQ(f.Video_TimeStart, -1);
    EXPECT_EQ(f.Video_TimeLength, -1);
    EXPECT_FALSE(f.Video_DisableVideo);
}

// The output-exists rule against a real folder.
class LegacyOutputName : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Folder() const { return dir_.path(); }
    void Touch(const QString& name) {
        QFile file(Folder() + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString Compute(int code, const QString& input, bool overwrite, const QString& folder) {
        VideoFields f;
        f.Video_AddFileName = input;
        ComputeParameters(code, folder, overwrite, f);
        return f.Video_OutPutFileName;
    }
    QString Compute(const QString& input, bool overwrite = false) { return Compute(100, input, overwrite, Folder()); }

    QTemporaryDir dir_;
};

TEST_F(LegacyOutputName, FreeNameIsKept) {
    EXPECT_EQ(Compute(QStringLiteral("/src/clip.mkv")), Folder() + QStringLiteral("/clip.avi"));
}

TEST_F(LegacyOutputName, ExistingFileTakesTheFirstFreeNumber) {
    Touch(QStringLiteral("clip.avi"));
    EXPECT_EQ(Compute(QStringLiteral("/src/clip.mkv")), Folder() + QStringLiteral("/clip_1.avi"));
    Touch(QStringLiteral("clip_1.avi"));
    EXPECT_EQ(Compute(QStringLiteral("/src/clip.mkv")), Folder() + QStringLiteral("/clip_2.avi"));
    // A gap below a taken number is used first.
    Touch(QStringLiteral("clip_3.avi"));
    EXPECT_EQ(Compute(QStringLiteral("/src/clip.mkv")), Folder() + QStringLiteral("/clip_2.avi"));
}

TEST_F(LegacyOutputName, OverwriteKeepsThePlainName) {
    Touch(QStringLiteral("clip.avi"));
    EXPECT_EQ(Compute(QStringLiteral("/src/clip.mkv"), true), Folder() + QStringLiteral("/clip.avi"));
}

TEST_F(LegacyOutputName, FolderOfThatNameIsNoFile) {
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("clip.avi")));
    EXPECT_EQ(Compute(QStringLiteral("/src/clip.mkv")), Folder() + QStringLiteral("/clip.avi"));
}

TEST_F(LegacyOutputName, EmptyInputNameGivesTheBareExtension) {
    EXPECT_EQ(Compute(QString()), Folder() + QStringLiteral("/.avi"));
    Touch(QStringLiteral(".avi"));
    EXPECT_EQ(Compute(QString()), Folder() + QStringLiteral("/_1.avi"));
}

TEST_F(LegacyOutputName, FolderTextIsUsedAsItStands) {
    const QString slashed = Folder() + QLatin1Char('/');
    EXPECT_EQ(Compute(100, QStringLiteral("/src/clip.mkv"), false, slashed), slashed + QStringLiteral("/clip.avi"));
    // The doubled separator names the same file, so the rule still sees it.
    Touch(QStringLiteral("clip.avi"));
    EXPECT_EQ(Compute(100, QStringLiteral("/src/clip.mkv"), false, slashed), slashed + QStringLiteral("/clip_1.avi"));
}

TEST_F(LegacyOutputName, OnlyTheLastExtensionChanges) {
    EXPECT_EQ(Compute(QStringLiteral("/src/a.b/clip.tar.gz")), Folder() + QStringLiteral("/clip.tar.avi"));
    EXPECT_EQ(Compute(QStringLiteral("/src/a.b/noext")), Folder() + QStringLiteral("/noext.avi"));
}
