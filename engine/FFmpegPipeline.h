// The state of one running conversion: input files and streams, output
// streams with their coders, and the stages that move data between them.
// Everything here belongs to the conversion's thread; it lives for one call
// of TCustomFFmpeg::Transcode. Stages by file: FFmpegMapping.cpp (tables,
// mapping, coder set-up, headers), FFmpegFilter.cpp (video graph, hooks),
// FFmpegEncode.cpp (audio, video and subtitle encoding, writing, statistics),
// FFmpegTranscode.cpp (the packet loop, progress, the summary).
#pragma once

#include "engine/FFmpeg.h"
#include "engine/FFmpegFilter.h"
#include "engine/FFmpegInternal.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class TPreviewer;

struct TInputFile {
    AVFormatContext* ctx = nullptr;
    bool eof_reached = false;
    int read_error = 0;         // the read failure that ended it, 0 at a plain end
    bool last_corrupt = false;  // the last packet read was cut short
    int64_t read_end = AV_NOPTS_VALUE;  // furthest packet end read, microseconds
    bool no_packet = false;
    int ist_index = 0;  // its first stream in the input-stream table
    int nb_streams = 0;
};

struct TInputStream {
    int file_index = 0;
    int index = 0;  // in its file
    AVStream* st = nullptr;
    bool discard = true;  // used by no output
    bool decoding_needed = false;
    AVCodecContext* dec = nullptr;
    int64_t start = 0;                    // wall clock at set-up, for rate emulation
    int64_t next_pts = AV_NOPTS_VALUE;    // microseconds
    int64_t pts = 0;                      // microseconds
    bool is_start = true;                 // until the first audio sync change
    bool showed_multi_packet_warning = false;
    bool is_past_recording_time = false;
    bool decoder_flushed = false;
    float quality = 0;
};

// One stream of an output file with its coder. In join mode the segments of
// every input share these; only the source changes.
struct TOutputCoder {
    int file_index = 0;
    int index = 0;  // in its file
    TOutputFile* file = nullptr;
    TOutputStreamSetup* setup = nullptr;
    AVStream* st = nullptr;
    AVCodecContext* enc = nullptr;  // nullptr for stream copy
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    bool encoding_needed = false;
    bool opened = false;
    int frame_number = 0;
    int64_t sync_opts = 0;  // in encoder ticks (video frames, audio samples)
    int64_t last_dts = AV_NOPTS_VALUE;  // last written, stream time base
    int64_t packets = 0;                // written so far
    float last_quality = -1;
    char last_pict_type = '?';
    std::vector<uint64_t> last_error;

    // video
    TVideoFilter filter;
    int first_ist = -1;  // the input the graph was first built for
    int rotation = 0;    // clockwise turn the graph gives the source's pictures
    // audio
    SwrContext* swr = nullptr;
    int swr_in_rate = 0;
    AVSampleFormat swr_in_fmt = AV_SAMPLE_FMT_NONE;
    AVChannelLayout swr_in_layout{};
    AVAudioFifo* fifo = nullptr;
    AVFrame* audio_frame = nullptr;
    uint8_t* conv[AV_NUM_DATA_POINTERS] = {};
    int conv_samples = 0;  // capacity of conv
    int64_t audio_next_pts = AV_NOPTS_VALUE;

    std::vector<AVBSFContext*> bsfs;
    std::vector<std::string> bsf_names;
    FILE* logfile = nullptr;
    std::string logname;
    bool flushed = false;
};

struct TOutputStream {
    TOutputCoder* coder = nullptr;
    int source_index = -1;  // into the input-stream table
    int sync_index = -1;
    bool show_fps = true;
};

class TTranscoder {
public:
    explicit TTranscoder(TCustomFFmpeg& AConverter);
    ~TTranscoder();
    TTranscoder(const TTranscoder&) = delete;
    TTranscoder& operator=(const TTranscoder&) = delete;

    void Run();

private:
    // FFmpegMapping.cpp
    void Setup();
    void BuildInputTables();
    void BuildOutputTables();
    void MapStreams();
    void SetupCopy(TOutputCoder& c, TInputStream& ist);
    void SetupEncoding(TOutputCoder& c, TInputStream& ist);
    void ConfigureVideoFilter(TOutputCoder& c, const AVFrame* frame, const TInputStream& ist, bool reconfigure);
    void OpenPassLog(TOutputCoder& c, int ostIndex);
    void OpenEncoders();
    void OpenDecoders();
    void CopyMetadataMaps();
    void CopyChapters();
    void WriteHeaders();
    void OpenBitstreamFilters();
    void DumpMapping();
    void CloseCoders();
    [[noreturn]] void RaiseDump(const QString& AMsg, int AFile = -1);
    int SegmentCount() const;
    TInputStream* SyncStream(const TOutputStream& ost);

    // FFmpegFilter.cpp
    void PreprocessVideoFrame(TInputStream& ist, AVFrame* frame);
    void RunCustomHook(AVFrame* frame, int64_t pts);
    void RunPostHooks(const AVFrame* frame, int64_t pts);

    // FFmpegEncode.cpp
    void WriteFrame(TOutputCoder& c, AVPacket* pkt);
    void WritePacket(TOutputCoder& c, AVPacket* pkt);
    void DoAudioOut(TOutputStream& ost, TInputStream& ist, AVFrame* frame);
    void EncodeAudioFrames(TOutputCoder& c, bool flush);
    void EncodeVideo(TOutputStream& ost, TInputStream& ist, AVFrame* frame);
    void EncodeVideoFrame(TOutputStream& ost, TInputStream& ist, AVFrame* frame, double syncTime);
    void EncodeFrame(TOutputCoder& c, const AVFrame* frame);
    void EncodeSubtitle(TOutputStream& ost, TInputStream& ist, AVSubtitle* sub, int64_t pts);
    void FlushEncoder(TOutputCoder& c);
    void WriteVideoStats(TOutputCoder& c, int frameSize);
    void ApplyVolume(TOutputCoder& c, uint8_t** data, int samples);

    // FFmpegTranscode.cpp
    void Loop();
    int ChooseInput(int joinIndex, bool& stop);
    bool EndOfJoinInput(int& joinIndex);
    int OutputPacket(TInputStream& ist, int istIndex, const AVPacket* pkt);
    // Rate emulation: waits until the stream's time is due in real time.
    void KeepInputRate(const TInputStream& ist);
    int DecodeAudio(TInputStream& ist, const AVPacket* pkt, bool& gotFrame);
    int DecodeVideo(TInputStream& ist, const AVPacket* pkt, bool& gotFrame);
    void SendDecodedVideo(TInputStream& ist, int istIndex, AVFrame* frame);
    void SendDecodedAudio(TInputStream& ist, int istIndex, AVFrame* frame);
    void CopyPacket(TOutputStream& ost, TInputStream& ist, const AVPacket* pkt);
    void ReportProgress(int AFileIndex, bool ALast);
    void Finish();
    // Checks what the run wrote: an encoded stream that got nothing fails the
    // conversion; a stopped file with a picture or sound stream that got
    // nothing (or nothing at all) is removed, and the report says so.
    void CheckWritten();
    void DiscardOutput(TOutputFile* out);
    void DiscardOutputs();
    // "Input #n ended early: ..." for a cut-off or damaged input, else "".
    QString EndedEarlyNote() const;
    // Keeps the furthest end of what was read from the file.
    static void NoteReadEnd(TInputFile& file, const AVPacket* pkt);
    double OutputTime(const TOutputCoder& c) const;

    TCustomFFmpeg& C;
    const TFFmpegOptionState& O;
    std::vector<TInputFile> FFiles;
    std::vector<TInputStream> FInputs;
    std::vector<std::unique_ptr<TOutputCoder>> FCoders;
    std::vector<TOutputStream> FOutputs;
    int FSegmentStreams = 0;  // streams of the first output (one join segment)
    AVPacket* FPacket = nullptr;
    AVPacket* FOutPacket = nullptr;
    AVFrame* FDecoded = nullptr;
    AVFrame* FFiltered = nullptr;
    std::vector<uint8_t> FSubtitleBuffer;  // this conversion's own
    int64_t FLastReport = 0;
    int FQpHistogram[52] = {};
    int FHookFrameNumber = 0;
    TRGBConvertContext FHookContext, FPostContext;
    std::unique_ptr<TPreviewer> FPreviewer;
    int64_t FPreviewLastTime = 0;
    bool FHeadersWritten = false;
};
