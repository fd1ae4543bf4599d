// The run of the task list: starting tasks up to the thread count, the next
// pending task started as one ends, pause, resume and stop, and the events.
//
// Every termination report of a run travels one ordered path: on the UI
// thread's FIFO in thread mode, synchronously otherwise, always queued under
// FTerminateLock. So the final report (TaskIndex -1) comes after the report
// of the task that ended last, and Terminated is set when it arrives.
#include "engine/Trevalon.h"

#include "engine/MainThread.h"

#include <algorithm>
#include <exception>
#include <thread>

namespace {

// The UI thread must not block on a lock a worker may hold while it waits
// for the UI thread, so it waits in slices that keep serving those calls.
class TLockFromAnyThread {
public:
    explicit TLockFromAnyThread(std::recursive_mutex& ALock) : FLock(ALock) {
        if (!IsMainThread())
            FLock.lock();
        else if (!FLock.try_lock())
            WaitInMainThread([this] { return FLock.try_lock(); });
    }
    ~TLockFromAnyThread() {
        FLock.unlock();
        // A UI thread waiting for this lock tries again now, not a slice later.
        WakeMainThreadWaits();
    }
    TLockFromAnyThread(const TLockFromAnyThread&) = delete;
    TLockFromAnyThread& operator=(const TLockFromAnyThread&) = delete;

private:
    std::recursive_mutex& FLock;
};

}  // namespace

void TCustomTrevalon::Start(int AThreadCount) {
    CheckNotWorking(QStringLiteral("StartTask"));
    const int count = FFFmpegList.Count();
    {
        TLockFromAnyThread lock(FTerminateLock);
        FCompleteTasks = 0;
        FCurrentTask = 0;
        FPendingTasks = count;
        FReported.assign(count, 0);
        FTerminated = false;
        FThreadMode = AThreadCount > 0;
        // Tasks side by side share the cores: a conversion whose codecs each
        // take every core would make parallel tasks fight over them.
        const int parallel = FThreadMode ? std::min(AThreadCount, count) : 1;
        const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        FCodecThreads = parallel > 1 ? std::max(1, cores / parallel) : 0;
        FPaused = false;
        FWorking = true;
        // Nothing to convert is a run that is over: the final report keeps the
        // component clearable.
        if (count == 0) {
            DoAllTerminated();
            return;
        }
    }
    for (int started = 0; AThreadCount <= 0 || started < AThreadCount; ++started) {
        {
            TLockFromAnyThread lock(FTerminateLock);
            if (FPendingTasks <= 0) break;
        }
        StartNextTask();
    }
}

void TCustomTrevalon::ResetRun() {
    TLockFromAnyThread lock(FTerminateLock);
    FCompleteTasks = 0;
    FCurrentTask = -1;
    FPendingTasks = 0;
    FReported.clear();
    FTerminated = false;
    FThreadMode = false;
    FPaused = false;
    FWorking = false;
}

void TCustomTrevalon::StartNextTask() {
    TFFmpeg* task = nullptr;
    {
        TLockFromAnyThread lock(FTerminateLock);
        if (FPendingTasks <= 0) return;
        --FPendingTasks;
        task = FFFmpegList.Items(FCurrentTask++);
        task->ReportInterval = static_cast<int64_t>(FProgressInterval) * 1000;
        task->CodecThreads = FCodecThreads;
        if (FThreadMode) {
            // Started under the lock, so a Stop that empties the pending count
            // finds the task either unstarted or converting. A task that cannot
            // start reports from inside StartConvert and hands its place on.
            if (TConvertThread* thread = task->StartConvert(true, FThreadPriority)) {
                if (FPaused) task->Pause();
                thread->Start();
            }
            return;
        }
    }
    // The caller's thread converts; the lock stays free for the reports.
    task->StartConvert(false, FThreadPriority);
}

void TCustomTrevalon::Pause() {
    TLockFromAnyThread lock(FTerminateLock);
    FPaused = true;
    FFFmpegList.PauseAll();
}

void TCustomTrevalon::Resume() {
    TLockFromAnyThread lock(FTerminateLock);
    FPaused = false;
    FFFmpegList.ResumeAll();
}

void TCustomTrevalon::StopTasks(bool AWaitFor) {
    if (!FWorking) return;
    {
        TLockFromAnyThread lock(FTerminateLock);
        FPendingTasks = 0;
        FPaused = false;
    }
    // Each task terminates once, through DoTaskTerminate: unstarted ones from
    // a short-lived thread of their converter.
    FFFmpegList.StopAll(AWaitFor);
    // In caller mode the converting task may be further down this very
    // stack; it reports when it returns.
    if (AWaitFor && FThreadMode && IsMainThread()) {
        const int count = FFFmpegList.Count();
        WaitInMainThread([this, count] { return FCompleteTasks.load() >= count; });
    }
}

void TCustomTrevalon::Stop(bool AWaitFor) {
    StopTasks(AWaitFor);
    // The final report may still wait in the UI thread's queue.
    if (AWaitFor && FWorking && FThreadMode && IsMainThread()) WaitInMainThread([this] { return FTerminated.load(); });
}

// ---------------------------------------------------------------------------
// Events

void TCustomTrevalon::DoTaskTerminate(TCustomFFmpeg* Sender) {
    TLockFromAnyThread lock(FTerminateLock);
    const int index = FFFmpegList.IndexOf(Sender);
    // A stop racing a start may terminate a task twice; it is reported once.
    if (index < 0 || index >= static_cast<int>(FReported.size()) || FReported[index]) return;
    FReported[index] = 1;
    FFFmpegList.Items(index)->DetachProbes();

    FTerminateInfo.TaskIndex = index;
    FTerminateInfo.Finished = Sender->Finished();
    FTerminateInfo.Exception = Sender->FatalException();
    FTerminateInfo.ExceptionMsg = Sender->FatalMessage();
    FTerminateInfo.OutputWritten = Sender->OutputWritten();
    // A throwing handler must not stall the run: the counting goes on and
    // the exception is passed on afterwards.
    std::exception_ptr error;
    try {
        DeliverTerminate(FTerminateInfo, false);
    } catch (...) {
        error = std::current_exception();
    }
    ++FCompleteTasks;
    try {
        if (FPendingTasks < 1) {
            if (FCompleteTasks >= FFFmpegList.Count()) DoAllTerminated();
        } else if (FThreadMode) {
            StartNextTask();
        }
    } catch (...) {
        if (!error) error = std::current_exception();
    }
    if (error) std::rethrow_exception(error);
}

void TCustomTrevalon::DoAllTerminated() {
    TLockFromAnyThread lock(FTerminateLock);
    FTerminateInfo.TaskIndex = -1;
    FTerminateInfo.Finished = true;
    FTerminateInfo.Exception = false;
    FTerminateInfo.ExceptionMsg.clear();
    FTerminateInfo.OutputWritten = false;
    DeliverTerminate(FTerminateInfo, true);
}

void TCustomTrevalon::DeliverTerminate(const TTerminateInfo& AInfo, bool AFinal) {
    if (!FTriggerEventInMainThread) {
        RaiseTerminate(AInfo, AFinal);
    } else if (FThreadMode) {
        // Workers do not wait for the UI thread; the FIFO keeps the order.
        PostInMainThread([self = FSelf, info = AInfo, AFinal] {
            if (TCustomTrevalon* s = self->load()) s->RaiseTerminate(info, AFinal);
        });
    } else {
        const TTerminateInfo info = AInfo;
        CallInMainThread([this, &info, AFinal] { RaiseTerminate(info, AFinal); });
    }
}

void TCustomTrevalon::RaiseTerminate(const TTerminateInfo& AInfo, bool AFinal) {
    if (AFinal) FTerminated = true;
    if (OnTerminate) OnTerminate(this, AInfo);
}

void TCustomTrevalon::DoProgress(TCustomFFmpeg* Sender, int AFileIndex, int AFrameNumber, int AFPS, float AQuality,
                                 float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration,
                                 int64_t ATotalDuration) {
    const bool ui = FTriggerEventInMainThread;
    if (!ui && !OnProgress) return;
    std::lock_guard lock(FProgressLock);
    FProgressInfo.TaskIndex = FFFmpegList.IndexOf(Sender);
    FProgressInfo.FileIndex = AFileIndex;
    FProgressInfo.FrameNumber = AFrameNumber;
    FProgressInfo.FPS = AFPS;
    FProgressInfo.Quality = AQuality;
    FProgressInfo.BitRate = ABitRate;
    FProgressInfo.CurrentSize = ACurrentSize;
    FProgressInfo.CurrentDuration = ACurrentDuration;
    FProgressInfo.TotalDuration = ATotalDuration;
    // The handler is looked up on the thread that runs it.
    const auto raise = [this] {
        if (OnProgress) OnProgress(this, &FProgressInfo);
    };
    if (ui)
        CallInMainThread(raise);
    else
        raise();
}

void TCustomTrevalon::DoPreviewBitmap(TCustomFFmpeg* Sender, const QImage& ABitmap, int AFrameNumber, int64_t APTS) {
    const bool ui = FTriggerEventInMainThread;
    if (!ui && !OnPreviewBitmap) return;
    std::lock_guard lock(FPreviewLock);
    FPreviewInfo.TaskIndex = FFFmpegList.IndexOf(Sender);
    // The worker waits until the handler returned, so the picture stays valid.
    FPreviewInfo.Bitmap = const_cast<QImage*>(&ABitmap);
    FPreviewInfo.FrameNumber = AFrameNumber;
    FPreviewInfo.PTS = APTS;
    const auto raise = [this] {
        if (OnPreviewBitmap) OnPreviewBitmap(this, FPreviewInfo);
    };
    if (ui)
        CallInMainThread(raise);
    else
        raise();
    FPreviewInfo.Bitmap = nullptr;
}

void TCustomTrevalon::DoCustomHook(TCustomFFmpeg* Sender, QImage& ABitmap, int AFrameNumber, int64_t APTS,
                                   bool& AUpdate, bool& AStopHook) {
    if (!OnCustomHook) return;
    std::lock_guard lock(FHookLock);
    FHookInfo.TaskIndex = FFFmpegList.IndexOf(Sender);
    FHookInfo.Bitmap = &ABitmap;
    FHookInfo.FrameNumber = AFrameNumber;
    FHookInfo.PTS = APTS;
    FHookInfo.Update = AUpdate;
    FHookInfo.StopHook = AStopHook;
    // Always here on the worker: the picture is the frame about to be encoded.
    OnCustomHook(this, &FHookInfo);
    AUpdate = FHookInfo.Update;
    AStopHook = FHookInfo.StopHook;
    FHookInfo.Bitmap = nullptr;
}
