#include "engine/FFLogger.h"

#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

int LogLevelToAVLevel(TLogLevel ALevel) { return static_cast<int>(ALevel) * 8 - 8; }

TLogLevel AVLevelToLogLevel(int ALevel) {
    const int r = ALevel / 8 + 1;  // truncates toward zero
    if (r < 0) return llQuiet;
    if (r >= llDebug) return llDebug;
    return static_cast<TLogLevel>(r);
}

TThreadID CurrentThreadID() { return static_cast<TThreadID>(gettid()); }

namespace {

constexpr char kOneInstance[] = "Allow creating only one instance of TFFLogger.";

std::atomic<int> gLibraryLogFilter{32};
std::atomic<bool> gShutdown{false};

// Unfinished library text per thread, as bytes: a UTF-8 sequence split across
// two calls must meet again before the line is decoded.
class TLogList {
public:
    bool HasPending(TThreadID tid) {
        std::lock_guard lock(FLock);
        return FItems.count(tid) != 0;
    }
    // Appends and returns the lines completed. A thread's item goes once its
    // text is empty: thread ids are reused, and a dead thread's half line must
    // not start another thread's first one.
    std::vector<std::string> Append(TThreadID tid, const char* bytes, std::size_t n) {
        std::lock_guard lock(FLock);
        std::string& pending = FItems[tid];
        pending.append(bytes, n);
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t nl; (nl = pending.find('\n', start)) != std::string::npos; start = nl + 1)
            lines.emplace_back(pending, start, nl - start);
        pending.erase(0, start);
        if (pending.empty()) FItems.erase(tid);
        return lines;
    }

private:
    std::mutex FLock;  // guards FItems
    std::unordered_map<TThreadID, std::string> FItems;
};
TLogList gLogList;

// Guards gInstance, gUnitMadeIt and gNextGeneration. Recursive: GetLogger
// constructs under it, and a handler on the calling thread may log again.
std::recursive_mutex gInstanceLock;
TFFLogger* gInstance = nullptr;
bool gUnitMadeIt = false;  // made by GetLogger, freed at process end
std::uint64_t gNextGeneration = 0;

struct TUnitEnd {
    ~TUnitEnd() {
        gShutdown = true;
        if (ff::av_log_set_callback && ff::av_log_default_callback) ff::av_log_set_callback(ff::av_log_default_callback);
        std::lock_guard lock(gInstanceLock);
        if (gUnitMadeIt) delete gInstance;
    }
} gUnitEnd;

// Drops a UTF-8 sequence that the limit cut in two.
std::size_t CutAtCharacter(const char* s, std::size_t n) {
    std::size_t i = n;
    int back = 0;
    while (i > 0 && back < 4 && (static_cast<unsigned char>(s[i - 1]) & 0xC0) == 0x80) { --i; ++back; }
    if (i == 0) return n;
    const unsigned char lead = static_cast<unsigned char>(s[i - 1]);
    const int len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return len > back + 1 ? i - 1 : n;
}

// The live watches; few and short-lived (one codec open, one header).
std::mutex gWatchLock;  // guards gWatches and the lines of every watch
std::vector<TLibraryLogWatch*> gWatches;
std::atomic<int> gWatchCount{0};  // read without the lock by the callback

}  // namespace

TLibraryLogWatch::TLibraryLogWatch(const void* AContext) : FContext(AContext) {
    std::lock_guard lock(gWatchLock);
    gWatches.push_back(this);
    ++gWatchCount;
}

TLibraryLogWatch::~TLibraryLogWatch() {
    std::lock_guard lock(gWatchLock);
    gWatches.erase(std::remove(gWatches.begin(), gWatches.end(), this), gWatches.end());
    --gWatchCount;
}

QString TLibraryLogWatch::LastLine() const {
    std::lock_guard lock(gWatchLock);
    return QString::fromUtf8(FError.empty() ? FWarning : FError).trimmed();
}

QString TLibraryLogWatch::Reason() const {
    const QString line = LastLine();
    return line.isEmpty() ? QString() : QStringLiteral(" ") + line;
}

void TLibraryLogWatch::Note(const void* AContext, int ALevel, const char* AFormat, va_list AArgs) {
    if (!AContext || ALevel > AV_LOG_WARNING || gWatchCount.load() == 0) return;
    std::lock_guard lock(gWatchLock);
    const auto watched = [AContext](const TLibraryLogWatch* w) { return w->FContext == AContext; };
    if (std::none_of(gWatches.begin(), gWatches.end(), watched)) return;
    char buf[1024];
    va_list args;
    va_copy(args, AArgs);
    const int n = std::vsnprintf(buf, sizeof buf, AFormat, args);
    va_end(args);
    if (n <= 0) return;
    std::string line(buf, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buf - 1));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.empty()) return;
    for (TLibraryLogWatch* w : gWatches)
        if (watched(w)) (ALevel <= AV_LOG_ERROR ? w->FError : w->FWarning) = line;
}

int LibraryLogFilter() { return gLibraryLogFilter.load(); }

TFFLogger* GetLogger() {
    std::lock_guard lock(gInstanceLock);
    if (!gInstance) {
        new TFFLogger();
        gUnitMadeIt = true;
    }
    return gInstance;
}

TFFLogger::TFFLogger(QObject* AOwner) : TFFBaseComponent(AOwner) {
    std::lock_guard lock(gInstanceLock);
    if (gInstance) throw EEngineError(QString::fromLatin1(kOneInstance));
    FLogLevel = AVLevelToLogLevel(gLibraryLogFilter.load());
    FGeneration = ++gNextGeneration;
    gInstance = this;
}

TFFLogger::~TFFLogger() {
    std::lock_guard lock(gInstanceLock);
    if (gInstance == this) {
        gInstance = nullptr;
        gUnitMadeIt = false;
    }
}

void TFFLogger::SetLogLevel(TLogLevel Value) {
    if (FLogLevel.exchange(Value) != Value) ApplyLogLevel();
}

void TFFLogger::ApplyLogLevel() {
    if (!ff::av_log_set_level) return;
    gLibraryLogFilter = LogLevelToAVLevel(FLogLevel.load());
    ff::av_log_set_level(gLibraryLogFilter.load());
}

void TFFLogger::InstallAVLogCallback() {
    if (!ff::av_log_set_callback || !ff::av_log_set_level)
        throw EEngineError(QStringLiteral("The log callback needs libavutil to be loaded."));
    ff::av_log_set_callback(AVLogCallback);
    ApplyLogLevel();
}

void TFFLogger::OptLogLevel(const QString& arg) {
    static const struct { const char* name; int level; } names[] = {
        {"quiet", -8}, {"panic", 0}, {"fatal", 8}, {"error", 16},
        {"warning", 24}, {"info", 32}, {"verbose", 40}, {"debug", 48},
    };
    for (const auto& n : names) {
        if (arg.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            SetLogLevel(AVLevelToLogLevel(n.level));
            return;
        }
    }
    bool ok = false;
    const int level = arg.trimmed().toInt(&ok);
    if (!ok) throw EEngineError(QStringLiteral("'%1' is not a valid integer value").arg(arg));
    SetLogLevel(AVLevelToLogLevel(level));
}

bool TFFLogger::Passes(TLogLevel ALogLevel) const {
    const TLogLevel level = FLogLevel.load();
    return ALogLevel <= level || (ALogLevel == llVerbose && level > llQuiet);
}

void TFFLogger::Log(QObject* Sender, TLogLevel ALogLevel, const QString& ALogMsg) {
    if (Passes(ALogLevel)) Deliver(Sender, CurrentThreadID(), ALogLevel, ALogMsg);
}

void TFFLogger::Log(QObject* Sender, TLogLevel ALogLevel, const char* AFormat, ...) {
    if (!Passes(ALogLevel)) return;
    va_list args;
    va_start(args, AFormat);
    const QString msg = QString::vasprintf(AFormat, args);
    va_end(args);
    Deliver(Sender, CurrentThreadID(), ALogLevel, msg);
}

void TFFLogger::LogLine(TThreadID AThreadID, int ALevel, const QString& ALogMsg) {
    // The library has filtered already.
    Deliver(this, AThreadID, AVLevelToLogLevel(ALevel), ALogMsg);
}

void TFFLogger::Deliver(QObject* Sender, TThreadID AThreadID, TLogLevel ALogLevel, const QString& ALogMsg) {
    if (!TriggerEventInMainThread() || IsMainThread()) {
        if (OnLog) OnLog(Sender, AThreadID, ALogLevel, ALogMsg);
        return;
    }
    Post(FGeneration, Sender == this, Sender, AThreadID, ALogLevel, ALogMsg);
}

void TFFLogger::Post(std::uint64_t AGeneration, bool AFromLogger, QObject* Sender, TThreadID AThreadID,
                     TLogLevel ALogLevel, const QString& ALogMsg) {
    // Never wait: lines come from codec threads and from inside codec opens,
    // which may hold locks the UI thread wants. Each post carries its own values.
    PostInMainThread([AGeneration, AFromLogger, Sender, AThreadID, ALogLevel, ALogMsg] {
        TFFLogger* logger = nullptr;
        {
            std::lock_guard lock(gInstanceLock);
            if (gInstance && gInstance->FGeneration == AGeneration) logger = gInstance;
        }
        // The logger lives and dies on this thread, so it outlives the call.
        if (logger && logger->OnLog) logger->OnLog(AFromLogger ? logger : Sender, AThreadID, ALogLevel, ALogMsg);
    });
}

void TFFLogger::DeliverLibraryLines(TThreadID AThreadID, int ALevel, const std::vector<std::string>& ALines) {
    // What a delivery needs is taken under the lock, and the handler runs
    // outside it: a handler that logs, or that waits on a thread that logs,
    // must not find the lock held.
    TFFLogger* logger = nullptr;
    std::uint64_t generation = 0;
    bool direct = false;
    TLogEvent handler;
    {
        std::lock_guard lock(gInstanceLock);
        logger = GetLogger();
        generation = logger->FGeneration;
        direct = !logger->TriggerEventInMainThread() || IsMainThread();
        if (direct) handler = logger->OnLog;
    }
    const TLogLevel level = AVLevelToLogLevel(ALevel);
    for (const std::string& line : ALines) {
        const QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
        if (!direct) Post(generation, true, nullptr, AThreadID, level, text);
        else if (handler) handler(logger, AThreadID, level, text);
    }
}

void AVLogCallback(void* ptr, int level, const char* fmt, va_list vl) {
    if (gShutdown.load()) return;
    TLibraryLogWatch::Note(ptr, level, fmt, vl);
    if (level > gLibraryLogFilter.load()) return;
    const TThreadID tid = CurrentThreadID();
    constexpr std::size_t kLimit = 2047;  // bytes of prefix and message together
    char buf[kLimit + 1];
    std::size_t n = 0;
    if (ptr && !gLogList.HasPending(tid)) {
        const AVClass* avc = *static_cast<const AVClass* const*>(ptr);
        if (avc && avc->item_name) {
            const int p = std::snprintf(buf, sizeof buf, "[%s @ %p]", avc->item_name(ptr), ptr);
            if (p > 0) n = std::min<std::size_t>(static_cast<std::size_t>(p), kLimit);
        }
    }
    va_list args;
    va_copy(args, vl);
    const int m = std::vsnprintf(buf + n, sizeof buf - n, fmt, args);
    va_end(args);
    if (m > 0) {
        if (n + static_cast<std::size_t>(m) <= kLimit) {
            n += static_cast<std::size_t>(m);
        } else {
            // Cut, but keep the line feed the text ended with, so the next
            // message does not join this line. The feed may come from an
            // argument ("%s"), so only the whole text can tell.
            std::string whole(static_cast<std::size_t>(m) + 1, '\0');
            va_copy(args, vl);
            std::vsnprintf(whole.data(), whole.size(), fmt, args);
            va_end(args);
            const bool endsLine = whole[static_cast<std::size_t>(m) - 1] == '\n';
            n = CutAtCharacter(buf, endsLine ? kLimit - 1 : kLimit);
            if (endsLine) buf[n++] = '\n';
        }
    }
    const std::vector<std::string> lines = gLogList.Append(tid, buf, n);
    if (!lines.empty()) TFFLogger::DeliverLibraryLines(tid, level, lines);
}
