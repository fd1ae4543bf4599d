#include "app/snapshots/Snapshot.h"

#include "app/jobs/OutputName.h"
#include "app/snapshots/PictureWriters.h"

#include <QFileInfo>

namespace snapshots {

namespace {

// Also a dangling link, which QFileInfo::exists does not see.
bool NameInUse(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

bool HasPicture(const QImage& frame) { return !frame.isNull() && frame.width() > 0 && frame.height() > 0; }

QString NextSnapshotPath(const QString& folder, const QString& baseName, TSnapshotType type) {
    const QString stem = folder + QLatin1Char('/') + baseName + QLatin1Char('_');
    const QString extension = SnapshotTypeExtension(type);
    for (qint64 n = 1;; ++n) {
        const QString path = stem + QString::number(n) + extension;
        if (!NameInUse(path)) return path;
    }
}

TSnapshotResult TakeSnapshot(const QImage& frame, const QString& previewFileName, const QString& programFolder,
                             const QString& home) {
    // The caller's frame is the player's picture of this moment; a copy keeps
    // it while the preview goes on.
    const QImage picture = frame.copy();
    TSnapshotResult result;
    result.Folder = ResolveSnapshotFolder(programFolder, home);
    result.Type = ResolveSnapshotType(programFolder);
    if (!HasPicture(picture)) return result;
    const QString path = NextSnapshotPath(result.Folder, jobs::FileBaseName(previewFileName), result.Type);
    SavePicture(picture, path, result.Type);
    result.SavedPath = path;
    return result;
}

bool SaveCapture(const QImage& frame, const QString& fileName) {
    if (!HasPicture(frame)) return false;
    const bool bitmap = jobs::FileExtension(fileName).compare(QLatin1String(".bmp"), Qt::CaseInsensitive) == 0;
    SavePicture(frame, fileName, bitmap ? TSnapshotType::Bmp : TSnapshotType::Jpg);
    return true;
}

} // namespace snapshots
