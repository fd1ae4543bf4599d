// The process's one logger: the libraries' log lines, assembled per thread,
// and the engine's own messages, each handed to OnLog.
#pragma once

#include "engine/FFBase.h"

#include <QString>

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QObject;

enum TLogLevel { llQuiet, llPanic, llFatal, llError, llWarning, llInfo, llVerbose, llDebug };

int LogLevelToAVLevel(TLogLevel ALevel);
TLogLevel AVLevelToLogLevel(int ALevel);

using TThreadID = std::uint32_t;
TThreadID CurrentThreadID();

// Sender is the sending component for engine messages, the logger for library lines.
using TLogEvent = std::function<void(QObject* Sender, TThreadID AThreadID, TLogLevel ALogLevel, const QString& ALogMsg)>;

// The library level above which library lines are dropped before formatting;
// follows the logger's LogLevel once the callback is installed.
int LibraryLogFilter();

class TFFLogger : public TFFBaseComponent {
public:
    // A second instance throws "Allow creating only one instance of TFFLogger.".
    explicit TFFLogger(QObject* AOwner = nullptr);
    ~TFFLogger() override;

    TLogLevel LogLevel() const { return FLogLevel.load(); }
    void SetLogLevel(TLogLevel Value);
    // True: OnLog runs on the UI thread. Lines from other threads are queued
    // for it without the sending thread waiting, in the order they were sent.
    bool TriggerEventInMainThread() const { return FTriggerEventInMainThread.load(); }
    void SetTriggerEventInMainThread(bool Value) { FTriggerEventInMainThread = Value; }

    // Set on the UI thread; with TriggerEventInMainThread only read there.
    TLogEvent OnLog;

    // Hands the libraries this logger's callback and level; avutil must be bound.
    void InstallAVLogCallback();
    void ApplyLogLevel();
    // The converter's "loglevel" option: a level name or a number.
    void OptLogLevel(const QString& arg);

    void Log(QObject* Sender, TLogLevel ALogLevel, const QString& ALogMsg);
    // Formatted only when the message passes the level.
    void Log(QObject* Sender, TLogLevel ALogLevel, const char* AFormat, ...) __attribute__((format(printf, 4, 5)));
    // One assembled library line.
    void LogLine(TThreadID AThreadID, int ALevel, const QString& ALogMsg);
    // Lines the log callback assembled, in order (any thread).
    static void DeliverLibraryLines(TThreadID AThreadID, int ALevel, const std::vector<std::string>& ALines);

private:
    bool Passes(TLogLevel ALogLevel) const;
    void Deliver(QObject* Sender, TThreadID AThreadID, TLogLevel ALogLevel, const QString& ALogMsg);
    // Queues a line for the UI thread, for the logger of that generation only.
    static void Post(std::uint64_t AGeneration, bool AFromLogger, QObject* Sender, TThreadID AThreadID,
                     TLogLevel ALogLevel, const QString& ALogMsg);

    std::atomic<bool> FTriggerEventInMainThread{true};
    std::atomic<TLogLevel> FLogLevel{llInfo};
    std::uint64_t FGeneration = 0;  // tells queued lines whether their logger still exists
};

// Keeps the last line the libraries log for one context (a codec or format
// context) while it lives: the last error line, else the last warning. A
// failed open can then end its message with the library's reason. Lines are
// kept whatever the log level, and only for watched contexts.
class TLibraryLogWatch {
public:
    explicit TLibraryLogWatch(const void* AContext);
    ~TLibraryLogWatch();
    TLibraryLogWatch(const TLibraryLogWatch&) = delete;
    TLibraryLogWatch& operator=(const TLibraryLogWatch&) = delete;

    // Without its line feed; empty when the context logged nothing.
    QString LastLine() const;
    // " <last line>", or nothing: for the end of a message.
    QString Reason() const;

    // The log callback's part (any thread).
    static void Note(const void* AContext, int ALevel, const char* AFormat, va_list AArgs);

private:
    const void* FContext;
    std::string FError, FWarning;  // guarded by the watch list's lock
};

// The logger; made without owner when none exists.
TFFLogger* GetLogger();

// The libraries' log callback (any thread).
void AVLogCallback(void* ptr, int level, const char* fmt, va_list vl);
