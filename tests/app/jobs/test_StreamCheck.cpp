// A job whose output could hold no stream: refused in its row from the
// probe's counts, and cleared again when its profile changes to one the
// input can give.
#include "app/jobs/JobState.h"
#include "app/jobs/StreamCheck.h"

#include <gtest/gtest.h>

#include <optional>

using namespace jobs;

namespace {

const QString kNoAudio = QStringLiteral("文件没有音频流，不能转换为音频格式");
const QString kNoStreams = QStringLiteral("文件没有音频流和视频流，没有可转换的内容");
const QString kUnknown = QStringLiteral("Unknown encoder 'libopencore_amrnb'");

TJobRow RowWithVideo(bool disabled) {
    TJobRow row;
    row[siDisableVideo] = disabled ? QStringLiteral("True") : QStringLiteral("False");
    return row;
}

}  // namespace

TEST(StreamCheck, AnOutputWithoutAnyStreamIsRefused) {
    const struct {
        int audio, video;
        bool disableVideo;
        std::optional<QString> reason;
    } cases[] = {
        {0, 1, true, kNoAudio},      // a silent video into an audio format
        {0, 0, true, kNoAudio},
        {1, 1, true, std::nullopt},
        {2, 0, true, std::nullopt},  // sound alone into an audio format
        {0, 1, false, std::nullopt}, // a silent video into a video format
        {1, 0, false, std::nullopt},
        {0, 0, false, kNoStreams},   // subtitles alone
        {-1, -1, true, std::nullopt},  // not probed: nothing known, nothing refused
        {-1, 0, false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.audio << " audio, " << c.video << " video, no video " << c.disableVideo);
        EXPECT_EQ(MissingStreamReason(c.audio, c.video, c.disableVideo), c.reason);
    }
}

// The add notes the counts; each profile switch checks the row again.
TEST(StreamCheck, TheRowFollowsTheProfile) {
    TJobRow row = RowWithVideo(true);
    TJobRecord record;
    NoteInputStreams(row, record, 0, 1);
    EXPECT_EQ(record.AudioStreams, 0);
    EXPECT_EQ(record.VideoStreams, 1);
    EXPECT_EQ(row[siProgress], FailedText(kNoAudio));
    EXPECT_EQ(record.Refusal, kNoAudio);

    row[siDisableVideo] = QStringLiteral("False");  // a video profile
    NoteStreamCheck(row, record);
    EXPECT_EQ(row[siProgress], QString());
    EXPECT_EQ(record.Refusal, QString());

    row[siDisableVideo] = QStringLiteral("True");  // and back
    NoteStreamCheck(row, record);
    EXPECT_EQ(row[siProgress], FailedText(kNoAudio));
    EXPECT_EQ(record.Refusal, kNoAudio);
}

// The engine's own refusal of an output is the engine's to lift, at the next
// start; a job whose input has sound keeps it whatever the profile.
TEST(StreamCheck, AnotherRefusalStays) {
    TJobRow row = RowWithVideo(false);
    TJobRecord record;
    NoteRefusal(row, record, kUnknown);
    NoteInputStreams(row, record, 1, 1);
    EXPECT_EQ(row[siProgress], FailedText(kUnknown));
    EXPECT_EQ(record.Refusal, kUnknown);

    // A silent input into an audio format: the missing sound is the reason shown.
    TJobRow silent = RowWithVideo(true);
    TJobRecord silentRecord;
    NoteRefusal(silent, silentRecord, kUnknown);
    NoteInputStreams(silent, silentRecord, 0, 1);
    EXPECT_EQ(silent[siProgress], FailedText(kNoAudio));
    EXPECT_EQ(silentRecord.Refusal, kNoAudio);
}
