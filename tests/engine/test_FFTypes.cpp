#include "engine/FFTypes.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/avutil.h>
}


TEST(TaskRecords, InitInputOptionsRestoresTheNeutralState) {
    TInputOptions o;
    o.FileName = QStringLiteral("in.avi");
    o.FileFormat = QStringLiteral("avi");
    o.TimeStart = 5;
    o.ProgramID = 3;
    o.ExtOptions = QStringLiteral("a=b");
    o.Tag = 9;
    o.Data = &o;
    InitInputOptions(o);
    EXPECT_TRUE(o.FileName.isEmpty());
    EXPECT_TRUE(o.FileFormat.isEmpty());
    EXPECT_EQ(o.TimeStart, AV_NOPTS_VALUE);
    EXPECT_EQ(o.ProgramID, -1);
    EXPECT_TRUE(o.ExtOptions.isEmpty());
    EXPECT_EQ(o.Tag, 0);
    EXPECT_EQ(o.Data, nullptr);
}

TEST(TaskRecords, InitOutputOptionsRestoresTheNeutralState) {
    // Every field away from its default first, so a field Init forgets shows.
    TOutputOptions o;
    for (QString* s : {&o.FileName, &o.FileExt, &o.FileFormat, &o.AudioCodec, &o.AudioPreset, &o.AudioLanguage,
                       &o.AudioTag, &o.VideoCodec, &o.VideoPreset, &o.FrameRate, &o.FrameSize, &o.FrameAspectRatio,
                       &o.VideoTag, &o.VideoFilters, &o.VideoLanguage, &o.SubtitleCodec, &o.SubtitlePreset,
                       &o.SubtitleLanguage, &o.ExtOptions, &o.Info.Title, &o.Info.Author, &o.Info.Copyright,
                       &o.Info.Comment, &o.Info.Album, &o.Info.Genre})
        *s = QStringLiteral("x");
    for (int* i : {&o.PacketSize, &o.MuxRate, &o.AudioVolume, &o.AudioChannels, &o.AudioSampleRate, &o.AudioBitrate,
                   &o.AudioBitRateTolerance, &o.AudioSyncMethod, &o.CropTop, &o.CropBottom, &o.CropLeft, &o.CropRight,
                   &o.GroupPictureSize, &o.VideoBitrate, &o.VideoMaxRate, &o.VideoMinRate, &o.VideoBitRateTolerance,
                   &o.VideoBufSize, &o.VideoSyncMethod, &o.Tag, &o.Info.Year, &o.Info.Track})
        *i = 7;
    for (bool* b : {&o.DisableAudio, &o.DisableVideo, &o.DisableSubtitle, &o.InputSync, &o.CopyTimestamp,
                    &o.CustomHook, &o.Join})
        *b = true;
    o.MuxDelay = o.MuxPreload = 2.5f;
    o.TimeStart = o.TimeLength = 1;
    o.Info.TimeStamp = 1.0;
    o.TargetType = ttDVD;
    o.NormType = ntNTSC;
    o.NormDefault = ntNTSC;
    o.Data = &o;

    InitOutputOptions(o);

    for (const QString* s : {&o.FileName, &o.FileExt, &o.FileFormat, &o.AudioCodec, &o.AudioPreset, &o.AudioLanguage,
                             &o.AudioTag, &o.VideoCodec, &o.VideoPreset, &o.FrameRate, &o.FrameSize,
                             &o.FrameAspectRatio, &o.VideoTag, &o.VideoFilters, &o.VideoLanguage, &o.SubtitleCodec,
                             &o.SubtitlePreset, &o.SubtitleLanguage, &o.ExtOptions, &o.Info.Title, &o.Info.Author,
                             &o.Info.Copyright, &o.Info.Comment, &o.Info.Album, &o.Info.Genre})
        EXPECT_TRUE(s->isEmpty());
    const struct { const char* name; int actual; int expected; } ints[] = {
        {"PacketSize", o.PacketSize, -1}, {"MuxRate", o.MuxRate, -1}, {"AudioVolume", o.AudioVolume, -1},
        {"AudioChannels", o.AudioChannels, -1}, {"AudioSampleRate", o.AudioSampleRate, -1},
        {"AudioBitrate", o.AudioBitrate, -1}, {"AudioBitRateTolerance", o.AudioBitRateTolerance, -1},
        {"AudioSyncMethod", o.AudioSyncMethod, 0}, {"CropTop", o.CropTop, -1}, {"CropBottom", o.CropBottom, -1},
        {"CropLeft", o.CropLeft, -1}, {"CropRight", o.CropRight, -1}, {"GroupPictureSize", o.GroupPictureSize, -1},
        {"VideoBitrate", o.VideoBitrate, -1}, {"VideoMaxRate", o.VideoMaxRate, -1},
        {"VideoMinRate", o.VideoMinRate, -1}, {"VideoBitRateTolerance", o.VideoBitRateTolerance, -1},
        {"VideoBufSize", o.VideoBufSize, -1}, {"VideoSyncMethod", o.VideoSyncMethod, -1}, {"Tag", o.Tag, 0},
        {"Info.Year", o.Info.Year, -1}, {"Info.Track", o.Info.Track, -1},
        {"TargetType", o.TargetType, ttIgnore}, {"NormType", o.NormType, ntAuto},
        {"NormDefault", o.NormDefault, ntPAL},
    };
    for (const auto& r : ints) EXPECT_EQ(r.actual, r.expected) << r.name;
    for (bool b : {o.DisableAudio, o.DisableVideo, o.DisableSubtitle, o.InputSync, o.CopyTimestamp, o.CustomHook,
                   o.Join})
        EXPECT_FALSE(b);
    EXPECT_EQ(o.MuxDelay, -1.0f);
    EXPECT_EQ(o.MuxPreload, -1.0f);
    EXPECT_EQ(o.Info.TimeStamp, -1.0);
    EXPECT_EQ(o.TimeStart, AV_NOPTS_VALUE);
    EXPECT_EQ(o.TimeLength, AV_NOPTS_VALUE);
    EXPECT_EQ(o.Data, nullptr);
}
