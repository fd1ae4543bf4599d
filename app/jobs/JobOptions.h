// The option values of a job: the six option lists' item indexes as the
// two-digit pairs a job row keeps, and their texts turned into job fields and
// row columns.
#pragma once

#include "app/jobs/JobFields.h"
#include "app/jobs/JobRow.h"
#include "app/profiles/ProfileTables.h"

#include <QString>

#include <array>
#include <optional>

namespace jobs {

using profiles::TOptionRole;

// Per option list, indexed by TOptionRole.
using TOptionIndexes = std::array<int, profiles::OptionRoleCount>;
using TOptionTexts = std::array<QString, profiles::OptionRoleCount>;

// The roles in the order their pairs stand in the digits: frame size, video
// bitrate, audio bitrate, aspect mode, frame rate, sample rate. The selection
// restores the lists in this order too.
constexpr std::array<TOptionRole, profiles::OptionRoleCount> DigitOrder = {
    profiles::orFrameSize,    profiles::orVideoBitrate, profiles::orAudioBitrate,
    profiles::orAspectMode,   profiles::orFrameRate,    profiles::orSampleRate};

// Position (0..5) of a role's pair in the digits.
int PairPosition(TOptionRole role);
// The row column that holds a role's value.
TJobSubItem ValueColumn(TOptionRole role);

// "05", "12": a leading "0" up to 9.
QString OptionPair(int index);
// The twelve digits of six indexes.
QString OptionDigits(const TOptionIndexes& indexes);
// The digits with one role's pair replaced; the other characters stay.
QString ReplacePair(const QString& digits, TOptionRole role, int index);
// The six indexes the digits hold; none when a pair is not a whole number
// (a text shorter than twelve characters has empty pairs).
std::optional<TOptionIndexes> ReadOptionDigits(const QString& digits);

// The six lists' texts into the six option fields, converted and written one
// at a time in the order frame size, frame rate, video bitrate, sample rate,
// audio bitrate, aspect mode; an unreadable bit rate throws and leaves the
// fields after it as they were. A sample rate of "自动音频采样率" becomes
// "AUTO".
void ApplyOptionTexts(const TOptionTexts& texts, TJobFields& fields);

// The six option fields into the row's value columns, as a list's change
// writes them.
void WriteOptionColumns(const TJobFields& fields, TJobRow& row);

// A list's text changed while a row is selected: the row's pair for the list
// becomes the index, the text's value goes into the list's field and from
// there into the row's value column. An unreadable bit rate throws after the
// pair was written.
void ApplyOptionChange(TOptionRole role, int index, const QString& text, TJobFields& fields, TJobRow& row);

}  // namespace jobs
