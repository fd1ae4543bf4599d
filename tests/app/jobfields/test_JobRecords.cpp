// Job fields into the add's output record, the row back into the record at a
// start, and the per-row record list.
#include "app/jobs/JobRecords.h"
#include "app/jobs/ProfilePanel.h"
#include "app/profiles/OptionValues.h"
#include "tests/app/jobfields/JobPrinters.h"

#include <gtest/gtest.h>

using namespace jobs;

namespace {

TEST(JobRecords, FieldsIntoTheOutputRecord) {
    TJobFields f;
    f.Video_VideoCodec = QStringLiteral("libx264");
    f.Video_AudioCodec = QStringLiteral("AUTO");
    f.Video_FrameRate = QStringLiteral("29.97");
    f.Video_DisableVideo = true;
    f.Video_AudioChannels = QStringLiteral("1");
    f.Video_AudioSampleRate = QStringLiteral("AUTO");
    f.Video_FrameSize = QStringLiteral("640*480");
    f.Video_TargetType = QStringLiteral("ntsc-dvd");
    f.Video_NormType = QStringLiteral("NTSC");
    f.Video_AudioVolume = QStringLiteral("300");
    f.Video_FrameAspectRatio = QStringLiteral("16:9");
    f.Video_AudioBitrate = -2000;
    f.Video_FileFormat = QStringLiteral("matroska");
    f.Video_VideoFilters = QStringLiteral("hflip");
    f.Video_VideoTag = QStringLiteral("XVID");
    f.Video_VideoBitrate = -1000;
    f.Video_FileExt = QStringLiteral(".mkv");
    f.Video_TimeStart = 5;
    f.Video_TimeLength = 6;
    const TOutputOptions o = OutputOptionsFromFields(f);
    EXPECT_EQ(o.VideoCodec, QStringLiteral("libx264"));
    EXPECT_EQ(o.VideoPreset, QStringLiteral("libx264-default"));
    EXPECT_EQ(o.AudioCodec, QString());
    EXPECT_EQ(o.FrameRate, QStringLiteral("29.97"));
    EXPECT_TRUE(o.DisableVideo);
    EXPECT_EQ(o.AudioChannels, 1);
    EXPECT_EQ(o.AudioSampleRate, -1);
    EXPECT_EQ(o.FrameSize, QStringLiteral("640*480"));
    EXPECT_EQ(o.TargetType, ttIgnore);
    EXPECT_EQ(o.NormType, ntNTSC);
    EXPECT_EQ(o.AudioVolume, 300);
    EXPECT_EQ(o.FrameAspectRatio, QStringLiteral("16:9"));
    EXPECT_EQ(o.AudioBitrate, -1);
    EXPECT_EQ(o.FileFormat, QStringLiteral("matroska"));
    EXPECT_EQ(o.VideoFilters, QStringLiteral("hflip"));
    EXPECT_EQ(o.VideoTag, QStringLiteral("XVID"));  // the add keeps the tag even with x264
    EXPECT_EQ(o.VideoBitrate, -1);
    EXPECT_EQ(o.FileExt, QString());  // neither extension nor times are copied
    EXPECT_EQ(o.TimeStart, NoTimeValue);
    EXPECT_EQ(o.TimeLength, NoTimeValue);
    EXPECT_EQ(o.AudioLanguage, QString());

    TJobFields reset;
    const TOutputOptions r = OutputOptionsFromFields(reset);
    EXPECT_EQ(r.AudioVolume, 256);
    EXPECT_EQ(r.NormType, ntAuto);
    EXPECT_EQ(r.VideoBitrate, -1);
    reset.Video_AudioChannels = QStringLiteral("two");
    EXPECT_THROW(OutputOptionsFromFields(reset), profiles::EOptionValueError);
}

// The add's record for a profile at its list defaults: parameters, then the
// six option lists' values over them.
TOutputOptions AddRecord(int categoryRow, int profileRow) {
    TProfilePanel panel(QStringLiteral("/out"));
    panel.SetCategoryIndex(categoryRow);
    panel.SetProfileIndex(profileRow);
    panel.Fields().Video_AddFileName = QStringLiteral("/src/clip.avi");
    panel.ComputeParameters();
    panel.ConfirmOptions();
    return OutputOptionsFromFields(panel.Fields());
}

TEST(JobRecords, ProfilesIntoTheOutputRecord) {
    const TOutputOptions mp3 = AddRecord(0, 0);  // 3000: "192 kbps" and "48000" shown
    EXPECT_EQ(mp3.AudioCodec, QStringLiteral("libmp3lame"));
    EXPECT_EQ(mp3.AudioBitrate, 192000);
    EXPECT_EQ(mp3.AudioSampleRate, 48000);
    EXPECT_EQ(mp3.AudioChannels, 2);
    EXPECT_TRUE(mp3.DisableVideo);
    EXPECT_EQ(mp3.VideoBitrate, -1);  // "无视频" is not passed
    EXPECT_EQ(mp3.FrameSize, QString());

    const TOutputOptions dvd = AddRecord(8, 11);  // 111
    EXPECT_EQ(dvd.TargetType, ttDVD);
    EXPECT_EQ(dvd.NormType, ntPAL);
    EXPECT_EQ(dvd.VideoCodec, QString());
    EXPECT_EQ(dvd.AudioChannels, -1);
    EXPECT_GT(dvd.VideoBitrate, 0);  // the list's value over the profile's -1000

    const TOutputOptions divx = AddRecord(5, 0);  // 1600
    EXPECT_EQ(divx.VideoCodec, QStringLiteral("mpeg4"));
    EXPECT_EQ(divx.VideoPreset, QString());
    EXPECT_EQ(divx.VideoTag, QStringLiteral("DX50"));

    const TOutputOptions h264 = AddRecord(1, 4);  // 1104
    EXPECT_EQ(h264.VideoCodec, QStringLiteral("libx264"));
    EXPECT_EQ(h264.VideoPreset, QStringLiteral("libx264-default"));
}

TJobRow ParameterRow(std::initializer_list<std::pair<TJobSubItem, const char*>> cells) {
    TJobRow row;
    row.Caption = QStringLiteral("/src/clip.avi");
    row[siOutputName] = QStringLiteral("clip.mp4");
    row[siVideoBitrate] = QStringLiteral("-1");
    row[siAudioBitrate] = QStringLiteral("-1");
    for (const auto& [column, text] : cells) row[column] = QString::fromUtf8(text);
    return row;
}

TEST(JobRecords, RowColumnsOverTheRecordAtStart) {
    TOutputOptions slot;
    InitOutputOptions(slot);
    slot.VideoCodec = QStringLiteral("mpeg4");
    slot.AudioCodec = QStringLiteral("libmp3lame");
    slot.AudioChannels = 2;
    slot.AudioSampleRate = 44100;
    slot.AudioBitrate = 192000;
    slot.FrameSize = QStringLiteral("320*240");
    slot.TargetType = ttSVCD;
    slot.NormType = ntNTSC;
    slot.DisableVideo = true;
    slot.FileFormat = QStringLiteral("mp4");

    // Empty and automatic parameter columns keep the record's values; an empty
    // norm and an empty no-video column do not, nor do the six option columns,
    // which say what the lists show (empty or automatic: the source's value).
    TOutputOptions kept = slot;
    ApplyRowToOutputOptions(ParameterRow({{siAudioCodec, "AUTO"}, {siSampleRate, "AUTO"}, {siAudioBitrate, "-2000"}}),
                            kept);
    EXPECT_EQ(kept.VideoCodec, QStringLiteral("mpeg4"));
    EXPECT_EQ(kept.AudioCodec, QStringLiteral("libmp3lame"));
    EXPECT_EQ(kept.AudioChannels, 2);
    EXPECT_EQ(kept.AudioSampleRate, -1);
    EXPECT_EQ(kept.AudioBitrate, -1);
    EXPECT_EQ(kept.FrameSize, QString());
    EXPECT_EQ(kept.TargetType, ttSVCD);
    EXPECT_EQ(kept.NormType, ntAuto);
    EXPECT_FALSE(kept.DisableVideo);
    EXPECT_EQ(kept.FileFormat, QStringLiteral("mp4"));
    EXPECT_EQ(kept.VideoBitrate, -1);

    TOutputOptions x264 = slot;
    ApplyRowToOutputOptions(ParameterRow({{siVideoCodec, "libx264"}, {siVideoTag, "XVID"}, {siVideoBitrate, "-1000"},
                                          {siAudioBitrate, "96000"}, {siSampleRate, "22050"}, {siDisableVideo, "True"},
                                          {siTargetType, "dvd"}, {siNormType, "PAL"}, {siFileExt, ".mp4"}}),
                            x264);
    EXPECT_EQ(x264.VideoCodec, QStringLiteral("libx264"));
    EXPECT_EQ(x264.VideoPreset, QStringLiteral("libx264-default"));
    EXPECT_EQ(x264.VideoTag, QString());
    EXPECT_EQ(x264.VideoBitrate, -1000);
    EXPECT_EQ(x264.AudioBitrate, 96000);
    EXPECT_EQ(x264.AudioSampleRate, 22050);
    EXPECT_TRUE(x264.DisableVideo);
    EXPECT_EQ(x264.TargetType, ttDVD);
    EXPECT_EQ(x264.NormType, ntPAL);
    EXPECT_EQ(x264.FileExt, QStringLiteral(".mp4"));

    TOutputOptions tagged = slot;
    tagged.VideoPreset = QStringLiteral("libx264-default");
    ApplyRowToOutputOptions(ParameterRow({{siVideoCodec, "mpeg4"}, {siVideoTag, "XVID"}, {siTargetType, "cd"}}),
                            tagged);
    EXPECT_EQ(tagged.VideoPreset, QString());
    EXPECT_EQ(tagged.VideoTag, QStringLiteral("XVID"));
    EXPECT_EQ(tagged.TargetType, ttIgnore);

    for (TJobSubItem column : {siAudioChannels, siVideoBitrate, siAudioBitrate, siSampleRate}) {
        TOutputOptions o = slot;
        EXPECT_THROW(ApplyRowToOutputOptions(ParameterRow({{column, "12k"}}), o), profiles::EOptionValueError)
            << column;
    }
}

TEST(JobRecords, StartRecordsOfARow) {
    TJobRecord record;
    InitInputOptions(record.Input);
    InitOutputOptions(record.Output);
    record.Input.FileName = QStringLiteral("/old/input.avi");
    record.Input.ProgramID = 2;
    record.Output.AudioLanguage = QStringLiteral("Full");
    record.Output.FileName = QStringLiteral("/old/clip.mp4");
    TJobRow row = ParameterRow({{siAudioBitrate, "128000"}});
    row[siOutputName] = QStringLiteral("renamed.mp4");
    const TJobStart start = StartRecords(row, record, QStringLiteral("/new/"));
    EXPECT_EQ(start.Input.FileName, QStringLiteral("/src/clip.avi"));
    EXPECT_EQ(start.Input.ProgramID, 2);
    EXPECT_EQ(start.Output.AudioLanguage, QString());
    EXPECT_EQ(start.Output.AudioBitrate, 128000);
    EXPECT_EQ(start.OutputPath, QStringLiteral("/new//renamed.mp4"));
    EXPECT_EQ(record.Output.AudioLanguage, QStringLiteral("Full"));  // the kept record is not touched
}

TEST(JobRecords, RecordsMoveWithTheirRows) {
    TJobRecords records;
    for (int i = 0; i < 600; ++i) {  // no fixed limit
        TJobRecord r;
        r.Input.Tag = i;
        records.Append(r);
    }
    EXPECT_EQ(records.Count(), 600);
    records.Remove(0);
    EXPECT_EQ(records.At(0).Input.Tag, 1);
    EXPECT_EQ(records.At(1).Input.Tag, 2);
    records.Exchange(0, 1);
    EXPECT_EQ(records.At(0).Input.Tag, 2);
    EXPECT_EQ(records.At(1).Input.Tag, 1);
    EXPECT_THROW(records.Remove(599), std::out_of_range);
    records.Clear();
    EXPECT_EQ(records.Count(), 0);
}

}  // namespace
