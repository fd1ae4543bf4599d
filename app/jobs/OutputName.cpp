#include "app/jobs/OutputName.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace jobs {

namespace {

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

using TFileId = std::pair<quint64, quint64>;

std::optional<struct stat> StatOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
    return st;
}

// Same device and inode: the same file whether it was reached through a
// symbolic link, a hard link or another spelling of the path.
std::vector<TFileId> IdsOf(const QStringList& paths) {
    std::vector<TFileId> ids;
    ids.reserve(paths.size());
    for (const QString& p : paths)
        if (const auto st = StatOf(p)) ids.emplace_back(st->st_dev, st->st_ino);
    return ids;
}

// A file on disk at the path: an input, or (without overwrite) any regular
// file but the job's own earlier output.
bool FileTaken(const QString& path, bool overwrite, const std::function<bool(const TFileId&)>& isInput,
               const std::optional<TFileStamp>& ownOutput) {
    const auto st = StatOf(path);
    if (!st) return false;
    if (isInput(TFileId(st->st_dev, st->st_ino))) return true;
    if (overwrite || !S_ISREG(st->st_mode)) return false;
    return !(ownOutput && StampOf(path) == ownOutput);
}

bool Taken(const QString& path, bool overwrite, const std::vector<TFileId>& inputs, const TTakenNames& taken) {
    if (taken.OtherNames.contains(FileNamePart(path))) return true;
    const auto isInput = [&](const TFileId& id) { return std::find(inputs.begin(), inputs.end(), id) != inputs.end(); };
    return FileTaken(path, overwrite, isInput, taken.OwnOutput);
}

template <class TTakenFn>
QString FirstFree(const QString& folderText, const QString& baseName, const QString& extension, TTakenFn taken) {
    const QString base = folderText + QLatin1Char('/') + baseName;
    QString name = base + extension;
    if (!taken(name)) return name;
    for (qint64 n = 1;; ++n) {
        name = base + QLatin1Char('_') + QString::number(n) + extension;
        if (!taken(name)) return name;
    }
}

} // namespace

QString FileBaseName(const QString& path) {
    const QString name = FileNamePart(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString FileExtension(const QString& path) {
    const QString name = FileNamePart(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

std::optional<TFileStamp> StampOf(const QString& path) {
    const auto st = StatOf(path);
    if (!st) return std::nullopt;
    return TFileStamp{quint64(st->st_dev), quint64(st->st_ino), qint64(st->st_size),
                      qint64(st->st_mtim.tv_sec) * 1000000000 + st->st_mtim.tv_nsec};
}

bool OutputNameTaken(const QString& path, bool overwrite, const TTakenNames& taken) {
    return Taken(path, overwrite, IdsOf(taken.Inputs), taken);
}

bool OutputNameTaken(const QString& path, bool overwrite, const QString& inputPath,
                     const QStringList& otherRowNames) {
    return OutputNameTaken(path, overwrite, TTakenNames{{inputPath}, otherRowNames, std::nullopt});
}

QString ChooseOutputPath(const QString& folderText, const QString& baseName, const QString& extension,
                         bool overwrite, const TTakenNames& taken) {
    // The inputs are looked up once; each candidate is one more look.
    const std::vector<TFileId> inputs = IdsOf(taken.Inputs);
    return FirstFree(folderText, baseName, extension,
                     [&](const QString& name) { return Taken(name, overwrite, inputs, taken); });
}

void TTakenIndex::AddInput(const QString& path) {
    if (const auto st = StatOf(path)) FInputs.emplace(st->st_dev, st->st_ino);
}

void TTakenIndex::RemoveName(const QString& name) {
    const auto it = FNames.find(name);
    if (it != FNames.end() && --it.value() <= 0) FNames.erase(it);
}

bool TTakenIndex::NameHeld(const QString& name, const QString& exceptOwn) const {
    return FNames.value(name) - (name == exceptOwn && !exceptOwn.isEmpty() ? 1 : 0) > 0;
}

QString ChooseIndexedOutputPath(const QString& folderText, const QString& baseName, const QString& extension,
                                bool overwrite, const TTakenIndex& index, const QString& ownName,
                                const std::optional<TFileStamp>& ownOutput, const QString& ownInput) {
    const std::vector<TFileId> own = IdsOf(ownInput.isEmpty() ? QStringList() : QStringList{ownInput});
    const auto isInput = [&](const TFileId& id) {
        return index.IsInput(id.first, id.second) || (!own.empty() && own.front() == id);
    };
    return FirstFree(folderText, baseName, extension, [&](const QString& name) {
        return index.NameHeld(FileNamePart(name), ownName) || FileTaken(name, overwrite, isInput, ownOutput);
    });
}

QString ChooseOutputPath(const QString& folderText, const QString& baseName, const QString& extension,
                         bool overwrite, const QString& inputPath, const QStringList& otherRowNames) {
    return ChooseOutputPath(folderText, baseName, extension, overwrite,
                            TTakenNames{{inputPath}, otherRowNames, std::nullopt});
}

bool IsValidRenameText(const QString& text) {
    return !text.isEmpty() && text != QLatin1String(".") && text != QLatin1String("..") &&
           !text.contains(QLatin1Char('/'));
}

} // namespace jobs
