// The settings dialog's conversion-parameter operations as pure functions over a
// plain copy of the main window's job fields. The dialog copies the main
// window's fields in, runs these and copies them back; nothing here touches a
// widget.
#pragma once

#include "app/legacy/LegacyTables.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace legacy {

// The main window's job fields that the settings dialog reads or writes, under
// their own names. The defaults are the reset values.
struct VideoFields {
    std::int32_t All_Trant_Number = 0;
    QString Video_AddFileName;  // read, never written here
    QString Video_OutPutFileName;
    QString Video_FileExt;
    QString Video_VideoCodec;
    QString Video_VideoTag;
    QString Video_FrameRate;
    QString Video_FrameAspectRatio;
    QString Video_FrameSize;
    std::int32_t Video_VideoBitrate = -1;
    QString Video_VideoFilters;
    QString Video_AudioCodec;
    QString Video_AudioChannels;
    QString Video_AudioSampleRate;
    QString Video_AudioVolume = QStringLiteral("256");
    std::int32_t Video_AudioBitrate = -1;
    QString Video_NormType;
    QString Video_TargetType;
    QString Video_FileFormat;
    QString Video_CopyTimestamp;
    std::int32_t Video_TimeStart = -1;
    std::int32_t Video_TimeLength = -1;
    bool Video_DisableVideo = false;
};

// The reset: every Video_ field back to its reset value; the input path and the
// profile code stay.
void ResetVideoFields(VideoFields& fields);

// Writes one parameter row: the output name (folder text, "/", the input's file
// name with the row's name extension), then each cell by its state, then the
// no-video flag of an audio-only row. Nothing is reset first, so untouched
// fields keep what their last writer left.
void ApplyParameterRow(const ParameterRow& row, const QString& folderText, VideoFields& fields);

using FileExists = std::function<bool(const QString& path)>;

// True for an existing file; a folder of that path does not count.
bool IsExistingFile(const QString& path);

// The output-exists rule applied to a held output name: it is rebuilt as folder
// text, "/", its own file name and extension; when that file exists and
// overwriting is off, "_1", "_2", ... go before the extension, the first free
// number winning. The folder text is used as it stands, even when it already
// ends in "/".
QString ResolveOutputName(const QString& name, const QString& folderText, bool overwrite,
                          const FileExists& exists = IsExistingFile);

// The whole parameter operation for a profile code: the code and a cleared
// no-video flag first, then the code's row when it has one, then the
// output-exists rule on whatever name the fields hold.
void ComputeParameters(int code, const QString& folderText, bool overwrite, VideoFields& fields,
                       const FileExists& exists = IsExistingFile);

}  // namespace legacy
