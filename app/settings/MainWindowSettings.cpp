#include "app/settings/MainWindowSettings.h"

#include "app/settings/SettingsFile.h"
#include "platform/IniFiles.h"

#include <QFileInfo>

#include <exception>

namespace settings {

namespace {

const QString kOutPathSection = QStringLiteral("OutPath");
const QString kOutPathKey = QStringLiteral("OutPath");
const QString kSkinSection = QStringLiteral("Skin");
const QString kSkinKey = QStringLiteral("SetSkin");

QString StoreDefaultOutputFolder(const QString& programFolder, const QString& home) {
    const QString folder = DefaultOutputFolder(home);
    ForceFolder(folder);
    WriteSetting(programFolder, kOutPathSection, kOutPathKey, folder);
    return folder;
}

} // namespace

TOutputFolderRead ReadOutputFolder(const QString& programFolder, const QString& home) {
    TOutputFolderRead r;
    try {
        if (const auto stored = ReadSetting(programFolder, kOutPathSection, kOutPathKey)) {
            ForceFolder(*stored);
            r.Folder = *stored;
        } else {
            r.Folder = StoreDefaultOutputFolder(programFolder, home);
        }
        return r;
    } catch (const std::exception&) {
        // One more attempt: a failure may have been passing.
    }
    r.Folder = DefaultOutputFolder(home);
    try {
        StoreDefaultOutputFolder(programFolder, home);
    } catch (const std::exception& e) {
        r.Error = QString::fromStdString(e.what());
    }
    return r;
}

bool WriteOutputFolder(const QString& programFolder, const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    WriteSetting(programFolder, kOutPathSection, kOutPathKey, folder);
    return true;
}

static std::optional<int> StoredSkinIndex(const QString& programFolder) {
    if (const auto stored = ReadSetting(programFolder, kSkinSection, kSkinKey)) {
        bool ok = false;
        const int index = stored->toInt(&ok, 10);
        if (ok) return index;
    }
    return std::nullopt;
}

int PeekSkinIndex(const QString& programFolder) {
    return StoredSkinIndex(programFolder).value_or(TSkinIndexRead{}.Index);
}

TSkinIndexRead ReadSkinIndex(const QString& programFolder) {
    TSkinIndexRead r;
    if (const std::optional<int> index = StoredSkinIndex(programFolder)) {
        r.Index = *index;
        return r;
    }
    try {
        WriteSetting(programFolder, kSkinSection, kSkinKey, QStringLiteral("0"));
    } catch (const std::exception& e) {
        r.Error = QString::fromStdString(e.what());
    }
    return r;
}

void WriteSkinIndex(const QString& programFolder, int index) {
    WriteSetting(programFolder, kSkinSection, kSkinKey, QString::number(index));
}

} // namespace settings
