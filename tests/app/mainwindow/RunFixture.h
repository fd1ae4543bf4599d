// The program started with its converter loaded and a temporary output
// folder; jobs are made as the add makes them, and the engine's reports are
// watched on their way to the window's own handlers.
#pragma once

#include "tests/app/mainwindow/AddsFixture.h"

#include "app/jobs/JobRecords.h"
#include "app/jobs/ProfilePanel.h"
#include "app/options/OptionsForm.h"
#include "app/profiles/ProfileTables.h"
#include "engine/MainThread.h"
#include "engine/Trevalon.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFileInfo>

#include <functional>
#include <utility>

class RunTest : public AddsTest {
protected:
    std::vector<TTerminateInfo> Ends;
    std::vector<TProgressInfo> Reports;
    struct TEvent {
        bool End;  // a task's end, else a progress report
        int Task;
    };
    std::vector<TEvent> Events;
    // Runs on the UI thread after the window's own handler, while the worker
    // waits for the report to be handled.
    std::function<void(const TProgressInfo&)> AfterReport;
    std::function<void(const TTerminateInfo&)> AfterEnd;

    QString Out() const { return Outputs.path(); }

    void StartLoaded() {
        Start();
        ASSERT_TRUE(W->Trevalon->LoadAVLib(QStringLiteral("/nonexistent/LibAV")));
        Watch();
    }

    // Output into the temporary folder; every report and task end is also
    // written down, in one sequence.
    void Watch() {
        W->Video_OutPut_Folder_Edit->SetText(Out());
        W->FileOutPutPath = Out();
        W->Trevalon->SetProgressInterval(100);
        auto progress = W->Trevalon->OnProgress;
        W->Trevalon->OnProgress = [this, progress](QObject* s, PProgressInfo info) {
            progress(s, info);
            Reports.push_back(*info);
            Events.push_back({false, info->TaskIndex});
            if (AfterReport) AfterReport(*info);
        };
        auto terminate = W->Trevalon->OnTerminate;
        W->Trevalon->OnTerminate = [this, terminate](QObject* s, const TTerminateInfo& info) {
            terminate(s, info);
            Ends.push_back(info);
            Events.push_back({true, info.TaskIndex});
            if (AfterEnd) AfterEnd(info);
        };
    }

    // A job added as the user adds one file, with the profile of that code.
    TListItem* AddJob(const QString& input, int code) {
        // A profile chosen while a row is selected would change that row.
        W->lvFiles->ClearSelection();
        ChooseCode(code);
        AddOne(input);
        EXPECT_EQ(Rows() ? Row(Rows() - 1)->Caption() : QString(), input) << LogLines().join("\n").toStdString();
        return Rows() ? Row(Rows() - 1) : nullptr;
    }

    // A clip long enough that a run is still converting when its first
    // report arrives.
    static QString LongClip() {
        const QString path = TestMedia::CacheDir() + QStringLiteral("/run_long.avi");
        if (!QFileInfo::exists(path)) {
            // Tests run side by side: each makes its own part and the first rename wins.
            const QString part = path + QStringLiteral(".%1.avi").arg(QCoreApplication::applicationPid());
            EXPECT_TRUE(TestMedia::RunFFmpeg(
                {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-f", "lavfi", "-i", "sine=f=440:r=44100",
                 "-t", "60", "-c:v", "mpeg4", "-q:v", "4", "-c:a", "libmp3lame", part}));
            if (!QFile::rename(part, path)) QFile::remove(part);
        }
        return path;
    }

    bool RunEnded() const { return !Ends.empty() && Ends.back().TaskIndex < 0; }
    // The limit only ends a hang: a loaded machine or a sanitizer makes the
    // run late, never the test wrong.
    static bool WaitFor(const std::function<bool()>& done) { return WaitInMainThread(done, 300000); }
    // Warning boxes open once the report that queued them has returned; the
    // events left are served, so a failure's box has been shown too.
    bool WaitForRunEnd() {
        const bool ended = WaitFor([this] { return RunEnded(); });
        QCoreApplication::processEvents();
        return ended;
    }

    void SetThreads(int count) { Form5->qvSkinComboBox2->SetItemIndex(count - 1); }
};
