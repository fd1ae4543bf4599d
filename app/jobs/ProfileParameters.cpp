#include "app/jobs/ProfileParameters.h"

#include "app/jobs/JobFileNames.h"
#include "app/jobs/OutputName.h"
#include "app/profiles/ProfileTables.h"

namespace jobs {

TFreeOutputName OutputNameRule(std::function<bool()> overwrite,
                               std::function<QStringList(const TJobRow* row)> otherRowNames,
                               std::function<QStringList()> rowInputs) {
    return [overwrite = std::move(overwrite), otherRowNames = std::move(otherRowNames),
            rowInputs = std::move(rowInputs)](const QString& wanted, const QString& inputPath, const TJobRow* row) {
        const QString name = FileNamePart(wanted);
        const QString folderText = wanted.left(wanted.size() - name.size() - 1);
        TTakenNames taken{{inputPath}, otherRowNames(row), std::nullopt};
        if (rowInputs) taken.Inputs << rowInputs();
        return ChooseOutputPath(folderText, FileBaseName(name), FileExtension(name), overwrite(), taken);
    };
}

void ComputeProfileFields(int code, const QString& folderText, const TFreeOutputName& freeName, TJobFields& f) {
    ResetJobFields(f);
    f.All_Trant_Number = code;
    f.Video_DisableVideo = false;
    if (const profiles::TProfileParams* p = profiles::FindProfileParams(code)) {
        f.Video_OutPutFileName = OutputPathFor(folderText, f.Video_AddFileName, QString::fromUtf8(p->NameExt));
        f.Video_FileExt = QString::fromUtf8(p->FileExt);
        f.Video_VideoCodec = QString::fromUtf8(p->VideoCodec);
        f.Video_VideoTag = QString::fromUtf8(p->VideoTag);
        f.Video_FrameSize = QString::fromUtf8(p->FrameSize);
        f.Video_VideoBitrate = p->VideoBitrate;
        f.Video_FrameRate = QString::fromUtf8(p->FrameRate);
        f.Video_FrameAspectRatio = QString::fromUtf8(p->FrameAspectRatio);
        f.Video_AudioCodec = QString::fromUtf8(p->AudioCodec);
        f.Video_AudioChannels = QString::fromUtf8(p->AudioChannels);
        f.Video_AudioBitrate = p->AudioBitrate;
        f.Video_AudioSampleRate = QString::fromUtf8(p->AudioSampleRate);
        f.Video_DisableVideo = p->DisableVideo;
        f.Video_TargetType = QString::fromUtf8(p->TargetType);
        f.Video_NormType = QString::fromUtf8(p->NormType);
    }
    // The name is rebuilt in the folder the edit shows now, then checked.
    const QString ext = FileExtension(f.Video_OutPutFileName);
    const QString stem = f.Video_OutPutFileName.left(f.Video_OutPutFileName.size() - ext.size());
    const QString wanted = folderText + QLatin1Char('/') + FileNamePart(stem) + ext;
    f.Video_OutPutFileName = freeName ? freeName(wanted, f.Video_AddFileName, nullptr) : wanted;
}

void WriteParameterColumns(const TJobFields& f, TJobRow& row) {
    row[siVideoCodec] = f.Video_VideoCodec;
    row[siAudioCodec] = f.Video_AudioCodec;
    row[siAudioChannels] = f.Video_AudioChannels;
    row[siVideoTag] = f.Video_VideoTag;
    row[siFileExt] = f.Video_FileExt;
    row[siFrameSize] = f.Video_FrameSize;
    row[siVideoBitrate] = QString::number(f.Video_VideoBitrate);
    row[siFrameRate] = f.Video_FrameRate;
    row[siAudioBitrate] = QString::number(f.Video_AudioBitrate);
    row[siSampleRate] = f.Video_AudioSampleRate;
    row[siAspect] = f.Video_FrameAspectRatio;
    row[siDisableVideo] = f.Video_DisableVideo ? QStringLiteral("True") : QStringLiteral("False");
    row[siTargetType] = f.Video_TargetType;
    row[siNormType] = f.Video_NormType;
}

}  // namespace jobs
