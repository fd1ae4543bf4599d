// What the program does once a run has ended, stopped or not: the choice of
// the options dialog carried out through the desktop's actions.
#pragma once

#include "app/settings/OptionsSettings.h"
#include "platform/Shell.h"

#include <QString>

namespace jobs {

// The end-of-run sound beside the program: "<folder>sounds/ring001.wav".
QString EndOfRunSoundPath(const QString& programFolder);

// Opens the output folder as its edit shows it, asks for a power-off (never
// forced), or plays the end-of-run sound when the file is there. Failures
// are not reported: the run has already ended and nobody waits on this.
void RunAfterRunAction(settings::TAfterRunAction action, const QString& outputFolderText,
                       const QString& programFolder, TShellActions& shell = ShellActions());

}  // namespace jobs
