// The program started with its converter loaded and a temporary output
// folder; jobs are made as the add makes them, and the engine's reports are
// watched on their way to the window's own handlers.
#pragma once

#include "tests/app/mainwindow/MainWindowFixture.h"

#include "app/jobs/JobRecords.h"
#include "app/jobs/ProfilePanel.h"
#include "app/options/OptionsForm.h"
#include "app/profiles/ProfileTables.h"
#include "engine/Trevalon.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFileInfo>

#include <functional>
#include <utility>

class RunTest : public MainWindowTest {
protected:
    QTemporaryDir OutDir;
    std::vector<TTerminateInfo> Ends;
    std::vector<TProgressInfo> Reports;
    // Runs on the UI thread after the window's own handler, while the worker
    // waits for the report to be handled.
    std::function<void(const TProgressInfo&)> AfterReport;
    std::function<void(const TTerminateInfo&)> AfterEnd;

    QString Out() const { return OutDir.path(); }

    void StartLoaded() {
        Start();
        ASSERT_TRUE(W->Trevalon->LoadAVLib(QStringLiteral("/nonexistent/LibAV")));
        W->Video_OutPut_Folder_Edit->SetText(Out());
        W->FileOutPutPath = Out();
        W->Trevalon->SetProgressInterval(100);
        auto progress = W->Trevalon->OnProgress;
        W->Trevalon->OnProgress = [this, progress](QObject* s, PProgressInfo info) {
            progress(s, info);
            Reports.push_back(*info);
            if (AfterReport) AfterReport(*info);
        };
        auto terminate = W->Trevalon->OnTerminate;
        W->Trevalon->OnTerminate = [this, terminate](QObject* s, const TTerminateInfo& info) {
            terminate(s, info);
            Ends.push_back(info);
            if (AfterEnd) AfterEnd(info);
        };
    }

    static std::pair<int, int> ListPosition(int code) {
        for (int c = 0; c < profiles::CategoryRowCount; ++c) {
            const auto list = profiles::ProfilesOfCategoryRow(c);
            for (int p = 0; p < int(list.size()); ++p)
                if (list[p].Code == code) return {c, p};
        }
        ADD_FAILURE() << "no profile " << code;
        return {0, 0};
    }

    // A job as a several-files add leaves it: the profile's row and records,
    // with the commands of a list that has rows.
    TListItem* AddJob(const QString& input, int code) {
        const auto [categoryRow, profileRow] = ListPosition(code);
        jobs::TProfilePanel panel(Out(), W->OutputNameRule());
        panel.SetCategoryIndex(categoryRow);
        panel.SetProfileIndex(profileRow);
        panel.Fields().Video_AddFileName = input;
        panel.ComputeParameters();
        panel.ConfirmOptions();
        jobs::TJobRecord record;
        InitInputOptions(record.Input);
        record.Input.FileName = input;
        record.Output = jobs::OutputOptionsFromFields(panel.Fields());
        record.Output.FileName = panel.Fields().Video_OutPutFileName;
        const int index = W->lvFiles->Items().Count();
        const jobs::TJobRow row = jobs::NewJobRow({input, 1000000, QFileInfo(input).size(), index}, record.Output, panel);
        TListItem* item = W->AppendRow(row);
        W->JobRecords.Append(record);
        for (const TCommandState* c : {&W->CmdRemove, &W->CmdRename, &W->CmdClear, &W->CmdStart})
            c->SetEnabled(true);
        return item;
    }

    // A clip long enough that a run is still converting when its first
    // report arrives.
    static QString LongClip() {
        const QString path = TestMedia::CacheDir() + QStringLiteral("/run_long.avi");
        if (!QFileInfo::exists(path)) {
            const QString part = path + QStringLiteral(".part.avi");
            EXPECT_TRUE(TestMedia::RunFFmpeg(
                {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-f", "lavfi", "-i", "sine=f=440:r=44100",
                 "-t", "60", "-c:v", "mpeg4", "-q:v", "4", "-c:a", "libmp3lame", part}));
            QFile::rename(part, path);
        }
        return path;
    }

    QString CopyOf(const QString& clip, const QString& name) const {
        const QString path = Out() + QStringLiteral("/in/") + name;
        QDir().mkpath(Out() + QStringLiteral("/in"));
        EXPECT_TRUE(QFile::copy(clip, path));
        return path;
    }

    bool RunEnded() const { return !Ends.empty() && Ends.back().TaskIndex < 0; }
    bool WaitForRunEnd() { return WaitUntil([this] { return RunEnded(); }, 2000000); }

    void SetThreads(int count) { Form5->qvSkinComboBox2->SetItemIndex(count - 1); }

    // What the move commands do to two rows: texts and records change places.
    void ExchangeRows(int a, int b) {
        TListItem* ia = W->lvFiles->Items()[a];
        TListItem* ib = W->lvFiles->Items()[b];
        const jobs::TJobRow ra = TForm1::RowOf(ia), rb = TForm1::RowOf(ib);
        TForm1::StoreRow(ia, rb);
        TForm1::StoreRow(ib, ra);
        W->JobRecords.Exchange(a, b);
    }
};
