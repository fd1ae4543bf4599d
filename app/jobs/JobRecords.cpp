#include "app/jobs/JobRecords.h"

#include "app/jobs/JobFileNames.h"
#include "app/jobs/ProgressTexts.h"
#include "app/profiles/OptionValues.h"

#include <stdexcept>
#include <utility>

namespace jobs {

using profiles::IntegerValue;

namespace {

const QString kX264 = QStringLiteral("libx264");
const QString kX264Preset = QStringLiteral("libx264-default");
const QString kAuto = QStringLiteral("AUTO");

TOptionTargetType TargetOf(const QString& text) {
    if (text == QLatin1String("vcd")) return ttVCD;
    if (text == QLatin1String("svcd")) return ttSVCD;
    if (text == QLatin1String("dvd")) return ttDVD;
    return ttIgnore;
}

TOptionNormType NormOf(const QString& text) {
    if (text == QLatin1String("PAL")) return ntPAL;
    if (text == QLatin1String("NTSC")) return ntNTSC;
    return ntAuto;
}

void SetVideoCodec(const QString& codec, TOutputOptions& o) {
    o.VideoCodec = codec;
    o.VideoPreset = codec == kX264 ? kX264Preset : QString();
}

}  // namespace

TOutputOptions OutputOptionsFromFields(const TJobFields& f) {
    TOutputOptions o;
    InitOutputOptions(o);
    if (!f.Video_VideoCodec.isEmpty()) SetVideoCodec(f.Video_VideoCodec, o);
    if (!f.Video_AudioCodec.isEmpty() && f.Video_AudioCodec != kAuto) o.AudioCodec = f.Video_AudioCodec;
    if (!f.Video_FrameRate.isEmpty()) o.FrameRate = f.Video_FrameRate;
    o.DisableVideo = f.Video_DisableVideo;
    if (!f.Video_AudioChannels.isEmpty()) o.AudioChannels = IntegerValue(f.Video_AudioChannels);
    if (!f.Video_AudioSampleRate.isEmpty() && f.Video_AudioSampleRate != kAuto)
        o.AudioSampleRate = IntegerValue(f.Video_AudioSampleRate);
    if (!f.Video_FrameSize.isEmpty()) o.FrameSize = f.Video_FrameSize;
    if (!f.Video_TargetType.isEmpty()) o.TargetType = TargetOf(f.Video_TargetType);
    o.NormType = NormOf(f.Video_NormType);
    o.AudioVolume = IntegerValue(f.Video_AudioVolume);
    if (!f.Video_FrameAspectRatio.isEmpty()) o.FrameAspectRatio = f.Video_FrameAspectRatio;
    if (f.Video_AudioBitrate != -1000 && f.Video_AudioBitrate != -2000) o.AudioBitrate = f.Video_AudioBitrate;
    if (!f.Video_FileFormat.isEmpty()) o.FileFormat = f.Video_FileFormat;
    if (!f.Video_VideoFilters.isEmpty()) o.VideoFilters = f.Video_VideoFilters;
    if (!f.Video_VideoTag.isEmpty()) o.VideoTag = f.Video_VideoTag;
    if (f.Video_VideoBitrate != -1000) o.VideoBitrate = f.Video_VideoBitrate;
    return o;
}

TJobRow AddedJobRow(const TAddedFile& file, const TOutputOptions& o, int categoryRow, int profileRow,
                    const TOptionIndexes& indexes) {
    TJobRow row;
    row.Caption = file.InputPath;
    row[siDuration] = DurationText(file.DurationUs);
    row[siInputSize] = MegabyteText(file.FileSize);
    row[siOutputName] = FileNamePart(o.FileName);
    row[siTaskNumber] = QString::number(file.TaskIndex + 1);
    row[siCategoryCode] = QString::number((categoryRow + 1) * 100 + profileRow);
    row[siOptionDigits] = OptionDigits(indexes);
    row[siVideoCodec] = o.VideoCodec;
    row[siAudioCodec] = o.AudioCodec;
    row[siAudioChannels] = QString::number(o.AudioChannels);
    row[siVideoTag] = o.VideoTag;
    row[siFileExt] = o.FileExt;
    row[siFrameSize] = o.FrameSize;
    row[siVideoBitrate] = QString::number(o.VideoBitrate);
    row[siFrameRate] = o.FrameRate;
    row[siAudioBitrate] = QString::number(o.AudioBitrate);
    row[siSampleRate] = QString::number(o.AudioSampleRate);
    row[siAspect] = o.FrameAspectRatio;
    return row;
}

void TJobRecords::Remove(int row) {
    if (row < 0 || row >= Count()) throw std::out_of_range("no job record " + std::to_string(row));
    FItems.erase(FItems.begin() + row);
}

void TJobRecords::Exchange(int a, int b) { std::swap(FItems.at(a), FItems.at(b)); }

void ApplyRowToOutputOptions(const TJobRow& row, TOutputOptions& o) {
    const QString& videoCodec = row[siVideoCodec];
    if (!videoCodec.isEmpty()) SetVideoCodec(videoCodec, o);
    const QString& audioCodec = row[siAudioCodec];
    if (!audioCodec.isEmpty() && audioCodec != kAuto) o.AudioCodec = audioCodec;
    if (!row[siAudioChannels].isEmpty()) o.AudioChannels = IntegerValue(row[siAudioChannels]);
    // An x264 stream carries no fourcc of its own choosing.
    o.VideoTag = row[siVideoTag].isEmpty() || videoCodec == kX264 ? QString() : row[siVideoTag];
    if (!row[siFileExt].isEmpty()) o.FileExt = row[siFileExt];
    // The six option columns are what the lists show: an empty or automatic
    // one means the source's value, never what the add once recorded.
    o.FrameSize = row[siFrameSize];
    if (!row[siVideoBitrate].isEmpty()) o.VideoBitrate = IntegerValue(row[siVideoBitrate]);
    o.FrameRate = row[siFrameRate];
    const QString& audioBitrate = row[siAudioBitrate];
    o.AudioBitrate = audioBitrate == QLatin1String("-1000") || audioBitrate == QLatin1String("-2000")
                         ? -1
                         : IntegerValue(audioBitrate);
    const QString& sampleRate = row[siSampleRate];
    o.AudioSampleRate = sampleRate.isEmpty() || sampleRate == kAuto ? -1 : IntegerValue(sampleRate);
    o.FrameAspectRatio = row[siAspect];
    o.DisableVideo = row[siDisableVideo] == QLatin1String("True");
    if (!row[siTargetType].isEmpty()) o.TargetType = TargetOf(row[siTargetType]);
    o.NormType = NormOf(row[siNormType]);
}

TJobStart StartRecords(const TJobRow& row, const TJobRecord& record, const QString& outputFolder) {
    TJobStart start{record.Input, record.Output, outputFolder + QLatin1Char('/') + row[siOutputName]};
    start.Input.FileName = row.Caption;
    ApplyRowToOutputOptions(row, start.Output);
    start.Output.AudioLanguage.clear();
    return start;
}

}  // namespace jobs
