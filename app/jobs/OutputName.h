// Naming a job's output file. The output path is the output folder's text as
// it stands, "/", the input's name without its extension and the profile's
// extension. A name already taken gets "_1", "_2", … before the extension:
// the first number whose name is free.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <set>
#include <utility>

namespace jobs {

// The file-name part of a path (after the last "/"; ":" is an ordinary
// character) without its last extension: "/in/movie.part1.avi" gives
// "movie.part1", "clip" stays "clip".
QString FileBaseName(const QString& path);

// The extension of a path's file-name part, from its last dot on (".avi"),
// empty when the name has no dot.
QString FileExtension(const QString& path);

// A file as the program saw it: device and inode say which file it is, size
// and modification time that nobody changed it since.
struct TFileStamp {
    quint64 Device = 0, Inode = 0;
    qint64 Size = 0, ModifiedNs = 0;
    bool operator==(const TFileStamp&) const = default;
};
// Nothing when no file (of any kind) is there.
std::optional<TFileStamp> StampOf(const QString& path);

// What makes a name taken besides an existing file.
struct TTakenNames {
    // Every job's input, the named job's own among them: writing over one
    // destroys a source before (or after) it is read.
    QStringList Inputs;
    // The output names (name and extension, no folder) of the other job rows:
    // two jobs writing one file destroy each other's output.
    QStringList OtherNames;
    // The file this job's own task wrote at that path in an earlier run, as it
    // was then; a file still matching it is no one else's.
    std::optional<TFileStamp> OwnOutput;
};

// Whether an output path is taken for a job. Always taken, also in overwrite
// mode: an input of any job (the same file on disk, through links) and a name
// another row holds. A file on disk counts only without overwrite, and not
// when it is the job's own earlier output; a folder never does.
bool OutputNameTaken(const QString& path, bool overwrite, const TTakenNames& taken);
// The same, with only the job's own input among the inputs.
bool OutputNameTaken(const QString& path, bool overwrite, const QString& inputPath,
                     const QStringList& otherRowNames);

// The output path: folderText + "/" + baseName + extension, numbered when
// that name is taken. The folder text is used unchanged, so a folder ending
// in "/" gives two in a row, and an empty one a path starting with "/".
QString ChooseOutputPath(const QString& folderText, const QString& baseName, const QString& extension,
                         bool overwrite, const TTakenNames& taken);
// The same, with only the job's own input among the inputs.
QString ChooseOutputPath(const QString& folderText, const QString& baseName, const QString& extension,
                         bool overwrite, const QString& inputPath, const QStringList& otherRowNames);

// The taken names and inputs of a whole list, looked up once, for naming many
// jobs in a row (an add of many files, a start): each name then costs a look
// at its own candidates, not at every row again.
class TTakenIndex {
public:
    // An input of any job; its file is looked up here, once.
    void AddInput(const QString& path);
    // A row's output name (name and extension); a name may be held twice.
    void AddName(const QString& name) { ++FNames[name]; }
    void RemoveName(const QString& name);
    // Held by a row, not counting one holding of exceptOwn (the named job's own).
    bool NameHeld(const QString& name, const QString& exceptOwn = QString()) const;
    bool IsInput(quint64 device, quint64 inode) const { return FInputs.count({device, inode}) != 0; }

private:
    QHash<QString, int> FNames;
    std::set<std::pair<quint64, quint64>> FInputs;
};

// ChooseOutputPath with the list's names and inputs in an index; ownName is
// the job's current name (not taken by the job itself), ownOutput as in
// TTakenNames, ownInput the job's input when the index does not hold it yet.
QString ChooseIndexedOutputPath(const QString& folderText, const QString& baseName, const QString& extension,
                                bool overwrite, const TTakenIndex& index, const QString& ownName = QString(),
                                const std::optional<TFileStamp>& ownOutput = std::nullopt,
                                const QString& ownInput = QString());

// A name typed into the rename editor (the part before the extension) may
// become an output name: not empty, not "." or "..", and no "/", which would
// leave the output folder.
bool IsValidRenameText(const QString& text);

} // namespace jobs
