// Readable failures for the job tests: texts and rows as their texts.
#pragma once

#include "tests/support/TestMedia.h"

#include <QStringList>

#include <ostream>

inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(QLatin1String("|")).toStdString() << ']';
}
