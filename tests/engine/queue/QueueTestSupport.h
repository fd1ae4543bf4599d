// Shared by the task-queue tests: the libraries loaded once, a queue whose
// tasks run a transcode body the test gives, and the reports collected.
#pragma once

#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"
#include "engine/Trevalon.h"
#include "tests/support/TestMedia.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TTestTask;
using TTaskBody = std::function<void(TTestTask&)>;

// A task whose transcode is the test's body (empty = the engine's own).
class TTestTask : public TFFmpeg {
public:
    TTestTask(int AMaxFiles, TTaskBody ABody) : TFFmpeg(AMaxFiles), FBody(std::move(ABody)) {}
    ~TTestTask() override { Stop(true); }

    void MarkFinished() { FFinished = true; }
    void Gate() { CheckPause(); }

protected:
    void Transcode() override {
        if (FBody)
            FBody(*this);
        else
            TFFmpeg::Transcode();
    }

private:
    TTaskBody FBody;
};

class TTestTrevalon : public TCustomTrevalon {
public:
    TTaskBody Body;  // given to every task made after it is set

    using TCustomTrevalon::Task;

protected:
    std::unique_ptr<TFFmpeg> CreateTask(int AMaxFiles) override {
        return std::make_unique<TTestTask>(AMaxFiles, Body);
    }
};

// Termination reports in arrival order, with the thread and the component's
// Terminated flag seen at each.
struct TReports {
    struct Item {
        TTerminateInfo Info;
        std::thread::id Thread;
        bool TerminatedSeen;
    };
    mutable std::mutex Lock;
    std::vector<Item> Items;

    void Bind(TCustomTrevalon& AQueue) {
        AQueue.OnTerminate = [this, &AQueue](QObject* Sender, const TTerminateInfo& AInfo) {
            EXPECT_EQ(Sender, &AQueue);
            std::lock_guard lock(Lock);
            Items.push_back({AInfo, std::this_thread::get_id(), AQueue.Terminated()});
        };
    }
    std::vector<Item> Snapshot() const {
        std::lock_guard lock(Lock);
        return Items;
    }
    size_t Count() const {
        std::lock_guard lock(Lock);
        return Items.size();
    }
};

class QueueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(FFLoader().Load(ConverterLibraries)) << FFLoader().LastErrMsg().toStdString();
    }

    QString Out(const QString& AName) const { return FDir.filePath(AName); }

    // Adds ACount tasks of a short WAV input, each with a WAV output unless
    // its index is in ANoOutput.
    void AddTasks(TCustomTrevalon& AQueue, int ACount, std::vector<int> ANoOutput = {}) {
        const QString input = TestMedia::Path(QStringLiteral("a44.wav"));
        for (int i = 0; i < ACount; ++i) {
            const int t = AQueue.AddTask(input);
            ASSERT_EQ(t, AQueue.TasksCount() - 1) << AQueue.LastErrMsg().toStdString();
            if (std::find(ANoOutput.begin(), ANoOutput.end(), i) != ANoOutput.end()) continue;
            ASSERT_TRUE(AQueue.SetOutputFile(t, Out(QStringLiteral("out%1.wav").arg(AQueue.TasksCount()))))
                << AQueue.LastErrMsg().toStdString();
        }
    }

    // Serves the UI thread's queue until ADone; the limit only ends a hang.
    static bool WaitFor(const std::function<bool()>& ADone, int ATimeoutMs = 60000) {
        return WaitInMainThread(ADone, ATimeoutMs, 5);
    }

    QTemporaryDir FDir;
};
