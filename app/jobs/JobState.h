// What a job row says about how its job went: a refusal at the add, each
// progress report, the end of its task, and the hidden log's lines. Pure, so
// the main window's handlers and the tests decide the same way.
#pragma once

#include "app/jobs/JobRecords.h"
#include "app/jobs/JobRow.h"
#include "engine/FFLogger.h"
#include "engine/FFTypes.h"

#include <QString>

#include <optional>

namespace jobs {

// The progress column of a job that failed: "失败：" and the reason.
QString FailedText(const QString& message);

// The reason a failed task shows. A task whose output was refused when the
// tasks were rebuilt fails with the engine's "At least one output file must
// be specified", which says nothing of why; the refusal remembered for the job
// says it instead. Any other failure is the engine's own text.
QString TaskFailureReason(const QString& engineMessage, const QString& rememberedRefusal);

// An output the engine refused: the job keeps its row, which says why, and
// its record remembers the reason for the task's failure at the run.
void NoteRefusal(TJobRow& row, TJobRecord& record, const QString& message);

// Writes one progress report into the row's progress columns; a frame rate
// of 0 keeps the column's text.
void ApplyProgress(TJobRow& row, const TProgressInfo& info);

// What the end of one task does to its row.
struct TTaskEnd {
    std::optional<QString> ProgressText;  // the new progress column; none keeps it
    std::optional<QString> Warning;       // the warning box's text, when one is shown
};
// A finished task reads "100%" ("100%：" and the engine's note when its input
// ended early); a failed one reads "失败：" and its reason (also when the error
// came after its last frame, as its output may be cut); a stopped one keeps
// its last percentage, or says its partial output was removed. The warning
// box stands apart from the rows, so it names the job's input first
// ("<input>: <reason>").
TTaskEnd TaskEnd(const TTerminateInfo& info, const QString& rememberedRefusal = {}, const QString& inputPath = {});

// One line of the hidden log: "#<thread>.<level>: <message>", the level as
// its ordinal (0 quiet .. 7 debug).
QString LogLineText(TThreadID threadId, TLogLevel level, const QString& message);

}  // namespace jobs
