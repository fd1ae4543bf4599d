// Naming a job's output file. The output path is the output folder's text as
// it stands, "/", the input's name without its extension and the profile's
// extension. A name already taken gets "_1", "_2", … before the extension:
// the first number whose name is free.
#pragma once

#include <QString>
#include <QStringList>

namespace jobs {

// The file-name part of a path (after the last "/"; ":" is an ordinary
// character) without its last extension: "/in/movie.part1.avi" gives
// "movie.part1", "clip" stays "clip".
QString FileBaseName(const QString& path);

// The extension of a path's file-name part, from its last dot on (".avi"),
// empty when the name has no dot.
QString FileExtension(const QString& path);

// Whether an output path is taken for a job. Always taken: the job's own
// input (the same file on disk, through links) and a file name that another
// job row holds (rows write into one output folder). A file on disk counts
// only without overwrite; a folder never does.
bool OutputNameTaken(const QString& path, bool overwrite, const QString& inputPath,
                     const QStringList& otherRowNames);

// The output path: folderText + "/" + baseName + extension, numbered when
// that name is taken. The folder text is used unchanged, so a folder ending
// in "/" gives two in a row, and an empty one a path starting with "/".
// otherRowNames are the output names (name and extension, no folder) of the
// other job rows.
QString ChooseOutputPath(const QString& folderText, const QString& baseName, const QString& extension,
                         bool overwrite, const QString& inputPath, const QStringList& otherRowNames);

// A name typed into the rename editor (the part before the extension) may
// become an output name: not empty, not "." or "..", and no "/", which would
// leave the output folder.
bool IsValidRenameText(const QString& text);

} // namespace jobs
