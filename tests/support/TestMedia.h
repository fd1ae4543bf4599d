// Named test clips, made with the ffmpeg tool from its synthetic sources into
// a cache folder of the build tree the first time a test asks for them.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <ostream>

// GoogleTest shows a QString as its text (found by argument-dependent lookup).
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace TestMedia {

// Absolute path of the named clip (see the table in TestMedia.cpp); generates
// it when missing. Fails the calling test (ADD_FAILURE) and returns an empty
// string when the tool cannot make it.
QString Path(const QString& name);

// Every name the table knows.
QStringList Names();

// The cache folder.
QString CacheDir();

// Runs the ffmpeg tool with the given arguments (quiet, overwrite); true on
// exit code 0. For tests that need a clip made their own way.
bool RunFFmpeg(const QStringList& args, QString* errorOutput = nullptr);

// Runs a program (found on PATH) to the end; its standard output and error
// come back in out/err when given. True on exit code 0.
bool RunTool(const QString& program, const QStringList& args, QByteArray* out = nullptr, QByteArray* err = nullptr);

}  // namespace TestMedia
