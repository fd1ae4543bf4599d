// Adding files: one file, several files, a whole folder. Each file is probed,
// becomes an engine task with an output, and gets a job row and its records.
// Failures go to the hidden log only; the folder add's notice is the one box.
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/JobState.h"
#include "app/jobs/ProfilePanel.h"
#include "app/jobs/StreamCheck.h"
#include "engine/AVProbe.h"
#include "engine/FFBase.h"
#include "engine/Trevalon.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/forms/menu/Menus.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

using namespace jobs;

namespace {
const QString kNothingInFolder = QStringLiteral("在该目录没有发现可以用的视频或音频文件！");
const QString kUnopened = QStringLiteral("以下文件无法打开，没有添加：");
const QString kNotTried = QStringLiteral("添加已中止，以下文件没有添加：");
const QString kMoreUnopened = QStringLiteral("……另有 %1 个文件");
constexpr int kUnopenedShown = 10;
constexpr qint64 kAddPaintSpacingMs = 50;

// While an add runs between repaints, what the user does must wait: a command
// run between two files would change the list under the add. Input that the
// window system queues is held back by the repaint itself; this drops input
// handed to the widgets directly.
class TInputHold : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            e->ignore();
            return true;
        default:
            return false;
        }
    }
};

qint64 SteadyMs() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock.elapsed();
}

// Why the file itself cannot be opened for reading, or empty when it can
// (then the probe refused what it holds, which is no news for the user). A
// named pipe is not waited on.
QString OpenFailure(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return QString();
    }
    return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}
QString FolderFailure(const QString& path) {
    DIR* dir = ::opendir(QFile::encodeName(path).constData());
    if (dir) {
        ::closedir(dir);
        return QString();
    }
    return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}
}  // namespace

void TForm1::BindAddsHandlers() {
    btnAdd->OnClick = Item111->OnClick = N11111->OnClick = [this](QObject* s) { btnAddClick(s); };
    Button8->OnClick = Item121->OnClick = [this](QObject* s) { Button8Click(s); };
    N2222->OnClick = [this](QObject*) { Button8->Click(); };
    Button12->OnClick = [this](QObject* s) { Button12Click(s); };
    N21->OnClick = N3331->OnClick = [this](QObject*) { Button12->Click(); };

    lvFiles->OnSelectItem = [this](QObject* s, TListItem* item, bool selected) { lvFilesSelectItem(s, item, selected); };
    lvFiles->OnClick = [this](QObject* s) { lvFilesClick(s); };
    lvFiles->OnDblClick = [this](QObject* s) { lvFilesDblClick(s); };

    btnRemove->OnClick = [this](QObject* s) { btnRemoveClick(s); };
    btnClear->OnClick = [this](QObject* s) { btnClearClick(s); };
    qvSkinButton3->OnClick = N111->OnClick = [this](QObject* s) { qvSkinButton3Click(s); };
    qvSkinButton4->OnClick = N2221->OnClick = [this](QObject* s) { qvSkinButton4Click(s); };
    qvSkinButton21->OnClick = [this](QObject* s) { qvSkinButton21Click(s); };
    N26->OnClick = [this](QObject* s) { N26Click(s); };
    edt->OnExit = [this](QObject* s) { edtExit(s); };
}

void TForm1::LogLine(const QString& line) { mmoLog->Lines().Add(line); }

void TForm1::Notice(const QString& text) {
    Dialogs->MessageDlg2(text, QStringLiteral("提示"), mtInformation, MsgBtn(mbOK));
}

// The job fields are reset and the libraries loaded once per command; a load
// that failed is tried again by the next add.
bool TForm1::PrepareAdd() {
    Button6->Click();
    if (Trevalon->AVLibLoaded()) return true;
    if (Trevalon->LoadAVLib(GetApplicationPath() + QStringLiteral("LibAV"))) return true;
    LogLine(Trevalon->LastErrMsg());
    return false;
}

TProfilePanel TForm1::PanelModel() {
    for (TOptionRole role : DigitOrder) FPanel->NoteOptionIndex(role, OptionList(role)->ItemIndex());
    TProfilePanel panel = *FPanel;
    panel.SetSelected(nullptr);
    panel.OptionChanged = nullptr;
    panel.Fields() = VideoFields;
    panel.SetFolderText(Video_OutPut_Folder_Edit->Text());
    return panel;
}

TForm1::TAddOutcome TForm1::AddFile(const QString& path, bool singleAdd) {
    TAVProbe* probe = Trevalon->AVProbe();
    if (!probe->LoadFile(path, QString())) {
        LogLine(QString());
        LogLine(QStringLiteral("***File load error: ") + probe->LastErrMsg());
        LogLine(QString());
        if (const QString failure = OpenFailure(path); !failure.isEmpty()) FUnopened << failure;
        return TAddOutcome::Skipped;
    }
    ProgressBar1->SetPosition(0);
    VideoFields.Video_AddFileName = path;

    TJobRecord record;
    InitInputOptions(record.Input);
    const int task = Trevalon->AddTask(path, &record.Input);
    if (task < 0) {
        LogLine(QString());
        LogLine(QStringLiteral("***File open error: ") + Trevalon->LastErrMsg());
        LogLine(QString());
        FUnopened << Trevalon->LastErrMsg();
        return TAddOutcome::Ended;
    }
    LogLine(QString());
    QString info = Trevalon->GetTaskAVProbe(task, 0)->FileInfoText();
    info.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (info.endsWith(QLatin1Char('\n'))) info.chop(1);
    for (const QString& line : info.split(QLatin1Char('\n'))) LogLine(line);
    T_Movie_PLayer_FileName = path;

    TJobRow row;
    try {
        // The new job's parameters and the lists' values, worked out on a copy
        // of the panel: no row, the selected one included, is touched.
        TProfilePanel panel = PanelModel();
        panel.ComputeParameters();
        panel.ConfirmOptions();
        VideoFields = panel.Fields();
        record.Output = OutputOptionsFromFields(VideoFields);
        // A refused output keeps its job: the row says why, and the task
        // stays without an output until the next start rebuilds it.
        QString refusal;
        if (!Trevalon->SetOutputFile(task, VideoFields.Video_OutPutFileName, &record.Output)) {
            refusal = Trevalon->LastErrMsg();
            LogLine(QString());
            LogLine(QStringLiteral("***Cannot do convert, error: ") + refusal);
            LogLine(QString());
            if (record.Output.FileName.isEmpty()) record.Output.FileName = VideoFields.Video_OutPutFileName;
        }
        const TAddedFile file{path, probe->FileStreamInfo().Duration, probe->FileSize(), task};
        row = NewJobRow(file, record.Output, panel);
        if (!refusal.isEmpty()) NoteRefusal(row, record, refusal);
        NoteInputStreams(row, record, probe->AudioStreamCount(), probe->VideoStreamCount());
    } catch (...) {
        // The task has no row to name it: it goes, so task numbers stay true.
        Trevalon->RemoveTask(task);
        throw;
    }

    qvSkinPanel5->SetVisible(false);
    AppendRow(row);
    if (FAddIndex) {
        FAddIndex->AddName(row[siOutputName]);
        FAddIndex->AddInput(path);
    }
    if (singleAdd) lvFiles->SetFocus();
    SetListCommands(true);
    JobRecords.Append(record);
    if (record.Refusal.isEmpty()) {
        LogLine(QString());
        LogLine(QStringLiteral("***Can do convert."));
        LogLine(QString());
    }
    CmdStart.SetEnabled(true);
    btnStart->SetFocus();
    return TAddOutcome::Added;
}

// From the last path to the first; false when the command ended early.
bool TForm1::AddFiles(const QStringList& paths) {
    // Every new name is checked against the list's names and inputs, which
    // are looked up once here and grow with the rows, so an add of n files
    // costs n lookups, not n times the list.
    FAddIndex.emplace();
    for (int i = 0; i < lvFiles->Items().Count(); ++i) {
        FAddIndex->AddName(lvFiles->Items()[i]->SubItems()[siOutputName]);
        FAddIndex->AddInput(lvFiles->Items()[i]->Caption());
    }
    TInputHold hold;
    qApp->installEventFilter(&hold);
    FAdding = true;
    FAddPaintedAt = AddPaintClock ? AddPaintClock() : SteadyMs();
    const auto done = qScopeGuard([&] {
        FAdding = false;
        qApp->removeEventFilter(&hold);
        FAddIndex.reset();
    });
    for (qsizetype i = paths.size() - 1; i >= 0; --i) {
        // Only a vanished entry ends the command; a folder, pipe or device that
        // the listing holds is the probe's to refuse, and is skipped.
        if (!QFileInfo::exists(paths[i])) return false;
        if (AddFile(paths[i], false) == TAddOutcome::Ended) {
            QStringList rest;
            for (qsizetype j = i - 1; j >= 0; --j) rest << paths[j];
            TellUnopened(rest);
            return false;
        }
        PaintDuringAdd();
        // The window was closed (a signal) while it painted: the rest waits for nobody.
        if (Application()->Terminated()) return false;
    }
    return true;
}

void TForm1::PaintDuringAdd() {
    const qint64 now = AddPaintClock ? AddPaintClock() : SteadyMs();
    if (now - FAddPaintedAt < kAddPaintSpacingMs) return;
    FAddPaintedAt = now;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// One notice for the files an add could not open (the limit on open files,
// permissions), so none of them is left out without a word.
void TForm1::TellUnopened(const QStringList& notTried) {
    if (FUnopened.isEmpty()) return;
    QStringList lines;
    const auto list = [&lines](const QString& title, const QStringList& names) {
        lines << title;
        for (int i = 0; i < names.size() && i < kUnopenedShown; ++i) lines << names[i];
        if (names.size() > kUnopenedShown) lines << kMoreUnopened.arg(names.size() - kUnopenedShown);
    };
    list(kUnopened, FUnopened);
    if (!notTried.isEmpty()) list(kNotTried, notTried);
    FUnopened.clear();
    Notice(lines.join(QLatin1Char('\n')));
}

void TForm1::SelectLastRow() {
    const int count = lvFiles->Items().Count();
    if (count == 0) return;
    lvFiles->Items()[count - 1]->SetSelected(true);
    lvFiles->SetFocus();
}

void TForm1::btnAddClick(QObject*) {
    if (FAdding || !PrepareAdd()) return;
    FUnopened.clear();
    const auto files = Dialogs->OpenFiles(OpenDialog1);
    if (!files || files->isEmpty() || !QFileInfo(files->first()).isFile()) return;
    if (AddFile(files->first(), true) != TAddOutcome::Added) return TellUnopened({});
    SelectLastRow();
}

void TForm1::Button8Click(QObject*) {
    if (FAdding || !PrepareAdd()) return;
    FUnopened.clear();
    const auto files = Dialogs->OpenFiles(OpenDialog2);
    if (!files || files->isEmpty() || !QFileInfo(files->first()).isFile()) return;
    if (AddFiles(*files)) SelectLastRow();
    TellUnopened({});
}

void TForm1::Button12Click(QObject*) {
    if (FAdding) return;
    FUnopened.clear();
    const int rowsBefore = lvFiles->Items().Count();
    if (!PrepareAdd()) return;
    const auto folder = Dialogs->SelectFolder(qvSkinSelectDirectoryDialog1);
    if (!folder || folder->isEmpty() || !QFileInfo(*folder).isDir()) return;
    ListBox1->Items().Clear();
    if (const auto names = GetFilenames(*folder, QStringLiteral("*.*")))
        for (const QString& name : *names) ListBox1->Items().Add(name);
    QStringList paths;
    for (int i = 0; i < ListBox1->Items().Count(); ++i) paths << ListBox1->Items()[i];
    // A folder that cannot be read is not an empty one.
    if (paths.isEmpty())
        if (const QString failure = FolderFailure(*folder); !failure.isEmpty()) FUnopened << failure;
    if (!AddFiles(paths)) return TellUnopened({});
    SelectLastRow();
    TellUnopened({});
    if (lvFiles->Items().Count() <= rowsBefore)
        Notice(kNothingInFolder);
}

std::optional<QStringList> TForm1::GetFilenames(const QString& FilePath, const QString& ExtMask) {
    if (!QFileInfo(FilePath).isDir()) return std::nullopt;
    const QString folder = FilePath.endsWith(QLatin1Char('/')) ? FilePath : FilePath + QLatin1Char('/');
    QDir dir(folder);
    // "*.*" names every file, also one without a dot.
    if (ExtMask != QLatin1String("*.*") && ExtMask != QLatin1String("*")) dir.setNameFilters({ExtMask});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    // The folder's own storage order is arbitrary; rows come out the same way every time.
    dir.setSorting(QDir::Name);
    QStringList paths;
    for (const QString& name : dir.entryList()) {
        if (QFileInfo(folder + name).isDir()) continue;
        paths << folder + name;
    }
    return paths;
}

// Remove, rename, clear and start follow whether the list holds rows.
void TForm1::SetListCommands(bool enabled) {
    CmdRemove.SetEnabled(enabled);
    CmdRename.SetEnabled(enabled);
    CmdClear.SetEnabled(enabled);
    CmdStart.SetEnabled(enabled);
}
