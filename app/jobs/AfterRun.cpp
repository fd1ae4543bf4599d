#include "app/jobs/AfterRun.h"

#include <QFileInfo>

namespace jobs {

QString EndOfRunSoundPath(const QString& programFolder) {
    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    return folder + QStringLiteral("sounds/ring001.wav");
}

void RunAfterRunAction(settings::TAfterRunAction action, const QString& outputFolderText,
                       const QString& programFolder, TShellActions& shell) {
    using settings::TAfterRunAction;
    switch (action) {
    case TAfterRunAction::OpenOutputFolder: shell.Open(outputFolderText); break;
    case TAfterRunAction::ShutDown: shell.PowerOff(); break;
    case TAfterRunAction::PlaySound: {
        const QString sound = EndOfRunSoundPath(programFolder);
        if (QFileInfo(sound).isFile()) shell.PlaySound(sound);
        break;
    }
    case TAfterRunAction::Nothing: break;
    }
}

}  // namespace jobs
