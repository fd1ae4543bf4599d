// The texts a job row shows about its input and its run: the clock text, the
// megabyte text and the progress columns written from each progress report.
// Pure functions, so a row and its tests format the same way.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace jobs {

// "hh:mm:ss" of whole seconds; whole days are dropped (hours modulo 24), so
// 90061 seconds give "01:01:01". A negative count shows as "00:00:00".
QString ClockText(int seconds);

// Bytes divided by 1024 twice, rounded to hundredths with ties to the even
// hundredth, in the shortest decimal form with "." whatever the locale, then
// "MB": 1310720 gives "1.25MB", 3145728 "3MB", 131072 "0.12MB".
QString MegabyteText(std::int64_t bytes);

// The input's duration column: the clock text of the whole seconds of a
// duration in microseconds, or "N/A" when the input gives none (0 or less).
QString DurationText(std::int64_t durationMicroseconds);

// The progress column: current × 100 div total (truncated toward zero) and
// "%", not limited to 100 (an output running past the input's end shows
// "103%"); "N/A" when the total is 0 or less.
QString ProgressPercentText(std::int64_t currentDuration, std::int64_t totalDuration);

// The frames-per-second column: the count in decimal, or nothing when it is
// 0 or less, and the column then keeps its text.
std::optional<QString> FpsText(int fps);

// The converted-time column: the clock text of the whole seconds reached
// (microseconds divided by 1000000, truncated, taken as a 32-bit count).
QString ElapsedClockText(std::int64_t currentDurationMicroseconds);

} // namespace jobs
