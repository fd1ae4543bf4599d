// The job row's texts: clock, megabytes (ties to the even hundredth, "." in
// any locale), the progress percentage past 100% and without a duration, and
// the frames column that keeps its text on 0.
#include "app/jobs/ProgressTexts.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cstdint>

using namespace jobs;

namespace {

constexpr std::int64_t kSecond = 1000000;

TEST(ProgressTexts, ClockText) {
    const struct {
        int seconds;
        const char* text;
    } cases[] = {
        {0, "00:00:00"},
        {59, "00:00:59"},
        {3725, "01:02:05"},
        {86399, "23:59:59"},
        {86400, "00:00:00"},          // whole days dropped
        {25 * 3600 + 61, "01:01:01"},
        {-5, "00:00:00"},
        {2147483647, "03:14:07"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(ClockText(c.seconds), QString::fromLatin1(c.text));
    }
}

TEST(ProgressTexts, MegabyteText) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German));  // a decimal comma must not leak in
    const struct {
        std::int64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0MB"},
        {1048576, "1MB"},
        {1572864, "1.5MB"},
        {1310720, "1.25MB"},
        {3145728, "3MB"},
        {123456789, "117.74MB"},
        {131072, "0.12MB"},    // 12.5 hundredths: tie to the even 12
        {393216, "0.38MB"},    // 37.5 hundredths: tie to the even 38
        {104857, "0.1MB"},     // 9.99990 hundredths round up to a tenth
        {5242, "0MB"},         // below half a hundredth
        {10737418240LL, "10240MB"},
        {1048576LL * 1000000 + 10486, "1000000.01MB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(MegabyteText(c.bytes), QString::fromLatin1(c.text));
    }
    QLocale::setDefault(before);
}

TEST(ProgressTexts, ProgressColumns) {
    // One report's columns, as a table: percentage, frames, converted time.
    const struct {
        std::int64_t current, total;
        const char* percent;
    } percents[] = {
        {0, 100 * kSecond, "0%"},
        {50 * kSecond, 100 * kSecond, "50%"},
        {999999, 1000000, "99%"},          // truncated, never rounded up
        {103 * kSecond, 100 * kSecond, "103%"},
        {5 * kSecond, 0, "N/A"},
        {5 * kSecond, -1, "N/A"},
        {-1 * kSecond, 100 * kSecond, "-1%"},
        {INT64_MAX / 10, INT64_MAX / 10, "100%"},  // no overflow of current × 100
    };
    for (const auto& c : percents) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(ProgressPercentText(c.current, c.total), QString::fromLatin1(c.percent));
    }

    EXPECT_EQ(FpsText(25), std::optional<QString>(QStringLiteral("25")));
    EXPECT_FALSE(FpsText(0).has_value());
    EXPECT_FALSE(FpsText(-3).has_value());

    EXPECT_EQ(ElapsedClockText(3725 * kSecond + 999999), QStringLiteral("01:02:05"));
    EXPECT_EQ(ElapsedClockText((25 * 3600 + 61) * kSecond), QStringLiteral("01:01:01"));

    EXPECT_EQ(DurationText(2 * kSecond + 500000), QStringLiteral("00:00:02"));
    EXPECT_EQ(DurationText(0), QStringLiteral("N/A"));
    EXPECT_EQ(DurationText(-1), QStringLiteral("N/A"));
}

} // namespace
