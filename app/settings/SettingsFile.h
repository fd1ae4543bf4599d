// "option.ini" in the program folder: the only settings store. Every access
// opens the file for one read, or for the writes of one step, and closes it
// again; nothing is cached. A key stored empty or as "Error" reads like a
// key that is not there, because every read passes "Error" as its fallback.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace settings {

// programFolder + "option.ini"; the folder may end in "/" or not.
QString OptionIniFileName(const QString& programFolder);

// What a read gives for a missing key.
QString MissingValue();  // "Error"
bool IsMissing(const QString& value);

// One opening: the stored value, or nothing when it is missing (no file, no
// key, an empty value or "Error"). Values compare exactly, with case.
std::optional<QString> ReadSetting(const QString& programFolder, const QString& section, const QString& key);

// One opening, one write. Raises EIniFileException ("Unable to write to
// <file>") and leaves the file as it was when it cannot be written.
void WriteSetting(const QString& programFolder, const QString& section, const QString& key, const QString& value);

// "<home>/Quorvel视频软件", and its "输出" and "快照" folders: where output and
// snapshots go until the user picks other folders.
QString ProductFolder(const QString& home);
QString DefaultOutputFolder(const QString& home);
QString DefaultSnapshotFolder(const QString& home);

// The folder exists afterwards when it can be made, with every missing
// parent; a failure is not reported (the path is used as it is).
void ForceFolder(const QString& folder);

// The write failures of a start-up or of one command, for one error box: a repeated
// message (the same unwritable file again) is kept once.
class TSettingsErrors {
public:
    void Add(const QString& message);  // empty: nothing to add
    bool Empty() const { return FMessages.isEmpty(); }
    const QStringList& Messages() const { return FMessages; }
    QString Text() const { return FMessages.join(QLatin1Char('\n')); }

private:
    QStringList FMessages;
};

} // namespace settings
