#include "app/snapshots/SnapshotSettings.h"

#include "platform/IniFiles.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace snapshots {

namespace {

const QString kSection = QStringLiteral("SnapShot");
const QString kDir = QStringLiteral("Dir");
const QString kPicture = QStringLiteral("Picture");
// Every read passes it, so it stands for a missing key.
const QString kMissing = QStringLiteral("Error");

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

QString SettingsFile(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("option.ini"));
}

bool Missing(const QString& value) { return value.isEmpty() || value == kMissing; }

} // namespace

QString SnapshotTypeName(TSnapshotType type) { return QString::fromLatin1(RowOf(type).Name); }

QString SnapshotTypeExtension(TSnapshotType type) { return QString::fromLatin1(RowOf(type).Extension); }

QString DefaultSnapshotFolder(const QString& home) {
    return QDir(home).filePath(QStringLiteral("Quorvel视频软件/快照"));
}

QString ResolveSnapshotFolder(const QString& programFolder, const QString& home) {
    const QString file = SettingsFile(programFolder);
    QString folder;
    if (QFileInfo::exists(file)) folder = TIniFile(file).ReadString(kSection, kDir, kMissing);
    if (Missing(folder)) {
        folder = DefaultSnapshotFolder(home);
        QDir().mkpath(folder);
        TIniFile(file).WriteString(kSection, kDir, folder);
        return folder;
    }
    if (!QFileInfo(folder).isDir()) QDir().mkpath(folder);
    return folder;
}

TSnapshotType ResolveSnapshotType(const QString& programFolder) {
    const QString file = SettingsFile(programFolder);
    if (QFileInfo::exists(file)) {
        const QString value = TIniFile(file).ReadString(kSection, kPicture, kMissing);
        for (const TTypeRow& r : kTypes)
            if (value == QLatin1String(r.Name)) return r.Type;
    }
    TIniFile(file).WriteString(kSection, kPicture, SnapshotTypeName(TSnapshotType::Bmp));
    return TSnapshotType::Bmp;
}

void StoreSnapshotType(const QString& programFolder, TSnapshotType type) {
    TIniFile(SettingsFile(programFolder)).WriteString(kSection, kPicture, SnapshotTypeName(type));
}

bool StoreSnapshotFolder(const QString& programFolder, const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    TIniFile(SettingsFile(programFolder)).WriteString(kSection, kDir, folder);
    return true;
}

} // namespace snapshots
