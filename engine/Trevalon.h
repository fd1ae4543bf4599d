// The conversion task queue the application drives: a list of tasks (each a
// converter with a probe per opened input), how a task's records become
// converter options, and the run that converts the list on worker threads.
// Trevalon.cpp holds the list and the task operations, TrevalonSchedule.cpp
// the run, the events and their delivery.
#pragma once

#include "engine/AVProbe.h"
#include "engine/FFBase.h"
#include "engine/FFTypes.h"
#include "engine/FFmpeg.h"

#include <QIODevice>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

// One task: a converter plus a probe per opened input and the engine's own
// copies of the records each input and output was attached with.
class TFFmpeg : public TCustomFFmpeg {
public:
    explicit TFFmpeg(int AMaxFiles);
    ~TFFmpeg() override;

    // The probe of an opened input; nullptr for an input never opened.
    TAVProbe* AVProbe(int AFileIndex) const;
    const TInputOptions* InputOptions(int AFileIndex) const;
    const TOutputOptions* OutputOptions(int AFileIndex) const;

    // Passes option lines to the dispatcher. The per-stream keys are left to
    // the caller (they pair with new streams); codecs and the frame size go
    // through only with AWithStreamKeys.
    void ApplyExtOptions(const QString& AText, bool AWithStreamKeys);

private:
    friend class TCustomTrevalon;

    TAVProbe* OpenProbe(int AFileIndex);
    void StoreInputOptions(int AFileIndex, const TInputOptions* AOptions);
    void StoreOutputOptions(int AFileIndex, const TOutputOptions* AOptions);
    // The inputs are closed once the conversion ends; the probes must not
    // keep pointing at them.
    void DetachProbes();

    std::vector<std::unique_ptr<TAVProbe>> FAVProbes;
    std::vector<std::unique_ptr<TInputOptions>> FInputOptions;
    std::vector<std::unique_ptr<TOutputOptions>> FOutputOptions;
};

// The tasks, owned; a task's index is its position here.
class TFFmpegList {
public:
    int Add(std::unique_ptr<TFFmpeg> ATask);
    void Clear();
    void Delete(int AIndex);
    void Exchange(int AIndex1, int AIndex2);
    TFFmpeg* Items(int AIndex) const;  // raises the list's index error
    int IndexOf(const TCustomFFmpeg* ATask) const;
    int Count() const { return static_cast<int>(FList.size()); }

    void PauseAll();
    void ResumeAll();
    void StopAll(bool AWaitFor);
    void SetPreviewAll(bool AValue);
    void SetPreviewBitmapAll(bool AValue);

private:
    std::vector<std::unique_ptr<TFFmpeg>> FList;
};

class TCustomTrevalon : public TFFBaseComponent {
public:
    explicit TCustomTrevalon(QObject* AOwner = nullptr);
    ~TCustomTrevalon() override;

    bool LoadAVLib(const TPathFileName& APath);
    bool AVLibLoaded() const;
    void UnloadAVLib();

    // The index of the new task, or -1 with LastErrMsg. The record forms
    // write AFileName into the caller's record when its FileName is empty.
    int AddTask(const QString& AFileName, PInputOptions AOptions = nullptr);
    int AddTask(const QString& AFileName, const QString& AExtOptions);
    int AddTask(QIODevice* AStream, const QString& APrivateData, PInputOptions AOptions = nullptr);
    bool AddInputFile(int ATaskIndex, const QString& AFileName, PInputOptions AOptions = nullptr);
    bool AddInputFile(int ATaskIndex, const QString& AFileName, const QString& AExtOptions);
    bool SetOutputFile(int ATaskIndex, const QString& AFileName, POutputOptions AOptions = nullptr);
    bool SetOutputFile(int ATaskIndex, const QString& AFileName, const QString& AExtOptions);
    bool SetOutputStream(int ATaskIndex, QIODevice* AStream, const QString& APrivateData,
                         POutputOptions AOptions = nullptr);
    TAVProbe* GetTaskAVProbe(int ATaskIndex, int AFileIndex) const;
    void ClearTasks();
    void Exchange(int ATaskIndex1, int ATaskIndex2);
    void RemoveTask(int ATaskIndex);

    // The run (TrevalonSchedule.cpp). AThreadCount <= 0 converts every task
    // in turn on the calling thread before returning.
    void Start(int AThreadCount);
    void Pause();
    void Resume();
    void Stop(bool AWaitFor);

    QString About() const { return FAbout; }
    void SetAbout(const QString& AValue) { FAbout = AValue; }
    QString Version() const { return QStringLiteral("3.3"); }
    TAVProbe* AVProbe() const { return FAVProbe.get(); }
    QString LastErrMsg() const { return FLastErrMsg; }
    int TasksCount() const { return FFFmpegList.Count(); }
    int CustomMaxFiles() const { return FCustomMaxFiles; }
    void SetCustomMaxFiles(int AValue) { FCustomMaxFiles = AValue; }
    bool Preview() const { return FPreview; }
    void SetPreview(bool AValue);
    bool PreviewBitmap() const { return FPreviewBitmap; }
    void SetPreviewBitmap(bool AValue);
    int ProgressInterval() const { return FProgressInterval; }
    void SetProgressInterval(int AValue);  // milliseconds; at least 100
    bool Terminated() const { return FTerminated; }
    TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(TThreadPriority AValue) { FThreadPriority = AValue; }
    bool TriggerEventInMainThread() const { return FTriggerEventInMainThread; }
    void SetTriggerEventInMainThread(bool AValue) { FTriggerEventInMainThread = AValue; }
    void* UserData() const { return FData; }
    void SetUserData(void* AValue) { FData = AValue; }
    int Verbose() const { return FVerbose; }
    void SetVerbose(int AValue) { FVerbose = AValue; }
    bool Working() const { return FWorking; }

    // Sender is always the component. With TriggerEventInMainThread (the
    // default) OnProgress, OnPreviewBitmap and OnTerminate run on the UI
    // thread and are looked up there, so they may be changed during a run;
    // otherwise they run on engine threads and must be set before Start.
    // OnCustomHook always runs on the task's worker.
    ::TCustomHookEvent OnCustomHook;
    ::TPreviewBitmapEvent OnPreviewBitmap;
    ::TProgressEvent OnProgress;
    ::TTerminateEvent OnTerminate;

protected:
    // Makes every task; tests hand in converters with a transcode of their own.
    virtual std::unique_ptr<TFFmpeg> CreateTask(int AMaxFiles);
    TFFmpeg* Task(int ATaskIndex) const { return FFFmpegList.Items(ATaskIndex); }

    void CheckNotWorking(const QString& AOperation) const;

    // Bound to every task's converter events.
    virtual void DoCustomHook(TCustomFFmpeg* Sender, QImage& ABitmap, int AFrameNumber, int64_t APTS, bool& AUpdate,
                              bool& AStopHook);
    virtual void DoPreviewBitmap(TCustomFFmpeg* Sender, const QImage& ABitmap, int AFrameNumber, int64_t APTS);
    virtual void DoProgress(TCustomFFmpeg* Sender, int AFileIndex, int AFrameNumber, int AFPS, float AQuality,
                            float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration, int64_t ATotalDuration);
    virtual void DoTaskTerminate(TCustomFFmpeg* Sender);
    void DoAllTerminated();
    void StartNextTask();

private:
    bool OpenTaskInput(TFFmpeg& ATask, const QString& AFileName, PInputOptions AOptions);
    void BindTask(TFFmpeg& ATask);
    void DeliverTerminate(const TTerminateInfo& AInfo, bool AFinal);
    void RaiseTerminate(const TTerminateInfo& AInfo, bool AFinal);
    void StopTasks(bool AWaitFor);
    void ResetRun();

    // Settings: the UI thread; those the workers read are atomic.
    QString FAbout;
    QString FLastErrMsg;
    void* FData = nullptr;
    int FCustomMaxFiles = 20;
    bool FPreview = false;
    bool FPreviewBitmap = false;
    std::atomic<int> FProgressInterval{500};
    std::atomic<TThreadPriority> FThreadPriority{tpNormal};
    int FCodecThreads = 0;  // of the current run; FTerminateLock
    std::atomic<bool> FTriggerEventInMainThread{true};
    int FVerbose = 1;

    THookInfo FHookInfo;          // FHookLock
    TProgressInfo FProgressInfo;  // FProgressLock
    TTerminateInfo FTerminateInfo;  // FTerminateLock
    TPreviewInfo FPreviewInfo;    // FPreviewLock

    // One delivery of each kind at a time; re-entrant like the critical
    // sections they stand for. The UI thread takes FTerminateLock only
    // through a wait that keeps serving the workers' calls.
    std::recursive_mutex FHookLock, FPreviewLock, FProgressLock, FTerminateLock;

    std::unique_ptr<TAVProbe> FAVProbe;
    TFFmpegList FFFmpegList;  // changed on the UI thread only while not working

    // Run state, FTerminateLock (the atomics are also read without it).
    std::atomic<int> FCompleteTasks{0};
    int FCurrentTask = -1;
    int FPendingTasks = 0;
    std::vector<char> FReported;  // per task: its termination was counted
    bool FThreadMode = false;
    bool FPaused = false;  // tasks started during a pause start paused
    std::atomic<bool> FTerminated{false};
    bool FWorking = false;  // UI thread

    // Reports posted to the UI thread reach the component through this; it is
    // cleared when the component goes away, so late reports are dropped.
    std::shared_ptr<std::atomic<TCustomTrevalon*>> FSelf;
};

// The published component; adds nothing.
class TTrevalon : public TCustomTrevalon {
public:
    using TCustomTrevalon::TCustomTrevalon;
};
