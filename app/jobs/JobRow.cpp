#include "app/jobs/JobRow.h"

#include <cstdio>

namespace jobs {

namespace {

constexpr int kHiddenMax = 1;

const TJobColumn kColumns[JobColumnCount] = {
    {"输入文件", 80, true, 0},          {"视频时间", 70, true, 0},
    {"文件大小", 70, true, 0},          {"输出文件", 80, true, 0},
    {"转换进度", 70, true, 0},          {"", 0, false, kHiddenMax},
    {"当前时间", 80, true, 0},          {"转换大小", 80, true, 0},
    {"视频序号", 0, false, kHiddenMax}, {"视频类别", 0, false, kHiddenMax},
    {"视频选项", 0, false, kHiddenMax}, {"视频编码", 0, false, kHiddenMax},
    {"音频编码", 0, false, kHiddenMax}, {"声音频道", 0, false, kHiddenMax},
    {"VideoTag", 0, false, kHiddenMax}, {"FileExt", 0, false, kHiddenMax},
    {"视频分辨率", 0, false, kHiddenMax}, {"视频比特率", 0, false, kHiddenMax},
    {"视频帧率", 0, false, kHiddenMax}, {"音频比特率", 0, false, kHiddenMax},
    {"音频采样率", 0, false, kHiddenMax}, {"视频缩放", 0, false, kHiddenMax},
    {"视频能否", 0, false, kHiddenMax}, {"TargetType", 0, false, kHiddenMax},
    {"NormType", 0, false, kHiddenMax},
};

}  // namespace

std::span<const TJobColumn> JobColumns() { return kColumns; }

QString ClockText(std::int64_t seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2lld:%.2lld:%.2lld", static_cast<long long>(seconds / 3600 % 24),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return QString::fromLatin1(text);
}

QString MegabyteText(std::int64_t bytes) {
    // Exact hundredths of a megabyte: bytes * 100 / 2^20, a tie going to the
    // even hundredth.
    const bool negative = bytes < 0;
    const std::uint64_t n = (negative ? 0 - static_cast<std::uint64_t>(bytes) : static_cast<std::uint64_t>(bytes)) * 100;
    constexpr std::uint64_t d = 1024 * 1024;
    std::uint64_t q = n / d;
    const std::uint64_t r2 = n % d * 2;
    if (r2 > d || (r2 == d && q % 2 == 1)) ++q;
    QString text = QString::number(q / 100);
    if (const std::uint64_t cents = q % 100) {
        text += QLatin1Char('.') + QString::number(cents / 10);
        if (cents % 10) text += QString::number(cents % 10);
    }
    if (negative && q) text.prepend(QLatin1Char('-'));
    return text + QLatin1String("MB");
}

QString DurationText(std::int64_t durationUs) {
    return durationUs > 0 ? ClockText(durationUs / 1000000) : QStringLiteral("N/A");
}

}  // namespace jobs
