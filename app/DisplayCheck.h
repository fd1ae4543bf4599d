// Tells, before Qt starts, whether the program can reach a display at all:
// Qt's platform plugin aborts the process when it cannot, and a user should
// get a sentence instead.
#pragma once

#include <QString>

// Empty when a display looks reachable, else a one-line reason.
QString DisplayProblem();
