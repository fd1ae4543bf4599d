#include "app/profiles/OptionValues.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace profiles {

namespace {

[[noreturn]] void NotAnInteger(const std::string& text) {
    throw EOptionValueError("'" + text + "' is not a valid integer value");
}

// Optional sign, decimal digits, nothing else; within 32 bits.
int ReadInteger(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+' && first + 1 != last && first[1] != '-') ++first;
    int value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last) NotAnInteger(text);
    return value;
}

int Thousands(std::int64_t value, const std::string& text) {
    const std::int64_t bits = value * 1000;
    if (bits < std::numeric_limits<int>::min() || bits > std::numeric_limits<int>::max())
        throw EOptionValueError("'" + text + " kbps' is out of the bit-rate range");
    return static_cast<int>(bits);
}

// The number before "kbps", stripped of blanks and control characters; empty
// when the text has no "kbps".
std::string KbpsNumber(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1String("kbps"));
    QString number = at < 0 ? QString() : text.left(at);
    qsizetype from = 0, to = number.size();
    while (from < to && number[from].unicode() <= 0x20) ++from;
    while (to > from && number[to - 1].unicode() <= 0x20) --to;
    return number.mid(from, to - from).toStdString();
}

} // namespace

int IntegerValue(const QString& text) { return ReadInteger(text.toStdString()); }

QString FrameSizeValue(const QString& text) {
    if (text == QStringLiteral("保持原分辨率") || text == QStringLiteral("该格式无视频")) return {};
    return text;
}

QString FrameRateValue(const QString& text) {
    if (text == QStringLiteral("保持原帧速率") || text == QStringLiteral("无视频")) return {};
    return text;
}

int VideoBitrateValue(const QString& text) {
    if (text == QStringLiteral("无视频")) return -1000;
    const std::string number = KbpsNumber(text);
    return Thousands(ReadInteger(number), number);
}

int AudioBitrateValue(const QString& text) {
    if (text == QStringLiteral("自动音频比特率")) return -1000;
    const std::string number = KbpsNumber(text);
    if (number.find('.') == std::string::npos) return Thousands(ReadInteger(number), number);

    // Decimal rates ("12.2") are not exact in binary: the product is written
    // with 15 significant digits, which gives back the whole number the text
    // means, and a product that is still not whole is refused.
    const char* first = number.data();
    const char* last = first + number.size();
    if (first != last && *first == '+' && first + 1 != last && first[1] != '-') ++first;
    double kbps = 0;
    const auto [end, ec] = std::from_chars(first, last, kbps);
    if (ec != std::errc() || end != last || first == last)
        throw EOptionValueError("'" + number + "' is not a valid floating point value");
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, kbps * 1000, std::chars_format::general, 15);
    return ReadInteger(std::string(buffer, written.ptr));
}

QString SampleRateValue(const QString& text, bool autoAsText) {
    if (text == QStringLiteral("自动音频采样率")) return autoAsText ? QStringLiteral("AUTO") : QString();
    return text;
}

std::optional<QString> AspectModeValue(const QString& text) {
    static const char* const kModes[][2] = {
        {"保持原视频模式", ""},       {"普通视频4:3模式", "4:3"},     {"宽屏视频16:9模式", "16:9"},
        {"宽屏视频37:20模式", "37:20"}, {"宽屏视频47:20模式", "47:20"}, {"无视频", ""},
    };
    for (const auto& mode : kModes)
        if (text == QString::fromUtf8(mode[0])) return QString::fromUtf8(mode[1]);
    return std::nullopt;
}

} // namespace profiles
