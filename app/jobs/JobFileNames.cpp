#include "app/jobs/JobFileNames.h"

#include "app/jobs/OutputName.h"

namespace jobs {

namespace {
const QChar kSeparator = QLatin1Char('/');
}

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf(kSeparator) + 1); }

QString ReplaceExtension(const QString& path, const QString& extension) {
    return path.left(path.size() - FileExtension(path).size()) + extension;
}

QString OutputPathFor(const QString& folderText, const QString& inputPath, const QString& extension) {
    return folderText + kSeparator + ReplaceExtension(FileNamePart(inputPath), extension);
}

}  // namespace jobs
