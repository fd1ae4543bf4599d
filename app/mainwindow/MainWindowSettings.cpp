// The window's keys of "option.ini": the output folder and the skin. Read at
// start-up (a failed repair is collected for the start-up's one error box and
// the window goes on with the value it meant to store), written by Browse and
// the skin commands (a failure shows its own box).
#include "app/mainwindow/MainWindow.h"

#include "app/settings/MainWindowSettings.h"
#include "app/settings/SettingsFile.h"
#include "engine/FFBase.h"
#include "platform/Application.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/model/SkinData.h"

#include <QDir>
#include <QFileInfo>

void TForm1::Button17Click(QObject*) {
    const settings::TOutputFolderRead read = settings::ReadOutputFolder(GetApplicationPath(), QDir::homePath());
    Video_OutPut_Folder_Edit->SetText(read.Folder);
    FileOutPutPath = read.Folder;
    if (!read.Error.isEmpty()) ShowError(read.Error);
}

void TForm1::Button16Click(QObject*) { settings::WriteOutputFolder(GetApplicationPath(), FileOutPutPath); }

void TForm1::Button3Click(QObject*) {
    const settings::TSkinIndexRead read = settings::ReadSkinIndex(GetApplicationPath());
    qvSkinData1->SetSkinIndex(read.Index);
    if (!read.Error.isEmpty()) ShowError(read.Error);
}

void TForm1::Button4Click(QObject*) { settings::WriteSkinIndex(GetApplicationPath(), qvSkinData1->SkinIndex()); }

// During the start-up the errors wait for one box; afterwards each shows.
void TForm1::ShowError(const QString& message) {
    if (StartupErrors)
        StartupErrors->Add(message);
    else
        Application()->ShowException(message);
}

// Browse: a confirmed folder that exists is shown, kept and stored; the
// chooser remembers it for both folder commands.
void TForm1::qvSkinButton5Click(QObject*) {
    const std::optional<QString> folder = Dialogs->SelectFolder(qvSkinSelectDirectoryDialog2);
    if (!folder) return;
    if (!QFileInfo(*folder).isDir()) return;
    Video_OutPut_Folder_Edit->SetText(*folder);
    FileOutPutPath = *folder;
    Button16->Click();
    lvFiles->SetFocus();
}

// The index is stored also when the choice is cancelled (unchanged then).
void TForm1::qvSkinButton9Click(QObject*) {
    if (const std::optional<int> index = Dialogs->SelectSkin(qvSkinData1)) qvSkinData1->SetSkinIndex(*index);
    Button4->Click();
}

void TForm1::Video_OutPut_Folder_EditClick(QObject*) { lvFiles->SetFocus(); }
