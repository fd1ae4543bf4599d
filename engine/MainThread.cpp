#include "engine/MainThread.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>

namespace {

struct Completion {
    bool done = false;  // guarded by Queue::mutex
    std::exception_ptr error;
};

struct Entry {
    std::function<void()> method;
    std::shared_ptr<Completion> completion;  // null for a post
};

// Owned by no thread in particular; every field is guarded by `mutex`.
struct Queue {
    std::mutex mutex;
    // One condition for all: completions, new entries and explicit wakes.
    std::condition_variable changed;
    std::deque<Entry> entries;
    bool wakePosted = false;
    std::uint64_t wakes = 0;
    std::function<void(std::exception_ptr)> exceptionHandler;
};

Queue& TheQueue() {
    static Queue* q = new Queue;  // never destroyed: workers may outlive static teardown
    return *q;
}

thread_local int tWaitDepth = 0;

void ReportPostedException(std::exception_ptr e) {
    Queue& q = TheQueue();
    std::function<void(std::exception_ptr)> handler;
    {
        std::lock_guard lock(q.mutex);
        handler = q.exceptionHandler;
    }
    if (handler) {
        handler(e);
        return;
    }
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "%s\n", ex.what());
    } catch (...) {
        std::fprintf(stderr, "Unknown error\n");
    }
}

// Called with q.mutex held.
void RequestDrainLocked(Queue& q) {
    if (q.wakePosted) return;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;  // nobody to wake; CheckSynchronize drains on demand
    q.wakePosted = true;
    QMetaObject::invokeMethod(app, [] { CheckSynchronize(); }, Qt::QueuedConnection);
}

void Enqueue(Entry entry) {
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    q.entries.push_back(std::move(entry));
    RequestDrainLocked(q);
    q.changed.notify_all();
}

}  // namespace

bool IsMainThread() {
    if (QCoreApplication* app = QCoreApplication::instance())
        return QThread::currentThread() == app->thread();
    return ::syscall(SYS_gettid) == ::getpid();
}

void CallInMainThread(const std::function<void()>& AMethod) {
    if (IsMainThread()) {
        AMethod();
        return;
    }
    auto completion = std::make_shared<Completion>();
    Enqueue({AMethod, completion});
    Queue& q = TheQueue();
    std::unique_lock lock(q.mutex);
    q.changed.wait(lock, [&] { return completion->done; });
    if (completion->error) std::rethrow_exception(completion->error);
}

void PostInMainThread(std::function<void()> AMethod) { Enqueue({std::move(AMethod), nullptr}); }

bool CheckSynchronize() {
    if (!IsMainThread()) return false;
    Queue& q = TheQueue();
    bool ranAny = false;
    for (;;) {
        Entry e;
        {
            std::lock_guard lock(q.mutex);
            if (q.entries.empty()) {
                q.wakePosted = false;
                break;
            }
            e = std::move(q.entries.front());
            q.entries.pop_front();
        }
        ranAny = true;
        std::exception_ptr error;
        try {
            e.method();
        } catch (...) {
            error = std::current_exception();
        }
        if (e.completion) {
            // The waiting worker takes the last reference, so the exception is
            // freed on the thread that caught it.
            std::lock_guard lock(q.mutex);
            e.completion->error = std::move(error);
            e.completion->done = true;
            e.completion.reset();
            q.changed.notify_all();
        } else if (error) {
            ReportPostedException(error);
        }
    }
    return ranAny;
}

bool ProcessOneMessage() {
    if (!QCoreApplication::instance()) return false;
    QAbstractEventDispatcher* d = QThread::currentThread()->eventDispatcher();
    return d && d->processEvents(QEventLoop::AllEvents);
}

void ProcessPendingMessages() {
    // Bounded: a zero-interval timer would otherwise keep this loop busy forever.
    for (int i = 0; i < 1000 && ProcessOneMessage(); ++i) {
    }
}

bool WaitInMainThread(const std::function<bool()>& done, int timeoutMs, int sliceMs) {
    using clock = std::chrono::steady_clock;
    const auto deadline = timeoutMs < 0 ? clock::time_point::max()
                                        : clock::now() + std::chrono::milliseconds(timeoutMs);
    const bool ui = IsMainThread();
    Queue& q = TheQueue();
    ++tWaitDepth;
    struct DepthGuard { ~DepthGuard() { --tWaitDepth; } } guard;
    for (;;) {
        if (done()) return true;
        if (ui) {
            CheckSynchronize();
            // A nested wait only drains the FIFO, so handlers cannot pile up.
            if (tWaitDepth == 1 && QCoreApplication::instance())
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (done()) return true;
        }
        const auto now = clock::now();
        if (now >= deadline) return done();
        const auto sliceEnd = std::min(deadline, now + std::chrono::milliseconds(sliceMs));
        std::unique_lock lock(q.mutex);
        const std::uint64_t wakes = q.wakes;
        q.changed.wait_until(lock, sliceEnd, [&] {
            return q.wakes != wakes || (ui && !q.entries.empty());
        });
    }
}

void WakeMainThreadWaits() {
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    ++q.wakes;
    q.changed.notify_all();
}

void SetMainThreadExceptionHandler(std::function<void(std::exception_ptr)> handler) {
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    q.exceptionHandler = std::move(handler);
}
