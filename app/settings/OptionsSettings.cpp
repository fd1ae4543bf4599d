#include "app/settings/OptionsSettings.h"

#include "app/settings/SettingsFile.h"
#include "platform/IniFiles.h"

#include <algorithm>
#include <array>
#include <exception>
#include <span>

namespace settings {

namespace {

const QString kSection = QStringLiteral("Options");
const QString kThreadCount = QStringLiteral("Thread_Count");
const QString kAfterDone = QStringLiteral("After_Done");
const QString kShowPreview = QStringLiteral("Show_Preview");
const QString kThreadPriority = QStringLiteral("Thread_Priority");
const QString kOverwriteFile = QStringLiteral("Overwrite_File");

constexpr int kMaxThreadCount = 19;

// A key with a fixed set of texts; a text's position is its meaning.
struct TChoiceKey {
    const QString& Key;
    std::span<const char* const> Texts;
    int DefaultIndex;
};

constexpr std::array<const char*, 4> kFour{"0", "1", "2", "3"};
constexpr std::array<const char*, 2> kTwo{"0", "1"};
// "0" is the stored default; it stands for one thread like "1" does.
constexpr std::array<const char*, kMaxThreadCount + 1> kThreadCounts{
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19"};

constexpr std::array<TAfterRunAction, 4> kAfterRunActions{
    TAfterRunAction::OpenOutputFolder, TAfterRunAction::ShutDown, TAfterRunAction::PlaySound, TAfterRunAction::Nothing};
constexpr std::array<TThreadPriority, 4> kPriorities{tpIdle, tpLowest, tpLower, tpNormal};

// The position of the stored text; a missing or unknown one is repaired to
// the default in an opening of its own.
int ReadChoice(const QString& programFolder, const TChoiceKey& k, QString& error) {
    if (const auto stored = ReadSetting(programFolder, kSection, k.Key))
        for (size_t i = 0; i < k.Texts.size(); ++i)
            if (*stored == QLatin1String(k.Texts[i])) return int(i);
    try {
        WriteSetting(programFolder, kSection, k.Key, QLatin1String(k.Texts[size_t(k.DefaultIndex)]));
    } catch (const std::exception& e) {
        if (error.isEmpty()) error = QString::fromStdString(e.what());
    }
    return k.DefaultIndex;
}

template <typename T, size_t N>
QString TextOf(const std::array<T, N>& values, T value, int fallback) {
    for (size_t i = 0; i < N; ++i)
        if (values[i] == value) return QString::number(i);
    return QString::number(fallback);
}

} // namespace

TOptionsRead LoadOptions(const QString& programFolder) {
    TOptionsRead r;
    TOptionsSettings& o = r.Options;
    o.ThreadCount = std::max(1, ReadChoice(programFolder, {kThreadCount, kThreadCounts, 0}, r.Error));
    o.AfterRun = kAfterRunActions[size_t(ReadChoice(programFolder, {kAfterDone, kFour, 0}, r.Error))];
    o.Priority = kPriorities[size_t(ReadChoice(programFolder, {kThreadPriority, kFour, 3}, r.Error))];
    o.OverwriteExisting = ReadChoice(programFolder, {kOverwriteFile, kTwo, 1}, r.Error) == 0;
    o.ShowPreview = ReadChoice(programFolder, {kShowPreview, kTwo, 0}, r.Error) == 1;
    return r;
}

void SaveOptions(const QString& programFolder, const TOptionsSettings& options) {
    TIniFile ini(OptionIniFileName(programFolder));
    if (options.MultiThread) ini.WriteString(kSection, kThreadCount, QString::number(options.ThreadCount));
    ini.WriteString(kSection, kAfterDone, TextOf(kAfterRunActions, options.AfterRun, 0));
    ini.WriteString(kSection, kShowPreview, options.ShowPreview ? QStringLiteral("1") : QStringLiteral("0"));
    ini.WriteString(kSection, kThreadPriority, TextOf(kPriorities, options.Priority, 3));
    ini.WriteString(kSection, kOverwriteFile, options.OverwriteExisting ? QStringLiteral("0") : QStringLiteral("1"));
}

} // namespace settings
