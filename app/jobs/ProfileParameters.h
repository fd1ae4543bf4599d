// A profile's conversion parameters into the job fields and the selected row.
#pragma once

#include "app/jobs/JobFields.h"
#include "app/jobs/JobRow.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace jobs {

// The output-exists rule: the path a job's output takes when it wants
// `wantedPath`. `inputPath` is the job's input; `row` is the job's row when it
// has one (its own name is not taken by itself) and nullptr while the job is
// being added. An empty rule takes every name as free.
using TFreeOutputName =
    std::function<QString(const QString& wantedPath, const QString& inputPath, const TJobRow* row)>;

// The output-exists rule of OutputName.h as a TFreeOutputName. The wanted
// path's folder part is the folder text; `overwrite`, `otherRowNames` and
// `rowInputs` are asked at each use: the output names (sub-item 2) of every
// row but `row`, and the inputs of all rows (none when not given).
TFreeOutputName OutputNameRule(std::function<bool()> overwrite,
                               std::function<QStringList(const TJobRow* row)> otherRowNames,
                               std::function<QStringList()> rowInputs = nullptr);

// The fields of a profile code: a reset first, then the code, the parameters
// of its entry and the output path (folder text, "/", the input's name with
// the profile's name extension) through the output-exists rule. A code without
// an entry leaves the fields reset and the path the folder text and "/".
void ComputeProfileFields(int code, const QString& folderText, const TFreeOutputName& freeName, TJobFields& fields);

// The fields into the parameter columns (video codec to norm) of a row; the
// bit rates as decimal numbers, the no-video flag as "True" or "False".
void WriteParameterColumns(const TJobFields& fields, TJobRow& row);

}  // namespace jobs
