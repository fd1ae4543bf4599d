// The main window's job fields: the conversion parameters of the job being
// built or changed, carried from the profile handlers to the add and to the
// selected row. Plain values, so the handlers can be pure functions over a copy
// and the settings dialog can write the same fields.
#pragma once

#include <QString>

#include <cstdint>

namespace jobs {

// Member names are the main window's public field names. The defaults are the
// reset values.
struct TJobFields {
    std::int32_t All_Trant_Number = 0;  // profile code of the last computation
    QString Video_AddFileName;          // input path of the job being added; never reset
    QString Video_OutPutFileName;
    QString Video_FileExt;
    QString Video_AudioChannels;    // empty = keep
    QString Video_AudioSampleRate;  // empty or "AUTO" = keep
    QString Video_FrameSize;        // "640*480"; empty = keep
    QString Video_FrameRate;        // empty = keep
    QString Video_NormType;         // "PAL", "NTSC" or empty
    QString Video_VideoFilters;
    QString Video_AudioVolume = QStringLiteral("256");
    QString Video_FrameAspectRatio;
    QString Video_VideoCodec;
    QString Video_AudioCodec;  // empty or "AUTO" = the container's default
    QString Video_CopyTimestamp;
    QString Video_FileFormat;  // empty = from the extension
    QString Video_TargetType;  // "vcd", "svcd", "dvd" or empty
    QString Video_VideoTag;
    std::int32_t Video_VideoBitrate = -1;  // bit/s; -1000 no video
    std::int32_t Video_AudioBitrate = -1;  // bit/s; -1000 automatic, -2000 not passed
    std::int32_t Video_TimeStart = -1;
    std::int32_t Video_TimeLength = -1;
    bool Video_DisableVideo = false;
};

// Every field back to its reset value, except the input path and the profile
// code, which no reset touches.
void ResetJobFields(TJobFields& fields);

}  // namespace jobs
