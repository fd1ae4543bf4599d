#include "app/jobs/ProgressTexts.h"

namespace jobs {

namespace {

QString TwoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

QString ClockText(int seconds) {
    // A clock that counts backwards helps nobody; nothing reports a negative
    // time on purpose.
    if (seconds < 0) seconds = 0;
    const int s = seconds % 60;
    const int m = (seconds / 60) % 60;
    const int h = (seconds / 3600) % 24;
    return TwoDigits(h) + QLatin1Char(':') + TwoDigits(m) + QLatin1Char(':') + TwoDigits(s);
}

QString MegabyteText(std::int64_t bytes) {
    // Hundredths of a megabyte, exactly: bytes × 100 / 2^20 rounded half to
    // even. Integer arithmetic keeps the ties exact for any size.
    const bool negative = bytes < 0;
    const unsigned __int128 scaled = static_cast<unsigned __int128>(negative ? -static_cast<__int128>(bytes) : bytes) * 100;
    unsigned __int128 q = scaled >> 20;
    const unsigned __int128 rest = scaled & ((1u << 20) - 1);
    const unsigned __int128 half = 1u << 19;
    if (rest > half || (rest == half && (q & 1))) ++q;

    const auto whole = static_cast<std::uint64_t>(q / 100);
    const auto frac = static_cast<int>(q % 100);
    QString text = QString::number(whole);
    if (frac != 0) {
        text += QLatin1Char('.');
        text += frac % 10 == 0 ? QString::number(frac / 10) : TwoDigits(frac);
    }
    if (negative && q != 0) text.prepend(QLatin1Char('-'));
    return text + QStringLiteral("MB");
}

QString DurationText(std::int64_t durationMicroseconds) {
    if (durationMicroseconds <= 0) return QStringLiteral("N/A");
    return ClockText(static_cast<int>(durationMicroseconds / 1000000));
}

QString ProgressPercentText(std::int64_t currentDuration, std::int64_t totalDuration) {
    if (totalDuration <= 0) return QStringLiteral("N/A");
    // The product is taken wide so a long output cannot overflow it.
    const __int128 percent = static_cast<__int128>(currentDuration) * 100 / totalDuration;
    return QString::number(static_cast<qint64>(percent)) + QLatin1Char('%');
}

std::optional<QString> FpsText(int fps) {
    if (fps <= 0) return std::nullopt;
    return QString::number(fps);
}

QString ElapsedClockText(std::int64_t currentDurationMicroseconds) {
    return ClockText(static_cast<std::int32_t>(currentDurationMicroseconds / 1000000));
}

} // namespace jobs
