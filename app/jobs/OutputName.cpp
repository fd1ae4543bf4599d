#include "app/jobs/OutputName.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

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

bool Taken(const QString& path, bool overwrite, const std::vector<TFileId>& inputs, const TTakenNames& taken) {
    if (taken.OtherNames.contains(FileNamePart(path))) return true;
    const auto st = StatOf(path);
    if (!st) return false;
    for (const TFileId& id : inputs)
        if (id == TFileId(st->st_dev, st->st_ino)) return true;
    if (overwrite || !S_ISREG(st->st_mode)) return false;
    return !(taken.OwnOutput && StampOf(path) == taken.OwnOutput);
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
    const QString base = folderText + QLatin1Char('/') + baseName;
    QString name = base + extension;
    if (!Taken(name, overwrite, inputs, taken)) return name;
    for (qint64 n = 1;; ++n) {
        name = base + QLatin1Char('_') + QString::number(n) + extension;
        if (!Taken(name, overwrite, inputs, taken)) return name;
    }
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
