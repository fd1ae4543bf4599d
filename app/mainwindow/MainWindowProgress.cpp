// The engine's reports during and after a run: progress into the job rows,
// each task's end, the end of the run with its after-run action, and the
// hidden log.
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/AfterRun.h"
#include "app/jobs/JobState.h"
#include "app/jobs/OutputName.h"
#include "app/options/OptionsForm.h"
#include "engine/FFBase.h"
#include "engine/FFLogger.h"
#include "engine/Trevalon.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/views/SkinListView.h"

#include <QScopeGuard>
#include <QTimer>

using namespace jobs;

void TForm1::BindProgressHandlers() {
    Trevalon->OnProgress = [this](QObject* s, PProgressInfo info) { TrevalonProgress(s, info); };
    Trevalon->OnTerminate = [this](QObject* s, const TTerminateInfo& info) { TrevalonTerminate(s, info); };
    FFLogger->OnLog = [this](QObject* s, TThreadID thread, TLogLevel level, const QString& message) {
        FFLoggerLog(s, thread, level, message);
    };
    Button20->OnClick = [this](QObject* s) { Button20Click(s); };
    Button25->OnClick = [this](QObject* s) { Button25Click(s); };
    Button29->OnClick = [this](QObject* s) { Button29Click(s); };
}

// Rows may be moved while a run goes on; a report belongs to the job its task
// was built from, wherever that job's row is now.
int TForm1::RowOfTask(int task) const {
    const int rows = std::min(lvFiles->Items().Count(), JobRecords.Count());
    for (int i = 0; i < rows; ++i)
        if (JobRecords.At(i).RunTask == task) return i;
    return -1;
}

void TForm1::TrevalonProgress(QObject*, PProgressInfo info) {
    const int row = RowOfTask(info->TaskIndex);
    if (row < 0) return;
    TListItem* item = lvFiles->Items()[row];
    TJobRow data = RowOf(item);
    ApplyProgress(data, *info);
    StoreRow(item, data);
}

void TForm1::TrevalonTerminate(QObject*, const TTerminateInfo& info) {
    if (info.TaskIndex < 0) {
        CmdRemove.SetEnabled(false);
        CmdRename.SetEnabled(false);
        CmdClear.SetEnabled(true);
        ResetRunControls();
        Button23->Click();
        Button24->Click();
        if (Form5->qvSkinCheckRadioBox1->Checked()) Button20->Click();
        if (Form5->qvSkinCheckRadioBox2->Checked()) Button25->Click();
        if (Form5->qvSkinCheckRadioBox4->Checked()) Button29->Click();
        return;
    }
    const int row = RowOfTask(info.TaskIndex);
    if (row >= 0 && info.OutputWritten) {
        // What the task left is the job's own: a later start may write over it.
        TJobRecord& record = JobRecords.At(row);
        record.WrittenPath = record.RunOutput;
        record.Written = StampOf(record.RunOutput);
    }
    const TTaskEnd end = row >= 0 ? TaskEnd(info, JobRecords.At(row).Refusal, lvFiles->Items()[row]->Caption())
                                  : TaskEnd(info);
    if (row >= 0 && end.ProgressText)
        lvFiles->Items()[row]->SubItems().SetStrings(siProgress, *end.ProgressText);
    if (end.Warning) QueueWarning(*end.Warning);
}

// A box runs an event loop of its own. Opened inside the engine's report, it
// would keep the engine's queue from being served, and every worker would
// wait on its next report until OK was pressed. So the report only queues
// the text; the boxes open after it has returned, one after the other, while
// the other jobs go on and their rows update.
void TForm1::QueueWarning(const QString& text) {
    FWarnings.append(text);
    if (FWarningsPosted || FShowingWarnings) return;
    FWarningsPosted = true;
    QTimer::singleShot(0, this, [this] { ShowWarnings(); });
}

void TForm1::ShowWarnings() {
    FWarningsPosted = false;
    if (FShowingWarnings) return;
    FShowingWarnings = true;
    const auto done = qScopeGuard([this] { FShowingWarnings = false; });
    while (!FWarnings.isEmpty())
        Application()->MessageBox(FWarnings.takeFirst(), Application()->Title(), MB_OK | MB_ICONWARNING);
}

void TForm1::FFLoggerLog(QObject*, TThreadID thread, TLogLevel level, const QString& message) {
    mmoLog->Lines().Add(LogLineText(thread, level, message));
}

void TForm1::Button20Click(QObject*) {
    RunAfterRunAction(settings::TAfterRunAction::OpenOutputFolder, Video_OutPut_Folder_Edit->Text(),
                      GetApplicationPath());
}

void TForm1::Button25Click(QObject*) {
    RunAfterRunAction(settings::TAfterRunAction::ShutDown, Video_OutPut_Folder_Edit->Text(), GetApplicationPath());
}

void TForm1::Button29Click(QObject*) {
    RunAfterRunAction(settings::TAfterRunAction::PlaySound, Video_OutPut_Folder_Edit->Text(), GetApplicationPath());
}
