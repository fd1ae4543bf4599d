// SIGTERM, SIGINT and SIGHUP end the program the way closing its main window
// does: runs are ended, the player stopped, the settings kept, then the event
// loop ends.
#pragma once

// Installs the handlers; once per application object. The handler itself only
// writes to a pipe, which the interface thread reads: it then closes the main
// form, or ends the application when there is none.
void EndOnSignals();
