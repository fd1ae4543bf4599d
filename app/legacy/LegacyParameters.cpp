#include "app/legacy/LegacyParameters.h"

#include "app/jobs/JobFileNames.h"
#include "app/jobs/OutputName.h"

#include <QFileInfo>

namespace legacy {

namespace {

const QChar kSeparator = QLatin1Char('/');

using jobs::FileExtension;
using jobs::FileNamePart;

void Write(const TextCell& cell, QString& field) {
    switch (cell.state) {
    case CellState::Untouched: return;
    case CellState::Empty: field.clear(); return;
    case CellState::Value: field = QString::fromUtf8(cell.value); return;
    }
}

void Write(const IntCell& cell, std::int32_t& field) {
    if (cell.state == CellState::Value) field = cell.value;
}

}  // namespace

void ResetVideoFields(VideoFields& fields) { jobs::ResetJobFields(fields); }

void ApplyParameterRow(const ParameterRow& row, const QString& folderText, VideoFields& fields) {
    fields.Video_OutPutFileName =
        folderText + kSeparator +
        jobs::ReplaceExtension(FileNamePart(fields.Video_AddFileName), QString::fromUtf8(row.nameExtension));
    Write(row.fileExt, fields.Video_FileExt);
    Write(row.videoCodec, fields.Video_VideoCodec);
    Write(row.videoTag, fields.Video_VideoTag);
    Write(row.frameRate, fields.Video_FrameRate);
    Write(row.frameAspectRatio, fields.Video_FrameAspectRatio);
    Write(row.frameSize, fields.Video_FrameSize);
    Write(row.videoBitrate, fields.Video_VideoBitrate);
    Write(row.audioCodec, fields.Video_AudioCodec);
    Write(row.audioChannels, fields.Video_AudioChannels);
    Write(row.audioSampleRate, fields.Video_AudioSampleRate);
    Write(row.audioBitrate, fields.Video_AudioBitrate);
    Write(row.normType, fields.Video_NormType);
    Write(row.targetType, fields.Video_TargetType);
    Write(row.fileFormat, fields.Video_FileFormat);
    Write(row.audioVolume, fields.Video_AudioVolume);
    Write(row.videoFilters, fields.Video_VideoFilters);
    Write(row.copyTimestamp, fields.Video_CopyTimestamp);
    if (row.audioOnly) fields.Video_DisableVideo = true;
}

bool IsExistingFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString ResolveOutputName(const QString& name, const QString& folderText, bool overwrite,
                          const FileExists& exists) {
    const QString extension = FileExtension(name);
    const QString base = FileNamePart(name.left(name.size() - extension.size()));
    const QString stem = folderText + kSeparator + base;
    QString candidate = stem + extension;
    if (overwrite || !exists(candidate)) return candidate;
    // Unbounded, as the folder can hold only finitely many names.
    for (qint64 n = 1;; ++n) {
        candidate = stem + QLatin1Char('_') + QString::number(n) + extension;
        if (!exists(candidate)) return candidate;
    }
}

void ComputeParameters(int code, const QString& folderText, bool overwrite, VideoFields& fields,
                       const FileExists& exists) {
    fields.All_Trant_Number = code;
    fields.Video_DisableVideo = false;
    if (const ParameterRow* row = FindParameterRow(code)) ApplyParameterRow(*row, folderText, fields);
    fields.Video_OutPutFileName = ResolveOutputName(fields.Video_OutPutFileName, folderText, overwrite, exists);
}

}  // namespace legacy
