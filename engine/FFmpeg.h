// One conversion: the inputs and outputs of a task, the converter's option
// state that the task's options are poured into, and the worker that runs the
// transcode. The implementation is split by stage: FFmpegRun.cpp (lifecycle,
// worker, pause gate, clean-up), FFmpegOptions.cpp (option dispatcher and
// setters), FFmpegFiles.cpp (inputs, outputs, streams), FFmpegTargets.cpp
// (targets, presets, bitstream filters).
#pragma once

#include "engine/FFBase.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/bsf.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

class TCustomFFmpeg;
struct TFFOptions;

constexpr int MAX_STREAMS = 20;
constexpr int MAX_FILES_LIMIT = 512;

// Every failure inside a conversion is raised as one of these and reported as
// the task's fatal message.
class FFmpegException : public EEngineError {
public:
    using EEngineError::EEngineError;
};

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

enum TPostHook { phPreview, phBitmap, phHBITMAP };
using TPostHooks = unsigned;  // bit (1 << TPostHook)

struct TAVStreamMap {
    int file_index = 0;
    int stream_index = 0;
    int sync_file_index = 0;
    int sync_stream_index = 0;
    bool operator==(const TAVStreamMap&) const = default;
};

struct TAVMetaDataMap {
    int out_file = 0;
    int in_file = 0;
    bool operator==(const TAVMetaDataMap&) const = default;
};

// A bitstream filter chosen by option; its context is made once the stream's
// encoder is open, because only then are its input parameters known.
struct TBitStreamFilterItem {
    const AVBitStreamFilter* filter = nullptr;
    std::string args;  // text after "=", applied as the filter's options
};
using TBitStreamFilterChain = std::vector<TBitStreamFilterItem>;

// One stream of an output file as attaching built it. The encoder context
// holds every parameter the option state gave; it is opened by the transcode.
struct TOutputStreamSetup {
    AVStream* st = nullptr;
    AVCodecContext* enc = nullptr;     // nullptr for stream copy
    const AVCodec* codec = nullptr;    // encoder; nullptr when none was found
    bool stream_copy = false;
    float quality = 0;                 // fixed quality (lambda), 0 = none
    AVDictionary* codec_opts = nullptr;  // options left for the encoder's open
    // Nobody asked for these: the transcode takes them from the stream it
    // converts, fitted to what the encoder takes.
    bool size_from_source = false, rate_from_source = false, channels_from_source = false;
};

// One output file. Attaching validates and builds it; the file itself is
// created only when the task runs (OpenOutputFilesIO).
struct TOutputFile {
    AVFormatContext* ctx = nullptr;
    QString file_name;                 // the caller's (wide) name
    std::string library_name;          // what the libraries are given
    std::vector<TOutputStreamSetup> streams;
    AVDictionary* muxer_opts = nullptr;  // for avformat_write_header
    bool io_opened = false;
    bool no_overwrite = false;         // created exclusively
};

// The option state of the converter's option set; the next input file, output
// file or new stream consumes it. Default values are those ResetOptions gives.
struct TFFmpegOptionState {
    std::string Flast_asked_format;
    int Fframe_width = 0, Fframe_height = 0;
    // Whether the size, rate and channel count were asked for, or are the
    // last input's own (which the transcode may fit to the encoder).
    bool Fframe_size_asked = false, Faudio_rate_asked = false, Faudio_channels_asked = false;
    float Fframe_aspect_ratio = 0;
    int Fframe_pix_fmt = -1;
    int Faudio_sample_fmt = -1;
    int Fframe_topBand = 0, Fframe_bottomBand = 0, Fframe_leftBand = 0, Fframe_rightBand = 0;
    int Fmax_frames[4] = {2147483647, 2147483647, 2147483647, 2147483647};  // by media type
    AVRational Fframe_rate = {0, 0};
    float Fvideo_qscale = 0;
    std::vector<uint16_t> Fintra_matrix, Finter_matrix;  // empty = none, else 64 entries
    std::string Fvideo_rc_override_string;
    bool Fvideo_disable = false;
    int Fvideo_discard = 0;
    std::string Fvideo_codec_name;
    unsigned Fvideo_codec_tag = 0;
    QString Fvideo_language;
    bool Fsame_quality = false;
    bool Fdo_deinterlace = false;
    int Ftop_field_first = -1;
    int Fme_threshold = 0;
    int Fintra_dc_precision = 8;
    bool Floop_input = false;
    int Floop_output = -1;
    bool Fqp_hist = false;
    QString Fvfilters;
    bool FEnableFilter = false;
    bool Fintra_only = false;
    int Faudio_sample_rate = 44100;
    int64_t Fchannel_layout = 0;
    float Faudio_qscale = -99999.0f;
    bool Faudio_disable = false;
    int Faudio_channels = 2;
    std::string Faudio_codec_name;
    unsigned Faudio_codec_tag = 0;
    QString Faudio_language;
    bool Fsubtitle_disable = false;
    std::string Fsubtitle_codec_name;
    QString Fsubtitle_language;
    unsigned Fsubtitle_codec_tag = 0;
    float Fmux_preload = 0.5f;
    float Fmux_max_delay = 0.7f;
    int64_t Frecording_time = std::numeric_limits<int64_t>::max();
    int64_t Fstart_time = 0;
    int64_t Frecording_timestamp = 0;
    int64_t Finput_ts_offset = 0;
    int Fdo_benchmark = 0;
    bool Fdo_hex_dump = false, Fdo_pkt_dump = false, Fdo_psnr = false;
    int Fdo_pass = 0;
    std::string Fpass_logfilename_prefix;
    int Faudio_stream_copy = 0, Fvideo_stream_copy = 0, Fsubtitle_stream_copy = 0;
    int Fvideo_sync_method = -1;
    int Faudio_sync_method = 0;
    float Faudio_drift_threshold = 0.1f;
    bool Fcopy_ts = false, Fopt_shortest = false;
    int Fvideo_global_header = 0, Fopt_programid = 0, Fcopy_initial_nonkeyframes = 0;
    std::string Fvstats_filename;
    bool Frate_emu = false;
    int Fvideo_channel = 0;
    std::string Fvideo_standard;
    int Faudio_volume = 256;
    bool Fexit_on_error = false;
    int Fusing_stdin = 0;
    bool Fusing_vhook = false;
    int Fverbose = 1;
    int Fthread_count = 1;
    int Fq_pressed = 0;
    bool Finput_sync = false;
    int64_t Flimit_filesize = 0;
    bool Fforce_fps = false;
    int Fpgmyuv_compatibility_hack = 0;
    float Fdts_delta_threshold = 10.0f;
    int Fsws_flags = 4;
    int Fbit_buffer_size = 262144;
    TPostHooks FPostHooks = 0;
};

// The worker of one conversion. Created idle by StartConvert; the caller
// starts it. Owned by its converter, which joins it on destruction.
class TConvertThread {
public:
    TConvertThread(TCustomFFmpeg* AOwner, TThreadPriority APriority);
    ~TConvertThread();
    TConvertThread(const TConvertThread&) = delete;
    TConvertThread& operator=(const TConvertThread&) = delete;

    void Start();   // created idle; the caller starts it
    void Join();
    bool Started() const { return FThread.joinable(); }
    bool IsCurrentThread() const { return FId.load() == std::this_thread::get_id(); }

private:
    TCustomFFmpeg* FOwner;
    TThreadPriority FPriority;
    std::thread FThread;                 // the starting thread's
    std::atomic<std::thread::id> FId{};  // set by the worker itself
};

class TCustomFFmpeg : public QObject {
public:
    using TProgressEvent = std::function<void(TCustomFFmpeg* Sender, int AFileIndex, int AFrameNumber, int AFPS,
                                              float AQuality, float ABitRate, int64_t ACurrentSize,
                                              int64_t ACurrentDuration, int64_t ATotalDuration)>;
    using TNotifyEvent = std::function<void(TCustomFFmpeg* Sender)>;
    // Raised on the worker thread by the picture hooks.
    using TPreviewBitmapEvent =
        std::function<void(TCustomFFmpeg* Sender, const QImage& ABitmap, int AFrameNumber, int64_t APTS)>;
    using TCustomHookEvent = std::function<void(TCustomFFmpeg* Sender, QImage& ABitmap, int AFrameNumber,
                                                int64_t APTS, bool& AUpdate, bool& AStopHook)>;

    explicit TCustomFFmpeg(int AMaxFiles);
    virtual ~TCustomFFmpeg();
    TCustomFFmpeg(const TCustomFFmpeg&) = delete;
    TCustomFFmpeg& operator=(const TCustomFFmpeg&) = delete;

    // Lifecycle (FFmpegRun.cpp).
    void InitTask();
    TConvertThread* StartConvert(bool AUseThread, TThreadPriority APriority = tpNormal);
    void Stop(bool AWaitFor);
    void StopOrTerminate(bool AWaitFor);
    void Pause();
    void Resume();
    void ResetOptions();
    void CleanupTask();

    // Option set (FFmpegOptions.cpp).
    void SetOption(const QString& AName, const QString& AValue);
    void SetFormat(const QString& AValue);
    void SetIntOption(const std::string& AName, int AValue);
    void SetVerbose(int AValue);
    void SetFrameRate(const QString& AValue);
    void SetCropTop(int AValue);
    void SetCropBottom(int AValue);
    void SetCropLeft(int AValue);
    void SetCropRight(int AValue);
    void SetFrameSize(const QString& AValue);
    void SetAspectRatio(const QString& AValue);
    void AddMetadata(const std::string& AKey, const std::string& AValue);
    void SetAudioSampleRate(int AValue);
    void SetAudioChannels(int AValue);
    void SetAudioCodec(const QString& AValue);
    void SetAudioTag(const QString& AValue);
    void SetVideoTag(const QString& AValue);
    void SetSubtitleTag(const QString& AValue);
    void SetVideoFilters(const QString& AValue);
    void SetVideoCodec(const QString& AValue);
    void SetSubtitleCodec(const QString& AValue);
    void SetRecordingTime(int64_t AValue);
    void SetStartTime(int64_t AValue);
    void SetProgramID(int AValue);
    void SetPostHooks(TPostHooks AValue);
    void SetAudioVolume(int AValue);
    void SetAudioSyncMethod(int AValue);
    void SetVideoSyncMethod(int AValue);
    void SetMuxMaxDelay(float AValue);
    void SetMuxPreload(float AValue);

    // Files and streams (FFmpegFiles.cpp).
    bool OpenInputFile(const QString& AFileName);
    // ANoOverwrite: the file is created exclusively when the task runs.
    int OpenOutputFile(const QString& AFileName, bool AJoin, bool ANoOverwrite = false);
    void new_video_stream(TOutputFile& AOutput);
    void new_audio_stream(TOutputFile& AOutput);
    void new_subtitle_stream(TOutputFile& AOutput);
    void check_audio_video_sub_inputs(bool AFirstOnly, bool& AHasVideo, bool& AHasAudio, bool& AHasSubtitle);
    bool FindCodecByName(const std::string& AName, AVMediaType AType, AVCodecID& AId, int AStrict, bool AEncoder,
                         const AVCodec** ACodec = nullptr);

    // Targets, presets, bitstream filters (FFmpegTargets.cpp).
    void SetTarget(const QString& ATarget, const QString& ANorm, const QString& ADefaultNorm);
    void ApplyPreset(const QString& AOptName, const QString& AValue);
    void AddBitStreamFilter(const QString& AOptName, const QString& AValue);

    // Read-only views for the task component and the tests.
    int MaxFiles() const { return FMaxFiles; }
    const TFFmpegOptionState& Options() const { return FOpt; }
    int nb_input_files() const { return Fnb_input_files; }
    int nb_output_files() const { return Fnb_output_files; }
    // Files behind the output slots: a join fills every slot with one file.
    int OwnOutputFiles() const { return FJoinMode ? std::min(Fnb_output_files, 1) : Fnb_output_files; }
    AVFormatContext* InputFile(int i) const { return Finput_files.at(i); }
    TOutputFile* OutputFile(int i) const { return Foutput_files.at(i); }
    const std::vector<TAVStreamMap>& StreamMaps() const { return Fstream_maps; }
    int nb_stream_maps() const { return Fnb_stream_maps; }
    const std::vector<TAVMetaDataMap>& MetaDataMaps() const { return Fmeta_data_maps; }
    int nb_meta_data_maps() const { return Fnb_meta_data_maps; }
    const std::vector<std::vector<double>>& InputTsScale() const { return Finput_files_ts_scale; }
    const std::vector<const AVCodec*>& InputCodecs() const { return Finput_codecs; }
    int nb_icodecs() const { return Fnb_icodecs; }
    const int* StreamIdMap() const { return Fstreamid_map; }
    const std::vector<std::pair<std::string, std::string>>& Metadata() const { return Fmetadata; }
    const TBitStreamFilterChain& PendingBitStreamFilters(AVMediaType AType) const;
    TFFOptions* GenericOptions() const { return FOptions.get(); }
    QString LastErrMsg() const { return FLastErrMsg; }
    int64_t TotalOutputDuration() const { return FTotalOutputDuration; }
    bool Converting() const { return FConverting; }
    bool Finished() const { return FFinished; }
    bool Terminated() const { return FTerminated; }
    bool Broken() const { return FBroken; }
    bool Paused() const;
    bool FatalException() const { return FFatalException; }
    // The last run opened an output file for writing.
    bool OutputWritten() const { return FOutputWritten; }
    // Why the conversion failed; without FatalException, a note on a finished
    // one (an input that ended early), else empty.
    QString FatalMessage() const { return FFatalMessage; }

    // Public fields of the component.
    int64_t ReportInterval = 500000;
    int64_t PreviewInterval = 100000;
    // Threads each codec of this conversion may use; 0 lets the libraries
    // choose. Tasks that run side by side share the cores through it.
    int CodecThreads = 0;

    TProgressEvent OnProgress;
    TNotifyEvent OnTerminate;

    TPreviewBitmapEvent OnPreviewBitmap;
    TCustomHookEvent OnCustomHook;

protected:
    // The transcode proper (the pipeline of FFmpegPipeline.h); descendants
    // (and tests) may replace it. A descendant that
    // overrides it calls Stop(true) in its own destructor, so the worker is
    // done before the descendant's part is destroyed.
    virtual void Transcode();

    // The clock preview pictures are paced by, in microseconds; tests give their own.
    virtual int64_t PreviewClock() const;

    // Creates every output file that is not created yet. An output that turned
    // into one of the inputs since it was attached is refused again here.
    void OpenOutputFilesIO();

    // The cooperative pause gate: the transcode calls it at safe points (each
    // packet, each duplicated frame, before a blocking UI call) and never with
    // a lock held. Returns at once unless paused; Stop opens it.
    void CheckPause();

    void RunConvert();
    void DoTerminate();
    void Log(int ALevel, const QString& AMsg);  // ALevel: a TLogLevel
    void Fatal(const QString& AMsg);
    void WaitForEvent(const std::atomic<bool>& AEvent);

    // Coders opened by the transcode; whatever is still listed when the
    // conversion ends is closed by RunConvert. Items point at the owner's slot.
    static void AddCodecItem(std::vector<AVCodecContext**>& AList, AVCodecContext** ACodec);
    static void RemoveCodecItem(std::vector<AVCodecContext**>& AList, AVCodecContext** ACodec);
    void CloseCoderList(std::vector<AVCodecContext**>& AList, bool AEncoders);
    std::vector<AVCodecContext**> FEncoderList, FDecoderList;

    TFFOptions& GenericOptionsForWrite();
    AVDictionary* GenericFormatOptions() const;  // a copy, or nullptr

    // Raises "stream index over MAX_STREAMS(20)" style errors for table indexes.
    [[noreturn]] void RaiseIndex(const QString& AMsg);
    QString SameFileAsInput(const QString& AFileName, int& AInputIndex) const;

    friend class TConvertThread;
    friend class TTranscoder;  // the pipeline of one run (FFmpegPipeline.h)

    // Frame-hook libraries added by "vhook", in call order (PreviewWindow.h).
    struct TFrameHookEntry* FFrameHooks = nullptr;

    // Tables sized at construction.
    int FMaxFiles = 0;
    std::vector<AVFormatContext*> Finput_files;
    std::vector<QString> Finput_file_names;
    int Fnb_input_files = 0;
    std::vector<int64_t> Finput_files_ts_offset;
    std::vector<std::vector<double>> Finput_files_ts_scale;
    std::vector<const AVCodec*> Finput_codecs;
    int Fnb_icodecs = 0;
    std::vector<TOutputFile*> Foutput_files;
    int Fnb_output_files = 0;
    std::vector<const AVCodec*> Foutput_codecs;
    int Fnb_ocodecs = 0;
    std::vector<TAVStreamMap> Fstream_maps;
    int Fnb_stream_maps = 0;
    std::vector<TAVMetaDataMap> Fmeta_data_maps;
    int Fnb_meta_data_maps = 0;
    std::vector<std::vector<TBitStreamFilterChain>> Fbitstream_filters;
    int Fstreamid_map[MAX_STREAMS] = {};

    TFFmpegOptionState FOpt;
    // Metadata pairs for the next output file; ResetOptions leaves them.
    std::vector<std::pair<std::string, std::string>> Fmetadata;
    TBitStreamFilterChain Fvideo_bitstream_filters, Faudio_bitstream_filters, Fsubtitle_bitstream_filters;
    std::unique_ptr<TFFOptions, void (*)(TFFOptions*)> FOptions;

    // Run counters of the transcode.
    int64_t Fvideo_size = 0, Faudio_size = 0, Fextra_size = 0;
    int Fnb_frames_dup = 0, Fnb_frames_drop = 0;
    bool FShowDupOrDrop = false;
    int64_t Ftimer_start = 0;
    FILE* Fvstats_file = nullptr;

    // Run state. Written by the UI thread (Stop, Pause, Resume) and read by
    // the worker, hence atomic; the gate's own state is guarded by FGateLock.
    std::atomic<TConvertThread*> FThread{nullptr};
    std::unique_ptr<TConvertThread> FThreadObject;
    bool FJoinMode = false;
    std::atomic<bool> FConverting{false};
    std::atomic<bool> FBroken{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FOutputWritten{false};
    bool FFatalException = false;
    QString FFatalMessage;
    int64_t FTotalOutputDuration = -1;
    QString FLastErrMsg;

    mutable std::mutex FGateLock;
    std::condition_variable FGateCond;
    bool FPaused = false;  // FGateLock
    // Written under FGateLock (for FGateCond); atomic so the UI thread's
    // sliced waits may test them between slices.
    std::atomic<bool> FStopEvent{true};  // false while the worker runs
    std::atomic<bool> FTermEvent{true};  // false while a terminate thread runs
    std::unique_ptr<std::thread> FTermThread;

private:
    void SetCodecName(std::string& AName, int& ACopy, const QString& AValue);
    void SetTag(unsigned& ATag, const QString& AValue, const char* AKind);
    void SetCropBand(int AValue, int& ABand, int& ASize, const char* AAxis);
    const AVCodec* ChooseEncoder(const TOutputFile& AOutput, AVMediaType AType, const std::string& AName,
                                 AVCodecID& AId);
    void SetTargetOption(const QString& AValue);
    void SetBitRateOption(const QString& AName, const QString& AValue);
    void SetStreamMap(const QString& AValue);
    void SetMetaDataMap(const QString& AValue);
    void SetInputStreamScale(const QString& AValue);
    void SetStreamId(const QString& AName, const QString& AValue);
    void SetMatrix(std::vector<uint16_t>& AMatrix, const QString& AValue);
    void SetMetadataOption(const QString& AValue);
    int64_t ParseTime(const QString& AName, const QString& AValue, bool ADuration);
    void ListPixelFormats();
    void ListSampleFormats();
    void SetVstats();
    void NewStreamOnLastOutput(AVMediaType AType);
    void FreeOutputFile(TOutputFile* AFile);
    TOutputStreamSetup& AddOutputStream(TOutputFile& AOutput, AVMediaType AType, TBitStreamFilterChain& AChain);
};

// The built-in x264 presets as (name, option text) rows.
std::vector<std::pair<QString, QString>> BuiltinPresets();

// The one lock of the post hooks (preview window and bitmap event).
std::recursive_mutex& PostHookLock();
