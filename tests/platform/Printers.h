// Readable test failures for the platform's value types.
#pragma once

#include "platform/Types.h"

#include <ostream>

inline void PrintTo(const TRect& r, std::ostream* os) { *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")"; }
inline void PrintTo(const TPoint& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }
