// The preview slider's arithmetic between a position in microseconds and a
// thumb value from 0 to the slider's maximum.
#pragma once

#include <cstdint>

namespace mainwindow {

// The thumb value for a reported position: MaxValue x APTS div ADuration,
// truncated toward zero and held inside 0 .. AMaxValue. Positions and
// durations of any size give no overflow.
int SliderValueAt(int AMaxValue, std::int64_t APTS, std::int64_t ADuration);

// The seek target for a released thumb: ADuration x AValue div AMaxValue,
// truncated toward zero (-1 at the maximum when the duration is unknown).
std::int64_t SeekTargetAt(std::int64_t ADuration, int AValue, int AMaxValue);

}  // namespace mainwindow
