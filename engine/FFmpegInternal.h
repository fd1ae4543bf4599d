// Shared by the converter's own files only.
#pragma once

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpeg.h"
#include "engine/FFmpegLoader.h"

#include <QString>

#include <string>

inline std::string Utf8(const QString& s) { return s.toStdString(); }

// The value stored for a codec kind, empty when none.
std::string GenericCodecValue(const TFFOptions* AOptions, AVMediaType AType, const char* AName);
