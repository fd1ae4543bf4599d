// File names between the engine (QString) and the libraries (8-bit text), and
// the engine's own I/O for names in the "unicode:utf8:" form.
//
// Every place that hands a file name to the libraries goes through
// ToLibraryFileName, and every place that opens one goes through
// OpenInputFile / OpenOutputIO, so a name in that form opens through the
// engine's I/O context instead of the libraries' file protocol.
#pragma once

#include "engine/FFmpegLoader.h"

#include <QByteArray>
#include <QString>

// False for a URL of a protocol the libraries handle themselves; otherwise true
// when the name does not survive the 8-bit encoding and back.
bool NeedsUnicodeName(const QString& name);
QByteArray ToUnicodeName(const QString& name);
// At least one byte after "unicode:utf8:".
bool IsUnicodeName(const QByteArray& name);
QString FromUnicodeName(const QByteArray& name);
// Never shortened: a cut name would open a different file.
QByteArray ToLibraryFileName(const QString& name);
QString FromLibraryFileName(const QByteArray& name);

// Why a local input cannot be read as a file: "<name>: Is a directory", or
// "<name>: Not a regular file" for a named pipe, socket or device (opening a
// pipe waits for a writer; a device never ends). Empty for a regular file, a
// link to one, and a name that names nothing here (a URL, a missing file),
// which the libraries answer themselves.
QString InputFileRefusal(const QString& name);

// An I/O context over the file the "unicode:utf8:" name names. flags are the
// libraries' AVIO_FLAG_*: read opens an existing file; write creates or
// empties it; read-write creates it but keeps what it holds.
// Returns 0 or the library error code (AVERROR(ENOENT) for a missing file).
int OpenUnicodeIO(AVIOContext** pb, const QByteArray& name, int flags);
// Closes an I/O context made by OpenUnicodeIO and sets *pb to null.
void CloseUnicodeIO(AVIOContext** pb);
bool IsUnicodeIO(const AVIOContext* pb);

// avformat_open_input for a library name of either form; on failure *ic stays null.
int OpenInputFile(AVFormatContext** ic, const QByteArray& name, const AVInputFormat* fmt, AVDictionary** options);
// avformat_close_input, and the engine's I/O context when the input had one.
void CloseInputFile(AVFormatContext** ic);
// A task's input waits for its run without its file open, so a long job list
// holds no descriptors: Park closes the I/O of a local file's input and keeps
// its position; Resume opens it again there before the run reads it. The
// demuxer sees the same bytes. Inputs of other kinds (URLs, pipes, devices)
// stay open. Resume returns 0 or the library error code.
void ParkInputIO(AVFormatContext* ic);
int ResumeInputIO(AVFormatContext* ic);
// Opens oc->pb for writing a library name of either form.
int OpenOutputIO(AVFormatContext* oc, const QByteArray& name);
// Opens oc->pb over a file it creates: an existing file of that name, whatever
// its kind, is left alone and gives AVERROR(EEXIST). No window between a check
// and the creation, so a file that appeared after the name was chosen is safe.
int OpenNewOutputIO(AVFormatContext* oc, const QString& fileName);
// Closes oc->pb whichever way it was opened.
void CloseOutputIO(AVFormatContext* oc);
