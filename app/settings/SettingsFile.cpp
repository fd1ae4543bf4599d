#include "app/settings/SettingsFile.h"

#include "platform/IniFiles.h"

#include <QDir>
#include <QFileInfo>

namespace settings {

QString OptionIniFileName(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("option.ini"));
}

QString MissingValue() { return QStringLiteral("Error"); }

bool IsMissing(const QString& value) { return value.isEmpty() || value == MissingValue(); }

std::optional<QString> ReadSetting(const QString& programFolder, const QString& section, const QString& key) {
    const QString file = OptionIniFileName(programFolder);
    // No file reads like missing keys; a folder of that name is no file either.
    if (!QFileInfo(file).isFile()) return std::nullopt;
    const QString value = TIniFile(file).ReadString(section, key, MissingValue());
    if (IsMissing(value)) return std::nullopt;
    return value;
}

void WriteSetting(const QString& programFolder, const QString& section, const QString& key, const QString& value) {
    TIniFile(OptionIniFileName(programFolder)).WriteString(section, key, value);
}

QString ProductFolder(const QString& home) { return QDir(home).filePath(QStringLiteral("Quorvel视频软件")); }

QString DefaultOutputFolder(const QString& home) { return QDir(ProductFolder(home)).filePath(QStringLiteral("输出")); }

QString DefaultSnapshotFolder(const QString& home) {
    return QDir(ProductFolder(home)).filePath(QStringLiteral("快照"));
}

void ForceFolder(const QString& folder) {
    if (folder.isEmpty() || QFileInfo(folder).isDir()) return;
    QDir().mkpath(folder);
}

void TSettingsErrors::Add(const QString& message) {
    if (!message.isEmpty() && !FMessages.contains(message)) FMessages.append(message);
}

} // namespace settings
