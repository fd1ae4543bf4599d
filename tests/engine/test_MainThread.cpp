#include "engine/MainThread.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {
// Waits on the UI thread for a worker to finish; the bound only keeps a
// deadlock from hanging the suite.
bool JoinWithin(std::thread& t, std::atomic<bool>& finished, int ms = 60000) {
    const bool ok = WaitInMainThread([&] { return finished.load(); }, ms);
    if (ok) t.join(); else t.detach();
    return ok;
}
}  // namespace

TEST(MainThread, InlineOnTheUiThread) {
    ASSERT_TRUE(IsMainThread());
    bool ran = false;
    CallInMainThread([&] { ran = true; });
    EXPECT_TRUE(ran);  // before returning, without queueing
    EXPECT_FALSE(CheckSynchronize());
}

TEST(MainThread, WorkerCallRunsOnUiThreadAndBlocks) {
    std::atomic<bool> finished{false};
    bool ranOnUi = false;
    bool workerSawResult = false;
    std::thread worker([&] {
        EXPECT_FALSE(IsMainThread());
        bool done = false;
        CallInMainThread([&] {
            ranOnUi = QThread::currentThread() == qApp->thread();
            done = true;
        });
        workerSawResult = done;  // the call completed before CallInMainThread returned
        finished = true;
    });
    ASSERT_TRUE(JoinWithin(worker, finished));
    EXPECT_TRUE(ranOnUi);
    EXPECT_TRUE(workerSawResult);
}

TEST(MainThread, ExceptionArrivesInTheWorker) {
    std::atomic<bool> finished{false};
    std::string caught;
    std::thread worker([&] {
        try {
            CallInMainThread([] { throw std::runtime_error("boom on the UI thread"); });
        } catch (const std::runtime_error& e) {
            caught = e.what();
        }
        finished = true;
    });
    ASSERT_TRUE(JoinWithin(worker, finished));
    EXPECT_EQ(caught, "boom on the UI thread");
}

TEST(MainThread, PostsAndBlockingCallsKeepOneOrder) {
    std::vector<int> order;  // touched only on the UI thread
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i) {
            if (i % 5 == 4) CallInMainThread([&order, i] { order.push_back(i); });
            else PostInMainThread([&order, i] { order.push_back(i); });
        }
        finished = true;
    });
    ASSERT_TRUE(JoinWithin(worker, finished));
    CheckSynchronize();
    ASSERT_EQ(order.size(), 50u);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
}

TEST(MainThread, EventLoopDrainsTheQueueByItself) {
    bool ran = false;
    std::thread worker([&] {
        PostInMainThread([&] {
            ran = true;
            QCoreApplication::exit(0);
        });
    });
    worker.join();
    // No explicit drain: the queued wake-up reaches the event loop.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(60000);  // only ends a hang
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(ran);
}

TEST(MainThread, PostedExceptionGoesToTheHandler) {
    std::string seen;
    SetMainThreadExceptionHandler([&](std::exception_ptr e) {
        try { std::rethrow_exception(e); } catch (const std::exception& ex) { seen = ex.what(); }
    });
    PostInMainThread([] { throw std::runtime_error("posted failure"); });
    bool after = false;
    PostInMainThread([&] { after = true; });
    CheckSynchronize();
    SetMainThreadExceptionHandler(nullptr);
    EXPECT_EQ(seen, "posted failure");
    EXPECT_TRUE(after);  // the queue goes on past a failing entry
}

TEST(MainThread, UiWaitCompletesWhileWorkersAreBlockedOnIt) {
    // Several workers each need the UI thread twice before they can finish;
    // the wait would deadlock if it did not run their calls.
    constexpr int kWorkers = 4;
    std::atomic<int> finished{0};
    std::vector<std::thread> workers;
    int uiCalls = 0;
    for (int w = 0; w < kWorkers; ++w)
        workers.emplace_back([&] {
            CallInMainThread([&] { ++uiCalls; });
            CallInMainThread([&] { ++uiCalls; });
            ++finished;
            WakeMainThreadWaits();
        });
    // One slice as long as the whole wait: only the queue's wake-ups can
    // bring the calls in, and the wait fails if they do not come.
    const bool ok = WaitInMainThread([&] { return finished.load() == kWorkers; }, 30000, 30000);
    for (auto& t : workers) ok ? t.join() : t.detach();
    ASSERT_TRUE(ok);
    EXPECT_EQ(uiCalls, 2 * kWorkers);
}

TEST(MainThread, WaitTimesOutWithoutBurningTheThread) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    EXPECT_FALSE(WaitInMainThread([] { return false; }, 200));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(200));
    EXPECT_LT(double(std::clock() - cpuStart) / CLOCKS_PER_SEC, 0.1);
}

TEST(MainThread, NestedWaitStillDrainsTheQueue) {
    std::atomic<bool> finished{false};
    bool innerOk = false;
    std::thread worker;
    // The outer wait's drain runs a call that itself waits for a second worker call.
    PostInMainThread([&] {
        worker = std::thread([&] {
            CallInMainThread([] {});
            finished = true;
        });
        innerOk = WaitInMainThread([&] { return finished.load(); }, 60000);
    });
    EXPECT_TRUE(WaitInMainThread([&] { return innerOk; }, 61000));
    if (worker.joinable()) worker.join();
}

TEST(MainThread, ProcessPendingMessagesHandlesPostedEvents) {
    int fired = 0;
    for (int i = 0; i < 3; ++i) QTimer::singleShot(0, qApp, [&] { ++fired; });
    ProcessPendingMessages();
    EXPECT_EQ(fired, 3);
    EXPECT_FALSE(ProcessOneMessage());
}
