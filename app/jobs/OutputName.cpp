#include "app/jobs/OutputName.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace jobs {

namespace {

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

// Same device and inode: the same file whether it was reached through a
// symbolic link, a hard link or another spelling of the path.
bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    struct stat sa {}, sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0) return false;
    if (::stat(QFile::encodeName(b).constData(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
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

bool OutputNameTaken(const QString& path, bool overwrite, const QString& inputPath,
                     const QStringList& otherRowNames) {
    // Writing over the input would destroy the source before it is read,
    // and two jobs writing one file would destroy each other's output: both
    // hold in overwrite mode too.
    if (SameFile(path, inputPath)) return true;
    if (otherRowNames.contains(FileNamePart(path))) return true;
    return !overwrite && QFileInfo(path).isFile();
}

QString ChooseOutputPath(const QString& folderText, const QString& baseName, const QString& extension,
                         bool overwrite, const QString& inputPath, const QStringList& otherRowNames) {
    const QString base = folderText + QLatin1Char('/') + baseName;
    QString name = base + extension;
    if (!OutputNameTaken(name, overwrite, inputPath, otherRowNames)) return name;
    for (qint64 n = 1;; ++n) {
        name = base + QLatin1Char('_') + QString::number(n) + extension;
        if (!OutputNameTaken(name, overwrite, inputPath, otherRowNames)) return name;
    }
}

bool IsValidRenameText(const QString& text) {
    return !text.isEmpty() && text != QLatin1String(".") && text != QLatin1String("..") &&
           !text.contains(QLatin1Char('/'));
}

} // namespace jobs
