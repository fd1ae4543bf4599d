#include "app/jobs/StreamCheck.h"

#include "app/jobs/JobState.h"

namespace jobs {

namespace {
const QString kNoAudio = QStringLiteral("文件没有音频流，不能转换为音频格式");
const QString kNoStreams = QStringLiteral("文件没有音频流和视频流，没有可转换的内容");
}  // namespace

std::optional<QString> MissingStreamReason(int audioStreams, int videoStreams, bool disableVideo) {
    if (audioStreams != 0) return std::nullopt;
    if (disableVideo) return kNoAudio;
    if (videoStreams == 0) return kNoStreams;
    return std::nullopt;
}

void NoteInputStreams(TJobRow& row, TJobRecord& record, int audioStreams, int videoStreams) {
    record.AudioStreams = audioStreams;
    record.VideoStreams = videoStreams;
    NoteStreamCheck(row, record);
}

void NoteStreamCheck(TJobRow& row, TJobRecord& record) {
    const auto reason =
        MissingStreamReason(record.AudioStreams, record.VideoStreams, row[siDisableVideo] == QLatin1String("True"));
    if (reason) {
        if (record.Refusal != *reason || row[siProgress] != FailedText(*reason)) NoteRefusal(row, record, *reason);
        return;
    }
    if (record.Refusal != kNoAudio && record.Refusal != kNoStreams) return;
    if (row[siProgress] == FailedText(record.Refusal)) row[siProgress].clear();
    record.Refusal.clear();
}

}  // namespace jobs
