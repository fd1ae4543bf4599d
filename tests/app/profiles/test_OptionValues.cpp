// Option-list texts to job values: the placeholder and keep-source texts, the
// bit-rate readings (decimal audio rates through 15 significant digits), the
// texts that hold no number, and the same results under a locale with a
// decimal comma.
#include "app/profiles/OptionValues.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <clocale>
#include <optional>

using namespace profiles;

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

struct BitrateCase {
    const char* text;
    int video;  // 0: the text is an audio rate only
    int audio;
};

const BitrateCase kBitrates[] = {
    {"816 kbps", 816000, 816000},
    {"128 kbps", 128000, 128000},
    {"4000 kbps", 4000000, 4000000},
    {" 64kbps", 64000, 64000},
    {"\t96 \x01kbps and more", 96000, 96000},  // blanks and control characters stripped
    {"+8 kbps", 8000, 8000},
    {"-5 kbps", -5000, -5000},
    {"4.75 kbps", 0, 4750},
    {"5.15 kbps", 0, 5150},
    {"5.9 kbps", 0, 5900},
    {"6.7 kbps", 0, 6700},
    {"7.4 kbps", 0, 7400},
    {"7.95 kbps", 0, 7950},
    {"10.2 kbps", 0, 10200},
    {"12.2 kbps", 0, 12200},
    {"1.001 kbps", 0, 1001},  // 1000.9999999999999 before the 15-digit step
    {"64.0 kbps", 0, 64000},
};

void CheckBitrates() {
    for (const BitrateCase& c : kBitrates) {
        SCOPED_TRACE(c.text);
        if (c.video)
            EXPECT_EQ(VideoBitrateValue(U(c.text)), c.video);
        else
            EXPECT_THROW(VideoBitrateValue(U(c.text)), EOptionValueError);  // whole numbers only
        EXPECT_EQ(AudioBitrateValue(U(c.text)), c.audio);
    }
}

} // namespace

TEST(OptionValues, TextsThatKeepTheSource) {
    const std::pair<const char*, const char*> kSizes[] = {
        {"保持原分辨率", ""}, {"该格式无视频", ""}, {"640*480", "640*480"}, {"1280*720", "1280*720"}, {"", ""}};
    for (auto [text, value] : kSizes) EXPECT_EQ(FrameSizeValue(U(text)), U(value)) << text;

    const std::pair<const char*, const char*> kRates[] = {
        {"保持原帧速率", ""}, {"无视频", ""}, {"25.00", "25.00"}, {"23.97", "23.97"}, {"15", "15"}, {"", ""}};
    for (auto [text, value] : kRates) EXPECT_EQ(FrameRateValue(U(text)), U(value)) << text;

    EXPECT_EQ(SampleRateValue(U("自动音频采样率"), true), "AUTO");
    EXPECT_EQ(SampleRateValue(U("自动音频采样率"), false), "");
    EXPECT_EQ(SampleRateValue(U("44100"), true), "44100");
    EXPECT_EQ(SampleRateValue(U("44100"), false), "44100");
    EXPECT_EQ(SampleRateValue(U(""), true), "");
}

TEST(OptionValues, AspectModes) {
    const std::pair<const char*, std::optional<const char*>> kModes[] = {
        {"保持原视频模式", ""},
        {"普通视频4:3模式", "4:3"},
        {"宽屏视频16:9模式", "16:9"},
        {"宽屏视频37:20模式", "37:20"},
        {"宽屏视频47:20模式", "47:20"},
        {"无视频", ""},
        {"16:9", std::nullopt},  // not a list text: the field is left alone
        {"", std::nullopt},
    };
    for (const auto& [text, value] : kModes) {
        const auto got = AspectModeValue(U(text));
        ASSERT_EQ(got.has_value(), value.has_value()) << text;
        if (value) {
            EXPECT_EQ(*got, U(*value)) << text;
        }
    }
}

TEST(OptionValues, Bitrates) {
    EXPECT_EQ(VideoBitrateValue(U("无视频")), -1000);
    EXPECT_EQ(AudioBitrateValue(U("自动音频比特率")), -1000);
    CheckBitrates();
}

TEST(OptionValues, TextsWithoutANumber) {
    // An empty list text, a text without "kbps", a decimal comma, an audio rate
    // that is not a whole number of bits, and numbers past 32 bits.
    const std::pair<const char*, const char*> kBad[] = {
        {"", "'' is not a valid integer value"},
        {"128", "'' is not a valid integer value"},
        {"abc kbps", "'abc' is not a valid integer value"},
        {"12,2 kbps", "'12,2' is not a valid integer value"},
        {"+-5 kbps", "'+-5' is not a valid integer value"},
        {"1.0005 kbps", "'1000.5' is not a valid integer value"},
        {"1.2.3 kbps", "'1.2.3' is not a valid floating point value"},
        {"9999999999 kbps", "'9999999999' is not a valid integer value"},
        {"3000000 kbps", "'3000000 kbps' is out of the bit-rate range"},
        {"3000000.5 kbps", "'3000000500' is not a valid integer value"},
    };
    for (auto [text, message] : kBad) {
        SCOPED_TRACE(text);
        try {
            AudioBitrateValue(U(text));
            ADD_FAILURE() << "no error";
        } catch (const EOptionValueError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
    EXPECT_THROW(VideoBitrateValue(U("")), EOptionValueError);
    EXPECT_THROW(VideoBitrateValue(U("3000000 kbps")), EOptionValueError);
    // Only the exact "无视频" means no video.
    EXPECT_THROW(VideoBitrateValue(U("无视频 ")), EOptionValueError);
}

TEST(OptionValues, SameUnderADecimalCommaLocale) {
    const QLocale before;
    const std::string cBefore = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const bool haveC = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    CheckBitrates();
    EXPECT_THROW(AudioBitrateValue(U("12,2 kbps")), EOptionValueError);
    std::setlocale(LC_ALL, cBefore.c_str());
    QLocale::setDefault(before);
    if (!haveC) GTEST_LOG_(INFO) << "de_DE.UTF-8 not installed: only Qt's default locale was switched";
}
