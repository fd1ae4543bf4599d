// A program folder and home of the benchmark's own, so a run starts as a
// first start and reads or writes nothing of the user's; put back when done.
#pragma once

#include "engine/FFBase.h"

#include <QByteArray>
#include <QTemporaryDir>

namespace bench {

struct TFreshProgram {
    QTemporaryDir Program, Home;
    QByteArray SavedHome = qgetenv("HOME");
    TFreshProgram() {
        qputenv("HOME", Home.path().toUtf8());
        SetApplicationPathOverride(Program.path() + QLatin1Char('/'));
    }
    ~TFreshProgram() {
        SetApplicationPathOverride(QString());
        qputenv("HOME", SavedHome);
    }
    TFreshProgram(const TFreshProgram&) = delete;
    TFreshProgram& operator=(const TFreshProgram&) = delete;
};

}  // namespace bench
