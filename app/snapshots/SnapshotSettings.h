// Where snapshots go and in which picture type: keys "Dir" and "Picture" of
// section "SnapShot" in the program folder's "option.ini". Both are read again
// for every snapshot, and a missing or unusable value is repaired in the file
// as it is read, also when no picture is saved afterwards. Writes raise
// EIniFileException ("Unable to write to …") for the caller's error box.
#pragma once

#include <QString>

namespace snapshots {

enum class TSnapshotType { Bmp, Jpg, Gif, Png };

// "BMP", "JPG", "GIF", "PNG": the stored texts.
QString SnapshotTypeName(TSnapshotType type);
// ".bmp", ".jpg", ".gif", ".png"
QString SnapshotTypeExtension(TSnapshotType type);

// "<home>/Quorvel视频软件/快照"
QString DefaultSnapshotFolder(const QString& home);

// The snapshot folder, created (with its parents) when missing. Without
// "option.ini", or with "Dir" missing, empty or "Error", the default folder
// under home is used and written to "Dir". A folder that cannot be created is
// not reported here: the save into it fails.
QString ResolveSnapshotFolder(const QString& programFolder, const QString& home);

// The picture type. "Picture" must be exactly "BMP", "JPG", "GIF" or "PNG";
// anything else (also "jpg"), a missing key or no "option.ini" gives BMP, and
// "BMP" is written.
TSnapshotType ResolveSnapshotType(const QString& programFolder);

// The type menu's items: "Picture" := the type's name.
void StoreSnapshotType(const QString& programFolder, TSnapshotType type);

// The folder chooser's confirmation: "Dir" := folder when that folder exists
// (true); nothing is written otherwise.
bool StoreSnapshotFolder(const QString& programFolder, const QString& folder);

} // namespace snapshots
