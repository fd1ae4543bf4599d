// Converter lifecycle: construction, option reset, start, the worker and its
// pause gate, stop, termination and the clean-up after a conversion.
#include "engine/FFmpeg.h"
#include "engine/FFFileNames.h"
#include "engine/FFmpegInternal.h"
#include "engine/MainThread.h"
#include "engine/PreviewWindow.h"

#include <QFile>

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

std::recursive_mutex& PostHookLock() {
    static std::recursive_mutex lock;
    return lock;
}

// ---------------------------------------------------------------------------
// TConvertThread

TConvertThread::TConvertThread(TCustomFFmpeg* AOwner, TThreadPriority APriority)
    : FOwner(AOwner), FPriority(APriority) {}

TConvertThread::~TConvertThread() { Join(); }

namespace {

// Nice values per priority; raising above normal needs a right the program
// usually lacks, and is then silently skipped.
void ApplyThreadPriority(TThreadPriority p) {
    if (p == tpNormal) return;
    if (p == tpIdle) {
        sched_param sp{};
        sched_setscheduler(0, SCHED_IDLE, &sp);
        return;
    }
    static constexpr int kNice[] = {19, 10, 5, 0, -5, -10, -15};
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kNice[p]);
}

}  // namespace

void TConvertThread::Start() {
    TCustomFFmpeg* owner = FOwner;
    {
        std::lock_guard lock(owner->FGateLock);
        if (FThread.joinable()) return;
        // Reset here, not in the thread: a Stop(true) right after Start must wait.
        owner->FStopEvent = false;
        const TThreadPriority prio = FPriority;
        FThread = std::thread([this, owner, prio] {
            FId = std::this_thread::get_id();
            ApplyThreadPriority(prio);
            owner->RunConvert();  // catches everything itself
            {
                std::lock_guard l(owner->FGateLock);
                owner->FStopEvent = true;
            }
            owner->FGateCond.notify_all();
            WakeMainThreadWaits();
        });
    }
}

void TConvertThread::Join() {
    if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id()) FThread.join();
}

// ---------------------------------------------------------------------------
// Construction

namespace {

TFFOptions* NewGenericOptions(int ASwsFlags) {
    auto* options = new TFFOptions;
    CreateFFOptions(*options, ASwsFlags);
    return options;
}

void DeleteGenericOptions(TFFOptions* AOptions) {
    if (!AOptions) return;
    FreeFFOptions(*AOptions);
    delete AOptions;
}

}  // namespace

std::string GenericCodecValue(const TFFOptions* AOptions, AVMediaType AType, const char* AName) {
    if (!AOptions || AType < 0 || AType >= 5) return std::string();
    const AVDictionaryEntry* e = ff::av_dict_get(AOptions->codec_opts[AType], AName, nullptr, 0);
    return e ? std::string(e->value) : std::string();
}

TCustomFFmpeg::TCustomFFmpeg(int AMaxFiles) : FOptions(nullptr, &DeleteGenericOptions) {
    if (AMaxFiles <= 0 || AMaxFiles > MAX_FILES_LIMIT)
        throw FFmpegException(QStringLiteral("Assertion failed: max files must lie in 1..%1, got %2")
                                  .arg(MAX_FILES_LIMIT)
                                  .arg(AMaxFiles));
    FMaxFiles = AMaxFiles;
    Finput_files.assign(FMaxFiles, nullptr);
    Finput_file_names.assign(FMaxFiles, QString());
    Finput_files_ts_offset.assign(FMaxFiles, 0);
    Finput_files_ts_scale.assign(FMaxFiles, std::vector<double>(MAX_STREAMS, 0.0));
    Finput_codecs.assign(FMaxFiles * MAX_STREAMS, nullptr);
    Foutput_files.assign(FMaxFiles, nullptr);
    Foutput_codecs.assign(FMaxFiles * MAX_STREAMS, nullptr);
    Fstream_maps.assign(FMaxFiles * MAX_STREAMS, TAVStreamMap{});
    Fmeta_data_maps.assign(FMaxFiles, TAVMetaDataMap{});
    Fbitstream_filters.assign(FMaxFiles, std::vector<TBitStreamFilterChain>(MAX_STREAMS));
    ResetOptions();
}

TCustomFFmpeg::~TCustomFFmpeg() {
    // A worker never started is dropped: running a transcode for an object
    // that is going away would reach members already destroyed.
    if (FThreadObject && !FThreadObject->Started()) FThread = nullptr;
    Stop(true);
    if (FThreadObject) FThreadObject->Join();
    if (FTermThread && FTermThread->joinable()) FTermThread->join();
    CleanupTask();
    CloseCoderList(FEncoderList, true);
    CloseCoderList(FDecoderList, false);
}

void TCustomFFmpeg::ResetOptions() {
    FOpt = TFFmpegOptionState{};
    for (auto& row : Finput_files_ts_scale) std::fill(row.begin(), row.end(), 0.0);
    std::fill(std::begin(Fstreamid_map), std::end(Fstreamid_map), 0);
    Fnb_input_files = 0;
    Fnb_output_files = 0;
    Fnb_stream_maps = 0;
    Fnb_meta_data_maps = 0;
    Fnb_icodecs = 0;
    Fnb_ocodecs = 0;
    FOptions.reset();
    Fvideo_bitstream_filters.clear();
    Faudio_bitstream_filters.clear();
    Fsubtitle_bitstream_filters.clear();
    FThread = nullptr;
    FTotalOutputDuration = -1;
    Fvideo_size = Faudio_size = Fextra_size = 0;
    Fnb_frames_dup = Fnb_frames_drop = 0;
    FShowDupOrDrop = false;
    FFatalException = false;
}

void TCustomFFmpeg::InitTask() {
    if (!FFLoader().Loaded(ConverterLibraries)) return;
    CleanupTask();
    ResetOptions();
    FJoinMode = false;
    FConverting = false;
    FBroken = false;
    FFinished = false;
    FTerminated = false;
    FOptions.reset(NewGenericOptions(FOpt.Fsws_flags));
}

TFFOptions& TCustomFFmpeg::GenericOptionsForWrite() {
    if (!FOptions) FOptions.reset(NewGenericOptions(FOpt.Fsws_flags));
    return *FOptions;
}

void TCustomFFmpeg::Log(int ALevel, const QString& AMsg) {
    GetLogger()->Log(this, static_cast<TLogLevel>(ALevel), AMsg);
}

AVDictionary* TCustomFFmpeg::GenericFormatOptions() const { return FOptions ? FormatOptions(*FOptions) : nullptr; }

// ---------------------------------------------------------------------------
// Start, worker, stop

TConvertThread* TCustomFFmpeg::StartConvert(bool AUseThread, TThreadPriority APriority) {
    if (FConverting || FTerminated) return nullptr;
    try {
        if (Fnb_output_files <= 0) {
            CleanupTask();
            throw FFmpegException(QStringLiteral("At least one output file must be specified"));
        }
        if (Fnb_input_files == 0) {
            CleanupTask();
            throw FFmpegException(QStringLiteral("At least one input file must be specified"));
        }
    } catch (const FFmpegException& e) {
        Log(llQuiet, e.Message());
        FFatalException = true;
        FFatalMessage = e.Message();
        DoTerminate();
        return nullptr;
    }
    FConverting = true;
    FBroken = false;
    FFinished = false;
    FTerminated = false;
    FOutputWritten = false;
    FFatalException = false;
    FFatalMessage.clear();
    if (!AUseThread) {
        RunConvert();
        return nullptr;
    }
    FThreadObject = std::make_unique<TConvertThread>(this, APriority);
    FThread = FThreadObject.get();
    return FThread;
}

void TCustomFFmpeg::RunConvert() {
    FFinished = false;
    const auto guarded = [this](auto&& step) {
        try {
            step();
        } catch (const std::exception& e) {
            Fatal(QString::fromUtf8(e.what()));
        } catch (...) {
            // Anything else would end the worker without a terminate report.
            Fatal(QStringLiteral("Unknown error"));
        }
    };
    guarded([this] { Transcode(); });
    guarded([this] { CloseCoderList(FEncoderList, true); });
    guarded([this] { CloseCoderList(FDecoderList, false); });
    guarded([this] { CleanupTask(); });
    guarded([this] { DoTerminate(); });
}

void TCustomFFmpeg::Fatal(const QString& AMsg) {
    Log(llQuiet, AMsg);
    FFatalException = true;
    FFatalMessage = AMsg;
}

// Transcode() is the pipeline's (FFmpegTranscode.cpp).

void TCustomFFmpeg::DoTerminate() {
    FConverting = false;
    FTerminated = true;
    FThread = nullptr;
    if (OnTerminate) OnTerminate(this);
}

void TCustomFFmpeg::CheckPause() {
    std::unique_lock lock(FGateLock);
    FGateCond.wait(lock, [this] { return !FPaused || FBroken; });
}

bool TCustomFFmpeg::Paused() const {
    std::lock_guard lock(FGateLock);
    return FPaused;
}

void TCustomFFmpeg::Pause() {
    if (!FThread) return;
    std::lock_guard lock(FGateLock);
    FPaused = true;
}

void TCustomFFmpeg::Resume() {
    if (!FThread) return;
    {
        std::lock_guard lock(FGateLock);
        if (!FPaused) return;
        FPaused = false;
    }
    FGateCond.notify_all();
}

void TCustomFFmpeg::WaitForEvent(const std::atomic<bool>& AEvent) {
    if (IsMainThread()) {
        // Slices that run the UI thread's pending calls, so a worker blocked
        // in CallInMainThread can reach its end.
        WaitInMainThread([&AEvent] { return AEvent.load(); }, -1, 20);
    } else {
        std::unique_lock lock(FGateLock);
        FGateCond.wait(lock, [&AEvent] { return AEvent.load(); });
    }
}

void TCustomFFmpeg::Stop(bool AWaitFor) {
    {
        std::lock_guard lock(FGateLock);
        FBroken = true;
        FPaused = false;  // a paused worker must see the stop
    }
    FGateCond.notify_all();
    TConvertThread* thread = FThread;
    if (!thread) return;
    thread->Start();  // a worker never started must still run to its end
    // From the worker itself (an event handler) the stop is only flagged.
    if (AWaitFor && !thread->IsCurrentThread()) WaitForEvent(FStopEvent);
}

void TCustomFFmpeg::StopOrTerminate(bool AWaitFor) {
    if (FConverting) {
        Stop(AWaitFor);
        return;
    }
    if (FTerminated || FTermThread) return;
    {
        std::lock_guard lock(FGateLock);
        FTermEvent = false;
    }
    FTermThread = std::make_unique<std::thread>([this] {
        DoTerminate();
        {
            std::lock_guard lock(FGateLock);
            FTermEvent = true;
        }
        FGateCond.notify_all();
        WakeMainThreadWaits();
    });
    if (AWaitFor) WaitForEvent(FTermEvent);
}

// ---------------------------------------------------------------------------
// Coder lists

void TCustomFFmpeg::AddCodecItem(std::vector<AVCodecContext**>& AList, AVCodecContext** ACodec) {
    AList.insert(AList.begin(), ACodec);
}

void TCustomFFmpeg::RemoveCodecItem(std::vector<AVCodecContext**>& AList, AVCodecContext** ACodec) {
    const auto it = std::find(AList.begin(), AList.end(), ACodec);
    if (it != AList.end()) AList.erase(it);
}

void TCustomFFmpeg::CloseCoderList(std::vector<AVCodecContext**>& AList, bool AEncoders) {
    std::vector<AVCodecContext**> items;
    items.swap(AList);
    if (!FFLoader().Loaded(ConverterLibraries)) return;
    for (AVCodecContext** slot : items) {
        if (!slot || !*slot) continue;
        if (AEncoders) ff::av_freep(&(*slot)->stats_in);
        std::lock_guard lock(CodecLock);
        ff::avcodec_free_context(slot);
    }
}

// ---------------------------------------------------------------------------
// Clean-up

void TCustomFFmpeg::FreeOutputFile(TOutputFile* AFile) {
    if (!AFile) return;
    for (TOutputStreamSetup& s : AFile->streams) {
        if (s.enc) {
            std::lock_guard lock(CodecLock);
            ff::avcodec_free_context(&s.enc);
        }
        ff::av_dict_free(&s.codec_opts);
    }
    ff::av_dict_free(&AFile->muxer_opts);
    if (AFile->ctx) {
        if (AFile->io_opened) CloseOutputIO(AFile->ctx);
        ff::avformat_free_context(AFile->ctx);
    }
    // Only a file this task created is removed: an empty file the user had at
    // that path before is not ours.
    if (AFile->io_opened && FileSizeByName(AFile->file_name) == 0) QFile::remove(AFile->file_name);
    delete AFile;
}

void TCustomFFmpeg::CleanupTask() {
    FrameHookRelease(FFrameHooks);
    FOpt.Fusing_vhook = false;
    if (!FFLoader().Loaded(ConverterLibraries)) return;
    FOptions.reset();
    const int outputs = OwnOutputFiles();
    for (int i = 0; i < outputs; ++i) FreeOutputFile(Foutput_files[i]);
    std::fill(Foutput_files.begin(), Foutput_files.end(), nullptr);
    Fnb_output_files = 0;
    for (int i = 0; i < Fnb_input_files; ++i) {
        CloseInputFile(&Finput_files[i]);
        Finput_file_names[i].clear();
    }
    Fnb_input_files = 0;
    FOpt.Fintra_matrix.clear();
    FOpt.Finter_matrix.clear();
    if (Fvstats_file) {
        fclose(Fvstats_file);
        Fvstats_file = nullptr;
    }
    FOpt.Fvstats_filename.clear();
    FOpt.Fvideo_codec_name.clear();
    FOpt.Faudio_codec_name.clear();
    FOpt.Fsubtitle_codec_name.clear();
    FOpt.Fvideo_standard.clear();
    FOpt.Fvideo_rc_override_string.clear();
    FOpt.Fvideo_language.clear();
    FOpt.Faudio_language.clear();
    FOpt.Fsubtitle_language.clear();
    FOpt.Fsubtitle_codec_tag = 0;
    for (auto& row : Fbitstream_filters)
        for (auto& chain : row) chain.clear();
}

// ---------------------------------------------------------------------------
// Output files are created when the task runs

void TCustomFFmpeg::OpenOutputFilesIO() {
    const int outputs = OwnOutputFiles();
    for (int i = 0; i < outputs; ++i) {
        TOutputFile* out = Foutput_files[i];
        if (!out || out->io_opened || (out->ctx->oformat->flags & AVFMT_NOFILE)) continue;
        int input = -1;
        const QString same = SameFileAsInput(out->file_name, input);
        if (!same.isEmpty()) throw FFmpegException(same);
        // No interrupt on Stop here: a stopped conversion still flushes and
        // writes its trailers, and the file layer would refuse those writes.
        const int ret = out->no_overwrite ? OpenNewOutputIO(out->ctx, out->file_name)
                                          : OpenOutputIO(out->ctx, QByteArray::fromStdString(out->library_name));
        if (ret < 0) throw FFmpegException(ErrorText(out->file_name, ret));
        out->io_opened = true;
        FOutputWritten = true;
    }
}
