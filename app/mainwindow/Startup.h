// The program's start-up: the application's title and help file, then the
// main window, the about box, the options dialog and the legacy settings
// dialog, in that order. Runs once per application object, so tests start
// the program many times in one process (DestroyApplication in between).
#pragma once

#include "app/mainwindow/AppDialogs.h"

#include <memory>

class TForm1;
namespace settings { class TSettingsErrors; }

namespace app {

// Creates the forms; the caller runs the message loop. Without dialogs the
// desktop's are used. Write failures of the settings read while the forms
// are created show in one error box at the end.
TForm1* StartApplication(std::shared_ptr<TAppDialogs> dialogs = nullptr);

// Lifts the soft limit on open files to the hard one, as desktop programs do:
// the usual soft limit (1024) is below what a long job list and the libraries
// under the interface can need. Nothing changes when it cannot be raised.
void RaiseOpenFileLimit();

// While StartApplication runs: where the forms' start-up readers put write
// failures (one box for all of them). Null at any other time.
settings::TSettingsErrors* StartupErrors();
// While StartApplication runs: the dialogs the main window is to use.
std::shared_ptr<TAppDialogs> StartupDialogs();

}  // namespace app
