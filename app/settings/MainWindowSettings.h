// The main window's own keys of "option.ini": the output folder (section
// "OutPath", key "OutPath") and the skin (section "Skin", key "SetSkin").
// They are read once at start-up and written by the commands that change
// them; while the program runs the window's fields hold them.
#pragma once

#include <QString>

namespace settings {

struct TOutputFolderRead {
    QString Folder;  // exactly as stored, or the default folder
    QString Error;   // the write that failed, empty when none did
};

// Start-up: the stored folder, created with its parents when it does not
// exist (a failure to create is ignored). When the key is missing the default
// folder under home is created and written back, once more if that fails;
// when both writes fail, Error says so and Folder still holds the default, so
// start-up goes on with it.
TOutputFolderRead ReadOutputFolder(const QString& programFolder, const QString& home);

// The Browse command: stores folder when it names an existing folder (true);
// anything else writes nothing (false). Raises EIniFileException when the
// file cannot be written.
bool WriteOutputFolder(const QString& programFolder, const QString& folder);

struct TSkinIndexRead {
    int Index = 0;  // for the skin model, which ignores an index outside its list
    QString Error;  // the repair that failed, empty when none did
};

// Start-up: the stored index. A missing value, or one that is not a decimal
// integer, is repaired to "0" and gives 0; an integer outside the skin list
// is given as stored and stays in the file.
TSkinIndexRead ReadSkinIndex(const QString& programFolder);
// The index ReadSkinIndex gives, read only (nothing is repaired): the window
// loads that skin first, so the start-up loads one skin.
int PeekSkinIndex(const QString& programFolder);

// The skin commands: stores index as decimal text. Raises EIniFileException
// when the file cannot be written.
void WriteSkinIndex(const QString& programFolder, int index);

} // namespace settings
