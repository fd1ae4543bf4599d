// Option digits and option texts into fields and row columns.
#include "app/jobs/JobOptions.h"
#include "app/profiles/OptionValues.h"
#include "tests/app/jobfields/JobPrinters.h"

#include <gtest/gtest.h>

using namespace jobs;
using namespace profiles;

namespace {

TEST(OptionDigits, PairsStandInListOrder) {
    TOptionIndexes indexes{};
    indexes[orFrameSize] = 12;
    indexes[orVideoBitrate] = 3;
    indexes[orAudioBitrate] = 0;
    indexes[orAspectMode] = 1;
    indexes[orFrameRate] = 10;
    indexes[orSampleRate] = 4;
    EXPECT_EQ(OptionDigits(indexes), QStringLiteral("120300011004"));
    EXPECT_EQ(ReadOptionDigits(QStringLiteral("120300011004")), indexes);
}

TEST(OptionDigits, ReplaceKeepsTheOtherTenCharacters) {
    struct Case {
        TOptionRole role;
        int index;
        const char* want;
    } cases[] = {
        {orFrameSize, 19, "190305010200"},  {orVideoBitrate, 7, "000705010200"},
        {orAudioBitrate, 12, "000312010200"}, {orAspectMode, 4, "000305040200"},
        {orFrameRate, 11, "000305011100"},  {orSampleRate, 6, "000305010206"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplacePair(QStringLiteral("000305010200"), c.role, c.index), QString::fromLatin1(c.want))
            << c.role;
}

TEST(OptionDigits, UnreadableDigitsGiveNothing) {
    for (const char* text : {"", "0003050102", "00030501020x", "ab0305010200", "00 305010200"})
        EXPECT_FALSE(ReadOptionDigits(QString::fromLatin1(text))) << text;
}

TEST(OptionTexts, ConfirmWritesAllSixFields) {
    TJobFields f;
    TOptionTexts texts;
    texts[orFrameSize] = QStringLiteral("保持原分辨率");
    texts[orVideoBitrate] = QStringLiteral("768 kbps");
    texts[orFrameRate] = QStringLiteral("23.97");
    texts[orAudioBitrate] = QStringLiteral("7.95 kbps");
    texts[orSampleRate] = QStringLiteral("自动音频采样率");
    texts[orAspectMode] = QStringLiteral("宽屏视频16:9模式");
    f.Video_FrameSize = QStringLiteral("old");
    ApplyOptionTexts(texts, f);
    EXPECT_EQ(f.Video_FrameSize, QString());
    EXPECT_EQ(f.Video_VideoBitrate, 768000);
    EXPECT_EQ(f.Video_FrameRate, QStringLiteral("23.97"));
    EXPECT_EQ(f.Video_AudioBitrate, 7950);
    EXPECT_EQ(f.Video_AudioSampleRate, QStringLiteral("AUTO"));
    EXPECT_EQ(f.Video_FrameAspectRatio, QStringLiteral("16:9"));
}

TEST(OptionTexts, UnreadableBitrateStopsAtItsList) {
    TJobFields f;
    f.Video_AudioSampleRate = QStringLiteral("old");
    f.Video_AudioBitrate = 1;
    f.Video_FrameAspectRatio = QStringLiteral("old");
    TOptionTexts texts;  // all empty: the video bit rate cannot be read
    texts[orFrameSize] = QStringLiteral("640*480");
    texts[orFrameRate] = QStringLiteral("25");
    EXPECT_THROW(ApplyOptionTexts(texts, f), EOptionValueError);
    EXPECT_EQ(f.Video_FrameSize, QStringLiteral("640*480"));  // before the bit rate: written
    EXPECT_EQ(f.Video_FrameRate, QStringLiteral("25"));
    EXPECT_EQ(f.Video_AudioSampleRate, QStringLiteral("old"));  // after it: untouched
    EXPECT_EQ(f.Video_AudioBitrate, 1);
    EXPECT_EQ(f.Video_FrameAspectRatio, QStringLiteral("old"));
}

TEST(OptionChange, WritesPairFieldAndColumn) {
    struct Case {
        TOptionRole role;
        int index;
        const char* text;
        TJobSubItem column;
        const char* value;
        const char* digits;
    } cases[] = {
        {orFrameSize, 19, "1280*720", siFrameSize, "1280*720", "190305010200"},
        {orFrameSize, 0, "该格式无视频", siFrameSize, "", "000305010200"},
        {orVideoBitrate, 0, "无视频", siVideoBitrate, "-1000", "000005010200"},
        {orAudioBitrate, 12, "7.95 kbps", siAudioBitrate, "7950", "000312010200"},
        {orSampleRate, 3, "自动音频采样率", siSampleRate, "", "000305010203"},
        {orSampleRate, 3, "44100", siSampleRate, "44100", "000305010203"},
        {orFrameRate, 0, "无视频", siFrameRate, "", "000305010000"},
        {orAspectMode, 2, "宽屏视频47:20模式", siAspect, "47:20", "000305020200"},
        {orAspectMode, 2, "unknown", siAspect, "kept", "000305020200"},  // field left alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TJobFields f;
        f.Video_FrameAspectRatio = QStringLiteral("kept");
        TJobRow row;
        row[siOptionDigits] = QStringLiteral("000305010200");
        ApplyOptionChange(c.role, c.index, QString::fromUtf8(c.text), f, row);
        EXPECT_EQ(row[siOptionDigits], QString::fromLatin1(c.digits));
        EXPECT_EQ(row[c.column], QString::fromUtf8(c.value));
    }
}

}  // namespace
