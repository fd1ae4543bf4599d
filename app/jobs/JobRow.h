// A job row as data: the caption (input path) and its 24 sub-items, and the
// list columns that show them. The row's texts are formatted by
// ProgressTexts.h.
#pragma once

#include <QString>
#include <QStringList>

#include <span>

namespace jobs {

// The sub-items of a job row, by index.
enum TJobSubItem {
    siDuration,      // clock text of the input's duration, or "N/A"
    siInputSize,     // megabyte text of the input's size
    siOutputName,    // output file name and extension, no folder
    siProgress,      // "37%", "N/A", "100%" or empty
    siFps,           // frames per second or empty
    siElapsed,       // clock text of the converted time or empty
    siOutputSize,    // megabyte text of the output so far or empty
    siTaskNumber,    // engine task index + 1
    siCategoryCode,  // category-row code
    siOptionDigits,  // six two-digit item indexes
    siVideoCodec,
    siAudioCodec,
    siAudioChannels,
    siVideoTag,
    siFileExt,
    siFrameSize,
    siVideoBitrate,
    siFrameRate,
    siAudioBitrate,
    siSampleRate,
    siAspect,
    siDisableVideo,  // "True" or anything else
    siTargetType,
    siNormType,
};
constexpr int SubItemCount = 24;
constexpr int JobColumnCount = 25;

// One column of the job list: the first shows the caption, column n + 1 shows
// sub-item n. A hidden column has width 0 and can be dragged no wider than
// MaxWidth.
struct TJobColumn {
    const char* Title;  // UTF-8
    int Width;
    bool Shown;
    int MaxWidth;  // 0 = no limit
};
std::span<const TJobColumn> JobColumns();

struct TJobRow {
    QString Caption;                          // input path
    QStringList SubItems = QStringList(SubItemCount);  // always 24 texts

    const QString& operator[](TJobSubItem i) const { return SubItems[i]; }
    QString& operator[](TJobSubItem i) { return SubItems[i]; }
    bool operator==(const TJobRow&) const = default;
};

}  // namespace jobs
