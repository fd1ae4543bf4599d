// The values the option lists' item texts stand for in a conversion job. Every
// test compares the whole text; numbers are read the same way whatever the
// user's locale.
#pragma once

#include <QString>

#include <optional>
#include <stdexcept>

namespace profiles {

// A bit-rate text that holds no number ("'abc' is not a valid integer value").
class EOptionValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A whole decimal number with an optional sign, within 32 bits; anything else
// throws ("'abc' is not a valid integer value"). Job-row columns are read back
// with it.
int IntegerValue(const QString& text);

// Empty means "keep the source's value": the option is not passed on.
QString FrameSizeValue(const QString& text);
QString FrameRateValue(const QString& text);

// Bits per second from "816 kbps". "无视频" gives -1000 (no video).
int VideoBitrateValue(const QString& text);
// Bits per second from "128 kbps" or "12.2 kbps". "自动音频比特率" gives -1000
// (automatic rate).
int AudioBitrateValue(const QString& text);

// "自动音频采样率" is "AUTO" where the job's options are confirmed
// (autoAsText) and empty where a list change is written into a job row.
QString SampleRateValue(const QString& text, bool autoAsText);

// The aspect ratio of an aspect-mode text ("宽屏视频16:9模式" gives "16:9");
// no value for a text the list never offers, whose field is then left alone.
std::optional<QString> AspectModeValue(const QString& text);

} // namespace profiles
