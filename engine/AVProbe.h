// The media probe: opens a file with the format library and answers what is
// in it (TCustomAVProbe); TAVProbe adds seeking, picture decoding and copies
// of the decoded picture into a 24-bit bitmap.
//
// A probe is used from one thread at a time (the user-interface thread); the
// only thing it shares is CodecLock, held around every decoder open and close.
#pragma once

#include "engine/FFBase.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/pixfmt.h>
#include <libavutil/rational.h>
#include <libavutil/samplefmt.h>
}

struct TFileStreamInfo {
    std::int64_t StartTime = -1;  // microseconds
    std::int64_t Duration = -1;   // microseconds
    int BitRate = -1;             // bit/s
    std::int64_t TimeStamp = -1;  // Unix seconds
    int Year = -1;
    int Track = -1;
    QString Title, Author, Copyright, Comment, Album, Genre;
};

struct TAudioStreamInfo {
    QString Language, CodecName;
    std::int64_t StartTime = -1, StartTimeScaled = -1;  // stream time base / microseconds
    std::int64_t Duration = -1, DurationScaled = -1;
    int BitRate = -1, Channels = -1, SampleRate = -1;
    AVSampleFormat SampleFormat = AV_SAMPLE_FMT_NONE;
};

struct TVideoStreamInfo {
    QString Language, CodecName;
    std::int64_t StartTime = -1, StartTimeScaled = -1;
    std::int64_t Duration = -1, DurationScaled = -1;
    int BitRate = -1, Height = -1, Width = -1;
    float AspectRatio = -1.0f;  // display aspect
    AVPixelFormat PixFmt = AV_PIX_FMT_NONE;
    AVRational FrameRate{0, 0};  // the stream's real base frame rate
};

struct TSubtitleStreamInfo {
    QString Language, CodecName;
};

class TCustomAVProbe : public TFFBaseComponent {
public:
    explicit TCustomAVProbe(QObject* AOwner = nullptr);
    ~TCustomAVProbe() override;

    bool LoadAVLib(const TPathFileName& APath);
    bool AVLibLoaded() const;
    void UnloadAVLib();

    // Opens AFileName (a path, a URL or a "unicode:utf8:" name), forcing the
    // named input format when AFormatName is not empty. False with LastErrMsg.
    bool LoadFile(const QString& AFileName, const QString& AFormatName = QString());
    virtual void CloseFile();

    // Attaches a context the probe does not own (a converter's open input):
    // the probe reads its facts but never reads, moves or closes it.
    AVFormatContext* FileHandle() const { return FFileHandle; }
    virtual void SetFileHandle(AVFormatContext* Value);

    QString FileName() const;
    std::int64_t FileSize() const { return FFileSize; }
    QString ForceFormat() const { return FForceFormat; }
    QString FormatName() const;
    QString FormatLongName() const;
    int StreamCount() const { return FStreamCount; }
    int ProgramCount() const { return FProgramCount; }
    int AudioStreamCount() const { return FAudioStreamCount; }
    int VideoStreamCount() const { return FVideoStreamCount; }
    int SubtitleStreamCount() const { return FSubtitleStreamCount; }
    int FirstAudioStreamIndex() const { return FFirstAudioStreamIndex; }
    int FirstVideoStreamIndex() const { return FFirstVideoStreamIndex; }
    int FirstSubtitleStreamIndex() const { return FFirstSubtitleStreamIndex; }

    TFileStreamInfo FileStreamInfo();
    TAudioStreamInfo FirstAudioStreamInfo() { return GetStreamAudioInfo(-1); }
    TVideoStreamInfo FirstVideoStreamInfo() { return GetStreamVideoInfo(-1); }
    TSubtitleStreamInfo FirstSubtitleStreamInfo() { return GetStreamSubtitleInfo(-1); }
    // A negative index means the first stream of that kind.
    TAudioStreamInfo GetStreamAudioInfo(int AStreamIndex);
    TVideoStreamInfo GetStreamVideoInfo(int AStreamIndex);
    TSubtitleStreamInfo GetStreamSubtitleInfo(int AStreamIndex);

    bool IsAudioStream(int AStreamIndex);
    bool IsVideoStream(int AStreamIndex);
    bool IsSubtitleStream(int AStreamIndex);

    // Lines ended by CR LF in the manner of the libraries' format dump.
    QString FileInfoText();
    QString LastErrMsg() const { return FLastErrMsg; }

    // Logs AMsg (ALevel in the libraries' numbers) and keeps it as LastErrMsg.
    void LogError(int ALevel, const QString& AMsg);
    // Raises "LibAVCodec not loaded." and its siblings.
    static void CheckLibraries();

protected:
    virtual void UpdateFileInfo();
    bool OwnsHandle() const { return FOwnHandle; }
    // Opens the owned file anew in place, at its start, with the same format;
    // false (nothing changed) when it cannot or the streams differ.
    bool ReopenFile();
    void SetLastErrMsg(const QString& AMsg) { FLastErrMsg = AMsg; }
    // False with "file not loaded." logged when no file is open or attached.
    bool CheckFileLoaded();
    // -1 with the reason logged when the index names no stream of that kind;
    // a negative index means the first stream of the kind.
    int StreamOfKind(int AStreamIndex, AVMediaType AType);

private:
    bool IsStreamOfType(int AStreamIndex, AVMediaType AType);
    QString StreamLine(int AIndex) const;

    AVFormatContext* FFileHandle = nullptr;
    bool FOwnHandle = false;
    QString FLastErrMsg;
    QString FForceFormat;
    std::int64_t FFileSize = -1;
    int FStreamCount = -1;
    int FProgramCount = -1;
    int FAudioStreamCount = -1;
    int FVideoStreamCount = -1;
    int FSubtitleStreamCount = -1;
    int FFirstAudioStreamIndex = -1;
    int FFirstVideoStreamIndex = -1;
    int FFirstSubtitleStreamIndex = -1;
};

// A decoded picture's planes.
struct TAVPicture {
    std::uint8_t* data[4] = {nullptr, nullptr, nullptr, nullptr};
    int linesize[4] = {0, 0, 0, 0};
};

struct TFrameInfo {
    AVPixelFormat PixFmt = AV_PIX_FMT_NONE;
    int Width = -1;
    int Height = -1;
    bool IsKeyFrame = false;
    TPictureType PictureType = ptUnknown;
    std::int64_t PTS = AV_NOPTS_VALUE;          // microseconds from the stream start
    std::int64_t OriginalDTS = AV_NOPTS_VALUE;  // stream time base
    std::int64_t OriginalPTS = AV_NOPTS_VALUE;
    int StreamIndex = -1;
    std::int64_t Position = -1;  // I/O position before this picture's packets were read
    bool Ready = false;
    TAVPicture Picture;
    std::uint8_t* Buffer = nullptr;  // av_malloc'ed, grown as needed, owned by the probe
    int Size = 0;
};

struct AVCodecContext;
struct AVFrame;
struct TRGBConvertContext;

class TAVProbe : public TCustomAVProbe {
public:
    explicit TAVProbe(QObject* AOwner = nullptr);
    ~TAVProbe() override;

    void CloseFile() override;

    // APTS in microseconds, or in bytes with sfByte.
    bool Seek(std::int64_t APTS, TSeekFlags ASeekFlags = {});
    // A negative index means the last decoded video stream, else the first one.
    bool Decode(int AStreamIndex = -1);
    bool DecodeNextKeyFrame(int AStreamIndex = -1);
    bool DecodePreviousFrame(int AStreamIndex = -1);
    bool DecodePreviousKeyFrame(int AStreamIndex = -1);
    // Copies the held picture into ABitmap as 24-bit (QImage::Format_BGR888).
    bool CopyToBitmap(QImage& ABitmap);

    // EOF is the C library's macro, hence the longer name.
    bool Eof() const { return FEOF; }
    const TFrameInfo& FrameInfo() const { return FPicture; }
    std::int64_t Position();

protected:
    void UpdateFileInfo() override;

private:
    void CloseCodec();
    void ResetPicture();
    // Shared checks; IsSeekable raises for a handle the probe does not own.
    bool IsSeekable();
    bool IsSeekableFormat();
    int SelectDecodeStream(int AStreamIndex);
    bool OpenDecoder(int AIndex);
    bool StorePicture(const AVFrame* AFrame, int AIndex);
    std::int64_t StreamInterval(int AIndex) const;
    void DropPending();
    // Back to where the last failed seek found the probe: the file opened
    // anew, the last good seek and the decodes since done again.
    void RestorePosition();

    AVCodecContext* FCodec = nullptr;
    int FCodecStream = -1;  // the stream FCodec decodes
    bool FDraining = false;  // the decoder was sent the end of the file
    TRGBConvertContext* FRGBContext = nullptr;
    int FSeekIndex = -1;
    std::int64_t FStartTime = -1;
    int FDecodeIndex = -1;
    bool FEOF = false;
    TFrameInfo FPicture;
    AVPacket* FPending = nullptr;  // a packet a seek read ahead, decoded first
    std::int64_t FLastPTS = AV_NOPTS_VALUE;
    std::int64_t FLastPos = -1;
    // The time of the first picture after opening or a seek when it carries
    // none (microseconds; AV_NOPTS_VALUE once a picture came, or after a
    // seek by bytes).
    std::int64_t FSeekPTS = AV_NOPTS_VALUE;
    // What brought the probe where it is, to come back after a failed seek:
    // the last seek that succeeded since the file was opened, and the
    // streams decoded since (runs of equal indexes).
    struct TSeekCall {
        bool Done = false;
        std::int64_t PTS = 0;
        TSeekFlags Flags;
    };
    TSeekCall FLastSeek;
    std::vector<std::pair<int, int>> FDecodes;
    bool FRestore = false;  // a failed seek may have moved the input
};
