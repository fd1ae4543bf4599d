// A job whose output would hold no stream at all: an audio format asked of a
// file without sound, or a file with neither sound nor picture. The converter
// finds this only when the job's turn comes and then names neither file nor
// cause; the add knows it from the probe, so the row says so at once.
#pragma once

#include "app/jobs/JobRecords.h"
#include "app/jobs/JobRow.h"

#include <QString>

#include <optional>

namespace jobs {

// Why the job cannot be converted, or nothing. Negative counts are unknown
// (a row the add did not probe) and never refuse.
std::optional<QString> MissingStreamReason(int audioStreams, int videoStreams, bool disableVideo);

// Keeps the input's stream counts in the job's record and checks the row's
// profile against them (NoteStreamCheck).
void NoteInputStreams(TJobRow& row, TJobRecord& record, int audioStreams, int videoStreams);

// Checks the row's profile (its no-video column) against the record's stream
// counts: a job that cannot be converted is refused in its row; one that the
// check had refused and now can be is cleared. Another refusal is left alone
// unless this check has one of its own.
void NoteStreamCheck(TJobRow& row, TJobRecord& record);

}  // namespace jobs
