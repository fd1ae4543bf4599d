#include "app/snapshots/SnapshotSettings.h"

#include "app/settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace snapshots {

namespace {

const QString kSection = QStringLiteral("SnapShot");
const QString kDir = QStringLiteral("Dir");
const QString kPicture = QStringLiteral("Picture");

struct TTypeRow {
    TSnapshotType Type;
    const char* Name;
    const char* Extension;
};

constexpr std::array<TTypeRow, 4> kTypes{{
    {TSnapshotType::Bmp, "BMP", ".bmp"},
    {TSnapshotType::Jpg, "JPG", ".jpg"},
    {TSnapshotType::Gif, "GIF", ".gif"},
    {TSnapshotType::Png, "PNG", ".png"},
}};

const TTypeRow& RowOf(TSnapshotType type) {
    for (const TTypeRow& r : kTypes)
        if (r.Type == type) return r;
    return kTypes[0];
}

} // namespace

QString SnapshotTypeName(TSnapshotType type) { return QString::fromLatin1(RowOf(type).Name); }

QString SnapshotTypeExtension(TSnapshotType type) { return QString::fromLatin1(RowOf(type).Extension); }

QString ResolveSnapshotFolder(const QString& programFolder, const QString& home) {
    if (const auto stored = settings::ReadSetting(programFolder, kSection, kDir)) {
        settings::ForceFolder(*stored);
        return *stored;
    }
    const QString folder = settings::DefaultSnapshotFolder(home);
    QDir().mkpath(folder);
    settings::WriteSetting(programFolder, kSection, kDir, folder);
    return folder;
}

TSnapshotType ResolveSnapshotType(const QString& programFolder) {
    if (const auto value = settings::ReadSetting(programFolder, kSection, kPicture))
        for (const TTypeRow& r : kTypes)
            if (*value == QLatin1String(r.Name)) return r.Type;
    settings::WriteSetting(programFolder, kSection, kPicture, SnapshotTypeName(TSnapshotType::Bmp));
    return TSnapshotType::Bmp;
}

void StoreSnapshotType(const QString& programFolder, TSnapshotType type) {
    settings::WriteSetting(programFolder, kSection, kPicture, SnapshotTypeName(type));
}

bool StoreSnapshotFolder(const QString& programFolder, const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    settings::WriteSetting(programFolder, kSection, kDir, folder);
    return true;
}

} // namespace snapshots
