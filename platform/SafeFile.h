// Replacing a file's content so that a failed write never leaves a cut-off
// file: the new content goes to a temporary file beside it, every byte
// checked, and only a complete file is renamed over the old one.
#pragma once

#include <QByteArray>
#include <QString>

// False (the old file untouched, no temporary left) when any step fails;
// error then says why. A symbolic link keeps pointing at the replaced file.
// A file or folder without any write permission bit is not written, also for
// a process that could override the bits.
bool ReplaceFileContent(const QString& path, const QByteArray& data, QString* error = nullptr);
