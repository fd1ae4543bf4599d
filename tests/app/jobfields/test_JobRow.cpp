// Job fields, name rules and the row's columns.
#include "app/jobs/JobFields.h"
#include "app/jobs/JobFileNames.h"
#include "app/jobs/JobRow.h"
#include "tests/app/jobfields/JobPrinters.h"

#include <gtest/gtest.h>

using namespace jobs;

namespace {

TEST(JobFields, ResetKeepsOnlyTheInputAndTheCode) {
    TJobFields f;
    f.All_Trant_Number = 3215;
    f.Video_AddFileName = QStringLiteral("/in/a.avi");
    f.Video_OutPutFileName = QStringLiteral("x");
    f.Video_AudioVolume = QStringLiteral("100");
    f.Video_VideoBitrate = 5;
    f.Video_AudioBitrate = 6;
    f.Video_TimeStart = 7;
    f.Video_TimeLength = 8;
    f.Video_DisableVideo = true;
    f.Video_CopyTimestamp = QStringLiteral("1");
    ResetJobFields(f);
    EXPECT_EQ(f.All_Trant_Number, 3215);
    EXPECT_EQ(f.Video_AddFileName, QStringLiteral("/in/a.avi"));
    EXPECT_EQ(f.Video_OutPutFileName, QString());
    EXPECT_EQ(f.Video_AudioVolume, QStringLiteral("256"));  // not empty
    EXPECT_EQ(f.Video_VideoBitrate, -1);
    EXPECT_EQ(f.Video_AudioBitrate, -1);
    EXPECT_EQ(f.Video_TimeStart, -1);
    EXPECT_EQ(f.Video_TimeLength, -1);
    EXPECT_FALSE(f.Video_DisableVideo);
    EXPECT_EQ(f.Video_CopyTimestamp, QString());
}

TEST(JobFileNames, ExtensionReplacedFromTheLastDotOfTheName) {
    struct Case {
        const char* name;
        const char* ext;
        const char* want;
    } cases[] = {
        {"song_1.wav", ".mp3", "song_1.mp3"},
        {"a.b.avi", ".mp3", "a.b.mp3"},
        {"clip", ".mp3", "clip.mp3"},
        {"movie.part1.avi", ".mp4", "movie.part1.mp4"},
        {"/x.y/clip", ".avi", "/x.y/clip.avi"},  // a dot in a folder is no extension
        {"a:b.avi", ".mkv", "a:b.mkv"},          // ":" is an ordinary character
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceExtension(QString::fromUtf8(c.name), QString::fromUtf8(c.ext)), QString::fromUtf8(c.want))
            << c.name;
    EXPECT_EQ(OutputPathFor(QStringLiteral("/out/"), QStringLiteral("/in/clip.avi"), QStringLiteral(".mp4")),
              QStringLiteral("/out//clip.mp4"));
    EXPECT_EQ(OutputPathFor(QString(), QStringLiteral("/in/clip.avi"), QStringLiteral(".mp4")),
              QStringLiteral("/clip.mp4"));
}

TEST(JobRow, ColumnsAndSubItems) {
    const auto columns = JobColumns();
    ASSERT_EQ(columns.size(), 25u);
    int hidden = 0;
    for (const TJobColumn& c : columns) {
        if (c.Shown) continue;
        ++hidden;
        EXPECT_EQ(c.Width, 0);
        EXPECT_EQ(c.MaxWidth, 1);
    }
    EXPECT_EQ(hidden, 18);  // the untitled column 5 and columns 8 to 24
    EXPECT_STREQ(columns[0].Title, "输入文件");
    EXPECT_STREQ(columns[5].Title, "");
    EXPECT_STREQ(columns[3].Title, "输出文件");
    EXPECT_STREQ(columns[siOptionDigits + 1].Title, "视频选项");
    EXPECT_STREQ(columns[siNormType + 1].Title, "NormType");
    EXPECT_EQ(TJobRow().SubItems.size(), 24);
}

}  // namespace
