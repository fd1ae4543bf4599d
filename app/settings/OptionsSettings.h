// The conversion settings of the options dialog and their section "Options"
// of "option.ini". The dialog's controls hold the settings while the program
// runs; the file only carries them from one run to the next: read once when
// the dialog is created, written when the user confirms it.
#pragma once

#include "engine/FFmpeg.h"

#include <QString>

namespace settings {

// What happens when a run has ended ("After_Done" "0" to "3").
enum class TAfterRunAction { OpenOutputFolder, ShutDown, PlaySound, Nothing };

struct TOptionsSettings {
    TAfterRunAction AfterRun = TAfterRunAction::OpenOutputFolder;
    // "Overwrite_File" "0": an existing output file is overwritten; "1": the
    // new file gets a free name.
    bool OverwriteExisting = false;
    // The hidden multi-thread box: ticked, and nothing changes it.
    bool MultiThread = true;
    // The thread-count list's text, 1 to 19: files converted at once.
    int ThreadCount = 1;
    bool ShowPreview = false;
    // tpIdle, tpLowest, tpLower or tpNormal ("Thread_Priority" "0" to "3").
    TThreadPriority Priority = tpNormal;

    bool operator==(const TOptionsSettings&) const = default;
};

struct TOptionsRead {
    TOptionsSettings Options;
    QString Error;  // the first repair that failed, empty when none did
};

// The dialog's creation: reads "Thread_Count", "After_Done",
// "Thread_Priority", "Overwrite_File" and "Show_Preview" in that order, one
// opening each. A missing or unknown value gives the key's default, which is
// written back in an opening of its own; when that write fails the reading
// goes on with the next key and Error keeps the first failure. A stored
// thread count "1" to "19" is restored; any other value gives 1, and only
// "0" (the stored default) is left as it is.
TOptionsRead LoadOptions(const QString& programFolder);

// The dialog's OK: one opening, writing "Thread_Count" (only with
// MultiThread), "After_Done", "Show_Preview", "Thread_Priority" and
// "Overwrite_File". Raises EIniFileException at the first write that fails;
// the keys not yet written keep their stored values.
void SaveOptions(const QString& programFolder, const TOptionsSettings& options);

} // namespace settings
