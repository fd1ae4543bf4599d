// The snapshot commands of the preview: save the frame on screen into the
// snapshot folder under the first free number, and the capture command's
// save under a name the user chose.
#pragma once

#include "app/snapshots/SnapshotSettings.h"

#include <QImage>
#include <QString>

namespace snapshots {

// False for a null or empty frame: no video, nothing to save.
bool HasPicture(const QImage& frame);

// folder + "/" + baseName + "_" + n + the type's extension, n the first
// number from 1 whose name is free. Numbers are counted per base name and
// type: clip_1.bmp does not hold up clip_1.png. Anything already there,
// also a folder or a link, holds its name, so a snapshot never writes over
// or through it.
QString NextSnapshotPath(const QString& folder, const QString& baseName, TSnapshotType type);

struct TSnapshotResult {
    QString Folder;
    TSnapshotType Type = TSnapshotType::Bmp;  // the menu's check mark follows it
    QString SavedPath;                        // empty when there was no picture
};

// The snapshot command. The folder and the type are resolved (and repaired
// in "option.ini") first, also when there is no picture; a null or empty
// frame then saves nothing. The name comes from the previewed file's name
// without its folder and last extension. Raises EIniFileException or
// EFCreateError for the caller's error box.
TSnapshotResult TakeSnapshot(const QImage& frame, const QString& previewFileName, const QString& programFolder,
                             const QString& home);

// The capture command, after the save dialog: a name whose extension is
// ".bmp" in any letter case gets a BMP, any other name JPEG data, whatever
// its extension. False (nothing written) for a null or empty frame. Raises
// EFCreateError when the file cannot be written.
bool SaveCapture(const QImage& frame, const QString& fileName);

} // namespace snapshots
