// Name rules of job paths, beside those of OutputName.h. "/" is the only
// separator: ":" is an ordinary character in file names here.
#pragma once

#include <QString>

namespace jobs {

// Everything after the last "/".
QString FileNamePart(const QString& path);
// The extension replaced from the last "." of the file-name part on; a name
// without a dot gets the extension appended.
QString ReplaceExtension(const QString& path, const QString& extension);
// The output path an input gets: folder text as it stands, "/", the input's
// file name with the extension replaced.
QString OutputPathFor(const QString& folderText, const QString& inputPath, const QString& extension);

}  // namespace jobs
