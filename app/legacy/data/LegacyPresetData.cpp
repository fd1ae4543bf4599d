// Table data only; the lookups live in app/legacy/LegacyTables.cpp. Texts stand exactly as the
// dialog shows or writes them, odd spacing and duplicates included (docs/legacy-dialog.md).

#include "app/legacy/data/LegacyData.h"

namespace legacy::data {
namespace {

constexpr const char* kFrameSize1[] = {
    "保持原分辨率", "128*96", "176*144", "240*176", "320*240", "352*240", "352*288", "384*288",
    "480*480", "480*576", "640*368", "640*480", "704*480", "704*576", "720*480", "720*576",
    "800*600", "852*480", "1024*768", "1280*720", "1280*1024", "1600*1024", "1600*1200",
    "1920*1080", "1920*1200", "1920*1440", "2048*1536", "2560*1600"};
constexpr const char* kFrameSize2[] = {
    "112*96", "128*96", "160*112", "160*120", "176*144", "192*144", "208*176", "220*176",
    "320*208", "320*224", "320*240"};
constexpr const char* kFrameSize3[] = {
    "该格式无视频"};
constexpr const char* kFrameSize4[] = {
    "保持原分辨率", "1024*768", "1280*720", "1280*1024", "1600*1024", "1600*1200", "1920*1080",
    "1920*1200", "1920*1440", "2048*1536", "2560*1600"};
constexpr const char* kFrameSize5[] = {
    "128*96", "176*144", "160*120", "320*240", "352*288", "368*208", "640*480"};
constexpr const char* kFrameSize6[] = {
    "128*96", "176*144", "160*120", "320*240", "352*288", "368*208", "480*320", "480*368",
    "512*384", "640*272", "640*353", "640*480"};
constexpr const char* kFrameSize7[] = {
    "128*96", "176*144", "160*120", "320*240", "352*288", "368*208", "480*320", "480*368",
    "512*384", "640*272", "640*353", "640*480", "720*406"};
constexpr const char* kFrameSize8[] = {
    "320*240", "368*208", "480*272", "640*480", "720*480"};
constexpr const char* kFrameSize9[] = {
    "112*96", "128*96", "160*112", "160*120", "176*144", "192*144", "208*176", "220*176",
    "320*208", "320*224", "320*240", "352*288", "480*360"};
constexpr const char* kFrameSize10[] = {
    "128*96", "176*144", "160*120", "320*240", "352*288", "368*208", "640*480", "1280*720"};
constexpr const char* kFrameSize11[] = {
    "128*96", "176*144", "160*120", "320*240", "352*288", "368*208", "480*272", "640*480",
    "704*576"};
constexpr const char* kFrameSize12[] = {
    "1280*720", "1440*1080", "1920*1080"};
constexpr const char* kFrameSize13[] = {
    "640*480", "704*576", "720*480", "720*576", "800*600", "852*480", "1024*768", "1280*720",
    "1280*1024", "1600*1024", "1600*1200", "1920*1080", "1920*1200", "1920*1440", "2048*1536",
    "2560*1600"};
constexpr const char* kFrameSize14[] = {
    "704*576", "1280*720", "1440*1080", "1920*1080"};
constexpr const char* kFrameSize15[] = {
    "128*96", "176*144", "160*120", "320*240", "352*288", "368*208", "640*480", "704*576",
    "1280*720", "1440*1080", "1920*1080"};
constexpr const char* kFrameSize16[] = {
    "128*96", "176*144", "160*120", "320*240", "352*288", "368*208", "480*272", "640*480",
    "704*576", "1280*720", "1440*1080", "1920*1080"};
constexpr const char* kFrameSize17[] = {
    "160*120", "320*240", "480*272", "640*480", "720*480"};
constexpr const char* kFrameSize18[] = {
    "320*240", "640*480"};
constexpr const char* kFrameSize19[] = {
    "保持原分辨率", "128*96", "176*144", "240*176", "320*240", "352*240", "352*288", "384*288",
    "480*480", "480*576", "640*368", "640*480", "704*480", "704*576", "720*480", "720*576",
    "800*600", "852*480", "1024*768"};
constexpr const char* kVideoBitrate1[] = {
    "128 kbps", "288 kbps", "528 kbps", "816 kbps", "1200 kbps", "1600 kbps", "1800 kbps",
    "2000 kbps"};
constexpr const char* kVideoBitrate2[] = {
    "128 kbps", "288 kbps", "528 kbps", "768 kbps", "816 kbps", "1200 kbps", "1600 kbps",
    "1800 kbps", "2000 kbps"};
constexpr const char* kVideoBitrate3[] = {
    "128 kbps", "288 kbps", "528 kbps", "816 kbps", "1000 kbps", "1200 kbps", "1600 kbps",
    "1800 kbps", "2000 kbps"};
constexpr const char* kVideoBitrate4[] = {
    "8 kbps", "16 kbps", "24 kbps", "32 kbps", "48 kbps", "56 kbps", "64 kbps", "80 kbps",
    "96 kbps", "128 kbps", "160 kbps", "192 kbps", "256 kbps", "320 kbps", "384 kbps"};
constexpr const char* kVideoBitrate5[] = {
    "128 kbps", "288 kbps", "528 kbps", "600 kbps", "816 kbps", "1200 kbps", "1600 kbps",
    "1800 kbps", "2000 kbps"};
constexpr const char* kVideoBitrate6[] = {
    "无视频"};
constexpr const char* kVideoBitrate7[] = {
    "816 kbps", "1200 kbps", "1600 kbps", "1800 kbps", "2000 kbps", "2500 kbps", "3000 kbps",
    "4000 kbps"};
constexpr const char* kVideoBitrate8[] = {
    "192 kbps", "384 kbps", "600 kbps", "768 kbps", "1000 kbps", "1200 kbps", "1500 kbps",
    "1800 kbps", "2000 kbps"};
constexpr const char* kVideoBitrate9[] = {
    "216 kbps", "384 kbps", "512 kbps", "768 kbps", "1000 kbps", "1200 kbps", "1500 kbps"};
constexpr const char* kVideoBitrate10[] = {
    "8 kbps", "16 kbps", "24 kbps", "32 kbps", "48 kbps", "56 kbps", "64 kbps", "80 kbps",
    "96 kbps", "128 kbps", "160 kbps", "192 kbps", "256 kbps", "320 kbps", "384 kbps",
    "512 kbps", "600 kbps"};
constexpr const char* kFrameRate1[] = {
    "保持原帧速率", "10.00", "13.00", "15.00", "18.00", "20.00", "23.00", "23.97", "24.00", "25.00",
    "29.97", "30.00"};
constexpr const char* kFrameRate2[] = {
    "1", "2", "3", "5", "10", "12", "15"};
constexpr const char* kFrameRate3[] = {
    "无视频"};
constexpr const char* kFrameRate4[] = {
    "保持原帧速率", "25.00", "29.97", "30.00"};
constexpr const char* kFrameRate5[] = {
    "保持原帧速率", "10.00", "12.00", "15.00", "20.00", "23.98", "24.00", "25.00", "29.97", "30.00"};
constexpr const char* kFrameRate6[] = {
    "15.00", "23.98", "29.97"};
constexpr const char* kFrameRate7[] = {
    "1", "2", "3", "5", "10", "12", "15", "25"};
constexpr const char* kAudioBitrate1[] = {
    "16 kbps", "24 kbps", "32 kbps", "40 kbps", "48 kbps", "56 kbps", "64 kbps", "80 kbps",
    "96 kbps", "112 kbps", "128 kbps", "144 kbps", "160 kbps", "192 kbps", "224 kbps",
    "256 kbps", "320 kbps"};
constexpr const char* kAudioBitrate2[] = {
    "5 kbps", "6 kbps", "7 kbps", "8 kbps", "10 kbps", "12 kbps"};
constexpr const char* kAudioBitrate3[] = {
    "4.75 kbps", "5.15 kbps", "5.9 kbps", "6.7 kbps", "7.4 kbps", "7.95 kbps", "10.2 kbps",
    "12.2 kbps"};
constexpr const char* kAudioBitrate4[] = {
    "64 kbps", "96 kbps", "128 kbps", "160 kbps", "192 kbps"};
constexpr const char* kAudioBitrate5[] = {
    "48 kbps", "56 kbps", "64 kbps", "80 kbps", "96 kbps", "112 kbps", "116 kbps", "128 kbps"};
constexpr const char* kAudioBitrate6[] = {
    "32 kbps", "48 kbps", "56 kbps", "64 kbps", "80 kbps", "96 kbps", "112 kbps", "116 kbps",
    "128 kbps"};
constexpr const char* kSampleRate1[] = {
    "11025", "16000", "22050", "32000", "44100", "48000"};
constexpr const char* kSampleRate2[] = {
    "8000"};
constexpr const char* kSampleRate3[] = {
    "22050", "32000", "44100", "48000"};
constexpr const char* kSampleRate4[] = {
    "8000", "11025", "16000", "22050", "32000", "44100", "48000"};
constexpr const char* kSampleRate5[] = {
    "11025", "22050", "44100"};
constexpr const char* kAspectMode1[] = {
    "保持原视频模式", "普通视频4:3模式", "宽屏视频16:9模式", "宽屏视频37:20模式", "宽屏视频47:20模式"};
constexpr const char* kAspectMode2[] = {
    "保持原视频模式", "普通视频4:3模式"};
constexpr const char* kAspectMode3[] = {
    "无视频"};

constexpr Items kFrameSizeLists[] = {kFrameSize1, kFrameSize2, kFrameSize3, kFrameSize4, kFrameSize5, kFrameSize6, kFrameSize7, kFrameSize8, kFrameSize9, kFrameSize10, kFrameSize11, kFrameSize12, kFrameSize13, kFrameSize14, kFrameSize15, kFrameSize16, kFrameSize17, kFrameSize18, kFrameSize19};
constexpr Items kVideoBitrateLists[] = {kVideoBitrate1, kVideoBitrate2, kVideoBitrate3, kVideoBitrate4, kVideoBitrate5, kVideoBitrate6, kVideoBitrate7, kVideoBitrate8, kVideoBitrate9, kVideoBitrate10};
constexpr Items kFrameRateLists[] = {kFrameRate1, kFrameRate2, kFrameRate3, kFrameRate4, kFrameRate5, kFrameRate6, kFrameRate7};
constexpr Items kAudioBitrateLists[] = {kAudioBitrate1, kAudioBitrate2, kAudioBitrate3, kAudioBitrate4, kAudioBitrate5, kAudioBitrate6};
constexpr Items kSampleRateLists[] = {kSampleRate1, kSampleRate2, kSampleRate3, kSampleRate4, kSampleRate5};
constexpr Items kAspectModeLists[] = {kAspectMode1, kAspectMode2, kAspectMode3};

// Cells in fill order: frame size, video bitrate, frame rate, audio bitrate, sample rate,
// aspect mode. The last value marks an audio-only profile, whose video lists end disabled.
constexpr Preset kPresets[] = {
    {100, {{{kFrameSize1, 0}, {kVideoBitrate1, 3}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {101, {{{kFrameSize1, 0}, {kVideoBitrate2, 3}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {102, {{{kFrameSize1, 0}, {kVideoBitrate3, 4}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {103, {{{kFrameSize1, 0}, {kVideoBitrate2, 3}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {104, {{{kFrameSize1, 0}, {kVideoBitrate3, 4}, {kFrameRate1, 0}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {105, {{{kFrameSize1, 0}, {kVideoBitrate1, 4}, {kFrameRate1, 10}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {106, {{{kFrameSize1, 4}, {kVideoBitrate1, 3}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {107, {{{kFrameSize1, 0}, {kVideoBitrate1, 3}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {108, {{{kFrameSize1, 0}, {kVideoBitrate1, 3}, {kFrameRate1, 0}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {109, {{{kFrameSize2, 4}, {kVideoBitrate4, 9}, {kFrameRate2, 5}, {kAudioBitrate2, 5}, {kSampleRate2, 0}, {kAspectMode2, 0}}}, false},
    {110, {{{kFrameSize1, 0}, {kVideoBitrate5, 3}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {111, {{{kFrameSize1, 12}, {kVideoBitrate1, 4}, {kFrameRate1, 10}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {112, {{{kFrameSize1, 8}, {kVideoBitrate1, 2}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {113, {{{kFrameSize1, 4}, {kVideoBitrate1, 2}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {114, {{{kFrameSize1, 4}, {kVideoBitrate1, 2}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {200, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode3, 0}}}, true},
    {201, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode3, 0}}}, true},
    {202, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 13}, {kSampleRate1, 5}, {kAspectMode3, 0}}}, true},
    {203, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode3, 0}}}, true},
    {204, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 9}, {kSampleRate1, 4}, {kAspectMode3, 0}}}, true},
    {205, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode3, 0}}}, true},
    {206, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 9}, {kSampleRate1, 4}, {kAspectMode3, 0}}}, true},
    {207, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode3, 0}}}, true},
    {208, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode3, 0}}}, true},
    {209, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode3, 0}}}, true},
    {210, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 13}, {kSampleRate1, 5}, {kAspectMode3, 0}}}, true},
    {211, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 12}, {kSampleRate1, 5}, {kAspectMode3, 0}}}, true},
    {212, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate3, 4}, {kSampleRate2, 0}, {kAspectMode3, 0}}}, true},
    {300, {{{kFrameSize4, 2}, {kVideoBitrate7, 2}, {kFrameRate4, 2}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {301, {{{kFrameSize4, 2}, {kVideoBitrate7, 1}, {kFrameRate4, 3}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {302, {{{kFrameSize4, 2}, {kVideoBitrate7, 1}, {kFrameRate4, 2}, {kAudioBitrate1, 13}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {303, {{{kFrameSize4, 3}, {kVideoBitrate7, 2}, {kFrameRate4, 3}, {kAudioBitrate1, 13}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {304, {{{kFrameSize4, 3}, {kVideoBitrate7, 2}, {kFrameRate4, 2}, {kAudioBitrate1, 12}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {305, {{{kFrameSize4, 3}, {kVideoBitrate7, 1}, {kFrameRate4, 2}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {306, {{{kFrameSize4, 3}, {kVideoBitrate7, 2}, {kFrameRate4, 2}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {307, {{{kFrameSize4, 2}, {kVideoBitrate7, 1}, {kFrameRate4, 2}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {308, {{{kFrameSize4, 3}, {kVideoBitrate7, 2}, {kFrameRate4, 2}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {309, {{{kFrameSize4, 3}, {kVideoBitrate7, 2}, {kFrameRate4, 3}, {kAudioBitrate1, 10}, {kSampleRate1, 5}, {kAspectMode1, 0}}}, false},
    {400, {{{kFrameSize5, 3}, {kVideoBitrate8, 4}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {401, {{{kFrameSize5, 3}, {kVideoBitrate8, 2}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {402, {{{kFrameSize5, 3}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {403, {{{kFrameSize5, 6}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {404, {{{kFrameSize5, 6}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {405, {{{kFrameSize5, 6}, {kVideoBitrate8, 5}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {406, {{{kFrameSize5, 6}, {kVideoBitrate8, 2}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {407, {{{kFrameSize6, 6}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {408, {{{kFrameSize6, 11}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {409, {{{kFrameSize6, 11}, {kVideoBitrate8, 5}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {410, {{{kFrameSize6, 11}, {kVideoBitrate8, 2}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {411, {{{kFrameSize6, 9}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 2}}}, false},
    {412, {{{kFrameSize6, 3}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {413, {{{kFrameSize6, 6}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {500, {{{kFrameSize6, 6}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {501, {{{kFrameSize6, 11}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {502, {{{kFrameSize7, 12}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 2}}}, false},
    {503, {{{kFrameSize7, 11}, {kVideoBitrate8, 5}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {504, {{{kFrameSize7, 3}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {505, {{{kFrameSize7, 6}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {600, {{{kFrameSize8, 0}, {kVideoBitrate9, 3}, {kFrameRate6, 2}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {601, {{{kFrameSize8, 1}, {kVideoBitrate9, 4}, {kFrameRate6, 2}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {602, {{{kFrameSize8, 1}, {kVideoBitrate9, 5}, {kFrameRate6, 2}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {603, {{{kFrameSize8, 1}, {kVideoBitrate9, 2}, {kFrameRate6, 2}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {604, {{{kFrameSize8, 4}, {kVideoBitrate9, 4}, {kFrameRate6, 2}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {700, {{{kFrameSize2, 4}, {kVideoBitrate4, 9}, {kFrameRate2, 5}, {kAudioBitrate2, 5}, {kSampleRate2, 0}, {kAspectMode1, 0}}}, false},
    {701, {{{kFrameSize2, 4}, {kVideoBitrate4, 9}, {kFrameRate2, 5}, {kAudioBitrate5, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {702, {{{kFrameSize2, 4}, {kVideoBitrate4, 9}, {kFrameRate2, 5}, {kAudioBitrate2, 5}, {kSampleRate2, 0}, {kAspectMode1, 0}}}, false},
    {703, {{{kFrameSize2, 4}, {kVideoBitrate4, 9}, {kFrameRate2, 5}, {kAudioBitrate5, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {704, {{{kFrameSize9, 4}, {kVideoBitrate4, 9}, {kFrameRate2, 5}, {kAudioBitrate2, 5}, {kSampleRate2, 0}, {kAspectMode1, 0}}}, false},
    {705, {{{kFrameSize9, 4}, {kVideoBitrate4, 9}, {kFrameRate2, 5}, {kAudioBitrate5, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {706, {{{kFrameSize9, 4}, {kVideoBitrate4, 9}, {kFrameRate2, 5}, {kAudioBitrate5, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {707, {{{kFrameSize9, 4}, {kVideoBitrate10, 10}, {kFrameRate7, 6}, {kAudioBitrate5, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {708, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate3, 4}, {kSampleRate2, 0}, {kAspectMode3, 0}}}, true},
    {709, {{{kFrameSize9, 4}, {kVideoBitrate10, 9}, {kFrameRate7, 5}, {kAudioBitrate6, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {710, {{{kFrameSize9, 4}, {kVideoBitrate10, 9}, {kFrameRate7, 5}, {kAudioBitrate6, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {711, {{{kFrameSize9, 4}, {kVideoBitrate10, 9}, {kFrameRate7, 5}, {kAudioBitrate6, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {712, {{{kFrameSize9, 4}, {kVideoBitrate10, 9}, {kFrameRate7, 5}, {kAudioBitrate6, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {713, {{{kFrameSize9, 4}, {kVideoBitrate10, 9}, {kFrameRate7, 5}, {kAudioBitrate6, 0}, {kSampleRate4, 4}, {kAspectMode1, 0}}}, false},
    {800, {{{kFrameSize5, 3}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {801, {{{kFrameSize5, 6}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {802, {{{kFrameSize10, 7}, {kVideoBitrate8, 6}, {kFrameRate5, 8}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {803, {{{kFrameSize5, 6}, {kVideoBitrate8, 7}, {kFrameRate5, 8}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {804, {{{kFrameSize5, 6}, {kVideoBitrate8, 2}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {900, {{{kFrameSize11, 7}, {kVideoBitrate8, 5}, {kFrameRate5, 8}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {901, {{{kFrameSize12, 0}, {kVideoBitrate8, 5}, {kFrameRate5, 9}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {902, {{{kFrameSize12, 0}, {kVideoBitrate8, 5}, {kFrameRate5, 9}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {903, {{{kFrameSize11, 7}, {kVideoBitrate8, 4}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {904, {{{kFrameSize13, 7}, {kVideoBitrate8, 5}, {kFrameRate5, 9}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {905, {{{kFrameSize11, 7}, {kVideoBitrate8, 5}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {906, {{{kFrameSize14, 2}, {kVideoBitrate8, 7}, {kFrameRate5, 9}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {907, {{{kFrameSize15, 8}, {kVideoBitrate8, 7}, {kFrameRate5, 9}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {908, {{{kFrameSize16, 9}, {kVideoBitrate8, 5}, {kFrameRate5, 8}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {909, {{{kFrameSize15, 8}, {kVideoBitrate8, 7}, {kFrameRate5, 9}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {1000, {{{kFrameSize17, 2}, {kVideoBitrate8, 4}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {1001, {{{kFrameSize17, 4}, {kVideoBitrate8, 4}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {1002, {{{kFrameSize17, 1}, {kVideoBitrate8, 2}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {1003, {{{kFrameSize18, 0}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {1004, {{{kFrameSize18, 0}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {1005, {{{kFrameSize18, 0}, {kVideoBitrate8, 5}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {1006, {{{kFrameSize18, 0}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {1007, {{{kFrameSize17, 3}, {kVideoBitrate8, 3}, {kFrameRate5, 7}, {kAudioBitrate4, 2}, {kSampleRate3, 3}, {kAspectMode1, 0}}}, false},
    {1100, {{{kFrameSize19, 4}, {kVideoBitrate1, 3}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {1101, {{{kFrameSize1, 0}, {kVideoBitrate1, 4}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {1102, {{{kFrameSize1, 0}, {kVideoBitrate1, 4}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {1103, {{{kFrameSize1, 0}, {kVideoBitrate1, 4}, {kFrameRate1, 10}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {1104, {{{kFrameSize1, 0}, {kVideoBitrate1, 4}, {kFrameRate1, 10}, {kAudioBitrate1, 10}, {kSampleRate1, 4}, {kAspectMode1, 0}}}, false},
    {1200, {{{kFrameSize1, 0}, {kVideoBitrate1, 3}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate5, 1}, {kAspectMode1, 0}}}, false},
    {1201, {{{kFrameSize1, 0}, {kVideoBitrate1, 3}, {kFrameRate1, 9}, {kAudioBitrate1, 10}, {kSampleRate5, 1}, {kAspectMode1, 0}}}, false},
    {1202, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 10}, {kSampleRate5, 1}, {kAspectMode3, 0}}}, true},
    {1203, {{{kFrameSize3, 0}, {kVideoBitrate6, 0}, {kFrameRate3, 0}, {kAudioBitrate1, 10}, {kSampleRate5, 1}, {kAspectMode3, 0}}}, true},
};

}  // namespace

std::span<const Preset> PresetTable() { return kPresets; }

std::span<const Items> ItemListTable(Option option) {
    switch (option) {
    case Option::FrameSize: return kFrameSizeLists;
    case Option::VideoBitrate: return kVideoBitrateLists;
    case Option::FrameRate: return kFrameRateLists;
    case Option::AudioBitrate: return kAudioBitrateLists;
    case Option::SampleRate: return kSampleRateLists;
    case Option::AspectMode: return kAspectModeLists;
    }
    return {};
}

}  // namespace legacy::data
