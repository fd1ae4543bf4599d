// The engine records of a job: built from the job fields when a file is added,
// kept per row, and rebuilt from the row at every start.
#pragma once

#include "app/jobs/JobFields.h"
#include "app/jobs/JobOptions.h"
#include "app/jobs/JobRow.h"
#include "app/jobs/OutputName.h"
#include "engine/FFTypes.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace jobs {

// The output record of the job being added: a reset record with the fields
// that are set copied in. The extension and the times are not copied, so the
// whole input is converted.
TOutputOptions OutputOptionsFromFields(const TJobFields& fields);

// What the add knows of a file once its task and output were accepted.
struct TAddedFile {
    QString InputPath;
    std::int64_t DurationUs = -1;  // the probe's duration
    std::int64_t FileSize = 0;
    int TaskIndex = 0;  // AddTask's result
};

// The row exactly as the add writes it: the parameter columns from the output
// record (its FileName names the output), the no-video, target and norm
// columns empty. NewJobRow (ProfilePanel.h) gives the row a new job keeps.
TJobRow AddedJobRow(const TAddedFile& file, const TOutputOptions& record, int categoryRow, int profileRow,
                    const TOptionIndexes& indexes);

// The two records a job was created with. Record i belongs to row i.
struct TJobRecord {
    TInputOptions Input;
    TOutputOptions Output;
    // Why the engine last refused this job's output (at the add or at a
    // rebuild); empty once it was accepted.
    QString Refusal;
    // The input's audio and video streams as the add probed them; -1 unknown.
    int AudioStreams = -1;
    int VideoStreams = -1;
    // The task this job was given at the last start: the engine's reports
    // name tasks, and the job's row may have moved since.
    int RunTask = -1;
    // The output path the last start gave the engine.
    QString RunOutput;
    // The file this job's task left at WrittenPath when it last opened its
    // output, as it was when the task ended. A later start may write over it
    // while it still matches; any other file there is someone else's.
    QString WrittenPath;
    std::optional<TFileStamp> Written;
};

// The records of all jobs, one per row, in row order; it grows with the rows.
class TJobRecords {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const TJobRecord& At(int row) const { return FItems.at(row); }
    TJobRecord& At(int row) { return FItems.at(row); }
    void Append(const TJobRecord& record) { FItems.push_back(record); }
    // The records after the row move up with their rows.
    void Remove(int row);
    // Two rows changing places take their records along.
    void Exchange(int a, int b);
    void Clear() { FItems.clear(); }

private:
    std::vector<TJobRecord> FItems;
};

// A row's record fields at a start: the row's parameter columns over the
// job's output record. The six option columns always win (empty or automatic:
// not passed); the other columns only when they hold a value. Throws profiles::EOptionValueError for a number column
// that is not a whole number.
void ApplyRowToOutputOptions(const TJobRow& row, TOutputOptions& output);

// What a start hands the engine for one row.
struct TJobStart {
    TInputOptions Input;   // FileName is the row's caption
    TOutputOptions Output;  // no audio language
    QString OutputPath;     // folder, "/", the row's output name
};
TJobStart StartRecords(const TJobRow& row, const TJobRecord& record, const QString& outputFolder);

}  // namespace jobs
