// The records a caller describes a conversion task with, and the records the
// task component reports back in. Plain values: copying a record copies its
// texts, and the engine keeps its own copy of every record handed to it.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <limits>

class QImage;
class QObject;

// Times are microseconds; this value (only the top bit set) means "not set".
constexpr std::int64_t NoTimeValue = std::numeric_limits<std::int64_t>::min();

enum TOptionTargetType { ttIgnore, ttVCD, ttSVCD, ttDVD };
enum TOptionNormType { ntAuto, ntPAL, ntNTSC };
// Only ntPAL or ntNTSC: the norm to assume when ntAuto cannot decide.
using TOptionNormDefault = TOptionNormType;

// The defaults below are the neutral state InitInputOptions/InitOutputOptions
// restore; a field at its default is not applied to the converter (except the
// ones marked "always applied" where the task component reads them).
struct TInputOptions {
    QString FileName;
    QString FileFormat;                   // forced input format, empty = detect
    std::int64_t TimeStart = NoTimeValue; // start position
    int ProgramID = -1;                   // program of a multi-program input, applied when >= 0
    QString ExtOptions;                   // further option lines
    int Tag = 0;                          // the caller's own; never read by the engine
    void* Data = nullptr;                 // the caller's own; never read by the engine
};
using PInputOptions = TInputOptions*;

// Metadata of an output. TimeStamp: 0 = the moment the record is attached,
// above 0 = that local date-time, below 0 = none.
struct TStreamInfo {
    double TimeStamp = -1.0;
    int Year = -1;
    int Track = -1;
    QString Title;
    QString Author;
    QString Copyright;
    QString Comment;
    QString Album;
    QString Genre;
};

struct TOutputOptions {
    QString FileName;
    QString FileExt;  // carried for the caller; the engine does not read it
    QString FileFormat;
    int PacketSize = -1;
    int MuxRate = -1;
    float MuxDelay = -1.0f;    // seconds
    float MuxPreload = -1.0f;  // seconds
    QString AudioCodec;
    QString AudioPreset;
    bool DisableAudio = false;
    int AudioVolume = -1;  // 256 = unchanged; 0 (silence) is applied
    int AudioChannels = -1;
    int AudioSampleRate = -1;
    int AudioBitrate = -1;  // bit/s
    int AudioBitRateTolerance = -1;
    QString AudioLanguage;    // always applied
    int AudioSyncMethod = 0;  // always applied
    QString AudioTag;         // exactly 4 characters when set
    QString VideoCodec;
    QString VideoPreset;
    bool DisableVideo = false;
    QString FrameRate;
    QString FrameSize;
    QString FrameAspectRatio;
    int CropTop = -1;
    int CropBottom = -1;
    int CropLeft = -1;
    int CropRight = -1;
    int GroupPictureSize = -1;
    int VideoBitrate = -1;  // bit/s
    int VideoMaxRate = -1;
    int VideoMinRate = -1;
    int VideoBitRateTolerance = -1;
    int VideoBufSize = -1;
    int VideoSyncMethod = -1;  // -1 = automatic; always applied
    QString VideoTag;          // exactly 4 characters when set
    QString VideoFilters;
    QString VideoLanguage;  // always applied
    QString SubtitleCodec;
    QString SubtitlePreset;
    bool DisableSubtitle = false;
    QString SubtitleLanguage;  // always applied
    bool InputSync = false;    // always applied
    bool CopyTimestamp = false;
    std::int64_t TimeStart = NoTimeValue;
    std::int64_t TimeLength = NoTimeValue;  // also the task's total duration for progress
    TStreamInfo Info;
    TOptionTargetType TargetType = ttIgnore;
    TOptionNormType NormType = ntAuto;
    TOptionNormDefault NormDefault = ntPAL;
    bool CustomHook = false;  // route every encoded video frame through OnCustomHook
    bool Join = false;        // the inputs are appended one after another into this output
    // The file is created new when the task runs: a file of that name, also
    // one that appeared since this record was attached, fails the task and
    // stays as it is.
    bool NoOverwrite = false;
    QString ExtOptions;
    int Tag = 0;
    void* Data = nullptr;
};
using POutputOptions = TOutputOptions*;

void InitInputOptions(TInputOptions& AOptions);
void InitOutputOptions(TOutputOptions& AOptions);

// Event records, filled by the task component; a handler copies what it keeps.
struct TProgressInfo {
    int TaskIndex = 0;
    int FileIndex = 0;  // -1 in the task's last report
    int FrameNumber = 0;
    int FPS = 0;
    float Quality = 0;
    float BitRate = 0;  // kbit/s
    std::int64_t CurrentSize = 0;
    std::int64_t CurrentDuration = 0;
    std::int64_t TotalDuration = 0;  // -1 when unknown
};
using PProgressInfo = TProgressInfo*;

struct TTerminateInfo {
    int TaskIndex = 0;  // -1 for the report that ends the whole run
    bool Finished = false;
    bool Exception = false;
    QString ExceptionMsg;
    // The task opened its output files for writing (created or truncated
    // them); a file it did not open is not its own.
    bool OutputWritten = false;
};

// Bitmap: a 24-bit picture valid during the call only.
struct TPreviewInfo {
    int TaskIndex = 0;
    QImage* Bitmap = nullptr;
    int FrameNumber = 0;
    std::int64_t PTS = 0;
};

// Update: when true on return the picture is written back into the frame.
// StopHook: set to stop calling the hook for this task.
struct THookInfo {
    int TaskIndex = 0;
    QImage* Bitmap = nullptr;
    int FrameNumber = 0;
    std::int64_t PTS = 0;
    bool Update = true;
    bool StopHook = false;
};
using PHookInfo = THookInfo*;

// Sender is the task component.
using TProgressEvent = std::function<void(QObject* Sender, PProgressInfo AProgressInfo)>;
using TTerminateEvent = std::function<void(QObject* Sender, const TTerminateInfo& ATerminateInfo)>;
using TPreviewBitmapEvent = std::function<void(QObject* Sender, const TPreviewInfo& APreviewInfo)>;
using TCustomHookEvent = std::function<void(QObject* Sender, PHookInfo AHookInfo)>;
