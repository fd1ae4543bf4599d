// The conversion run: Start rebuilds the engine's tasks from the rows and
// starts them; Pause, Resume and Stop drive the running engine; the profile
// panel is locked while a run goes on.
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/JobFileNames.h"
#include "app/jobs/OutputName.h"
#include "app/jobs/StreamCheck.h"
#include "app/options/OptionsForm.h"
#include "engine/AVProbe.h"
#include "engine/Trevalon.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/forms/menu/Menus.h"

#include <QScopeGuard>

#include <vector>

using namespace jobs;

void TForm1::BindRunHandlers() {
    btnStart->OnClick = [this](QObject* s) { btnStartClick(s); };
    btnStop->OnClick = [this](QObject* s) { btnStopClick(s); };
    btnPause->OnClick = [this](QObject* s) { btnPauseClick(s); };
    btnResume->OnClick = [this](QObject* s) { btnResumeClick(s); };
    button28->OnClick = [this](QObject* s) { button28Click(s); };
    Button22->OnClick = [this](QObject* s) { Button22Click(s); };
    Button23->OnClick = [this](QObject* s) { Button23Click(s); };
    Button24->OnClick = [](QObject*) {};
    qvSkinButton11->OnClick = N10->OnClick = [this](QObject* s) { qvSkinButton11Click(s); };
    qvSkinButton12->OnClick = N11->OnClick = [this](QObject* s) { qvSkinButton12Click(s); };
    chkPreview->OnClick = [this](QObject* s) { chkPreviewClick(s); };
}

void TForm1::btnStartClick(QObject*) {
    // Tested in order, so the last ticked one wins; none ticked keeps the engine's.
    const std::pair<TqvSkinCheckRadioBox*, TThreadPriority> priorities[] = {
        {Form5->qvSkinCheckRadioBox9, tpIdle},
        {Form5->qvSkinCheckRadioBox10, tpLowest},
        {Form5->qvSkinCheckRadioBox11, tpLower},
        {Form5->qvSkinCheckRadioBox12, tpNormal}};
    for (const auto& [radio, priority] : priorities)
        if (radio->Checked()) Trevalon->SetThreadPriority(priority);

    if (!RebuildTasks()) return;

    CmdAdd.SetEnabled(false);
    Button22->Click();
    for (const TCommandState* c : {&CmdRemove, &CmdRename, &CmdClear, &CmdStart}) c->SetEnabled(false);
    CmdStop.SetEnabled(chkThreadMode->Checked());
    CmdPause.SetEnabled(chkThreadMode->Checked());
    CmdResume.SetEnabled(false);

    int count = 1;
    if (Form5->qvSkinCheckRadioBox7->Checked()) {
        bool ok = false;
        count = Form5->qvSkinComboBox2->Text().toInt(&ok);
        if (!ok) count = 1;
    }
    Trevalon->Start(count);
}

void TForm1::button28Click(QObject*) { RebuildTasks(); }

// Every row's records are worked out before the engine is touched, so a
// number column that is not a number ends Start with nothing changed. Every
// row's input is opened before any output is attached: a row whose input has
// gone would leave the tasks out of step with the rows, so then nothing starts.
bool TForm1::RebuildTasks() {
    Trevalon->ClearTasks();
    const int rows = lvFiles->Items().Count();
    // From here on the rows' task numbers name tasks that are gone: a rebuild
    // that does not finish leaves every row without one, so Remove and later
    // adds keep rows and tasks in step.
    bool rebuilt = false;
    const auto unnumber = qScopeGuard([&] {
        if (rebuilt) return;
        for (int i = 0; i < lvFiles->Items().Count(); ++i) {
            lvFiles->Items()[i]->SubItems().SetStrings(siTaskNumber, QString());
            if (i < JobRecords.Count()) JobRecords.At(i).RunTask = -1;
        }
    });
    // Every add keeps a record per row; a row without one converts from reset records.
    while (JobRecords.Count() < rows) {
        TJobRecord record;
        InitInputOptions(record.Input);
        InitOutputOptions(record.Output);
        JobRecords.Append(record);
    }
    const std::vector<bool> createNew = CheckOutputNames();

    std::vector<TJobStart> starts;
    starts.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        starts.push_back(StartRecords(RowOf(lvFiles->Items()[i]), JobRecords.At(i), FileOutPutPath));
        starts.back().Output.NoOverwrite = createNew[i];
    }

    for (int i = 0; i < rows; ++i) {
        if (Trevalon->AddTask(starts[i].Input.FileName, &starts[i].Input) < 0) {
            const QString message = Trevalon->LastErrMsg();
            Trevalon->ClearTasks();
            Application()->MessageBox(message, Application()->Title(), MB_OK | MB_ICONWARNING);
            return false;
        }
    }
    for (int i = 0; i < rows; ++i) {
        TJobRecord& record = JobRecords.At(i);
        record.RunTask = i;
        record.RunOutput = starts[i].OutputPath;
        // An output that could hold no stream is not attached: the task then
        // fails at its turn with the reason kept, which names the cause.
        const TAVProbe* input = Trevalon->GetTaskAVProbe(i, 0);
        record.AudioStreams = input->AudioStreamCount();
        record.VideoStreams = input->VideoStreamCount();
        if (const auto reason =
                MissingStreamReason(record.AudioStreams, record.VideoStreams, starts[i].Output.DisableVideo)) {
            record.Refusal = *reason;
            mmoLog->Lines().Add(QStringLiteral("***Cannot do convert, error: ") + record.Refusal);
        } else if (Trevalon->SetOutputFile(i, starts[i].OutputPath, &starts[i].Output)) {
            record.Refusal.clear();
        } else {
            // The task's own failure will only say that it has no output.
            record.Refusal = Trevalon->LastErrMsg();
            mmoLog->Lines().Add(QStringLiteral("***Cannot do convert, error: ") + record.Refusal);
        }
        lvFiles->Items()[i]->SubItems().SetStrings(siTaskNumber, QString::number(i + 1));
    }
    rebuilt = true;
    return true;
}

// Names were chosen when they were set; since then inputs and outputs may
// have been renamed or moved, the folder changed, files appeared. So every
// name is checked again where it will be written, and the row shows the name
// that runs. Without overwrite a file that is there stays, unless it is the
// job's own earlier output unchanged (a start after a Stop writes over its
// partial file); every other output is created new by the engine, which also
// covers a file that appears while earlier jobs convert.
std::vector<bool> TForm1::CheckOutputNames() {
    const bool overwrite = OverwriteOutput();
    const int rows = lvFiles->Items().Count();
    // The inputs and names are looked up once for all rows (a long list).
    TTakenIndex index;
    for (int i = 0; i < rows; ++i) {
        index.AddInput(lvFiles->Items()[i]->Caption());
        index.AddName(lvFiles->Items()[i]->SubItems()[siOutputName]);
    }
    std::vector<bool> createNew(rows, !overwrite);
    for (int i = 0; i < rows; ++i) {
        TListItem* item = lvFiles->Items()[i];
        TJobRecord& record = JobRecords.At(i);
        const QString name = item->SubItems()[siOutputName];
        const QString wanted = FileOutPutPath + QLatin1Char('/') + name;
        std::optional<TFileStamp> ownOutput;
        if (record.WrittenPath == wanted) ownOutput = record.Written;
        const QString chosen = ChooseIndexedOutputPath(FileOutPutPath, FileBaseName(name), FileExtension(name),
                                                       overwrite, index, name, ownOutput);
        if (chosen != wanted) {
            item->SubItems().SetStrings(siOutputName, FileNamePart(chosen));
            index.RemoveName(name);
            index.AddName(FileNamePart(chosen));
        }
        record.Output.FileName = chosen;
        if (!overwrite && chosen == wanted && ownOutput && StampOf(chosen) == ownOutput) createNew[i] = false;
    }
    return createNew;
}

void TForm1::Button22Click(QObject*) { SetProfilePanelEnabled(false); }

void TForm1::Button23Click(QObject*) { SetProfilePanelEnabled(true); }

void TForm1::SetProfilePanelEnabled(bool enabled) {
    for (TqvSkinComboBox* list :
         {qvSkinComboBox1, qvSkinComboBox2, qvSkinComboBox3, qvSkinComboBox4, qvSkinComboBox9, qvSkinComboBox10})
        list->SetEnabled(enabled);
    qvSkinOfficeComboBox2->SetEnabled(enabled);
    qvSkinOfficeComboBox2->Repaint();
    qvSkinOfficeComboBox1->SetEnabled(enabled);
    qvSkinButton5->SetEnabled(enabled);
}

void TForm1::btnPauseClick(QObject*) {
    CmdPause.SetEnabled(false);
    CmdResume.SetEnabled(true);
    Trevalon->Pause();
}

void TForm1::btnResumeClick(QObject*) {
    CmdPause.SetEnabled(true);
    CmdResume.SetEnabled(false);
    Trevalon->Resume();
}

// The toolbar Start comes back before the engine is told to stop, so it can be
// pressed while the stop is still waiting; the rebuild then refuses.
void TForm1::btnStopClick(QObject*) {
    CmdStop.SetEnabled(false);
    qvSkinButton2->SetGlyph(CmdStart.EnabledPicture->Picture());
    qvSkinButton2->RefreshButton();
    qvSkinButton2->SetEnabled(true);
    Button23->Click();
    Button24->Click();
    Trevalon->Stop(true);
}

// Pause and Resume share one place on the tool bar and the relays swap them;
// however a run ends, Pause is the one left there, as in a fresh window, so
// the next run offers Pause where the user looks for it.
void TForm1::ResetRunControls() {
    CmdStop.SetEnabled(false);
    CmdPause.SetEnabled(false);
    CmdResume.SetEnabled(false);
    qvSkinButton11->SetVisible(true);
    qvSkinButton12->SetVisible(false);
}

void TForm1::qvSkinButton11Click(QObject*) {
    btnPause->Click();
    qvSkinButton11->SetVisible(false);
    qvSkinButton12->SetVisible(true);
}

void TForm1::qvSkinButton12Click(QObject*) {
    btnResume->Click();
    qvSkinButton11->SetVisible(true);
    qvSkinButton12->SetVisible(false);
}

void TForm1::chkPreviewClick(QObject*) { Trevalon->SetPreview(chkPreview->Checked()); }
