// The run of the task list: how many tasks convert at once, the order of the
// end reports, caller mode, tasks that cannot start, stop, pause, the custom
// hook's thread, progress records and thread priorities.
#include "tests/engine/queue/QueueTestSupport.h"

#include <QFileInfo>
#include <QImage>

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>

namespace {

using namespace std::chrono_literals;

// Tasks running at the same moment, the most seen, and bodies entered.
struct TConcurrency {
    std::atomic<int> Now{0}, Max{0}, Entered{0};
    void Enter() {
        ++Entered;
        const int n = ++Now;
        int m = Max.load();
        while (n > m && !Max.compare_exchange_weak(m, n)) {
        }
    }
    void Leave() { --Now; }
};

// Converts for about AMs, passing the pause gate, ending early on a stop.
TTaskBody Working(TConcurrency& AConcurrency, int AMs) {
    return [&AConcurrency, AMs](TTestTask& t) {
        AConcurrency.Enter();
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(AMs);
        while (!t.Broken() && std::chrono::steady_clock::now() < end) {
            t.Gate();
            std::this_thread::sleep_for(2ms);
        }
        if (!t.Broken()) t.MarkFinished();
        AConcurrency.Leave();
    };
}

// Converts until stopped.
TTaskBody UntilStopped(TConcurrency& AConcurrency, std::atomic<int>* ASteps = nullptr) {
    return [&AConcurrency, ASteps](TTestTask& t) {
        AConcurrency.Enter();
        while (!t.Broken()) {
            t.Gate();
            if (ASteps) ++*ASteps;
            std::this_thread::sleep_for(2ms);
        }
        AConcurrency.Leave();
    };
}

std::vector<int> Indexes(const std::vector<TReports::Item>& AItems) {
    std::vector<int> out;
    for (const auto& i : AItems) out.push_back(i.Info.TaskIndex);
    return out;
}

// The final report comes last, once, with Finished true and Terminated set;
// before it every task reported exactly once.
void ExpectCompleteRun(const std::vector<TReports::Item>& AItems, int ATasks) {
    ASSERT_EQ(AItems.size(), size_t(ATasks + 1)) << ::testing::PrintToString(Indexes(AItems));
    const TReports::Item& last = AItems.back();
    EXPECT_EQ(last.Info.TaskIndex, -1) << ::testing::PrintToString(Indexes(AItems));
    EXPECT_TRUE(last.Info.Finished);
    EXPECT_FALSE(last.Info.Exception);
    EXPECT_TRUE(last.Info.ExceptionMsg.isEmpty());
    EXPECT_TRUE(last.TerminatedSeen);
    std::set<int> seen;
    for (size_t i = 0; i + 1 < AItems.size(); ++i) {
        EXPECT_FALSE(AItems[i].TerminatedSeen) << "report " << i;
        seen.insert(AItems[i].Info.TaskIndex);
    }
    EXPECT_EQ(seen.size(), size_t(ATasks));
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), ATasks - 1);
}

class ScheduleTest : public QueueTest {};

TEST_F(ScheduleTest, TwoThreadsFiveTasksRunAtMostTwoAtOnceAndEndWithTheFinalReport) {
    TConcurrency c;
    TTestTrevalon q;
    q.Body = Working(c, 60);
    AddTasks(q, 5);
    TReports r;
    r.Bind(q);
    q.Start(2);
    EXPECT_TRUE(q.Working());
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
    EXPECT_EQ(c.Entered, 5);
    EXPECT_EQ(c.Max, 2);
    const auto items = r.Snapshot();
    ExpectCompleteRun(items, 5);
    for (const auto& i : items) {
        EXPECT_TRUE(i.Info.Finished);
        EXPECT_EQ(i.Thread, std::this_thread::get_id()) << "reports reach the UI thread";
    }
}

// Tasks that end together, many times over, in both delivery modes: the
// final report is never overtaken, and Terminated is set exactly when it comes.
TEST_F(ScheduleTest, TheFinalReportIsAlwaysLast) {
    for (const bool ui : {true, false}) {
        for (int round = 0; round < 15; ++round) {
            SCOPED_TRACE(::testing::Message() << "ui " << ui << " round " << round);
            TConcurrency c;
            TTestTrevalon q;
            q.Body = Working(c, 0);
            q.SetTriggerEventInMainThread(ui);
            AddTasks(q, 6);
            TReports r;
            r.Bind(q);
            q.Start(4);
            ASSERT_TRUE(WaitFor([&] { return q.Terminated() && r.Count() == 7; }));
            ExpectCompleteRun(r.Snapshot(), 6);
            if (!ui) {
                for (const auto& i : r.Snapshot()) EXPECT_NE(i.Thread, std::this_thread::get_id());
            }
        }
    }
}

TEST_F(ScheduleTest, CallerModeConvertsInTurnAndReportsBeforeStartReturns) {
    for (const int threads : {0, -3}) {
        SCOPED_TRACE(threads);
        TConcurrency c;
        std::vector<std::thread::id> bodyThreads;
        TTestTrevalon q;
        q.Body = [&](TTestTask& t) {
            bodyThreads.push_back(std::this_thread::get_id());
            Working(c, 10)(t);
        };
        AddTasks(q, 2);
        TReports r;
        r.Bind(q);
        q.Start(threads);
        EXPECT_TRUE(q.Terminated());
        EXPECT_EQ(Indexes(r.Snapshot()), (std::vector<int>{0, 1, -1}));
        ExpectCompleteRun(r.Snapshot(), 2);
        EXPECT_EQ(bodyThreads, (std::vector<std::thread::id>(2, std::this_thread::get_id())));
        EXPECT_EQ(c.Max, 1);
    }
}

TEST_F(ScheduleTest, EightThreadsForThreeTasksStartAllThree) {
    TConcurrency c;
    TTestTrevalon q;
    // Each task waits until all three run; a run of fewer would wait for the
    // limit (which only ends a hang) and miss the third.
    q.Body = [&](TTestTask& t) {
        c.Enter();
        const auto end = std::chrono::steady_clock::now() + 60s;
        while (c.Entered < 3 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
        t.MarkFinished();
        c.Leave();
    };
    AddTasks(q, 3);
    TReports r;
    r.Bind(q);
    q.Start(8);
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }, 200000));
    EXPECT_EQ(c.Max, 3);
    ExpectCompleteRun(r.Snapshot(), 3);
}

// Codecs of tasks that run side by side split the cores between them; a
// single task (or caller mode) leaves the choice to the libraries.
TEST_F(ScheduleTest, TasksSideBySideShareTheCores) {
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const struct { int threads, tasks, expected; } cases[] = {
        {1, 3, 0},
        {0, 2, 0},
        {4, 1, 0},  // one task alone may use every core
        {2, 5, std::max(1, cores / 2)},
        {4, 2, std::max(1, cores / 2)},
        {64, 3, std::max(1, cores / 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.threads << " threads, " << c.tasks << " tasks");
        std::mutex m;
        std::set<int> seen;
        TTestTrevalon q;
        q.Body = [&](TTestTask& t) {
            {
                std::lock_guard lock(m);
                seen.insert(t.CodecThreads);
            }
            t.MarkFinished();
        };
        AddTasks(q, c.tasks);
        q.Start(c.threads);
        ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
        EXPECT_EQ(seen, std::set<int>{c.expected});
    }
}

TEST_F(ScheduleTest, ATaskWithoutOutputReportsAtOnceAndHandsItsPlaceOn) {
    TConcurrency c;
    TTestTrevalon q;
    q.Body = Working(c, 20);
    AddTasks(q, 3, {0});
    TReports r;
    r.Bind(q);
    q.Start(1);
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
    const auto items = r.Snapshot();
    EXPECT_EQ(Indexes(items), (std::vector<int>{0, 1, 2, -1}));
    ASSERT_EQ(items.size(), 4u);
    EXPECT_FALSE(items[0].Info.Finished);
    EXPECT_TRUE(items[0].Info.Exception);
    EXPECT_EQ(items[0].Info.ExceptionMsg, QStringLiteral("At least one output file must be specified"));
    for (int i : {1, 2}) {
        EXPECT_TRUE(items[i].Info.Finished);
        EXPECT_FALSE(items[i].Info.Exception);
    }
    EXPECT_EQ(c.Entered, 2);
    EXPECT_EQ(c.Max, 1);
}

TEST_F(ScheduleTest, AnEmptyListGivesTheFinalReportAndStaysClearable) {
    for (const int threads : {2, 0}) {
        SCOPED_TRACE(threads);
        TTestTrevalon q;
        TReports r;
        r.Bind(q);
        q.Start(threads);
        ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
        EXPECT_EQ(Indexes(r.Snapshot()), std::vector<int>{-1});
        EXPECT_NO_THROW(q.ClearTasks());
        EXPECT_FALSE(q.Working());
    }
}

TEST_F(ScheduleTest, StopWithPendingTasksEndsEveryTaskUnfinishedAndReportsLast) {
    TConcurrency c;
    TTestTrevalon q;
    q.Body = UntilStopped(c);
    AddTasks(q, 5);
    TReports r;
    r.Bind(q);
    q.Start(2);
    ASSERT_TRUE(WaitFor([&] { return c.Now == 2; }));
    q.Stop(true);
    // Stop(true) returns with the run over and every report delivered.
    EXPECT_TRUE(q.Terminated());
    const auto items = r.Snapshot();
    ExpectCompleteRun(items, 5);
    for (size_t i = 0; i + 1 < items.size(); ++i) {
        EXPECT_FALSE(items[i].Info.Finished) << "task " << items[i].Info.TaskIndex;
        EXPECT_FALSE(items[i].Info.Exception);
    }
    EXPECT_EQ(c.Entered, 2) << "no pending task starts after a stop";
    EXPECT_EQ(c.Now, 0);
}

// Workers that wait on the UI thread for their progress handler can still
// reach their end while Stop(true) waits there.
TEST_F(ScheduleTest, StopServesWorkersWaitingForTheUIThread) {
    std::atomic<int> reports{0};
    TTestTrevalon q;
    q.Body = [](TTestTask& t) {
        while (!t.Broken()) t.OnProgress(&t, 0, 1, 25, 0, 0, 0, 0, -1);
    };
    AddTasks(q, 3);
    q.OnProgress = [&](QObject*, PProgressInfo) { ++reports; };
    TReports r;
    r.Bind(q);
    q.Start(2);
    ASSERT_TRUE(WaitFor([&] { return reports > 20; }));
    q.Stop(true);
    EXPECT_TRUE(q.Terminated());
    ExpectCompleteRun(r.Snapshot(), 3);
}

TEST_F(ScheduleTest, PauseFreezesTheWorkersAndStopStillEndsThem) {
    TConcurrency c;
    std::atomic<int> steps{0};
    TTestTrevalon q;
    q.Body = UntilStopped(c, &steps);
    AddTasks(q, 3);
    TReports r;
    r.Bind(q);
    q.Start(2);
    ASSERT_TRUE(WaitFor([&] { return c.Now == 2 && steps > 10; }));
    q.Pause();
    // Each of the two workers may finish the step it passed the gate for.
    const int frozen = steps;
    std::this_thread::sleep_for(150ms);
    EXPECT_LE(steps - frozen, 2) << "paused workers made progress";
    q.Stop(true);
    EXPECT_TRUE(q.Terminated());
    ExpectCompleteRun(r.Snapshot(), 3);
    EXPECT_EQ(c.Now, 0);
}

TEST_F(ScheduleTest, ResumeLetsPausedWorkersFinish) {
    TConcurrency c;
    std::atomic<int> steps{0};
    TTestTrevalon q;
    q.Body = [&](TTestTask& t) {
        for (int i = 0; i < 40 && !t.Broken(); ++i) {
            t.Gate();
            ++steps;
            std::this_thread::sleep_for(2ms);
        }
        t.MarkFinished();
    };
    AddTasks(q, 2);
    TReports r;
    r.Bind(q);
    q.Start(2);
    ASSERT_TRUE(WaitFor([&] { return steps > 4; }));
    q.Pause();
    std::this_thread::sleep_for(60ms);
    EXPECT_FALSE(q.Terminated());
    q.Resume();
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
    ExpectCompleteRun(r.Snapshot(), 2);
    EXPECT_EQ(steps, 80);
}

// A task that ends during a pause without passing the gate must not let its
// successor convert while the run is paused.
TEST_F(ScheduleTest, ATaskStartedDuringAPauseStartsPaused) {
    std::atomic<bool> firstMayEnd{false};
    std::atomic<bool> secondPassedGate{false};
    std::atomic<int> started{0};
    TTestTrevalon q;
    q.Body = [&](TTestTask& t) {
        if (started++ == 0) {
            while (!firstMayEnd) std::this_thread::sleep_for(1ms);
        } else {
            t.Gate();
            secondPassedGate = true;
        }
        t.MarkFinished();
    };
    AddTasks(q, 2);
    TReports r;
    r.Bind(q);
    q.Start(1);
    ASSERT_TRUE(WaitFor([&] { return started == 1; }));
    q.Pause();
    firstMayEnd = true;
    ASSERT_TRUE(WaitFor([&] { return started == 2; }));
    std::this_thread::sleep_for(80ms);
    EXPECT_FALSE(secondPassedGate);
    q.Resume();
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
    EXPECT_TRUE(secondPassedGate);
    ExpectCompleteRun(r.Snapshot(), 2);
}

TEST_F(ScheduleTest, CustomHookRunsOnTheWorkerAndHandsItsSwitchesBack) {
    std::thread::id bodyThread, hookThread;
    bool update = true, stopHook = false;
    TTestTrevalon q;
    q.Body = [&](TTestTask& t) {
        bodyThread = std::this_thread::get_id();
        if (t.OnCustomHook) {
            QImage picture(32, 24, QImage::Format_BGR888);
            t.OnCustomHook(&t, picture, 7, 280000, update, stopHook);
        }
        t.MarkFinished();
    };
    AddTasks(q, 1, {0});
    ASSERT_TRUE(q.SetOutputFile(0, Out(QStringLiteral("hook.wav")), QStringLiteral("hook=1")));
    THookInfo seen;
    q.OnCustomHook = [&](QObject* Sender, PHookInfo AInfo) {
        EXPECT_EQ(Sender, &q);
        hookThread = std::this_thread::get_id();
        seen = *AInfo;
        AInfo->Update = false;
        AInfo->StopHook = true;
    };
    TReports r;
    r.Bind(q);
    q.Start(1);
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
    EXPECT_EQ(hookThread, bodyThread);
    EXPECT_NE(hookThread, std::this_thread::get_id());
    EXPECT_EQ(seen.TaskIndex, 0);
    EXPECT_EQ(seen.FrameNumber, 7);
    EXPECT_EQ(seen.PTS, 280000);
    EXPECT_TRUE(seen.Update) << "true on entry";
    EXPECT_FALSE(seen.StopHook) << "false on entry";
    EXPECT_FALSE(update);
    EXPECT_TRUE(stopHook);
}

TEST_F(ScheduleTest, ProgressReachesTheUIThreadWithTheTaskIndexAndInterval) {
    std::atomic<int64_t> interval{0};
    TTestTrevalon q;
    q.Body = [&](TTestTask& t) {
        interval = t.ReportInterval;
        t.OnProgress(&t, 0, 10, 25, 2.5f, 128.0f, 1000, 400000, 2000000);
        t.MarkFinished();
    };
    AddTasks(q, 2);
    q.SetProgressInterval(250);
    std::vector<TProgressInfo> seen;
    q.OnProgress = [&](QObject* Sender, PProgressInfo AInfo) {
        EXPECT_EQ(Sender, &q);
        EXPECT_TRUE(IsMainThread());
        seen.push_back(*AInfo);
    };
    q.Start(0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(interval, 250000);
    EXPECT_EQ(seen[0].TaskIndex, 0);
    EXPECT_EQ(seen[1].TaskIndex, 1);
    const TProgressInfo& p = seen[1];
    EXPECT_EQ(p.FileIndex, 0);
    EXPECT_EQ(p.FrameNumber, 10);
    EXPECT_EQ(p.FPS, 25);
    EXPECT_FLOAT_EQ(p.Quality, 2.5f);
    EXPECT_FLOAT_EQ(p.BitRate, 128.0f);
    EXPECT_EQ(p.CurrentSize, 1000);
    EXPECT_EQ(p.CurrentDuration, 400000);
    EXPECT_EQ(p.TotalDuration, 2000000);
}

TEST_F(ScheduleTest, WorkersRunAtTheThreadPriority) {
    struct Case {
        TThreadPriority priority;
        int nice;
        int policy;
    };
    for (const Case c : {Case{tpLowest, 10, SCHED_OTHER}, Case{tpLower, 5, SCHED_OTHER}, Case{tpIdle, -99, SCHED_IDLE}}) {
        SCOPED_TRACE(int(c.priority));
        std::atomic<int> nice{-100}, policy{-1};
        TTestTrevalon q;
        q.Body = [&](TTestTask& t) {
            errno = 0;
            nice = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
            policy = sched_getscheduler(0);
            t.MarkFinished();
        };
        AddTasks(q, 1);
        q.SetThreadPriority(c.priority);
        q.Start(1);
        ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }));
        EXPECT_EQ(policy, c.policy);
        if (c.nice != -99) {
            EXPECT_EQ(nice, c.nice);
        }
    }
}

TEST_F(ScheduleTest, ASecondStartNeedsClearTasks) {
    TConcurrency c;
    TTestTrevalon q;
    q.Body = UntilStopped(c);
    AddTasks(q, 1);
    q.Start(1);
    EXPECT_THROW(
        {
            try {
                q.ClearTasks();
            } catch (const EEngineError& e) {
                EXPECT_EQ(e.Message(), QStringLiteral("Cannot ClearTasks while working."));
                throw;
            }
        },
        EEngineError);
    try {
        q.Start(1);
        ADD_FAILURE() << "a second Start went through";
    } catch (const EEngineError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot StartTask while working."));
    }
    q.Stop(true);
    EXPECT_TRUE(q.Terminated());
    EXPECT_NO_THROW(q.ClearTasks());
    EXPECT_EQ(q.TasksCount(), 0);
}

// The engine's own transcode through the queue: progress and preview
// pictures reach the UI thread with their task's index, both tasks finish and
// leave their files.
TEST_F(ScheduleTest, RealConversionsReportProgressPicturesAndTheirEnd) {
    TTrevalon q;
    const QString clip = TestMedia::Path(QStringLiteral("av1s.avi"));
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(q.AddTask(clip), i) << q.LastErrMsg().toStdString();
        TOutputOptions out;
        InitOutputOptions(out);
        out.VideoCodec = QStringLiteral("mpeg4");
        out.AudioCodec = QStringLiteral("libmp3lame");
        ASSERT_TRUE(q.SetOutputFile(i, Out(QStringLiteral("real%1.avi").arg(i)), &out)) << q.LastErrMsg().toStdString();
    }
    q.SetPreviewBitmap(true);
    q.SetProgressInterval(100);
    std::set<int> progressTasks, pictureTasks;
    int64_t total = 0;
    q.OnProgress = [&](QObject*, PProgressInfo AInfo) {
        EXPECT_TRUE(IsMainThread());
        progressTasks.insert(AInfo->TaskIndex);
        total = AInfo->TotalDuration;
    };
    q.OnPreviewBitmap = [&](QObject*, const TPreviewInfo& AInfo) {
        EXPECT_TRUE(IsMainThread());
        ASSERT_NE(AInfo.Bitmap, nullptr);
        EXPECT_FALSE(AInfo.Bitmap->isNull());
        pictureTasks.insert(AInfo.TaskIndex);
    };
    TReports r;
    r.Bind(q);
    q.Start(2);
    ASSERT_TRUE(WaitFor([&] { return q.Terminated(); }, 60000));
    const auto items = r.Snapshot();
    ExpectCompleteRun(items, 2);
    for (const auto& i : items) EXPECT_TRUE(i.Info.Finished) << i.Info.ExceptionMsg.toStdString();
    EXPECT_EQ(progressTasks, (std::set<int>{0, 1}));
    EXPECT_EQ(pictureTasks, (std::set<int>{0, 1}));
    EXPECT_GT(total, 900000);
    for (int i = 0; i < 2; ++i) EXPECT_GT(QFileInfo(Out(QStringLiteral("real%1.avi").arg(i))).size(), 0);
}

// A component destroyed in the middle of a run stops its workers first; no
// late report reaches it afterwards.
TEST_F(ScheduleTest, DestroyingARunningQueueStopsItsWorkers) {
    TConcurrency c;
    TReports r;
    {
        TTestTrevalon q;
        q.Body = UntilStopped(c);
        AddTasks(q, 4);
        r.Bind(q);
        q.Start(2);
        ASSERT_TRUE(WaitFor([&] { return c.Now == 2; }));
    }
    EXPECT_EQ(c.Now, 0);
    const size_t delivered = r.Count();
    CheckSynchronize();
    EXPECT_EQ(r.Count(), delivered) << "a report reached a destroyed queue";
}

}  // namespace
