// The nearest-neighbour stretch rule worked out in floating point, apart from
// the integer arithmetic the drawing code uses, so the two can disagree:
// destination i of a span of dstLen takes source
// srcStart + round(i * (srcLen - 1) / (dstLen - 1)), halves to even (the
// default rounding mode); a span shorter than 2 takes the middle source.
#pragma once

#include <cmath>

inline int NearestIndex(int i, int dstLen, int srcStart, int srcLen) {
    if (dstLen < 2) return srcStart + (srcLen - 1) / 2;
    return srcStart + static_cast<int>(std::nearbyint(double(i) * (srcLen - 1) / (dstLen - 1)));
}
