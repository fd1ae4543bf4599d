// The settings dialog's conversion-parameter operations as pure functions over a
// plain copy of the main window's job fields. The dialog copies the main
// window's fields in, runs these and copies them back; nothing here touches a
// widget.
#pragma once

#include "app/jobs/JobFields.h"
#include "app/legacy/LegacyTables.h"

#include <QString>

#include <functional>

namespace legacy {

// The main window's job fields, which the settings dialog reads and writes.
using VideoFields = jobs::TJobFields;

// The reset: every Video_ field back to its reset value; the input path and the
// profile code stay.
void ResetVideoFields(VideoFields& fields);

// Writes one parameter row: the output name (folder text, "/", the input's file
// name with the row's name extension), then each cell by its state, then the
// no-video flag of an audio-only row. Nothing is reset first, so untouched
// fields keep what their last writer left.
void ApplyParameterRow(const ParameterRow& row, const QString& folderText, VideoFields& fields);

using FileExists = std::function<bool(const QString& path)>;

// True for an existing file; a folder of that path does not count.
bool IsExistingFile(const QString& path);

// The output-exists rule applied to a held output name: it is rebuilt as folder
// text, "/", its own file name and extension; when that file exists and
// overwriting is off, "_1", "_2", ... go before the extension, the first free
// number winning. The folder text is used as it stands, even when it already
// ends in "/".
QString ResolveOutputName(const QString& name, const QString& folderText, bool overwrite,
                          const FileExists& exists = IsExistingFile);

// The whole parameter operation for a profile code: the code and a cleared
// no-video flag first, then the code's row when it has one, then the
// output-exists rule on whatever name the fields hold.
void ComputeParameters(int code, const QString& folderText, bool overwrite, VideoFields& fields,
                       const FileExists& exists = IsExistingFile);

}  // namespace legacy
