// What the benchmarks share: their figures (medians of wall times), their
// run-count argument and their Qt platform.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace bench {

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double Ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The first argument as a count of at least 1; `fallback` without one.
inline int CountArgument(int argc, char** argv, int fallback) {
    return argc > 1 ? std::max(1, std::atoi(argv[1])) : fallback;
}

// Qt offscreen unless QT_QPA_PLATFORM says otherwise; before the application object.
inline void OffscreenUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace bench
