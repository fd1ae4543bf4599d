// The controls' hot-state morph: a picture part way from the normal to the
// active look, by the integer step 0..5 the morph timers count.
#pragma once

#include "skin/model/SkinTypes.h"

#include <QImage>

inline constexpr int kMorphSteps = 5;

QImage MorphFrame(const QImage& Normal, const QImage& Active, int Step, TqvMorphKind Kind);
